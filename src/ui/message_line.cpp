// The message line: words drawn into the message window of the side panel,
// scrolling one line at a time, with a pause when a burst of lines would
// scroll by unread; and the message log in the character folder.
#include "ui/message_line.h"

#include <SDL.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/input.h"
#include "base/platform.h"
#include "ui/sound.h"
#include "base/tag_text.h"

namespace {

// The first "previous message": no message ever equals it.
constexpr const char* NO_PREVIOUS_MESSAGE = "\x01\x02no message yet\x02\x01";

constexpr int MESSAGE_MARGIN = 5;
constexpr int CHAR_W = 8;
constexpr int LINE_H = 10;
constexpr int RIGHT_LIMIT = 791;  // a word may not reach past this x
constexpr int PARCHMENT_R = 226, PARCHMENT_G = 197, PARCHMENT_B = 153;
constexpr int FORCED_PAUSE = 100;

bool new_layout = true;  // follows the side panel's layout

// show_message_parts and show_message_as_is build their text here.
char joined_text[MESSAGE_BYTES];

struct Rgb {
    int r, g, b;
};

Rgb class_colour(const char* text) {
    size_t n = std::strlen(text);
    switch (n ? text[0] : 0) {
    case '!': return {168, 0, 0};
    case '#': return {20, 50, 112};
    case '&': return text[n - 1] == '!' ? Rgb{204, 51, 51} : Rgb{102, 51, 51};
    case '+': return {171, 87, 0};
    case ':': return {60, 90, 152};
    case '<': return {176, 196, 222};
    case '=': return {0, 128, 0};
    case '>': return {255, 255, 255};
    case '?': return {20, 120, 112};
    case '_': return {87, 87, 87};
    default: return {0, 0, 0};
    }
}

// Marks that are not drawn ('<' is drawn, like any other first character).
bool is_hidden_mark(char c) { return c && std::strchr("!#&+:=>?_", c) != nullptr; }

Uint32 canvas_colour(int r, int g, int b) {
    if (canvas && canvas->format) return SDL_MapRGB(canvas->format, Uint8(r), Uint8(g), Uint8(b));
    return map_rgb(r, g, b);
}

bool canvas_ready() { return canvas && canvas->format && canvas->format->BytesPerPixel == 4; }

Uint32* canvas_row(int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(canvas->pixels) + size_t(y) * size_t(canvas->pitch));
}

// Clips a rectangle to the canvas; false when nothing is left.
bool clip_to_canvas(int& x, int& y, int& w, int& h) {
    if (x < 0) { w += x; x = 0; }
    if (y < 0) { h += y; y = 0; }
    if (x + w > canvas->w) w = canvas->w - x;
    if (y + h > canvas->h) h = canvas->h - y;
    return w > 0 && h > 0;
}

void capitalise(char* text) {
    if (!text[0]) return;
    text[0] = char(latin1_upper(static_cast<unsigned char>(text[0])));
    bool pending = true;
    for (size_t i = 0; text[i]; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (pending) {
            c = latin1_upper(c);
            text[i] = char(c);
            pending = c && std::strchr("#!+?:&,=_()1234567890 ", c) != nullptr;
        } else if (std::strchr(".!:?", c) && c) {
            bool decimal_point = c == '.' && text[i + 1] >= '0' && text[i + 1] <= '9';
            if (!decimal_point) pending = true;
        }
    }
}

// Repaints the old text of the window in the fade shade of its row.
void fade_window_text() {
    if (!canvas_ready()) return;
    int x0 = message_box.x + MESSAGE_MARGIN, x1 = message_box.x + message_box.w - MESSAGE_MARGIN;
    int y0 = message_box.y + MESSAGE_MARGIN, y1 = message_box.y + message_box.h - MESSAGE_MARGIN;
    if (x0 < 0) x0 = 0;
    if (y0 < 0) y0 = 0;
    if (x1 > canvas->w - 1) x1 = canvas->w - 1;
    if (y1 > canvas->h - 1) y1 = canvas->h - 1;
    if (SDL_MUSTLOCK(canvas)) SDL_LockSurface(canvas);
    Uint32 parchment = canvas_colour(PARCHMENT_R, PARCHMENT_G, PARCHMENT_B);
    for (int y = y0; y <= y1; ++y) {
        int half = (y - (message_box.y + MESSAGE_MARGIN) + 1) / 2;
        auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
        Uint32 shade = canvas_colour(clamp(226 - half), clamp(187 - half), clamp(153 - half));
        Uint32* row = canvas_row(y);
        for (int x = x0; x <= x1; ++x) {
            if (row[x] != parchment && row[x] != shade) row[x] = shade;
        }
    }
    if (SDL_MUSTLOCK(canvas)) SDL_UnlockSurface(canvas);
}

// The log text of the message being shown: the words as drawn.
char log_text[MESSAGE_BYTES];

void write_word(const char* word, Uint32 colour) {
    int len = int(std::strlen(word));
    if (len == 0) return;
    if (message_cursor.x + CHAR_W * len > RIGHT_LIMIT) {
        pausescr(colour);
        scroll_message_box();
    }
    if (canvas) draw_text_at(message_cursor.x, message_cursor.y, word, colour, 0);
    append_text(log_text, sizeof log_text, word);
    message_cursor.x += CHAR_W * len;
}

// The digit of the date tag; values past the alphabet take its last digit.
char base62_digit(int value) {
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (value < 0) value = 0;
    if (value > 61) value = 61;
    return digits[value];
}

}  // namespace

MessageRect message_box = {498, 355, 296, 170};
MessagePoint message_cursor = {498 + 5, 355 + 170 - 10 - 5};
MessagePoint message_end_position = {0, 0};
char message_text[MESSAGE_BYTES];
char last_message[MESSAGE_BYTES] = "\x01\x02no message yet\x02\x01";
uint8_t message_pause_count = 0;
bool skip_message_pauses = false;
bool messages_suppressed = false;
bool allow_repeated_message = false;
bool message_keep_case = false;
bool fade_old_messages = false;

void set_message_box_layout(bool new_layout_on) {
    new_layout = new_layout_on;
    message_box = new_layout_on ? MessageRect{498, 355, 296, 170} : MessageRect{493, 398, 305, 130};
    message_cursor = {message_box.x + MESSAGE_MARGIN, message_box.y + message_box.h - LINE_H - MESSAGE_MARGIN};
}

void reset_message_line_state() {
    message_end_position = {0, 0};
    message_text[0] = 0;
    reset_last_message();
    message_pause_count = 0;
    skip_message_pauses = false;
    allow_repeated_message = false;
    message_keep_case = false;
    fade_old_messages = false;
    message_cursor = {message_box.x + MESSAGE_MARGIN, message_box.y + message_box.h - LINE_H - MESSAGE_MARGIN};
}

void reset_last_message() { copy_text(last_message, sizeof last_message, NO_PREVIOUS_MESSAGE); }

uint32_t message_class_colour(const char* text) {
    Rgb c = class_colour(text ? text : "");
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
}

void show_message(const char* text) {
    if (!text || !text[0] || messages_suppressed) return;

    // The caller's text may be one of our own buffers: take a copy first.
    char incoming[MESSAGE_BYTES];
    copy_text(incoming, sizeof incoming, text);

    message_text[0] = 0;
    if (incoming[0] == '*') {
        char section = incoming[1];
        char line = section ? incoming[2] : 0;
        coded_message(section, line, message_text, sizeof message_text);
    } else {
        copy_text(message_text, MESSAGE_MAX_CHARS + 1, incoming);
    }
    if (!message_text[0]) return;  // a code that names no line shows nothing

    // A sound mark "{name}" stands before the class mark.
    char sound_name[MESSAGE_BYTES];
    copy_text(sound_name, sizeof sound_name, text_between_delimiters(message_text, "{}"));
    if (sound_name[0]) {
        const char* close = std::strchr(message_text, '}');
        if (close) {
            char rest[MESSAGE_BYTES];
            copy_text(rest, sizeof rest, close + 1);
            copy_text(message_text, sizeof message_text, rest);
        }
    }

    if (!message_keep_case) capitalise(message_text);
    message_keep_case = false;

    if (std::strcmp(message_text, last_message) == 0 && !allow_repeated_message) return;
    copy_text(last_message, sizeof last_message, message_text);

    char class_text[2] = {message_text[0], 0};
    Rgb rgb = class_colour(message_text);
    Uint32 colour = canvas_colour(rgb.r, rgb.g, rgb.b);

    if (fade_old_messages) {
        fade_window_text();
        fade_old_messages = false;
    }

    log_text[0] = 0;
    pausescr(colour);
    scroll_message_box();

    char word[MESSAGE_BYTES];
    size_t word_len = 0;
    bool skip_test = false;
    for (size_t i = 0; message_text[i]; ++i) {
        char c = message_text[i];
        if (i >= 2 && c == ' ' && message_text[i - 1] == ' ' && !skip_test) {
            skip_test = true;  // the next character is taken without this test
            continue;
        }
        skip_test = false;
        if (i == 0 && is_hidden_mark(c)) continue;
        if (c == '@') continue;
        if (word_len < sizeof word - 1) word[word_len++] = c;
        word[word_len] = 0;
        if (c == ' ') {
            write_word(word, colour);
            word_len = 0;
            word[0] = 0;
        }
    }
    word[word_len] = 0;
    write_word(word, colour);

    message_end_position = message_cursor;

    if (sound_name[0]) {
        play_sample(sound_name, 0);
    } else {
        play_message_sound(message_text);
    }

    if (!no_flush && graphics_initialised) present_screen(0);

    append_message_log(rgb.r, rgb.g, rgb.b, class_text, log_text);
}

void show_message_parts(const char* text1, const char* text2, const char* text3) {
    char joined[MESSAGE_BYTES];
    copy_text(joined, sizeof joined, text1 ? text1 : "");
    append_text(joined, sizeof joined, text2 ? text2 : "");
    append_text(joined, sizeof joined, text3 ? text3 : "");
    copy_text(joined_text, sizeof joined_text, joined);
    show_message(joined_text);
}

void show_message_as_is(const char* text) {
    char copy[MESSAGE_BYTES];
    copy_text(copy, sizeof copy, text ? text : "");
    copy_text(joined_text, sizeof joined_text, copy);
    message_keep_case = true;
    show_message(joined_text);
    message_keep_case = false;
}

void scroll_message_box() {
    const MessageRect& b = message_box;
    if (canvas_ready()) {
        if (SDL_MUSTLOCK(canvas)) SDL_LockSurface(canvas);
        // Copy the text area up by one line, row by row from the top.
        int x = b.x + MESSAGE_MARGIN, y = b.y + MESSAGE_MARGIN + LINE_H;
        int w = b.w - 2 * MESSAGE_MARGIN, h = b.h - LINE_H - 2 * MESSAGE_MARGIN;
        int dy = b.y + MESSAGE_MARGIN;
        if (clip_to_canvas(x, y, w, h)) {
            for (int row = 0; row < h; ++row) {
                int to = dy + (y - (b.y + MESSAGE_MARGIN + LINE_H)) + row;
                if (to < 0 || to >= canvas->h) continue;
                std::memmove(canvas_row(to) + x, canvas_row(y + row) + x, size_t(w) * sizeof(Uint32));
            }
        }
        if (SDL_MUSTLOCK(canvas)) SDL_UnlockSurface(canvas);
        SDL_Rect fill = {b.x + MESSAGE_MARGIN, b.y + b.h - LINE_H - MESSAGE_MARGIN, b.w - 9, LINE_H + 1};
        SDL_FillRect(canvas, &fill, canvas_colour(PARCHMENT_R, PARCHMENT_G, PARCHMENT_B));
    }
    message_cursor = {b.x + MESSAGE_MARGIN, b.y + b.h - LINE_H - MESSAGE_MARGIN};
    text_cursor_x = 502;
    text_cursor_y = 503;
}

void pausescr(uint32_t colour) {
    if (messages_suppressed) return;
    if (skip_message_pauses) {
        message_pause_count = 0;
        return;
    }
    int limit = new_layout ? 14 : 9;
    if (message_pause_count <= limit) {
        ++message_pause_count;
        return;
    }

    int saved_x = text_cursor_x, saved_y = text_cursor_y;
    SDL_Rect area = {480, 525, 315, 50};
    bool drawing = canvas_ready();
    if (drawing) {
        save_screen_under("pausescr", &area);
        draw_key_caption(496, 528,
                         message_pause_count == FORCED_PAUSE ? "       Press [SPACE] to continue    "
                                                             : "   [SPACE] for more -- [ESC] skip   ");
    }
    message_pause_count = 0;

    for (;;) {
        if (drawing) present_rect(area.x, area.y, area.w, area.h, 1);
        controller_token[0] = 0;
        int key = read_key();
        if (key == KEY_SPACE || key == KEY_F1) break;
        if (key == KEY_ESC) {
            skip_message_pauses = true;
            break;
        }
        if (controller_token[0]) break;  // any key of the controller will do
    }

    if (drawing) restore_screen_under("pausescr");
    text_cursor_x = saved_x;
    text_cursor_y = saved_y;
    text_colour = colour;
    if (drawing) free_screen_under("pausescr");
}

void pause_prompt() {
    if (messages_suppressed) return;
    message_pause_count = FORCED_PAUSE;
    pausescr(text_colour);
    message_pause_count = 0;
}

// ------------------------------------------------------------- sounds

namespace {

struct MessageSound {
    const char* alternatives;  // phrases, each ended by '*'
    const char* sound;
};

// The rows in table order; the order decides.
const MessageSound message_sound_table[] = {
    {"MEOW*", "meow"},
    {"BIRD SING*", "bird1"},
    {"GRUNT*", "grunt"},
    {"HEAR A BARK*DOG BARK*BARKING*", "dog bark"},
    {"BLEAT*", "sheep"},
    {"SWAMP*", "splash"},
    {"MANAGED TO MAKE A FIRE*FIRE FLAM*", "fire"},
    {"DROPS IT*DROPS DOWN*", "drop"},
    {"CLANG*YOU BLOCK*IT BLOCKS*", "block"},
    {"FATAL WOUND*WORLD TURNS*", "death"},
    {"GROWL*", "growl"},
    {"ROAR*", "roar"},
    {"SWEAR*", "swear"},
    {"MEAN LAUGH*LAUGHS*LAUGHTER*", "meanlaug"},
    {"ARMOR ABSORBS*STAYS UNHURT*", "thump"},
    {"SNAP*", "crack"},
    {"WHIMPER*", "whimper"},
    {"HOWL*", "howl"},
    {"SPOILED*FOUL*", "spoil"},
    {"SNORT*", "snort"},
    {"YELP*", "yelp"},
    {"BAWL*", "bawl"},
    {"SQUEAK*", "squeak"},
    {"SNUFFLE*SNUFFLING*", "snuffle"},
    {"MANAGES TO ESCAPE*ESCAPING AWAY*DANCE*", "escape"},
    {"GUFFAW*", "guffaw"},
};

bool row_matches(const char* alternatives, const char* upper) {
    const char* p = alternatives;
    while (const char* star = std::strchr(p, '*')) {
        std::string phrase(p, size_t(star - p));
        if (!phrase.empty() && std::strstr(upper, phrase.c_str())) return true;
        p = star + 1;
    }
    return false;
}

}  // namespace

void play_message_sound(const char* text) {
    if (!sound_on || !text) return;
    char upper[MESSAGE_BYTES];
    copy_text(upper, MESSAGE_MAX_CHARS + 1, text);
    for (char* p = upper; *p; ++p) *p = char(latin1_upper(static_cast<unsigned char>(*p)));

    char name[SOUND_NAME_BYTES] = "";
    for (const MessageSound& row : message_sound_table) {
        if (row_matches(row.alternatives, upper)) {
            copy_text(name, sizeof name, row.sound);
            break;
        }
    }
    auto has = [&](const char* part) { return std::strstr(upper, part) != nullptr; };
    if (has("CRAVING FOR WATER!")) copy_text(name, sizeof name, "HITPLR5");
    if (has("MANAUS") || has("MAGIC")) copy_text(name, sizeof name, "MANAUS");
    if (has("CRY")) copy_text(name, sizeof name, "HITPLR4");
    if (has("ROAR")) copy_text(name, sizeof name, "ROAR");
    if (has("HOWL")) copy_text(name, sizeof name, "howl");
    if (has("FOREST LIVING")) {
        static const char* const birds[] = {"varis", "kapytikka", "harakka", "leppalintu",
                                            "keltasirkku", "peippo", "satakieli"};
        copy_text(name, sizeof name, birds[random_below(7)]);
    }
    if (has("NATURE LIVING")) {
        static const char* const sounds[] = {"windfly", "kapytikka", "harakka", "varis", "windfly", "windfly"};
        copy_text(name, sizeof name, sounds[random_below(6)]);
        if (std::strcmp(name, "windfly") == 0) next_sound_distance = 0;
    }
    if (std::strcmp(upper, "CHEER") == 0) copy_text(name, sizeof name, "harr");
    if (has("NIGHT LIVING")) copy_text(name, sizeof name, random_below(2) ? "owl" : "howl");

    if (!name[0]) return;
    for (char* p = name; *p; ++p) *p = char(latin1_upper(static_cast<unsigned char>(*p)));
    if (std::strcmp(name, "HITCR") == 0) {
        play_sample("smash", 0);
        SDL_Delay(200);
    }
    play_sample(name, 0);
}

// ------------------------------------------------------------- the log

void (*message_log_stamp)(MessageLogStamp& out) = nullptr;

void append_message_log(int red, int green, int blue, const char* class_text, const char* text) {
    MessageLogStamp stamp{};
    if (message_log_stamp) message_log_stamp(stamp);
    // No character, no folder: a log line would land beside the game.
    size_t name_len = strnlen(stamp.folder, sizeof stamp.folder);
    if (name_len == 0 || name_len >= sizeof stamp.folder) return;
    std::string path = std::string(stamp.folder, name_len) + "/msglog.txt";
    FILE* f = open_file_ci(path, "ab");
    if (!f) return;

    char prefix[96];
    format_text(prefix, sizeof prefix, "(%02X%02X%02X):%c%c%c%c:[%s]{%04X%04X}", unsigned(red & 255),
                unsigned(green & 255), unsigned(blue & 255), base62_digit(stamp.day),
                base62_digit(stamp.month), base62_digit(stamp.winters), base62_digit(stamp.hour),
                class_text ? class_text : "", unsigned(stamp.world_x) & 0xFFFFu,
                unsigned(stamp.world_y) & 0xFFFFu);
    size_t len = std::strlen(prefix);
    while (len < 33 && len < sizeof prefix - 1) prefix[len++] = ' ';
    prefix[len] = 0;
    std::fputs(prefix, f);
    std::fputs("| ", f);
    std::fputs(text ? text : "", f);
    std::fputs("\n", f);
    std::fclose(f);
}

int hex_value(const char* text) {
    if (!text) return 0;
    size_t n = std::strlen(text);
    long long sum = 0;
    for (size_t i = 0; i < n; ++i) {
        char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) continue;
        size_t distance = n - 1 - i;
        if (distance > 7) continue;  // past the reach of an int
        sum += (long long)digit << (4 * distance);
    }
    return int(sum & 0x7fffffff);
}

// A debug line on the message line, shown even while messages are quiet.
namespace {
void show_debug_line(const char* text) {
    char line[1024];
    format_text(line, sizeof line, "? %s", text != nullptr ? text : "");
    bool was_suppressed = messages_suppressed;
    messages_suppressed = false;
    show_message(line);
    messages_suppressed = was_suppressed;
}
}  // namespace

void debug_message(const char* text) {
    if (debug_messages_on) show_debug_line(text);
}

void debug_message_format(const char* format, ...) {
    if (!debug_messages_on) return;
    char text[256];
    va_list args;
    va_start(args, format);
    vformat_text(text, sizeof text, format, args);
    va_end(args);
    show_debug_line(text);
}

void quest_debug(const char* text) {
    if (!quest_debug_on && !debug_messages_on) return;
    show_debug_line(text);
    debug_log("!quests", text);
}
