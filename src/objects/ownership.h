// Who owns a thing: the village an item or a map item belongs to, or
// nobody; goods the player took in a village, seen (unpaid, with an item
// debt) or unseen (taken); and the village's reaction when the player walks
// off with them.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// ownflag bits of an object record.
constexpr uint8_t OWN_UNPAID = 0x01;        // taken in a villager's sight: a debt stands
constexpr uint8_t OWN_TAKEN = 0x02;         // taken unseen
constexpr uint8_t OWN_MADE_MARK = 0x04;     // cleared whenever a creature's item is made
constexpr uint8_t OWN_FREE_AGAIN = 0x10;    // no longer owned
constexpr uint8_t OWN_MAKE_OWNERLESS = 0x40;  // a creature's item made of it is nobody's
constexpr uint8_t OWN_PAYMENT_BITS = OWN_UNPAID | OWN_TAKEN | OWN_MADE_MARK;

struct OwnerStatus {
    int32_t spare_1;
    int32_t owner;  // the owning village's id, 0 nobody
    int32_t spare_2;
    uint8_t free;   // 1 when nobody owns it
};

// Free unless an owner is set; bit 0x10 makes it free again.
OwnerStatus obj_owner_status(const ObjectRecord& record);
// The ownership of the map record at index i: an item claimed (22222) in a
// village's world cell is the village's, unless the cell's culture is 11;
// other items have their object's status; anything else is free.
OwnerStatus map_item_owner_status(int index);
// The claim mark on an unheld item (kind 1, ref 0).
void mark_map_item_claimed(int index);

// The villages whose goods the player has, each list ending at its first 0.
constexpr int OWNER_LIST_SIZE = 100;
extern int32_t carried_unpaid_villages[OWNER_LIST_SIZE];
extern int32_t carried_taken_villages[OWNER_LIST_SIZE];
extern int32_t hauled_unpaid_villages[OWNER_LIST_SIZE];
extern int32_t hauled_taken_villages[OWNER_LIST_SIZE];
extern int32_t held_goods_villages[OWNER_LIST_SIZE];
// Fills the two carried lists from the inventory.
void note_carried_goods_villages();
// Adds a village to a list without duplicates (nothing when full or id 0).
void owner_list_add(int32_t* list, int32_t village);
// 1 when the village stands in the held-by-creatures list.
int held_goods_has_village(int32_t village);
// 1 when the village stands in any of the five lists (the carried ones
// refreshed first); the list slot of the find goes to `slot` when given.
int plr_has_goods_of_village(int village, int* slot = nullptr);

// The player picks up or hauls `count` of an owned object: it becomes
// unpaid (a witness saw it; an item debt is added) or taken. The object id
// it now has.
int village_member_sees_pickup(int object_id, int count, int quiet, const OwnerStatus& status);
// An unpaid object put back: the village's debt of it removed (with
// only_at_origin only in the world cell where it was taken). The new id, 0
// when nothing changed.
int return_unpaid_item(int object_id, int count, int only_at_origin);
// A creature's item: made its village's, or nobody's with bit 0x40.
ObjectRecord& obj_owned_by_creature(int creature, ObjectRecord& record);
// Puts an amount of an item type (or object) on the map at a creature, as
// the creature's village's: the map index, or MAP_NO_RECORD.
int create_item_at_creature(int creature, int object_id, int amount);

// Who of the village sees the player, who is awake near, and a shout: the
// creatures' services through a table, so that tests can stand in for
// services still neutral.
struct OwnershipServices {
    int (*find_witness)(int village);       // a creature slot, -1000 none
    int (*nearest_villager)(int village);   // a creature slot, -1000 none
    int (*shout)(int creature, const char* text);  // 1 when heard
};
extern OwnershipServices ownership_services;
OwnershipServices default_ownership_services();

// While set, check_unpaid_goods does nothing.
extern uint8_t unpaid_check_suppressed;
// The village's look at the goods the player has of it: taken goods in a
// witness's sight become unpaid, and leaving with unpaid goods is shouted
// at; force looks again at the village it looked at last.
void check_unpaid_goods(int32_t village, int force);
// The next look at a village's goods looks afresh (each turn starts so).
void forget_last_village_looked_at();
// The per-game reset: the lists and the last village looked at.
void reset_ownership();
