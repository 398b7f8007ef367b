// What the crafts, quests and villages ask of the player's inventory and of
// the tools the player uses.
#pragma once

#include "objects/object_store.h"

// Puts objects into the player's inventory (merge flag, position or -1);
// what is too heavy goes on the ground with a warning.
void plr_insert_into_inventory(int object_id, int count, int merge, int position);
// Unleashes every creature the player leads on a leash.
void plr_release_leashes();
// The walking wear of the worn footwear for that time.
void plr_wear_footwear(int seconds, int minutes);
// The inventory slot of the item the player picks (the count chosen left in
// select_item_count); -3000 when nothing suitable is carried, another
// negative value when cancelled.
int select_item(const char* prompt, const char* verb, int filter_flags, int selector, int extra);
extern int select_item_count;
// The creature slot tied to the leash.
int leash_creature(const ObjectRecord& leash);
// Digging with a shovel (or none) at the player's position on a local map.
void applyShovel(const ObjectRecord* shovel);
