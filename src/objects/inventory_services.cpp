#include "objects/inventory_services.h"

#include "base/stubs.h"

int select_item_count = 0;

// Not built yet: the inventory commands come with the items; nothing is
// inserted, worn or dug, no item can be picked and no leash holds anyone.
void plr_insert_into_inventory(int, int, int, int) { KSM_STUB("plr_insert_into_inventory"); }
void plr_release_leashes() { KSM_STUB("plr_release_leashes"); }
void plr_wear_footwear(int, int) { KSM_STUB("plr_wear_footwear"); }
int select_item(const char*, const char*, int, int, int) {
    KSM_STUB("select_item");
    select_item_count = 0;
    return -3000;
}
int leash_creature(const ObjectRecord&) {
    KSM_STUB("leash_creature");
    return -1000;
}
void applyShovel(const ObjectRecord*) { KSM_STUB("applyShovel"); }
// Not built yet: no goods are owed, nothing can be carried more and no
// item is chosen from a creature.
int plr_has_goods_of_village(int) { KSM_STUB("plr_has_goods_of_village"); return 0; }
int can_take_item(int, int, int) { KSM_STUB("can_take_item"); return 0; }
int plr_give_item(const char*, int, int) { KSM_STUB("plr_give_item"); return 0; }
int select_creature_items(int, const char*, const char*, int, int*, int*, int) {
    KSM_STUB("select_creature_items");
    return -1;
}
