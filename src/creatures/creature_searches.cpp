// The area searches of creatures: terrain, map objects and usable items
// around a square. Each takes a hit and goes on looking with chance 9 in
// 10, so that the same creature does not always pick the same spot.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/files.h"
#include "creatures/creature_errands.h"
#include "creatures/task_queue.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "work/work_services.h"

namespace {

constexpr int REQUIREMENT_RANGE = 20;

bool stop_at_hit() { return random_below(10) == 0; }

}  // namespace

// Whether any square of the code lies within the half-size at all: read row
// by row (the layers are stored so), it spares the ring walk below its
// column reads when there is nothing to find.
bool terrain_within(int x, int y, int half, int code_a, int code_b) {
    const int x0 = std::max(0, x - half), x1 = std::min(WORLD_W - 1, x + half);
    const int y0 = std::max(0, y - half), y1 = std::min(WORLD_H - 1, y + half);
    for (int cy = y0; cy <= y1; ++cy) {
        const uint8_t* row = &terrain_layer[map_index(x0, cy)];
        for (int k = 0; k <= x1 - x0; ++k)
            if (row[k] == code_a || row[k] == code_b) return true;
    }
    return false;
}

AreaFind find_terrain_near(int x, int y, int rings, int code_a, int code_b) {
    AreaFind found{0, 0, 0};
    // Squares outside the grid read as a code of their own; only then must
    // every ring be walked.
    const bool outside_wanted = code_a == CODE_OUTSIDE || code_b == CODE_OUTSIDE;
    if (rings <= 0 || (!outside_wanted && !terrain_within(x, y, rings - 1, code_a, code_b))) return found;
    for (int r = 0; r < rings; ++r) {
        // Each ring once: the border of the square of half-size r, column
        // by column from the west, each column from the north.
        for (int cx = x - r; cx <= x + r; ++cx) {
            const bool side = cx == x - r || cx == x + r;
            const int step = side || r == 0 ? 1 : 2 * r;
            for (int cy = y - r; cy <= y + r; cy += step) {
                const int code = terrain_at(cx, cy);
                if (code != code_a && code != code_b) continue;
                found = {cx, cy, 0};
                if (stop_at_hit()) return found;
            }
        }
    }
    return found;
}

AreaFind find_object_kind_near(int x, int y, int radius, int kind_a, int kind_b) {
    AreaFind found{0, 0, 0};
    const int range = 2 * radius;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;  // the end of the used part
        if (o.TYPE != kind_a && o.TYPE != kind_b) continue;
        if (std::abs(o.x - x) > range || std::abs(o.y - y) > range) continue;
        found = {o.x, o.y, i};
        if (stop_at_hit()) break;
    }
    return found;
}

AreaFind find_item_meeting_requirement_near(int x, int y, int requirement) {
    AreaFind found{0, 0, 0};
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;
        if (o.TYPE != MK_ITEM) continue;
        if (std::abs(o.x - x) > REQUIREMENT_RANGE || std::abs(o.y - y) > REQUIREMENT_RANGE) continue;
        if (!obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (!obj_meets_requirement(requirement, r)) continue;
        found = {o.x, o.y, i};
        if (stop_at_hit()) break;
    }
    return found;
}
