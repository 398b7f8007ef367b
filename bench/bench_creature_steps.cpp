// The creatures' walking on an open local map: a walk tried out in full
// (100 steps, the target out of reach behind a wall), a terrain search of
// 100 rings that finds nothing, and one turn of the task runner for 500
// creatures walking to their places.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "bench_folder.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_steps.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

namespace {

BenchFolder& steps_folder() {
    static BenchFolder folder("creature_steps");
    return folder;
}

// Open ground, the player aside, and n walking creatures (speed of the
// player's pace) in rows in the middle of the play area.
void lay_out_walkers(int n) {
    steps_folder().enter();
    init_terrain_types_for_date(6, 1);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(height_layer, 3, MAP_CELLS);
    std::memset(view_layer, ' ', MAP_CELLS);
    reset_creature_tables();
    reset_map_object_table();
    reset_task_queue();
    reset_creature_steps();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.spd = Plr.end = 12;
    Plr.travel_mode = 1;
    weather.current.snow = 0;
    player_x = 80;
    player_y = 80;
    messages_suppressed = true;
    seed_random(5);
    for (int s = 0; s < n && s < CRE_SLOTS; ++s) {
        std::memset(&Cre[s], 0, sizeof(CreatureRecord));
        Cre[s].cre_class = 2;
        Cre[s].sotu = uint32_t(5000 + s);
        Cre[s].walk_speed = 6;
        Cre[s].attr_end = 12;
        CreSlotRefs[s] = 2000 + s;
        put_object_on_map(MK_CREATURE, 120 + (s % 25) * 10, 120 + (s / 25) * 10, CRE_REF_BASE + s, 1);
    }
}

void BM_CanReachPlace(benchmark::State& state) {
    lay_out_walkers(1);
    // A wall across the play area: the 100 steps run in full.
    for (int y = ZOOM_FIRST; y <= ZOOM_LAST; ++y) terrain_layer[map_index(300, y)] = 0;
    for (int code = 1; code < 256; ++code)
        if (!terrain_is_open(code)) {
            for (int y = ZOOM_FIRST; y <= ZOOM_LAST; ++y) terrain_layer[map_index(300, y)] = uint8_t(code);
            break;
        }
    for (auto _ : state) benchmark::DoNotOptimize(cre_can_reach_place(0, 380, 120));
}
BENCHMARK(BM_CanReachPlace)->Unit(benchmark::kMicrosecond);

void BM_FindTerrainNear(benchmark::State& state) {
    lay_out_walkers(1);
    const int rings = int(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(find_terrain_near(232, 232, rings, 95, 95));
}
BENCHMARK(BM_FindTerrainNear)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_TaskRunner(benchmark::State& state) {
    const int n = int(state.range(0));
    lay_out_walkers(n);
    std::vector<int> records;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_CREATURE) records.push_back(i);
    for (auto _ : state) {
        state.PauseTiming();
        for (int s = 0; s < n && s < CRE_SLOTS; ++s) {
            std::memset(Cre[s].Puuha, 0, sizeof Cre[s].Puuha);
            task_target_point = {creature_x(s) + 30, creature_y(s) + 5};
            push_task(s, TASK_GO_TO_POINT, 50);
        }
        state.ResumeTiming();
        for (int i : records) benchmark::DoNotOptimize(Tee_Puuha(i));
    }
}
BENCHMARK(BM_TaskRunner)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace
