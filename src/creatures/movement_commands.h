// The player's movement commands: steps, doors, hiding, walking or
// running, swimming. The plain step on foot is built; the others give
// neutral answers for now.
#pragma once

#include <cstdint>

// The player's cell before the last step.
extern int32_t previous_x;
extern int32_t previous_y;
// 0 refused, 2 a step was taken.
extern uint8_t last_step_result;
// The direction of the player's last step taken, 0-7 counter-clockwise from
// east (0 east, 2 north, 4 west, 6 south).
extern uint8_t last_step_direction;
// Distance walked: +0.1 per world-map step, +0.002 per local-map step.
extern float walk_distance;

// The per-game reset of the player's movement: the previous cell, the last
// step's result and direction, and the distance walked.
void reset_movement_state();

// 1 forward, -1 backward, 100 + k a step toward compass direction k
// (clockwise from north) without turning. A step moves the player on the
// current map, advances the clock by the terrain's step time and sets
// turn_time_state to 2; a refusal (outside the map, an obstacle, open
// water) costs nothing and leaves it 0.
void MovePlayer(int code);
// The target cell of a step code from (x, y) with the given facing
// (0 east, counter-clockwise); 0 for code 0 (the current cell).
int step_target(int code, int x, int y, int heading, int* tx, int* ty);
// The step time factor of the target cell's terrain code.
double step_time_factor(int code);
void movement_menu();
void toggle_hiding();
void toggle_walk_run();
// Turn cost 0 or 1; (0, 0) asks where.
int open_door(int x, int y);
int close_door();
// The player's step into or within water.
void plr_enter_water(int x, int y);
// "Walking", "Swimming", ... (ring text).
const char* movement_mode_text();
