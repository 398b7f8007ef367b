// Heights: a height for every world cell from its terrain code, and the
// banded height field of the 7 x 7 world cells around a local map, spread
// over 64 x 64 local cells each by a seeded midpoint fill.
#pragma once

#include <cstdint>

constexpr int HEIGHT_BLOCK_SIDE = 65;  // the working square of one world cell
constexpr int BAND_GRID_SIDE = 448;    // 7 blocks of 64
constexpr int BAND_GRID_STRIDE = 449;  // the last byte of a row is not written
constexpr int BAND_BLOCKS = 7;
constexpr int HEIGHT_BANDS = 43;

extern uint8_t height_block[HEIGHT_BLOCK_SIDE * HEIGHT_BLOCK_SIDE];
extern uint8_t band_grid[BAND_GRID_SIDE * BAND_GRID_STRIDE];
extern uint32_t height_fill_seed;

// Height 0..255 of a world cell from the stored world terrain (y first);
// 50 outside the world and for codes without a height of their own.
int world_height_at(int world_y, int world_x);
// The height of a terrain code (50 for codes without a height of their own).
int terrain_code_height(int code);
// The band 1..43 of a height.
int height_band(int height);

void prepare_height_block(int world_y, int world_x);
void set_height_cell(int x, int y, int sum, int amplitude);
void midpoint_fill(int x, int y, int half, int amplitude, int threshold);
// Fills and bands the grid for the world cells (x0..x0+6, y0..y0+6): block
// (i, j) is world cell (x0 + i, y0 + j). Called with the player's world cell
// minus 3, so that the player's cell is block (3, 3).
void fill_height_blocks(int world_y0, int world_x0);
void height_bands();

// Copies the 64 x 64 bands of the world cell at (dx, dy) from the middle of
// the last fill (block (dx + 3, dy + 3), dx and dy -3..3) into dest with the
// given row stride. false for offsets outside the grid.
bool copy_band_block(int dx, int dy, uint8_t* dest, int dest_stride);
