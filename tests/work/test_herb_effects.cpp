// What eaten plants do once an hour: poisons become one ailment however
// often they were eaten, a full stomach without the antiemetic throws up,
// ailment damage saturates.
#include <gtest/gtest.h>

#include <cstring>

#include "base/files.h"
#include "body/wounds.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "work/herb_effects.h"

namespace {

struct HerbEffects : ::testing::Test {
    PlayFolder folder;  // the message catalogue
    ScreenHooks kept_hooks = screen_hooks;
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        Plr.wil = 12;
        Plr.stomach = 100;
        skip_message_pauses = true;
        screen_hooks.refresh_status_panel = [] {};
        seed_random(5);
    }
    void TearDown() override { screen_hooks = kept_hooks; }
    static int slots_of_kind(int kind) {
        int n = 0;
        for (int s = 0; s < PLR_WOUND_SLOTS; ++s) n += Plr.wounds[PW_KIND][s] == kind;
        return n;
    }
};

TEST_F(HerbEffects, TwoPoisonousPlantsBeforeTheHourGiveOnePoisoning) {
    Plr.food_effects |= FOOD_POISONOUS;  // the first plant
    Plr.food_effects |= FOOD_POISONOUS;  // the second
    apply_herb_effects();
    EXPECT_EQ(slots_of_kind(AILMENT_POISONING_2), 1);
    EXPECT_EQ(Plr.food_effects & FOOD_POISONOUS, 0u);
    // The next hour adds none: the bit was used.
    apply_herb_effects();
    EXPECT_EQ(slots_of_kind(AILMENT_POISONING_2), 1);
}

TEST_F(HerbEffects, AFullStomachWithoutTheAntiemeticNearlyAlwaysVomits) {
    struct Case {
        int stomach;
        uint32_t effects;
        double least, most;  // share of checks that vomit
    } cases[] = {
        {201, 0, 0.93, 1.0},               // WILL x 0: only the 5 % floor keeps it down
        {201, FOOD_ANTIEMETIC, 0.0, 0.10},  // WILL x 8 = 96: 95 % keep it down
    };
    for (const Case& c : cases) {
        int vomited = 0;
        for (int i = 0; i < 2000; ++i) {
            Plr.stomach = uint8_t(c.stomach);
            Plr.thirst = 0;
            Plr.food_effects = c.effects;
            plr_vomit_check();
            if (Plr.stomach == 0) {
                ++vomited;
                EXPECT_EQ(Plr.thirst, 300);
            }
        }
        EXPECT_GE(vomited / 2000.0, c.least) << c.effects;
        EXPECT_LE(vomited / 2000.0, c.most) << c.effects;
    }
}

TEST_F(HerbEffects, AilmentDamageSaturatesAndTheStimulantHalvesTheSleepNeedOnce) {
    Plr.wounds[PW_KIND][3] = uint8_t(AILMENT_DEADLY_POISONING);
    Plr.wounds[PW_SEVERITY][3] = 2;
    Plr.wounds[PW_DAMAGE][3] = 254;
    for (int hour = 0; hour < 20; ++hour) apply_herb_effects();
    EXPECT_EQ(Plr.wounds[PW_DAMAGE][3], 255);

    Plr.plr_sleepiness = 1600;
    Plr.food_effects = FOOD_STIMULANT;
    apply_herb_effects();
    EXPECT_EQ(Plr.plr_sleepiness, 800);
    EXPECT_EQ(Plr.stimulant_mark, 1);
    Plr.food_effects = FOOD_STIMULANT;
    apply_herb_effects();
    EXPECT_EQ(Plr.plr_sleepiness, 800) << "the mark keeps a second one from acting";
}

}  // namespace
