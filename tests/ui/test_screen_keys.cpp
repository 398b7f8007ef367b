// Keys and the mouse: SDL events and controller tokens become game key codes.
#include <SDL.h>
#include <gtest/gtest.h>

#include <ctime>
#include <cstring>
#include <string>
#include <vector>

#include "base/config.h"
#include "shell/ending.h"
#include "support/screen_session.h"
#include "ui/input.h"
#include "ui/message_line.h"

namespace {

SDL_Event key_event(SDL_Keycode sym, Uint16 mod = 0, SDL_Scancode sc = SDL_SCANCODE_UNKNOWN) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    e.key.keysym.scancode = sc;
    return e;
}

SDL_Event text_event(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event button_event(Uint8 button) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = button;
    return e;
}

SDL_Event wheel_event(int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    return e;
}

SDL_Event motion_event(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event user_event() {
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    return e;
}

struct KeyScriptFile {
    KeyScriptFile(const PlayFolder& play, const std::string& tokens) {
        play.write("keys.txt", tokens);
        setenv("KSM_TEST_KEYS", play.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
    ~KeyScriptFile() {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
    }
};

}  // namespace

TEST(ScreenKeys, PushedEventsBecomeGameKeyCodes) {
    PlayFolder play;
    ScreenSession screen;
    struct Case {
        const char* what;
        std::vector<SDL_Event> events;
        bool digits;
        int right_alt;
        int code;
        bool mouse;
    } cases[] = {
        {"keypad 8", {key_event(SDLK_KP_8), text_event("8")}, false, 1, KEY_UP, false},
        {"keypad 8, digit entry", {key_event(SDLK_KP_8), text_event("8")}, true, 1, '8', false},
        {"keypad 5", {key_event(SDLK_KP_5)}, false, 1, KEY_CENTRE, false},
        {"keypad 0, digit entry", {key_event(SDLK_KP_0)}, true, 1, '0', false},
        {"a umlaut", {key_event(SDLK_a), text_event("\xC3\xA4")}, false, 1, 132, false},
        {"O umlaut", {text_event("\xC3\x96")}, false, 1, 153, false},
        {"e acute", {text_event("\xC3\xA9")}, false, 1, 195, false},
        {"left Alt k", {key_event(SDLK_k, KMOD_LALT)}, false, 0, 2010, false},
        {"right Alt k, hotkeys on", {key_event(SDLK_k, KMOD_RALT), text_event("k")}, false, 1, 2010, false},
        {"right Alt k, hotkeys off", {key_event(SDLK_k, KMOD_RALT), text_event("k")}, false, 0, 'k', false},
        {"Alt minus", {key_event(SDLK_MINUS, KMOD_LALT)}, false, 1, KEY_ALT_MINUS, false},
        {"Ctrl minus", {key_event(SDLK_MINUS, KMOD_LCTRL)}, false, 1, KEY_CTRL_MINUS, false},
        {"Ctrl s", {key_event(SDLK_s, KMOD_LCTRL)}, false, 1, KEY_CTRL_S, false},
        {"comma with right Alt", {key_event(SDLK_COMMA, KMOD_RALT), text_event(",")}, false, 0, 59, false},
        {"Escape", {key_event(SDLK_ESCAPE)}, false, 1, KEY_ESC, false},
        {"Tab", {key_event(SDLK_TAB)}, false, 1, KEY_TAB, false},
        {"F3", {key_event(SDLK_F3)}, false, 1, KEY_F3, false},
        {"Delete", {key_event(SDLK_DELETE)}, false, 1, KEY_DELETE, false},
        {"Insert", {key_event(SDLK_INSERT)}, false, 1, 0, false},
        {"left click", {button_event(SDL_BUTTON_LEFT)}, false, 1, KEY_ENTER, true},
        {"right click ignored", {button_event(SDL_BUTTON_RIGHT), key_event(SDLK_ESCAPE)}, false, 1, KEY_ESC, false},
        {"wheel up", {wheel_event(1)}, false, 1, KEY_WHEEL_UP, false},
        {"wheel down", {wheel_event(-2)}, false, 1, KEY_WHEEL_DOWN, false},
        {"mouse moved", {motion_event(123, 45)}, false, 1, KEY_MOUSE_MOVED, false},
        {"moved to the same place", {motion_event(123, 45), key_event(SDLK_TAB)}, false, 1, KEY_TAB, false},
        {"idle wake-up", {user_event()}, false, 1, KEY_IDLE_WAKE, false},
    };
    for (const Case& c : cases) {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        digit_entry = c.digits;
        right_alt_hotkeys = c.right_alt;
        for (SDL_Event e : c.events) SDL_PushEvent(&e);
        int code = read_key();
        EXPECT_EQ(code, c.code) << c.what;
        if (c.code == KEY_ENTER || c.code == KEY_WHEEL_UP) {
            EXPECT_EQ(mouse_flag, c.mouse) << c.what;
        }
        // Nothing typed is left behind (the keypad digit typed no text).
        SDL_Event rest;
        EXPECT_EQ(SDL_PollEvent(&rest), 0) << c.what;
    }
    digit_entry = false;
    right_alt_hotkeys = 1;
    EXPECT_EQ(mouse_x, 123);
    EXPECT_EQ(mouse_y, 45);
}

TEST(ScreenKeys, ControllerTokens) {
    PlayFolder play;
    ScreenSession screen;
    struct Case {
        const char* token;
        int code;
    } cases[] = {
        {"[q]", 'q'},         {"[ALT][-]", KEY_ALT_MINUS}, {"[F3]", KEY_F3},       {"[UP]", KEY_UP},
        {"[DOWN]", KEY_DOWN}, {"[ENTER]", KEY_ENTER},      {"[SPACE]", KEY_SPACE}, {"[ESC]", KEY_ESC},
        {"[ALT][k]", 2010},   {"[CTRL][+]", KEY_CTRL_PLUS}, {"[FOO]", 0},          {"plain", 0},
        {"[ALT][K]", 0},      {"", 0},                     {"[PGUP]", KEY_PGUP},   {"[PGDN]", KEY_PGDN},
        {"[HOME]", KEY_HOME},
    };
    for (const Case& c : cases) EXPECT_EQ(map_controller_token(c.token), c.code) << c.token;

    // An unknown token reaches the message line as printable text only, cut.
    allow_repeated_message = true;
    map_controller_token("[FOO]");
    EXPECT_NE(std::string(message_text).find("[FOO]"), std::string::npos) << message_text;
    std::string wild = "[\x01{*" + std::string(100, 'Z') + "\xE4]";
    map_controller_token(wild.c_str());
    std::string shown = message_text;
    EXPECT_EQ(shown.find('\x01'), std::string::npos);
    EXPECT_EQ(shown.find('\xE4'), std::string::npos);
    EXPECT_LE(shown.size(), 41u);
    allow_repeated_message = false;
}

TEST(ScreenKeys, KeyScriptFeedsTheReaderAndEndsAsAClosedWindow) {
    PlayFolder play;
    ScreenSession screen;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    quit_request = 0;
    {
        KeyScriptFile keys(play, "[q]\r\n[ALT][-]\n\n[F3]\n[ENTER]\n");
        EXPECT_TRUE(test_keys_active());
        EXPECT_EQ(read_key(), 'q');
        EXPECT_EQ(read_key(), KEY_ALT_MINUS);
        EXPECT_EQ(wait_key(), KEY_F3);
        EXPECT_EQ(read_key(), KEY_ENTER);
        EXPECT_TRUE(test_keys_used_up());
        EXPECT_EQ(read_key(), KEY_WINDOW_CLOSED);
        EXPECT_EQ(quit_request, 1);
        EXPECT_EQ(wait_key(), KEY_ESC);  // nothing hangs on "Press a key"
    }
    quit_request = 0;
    EXPECT_FALSE(test_keys_active());
}

TEST(ScreenKeys, KeyScriptPressesKeyboardKeysTypesTextAndKeepsShots) {
    PlayFolder play;
    ScreenSession screen;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    quit_request = 0;
    ScreenshotSeam seam(play);
    {
        // Braced lines are directions to the seam: keyboard keys with their
        // modifiers, typed text (one character a read) and named shots; a
        // script that names shots writes no numbered frames.
        KeyScriptFile keys(play, "{CTRL+s}\n{CTRL+0}\n[UP]\n{Keypad 5}\n{F3}\n{text \xC3\xA4" "b}\n{shot first}\n"
                                 "{shot no/slash}\n[q]\n{wait}\n[x]\n");
        const int frames_before = test_screenshot_count();
        present_screen();
        EXPECT_EQ(read_key(), KEY_CTRL_S);
        EXPECT_EQ(read_key(), KEY_CTRL_0);
        EXPECT_TRUE(last_modifiers & KMOD_CTRL);
        // A controller token carries no Ctrl of an earlier key.
        EXPECT_EQ(read_key(), KEY_UP);
        EXPECT_FALSE(last_modifiers & KMOD_CTRL);
        EXPECT_EQ(read_key(), KEY_CENTRE);
        EXPECT_EQ(read_key(), KEY_F3);
        EXPECT_EQ(read_key(), KEY_A_UMLAUT);
        EXPECT_EQ(read_key(), 'b');
        EXPECT_EQ(read_key(), 'q');
        EXPECT_TRUE(play.exists("shots/first.bmp"));
        EXPECT_FALSE(play.exists("shots/no/slash.bmp"));
        EXPECT_EQ(test_screenshot_count(), frames_before);
        // At "{wait}" the script stops without closing the window: the
        // reader waits for the keyboard, here a key pressed a little later.
        SDL_InitSubSystem(SDL_INIT_TIMER);
        SDL_TimerID timer = SDL_AddTimer(
            150,
            [](Uint32, void*) -> Uint32 {
                SDL_Event key{};
                key.type = SDL_KEYDOWN;
                key.key.keysym.sym = SDLK_ESCAPE;
                key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
                SDL_PushEvent(&key);
                return 0;
            },
            nullptr);
        EXPECT_EQ(read_key(), KEY_ESC);
        SDL_RemoveTimer(timer);
        EXPECT_FALSE(test_keys_active());
        EXPECT_FALSE(test_keys_used_up());
        EXPECT_EQ(quit_request, 0);
    }
}

TEST(ScreenKeys, ClosingTheWindowDuringAGameRaisesTheQuitRequest) {
    PlayFolder play;
    ScreenSession screen;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    quit_request = 0;
    in_start_menu = 0;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(read_key(), KEY_WINDOW_CLOSED);
    EXPECT_EQ(quit_request, 1);
    quit_request = 0;
    museum_mode = 1;
    SDL_PushEvent(&quit);
    EXPECT_EQ(read_key(), KEY_WINDOW_CLOSED);
    EXPECT_EQ(quit_request, 0);  // ignored in museum mode
    museum_mode = 0;
}

TEST(ScreenKeys, PendingTextOfOneCharacterIsDropped) {
    ScreenSession screen;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event a = text_event("7"), b = text_event("x"), c = text_event("7"), d = key_event(SDLK_TAB);
    for (SDL_Event* e : {&a, &b, &c, &d}) SDL_PushEvent(e);
    drop_pending_text('7');
    SDL_Event got;
    ASSERT_EQ(SDL_PollEvent(&got), 1);
    EXPECT_EQ(got.type, SDL_TEXTINPUT);
    EXPECT_STREQ(got.text.text, "x");
    ASSERT_EQ(SDL_PollEvent(&got), 1);
    EXPECT_EQ(got.type, SDL_KEYDOWN);
    EXPECT_EQ(SDL_PollEvent(&got), 0);
}

namespace {
Uint32 push_wake(Uint32, void*) {
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    SDL_PushEvent(&e);
    return 0;
}
}  // namespace

TEST(ScreenKeys, WaitingWithTheLinkOnDoesNotSpin) {
    PlayFolder play;
    ScreenSession screen;
    if (!(SDL_WasInit(SDL_INIT_TIMER) & SDL_INIT_TIMER)) SDL_InitSubSystem(SDL_INIT_TIMER);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    controller_enabled = 1;
    SDL_AddTimer(600, push_wake, nullptr);
    std::clock_t cpu_start = std::clock();
    Uint32 wall_start = SDL_GetTicks();
    EXPECT_EQ(read_key(), KEY_IDLE_WAKE);
    double cpu_ms = double(std::clock() - cpu_start) * 1000.0 / CLOCKS_PER_SEC;
    double wall_ms = double(SDL_GetTicks() - wall_start);
    controller_enabled = 0;
    EXPECT_GE(wall_ms, 500.0);
    // A spinning reader burns the whole wait; a sleeping one a small part,
    // even in the sanitizer build on a busy machine (where the process's
    // other threads alone took over a tenth).
    EXPECT_LT(cpu_ms, wall_ms * 0.25) << "cpu " << cpu_ms << " ms over " << wall_ms << " ms";
}
