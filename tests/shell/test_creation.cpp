// Making a new character: names, folders and the body and attribute rolls.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "shell/creation.h"
#include "game/player.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

TEST(CharacterName, RefusalsAndAcceptedNames) {
    PlayFolder folder(false);
    ASSERT_TRUE(make_folder("aino"));  // an existing folder in lower case
    struct Row { const char* name; const char* refusal; } rows[] = {
        {"Al", "Too short character name."},
        {"", "Too short character name."},
        {"A B", "Character name can't contain spaces or special characters."},
        {"A*B", "Character name can't contain spaces or special characters."},
        {"Bob1", "Character name can't contain spaces or special characters."},
        {"Bo.b", "Character name can't contain spaces or special characters."},
        {"Bo/b", "Character name can't contain spaces or special characters."},
        {"..\\x", "Character name can't contain spaces or special characters."},
        {"Aino", "File folder for a character with that name already exists!"},
        {"AINO", "File folder for a character with that name already exists!"},
        {"Ari", ""},
        {"\xC4ij\xE4", ""},  // Latin-1 letters are letters
    };
    for (const Row& row : rows) EXPECT_STREQ(name_refusal(row.name), row.refusal) << row.name;
}

TEST(CharacterName, FolderNamesAreCapitalsInAscii) {
    char out[33];
    struct Row {
        const char* name;
        const char* folder;
    } rows[] = {
        {"Aino", "AINO"},
        {"\xE4ij\xE4", "AIJA"},           // umlauts lose their dots
        {"S\xE4mp\xF6", "SAMPO"},
        {"\xC5se", "ASE"},
        {"\xC6sir\xDF", "AESIRSS"},       // letters of two
        {"\xDEor\xF0", "THORD"},
        {"\xD8ystein\xFF", "OYSTEINY"},
    };
    for (const Row& row : rows) EXPECT_STREQ(folder_name_for(row.name, out, sizeof out), row.folder) << row.folder;
    // A name and its transliteration share a folder: the second is refused.
    PlayFolder folder(false);
    ASSERT_TRUE(make_folder("SAMPO"));
    EXPECT_STREQ(name_refusal("S\xE4mp\xF6"), "File folder for a character with that name already exists!");
    // At most 32 characters, and never half a letter of two.
    std::string many = "A", expected = "A";
    for (int i = 0; i < 16; ++i) many += "\xDE";
    for (int i = 0; i < 15; ++i) expected += "TH";
    EXPECT_EQ(std::string(folder_name_for(many.c_str(), out, sizeof out)), expected);
    char small[8];
    EXPECT_STREQ(folder_name_for("B\xC6\xC6\xC6\xC6", small, sizeof small), "BAEAEAE");
}

TEST(BodyRoll, HeightBuildAndWeightTables) {
    EXPECT_EQ(height_for(8, 20), 65);  // 5d6 + 45 for culture 8
    EXPECT_EQ(height_for(0, 20), 75);
    EXPECT_EQ(height_for(1, 20), 70);
    EXPECT_EQ(build_roll_for(0, 10), 17);
    EXPECT_EQ(build_roll_for(7, 10), 6);
    struct Build { int b, cls; } builds[] = {{3, 1}, {5, 1}, {6, 2}, {8, 2}, {9, 3}, {12, 3},
                                             {13, 4}, {15, 4}, {16, 5}, {25, 5}};
    for (const Build& row : builds) EXPECT_EQ(build_class_for(row.b), row.cls) << row.b;
    struct Weight { int h, w; } weights[] = {{39, 73},  {40, 75},  {51, 97},  {52, 100}, {63, 133},
                                             {64, 137}, {69, 157}, {70, 162}, {71, 167}, {72, 171}};
    for (const Weight& row : weights) EXPECT_EQ(weight_for_height(row.h), row.w) << row.h;
    EXPECT_EQ(weight_with_build(155, 1, 4), 124);
    EXPECT_EQ(weight_with_build(155, 2, 7), 139);
    EXPECT_EQ(weight_with_build(155, 3, 10), 155);
    EXPECT_EQ(weight_with_build(155, 4, 14), 170);
    EXPECT_EQ(weight_with_build(155, 5, 16), 186);
    struct Band { int w, bonus; } bands[] = {{20, 0},  {21, -5}, {55, -5}, {56, -4}, {145, -1}, {146, 0},
                                             {155, 0}, {156, 1}, {245, 4}, {320, 6}, {321, 0}};
    for (const Band& row : bands) EXPECT_EQ(strength_weight_bonus(row.w), row.bonus) << row.w;
}

// Dice that give the scripted sums in order.
std::deque<int> scripted;
int scripted_dice(int) {
    int v = scripted.empty() ? 10 : scripted.front();
    if (!scripted.empty()) scripted.pop_front();
    return v;
}

struct ScriptedDice : ::testing::Test {
    int (*saved)(int) = nullptr;
    void SetUp() override {
        saved = creation_dice;
        creation_dice = scripted_dice;
        new_character_record();
    }
    void TearDown() override { creation_dice = saved; }
};

TEST_F(ScriptedDice, RollBodyUsesCultureAndBuild) {
    Plr.culture = 0;
    scripted = {20, 10};  // height 75, build roll 17: class 5 (+20%)
    roll_body();
    EXPECT_EQ(Plr.height_in, 75);
    EXPECT_EQ(Plr.build, 5);
    EXPECT_EQ(Plr.body_weight, (5 * 75 - 189) * 120 / 100);
    Plr.culture = 8;
    scripted = {10, 8};  // height 55, build roll 3: class 1 (-20%)
    roll_body();
    EXPECT_EQ(Plr.height_in, 55);
    EXPECT_EQ(Plr.build, 1);
    EXPECT_EQ(Plr.body_weight, (3 * 55 - 56) * 80 / 100);
}

TEST_F(ScriptedDice, AttributesTakeCultureBonusesAndLimits) {
    Plr.culture = 8;
    Plr.body_weight = 150;
    // str agi spd dex end smt tch wil eye int hrg 5d6
    scripted = {10, 16, 3, 15, 10, 10, 10, 10, 10, 10, 10, 22};
    roll_attributes();
    EXPECT_EQ(Plr.str, 10);
    EXPECT_EQ(Plr.agi, 18);  // 16 + 5, at most 18
    EXPECT_EQ(Plr.spd, 14);  // held within agility - 4
    EXPECT_EQ(Plr.dex, 18);
    EXPECT_EQ(Plr.end, 10);
    EXPECT_EQ(Plr.smt, 15);
    EXPECT_EQ(Plr.tch, 14);
    EXPECT_EQ(Plr.wil, 14);
    EXPECT_EQ(Plr.eye, 15);
    EXPECT_EQ(Plr.intel, 10);
    EXPECT_EQ(Plr.hrg, 14);
    EXPECT_EQ(Plr.rolled_5d6, 22);
    EXPECT_GE(Plr.rolled_1_10, 1);
    EXPECT_LE(Plr.rolled_1_10, 10);

    // A light culture-1 weakling: 3 - 1 - 5 is below zero and becomes 1.
    Plr.culture = 1;
    Plr.body_weight = 40;
    scripted = {3, 3, 18};
    roll_attributes();
    EXPECT_EQ(Plr.str, 1);
    EXPECT_EQ(Plr.agi, 1);
    EXPECT_EQ(Plr.spd, 5);  // held within agility + 4
}

TEST(NewCharacterRecord, StartValues) {
    std::memset(&Plr, 0xAB, sizeof Plr);
    new_character_record();
    EXPECT_EQ(Plr.name[0], 0);
    EXPECT_EQ(Plr.winters, 16);
    EXPECT_EQ(Plr.day, 1);
    EXPECT_EQ(Plr.hour, 8);
    EXPECT_EQ(Plr.minute, 0);
    EXPECT_EQ(Plr.days_played, 1);
    EXPECT_FLOAT_EQ(Plr.bodytemp, 37.0f);
    EXPECT_EQ(Plr.Energiavaranto, 3000u);
    EXPECT_EQ(Plr.course_task, -1);
    EXPECT_EQ(Plr.skill_level[0], 50);
    EXPECT_EQ(Plr.plr_version, 371);
    EXPECT_EQ(Plr.scenario, 0);
}

TEST(Cultures, SecondNamesAndPortraitPrefixes) {
    EXPECT_STREQ(culture_second_name(1), "Driikil\xE4inen");
    EXPECT_STREQ(culture_second_name(7), "of Kuikka-tribe");
    EXPECT_STREQ(culture_portrait_prefix(0), "east");
    EXPECT_STREQ(culture_portrait_prefix(4), "west");
    EXPECT_STREQ(culture_portrait_prefix(9), "north");
    EXPECT_STREQ(culture_second_name(12), "");
}

}  // namespace
