#include "mapgen/settlement_stamps.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "game/player.h"
#include "mapgen/gen_grid.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "work/crafting_services.h"

uint8_t settlement_stamp[STAMP_SIDE * STAMP_SIDE];
SettlementState settlement;

namespace {

// Terrain codes of the buildings.
enum : uint8_t {
    C_FIREPLACE = 4, C_SAUNA_STOVE = 5, C_BUNK = 19, C_SHUTTER = 23, C_BENCH = 28, C_SHELTER = 31,
    C_KOTA_INSIDE = 40, C_FRAMEWORK = 41, C_FENCE = 42, C_KOTA_DOOR = 43, C_ROAD = 46, C_FLOOR = 95,
    C_KOTA_W = 136, C_KOTA_NW = 138, C_KOTA_NE = 139, C_KOTA_SW = 140, C_KOTA_SE = 141, C_KOTA_N = 142,
    C_KOTA_S = 143, C_KOTA_E = 144, C_WALL_E = 188, C_CORNER_NE = 191, C_CORNER_SW = 192, C_WALL_N = 196,
    C_WALL_W = 200, C_WALL_S = 208, C_CORNER_SE = 217, C_CORNER_NW = 218, C_TABLE = 240, C_DOOR = 254,
};

constexpr int KIND_TUB_CONTENTS = 55;  // water
constexpr int TUB_CLAIM = 22222;
constexpr int MAP_CAP = 61;  // the largest top-left a stamp is given

int r(int n) { return n > 0 ? random_below(n) : 0; }

void log_make(const char* text) { debug_log("terrain_make", text); }

uint8_t& cell(int col, int row) { return settlement_stamp[row * STAMP_SIDE + col]; }
bool in_stamp(int col, int row) { return col >= 0 && row >= 0 && col < STAMP_SIDE && row < STAMP_SIDE; }
void put(int col, int row, uint8_t code) {
    if (in_stamp(col, row)) cell(col, row) = code;
}

// The frame of a building: corners, walls, floor inside, from (0, 0) to
// (right, bottom).
void frame(int right, int bottom) {
    for (int row = 0; row <= bottom; ++row)
        for (int col = 0; col <= right; ++col) put(col, row, C_FLOOR);
    for (int col = 1; col < right; ++col) {
        put(col, 0, C_WALL_N);
        put(col, bottom, C_WALL_S);
    }
    for (int row = 1; row < bottom; ++row) {
        put(0, row, C_WALL_W);
        put(right, row, C_WALL_E);
    }
    put(0, 0, C_CORNER_NW);
    put(right, 0, C_CORNER_NE);
    put(0, bottom, C_CORNER_SW);
    put(right, bottom, C_CORNER_SE);
}

// The door in the bottom wall with the road just outside.
void door(int col, int bottom) {
    put(col, bottom, C_DOOR);
    put(col, bottom + 1, C_ROAD);
}

int clamp_place(int v) { return v < 3 ? 3 : v > MAP_CAP ? MAP_CAP : v; }

void add_person(int x, int y, int template_kind) { zoom_add_data(x, y, MK_CREATURE, template_kind, 1); }

// One grown person of the common kinds: 540 or 530.
int grown_kind() { return chance_percent(50) ? 540 : 530; }

// The three animal kinds of each culture's enclosures (0: none).
constexpr int kAnimalKinds[14][3] = {
    {3, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {3, 2, 3}, {1, 2, 3},
    {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {4, 4, 4}, {1, 2, 3}, {4, 2, 3}, {0, 0, 0},
};
int animal_template(int kind) {
    switch (kind) {
    case 1: return 609;
    case 2: return 615;
    case 3: return 616;
    case 5: return 619;
    default: return 618;
    }
}

// The ten codes of each sprinkle kind.
constexpr uint8_t kSprinkleCodes[3][10] = {
    {39, 250, 39, 18, 18, 18, 18, 250, 46, 18},
    {39, 10, 10, 250, 18, 250, 46, 10, 8, 8},
    {46, 250, 46, 10, 8, 18, 39, 250, 46, 8},
};
uint8_t sprinkle_code(int kind) { return kSprinkleCodes[kind < 0 || kind > 2 ? 0 : kind][r(10)]; }

void paint_clutter() {
    const StampPlace p = random_edge_place();
    stamp_at(p.x, p.y, 1);
}

// One placement of the yard and camp stamps: when r100 is over the
// threshold, the code at a random cell of the top-left 5 x 5.
void clutter(int threshold, uint8_t code) {
    if (r(100) > threshold) {
        const int col = r(5);
        const int row = r(5);
        put(col, row, code);
    }
}

}  // namespace

void settlement_begin(int culture) {
    settlement = SettlementState{};
    settlement.culture = culture;
}

int chance_percent(int p) { return r(100) < p ? 1 : 0; }

void stamp_clear() { std::memset(settlement_stamp, 0, sizeof settlement_stamp); }

int add_entry_unmerged(int x, int y, int kind, int data, int amount) {
    if (!on_gen_grid(x, y)) return ZOOM_FAIL;
    for (int i = 0; i < ZOOM_OBJECTS; ++i) {
        MapObject& o = zoom_work.objects[i];
        if (o.TYPE != MK_UNUSED) continue;
        o = MapObject{};
        o.x = uint16_t(x);
        o.y = uint16_t(y);
        o.TYPE = uint8_t(kind);
        o.DATA = data;
        o.amount = uint16_t(amount);
        return i;
    }
    return ZOOM_FAIL;
}

int stamp_at(int x, int y, int mode) {
    if (mode == 2) {
        int first_height = 0;
        for (int row = 0; row < STAMP_SIDE; ++row) {
            for (int col = 0; col < STAMP_SIDE; ++col) {
                const int mx = x + col, my = y + row;
                if (on_gen_grid(mx, my) && gen_height(mx, my) < 7) return 1;
                if (cell(col, row) == 0) continue;
                if (!on_gen_grid(mx, my)) return 1;
                if (gen_terrain(mx, my) != T_GROUND) return 1;
                const int h = gen_height(mx, my);
                if (first_height == 0)
                    first_height = h;
                else if (h != first_height)
                    return 1;
            }
        }
    }
    for (int row = 0; row < STAMP_SIDE; ++row) {
        for (int col = 0; col < STAMP_SIDE; ++col) {
            const uint8_t code = cell(col, row);
            const int mx = x + col, my = y + row;
            if (code == 0 || !on_gen_grid(mx, my)) continue;
            if (mode == 1 && gen_terrain(mx, my) != T_GROUND) continue;
            gen_terrain(mx, my) = code;
        }
    }
    return 0;
}

StampPlace find_stamp_place(int x, int y) {
    const int x0 = x < 0 ? 0 : x > MAP_CAP ? MAP_CAP : x;
    const int y0 = y < 0 ? 0 : y > MAP_CAP ? MAP_CAP : y;
    int px = x0, py = y0;
    for (int tries = 0; stamp_at(px, py, 2) != 0; ++tries) {
        if (tries >= 1000) return StampPlace{0, 0, false};
        px = clamp_place(x0 + r(13) - 6);
        py = clamp_place(y0 + r(13) - 6);
    }
    return StampPlace{px, py, true};
}

StampPlace random_edge_place() {
    const int x = r(45);
    int y = r(6);
    if (r(100) > 50) y += 40;
    if (x < 5 || x > 40) y = r(45);
    return StampPlace{x, y, true};
}

void teetalo(int x, int y, int m) {
    char text[120];
    format_text(text, sizeof text, "teetalo: %d,%d maxk %d maara %d", x, y, m, settlement.houses + 1);
    log_make(text);
    stamp_clear();
    const int w = r(m) + 3;
    const int h = r(m) + 3;
    frame(w, h + 1);
    const int door_col = r(w - 2) + 1;
    door(door_col, h + 1);
    const int t = r(w - 2);
    put(t + 2, 1, C_FIREPLACE);
    put(t + 3 <= w - 1 ? t + 3 : t + 1, 1, C_BUNK);
    if (h < 4) {
        put(t + 2, 2, C_BENCH);
        if (r(100) > 60) put(t + 3 <= w - 1 ? t + 3 : t + 1, 2, C_TABLE);
    }
    if (w > 3) {
        int col = r(w - 2) + 2;
        for (int tries = 0; col == door_col && tries < 100; ++tries) col = r(w - 2) + 2;
        if (col != door_col) put(col, h + 1, C_SHUTTER);
    }
    put(0, r(h - 2) + 1, C_SHUTTER);
    if (h > 3) {
        const int row = r(h - 3) + 1;
        put(w - 1, row, C_TABLE);
        put(w, row, C_SHUTTER);
        if (w > 3) put(w - 2, row, C_BENCH);
    }
    if (m > 2) put(1, r(h - 2) + 2, C_BUNK);
    ++settlement.houses;
    const StampPlace p = find_stamp_place(x, y);
    if (p.placed) {
        log_make("asuta talo start");
        settle_people(p.x, p.y);
        log_make("asuta talo ok");
    }
}

StampPlace TeeAitta(int x, int y, int m) {
    char text[80];
    format_text(text, sizeof text, "TeeAitta %d,%d koko %d", x, y, m);
    log_make(text);
    stamp_clear();
    log_make("tyhjed");
    const int extra = r(m);
    const int l = extra + 2;
    log_make("left side");
    frame(l, 3);
    log_make("right side");
    door(extra != 0 ? r(l - 2) + 1 : 1, 3);
    log_make("setting aitta");
    const StampPlace p = find_stamp_place(x, y);
    log_make("setting done");
    return p;
}

void build_sauna(int x, int y, int m) {
    stamp_clear();
    const int l = r(m) + 3;
    frame(l, 3);
    door(r(l - 1) + 1, 3);
    const int stove = r(l - 1) + 1;
    put(stove, 1, C_SAUNA_STOVE);
    put(stove, 2, C_BENCH);
    const StampPlace p = find_stamp_place(x, y);
    if (!p.placed) return;
    // The tub stands inside only when the map has an entry for it.
    int slot = -1;
    for (int i = 0; i < 1990 && slot < 0; ++i)
        if (zoom_work.objects[i].TYPE == MK_UNUSED) slot = i;
    if (slot < 0) return;
    const int type = obj_template_by_name("WOODEN TUB", 1);
    if (type == 0) return;
    int tub = obj_new_instance(type);
    if (tub == 0) return;
    const int filled = Sailioi(0, tub, KIND_TUB_CONTENTS, 0);
    if (filled != 0 && obj_id_is_instance(filled)) tub = filled;
    MapObject& o = zoom_work.objects[slot];
    o = MapObject{};
    o.x = uint16_t(p.x + 1);
    o.y = uint16_t(p.y + 2);
    o.TYPE = MK_ITEM;
    o.DATA = tub;
    o.amount = 1;
    o.ref = int16_t(TUB_CLAIM);
}

void build_hut(int x, int y) {
    stamp_clear();
    const int l = r(3) + 3;
    frame(l, 3);
    door(r(l - 2) + 2, 3);
    if (r(100) > 30) put(0, 1, C_SHUTTER);
    if (r(100) > 75) put(r(l - 2) + 1, 1, C_BENCH);
    const StampPlace p = find_stamp_place(x, y);
    if (p.placed) add_person(p.x + 1, p.y + 1, 580);
}

StampPlace build_kota(int x, int y, int s) {
    s = s < 1 ? 1 : s > 3 ? 3 : s;
    stamp_clear();
    const int n = s + 1;
    for (int row = 0; row < n; ++row)
        for (int col = 0; col < n; ++col) put(col, row, C_KOTA_INSIDE);
    put(n / 2, n / 2, C_FRAMEWORK);
    put(0, 0, C_KOTA_NW);
    put(0, n, C_KOTA_SW);
    put(n, n, C_KOTA_SE);
    put(n, 0, C_KOTA_NE);
    for (int i = 1; i <= s; ++i) {
        put(0, i, C_KOTA_W);
        put(i, n, C_KOTA_S);
        put(i, 0, C_KOTA_N);
        if (s >= 2) put(n, i, C_KOTA_E);
    }
    switch (s) {
    case 1:
        put(2, 1, C_KOTA_DOOR);
        put(3, 1, STAMP_CLEAR);
        break;
    case 2:
        put(3, 2, C_KOTA_DOOR);
        put(4, 2, STAMP_CLEAR);
        break;
    default:
        put(2, 4, C_KOTA_DOOR);
        put(2, 5, STAMP_CLEAR);
        break;
    }
    const StampPlace p = find_stamp_place(x, y);
    if (!p.placed) return p;
    if (s == 3) {
        if (r(2) == 0)
            add_entry_unmerged(p.x + 2, p.y + 2, MK_FIRE, 0, 255);
        else
            add_entry_unmerged(p.x + 2, p.y + 2, MK_FIRE_SITE, 10, Plr.days_played);
    }
    if (s >= 2) {
        // The people stand on an inner floor cell of the kota, off its
        // framework: settle_people puts them 2 right and 2 down.
        settle_people(p.x - 1, p.y + s - 2);
        ++settlement.houses;
    }
    return p;
}

void TeeAitaus(int x, int y, int m) {
    char text[80];
    format_text(text, sizeof text, "TeeAitaus %d,%d maxk %d", x, y, m);
    log_make(text);
    ++settlement.enclosures;
    stamp_clear();
    const int h = r(m) + 3;
    const int w = r(m) + 4;
    for (int col = 0; col <= w; ++col) {
        put(col, 0, C_FENCE);
        put(col, h, C_FENCE);
    }
    for (int row = 0; row <= h; ++row) {
        put(0, row, C_FENCE);
        put(w, row, C_FENCE);
    }
    const int g = r(w - 1);
    put(g + 1, h - 1, C_ROAD);
    put(g + 1, h + 1, C_ROAD);
    if (settlement.culture < 0 || settlement.culture > 13) return;
    int kind = kAnimalKinds[settlement.culture][r(3)];
    if (kind == 0) return;
    int count;
    if (settlement.enclosures == 2) {
        kind = 4;
        count = 2 + r(3);
    } else {
        count = m == 0 ? 1 : r(m) + m / 2 + 1;
    }
    log_make("animal set");
    if (kind == 4) {
        for (int i = 0; i < count; ++i) add_person(x + 2, y + 2, 618);
        return;
    }
    log_make("aseta aitaus");
    if (stamp_at(x, y, 2) != 0) return;
    for (int i = 0; i < count; ++i) add_person(x + 2, y + 2, animal_template(kind));
    log_make("aitaus done");
}

void settle_people(int x, int y) {
    if (settlement.culture == 11) {
        settle_warriors(x, y);
        return;
    }
    const int px = x + 2, py = y + 2;
    if (settlement.single_dweller) {
        if (!settlement.dweller_placed) {
            settlement.dweller_placed = true;
            add_person(px, py, 560);
            ++settlement.grown;
        }
        return;
    }
    for (int p : {90, 65, 40})
        if (r(100) < p) {
            add_person(px, py, grown_kind());
            ++settlement.grown;
        }
    for (int p : {90, 60, 30})
        if (r(100) < p) {
            add_person(px, py, 520);
            ++settlement.children;
        }
    for (int p : {70, 50, 30})
        if (r(100) < p) add_person(px, py, 590);
    for (int p : {60, 40, 20})
        if (r(100) < p) {
            add_person(px, py, 560);
            ++settlement.grown;
        }
}

void settle_warriors(int x, int y) {
    const int px = x + 2, py = y + 2;
    for (int p : {90, 65, 40, 15, -10, -35})
        if (r(100) < p) {
            add_person(px, py, 500);
            ++settlement.grown;
        }
    for (int p : {90, 60, 30})
        if (r(100) < p) {
            add_person(px, py, 520);
            ++settlement.children;
        }
}

void settle_extra_people() {
    if (settlement.extra_done) return;
    settlement.extra_done = true;
    for (int i = 0; i < settlement.houses; ++i) {
        if (r(100) >= 50) continue;
        int kind = 500;
        if (settlement.culture != 11) kind = r(3) < 2 ? 550 : 570;
        add_person(25, 25, kind);
        ++settlement.grown;
    }
    if (settlement.culture != 11 && r(100) < 50) add_person(25, 25, 570);
}

void stamp_yard() {
    stamp_clear();
    clutter(50, 39);
    clutter(60, 39);
    clutter(60, 39);
    clutter(30, 8);
    clutter(30, 8);
    clutter(30, 10);
    clutter(40, 10);
    clutter(60, 8);
    for (int i = 0; i < 3; ++i) clutter(30, C_ROAD);
    put(2, 2, T_WATER);
    paint_clutter();
}

void stamp_camp() {
    stamp_clear();
    static const uint8_t codes[] = {39, 39, 18, 18, 12, 10, 10, 8, C_ROAD, C_ROAD, C_ROAD};
    for (uint8_t code : codes) clutter(30, code);
    put(2, 2, C_SHELTER);
    paint_clutter();
}

void stamp_sprinkle(int kind) {
    stamp_clear();
    const int n = r(50);
    for (int i = 0; i < n; ++i) {
        const uint8_t code = sprinkle_code(kind);
        if (r(100) > 20) {
            const int col = r(15);
            const int row = r(15);
            put(col, row, code);
        }
    }
    paint_clutter();
}

void sprinkle_cell(int kind) {
    const int x = r(64);
    const int y = r(64);
    if (gen_terrain(x, y) == T_GROUND) gen_terrain(x, y) = sprinkle_code(kind);
}
