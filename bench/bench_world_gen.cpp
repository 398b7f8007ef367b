// Generating a whole new world at a fixed seed, and the height field of a
// local map.
#include <benchmark/benchmark.h>

#include <cstring>

#include "mapgen/heights.h"
#include "mapgen/world_gen.h"
#include "maps/map_layers.h"
#include "base/platform.h"

namespace {

void BM_GenerateWorld(benchmark::State& state) {
    for (auto _ : state) {
        seed_random(1234);
        if (generate_world()) state.SkipWithError("no memory for the height grid");
        benchmark::DoNotOptimize(terrain_layer[map_index(1500, 1000)]);
    }
    free_height_grid();
}
BENCHMARK(BM_GenerateWorld)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FillHeightBlocks(benchmark::State& state) {
    if (!terrain_layer[map_index(1500, 1000)]) {
        seed_random(1234);
        generate_world();
        free_height_grid();
    }
    std::memcpy(stored_world_terrain, terrain_layer, MAP_CELLS);
    int x = 1000;
    for (auto _ : state) {
        fill_height_blocks(900, x);
        x = x == 1000 ? 1001 : 1000;
        benchmark::DoNotOptimize(band_grid[200 * BAND_GRID_STRIDE + 200]);
    }
}
BENCHMARK(BM_FillHeightBlocks)->Unit(benchmark::kMicrosecond);

}  // namespace
