// The age text and the attribute bars of the physical profile.
#include <gtest/gtest.h>

#include "game/player.h"
#include "shell/profile.h"

namespace {

TEST(AgeText, FirstSecondAndLaterDays) {
    EXPECT_STREQ(age_text_for(16, 1), "16 winters old, this being the first day of your adventures");
    EXPECT_STREQ(age_text_for(16, 2), "16 winters old, and have lived one day of adventuring life");
    EXPECT_STREQ(age_text_for(17, 3), "17 winters old, and have lived 2 days of adventuring life");
    Plr.winters = 18;
    Plr.days_played = 400;
    EXPECT_STREQ(age_text(), "18 winters old, and have lived 399 days of adventuring life");
}

TEST(AttributeBar, EighteenFillsTheBoxAndZeroDrawsNothing) {
    EXPECT_EQ(attribute_bar_width(18), 40);
    EXPECT_EQ(attribute_bar_width(0), 0);
    EXPECT_EQ(attribute_bar_width(9), 20);
    EXPECT_EQ(attribute_bar_width(40), 40);  // never past the box
}

}  // namespace
