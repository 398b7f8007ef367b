#include "body/missile_flight.h"

#include "base/stubs.h"
#include "body/combat_state.h"

// Not built yet: a missile reaches nobody and stops where it left, so the
// attack ends after its flight.
void fly_missile(int, int, const ObjectRecord&, int) {
    KSM_STUB("fly_missile");
    combat.struck_creature = COMBAT_NOBODY;
    combat.reached_creature = 0;
    combat.passed_target = 0;
    combat.hit_obstacle = combat.stopped_at_contour = combat.too_far = 0;
    combat.flown_length = combat.planned_length = 0;
    combat.narration[0] = 0;
}
