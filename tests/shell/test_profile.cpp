// The age text and the attribute bars of the physical profile, its page
// through the "P" command, and its heights and weights by the units.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/config.h"
#include "game/player.h"
#include "objects/item_commands.h"
#include "shell/commands.h"
#include "shell/profile.h"
#include "support/screen_session.h"
#include "ui/input.h"

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

TEST(Lengths, FollowTheUnitsSetting) {
    PlayFolder folder(false);
    struct Case {
        const char* units;
        int flags;
        double feet;
        const char* text;
    } cases[] = {
        {"IMPERIAL", 0, 70 / 12.0, "5.8 ft"}, {"METRIC", 0, 70 / 12.0, "1.9 m"},
        {"IMPERIAL", 0, 6.0, "6 ft"},          {"METRIC", 0, 0.15, "5 cm"},
        {"IMPERIAL", 0, 0.05, "0.6 in"},       {"IMPERIAL", 4, 3.0, "ft"},
        {"METRIC", 4, 3.0, "m"},               {"IMPERIAL", 2, 2.5, "2.5"},
        {"IMPERIAL", 8, 1.5, "18 in"},
    };
    for (const Case& c : cases) {
        folder.write("ksm_ini.txt", std::string("[UNITS:") + c.units + "]\n");
        EXPECT_STREQ(length_text(c.flags, c.feet), c.text) << c.units << " " << c.flags << " " << c.feet;
    }
}

// The text drawn at (x, y) is the given one when drawing it again in the
// same colour changes no pixel of its row.
bool text_shows(int x, int y, const char* text, Uint32 colour) {
    SDL_Surface* before = SDL_ConvertSurface(canvas, canvas->format, 0);
    draw_text_at(x, y, text, colour, 0);
    bool same = true;
    for (int py = y; py < y + 10 && same; ++py)
        for (int px = x; px < x + 8 * int(std::strlen(text)) && same; ++px) {
            const SDL_Color a = pixel_of(before, px, py), b = canvas_colour(px, py);
            same = a.r == b.r && a.g == b.g && a.b == b.b;
        }
    SDL_FreeSurface(before);
    return same;
}

// "P" shows the page with the full name on the name bar and the body in
// the player's units, and one key closes it.
TEST(ProfilePage, ShowsTheNameAndTheUnitsAndOneKeyClosesIt) {
    PlayFolder folder;
    ScreenSession screen;
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.name, "Ari");
    copy_text(Plr.second_name, "Northman");
    Plr.height_in = 70;
    Plr.body_weight = 165;
    Plr.winters = 16;
    Plr.days_played = 1;
    const Uint32 blue = map_rgb(176, 196, 222);
    for (const char* units : {"METRIC", "IMPERIAL"}) {
        folder.write("ksm_ini.txt", std::string("[UNITS:") + units + "]\n");
        folder.write("keys.txt", "[x]\n[y]\n");
        setenv("KSM_TEST_KEYS", folder.file("keys.txt").c_str(), 1);
        reset_test_keys();
        run_command_key('P', false);
        EXPECT_EQ(read_key(), 'y') << "the page took one key, not two";
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
        const bool metric = std::strcmp(units, "METRIC") == 0;
        // The page is drawn again over the restored game screen to look at it.
        physical_profile(0);
        EXPECT_TRUE(text_shows(340, 518, metric ? "1.9 m" : "5.8 ft", blue)) << units;
        EXPECT_TRUE(text_shows(340, 533, metric ? "74.9 kg" : "165 lbs", blue)) << units;
        const char* name = "Ari Northman";
        EXPECT_TRUE(text_shows(646 - 4 * int(std::strlen(name)), 11, name, map_rgb(252, 252, 84))) << units;
        EXPECT_TRUE(same_rgb(canvas_colour(510, 9), 56, 88, 120)) << "the name bar";
    }
}

}  // namespace
