// The state of the turn.
#include "game/turn_state.h"

#include <cstring>

int32_t quit_state = 0;
uint8_t turn_time_state = 0;
int32_t tactical_advantage = ADVANTAGE_NOBODY;
int32_t last_tactical_advantage = ADVANTAGE_NOBODY;
uint8_t view_rebuild_request = 0;
uint8_t enter_place_request = 0;
uint8_t map_change_request = 0;
int32_t recentre_request = 0;
uint8_t encounter_state = 0;
int32_t encounter_hour = 0;
int32_t quit_now = 0;
uint8_t move_turn_count = 0;
char character_name[128] = {};
char install_folder[1024] = {};

int32_t facing = 0;

const uint8_t game_constant_table[GAME_CONSTANT_ROWS][GAME_CONSTANT_VALUES] = {};
uint8_t game_constant_work[GAME_CONSTANT_ROWS][GAME_CONSTANT_VALUES + 1] = {};

void copy_game_constants() {
    for (int row = 0; row < GAME_CONSTANT_ROWS; ++row)
        std::memcpy(&game_constant_work[row][1], game_constant_table[row], GAME_CONSTANT_VALUES);
}
