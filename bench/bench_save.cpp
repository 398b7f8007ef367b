// One full save of the character (record, objects, item types, weather,
// culture grid, markers, area records, the current map's layers) on the
// world map and on a local map.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/save_load.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "bench_folder.h"

namespace {

struct SaveFolder {
    BenchFolder folder{"save"};
    SaveFolder() {
        enter();
        std::filesystem::create_directories("Saver");
        std::vector<uint8_t> layer(MAP_CELLS, 180);
        // The column and the row past the world are zero, as the game makes them.
        for (int y = 0; y < MAP_ROWS; ++y) layer[map_index(WORLD_W, y)] = 0;
        for (int x = 0; x < MAP_STRIDE; ++x) layer[map_index(x, WORLD_H)] = 0;
        write_file_atomic("Saver/WORLD.DAT", layer.data(), layer.size());
        write_file_atomic("Saver/WORLD.BAK", layer.data(), layer.size());
        std::vector<uint8_t> cultures(CULTURE_CELLS, 3);
        write_file_atomic("Saver/kulttuuri.dat", cultures.data(), cultures.size());
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Saver");
        Plr.plr_version = PLR_FORMAT_VERSION;
        Plr.days_played = 10;
        Plr.bodytemp = 37.0f;
        messages_suppressed = true;
        init_terrain_types_for_date(6, 1);
    }
    void enter() {
        folder.enter();
        copy_text(character_name, "Saver");
        copy_text(install_folder, folder.path().c_str());
    }
};

SaveFolder& save_folder() {
    static SaveFolder folder;
    folder.enter();
    return folder;
}

void BM_FullSaveOnTheWorldMap(benchmark::State& state) {
    save_folder();
    copy_text(Plr.map_name, "BIGMAP");
    player_x = 1200;
    player_y = 700;
    for (auto _ : state) {
        bool ok = save_character(SAVE_QUIET);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_FullSaveOnTheWorldMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullSaveOnALocalMap(benchmark::State& state) {
    save_folder();
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1200;
    Plr.zoom_origin_y = 700;
    player_x = 232;
    player_y = 232;
    for (auto _ : state) {
        bool ok = save_character(SAVE_QUIET);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_FullSaveOnALocalMap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
