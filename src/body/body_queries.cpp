#include "body/body_queries.h"

#include "base/stubs.h"

char missile_report[256] = "";

// Not built yet: the body is whole and able, nobody fights or shoots.
int cre_is_incapacitated(int creature) { KSM_STUB("cre_is_incapacitated"); return 0; }
void injuries_screen() { KSM_STUB("injuries_screen"); }
int afternoon_weather_test() { KSM_STUB("afternoon_weather_test"); return 0; }
void age_open_ice_hole(int map_index) { KSM_STUB("age_open_ice_hole"); }
void refreeze_ice_hole(int map_index) { KSM_STUB("refreeze_ice_hole"); }
int cre_can_shoot(int creature, int mode) { KSM_STUB("cre_can_shoot"); return 0; }
void cre_ready_weapon(int creature) { KSM_STUB("cre_ready_weapon"); }
void cre_upkeep(int slot) { KSM_STUB("cre_upkeep"); }
int plr_arrow_hand() { KSM_STUB("plr_arrow_hand"); return 0; }
void plr_break_bowstring(int bow_slot, int wear) { KSM_STUB("plr_break_bowstring"); }
void missile_at_square(const ObjectRecord& item, int x, int y, int bow) {
    KSM_STUB("missile_at_square");
    missile_report[0] = 0;
}
int missile_attack(int unused, int item, int attacker, int flags, int creature, int bow_or_item) {
    KSM_STUB("missile_attack");
    return 0;
}
void report_missile_obstacle() { KSM_STUB("report_missile_obstacle"); }
void report_missile_contour() { KSM_STUB("report_missile_contour"); }
int missile_hit_check(int x, int y, int quality) { KSM_STUB("missile_hit_check"); return 0; }
int missile_obstacle_check(int x, int y, int quality, int target_x, int target_y) {
    KSM_STUB("missile_obstacle_check");
    return 0;
}
