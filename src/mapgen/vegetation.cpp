// Scatter and vegetation.
#include "mapgen/vegetation.h"

#include <cstdlib>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "console/console.h"
#include "mapgen/gen_grid.h"
#include "mapgen/rndhouse.h"
#include "maps/local_store.h"
#include "maps/terrain_types.h"
#include "objects/flora.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"

namespace {

int r(int n) { return random_below(n); }

// Plant entries are looked for among the first entries only: the last ten
// are kept for what the game adds later.
constexpr int PLANT_SEARCH_ENTRIES = 1990;

bool plant_entry_at(int x, int y) {
    for (int i = 0; i < PLANT_SEARCH_ENTRIES; ++i) {
        const MapObject& o = zoom_work.objects[i];
        if (o.TYPE == MK_PLANT_PATCH && o.x == x && o.y == y) return true;
    }
    return false;
}

// A tag of the entry last looked up, upper-cased, in a bounded buffer.
void upper_tag(const char* key, char (&out)[TAG_TEXT_BYTES]) {
    copy_text(out, tag_value(asciidata, key, ""));
    for (char* c = out; *c; ++c) *c = char(latin1_upper(static_cast<unsigned char>(*c)));
}

// Whether the name of a terrain in the 5 x 5 square around (x, y) occurs
// in the symbiosis text. A terrain without a name never does.
bool symbiosis_met(const char* symbiosis, int x, int y) {
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (!on_gen_grid(x + dx, y + dy)) continue;
            const TerrainType& t = TerrainTypes[gen_terrain(x + dx, y + dy)];
            if (t.name[0] == 0) continue;
            char name[sizeof t.name];
            copy_text(name, t.name);
            for (char* c = name; *c; ++c) *c = char(latin1_upper(static_cast<unsigned char>(*c)));
            if (std::strstr(symbiosis, name)) return true;
        }
    }
    return false;
}

}  // namespace

void scatter_terrain(int code) {
    const int x = r(64);
    const int y = r(64);
    if (scatter_cell_ok(x, y)) gen_terrain(x, y) = uint8_t(code);
}

int scatter_cell_ok(int x, int y) {
    if (!on_gen_grid(x, y)) return 0;
    const int h = gen_height(x, y);
    static const int dx[4] = {-1, 1, 0, 0};
    static const int dy[4] = {0, 0, -1, 1};
    for (int i = 0; i < 4; ++i) {
        const int nx = x + dx[i], ny = y + dy[i];
        if (on_gen_grid(nx, ny) && gen_height(nx, ny) != h) return 0;
    }
    switch (gen_ground_type(x, y)) {
    case GROUND_BASE_ROCK: return 0;
    case GROUND_CRAG: return r(10) == 0 ? 1 : 0;
    default: return 1;
    }
}

int terrain_flag_near(int x, int y, int radius, uint32_t flag_mask) {
    for (int cy = y - radius; cy <= y + radius; ++cy)
        for (int cx = x - radius; cx <= x + radius; ++cx)
            if (on_gen_grid(cx, cy) && (terrain_flags_of(gen_terrain(cx, cy)) & flag_mask)) return 1;
    return 0;
}

int terrain_near(int x, int y, int code, int radius) {
    for (int cy = y - radius; cy <= y + radius; ++cy)
        for (int cx = x - radius; cx <= x + radius; ++cx)
            if (cx >= 1 && cx <= 63 && cy >= 1 && cy <= 63 && gen_terrain(cx, cy) == code) return 1;
    return 0;
}

int water_reach(int x, int y) {
    auto water = [](int cx, int cy) { return !on_gen_grid(cx, cy) || is_water_code(gen_terrain(cx, cy)); };
    for (int i = 0; i <= 24; ++i)
        if (!(water(x - i, y) && water(x + i, y) && water(x, y - i) && water(x, y + i))) return i;
    return 1000;
}

int region_matches(const char* region_text, int x, int y) {
    if (!region_text) return 1;
    bool any_word = false;
    const char* at = region_text;
    while (*at) {
        while (*at && !((*at >= 'a' && *at <= 'z') || (*at >= 'A' && *at <= 'Z'))) ++at;
        const char* end = at;
        while ((*end >= 'a' && *end <= 'z') || (*end >= 'A' && *end <= 'Z')) ++end;
        const std::string_view word(at, size_t(end - at));
        at = end;
        if (word.empty()) continue;
        any_word = true;
        if (compare_no_case(word, "north") == 0 && y < 900) return 1;
        if (compare_no_case(word, "south") == 0 && y > 2500) return 1;
        if (compare_no_case(word, "east") == 0 && x > 1000 && y > 850) return 1;
        if (compare_no_case(word, "west") == 0 && x < 1200 && y > 850) return 1;
    }
    return any_word ? 0 : 1;
}

void scatter_rocks_and_wood(int mode) {
    const int b = r(5);
    const int rock = obj_template_by_name("ROCK", 1);
    const int stone = obj_template_by_name("STONE", 1);
    const int branch = obj_template_by_name("BRANCH", 1);
    const int trunk = obj_template_by_name("TREE TRUNK", 1);
    const int slender_trunk = obj_template_by_name("SLENDER TREE TRUNK", 1);
    const int world_code = generation_world_code(generation_world_x, generation_world_y);
    // Open and pine mires have no stones on them.
    const bool stoneless = world_code == 233 || world_code == 236;
    for (int i = 0; i < 409; ++i) {
        const int x = r(64);
        const int y = r(64);
        int big_rock = 1, rocks = 15, stones = 5;
        switch (gen_ground_type(x, y)) {
        case GROUND_BASE_ROCK: big_rock = 20; rocks = 15; stones = 35; break;
        case GROUND_CRAG: big_rock = 10; rocks = 40; stones = 30; break;
        default: break;
        }
        if (terrain_flag_near(x, y, 2, TF_WATER)) {
            big_rock += 15;
            rocks += 50;
            stones += 40;
        }
        if (stoneless) big_rock = rocks = stones = 0;
        if (gen_terrain(x, y) != T_GROUND) continue;
        if (mode == 2 && !terrain_flag_near(x, y, 1, TF_YOUNG_TREE)) continue;
        if (mode == 1) {
            if (r(150) < big_rock) gen_terrain(x, y) = T_BIG_ROCK;
            if (r(150) < rocks && rock) zoom_add_data(x, y, 1, rock, 1);
            if (r(150) < stones && stone) zoom_add_data(x, y, 1, stone, 1);
        } else if (mode == 2) {
            if (r(150) < 2) {
                const int id = r(3) != 0 ? trunk : slender_trunk;
                if (id) zoom_add_data(x, y, 1, id, 1);
            }
            if (r(150) < 5 && branch) zoom_add_data(x, y, 1, branch, 1);
        } else if (mode == 3) {
            if ((terrain_class_at(generation_world_x, generation_world_y) & HAB_CONIFEROUS) && b == 1)
                gen_terrain(x, y) = T_ANT_NEST;
            return;
        }
    }
}

void terrain_vegetation() {
    // The plants of the cell's own place: its world code, its region.
    const int wx = generation_world_x, wy = generation_world_y;
    const int world_code = generation_world_code(wx, wy);
    const bool small_lake = is_small_lake(wx, wy) != 0;
    char text[TAG_TEXT_BYTES];
    for (int t = 0; t < ITEM_TYPE_COUNT; ++t) {
        const ObjectRecord& type = ItemTypes[t];
        if (type.item_class != ITEM_PLANT) continue;
        char name[sizeof type.name + 1];
        copy_field(name, sizeof name, type.name, sizeof type.name);
        hae_asciidata(name);
        copy_text(text, tag_value(asciidata, "TERRAIN", ""));
        const uint32_t mask = parse_terrain_keywords(text);
        const int commonness =
            console_plants_everywhere ? 100 : int(std::strtol(tag_value(asciidata, "COMMONNESS", "25"), nullptr, 10));
        uint32_t habitat = TerrainTypes[world_code & 255].habitat;
        if ((mask & HAB_WETLAND) && neighbour_habitat != 0) habitat = neighbour_habitat | HAB_WETLAND;
        habitat &= ~HAB_POND;
        if ((mask & HAB_POND) && small_lake) habitat |= HAB_POND;
        if ((mask & HAB_LAKE) && small_lake) habitat &= ~HAB_LAKE;
        if ((mask & habitat) == 0) continue;
        copy_text(text, tag_value(asciidata, "REGION", ""));
        if (!region_matches(text, wx, wy)) continue;
        if (r(100) < commonness) setplant(T_GROUND, type.coverage[1], t);
    }
}

void setplant(int platform, int count_base, int type_index) {
    if (type_index < 0 || type_index >= ITEM_TYPE_COUNT) return;
    const ObjectRecord& type = ItemTypes[type_index];
    const int id = obj_store_record(type);
    if (id == 0) return;  // no room for its object: nothing is placed
    char name[sizeof type.name + 1];
    copy_field(name, sizeof name, type.name, sizeof type.name);
    hae_asciidata(name);

    char symbiosis[TAG_TEXT_BYTES];
    upper_tag("SYMBIOSIS", symbiosis);
    bool rocky = false, watery_soil = false, water_plant = false;
    if (std::strstr(symbiosis, "ROCKY")) {
        rocky = true;
        symbiosis[0] = 0;
    } else if (std::strstr(symbiosis, "WATERY_SOIL")) {
        watery_soil = true;
        symbiosis[0] = 0;
    } else if (std::strstr(symbiosis, "SHALLOW_WATER")) {
        water_plant = true;
        symbiosis[0] = 0;
    }
    char text[TAG_TEXT_BYTES];
    copy_text(text, tag_value(asciidata, "TERRAIN", ""));
    if (parse_terrain_keywords(text) & HAB_LAKE) water_plant = true;
    const long group = std::strtol(tag_value(asciidata, "POPULATION", "1"), nullptr, 10);
    const int quantity = type.coverage[1];

    const int extra = r(count_base / 4);
    const int plants = count_base / 4 + extra + count_base / 2 + 1;
    // The group: each try is drawn near the one before until the group's
    // size of tries is spent; then a try anywhere starts the next group.
    bool have_last = false;
    int last_x = 0, last_y = 0;
    long grouped = 0;
    for (int p = 0; p < plants; ++p) {
        bool placed = false, given_up = false;
        for (int tries = 0; tries < 100 && !placed && !given_up; ++tries) {
            int x, y;
            if (have_last && grouped < group) {
                x = last_x >= 4 && last_x <= 60 ? last_x + r(5) - 2 : r(64);
                y = last_y >= 4 && last_y <= 60 ? last_y + r(5) - 2 : r(64);
                ++grouped;
            } else {
                grouped = 0;
                x = r(64);
                y = r(64);
            }
            last_x = x;
            last_y = y;
            have_last = true;
            // Cells on the map's edge take no plant (and nothing is read
            // off the map).
            if (x <= 0 || y <= 0 || x >= 64 || y >= 64) continue;
            const int code = gen_terrain(x, y);
            bool ok = code == platform || (rocky && code == T_BIG_ROCK);
            if (water_plant) {
                if (code == T_RIVER || code == T_SHALLOW_WATER || code == T_WATER) {
                    const int depth = 3 + r(3);
                    ok = depth >= water_reach(x, y);
                } else if (code == T_DEEP_WATER) {
                    const int depth = 1 + r(2);
                    ok = depth >= water_reach(x, y);
                } else {
                    ok = false;
                }
            }
            if (watery_soil) {
                if (code == T_WATER || code == T_SHALLOW_WATER)
                    ok = water_reach(x, y) < 4;
                else
                    ok = terrain_near(x, y, T_WATER, 1) || terrain_near(x, y, T_SHALLOW_WATER, 1);
            }
            const int ground = gen_ground_type(x, y);
            if (ground == GROUND_BASE_ROCK || ground == GROUND_CRAG) ok = rocky;
            else if (rocky) ok = false;
            if (ok && plant_entry_at(x, y)) ok = false;
            if (ok && symbiosis[0] && !symbiosis_met(symbiosis, x, y)) {
                // A plant without its companions nearby is given up.
                given_up = true;
                break;
            }
            if (!ok) continue;
            const int amount = 1 + r(quantity);
            if (zoom_add_data(x, y, MK_PLANT_PATCH, id, amount) == ZOOM_FAIL) return;
            placed = true;
        }
        if (!placed) {
            have_last = false;
            grouped = 0;
        }
    }
}
