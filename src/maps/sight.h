// Sight: the ray table, the ray walk over the current map, the octants,
// the player's sight distance and the point-to-point sight questions that
// the view, light sources and creatures use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "maps/map_layers.h"

constexpr int SIGHT_RAYS = 46;         // rays per octant
constexpr int SIGHT_RAY_BITS = 40;     // steps described by one ray pattern
constexpr int SIGHT_MAX_STEPS = 128;   // a walk never takes more steps
constexpr int SIGHT_BASE_WORLD = 25;   // sight distance on the world map
constexpr int SIGHT_BASE_LOCAL = 50;   // and on a local map

// The 46 ray patterns, 40 bits each, most significant bit first. Bit k says
// whether step k + 1 also moves along the minor axis.
extern const uint8_t sight_ray_patterns[SIGHT_RAYS][5];

// The per-ray step limits for the current sight distance.
extern int32_t sight_table[SIGHT_RAYS];
// The distance the table was last filled for (0 before the first fill).
extern int32_t sight_distance;
// Set while the player looks out from a climbed tree: the eye is at 200.
extern uint8_t tree_top_view;

// Cells lit in the last rebuild of the view: 3072 x 2048, rows of 3072.
constexpr size_t LIGHT_GRID_CELLS = size_t(WORLD_W) * WORLD_H;
extern uint8_t light_grid[LIGHT_GRID_CELLS];
inline size_t light_index(int x, int y) { return size_t(y) * WORLD_W + size_t(x); }
// 1 once a cell has been lit in this rebuild.
extern int32_t lights_on;
// Set when a settlement cell comes into sight for the first time.
extern int32_t settlement_sighted;

struct SightOctant {
    int x_step, y_step;
    bool major_x;  // the major axis is x
};
// Any octant number is taken modulo 8.
SightOctant sight_octant(int octant);

// Reads the 46 numbers of "linedist.arr". False with a clear text in
// `error` when the file is missing, short or holds something that is not a
// positive number. The numbers are read once and kept.
bool read_linedist_numbers(double out[SIGHT_RAYS], char* error, size_t error_size);
// Forgets the kept numbers (the next fill reads the file again).
void forget_linedist_numbers();
// Fills the sight table for sight distance d: entry i = ceil(number i x (d - 1)).
// A missing or damaged file ends the program with a message.
void load_linedist_table(int distance);
// The sight table from already read numbers (no file access).
void fill_sight_table(const double numbers[SIGHT_RAYS], int distance);

// The sight distance of the current map for a visibility factor v:
// min(base, max(1, ceil(base x min(1, v)))). The clock's rule for the
// light (sight_distance_for_light) under the name the map code uses.
int sight_distance_for_visibility(float visibility);

// Height of a cell for sight: on the world map by its terrain code, on a
// local map the height layer; 0 outside the map.
int sight_height_at(int x, int y);

// Walks one ray (see sight.cpp). With target_x 0 it marks every visible
// cell for the view and answers 0; otherwise 1 as soon as the walk reaches
// the target. viewer -1 is the player.
int cast_sight_ray(int ray, int x_step, int y_step, bool major_x, int from_x, int from_y,
                   int target_x, int target_y, bool unlimited, int viewer);
// The 46 rays of one octant from the player's cell, marking the view.
void cast_sight_octant(int octant);
// 1 when one of the octant's rays from (x, y) reaches (tx, ty).
int is_visible_in_octant(int octant, int x, int y, int tx, int ty, bool unlimited);
// 1 when (tx, ty) is seen from (x, y) in the octants facing - 2 .. facing + 1
// (all eight for facing -1), with the sight-table limit.
int is_point_visible_from(int x, int y, int tx, int ty, int facing);
// 1 when (tx, ty) is reached from (x, y) without the sight-table limit
// through the octants around its direction; a cell sees itself.
int can_see_point(int x, int y, int tx, int ty);
// A batch of walks while the map objects don't change (a view rebuild):
// the young trees are looked up once instead of at every tree cell.
void sight_batch_begin();
void sight_batch_end();
// 1 when the cell holds a young tree (birch or young spruce with a young
// plant mark).
int young_tree_at(int x, int y);
// The facing code 0..7 of the direction from (x, y) to (tx, ty).
int facing_toward(int x, int y, int tx, int ty);
