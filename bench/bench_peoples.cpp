// The peoples of the land and the animals met: the choice of an encounter's
// kind with an empty and a full table of area records, a personal name
// (the lists read once), a tribesman made from his kind, and the area
// records' adding and daily drop over a full table.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "creatures/area_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_species.h"
#include "creatures/encounter_species.h"
#include "creatures/personal_names.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/item_catalogue.h"
#include "objects/object_store.h"
#include "ui/message_line.h"
#include "bench_folder.h"

namespace {

// The templates and the catalogue, made once; the player on the world map.
BenchFolder& peoples_folder() {
    static BenchFolder f("peoples");
    static bool made = false;
    f.enter();
    messages_suppressed = true;
    debug_logs_on = 0;
    if (!made) {
        made = true;
        reset_object_store();
        build_item_catalogue();
        reset_creature_tables();
        player_x = player_y = 0;
        creature_defaults();
        for (CreatureRecord& t : CreTemplates) t = CreScratch;
        docreatures();
    }
    copy_text(Plr.map_name, "BIGMAP");
    is_world_map();
    player_x = 1500;
    player_y = 1000;
    Plr.month = 6;
    Plr.days_played = 100;
    return f;
}

// Every slot used, none of them near the player: the whole table is read.
void fill_area_table() {
    for (int i = 0; i < AREA_EVENT_COUNT; ++i) {
        AreaEvent& e = AreaEvents[i];
        std::memset(&e, 0, sizeof e);
        e.type = 1 + i % 2;
        e.x = i % 3000;
        e.y = 10;
        e.radius = 100;
        e.first_day = 70 + i % 30;
        e.last_day = 100 + i % 30;  // records last 30 days: a thirtieth ends each day
        e.key = 600 + i % 60;
        e.count = 1;
    }
}

// The draw with an empty area table and with all 10,000 records in use.
void encounter_species_draws(benchmark::State& state, bool full) {
    peoples_folder();
    std::memset(AreaEvents, 0, sizeof AreaEvents);
    if (full) fill_area_table();
    reset_encounter_species();
    seed_random(4);
    for (auto _ : state) benchmark::DoNotOptimize(choose_encounter_species(1, player_x, player_y, 0));
    std::memset(AreaEvents, 0, sizeof AreaEvents);
}
BENCHMARK_CAPTURE(encounter_species_draws, empty, false)->Name("BM_EncounterSpecies/empty")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(encounter_species_draws, full10000, true)->Name("BM_EncounterSpecies/full10000")->Unit(benchmark::kMicrosecond);

void BM_PersonalName(benchmark::State& state) {
    peoples_folder();
    reset_personal_names();
    seed_random(4);
    for (auto _ : state) benchmark::DoNotOptimize(draw_personal_name('M', 3));
}
BENCHMARK(BM_PersonalName)->Unit(benchmark::kMicrosecond);

void BM_MakePerson(benchmark::State& state) {
    peoples_folder();
    player_x = player_y = 0;
    seed_random(4);
    const int kind = int(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(creature_template(kind));
}
BENCHMARK(BM_MakePerson)->Arg(530)->Unit(benchmark::kMicrosecond);

// The worst case: a kind never recorded, so that the whole full table is
// read for a record to merge into and again for the earliest to replace.
void BM_AddAreaEvent(benchmark::State& state) {
    peoples_folder();
    fill_area_table();
    int key = 1000;
    for (auto _ : state) add_animal_area_event(key++);
    std::memset(AreaEvents, 0, sizeof AreaEvents);
}
BENCHMARK(BM_AddAreaEvent)->Unit(benchmark::kMicrosecond);

void BM_DropExpiredAreaEvents(benchmark::State& state) {
    peoples_folder();
    for (auto _ : state) {
        state.PauseTiming();
        fill_area_table();
        Plr.days_played = 101;
        state.ResumeTiming();
        drop_expired_area_events();
    }
    std::memset(AreaEvents, 0, sizeof AreaEvents);
}
BENCHMARK(BM_DropExpiredAreaEvents)->Unit(benchmark::kMicrosecond);

}  // namespace
