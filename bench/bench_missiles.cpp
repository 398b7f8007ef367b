// A missile's flight over 30 open squares, unanimated, and the record of a
// dead character written into the ancestors' ring with full-size files.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "bench_folder.h"
#include "body/combat_state.h"
#include "game/ancestors.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "work/missile_tracer.h"

namespace {

BenchFolder& folder() {
    static BenchFolder f("missiles");
    return f;
}

void BM_FlightOverThirtySquares(benchmark::State& state) {
    for (int y = 90; y <= 110; ++y)
        for (int x = 90; x <= 140; ++x) {
            terrain_layer[map_index(x, y)] = 250;
            height_layer[map_index(x, y)] = 10;
        }
    copy_text(Plr.map_name, "ZOOMMAP");
    reset_combat_state();
    combat.aimed_target = COMBAT_NOBODY;  // nobody to hit: the whole way is flown
    for (auto _ : state) {
        trace_missile_flight(100, 100, 130, 100, 0.05f, 11.75f, 11.0f, 60.0f, 1.0f);
        benchmark::DoNotOptimize(missile_trace.flown_length);
    }
}
BENCHMARK(BM_FlightOverThirtySquares)->Unit(benchmark::kMicrosecond);

void BM_WriteAncestor(benchmark::State& state) {
    folder().enter();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.name, "Bench");
    Plr.bodytemp = 37;
    Plr.cause_of_death = -101;
    copy_text(character_name, "BENCH");
    install_folder[0] = 0;
    player_x = -1;
    make_folder("BENCH");
    const std::string big(4u << 20, 'c');  // creature and village files of a long game
    write_file_atomic("BENCH/BENCH.CRS", big);
    write_file_atomic("BENCH/BENCH.VIL", big);
    write_file_atomic("BENCH/msglog.txt", std::string(1u << 20, 'm'));
    for (auto _ : state) benchmark::DoNotOptimize(write_ancestor());
    character_name[0] = 0;
}
BENCHMARK(BM_WriteAncestor)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
