// Keyboard and mouse input: SDL events and controller tokens become game
// key codes.
#include "ui/input.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/fatal.h"
#include "ui/canvas.h"
#include "ui/controller.h"
#include "ui/window.h"
#include "ui/map_overlay.h"
#include "base/platform.h"
#include "base/stubs.h"

SDL_Event current_event;
SDL_Keysym last_keysym;
char text_input_buffer[64];
char controller_token[64];
int mouse_raw_x = -1, mouse_raw_y = -1;
bool mouse_flag = false;
Uint16 last_modifiers = 0;
bool digit_entry = false;
void (*input_notice)(const char* text) = nullptr;
int32_t quit_request = 0;
int32_t in_start_menu = 0;
bool window_lock = false;
SDL_Rect locked_window = {0, 0, 0, 0};

namespace {

// ------------------------------------------------------------ key script

struct KeyScript {
    bool loaded = false;
    std::string path;
    std::vector<std::string> tokens;
    size_t next = 0;
    int reads_after_end = 0;
    bool waiting = false;  // "{wait}" reached: the keyboard has the game from here
};
KeyScript script;
bool script_checked = false;

void load_script() {
    script_checked = true;
    script = KeyScript{};
    set_named_test_shots(false);
    const char* path = test_seam("KSM_TEST_KEYS");
    if (path == nullptr) return;
    std::string text;
    script.loaded = true;
    script.path = path;
    if (!read_text_file(path, text)) return;  // an unreadable script is an empty one
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.rfind("{text ", 0) == 0 && line.back() == '}') {
            // One typed character a read, as from the keyboard.
            const std::string text = line.substr(6, line.size() - 7);
            for (size_t i = 0; i < text.size();) {
                const unsigned char c = static_cast<unsigned char>(text[i]);
                const size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
                script.tokens.push_back("{text " + text.substr(i, n) + "}");
                i += n;
            }
        } else if (!line.empty()) {
            script.tokens.push_back(line);
        }
        start = end + 1;
    }
    // A script that names its shots gets only those, not every frame.
    bool named = false;
    for (const std::string& t : script.tokens)
        if (t.rfind("{shot ", 0) == 0) named = true;
    set_named_test_shots(named);
}

// The script is (re)loaded whenever the variable names another file.
bool script_on() {
    const char* path = test_seam("KSM_TEST_KEYS");
    if (!script_checked || (path ? script.path != path : script.loaded)) load_script();
    return script.loaded;
}

// A line in braces is a direction to the seam, never a key token:
// "{shot NAME}" keeps the frame on screen as NAME.bmp in the screenshot
// folder; "{wait}" ends the script there without closing the window, so
// that the game waits for the real keyboard (or a signal); "{text WORDS}"
// types the words through the keyboard's text input; any other, such
// as "{CTRL+s}", "{F3}" or "{Keypad 5}", presses
// that key of the keyboard with its modifiers, so that it takes the
// keyboard's own road through the input. Returns true when a key event
// was queued.
bool script_direction(const std::string& line) {
    std::string body = line.substr(1, line.size() - 2);
    if (body.rfind("shot ", 0) == 0) {
        save_test_shot(body.c_str() + 5);
        return false;
    }
    if (body == "wait") {
        script.waiting = true;
        return false;
    }
    if (body.rfind("text ", 0) == 0) {
        // One typed character (the script was cut so at loading), as the
        // keyboard's text input gives it: UTF-8.
        SDL_Event ev{};
        ev.type = SDL_TEXTINPUT;
        copy_text(ev.text.text, sizeof ev.text.text, body.c_str() + 5);
        return SDL_PushEvent(&ev) == 1;
    }
    Uint16 mods = 0;
    for (;;) {
        size_t plus = body.find('+');
        if (plus == std::string::npos || plus + 1 >= body.size()) break;
        std::string mod = body.substr(0, plus);
        if (mod == "CTRL") mods |= KMOD_LCTRL;
        else if (mod == "SHIFT") mods |= KMOD_LSHIFT;
        else if (mod == "ALT") mods |= KMOD_LALT;
        else break;
        body = body.substr(plus + 1);
    }
    SDL_Keycode sym = SDL_GetKeyFromName(body.c_str());
    if (sym == SDLK_UNKNOWN) return false;
    SDL_Event ev{};
    ev.type = SDL_KEYDOWN;
    ev.key.state = SDL_PRESSED;
    ev.key.keysym.sym = sym;
    ev.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    ev.key.keysym.mod = mods;
    return SDL_PushEvent(&ev) == 1;
}

bool is_direction(const std::string& line) {
    return line.size() > 2 && line.front() == '{' && line.back() == '}';
}

constexpr int SCRIPT_KEY_QUEUED = -1000;

// The next scripted key when the reader would wait. Returns the raw code
// to give, SCRIPT_KEY_QUEUED when a keyboard event waits in the queue, or
// 0 when there is nothing to give (no script).
int scripted_read() {
    if (!script_on() || script.waiting) return 0;
    while (script.next < script.tokens.size() && is_direction(script.tokens[script.next])) {
        if (script_direction(script.tokens[script.next++])) return SCRIPT_KEY_QUEUED;
        if (script.waiting) return 0;
    }
    if (script.next < script.tokens.size()) {
        copy_text(controller_token, sizeof controller_token, script.tokens[script.next++].c_str());
        return KEY_CONTROLLER_TEXT;
    }
    // Used up: the window is closed, once; afterwards every wait gets ESC
    // so that menus back out, and a run that still goes on is ended.
    ++script.reads_after_end;
    if (script.reads_after_end == 1) {
        handle_quit_event();
        return KEY_WINDOW_CLOSED;
    }
    if (script.reads_after_end > 500) exit_with_message("");
    copy_text(controller_token, sizeof controller_token, "[ESC]");
    return KEY_CONTROLLER_TEXT;
}

// ------------------------------------------------------------ helpers

constexpr Uint16 HOTKEY_MODS = 0x1C0;  // both Ctrl keys and the left Alt key

bool link_on() { return controller_enabled != 0; }

void ensure_text_input(bool on) {
    if (on && !SDL_IsTextInputActive()) SDL_StartTextInput();
    if (!on && SDL_IsTextInputActive()) SDL_StopTextInput();
}

// A character of text input as a game key code.
int text_code(const char* text, Uint16 mods) {
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    if (t[0] == 195) {
        switch (t[1]) {
            case 0x84: return KEY_CAP_A_UMLAUT;  // A umlaut
            case 0x96: return KEY_CAP_O_UMLAUT;  // O umlaut
            case 0xA4: return KEY_A_UMLAUT;      // a umlaut
            case 0xB6: return KEY_O_UMLAUT;      // o umlaut
            default: return KEY_OTHER_UTF8;
        }
    }
    if (t[0] == ',' && (mods & KMOD_RALT)) return 59;
    return t[0];
}

bool is_keypad_digit(SDL_Keycode sym) { return sym >= SDLK_KP_1 && sym <= SDLK_KP_9; }

char keypad_digit(SDL_Keycode sym) { return char('1' + (sym - SDLK_KP_1)); }

// Takes the next queued event when it is text input.
bool take_pending_text(SDL_Event* ev) {
    SDL_PumpEvents();
    SDL_Event peek;
    if (SDL_PeepEvents(&peek, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return false;
    if (peek.type != SDL_TEXTINPUT) return false;
    return SDL_PeepEvents(ev, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1;
}

void redraw_after_window_event() {
    if (texture_screen_active) {
        render_texture_layers();
        present_renderer();
    } else {
        present_screen();
    }
}

// Returns a code to give back, or 0 to read on.
int window_event(const SDL_WindowEvent& w) {
    if (museum_mode) window_lock = true;
    if (window_lock && game_window != nullptr) {
        if (w.event == SDL_WINDOWEVENT_SIZE_CHANGED || w.event == SDL_WINDOWEVENT_RESIZED) {
            SDL_SetWindowSize(game_window, locked_window.w, locked_window.h);
            SDL_SetWindowPosition(game_window, locked_window.x, locked_window.y);
        } else if (w.event == SDL_WINDOWEVENT_MOVED) {
            locked_window.x = w.data1;
            locked_window.y = w.data2;
        }
        redraw_after_window_event();
    }
    bool geometry = w.event == SDL_WINDOWEVENT_MOVED || w.event == SDL_WINDOWEVENT_RESIZED ||
                    w.event == SDL_WINDOWEVENT_SIZE_CHANGED || w.event == SDL_WINDOWEVENT_MAXIMIZED ||
                    w.event == SDL_WINDOWEVENT_RESTORED;
    if (geometry) create_map_textures();
    if (game_window != nullptr) save_window_geometry();
    if (w.event == SDL_WINDOWEVENT_FOCUS_GAINED || w.event == SDL_WINDOWEVENT_FOCUS_LOST)
        SDL_SetModState(KMOD_NONE);
    if (window_lock) return 0;
    if (texture_screen_active) {
        if (geometry) return KEY_WINDOW_CHANGED;
        render_texture_layers();
        present_renderer();
        return 0;
    }
    present_screen();
    return 0;
}

// Printable ASCII, at most 40 characters: what an unknown controller token
// may show on the message line.
void show_unknown_token(const char* token) {
    char shown[48] = "#";  // a notice; the mark itself is not drawn
    size_t n = 1;
    for (const char* p = token; *p && n < 41; ++p)
        if (*p >= 32 && *p < 127) shown[n++] = *p;
    shown[n] = 0;
    if (n > 1 && input_notice) input_notice(shown);
}

}  // namespace

// ------------------------------------------------------------ reading

bool test_keys_active() { return script_on() && !script.waiting && script.next < script.tokens.size(); }
bool test_keys_used_up() { return script_on() && !script.waiting && script.next >= script.tokens.size(); }
void reset_test_keys() { load_script(); }

int read_event(SDL_Keysym* keysym) {
    SDL_Keysym dummy;
    if (keysym == nullptr) keysym = &dummy;
    mouse_flag = false;
    text_input_buffer[0] = 0;
    ensure_text_input(!(SDL_GetModState() & HOTKEY_MODS));

    for (;;) {
        exit_if_termination_requested();
        SDL_Event ev;
        bool got = false;
        if (script_on() && !script.waiting) {
            got = SDL_PollEvent(&ev) == 1;
            if (!got) {
                int code = scripted_read();
                if (code == SCRIPT_KEY_QUEUED || script.waiting) continue;
                if (code != 0) return code;
            }
        } else if (link_on()) {
            // Wait briefly on SDL, then look at the link: tokens are seen
            // at once and the wait costs no processor time.
            got = SDL_WaitEventTimeout(&ev, 10) == 1;
            if (!got) {
                const char* text = poll_controller();
                if (text != nullptr && text[0] != 0) {
                    copy_text(controller_token, sizeof controller_token, text);
                    return KEY_CONTROLLER_TEXT;
                }
                continue;
            }
        } else {
            // A bounded wait, so that a termination asked for meanwhile is
            // seen although no event comes.
            got = SDL_WaitEventTimeout(&ev, 100) == 1;
            if (!got) continue;
        }
        current_event = ev;

        if (ev.type == SDL_KEYDOWN) {
            *keysym = ev.key.keysym;
            last_keysym = ev.key.keysym;
            last_modifiers = ev.key.keysym.mod;
            ensure_text_input(!(ev.key.keysym.mod & HOTKEY_MODS));
            if (is_keypad_digit(ev.key.keysym.sym)) {
                // The digit that text input types for the same key.
                char digit = keypad_digit(ev.key.keysym.sym);
                drop_pending_text(digit);
                SDL_PumpEvents();
                drop_pending_text(digit);
                return ev.key.keysym.sym;
            }
            SDL_Event text;
            if (!take_pending_text(&text)) return ev.key.keysym.sym;
            ev = text;
            current_event = ev;
        }

        switch (ev.type) {
            case SDL_TEXTINPUT:
                copy_text(text_input_buffer, sizeof text_input_buffer, ev.text.text);
                SDL_StopTextInput();
                return text_code(ev.text.text, keysym->mod);
            case SDL_QUIT:
                handle_quit_event();
                SDL_StopTextInput();
                return KEY_WINDOW_CLOSED;
            case SDL_WINDOWEVENT: {
                int code = window_event(ev.window);
                if (code != 0) return code;
                break;
            }
            case SDL_MOUSEMOTION:
                if (ev.motion.x == mouse_raw_x && ev.motion.y == mouse_raw_y) break;
                mouse_raw_x = ev.motion.x;
                mouse_raw_y = ev.motion.y;
                mouse_x = mouse_x_to_canvas(mouse_raw_x);
                mouse_y = mouse_y_to_canvas(mouse_raw_y);
                return KEY_MOUSE_MOVED;
            case SDL_MOUSEBUTTONDOWN:
                if (ev.button.button != SDL_BUTTON_LEFT) break;
                mouse_flag = true;
                return KEY_ENTER;
            case SDL_MOUSEWHEEL:
                if (ev.wheel.y < 0) {
                    mouse_flag = true;
                    return KEY_WHEEL_DOWN;
                }
                if (ev.wheel.y > 0) {
                    mouse_flag = true;
                    return KEY_WHEEL_UP;
                }
                break;
            case SDL_USEREVENT:
                return KEY_IDLE_WAKE;
            default:
                break;
        }
    }
}

int read_key() {
    SDL_Keysym keysym{};
    int code = read_event(&keysym);
    switch (code) {
        case KEY_CONTROLLER_TEXT:
            // A token carries its own modifiers: none, or Ctrl for "[CTRL]..."
            // (a Ctrl held for an earlier key must not turn "[UP]" into a
            // step without turning).
            last_modifiers = std::strncmp(controller_token, "[CTRL]", 6) == 0 ? Uint16(KMOD_LCTRL) : Uint16(0);
            return map_controller_token(controller_token);
        case KEY_WINDOW_CHANGED:
        case KEY_IDLE_WAKE:
        case KEY_MOUSE_MOVED: return code;  // the list menu follows the pointer itself
        case KEY_ENTER: return code;
        default: break;
    }
    if ((code == KEY_WHEEL_UP || code == KEY_WHEEL_DOWN) && mouse_flag) {
        mouse_flag = false;
        return code;
    }
    return translate_key(keysym);
}

int translate_key(const SDL_Keysym& k) {
    SDL_Keycode sym = k.sym;
    Uint16 mod = k.mod;
    bool ctrl = mod & KMOD_CTRL, shift = mod & KMOD_SHIFT;
    bool lalt = mod & KMOD_LALT, ralt = mod & KMOD_RALT;
    bool numlock = mod & KMOD_NUM;
    last_modifiers = mod;

    if (sym >= 'a' && sym <= 'z' && (lalt || (ralt && right_alt_hotkeys)))
        return KEY_ALT_A + int(sym - 'a');
    if (sym == '-' || sym == SDLK_KP_MINUS) {
        if (ctrl) {
            drain_events();
            return KEY_CTRL_MINUS;
        }
        if (lalt || ralt) return KEY_ALT_MINUS;
        drain_events();
        return 45;
    }
    if (text_input_buffer[0] != 0) {
        return text_code(text_input_buffer, mod);
    }
    if (k.scancode == SDL_SCANCODE_SPACE) {
        drain_events();
        return KEY_SPACE;
    }
    if (ctrl && sym == 's') return KEY_CTRL_S;
    if (digit_entry && is_keypad_digit(sym)) return keypad_digit(sym);
    switch (sym) {
        case SDLK_DELETE: return KEY_DELETE;
        case SDLK_ESCAPE: return KEY_ESC;
        case SDLK_BACKSPACE: return KEY_BACKSPACE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KEY_ENTER;
        case SDLK_TAB: return KEY_TAB;
        case '*':
        case SDLK_KP_MULTIPLY: drain_events(); return 42;
        case '+':
        case '=':
        case SDLK_KP_PLUS: return ctrl ? KEY_CTRL_PLUS : 0;
        case ',': drain_events(); return (ralt || shift) ? 59 : 44;
        case '0': drain_events(); return ctrl ? KEY_CTRL_0 : 48;
        case ';': return shift ? 58 : 59;
        case ':': return 58;
        case '?': drain_events(); return 63;
        case '\\': drain_events(); return 92;
        case SDLK_F1: case SDLK_F2: case SDLK_F3: case SDLK_F4: case SDLK_F5:
        case SDLK_F6: case SDLK_F7: case SDLK_F8: case SDLK_F9:
            return KEY_F1 + int(sym - SDLK_F1);
        case SDLK_F10:
            // Announce only over a link that is open.
            if (controller_link_open()) announce_controller_link();
            return KEY_F10;
        case SDLK_KP_DIVIDE: drain_events(); return 47;
        case SDLK_HOME: case SDLK_KP_7: return KEY_HOME;
        case SDLK_UP: case SDLK_KP_8: return KEY_UP;
        case SDLK_PAGEUP: case SDLK_KP_9: return KEY_PGUP;
        case SDLK_LEFT: case SDLK_KP_4: return KEY_LEFT;
        case SDLK_KP_5: return KEY_CENTRE;
        case SDLK_RIGHT: case SDLK_KP_6: return KEY_RIGHT;
        case SDLK_END: case SDLK_KP_1: return KEY_END;
        case SDLK_DOWN: case SDLK_KP_2: return KEY_DOWN;
        case SDLK_PAGEDOWN: case SDLK_KP_3: return KEY_PGDN;
        case SDLK_KP_0:
            drain_events();
            if (!ctrl) return (digit_entry || numlock) ? 48 : 0;
            return digit_entry ? 48 : KEY_CTRL_0;
        case SDLK_KP_PERIOD: return numlock ? 46 : 0;
        default: return 0;
    }
}

int map_controller_token(const char* token) {
    if (token == nullptr || token[0] == 0) return 0;
    size_t n = std::strlen(token);
    if (n == 3 && token[0] == '[' && token[2] == ']') return static_cast<unsigned char>(token[1]);
    struct Named {
        const char* token;
        int code;
    };
    static const Named named[] = {
        {"[UP]", KEY_UP},       {"[DOWN]", KEY_DOWN},       {"[LEFT]", KEY_LEFT},
        {"[RIGHT]", KEY_RIGHT}, {"[ENTER]", KEY_ENTER},     {"[SPACE]", KEY_SPACE},
        {"[TAB]", KEY_TAB},     {"[ESC]", KEY_ESC},         {"[CTRL][-]", KEY_CTRL_MINUS},
        {"[PGUP]", KEY_PGUP},   {"[PGDN]", KEY_PGDN},       {"[HOME]", KEY_HOME},
        {"[CTRL][+]", KEY_CTRL_PLUS}, {"[ALT][-]", KEY_ALT_MINUS},
        {"[F1]", KEY_F1}, {"[F2]", KEY_F2}, {"[F3]", KEY_F3}, {"[F4]", KEY_F4}, {"[F5]", KEY_F5},
        {"[F6]", KEY_F6}, {"[F7]", KEY_F7}, {"[F8]", KEY_F8}, {"[F9]", KEY_F9},
    };
    for (const Named& e : named)
        if (std::strcmp(token, e.token) == 0) return e.code;
    if (n == 8 && std::strncmp(token, "[ALT][", 6) == 0 && token[7] == ']' && token[6] >= 'a' &&
        token[6] <= 'z')
        return KEY_ALT_A + (token[6] - 'a');
    if (token[0] == '[') show_unknown_token(token);
    return 0;
}

int wait_key() {
    present_screen();
    drain_events();
    ensure_text_input(true);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (;;) {
        int code = read_key();
        if (code > 0) return code;
    }
}

int poll_key_nowait() {
    exit_if_termination_requested();
    mouse_flag = false;
    ensure_text_input(true);
    const char* text = poll_controller();
    if (text != nullptr && text[0] != 0) {
        if (std::strcmp(text, "[ESC]") != 0) return 1;
        SDL_Event esc{};
        esc.type = SDL_KEYDOWN;
        esc.key.state = SDL_PRESSED;
        esc.key.keysym.sym = SDLK_ESCAPE;
        esc.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
        SDL_PushEvent(&esc);
    }
    SDL_Event ev;
    if (SDL_PollEvent(&ev) != 1) return 0;
    if (ev.type == SDL_KEYDOWN) {
        last_modifiers = ev.key.keysym.mod;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        return ev.key.keysym.sym;
    }
    if (ev.type == SDL_MOUSEBUTTONDOWN) {
        mouse_flag = true;
        return 1;
    }
    return 0;
}

void drain_events() {
    SDL_Event ev;
    while (SDL_PollEvent(&ev) == 1) {
    }
}

void handle_quit_event() {
    drain_events();
    if (museum_mode) return;
    if (in_start_menu) exit_with_message("");
    quit_request = 1;
}

void drop_pending_text(char c) {
    SDL_PumpEvents();
    std::vector<SDL_Event> kept;
    SDL_Event ev;
    while (SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        if (ev.type == SDL_TEXTINPUT && ev.text.text[0] == c) continue;
        kept.push_back(ev);
    }
    if (!kept.empty())
        SDL_PeepEvents(kept.data(), int(kept.size()), SDL_ADDEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
}

const char* key_name(int key) {
    (void)key;
    KSM_STUB("key_name");
    return "";
}
