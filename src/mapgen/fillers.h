// The world-code fillers: each paints the pattern of one world terrain code
// on the working local map (forests, mires with their ponds, heath,
// cliffs, mountains, caves, fields), with the shape tools they are made
// of; and the edge blending, by which a shore or a hillside takes on the
// look of the land beyond it.
#pragma once

#include <cstdint>

#include "maps/map_layers.h"

// The scratch grid of the shape tools: 1 marks a cell of the last shape.
extern uint8_t blob_mask[64 * 64];

// Paints the pattern of the world code at (wx, wy), which becomes the
// filler position; 1 when the code has a filler, else 0 (the map is left
// as it is).
int fill_world_code(int wx, int wy);

// Sides of the map for the edge strips.
enum { SIDE_NORTH = 1, SIDE_SOUTH = 2, SIDE_EAST = 3, SIDE_WEST = 4 };
// Copies the side's 8-cell strip of the working map into blend_map: cells
// with cover or with terrain other than Ground are taken and marked.
void copy_edge_strip(int side);
// Lays the marked strip cells (terrain and cover) over the finished map,
// except on water.
void yhdista();

// Shapes. make_blob grows a blob around (cx, cy) of about w x h cells;
// place_blob picks its centre and size by kind (1 large, 2 middling, 4
// small, 8 8 x 8), a non-zero x giving the centre; make_pond grows a pond
// of about size x size cells at a random place.
void make_blob(int cx, int cy, int w, int h);
void place_blob(int x, int y, int size_kind);
void make_pond(int size);
// What the last shape marks becomes: a surface kind where the height is
// at most `height_limit`; one band higher; a ground type.
void blob_set_cover_kind(int kind, int height_limit);
void blob_raise();
void blob_set_ground_type(int type);
// A large blob of the cover kind in the middle and, `rounds` times, small
// ones along the edges.
void cover_pattern(int cover_kind, int rounds);
// 409 rolls; each under the percent is one scatter try of the code.
void scatter_by_chance(int code, int percent);

// The fillers.
void fill_lichen_pine();
void fill_hill();
void fill_thicket();
void fill_grove_mix();
void fill_spruce_mire();
void fill_heath();
void fill_rock_ground();
void fill_cliff();
void fill_open_mire();
void fill_pine_mire();
// Chambers, the tunnel out along row 30, and what lives or lies inside.
void dig_cave();
void place_cave_contents();
// Turns the working map into the field of world cell (wx, wy): prepared
// soil and the crops of the cell's culture. Flag 1 (a village's own field)
// first turns old prepared soil back into ground and lays no big rocks.
void zoom_make_cultivated_field(int wx, int wy, int flag);
// A random cave-floor cell, else the first one in row order; (0, 0) when
// the map has none.
MapPoint find_cave_floor();
