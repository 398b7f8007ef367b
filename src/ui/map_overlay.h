// The map view laid over the frame at a present, and its textures.
#pragma once

#include <SDL.h>

extern SDL_Texture* map_base_texture;  // 1800 x 1800 render target
extern SDL_Texture* map_view_texture;  // the same with night tint and glows
// While set, laying the map view over the frame does not rebuild it first.
extern bool map_texture_current;

// Destroys and re-creates both map textures.
void create_map_textures();
// Lays the map view over the renderer's frame.
void render_map_view();
