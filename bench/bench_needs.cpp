// The hourly upkeep of the player: the weather brought up to the hour, the
// light and sight, the herb effects of what was eaten and the starvation
// check, with the services that are not built yet as their stubs.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "bench_folder.h"
#include "body/body_services.h"
#include "game/player.h"
#include "maps/weather.h"
#include "ui/message_line.h"
#include "work/herb_effects.h"

namespace {

BenchFolder& folder() {
    static BenchFolder f("needs");
    return f;
}

void BM_HourlyPlayerMaintenance(benchmark::State& state) {
    folder().enter();
    std::memset(&Plr, 0, sizeof Plr);
    Plr.day = Plr.month = 1;
    Plr.hour = 8;
    Plr.wil = 12;
    Plr.Energiavaranto = 150;
    weather.tables_read = true;
    weather.init_weather(weather.current, 1, 8);
    messages_suppressed = true;
    seed_random(4);
    for (auto _ : state) {
        // A poisonous plant and nausea every hour: the herb pass does its
        // whole work.
        Plr.food_effects = FOOD_POISONOUS | FOOD_NAUSEA;
        hourly_player_maintenance();
        std::memset(Plr.wounds, 0, sizeof Plr.wounds);
        Plr.starvation = 0;
        benchmark::DoNotOptimize(Plr.thirst);
    }
    messages_suppressed = false;
}
BENCHMARK(BM_HourlyPlayerMaintenance)->Unit(benchmark::kMicrosecond);

}  // namespace
