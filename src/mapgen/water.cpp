// The water pass and the finish of a local map.
#include "mapgen/water.h"

#include <algorithm>

#include "base/files.h"
#include "mapgen/gen_grid.h"
#include "mapgen/rndhouse.h"
#include "objects/map_kinds.h"

namespace {

int r(int n) { return random_below(n); }

// Young-tree marks go into the first entries only: the last ten are kept
// for what the game adds later.
constexpr int SAPLING_ENTRIES = 1990;
// Heights at or below this are under water on land cells; on the band
// scale of the local heights, 40 and up is the bare high ground.
constexpr int DRY_LAND_LOWEST = 7;
constexpr int BARE_ROCK_BAND = 40;

}  // namespace

int water_level_from_border(int border_low, int border_high, int world_code) {
    if (world_code == T_FORD) return DRY_LAND_LOWEST;
    const int mid = (border_low + border_high) / 2;
    const int range = border_high - border_low;
    int level;
    if (range >= 6) level = std::clamp(mid, 8, 10);
    else if (range == 5) level = std::min(mid - 1, 10);
    else level = std::min(mid - 2, 10);
    // Low border heights never make a level that floods nothing at all.
    return std::max(level, 1);
}

int water_code_for(int world_code) {
    const int code = is_water_code(world_code) ? world_code : T_WATER;
    switch (code) {
    case T_FORD: case T_SHALLOW_SEA: case T_DEEP_WATER: case T_SHALLOW_WATER: return T_WATER;
    default: return code;
    }
}

void water_pass() {
    const int world_code = generation_world_code(filler_world_x, filler_world_y);
    int lowest = 255, border_low = 255, border_high = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int h = gen_height(x, y);
            lowest = std::min(lowest, h);
            if (x == 0 || y == 0 || x == 63 || y == 63) {
                border_low = std::min(border_low, h);
                border_high = std::max(border_high, h);
            }
        }
    }
    const int level = water_level_from_border(border_low, border_high, world_code);
    const uint8_t code = uint8_t(water_code_for(world_code));
    for (int i = 0; i < 64 * 64; ++i) {
        const int h = zoom_work.height[i];
        if (h < level || h <= DRY_LAND_LOWEST || h == lowest) zoom_work.terrain[i] = code;
    }
    switch (world_code) {
    case T_FORD:
    case T_RAPIDS: {
        const int tries = 5 + r(50);
        for (int i = 0; i < tries; ++i) {
            const int x = r(64);
            const int y = r(64);
            if (is_water_code(gen_terrain(x, y))) place_rock_cluster(x, y, level);
        }
        break;
    }
    case T_RIVER:
    case T_SHALLOW_SEA:
    case T_SHALLOW_WATER: {
        const int tries = r(10);
        for (int i = 0; i < tries; ++i) {
            const int x = r(64);
            const int y = r(64);
            if (!is_water_code(gen_terrain(x, y)) || gen_height(x, y) <= border_low) continue;
            if (world_code == T_RIVER) place_rock_cluster(x, y, level);
            else place_rock_chain(x, y, level);
        }
        break;
    }
    default:
        break;
    }
}

void place_rock_cluster(int x, int y, int level) {
    const int count = 1 + r(7);
    for (int i = 0; i < count; ++i) {
        int cx = x, cy = y;
        if (i > 0) {
            cx = x + r(3) - 1;
            cy = y + r(3) - 1;
        }
        const int h = level + r(3) - 1;
        if (!on_gen_grid(cx, cy)) continue;
        gen_height(cx, cy) = height_value(h);
        if (h < level) continue;  // a stone under the water
        gen_terrain(cx, cy) = T_GROUND;
        set_gen_ground_type(cx, cy, r(6) != 0 ? GROUND_BASE_ROCK : GROUND_CRAG);
    }
}

void place_rock_chain(int x, int y, int level) {
    const int steps = 15 + r(5);
    int h = level;
    for (int step = 0; step < steps; ++step) {
        if (step > 0) {
            if (r(2) == 0) x += r(3) - 1;
            else y += r(3) - 1;
            h += h >= 2 ? r(3) - 1 : r(2);
            h = std::min(h, level + 1);
        }
        const int ground = r(4) != 0 ? GROUND_CRAG : GROUND_BASE_ROCK;
        if (!on_gen_grid(x, y)) continue;
        gen_terrain(x, y) = T_GROUND;
        gen_height(x, y) = height_value(h);
        set_gen_ground_type(x, y, ground);
    }
}

void Viimeistele() {
    const bool water_cell = is_water_code(generation_world_code(generation_world_x, generation_world_y));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int code = gen_terrain(x, y);
            if (is_water_code(code) || gen_height(x, y) > 6) continue;
            if (!water_cell) {
                gen_terrain(x, y) = T_WATER;
                if (code == T_PREPARED_SOIL) {
                    // The crops of a drowned field go with it.
                    for (MapObject& o : zoom_work.objects) {
                        if (o.TYPE == 0 || o.x != x || o.y != y) continue;
                        o.TYPE = 0;
                        o.x = o.y = 0;
                        o.DATA = 0;
                        o.amount = 0;
                    }
                }
            }
            gen_cover(x, y) = 0;
        }
    }
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (gen_height(x, y) >= BARE_ROCK_BAND) set_gen_ground_type(x, y, GROUND_BASE_ROCK);
            if (is_water_code(gen_terrain(x, y)) && gen_cover(x, y) != 0) gen_cover(x, y) = 0;
        }
    }
}

void place_saplings() {
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int code = gen_terrain(x, y);
            bool young = false;
            if (code == T_YOUNG_SPRUCE) young = r(5) == 0;
            else if (code == T_BIRCH) young = r(6) == 0;
            if (!young) continue;
            for (int i = 0; i < SAPLING_ENTRIES; ++i) {
                MapObject& o = zoom_work.objects[i];
                if (o.TYPE != 0) continue;
                o = MapObject{};
                o.TYPE = MK_PLANT_MARK;
                o.x = uint16_t(x);
                o.y = uint16_t(y);
                o.subkind = PLANT_MARK_YOUNG_TREE;
                break;
            }
        }
    }
}
