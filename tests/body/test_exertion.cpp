// Exertion: its words, fatigue by class and load, the needs spent over time
// by the player and by a creature, and snow's share of a walker's speed.
#include <gtest/gtest.h>

#include <cstring>

#include "base/files.h"
#include "base/stubs.h"
#include "body/body_condition.h"
#include "body/exertion.h"
#include "creatures/creature_files.h"
#include "game/player.h"

namespace {

constexpr int WOLF = 5;

struct Exertion : ::testing::Test {
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        Plr.end = 12;
        Plr.body_weight = 170;
        Plr.bodytemp = 37.0f;
        std::memset(&Cre[WOLF], 0, sizeof Cre[WOLF]);
        seed_random(3);
    }
    void TearDown() override { std::memset(&Cre[WOLF], 0, sizeof Cre[WOLF]); }
};

TEST_F(Exertion, EveryClassHasItsWord) {
    const char* words[] = {"sleep", "restful", "easy", "light", "moderate", "hard",
                           "heavy", "very heavy", "", "", "extreme"};
    for (int c = 0; c <= 10; ++c) EXPECT_STREQ(exertion_word(c), words[c]) << c;
    EXPECT_STREQ(exertion_word(11), "");
    EXPECT_STREQ(exertion_word(-1), "");
    cre_set_exertion(-1, 6);
    EXPECT_EQ(Plr.exertion, 6);
    cre_set_exertion(WOLF, 7);
    EXPECT_EQ(Cre[WOLF].exertion, 7);
}

TEST_F(Exertion, FatigueGrowsWithClassAndLoadAndRestsOff) {
    struct Case {
        int exertion;
        float load, before, after;
    } cases[] = {
        {6, 5, 10, 10 + 1.0f / 12},   // a load below the endurance counts as 1
        {6, 0, 10, 10 + 1.0f / 12},
        {3, 30, 10, 10 + 3.0f / 32},  // 30 / 12 rounded up
        {7, 24, 10, 10 + 2.0f / 8},
        {10, 24, 10, 12},
        {1, 0, 10, 8},                // rest: endurance / 6
        {2, 0, 10, 9},                // easy walking rests half as much
        {1, 0, 1, 0},                 // never below 0
        {10, 24, 99.5f, 100},         // never above 100
    };
    for (const Case& c : cases) {
        Plr.exertion = uint8_t(c.exertion);
        Plr.carried_load = c.load;
        Plr.fatigue = c.before;
        cre_update_fatigue(-1, 1);
        EXPECT_FLOAT_EQ(Plr.fatigue, c.after) << "class " << c.exertion << " load " << c.load;
    }
    // The divisor shares the change out.
    Plr.exertion = 10;
    Plr.carried_load = 24;
    Plr.fatigue = 0;
    cre_update_fatigue(-1, 4);
    EXPECT_FLOAT_EQ(Plr.fatigue, 0.5f);
    // A creature adds its own fatigue rate to the load.
    Cre[WOLF].attr_end = 10;
    Cre[WOLF].exertion = 6;
    Cre[WOLF].fatigue_rate = 2;
    cre_update_fatigue(WOLF, 1);
    EXPECT_FLOAT_EQ(Cre[WOLF].fatigue, 2.0f / 12);
}

TEST_F(Exertion, TimeSpentDrainsTheNeedsByClass) {
    // Sixty units of sleep: sleep need down 3 a unit, thirst on about half
    // of them and the stomach on about a quarter.
    Plr.exertion = 0;
    Plr.plr_sleepiness = 1000;
    Plr.Energiavaranto = 3000;
    Plr.stomach = 200;
    cre_spend_energy(-1, 60);
    EXPECT_EQ(Plr.plr_sleepiness, 820);
    EXPECT_EQ(Plr.Energiavaranto, 2940);
    EXPECT_EQ(Plr.thirst % 2, 0);
    EXPECT_GT(Plr.thirst, 20);
    EXPECT_LT(Plr.thirst, 100);
    EXPECT_GT(Plr.stomach, 200 - 30);
    EXPECT_LT(Plr.stomach, 200 - 3);

    // Awake every unit counts.
    Plr.exertion = 6;
    Plr.thirst = 0;
    Plr.stomach = 2;
    Plr.bodytemp_change = -0.4f;
    cre_spend_energy(-1, 5);
    EXPECT_EQ(Plr.plr_sleepiness, 835);
    EXPECT_EQ(Plr.Energiavaranto, 2925);
    EXPECT_EQ(Plr.thirst, 10);
    EXPECT_EQ(Plr.stomach, 0);
    EXPECT_FLOAT_EQ(Plr.bodytemp, 35.0f);
    // Warming stops at 42.
    Plr.bodytemp_change = 3.0f;
    cre_spend_energy(-1, 5);
    EXPECT_FLOAT_EQ(Plr.bodytemp, 42.0f);

    // The reserve never goes below 0; a creature's energy stops at -2000.
    Plr.exertion = 7;
    Plr.Energiavaranto = 1;
    cre_spend_energy(-1, 1);
    EXPECT_EQ(Plr.Energiavaranto, 0);
    Plr.plr_sleepiness = 2;
    Plr.exertion = 0;
    cre_spend_energy(-1, 1);
    EXPECT_EQ(Plr.plr_sleepiness, 0);
    Cre[WOLF].exertion = 7;
    Cre[WOLF].energy = -1990;
    cre_spend_energy(WOLF, 10);
    EXPECT_EQ(Cre[WOLF].energy, -2000);
    cre_spend_energy(500, 10);  // past the table: nothing
}

TEST_F(Exertion, SnowSharesAndTheEffortOfWadingThroughSnow) {
    struct Case {
        int depth;
        float share;
        int exertion;
    } cases[] = {{0, 0.9f, 3},   {299, 0.9f, 3}, {300, 0.8f, 4}, {450, 0.6f, 5},
                 {500, 0.5f, 5}, {600, 0.4f, 6}, {800, 0.2f, 10}, {1000, 0.1f, 10}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(plr_snow_speed_share(c.depth), c.share) << c.depth;
        EXPECT_EQ(cre_exertion_in_snow(-1, c.depth), c.exertion) << c.depth;
    }
}

TEST_F(Exertion, ACreatureFeelsSnowByItsHeight) {
    if (stub_slot("cre_body_height") >= 0) GTEST_SKIP() << "the creatures' heights are not built yet";
    // A wolf (70 cm) feels snow from 140 mm.
    Cre[WOLF].cre_class = 3;
    Cre[WOLF].kind = 611;
    EXPECT_FLOAT_EQ(cre_snow_speed_share(WOLF, 100), 1.0f);
    EXPECT_FLOAT_EQ(cre_snow_speed_share(WOLF, 350), 0.5f);
    EXPECT_FLOAT_EQ(cre_snow_speed_share(WOLF, 2000), 0.1f);
    // Aloft or under water, snow is nothing.
    Cre[WOLF].air_state = -100;
    EXPECT_FLOAT_EQ(cre_snow_speed_share(WOLF, 2000), 1.0f);
}

}  // namespace
