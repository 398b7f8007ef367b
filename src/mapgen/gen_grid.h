// Cell access on the working local map for the generation passes: the
// 64 x 64 grid of zoom_work, and the questions about one cell that every
// pass asks. Nothing is ever read or written off the grid.
#pragma once

#include <cstdint>

#include "maps/local_store.h"
#include "maps/terrain_types.h"

constexpr int GEN_SIDE = 64;

// The cover byte: the surface in its low three bits, the ground type in
// bits 3 to 5.
constexpr uint8_t COVER_SURFACE_MASK = 0x07;
constexpr uint8_t COVER_GROUND_MASK = 0x38;
constexpr int COVER_GROUND_SHIFT = 3;
constexpr int SURFACE_LICHEN = 1, SURFACE_MOSS = 2;
constexpr int GROUND_BASE_ROCK = 1, GROUND_CRAG = 2;

// Terrain codes the generator lays.
enum : uint8_t {
    T_ROWAN = 8, T_BIRCH = 10, T_YOUNG_SPRUCE = 12, T_SPRUCE = 13, T_YOUNG_PINE = 17, T_PINE = 18,
    T_HIGH_CLIFF = 20, T_ALDER = 24, T_ANT_NEST = 29, T_BIG_ROCK = 39, T_SURFACE = 58, T_PREPARED_SOIL = 82,
    T_HILL = 91, T_CAVE_FLOOR = 96, T_FORD = 176, T_RAPIDS = 177, T_RIVER = 178, T_SHALLOW_SEA = 181,
    T_DEEP_WATER = 182, T_SHALLOW_WATER = 183, T_BUSHES = 237, T_WATER = 247, T_GROUND = 250,
};

inline bool on_gen_grid(int x, int y) { return unsigned(x) < unsigned(GEN_SIDE) && unsigned(y) < unsigned(GEN_SIDE); }
inline int gen_cell(int x, int y) { return y * GEN_SIDE + x; }
inline uint8_t& gen_terrain(int x, int y) { return zoom_work.terrain[gen_cell(x, y)]; }
inline uint8_t& gen_cover(int x, int y) { return zoom_work.cover[gen_cell(x, y)]; }
inline uint8_t& gen_height(int x, int y) { return zoom_work.height[gen_cell(x, y)]; }
inline int gen_ground_type(int x, int y) { return (gen_cover(x, y) & COVER_GROUND_MASK) >> COVER_GROUND_SHIFT; }
inline void set_gen_ground_type(int x, int y, int type) {
    gen_cover(x, y) = uint8_t((gen_cover(x, y) & ~COVER_GROUND_MASK) | ((type << COVER_GROUND_SHIFT) & COVER_GROUND_MASK));
}
inline bool is_water_code(int code) { return (terrain_flags_of(code) & TF_WATER) != 0; }
// A height as the map keeps it: 1..255.
inline uint8_t height_value(int h) { return uint8_t(h < 1 ? 1 : h > 255 ? 255 : h); }
