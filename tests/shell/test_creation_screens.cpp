// The creation screens driven by key scripts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/creation.h"
#include "game/player.h"
#include "game/skill_setup.h"
#include "ui/input.h"
#include "support/screen_session.h"

namespace {

int lowest_dice(int count) { return count; }  // every die shows 1

// A window, the installation data and a key script.
struct CreationScreens : ::testing::Test {
    PlayFolder folder;
    ScreenSession session;
    int (*saved_dice)(int) = nullptr;
    void SetUp() override {
        load_font();
        saved_dice = creation_dice;
        creation_dice = lowest_dice;
    }
    void TearDown() override {
        creation_dice = saved_dice;
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
        creation_mode = 0;
    }
    void script(const std::string& keys) {
        folder.write("keys.txt", keys);
        setenv("KSM_TEST_KEYS", folder.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
};

TEST_F(CreationScreens, QuickModeAsksOnlyTheName) {
    script("[A]\n[r]\n[i]\n[ENTER]\n");
    creation_mode = 1;
    new_character_record();
    ASSERT_EQ(creation_steps(), 0);
    EXPECT_STREQ(Plr.name, "Ari");
    EXPECT_STREQ(creation_folder, "ARI");
    EXPECT_LT(Plr.culture, 4);
    EXPECT_EQ(Plr.sex, 1);
    EXPECT_EQ(Plr.month, 6);
    EXPECT_FLOAT_EQ(Plr.previous_air_temp, 18.0f);
    EXPECT_EQ(std::string(Plr.portrait).substr(0, 4), Plr.culture == 1 ? "west" : "east");
    EXPECT_TRUE(folder.exists("ARI/portrait.png"));
    int dodge = find_skill_exact(Plr, "DODGE");
    int knife = find_skill_exact(Plr, "KNIFE");
    ASSERT_GE(dodge, 0);
    ASSERT_GE(knife, 0);
    // Every skill but DODGE is raised by its base step.
    EXPECT_EQ(Plr.skill_level[dodge], skill_attribute_base(-1, "DODGE", SKILL_START_LEVEL));
    EXPECT_EQ(Plr.skill_level[knife],
              skill_attribute_base(-1, "KNIFE", SKILL_START_LEVEL) + Plr.skill_attr_base[knife]);
    EXPECT_EQ(std::memcmp(Plr.skill_start_level, Plr.skill_level, PLR_SKILLS), 0);
}

TEST_F(CreationScreens, CustomModeGoesBackAndSpendsItsOptions) {
    script(
        "[A]\n[r]\n[i]\n[ENTER]\n[ESC]\n"          // name, then back from the culture list
        "[B]\n[e]\n[a]\n[ENTER]\n[5]\n[F]\n"       // a new name, culture 5, female
        "[RIGHT]\n[ENTER]\n[1]\n[Y]\n"             // second portrait, spring, accept the body
        "[+]\n[+]\n[DOWN]\n[+]\n[+]\n[DOWN]\n[+]\n[Y]\n");
    creation_mode = 2;
    new_character_record();
    ASSERT_EQ(creation_steps(), 0);
    EXPECT_STREQ(Plr.name, "Bea");
    EXPECT_STREQ(creation_folder, "BEA");
    EXPECT_FALSE(folder.exists("ARI"));
    EXPECT_EQ(Plr.culture, 5);
    EXPECT_STREQ(Plr.second_name, "Islander");
    EXPECT_EQ(Plr.sex, 2);
    EXPECT_STREQ(Plr.portrait, "fem02.png");
    EXPECT_EQ(Plr.month, 4);
    EXPECT_EQ(option_state.options_left, 0);
    EXPECT_EQ(std::memcmp(Plr.skill_start_level, Plr.skill_level, PLR_SKILLS), 0);
}

TEST_F(CreationScreens, EscapeOnTheNameCancels) {
    script("[ESC]\n");
    creation_mode = 0;
    new_character_record();
    EXPECT_EQ(creation_steps(), 1);
    EXPECT_EQ(Plr.name[0], 0);
}

}  // namespace
