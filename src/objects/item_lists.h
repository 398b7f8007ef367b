// The selection list from which every item choice is made: the items at a
// square or carried by the player or a creature, grouped by class in the
// player's chosen order and filtered by class; the class menu; examining a
// weapon or armour; the small icons of worn and wielded items.
#pragma once

#include <cstdint>

#include "base/platform.h"
#include "objects/object_store.h"

constexpr int SELECTION_ENTRIES = 500;

// One entry of the list (32 bytes).
struct SelectionEntry {
    int32_t source;   // LIST_SOURCE_MAP or LIST_SOURCE_CARRIED
    int32_t index;    // the Data index or the carried slot
    int32_t object;   // the object id
    int32_t amount;   // what is there
    int32_t chosen;   // the count chosen, 0 not chosen
    uint8_t map_kind;       // the map record's kind (1 item, 52 dead creature)
    uint8_t locked;         // a creature's item not to be handed over
    uint8_t invalid;        // the purpose can't use it
    uint8_t worn;
    uint8_t wear_conflict;
    uint8_t in_use;
    uint8_t filtered;       // outside the type filter
    uint8_t cant_take_off;
    int32_t spare;
};
KSM_RECORD(SelectionEntry, 32);

constexpr int32_t LIST_SOURCE_MAP = 1;
constexpr int32_t LIST_SOURCE_CARRIED = 2;

// list_carried_items flags.
constexpr int LIST_TRADE_SELECTION = 0x1000;  // only the slots of trade_selection_mask
constexpr int LIST_LOCK_UNFREED = 0x4000;     // mark a creature's unfreed items locked
// filter_item_list flag: a container holding something lists as a container.
constexpr int LIST_FILLED_AS_CONTAINER = 0x2000;
// The filter class of unpaid and taken goods.
constexpr int FILTER_UNPAID = 27;

extern SelectionEntry selection_list[SELECTION_ENTRIES];
extern int selection_count;
// The bits of a creature's carried slots chosen for trade (0x1000).
extern uint32_t trade_selection_mask;
// Classes (bits 0-12) that the purpose could use but none is listed.
extern uint32_t applicable_class_mask;

// The class code of each hot key "0wac1htfmvbpr" (index = class).
constexpr const char* CLASS_HOT_KEYS = "0wac1htfmvbpr";

// The list cleared, then the items (kind 1) and dead creatures (kind 52,
// as corpse objects) at the square, in index order, at most 500: the count.
int list_ground_items(int x, int y);
// The list cleared, then the carried slots of the creature (-1 the
// player), at most 500: the count.
int list_carried_items(int creature, int flags);
// The class menu: a class code, 0 for all, FILTER_UNPAID, -1 cancelled.
int choose_item_type(uint32_t class_mask);
// The list regrouped by the class order, keeping what the filter accepts
// (0 all, a class, a negative class mask, FILTER_UNPAID): the count kept.
int filter_item_list(int filter, int flags);
// Whether the filter accepts the record.
bool filter_accepts(int filter, const ObjectRecord& record);
// Examining a carried slot: a weapon's skill and class, an armour's screen,
// else a refusal.
void examine_item(int slot);
// A worn or wielded item's icon (and "1st"/"2nd") at x, y.
void draw_item_icons(int x, int y, const ObjectRecord& record);
// Whether the record holds something (by kind, class or contents).
bool obj_is_container(const ObjectRecord& record);
