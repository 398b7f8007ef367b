// The weather model: starting a new weather (two years planned and stepped
// to the start hour) and one simulated year of hour steps.
#include <benchmark/benchmark.h>

#include <memory>

#include "maps/weather.h"
#include "base/platform.h"

namespace {

void BM_InitWeather(benchmark::State& state) {
    auto m = std::make_unique<WeatherModel>();
    m->tables_read = true;  // the built-in tables; no file is read here
    seed_random(1);
    WeatherRecord r;
    for (auto _ : state) {
        m->init_weather(r, 1, 8);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_InitWeather)->Unit(benchmark::kMicrosecond);

void BM_YearOfHourSteps(benchmark::State& state) {
    auto m = std::make_unique<WeatherModel>();
    m->tables_read = true;
    seed_random(2);
    WeatherRecord r;
    m->init_weather(r, 1, 8);
    for (auto _ : state) {
        for (int h = 0; h < 360 * 24; ++h) m->weather_hour_step(r);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_YearOfHourSteps)->Unit(benchmark::kMillisecond);

}  // namespace
