// The skill table, the starting skills and option points.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/skill_setup.h"
#include "society/game_course.h"
#include "screens/skills_screen.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

const char* const kTable =
    "// a comment line\n"
    "## another comment\n"
    ".NOATTR. [def:1]\n"
    "[GROUP:lore] [KEY:n]\n"
    "\n"
    ".STRDEX. [def:1] [kau:2]\n"
    "[ATTRIBS:str dex] [GROUP:Combat skills] [KEY:s]\n"
    "\n"
    ".RUNNING.\n"
    "[ATTRIBS:agi foo] [GROUP:physical]\n"
    "\n"
    ".TEXTILECRAFT. [def:3] [sea:0]\n"
    "[ATTRIBS:dex int] [KEY:t]\n"
    "\n"
    ".HUGE. [def:9]\n"
    "[ATTRIBS:str] [KEY:h]\n";

// A player with str 12, dex 13, int 10, agi 9 and a small skill table.
struct SkillTable : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        forget_skill_table();
        folder.write("ini_skills.txt", kTable);
        std::memset(&Plr, 0, sizeof Plr);
        Plr.str = 12;
        Plr.dex = 13;
        Plr.intel = 10;
        Plr.agi = 9;
    }
    void TearDown() override { forget_skill_table(); }
};

TEST_F(SkillTable, AnswersEveryKindFromTheTable) {
    struct Row {
        int culture;
        const char* skill;
        int kind;
        int expected;
    } rows[] = {
        {0, "NOATTR", SKILL_BASE, 12},         // ceil((12 + 10 + 13) / 3)
        {0, "noattr", SKILL_START_LEVEL, 12},  // names compare without case
        {0, "NOATTR", SKILL_GROUP, 0},
        {0, "NOATTR", SKILL_KEY, 'n'},
        {0, "STRDEX", SKILL_BASE, 13},         // ceil(25 / 2)
        {0, "STRDEX", SKILL_START_LEVEL, 26},  // culture 0 multiplier 2
        {1, "STRDEX", SKILL_START_LEVEL, 13},  // the default multiplier
        {0, "STRDEX", SKILL_GROUP, 2},
        {0, "STRDEX", SKILL_KEY, 's'},
        {0, "RUNNING", SKILL_BASE, 5},         // an unknown name counts as 0
        {0, "RUNNING", SKILL_START_LEVEL, 5},  // no multiplier tag at all: 1
        {0, "RUNNING", SKILL_GROUP, 1},
        {0, "RUNNING", SKILL_KEY, '!'},
        {9, "TEXTILECRAFT", SKILL_START_LEVEL, 0},
        {0, "", SKILL_START_LEVEL, 0},
    };
    for (const Row& row : rows) {
        Plr.culture = uint8_t(row.culture);
        EXPECT_EQ(skill_attribute_base(-1, row.skill, row.kind), row.expected)
            << row.skill << " kind " << row.kind << " culture " << row.culture;
    }
}

TEST_F(SkillTable, UnknownSkillsAnswerZeroAndMostAreReported) {
    message_text[0] = 0;
    EXPECT_EQ(skill_attribute_base(-1, "FOO", SKILL_START_LEVEL), 0);
    EXPECT_STREQ(message_text, "!Bug! Couldn't resolve FOO-skill. Report!");
    for (const char* quiet : {"SURVIVAL", "DAGGER", "RITUAL"}) {
        message_text[0] = 0;
        EXPECT_EQ(skill_attribute_base(-1, quiet, SKILL_BASE), 0);
        EXPECT_STREQ(message_text, "") << quiet;
    }
}

TEST_F(SkillTable, AddSkillKeepsTwelveLetterNamesAndClampsLevels) {
    add_skill("TEXTILECRAFT");
    add_skill("HUGE");  // 12 x 9 = 108 would wrap a byte
    int slot = find_skill_exact(Plr, "TEXTILECRAFT");
    ASSERT_EQ(slot, 0);
    EXPECT_STREQ(skill_name_text(Plr, slot), "TEXTILECRAFT");
    EXPECT_EQ(Plr.skill_level[slot], 36);  // ceil(23 / 2) x 3
    EXPECT_EQ(Plr.skill_attr_base[slot], 12);
    int huge = find_skill_exact(Plr, "HUGE");
    ASSERT_EQ(huge, 1);
    EXPECT_EQ(Plr.skill_level[huge], 100);

    add_skill("TEXTILECRAFT");  // already known with a level: nothing new
    EXPECT_EQ(find_free_skill_slot(Plr), 2);
}

TEST_F(SkillTable, IsReadOnceAndKeptForTheRun) {
    EXPECT_EQ(skill_attribute_base(-1, "STRDEX", SKILL_BASE), 13);
    folder.write("ini_skills.txt", ".STRDEX.\n[ATTRIBS:agi]\n");
    EXPECT_EQ(skill_attribute_base(-1, "STRDEX", SKILL_BASE), 13);
    remove_file("ini_skills.txt");
    EXPECT_EQ(skill_attribute_base(-1, "HUGE", SKILL_BASE), 12);
    forget_skill_table();
    EXPECT_EXIT(skill_attribute_base(-1, "STRDEX", SKILL_BASE), ::testing::ExitedWithCode(1),
                "ini_skills.txt missing");
}

// A creature is asked about with its own attributes and culture; the
// attributes a creature record has no place for are the player's.
TEST_F(SkillTable, ACreatureAnswersWithItsOwnAttributesAndCulture) {
    std::memset(&Cre[7], 0, sizeof Cre[7]);
    Cre[7].cre_class = 3;
    Cre[7].attr_str = 20;
    Cre[7].attr_dex = 6;
    Cre[7].attr_int = 2;
    Cre[7].home_culture = 0;
    Plr.culture = 1;
    EXPECT_EQ(skill_attribute_base(7, "STRDEX", SKILL_BASE), 13);         // ceil(26 / 2)
    EXPECT_EQ(skill_attribute_base(7, "STRDEX", SKILL_START_LEVEL), 26);  // culture 0 doubles it
    EXPECT_EQ(skill_attribute_base(-1, "STRDEX", SKILL_START_LEVEL), 13);
    EXPECT_EQ(skill_attribute_base(7, "NOATTR", SKILL_BASE), 10);         // ceil((20 + 2 + 6) / 3)
    Cre[7].home_culture = 255;                                            // none: the default
    EXPECT_EQ(skill_attribute_base(7, "STRDEX", SKILL_START_LEVEL), 13);
    Cre[7].attr_agi = 30;
    Plr.agi = 1;
    EXPECT_EQ(skill_attribute_base(7, "RUNNING", SKILL_BASE), 15);        // agi 30 and "foo" 0
    std::memset(&Cre[7], 0, sizeof Cre[7]);
}

TEST(SkillTableMissing, EndsTheProgramWithItsMessage) {
    forget_skill_table();
    PlayFolder folder(false);
    EXPECT_EXIT(skill_attribute_base(-1, "DODGE", SKILL_BASE), ::testing::ExitedWithCode(1),
                "ini_skills.txt missing");
}

TEST(StandardSkills, ComeFromTheInstalledTable) {
    forget_skill_table();
    PlayFolder folder;
    std::memset(&Plr, 0, sizeof Plr);
    Plr.str = Plr.agi = Plr.dex = Plr.spd = Plr.end = Plr.smt = 18;
    Plr.tch = Plr.wil = Plr.eye = Plr.intel = Plr.hrg = 18;
    Plr.culture = 0;
    message_text[0] = 0;
    setup_skills();
    EXPECT_STREQ(message_text, "");  // every standard skill is in the table
    EXPECT_EQ(find_free_skill_slot(Plr), 28);
    EXPECT_EQ(find_skill_exact(Plr, "DODGE"), 0);
    EXPECT_EQ(find_skill_exact(Plr, "TEXTILECRAFT"), 27);
    for (int slot = 0; slot < 28; ++slot) EXPECT_LE(Plr.skill_level[slot], 100) << slot;
}

// The set-up raises its two game-course events: a course awaiting either
// counts one.
TEST(StandardSkills, RaiseTheTwoCourseEvents) {
    PlayFolder folder;
    for (int event : {COURSE_EVENT_SKILL_USE, COURSE_EVENT_KNOWLEDGE_LEARNED, 11}) {
        std::memset(&Plr, 0, sizeof Plr);
        Plr.course_event = event;
        Plr.course_target = 5;
        course_counter = 0;
        setup_skills();
        EXPECT_EQ(course_counter, event == 11 ? 0 : 1) << "event " << event;
    }
    course_counter = 0;
}

TEST(SkillTableCheck, TheInstalledTablePassesAndADamagedOneNamesItsLine) {
    PlayFolder folder;
    char error[300] = "";
    EXPECT_TRUE(check_skill_table(error, sizeof error)) << error;
    const std::string good = folder.read("ini_skills.txt");
    struct Case {
        const char* label;
        std::string table;
        const char* expected;  // in the error text
    } cases[] = {
        {"heading without its closing dot", "// skills\n.DODGE [def:2]\n", "line 2 is a heading"},
        {"unknown attribute", good + "\n.EXTRA. [def:1]\n[ATTRIBS:str xyz]\n", "names an attribute"},
        {"culture multiplier not a number", good + "\n.EXTRA. [def:x]\n", "culture multiplier"},
        {"binary garbage", std::string("\x01\x02\x7f\n", 4) + good, "line 1 holds a control character"},
        {"text outside an entry", "// head\n\nsome words\n" + good, "line 3 stands outside"},
        {"an overlong line", std::string(5000, 'a') + "\n", "line 1 is too long"},
        {"cut short: skills missing", good.substr(0, good.size() / 3), "has no entry for"},
        {"empty", "", "has no entry for DODGE"},
    };
    for (const Case& c : cases) {
        folder.write("ini_skills.txt", c.table);
        error[0] = 0;
        EXPECT_FALSE(check_skill_table(error, sizeof error)) << c.label;
        EXPECT_NE(std::string(error).find("ini_skills.txt"), std::string::npos) << c.label << ": " << error;
        EXPECT_NE(std::string(error).find(c.expected), std::string::npos) << c.label << ": " << error;
    }
    remove_file("ini_skills.txt");
    EXPECT_FALSE(check_skill_table(error, sizeof error));
    EXPECT_NE(std::string(error).find("ini_skills.txt (the skill table) is missing"), std::string::npos) << error;
}

// Option spending on a small skill list.
struct OptionPoints : ::testing::Test {
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        set_skill_name(Plr, 0, "DODGE");
        Plr.skill_level[0] = 30;
        Plr.skill_attr_base[0] = 10;
        set_skill_name(Plr, 1, "SPEAR");
        Plr.skill_level[1] = 40;
        Plr.skill_attr_base[1] = 10;
        set_skill_name(Plr, 2, "BOW");
        Plr.skill_level[2] = 95;
        Plr.skill_attr_base[2] = 10;
    }
};

TEST_F(OptionPoints, DodgeAndNearlyFullSkillsCannotBeRaised) {
    begin_option_spending(0, 5, 1);
    EXPECT_FALSE(change_skill_option(0, +1));
    EXPECT_FALSE(change_skill_option(0, -1));
    EXPECT_FALSE(change_skill_option(2, +1));  // 95 + 10 is not below 100
    EXPECT_EQ(Plr.skill_level[0], 30);
    EXPECT_EQ(Plr.skill_level[2], 95);
    EXPECT_EQ(option_state.options_left, 5);
}

TEST_F(OptionPoints, ImprovementStopsAtItsLimitAndUndoes) {
    begin_option_spending(0, 5, 2);
    EXPECT_TRUE(change_skill_option(1, +1));
    EXPECT_FALSE(skill_is_improved("SPEAR"));
    EXPECT_TRUE(change_skill_option(1, +1));
    EXPECT_TRUE(skill_is_improved("SPEAR"));
    EXPECT_FALSE(change_skill_option(1, +1));  // two steps is the limit
    EXPECT_EQ(Plr.skill_level[1], 60);
    EXPECT_EQ(option_state.options_left, 3);
    EXPECT_EQ(option_state.last_slot, 1);
    EXPECT_TRUE(change_skill_option(1, -1));
    EXPECT_FALSE(skill_is_improved("SPEAR"));
    EXPECT_TRUE(change_skill_option(1, -1));
    EXPECT_EQ(Plr.skill_level[1], 40);
    EXPECT_EQ(option_state.options_left, 5);
    EXPECT_FALSE(change_skill_option(1, -1));  // no degrading allowed
}

TEST_F(OptionPoints, DegradingGivesOptionsBackWithinItsLimit) {
    begin_option_spending(1, 0, 3);
    EXPECT_TRUE(change_skill_option(1, -1));
    EXPECT_EQ(Plr.skill_level[1], 30);
    EXPECT_EQ(option_state.options_left, 1);
    EXPECT_FALSE(change_skill_option(1, -1));  // one step down at most
}

TEST(SkillsScreenWords, MasteryWordsAndStars) {
    struct Row { int percent; const char* word; } rows[] = {
        {0, "unskilled"}, {4, "unskilled"}, {5, "untrained"}, {50, "competent"},
        {94, "master"}, {95, "grandmaster"}, {100, "grandmaster"}, {255, "grandmaster"},
    };
    for (const Row& row : rows) EXPECT_STREQ(mastery_word(row.percent), row.word) << row.percent;
    EXPECT_STREQ(growth_stars(9), "*");
    EXPECT_STREQ(growth_stars(10), "**");
    EXPECT_STREQ(growth_stars(13), "**");
    EXPECT_STREQ(growth_stars(14), "***");
}

TEST(SkillsScreenOrder, GroupsByKindAndOrdersByKeyLetter) {
    forget_skill_table();
    PlayFolder folder(false);
    folder.write("ini_skills.txt",
                 ".ZED.\n[KEY:z] [GROUP:COMBAT]\n\n.ALPHA.\n[KEY:a] [GROUP:COMBAT]\n\n"
                 ".ALSO.\n[KEY:a] [GROUP:COMBAT]\n\n.WALK.\n[KEY:w] [GROUP:PHYSICAL]\n\n.LORE.\n[KEY:l]\n");
    std::memset(&Plr, 0, sizeof Plr);
    const char* names[] = {"ZED", "ALPHA", "ALSO", "WALK", "LORE"};
    for (int i = 0; i < 5; ++i) set_skill_name(Plr, i, names[i]);
    sort_skills_by_group();
    int slots[50];
    ASSERT_EQ(skill_rows_in_order(2, slots, 50), 3);
    EXPECT_EQ(slots[0], 2);  // equal letters: the later slot first
    EXPECT_EQ(slots[1], 1);
    EXPECT_EQ(slots[2], 0);
    ASSERT_EQ(skill_rows_in_order(1, slots, 50), 1);
    EXPECT_EQ(slots[0], 3);
    ASSERT_EQ(skill_rows_in_order(0, slots, 50), 1);
    EXPECT_EQ(slots[0], 4);
    forget_skill_table();
}

}  // namespace
