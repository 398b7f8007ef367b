// The map view: a full rebuild and redraw of the view window at zoom 1 and
// 0.5, the player's sight pass alone, and a night scene lit by torches and
// fires, all with the software renderer at 800 x 600.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "game/clock.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/gfx.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "bench_folder.h"

namespace {

constexpr int PX = 230, PY = 230;

// The installation in a play folder of this group's own.
BenchFolder& view_folder() {
    static BenchFolder folder("view");
    folder.enter();
    return folder;
}

bool start_view() {
    static bool started = false;
    view_folder();
    if (started) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    if (!view_folder().ok()) return false;
    if (game_renderer == nullptr) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
        game_window = SDL_CreateWindow("Kesmorra", 0, 0, CANVAS_W, CANVAS_H, SDL_WINDOW_HIDDEN);
        if (game_window == nullptr) return false;
        InitGr();
    } else {
        NewGfx_loadtiledata();
        lataa_gui();
        create_map_textures();
    }
    messages_suppressed = true;
    map_view_state = 1;
    init_terrain_types_for_date(6, 20);
    std::memset(Plr.map_name, 0, sizeof Plr.map_name);
    std::strcpy(Plr.map_name, "ZOOMMAP");
    is_world_map();
    player_x = PX;
    player_y = PY;
    Plr.facing = 0;
    Plr.month = 6;
    Plr.day = 20;
    Plr.total_minutes = 100000;
    // A forest clearing: ground with scattered spruces and birches, a pond.
    for (int y = PY - 60; y <= PY + 60; ++y)
        for (int x = PX - 60; x <= PX + 60; ++x) {
            const size_t at = map_index(x, y);
            const int r = (x * 7 + y * 13) % 23;
            terrain_layer[at] = r == 0 ? 13 : r == 5 ? 10 : 250;
            height_layer[at] = uint8_t(1 + ((x / 9 + y / 7) % 3));
            remembered_layer[at] = ' ';
        }
    for (int y = PY + 5; y <= PY + 9; ++y)
        for (int x = PX - 6; x <= PX + 2; ++x) terrain_layer[map_index(x, y)] = 247;
    weather.current.ice = 10;
    double ones[SIGHT_RAYS];
    for (double& n : ones) n = 1.0;
    fill_sight_table(ones, 50);
    started = canvas != nullptr && game_renderer != nullptr && map_base_texture != nullptr;
    return started;
}

void night_scene(bool lit) {
    std::memset(Data, 0, sizeof Data);
    tint_r = tint_g = tint_b = lit ? 40 : 255;
    if (!lit) return;
    for (int n = 0; n < 8; ++n) {
        clear_staging_object();
        map_object_staging.TYPE = 8;
        map_object_staging.x = uint16_t(PX - 8 + n * 3);
        map_object_staging.y = uint16_t(PY - 6 + (n % 4) * 4);
        map_object_staging.DATA = 300;
        map_object_staging.time_stamp = Plr.total_minutes;
        map_object_staging.expire_minute = uint32_t(Plr.total_minutes + 200);
        insert_map_object(-1);
    }
}

void rebuild_at_zoom(benchmark::State& state, float zoom, bool lit) {
    if (!start_view()) {
        state.SkipWithError("no video");
        return;
    }
    set_map_view_geometry(zoom);
    night_scene(lit);
    for (auto _ : state) rebuild_view();
    set_map_view_geometry(1.0f);
    night_scene(false);
}

void BM_RebuildAndDrawZoom1(benchmark::State& state) { rebuild_at_zoom(state, 1.0f, false); }
BENCHMARK(BM_RebuildAndDrawZoom1)->Unit(benchmark::kMillisecond);

void BM_RebuildAndDrawZoomHalf(benchmark::State& state) { rebuild_at_zoom(state, 0.5f, false); }
BENCHMARK(BM_RebuildAndDrawZoomHalf)->Unit(benchmark::kMillisecond);

void BM_TorchLitNightScene(benchmark::State& state) { rebuild_at_zoom(state, 1.0f, true); }
BENCHMARK(BM_TorchLitNightScene)->Unit(benchmark::kMillisecond);

// The sight pass alone: four octants of 46 rays from the player.
void BM_PlayerSightPass(benchmark::State& state) {
    if (!start_view()) {
        state.SkipWithError("no video");
        return;
    }
    set_map_view_geometry(1.0f);
    for (auto _ : state) {
        sight_batch_begin();
        for (int o = -2; o <= 1; ++o) cast_sight_octant(o);
        sight_batch_end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlayerSightPass)->Unit(benchmark::kMicrosecond);

}  // namespace
