// Questions about places: height, ground and cover of a cell, indoors, ice
// and snow, nearest cells of a kind in the stored world, settlement and
// quest sites, and where a world cell lies on the local map.
#pragma once

#include <cstdint>

#include "maps/map_layers.h"

// Ground type 64 stands for marshland.
constexpr int GROUND_MARSH = 64;

// The spot list of the people's work code.
constexpr int SPOT_LIST_SIZE = 1024;
extern int32_t spot_list[SPOT_LIST_SIZE][2];
extern int32_t spot_count;
void clear_spot_list();

// Result of the last find_nearest_world_code search; x and y -1 and
// distance 1000 when nothing was found.
struct NearestCode {
    int x, y, direction, distance;
};
extern NearestCode nearest_code;

int height_at(int x, int y);
int cover_byte_at(int x, int y);
int ground_type_at(int x, int y);
int is_indoors_at(int x, int y);
// The cell one step ahead in the facing of a creature (-1 the player) and
// its terrain code (32 outside).
int cre_cell_ahead(int creature, int* out_x, int* out_y);

int is_world_site_code(int code);  // 30, 210, 211, 239
int site_within_radius(int x, int y, int r);
int is_world_site_at(int x, int y, int sites_only);
int is_world_row_run(int x, int y, int code);
int is_world_column_run(int x, int y, int code);
int is_open_coast_at(int x, int y);
int world_land_reach_at(int x, int y);
int find_nearest_world_code(int code, int x, int y, int size, int inner);
MapPoint pick_village_cell(int x, int y, int min_distance, int radius, int culture);
// flags: 1 same culture, 2 spruce mire only, 4 islet.
MapPoint pick_world_site_cell(int x, int y, int min_distance, int radius, int flags,
                              int culture, int code);
MapPoint pick_floor_cell_in_world_cell(int wx, int wy);
MapPoint find_penned_creature(int creature_type);
int find_nearest_water(int x, int y, int* out_x, int* out_y);
int find_nearest_land(int x, int y, int* out_x, int* out_y);
int find_islet_spot(int x, int y, int* out_x, int* out_y);
void paste_terrain_block(int x, int y, int width, int height);

int world_ice_thickness_at(int x, int y);
int ice_thickness_at(int x, int y);
int ice_holding_at(int x, int y);
// 0 holds, 1 breaks, 2 cracks.
int check_ice_breaks(int x, int y, int extra_weight, int use_world_ice);
// -1 no crust, 1 bears, 0 breaks, 2 bears with a chance.
int check_crust_breaks(int creature, int x, int added_weight, int y);
int snow_depth_at(int x, int y);
void do_break_ice(int x, int y);
void mark_zoom_creatures_on_world();
int can_spot_world_creature(int x, int y, int map_object);

// The weighing of ice and crust: wt and holds in grams as the rules count
// them (0 holds/bears, 1 breaks, 2 by chance with the draw below 10).
int ice_load_verdict(int thickness_mm, int pounds, int draw);
