// The needs report and starvation: hunger and thirst words, the falls and
// the death of thirst, the report's fifteen-minute gate, and how often an
// empty reserve turns into starvation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "body/needs.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "ui/message_line.h"

namespace {

struct Needs : ::testing::Test {
    ScreenHooks kept_hooks = screen_hooks;
    void SetUp() override {
        screen_hooks.refresh_status_panel = nullptr;  // no panel to draw
        std::memset(&Plr, 0, sizeof Plr);
        Plr.Energiavaranto = 3000;
        Plr.total_minutes = 1000;
        reset_needs_state();
        reset_last_message();
        skip_message_pauses = true;
        seed_random(11);
    }
    void TearDown() override {
        quit_state = 0;
        screen_hooks = kept_hooks;
    }
    std::string last() const { return last_message; }
};

TEST_F(Needs, AForcedReportTellsHungerByTheLevelAndNeverForAFullStomach) {
    struct Case {
        int stomach, reserve;
        const char* text;  // "" none
    } cases[] = {
        {0, 1600, "You are hungry as a bear!"},
        {0, 300, "You are desperately hungry!"},  // 1.5 x 255 caps at 255
        {255, 300, ""},                            // level 0: no word whatever the reserve
        {255, 3000, ""},
        {150, 3000, ""},                           // ceil(0.53 x 105) = 56: nothing to say
        {0, 3000, "You are getting hungry."},      // 136, ended with "."
    };
    for (const Case& c : cases) {
        reset_last_message();
        const std::string before = last();
        Plr.stomach = uint8_t(c.stomach);
        Plr.Energiavaranto = c.reserve;
        plr_needs_report(1);
        if (c.text[0]) EXPECT_NE(last().find(c.text), std::string::npos) << c.stomach << "/" << c.reserve << ": " << last();
        else EXPECT_EQ(last(), before) << c.stomach << "/" << c.reserve;
    }
    // Both forced reports of one minute speak.
    Plr.stomach = 0;
    Plr.Energiavaranto = 1600;
    reset_last_message();
    plr_needs_report(1);
    reset_last_message();
    plr_needs_report(1);
    EXPECT_NE(last().find("hungry as a bear"), std::string::npos);
}

TEST_F(Needs, UnforcedReportsAreFifteenGameMinutesApartAcrossHours) {
    struct Step {
        int total_minutes;
        bool passes;
    } steps[] = {{1000, true}, {1010, false}, {1014, false}, {1015, true}, {1029, false}, {1030, true},
                 // 10:50 to 11:05: the minute of the hour goes back, the gap is 15
                 {1045, true}, {1059, false}, {1061, true}};
    for (const Step& s : steps) {
        Plr.total_minutes = s.total_minutes;
        const int32_t before = last_needs_report_minute;
        plr_needs_report(0);
        EXPECT_EQ(last_needs_report_minute != before, s.passes) << s.total_minutes;
        EXPECT_EQ(last_needs_report_minute, s.passes ? s.total_minutes : before) << s.total_minutes;
    }
}

TEST_F(Needs, LongThirstFellsAStandingPlayerAndPastSixThousandKills) {
    Plr.thirst = 4001;
    plr_needs_report(1);
    EXPECT_EQ(Plr.body_state, 0) << "a forced report never fells";
    plr_needs_report(0);
    EXPECT_EQ(Plr.body_state, 1);
    EXPECT_EQ(Plr.cause_of_death, 0);

    // Already fallen: the death comes all the same. (The game counts as
    // ended already, so that the death only blacks out the view.)
    quit_state = -1;
    Plr.thirst = 6001;
    Plr.total_minutes += 15;
    plr_needs_report(0);
    EXPECT_EQ(Plr.cause_of_death, CAUSE_THIRST);
}

TEST_F(Needs, AnEmptyReserveTurnsIntoStarvationOnATenthOfTheHours) {
    messages_suppressed = true;
    int grew = 0;
    for (int hour = 0; hour < 10000; ++hour) {
        Plr.Energiavaranto = 150;
        Plr.starvation = 0;
        starvation_check();
        ASSERT_LE(Plr.starvation, 1) << "never two points in an hour";
        grew += Plr.starvation;
    }
    EXPECT_NEAR(grew / 10000.0, 0.10, 0.006);

    // The herb that guards against starvation.
    Plr.food_effects = FOOD_EFFECT_NO_STARVATION;
    for (int hour = 0; hour < 1000; ++hour) {
        Plr.starvation = 0;
        starvation_check();
        ASSERT_EQ(Plr.starvation, 0);
    }
    // A reserve of 200 or more never starves; 1200 or more recovers.
    Plr.food_effects = 0;
    Plr.Energiavaranto = 200;
    Plr.starvation = 5;
    for (int hour = 0; hour < 1000; ++hour) starvation_check();
    EXPECT_EQ(Plr.starvation, 5);
    Plr.Energiavaranto = 1200;
    for (int hour = 0; hour < 1000; ++hour) starvation_check();
    EXPECT_EQ(Plr.starvation, 0);
    messages_suppressed = false;
}

}  // namespace
