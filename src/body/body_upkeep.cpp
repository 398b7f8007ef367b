#include "body/body_upkeep.h"

// Not built yet: the body never fails, has no needs and never faints.
void plr_body_check(int) {}
int plr_body_upkeep(int) { return 0; }
void plr_unconscious_sequence() {}
