// The player's standing with a village, derived on demand from the village
// record's counters and never stored; familiarity; the words by which people
// address the player; and a village's reactions to repeated offences.
#pragma once

#include <cstdint>

#include "society/villages.h"

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

// Familiarity 0-6 from a first count (meetings) and a second (talks).
int familiarity_level(int second, int first);
// The player's familiarity with a village (record, or nullptr) or, without
// one, with a creature (slot, or -1000 for none).
int plr_familiarity(const VillageRecord* village, int creature);
// The standing the village's counters give.
StandingBlock village_reputation(const VillageRecord& village);
// The neutral block: level 3 everywhere but the empty visitor category,
// familiarity that of the given creature (-1000 for none).
StandingBlock neutral_standing(int creature);
// The conversation's copy of the player's standing with the village talked
// to; the neutral block when there is none.
extern StandingBlock talk_standing;
// The words by which a creature addresses the player (ring text); flag bit
// 0 marks the player as a nuisance. A negative slot gives "tribesman" or
// "tribeswoman".
const char* plr_address_term(int creature, int flags);

// The village's reaction after an assault: 0 none, 2 banished for 30 days
// (more than 10 assaults), 3 for 180 days (more than 20).
int village_turn_hostile(int32_t village);
// The reaction after mischief (the pending mischief is counted first): 0,
// 2 banished for 7 days (5-9), 3 for 30 days (10 or more).
int village_react_to_mischief(int32_t village);
// Banishes the player from the current village for `days` (a banishment
// under way stays as it is); answers `reaction`.
int banish_player(int reaction, int days);
// Stamps an incident on the current village (flag, day, minute).
void stamp_village_incident();
