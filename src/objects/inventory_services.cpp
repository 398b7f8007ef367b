#include "objects/inventory_services.h"

#include "base/stubs.h"
#include "game/player.h"

int select_item_count = 0;

// Not built yet: nothing is worn or dug, no item can be picked and no
// leash is taken off.
void plr_wear_footwear(int, int) { KSM_STUB("plr_wear_footwear"); }
int select_item(const char*, const char*, int, int, int) {
    KSM_STUB("select_item");
    select_item_count = 0;
    return -3000;
}
int take_off_leash(int slot) {
    KSM_STUB("take_off_leash");
    return slot >= 0 && slot < PLR_INV_SLOTS ? Plr.plr_inv_id[slot] : 0;
}
void applyShovel(const ObjectRecord*) { KSM_STUB("applyShovel"); }
