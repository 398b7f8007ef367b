#include "body/body_upkeep.h"

#include "base/stubs.h"

// Not built yet: the body never fails, has no needs and never faints.
void plr_body_check(int) { KSM_STUB("plr_body_check"); }
int plr_body_upkeep(int) { KSM_STUB("plr_body_upkeep"); return 0; }
void plr_unconscious_sequence() { KSM_STUB("plr_unconscious_sequence"); }
