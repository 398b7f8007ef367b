#include "society/villages.h"

#include <cstring>

#include "console/console.h"

int32_t current_village_id = NO_VILLAGE;
VillageRecord current_village;

void clear_current_village() {
    current_village_id = NO_VILLAGE;
    std::memset(&current_village, 0, sizeof current_village);
}

// Not built yet: there is no village file to write the record into.
bool save_village(int32_t, const VillageRecord&) {
    note_stub_call("save_village");
    return true;
}

// Not built yet: camps come with the society subsystem.
void create_npc_camp(int, int, int, int, int, int) { note_stub_call("create_npc_camp"); }
