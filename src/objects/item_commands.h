// The item and activity commands the player's keys reach: activities by
// code, picking up, discarding, equipment, and the per-command upkeep of
// the map-object table. Not built yet: neutral answers.
#pragma once

#include <cstdint>

#include "objects/map_object_table.h"  // compact_map_objects, purge_map_objects
#include "objects/object_store.h"

// Runs one player activity by its code (argument and text as the activity
// needs); remembers it for the repeat key.
void perform_activity(int code, int argument, const char* data);
// The last activity's code, argument and text (for the repeat key "r").
extern int32_t last_activity_code;
extern int32_t last_activity_argument;
extern char last_activity_data[100];
// On the world map: the refusal message and non-zero; on a local map 0.
int world_map_refusal();
// The same refusal as fishing asks for it.
inline int fishing_world_map_refusal() { return world_map_refusal(); }
// The object maintenance pass, run by the command reader while
// obj_table_nearly_full is set (and by the store when it has no free slot).
void object_maintenance();
// The fire-burn mark of the turn, cleared before every command.
extern uint8_t fire_burn_mark;
// Shared by the map-object update and the map loader; cleared every command.
extern uint8_t object_turn_flag;
void discard_items_command();
void examine_carried_equipment();
void exchange_weapons();
void pick_up_command(int x, int y, int wield);
void pick_from_command(int wield);
// Stops hauling and releases the hauled items (-1 the player).
void stop_hauling(int creature);
// The number of the player's hauled items lying on the map.
int hauled_items_on_map();

// ---------------------------------------------------- hands, names, weights

// The object id wielded in hand 1 or 2 of a creature (-1 the player); 0 none.
int cre_wielded_item(int creature, int hand);
// The object's display name with its measure or contents (ring text); ""
// for an id that is no object.
char* obj_name_with_unit(int id, int count, int flags);
// A weight in pounds as text by the UNITS setting (kilograms when
// "METRIC"): flag 4 the unit word alone; flag 16 the number without the
// unit word (ring text).
char* weight_text(int flags, double pounds);
// A length in feet as text by the UNITS setting (metres, a third of the
// feet, when "METRIC"): flag 4 the unit word alone, flag 2 no unit word,
// flag 1 no decimals, flag 8 the whole length in the small unit; below a
// tenth of the unit the small unit (inches or centimetres) is used (ring
// text).
char* length_text(int flags, double feet);
