#include "society/society_services.h"

#include "base/stubs.h"

int32_t water_offering_day = 0;

// Not built yet: no trade piles, no talks, no quests, no
// knowledge and calm spirits.
void clear_trade_piles() { KSM_STUB("clear_trade_piles"); }
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
// Not built yet: no spirit or ritual flag is set, no offering is timed
// and no quest holds an object.
int plr_spirit_flag(int) { KSM_STUB("plr_spirit_flag"); return 0; }
void set_plr_spirit_flag(int, int) { KSM_STUB("set_plr_spirit_flag"); }
int plr_ritual_flag(int) { KSM_STUB("plr_ritual_flag"); return 0; }
void start_water_offering(int) { KSM_STUB("start_water_offering"); }
int quest_held_object_ids(int*, int) { KSM_STUB("quest_held_object_ids"); return 0; }
