#include "creatures/creature_behaviour.h"

#include "base/stubs.h"

// Not built yet: the creatures' turns, steps, speech, tasks and the
// villagers' watch come with their own parts; each answer is neutral.
int cre_update_target(int) { KSM_STUB("cre_update_target"); return 0; }
void cre_leave_party(int) { KSM_STUB("cre_leave_party"); }
void order_pet_to_eat(int) { KSM_STUB("order_pet_to_eat"); }
int find_requisite_near(int, int, int out[3], int, int, int) {
    KSM_STUB("find_requisite_near");
    if (out) out[0] = out[1] = out[2] = 0;
    return 0;
}
int plr_near_village(int) { KSM_STUB("plr_near_village"); return 0; }
void village_confront_troublemaker(int, int, int) { KSM_STUB("village_confront_troublemaker"); }
int villager_notice_unpaid_goods(int) { KSM_STUB("villager_notice_unpaid_goods"); return 0; }
