// An over-long line in the configuration file is skipped as fast as the
// file reads: a key read past a 20 MB line against a plain read of 20 MB.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/platform.h"

namespace {

constexpr size_t LINE_BYTES = 20u << 20;

struct ConfigFolder {
    std::string root;
    std::string old_cwd;
    ConfigFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "ksm-bench-config-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        root = tmpl;
        old_cwd = std::filesystem::current_path().string();
        std::filesystem::current_path(root);
        // A configuration whose key stands after a line of 20 MB (a pasted
        // blob, a file that lost its line breaks), and a plain file of the
        // same size to read for comparison.
        std::string text = "// settings\n[AUDIO:NO]\n";
        text += std::string(LINE_BYTES, 'q');
        text += "\n[UNITS:METRIC]\n";
        write_file_atomic(CONFIG_FILE, text);
        write_file_atomic("plain.bin", std::string(LINE_BYTES, 'q'));
        // A key read once to take the files into the page cache.
        ini_get_string("UNITS", "");
    }
    ~ConfigFolder() {
        std::error_code ec;
        std::filesystem::current_path(old_cwd, ec);
        std::filesystem::remove_all(root, ec);
    }
};

ConfigFolder& config_folder() {
    static ConfigFolder folder;
    return folder;
}

void BM_ConfigKeyPastA20MBLine(benchmark::State& state) {
    config_folder();
    // stderr notes each skipped line; keep the benchmark's output clean.
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    for (auto _ : state) {
        const char* value = ini_get_string("UNITS", "IMPERIAL");
        if (std::string(value) != "METRIC") state.SkipWithError("the key past the long line was not read");
        benchmark::DoNotOptimize(value);
    }
    (void)quiet;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LINE_BYTES));
}
BENCHMARK(BM_ConfigKeyPastA20MBLine)->Unit(benchmark::kMillisecond);

void BM_Read20MB(benchmark::State& state) {
    config_folder();
    for (auto _ : state) {
        std::FILE* f = std::fopen("plain.bin", "rb");
        static char block[1 << 16];
        size_t total = 0, n;
        while ((n = std::fread(block, 1, sizeof block, f)) > 0) total += n;
        std::fclose(f);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LINE_BYTES));
}
BENCHMARK(BM_Read20MB)->Unit(benchmark::kMillisecond);

// The game's own whole-file read of the same 20 MB (as the set-up screen
// reads the configuration to rewrite a key).
void BM_Read20MBWhole(benchmark::State& state) {
    config_folder();
    for (auto _ : state) {
        std::string text;
        if (!read_text_file("plain.bin", text, LINE_BYTES)) state.SkipWithError("not read");
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LINE_BYTES));
}
BENCHMARK(BM_Read20MBWhole)->Unit(benchmark::kMillisecond);

}  // namespace
