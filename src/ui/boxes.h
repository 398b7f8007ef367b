// Frames, boxes, bars, key caps, pixels and lines, and tile sprites.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "ui/canvas.h"
#include "ui/font.h"

// 0 panel textures drawn; 1 left out; 2 left out and windows darkened.
extern int panel_texture_mode;

// Window flags of draw_window.
constexpr int WIN_LIGHT = 0x00, WIN_BIRCH = 0x04, WIN_STONE = 0x08, WIN_SMOKE = 0x10;
constexpr int WIN_INNER_FRAME = 0x20, WIN_DARK_TITLE = 0x80, WIN_PLAIN_FILL = 0x1000;

// Per-draw settings of draw_tile_sprite, consumed by the next sprite.
struct SpriteDrawState {
    int y_offset;
    int rotation;  // degrees, 0 = none
    int kept1;     // kept for the map drawing
    int silhouette_alpha;  // 0 = none
    uint8_t jitter, blend_mode, glow_alpha, tint_alpha;  // blend 0 none, 1 blended, 2 additive
    int mod_r, mod_g, mod_b;
    int texture_alpha;  // 255 = none
    int kept2;
    int shade_alpha;    // 255 = none
    int red_alpha;      // 255 = none
    int kept3;
    float scale;        // 1 by default
};
extern SpriteDrawState sprite_state;
extern int sprite_x_offset, sprite_y_offset2;  // next sprite only
extern bool draw_debug_on;                     // failed copies go to "debug_draw.txt"
SpriteDrawState get_sprite_draw_state();
void set_sprite_draw_state(int y_offset, int rotation, int kept1, int silhouette_alpha,
                           uint32_t packed_bytes, int mod_r, int mod_g, int mod_b,
                           int texture_alpha, int kept2, int shade_alpha, int red_alpha,
                           int kept3, float scale);
void reset_sprite_draw_state();

// The fixed screen rectangles set by guiInit.
struct PanelRect {
    SDL_Rect r;
    bool shown;
};
extern PanelRect compass_rect, map_strip_rect, known_map_rect;
extern PanelRect panel_rects[5];
extern bool alternative_panel_layout;

void guiInit();

void draw_line(int x1, int y1, int x2, int y2, Uint32 colour);
void draw_rect_outline(int left, int top, int right, int bottom);
void draw_translucent_rect(int x, int y, int w, int h, Uint32 colour, int alpha);
void draw_framed_box(int left, int top, int right, int bottom, Uint32 colour1, Uint32 colour2,
                     Uint32 fill);
void draw_styled_box(int left, int top, int right, int bottom, int style);
void draw_sunken_box(int x, int y, int w, int h);
void draw_panel_frame(int x, int y, int w, int h, const char* title);
void draw_window(int x, int y, int w, int h, const char* title, int flags, Uint32 fill = 0);
void draw_highlight_window(int x, int y, int w, int h, const char* title, int flags);
// A window for pages written in dark ink (black, dark grey, dark blue): a
// plain parchment fill, where the default panel texture is too dark for them.
void draw_paper_window(int x, int y, int w, int h, const char* title);
constexpr int PAPER_R = 226, PAPER_G = 197, PAPER_B = 153;
// A line of text over a translucent dark band, for words written straight
// onto a picture; the band reaches 4 pixels round the text.
void draw_shaded_text(int x, int y, const char* text, Uint32 colour);
void draw_title_bar(int x, int y, int width, const char* text, int style);

// Renderer variants: colours are 32-bit words with red in the low byte.
void render_window(SDL_Renderer* renderer, int x, int y, int w, int h, const char* title,
                   int flags, Uint32 fill);
void render_title_bar_styled(SDL_Renderer* renderer, int x, int y, int width, const char* text,
                             int style);
void render_framed_box(SDL_Renderer* renderer, int left, int top, int right, int bottom,
                       Uint32 colour1, Uint32 colour2, Uint32 fill);
void render_sunken_box(SDL_Renderer* renderer, int x, int y, int w, int h);
void render_quest_journal_header(SDL_Texture* texture, const char* text);
void render_title_bar(SDL_Texture* texture, const char* text);

// Key caps: draw_key_caption in ui/font.h.
void draw_cycle_hint();
void render_cycle_hint(SDL_Renderer* renderer);

// Percentage bars, settings for the next call only: bar_colour_mode 0 green,
// 1 the colour bar_colour_value, -1 bar_colour(percent), -2
// bar_colour(100 - percent); bar_marker a percent to shade up to (0 none).
extern int bar_colour_mode;
extern Uint32 bar_colour_value;
extern int bar_marker;
void draw_percent_bar(int x, int y, int width, int percent);
SDL_Color bar_colour(int value);
Uint32 bar_colour_word(int value);  // the same as a word with alpha 255

void flood_fill(int x, int y, Uint32 fill, Uint32 border);
void draw_random_speck();

// Sprites: flags 1 blit from file into the canvas, 2 straight to the
// renderer, 4 highlight, 8 upper part only. variant 8 = grey.
void draw_tile_sprite(int tile, int frame, int variant, int x, int y, int flags);
// The tile's first frame shrunk (or grown) into the box at x, y on the
// canvas, its key colour left out: an icon in a list row.
void draw_tile_icon(int tile, int x, int y, int w, int h);
void draw_precipitation(int cell_x, int cell_y, int kind, int intensity);
void draw_grid_cell(int cell_x, int cell_y);

// A picture that grows out of the map view into a framed box.
void show_picture_zooming(const char* name, int x, int y, int w, int h);
