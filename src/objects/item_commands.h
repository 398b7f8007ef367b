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
void pick_up_command(int x, int y, int wield);
void pick_from_command(int wield);
// Stops hauling and releases the hauled items (-1 the player).
void stop_hauling(int creature);
// The number of the player's hauled items lying on the map.
int hauled_items_on_map();
// The carrying commands the dispatcher reaches by their activity codes.
void drop_command();                                 // 424
void haul_command();                                 // 700
void push_or_pack_items(int flag, int x, int y);     // 701 with flag 0
void wear_command();                                 // 420
void wield_command(int slot, int quiet);             // 423 with -1000
void take_off_command();                             // 426
