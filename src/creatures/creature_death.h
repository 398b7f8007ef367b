// The end of a creature's life on the local map (cre_die:
// creatures/creature_errands.h) and the log of the player's kills.
#pragma once

#include <cstddef>

#include "creatures/creature_record.h"

// The character folder's log of the player's kills, one whole creature
// record per kill, appended to.
constexpr const char* KILL_LOG_FILE = "KILL.LOG";
// Kills not yet written: they join the next save.
size_t pending_kill_count();
// Appends the kills of this game's play since the last save to the log
// (joins the open save commit). False when the write failed; the kills are
// then kept for the next save.
bool save_kill_log();
// The per-game reset: no kills pending.
void reset_creature_death_state();
