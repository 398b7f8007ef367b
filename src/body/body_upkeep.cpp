#include "body/body_upkeep.h"

#include "base/stubs.h"
#include "body/needs.h"
#include "game/player.h"
#include "ui/map_overlay.h"

// Not built yet: the body never fails and has no needs.
void plr_body_check(int) { KSM_STUB("plr_body_check"); }
int plr_body_upkeep(int) {
    plr_needs_report(0);
    return 0;
}
// Not built yet: a fainted player comes to at once, lying where the blow
// fell, eyes open.
void plr_unconscious_sequence() {
    KSM_STUB("plr_unconscious_sequence");
    if (Plr.body_state != 4) return;
    Plr.body_state = 1;
    eyes_closed = false;
}
