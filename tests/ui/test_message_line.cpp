// The message line and the message log.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "maps/map_layers.h"
#include "play_folder.h"
#include "game/player.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "ui/sound.h"
#include "base/tag_text.h"

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A character "Tester" on world cell (1200, 800) on day 5 of month 3 in
// winter 16 at hour 14, with its folder in a play folder.
struct MessageLogTest : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        std::memset(&plr, 0, sizeof plr);
        std::strcpy(plr.name, "Tester");
        std::strcpy(plr.map_name, "BIGMAP");
        plr.day = 5;
        plr.month = 3;
        plr.winters = 16;
        plr.hour = 14;
        player_x = 1200;
        player_y = 800;
        folder.write("Tester/keep.txt", "");
        messages_suppressed = false;
        allow_repeated_message = false;
        message_keep_case = false;
        skip_message_pauses = true;  // no pause waits in these tests
        message_pause_count = 0;
        reset_last_message();
    }
    void TearDown() override { skip_message_pauses = false; }
    std::vector<std::string> log() const { return lines_of(folder.read("Tester/msglog.txt")); }
};

TEST_F(MessageLogTest, LogLineHasTheExactFormat) {
    show_message("!You can't do that.");
    auto lines = log();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "(A80000):53ge:[!]{04B00320}      | You can't do that.");
}

TEST_F(MessageLogTest, ClassMarksColoursAndCapitals) {
    struct Case {
        const char* message;
        const char* line;
    };
    const Case cases[] = {
        {"<Look", "(B0C4DE):53ge:[<]{04B00320}      | <Look"},
        {"hello", "(000000):53ge:[H]{04B00320}      | Hello"},
        {"&You are bleeding!", "(CC3333):53ge:[&]{04B00320}      | You are bleeding!"},
        {"&You are bleeding.", "(663333):53ge:[&]{04B00320}      | You are bleeding."},
        {"!you see a hare. it flees", "(A80000):53ge:[!]{04B00320}      | You see a hare. It flees"},
        {"=5 arrows", "(008000):53ge:[=]{04B00320}      | 5 Arrows"},
        {"_1.5 pounds", "(575757):53ge:[_]{04B00320}      | 1.5 pounds"},
        {"#a  b   c@d", "(143270):53ge:[#]{04B00320}      | A b  cd"},
    };
    for (const Case& c : cases) {
        show_message(c.message);
        auto lines = log();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), c.line) << c.message;
    }
}

TEST_F(MessageLogTest, RepeatsAreDroppedUnlessAllowed) {
    show_message("+You find a coin.");
    show_message("+You find a coin.");
    EXPECT_EQ(log().size(), 1u);
    allow_repeated_message = true;
    show_message("+You find a coin.");
    allow_repeated_message = false;
    EXPECT_EQ(log().size(), 2u);
    // After the yes/no prompts' reset the same text shows again.
    reset_last_message();
    show_message("+You find a coin.");
    EXPECT_EQ(log().size(), 3u);
}

TEST_F(MessageLogTest, KeepCaseLastsOneMessage) {
    message_keep_case = true;
    show_message("!you");
    show_message("!you");  // capitalised now, so not a repeat
    auto lines = log();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 3), "you");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 3), "You");
}

TEST_F(MessageLogTest, QuietFlagShowsAndLogsNothing) {
    messages_suppressed = true;
    show_message("!Nobody sees this.");
    messages_suppressed = false;
    EXPECT_FALSE(folder.exists("Tester/msglog.txt"));
}

TEST_F(MessageLogTest, NoCharacterNameWritesNoLog) {
    plr.name[0] = 0;
    show_message("!Nameless.");
    EXPECT_FALSE(folder.exists("msglog.txt"));
    EXPECT_FALSE(folder.exists("/msglog.txt"));
}

TEST_F(MessageLogTest, PartsAreJoinedWithinTheBuffer) {
    std::string big(900, 'a');
    show_message_parts("!", big.c_str(), big.c_str());
    auto lines = log();
    ASSERT_EQ(lines.size(), 1u);
    size_t bar = lines[0].find("| ");
    ASSERT_NE(bar, std::string::npos);
    std::string text = lines[0].substr(bar + 2);
    EXPECT_EQ(text.size(), size_t(MESSAGE_MAX_CHARS - 1));  // the mark is not logged
    EXPECT_EQ(text[0], 'A');
}

TEST_F(MessageLogTest, DateTagClampsLongGames) {
    plr.winters = 200;
    show_message("!Old.");
    auto lines = log();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 14), "(A80000):53Ze:");
}

TEST_F(MessageLogTest, SoundMarkIsRemovedAndPlayed) {
    show_message("{kling}+You find a coin.");
    auto lines = log();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "(AB5700):53ge:[+]{04B00320}      | You find a coin.");
}

TEST_F(MessageLogTest, CodedMessagesComeFromTheNotes) {
    folder.write("NOTES.STD", "*A\n!you hear a noise.1\n=a result.2\n*B\n#other section.1\n");
    load_coded_messages();
    show_message("*A1");
    show_message("*B1");
    show_message("*");  // too short to name a line: nothing is read past it
    auto lines = log();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "(A80000):53ge:[!]{04B00320}      | You hear a noise.");
    EXPECT_EQ(lines[1], "(143270):53ge:[#]{04B00320}      | Other section.");
}

TEST(MessageLine, HexValueReadsColoursBack) {
    EXPECT_EQ(hex_value("A80000"), 0xA80000);
    EXPECT_EQ(hex_value("cc3333"), 0xCC3333);
    EXPECT_EQ(hex_value("(A8)"), 0xA8 * 16);  // other characters still count as places
    EXPECT_EQ(hex_value(""), 0);
}

TEST(MessageLine, ClassColours) {
    struct Case {
        const char* text;
        uint32_t rgb;
    };
    const Case cases[] = {
        {"!x", 0xA80000}, {"#x", 0x143270}, {"&x", 0x663333}, {"&x!", 0xCC3333}, {"+x", 0xAB5700},
        {":x", 0x3C5A98}, {"<x", 0xB0C4DE}, {"=x", 0x008000}, {">x", 0xFFFFFF}, {"?x", 0x147870},
        {"_x", 0x575757}, {"x", 0x000000},
    };
    for (const Case& c : cases) EXPECT_EQ(message_class_colour(c.text), c.rgb) << c.text;
}

}  // namespace

namespace {

// The pause: 15 lines scroll by freely, the 16th waits for a key.
struct MessagePauseTest : MessageLogTest {
    void SetUp() override {
        MessageLogTest::SetUp();
        skip_message_pauses = false;
        set_message_box_layout(true);
    }
    void TearDown() override {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
        MessageLogTest::TearDown();
    }
    void script(const char* keys) {
        folder.write("keys.txt", keys);
        setenv("KSM_TEST_KEYS", folder.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
    void burst(int count, const char* tag) {
        for (int i = 0; i < count; ++i) {
            std::string text = std::string("!") + tag + " message " + std::to_string(i);
            show_message(text.c_str());
        }
    }
};

TEST_F(MessagePauseTest, SixteenthLineWaitsForSpace) {
    script("[SPACE]\n[SPACE]\n");
    burst(15, "first");
    EXPECT_TRUE(test_keys_active());  // nothing read yet
    burst(1, "sixteenth");
    EXPECT_FALSE(skip_message_pauses);
    burst(15, "second");  // the next 15 lines scroll freely again
    EXPECT_TRUE(test_keys_active());
    burst(1, "thirty-second");
    EXPECT_TRUE(test_keys_used_up());
    EXPECT_EQ(log().size(), 32u);
}

TEST_F(MessagePauseTest, EscapeLetsTheRestOfTheTurnThrough) {
    script("[ESC]\n");
    burst(16, "turn");
    EXPECT_TRUE(test_keys_used_up());
    EXPECT_TRUE(skip_message_pauses);
    burst(40, "more");  // no further key is read
    EXPECT_EQ(message_pause_count, 0);
    EXPECT_EQ(log().size(), 56u);
}

TEST_F(MessagePauseTest, ForcedPauseWaitsAtTheNextLine) {
    script("[SPACE]\n");
    pause_prompt();
    EXPECT_TRUE(test_keys_used_up());
    EXPECT_EQ(message_pause_count, 0);
}

TEST_F(MessagePauseTest, QuietFlagNeverWaits) {
    script("[SPACE]\n");
    messages_suppressed = true;
    message_pause_count = 100;
    pausescr(0);
    pause_prompt();
    messages_suppressed = false;
    EXPECT_TRUE(test_keys_active());
    message_pause_count = 0;
}

// Pixels through the screenshot seam: the frame presented after a message
// holds the text in the colour of its class.
struct MessagePixelTest : ::testing::Test {
    PlayFolder folder{true};
    std::string shots;
    void SetUp() override {
        shots = folder.file("shots");
        folder.write("shots/keep.txt", "");
        setenv("KSM_TEST_SCREENSHOT", shots.c_str(), 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        game_window = SDL_CreateWindow("Kesmorra", 0, 0, CANVAS_W, CANVAS_H, SDL_WINDOW_HIDDEN);
        ASSERT_NE(game_window, nullptr) << SDL_GetError();
        InitGr();
        ASSERT_NE(canvas, nullptr);
        std::memset(&plr, 0, sizeof plr);
        messages_suppressed = false;
        skip_message_pauses = true;
        reset_last_message();
        set_message_box_layout(true);
    }
    void TearDown() override {
        skip_message_pauses = false;
        shutdown_graphics();
        if (game_window) SDL_DestroyWindow(game_window);
        game_window = nullptr;
        unsetenv("KSM_TEST_SCREENSHOT");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    // Pixels of the last frame in the message window's bottom line (or its
    // whole text area) that have the colour.
    int pixels_of(int r, int g, int b, bool whole_window = false) {
        char name[64];
        std::snprintf(name, sizeof name, "/frame_%06d.bmp", test_screenshot_count());
        SDL_Surface* frame = SDL_LoadBMP((shots + name).c_str());
        EXPECT_NE(frame, nullptr) << name;
        if (!frame) return 0;
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(frame, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(frame);
        int count = 0;
        int y0 = whole_window ? message_box.y + 5 : message_box.y + message_box.h - 15;
        int y1 = message_box.y + message_box.h - 5;
        for (int y = y0; y < y1; ++y) {
            for (int x = message_box.x; x < message_box.x + message_box.w; ++x) {
                Uint32 p = static_cast<Uint32*>(argb->pixels)[y * argb->pitch / 4 + x];
                Uint8 pr, pg, pb;
                SDL_GetRGB(p, argb->format, &pr, &pg, &pb);
                if (pr == r && pg == g && pb == b) ++count;
            }
        }
        SDL_FreeSurface(argb);
        return count;
    }
};

TEST_F(MessagePixelTest, TextIsDrawnInItsClassColour) {
    struct Case {
        const char* message;
        int r, g, b;
    };
    const Case cases[] = {
        {"!You can't.", 168, 0, 0},
        {"&You are bleeding!", 204, 51, 51},
        {"&You are bleeding.", 102, 51, 51},
        {"+You find a coin.", 171, 87, 0},
    };
    for (const Case& c : cases) {
        int before = test_screenshot_count();
        show_message(c.message);
        ASSERT_GT(test_screenshot_count(), before) << c.message;
        EXPECT_GT(pixels_of(c.r, c.g, c.b), 20) << c.message;
    }
    // The bleeding warning is not drawn in the plain condition colour.
    show_message("&You are cold!");
    EXPECT_EQ(pixels_of(102, 51, 51), 0);
}

TEST_F(MessagePixelTest, OldTextFadesAtTheNextTurn) {
    show_message("!First turn.");
    EXPECT_GT(pixels_of(168, 0, 0), 20);
    show_message("=Same turn.");  // scrolls the first line up, colour kept
    EXPECT_GT(pixels_of(168, 0, 0, true), 20);
    fade_old_messages = true;
    show_message("=Next turn.");
    EXPECT_FALSE(fade_old_messages);
    EXPECT_EQ(pixels_of(168, 0, 0, true), 0);
    EXPECT_EQ(pixels_of(0, 128, 0, true), pixels_of(0, 128, 0));  // only the new line is green
    EXPECT_GT(pixels_of(0, 128, 0), 20);
}

}  // namespace
