// The map view laid over the frame at a present, its two textures, the
// night tint and light glows, and the flashes and fades of the map view.
#pragma once

#include <SDL.h>
#include <cstdint>

constexpr int MAP_TEXTURE_SIZE = 1800;
constexpr int MAP_LIGHT_SLOTS = 100;

extern SDL_Texture* map_base_texture;  // 1800 x 1800 render target
extern SDL_Texture* map_view_texture;  // the same with night tint and glows

// The flash colour (all zero: none) and the fade-running flag.
extern int flash_r, flash_g, flash_b;
extern bool map_fade_running;
// Set while the character sleeps or is unconscious.
extern bool eyes_closed;

// The lighting of the map: on/off, the night tint, and the light table
// (a slot with x = 0 ends it).
struct MapLight {
    int32_t x, y, radius;
    bool in_view;  // its cell is seen this turn (the game marks it)
};
// The cell the map view is drawn around (the player's), set with each
// rebuild of the view; the glows are placed from it.
extern int32_t map_view_centre_x, map_view_centre_y;
extern bool map_lighting_on;
extern int night_tint_r, night_tint_g, night_tint_b;
extern MapLight map_lights[MAP_LIGHT_SLOTS];
void clear_map_lights();

// Destroys and re-creates both map textures.
void create_map_textures();
void destroy_map_textures();
// Lays the map view over the renderer's frame.
void render_map_view();
// Uploads the canvas and lays the map view over it, without rebuilding the
// view texture and without presenting.
void render_map_view_now();
void rebuild_map_view_texture();
// When nothing tints the view, a present shows the base texture itself and
// the copy into the view texture is made only when needed. Call
// settle_map_view_texture before drawing on the base texture; a full
// redraw calls begin_map_base_redraw(map_view_composed_at_present()) first,
// which drops the copy when the coming present composes the view anew.
void settle_map_view_texture();
void begin_map_base_redraw(bool composed_after);
// After a full redraw of the base texture: the view texture is behind it
// until it is composed again, even where a present would take it as it is.
void end_map_base_redraw();
bool map_view_composed_at_present();
void refresh_map_textures();
void clear_map_texture();
// The same for the part of the base texture that the map rectangle shows
// (all a redraw of the view needs).
void clear_shown_map_texture();

// Where a glow is drawn: its view cell (0 on an axis outside the window)
// and whether it is drawn at all.
struct GlowPlace {
    bool drawn;
    bool in_view;
    int column, row;
};
GlowPlace glow_place(const MapLight& light, int centre_x, int centre_y);

// The effects.
void fade_out_map_view();
void fade_in_map_view();
void fade_to_sleep_tint();
void flash_steam();
void fade_in_map_view_texture();
void flash_map_view_light();
// Frames of an effect wait so that each takes at least this long (ms);
// tests set 0.
extern int map_effect_frame_ms;
// The map textures alive now (0, 1 or 2).
int live_map_textures();
