// The map view overlay is not built yet: the textures are not made and
// nothing is laid over the frame.
#include "ui/map_overlay.h"

SDL_Texture* map_base_texture = nullptr;
SDL_Texture* map_view_texture = nullptr;
bool map_texture_current = false;

// Not built yet: no map textures.
void create_map_textures() {}

// Not built yet: the frame shows the canvas alone.
void render_map_view() {}
