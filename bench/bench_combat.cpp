// Fighting: one wound inflicted on a creature with everything it sets off
// (grading, the slot, bleeding, shock, stumble and fumble checks), and one
// exchange of blows that nobody sees or hears (outside the player's sight,
// the quiet flag on), over every table and grade.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "bench_folder.h"
#include "body/combat_state.h"
#include "body/hit_wounds.h"
#include "body/melee_exchange.h"
#include "body/wounds.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

namespace {

BenchFolder& combat_folder() {
    static BenchFolder folder("combat");
    return folder;
}

constexpr int WOLF = 10, PERSON = 11;

// Two creatures on a map full of other things: their records come after a
// few thousand others, as on a busy local map.
void lay_out_fighters() {
    reset_map_object_table();
    for (int i = 0; i < 3000; ++i) {
        Data[i].TYPE = MK_ITEM;
        Data[i].x = uint16_t(100 + i % 200);
        Data[i].y = uint16_t(100 + i / 200);
        Data[i].DATA = 50000 + i;
        Data[i].amount = 1;
    }
    int slot = 3000;
    for (int c : {WOLF, PERSON}) {
        std::memset(&Cre[c], 0, sizeof Cre[c]);
        Cre[c].attr_agi = Cre[c].attr_end = Cre[c].attr_dex = 12;
        Cre[c].weight = 40.0f;
        Data[slot].TYPE = MK_CREATURE;
        Data[slot].x = 200;
        Data[slot].y = uint16_t(200 + c);
        Data[slot].DATA = 1000 + c;
        ++slot;
    }
    Cre[WOLF].cre_class = 3;
    Cre[PERSON].cre_class = 1;
}

void BM_InflictWoundOnCreature(benchmark::State& state) {
    combat_folder().enter();
    lay_out_fighters();
    messages_suppressed = true;
    seed_random(4);
    static const int kinds[] = {DAMAGE_BLUNT, DAMAGE_CUT, DAMAGE_TEAR, DAMAGE_PIERCE};
    int i = 0;
    for (auto _ : state) {
        // A fresh body every few wounds, so that the fight stays a fight.
        if ((i & 7) == 0) {
            std::memset(Cre[WOLF].wounds, 0, sizeof Cre[WOLF].wounds);
            Cre[WOLF].injury = 0;
            Cre[WOLF].body_state = 0;
        }
        cre_inflict_wound(WOLF, kinds[i & 3], 4 + (i % 19), (i * 7) % BODY_PART_COUNT, SIDE_LEFT, PERSON);
        ++i;
    }
    messages_suppressed = false;
    reset_map_object_table();
}
BENCHMARK(BM_InflictWoundOnCreature);

void BM_QuietExchange(benchmark::State& state) {
    combat_folder().enter();
    lay_out_fighters();
    messages_suppressed = true;
    reset_combat_state();
    combat.attacker = PERSON;
    combat.defender = WOLF;
    combat.quiet = 1;
    combat.attack_option.option_kind = OPTION_MELEE;
    static const int kinds[] = {DEFENCE_BLOCK, DEFENCE_DODGE, DEFENCE_COUNTERSTRIKE, DEFENCE_NONE};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(resolve_exchange(OPTION_MELEE, i & 3, kinds[(i >> 2) & 3], (i >> 4) & 3));
        ++i;
    }
    messages_suppressed = false;
    reset_combat_state();
    reset_map_object_table();
}
BENCHMARK(BM_QuietExchange);

}  // namespace
