// One activity through the dispatcher: the name on the command line, the
// world-map check, the memory of the repeat key and the routine of the
// row (a display-only code, and one whose routine is still a stub).
#include <benchmark/benchmark.h>

#include "base/platform.h"
#include "game/player.h"
#include "objects/activities.h"

namespace {

void BM_DispatchDisplayOnly(benchmark::State& state) {
    copy_text(Plr.map_name, "ZOOMMAP");
    for (auto _ : state) benchmark::DoNotOptimize(perform_activity(456, 0, "Pack an animal"));
}
BENCHMARK(BM_DispatchDisplayOnly);

void BM_DispatchTableEnd(benchmark::State& state) {
    copy_text(Plr.map_name, "ZOOMMAP");
    // 240 lies far down the table and has its own world-map check.
    for (auto _ : state) benchmark::DoNotOptimize(perform_activity(240, 0x1234, "Lean-to"));
}
BENCHMARK(BM_DispatchTableEnd);

}  // namespace
