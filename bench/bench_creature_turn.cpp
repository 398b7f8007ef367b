// One player turn of the creatures on a village's local map: the per-turn
// update of the map objects with 10,000 records in the table and 50 or 500
// living creatures among them (six in ten animals, three people of the
// village, one bird). Each creature perceives the player and the others,
// reacts and takes its turn; those near the player see it, run from it,
// keep away or hide, and walk where that takes them. The median and the 99th percentile of the
// turns are given as counters (milliseconds).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "bench_folder.h"
#include "creatures/creature_files.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "ui/message_line.h"

namespace {

BenchFolder& turn_folder() {
    static BenchFolder folder("creature_turn");
    return folder;
}

constexpr int VILLAGE = 77;

// An open village map: the player in the middle, n creatures spread over
// the play area, and the rest of the 10,000 records tracks and dropped
// things.
void lay_out_village(int n) {
    turn_folder().enter();
    init_terrain_types_for_date(6, 1);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(height_layer, 3, MAP_CELLS);
    std::memset(stored_world_terrain, 250, MAP_CELLS);
    std::memset(view_layer, ' ', MAP_CELLS);
    reset_creature_tables();
    reset_map_object_table();
    reset_task_queue();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.spd = Plr.end = 12;
    Plr.travel_mode = 1;
    Plr.bodytemp = 37;
    Plr.month = 6;
    weather.current.snow = 0;
    player_x = 232;
    player_y = 232;
    messages_suppressed = true;
    // Daylight sight, so that the creatures near the player see it.
    load_linedist_table(20);
    seed_random(5);
    for (int s = 0; s < n && s < CRE_SLOTS; ++s) {
        CreatureRecord& c = Cre[s];
        std::memset(&c, 0, sizeof c);
        const int sort = s % 10;
        if (sort < 6) {  // animals: hares, wolves, elks
            const int k = s % 3;
            c.cre_class = uint8_t(k == 0 ? 2 : k == 1 ? 3 : 7);
            c.kind = k == 0 ? 600 : k == 1 ? 611 : 613;
            c.flee_threshold = uint8_t(k == 1 ? 19 : 79);
            c.avoid_threshold = uint8_t(k == 1 ? 95 : 89);
            c.attack_threshold = uint8_t(k == 1 ? 5 : 0);
            c.weight = k == 0 ? 3.8f : k == 1 ? 34.4f : 400.0f;
            c.lauma = 1000 + s / 6;
        } else if (sort < 9) {  // the village's people
            c.cre_class = 1;
            c.kind = 540;
            c.home_culture = 3;
            c.lauma = VILLAGE;
            c.weight = 70.0f;
        } else {  // birds
            c.cre_class = 21;
            c.kind = 630;
            c.mobility = 64;
            c.weight = 1.0f;
            c.flee_threshold = 60;
        }
        c.sotu = uint32_t(5000 + s);
        c.walk_speed = 6;
        c.attr_end = c.attr_dex = c.attr_agi = c.attr_str = 12;
        c.attr_hrg = 15;
        c.body_temp = 37.0f;
        c.fight_target = FIGHT_TARGET_NONE;
        c.Suunta = s % 8;
        CreSlotRefs[s] = 2000 + s;
        const int x = 80 + (s * 37) % 300, y = 80 + (s * 53) % 300;
        put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + s, 1);
    }
    // The rest of the table: tracks and blood marks here and there.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_UNUSED) continue;
        clear_staging_object();
        Data[i].TYPE = i % 2 ? MK_TRACK : MK_BLOOD;
        Data[i].x = uint16_t(80 + (i * 7) % 300);
        Data[i].y = uint16_t(80 + (i * 11) % 300);
        Data[i].amount = 1;
    }
}

void BM_CreatureTurn(benchmark::State& state) {
    lay_out_village(int(state.range(0)));
    std::vector<double> ms;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        update_map_objects();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) {
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    }
}
BENCHMARK(BM_CreatureTurn)->Arg(50)->Arg(500)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
