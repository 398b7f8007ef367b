// Presenting one full frame: the canvas uploaded into the screen texture and
// shown with the software renderer at 1:1.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "bench_folder.h"

namespace {

// Starts the graphics once, headless, in a temporary folder so that the
// start-up reports don't land in the source tree.
bool start_screen() {
    static bool started = false;
    if (started) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    static BenchFolder folder("screen");
    if (!folder.ok()) return false;
    folder.enter();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    game_window = SDL_CreateWindow("Kesmorra", 0, 0, CANVAS_W, CANVAS_H, SDL_WINDOW_HIDDEN);
    if (game_window == nullptr) return false;
    InitGr();
    started = canvas != nullptr && game_renderer != nullptr;
    return started;
}

void BM_PresentFullFrame(benchmark::State& state) {
    if (!start_screen()) {
        state.SkipWithError("no video");
        return;
    }
    int shade = 0;
    for (auto _ : state) {
        // A changed pixel each frame, so nothing can be skipped.
        put_pixel(shade % CANVAS_W, 300, map_rgb(shade & 255, 0, 0));
        present_screen();
        ++shade;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PresentFullFrame)->Unit(benchmark::kMicrosecond);

void BM_UploadOnly(benchmark::State& state) {
    if (!start_screen()) {
        state.SkipWithError("no video");
        return;
    }
    for (auto _ : state) upload_screen();
}
BENCHMARK(BM_UploadOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
