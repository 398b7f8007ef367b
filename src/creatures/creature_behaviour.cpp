#include "creatures/creature_behaviour.h"

#include "base/stubs.h"

// Not built yet: the creatures' turns, steps, speech, tasks and the
// villagers' watch come with their own parts; each answer is neutral.
int cre_update_target(int) { KSM_STUB("cre_update_target"); return 0; }
int find_requisite_near(int, int, int out[3], int, int, int) {
    KSM_STUB("find_requisite_near");
    if (out) out[0] = out[1] = out[2] = 0;
    return 0;
}
