// Picking up and hauling on a busy local map:
//  - one step's cost of hauling: the drag of the hauled load and moving it
//    to the player, over a full table of 10,000 records of which 20 are
//    hauled (goal: 50 us);
//  - 100 stacks at the player's feet (ten kinds of thing) picked up one by
//    one, the records freed, and everything carried dropped again (goal:
//    50 ms).
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/hauling.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/message_line.h"
#include "bench_folder.h"

namespace {

constexpr int PX = 230, PY = 230;

ObjectRecord thing(int n) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_TOOL;
    r.kind = 200 + n;
    format_text(r.name, sizeof r.name, "Thing %d", n);
    r.weight = r.full_weight = 0.5f + float(n) * 3.0f;
    return r;
}

// The catalogue's texts are read from the installation.
bool enter_folder() {
    static BenchFolder folder("hauling");
    if (!folder.ok()) return false;
    folder.enter();
    return true;
}

void start_map() {
    reset_object_store();
    reset_map_object_table();
    reset_carry_state();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    is_world_map();
    Plr.body_weight = 160;
    Plr.travel_mode = 9;
    player_x = PX;
    player_y = PY;
    messages_suppressed = true;
}

void BM_HaulStepWith10000RecordsAnd20Hauled(benchmark::State& state) {
    if (!enter_folder()) {
        state.SkipWithError("no play folder");
        return;
    }
    start_map();
    int ids[10];
    for (int k = 0; k < 10; ++k) ids[k] = obj_store_new(thing(k));
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        o.TYPE = MK_ITEM;
        o.x = uint16_t(MAP_BLOCK_FIRST + (i * 7) % 320);
        o.y = uint16_t(MAP_BLOCK_FIRST + (i * 13) % 320);
        o.DATA = ids[i % 10];
        o.amount = uint16_t(1 + i % 5);
        // Every 500th record is hauled: 20 spread over the table.
        if (i % 500 == 0) {
            o.state = MAP_STATE_HAULED;
            o.ref = MAP_REF_HAULED_BY_PLAYER;
        }
    }
    int moved = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plr_hauled_weight());
        moved = plr_move_hauled_items();
        ++player_x;
        if (player_x > PX + 20) player_x = PX;
    }
    if (moved != 20) state.SkipWithError("not all 20 hauled records moved");
}
BENCHMARK(BM_HaulStepWith10000RecordsAnd20Hauled)->Unit(benchmark::kMicrosecond);

void BM_PickUpAndDrop100Stacks(benchmark::State& state) {
    if (!enter_folder()) {
        state.SkipWithError("no play folder");
        return;
    }
    start_map();
    Plr.travel_mode = 1;
    int ids[10];
    for (int k = 0; k < 10; ++k) ids[k] = obj_store_new(thing(k));
    int lying = 0;
    for (auto _ : state) {
        state.PauseTiming();
        reset_map_object_table();
        for (int i = 0; i < 100; ++i) {
            MapObject& o = Data[i];
            o.TYPE = MK_ITEM;
            o.x = PX;
            o.y = PY;
            o.DATA = ids[i % 10];
            o.amount = uint16_t(1 + i % 3);
        }
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            if (pick_up_map_item(i, Data[i].amount, 0)) free_map_object(i);
        }
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (Plr.plr_inv_id[s] != 0) drop_carried(s, Plr.plr_inv_count[s]);
        plr_compact_inventory();
        state.PauseTiming();
        lying = 0;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_ITEM && o.x == PX && o.y == PY) lying += o.amount;
        state.ResumeTiming();
    }
    if (lying != 199) state.SkipWithError("not everything was picked up and dropped again");
}
BENCHMARK(BM_PickUpAndDrop100Stacks)->Unit(benchmark::kMillisecond);

}  // namespace
