// Settlement building: one village of each culture laid out on the working
// local map, whose heights come in level plateaus of 16 x 16 cells (so the
// buildings that straddle two plateaus look again for a place). Each
// repetition is one village; the median and the 99th percentile are
// reported per culture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_folder.h"
#include "base/platform.h"
#include "mapgen/gen_grid.h"
#include "mapgen/settlements.h"
#include "maps/local_store.h"
#include "maps/terrain_types.h"
#include "objects/object_store.h"
#include "ui/message_line.h"

namespace {

struct SettlementBench {
    BenchFolder folder{"settle"};
    SettlementBench() {
        enter();
        messages_suppressed = true;
        init_terrain_types_for_date(6, 1);
        reset_object_store();
        seed_random(17);
    }
    void enter() const { folder.enter(); }
};

SettlementBench& bench_world() {
    static SettlementBench world;
    return world;
}

void plateaus() {
    zoom_clear_work();
    for (int y = 0; y < GEN_SIDE; ++y)
        for (int x = 0; x < GEN_SIDE; ++x) gen_height(x, y) = uint8_t(20 + (x / 16 + y / 16) % 3);
}

double p99(const std::vector<double>& v) {
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    return s.empty() ? 0.0 : s[std::min(s.size() - 1, size_t(double(s.size()) * 0.99))];
}

void BM_GenerateSettlement(benchmark::State& state) {
    bench_world().enter();
    const uint8_t culture = uint8_t(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        plateaus();
        state.ResumeTiming();
        build_village(culture);
        benchmark::DoNotOptimize(zoom_work.terrain[0]);
    }
}
BENCHMARK(BM_GenerateSettlement)
    ->DenseRange(0, 13)
    ->Iterations(1)
    ->Repetitions(300)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("p99", p99)
    ->Unit(benchmark::kMillisecond);

}  // namespace
