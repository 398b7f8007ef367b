#include "game/goods_storage.h"

#include "base/files.h"
#include "base/platform.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/ownership.h"
#include "ui/message_line.h"
#include "base/debug_log.h"

namespace {

constexpr int STORAGE_CANDIDATES = 100;
constexpr int FREE_CELL_TRIES = 400;

struct Area {
    int x, y, w, h;
};

// The world cell at the offsets within the 5 x 5 window, or the whole play
// area for offsets outside it.
Area area_of(int dx, int dy) {
    if (dx < -2 || dx > 2 || dy < -2 || dy > 2) return {MAP_BLOCK_FIRST, MAP_BLOCK_FIRST, 320, 320};
    return {ZOOM_MIDDLE + dx * ZOOM_BLOCK, ZOOM_MIDDLE + dy * ZOOM_BLOCK, ZOOM_BLOCK, ZOOM_BLOCK};
}

bool free_cell(int x, int y) {
    const int code = terrain_at(x, y);
    if (!terrain_is_open(code) || (terrain_flags_of(code) & TF_WATER)) return false;
    return count_objects_at(x, y) == 0;
}

}  // namespace

int store_goods_in_area(int quantity, int object_id, int dx, int dy) {
    if (quantity <= 0 || is_world_map()) return 0;
    const Area a = area_of(dx, dy);
    // A storage place of the area first, one of up to a hundred at random.
    int places[STORAGE_CANDIDATES];
    int n = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && n < STORAGE_CANDIDATES; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE == MK_STORAGE && o.x >= a.x && o.x < a.x + a.w && o.y >= a.y && o.y < a.y + a.h) places[n++] = i;
    }
    int x = 0, y = 0;
    if (n > 0) {
        const int i = places[random_below(n)];
        x = Data[i].x;
        y = Data[i].y;
    } else {
        for (int t = 0; t < FREE_CELL_TRIES && x == 0; ++t) {
            const int cx = a.x + random_below(a.w);
            const int cy = a.y + random_below(a.h);
            if (free_cell(cx, cy)) {
                x = cx;
                y = cy;
            }
        }
    }
    if (x == 0) return 0;
    char line[64];
    format_text(line, sizeof line, "varastoi to %d,%d", x, y);
    debug_log("goods", line);
    debug_message(line);
    const int i = put_object_on_map(MK_ITEM, x, y, object_id, quantity);
    if (i == MAP_NO_RECORD) return 0;
    // The village's goods: the claim mark says so.
    if (Data[i].ref == 0) mark_map_item_claimed(i);
    return quantity;
}
