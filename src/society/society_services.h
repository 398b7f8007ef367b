// Services of the villages, quests and spirits that the objects and the
// creatures ask for: item debts and their collection, a village's land and
// people, greetings and talks, quests, the player's knowledge, rituals and
// the spirits' moods. Not built yet: neutral answers (see each).
#pragma once

#include "society/villages.h"

// Item debts of the current village, or of a named one.
void add_item_debt(int object_id, int count);
void add_village_item_debt(int village, int object_id, int count);
// Non-zero when a debt was removed.
int remitemdebt(int village, int object_id, int count);
void refresh_village_debts(VillageRecord& record);
void set_debt_collection_state(int village, int state);
void set_debt_collection_deadline(int village, int minutes, int level);
void clear_debt_collection(int village);
void forgive_village_debt(int village);
void village_turn_hostile(int unused, int village);
// Loads a village as the current one.
void set_current_village(int village);
void CurVillage(int village);
// A village's land, people and things.
int village_owns_cell(int village, int world_x, int world_y);
int distance_to_village(int village, int world_x, int world_y);
int count_villagers_on_map(int village);
int is_displaced_village_item(int map_index, int village);
void village_has_displaced_items(int village);
void assign_village_id(int world_x, int world_y, int code);
void record_village_visit(int creature);
void clear_trade_piles();
// The standing and familiarity chat lines go by.
int village_reputation(const VillageRecord& record);
int plr_familiarity(int unused, const VillageRecord& record, int creature);
int cre_weapon_count_at_least(int creature, int count);
// Greetings (chat-line keys, "" for none) and talks.
const char* greeting_line(int creature);
const char* long_absence_greeting(int creature, int visits);
void talk_command(int mode);
void talk_debt(int villager, int key);
void talk_with_creature(int creature, int key);
// 1 when the quest's file was read into the buffer.
int read_quest_record(int quest, void* buffer, int size);
// The player's knowledge, rituals and the spirits.
int plr_knowledge_bit(int knowledge, int bit);
int bear_skull_in_pine(int x, int y);
void capercaillie_ritual_check(int x, int y);
// The day of the last water offering (0 none).
extern int32_t water_offering_day;
// The new mood of the nearest spirit of the kind (700-702).
int spirit_mood_add(int x, int y, int spirit_kind, int change);
// The forest spirit speaks one of its sayings to the player.
void forest_spirit_advice();
