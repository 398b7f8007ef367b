// The bitmap font, the palette and text drawing.
#pragma once

#include <SDL.h>
#include <cstdint>

constexpr int FONT_GLYPHS = 256;
constexpr int GLYPH_W = 8;
constexpr int GLYPH_H = 10;
constexpr int FONT_FILE_SIZE = FONT_GLYPHS * GLYPH_W * GLYPH_H;  // 20,480
constexpr int PALETTE_FILE_SIZE = 256 * 12;                     // 3,072

// One byte per pixel, 1 = ink. Glyph numbers are code page 437 positions.
extern uint8_t font_glyphs[FONT_GLYPHS][GLYPH_H][GLYPH_W];
// 256 palette entries, red, green, blue.
extern uint8_t palette[256][3];

// The text cursor shared by every text routine and the message line.
extern int text_cursor_x, text_cursor_y;
extern Uint32 text_colour;     // canvas pixel value
extern Uint32 outline_colour;  // black
extern int line_height;        // 10

// Loads "KSM.FNT"; false (font blank) when missing or of the wrong size.
bool load_font(const char* path = "KSM.FNT");
// Loads "palette.nfo"; a missing or short file gives the built-in palette.
bool load_palette(const char* path = "palette.nfo");

// The glyph that shows a Latin-1 character.
unsigned char font_glyph_for(unsigned char c);

int draw_text_at(int x, int y, const char* text, Uint32 colour, int outline);
void render_text_at(SDL_Renderer* renderer, int x, int y, const char* text, Uint32 colour,
                    int flags);
void draw_glyph(int x, int y, unsigned char c);
void draw_text_line_raw(int x, int y, const char* text);

int draw_tagged_text(int x, int y, int width, int mode, Uint32 colour, int outline);
int render_tagged_text(SDL_Renderer* renderer, int x, int y, int width, int mode,
                       Uint32 colour, int flags);
int draw_text_centered_wrapped(int x, int y, int width, const char* text, Uint32 colour,
                               int outline);
int draw_text_with_keycaps(int x, int y, const char* text, Uint32 colour);

// Key caps. The label after "." uses these settings.
extern Uint32 key_label_colour;
extern int key_label_outline;
int draw_key_caption(int x, int y, const char* text);
