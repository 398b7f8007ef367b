#include "creatures/creature_behaviour.h"

#include "base/stubs.h"

void Pakene(int) { KSM_STUB("Pakene"); }
int cre_wake_up(int) { KSM_STUB("cre_wake_up"); return 0; }
