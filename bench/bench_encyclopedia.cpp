// The encyclopedia: reading the topic table of a full page file (1,000
// names), and laying out the longest page of the installation with its
// links. Goals: 20 ms and 5 ms.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/canvas.h"
#include "ui/encyclopedia.h"
#include "ui/graphics.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own: the installation data, with a page file filled up to
// the topic table's 1,000 names. The benchmarks run inside it and go back to
// the folder they came from, so the others are not disturbed.
const std::string& bench_folder() {
    static std::string dir;
    if (!dir.empty()) return dir;
    const fs::path data = fs::path(__FILE__).parent_path().parent_path() / "data";
    std::string made = (fs::temp_directory_path() / "ksm-bench-nfo-XXXXXX").string();
    if (mkdtemp(made.data()) == nullptr) return dir;
    std::error_code ec;
    fs::copy(data, made, fs::copy_options::recursive, ec);
    if (ec) return dir;
    std::ifstream in(made + "/GAME.NFO", std::ios::binary);
    std::stringstream pages;
    pages << in.rdbuf();
    std::string text = pages.str();
    int names = 0;
    for (size_t at = 0; (at = text.find("\n.", at)) != std::string::npos; ++at) {
        size_t end = text.find('\n', at + 1);
        for (size_t k = at + 2; k < end; ++k) names += text[k] == '.';
    }
    std::ofstream out(made + "/GAME.NFO", std::ios::binary | std::ios::app);
    for (int i = names; i < TOPIC_SLOTS; ++i)
        out << ".EXTRA TOPIC " << i << ".\nA page to fill the table, number " << i
            << ". It says little.\nMore topics on the START page.\n***\n";
    dir = made;
    return dir;
}

struct InFolder {
    std::string back;
    bool ok = false;
    InFolder() {
        back = fs::current_path().string();
        const std::string& dir = bench_folder();
        ok = !dir.empty() && chdir(dir.c_str()) == 0;
    }
    ~InFolder() {
        if (chdir(back.c_str()) != 0) std::abort();
    }
};

bool start_screen() {
    if (game_renderer != nullptr && canvas != nullptr) return true;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    game_window = SDL_CreateWindow("Kesmorra", 0, 0, CANVAS_W, CANVAS_H, SDL_WINDOW_HIDDEN);
    if (game_window == nullptr) return false;
    InitGr();
    return canvas != nullptr;
}

void BM_LoadEncyclopediaTopics(benchmark::State& state) {
    InFolder folder;
    if (!folder.ok) {
        state.SkipWithError("no data folder");
        return;
    }
    for (auto _ : state) load_encyclopedia_topics();
    if (!is_encyclopedia_topic("EXTRA TOPIC 999")) state.SkipWithError("the table is not full");
}
BENCHMARK(BM_LoadEncyclopediaTopics)->Unit(benchmark::kMillisecond);

// The page with the most text lines of the installation's page file.
std::string longest_page() {
    std::ifstream in(fs::path(__FILE__).parent_path().parent_path() / "data" / "GAME.NFO", std::ios::binary);
    std::string line, name, best;
    int lines = 0, most = -1;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("//", 0) == 0) continue;
        if (!line.empty() && line[0] == '.' && name.empty()) {
            name = line.substr(1, line.find('.', 1) - 1);
            lines = 0;
        } else if (line.find("***") != std::string::npos) {
            if (lines > most) {
                most = lines;
                best = name;
            }
            name.clear();
        } else {
            ++lines;
        }
    }
    return best;
}

void BM_LayOutLongestPage(benchmark::State& state) {
    InFolder folder;
    if (!folder.ok || !start_screen()) {
        state.SkipWithError("no screen");
        return;
    }
    load_encyclopedia_topics();
    const std::string page = longest_page();
    state.SetLabel(page);
    for (auto _ : state)
        if (!show_encyclopedia_page(page.c_str())) state.SkipWithError("no such page");
}
BENCHMARK(BM_LayOutLongestPage)->Unit(benchmark::kMillisecond);

}  // namespace
