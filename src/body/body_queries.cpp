#include "body/body_queries.h"

#include "base/stubs.h"
#include "body/fighters.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "ui/message_line.h"

int cre_is_incapacitated(int creature) {
    if (creature == -1) return Plr.sleeping || Plr.body_state == BODY_SHOCKED || Plr.body_state == BODY_FAINTED;
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    return c.move_mode == MOVE_MODE_ASLEEP || c.body_state == BODY_SHOCKED || c.body_state == BODY_FAINTED;
}

// Not built yet: the injuries screen, sleep, the afternoon's weather, ice
// holes and the creatures' daily upkeep.
void injuries_screen() { KSM_STUB("injuries_screen"); }
void plr_sleep(int) {
    KSM_STUB("plr_sleep");
    show_message("!Not available yet.");
}
int afternoon_weather_test() { KSM_STUB("afternoon_weather_test"); return 0; }
void age_open_ice_hole(int map_index) { KSM_STUB("age_open_ice_hole"); }
void refreeze_ice_hole(int map_index) { KSM_STUB("refreeze_ice_hole"); }
void cre_upkeep(int slot) { KSM_STUB("cre_upkeep"); }
