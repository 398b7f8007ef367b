// The skills screen with scripted keys: PgUp and PgDn, the help text of
// each mode, and dodging kept out of option spending.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <deque>

#include "game/player.h"
#include "game/skill_setup.h"
#include "game/turn_state.h"
#include "screens/skills_screen.h"
#include "support/screen_session.h"
#include "ui/input.h"
#include "ui/menus.h"

namespace {

std::deque<int> keys;

int scripted_key() {
    if (keys.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    const int k = keys.front();
    keys.pop_front();
    return k;
}

struct SkillsScreen : ::testing::Test {
    PlayFolder folder;  // the skill table and the screen texts
    ScreenSession session;
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        Plr.str = Plr.agi = Plr.dex = Plr.spd = Plr.end = Plr.smt = 12;
        Plr.tch = Plr.wil = Plr.eye = Plr.intel = Plr.hrg = 12;
        setup_skills();
        keys.clear();
        quit_request = 0;
        menu_key_reader = scripted_key;
    }
    void TearDown() override {
        menu_key_reader = nullptr;
        quit_request = 0;
    }
    // Pixels of the help text's colour in the help window right of the skills.
    static int help_text_pixels() {
        int n = 0;
        for (int y = 35; y < 120; ++y)
            for (int x = 540; x < 790; ++x)
                if (same_rgb(canvas_colour(x, y), 238, 232, 170)) ++n;
        return n;
    }
};

TEST_F(SkillsScreen, PgUpAndPgDnJumpToTheFirstAndLastSkill) {
    sort_skills_by_group();
    int lore[50], combat[50];
    ASSERT_GT(skill_rows_in_order(0, lore, 50), 0);
    const int combat_rows = skill_rows_in_order(2, combat, 50);
    ASSERT_GT(combat_rows, 0);
    keys = {KEY_PGDN, KEY_ENTER};
    EXPECT_EQ(skills_screen(0), combat[combat_rows - 1]);
    keys = {KEY_PGDN, KEY_PGUP, KEY_ENTER};
    EXPECT_EQ(skills_screen(0), lore[0]);
}

TEST_F(SkillsScreen, EachModeShowsItsHelpText) {
    keys = {KEY_ESC};
    EXPECT_EQ(skills_screen(0), 1000);
    const int look = help_text_pixels();
    EXPECT_GT(look, 0) << "the help text of choosing a skill";
    SDL_Surface* looked = SDL_ConvertSurface(canvas, canvas->format, 0);

    begin_option_spending(0, 1, 3);
    keys = {};
    skills_screen(1);
    EXPECT_GT(help_text_pixels(), 0) << "the help text of spending options";
    // The two texts differ.
    bool differs = false;
    for (int y = 35; y < 120 && !differs; ++y)
        for (int x = 540; x < 790 && !differs; ++x) {
            const SDL_Color a = pixel_of(looked, x, y), b = canvas_colour(x, y);
            differs = a.r != b.r || a.g != b.g || a.b != b.b;
        }
    EXPECT_TRUE(differs);
    SDL_FreeSurface(looked);

    // A plain listing has no help text.
    keys = {KEY_ESC};
    skills_screen(2);
    EXPECT_EQ(help_text_pixels(), 0);
}

TEST_F(SkillsScreen, SpendingStartsWithDodgeAmongTheImprovedAndLookingClearsThem) {
    begin_option_spending(0, 2, 3);
    const int dodge = find_skill_exact(Plr, "DODGE");
    ASSERT_GE(dodge, 0);
    const uint8_t level = Plr.skill_level[dodge];
    keys = {};
    skills_screen(1);
    EXPECT_TRUE(skill_is_improved("DODGE"));
    EXPECT_FALSE(change_skill_option(dodge, +1));
    EXPECT_EQ(Plr.skill_level[dodge], level);
    quit_request = 0;
    keys = {KEY_ESC};
    skills_screen(0);
    EXPECT_FALSE(skill_is_improved("DODGE"));
}

}  // namespace
