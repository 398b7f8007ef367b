// Keyboard and mouse input: SDL events and controller tokens become game
// key codes.
#pragma once

#include <SDL.h>

// ------------------------------------------------------------ game key codes
// Printable characters are their own codes; letters with umlauts use their
// code page 437 positions.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESC = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_A_UMLAUT = 132;        // ae
constexpr int KEY_CAP_A_UMLAUT = 142;    // AE
constexpr int KEY_O_UMLAUT = 148;        // oe
constexpr int KEY_CAP_O_UMLAUT = 153;    // OE
constexpr int KEY_OTHER_UTF8 = 195;      // any other two-byte letter
constexpr int KEY_TAB = 1020;
constexpr int KEY_F1 = 1059, KEY_F2 = 1060, KEY_F3 = 1061, KEY_F4 = 1062, KEY_F5 = 1063,
              KEY_F6 = 1064, KEY_F7 = 1065, KEY_F8 = 1066, KEY_F9 = 1067, KEY_F10 = 1068;
constexpr int KEY_HOME = 1071;   // also keypad 7 (north-west)
constexpr int KEY_UP = 1072;     // also keypad 8
constexpr int KEY_PGUP = 1073;   // also keypad 9
constexpr int KEY_LEFT = 1075;   // also keypad 4
constexpr int KEY_RIGHT = 1077;  // also keypad 6
constexpr int KEY_END = 1079;    // also keypad 1
constexpr int KEY_DOWN = 1080;   // also keypad 2
constexpr int KEY_PGDN = 1081;   // also keypad 3
constexpr int KEY_CENTRE = 1082; // keypad 5
constexpr int KEY_ALT_MINUS = 1096;
constexpr int KEY_CTRL_0 = 1097;
constexpr int KEY_CTRL_PLUS = 1098, KEY_WHEEL_UP = 1098;
constexpr int KEY_CTRL_MINUS = 1099, KEY_WHEEL_DOWN = 1099;
constexpr int KEY_CTRL_S = 1100;
constexpr int KEY_DELETE = 1500;
constexpr int KEY_ALT_A = 2000;  // Alt + a .. Alt + z: 2000 .. 2025
constexpr int KEY_ALT_Z = 2025;
constexpr int KEY_MOUSE_MOVED = -1, KEY_WINDOW_CLOSED = -1;
constexpr int KEY_IDLE_WAKE = -2;
constexpr int KEY_WINDOW_CHANGED = -42;
constexpr int KEY_CONTROLLER_TEXT = -99;  // read_event only

// ------------------------------------------------------------ state

extern SDL_Event current_event;
extern SDL_Keysym last_keysym;
extern char text_input_buffer[64];   // last SDL text input (UTF-8), cleared per read
extern char controller_token[64];    // last text from the controller link
extern int mouse_raw_x, mouse_raw_y; // last window position
// mouse_x, mouse_y (canvas.h): the same in canvas coordinates
extern bool mouse_flag;              // the last code came from a mouse button or wheel
extern Uint16 last_modifiers;
extern bool digit_entry;             // keypad keys give digits (amount prompts)
// Where the input tells the player something (an unknown controller token,
// as a "#" notice); the message line is connected at start-up. Null: untold.
extern void (*input_notice)(const char* text);
// Set by the window-close handler while a game runs; read and cleared by
// the start menu and the quit confirmation.
extern int32_t quit_request;
// Set while the start menu runs: closing the window then ends the program.
extern int32_t in_start_menu;
extern bool window_lock;             // window size changes are undone
extern SDL_Rect locked_window;       // saved size and position of the lock

// ------------------------------------------------------------ reading

int read_event(SDL_Keysym* keysym);
int read_key();
int translate_key(const SDL_Keysym& keysym);
// The game key code of a controller token; unknown bracketed tokens are
// shown on the message line (printable, at most 40 characters).
int map_controller_token(const char* token);
int wait_key();
int poll_key_nowait();
void drain_events();
void handle_quit_event();
void drop_pending_text(char c);
// The printable name of a game key code (the space key in "%s.Done -
// proceed with selected."). Not built yet: "".
const char* key_name(int key);

// The key script of KSM_TEST_KEYS: true while a script is loaded and
// not used up. Reloaded from the environment by reset_test_keys().
bool test_keys_active();
bool test_keys_used_up();
void reset_test_keys();
