// The current village.
#pragma once

#include <cstdint>

#include "base/platform.h"

constexpr int32_t NO_VILLAGE = -1000;

// One settlement's record, kept in "<folder>/<name>.VIL". Its fields come
// with the society subsystem.
struct VillageRecord {
    int32_t soc;          // the village id
    uint8_t rest[11424];
};
KSM_RECORD(VillageRecord, 11428);

// Id of the village whose record is loaded; NO_VILLAGE when none.
extern int32_t current_village_id;
// The record of the current village.
extern VillageRecord current_village;
// Forgets the current village: id NO_VILLAGE and its record cleared.
void clear_current_village();
// Writes a village record into the village file; false when it could not.
bool save_village(int32_t village_id, const VillageRecord& rec);
// Builds a camp of people of a new society at a world cell.
void create_npc_camp(int world_x, int world_y, int society_id, int culture_type, int count, int flags);

// The player's standing with a village, derived on demand and never stored.
struct StandingCategory {
    uint8_t level;         // 0-6, 3 = no opinion
    uint8_t weight_class;  // 0 for levels 0-1, 1 for 2-3, 2 for 4-6
    char phrase[100];
    char text[1024];
};
static_assert(sizeof(StandingCategory) == 1126, "StandingCategory is 1,126 bytes");
enum StandingCategoryIndex {
    STANDING_TRADE = 0, STANDING_THEFT, STANDING_MISCHIEF, STANDING_VIOLENCE, STANDING_VISITOR, STANDING_HELP
};
struct StandingBlock {
    StandingCategory category[6];
    uint8_t overall_level;
    uint8_t familiarity_level;
};
static_assert(sizeof(StandingBlock) == 6758, "StandingBlock is 6,758 bytes");

// The neutral block: level 3 everywhere but the empty visitor category,
// familiarity that of the given creature (-1000 for none).
StandingBlock neutral_standing(int creature);
// The conversation's copy of the player's standing with the village talked
// to; the neutral block when there is none.
extern StandingBlock talk_standing;
// The words by which a creature addresses the player ("stranger");
// flag 1 gives the capitalised form.
const char* plr_address_term(int creature, int flags);
