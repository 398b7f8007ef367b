#include "society/society_services.h"

#include "base/stubs.h"

int32_t water_offering_day = 0;

// Not built yet: no debts, no villages on the map, no talks, no quests, no
// knowledge and calm spirits.
void add_item_debt(int object_id, int count) { KSM_STUB("add_item_debt"); }
void add_village_item_debt(int village, int object_id, int count) { KSM_STUB("add_village_item_debt"); }
int remitemdebt(int village, int object_id, int count) { KSM_STUB("remitemdebt"); return 0; }
void refresh_village_debts(VillageRecord& record) { KSM_STUB("refresh_village_debts"); }
void set_debt_collection_state(int village, int state) { KSM_STUB("set_debt_collection_state"); }
void set_debt_collection_deadline(int village, int minutes, int level) { KSM_STUB("set_debt_collection_deadline"); }
void clear_debt_collection(int village) { KSM_STUB("clear_debt_collection"); }
void forgive_village_debt(int village) { KSM_STUB("forgive_village_debt"); }
void village_turn_hostile(int unused, int village) { KSM_STUB("village_turn_hostile"); }
void set_current_village(int village) { KSM_STUB("set_current_village"); }
void CurVillage(int village) { KSM_STUB("CurVillage"); }
int village_owns_cell(int village, int world_x, int world_y) { KSM_STUB("village_owns_cell"); return 0; }
int distance_to_village(int village, int world_x, int world_y) { KSM_STUB("distance_to_village"); return 1000; }
int count_villagers_on_map(int village) { KSM_STUB("count_villagers_on_map"); return 0; }
int is_displaced_village_item(int map_index, int village) { KSM_STUB("is_displaced_village_item"); return 0; }
void village_has_displaced_items(int village) { KSM_STUB("village_has_displaced_items"); }
void assign_village_id(int world_x, int world_y, int code) { KSM_STUB("assign_village_id"); }
void record_village_visit(int creature) { KSM_STUB("record_village_visit"); }
void clear_trade_piles() { KSM_STUB("clear_trade_piles"); }
int village_reputation(const VillageRecord& record) { KSM_STUB("village_reputation"); return 0; }
int plr_familiarity(int unused, const VillageRecord& record, int creature) { KSM_STUB("plr_familiarity"); return 0; }
int cre_weapon_count_at_least(int creature, int count) { KSM_STUB("cre_weapon_count_at_least"); return 0; }
const char* greeting_line(int creature) { KSM_STUB("greeting_line"); return "GREET"; }
const char* long_absence_greeting(int creature, int visits) { KSM_STUB("long_absence_greeting"); return ""; }
void talk_command(int mode) { KSM_STUB("talk_command"); }
void talk_debt(int villager, int key) { KSM_STUB("talk_debt"); }
void talk_with_creature(int creature, int key) { KSM_STUB("talk_with_creature"); }
int read_quest_record(int quest, void* buffer, int size) { KSM_STUB("read_quest_record"); return 0; }
int plr_knowledge_bit(int knowledge, int bit) { KSM_STUB("plr_knowledge_bit"); return 0; }
int bear_skull_in_pine(int x, int y) { KSM_STUB("bear_skull_in_pine"); return 0; }
void capercaillie_ritual_check(int x, int y) { KSM_STUB("capercaillie_ritual_check"); }
int spirit_mood_add(int x, int y, int spirit_kind, int change) { KSM_STUB("spirit_mood_add"); return 0; }
void forest_spirit_advice() { KSM_STUB("forest_spirit_advice"); }
