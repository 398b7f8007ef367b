// The terrain-type table and the small queries that read it for one cell.
#include "maps/terrain_types.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/world_files.h"
#include "game/player.h"
#include "base/files.h"
#include "ui/gfx.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_services.h"
#include "console/console.h"
#include "creatures/creature_services.h"
#include "objects/map_object_table.h"
#include "society/game_course.h"

TerrainType TerrainTypes[256];
int room_temperature = 0;

namespace {

struct TerrainRow {
    int code;
    const char* name;
    const char* tile;
    uint32_t flags;
    uint32_t habitat;
    uint8_t underlay, draw_kind, tile_index, draw_class, freezes;
    uint32_t draw_flags;
};

const TerrainRow kTerrainRows[] = {
    {3, "Lichenous pine forest", "ter-lichpine", 0x44A, 0x40001, 250, 2, 100, 0, 0, 0x0},
    {4, "Fireplace", "ter-firepla", 0x80C, 0x0, 95, 0, 4, 2, 0, 0x0},
    {5, "Sauna stove", "ter-saustove", 0x80C, 0x0, 95, 0, 4, 2, 0, 0x0},
    {8, "Rowan", "ter-rowan", 0x46, 0x0, 250, 0, 8, 1, 0, 0x0},
    {10, "Birch", "ter-birch", 0x4E, 0x0, 250, 2, 10, 1, 0, 0x0},
    {12, "Young spruce", "ter-yspruce", 0x446, 0x0, 250, 2, 12, 1, 0, 0x0},
    {13, "Spruce", "ter-spruce", 0x44E, 0x0, 250, 2, 13, 1, 0, 0x0},
    {14, "post spruce", "ter-leanyspr", 0xC42, 0x0, 250, 0, 0, 3, 0, 0x0},
    {15, "Coniferous forest", "ter-conifore", 0x44A, 0x40008, 250, 2, 15, 0, 0, 0x0},
    {16, "Grove", "ter-grove", 0x4A, 0x10, 250, 2, 62, 0, 0, 0x0},
    {17, "Young pine", "ter-ypine", 0x46, 0x0, 250, 2, 17, 1, 0, 0x0},
    {18, "Pine", "ter-pine", 0x46, 0x0, 250, 2, 18, 1, 0, 0x0},
    {19, "Sleeping bunk", "ter-bunk", 0x802, 0x0, 95, 0, 77, 0, 0, 0x0},
    {20, "High cliff", "ter-hicliff", 0xC, 0x0, 250, 0, 72, 0, 0, 0x0},
    {21, "pit", "ter-pit", 0x2, 0x0, 250, 0, 14, 0, 0, 0x0},
    {22, "Open door", "ter-doorop", 0x802, 0x0, 95, 0, 19, 2, 0, 0x0},
    {23, "Shutter", "ter-shutter", 0x804, 0x0, 250, 0, 20, 2, 0, 0x0},
    {24, "Alder", "ter-alder", 0x46, 0x0, 250, 0, 21, 1, 0, 0x0},
    {28, "Bench", "ter-bench", 0x802, 0x0, 95, 0, 5, 0, 0, 0x0},
    {29, "ant nest", "ter-antnest", 0x2, 0x0, 250, 0, 0, 0, 0, 0x0},
    {30, "Camp", "ter-kotacamp", 0xA, 0x0, 250, 0, 78, 0, 0, 0x0},
    {31, "Shelter", "ter-shelter", 0x80A, 0x0, 250, 0, 22, 1, 0, 0x0},
    {32, "", "", 0x0, 0x0, 0, 0, 74, 0, 0, 0x40},
    {39, "Big rock", "ter-boulder", 0xC, 0x0, 250, 2, 9, 1, 0, 0x0},
    {40, "Inside of a kota", "ter-gcfloor", 0x802, 0xE000, 0, 0, 73, 0, 0, 0x40},
    {41, "Framework", "ter-kotafram", 0x802, 0x0, 250, 0, 41, 3, 0, 0x0},
    {42, "Fence", "ter-fence", 0x204, 0x0, 250, 0, 75, 0, 0, 0x0},
    {43, "Kota doorway", "ter-kotadoor", 0xA, 0x0, 250, 0, 44, 1, 0, 0x0},
    {44, "Fence gate", "ter-fenceclg", 0x204, 0x0, 250, 0, 75, 0, 0, 0x0},
    {45, "Fence gate", "ter-fenceopg", 0x200, 0x0, 250, 0, 75, 0, 0, 0x0},
    {46, "Road", "ter-road", 0x2, 0xA000, 250, 0, 7, 0, 0, 0x0},
    {47, "Pasture", "ter-pasture", 0x2, 0xE000, 250, 0, 102, 0, 0, 0x0},
    {58, "Surface of the Earth", "ter-ground", 0x2, 0xE000, 0, 0, 61, 0, 0, 0x40},
    {60, "Cave", "ter-cave", 0x200A, 0x100, 250, 0, 76, 0, 0, 0x0},
    {81, "Cellar", "ter-cellar", 0x2, 0x0, 250, 0, 79, 0, 0, 0x0},
    {82, "Prepared soil", "ter-prepsoil", 0x2, 0x0, 250, 2, 70, 0, 0, 0x40},
    {86, "Settlement", "ter-snghouse", 0x2, 0x2010, 250, 0, 91, 0, 0, 0x40},
    {91, "Hill", "ter-hill", 0xA, 0x8002, 250, 2, 68, 0, 0, 0x0},
    {93, "Cliff", "ter-cliff", 0x200A, 0x10001, 250, 2, 101, 0, 0, 0x0},
    {94, "Mountain", "ter-mount", 0x200A, 0x101, 250, 2, 3, 0, 0, 0x0},
    {95, "Inside of a building", "ter-gcfloor", 0x802, 0xE000, 0, 0, 73, 0, 0, 0x40},
    {96, "Cave floor", "ter-gcfloor", 0x802, 0xE000, 0, 0, 73, 0, 0, 0x40},
    {136, "Western wall of a kota", "ter-kotaw", 0xC, 0x0, 250, 0, 24, 3, 0, 0x0},
    {138, "North-west corner of a kota", "ter-kotanwc", 0xC, 0x0, 250, 0, 30, 3, 0, 0x0},
    {139, "North-east corner of a kota", "ter-kotanec", 0xC, 0x0, 250, 0, 27, 3, 0, 0x0},
    {140, "South-west corner of a kota", "ter-kotaswc", 0xC, 0x0, 250, 0, 29, 2, 0, 0x0},
    {141, "South-east corner of a kota", "ter-kotasec", 0xC, 0x0, 250, 0, 28, 2, 0, 0x0},
    {142, "Northern wall of a kota", "ter-kotan", 0xC, 0x0, 250, 0, 25, 3, 0, 0x0},
    {143, "Southern wall of a kota", "ter-kotas", 0xC, 0x0, 250, 0, 26, 2, 0, 0x0},
    {144, "Eastern wall of a kota", "ter-kotae", 0xC, 0x0, 250, 0, 23, 3, 0, 0x0},
    {176, "Ford", "ter-ford", 0xB4, 0x20000, 0, 1, 55, 0, 1, 0x40},
    {177, "Rapids", "ter-rapids", 0x90B4, 0x0, 0, 1, 53, 0, 0, 0x40},
    {178, "River", "ter-river", 0x10B4, 0x20000, 0, 1, 54, 0, 1, 0x40},
    {180, "Sea", "ter-sea", 0xB4, 0x80000, 0, 1, 92, 0, 0, 0x40},
    {181, "Sea", "ter-shsea", 0xB4, 0x80000, 0, 1, 93, 0, 1, 0x40},
    {182, "Water", "ter-dpwater", 0xB4, 0x20, 0, 1, 94, 0, 1, 0x40},
    {183, "Water", "ter-shwater", 0xB4, 0x20, 0, 1, 95, 0, 1, 0x40},
    {188, "Eastern wall", "ter-walle", 0x80C, 0x0, 250, 0, 31, 0, 0, 0x40},
    {191, "North-east corner", "ter-wallnec", 0x80C, 0x0, 250, 0, 35, 1, 0, 0x0},
    {192, "South-west corner", "ter-wallswc", 0x80C, 0x0, 250, 0, 37, 1, 0, 0x0},
    {196, "Northern wall", "ter-walln", 0x80C, 0x0, 95, 0, 33, 2, 0, 0x0},
    {200, "Western wall", "ter-wallw", 0x80C, 0x0, 250, 0, 32, 0, 0, 0x40},
    {208, "Southern wall", "ter-walls", 0x80C, 0x0, 250, 0, 34, 2, 0, 0x0},
    {210, "Fortified village", "ter-fortvill", 0x2, 0x2000, 250, 0, 103, 0, 0, 0x0},
    {211, "Settlement", "ter-snghouse", 0x2, 0x2010, 250, 0, 91, 0, 0, 0x40},
    {217, "South-east corner", "ter-wallsec", 0x80C, 0x0, 250, 0, 36, 1, 0, 0x0},
    {218, "North-west corner", "ter-wallnwc", 0x80C, 0x0, 250, 0, 38, 2, 0, 0x0},
    {228, "Thicket", "ter-thicket", 0x4A, 0x10, 250, 2, 63, 0, 0, 0x0},
    {233, "Open mire", "ter-openmire", 0x102, 0x1000, 250, 2, 66, 0, 0, 0x0},
    {235, "Spruce mire", "ter-sprmire", 0x44A, 0x40400, 250, 2, 64, 2, 0, 0x0},
    {236, "Pine mire", "ter-pinemire", 0x102, 0x800, 250, 2, 65, 0, 0, 0x0},
    {237, "Bushes", "ter-bushes", 0x2, 0x8008, 250, 2, 67, 0, 0, 0x0},
    {238, "Heathland", "ter-heath", 0x4A, 0x40004, 250, 2, 2, 0, 0, 0x0},
    {239, "Village", "ter-village", 0x2, 0x2000, 250, 0, 1, 0, 0, 0x0},
    {240, "Table", "ter-table", 0x800, 0x0, 95, 0, 6, 0, 0, 0x0},
    {244, "Water", "ter-water", 0x94, 0x20, 0, 1, 39, 0, 1, 0x40},
    {247, "Water", "ter-water", 0xB4, 0x20, 0, 1, 40, 0, 1, 0x40},
    {250, "Ground", "ter-ground", 0x2, 0xE000, 0, 0, 61, 0, 0, 0x40},
    {251, "Field", "ter-field", 0x2, 0x2040, 250, 0, 80, 0, 0, 0x0},
    {254, "Door", "ter-doorcl", 0x80C, 0x0, 95, 0, 71, 2, 0, 0x0},

};

struct RuleRow {
    int code;
    int block;  // NB_SOUTH, NB_NORTH, NB_EAST, NB_WEST
    uint8_t codes[10];
    uint8_t mode;
    uint8_t result;
};

// The neighbour rules of the door, the open door and the shutter, in the
// order they are tried within each block.
const RuleRow kRuleRows[] = {
    {22, NB_SOUTH, {188, 217}, 1, 0},
    {22, NB_SOUTH, {200, 192}, 2, 250},
    {22, NB_SOUTH, {95, 4, 28, 19, 240}, 3, 250},
    {22, NB_NORTH, {191}, 1, 250},
    {22, NB_EAST, {95, 19, 28, 240, 4}, 2, 250},
    {22, NB_WEST, {95, 4, 28, 19, 240}, 1, 250},
    {22, NB_WEST, {196, 191}, 3, 250},
    {23, NB_SOUTH, {188, 217}, 1, 250},
    {23, NB_SOUTH, {200, 192}, 2, 250},
    {23, NB_SOUTH, {95, 19, 4, 28, 240}, 3, 95},
    {23, NB_NORTH, {188, 191}, 1, 0},
    {23, NB_NORTH, {200, 218}, 2, 250},
    {23, NB_EAST, {95, 19, 28, 240, 4}, 2, 250},
    {23, NB_WEST, {196, 218}, 3, 250},
    {23, NB_WEST, {196, 218}, 1, 250},
    {23, NB_WEST, {95, 19, 28, 240, 4}, 1, 250},
    {254, NB_SOUTH, {188, 217}, 1, 250},
    {254, NB_SOUTH, {200, 192}, 2, 250},
    {254, NB_SOUTH, {95, 4, 28, 19, 240}, 3, 0},
    {254, NB_NORTH, {191}, 1, 250},
    {254, NB_EAST, {95, 19, 28, 240, 4}, 2, 250},
    {254, NB_WEST, {196, 218}, 3, 95},
    {254, NB_WEST, {95, 4, 19, 28, 19}, 1, 250},
};

// Openings (open doors) met by the room fill; is_wall_code counts them.
int room_openings = 0;

void clear_table() {
    std::memset(TerrainTypes, 0, sizeof TerrainTypes);
    for (TerrainType& t : TerrainTypes) t.underlay = 250;
}

void fill_table() {
    for (const TerrainRow& r : kTerrainRows) {
        TerrainType& t = TerrainTypes[r.code];
        t.flags = r.flags;
        copy_text(t.name, r.name);
        copy_text(t.tile, r.tile);
        t.habitat = r.habitat;
        t.underlay = r.underlay;
        t.draw_kind = r.draw_kind;
        t.tile_index = r.tile_index;
        t.draw_class = r.draw_class;
        t.freezes = r.freezes;
        t.draw_flags = r.draw_flags;
    }
    int used[256][4] = {};
    for (const RuleRow& r : kRuleRows) {
        int& n = used[r.code][r.block];
        NeighbourRule& rule = TerrainTypes[r.code].rules[r.block][n++];
        std::memcpy(rule.codes, r.codes, sizeof rule.codes);
        rule.mode = r.mode;
        rule.result = r.result;
    }
}

void write_tile_list() {
    std::string text;
    char line[256];
    for (int code = 0; code < 256; ++code) {
        const TerrainType& t = TerrainTypes[code];
        if (t.name[0] == 0 && t.tile_index == 0) continue;
        if (t.tile[0] == 0) text += "**** ERROR, no ter-tile: ";
        format_text(line, sizeof line, "#%d - %s -- truetile/%s\n", code, t.name, t.tile);
        text += line;
    }
    write_file_atomic("debug_ter-tiles.txt", text);
}

bool has_flag(int code, uint32_t flag) { return (terrain_flags_of(code) & flag) != 0; }

}  // namespace

TerrainTint terrain_tints_for_date(int month, int day) {
    TerrainTint tint;
    std::memset(tint.first, 255, 4);
    std::memset(tint.second, 255, 4);
    const int d = day;
    auto set = [](uint8_t* c, int r, int g, int b, int value) {
        c[0] = uint8_t(r);
        c[1] = uint8_t(g);
        c[2] = uint8_t(b);
        c[3] = uint8_t(value & 0xff);  // byte arithmetic, modulo 256
    };
    switch (month) {
    case 1: set(tint.first, 255, 255, 255, d - 38); set(tint.second, 171, 171, 171, 96 - d); break;
    case 2: set(tint.first, 87, 87, 87, 218 - 2 * d); set(tint.second, 255, 255, 255, 218 - 2 * d); break;
    case 3: set(tint.first, 87, 87, 87, 196 - 2 * d); set(tint.second, 255, 255, 255, 128 - 3 * d); break;
    case 4:
    case 5: set(tint.first, 171, 87, 0, 32 - d); break;
    case 6: set(tint.first, 252, 252, 84, 32 - d); set(tint.second, 168, 0, 0, d / 2); break;
    case 7: set(tint.first, 168, 0, 0, 2 * (d + 10)); set(tint.second, 171, 87, 0, d / 2); break;
    case 8: set(tint.first, 168, 0, 0, 96 - d); set(tint.second, 171, 87, 0, d + 32); break;
    case 9: set(tint.first, 168, 0, 0, 96); set(tint.second, 87, 87, 87, 2 * (d + 32)); break;
    case 10: set(tint.first, 87, 87, 87, 2 * d - 96); set(tint.second, 168, 0, 0, 2 * (32 - d)); break;
    case 11: set(tint.first, 87, 87, 87, 218 - d); set(tint.second, 255, 255, 255, 4 * (d + 8)); break;
    case 12: set(tint.first, 255, 255, 255, d - 38); set(tint.second, 171, 171, 171, 128 - d); break;
    default: break;
    }
    tint.reload = !(tint.first[3] == 255 && tint.second[2] == 255);
    return tint;
}

void init_terrain_types_for_date(int month, int day) {
    clear_table();
    fill_table();
    const TerrainTint tint = terrain_tints_for_date(month, day);
    if (tint.reload) {
        const TileTint t1{tint.first[0], tint.first[1], tint.first[2], tint.first[3]};
        const TileTint t2{tint.second[0], tint.second[1], tint.second[2], tint.second[3]};
        reload_tile_tinted("ter-ground", t1, t2);
        reload_tile_tinted("ter-road", t1, t2);
    }
    // Winter: the freezing waters are drawn as plain ground kinds.
    if ((month >= 11 || month <= 4) && !console_gupd) {
        for (int code = 0; code < 250; ++code) {
            if (TerrainTypes[code].freezes == 1) TerrainTypes[code].draw_kind = 0;
        }
    }
    write_tile_list();
}

void init_terrain_types() { init_terrain_types_for_date(Plr.month, Plr.day); }

uint32_t terrain_flags_of(int code) {
    if (code < 0 || code > 255) return 0;
    return TerrainTypes[code].flags;
}

int terrain_is_open(int code) { return has_flag(code, TF_OBSTACLE) ? 0 : 1; }

const char* terrain_name(int code) {
    char* out = next_ring_text();
    if (code >= 0 && code <= 255) copy_text(out, TEXT_RING_BYTES, TerrainTypes[code].name);
    return out;
}

const char* terrain_name_at(int x, int y) {
    const int code = terrain_at(x, y);
    if (has_flag(code, TF_YOUNG_TREE) && is_sapling_at(x, y)) {
        char* out = next_ring_text();
        copy_text(out, TEXT_RING_BYTES, last_word(TerrainTypes[code].name));
        append_text(out, TEXT_RING_BYTES, " sapling");
        return out;
    }
    return terrain_name(code);
}

const char* describe_world_terrain(int x, int y) {
    const int slot = marker_slot(x, y);
    if (slot != MARKER_NONE && Markers[slot].world_x == x && Markers[slot].world_y == y &&
        x != 0 && (Markers[slot].structure_flags & MARK_OWN_SETTLEMENT)) {
        return ring_copy("Your settlement");
    }
    const int code = stored_world_terrain_at(x, y);
    const uint32_t flags = terrain_flags_of(code);
    if ((flags & TF_WATER) && code != 176 && code != 180 && code != 181) {
        char* out = next_ring_text();
        if (is_small_lake(x, y)) {
            copy_text(out, TEXT_RING_BYTES, "Small lake");
            return out;
        }
        if (!(flags & (TF_FLOWING | TF_RAPIDS))) {
            copy_text(out, TEXT_RING_BYTES, "Lake");
            return out;
        }
    }
    return terrain_name(code);
}

uint32_t parse_terrain_keywords(const char* text) {
    if (!text) return 0;
    uint32_t mask = 0;
    auto has = [text](const char* word) { return std::strstr(text, word) != nullptr; };
    if (has("barren")) mask |= HAB_BARREN;
    if (has("lake")) mask |= HAB_LAKE;
    if (has("sea")) mask |= HAB_SEA;
    if (has("pond")) mask |= HAB_POND;
    if (has("river")) mask |= HAB_RIVER;
    if (has("dryish")) mask |= HAB_DRYISH;
    else if (has("dry")) mask |= HAB_DRY;
    if (has("fresh")) mask |= HAB_FRESH;
    if (has("grove")) mask |= HAB_GROVE;
    if (has("open_mire")) mask |= HAB_OPEN_MIRE;
    if (has("spruce_mire")) mask |= HAB_SPRUCE_MIRE;
    if (has("pine_mire")) mask |= HAB_PINE_MIRE;
    if (has("wetland")) mask |= HAB_WETLAND;
    if (has("settlement")) mask |= HAB_SETTLEMENT;
    if (has("meadow")) mask |= HAB_MEADOW;
    if (has("clearing")) mask |= HAB_CLEARING;
    if (has("field")) mask |= HAB_FIELD;
    if (has("cliff")) mask |= HAB_CLIFF;
    if (has("mountain")) mask |= HAB_MOUNTAIN;
    if (has("coniferous")) mask |= HAB_CONIFEROUS;
    return mask;
}

uint32_t terrain_class_at(int x, int y) {
    const int code = stored_world_terrain_at(x, y);
    uint32_t cls = TerrainTypes[code].habitat;
    static const int dx[4] = {0, 0, -1, 1};
    static const int dy[4] = {-1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (has_flag(stored_world_terrain_at(x + dx[i], y + dy[i]), TF_WATER)) {
            cls |= HAB_WETLAND;
            break;
        }
    }
    return cls;
}

namespace {
// The four neighbours of a world cell: one is open water of a lake or
// river (not the sea).
int is_lake_shore_at(int x, int y) { return is_open_coast_at(x, y); }
// One of the four neighbours of a world cell is sea.
int is_sea_coast_at(int x, int y) {
    static const int dx[4] = {0, 0, -1, 1};
    static const int dy[4] = {-1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const int c = stored_world_terrain_at(x + dx[i], y + dy[i]);
        if (c == 180 || c == 181) return 1;
    }
    return 0;
}
int next_to_open_water(int x, int y) {
    static const int dx[4] = {0, 0, -1, 1};
    static const int dy[4] = {-1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (is_open_water_at(x + dx[i], y + dy[i])) return 1;
    }
    return 0;
}
}  // namespace

int area_has_terrain_class(int x, int y, uint32_t mask, int size) {
    const int half = size % 2;
    for (int yy = y - half; yy <= y + half; ++yy) {
        for (int xx = x - half; xx <= x + half; ++xx) {
            if (terrain_class_at(xx, yy) & mask) continue;
            if (mask & HAB_SEA) {
                const int c = stored_world_terrain_at(xx, yy);
                if (c == 180 || c == 181) continue;
            }
            return 0;
        }
    }
    if ((mask & HAB_LAKE) && !is_lake_shore_at(x, y)) return 0;
    if ((mask & HAB_SEA) && !is_sea_coast_at(x, y)) return 0;
    return 1;
}

int suits_habitat_mode(int x, int y, int mode) {
    switch (mode) {
    case 0: return 1;
    case 1: return next_to_open_water(x, y);
    case 2:
        if (!is_world_map() || !next_to_open_water(x, y)) return 0;
        return (is_open_water_at(x, y - 5) && is_open_water_at(x, y + 5) &&
                is_open_water_at(x - 5, y) && is_open_water_at(x + 5, y))
                   ? 0
                   : 1;
    case 3:
        if (!is_world_map() || !next_to_open_water(x, y)) return 0;
        return (has_flag(terrain_at(x, y - 3), TF_MIRE_ROCK) ||
                has_flag(terrain_at(x, y + 3), TF_MIRE_ROCK) ||
                has_flag(terrain_at(x - 3, y), TF_MIRE_ROCK) ||
                has_flag(terrain_at(x + 3, y), TF_MIRE_ROCK))
                   ? 1
                   : 0;
    default: return 0;
    }
}

int is_small_lake(int x, int y) {
    const int code = stored_world_terrain_at(x, y);
    if (code != 183 && code != 247) return 0;
    auto water = [](int cx, int cy) { return has_flag(stored_world_terrain_at(cx, cy), TF_WATER); };
    int s = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (water(x + dx, y + dy)) ++s;
    int f = 0;
    static const int dx[4] = {1, 0, -1, 0};
    static const int dy[4] = {0, 1, 0, -1};
    for (int i = 0; i < 4; ++i) {
        for (int step = 1; step <= 5; ++step) {
            if (!water(x + dx[i] * step, y + dy[i] * step)) break;
            ++f;
        }
    }
    if (f == 0) return 1;
    if (f <= 4 && (s < 7 || f < 2)) return s < 5 ? (f < 4) : (f < 3);
    return 0;
}

int is_wall_code(int code) {
    switch (code) {
    case 22: ++room_openings; return 1;
    case 20: case 23: case 188: case 191: case 192: case 196: case 200:
    case 208: case 217: case 218: case 254:
        return 1;
    default: return 0;
    }
}

int is_roofed_at(int x, int y) { return has_flag(terrain_at(x, y), TF_ROOF) ? 1 : 0; }

int compute_room_temperature(int x, int y) {
    if (is_world_map() || !is_roofed_at(x, y)) return 0;
    constexpr int R = 10, N = 2 * R + 1;
    bool visited[N][N] = {};
    int count = 0;
    int heat = 0;
    room_openings = 0;
    room_temperature = 0;
    int enclosure = 1;
    struct Offset { int8_t dx, dy; };
    Offset stack[N * N * 4];
    int top = 0;
    stack[top++] = {0, 0};
    while (top > 0) {
        const Offset o = stack[--top];
        if (visited[o.dy + R][o.dx + R]) continue;
        const int cx = x + o.dx, cy = y + o.dy;
        const int code = terrain_at(cx, cy);
        if (is_wall_code(code)) continue;
        if (o.dx <= -R || o.dx >= R || o.dy <= -R || o.dy >= R) {
            enclosure = 0;
            continue;
        }
        visited[o.dy + R][o.dx + R] = true;
        ++count;
        if (code == 4 || code == 5) {
            enclosure |= 2;
            heat += fire_heat_at(cx, cy);
        }
        const Offset next[4] = {{int8_t(o.dx + 1), o.dy}, {int8_t(o.dx - 1), o.dy},
                                {o.dx, int8_t(o.dy + 1)}, {o.dx, int8_t(o.dy - 1)}};
        for (const Offset& n : next) {
            if (!visited[n.dy + R][n.dx + R]) stack[top++] = n;
        }
    }
    if (count == 0 || enclosure == 0) return enclosure;
    const float t = Plr.previous_air_temp;
    int base;
    if (t >= 20) base = int(t - 5);
    else if (t >= 0) base = int(t + 2);
    else if (t >= -10) base = 0;
    else if (t >= -25) base = -3;
    else base = -5;
    if (room_openings > 0) {
        base -= 10;
        if (float(base) < t) base = int(t);
    }
    // A room of one or two cells counts as one third: never a division by zero.
    const int thirds = count / 3 > 0 ? count / 3 : 1;
    room_temperature = int(double(heat) / thirds + base);
    return enclosure;
}
