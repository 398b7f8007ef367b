// The passes that dress a local map: single trees, bushes and rocks
// scattered by chance, rocks, stones, tree trunks and branches lying on
// the ground, an ant nest, and the wild plants of the flora files placed
// where their habitat, region, soil and neighbours allow.
#pragma once

#include <cstdint>

// One random cell becomes the code when it is level with its four
// neighbours and its ground allows (never on base rock; on crag one time
// in ten).
void scatter_terrain(int code);
int scatter_cell_ok(int x, int y);
// 1 when a cell within r of (x, y) has a terrain with one of the flags.
int terrain_flag_near(int x, int y, int r, uint32_t flag_mask);
// Mode 1 big rocks, rocks and stones; mode 2 trunks and branches by the
// trees; mode 3 an ant nest in coniferous forest.
void scatter_rocks_and_wood(int mode);
// The wild plants of the flora files on the cell being made.
void terrain_vegetation();
// Places the plants of item type `type_index` on cells of the platform
// code: about `count_base` of them, in groups of the plant's POPULATION.
void setplant(int platform, int count_base, int type_index);
// Whether a REGION text ("north", "south", "east", "west"; empty for
// everywhere) admits world cell (x, y).
int region_matches(const char* region_text, int x, int y);
// How many steps out from (x, y) the four cells left, right, above and
// below are all water (beyond the map counts as water); 1000 past 24.
int water_reach(int x, int y);
// 1 when a cell with both coordinates in 1..63 within r of (x, y) has the
// terrain code.
int terrain_near(int x, int y, int code, int r);
