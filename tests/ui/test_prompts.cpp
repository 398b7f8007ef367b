// The yes/no, amount and continue prompts, driven by scripted keys.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <deque>

#include "../support/play_folder.h"
#include "shell/ending.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "ui/prompts.h"

namespace {

std::deque<int> script;
int reads = 0;

int scripted_key() {
    ++reads;
    if (script.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    int k = script.front();
    script.pop_front();
    mouse_flag = false;
    return k;
}

class PromptTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_Init(SDL_INIT_EVENTS);
        script.clear();
        reads = 0;
        quit_request = 0;
        menu_key_reader = scripted_key;
        // Message pauses would wait for the real keyboard.
        skip_message_pauses = true;
    }
    void TearDown() override {
        menu_key_reader = nullptr;
        quit_request = 0;
        digit_entry = false;
        SDL_Quit();
    }
    PlayFolder folder{false};
};

struct YesNoCase {
    bool default_yes;
    std::deque<int> keys;
    int expected;
};

TEST_F(PromptTest, YesNoAnswersByKeyAndDefault) {
    const YesNoCase cases[] = {
        {false, {'y'}, 1},          {false, {'Y'}, 1},        {false, {'n'}, 0},
        {false, {KEY_ESC}, 0},      {false, {'q', 'y'}, 1},   {false, {}, 0},
        {true, {KEY_ESC}, 1},       {true, {KEY_SPACE}, 0},   {true, {'y'}, 1},
        {true, {'N'}, 0},           {true, {}, 0},  // a closed window answers no
    };
    for (const YesNoCase& c : cases) {
        script = c.keys;
        quit_request = 0;
        int r = c.default_yes ? ask_yes_no_default_yes("Sleep now?") : ask_yes_no("Sleep now?");
        EXPECT_EQ(r, c.expected) << "default yes " << c.default_yes << ", " << c.keys.size()
                                 << " keys";
    }
    // The question goes to the message line as a help message.
    EXPECT_NE(std::strstr(last_message, "Sleep now?"), nullptr) << last_message;
}

TEST_F(PromptTest, AmountsByDigitEnterAndEscape) {
    EXPECT_EQ(ask_count(0, 1), 1);
    EXPECT_EQ(reads, 0);  // no prompt at all

    struct Case {
        int minimum, total;
        std::deque<int> keys;
        int expected;
    } cases[] = {
        {0, 5, {'3'}, 3},
        {0, 5, {KEY_ENTER}, 5},
        {0, 5, {KEY_ESC}, 0},
        {0, 5, {'7', KEY_ESC}, 0},         // no caption above the total
        {0, 5, {KEY_SPACE, KEY_ESC}, 0},   // no "SPACE.Number?" up to 9
        {3, 20, {'2', '5'}, 5},            // digits below the minimum are not offered
        {3, 20, {KEY_ENTER}, 20},
        {0, 5, {}, 0},                     // a closed window gives none
    };
    for (const Case& c : cases) {
        script = c.keys;
        quit_request = 0;
        EXPECT_EQ(ask_count(c.minimum, c.total), c.expected)
            << c.minimum << "/" << c.total << " with " << c.keys.size() << " keys";
        EXPECT_FALSE(digit_entry);
    }
    script = {'4'};
    EXPECT_EQ(ask_count_at(9, 100, 100), 4);
}

TEST(PromptAmounts, TypedAmountsAreParsedWithARangeCheck) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"2", 2},     {" 25 ", 25},          {"9999999999", 0}, {"2147483647", 2147483647},
                 {"abc", 0},   {"", 0},               {"12x", 0},        {"-3", -3},
                 {"+7", 7},    {"99999999999999999999", 0}};
    for (const auto& c : cases) EXPECT_EQ(parse_amount(c.text), c.value) << c.text;
    EXPECT_EQ(parse_amount(nullptr), 0);
}

TEST_F(PromptTest, ContinueOrCancel) {
    script = {'x', KEY_SPACE};
    EXPECT_EQ(ask_continue_or_cancel(), 1);
    script = {KEY_ESC};
    EXPECT_EQ(ask_continue_or_cancel(), 0);
    script = {};
    EXPECT_EQ(ask_continue_or_cancel(), 0);
}

// The typed amount goes through the real text input of the font code:
// the list takes SPACE from the script, the amount comes as SDL events.
// Skipped while the key reader does not deliver pushed events.
TEST_F(PromptTest, TypedAmountBelowTheMinimumSelectsTheMinimum) {
    auto push_text = [](const char* t) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, t, sizeof e.text.text - 1);
        SDL_PushEvent(&e);
    };
    auto push_enter = [] {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = SDLK_RETURN;
        e.key.keysym.scancode = SDL_SCANCODE_RETURN;
        e.key.state = SDL_PRESSED;
        SDL_PushEvent(&e);
    };
    push_text("z");
    if (read_key() != 'z') GTEST_SKIP() << "the key reader does not read pushed events yet";

    script = {KEY_SPACE};
    push_text("2");
    push_enter();
    EXPECT_EQ(ask_count(3, 20), 3);
    EXPECT_NE(std::strstr(last_message, "The minimum is 3, which is now selected."), nullptr)
        << last_message;

    script = {KEY_SPACE};
    push_text("7");
    push_enter();
    EXPECT_EQ(ask_count(3, 20), 7);
}

}  // namespace
