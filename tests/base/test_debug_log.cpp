// The start-up log and the debug channels.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "base/debug_log.h"
#include "ui/notices.h"
#include "game/player.h"
#include "support/play_folder.h"

namespace {

class DebugChannels : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        Plr.day = 1;
        Plr.hour = 8;
        Plr.minute = 0;
        debug_logs_on = 0;
        key_debug_on = 0;
    }
    void TearDown() override {
        Plr = saved_;
        debug_logs_on = 0;
        key_debug_on = 0;
    }
    PlayFolder folder_{false};
    PlayerRecord saved_;
};

TEST_F(DebugChannels, BangChannelIsWrittenWithDebuggingOff) {
    debug_log("!quests", "hello");
    ASSERT_TRUE(folder_.exists("debug_!quests.txt"));
    std::string text = folder_.read("debug_!quests.txt");
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\{\d+:\d+\} Day/H:M 1/8:0 hello\n)"))) << text;
    // The last entry names the date as asctime does, two blanks and the text.
    std::string last = folder_.read("debug_lastentry.txt");
    EXPECT_TRUE(std::regex_match(last, std::regex(R"([A-Z][a-z]{2} [A-Z][a-z]{2} [ \d]\d \d\d:\d\d:\d\d \d{4}\n  hello\n)")))
        << last;
    EXPECT_EQ(folder_.read("debug_all.txt"), last);

    Plr.day = 30;
    Plr.hour = 23;
    Plr.minute = 59;
    debug_log("!quests", "second");
    text = folder_.read("debug_!quests.txt");
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(\{\d+:\d+\} Day/H:M 1/8:0 hello\n\{\d+:\d+\} Day/H:M 30/23:59 second\n)")))
        << text;
    EXPECT_EQ(folder_.read("debug_lastentry.txt").find("  second\n") != std::string::npos, true);
    std::string all = folder_.read("debug_all.txt");
    EXPECT_NE(all.find("  hello\n"), std::string::npos);
    EXPECT_NE(all.find("  second\n"), std::string::npos);
}

TEST_F(DebugChannels, WhichChannelsAreWritten) {
    struct Case {
        const char* channel;
        int logs_on;
        int key_debug;
        bool written;
    } cases[] = {
        {"maploader", 0, 0, false}, {"maploader", 1, 0, true},
        {"!keydebug", 0, 0, false}, {"!keydebug", 0, 1, true},
        {"vegetation", 1, 0, false}, {"!vegetation", 1, 0, false},
        {"setplant", 1, 0, false},   {"x!setplant", 0, 0, false},
        {"../escape", 1, 0, false},  {"a/b", 1, 0, false},
    };
    for (const Case& c : cases) {
        PlayFolder folder(false);
        debug_logs_on = c.logs_on;
        key_debug_on = c.key_debug;
        debug_log(c.channel, "entry");
        EXPECT_EQ(folder.exists(std::string("debug_") + c.channel + ".txt"), c.written) << c.channel;
        EXPECT_EQ(folder.exists("debug_all.txt"), c.written) << c.channel;
    }
}

TEST_F(DebugChannels, RemoveDeletesOnlyThatChannel) {
    debug_logs_on = 1;
    debug_log("alpha", "one");
    debug_log("beta", "two");
    std::string all = folder_.read("debug_all.txt");
    std::string last = folder_.read("debug_lastentry.txt");
    debug_log("alpha", "remove");
    EXPECT_FALSE(folder_.exists("debug_alpha.txt"));
    EXPECT_TRUE(folder_.exists("debug_beta.txt"));
    EXPECT_EQ(folder_.read("debug_all.txt"), all);
    EXPECT_EQ(folder_.read("debug_lastentry.txt"), last);
}

TEST(InitLog, StepsAreAppendedAndLongTextsCut) {
    PlayFolder folder(false);
    init_log_line("first");
    char text[100];
    std::string long_text(85, 'x');
    long_text.replace(0, 5, "start");
    copy_text(text, long_text.c_str());
    show_init_step(text);
    EXPECT_EQ(std::string(text), long_text);  // the caller's text stays whole
    show_init_step(std::string(80, 'y').c_str());
    EXPECT_EQ(folder.read("init_log.txt"),
              "first\n" + long_text.substr(0, 70) + "\n" + std::string(80, 'y') + "\n");
}

}  // namespace
