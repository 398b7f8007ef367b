// The key help page, drawn once into a tall page of its own.
#include "screens/key_help.h"

#include <cstdio>
#include <cstring>

#include "base/config.h"
#include "base/platform.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/key_commands.h"
#include "ui/menus.h"
#include "ui/tall_page.h"

int key_help_page_drawings = 0;
int key_help_used_height = 0;
int key_help_scroll = 0;

namespace {

constexpr int PAGE_W = 800;
constexpr int PAGE_H = 1300;
constexpr int COLUMNS2[2] = {20, 400};
constexpr int COLUMNS3[3] = {20, 290, 550};

TallPage page;
int drawn_style = -1;

uint32_t white() { return page_colour(255, 255, 255); }
uint32_t khaki() { return page_colour(240, 230, 140); }
uint32_t pale() { return page_colour(238, 232, 170); }
// The rarely used moves: dimmed, yet readable on the dark page.
uint32_t dark() { return page_colour(128, 128, 120); }

void text_at(int x, int y, const char* text, uint32_t colour) { render_text_at(page.renderer, x, y, text, colour, 1); }

// One key line: a caption with "[...]" parts or a "caption.label" cap.
void key_line(int x, int y, const char* text) {
    if (std::strchr(text, '[')) render_text_with_keycaps(page, x, y, text, khaki());
    else render_key_caption(page, x, y - 5, text, khaki());
}

// A section: its heading bar 40 px below the last line, then its key lines
// in rows 18 px apart, 20 px under the heading.
struct Layout {
    int y = 0;  // the last line used
    int section(const char* title) {
        y += 40;
        render_title_bar_styled(page.renderer, 10, y, 780, title, 1);
        y += 20;
        return y;
    }
    void row(std::initializer_list<const char*> keys) {
        const int* columns = keys.size() >= 3 ? COLUMNS3 : COLUMNS2;
        int i = 0;
        for (const char* k : keys) key_line(columns[i++], y, k);
        y += 18;
    }
    // Text wrapped at the page's right edge, 18 px a line.
    void text(const char* t, uint32_t colour, int x = 20) {
        char line[400] = "";
        const char* p = t;
        while (*p) {
            while (*p == ' ') ++p;
            const char* end = p;
            while (*end && *end != ' ') ++end;
            if (end == p) break;
            char word[200];
            size_t n = size_t(end - p) < sizeof word - 1 ? size_t(end - p) : sizeof word - 1;
            std::memcpy(word, p, n);
            word[n] = '\0';
            if (line[0] && text_width(line) + 8 + text_width(word) > 780 - x) {
                render_text_with_keycaps(page, x, y, line, colour);
                y += 18;
                line[0] = '\0';
            }
            if (line[0]) append_text(line, sizeof line, " ");
            append_text(line, sizeof line, word);
            p = end;
        }
        if (line[0]) {
            render_text_with_keycaps(page, x, y, line, colour);
            y += 18;
        }
    }
    // The width of text with "[KEY]" caps, as render_text_with_keycaps draws it.
    static int text_width(const char* t) {
        int w = 0;
        bool in_key = false;
        for (; *t; ++t) {
            if (*t == '[' && !in_key) {
                in_key = true;
                w += 18;
            } else if (*t == ']' && in_key) {
                in_key = false;
            } else {
                w += 8;
            }
        }
        return w;
    }
};

char* keys_of(int key) {
    static char ring[16][300];
    static int next = 0;
    char* out = ring[next++ % 16];
    copy_text(out, 300, key_command_keys(key));
    return out;
}

char* key_caption_line(const char* caption, int key) {
    static char ring[8][300];
    static int next = 0;
    char* out = ring[next++ % 8];
    format_text(out, 300, "%s%s", caption, key_command_text(key, 1));
    return out;
}

// The numpad compass of the movement keys: captions on key caps, labels to
// the left of the western keys, to the right of the eastern ones, above the
// north key and below the south key.
void draw_compass(int top, bool traditional) {
    struct Dir {
        char key;
        int col, row;
        const char* directed;
        const char* turning;
        bool rare;  // darkened in the turning style
    };
    static const Dir dirs[] = {
        {'8', 1, 0, "Move north", "Move forwards", false},
        {'7', 0, 0, "Move northwest", "Turn 90\xF8 left", false},
        {'4', 0, 1, "Move west", "Turn 45\xF8 left", false},
        {'1', 0, 2, "Move southwest", "Turn 180\xF8 left", true},
        {'2', 1, 2, "Move south", "Move backwards", true},
        {'9', 2, 0, "Move northeast", "Turn 90\xF8 right", false},
        {'6', 2, 1, "Move east", "Turn 45\xF8 right", false},
        {'3', 2, 2, "Move southeast", "Turn 180\xF8 right", true},
    };
    const int x0 = 358, step_x = 26, y0 = top + 16, step_y = 20;
    char cap[4] = "5";
    render_key_caption(page, x0 + step_x, y0 + step_y - 5, cap, white());
    for (const Dir& d : dirs) {
        int x = x0 + d.col * step_x, y = y0 + d.row * step_y;
        cap[0] = d.key;
        render_key_caption(page, x, y - 5, cap, white());
        const char* label = traditional ? d.directed : d.turning;
        uint32_t colour = (!traditional && d.rare) ? dark() : khaki();
        int len = int(std::strlen(label));
        if (d.col == 0) text_at(x - 6 - 8 * len, y, label, colour);
        else if (d.col == 2) text_at(x + 28, y, label, colour);
        else if (d.row == 0) text_at(x + 11 - 4 * len, y - 14, label, colour);
        else text_at(x + 11 - 4 * len, y + 15, label, colour);
    }
}

void draw_page(bool traditional) {
    if (!open_tall_page(page, PAGE_W, PAGE_H)) return;
    ++key_help_page_drawings;
    render_window(page.renderer, 0, 0, PAGE_W, PAGE_H, "", WIN_SMOKE, 0);
    render_text_with_keycaps(page, 10, 12, key_help_top_line(), white());
    render_text_with_keycaps(page, 700, 12, "[ESC]Exit", white());
    Layout l;
    l.y = 36;
    l.text("The game is controlled by keyboard commands which are upper and lower case sensitive. Within menus "
           "you can also use mouse to point and click desired options. These are the keys you need to survive in the far north.",
           pale(), 10);
    l.y -= 18;
    // Movement.
    int top = l.section("MOVEMENT");
    draw_compass(top, traditional);
    l.y = top + 16 + 3 * 20 + 14;
    l.text("[CTRL] + movement key to strafe", pale());
    if (traditional) {
        l.text("Use numpad or cursor keys to move as described above.", pale());
        l.text("You may switch back to direction based Ksm movement mode in setup options.", pale());
    } else {
        l.text("Ksm movement system may feel tricky at first, but after a while you get used to it. The darkened "
               "movement commands are rarely needed.", pale());
        l.text("You may also switch to traditional roguelike movement in setup options.", pale());
    }
    l.row({key_caption_line("ENTER.", KEY_ENTER)});
    l.row({keys_of('.')});
    l.row({keys_of('/')});
    char hotkeys[200];
    format_text(hotkeys, sizeof hotkeys, "Following hotkeys can be used to quickly access \"%s\":", key_command_text('/', 0));
    l.text(hotkeys, pale());
    l.row({keys_of('R'), keys_of('h'), keys_of('u')});
    l.row({keys_of('-'), "[ALT -]Rest until not fatigued", keys_of('Z')});

    l.section("LOOKING AROUND");
    l.row({keys_of('l'), keys_of('x')});
    l.row({keys_of(':')});
    l.text("Zoom map view at any time by mouse wheel or with the following keys:", pale());
    l.text("[CTRL -] Zoom out [CTRL +] Zoom in [CTRL 0] Reset or max out", pale());

    l.section("PICKING AND MOVING ITEMS");
    l.row({keys_of('g')});
    l.row({keys_of('G')});
    l.row({keys_of('m')});
    l.row({keys_of('p')});

    l.section("INVENTORY AND USING ITEMS");
    l.row({keys_of('i'), keys_of('d')});
    l.row({keys_of('w'), keys_of('W')});
    l.row({keys_of('a'), keys_of('T')});
    l.row({keys_of('e'), keys_of('q')});

    l.section("INTERACTING AND CRAFTING");
    l.row({keys_of('s'), keys_of('M')});
    l.row({keys_of('r')});
    l.row({keys_of('o'), keys_of('c')});
    l.row({keys_of('f'), keys_of('b')});
    l.row({keys_of('C'), keys_of('!')});

    l.section("COMBAT");
    l.row({keys_of('1'), keys_of('2'), keys_of('3')});
    l.row({keys_of('0'), keys_of('9'), keys_of('X')});
    l.row({keys_of('t')});

    l.section("INFORMATION AND PROFILES");
    l.row({keys_of(KEY_F2)});
    l.row({keys_of(KEY_F4), keys_of(KEY_F5)});
    l.row({keys_of(KEY_F6), keys_of(KEY_F7)});
    l.row({keys_of('A'), keys_of('P')});
    l.row({keys_of('v')});

    l.section("HELP AND GAME OPTIONS");
    l.row({keys_of(KEY_ESC)});
    l.row({keys_of(KEY_F1), "?.This list of keyboard commands"});
    l.row({keys_of(KEY_CTRL_S), keys_of('Q')});

    l.y += 22;
    text_at(10, l.y, "That is all. Into the far north these keys shall take you.", white());
    key_help_used_height = l.y + 30;
    if (key_help_used_height > PAGE_H) key_help_used_height = PAGE_H;
}

}  // namespace

const char* key_help_top_line() {
    static char line[120];
    format_text(line, sizeof line, "Scroll this help screen with mouse wheel or cursor keys [PgUp][PgDn][%c][%c]", char(24),
                char(25));
    return line;
}

void key_help_screen() {
    if (canvas == nullptr || game_renderer == nullptr) return;
    int style = traditional_movement ? 1 : 0;
    if (page.surface == nullptr || style != drawn_style) {
        draw_page(style == 1);
        drawn_style = style;
    }
    if (page.surface == nullptr) return;
    const int limit = tall_page_scroll_limit(key_help_used_height);
    key_help_scroll = 0;
    for (;;) {
        show_tall_page(page, key_help_scroll);
        int key = menu_read_key();
        if (key == KEY_ESC || (key == KEY_WINDOW_CLOSED && window_close_requested())) break;
        switch (key) {
        case KEY_UP: key_help_scroll -= 18; break;
        case KEY_DOWN: key_help_scroll += 18; break;
        case KEY_PGUP: key_help_scroll -= 400; break;
        case KEY_PGDN: key_help_scroll += 400; break;
        case KEY_HOME: key_help_scroll = 0; break;
        case KEY_END: key_help_scroll = limit; break;
        case KEY_WHEEL_UP: key_help_scroll -= 54; break;
        case KEY_WHEEL_DOWN: key_help_scroll += 54; break;
        default: break;
        }
        if (key_help_scroll < 0) key_help_scroll = 0;
        if (key_help_scroll > limit) key_help_scroll = limit;
    }
    // Back to the screen it covered (with the map view when it is shown).
    present_screen();
}
