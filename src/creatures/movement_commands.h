// The player's movement commands: steps, doors, hiding, walking or
// running, swimming. Not built yet: neutral answers.
#pragma once

// 1 forward, -1 backward, 100 + k a step toward compass direction k
// (clockwise from north) without turning.
void MovePlayer(int code);
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
