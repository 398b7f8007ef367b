// One exchange of blows: the attack grade and the defence grade, looked up
// in the outcome table of the defence, told in one sentence, with the
// combat sounds, the tactical advantage and the nine bytes the attack
// resolver applies (impacts, stumbles, fumbles and the weapons' clash).
#pragma once

#include <cstdint>

#include "body/combat_state.h"

// One cell of an outcome table: a code and a level.
struct OutcomeCell {
    const char* code;
    int32_t level;
};
// The tables by defence kind (block, dodge, missile dodge, counterstrike;
// any other melee defence is undefended), rows the attack grade, columns
// the defence grade.
const OutcomeCell& outcome_cell(int defence_kind, int attack_grade, int defence_grade);

// The exchange. The combat state's attacker, defender and options are set
// before (and, for a missile, the flight's results). The outcome stays in
// exchange_outcome until the next exchange.
const ExchangeOutcome& resolve_exchange(int mode, int attack_grade, int defence_kind, int defence_grade);

// The tactical advantage: one holder (tactical_advantage of the turn's
// state; COMBAT_NOBODY none, -1 the player) and the last holder. Giving it
// to the last holder again, or to a second fighter while another holds it,
// leaves nobody holding it; COMBAT_NOBODY (or less) clears both.
void give_tactical_advantage(int fighter);
// Tells who holds it after an exchange; answers the holder.
int announce_tactical_advantage();

// What the exchange does besides telling: a combat sound by name, and the
// pause after a landed blow. Tests put their own here.
extern void (*exchange_sound)(const char* name);
extern void (*exchange_pause)(uint32_t milliseconds);
