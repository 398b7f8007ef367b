// Yes/no questions, amounts and continue-or-cancel.
#include "ui/prompts.h"

#include <SDL.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/text_ring.h"

// ------------------------------------------------------------ typed lines

char input_line_buffer[INPUT_LINE_BYTES];

namespace {

// A Latin-1 character typed into a text line: the font's code page 437
// key codes of the umlaut letters are kept as Latin-1 in the text.
char typed_char(int code) {
    switch (code) {
        case 142: return char(0xC4);
        case 153: return char(0xD6);
        case 132: return char(0xE4);
        case 148: return char(0xF6);
        default: return char(code);
    }
}

// Keys that type a character into a text line: 32 to 126 and the umlaut
// letters. Function keys and other special codes type nothing.
bool typable(int code) {
    return (code >= 32 && code <= 126) || code == 132 || code == 142 || code == 148 || code == 153;
}

}  // namespace

char* input_text_line(Uint32 colour, int max_length) {
    if (max_length > INPUT_LINE_BYTES - 1) max_length = INPUT_LINE_BYTES - 1;
    if (max_length < 0) max_length = 0;
    int ix = text_cursor_x, iy = text_cursor_y;
    Uint32 background = get_pixel(text_cursor_x, text_cursor_y + 3);
    input_line_buffer[0] = 0;
    for (;;) {
        draw_text_at(ix, iy, input_line_buffer, colour, 0);
        draw_text_at(-1, iy, "_", colour, 0);
        present_screen();
        int key = read_key();
        fill_canvas_rect(text_cursor_x - 8, iy + 1, 9, 10, background);
        int len = int(std::strlen(input_line_buffer));
        if (key == KEY_BACKSPACE) {
            if (len > 0) {
                fill_canvas_rect(ix, iy, 8 * len + 5, 11, background);
                input_line_buffer[len - 1] = 0;
            }
        } else if (key == KEY_ESC) {
            input_line_buffer[0] = 27;
            input_line_buffer[1] = 0;
            return input_line_buffer;
        } else if (key == KEY_ENTER) {
            return input_line_buffer;
        } else if (typable(key) && len < max_length) {
            input_line_buffer[len] = typed_char(key);
            input_line_buffer[len + 1] = 0;
        }
    }
}

char* render_input_text_line(int x, int y, const char* initial, Uint32 colour, Uint32 background) {
    char* buffer = next_ring_text();
    copy_text(buffer, TEXT_RING_BYTES, initial ? initial : "");
    if (std::strlen(buffer) > 64) buffer[64] = 0;
    int h = line_height + 2;
    SDL_Surface* box = SDL_CreateRGBSurfaceWithFormat(0, 516, h, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* r = box ? SDL_CreateSoftwareRenderer(box) : nullptr;
    auto finish = [&]() {
        if (r) SDL_DestroyRenderer(r);
        if (box) SDL_FreeSurface(box);
        return buffer;
    };
    if (r == nullptr || game_renderer == nullptr) {
        buffer[0] = 27;
        buffer[1] = 0;
        return finish();
    }
    for (;;) {
        SDL_SetRenderDrawColor(r, Uint8(background & 0xFF), Uint8((background >> 8) & 0xFF),
                               Uint8((background >> 16) & 0xFF), 255);
        SDL_RenderClear(r);
        render_text_at(r, 2, 2, buffer, colour, 0);
        render_text_at(r, 2 + 8 * int(std::strlen(buffer)), 2, "_", colour, 0);
        SDL_RenderPresent(r);
        render_texture_layers();
        SDL_Texture* t = SDL_CreateTextureFromSurface(game_renderer, box);
        if (t) {
            SDL_Rect dst = {x, y - 2, 516, h};
            scale_rect_to_output(&dst);
            SDL_RenderCopy(game_renderer, t, nullptr, &dst);
            SDL_DestroyTexture(t);
        }
        present_renderer();
        int key = read_key();
        int len = int(std::strlen(buffer));
        if (key == KEY_BACKSPACE) {
            if (len > 0) buffer[len - 1] = 0;
        } else if (key == KEY_ESC) {
            buffer[0] = 27;
            buffer[1] = 0;
            return finish();
        } else if (key == KEY_WINDOW_CHANGED) {
            buffer[0] = 27;
            buffer[1] = 27;
            buffer[2] = 0;
            return finish();
        } else if (key == KEY_ENTER) {
            return finish();
        } else if (typable(key) && len < 64) {
            buffer[len] = typed_char(key);
            buffer[len + 1] = 0;
        }
    }
}


namespace {

bool window_closed() { return window_close_requested(); }

void draw_answer(const char* answer) {
    draw_text_at(message_end_position.x, message_end_position.y, answer, map_rgb(20, 120, 112), 0);
    present_screen();
}

// The question on the message line and the small window; the list's
// result key (0 for a result outside the rows).
int run_yes_no(const char* question, bool default_yes) {
    int saved_map_state = map_view_state;
    reset_last_message();
    message_pause_count = 0;
    char line[MESSAGE_BYTES];
    format_text(line, sizeof line, "?%s", question ? question : "");
    show_message(line);
    save_screen_backup();
    draw_window(500, 543, 295, 55, question ? question : "", 8);
    list_init(0, "", 500, 545, 300, 50, LIST_TYPE_PLACED);
    list_set_options(int32_t(map_rgb(255, 255, 255)), "", 0, 0);
    list_header.caption_colours = 1;
    list_header.placed_highlight = 1;
    list_add_item_at(525, 'Y', 570, "<Y>es");
    list_add_item_at(585, 'N', 570, "<N>o");
    list_add_entry(KEY_ESC, "");
    if (default_yes) list_add_entry(KEY_SPACE, "");
    int pos = LIST_Go();
    int key = (pos >= 0 && pos < LIST_ROWS) ? list_items[pos].code : 0;
    // A closed window always answers no.
    if (window_closed() && key == KEY_ESC) key = 0;
    restore_screen_backup();
    map_view_state = saved_map_state;
    return key;
}

}  // namespace

int ask_yes_no(const char* question) {
    int key = run_yes_no(question, false);
    if (key == 'Y' || key == 'y') {
        draw_answer(" Yes");
        return 1;
    }
    draw_answer(" No");
    return 0;
}

int ask_yes_no_default_yes(const char* question) {
    int key = run_yes_no(question, true);
    if (key == 'Y' || key == 'y' || key == KEY_ESC) {
        draw_answer(" Yes");
        return 1;
    }
    draw_answer(" No");
    return 0;
}

int parse_amount(const char* text) {
    if (!text) return 0;
    while (*text == ' ') ++text;
    if (!*text) return 0;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE) return 0;
    while (*end == ' ') ++end;
    if (*end) return 0;
    if (v < INT_MIN || v > INT_MAX) return 0;
    return int(v);
}

namespace {

// The amount prompt at (x, y); min_allowed 0 for no minimum.
int run_count(int minimum, int total, int x, int y, bool highlight_window) {
    if (total == 1) return 1;
    save_screen_under("askcount");
    char title[64];
    format_text(title, sizeof title, "HOW MANY? (OF TOTAL %d)", total);
    auto draw_frame = [&]() {
        if (highlight_window)
            draw_highlight_window(x, y, 295, 55, title, 8);
        else
            draw_window(x, y, 295, 55, title, 8);
    };
    draw_frame();
    list_init(0, "", x, y + 2, 300, 50, LIST_TYPE_PLACED);
    list_header.caption_colours = 1;
    list_header.placed_highlight = 1;
    list_add_item_at(x + 5, KEY_ENTER, y + 20, "ENTER.All");
    list_add_item_at(x + 254, KEY_ESC, y + 34, "ESC");
    list_header.row_limit = 2;
    digit_entry = true;
    int n = total < 9 ? total : 9;
    for (int d = 1; d <= n; ++d) {
        if (minimum > 0 && d < minimum) continue;
        char digit[2] = {char('0' + d), 0};
        list_add_item_at(x + 290 - 20 * n + 20 * (d - 1), '0' + d, y + 20, digit);
    }
    if (total > 9) list_add_item_at(x + 5, KEY_SPACE, y + 34, "SPACE.Number?");
    list_add_entry(KEY_ESC, "");
    int amount = 0;
    for (;;) {
        int pos = LIST_Go();
        if (pos == -1 && window_closed()) {
            amount = 0;
            break;
        }
        if (pos < 0 || pos >= LIST_ROWS) continue;
        int key = list_items[pos].code;
        if (key == KEY_ENTER) {
            amount = total;
            break;
        }
        if (key == KEY_ESC) {
            amount = 0;
            break;
        }
        if (key >= '1' && key <= '9') {
            amount = key - '0';
            break;
        }
        if (key == KEY_SPACE) {
            draw_frame();
            draw_sunken_box(x + 5, y + 28, 285, 15);
            draw_text_at(x + 10, y + 31, "Enter amount: ", map_rgb(255, 255, 255), 0);
            const char* typed = input_text_line(map_rgb(176, 196, 222), 10);
            amount = (typed && typed[0] != 27) ? parse_amount(typed) : 0;
            break;
        }
    }
    restore_screen_under("askcount");
    free_screen_under("askcount");
    digit_entry = false;
    if (amount < 1 || amount > total) return 0;
    if (amount < minimum) {
        char line[100];
        format_text(line, sizeof line, "!The minimum is %d, which is now selected.", minimum);
        show_message(line);
        return minimum;
    }
    return amount;
}

}  // namespace

int ask_count(int minimum, int total) {
    // The standard place over the message window: (500, 543).
    return run_count(minimum, total, 500, 543, true);
}

int ask_count_at(int total, int x, int y) { return run_count(0, total, x, y, false); }

int ask_continue_or_cancel() {
    save_screen_backup();
    draw_key_caption(491, 528, " [SPACE] to continue -- [ESC] cancel ");
    if (map_view_state == 2)
        present_screen_with_map();
    else
        present_screen();
    int result = 0;
    for (;;) {
        int key = menu_read_key();
        if (key == KEY_SPACE) {
            result = 1;
            break;
        }
        if (key == KEY_ESC) break;
        if (key == KEY_WINDOW_CLOSED && window_closed()) break;
    }
    restore_screen_backup();
    return result;
}
