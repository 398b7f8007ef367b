// Generation of a new world map: the relief passes (coastline, fells,
// lakes, forests), the rivers, the cultures with their sites and roads, the
// finishing pass, and writing the new world into the character folder.
#pragma once

#include <cstdint>

#include "maps/map_layers.h"

// The scratch heights of the relief passes: WORLD_W x WORLD_H bytes, cell
// (x, y) at y * WORLD_W + x, 0 = unset. Allocated by generate_world and kept
// until free_height_grid (the screen frees it when the world is accepted).
extern uint8_t* height_grid;
void free_height_grid();

// Progress of a generation: the step counter and the text shown under the
// picture. The bar shows ceil(step / 65 * 100) per cent, at most 100; a
// generation makes 66 steps, so its last one shows the bar full.
constexpr int WORLD_PROGRESS_STEPS = 65;
extern int world_progress_step;
// The per cent the bar showed at the last step.
extern int world_progress_percent;
extern char world_progress_text[128];
// Shows one step ("BARONLY" only advances the bar) and raises the counter.
// Draws only when the canvas exists, so that generation runs headless.
void world_progress(const char* text);

// What the passes leave for later passes and for tests.
struct WorldRiver {
    int drawn;           // 1 when a source was found and the river was walked
    int source_x, source_y;  // the sea cell the river starts from
    int end_x, end_y;    // where the main river (last continuation) ended
    int cells;           // cells marked by the river and its branches
};
constexpr int WORLD_RIVERS = 10;
struct WorldGenFacts {
    int coast_row_p, coast_col_q;  // P and Q kept by the coastline pass
    int river_end_found;           // the rapids-10 river recorded its end
    int river_end_x, river_end_y;
    WorldRiver rivers[WORLD_RIVERS];
    int sites[14];                 // settlement sites placed per culture
};
extern WorldGenFacts world_facts;

// Generates a whole new world into terrain_layer and culture_grid. false
// when done, true when the height grid could not be allocated (nothing is
// generated then). The random numbers come from ksm_rand: seed first.
bool generate_world();

// Writes "WORLD.DAT" (with "WORLD.BAK"), the culture grid and "names.dat"
// into the character folder. Nothing is written without a character name.
// true when the world files were written.
bool save_generated_world();

// One culture of the cultures pass: up to `count` sites drawn around the
// centre, their culture-grid blocks set. A culture gives up after 256 unfit
// draws in a row. Returns the number placed.
int place_culture(int row, int col, int radius, int count, int culture);

// True for a cell fit for a settlement or its surroundings.
bool fit_site_code(int code);

// The colour of a terrain code on the world picture, 6-bit components.
struct WorldColour {
    uint8_t r, g, b;
};
WorldColour world_map_rgb(int code);
// The canvas pixel of a terrain code; in the sites-only mode only sites,
// fields and the like keep their colour.
uint32_t world_map_colour(int code, bool sites_only = false);
