// The hint bars of the culture chooser and the skills screen: the
// highlighted culture's or skill's topic, F1 and "?.Cultures" opening the
// encyclopedia, and the list coming back as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/player.h"
#include "game/skill_setup.h"
#include "screens/skills_screen.h"
#include "shell/creation.h"
#include "support/key_script.h"
#include "support/screen_session.h"
#include "ui/encyclopedia.h"
#include "ui/menus.h"

namespace {

// Keys for every list, and the page on screen each time one is read.
std::vector<int> keys_left;
std::vector<std::string> pages_seen;
int key_with_page() {
    pages_seen.push_back(last_page);
    if (keys_left.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    int k = keys_left.front();
    keys_left.erase(keys_left.begin());
    return k;
}

struct TopicHints : ::testing::Test {
    PlayFolder folder;
    ScreenSession session;
    void SetUp() override {
        load_encyclopedia_topics();
        last_page[0] = '\0';
        pages_seen.clear();
        menu_key_reader = key_with_page;
        quit_request = 0;
    }
    void TearDown() override {
        menu_key_reader = nullptr;
        quit_request = 0;
        creation_mode = 0;
    }
    bool seen(const std::string& page) const {
        for (const std::string& p : pages_seen)
            if (p == page) return true;
        return false;
    }
    std::string hint_topic() const {
        std::string t = folder.read("GFX.NFO");
        return t.substr(0, t.find('\n'));
    }
};

TEST_F(TopicHints, CultureChooserHintsTheHighlightedCultureAndOpensItsPage) {
    creation_mode = 0;
    new_character_record();
    // Down to the second culture, F1 (its page, left with ESC), "?" (the
    // cultures page, ESC), then culture 3.
    keys_left = {KEY_DOWN, KEY_F1, KEY_ESC, '?', KEY_ESC, '3'};
    ASSERT_EQ(choose_culture(), 1);
    EXPECT_EQ(Plr.culture, 3);
    EXPECT_TRUE(keys_left.empty());
    EXPECT_TRUE(seen("DRIIKIL\xC4ISET"));
    EXPECT_TRUE(seen("CULTURES"));
    EXPECT_EQ(hint_topic(), "DRIIKIL\xC4ISET");
    EXPECT_EQ(file_size(folder.file(MENU_LIST_FILE)), MENU_LIST_FILE_SIZE);

    // ESC goes back; the first row's culture is hinted at once.
    keys_left = {KEY_ESC};
    EXPECT_EQ(choose_culture(), 0);
    EXPECT_EQ(hint_topic(), "KAUMOLAISET");
}

TEST_F(TopicHints, SkillsScreenHintsTheHighlightedSkillAndOpensItsPage) {
    new_character_record();
    setup_skills();
    keys_left = {KEY_DOWN, KEY_F1, KEY_ESC, KEY_ESC};
    EXPECT_EQ(skills_screen(0), 1000);
    EXPECT_TRUE(keys_left.empty());
    // The page opened is the skill the hint bar showed last.
    const std::string skill = hint_topic();
    EXPECT_EQ(is_encyclopedia_topic(skill.c_str()), 1) << skill;
    EXPECT_TRUE(seen(skill)) << skill;
    EXPECT_EQ(file_size(folder.file(MENU_LIST_FILE)), MENU_LIST_FILE_SIZE);
}

}  // namespace
