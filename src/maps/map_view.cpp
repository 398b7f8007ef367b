// The view window of the map view. The map view's drawing sets the half
// sizes from its geometry; until then they keep the unzoomed defaults.
#include "maps/map_view.h"

#include <cstdlib>

#include "maps/map_layers.h"

int32_t target_x = 0, target_y = 0;
int32_t target_cursor_x = 0, target_cursor_y = 0;
bool targeting_active = false;

int is_in_view(int x, int y) {
    if (x <= 0 || y <= 0 || x > WORLD_W - 1 || y > WORLD_H - 1) return 0;
    if (std::abs(x - player_x) > view_half_w || std::abs(y - player_y) > view_half_h) return 0;
    return view_layer[map_index(x, y)] != VIEW_UNSEEN ? 1 : 0;
}
