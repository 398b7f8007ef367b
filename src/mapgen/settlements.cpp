// The settlement builders: each starts from plain ground, lays out the
// buildings, enclosures and clutter of its culture at fixed anchor places
// with random offsets, and makes sure the settlement has people.
#include "mapgen/settlements.h"

#include "base/debug_log.h"
#include "base/files.h"
#include "mapgen/gen_grid.h"
#include "mapgen/settlement_stamps.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"

namespace {

// A camp belongs to no culture: its enclosures would hold nothing.
constexpr int kNoCulture = 255;

int r(int n) { return n > 0 ? random_below(n) : 0; }
// "over t": a fresh draw below 100 above t.
bool over(int t) { return r(100) > t; }

void log_make(const char* text) { debug_log("terrain_make", text); }

void start(int culture) {
    settlement_begin(culture);
    stamp_clear();
    for (int y = 0; y < GEN_SIDE; ++y)
        for (int x = 0; x < GEN_SIDE; ++x) gen_terrain(x, y) = T_GROUND;
}

void stamps(int kind, int a, int b) {
    for (int i = 0; i < a + r(b); ++i) stamp_sprinkle(kind);
}
void cells(int kind, int a, int b) {
    for (int i = 0; i < a + r(b); ++i) sprinkle_cell(kind);
}
int kota_size() { return 1 + r(3); }

void clear_marked_cells() {
    for (int y = 0; y < GEN_SIDE; ++y)
        for (int x = 0; x < GEN_SIDE; ++x)
            if (gen_terrain(x, y) == STAMP_CLEAR) gen_terrain(x, y) = T_GROUND;
}

// The common ending: the marked cells cleared, the extra people, and the
// top-up of three when the settlement came out (nearly) empty.
void finish(bool extra_people, int culture) {
    clear_marked_cells();
    if (extra_people) settle_extra_people();
    if (settlement.grown + settlement.children <= 2 && !settlement.single_dweller) {
        const bool warriors = culture == 11;
        zoom_add_data(25, 25, MK_CREATURE, !warriors && chance_percent(50) ? 540 : 530, 1);
        zoom_add_data(25, 25, MK_CREATURE, 520, 1);
        zoom_add_data(25, 25, MK_CREATURE, 590, 1);
    }
}

// The grid of plots of culture 1 (a village, and the walled town).
void plots_culture_1() {
    if (over(20)) {
        if (r(100) < 51) teetalo(4, 4, 2);
        else TeeAitta(4, 4, 3);
    }
    if (over(20)) teetalo(4, 12, 4);
    if (over(20)) TeeAitta(5, 22, 2);
    if (over(20)) {
        if (r(100) < 31) TeeAitta(4, 32, 3);
        else build_sauna(4, 32, 2);
    }
    build_hut(5, 42);
    if (over(20)) {
        if (r(100) < 31) build_hut(16, 4);
        else TeeAitta(16, 4, 3);
    }
    if (over(20)) TeeAitta(17, 12, 4);
    if (over(20)) TeeAitta(16, 22, 2);
    if (over(20)) build_hut(18, 32);
    if (over(20)) build_hut(16, 42);
    if (over(20)) teetalo(32, 4, 3);
    if (over(20)) {
        if (r(100) < 61) TeeAitaus(34, 13, 4);
        else TeeAitta(34, 12, 4);
    }
    if (over(20)) build_hut(32, 22);
    if (over(20)) TeeAitaus(32, 32, 3);
    if (over(20)) build_hut(32, 42);
}

void layout_village(int c) {
    switch (c) {
    case 0: {
        const int hx = r(16), hy = r(8);
        teetalo(10 + hx, 16 + hy, 4);
        if (over(40)) build_kota(hx + r(12) + 4, hy + r(2) + 10, 1);
        if (over(60)) {
            const int a = r(2), b = r(4);
            TeeAitaus(4 + a, 3 + b, 3);
            TeeAitta(12 + a, 3 + b, 2);
        }
        build_sauna(5 + r(8), 34 + r(11), 1);
        TeeAitta(36 + r(7), 5 + r(4), 2);
        if (over(30)) TeeAitta(35 + r(6), 16 + r(4), 2);
        if (over(60)) TeeAitta(37 + r(4), 34 + r(5), 2);
        stamp_yard();
        if (over(25)) stamp_camp();
        stamps(1, 15, 15);
        cells(1, 50, 100);
        break;
    }
    case 1:
        plots_culture_1();
        stamp_yard();
        if (over(20)) stamp_yard();
        if (over(60)) stamp_yard();
        if (over(66)) stamp_camp();
        stamps(2, 5, 15);
        cells(2, 20, 50);
        break;
    case 2:
        teetalo(12 + r(7), 16 + r(6), 4);
        if (over(20)) {
            TeeAitaus(4 + r(2), 3 + r(4), 3);
            TeeAitta(13 + r(2), 3 + r(4), 2);
        }
        build_sauna(5 + r(8), 38 + r(4), 1);
        TeeAitta(36 + r(7), 5 + r(4), 2);
        if (over(30)) TeeAitta(35 + r(6), 16 + r(4), 2);
        if (over(60)) TeeAitta(37 + r(4), 34 + r(5), 2);
        if (over(25)) build_hut(20 + r(6), 4 + r(4));
        stamp_yard();
        if (over(50)) stamp_yard();
        if (over(50)) stamp_camp();
        stamps(1, 5, 10);
        cells(1, 50, 50);
        break;
    case 3:
        teetalo(20 + r(5), 21 + r(7), 5);
        if (over(33)) teetalo(4 + r(4), 4 + r(4), 2);
        if (over(60)) teetalo(20 + r(4), 4 + r(4), 2);
        build_sauna(5 + r(10), 40 + r(3), 2);
        TeeAitaus(4 + r(3), 19 + r(3), 6);
        if (over(30)) {
            TeeAitaus(4 + r(2), 31, 3);
            TeeAitta(13 + r(2), 31, 2);
        }
        TeeAitta(28 + r(4), 4 + r(4), 3);
        TeeAitta(34 + r(4), 10 + r(3), 2);
        if (over(33)) TeeAitta(35 + r(4), 22 + r(3), 2);
        if (over(50)) TeeAitta(32 + r(4), 32 + r(3), 2);
        if (over(25)) build_hut(22 + r(4), 38 + r(4));
        if (over(40)) build_hut(32 + r(3), 39 + r(3));
        if (over(40)) build_hut(40 + r(3), 4 + r(4));
        stamp_yard();
        if (over(30)) stamp_yard();
        if (over(33)) stamp_camp();
        stamps(1, 5, 10);
        cells(1, 20, 50);
        break;
    case 4:
        teetalo(20 + r(4), 4 + r(4), 5);
        TeeAitta(10 + r(4), 16 + r(4), 2);
        build_sauna(20 + r(4), 30 + r(4), 1);
        build_hut(30 + r(4), 16 + r(4));
        if (over(25)) build_hut(10 + r(2), 3 + r(3));
        if (over(40)) build_hut(8 + r(4), 30 + r(4));
        if (over(40)) TeeAitta(30 + r(4), 3 + r(4), 3);
        if (over(40)) TeeAitta(30 + r(4), 30 + r(4), 2);
        TeeAitaus(4 + r(3), 39 + r(3), 5);
        if (over(40)) {
            TeeAitaus(20 + r(2), 38, 5);
            TeeAitta(29 + r(2), 38, 2);
        }
        stamp_yard();
        if (over(60)) stamp_camp();
        stamps(2, 5, 10);
        cells(2, 20, 60);
        break;
    case 5:
        teetalo(10 + r(16), 16 + r(8), 4);
        build_sauna(8 + r(12), 40 + r(3), 1);
        TeeAitta(36 + r(7), 5 + r(4), 2);
        if (over(30)) TeeAitta(35 + r(6), 16 + r(4), 2);
        if (over(60)) TeeAitta(37 + r(4), 34 + r(5), 2);
        TeeAitta(5 + r(4), 2 + r(6), 3);
        if (over(25)) build_hut(20 + r(6), 4 + r(4));
        stamp_yard();
        if (over(25)) stamp_camp();
        stamps(2, 15, 15);
        cells(2, 50, 100);
        break;
    case 6:
        if (over(33)) TeeAitta(10 + r(3), 4 + r(4), 2);
        teetalo(10 + r(3), 12 + r(4), 2);
        if (over(33)) TeeAitta(2 + r(3), 12 + r(4), 2);
        if (over(33)) build_hut(12 + r(3), 24 + r(4));
        if (over(33)) TeeAitta(2 + r(3), 24 + r(4), 2);
        if (over(33)) build_sauna(2 + r(4), 36 + r(4), 2);
        TeeAitaus(10 + r(2), 36 + r(4), 4);
        if (over(33)) teetalo(28 + r(3), 2 + r(3), 2);
        if (over(33)) TeeAitta(28 + r(3), 12 + r(4), 2);
        if (over(33)) TeeAitta(40 + r(3), 12 + r(4), 2);
        if (over(33)) build_hut(28 + r(3), 24 + r(4));
        if (r(100) < 51) TeeAitaus(40 + r(3), 24 + r(4), 4);
        else TeeAitta(40 + r(3), 24 + r(4), 2);
        if (over(33)) build_hut(28 + r(4), 36 + r(4));
        stamp_yard();
        if (over(30)) stamp_yard();
        if (over(60)) stamp_camp();
        stamps(2, 5, 10);
        cells(2, 30, 120);
        break;
    case 7:
        if (over(25)) build_kota(6 + r(8), 4 + r(8), kota_size());
        if (over(25)) build_kota(24 + r(8), 12 + r(8), kota_size());
        if (over(25)) build_kota(4 + r(8), 30 + r(5), kota_size());
        if (over(25)) build_kota(8 + r(8), 40 + r(3), kota_size());
        if (over(40)) build_kota(30 + r(8), 32 + r(8), kota_size());
        if (over(50)) build_kota(34 + r(8), 4 + r(8), kota_size());
        if (over(25)) TeeAitaus(20 + r(5), 24 + r(4), 6);
        if (over(20)) TeeAitta(35 + r(5), 20 + r(4), 2);
        if (over(25)) stamp_camp();
        if (over(25)) stamp_camp();
        if (over(30)) stamp_yard();
        stamps(0, 15, 15);
        cells(0, 150, 100);
        break;
    case 8:
        build_kota(16 + r(8), 16 + r(8), 3);
        if (over(25)) build_kota(6 + r(8), 4 + r(8), kota_size());
        if (over(25)) build_kota(34 + r(8), 6 + r(8), kota_size());
        if (over(25)) stamp_camp();
        if (over(25)) stamp_camp();
        TeeAitaus(5, 32, 7);
        if (over(35)) TeeAitaus(34, 33, 7);
        if (over(50)) TeeAitaus(21, 36, 4);
        if (over(30)) stamp_yard();
        stamps(0, 15, 15);
        cells(0, 150, 100);
        break;
    case 9:
        build_kota(16 + r(8), 16 + r(8), 3);
        build_kota(20 + r(8), 4 + r(4), 3);
        if (over(25)) stamp_camp();
        if (over(25)) stamp_camp();
        if (over(25)) build_kota(6 + r(8), 4 + r(8), kota_size());
        if (over(25)) build_kota(34 + r(8), 6 + r(8), kota_size());
        if (over(20)) TeeAitta(35 + r(5), 20 + r(4), 2);
        if (over(70)) build_sauna(5 + r(5), 30 + r(4), 1);
        if (over(20)) TeeAitaus(15 + r(5), 30, 6);
        if (over(30)) stamp_yard();
        stamps(0, 15, 15);
        cells(0, 150, 100);
        break;
    case 10:
        build_kota(20 + r(16), 20 + r(16), kota_size());
        stamps(0, 15, 15);
        cells(0, 250, 100);
        break;
    case 11:
        teetalo(20 + r(5), 21 + r(7), 3);
        if (over(33)) teetalo(4 + r(4), 4 + r(4), 2);
        if (over(40)) teetalo(20 + r(4), 4 + r(4), 2);
        if (over(40)) TeeAitaus(4 + r(3), 19 + r(3), 4);
        TeeAitta(28 + r(4), 4 + r(4), 3);
        if (over(33)) TeeAitta(35 + r(4), 22 + r(3), 2);
        if (over(50)) TeeAitta(32 + r(4), 32 + r(3), 2);
        if (over(25)) build_hut(22 + r(4), 38 + r(4));
        if (over(40)) build_hut(32 + r(3), 39 + r(3));
        stamp_yard();
        stamps(1, 10, 10);
        cells(1, 40, 20);
        break;
    case 12:
        build_kota(20 + r(8), 20 + r(16), 2 + r(3));
        build_kota(12 + r(16), 10 + r(16), 2 + r(3));
        build_kota(22 + r(16), 10 + r(26), 2 + r(3));
        stamps(0, 15, 15);
        cells(0, 250, 100);
        break;
    case 13: {
        const int hx = r(16), hy = r(8);
        teetalo(10 + hx, 16 + hy, 2);
        if (over(60)) build_kota(hx + r(12) + 4, hy + r(2) + 10, 1);
        if (over(80)) {
            TeeAitaus(4 + r(2), 3 + r(4), 3);
            TeeAitta(12 + r(2), 3 + r(4), 2);
        }
        if (over(20)) build_sauna(5 + r(8), 34 + r(11), 1);
        if (over(50)) TeeAitta(36 + r(7), 5 + r(4), 2);
        if (over(80)) TeeAitta(35 + r(6), 16 + r(4), 2);
        stamp_yard();
        if (over(25)) stamp_camp();
        stamps(1, 15, 15);
        cells(1, 50, 100);
        break;
    }
    default:
        break;
    }
}

// The layouts of a newer or smaller settlement; some parts only while the
// single-dweller flag is clear.
void layout_homestead(int c) {
    const bool clear = !settlement.single_dweller;
    switch (c) {
    case 0: {
        const int hx = r(16), hy = r(8);
        teetalo(10 + hx, 16 + hy, 4);
        build_kota(hx + r(12) + 4, hy + r(2) + 10, 3);
        if (clear && over(82)) TeeAitaus(4 + r(2), 3 + r(4), 2);
        if (over(33)) build_sauna(5 + r(8), 34 + r(11), 1);
        TeeAitta(37 + r(4), 34 + r(5), 2);
        if (over(25)) stamp_yard();
        if (over(25)) stamp_camp();
        stamps(1, 15, 15);
        cells(1, 50, 100);
        break;
    }
    case 1:
        teetalo(10 + r(16), 16 + r(8), 2);
        if (over(60)) TeeAitta(17, 12, 4);
        TeeAitta(16, 22, 2);
        if (clear) {
            if (over(50)) teetalo(32, 4, 3);
            if (over(20)) TeeAitaus(32, 32, 3);
        }
        stamp_yard();
        if (over(20)) stamp_yard();
        if (over(20)) stamp_camp();
        stamps(2, 5, 15);
        cells(2, 20, 50);
        break;
    case 2:
        teetalo(12 + r(7), 16 + r(6), 4);
        if (clear && over(60)) {
            const int a = r(2), b = r(4);
            TeeAitaus(4 + a, 3 + b, 2);
            TeeAitta(13 + a, 3 + b, 2);
        }
        build_sauna(5 + r(8), 38 + r(4), 1);
        TeeAitta(37 + r(4), 34 + r(5), 2);
        if (over(20)) stamp_yard();
        if (over(25)) stamp_camp();
        stamps(1, 5, 10);
        cells(1, 50, 50);
        break;
    case 3:
        teetalo(20 + r(5), 21 + r(7), 2);
        if (clear && over(30)) {
            log_make("Tee reemiaitaus");
            TeeAitaus(4 + r(3), 31, 2);
        }
        TeeAitta(29 + r(5), 31 + r(3), 2);
        log_make("Randomoi Reemiaitta");
        if (over(70)) TeeAitta(32 + r(4), 32 + r(3), 2);
        stamp_yard();
        if (over(20)) stamp_camp();
        stamps(1, 5, 10);
        cells(1, 20, 50);
        break;
    case 4:
        teetalo(20 + r(4), 4 + r(4), 2);
        TeeAitta(10 + r(4), 16 + r(4), 2);
        if (over(20)) build_sauna(20 + r(4), 30 + r(4), 1);
        if (clear && over(40)) {
            const int a = r(2);
            TeeAitaus(20 + a, 38, 4);
            TeeAitta(29 + a, 38, 2);
        }
        stamp_yard();
        if (over(20)) stamp_camp();
        stamps(2, 5, 10);
        cells(2, 20, 60);
        break;
    case 5:
        teetalo(10 + r(16), 16 + r(8), 2);
        if (over(33)) build_sauna(8 + r(12), 40 + r(3), 1);
        if (over(70)) TeeAitta(37 + r(4), 34 + r(5), 2);
        stamp_yard();
        if (over(25)) stamp_camp();
        stamps(2, 15, 15);
        cells(2, 50, 100);
        break;
    case 6:
        teetalo(10 + r(3), 12 + r(4), 2);
        TeeAitta(2 + r(3), 12 + r(4), 2);
        if (over(33)) build_sauna(2 + r(4), 36 + r(4), 2);
        if (clear) {
            if (over(60)) TeeAitta(40 + r(3), 12 + r(4), 2);
            if (over(50)) TeeAitaus(40 + r(3), 24 + r(4), 4);
        }
        stamp_yard();
        if (over(20)) stamp_camp();
        stamps(2, 5, 10);
        cells(2, 30, 120);
        break;
    case 7:
        build_kota(6 + r(8), 4 + r(8), r(3));
        if (over(50)) build_kota(24 + r(8), 12 + r(8), kota_size());
        if (over(50)) build_kota(4 + r(8), 30 + r(5), kota_size());
        if (clear && over(50)) TeeAitaus(20 + r(5), 24 + r(4), 6);
        if (over(25)) stamp_camp();
        if (over(25)) stamp_camp();
        stamps(0, 15, 15);
        cells(0, 150, 100);
        break;
    case 8:
        build_kota(16 + r(8), 16 + r(8), 3);
        if (over(50)) build_kota(6 + r(8), 4 + r(8), kota_size());
        if (over(25)) stamp_camp();
        if (over(25)) stamp_camp();
        if (clear && over(50)) TeeAitaus(21, 36, 4);
        stamps(0, 15, 15);
        cells(0, 150, 100);
        break;
    case 9:
        build_kota(16 + r(8), 16 + r(8), 3);
        if (over(25)) stamp_camp();
        if (over(25)) stamp_camp();
        if (over(60)) build_kota(6 + r(8), 4 + r(8), 1 + r(2));
        if (over(60)) build_kota(34 + r(8), 6 + r(8), 1 + r(2));
        if (clear && over(50)) TeeAitaus(15 + r(5), 30, 6);
        stamps(0, 15, 15);
        cells(0, 150, 100);
        break;
    case 10:
        build_kota(20 + r(16), 20 + r(16), kota_size());
        stamps(0, 15, 15);
        cells(0, 250, 100);
        break;
    case 11:
        teetalo(20 + r(5), 21 + r(7), 2);
        if (clear && over(70)) TeeAitaus(4 + r(3), 19 + r(3), 4);
        if (over(70)) TeeAitta(28 + r(4), 4 + r(4), 3);
        stamp_yard();
        stamps(1, 10, 10);
        cells(1, 40, 20);
        break;
    case 12:
        build_kota(20 + r(8), 20 + r(16), 2 + r(3));
        build_kota(12 + r(16), 10 + r(16), 2 + r(3));
        build_kota(22 + r(16), 10 + r(26), 2 + r(3));
        stamps(0, 15, 15);
        cells(0, 250, 100);
        break;
    case 13: {
        const int hx = r(16), hy = r(8);
        if (over(60)) teetalo(10 + hx, 16 + hy, 2);
        build_kota(hx + r(12) + 4, hy + r(2) + 10, 3);
        if (over(20)) build_sauna(5 + r(8), 34 + r(11), 1);
        if (over(80)) TeeAitta(35 + r(6), 16 + r(4), 2);
        if (over(25)) stamp_yard();
        if (over(25)) stamp_camp();
        stamps(1, 15, 15);
        cells(1, 50, 100);
        break;
    }
    default:
        break;
    }
}

// The homestead's state and layout, without its ending.
void homestead_layout(uint8_t culture) {
    start(culture);
    settlement.single_dweller = r(6) == 0;
    layout_homestead(culture);
}

// A palisade along the square (2, 2) to (61, 61).
void palisade(uint8_t code) {
    for (int i = 2; i <= 61; ++i) {
        gen_terrain(2, i) = code;
        gen_terrain(61, i) = code;
        gen_terrain(i, 2) = code;
        gen_terrain(i, 61) = code;
    }
}

}  // namespace

void build_village(uint8_t culture) {
    start(culture);
    layout_village(culture);
    finish(!settlement.single_dweller, culture);
}

void TeeUudistalo(uint8_t culture) {
    homestead_layout(culture);
    log_make("perkaa start");
    clear_marked_cells();
    log_make("perkaa done");
    finish(false, culture);
}

void build_fortified_village(uint8_t culture) {
    if (culture == 11) {
        start(culture);
        palisade(42);
        for (int y = 1; y <= 3; ++y) gen_terrain(32, y) = 46;
        layout_village(11);
    } else if (culture == 1) {
        start(culture);
        palisade(T_BIG_ROCK);
        for (int x = 61; x <= 63; ++x) gen_terrain(x, 32) = 46;
        plots_culture_1();
        stamp_yard();
        if (over(20)) stamp_yard();
        if (over(60)) stamp_yard();
        if (over(66)) stamp_camp();
        stamps(2, 5, 15);
        cells(2, 20, 50);
    } else {
        // Any other people build a homestead of their own kind; its ending
        // is this one, run once.
        homestead_layout(culture);
    }
    finish(true, culture);
}

void build_camp_site() {
    start(kNoCulture);
    const int kotas = 2 + r(2);
    for (int i = 0; i < kotas; ++i) {
        const StampPlace p = build_kota(10 + r(44), 10 + r(44), 1);
        if (p.placed) zoom_add_data(p.x + 1, p.y + 1, MK_CREATURE, 500, 1);
    }
    const int stores = 2 + r(2);
    for (int i = 0; i < stores; ++i) {
        const StampPlace p = TeeAitta(10 + r(44), 10 + r(44), 3 + r(2));
        if (!p.placed) continue;
        const int n = r(5);
        for (int k = 0; k < n; ++k) {
            zoom_add_data(p.x + 1, p.y + 1, MK_CREATURE, 500, 1);
            const int item = obj_template_by_name("*RANDOM*", 0);
            const int ix = p.x + 1 + r(2);
            const int iy = p.y + 1 + r(2);
            if (item != 0) zoom_add_data(ix, iy, MK_ITEM, item, 1);
        }
    }
    clear_marked_cells();
}
