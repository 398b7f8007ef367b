// Combat and skill commands. Not built yet: each notes its call.
#include "body/combat_commands.h"

#include "console/console.h"

int32_t combat_reference = -1;

void plr_attack_command(int) { note_stub_call("plr_attack_command"); }
void use_skill(int) { note_stub_call("use_skill"); }
void cre_compute_load(int) {}
