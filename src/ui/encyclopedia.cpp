// The encyclopedia: the topic table, the hint bar and the page browser.
#include "ui/encyclopedia.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/prompts.h"
#include "ui/sound.h"

EncyclopediaTopic encyclopedia_topics[TOPIC_SLOTS];
char topic_history[TOPIC_HISTORY_SLOTS][TOPIC_NAME_BYTES];
char page_links[PAGE_LINK_SLOTS][TOPIC_NAME_BYTES];
int page_link_count = PAGE_LINK_FIRST;
char last_page[TOPIC_NAME_BYTES] = "";
int page_text_x = PAGE_LEFT, page_text_y = PAGE_TOP;

namespace {

constexpr const char* NO_SHORT_TEXT = "Info missing. Report!";
constexpr const char* HINT_F1_ROW = "F1.Launch Kesmorra encyclopedia and learn more";
constexpr const char* LINK_ROW_TEXT = "LINK";
constexpr int PAGE_LINE_BYTES = 201;  // a data line of up to 200 characters
// The page's window: black text on light birch bark.
constexpr int PAGE_WINDOW = WIN_BIRCH;
// List rows kept free under a page's links for the navigation rows.
constexpr int NAVIGATION_ROWS = 6;

// The link each list row of the page stands for (an index of page_links).
int row_link[LIST_ROWS];
// Lines laid out on the page so far, and the page's underline colour.
int laid_lines = 0;
Uint32 link_underline_colour = 0;
// The topic last written to "GFX.NFO" (so that a cursor move over the same
// topic writes nothing).
char hint_topic_written[TOPIC_NAME_BYTES] = "";
bool hint_topic_known = false;

void upper_into(char* dst, size_t cap, const char* src) {
    copy_text(dst, cap, src ? src : "");
    for (char* p = dst; *p; ++p) *p = char(latin1_upper((unsigned char)*p));
}

Uint32 rgb(int r, int g, int b) { return map_rgb(r, g, b); }

bool screen_ready() { return canvas != nullptr; }

// "NAME" with a dot on each side.
void dotted(char* out, size_t cap, const char* name) { format_text(out, cap, ".%s.", name); }

// A list row laid by hand: the list widget keeps one row per key, and every
// link row has the code 0.
void add_link_row(int x, int y, int w, int h, int link) {
    if (list_header.count < 0) list_header.count = 0;
    if (list_header.count >= LIST_ROWS - NAVIGATION_ROWS) return;
    ListItem& it = list_items[list_header.count];
    std::memset(&it, 0, sizeof it);
    copy_text(it.text, LINK_ROW_TEXT);
    it.code = 0;
    it.x = x;
    it.y = y;
    it.width = w;
    it.height = h;
    row_link[list_header.count] = link;
    ++list_header.count;
}

bool already_linked(const char* name) {
    for (int i = PAGE_LINK_FIRST; i < page_link_count && i < PAGE_LINK_SLOTS; ++i)
        if (std::strcmp(page_links[i], name) == 0) return true;
    return false;
}

bool link_boundary_before(char c) { return std::strchr(",.' ", c) != nullptr && c != '\0'; }
bool link_boundary_after(char c) { return std::strchr("<,.' ", c) != nullptr && c != '\0'; }

// Where the name stands as a link in the upper-cased line, or -1: the first
// place with a fitting character on each side, or right after a "[".
int link_position(const char* upper_line, const char* name) {
    size_t n = std::strlen(name);
    for (const char* at = std::strstr(upper_line, name); at; at = std::strstr(at + 1, name)) {
        char before = at == upper_line ? '\0' : at[-1];
        char after = at[n];
        if (before == '[') return int(at - upper_line);
        bool start_ok = at == upper_line || link_boundary_before(before);
        if (start_ok && link_boundary_after(after)) return int(at - upper_line);
    }
    return -1;
}

// The next line of a page, or false (and the file as it was) when the
// next line is a header, the page's end or the end of the file.
bool read_page_line(char* out, int cap, FILE* file) {
    long mark = std::ftell(file);
    if (read_data_line(out, cap, file) == nullptr) return false;
    if (out[0] == '.' || std::strstr(out, "***")) {
        std::fseek(file, mark, SEEK_SET);
        return false;
    }
    return true;
}

void clear_page_links() {
    for (auto& l : page_links) l[0] = '\0';
    page_link_count = PAGE_LINK_FIRST;
    for (int& r : row_link) r = -1;
}

}  // namespace

// ------------------------------------------------------------ the topic table

void load_encyclopedia_topics() {
    std::memset(encyclopedia_topics, 0, sizeof encyclopedia_topics);
    FILE* file = open_file_ci(ENCYCLOPEDIA_FILE, "rb");
    if (file == nullptr) {
        init_log_line("load_encyclopedia_topics(): GAME.NFO is missing, the encyclopedia has no topics");
    } else {
        int next = 0;
        char line[PAGE_LINE_BYTES];
        while (read_data_line(line, sizeof line, file) != nullptr) {
            if (line[0] != '.') continue;
            char header[PAGE_LINE_BYTES];
            upper_into(header, sizeof header, line);
            // The page's first two lines (a header or the page's end among
            // them is left for the next round): the first gets a blank at its end.
            char first[PAGE_LINE_BYTES] = "", second[PAGE_LINE_BYTES] = "";
            if (!read_page_line(first, sizeof first, file)) first[0] = '\0';
            else if (!read_page_line(second, sizeof second, file)) second[0] = '\0';
            char joined[TOPIC_SHORT_BYTES];
            copy_text(joined, first);
            size_t len = std::strlen(joined);
            if (len > 0 && joined[len - 1] != ' ') append_text(joined, sizeof joined, " ");
            append_text(joined, sizeof joined, second);
            if (char* dot = std::strchr(joined, '.')) dot[1] = '\0';
            // Every name of the header takes the next entry.
            for (char* name = header + 1; *name && next < TOPIC_SLOTS;) {
                char* end = std::strchr(name, '.');
                if (end == nullptr) break;
                *end = '\0';
                if (name[0] != '\0') {
                    copy_text(encyclopedia_topics[next].name, name);
                    copy_text(encyclopedia_topics[next].short_text, joined);
                    ++next;
                }
                name = end + 1;
            }
        }
        std::fclose(file);
    }
    std::string list;
    list.reserve(TOPIC_SLOTS * 16);
    for (const EncyclopediaTopic& t : encyclopedia_topics) {
        list += t.name;
        list += "\n\r";
    }
    write_file_atomic(TOPIC_LIST_FILE, list);
}

namespace {
int topic_index(const char* name) {
    if (name == nullptr || name[0] == '\0') return -1;
    char upper[TOPIC_NAME_BYTES];
    upper_into(upper, sizeof upper, name);
    for (int i = 0; i < TOPIC_SLOTS; ++i)
        if (encyclopedia_topics[i].name[0] && std::strcmp(encyclopedia_topics[i].name, upper) == 0) return i;
    return -1;
}
}  // namespace

int is_encyclopedia_topic(const char* name) { return topic_index(name) >= 0 ? 1 : 0; }

const char* topic_short_text(const char* name) {
    int i = topic_index(name);
    if (i < 0 || encyclopedia_topics[i].short_text[0] == '\0') return NO_SHORT_TEXT;
    return encyclopedia_topics[i].short_text;
}

// ------------------------------------------------------------ the hint bar

namespace {

void remember_hint_topic(const char* name) {
    const char* n = name ? name : "";
    if (hint_topic_known && compare_no_case(hint_topic_written, n) == 0 && path_exists(HINT_TOPIC_FILE)) return;
    std::string line = std::string(n) + "\n";
    if (write_file_atomic(HINT_TOPIC_FILE, line)) {
        copy_text(hint_topic_written, n);
        hint_topic_known = true;
    }
}

// The hint's text line: the given text or the short text, at most 92
// characters, ".." added when it does not end in ".".
void hint_text_line(char* out, size_t cap, const char* name, const char* text) {
    char line[TOPIC_SHORT_BYTES];
    copy_text(line, (text && text[0]) ? text : topic_short_text(name));
    if (std::strlen(line) > 92) line[92] = '\0';
    size_t n = std::strlen(line);
    if (n == 0 || line[n - 1] != '.') append_text(line, sizeof line, "..");
    copy_text(out, cap, line);
}

void set_f1_rows_disabled(int disabled) {
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i)
        if (list_items[i].code == KEY_F1) list_items[i].disabled = disabled;
}

}  // namespace

void show_topic_hint(const char* name, const char* text) {
    remember_hint_topic(name);
    draw_window(5, 545, 790, 53, "", WIN_STONE);
    set_f1_rows_disabled(0);
    if (!is_encyclopedia_topic(name)) {
        set_f1_rows_disabled(1);
        return;
    }
    char upper[TOPIC_NAME_BYTES];
    upper_into(upper, sizeof upper, name);
    draw_text_at(15, 552, upper, rgb(240, 230, 140), 1);
    char line[TOPIC_SHORT_BYTES];
    hint_text_line(line, sizeof line, name, text);
    draw_text_at(15, 563, line, rgb(252, 252, 84), 1);
    if (name && name[0]) {
        list_add_item_at(10, KEY_F1, 575, HINT_F1_ROW);
        // The list may draw captions in its own colours: the label again.
        Uint32 old = key_label_colour;
        key_label_colour = rgb(176, 196, 222);
        draw_key_caption(10, 575, HINT_F1_ROW);
        key_label_colour = old;
    }
}

void show_spells_hint() {
    if (game_renderer == nullptr) return;
    remember_hint_topic("SPELLS");
    render_window(game_renderer, 5, 545, 790, 53, "", WIN_STONE, 0);
    if (!is_encyclopedia_topic("SPELLS")) return;
    auto word = [](int r, int g, int b) { return Uint32(r) | (Uint32(g) << 8) | (Uint32(b) << 16) | 0xFF000000u; };
    render_text_at(game_renderer, 15, 552, "SPELLS", word(240, 230, 140), 1);
    char line[TOPIC_SHORT_BYTES];
    hint_text_line(line, sizeof line, "SPELLS", "");
    render_text_at(game_renderer, 15, 563, line, word(252, 252, 84), 1);
    render_text_at(game_renderer, 18, 580, "F1", word(0, 0, 0), 0);
    render_text_at(game_renderer, 42, 580, HINT_F1_ROW + 3, word(176, 196, 222), 1);
}

// ------------------------------------------------------------ the browser

void infobrowser(const char* topic) {
    char name[TOPIC_NAME_BYTES];
    if (topic && std::strcmp(topic, "FILE") == 0) {
        FILE* file = open_file_ci(HINT_TOPIC_FILE, "rb");
        if (file == nullptr) return;
        char line[81];
        if (read_data_line(line, sizeof line, file) == nullptr) line[0] = '\0';
        std::fclose(file);
        copy_text(name, line);
    } else {
        copy_text(name, topic ? topic : "");
    }
    if (!screen_ready()) return;
    int out_w = 0, out_h = 0;
    output_size(&out_w, &out_h);
    // The map view is laid over the frame during play: not over the pages.
    int map_state = map_view_state;
    map_view_state = 0;
    save_screen_under("infobrowser");
    show_encyclopedia(name);
    map_view_state = map_state;
    restore_screen_under("infobrowser");
    free_screen_under("infobrowser");
    int now_w = 0, now_h = 0;
    output_size(&now_w, &now_h);
    if (now_w != out_w || now_h != out_h) present_screen();
}

void show_encyclopedia(const char* topic) {
    for (auto& h : topic_history) h[0] = '\0';
    play_music("music_munni.ogg");
    bool held = no_flush;
    no_flush = true;
    draw_picture("bg-heritage.jpg", 0, 0);
    draw_highlight_window(5, 5, 790, 16, "", 4096 + int(rgb(60, 90, 152) & 0x00FFFFFF));
    draw_text_at(305, 9, "KESMORRA ENCYCLOPEDIA", rgb(252, 252, 84), 1);
    no_flush = held;
    // Underlined in the links' own blue: white does not show on the page.
    link_underline_colour = rgb(60, 90, 152);
    clear_page_links();
    char name[TOPIC_NAME_BYTES];
    upper_into(name, sizeof name, topic);
    for (char* p = name; *p; ++p)
        if (*p == '*') *p = '"';
    if (name[0] == '\0') copy_text(name, "START");
    if (!run_encyclopedia(name)) {
        present_screen();
        show_no_information(name);
    }
    if (sound_on && std::strcmp(music_file_name, "music_munni.ogg") == 0) stop_all_sound();
}

namespace {

const char* const FIRST_TIMER_TEXT =
    "You are about to enter The Kesmorra for the first time with this character. "
    "When the game starts press [ESC] to view keyboard commands and help. "
    "From there on you may start to learn the secrets of the game.<br><br>"
    "This game encyclopedia can be started anytime by pressing [F1]. "
    "You are also notified during game-play when there's more information available about a topic.<br><br>"
    "The world beyond the game is rich and deeper than it first seems. Exploring and browsing the game "
    "encyclopedia may greatly stimulate your imagination and give greater texture and depth to the game. "
    "You'll also find answers to most of the questions about The Kesmorra and the game here.<br><br>"
    "Feel free to browse the game information now, or press [ESC] to exit and start playing. "
    "We'll start with the myth of The Kesmorra. You can go to main topics anytime by pressing [HOME].";

// The keyword typed into the box under a page; ESC gives the last page.
void read_keyword(char* out, size_t cap) {
    draw_sunken_box(235, 572, 400, 15);
    text_cursor_x = 240;
    text_cursor_y = 575;
    const char* typed = input_text_line(rgb(252, 252, 84), 30);
    if (typed[0] == 27) copy_text(out, cap, last_page);
    else upper_into(out, cap, typed);
}

bool show_history_page_back() {
    int newest = -1;
    for (int i = 0; i < TOPIC_HISTORY_SLOTS; ++i)
        if (topic_history[i][0]) newest = i;
    if (newest < 1) return false;
    // Drop the newest; the one before it is shown again (and stays newest).
    topic_history[newest][0] = '\0';
    char name[TOPIC_NAME_BYTES];
    copy_text(name, topic_history[newest - 1]);
    return show_encyclopedia_page(name) != 0;
}

}  // namespace

int run_encyclopedia(const char* topic) {
    const char* first = topic ? topic : "";
    if (std::strcmp(first, "FIRST TIMER INFO") == 0) {
        show_encyclopedia_page("THE KESMORRA");
        // The text's right edge at 630 takes eighteen lines of our font:
        // the window reaches 8 pixels further down than 205 (to just above
        // the navigation bar at 505), so that the last line is not cut.
        draw_window(60, 290, 640, 213, "FIRST TIMER INFO", WIN_STONE);
        add_text_to_word_buffer(true, FIRST_TIMER_TEXT);
        draw_tagged_text(65, 320, 630 - 65, 0, rgb(255, 255, 255), 0);
        clear_word_buffer();
    } else if (!show_encyclopedia_page(first)) {
        return 0;
    }
    for (;;) {
        draw_window(50, 505, 700, 90, "", WIN_SMOKE);
        load_screen_info_text("ENCYCLOPEDIA");
        draw_tagged_text(60, 515, 680 - 60, 0, rgb(238, 232, 170), 0);
        clear_word_buffer();
        present_screen();
        char answer[TOPIC_NAME_BYTES];
        copy_text(answer, encyclopedia_navigation());
        if (std::strcmp(answer, "QUIT") == 0) return 1;
        if (std::strcmp(answer, " ") == 0) read_keyword(answer, sizeof answer);
        if (answer[0] == '\0') {
            if (!show_history_page_back()) show_encyclopedia_page(last_page);
        } else if (std::strcmp(answer, "START") == 0) {
            show_encyclopedia_page("START");
        } else if (is_encyclopedia_topic(answer) && show_encyclopedia_page(answer)) {
            // the chosen page is on screen
        } else {
            show_no_information(answer);
            show_encyclopedia_page(last_page);
        }
    }
}

const char* encyclopedia_navigation() {
    static char answer[TOPIC_NAME_BYTES];
    list_add_item_at(55, KEY_HOME, 550, "HOME.Start page");
    int newest = -1;
    for (int i = 0; i < TOPIC_HISTORY_SLOTS; ++i)
        if (topic_history[i][0]) newest = i;
    if (newest >= 1) {
        char back[TOPIC_NAME_BYTES + 40];
        format_text(back, sizeof back, "%c-.Back to \"%s\"", char(27), topic_history[newest - 1]);
        if (std::strlen(back) > 60) std::memcpy(back + 57, "..\"", 4);
        list_add_item_at(235, KEY_BACKSPACE, 550, back);
    }
    list_add_item_at(655, KEY_ESC, 550, "ESC.Exit");
    list_add_item_at(55, KEY_SPACE, 570, "SPACE.Type a keyword");
    for (;;) {
        int row = LIST_Go();
        if (row < 0 || row >= LIST_ROWS) {
            if (window_close_requested()) return "QUIT";
            continue;
        }
        const ListItem& it = list_items[row];
        switch (it.code) {
        case KEY_BACKSPACE: return "";
        case KEY_ESC: return "QUIT";
        case KEY_SPACE: return " ";
        case KEY_HOME: return "START";
        default: break;
        }
        int link = page_link_of_row(row);
        if (link >= 0) {
            copy_text(answer, page_links[link]);
            return answer;
        }
    }
}

int page_link_of_row(int row) {
    if (row < 0 || row >= LIST_ROWS || row >= list_header.count) return -1;
    int link = row_link[row];
    return (link >= PAGE_LINK_FIRST && link < PAGE_LINK_SLOTS) ? link : -1;
}

int show_encyclopedia_page(const char* name) {
    list_init(int32_t(rgb(252, 252, 84)), "", 0, 0, 800, 600, LIST_TYPE_PLACED);
    list_header.highlight_colour = int32_t(rgb(60, 90, 152));
    for (int& r : row_link) r = -1;
    char wanted[TOPIC_NAME_BYTES];
    upper_into(wanted, sizeof wanted, name);
    if (std::strlen(wanted) < 3) return 0;
    FILE* file = open_file_ci(ENCYCLOPEDIA_FILE, "rb");
    if (file == nullptr) return 0;
    char search[TOPIC_NAME_BYTES + 2];
    dotted(search, sizeof search, wanted);
    char line[PAGE_LINE_BYTES], header[PAGE_LINE_BYTES] = "";
    bool found = false;
    while (read_data_line(line, sizeof line, file) != nullptr) {
        // Only a header line names a page; page text may mention ".NAME.".
        if (line[0] != '.') continue;
        upper_into(header, sizeof header, line);
        if (std::strstr(header, search)) {
            found = true;
            break;
        }
    }
    if (!found) {
        std::fclose(file);
        return 0;
    }
    push_topic_history(wanted);
    draw_window(50, 30, 700, 470, wanted, PAGE_WINDOW);
    clear_page_links();
    page_text_x = PAGE_LEFT;
    page_text_y = PAGE_TOP;
    laid_lines = 0;
    while (read_data_line(line, sizeof line, file) != nullptr) {
        if (std::strstr(line, "***")) break;
        if (line[0] == '%') {
            bool pop = std::strstr(line, "POP") != nullptr;
            char spec[PAGE_LINE_BYTES];
            if (read_data_line(spec, sizeof spec, file) == nullptr) break;
            if (pop) {
                draw_picture_spec(spec, 70, page_text_y + 15);
                present_screen();
            }
            continue;
        }
        if (line[0] == '.') continue;
        line[150] = '\0';  // page text is at most 150 characters
        layout_page_text(line, header);
    }
    std::fclose(file);
    copy_text(last_page, wanted);
    return 1;
}

namespace {

// The words and tags of one text line, as tagged text splits them.
struct LineLayout {
    const char* header;
    int start_x;  // where the current visual line's text began
    char text[1024];
    Uint32 colour;
};

void finish_line(LineLayout& l) {
    link_topics_in_line(l.start_x, page_text_y, l.text, l.header, false);
    l.text[0] = '\0';
    page_text_y += PAGE_LINE_STEP;
    page_text_x = PAGE_LEFT;
    l.start_x = PAGE_LEFT;
    ++laid_lines;
}

bool tag_colour(const char* tag, Uint32& colour) {
    static const struct {
        const char* tag;
        int r, g, b;
    } tags[] = {{"<blue>", 0, 0, 255}, {"<red>", 168, 0, 0}, {"<green>", 0, 168, 0},
                {"<lightgray>", 171, 171, 171}, {"<black>", 0, 0, 0}};
    for (const auto& t : tags)
        if (std::strcmp(tag, t.tag) == 0) {
            colour = rgb(t.r, t.g, t.b);
            return true;
        }
    if (tag[0] == '<' && tag[1] == '/') {
        colour = rgb(0, 0, 0);
        return true;
    }
    return false;
}

}  // namespace

void layout_page_text(const char* line, const char* header) {
    char source[1024];
    copy_text(source, line ? line : "");
    if (std::strlen(source) < 3 && !std::strstr(source, "<br>"))
        copy_text(source, laid_lines == 0 ? "<br><br>" : "<br>");
    add_text_to_word_buffer(true, source);
    LineLayout l{};
    l.header = header ? header : "";
    l.start_x = page_text_x;
    l.colour = rgb(0, 0, 0);
    int count = 0;
    while (count < WORD_BUFFER_SLOTS && word_buffer[count][0]) ++count;
    auto& words = word_buffer;
    for (int i = 0; i < count; ++i) {
        const char* word = words[i];
        if (std::strcmp(word, "<br>") == 0) {
            finish_line(l);
            continue;
        }
        if (word[0] == '<' && tag_colour(word, l.colour)) continue;
        if (std::strcmp(word, " ") == 0 && l.text[0] == '\0' && page_text_x == PAGE_LEFT) continue;
        char shown[WORD_BYTES + 2];
        copy_text(shown, word);
        size_t n = std::strlen(shown);
        if (n == 0 || shown[n - 1] != ' ') append_text(shown, sizeof shown, " ");
        int width = 8 * int(std::strlen(word));
        if (page_text_x + width > PAGE_RIGHT && page_text_x > PAGE_LEFT) {
            finish_line(l);
        } else if (i + 1 < count && words[i + 1][0] != '<') {
            // A link that would straddle the edge goes to the next line whole.
            int next_width = 8 * int(std::strlen(words[i + 1]));
            if (page_text_x + width + 8 + next_width > PAGE_RIGHT && page_text_x > PAGE_LEFT) {
                char trial[1200];
                format_text(trial, sizeof trial, "%s%s%s ", l.text, shown, words[i + 1]);
                if (link_topics_in_line(l.start_x, page_text_y, trial, l.header, true) >= PAGE_RIGHT + 1)
                    finish_line(l);
            }
        }
        if (page_text_x + width > PAGE_RIGHT) {
            // A word wider than a whole line is cut at the edge.
            int fit = (PAGE_RIGHT - page_text_x) / 8;
            if (fit < 1) fit = 1;
            shown[fit] = '\0';
            draw_text_at(page_text_x, page_text_y, shown, l.colour, 0);
            append_text(l.text, sizeof l.text, shown);
            append_text(l.text, sizeof l.text, " ");
            finish_line(l);
            continue;
        }
        draw_text_at(page_text_x, page_text_y, shown, l.colour, 0);
        append_text(l.text, sizeof l.text, shown);
        page_text_x += 8 * int(std::strlen(shown));
    }
    if (l.text[0]) link_topics_in_line(l.start_x, page_text_y, l.text, l.header, false);
    clear_word_buffer();
    ++laid_lines;
}

int link_topics_in_line(int x, int y, const char* line, const char* header, bool measure_only) {
    if (line == nullptr || std::strlen(line) <= 2) return 0;
    char upper[1200];
    upper_into(upper, sizeof upper, line);
    char head[PAGE_LINE_BYTES];
    upper_into(head, sizeof head, header ? header : "");
    int rightmost = 0;
    for (const EncyclopediaTopic& t : encyclopedia_topics) {
        if (t.name[0] == '\0' || t.name[1] == '\0' || t.name[2] == '\0') continue;  // 3 characters or more
        // The cheap test first: most names are not in the line at all.
        int at = link_position(upper, t.name);
        if (at < 0) continue;
        size_t n = std::strlen(t.name);
        char own[TOPIC_NAME_BYTES + 2];
        dotted(own, sizeof own, t.name);
        if (std::strstr(head, own)) continue;  // a page never links its own names
        if (already_linked(t.name)) continue;
        if (measure_only) {
            int reach = x + 8 * (at + int(n)) + 20;
            if (reach > rightmost) rightmost = reach;
            continue;
        }
        if (page_link_count > PAGE_LINK_LAST) break;
        int x0 = x + 8 * at;
        add_link_row(x0 - 2, y - 3, 8 * int(n) + 3, 15, page_link_count);
        draw_line(x0, y + 8, x0 + 8 * int(n) - 1, y + 8, link_underline_colour);
        char shown[TOPIC_NAME_BYTES];
        copy_text(shown, sizeof shown, line + at);
        shown[n] = '\0';
        draw_text_at(x0, y, shown, rgb(60, 90, 152), 0);
        copy_text(page_links[page_link_count], t.name);
        ++page_link_count;
    }
    return rightmost;
}

void show_no_information(const char* topic) {
    draw_window(50, 30, 700, 470, topic ? topic : "", PAGE_WINDOW);
    draw_text_at(60, 60, "Sorry, but there's no information available about this topic.", rgb(168, 0, 0), 0);
    draw_key_caption(60, 80, "Press a key to continue");
    present_screen();
    for (;;) {
        int key = menu_read_key();
        if (key > 0 || window_close_requested()) break;
    }
}

void push_topic_history(const char* name) {
    const char* n = name ? name : "";
    int newest = -1;
    for (int i = 0; i < TOPIC_HISTORY_SLOTS; ++i)
        if (topic_history[i][0]) newest = i;
    if (newest >= 0 && std::strcmp(topic_history[newest], n) == 0) return;
    if (newest == TOPIC_HISTORY_SLOTS - 1) {
        // Full: everything moves one place toward the oldest.
        for (int i = 0; i + 1 < TOPIC_HISTORY_SLOTS; ++i) copy_text(topic_history[i], topic_history[i + 1]);
        copy_text(topic_history[TOPIC_HISTORY_SLOTS - 1], n);
    } else {
        copy_text(topic_history[newest + 1], n);
    }
}
