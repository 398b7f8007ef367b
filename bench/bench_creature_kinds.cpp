// Making creatures and asking about them: one creature from its template,
// the 500 templates of the kinds from 500 up made afresh (every game load
// does it), and the search for a villager who sees the player among 500
// creatures of a local map.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_society.h"
#include "creatures/creature_species.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"
#include "bench_folder.h"

namespace {

constexpr int VILLAGE = 12;
constexpr int ON_MAP = 500;

BenchFolder& kinds_folder() {
    static BenchFolder f("kinds");
    f.enter();
    messages_suppressed = true;
    debug_logs_on = 0;
    return f;
}

void BM_CreatureTemplateWolf(benchmark::State& state) {
    kinds_folder();
    reset_creature_tables();
    player_x = player_y = 0;
    seed_random(1);
    for (auto _ : state) benchmark::DoNotOptimize(creature_template(611));
    if (CreScratch.cre_class != 3) state.SkipWithError("no wolf made");
}
BENCHMARK(BM_CreatureTemplateWolf)->Unit(benchmark::kMicrosecond);

// The kinds in turn: the bear's and deer's families make the record twice.
void BM_CreatureTemplateEveryKind(benchmark::State& state) {
    kinds_folder();
    reset_creature_tables();
    player_x = player_y = 0;
    seed_random(1);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(creature_template(species_kind_at(i)));
        if (++i == species_kind_count()) i = 0;
    }
}
BENCHMARK(BM_CreatureTemplateEveryKind)->Unit(benchmark::kMicrosecond);

void BM_Docreatures500Kinds(benchmark::State& state) {
    kinds_folder();
    reset_creature_tables();
    player_x = player_y = 0;
    seed_random(1);
    for (auto _ : state) docreatures();
    if (CreTemplates[611].cre_class != 3) state.SkipWithError("no wolf template");
}
BENCHMARK(BM_Docreatures500Kinds)->Unit(benchmark::kMillisecond);

// A local map of open ground with 500 villagers spread over it, each
// looking its own way; the player stands in the middle and sees part of
// the map.
void lay_out_village() {
    reset_creature_tables();
    reset_map_object_table();
    copy_text(Plr.map_name, "ZOOMMAP");
    is_world_map();
    init_terrain_types_for_date(6, 1);
    for (int y = ZOOM_FIRST; y <= ZOOM_LAST; ++y) {
        std::memset(terrain_layer + map_index(ZOOM_FIRST, y), 250, ZOOM_LAST - ZOOM_FIRST + 1);
        std::memset(height_layer + map_index(ZOOM_FIRST, y), 0, ZOOM_LAST - ZOOM_FIRST + 1);
        std::memset(view_layer + map_index(ZOOM_FIRST, y), VIEW_UNSEEN, ZOOM_LAST - ZOOM_FIRST + 1);
    }
    double numbers[SIGHT_RAYS];
    for (double& n : numbers) n = 1.0;
    fill_sight_table(numbers, 30);
    player_x = player_y = 232;
    view_half_w = 12;
    view_half_h = 11;
    seed_random(4);
    for (int i = 0; i < ON_MAP; ++i) {
        CreatureRecord& c = Cre[i];
        std::memset(&c, 0, sizeof c);
        c.cre_class = CRE_CLASS_HUMAN;
        c.lauma = VILLAGE;
        c.Suunta = random_below(8);
        c.sotu = uint32_t(1000 + i);
        CreSlotRefs[i] = int32_t(c.sotu);
        clear_staging_object();
        map_object_staging.TYPE = MK_CREATURE;
        map_object_staging.x = uint16_t(ZOOM_FIRST + random_below(320));
        map_object_staging.y = uint16_t(ZOOM_FIRST + random_below(320));
        map_object_staging.DATA = CRE_REF_BASE + i;
        map_object_staging.amount = 1;
        insert_map_object(-1);
    }
}

void BM_FindSocietyWitnessAmong500(benchmark::State& state) {
    kinds_folder();
    lay_out_village();
    for (auto _ : state) benchmark::DoNotOptimize(find_society_witness(VILLAGE));
    if (find_society_witness(VILLAGE) == CRE_NO_CREATURE) state.SkipWithError("nobody sees the player");
}
BENCHMARK(BM_FindSocietyWitnessAmong500)->Unit(benchmark::kMicrosecond);

// Nobody of the village sees the player: every member is looked at.
void BM_FindSocietyWitnessNobodySees(benchmark::State& state) {
    kinds_folder();
    lay_out_village();
    for (int i = 0; i < ON_MAP; ++i) {
        const int d = cre_datapos(i);
        Cre[i].Suunta = facing_toward(player_x, player_y, Data[d].x, Data[d].y);  // looking away
    }
    for (auto _ : state) benchmark::DoNotOptimize(find_society_witness(VILLAGE));
    if (find_society_witness(VILLAGE) != CRE_NO_CREATURE) state.SkipWithError("someone sees the player");
}
BENCHMARK(BM_FindSocietyWitnessNobodySees)->Unit(benchmark::kMicrosecond);

}  // namespace
