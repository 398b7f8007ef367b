// Creatures in a fight on a busy local map: the count of foes next to the
// player among 500 creatures (a question the attack resolver, the skills
// and the spending of time ask often), and one pass of the creatures'
// turns with 500 on the map, 50 of them fighting each other out of the
// player's sight with the sound on.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "base/platform.h"
#include "bench_folder.h"
#include "body/attack_resolver.h"
#include "body/combat_state.h"
#include "body/creature_attacks.h"
#include "body/creature_fights.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"
#include "ui/sound.h"

namespace {

BenchFolder& fights_folder() {
    static BenchFolder folder("fights");
    return folder;
}

constexpr int CREATURES = 500, FIGHTERS = 50;
constexpr int PX = 200, PY = 200;

void make_wolf(int s) {
    CreatureRecord& c = Cre[s];
    std::memset(&c, 0, sizeof c);
    c.cre_class = 3;
    c.kind = 611;
    copy_text(c.name, sizeof c.name, "Wolf");
    c.attr_agi = c.attr_end = c.attr_dex = c.attr_str = 12;
    c.weight = 40.0f;
    c.stature = 2;
    c.walk_speed = 6;
    c.sotu = uint32_t(1000 + s);
    c.fight_target = FIGHT_TARGET_NONE;
    c.hyokkaavyys = 100;
    copy_text(c.attack_name[0], sizeof c.attack_name[0], "bite");
    c.attack_impact[0] = 3;
    c.attack_value[0] = 10;
    c.attack_aspect[0] = 3;
    c.attack_skill[0] = 40;
    CreSlotRefs[s] = CRE_REF_BASE + s;
}

// Open ground nobody sees but the player's own square, 3,000 items lying
// about, and 500 wolves: eight around the player fighting it, the rest in
// rows; the first FIGHTERS of the rows (far from the player) in pairs, each
// biting its neighbour.
void lay_out_fight() {
    fights_folder().enter();
    init_terrain_types_for_date(6, 1);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(height_layer, 3, MAP_CELLS);
    std::memset(view_layer, VIEW_UNSEEN, MAP_CELLS);
    view_layer[map_index(PX, PY)] = '.';
    reset_creature_tables();
    reset_map_object_table();
    reset_task_queue();
    reset_combat_state();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    copy_text(Plr.name, "Bench");
    Plr.spd = Plr.end = Plr.agi = Plr.dex = Plr.str = 12;
    Plr.body_weight = 160;
    Plr.bodytemp = 37;
    Plr.travel_mode = 1;
    weather.current.snow = 0;
    player_x = PX;
    player_y = PY;
    messages_suppressed = true;
    seed_random(7);
    for (int i = 0; i < 3000; ++i)
        put_object_on_map(MK_ITEM, 100 + i % 200, 300 + i / 200, 50000 + i, 1);
    static const int around[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    for (int s = 0; s < CREATURES; ++s) {
        make_wolf(s);
        int x, y;
        if (s < 8) {
            x = PX + around[s][0];
            y = PY + around[s][1];
            Cre[s].move_mode = 99;
            Cre[s].fight_target = -1;
        } else {
            const int k = s - 8;
            x = k < FIGHTERS ? 100 + k : 100 + (k % 40) * 2;
            y = k < FIGHTERS ? 110 : 120 + (k / 40) * 3;
        }
        put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + s, 1);
    }
}

// The fighting pairs start again every pass: upright, unhurt, at each
// other's throat.
void set_fighters_on_each_other() {
    for (int k = 0; k < FIGHTERS; ++k) {
        const int s = 8 + k, other = 8 + (k ^ 1);
        CreatureRecord& c = Cre[s];
        std::memset(c.wounds, 0, sizeof c.wounds);
        c.injury = 0;
        c.body_state = 0;
        c.haavat = 0;
        c.move_mode = 0;
        c.fight_target = FIGHT_TARGET_NONE;
        cre_begin_attack(s, other, 0);
    }
}

void BM_CountAdjacentFightersAmong500(benchmark::State& state) {
    lay_out_fight();
    reset_fighter_rows();
    for (auto _ : state) benchmark::DoNotOptimize(plr_count_adjacent_fighters(-1, 0));
    if (plr_count_adjacent_fighters(-1, 0) != 8) state.SkipWithError("the eight around the player were not counted");
    messages_suppressed = false;
    reset_map_object_table();
}
BENCHMARK(BM_CountAdjacentFightersAmong500)->Unit(benchmark::kMicrosecond);

void BM_CreaturePass500With50FightingOutOfView(benchmark::State& state) {
    lay_out_fight();
    // The eight around the player rest for this pass: nobody asks the
    // player how to defend.
    for (int s = 0; s < 8; ++s) {
        Cre[s].move_mode = 0;
        Cre[s].fight_target = FIGHT_TARGET_NONE;
    }
    const bool saved_sound = sound_on;
    sound_on = true;
    std::vector<int> rows;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_CREATURE) rows.push_back(i);
    for (auto _ : state) {
        state.PauseTiming();
        set_fighters_on_each_other();
        state.ResumeTiming();
        for (int i : rows) CreatureAct(i);
    }
    // The pass fought: some bites of the last one drew blood.
    int bitten = 0;
    for (int k = 0; k < FIGHTERS; ++k) bitten += Cre[8 + k].injury > 0 ? 1 : 0;
    state.counters["bitten"] = bitten;
    if (bitten == 0) state.SkipWithError("nobody was bitten: the fighters did not fight");
    sound_on = saved_sound;
    messages_suppressed = false;
    reset_map_object_table();
    reset_combat_state();
}
BENCHMARK(BM_CreaturePass500With50FightingOutOfView)->Unit(benchmark::kMillisecond);

}  // namespace
