// The map information panel beside the map view, the place texts, the
// terrain picture of a world cell and the cultural-region legend.
#pragma once

#include "maps/culture_regions.h"  // the region colours

#include <cstdint>
// The cultural-region legend over a world picture whose top-left is (x, y).
void draw_culture_legend(int x, int y);

// The last place text shown (the panel redraws its name part on a change),
// and its placeholder before any place has been named in a game.
extern char last_place_text[100];
extern const char* const LAST_PLACE_PLACEHOLDER;

void draw_map_info_panel();
void refresh_map_panel();
// The place text of a world cell; given 0 takes the player's position.
const char* world_place_text(int world_x, int world_y, int given);
// The picture name of a world cell's terrain ("terrain-..." with ".jpg").
const char* terrain_picture_name(int world_x, int world_y);
// The arrival picture of a world cell (its 400 x 300 form when there is
// one) in a frame over the map; false for plain ground or without a picture.
bool show_arrival_picture(int world_x, int world_y);
int is_terrain_around_player(const char* codes);
int count_fell_cells(int x, int y);
int is_mixed_habitat_block(int x, int y);
int is_sea_bay_block(int x, int y);
void draw_scale_bar(int x, int y, int length, const char* legend);
