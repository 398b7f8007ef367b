// Loading and saving the world files of a character (the map subsystem's
// share of a game load and of leaving the world map).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_object_table.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "base/platform.h"
#include "bench_folder.h"

namespace {

// A character folder with a world of the right sizes in a play folder of
// its own, made the working folder while the benchmarks run.
struct BenchWorld {
    BenchFolder folder{"world"};
    BenchWorld() {
        enter();
        std::filesystem::create_directories("Bench");
        std::vector<uint8_t> layer(MAP_CELLS, 180);
        // The column and the row past the world are zero, as the game makes them.
        for (int y = 0; y < MAP_ROWS; ++y) layer[map_index(WORLD_W, y)] = 0;
        for (int x = 0; x < MAP_STRIDE; ++x) layer[map_index(x, WORLD_H)] = 0;
        for (int y = 400; y < 900; ++y)
            for (int x = 900; x < 1600; ++x) layer[size_t(y) * MAP_STRIDE + x] = uint8_t(x % 7 == 0 ? 178 : 15);
        write_file_atomic("Bench/WORLD.DAT", layer.data(), layer.size());
        write_file_atomic("Bench/WORLD.BAK", layer.data(), layer.size());
        std::memset(layer.data(), ' ', layer.size());
        write_file_atomic("Bench/WORLD.PLM", layer.data(), layer.size());
        std::vector<uint8_t> data(360000, 0);
        write_file_atomic("Bench/DATA.DAT", data.data(), data.size());
        std::vector<uint8_t> cultures(CULTURE_CELLS, 3);
        write_file_atomic("Bench/kulttuuri.dat", cultures.data(), cultures.size());
        write_file_atomic("Bench/kulttuuri.bak", cultures.data(), cultures.size());
        copy_text(Plr.map_name, "BIGMAP");
        Plr.plr_version = PLR_FORMAT_VERSION;
        Plr.days_played = 10;
        init_terrain_types_for_date(6, 1);
    }
    void enter() {
        folder.enter();
        copy_text(character_name, "Bench");
        copy_text(install_folder, folder.path().c_str());
    }
};

BenchWorld& bench_world() {
    static BenchWorld world;
    world.enter();
    return world;
}

// Game load: the world files, the culture grid and its areas, the markers.
void BM_LoadWorldFiles(benchmark::State& state) {
    bench_world();
    for (auto _ : state) {
        load_world_files();
        std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
        load_culture_grid();
        compute_culture_bounds();
        load_markers();
        benchmark::DoNotOptimize(terrain_layer[1000]);
    }
}
BENCHMARK(BM_LoadWorldFiles)->Unit(benchmark::kMillisecond);

// Leaving the world map: both layers, the map objects and the culture grid.
void BM_SaveWorldFiles(benchmark::State& state) {
    bench_world();
    load_world_files();
    std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
    load_culture_grid();
    for (auto _ : state) {
        save_world_layers("BIGMAP");
        save_culture_grid();
        save_markers();
    }
}
BENCHMARK(BM_SaveWorldFiles)->Unit(benchmark::kMillisecond);

// One changed world cell: kept in memory until the next save.
void BM_SetStoredWorldCell(benchmark::State& state) {
    bench_world();
    load_world_files();
    int i = 0;
    for (auto _ : state) {
        set_stored_world_terrain(1000 + (i & 63), 500, uint8_t(i & 1 ? 15 : 250));
        ++i;
    }
}
BENCHMARK(BM_SetStoredWorldCell)->Unit(benchmark::kMicrosecond);

void BM_ComputeCultureBounds(benchmark::State& state) {
    bench_world();
    load_culture_grid();
    for (auto _ : state) {
        compute_culture_bounds();
        benchmark::DoNotOptimize(CultureBounds[3][0]);
    }
}
BENCHMARK(BM_ComputeCultureBounds)->Unit(benchmark::kMicrosecond);

}  // namespace
