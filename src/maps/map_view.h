// The view window of the map view: its half sizes and the in-view test.
#pragma once

#include <cstdint>

#include "ui/boxes.h"  // view_half_w, view_half_h


// 1 when the cell is inside the view window around the player and marked
// as seen this turn (its view mark is not ':').
int is_in_view(int x, int y);

// The last chosen cell.
extern int32_t target_x, target_y;
// The cell under the targeting cursor and whether a place is being chosen
// now (the chooser publishes them; the map drawing draws the cursor there).
extern int32_t target_cursor_x, target_cursor_y;
extern bool targeting_active;
