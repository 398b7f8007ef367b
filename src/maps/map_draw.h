// The map view drawing: which cells the player sees and which are lit,
// the remembered map, and the passes that draw the view window into the
// map base texture.
#pragma once

#include <cstddef>
#include <cstdint>

#include "maps/map_layers.h"

// Per-cell marks of the object pass: bit 1 (2) a fire burns outside a
// fireplace (no tall terrain over it).
extern uint8_t object_mark_layer[MAP_CELLS];
// 1 where the object pass drew an object (tracks excepted).
extern uint8_t occupied_layer[MAP_CELLS];

// While set, rebuild_view works out sight but draws nothing.
extern bool map_view_switched_off;
extern bool map_being_loaded;
// The hallucination effect of the player's herbs (bit 0).
extern uint8_t player_herb_effect;
// The player's sight-loss bits (bit 0 octant f - 2, bit 1 octant f + 1).
// The shield stance is the player record's (bits 0 and 2 both set: held
// high).
extern uint8_t player_sight_loss;

// The per-game reset of the view: the raised view, the settlement sighting,
// the light grid and the three tables of light sources, the last target
// location and the player's sight marks.
void reset_view_state();

// The whole rebuild and redraw of the view.
void rebuild_view();
// The octants rebuild_view casts for a facing and the sight-loss and
// shield bits; returns the count written to out (at most 4).
int view_octants(int facing, int sight_loss, int shield_stance, int shield_hand, int out[4]);

// View position of a cell: 30 at the player, 0 outside the window.
int view_column(int x);
int view_row(int y);

void draw_target_mark();
int terrain_within_radius(int x, int y, int code, int r);
int foliage_percent();
int foliage_percent_for(int month, int day);
int ground_diggable_at(int x, int y);
void cell_description_text(int x, int y, char* out, size_t out_size);

// Registers and lights this turn's light sources; burn != 0 also burns
// carried and lying light items down.
void update_light_sources(int burn);
// Lights the cut square of radius r (at most 5) around (x, y) as far as
// sight reaches; with register_it the circle goes into the light list.
void light_circle(int x, int y, int r, bool register_it);
// 1 when the cell at offset (dx, dy) lies inside the cut circle of radius r.
int light_shape_contains(int r, int dx, int dy);

// Water tint of the cell drawer for a water type at height h (0 none).
int water_height_tint(int h);
// Local open water tint by height (0 none).
int open_water_tint(int h);
// The tint of a water cell: on a local map open water in sight by its
// depth (open_water_tint); the world map and local water out of sight by
// its height (water_height_tint).
int water_cell_tint(bool world_map, bool in_sight, bool open_water, int h);
