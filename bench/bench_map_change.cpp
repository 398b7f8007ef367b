// Changing maps: one zoom-in to an area whose local maps are all stored,
// one zoom-out, and one stored local map read and written.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_object_table.h"
#include "shell/commands.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "base/platform.h"
#include "bench_folder.h"
#include "ui/message_line.h"

namespace {

// A character folder with a forest world in a play folder of its own; the
// area around (1200, 600) has been visited once, so its local maps are stored.
struct ZoomBenchWorld {
    BenchFolder folder{"zoom"};
    ZoomBenchWorld() {
        enter();
        std::filesystem::create_directories("Zoom");
        // The sight table belongs to the installation; a map change needs it.
        std::filesystem::copy_file(std::string(KSM_DATA_DIR) + "/linedist.arr", "linedist.arr",
                                   std::filesystem::copy_options::overwrite_existing);
        std::vector<uint8_t> layer(MAP_CELLS, 180);
        // The column and the row past the world are zero, as the game makes them.
        for (int y = 0; y < MAP_ROWS; ++y) layer[map_index(WORLD_W, y)] = 0;
        for (int x = 0; x < MAP_STRIDE; ++x) layer[map_index(x, WORLD_H)] = 0;
        for (int y = 400; y < 900; ++y)
            for (int x = 900; x < 1600; ++x) layer[size_t(y) * MAP_STRIDE + x] = uint8_t(x % 9 == 0 ? 250 : 15);
        write_file_atomic("Zoom/WORLD.DAT", layer.data(), layer.size());
        write_file_atomic("Zoom/WORLD.BAK", layer.data(), layer.size());
        std::memset(layer.data(), ' ', layer.size());
        write_file_atomic("Zoom/WORLD.PLM", layer.data(), layer.size());
        std::vector<uint8_t> data(360000, 0);
        write_file_atomic("Zoom/DATA.DAT", data.data(), data.size());
        std::vector<uint8_t> cultures(CULTURE_CELLS, 3);
        write_file_atomic("Zoom/kulttuuri.dat", cultures.data(), cultures.size());
        write_file_atomic("Zoom/kulttuuri.bak", cultures.data(), cultures.size());
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Zoom");
        Plr.plr_version = PLR_FORMAT_VERSION;
        Plr.days_played = 10;
        Plr.month = 6;
        Plr.day = 1;
        messages_suppressed = true;
        init_terrain_types_for_date(6, 1);
        at_world_map();
        load_world_files();
        load_culture_grid();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        zoom_index_invalidate();
        // The first visit generates the area.
        terrain_map(0, -1);
        maploader(0);
        terrain_map(0, -1);
        maploader(0);
    }
    // The benchmark programs share the process: every benchmark here first
    // makes this folder and character current again.
    void enter() {
        folder.enter();
        copy_text(character_name, "Zoom");
        copy_text(install_folder, folder.path().c_str());
    }
    void at_world_map() {
        copy_text(Plr.map_name, "BIGMAP");
        player_x = 1200;
        player_y = 600;
        facing = 0;
    }
};

ZoomBenchWorld& zoom_world() {
    static ZoomBenchWorld world;
    world.enter();
    zoom_index_invalidate();
    return world;
}

void zoom_change() {
    terrain_map(0, -1);
    maploader(0);
}

// A zoom-in to a stored area: the request, the save of the world, the map
// loader and the full save at its end.
void BM_ZoomInStoredArea(benchmark::State& state) {
    zoom_world();
    for (auto _ : state) {
        zoom_change();
        benchmark::DoNotOptimize(terrain_layer[map_index(232, 232)]);
        state.PauseTiming();
        zoom_change();  // back out
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ZoomInStoredArea)->Unit(benchmark::kMillisecond);

// A zoom-out: the local map cut into the store, the world loaded and saved.
void BM_ZoomOut(benchmark::State& state) {
    zoom_world();
    for (auto _ : state) {
        state.PauseTiming();
        zoom_change();  // in
        state.ResumeTiming();
        zoom_change();
        benchmark::DoNotOptimize(terrain_layer[map_index(1200, 600)]);
    }
}
BENCHMARK(BM_ZoomOut)->Unit(benchmark::kMillisecond);

void BM_StoredMapRead(benchmark::State& state) {
    zoom_world();
    for (auto _ : state) benchmark::DoNotOptimize(zoom_load_stored(1201, 601));
}
BENCHMARK(BM_StoredMapRead)->Unit(benchmark::kMicrosecond);

void BM_StoredMapWrite(benchmark::State& state) {
    zoom_world();
    zoom_load_stored(1201, 601);
    for (auto _ : state) benchmark::DoNotOptimize(save_zoommap(1201, 601, 0));
}
BENCHMARK(BM_StoredMapWrite)->Unit(benchmark::kMicrosecond);

}  // namespace
