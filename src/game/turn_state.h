// The state of the turn that the game loop and the game share: how the last
// command used time, who holds the tactical advantage, the request flags
// that the game loop consumes in order, and the current character's name.
#pragma once

#include <cstdint>

// quit_state: 1 leave (the game, and at the start menu the program),
// -1 the character is dead, anything else play on.
extern int32_t quit_state;

// How the last command used time: 0 none, 1 one 6-second turn added by the
// game loop, 2 the action advanced the clock itself, 3 a long task ran.
extern uint8_t turn_time_state;
constexpr uint8_t TURN_NO_TIME = 0;
constexpr uint8_t TURN_ONE_TURN = 1;
constexpr uint8_t TURN_CLOCK_ADVANCED = 2;
constexpr uint8_t TURN_LONG_TASK = 3;

// Holder of the tactical advantage: -1000 nobody, -1 the player, else the
// creature slot that acts again before the player.
constexpr int32_t ADVANTAGE_NOBODY = -1000;
constexpr int32_t ADVANTAGE_PLAYER = -1;
extern int32_t tactical_advantage;
extern int32_t last_tactical_advantage;

// Per-turn requests, consumed by the game loop in this order.
extern uint8_t view_rebuild_request;
extern uint8_t enter_place_request;
extern uint8_t map_change_request;
extern int32_t recentre_request;  // 1 = re-centre the local map
extern uint8_t encounter_state;   // 0 none, 1 world encounter, 2 ambient event, 3 spirit mood
extern int32_t encounter_hour;    // hour of the last encounter
extern int32_t quit_now;          // set by the quit confirmation: exit after the command

// Movement keys in a row that only turned the player.
extern uint8_t move_turn_count;

// The current character's name (also its folder name).
extern char character_name[128];
// The working folder at start-up.
extern char install_folder[1024];


// A table of 46 rows of five constants and its per-game working copy: rows
// of six bytes, the first of which the game keeps and the per-game set-up
// leaves alone; the set-up copies the five constants into the rest. The
// values belong to the part of the game that reads the working copy; until
// it comes they are all zero.
constexpr int GAME_CONSTANT_ROWS = 46;
constexpr int GAME_CONSTANT_VALUES = 5;
extern const uint8_t game_constant_table[GAME_CONSTANT_ROWS][GAME_CONSTANT_VALUES];
extern uint8_t game_constant_work[GAME_CONSTANT_ROWS][GAME_CONSTANT_VALUES + 1];
void copy_game_constants();

// The player's heading 0-7, counter-clockwise from east (0 east, 2 north).
extern int32_t facing;
