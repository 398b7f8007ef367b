// The view window of the map view: its half sizes and the in-view test.
#pragma once

#include <cstdint>

// Half-width and half-height of the view in cells, set by the map view's
// geometry.
extern int32_t view_half_w;
extern int32_t view_half_h;

// 1 when the cell is inside the view window around the player and marked
// as seen this turn (its view mark is not ':').
int is_in_view(int x, int y);
