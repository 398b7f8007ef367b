// Local-map generation: one map of each world code, a fresh zoom-in area of
// 25 maps, and the request for a cell already stored. Release build, fixed
// seed, the installation's flora (about forty plants) and an object store
// already holding 45,000 instances, as a long game's does.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "base/platform.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "mapgen/heights.h"
#include "mapgen/rndhouse.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/flora.h"
#include "objects/object_store.h"
#include "ui/message_line.h"

namespace {

// The world codes measured one map each.
const int kCodes[] = {3, 15, 60, 91, 93, 94, 228, 233, 235, 236, 238, 251, 176, 177, 178, 183, 247};

// A coniferous land with one cell of every measured code along row 600
// (from x 1000, ten cells apart), a lake around the lake codes, and
// untouched forest to the east for fresh zoom-ins.
struct GenBenchWorld {
    BenchFolder folder{"gen"};
    GenBenchWorld() {
        enter();
        std::filesystem::create_directories("Gen");
        std::vector<uint8_t> layer(MAP_CELLS, 180);
        for (int y = 0; y < MAP_ROWS; ++y) layer[map_index(WORLD_W, y)] = 0;
        for (int x = 0; x < MAP_STRIDE; ++x) layer[map_index(x, WORLD_H)] = 0;
        for (int y = 400; y < 900; ++y)
            for (int x = 900; x < 2900; ++x) layer[map_index(x, y)] = uint8_t((x * 7 + y * 3) % 11 == 0 ? 238 : 15);
        for (size_t i = 0; i < std::size(kCodes); ++i) {
            const int x = 1000 + 10 * int(i);
            if (kCodes[i] >= 176) {
                // A small lake, the measured cell its middle's east side.
                for (int y = 598; y <= 602; ++y)
                    for (int lx = x - 3; lx <= x; ++lx) layer[map_index(lx, y)] = 247;
            }
            layer[map_index(x, 600)] = uint8_t(kCodes[i]);
        }
        write_file_atomic("Gen/WORLD.DAT", layer.data(), layer.size());
        write_file_atomic("Gen/WORLD.BAK", layer.data(), layer.size());
        std::memset(layer.data(), ' ', layer.size());
        write_file_atomic("Gen/WORLD.PLM", layer.data(), layer.size());
        std::vector<uint8_t> data(360000, 0);
        write_file_atomic("Gen/DATA.DAT", data.data(), data.size());
        std::vector<uint8_t> cultures(CULTURE_CELLS, 3);
        write_file_atomic("Gen/kulttuuri.dat", cultures.data(), cultures.size());
        write_file_atomic("Gen/kulttuuri.bak", cultures.data(), cultures.size());
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Gen");
        copy_text(Plr.map_name, "BIGMAP");
        Plr.plr_version = PLR_FORMAT_VERSION;
        Plr.days_played = 10;
        Plr.month = 6;
        Plr.day = 1;
        messages_suppressed = true;
        init_terrain_types_for_date(6, 1);
        load_world_files();
        load_culture_grid();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        zoom_index_invalidate();

        reset_object_store();
        load_flora_item_types();
        for (int i = 0; i < 45000; ++i) {
            ObjectRecord& r = Objects[i];
            std::memset(&r, 0, sizeof r);
            r.item_class = ITEM_TOOL;
            r.kind = 1000 + i;
            copy_text(r.name, "peg");
        }
        obj_store_changed();
        seed_random(5);
    }
    void enter() {
        folder.enter();
        copy_text(character_name, "Gen");
        copy_text(install_folder, folder.path().c_str());
    }
};

GenBenchWorld& gen_world() {
    static GenBenchWorld world;
    world.enter();
    zoom_index_invalidate();
    return world;
}

// The passes of one new map (nothing stored), as rndhouse_main runs them.
void BM_GenerateLocalMap(benchmark::State& state) {
    gen_world();
    const int x = 1000 + 10 * int(state.range(0)), y = 600;
    fill_height_blocks(y - 3, x - 3);
    zoom_clear_work();
    zoom_copy_height_block(3, 3);
    static uint8_t heights[64 * 64];
    std::memcpy(heights, zoom_work.height, sizeof heights);
    state.SetLabel("code " + std::to_string(kCodes[state.range(0)]));
    for (auto _ : state) {
        std::memcpy(zoom_work.height, heights, sizeof heights);
        std::memset(&generation_request, 0, sizeof generation_request);
        copy_text(generation_request.env_type, "CONIFEROUS");
        copy_text(generation_request.scene, "ZOOM");
        generation_world_x = filler_world_x = x;
        generation_world_y = filler_world_y = y;
        benchmark::DoNotOptimize(terrain_make());
    }
}
BENCHMARK(BM_GenerateLocalMap)->DenseRange(0, int(std::size(kCodes)) - 1)->Unit(benchmark::kMillisecond);

// A zoom-in to land never visited: the 24 neighbours and the player's own
// cell made and stored, each through its request file.
void BM_FreshZoomInArea(benchmark::State& state) {
    gen_world();
    // Every run goes on eastwards: each area is land never visited.
    static int x = 1500;
    for (auto _ : state) {
        copy_text(Plr.map_name, "BIGMAP");
        player_x = x;
        player_y = 700;
        make_nearby_local_maps(0);
        ensure_local_map_at(x, 700);
        x += 6;
    }
}
BENCHMARK(BM_FreshZoomInArea)->Unit(benchmark::kMillisecond)->Iterations(20);

// A request for a cell already stored: read the request, load the stored
// map and store it (unchanged, so nothing is written).
void BM_StoredCellRequest(benchmark::State& state) {
    gen_world();
    const int x = 2700, y = 700;
    fill_height_blocks(y - 3, x - 3);
    zoom_clear_work();
    zoom_copy_height_block(3, 3);
    write_file_atomic("RNDHOUSE.DAT", std::string("CONIFEROUS#\nZOOM\n0\n6\n"));
    rndhouse_main(x, y, -1);
    for (auto _ : state) benchmark::DoNotOptimize(rndhouse_main(x, y, -1));
}
BENCHMARK(BM_StoredCellRequest)->Unit(benchmark::kMicrosecond);

}  // namespace
