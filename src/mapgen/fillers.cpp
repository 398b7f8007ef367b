// The world-code fillers, the shape tools and the edge blending.
#include "mapgen/fillers.h"

#include <cstring>

#include "base/files.h"
#include "base/tag_text.h"
#include "creatures/creature_queries.h"
#include "mapgen/gen_grid.h"
#include "mapgen/rndhouse.h"
#include "mapgen/vegetation.h"
#include "maps/local_store.h"
#include "objects/flora.h"
#include "objects/object_store.h"

uint8_t blob_mask[64 * 64];

namespace {

int r(int n) { return random_below(n); }

void clear_mask() { std::memset(blob_mask, 0, sizeof blob_mask); }

bool marked(int x, int y) { return on_gen_grid(x, y) && blob_mask[gen_cell(x, y)] != 0; }

// The marked cells become the code, bare of cover.
void blob_to_terrain(uint8_t code) {
    for (int i = 0; i < 64 * 64; ++i) {
        if (!blob_mask[i]) continue;
        zoom_work.terrain[i] = code;
        zoom_work.cover[i] = 0;
    }
}

void scatter(int tries, int code) {
    for (int i = 0; i < tries; ++i) scatter_terrain(code);
}

// Chamber shapes of a cave, row by row: "#" wall (High cliff) unless the
// cell is floor already, "." floor, blank untouched.
const char* const kChambers[4][10] = {
    {" ######", "##..#.##", "#...#..#", "#.....##", "###...#", "#....##", "######", nullptr},
    {"  ####", " ##..#", "##...##", "#.....#", "##...##", " ##...#", "  #####", nullptr},
    {" ##### ####", "##...###..##", "#..........#", "###.......##", "  #########", nullptr},
    {" ####", "##..#", "#...#", "#..##", "#..#", "#..#", "#..##", "##..#", " ####", nullptr},
};

void stamp_chamber(int x0, int y0, int shape) {
    for (int row = 0; kChambers[shape][row]; ++row) {
        const char* line = kChambers[shape][row];
        for (int col = 0; line[col]; ++col) {
            const int x = x0 + col, y = y0 + row;
            if (!on_gen_grid(x, y)) continue;
            if (line[col] == '#') {
                if (gen_terrain(x, y) != T_CAVE_FLOOR) gen_terrain(x, y) = T_HIGH_CLIFF;
            } else if (line[col] == '.') {
                gen_terrain(x, y) = T_CAVE_FLOOR;
            }
        }
    }
}

}  // namespace

// ------------------------------------------------------------ edge strips

void copy_edge_strip(int side) {
    int x0 = 0, x1 = 63, y0 = 0, y1 = 63;
    switch (side) {
    case SIDE_NORTH: y1 = 7; break;
    case SIDE_SOUTH: y0 = 56; break;
    case SIDE_EAST: x0 = 56; break;
    case SIDE_WEST: x1 = 7; break;
    default: return;
    }
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const int i = gen_cell(x, y);
            if (zoom_work.cover[i] != 0 || zoom_work.terrain[i] != T_GROUND) {
                blend_map.terrain[i] = zoom_work.terrain[i];
                blend_map.cover[i] = zoom_work.cover[i];
                blend_map.height[i] = zoom_work.height[i];
                blend_map.remembered[i] = 1;
            } else {
                blend_map.remembered[i] = 0;
            }
        }
    }
}

void yhdista() {
    for (int i = 0; i < 64 * 64; ++i) {
        if (blend_map.remembered[i] != 1 || is_water_code(zoom_work.terrain[i])) continue;
        zoom_work.terrain[i] = blend_map.terrain[i];
        zoom_work.cover[i] = blend_map.cover[i];
    }
}

// ------------------------------------------------------------ shapes

void make_blob(int cx, int cy, int w, int h) {
    const int hw = w / 2, hh = h / 2;
    // A centre too near an edge is moved in.
    if (cx - hw < 0) cx += int(w / 2.1);
    if (cy - hh < 0) cy += int(h / 2.1);
    if (cx + hw > 63) cx = 64 - int(w / 2.1);
    if (cy + hh > 63) cy = 64 - int(h / 2.1);
    clear_mask();
    int seeds = 0;
    for (int y = cy - h / 3; y <= cy + h / 3 - 1; ++y) {
        for (int x = cx - w / 3; x <= cx + w / 3 - 1; ++x) {
            if (x < 1 || x > 63 || y < 1 || y > 63) continue;
            blob_mask[gen_cell(x, y)] = 1;
            ++seeds;
        }
    }
    if (seeds == 0) return;
    // Grows until it has added more than w x h / 2.5 cells; a shape that
    // can't grow so far (the grid's edge) stops after 64 draws a cell.
    const long long most_draws = 64LL * w * h;
    int added = 0;
    for (long long draws = 0; 5LL * added <= 2LL * w * h && draws < most_draws; ++draws) {
        int x = cx - hw + r(w);
        int y = cy - hh + r(h);
        x = x < 0 ? 0 : x > 63 ? 63 : x;
        y = y < 0 ? 0 : y > 63 ? 63 : y;
        if (blob_mask[gen_cell(x, y)]) continue;
        int around = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx || dy) && marked(x + dx, y + dy)) ++around;
        if (around < 3) continue;
        blob_mask[gen_cell(x, y)] = 1;
        ++added;
    }
}

void place_blob(int x, int y, int size_kind) {
    int cx = x, cy = y, w = 0, h = 0;
    switch (size_kind) {
    case 1:
    case 2:
        if (x == 0) {
            cx = 16 + r(32);
            cy = 16 + r(32);
        }
        if (size_kind == 1) {
            w = 64 - r(16);
            h = 64 - r(16);
        } else {
            w = 32 - r(8);
            h = 32 - r(8);
        }
        break;
    case 4: {
        const int rw = r(8);
        const int rh = r(8);
        w = 8 + rw;
        h = 8 + rh;
        if (x == 0) {
            cx = r(56 - rw) + w / 2;
            cy = r(56 - rh) + h / 2;
        }
        break;
    }
    case 8:
        if (x == 0) {
            cx = 4 + r(56);
            cy = 4 + r(56);
        }
        w = h = 8;
        break;
    default:
        clear_mask();
        return;
    }
    make_blob(cx, cy, w, h);
}

void make_pond(int size) {
    clear_mask();
    if (size < 1) return;
    const int bx = r(64 - size);
    const int by = r(64 - size);
    const int cx = bx + size / 2, cy = by + size / 2, q = size / 4;
    for (int y = cy - q; y < cy + q; ++y)
        for (int x = cx - q; x < cx + q; ++x)
            if (on_gen_grid(x, y)) blob_mask[gen_cell(x, y)] = 1;
    // A pond too small for a seed square grows from its middle cell.
    if (on_gen_grid(cx, cy)) blob_mask[gen_cell(cx, cy)] = 1;
    for (int i = 0; i < size * size; ++i) {
        const int x = bx + r(size);
        const int y = by + r(size) + 1;
        if (!on_gen_grid(x, y)) continue;
        if (marked(x - 1, y) || marked(x + 1, y) || marked(x, y - 1) || marked(x, y + 1))
            blob_mask[gen_cell(x, y)] = 1;
    }
}

void blob_set_cover_kind(int kind, int height_limit) {
    for (int i = 0; i < 64 * 64; ++i) {
        if (!blob_mask[i] || zoom_work.height[i] > height_limit) continue;
        zoom_work.cover[i] = uint8_t((zoom_work.cover[i] & ~COVER_SURFACE_MASK) | (kind & COVER_SURFACE_MASK));
    }
}

void blob_raise() {
    for (int i = 0; i < 64 * 64; ++i)
        if (blob_mask[i]) zoom_work.height[i] = height_value(zoom_work.height[i] + 1);
}

void blob_set_ground_type(int type) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (blob_mask[gen_cell(x, y)]) set_gen_ground_type(x, y, type);
}

void cover_pattern(int cover_kind, int rounds) {
    place_blob(32, 32, 1);
    blob_set_cover_kind(cover_kind, 255);
    for (int round = 0; round < rounds; ++round) {
        {  // by the west edge
            const int x = r(8);
            const int y = r(64);
            place_blob(x, y, 4);
            blob_set_cover_kind(cover_kind, 255);
        }
        {  // by the east edge
            const int x = 64 - r(8);
            const int y = r(64);
            place_blob(x, y, 4);
            blob_set_cover_kind(cover_kind, 255);
        }
        {  // by the north edge
            const int x = r(64);
            const int y = r(8);
            place_blob(x, y, 4);
            blob_set_cover_kind(cover_kind, 255);
        }
        {  // in the south-west corner
            const int x = r(8);
            const int y = 64 - r(8);
            place_blob(x, y, 4);
            blob_set_cover_kind(cover_kind, 255);
        }
    }
}

void scatter_by_chance(int code, int percent) {
    for (int i = 0; i < 409; ++i)
        if (r(100) < percent) scatter_terrain(code);
}

// ------------------------------------------------------------ fillers

void fill_lichen_pine() {
    cover_pattern(SURFACE_LICHEN, 1);
    scatter_by_chance(T_PINE, 50);
    scatter_by_chance(T_YOUNG_PINE, 70);
    scatter_by_chance(T_YOUNG_SPRUCE, 5);
}

void fill_hill() { scatter(r(10), T_BIRCH); }

void fill_thicket() {
    scatter(409, T_ALDER);
    scatter(81, T_BIRCH);
    scatter(409, T_ROWAN);
    scatter(204, T_BUSHES);
}

void fill_grove_mix() {
    scatter(204, T_ALDER);
    scatter(204, T_BIRCH);
    scatter(204, T_ROWAN);
    scatter(204, T_BUSHES);
}

void fill_spruce_mire() {
    cover_pattern(SURFACE_MOSS, 1);
    scatter(682, T_YOUNG_SPRUCE);
    scatter(1024, T_SPRUCE);
    for (int i = 0; i < 136; ++i) scatter_terrain(r(3) != 0 ? T_BIRCH : T_ALDER);
}

void fill_heath() {
    scatter(163, T_YOUNG_PINE);
    scatter(1024, T_PINE);
    static const uint8_t mixed[3] = {T_BIRCH, T_YOUNG_SPRUCE, T_SPRUCE};
    for (int i = 0; i < 81; ++i) scatter_terrain(mixed[r(3)]);
}

void fill_rock_ground() {
    place_blob(32, 32, 1);
    blob_set_cover_kind(SURFACE_MOSS, 34);
    // High ground is bare rock, in the blob or not.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (gen_height(x, y) > 33) set_gen_ground_type(x, y, GROUND_BASE_ROCK);
}

void fill_cliff() {
    make_blob(32, 32, 32, 32);
    blob_set_ground_type(GROUND_BASE_ROCK);
    blob_raise();
    for (int side = 0; side < 2; ++side) {
        // A wide rock to the west, then one to the east.
        const int x = side * 32 + r(32);
        const int y = r(64);
        const int w = 32 + r(32);
        const int h = 32 + r(32);
        make_blob(x, y, w, h);
        blob_set_ground_type(GROUND_BASE_ROCK);
        blob_raise();
    }
    for (int i = 0; i < 3; ++i) {
        const int x = r(64);
        const int y = r(64);
        make_blob(x, y, 12, 12);
        blob_set_ground_type(GROUND_CRAG);
    }
}

void fill_open_mire() {
    cover_pattern(SURFACE_MOSS, 8);
    for (int i = 0; i < 20; ++i) {
        place_blob(0, 0, 8);
        blob_to_terrain(T_SHALLOW_WATER);
    }
    const int ponds = 10 + r(10);
    for (int i = 0; i < ponds; ++i) {
        make_pond(5 + r(5));
        blob_to_terrain(T_SHALLOW_WATER);
    }
    scatter_by_chance(T_YOUNG_SPRUCE, 2);
}

void fill_pine_mire() {
    cover_pattern(SURFACE_MOSS, 4);
    const int ponds = 4 + r(4);
    for (int i = 0; i < ponds; ++i) {
        make_pond(1 + r(6));
        blob_to_terrain(T_SHALLOW_WATER);
    }
    scatter_by_chance(T_YOUNG_PINE, 8);
    scatter_by_chance(T_PINE, 1);
    scatter_by_chance(T_YOUNG_SPRUCE, 2);
}

void dig_cave() {
    const int chambers = 2 + r(8);
    for (int i = 0; i < chambers; ++i) {
        int x = 44, y = 27;
        if (i > 0) {
            x = 39 + r(10);
            y = 22 + r(10);
        }
        stamp_chamber(x, y, r(4));
    }
    // The tunnel out runs east along row 30 to the first open ground; its
    // last cell is the way out. A row without open ground ends at the
    // map's edge.
    int x = 48;
    for (; x < 64; ++x) {
        const int code = gen_terrain(x, 30);
        if (code == T_GROUND || code == T_HILL) break;
        if (code == T_HIGH_CLIFF) gen_terrain(x, 30) = T_CAVE_FLOOR;
    }
    gen_terrain(x - 1, 30) = T_SURFACE;
    place_cave_contents();
}

void place_cave_contents() {
    const int roll = r(15);
    if (roll <= 4) {
        static const int dwellers[5] = {608, 605, 601, 550, 500};
        zoom_add_data_on_floor(4, dwellers[roll]);
        return;
    }
    const int items = r(10);
    if (items > 2) return;
    for (int i = 0; i <= items; ++i) {
        const int id = obj_template_by_name("*RANDOM*", 0);
        if (id != 0) zoom_add_data_on_floor(1, id);
    }
}

void zoom_make_cultivated_field(int wx, int wy, int flag) {
    const int culture = generation_culture(wx, wy);
    if (flag) {
        for (uint8_t& code : zoom_work.terrain)
            if (code == T_PREPARED_SOIL) code = T_GROUND;
    }
    for (int i = 0; i < 682; ++i) {
        const int x = r(64);
        const int y = r(64);
        if (gen_terrain(x, y) == T_GROUND) gen_terrain(x, y) = T_PREPARED_SOIL;
    }
    if (!flag) {
        for (int i = 0; i < 53; ++i) {
            const int x = r(64);
            const int y = r(64);
            gen_terrain(x, y) = T_BIG_ROCK;
        }
    }
    for (int t = 0; t < ITEM_TYPE_COUNT; ++t) {
        if (ItemTypes[t].item_class != ITEM_PLANT) continue;
        char name[sizeof ItemTypes[t].name + 1];
        copy_field(name, sizeof name, ItemTypes[t].name, sizeof ItemTypes[t].name);
        hae_asciidata(name);
        char cultivated[TAG_TEXT_BYTES];
        copy_text(cultivated, tag_value(asciidata, "CULTIVATED", ""));
        if (cultivated[0] && text_mentions_culture(cultivated, culture)) setplant(T_PREPARED_SOIL, 50, t);
    }
}

MapPoint find_cave_floor() {
    for (int i = 0; i < 1000; ++i) {
        const int x = r(64);
        const int y = r(64);
        if (gen_terrain(x, y) == T_CAVE_FLOOR) return MapPoint{x, y};
    }
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (gen_terrain(x, y) == T_CAVE_FLOOR) return MapPoint{x, y};
    return MapPoint{0, 0};
}

// ------------------------------------------------------------ dispatch

int fill_world_code(int wx, int wy) {
    filler_world_x = wx;
    filler_world_y = wy;
    switch (generation_world_code(wx, wy)) {
    case 3: fill_lichen_pine(); return 1;
    case 60:
        fill_rock_ground();
        dig_cave();
        return 1;
    case 91: fill_hill(); return 1;
    case 93:
        fill_cliff();
        fill_heath();
        return 1;
    case 94: fill_rock_ground(); return 1;
    case 228: fill_thicket(); return 1;
    case 233: fill_open_mire(); return 1;
    case 235: fill_spruce_mire(); return 1;
    case 236: fill_pine_mire(); return 1;
    case 238: fill_heath(); return 1;
    case 251: zoom_make_cultivated_field(wx, wy, 0); return 1;
    default: return 0;
    }
}
