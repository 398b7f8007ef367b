// Item debts of the player to villages, their collection and forgiving;
// goods of a village lying away from their place; and the goods pool into
// which villagers gather goods until the village stores them.
#pragma once

#include <cstdint>

#include "society/villages.h"

// Adds a debt of `count` of the object to the current village: the index of
// the entry that holds it, or -1000 when the list is full (or count < 1).
int add_item_debt(int object_id, int count);
// The same on a named village, which is made current; its debts refreshed.
int add_village_item_debt(int32_t village, int object_id, int count);
// Pays `count` of the object off the village's debts: 1 when the whole
// count was covered, else 0 (also for a negative village). The object id -1
// with a count of 1 clears every debt.
int remitemdebt(int32_t village, int object_id, int count);
// Recomputes the has-debt flag, debt age and level and the trade-ban state
// of a special item; drops debts of objects that are gone.
void refresh_village_debts(VillageRecord& record);
float total_debt_value(const VillageRecord& record);
// Removes every debt; the objects lose their unpaid mark.
void remove_all_item_debts(VillageRecord& record);
void set_debt_collection_state(int32_t village, int state);
void set_debt_collection_deadline(int32_t village, int minutes, int level);
void clear_debt_collection(int32_t village);
// The village forgives the player's debts and remembers it: the reaction
// level 0-3.
int forgive_village_debt(int32_t village);

// 1 when the map item belongs to the village and lies away from its place.
int is_displaced_village_item(int map_index, int32_t village);
// Whether any such item lies on the map; kept in the record.
int village_has_displaced_items(int32_t village);

// Gathers `count` of the object into the village's goods pool: false when
// nothing was stored (the caller keeps the goods).
bool add_to_village_pool(int object_id, int32_t village, int count);
// Puts the pool's goods into the village's storage places, when the
// village's area is on the loaded local map; what could not be stored stays.
void flush_village_pool(int32_t village);
// A villager puts the goods it carries for storing into the village's
// storage places: 1 when it qualified.
int cre_store_goods(int creature);

// Whether a terrain code 'a'-'g', 'i' or 'l' lies in columns x-3..x+3 of
// the rows y..y+4.
bool letter_terrain_near(int x, int y);
// Whether a fireplace, sauna stove, bunk or table (4, 5, 19, 240) lies
// within 3 cells.
bool dwelling_furniture_near(int x, int y);
