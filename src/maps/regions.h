// Region names of the world map: every block of 32 x 32 world cells has a
// two-part name, shown in the world's own language and in English, chosen
// when the world is made and kept in the character folder as "names.dat".
#pragma once

#include <cstddef>
#include <cstdint>

#include "maps/map_layers.h"

constexpr int NAME_PART_COUNT = 256;
constexpr int NAME_PART_BYTES = 16;
constexpr int CUSTOM_REGION_NAMES = 255;
constexpr int CUSTOM_NAME_BYTES = 32;
constexpr long long REGION_NAMES_FILE_SIZE = CULTURE_CELLS * 2;  // 12,288

extern char first_parts[2][NAME_PART_COUNT][NAME_PART_BYTES];   // [language]
extern char second_parts[2][NAME_PART_COUNT][NAME_PART_BYTES];  // [language]
extern char custom_region_names[CUSTOM_REGION_NAMES][CUSTOM_NAME_BYTES];
// One code per block, (wy / 32) * 96 + wx / 32: second part * 256 + first
// part, or with the top bit set an entry of custom_region_names.
extern uint16_t region_name_codes[CULTURE_CELLS];
extern char last_region_name[CUSTOM_NAME_BYTES];

void init_region_name_parts();
// Chooses the code of block (bx, by) from the terrain of terrain_layer.
void make_region_name_code(int bx, int by);
// Names every block of the world in terrain_layer and writes "names.dat".
// false when the file could not be written.
bool generate_region_names();
// Reads "names.dat" of the character folder; false (codes unchanged) when
// it is missing or not exactly 12,288 bytes.
bool load_region_names();
bool save_region_names();

// The name of the block of world cell (wx, wy): language 0 the world's
// own, any other English. Two blanks outside the world.
void region_name(int wx, int wy, int language, char* out, size_t cap);
// The same for callers that pass a flag for the language; nothing is
// written for a cell outside the world.
void region_name_at(int wx, int wy, int flag, char* out, size_t cap);
// The same in a ring text.
char* region_name_text(int world_x, int world_y, int language);

// "%s \"%s\"": the region name of a world cell in the first language, then
// the second language's form in quotes (ring text).
char* region_names_text(int world_x, int world_y);

// distance_text and the other place descriptions.
#include "maps/culture_regions.h"
