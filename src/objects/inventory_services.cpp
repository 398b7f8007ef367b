#include "objects/inventory_services.h"

#include "base/stubs.h"
#include "game/player.h"

int select_item_count = 0;

// Not built yet: nothing is worn or dug, no item can be picked and no
// leash is taken off.
void plr_wear_footwear(int, int) { KSM_STUB("plr_wear_footwear"); }
int take_off_leash(int slot) {
    KSM_STUB("take_off_leash");
    return slot >= 0 && slot < PLR_INV_SLOTS ? Plr.plr_inv_id[slot] : 0;
}
void applyShovel(const ObjectRecord*) { KSM_STUB("applyShovel"); }

int obj_weapon_hands(const ObjectRecord& record) {
    constexpr uint8_t WEAPON_CLASS = 1;  // a weapon keeps its one-hand penalty in coverage[0]
    return record.item_class == WEAPON_CLASS ? record.coverage[0] : 0;
}

// Not built yet: everything can be carried and wielded, nothing is dropped,
// emptied, hauled, worn out or thrown.
int cre_can_carry(int, float) { KSM_STUB("cre_can_carry"); return 1; }
int cre_check_wield_injuries(int, const ObjectRecord&, int) { KSM_STUB("cre_check_wield_injuries"); return 0; }
void drop_broken_arrow(int, int, int) { KSM_STUB("drop_broken_arrow"); }
int obj_empty_container(ObjectRecord&) { KSM_STUB("obj_empty_container"); return 0; }
int obj_reduce_count(int, int) { KSM_STUB("obj_reduce_count"); return 0; }
float plr_empty_container(int, float) { KSM_STUB("plr_empty_container"); return 0.0f; }
int plr_empty_container_quietly(int, int) { KSM_STUB("plr_empty_container_quietly"); return 0; }
float plr_hauled_weight() { KSM_STUB("plr_hauled_weight"); return 0.0f; }
int plr_move_hauled_items() { KSM_STUB("plr_move_hauled_items"); return 0; }
void plr_wear_armour_on_hit(int, int) { KSM_STUB("plr_wear_armour_on_hit"); }
int plr_worn_skis() { KSM_STUB("plr_worn_skis"); return 0; }
int wear_conflict(int, int, int) { KSM_STUB("wear_conflict"); return 0; }
int take_off_or_unwield(int, int) { KSM_STUB("take_off_or_unwield"); return 0; }
int wear_object(ObjectRecord&, int, int, int) { KSM_STUB("wear_object"); return 0; }
void release_leash(int) { KSM_STUB("release_leash"); }
void throw_command() { KSM_STUB("throw_command"); }
