// Choosing items and the village's look at them: opening the selection
// screen on 500 entries, one key's way to a new frame, the owner of a world
// cell among a full marker table, and the unpaid-goods check with 60
// villagers about.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/markers.h"
#include "objects/item_selection.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "society/villages.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "bench_folder.h"

namespace {

bool start_screen() {
    if (canvas != nullptr && game_renderer != nullptr) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    static BenchFolder folder("selection");
    if (!folder.ok()) return false;
    folder.enter();
    // As in a game: the settings file stands beside the installation (the
    // lists read their settings from it as they run).
    std::filesystem::copy_file("defaults/ksm_ini.def", "ksm_ini.txt", std::filesystem::copy_options::skip_existing);
    if (!(SDL_WasInit(SDL_INIT_VIDEO) & SDL_INIT_VIDEO) && SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    if (game_window == nullptr) game_window = SDL_CreateWindow("Kesmorra", 0, 0, CANVAS_W, CANVAS_H, SDL_WINDOW_HIDDEN);
    if (game_window == nullptr) return false;
    InitGr();
    return canvas != nullptr && game_renderer != nullptr;
}

// 500 items of 10 classes on the square (200, 200).
void lay_out_square() {
    reset_object_store();
    reset_map_object_table();
    reset_item_selection();
    messages_suppressed = true;
    static const uint8_t classes[10] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11};
    for (int i = 0; i < 500; ++i) {
        ObjectRecord r;
        obj_clear_record(r);
        r.item_class = classes[i % 10];
        r.kind = 300 + i % 10;
        format_text(r.name, sizeof r.name, "thing of sort %d", i);
        r.weight = 1.0f;
        r.full_weight = i % 3 == 0 ? 2.0f : 1.0f;
        Data[i].TYPE = MK_ITEM;
        Data[i].x = 200;
        Data[i].y = 200;
        Data[i].DATA = obj_store_new(r);
        Data[i].amount = uint16_t(1 + i % 4);
    }
}

// The keys a benchmark feeds the screen: `downs` moves, then ESC.
int keys_left = 0;
int scripted_key() {
    if (keys_left-- > 0) return KEY_DOWN;
    return KEY_ESC;
}

void BM_OpenSelectionOf500(benchmark::State& state) {
    if (!start_screen()) {
        state.SkipWithError("no video");
        return;
    }
    lay_out_square();
    menu_key_reader = scripted_key;
    for (auto _ : state) {
        keys_left = 0;
        benchmark::DoNotOptimize(select_items(1, -1, 200, 200, "Pick up what?", "pick up", 0x001, 0, 702));
    }
    menu_key_reader = nullptr;
}
BENCHMARK(BM_OpenSelectionOf500)->Unit(benchmark::kMillisecond);

// A run of 100 moves: the time of one key is the run's less the opening's,
// over 100 (each move redraws the page and presents a frame).
void BM_KeyToFrame(benchmark::State& state) {
    if (!start_screen()) {
        state.SkipWithError("no video");
        return;
    }
    lay_out_square();
    menu_key_reader = scripted_key;
    for (auto _ : state) {
        keys_left = 100;
        benchmark::DoNotOptimize(select_items(1, -1, 200, 200, "Pick up what?", "pick up", 0x001, 0, 702));
    }
    menu_key_reader = nullptr;
    state.SetItemsProcessed(state.iterations() * 101);
}
BENCHMARK(BM_KeyToFrame)->Unit(benchmark::kMillisecond);

// A full marker table, every tenth marker a village; the cell asked lies
// on pasture near none, so the whole table is walked.
void BM_VillageAtFullMarkers(benchmark::State& state) {
    std::memset(Markers, 0, sizeof Markers);
    for (int i = 0; i < MARKER_COUNT; ++i) {
        Markers[i].world_x = int16_t(100 + i % 100 * 20);
        Markers[i].world_y = int16_t(100 + i / 100 * 15);
        if (i % 10 == 0) Markers[i].village_id = 1 + i;
    }
    int x = 90;
    for (auto _ : state) benchmark::DoNotOptimize(village_at(x, 95));
    std::memset(Markers, 0, sizeof Markers);
}
BENCHMARK(BM_VillageAtFullMarkers)->Unit(benchmark::kMicrosecond);

// 60 villagers on the map, the player carrying and the villagers holding
// taken goods of their village; the check is forced so that it runs whole
// each time (the goods stay taken: nobody witnesses).
void BM_CheckUnpaidGoods60(benchmark::State& state) {
    static BenchFolder folder("unpaid");
    folder.enter();
    reset_object_store();
    reset_map_object_table();
    reset_creature_tables();
    reset_villages();
    reset_ownership();
    messages_suppressed = true;
    constexpr int32_t village = 7;
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_TOOL;
    copy_text(r.name, "pot");
    r.ownerID = village;
    r.ownflag = OWN_TAKEN;
    const int pot = obj_store_new(r);
    for (int s = 0; s < 40; ++s) {
        Plr.plr_inv_id[s] = pot;
        Plr.plr_inv_count[s] = 1;
    }
    for (int c = 0; c < 60; ++c) {
        std::memset(&Cre[c], 0, sizeof(CreatureRecord));
        Cre[c].cre_class = CRE_CLASS_HUMAN;
        Cre[c].lauma = village;
        Cre[c].cre_flags = 0x100;
        for (int k = 0; k < 20; ++k) {
            Cre[c].inv_id[k] = pot;
            Cre[c].inv_count[k] = 1;
        }
        CreSlotRefs[c] = 2000 + c;
        Data[c].TYPE = MK_CREATURE;
        Data[c].x = uint16_t(150 + c);
        Data[c].y = 150;
        Data[c].DATA = CREATURE_REF_BASE + c;
    }
    owner_list_add(held_goods_villages, village);
    for (auto _ : state) check_unpaid_goods(village, 1);
    reset_villages();
}
BENCHMARK(BM_CheckUnpaidGoods60)->Unit(benchmark::kMicrosecond);

}  // namespace
