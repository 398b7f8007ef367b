// Information screens: the story page, armour coverage and wounds on the
// body figure, and the message log viewer.
#include "screens/info_screens.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>
#include <string>

#include "base/stubs.h"
#include "console/console.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/encyclopedia.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/debug_log.h"
#include "base/text_ring.h"
#include "body/body_services.h"
#include "objects/armour_protection.h"
#include "ui/backgrounds.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "ui/sound.h"

const char* story_picture_for(const char* title, const char* default_picture) {
    static const struct {
        const char* word;
        const char* picture;
    } pictures[] = {
        {"KESMORRA", "scene-kesmorra.jpg"},       {"VILLAGE", "terrain-village.jpg"},
        {"HELPLESS", "scene-helpless.jpg"},       {"HUNTING TRIP", "cre-bear.jpg"},
        {"AGRICULTURE", "scene-agriculture.jpg"}, {"FISHERMAN", "scene-fishing.jpg"},
        {"CAMP", "scene-camp.jpg"},               {"TRAPPING", "scene-trapping.jpg"},
        {"SETTLER", "terrain-house.jpg"},         {"TRAP-FENCE", "info-fence.jpg"},
    };
    const char* chosen = default_picture;
    for (const auto& p : pictures)
        if (title && std::strstr(title, p.word)) chosen = p.picture;
    return chosen;
}

namespace {
bool screen_ready() { return graphics_initialised && canvas != nullptr; }
}  // namespace

void show_story_screen() {
    FILE* file = open_file_ci(character_file("story.txt"), "rb");
    if (file == nullptr) return;
    char title[301] = "", picture[301] = "";
    read_data_line(title, sizeof title, file);
    read_data_line(picture, sizeof picture, file);
    clear_word_buffer();
    char line[1024];
    while (read_data_line(line, sizeof line, file)) {
        if (line[0] == ' ' && line[1] == ' ') add_text_to_word_buffer(false, "<br>");
        add_text_to_word_buffer(false, line);
    }
    std::fclose(file);
    if (!screen_ready()) return;
    if (background_surface) SDL_BlitSurface(background_surface, nullptr, canvas, nullptr);
    draw_window(0, 0, 800, 600, title, 48);
    draw_picture(story_picture_for(title, picture), 390, 25);
    draw_tagged_text(10, 310, 770, 0, map_rgb(246, 254, 186), 0);
}

void show_start_story() {
    if (Plr.scenario < 100) return;
    if (Plr.days_played <= 2) wear_starting_clothes();
    Plr.scenario -= 100;
    if (!screen_ready()) return;
    infobrowser("FIRST TIMER INFO");
    show_story_screen();
    clear_word_buffer();
    add_text_to_word_buffer(
        true,
        "The story below is a description of your start-up scenario and a rough background of your character. "
        "You may find it interesting to follow or you can just ignore it. It only tells you what brought "
        "your character here - the rest is up to you. There are so many paths to follow, so many scenes to see, so "
        "many windbreezes to feel and ever so many secrets to find from the world around or within you...");
    draw_paper_window(5, 25, 375, 107, "");  // the words are in black ink
    draw_tagged_text(10, 30, 360, 0, map_rgb(0, 0, 0), 0);
    draw_text_at(200, 580, "Press a key to continue - The Kesmorra awaits ", map_rgb(255, 255, 255), 1);
    present_screen();
    wait_key();
}

// ------------------------------------------------------------ the body figure

// Seeds in the order of the coverage bits: skull, eye, face, neck,
// shoulder, upper arm, elbow, forearm, hand, thorax, abdomen, hip, groin,
// thigh, knee, calf, foot.
const BodyRegion body_regions[BODY_REGIONS] = {
    {668, 100, 10, 5}, {657, 117, 2, 1},  {668, 120, 8, 3},  {668, 145, 4, 3},  {605, 160, 5, 3},
    {596, 190, 4, 8},  {596, 210, 3, 3},  {596, 232, 3, 9},  {596, 260, 5, 5},  {668, 180, 30, 15},
    {668, 235, 25, 8}, {633, 253, 5, 5},  {668, 260, 6, 5},  {635, 290, 6, 10}, {640, 316, 5, 4},
    {638, 345, 4, 12}, {635, 380, 6, 3},
};

Uint32 body_fill_colour = 0;
Uint32 body_inside_colour = 0;

namespace {

bool screen_on() { return canvas != nullptr; }

void draw_figure() {
    draw_picture("armour_black.png", BODY_FIGURE_X, 0);
    draw_picture("armour.png", BODY_FIGURE_X, 0);
}

// Whether a canvas pixel has a colour (the canvas's unused fourth byte,
// which blits may leave anything in, does not count).
bool pixel_is(int x, int y, Uint32 colour) {
    const SDL_PixelFormat* f = canvas->format;
    const Uint32 mask = f->Rmask | f->Gmask | f->Bmask;
    return (get_pixel(x, y) & mask) == (colour & mask);
}

// A flood fill that replaces one colour: the pixels of `target` connected
// to (x, y) become `fill`.
void fill_replacing(int x, int y, Uint32 fill, Uint32 target) {
    if (!screen_on()) return;
    const SDL_PixelFormat* f = canvas->format;
    if ((fill & (f->Rmask | f->Gmask | f->Bmask)) == (target & (f->Rmask | f->Gmask | f->Bmask))) return;
    if (x < 0 || y < 0 || x >= CANVAS_W || y >= CANVAS_H || !pixel_is(x, y, target)) return;
    std::vector<int> stack;
    stack.push_back(y * CANVAS_W + x);
    while (!stack.empty()) {
        int at = stack.back();
        stack.pop_back();
        int px = at % CANVAS_W, py = at / CANVAS_W;
        if (!pixel_is(px, py, target)) continue;
        put_pixel(px, py, fill);
        if (px + 1 < CANVAS_W) stack.push_back(at + 1);
        if (px > 0) stack.push_back(at - 1);
        if (py + 1 < CANVAS_H) stack.push_back(at + CANVAS_W);
        if (py > 0) stack.push_back(at - CANVAS_W);
    }
}

Uint32 rgb_of(uint32_t packed) { return map_rgb(int(packed >> 16) & 255, int(packed >> 8) & 255, int(packed) & 255); }

}  // namespace

void draw_body_figure_page(const char* title, const char* background) {
    draw_picture(background, 0, 0);
    draw_screen_title(title);
    draw_figure();
    present_screen();
}

void fill_body_region(int region) {
    if (region < 0 || region >= BODY_REGIONS) return;
    const BodyRegion& r = body_regions[region];
    fill_replacing(r.x, r.y, body_fill_colour, body_inside_colour);
    fill_replacing(mirror_x(r.x), r.y, body_fill_colour, body_inside_colour);
}

uint32_t protection_colour(int p) {
    int entry;
    if (p <= 0) return 0x140000;  // (20, 0, 0)
    switch (p) {
    case 1: entry = 45; break;
    case 2: entry = 59; break;
    case 3: entry = 56; break;
    case 4:
    case 5: entry = 32; break;
    case 6: entry = 196; break;
    case 7: entry = 10; break;
    default: entry = 2; break;
    }
    return (uint32_t(palette[entry][0]) << 16) | (uint32_t(palette[entry][1]) << 8) | palette[entry][2];
}

void draw_coverage_frame() {
    draw_body_figure_page("ARMOUR COVERAGE STATISTICS", "bg-coverage.jpg");
    draw_sunken_box(10, 30, 460, 15);
    draw_text_at(15, 34, "COVERAGE ASPECTS:", map_rgb(176, 196, 222), 0);
    draw_colour_legend(660, 400);
    const Uint32 pale_khaki = map_rgb(240, 230, 140);
    draw_text_at(595, 415, "INFERIOR PROTECTION", pale_khaki, 1);
    draw_text_at(595, 450, " AVERAGE PROTECTION", pale_khaki, 1);
    draw_text_at(595, 485, "SUPERIOR PROTECTION", pale_khaki, 1);
    // A dark window: the light text does not show on birch bark.
    draw_window(10, 460, 460, 80, "", WIN_SMOKE);
    static const char* const lines[] = {
        "Various coverage aspects show your armour protection",
        "against different kind of attacks. Some armours can",
        "be very protective against some attacks but can't maybe",
        "absorb other kind of attacks at all. This is mostly",
        "a matter of armour material. See more information from",
        "the game info browser.",
    };
    for (int i = 0; i < 6; ++i) draw_text_at(20, 468 + 11 * i, lines[i], map_rgb(238, 232, 170), 0);
}

namespace {

struct AspectRow {
    int key;
    int y;
    const char* caption;
    int aspect;
    const char* word;
};
const AspectRow ASPECT_ROWS[] = {
    {'B', 53, " <B>LUNT .Blunt attacks", ASPECT_BLUNT, "BLUNT"},
    {'P', 71, " <P>OINT .Point (stab) attacks", ASPECT_POINT, "POINT"},
    {'S', 89, "<S>QUEEZE.Squeezing attacks", ASPECT_SQUEEZE, "SQUEEZE"},
    {'E', 107, " <E>DGE  .Edge attacks", ASPECT_EDGE, "EDGE"},
    {'T', 125, " <T>EAR  .Tear (bite/claw) attacks", ASPECT_TEAR, "TEAR"},
    {'W', 143, " <W>ARMTH.Protection against cold", ASPECT_WARMTH, "WARMTH"},
    {'A', 165, "<A>VERAGE.Average (excluding warmth)", ASPECT_AVERAGE, "ALL (AVERAGE)"},
};

const char* aspect_word(int aspect) {
    for (const AspectRow& r : ASPECT_ROWS)
        if (r.aspect == aspect) return r.word;
    return "";
}

void draw_coverage(int mode, const char* item_name, int aspect) {
    char title[40];
    if (mode == 0) {
        copy_text(title, "OVERALL ARMOUR COVERAGE");
    } else if (item_name && item_name[0]) {
        char name[TEXT_RING_BYTES];
        copy_text(name, upper_case_copy(item_name));
        if (std::strlen(name) > 25) {
            name[25] = '\0';
            append_text(name, sizeof name, "..");
        }
        copy_text(title, name);
    } else {
        copy_text(title, "SELECTED ARMOUR COVERAGE");
    }
    draw_highlight_window(550, 30, 230, 50, title, 0);
    char against[64];
    format_text(against, sizeof against, "...against: %s", aspect_word(aspect));
    draw_text_at(560, 60, against, map_rgb(255, 255, 255), 0);
    // The figure afresh, then each covered region in its grade's colour.
    draw_figure();
    const uint32_t covered = mode == 1 ? current_object_coverage() : 0;
    for (int region = 0; region < BODY_REGIONS; ++region) {
        int p;
        if (mode == 0) {
            p = plr_protection_at(region, aspect);
            if (p == 0) continue;
        } else {
            if (!(covered & (1u << region))) continue;
            p = object_protection(aspect);
        }
        body_fill_colour = rgb_of(protection_colour(p));
        fill_body_region(region);
    }
}

}  // namespace

void armour_coverage_screen(int mode, const char* item_name) {
    if (!screen_on()) return;
    const int map_state = map_view_state;
    map_view_state = 0;
    const bool held = no_flush;
    no_flush = true;
    draw_coverage_frame();
    draw_figure();
    play_music("music_chantbeat.ogg");
    body_inside_colour = get_pixel(body_regions[9].x, body_regions[9].y);
    list_init(int32_t(map_rgb(252, 252, 84)), "", 10, 50, 500, 540, LIST_TYPE_PLACED);
    for (const AspectRow& r : ASPECT_ROWS) list_add_item_at(15, r.key, r.y, r.caption);
    list_add_item_at(10, KEY_ESC, 435, "ESC.Exit");
    show_topic_hint("ARMOUR MATERIALS", "Coverage against specific attacks depends on the armour material.");
    save_menu_list();
    int aspect = ASPECT_AVERAGE;
    for (;;) {
        draw_coverage(mode, item_name, aspect);
        no_flush = held;
        present_screen();
        int row = LIST_Go();
        if (row < 0 || row >= list_header.count) {
            if (window_close_requested()) break;
            continue;
        }
        const int code = list_items[row].code;
        if (code == KEY_ESC) break;
        if (code == KEY_F1) {
            infobrowser("ARMOUR MATERIALS");
            load_menu_list();
            continue;
        }
        for (const AspectRow& r : ASPECT_ROWS)
            if (r.key == code) aspect = r.aspect;
    }
    if (sound_on) stop_all_sound();
    map_view_state = map_state;
}

void draw_wounds_page() {
    draw_body_figure_page("WOUNDS, INJURIES AND DISEASES", "bg-injury.jpg");
    draw_sunken_box(10, 30, 460, 15);
    draw_text_at(15, 34, "STATE      WOUND DESCRIPTION             INJURY  TREATED", map_rgb(176, 196, 222), 0);
    draw_highlight_window(10, 420, 460, 117, "", WIN_SMOKE);
    load_screen_info_text("WOUNDS");
    draw_tagged_text(20, 430, 350, 0, map_rgb(238, 232, 170), 0);
    clear_word_buffer();
    draw_colour_legend(420, 425);
    const Uint32 light = map_rgb(255, 255, 224);
    draw_text_at(385, 440, "  CRITICAL", light, 1);
    draw_text_at(385, 475, "  SERIOUS", light, 1);
    draw_text_at(385, 510, "   MINOR", light, 1);
}

// ------------------------------------------------------------ wound marks

namespace {

// The marks' own random numbers: a wound is drawn the same each time, and
// the game's generator is never reseeded for it.
std::minstd_rand mark_random;

int mark_below(int n) { return n <= 0 ? 0 : int(mark_random() % unsigned(n)); }

// Blood: darker the farther from the centre (0-6), on one of two rows.
Uint32 blood_colour(int far, int row) {
    if (far > 6) far = 6;
    int r = 190 - 18 * far, g = 16 + 2 * far, b = 16 + 2 * far;
    if (row == 1) {
        r -= 30;
        g += 12;
    }
    return map_rgb(r, g, b);
}

// The light marks of a small wound: fifteen shades of bruise and graze.
Uint32 light_mark_colour(int shade) {
    return map_rgb(214 - 4 * shade, 132 - 5 * shade, 118 - 4 * shade);
}

void mark_dot(int x, int y, Uint32 colour) {
    if (x < 0 || y < 0 || x >= CANVAS_W || y >= CANVAS_H) return;
    if (pixel_is(x, y, body_inside_colour)) put_pixel(x, y, colour);
}

}  // namespace

WoundMarkShape wound_mark_shape(int kind, int a) {
    if (kind >= 10 && kind <= 100) return {0, 0, 0, 0};
    switch (kind) {
    case 1: return {1, 3 * a + 6, a + 1, 4};
    case 2: return {2, 6 * a + 10, a + 1, 1};
    case 3: return {1, 3 * a + 2, 2 * a + 5, 6};
    case 4:
    case 5: return {1, 2 * (a + 3), a + 1, 4};
    case 6:
        if (a > 2) return {2, 6 * a + 12, 3, 4};
        return {2, 4 * (a + 3), a + 1, a + 2};
    default: return {0, 0, 0, 0};
    }
}

void draw_wound_mark(int region, int side, int kind, int severity, int seed) {
    if (region < 0 || region >= BODY_REGIONS || !screen_on()) return;
    WoundMarkShape shape = wound_mark_shape(kind, severity);
    if (shape.kind == 0) return;
    mark_random.seed(unsigned(seed == -666 ? ksm_rand() : seed + 666) | 1u);
    const BodyRegion& r = body_regions[region];
    // The mark lies up to dx left of and dy above the seed point, never
    // past it to the right or below (on either side of the figure).
    int x = side == 1 ? mirror_x(r.x) : r.x;
    x += mark_below(r.dx + 1) - r.dx;
    int y = r.y + mark_below(r.dy + 1) - r.dy;
    if (shape.kind == 1) draw_wound_splatter(x, y, shape.size, shape.thickness, shape.count);
    else draw_wound_cut(x, y, shape.size, shape.thickness, shape.count);
}

void draw_wound_splatter(int x, int y, int spread, int density, int samples) {
    if (!screen_on() || samples < 2) return;
    const int dots = 64 * density - 1;
    for (int i = 0; i < dots; ++i) {
        int sx = 0, sy = 0;
        for (int k = 0; k < samples - 1; ++k) {
            sx += mark_below(2 * spread + 1) - spread;
            sy += mark_below(2 * spread + 1) - spread;
        }
        int dx = sx / samples, dy = sy / samples;
        Uint32 colour;
        if (density < 5 && mark_below(10) < 8) {
            colour = light_mark_colour(mark_below(15));
        } else {
            int far = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
            colour = blood_colour(far, mark_below(2));
        }
        mark_dot(x + dx, y + dy, colour);
    }
}

void draw_wound_cut(int x, int y, int length, int width, int strokes) {
    if (!screen_on() || length <= 0) return;
    const bool along_x = mark_below(2) == 0;
    const int major_sign = mark_below(2) == 0 ? -1 : 1;
    const int minor_sign = mark_below(2) == 0 ? -1 : 1;
    const int rate = mark_below(21);
    const Uint32 speck = map_rgb(60, 0, 0);
    int major = 0, minor = 0, acc = 0;
    for (int step = 0; step < length; ++step) {
        major += major_sign;
        acc += rate;
        if (acc > 20) {
            minor += minor_sign;
            acc -= 20;
        }
        int u = width;
        if (step < 4 && step < u) u = step;
        if (length - 1 - step < 4 && length - 1 - step < u) u = length - 1 - step;
        for (int s = 0; s < strokes; ++s) {
            int cx = x + 7 * s + (along_x ? major : minor);
            int cy = y + 7 * s + (along_x ? minor : major);
            mark_dot(cx, cy, blood_colour(mark_below(3), mark_below(2)));
            // The bar across the cut.
            for (int k = -u / 2; k <= u - 1 - u / 2; ++k) {
                if (k == 0) continue;
                mark_dot(along_x ? cx : cx + k, along_x ? cy + k : cy, blood_colour(mark_below(4), mark_below(2)));
            }
            int off = mark_below(11) - 5;
            mark_dot(along_x ? cx + off : cx, along_x ? cy : cy + off, speck);
        }
    }
}

// ------------------------------------------------------------ message log

uint32_t message_log_colour(const char* tag) {
    const char* open = tag ? std::strchr(tag, '(') : nullptr;
    if (open == nullptr) return 0;
    const char* close = std::strchr(open, ')');
    if (close == nullptr || close - open < 7) return 0;
    uint32_t value = 0;
    for (int i = 1; i <= 6; ++i) {
        char c = open[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else return 0;
        value = value * 16 + uint32_t(digit);
    }
    return value;
}

bool message_log_position(const char* tag, int* x, int* y) {
    const char* open = tag ? std::strchr(tag, '{') : nullptr;
    if (open == nullptr || std::strlen(open) < 10 || open[9] != '}') return false;
    char part[5] = "";
    std::memcpy(part, open + 1, 4);
    char* end = nullptr;
    long px = std::strtol(part, &end, 16);
    if (end != part + 4) return false;
    std::memcpy(part, open + 5, 4);
    long py = std::strtol(part, &end, 16);
    if (end != part + 4) return false;
    if (x) *x = int(px);
    if (y) *y = int(py);
    return true;
}

int message_log_page_first = 0, message_log_page_last = 0, message_log_page_total = 0;

namespace {

struct LogLine {
    char tag[64];
    char text[MESSAGE_BYTES];
};

// The last lines of the log, oldest first, and how many the file held.
struct LogRing {
    LogLine lines[MESSAGE_LOG_RING];
    int count = 0;     // lines kept (at most the ring)
    int total = 0;     // lines in the file
};

bool read_message_log(LogRing& ring) {
    FILE* f = open_file_ci(character_file("msglog.txt"), "rb");
    if (f == nullptr) return false;
    ring.count = 0;
    ring.total = 0;
    static LogLine all[MESSAGE_LOG_RING];
    char line[1021];
    while (read_data_line(line, sizeof line, f) != nullptr) {
        LogLine& l = all[ring.total % MESSAGE_LOG_RING];
        const char* bar = std::strchr(line, '|');
        if (bar) {
            size_t n = size_t(bar - line);
            if (n >= sizeof l.tag) n = sizeof l.tag - 1;
            std::memcpy(l.tag, line, n);
            l.tag[n] = '\0';
            const char* text = bar + 1;
            if (*text == ' ') ++text;
            copy_text(l.text, text);
        } else {
            l.tag[0] = '\0';
            copy_text(l.text, line);
        }
        ++ring.total;
    }
    std::fclose(f);
    ring.count = ring.total < MESSAGE_LOG_RING ? ring.total : MESSAGE_LOG_RING;
    const int first = ring.total - ring.count;
    for (int i = 0; i < ring.count; ++i) ring.lines[i] = all[(first + i) % MESSAGE_LOG_RING];
    return true;
}

constexpr int LOG_TOP = 28, LOG_BOTTOM = 555;
const Uint32 PARCHMENT_R = 226, PARCHMENT_G = 197, PARCHMENT_B = 153;

// The height a message takes laid out across the page.
int message_height(const LogLine& l, bool developer) {
    char text[MESSAGE_BYTES + 40];
    copy_text(text, l.text);
    int x = 0, y = 0;
    if (developer && message_log_position(l.tag, &x, &y)) {
        char more[40];
        format_text(more, sizeof more, " | BIGXY %d,%d", x, y);
        append_text(text, sizeof text, more);
    }
    add_text_to_word_buffer(true, text);
    int h = draw_tagged_text(10, 0, 770, -1, 0, 0);
    return h + line_height;
}

// The first message shown when `bottom` is the newest one on the page.
int first_shown(const LogRing& ring, int bottom, bool developer) {
    const int page_lines = (CANVAS_H - 10 * line_height) / line_height;
    int used = 0, first = bottom;
    for (int i = bottom; i >= 0; --i) {
        int h = message_height(ring.lines[i], developer);
        if (used + h > LOG_BOTTOM - LOG_TOP || bottom - i + 1 > page_lines) break;
        used += h;
        first = i;
    }
    return first;
}

void draw_log_page(const LogRing& ring, int bottom, bool developer) {
    const Uint32 parchment = map_rgb(PARCHMENT_R, PARCHMENT_G, PARCHMENT_B);
    draw_window(0, 0, 800, 600, "Message log", WIN_PLAIN_FILL, parchment);
    if (ring.count == 0) return;
    const int first = first_shown(ring, bottom, developer);
    int y = LOG_TOP;
    for (int i = first; i <= bottom; ++i) {
        const LogLine& l = ring.lines[i];
        char text[MESSAGE_BYTES + 40];
        copy_text(text, l.text);
        int mx = 0, my = 0;
        if (developer && message_log_position(l.tag, &mx, &my)) {
            char more[40];
            format_text(more, sizeof more, " | BIGXY %d,%d", mx, my);
            append_text(text, sizeof text, more);
        }
        add_text_to_word_buffer(true, text);
        uint32_t c = message_log_colour(l.tag);
        y += draw_tagged_text(10, y, 770, 0, map_rgb(int(c >> 16) & 255, int(c >> 8) & 255, int(c) & 255), 0);
        y += line_height;
    }
    clear_word_buffer();
    char range[64];
    const int base = ring.total - ring.count;
    message_log_page_first = base + first + 1;
    message_log_page_last = base + bottom + 1;
    message_log_page_total = ring.total;
    format_text(range, sizeof range, "%d-%d (of %d)", message_log_page_first, message_log_page_last, ring.total);
    draw_text_at(300, 580, range, map_rgb(87, 87, 87), 0);
}

void log_page_rows() {
    list_init(0, "", 0, 0, 800, 600, LIST_TYPE_PLACED);
    list_add_item_at(10, KEY_UP, 575, "\x18");
    list_add_item_at(30, KEY_DOWN, 575, "\x19");
    list_add_item_at(55, KEY_PGUP, 575, "PgUp");
    list_add_item_at(100, KEY_PGDN, 575, "PgDn");
    list_add_item_at(160, KEY_ESC, 575, "ESC.Exit");
    list_add_item_at(550, KEY_ENTER, 575, "ENTER.Enter a note to log");
}

// The player's note: at least three characters, logged as "-- note".
void write_log_note() {
    const Uint32 parchment = map_rgb(PARCHMENT_R, PARCHMENT_G, PARCHMENT_B);
    fill_canvas_rect(10, 560, 771, 36, parchment);
    draw_sunken_box(10, 578, 780, 15);
    draw_text_at(10, 568, "You can now write a note which will be added to message log.", map_rgb(87, 87, 87), 0);
    text_cursor_x = 15;
    text_cursor_y = 582;
    const char* typed = input_text_line(map_rgb(252, 252, 84), 95);
    if (typed[0] == 27 || std::strlen(typed) < 3) return;
    char note[MESSAGE_BYTES];
    format_text(note, sizeof note, "-- %s", typed);
    append_message_log(0, 0, 0, "", note);
}

}  // namespace

void message_log_viewer() {
    static LogRing ring;
    if (!read_message_log(ring)) {
        show_message("!There are no previous messages.");
        return;
    }
    if (!screen_on()) return;
    const int map_state = map_view_state;
    map_view_state = 0;
    save_screen_under("message log");
    const bool developer = debug_messages_on != 0;
    int bottom = ring.count - 1;
    for (;;) {
        draw_log_page(ring, bottom, developer);
        log_page_rows();
        present_screen();
        int row = LIST_Go();
        if (row < 0 || row >= list_header.count) {
            if (window_close_requested()) break;
            continue;
        }
        const int code = list_items[row].code;
        if (code == KEY_ESC) break;
        const int page = (CANVAS_H - 10 * line_height) / line_height;
        switch (code) {
        case KEY_UP:
            if (bottom >= 0 && first_shown(ring, bottom, developer) > 0) --bottom;
            break;
        case KEY_DOWN:
            if (bottom < ring.count - 1) ++bottom;
            break;
        case KEY_PGUP:
            for (int i = 0; i < page && bottom >= 0 && first_shown(ring, bottom, developer) > 0; ++i) --bottom;
            break;
        case KEY_PGDN:
            bottom += page;
            if (bottom > ring.count - 1) bottom = ring.count - 1;
            break;
        case KEY_ENTER:
            write_log_note();
            read_message_log(ring);
            bottom = ring.count - 1;
            break;
        default: break;
        }
    }
    clear_word_buffer();
    map_view_state = map_state;
    restore_screen_under("message log");
    free_screen_under("message log");
}

void raise_all_attributes() {
    uint8_t* attributes[] = {&Plr.str, &Plr.agi, &Plr.spd, &Plr.dex, &Plr.end, &Plr.smt,
                             &Plr.tch, &Plr.wil, &Plr.eye, &Plr.intel, &Plr.hrg};
    for (uint8_t* a : attributes)
        if (*a < 18) ++*a;
}
