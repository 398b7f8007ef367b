#include "creatures/creature_behaviour.h"

#include "base/stubs.h"

// Not built yet: fleeing and waking come with the creatures' turns.
void Pakene(int) { KSM_STUB("Pakene"); }
int cre_wake_up(int) { KSM_STUB("cre_wake_up"); return 0; }
