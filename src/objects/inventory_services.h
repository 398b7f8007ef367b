// What the crafts, quests and villages ask of the player's inventory and of
// the tools the player uses.
#pragma once

#include "objects/inventory.h"
#include "objects/object_store.h"

// The walking wear of the worn footwear for that time.
void plr_wear_footwear(int seconds, int minutes);
// The inventory slot of the item the player picks (the count chosen left in
// select_item_count); -3000 when nothing suitable is carried, another
// negative value when cancelled.
int select_item(const char* prompt, const char* verb, int filter_flags, int selector, int extra);
extern int select_item_count;
// Takes the leash in the inventory slot off the animal it leads; the
// leash's instance.
int take_off_leash(int slot);
// Digging with a shovel (or none) at the player's position on a local map.
void applyShovel(const ObjectRecord* shovel);
