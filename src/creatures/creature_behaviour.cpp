#include "creatures/creature_behaviour.h"

#include "base/stubs.h"

// Not built yet: waking comes with the creatures' turns.
int cre_wake_up(int) { KSM_STUB("cre_wake_up"); return 0; }
