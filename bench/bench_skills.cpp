// Skill checks: one percentile check, one skill use of twelve checks with
// its advancement, and one creature's skill looked up in the skill table
// (a miss of its cache each time).
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "body/skills.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/skill_setup.h"
#include "bench_folder.h"

namespace {

BenchFolder& skills_folder() {
    static BenchFolder folder("skills");
    return folder;
}

void BM_RollCheck(benchmark::State& state) {
    seed_random(1);
    int value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(roll_check(10, 50 + (value & 31)));
        ++value;
    }
}
BENCHMARK(BM_RollCheck);

// A player's skill in use with twelve checks (advancement mode 2), as a
// climb out of the water takes it.
void BM_PlrUseSkillMode2(benchmark::State& state) {
    skills_folder().enter();
    std::memset(&Plr, 0, sizeof Plr);
    Plr.str = Plr.dex = Plr.agi = Plr.end = 12;
    const char* const names[] = {"DODGE", "KNIFE", "SPEAR", "BOW", "SKIING", "SWIMMING", "CLIMBING"};
    for (int i = 0; i < 7; ++i) {
        set_skill_name(Plr, i, names[i]);
        Plr.skill_level[i] = 45;
        Plr.skill_attr_base[i] = 12;
    }
    seed_random(2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plr_use_skill(0, 10, "CLIMBING", 2));
        // Keep it rising through the run as on the first day.
        Plr.skill_rises_today[6] = 0;
        if (Plr.skill_level[6] > 90) Plr.skill_level[6] = 45;
    }
}
BENCHMARK(BM_PlrUseSkillMode2);

// A creature asks two skills in turn: each misses the cache's slot 0 and
// is looked up with the creature's attributes in the skill table.
void BM_SkillAttributeBase(benchmark::State& state) {
    skills_folder().enter();
    forget_skill_table();
    std::memset(&Cre[3], 0, sizeof Cre[3]);
    Cre[3].cre_class = 3;
    Cre[3].attr_str = 14;
    Cre[3].attr_dex = 12;
    Cre[3].attr_agi = 16;
    Cre[3].home_culture = 2;
    skill_attribute_base(3, "CLIMBING", SKILL_START_LEVEL);  // the table is read once
    const char* const asked[2] = {"CLIMBING", "SWIMMING"};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cre_skill_level(3, asked[i & 1]));
        ++i;
    }
}
BENCHMARK(BM_SkillAttributeBase);

}  // namespace
