// Combat commands. Not built yet: each notes its call.
#include "body/combat_commands.h"

#include "base/stubs.h"
#include "console/console.h"

int32_t combat_reference = -1;

void plr_attack_command(int) { KSM_STUB("plr_attack_command"); }
