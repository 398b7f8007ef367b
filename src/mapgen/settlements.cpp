#include "mapgen/settlements.h"

#include "base/stubs.h"
#include "mapgen/gen_grid.h"

namespace {

void put(int x, int y, uint8_t code) {
    if (on_gen_grid(x, y)) gen_terrain(x, y) = code;
}

// A small walled room with a closed door in the south wall: 7 x 7 cells
// from (x0, y0), all of them building cells. It stands for the buildings
// of a settlement until the builders of each culture lay them out.
void lay_room(int x0, int y0) {
    const int x1 = x0 + 6, y1 = y0 + 6;
    for (int y = y0 + 1; y < y1; ++y)
        for (int x = x0 + 1; x < x1; ++x) put(x, y, 95);
    for (int x = x0 + 1; x < x1; ++x) {
        put(x, y0, 196);
        put(x, y1, 208);
    }
    for (int y = y0 + 1; y < y1; ++y) {
        put(x0, y, 200);
        put(x1, y, 188);
    }
    put(x0, y0, 218);
    put(x1, y0, 191);
    put(x0, y1, 192);
    put(x1, y1, 217);
    put(x0 + 3, y1, 254);
}

}  // namespace

// Not built yet: each settlement is one walled room in the middle of the
// map.
void build_village(uint8_t) {
    KSM_STUB("build_village");
    lay_room(28, 28);
}
void TeeUudistalo(uint8_t) {
    KSM_STUB("TeeUudistalo");
    lay_room(28, 28);
}
void build_fortified_village(uint8_t) {
    KSM_STUB("build_fortified_village");
    lay_room(28, 28);
}
void build_camp_site() {
    KSM_STUB("build_camp_site");
    lay_room(28, 28);
}
