// Starting a new or saved game.
#pragma once

#include "game/player.h"


// Brings the chosen character's world into memory; 0 normally, -1 when the
// game already ended during the start.
int start_or_continue_game();
// The per-game set-up.
void prepare_game_state();
inline void per_game_setup() { prepare_game_state(); }
// Sets up the start scenario chosen at character creation, then clears it.
void run_start_scenario();
// The start-up scenarios' kits and scenes (1 a suitable cell, 2 a cleared
// area, 3-5 robbed, 6 the trapper's kit).
void scenario_move_to_suitable_cell();
void scenario_cleared_area();
void scenario_robbery(int scenario);
void scenario_trapper_kit();

// The migrations of an older record to the current format, run only for
// records older than the current format. Record below the oldest
// continuable format: false, nothing changed.
bool migrate_record(PlayerRecord& rec);
// The skill migrations alone (missing skills added, old names replaced).
void migrate_skills(PlayerRecord& rec);
// The object migrations of an older format, over the whole object store.
void migrate_objects();
// Seeds the first camps once per character (the record's camp mark).
void seed_first_camps(PlayerRecord& rec);
// The course flags of a started game: the two every game has, then one for
// each ritual of the record's list that a course asks about (3, 4, 20, 21).
constexpr int COURSE_START_FLAGS[2] = {1, 2};
void set_start_course_flags(const PlayerRecord& rec);
