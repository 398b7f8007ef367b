// The layers of the current map (world map or one local map), the stored
// copies of the world while a local map is current, the culture grid, and
// the conversions between local and world coordinates.
#pragma once

#include <cstddef>
#include <cstdint>

// Every layer is a byte grid of MAP_STRIDE x MAP_ROWS; cell (x, y) is byte
// y * MAP_STRIDE + x. Accessors admit x 0..3071 and y 0..2047; the extra
// column and row are only ever cleared with the rest.
constexpr int MAP_STRIDE = 3073;
constexpr int MAP_ROWS = 2049;
constexpr size_t MAP_CELLS = size_t(MAP_STRIDE) * MAP_ROWS;  // 6,296,577
constexpr int WORLD_W = 3072;
constexpr int WORLD_H = 2048;

// Culture grid: one code per 32 x 32 world cells, 96 per row, 64 rows.
constexpr int CULTURE_COLS = 96;
constexpr int CULTURE_ROWS = 64;
constexpr int CULTURE_CELLS = CULTURE_COLS * CULTURE_ROWS;  // 6,144

// Local-map geometry: five blocks of 64 cells per axis from local 72; the
// middle block (200..263) is the world cell at the local map's origin.
constexpr int ZOOM_BLOCK = 64;
constexpr int ZOOM_FIRST = 72;   // first cell of the play area
constexpr int ZOOM_LAST = 391;   // last cell of the play area
constexpr int ZOOM_MIDDLE = 200; // first cell of the origin's block

constexpr uint8_t CODE_OUTSIDE = 32;  // terrain read outside the grid
constexpr uint8_t VIEW_UNSEEN = ':';  // view mark: not in view

// The layers (static storage, they live for the whole run).
extern uint8_t terrain_layer[MAP_CELLS];
extern uint8_t remembered_layer[MAP_CELLS];
extern uint8_t cover_layer[MAP_CELLS];
extern uint8_t height_layer[MAP_CELLS];
extern uint8_t view_layer[MAP_CELLS];
extern uint8_t drawn_layer[MAP_CELLS];
extern uint8_t view_extra_layer[MAP_CELLS];
// The world, kept while a local map is current (and mirrored on the world map).
extern uint8_t stored_world_terrain[MAP_CELLS];
extern uint8_t stored_world_remembered[MAP_CELLS];

extern uint8_t culture_grid[CULTURE_CELLS];

// 1 while the world map is current, 2 for a local map (set by is_world_map).
extern uint8_t map_kind;

// The player's position: local cells on a local map, world cells on the
// world map; -1 in x marks a player not yet placed.
extern int32_t player_x;
extern int32_t player_y;

inline bool in_world_grid(int x, int y) {
    return unsigned(x) < unsigned(WORLD_W) && unsigned(y) < unsigned(WORLD_H);
}
inline size_t map_index(int x, int y) { return size_t(y) * MAP_STRIDE + size_t(x); }

// 1 when the current map name is exactly "BIGMAP". A pure question apart
// from setting map_kind.
int is_world_map();

uint8_t terrain_at(int x, int y);              // 32 outside the grid
uint8_t stored_world_terrain_at(int x, int y); // 32 outside the grid
uint8_t view_layer_at(int x, int y);           // ':' outside the grid
uint8_t remembered_at(int x, int y);           // 32 outside the grid

// On the world map the stored world is changed too (and its file); on a
// local map only the terrain layer. Cells outside the grid are ignored.
void set_terrain_at(int x, int y, uint8_t code);

// On a local map deep and shallow water (182, 183) become plain water (247).
void clear_water_depth_codes();

struct ZoomBlock {
    int d;      // world offset -2..2 from the origin
    int first;  // first local coordinate of the block
};
// Any coordinate outside 72..391 answers the fifth block (2, 328).
ZoomBlock zoom_block_of(int coordinate);

int world_x_of(int x);
int world_y_of(int y);
inline int local_to_world_x(int x) { return world_x_of(x); }
inline int local_to_world_y(int y) { return world_y_of(y); }
int plr_world_x();
int plr_world_y();

struct MapRect {
    int x, y, w, h;
};
// The local rectangle of a world cell in the current 5 x 5 window; all zero
// on the world map or when the cell lies outside the window.
MapRect world_cell_local_rect(int wx, int wy);

// Culture of the world cell under a position of the current map (0 outside).
int culture_at(int x, int y);
int world_culture_at(int wx, int wy);
void set_culture_at(int x, int y, int code);

// Frees every map object at exactly (x, y) except creatures (4),
// carcasses (52) and kind 119.
void clear_cell_records(int x, int y);

struct MapPoint {
    int x, y;
};
// A random open cell 20..39 cells from the player on each axis and out of
// view; on a local map it stays inside the play area. After 1,000 failed
// tries the cell diagonally next to the player.
MapPoint random_spot_out_of_view();

int is_tree_at(int x, int y);

// Counts the game-course event of time spent on a local map: called once
// per pass of the game loop.
void count_local_map_turn();
