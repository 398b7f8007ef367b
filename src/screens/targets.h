// Choosing targets and locations on the map view: a free cursor over the
// view with the creatures in view to cycle through, a direction chooser for
// the eight neighbouring squares, and the small choosers that skip the
// question when the answer is obvious.
#pragma once

#include "maps/map_view.h"  // target_x, target_y

#include <cstdint>

constexpr int TARGET_LIST_MAX = 100;
struct TargetEntry {
    int32_t creature;
    int32_t distance;
};
// The creatures in view, nearest first.
extern TargetEntry target_list[TARGET_LIST_MAX];
extern int32_t target_count;
// target_cursor_x, target_cursor_y and targeting_active: maps/map_view.h.

// Mode bits of choose_target_location.
constexpr int TARGET_FREE = 1;       // free cursor, target list, ENTER selects
constexpr int TARGET_DIRECTION = 2;  // a direction key chooses the neighbour at once
constexpr int TARGET_UNSEEN_OK = 4;  // unseen cells may be chosen
constexpr int TARGET_START_ON_CREATURE = 8;
constexpr int TARGET_OWN_CELL = 16;  // the player's own cell may be chosen

// The chosen cell's terrain code in the low byte (32 outside the world
// grid), 0 when cancelled.
int choose_target_location(int mode, const char* prompt);
// The one neighbour whose terrain code is in `codes`, or a direction choice.
int choose_adjacent_square(const char* prompt, const char* codes);
// A cell with a map object of `kind` near the player (flags: 1 the 3 x 3
// around, 2 only acceptable cells, 4 the own cell first, 8 skip skinned
// carcasses); the terrain code or 0.
int choose_work_location(int kind, const char* prompt, int* out_x, int* out_y, int flags);
// A direction choice that must be open ground; the terrain code or 0.
int choose_open_location(const char* prompt);
// The creature on a cell (filter 1 companions and own animals, 2 tied or
// owned animals): -1 none, -1000 cancelled.
int choose_creature_at(int x, int y, int filter);
void build_target_list();
void draw_target_cursor(int x, int y);
// The marker tiles of the tracking display ("" none: nothing is drawn).
extern char cell_marker_tile[32];
extern char cell_marker_seen_tile[32];
// 1 for a cell in the view window (drawn there when seen), 0 outside.
int draw_cell_marker(int x, int y);
// 1 only for a cell that is seen.
int draw_cell_marker_seen(int x, int y);

// The offset (dx, dy) of a direction code.
void direction_offset(int direction, int* dx, int* dy);
// Forgets the remembered targeting (a cancel or a move does it).
void forget_targeting();
