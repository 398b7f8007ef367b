// The world map files of a character: terrain ("WORLD.DAT"), remembered map
// ("WORLD.PLM"), the world's map objects ("DATA.DAT") and the culture grid
// ("kulttuuri.dat" with its backup "kulttuuri.bak").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/map_object_table.h"

constexpr long long WORLD_FILE_SIZE = 6296577;
constexpr long long WORLD_DATA_FILE_SIZE = 360000;
constexpr long long CULTURE_FILE_SIZE = 6144;
constexpr int CULTURE_CODES = 14;    // codes 0..13
constexpr int CULTURE_MAX_ZEROS = 1536;  // more zero bytes: the grid is corrupt

enum {
    CB_MIN_X, CB_MIN_Y, CB_MAX_X, CB_MAX_Y, CB_WIDTH, CB_HEIGHT,
    CB_THIRD_W, CB_THIRD_H, CB_CENTRE_X, CB_CENTRE_Y, CB_FIELDS
};
extern int32_t CultureBounds[CULTURE_CODES][CB_FIELDS];

// The world map's objects, kept while a local map is current.
extern MapObject world_data_copy[MAP_OBJECT_COUNT];

// The day of the last save of the world map.
extern int32_t world_last_visit_day;

// The path of a file in the character folder ("folder/name").
std::string character_file(const char* name);

// Game start and world-map load. A missing or damaged "WORLD.DAT" falls back
// to "WORLD.BAK"; with neither the program ends with a message.
void load_world_files();
// For a name without "BIGMAP" the local map is saved instead. False when a
// file could not be written (the failure is shown on the message line).
bool save_world_layers(const char* map_name);
void save_world_data();
void load_world_data_copy();
// Changes one stored world cell (on the world map the current terrain
// layer too). "WORLD.DAT" follows with the next save that writes the map's
// layers, in the same commit as the rest of the game.
void set_stored_world_terrain(int x, int y, uint8_t code);
// True while changed cells wait for that save.
bool stored_world_unsaved();
// Cells changed in place of the table, or a save that failed after it
// staged the world file: the next save writes the file.
void mark_stored_world_changed();
inline void set_world_terrain(int x, int y, uint8_t code) { set_stored_world_terrain(x, y, code); }
void add_river_fords();
int water_depth_at(int x, int y);

// Whether bytes of an unlisted copy can be the world terrain (its column
// and row past the world zero, the world itself not empty) or a culture
// grid (codes 0..13, at most 1,536 empty blocks).
bool world_file_plausible(const void* data, size_t size);
bool culture_file_plausible(const void* data, size_t size);

// 1 when the grid was taken from "kulttuuri.dat" or its backup.
int load_culture_grid();
// Writes "kulttuuri.dat" and its backup. A damaged grid in memory is not
// written: it is read back from the files instead. False when a file could
// not be written, or when neither file holds a whole grid to go back to.
bool save_culture_grid();
int culture_neighbour_count(int y, int x, int code);
void compute_culture_bounds();
float float_abs(float value);
