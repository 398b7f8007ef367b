// The percentile check and dice, skill levels of the player and of
// creatures, skill use with its advancement, and what a level makes of
// working time and a piece's quality.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/platform.h"
#include "body/body_services.h"
#include "body/skills.h"
#include "console/console.h"
#include "creatures/creature_files.h"
#include "game/daily_update.h"
#include "game/player.h"
#include "game/skill_setup.h"
#include "game/turn_state.h"
#include "screens/side_panel.h"
#include "scripted_draws.h"
#include "society/game_course.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

// ------------------------------------------------------------ the check

// Grade shares over many seeded checks: fumble, failure, success, critical.
TEST(RollCheck, GradeSharesFollowTheClampedChance) {
    struct Row {
        int penalty, value;
        double shares[4];
    } rows[] = {
        {0, 50, {0.10, 0.40, 0.40, 0.10}},
        {0, 250, {0.01, 0.04, 0.76, 0.19}},  // a chance above 95 is 95
        {40, 0, {0.19, 0.76, 0.04, 0.01}},   // one below 5 is 5
    };
    constexpr int checks = 200000;
    seed_random(77);
    for (const Row& row : rows) {
        int counts[4] = {};
        for (int i = 0; i < checks; ++i) ++counts[roll_check(row.penalty, row.value)];
        for (int g = 0; g < 4; ++g)
            EXPECT_NEAR(double(counts[g]) / checks, row.shares[g], 0.003)
                << "(" << row.penalty << ", " << row.value << ") grade " << g;
    }
}

TEST(RollCheck, TheLastOfNineToEighteenDrawsIsTheRoll) {
    struct Row {
        int roll, k, penalty, value, grade;
    } rows[] = {
        {5, 0, 0, 1000, 3},     // a 5 is always critical
        {5, 9, 0, -1000, 3},    // even at the lowest chance
        {100, 4, 0, 1000, 0},   // a 100 always fumbles
        {96, 0, 0, 95, 1},      // above the highest chance
        {4, 0, 40, 0, 2},       // 1..4 always succeed
        {6, 0, 40, 0, 1},       // chance 5: a 6 fails
        {50, 2, 10, 60, 3},     // success ending in 0
        {55, 2, 10, 60, 0},     // failure ending in 5
        {49, 0, 0, 49, 2},
        {51, 0, 0, 49, 1},
    };
    for (const Row& row : rows) {
        ScriptedDraws draws;
        draws.add_check(row.roll, row.k);
        EXPECT_EQ(roll_check(row.penalty, row.value), row.grade) << "roll " << row.roll;
        EXPECT_EQ(draws.calls(), row.k + 10) << "roll " << row.roll;
    }
}

TEST(RollCheck, OverridesDecideAndTheFixedOnesDrawNothing) {
    seed_random(3);
    const int untouched = ksm_rand();
    for (int setting : {3, 4}) {
        roll_override = setting;
        seed_random(3);
        EXPECT_EQ(roll_check(0, 1000), setting == 3 ? 0 : 3);
        EXPECT_EQ(roll_check(1000, 0), setting == 3 ? 0 : 3);
        EXPECT_EQ(ksm_rand(), untouched) << "override " << setting;
    }
    for (int setting : {1, 2}) {
        roll_override = setting;
        ScriptedDraws draws{2};
        EXPECT_EQ(roll_check(0, 1000), 2);
        EXPECT_EQ(draws.calls(), 1);
    }
    roll_override = 2;
    EXPECT_EQ(cre_skill_level(-1, "FOO"), 80);
    reset_console_switches();
    EXPECT_EQ(roll_override, 0);
}

TEST(Dice, SumsSixSidedDiceAndNothingForNoDice) {
    EXPECT_EQ(roll_dice(0), 0);
    EXPECT_EQ(roll_dice(-3), 0);
    {
        ScriptedDraws draws{0, 5, 2};
        EXPECT_EQ(roll_dice(3), 1 + 6 + 3);
    }
    seed_random(9);
    int low = 12, high = 2;
    for (int i = 0; i < 2000; ++i) {
        const int r = roll_dice(2);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    EXPECT_EQ(low, 2);
    EXPECT_EQ(high, 12);
}

// ------------------------------------------------------------ levels

// A player of known attributes with a few skills, and a creature in slot 4.
struct Skills : ::testing::Test {
    PlayFolder folder;  // the skill table and the message catalogue
    void SetUp() override {
        forget_skill_table();
        std::memset(&Plr, 0, sizeof Plr);
        Plr.str = 12;
        Plr.dex = 15;
        Plr.eye = 9;
        Plr.agi = Plr.end = Plr.intel = Plr.spd = Plr.smt = Plr.tch = Plr.wil = Plr.hrg = 10;
        give("BOW", 5, 13);
        give("KNIFE", 5, 13);
        give("TEXTILECRAFT", 30, 11);
        give("SPEAR", 60, 12);
        std::memset(&Cre[4], 0, sizeof Cre[4]);
        Cre[4].cre_class = 3;
        Cre[4].attr_str = 12;
        Cre[4].attr_dex = 15;
        Cre[4].home_culture = 255;
        roll_override = 0;
        message_text[0] = 0;
        skip_message_pauses = true;
    }
    void TearDown() override {
        std::memset(&Cre[4], 0, sizeof Cre[4]);
        forget_skill_table();
    }
    int give(const char* name, int level, int base) {
        const int slot = find_free_skill_slot(Plr);
        set_skill_name(Plr, slot, name);
        Plr.skill_level[slot] = uint8_t(level);
        Plr.skill_start_level[slot] = uint8_t(level);
        Plr.skill_attr_base[slot] = uint8_t(base);
        return slot;
    }
    static int level_of(const char* name) { return Plr.skill_level[plr_skill_slot(name)]; }
};

TEST_F(Skills, LevelsOfThePlayerAndOfACreature) {
    Cre[4].hideworking = 41;
    Cre[4].timbercraft = 42;
    Cre[4].dodge = 43;
    struct Row {
        int creature;
        const char* skill;
        int level;
    } rows[] = {
        {-1, "", 0},
        {-1, "COMMON", 60},
        {-1, "THROWING", 48},  // (12 + 15 + 9) / 3 x 4
        {4, "THROWING", 56},   // (12 + 2 x 15) / 3 x 4
        {-1, "MOVEDODGE", 5},  // a tenth of the walking pace
        {-1, "SPEAR", 60},
        {-1, "TEXTILECRAFT", 30},  // a name that fills its field
        {-1, "FOO", 5},            // no slot: the lowest level, never 1000
        {-1, "TEXTILECRAFTS", 5},  // longer than a field never matches one
        {4, "HIDEWORKING", 41},
        {4, "TIMBERCRAFT", 42},
        {4, "DODGE", 43},
        {4, "COMMON", 60},
    };
    for (const Row& row : rows)
        EXPECT_EQ(cre_skill_level(row.creature, row.skill), row.level) << row.creature << " " << row.skill;
    EXPECT_EQ(plr_skill_slot("FOO"), -1);
    EXPECT_EQ(plr_skill_slot(""), -1);
    EXPECT_EQ(plr_skill_slot("TEXTILECRAFT"), 2);
}

// A creature's miss goes into cache slot 0 with its level from the skill
// table; a 12-letter name fills the field without running into the next.
TEST_F(Skills, ACreatureCachesLookedUpLevelsInSlotZero) {
    CreatureRecord& c = Cre[4];
    std::memcpy(c.skill_slot_name[1], "SPEAR", 5);
    c.skill_slot_level[1] = 33;
    EXPECT_EQ(cre_skill_level(4, "SPEAR"), 33);

    const int expected = skill_attribute_base(4, "TEXTILECRAFT", SKILL_START_LEVEL);
    ASSERT_GT(expected, 0);
    EXPECT_EQ(cre_skill_level(4, "TEXTILECRAFT"), expected);
    EXPECT_EQ(std::memcmp(c.skill_slot_name[0], "TEXTILECRAFT", 12), 0);
    EXPECT_EQ(std::memcmp(c.skill_slot_name[1], "SPEAR", 6), 0);
    EXPECT_EQ(c.skill_slot_level[0], expected);
    c.attr_dex = 90;  // the cached level stands
    EXPECT_EQ(cre_skill_level(4, "TEXTILECRAFT"), expected);
    EXPECT_EQ(cre_skill_level(4, "BOW"), skill_attribute_base(4, "BOW", SKILL_START_LEVEL));
    EXPECT_EQ(std::memcmp(c.skill_slot_name[0], "BOW\0", 4), 0);
}

// ------------------------------------------------------------ use

TEST_F(Skills, ASkillWithoutASlotRollsAtFiveAndChangesNothing) {
    const PlayerRecord before = Plr;
    {
        ScriptedDraws draws;
        draws.add_check(5);
        EXPECT_EQ(plr_use_skill(0, 0, "foo", 2), 3);
        draws.add_check(6);
        EXPECT_EQ(plr_use_skill(0, 0, "FOO", 2), 1);
        EXPECT_EQ(draws.left(), 0u);
    }
    EXPECT_EQ(std::memcmp(&before, &Plr, sizeof Plr), 0);
    EXPECT_EQ(plr_use_skill(0, 0, "", 2), 0);
}

TEST_F(Skills, APenaltyOfOneIsTheTotalPenalty) {
    Plr.fatigue = 10.7f;
    Plr.wound_total = 20;
    Plr.starvation = 5;
    EXPECT_EQ(plr_total_penalty(), 35);
    ScriptedDraws draws;
    draws.add_check(26);  // SPEAR 60 less 35
    EXPECT_EQ(plr_use_skill(1, 0, "SPEAR", -3), 1);
    draws.add_check(26);  // a penalty of 0
    EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", -3), 2);
}

// At most three rises a day through use; the day change lets it rise again.
TEST_F(Skills, ABeginnerRisesThreeTimesADayAndAgainTheNextDay) {
    seed_random(11);
    for (int i = 0; i < 1000; ++i) plr_use_skill(0, 0, "BOW", 0);
    EXPECT_EQ(level_of("BOW"), 8);
    EXPECT_EQ(Plr.skill_rises_today[plr_skill_slot("BOW")], 3);

    std::filesystem::create_directory("T");
    copy_text(character_name, "T");
    start_new_day();
    character_name[0] = 0;
    EXPECT_EQ(Plr.skill_rises_today[plr_skill_slot("BOW")], 0);
    for (int i = 0; i < 1000; ++i) plr_use_skill(0, 0, "BOW", 0);
    EXPECT_EQ(level_of("BOW"), 11);
}

TEST_F(Skills, DaggerUsesTheKnifeSlotUnlessItHasItsOwn) {
    seed_random(12);
    for (int i = 0; i < 200; ++i) plr_use_skill(0, 0, "DAGGER", 2);
    EXPECT_EQ(level_of("KNIFE"), 8);
    EXPECT_EQ(plr_skill_slot("DAGGER"), -1);
    give("DAGGER", 5, 13);
    for (int i = 0; i < 200; ++i) plr_use_skill(0, 0, "DAGGER", 2);
    EXPECT_EQ(level_of("DAGGER"), 8);
    EXPECT_EQ(level_of("KNIFE"), 8);
}

// Every chance counts toward practice; a rise needs practice of a tenth of
// the level and clears it.
TEST_F(Skills, ARiseNeedsPracticeOfATenthOfTheLevel) {
    const int slot = plr_skill_slot("SPEAR");  // level 60: six chances a rise
    Plr.skill_attr_base[slot] = 100;          // a rise never fails its draw
    roll_override = 4;
    for (int use = 1; use <= 5; ++use) {
        EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", 0), 3);
        EXPECT_EQ(Plr.skill_practice[slot], use);
    }
    EXPECT_EQ(level_of("SPEAR"), 60);
    plr_use_skill(0, 0, "SPEAR", 0);
    EXPECT_EQ(level_of("SPEAR"), 61);
    EXPECT_EQ(Plr.skill_practice[slot], 0);
    EXPECT_EQ(plr_skill_advancement("SPEAR"), 1);
    plr_use_skill(0, 0, "SPEAR", -3);  // never a chance
    EXPECT_EQ(Plr.skill_practice[slot], 0);
    roll_override = 0;
}

// A teacher's advice: a critical grade, a gain by the level, and the rise
// step without a chance; nothing above 100.
TEST_F(Skills, ATeachersAdviceGivesACriticalAndItsGain) {
    struct Row {
        int level, after;
    } rows[] = {{40, 45}, {41, 45}, {60, 64}, {80, 83}, {90, 92}, {99, 100}, {100, 100}};
    const int slot = plr_skill_slot("SPEAR");
    Plr.skill_attr_base[slot] = 0;
    for (const Row& row : rows) {
        Plr.skill_level[slot] = uint8_t(row.level);
        Plr.skill_taught[slot] = 1;
        Plr.skill_practice[slot] = 4;
        ScriptedDraws draws;
        draws.add_check(std::min(row.level + 1, 99));  // a plain failure
        draws.add(0);                    // the rise draw: 0 + 0 + 1 is no more than the level
        EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", -3), 3) << row.level;
        EXPECT_EQ(Plr.skill_level[slot], row.after) << row.level;
        EXPECT_EQ(Plr.skill_taught[slot], 0);
        EXPECT_EQ(Plr.skill_practice[slot], 0);
    }
    // At 100 the rise step still counts the rise of the day.
    Plr.skill_attr_base[slot] = 100;
    Plr.skill_taught[slot] = 1;
    Plr.skill_rises_today[slot] = 0;
    ScriptedDraws draws;
    draws.add_check(50);
    draws.add(99);
    course_counter = 0;
    Plr.course_event = 42;
    Plr.course_target = 10;
    EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", -3), 3);
    EXPECT_EQ(Plr.skill_level[slot], 100);
    EXPECT_EQ(Plr.skill_rises_today[slot], 1);
    EXPECT_EQ(course_counter, 2);  // mastery at 95 and up, and the rise
    course_counter = 0;
}

TEST_F(Skills, LuckLiftsTheGradeWhileItLasts) {
    Plr.luck_uses = 2;
    ScriptedDraws draws;
    draws.add_check(99);  // SPEAR 60: a failure...
    draws.add(0);         // ...made critical by luck
    EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", -3), 3);
    draws.add_check(100);  // a fumble...
    draws.add(2);          // ...lifted to a failure
    EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", -3), 1);
    EXPECT_EQ(Plr.luck_uses, 0);
    draws.add_check(100);
    EXPECT_EQ(plr_use_skill(0, 0, "SPEAR", -3), 0);
    EXPECT_EQ(draws.left(), 0u);
}

// A TEXTILECRAFT slot, whose name fills its field, rises and keeps its
// name and level through the character file.
TEST_F(Skills, ATwelveLetterSkillRisesAndSurvivesTheCharacterFile) {
    const int slot = plr_skill_slot("TEXTILECRAFT");
    Plr.skill_taught[slot] = 1;
    plr_use_skill(0, 0, "textilecraft", 0);
    const int level = Plr.skill_level[slot];
    EXPECT_GE(level, 35);
    ASSERT_TRUE(write_player_record(folder.file("T.KMS"), Plr));
    EXPECT_EQ(file_size(folder.file("T.KMS")), 5716);
    PlayerRecord loaded;
    ASSERT_TRUE(read_player_record(folder.file("T.KMS"), loaded));
    EXPECT_EQ(find_skill_exact(loaded, "TEXTILECRAFT"), slot);
    EXPECT_EQ(loaded.skill_level[slot], level);
    EXPECT_EQ(std::memcmp(loaded.skill_name[slot + 1], "SPEAR", 6), 0);
}

// A skill picked from the list is named and handed on; an empty slot does
// nothing.
TEST_F(Skills, TheSkillCommandNamesTheSkillAndHandsItOn) {
    const int slot = give("CLIMBING", 30, 10);
    plr_use_skill_command(slot);
    EXPECT_STREQ(command_line_text, "CLIMBING");
    EXPECT_STREQ(last_message, "!Not available yet.");
    message_text[0] = 0;
    plr_use_skill_command(slot + 1);
    plr_use_skill_command(-1);
    EXPECT_STREQ(message_text, "");
}

// ------------------------------------------------------------ work

TEST(WorkBySkill, QualityAndTimeTables) {
    struct Quality {
        int level, grade, quality;
    } qualities[] = {
        {95, 3, 5}, {5, 0, 1}, {-20, 2, 1}, {150, 3, 5}, {45, 1, 2}, {50, 2, 4}, {70, 3, 5}, {50, 4, 0}, {50, -1, 0},
    };
    for (const Quality& q : qualities)
        EXPECT_EQ(craftquality(q.level, q.grade), q.quality) << q.level << ", " << q.grade;

    EXPECT_EQ(scale_work_time_by_skill(60, 40), 150);
    EXPECT_EQ(scale_work_time_by_skill(60, 0), 6000);
    EXPECT_EQ(scale_work_time_by_skill(60, -5), 6000);
    EXPECT_EQ(scale_work_time_by_skill(10, 30), 34);

    struct Task {
        int minutes, level, kind, draw, result;
    } tasks[] = {
        {60, 0, 2, 5, 60},      // no level: unscaled
        {60, 150, 2, 5, 60},    // nor at 150 and up
        {60, 50, 0, 5, 168},    // 120 x 1.4
        {60, 100, 1, 5, 72},    // x 1.2
        {100, 100, 3, 0, 85},   // 80 x 100 / 95, up
        {100, 100, 2, 9, 97},   // 100 x 100 / 104, up
    };
    for (const Task& t : tasks) {
        ScriptedDraws draws{t.draw};
        EXPECT_EQ(TYOAIKA_mod(t.minutes, t.level, t.kind), t.result) << t.minutes << " " << t.level << " " << t.kind;
    }
}

}  // namespace
