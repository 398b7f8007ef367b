#include "society/villages.h"

#include <cstring>

#include "base/stubs.h"
#include "console/console.h"

int32_t current_village_id = NO_VILLAGE;
VillageRecord current_village;

void clear_current_village() {
    current_village_id = NO_VILLAGE;
    std::memset(&current_village, 0, sizeof current_village);
}

// Not built yet: there is no village file to write the record into.
bool save_village(int32_t, const VillageRecord&) {
    KSM_STUB("save_village");
    return true;
}

// Not built yet: camps come with the society subsystem.
void create_npc_camp(int, int, int, int, int, int) { KSM_STUB("create_npc_camp"); }

StandingBlock neutral_standing(int creature) {
    StandingBlock block{};
    for (int c = 0; c < 6; ++c) {
        if (c == STANDING_VISITOR) continue;
        block.category[c].level = 3;
        block.category[c].weight_class = 1;
    }
    block.overall_level = 3;
    block.familiarity_level = 0;  // creature familiarity comes with the people of the villages
    return block;
}

StandingBlock talk_standing = neutral_standing(-1000);

// Not built yet: everybody calls the player a stranger.
const char* plr_address_term(int creature, int flags) { KSM_STUB("plr_address_term"); return (flags & 1) ? "Stranger" : "stranger"; }
