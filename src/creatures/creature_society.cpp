#include "creatures/creature_society.h"

#include "base/stubs.h"

// Not built yet: nobody has an identity, a culture, a group or marks; no
// one joins a village and no one carries goods home.
uint32_t cre_sotu(int) { KSM_STUB("cre_sotu"); return 0; }
int cre_culture(int) { KSM_STUB("cre_culture"); return -1; }
int cre_group_id(int) { KSM_STUB("cre_group_id"); return 0; }
int cre_meeting_count(int) { KSM_STUB("cre_meeting_count"); return 0; }
int cre_is_villager(int) { KSM_STUB("cre_is_villager"); return 0; }
int cre_has_social_mark(int, int) { KSM_STUB("cre_has_social_mark"); return 0; }
void cre_set_social_mark(int, int) { KSM_STUB("cre_set_social_mark"); }
int assign_group_to_ungrouped_people(int, int, int, int, int) { KSM_STUB("assign_group_to_ungrouped_people"); return 0; }
int count_group_on_map(int) { KSM_STUB("count_group_on_map"); return 0; }
int cre_take_stored_goods(int, int*, int*, int) { KSM_STUB("cre_take_stored_goods"); return 0; }
void cre_drop_socroles(int) { KSM_STUB("cre_drop_socroles"); }
