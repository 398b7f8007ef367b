// The picture of the whole world.
#include "mapgen/world_picture.h"

#include <cstdint>

#include "mapgen/world_gen.h"
#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/world_files.h"
#include "ui/canvas.h"

WorldView world_view;

void draw_world_picture(int origin_y, int origin_x, int zoom, int mode) {
    if (!canvas) return;
    if (zoom < 1) zoom = 1;
    uint32_t colours[256], sites[256];
    for (int c = 0; c < 256; ++c) {
        colours[c] = world_map_colour(c, false);
        sites[c] = world_map_colour(c, true);
    }
    uint32_t cultures[CULTURE_CODES];
    for (int c = 0; c < CULTURE_CODES; ++c) cultures[c] = area_colour(c);
    const uint32_t black = map_rgb(0, 0, 0);
    if (SDL_MUSTLOCK(canvas)) SDL_LockSurface(canvas);
    for (int row = 0; row < WORLD_PICTURE_H; ++row) {
        auto* line = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(canvas->pixels) +
                                                 (WORLD_PICTURE_Y + row) * canvas->pitch) + WORLD_PICTURE_X;
        const int y = origin_y + row * zoom;
        for (int col = 0; col < WORLD_PICTURE_W; ++col) {
            const int x = origin_x + col * zoom;
            if (!in_world_grid(x, y)) {
                line[col] = black;
                continue;
            }
            const int code = terrain_layer[map_index(x, y)];
            if (mode == 16 && (code == 180 || code == 181)) continue;
            uint32_t colour = mode == 32 ? sites[code] : colours[code];
            if (mode == 4) {
                const int culture = culture_grid[(y / 32) * CULTURE_COLS + x / 32];
                if (culture < CULTURE_CODES && cultures[culture]) colour = cultures[culture];
            }
            line[col] = colour;
        }
    }
    if (SDL_MUSTLOCK(canvas)) SDL_UnlockSurface(canvas);
}
