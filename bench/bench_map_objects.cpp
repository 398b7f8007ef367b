// The map-object table of a busy local map, 9,000 used records over the
// 25 world cells: placing an item (compared with every record, the stack
// search, the first free record and the world cell's count), finding a
// kind on a square that has none (the whole table), and packing the table
// after a hundred records here and there were freed.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "game/player.h"
#include "ui/message_line.h"

namespace {

constexpr int USED = 9000;

ObjectRecord thing(int n) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_TOOL;
    r.kind = 200 + n;
    format_text(r.name, sizeof r.name, "Thing %d", n);
    r.weight = r.full_weight = 1.0f + float(n);
    return r;
}

// A local map whose records 0..8999 are items, blood marks and tracks
// spread evenly over the play area; the ids of two kinds of items.
void lay_out_table(int ids[2]) {
    reset_object_store();
    reset_map_object_table();
    copy_text(Plr.map_name, "ZOOMMAP");
    is_world_map();
    messages_suppressed = true;
    ids[0] = obj_store_new(thing(0));
    ids[1] = obj_store_new(thing(1));
    for (int i = 0; i < USED; ++i) {
        MapObject& o = Data[i];
        o.x = uint16_t(MAP_BLOCK_FIRST + (i * 7) % 320);
        o.y = uint16_t(MAP_BLOCK_FIRST + (i * 13) % 320);
        o.TYPE = i % 3 == 0 ? MK_ITEM : i % 3 == 1 ? MK_BLOOD : MK_TRACK;
        o.DATA = o.TYPE == MK_ITEM ? ids[0] : 1;
        o.amount = 1;
    }
}

void BM_PutObjectOnMapWith9000Used(benchmark::State& state) {
    int ids[2];
    lay_out_table(ids);
    // A square that holds an item of the other kind: it is compared, and
    // the new item takes record 9,000.
    const int x = Data[0].x, y = Data[0].y;
    for (auto _ : state) {
        const int i = put_object_on_map(MK_ITEM, x, y, ids[1], 1);
        if (i != USED) {
            state.SkipWithError("the item did not take the first free record");
            break;
        }
        free_map_object(i);
    }
    reset_map_object_table();
}
BENCHMARK(BM_PutObjectOnMapWith9000Used)->Unit(benchmark::kMicrosecond);

void BM_FindMapObjectOverTheWholeTable(benchmark::State& state) {
    int ids[2];
    lay_out_table(ids);
    for (auto _ : state) {
        const int i = find_map_object(MK_FIRE, 230, 230);
        benchmark::DoNotOptimize(i);
    }
    reset_map_object_table();
}
BENCHMARK(BM_FindMapObjectOverTheWholeTable)->Unit(benchmark::kMicrosecond);

void BM_CompactMapObjectsAfterAHundredFrees(benchmark::State& state) {
    int ids[2];
    lay_out_table(ids);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A hundred records freed over the whole used part, then the table
        // is filled back to 9,000 from its end.
        for (int k = 0; k < 100; ++k) free_map_object((k * 89 + round) % (USED - 100));
        for (int i = USED - 100; i < USED; ++i) {
            Data[i] = Data[USED - 101];
            Data[i].TYPE = MK_BLOOD;
        }
        ++round;
        state.ResumeTiming();
        compact_map_objects();
    }
    if (Data[USED - 101].TYPE == KIND_UNUSED || Data[USED - 100].TYPE != KIND_UNUSED)
        state.SkipWithError("the table was not packed");
    reset_map_object_table();
}
BENCHMARK(BM_CompactMapObjectsAfterAHundredFrees)->Unit(benchmark::kMicrosecond);

}  // namespace
