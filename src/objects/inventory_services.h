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
inline int select_items(const char* prompt, const char* verb, int filter_flags, int selector, int extra) {
    return select_item(prompt, verb, filter_flags, selector, extra);
}
// The creature slot tied to the leash.
int leash_creature(const ObjectRecord& leash);
// 1 when the player carries, hauls or holds goods of the village not yet
// paid for.
int plr_has_goods_of_village(int village);
// 1 when the player can carry count of the object, else 0 with the reason
// shown (the first argument is the taker, -1 the player).
int can_take_item(int taker, int count, int object_id);
// The picker over a creature's 20 carried slots (several items, with
// amounts): up to cap chosen slots and counts; the number chosen, -1 when
// cancelled. mode 1 unpacks, 16385 picks from a companion.
int select_creature_items(int creature, const char* prompt, const char* verb, int mode, int* slots, int* counts,
                          int cap);
// Gives the player count of the item named (a catalogue name), wielded in
// hand 1 or 2 when hand is not 0; 1 when given.
int plr_give_item(const char* name, int count, int hand);
// Digging with a shovel (or none) at the player's position on a local map.
void applyShovel(const ObjectRecord* shovel);
