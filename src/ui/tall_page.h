// A page taller than the screen: drawn once into a surface of its own with a
// software renderer, then shown a screenful at a time through a texture and
// scrolled. Colours are 32-bit words with red in the low byte, as for the
// other renderer drawing.
#pragma once

#include <SDL.h>

#include <cstdint>

struct TallPage {
    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* caps = nullptr;  // the key cap pieces, on this renderer
    int width = 0, height = 0;
};

// Makes the page's surface and renderer (any old ones are freed first).
bool open_tall_page(TallPage& page, int width, int height);
void close_tall_page(TallPage& page);

// A colour word from its parts.
uint32_t page_colour(int r, int g, int b);
// A key cap with its label, as draw_key_caption draws on the canvas: the
// caption before the first "." (after its first character) on a cap, the
// rest as the label in `label_colour`. Returns the x after the label's cap.
int render_key_caption(TallPage& page, int x, int y, const char* text, uint32_t label_colour);
// Text in which "[KEY]" parts are drawn as small key caps. Returns the x
// where the text ends.
int render_text_with_keycaps(TallPage& page, int x, int y, const char* text, uint32_t colour);

// Shows the page's rows from `top` on over the whole screen and presents.
void show_tall_page(const TallPage& page, int top);
// The largest useful `top` for a page whose drawing ends at `used` rows.
int tall_page_scroll_limit(int used);
