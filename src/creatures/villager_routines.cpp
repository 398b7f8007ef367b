#include "creatures/villager_routines.h"

#include "base/stubs.h"

// Not built yet: the villagers keep to their turns without errands,
// reactions, dressing or main activities.
void villager_queue_fetch_goods(int) { KSM_STUB("villager_queue_fetch_goods"); }
int villager_queue_pick_up(int) { KSM_STUB("villager_queue_pick_up"); return 0; }
int cre_wear_armour(int) { KSM_STUB("cre_wear_armour"); return 0; }
int cre_call_to_talk(int, int) { KSM_STUB("cre_call_to_talk"); return 0; }
int cre_stay_with_group(int) { KSM_STUB("cre_stay_with_group"); return 0; }
int cre_run_main_task(int) { KSM_STUB("cre_run_main_task"); return 0; }
int cre_reached_settlement(int, int, int) { KSM_STUB("cre_reached_settlement"); return 0; }
