// The inventories: the player's 100 slots (an object id and an amount
// each, in the character record) and a creature's 20 (in its record), and
// what every item command, trade and fight does with them: finding,
// adding with stacking or with overflow to the ground, taking a count out,
// packing, merging and splitting stacks, the wielded and worn lookups,
// armour by grade and wear, and the commands that work on the inventory
// itself (discarding, exchanging weapons, the first clothes).
//
// A change of one carried thing (wielding, wearing, revealing its grade)
// never writes an instance that something else may share: the changed
// record is stored as an object of its own (identical records still merge)
// and only the changer's slot or record takes its id.
#pragma once

#include <cstdint>

#include "objects/map_object_table.h"
#include "objects/object_store.h"

// Answers of the slot lookups.
constexpr int PLR_NO_SLOT = 1000;
// With this slot in use nothing more is carried: new things go on the
// ground.
constexpr int PLR_OVERFLOW_SLOT = 90;
constexpr int CRE_INV_SLOTS = 20;

// ------------------------------------------------------------ the player

// Moves every used slot down over the empty ones before it (order kept),
// then recomputes the carried load.
void plr_compact_inventory();
// Takes up to `count` out of a slot: the amount taken (0 for a count of 0
// or less, or a slot outside 0..99). The inventory is packed afterwards;
// the _in_place form leaves the slot where it is, possibly empty.
int plr_take_from_slot(int slot, int count);
int plr_take_from_slot_in_place(int slot, int count);
// The first slot holding an instance that stacks with the object; -1.
int plr_find_inventory_item(int object_id);
// Adds to a stack of the same object or to the first empty slot; with slot
// 90 in use it goes on the ground at the player with a warning. The load is
// not recomputed (plr_give_item does that).
void plr_add_to_inventory(int object_id, int count);
// The same at a chosen position (-1: none), merging by stacking (merge 1),
// by the same id (any other non-zero merge) or not at all (0): the slot
// that took it, PLR_NO_SLOT when it went on the ground.
int plr_insert_into_inventory(int object_id, int count, int merge, int position);
// Gives the player `count` of an object (an item type gets an instance of
// its own unless a carried one stacks with it).
void plr_give_item(int object_id, int count);
// Every other slot whose object stacks with the slot's gives its amount to
// it (not packed).
void plr_merge_stacks_into(int slot);
// Leaves one unit in the slot, as an instance of its own; the rest goes
// into the slot after it. False when nothing could be split.
bool plr_split_off_single_item(int slot);
// Puts `count` of the object down at the player, no longer wielded or
// worn: 1 when placed, 0 when the map had no room for it.
int drop_item_at_player(int count, int object_id);
inline int plr_drop_wielded_item(int count, int object_id) { return drop_item_at_player(count, object_id); }
// The first slot wielded in hand 1 (or in the second hand for any other
// value); PLR_NO_SLOT when none.
int plr_wielded_slot(int hand);
// 0 when anything worn is armour or clothing, else 1.
int plr_wears_no_armour();
// Takes every carried leash off the animal it leads on the map.
void plr_release_leashes();
// The level of the first skill whose name holds the pattern; PLR_NO_SLOT.
int plr_skill_by_pattern(const char* pattern);
// Every TRACKING skill below 80 gains 20.
void boost_tracking_skill();

// "D": offers the free things on the player's square for discarding.
void discard_items_command();
// "X": the first hand's weapon goes to the second and back.
void exchange_weapons_command();
// A new character puts on its clothes: every single armour or clothing
// instance among the first 50 slots is worn (and nothing is wielded).
void plr_wear_starting_armour();

// ------------------------------------------------------------ creatures

// Takes up to `count` out of a creature's slot (0..19): the amount taken;
// 0 for the player, a bad creature or slot, or a count of 0 or less.
int cre_take_from_slot(int creature, int slot, int count);
// The object in hand 1 or 2 of a creature (-1 the player); 0 none.
int cre_wielded_item(int creature, int hand);
// How many of the two hands hold something.
int cre_wielded_count(int creature);

// ------------------------------------------------------------ objects

// Time units that putting the garment on takes.
int dressing_time(const ObjectRecord& record);
// 1 for food that can be eaten as it is (class 7 below kind 512).
int is_food_object(const ObjectRecord& record);
// The table slot of the animal a leash leads; -1000 when none is on the map.
int leash_creature(const ObjectRecord& leash);
// A carcass object for a dead creature (by its sotu): "dead <name>", twice
// its weight; 0 when the store is full.
int make_corpse_object(uint32_t sotu);
// Makes a graded object's grade known. -1: type_scratch, in place; an
// instance: the id that now holds the known grade (the caller puts it
// where its unit is); other ids are answered unchanged.
int obj_reveal_quality(int object_id);
// 1 when a piece of the pattern before one of its "*" occurs in the text;
// a pattern without "*" never matches.
int wildcard_match(const char* pattern, const char* text);

// A set of goods in map-object form, gathered by the culture code.
constexpr int OBJECT_LIST_SIZE = 64;
struct ObjectList {
    MapObject entries[OBJECT_LIST_SIZE];
    int32_t count;
};
void clear_object_list(ObjectList& list);
