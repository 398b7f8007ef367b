// The item and activity commands the player's keys reach: activities by
// code, picking up, discarding, equipment, and the per-command upkeep of
// the map-object table. The inventory commands are in objects/inventory.h;
// those not built yet give neutral answers.
#pragma once

#include <cstdint>

#include "objects/inventory.h"
#include "objects/map_object_table.h"  // compact_map_objects, purge_map_objects
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "objects/wear_commands.h"

#include "objects/activities.h"  // perform_activity and the refusals
// The object maintenance pass, run by the command reader while
// obj_table_nearly_full is set (and by the store when it has no free slot):
// obj_maintenance of objects/object_ageing.h.
void object_maintenance();
// The fire-burn mark of the turn, cleared before every command and by the
// per-game reset; `fire_burned_player` is its other name.
extern uint8_t fire_burn_mark;
inline uint8_t& fire_burned_player = fire_burn_mark;
// Shared by the map-object update and the map loader; cleared every command.
extern uint8_t object_turn_flag;
void examine_carried_equipment();
// "X": exchange_weapons_command of objects/inventory.h.
void exchange_weapons();
// Puts count of the map record's thing into the player's inventory (a
// carcass record becomes a carcass object); 1 when taken, 0 when refused.
// The record itself is the caller's to lower or free.
int pick_up_map_item(int index, int count, int auto_wield);
// The player picks up at x, y: flag bit 0 wields what is picked up when a
// hand is free, bit 1 asks before harvesting plants.
void pick_up_command(int x, int y, int flags);
// Picks from a chosen square: a companion or pack animal standing there, a
// set fishing net, or what lies there (flags as pick_up_command).
void pick_from_command(int flags);
// The items lying at x, y for the building code: their Data indices in
// pick_list (-1 the rest), at most PICK_LIST_CAP; the count.
constexpr int PICK_LIST_SIZE = 100;
constexpr int PICK_LIST_CAP = 20;
extern int32_t pick_list[PICK_LIST_SIZE];
extern int32_t pick_list_count;
int collect_pickable_at(int x, int y);
// Flag 0: pushes what the player chooses at the feet to a chosen square,
// or packs it on the player's animal standing there. Any other flag: the
// entries still chosen in the selection list are moved to (x, y).
void push_or_pack_items(int flag, int x, int y);
// Stops hauling and releases the hauled items (-1 the player).
void stop_hauling(int creature);
// The number of the player's hauled items lying on the map.
int hauled_items_on_map();
// The equipment commands the dispatcher reaches by their activity codes
// (420, 423, 426) are in objects/wear_commands.h; dropping and hauling in
// objects/hauling.h.
