// What the creatures' turns look up again and again while the map objects
// take their turn: the rows of the living creatures, and the creatures,
// fires and traps of a cell. Built when a walk over the map objects starts
// and kept up as creatures step; outside a walk every lookup is made anew
// from the table. Every row found is checked against the table before it
// is used.
#pragma once

#include <vector>

// A creature's turn starts (its map row): a row not after the last one
// means a new walk, and the index is built again.
void turn_index_note_act(int map_index);
// The rows of the creatures on the map (kind 4 when the index was built).
const std::vector<int>& creature_rows();
// The rows of creatures, fires and traps standing on (x, y), at most cap,
// into out; the number found.
int rows_at_cell(int x, int y, int* out, int cap);
// A creature's record moved from (ox, oy) to (x, y).
void turn_index_moved(int row, int ox, int oy, int x, int y);
// The per-game reset.
void reset_turn_index();
