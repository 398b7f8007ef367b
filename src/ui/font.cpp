// The bitmap font, the palette and text drawing.
#include "ui/font.h"

#include <cstring>

#include "base/debug_log.h"
#include "ui/canvas.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"

uint8_t font_glyphs[FONT_GLYPHS][GLYPH_H][GLYPH_W];
uint8_t palette[256][3];
int text_cursor_x = 0, text_cursor_y = 0;
Uint32 text_colour = 0;
Uint32 outline_colour = 0;
int line_height = 10;

namespace {

// Latin-1 characters from 160 up, as the font's code page 437 glyphs. Where
// the font has the letter it is used; other letters fall back to their
// plain form and signs to the nearest sign.
const unsigned char latin1_high_glyphs[96] = {
    255, 173, 155, 156, '?', 157, '|', 21,  '"', 'c', 166, 174, 170, '-', 'R', '-',   // 160
    248, 241, 253, '3', '\'', 230, 20, 250, ',', '1', 167, 175, 172, 171, '?', 168,   // 176
    'A', 'A', 'A', 'A', 142, 143, 146, 128, 'E', 144, 'E', 'E', 'I', 'I', 'I', 'I',   // 192
    'D', 165, 'O', 'O', 'O', 'O', 153, 'x', 'O', 'U', 'U', 'U', 154, 'Y', 'P', 225,   // 208
    133, 160, 131, 'a', 132, 134, 145, 135, 138, 130, 136, 137, 141, 161, 140, 139,   // 224
    'd', 164, 149, 162, 147, 'o', 148, 246, 'o', 151, 163, 150, 129, 'y', 'p', 152,   // 240
};

// The classic 256-colour VGA palette, used when "palette.nfo" is missing.
void builtin_palette() {
    static const uint8_t ega[16][3] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},
                                       {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
                                       {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                                       {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
    static const uint8_t greys[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
    static const uint8_t groups[9][5] = {{0, 16, 31, 47, 63}, {31, 39, 47, 55, 63},
                                         {45, 49, 54, 58, 63}, {0, 7, 14, 21, 28},
                                         {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
                                         {0, 4, 8, 12, 16},    {8, 10, 12, 14, 16},
                                         {11, 12, 13, 15, 16}};
    static const uint8_t hues[24][3] = {
        {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},
        {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0}, {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},
        {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
    uint8_t six[256][3] = {};
    int n = 0;
    for (auto& e : ega) { std::memcpy(six[n++], e, 3); }
    for (uint8_t g : greys) { six[n][0] = six[n][1] = six[n][2] = g; ++n; }
    for (auto& levels : groups)
        for (auto& h : hues) {
            for (int k = 0; k < 3; ++k) six[n][k] = levels[h[k]];
            ++n;
        }
    for (int i = 0; i < 256; ++i)
        for (int k = 0; k < 3; ++k) palette[i][k] = uint8_t((six[i][k] * 255 + 31) / 63);
}

inline void plot(int x, int y, Uint32 colour) {
    if (x < 0 || y < 0 || x >= CANVAS_W || y >= CANVAS_H) return;
    auto* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(canvas->pixels) + y * canvas->pitch);
    row[x] = colour;
}

void plot_glyph(int x, int y, unsigned char c, Uint32 colour) {
    if (x <= -GLYPH_W || y <= -GLYPH_H || x >= CANVAS_W || y >= CANVAS_H) return;
    for (int r = 0; r < GLYPH_H; ++r)
        for (int k = 0; k < GLYPH_W; ++k)
            if (font_glyphs[c][r][k] == 1) plot(x + k, y + r, colour);
}

// Plots a mapped text up to its first newline; returns the characters drawn.
int plot_text(int x, int y, const unsigned char* text, Uint32 colour) {
    if (canvas == nullptr) {
        int n = 0;
        while (text[n] && text[n] != '\n') ++n;
        return n;
    }
    bool locked = SDL_MUSTLOCK(canvas) && SDL_LockSurface(canvas) == 0;
    int n = 0;
    for (; text[n] && text[n] != '\n'; ++n) plot_glyph(x + 8 * n, y, text[n], colour);
    if (locked) SDL_UnlockSurface(canvas);
    return n;
}

void map_text(char* buffer) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(buffer); *p; ++p) *p = font_glyph_for(*p);
}

// The renderer variant of one line: each character through a small texture.
void render_glyphs(SDL_Renderer* renderer, int x, int y, const unsigned char* text, Uint32 colour) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, GLYPH_W, GLYPH_H, 32, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return;
    Uint32 ink = SDL_MapRGBA(s->format, Uint8(colour & 0xFF), Uint8((colour >> 8) & 0xFF),
                             Uint8((colour >> 16) & 0xFF), 255);
    for (int i = 0; text[i] && text[i] != '\n'; ++i) {
        SDL_FillRect(s, nullptr, 0);  // transparent
        auto* px = static_cast<Uint32*>(s->pixels);
        int stride = s->pitch / 4;
        for (int r = 0; r < GLYPH_H; ++r)
            for (int k = 0; k < GLYPH_W; ++k)
                if (font_glyphs[text[i]][r][k] == 1) px[r * stride + k] = ink;
        SDL_Texture* t = SDL_CreateTextureFromSurface(renderer, s);
        if (t == nullptr) continue;
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
        SDL_Rect dst = {x + 8 * i, y, GLYPH_W, GLYPH_H};
        SDL_RenderCopy(renderer, t, nullptr, &dst);
        SDL_DestroyTexture(t);
    }
    SDL_FreeSurface(s);
}

}  // namespace

bool load_font(const char* path) {
    std::memset(font_glyphs, 0, sizeof font_glyphs);
    if (!read_file_exact(resolve_path_ci(path), font_glyphs, sizeof font_glyphs)) {
        std::memset(font_glyphs, 0, sizeof font_glyphs);
        return false;
    }
    return true;
}

bool load_palette(const char* path) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(resolve_path_ci(path), bytes, PALETTE_FILE_SIZE) ||
        bytes.size() != size_t(PALETTE_FILE_SIZE)) {
        builtin_palette();
        init_log_line("palette.nfo missing or damaged: using the built-in palette");
        return false;
    }
    for (int i = 0; i < 256; ++i)
        for (int k = 0; k < 3; ++k) palette[i][k] = bytes[i * 12 + k * 4];
    return true;
}

unsigned char font_glyph_for(unsigned char c) {
    if (c < 160) return c;
    return latin1_high_glyphs[c - 160];
}

int draw_text_at(int x, int y, const char* text, Uint32 colour, int outline) {
    char work[300];
    copy_text(work, sizeof work, text ? text : "");
    map_text(work);
    const auto* mapped = reinterpret_cast<const unsigned char*>(work);
    text_colour = colour;
    if (x == -1) x = text_cursor_x;
    if (y == -1) y = text_cursor_y;
    if (outline == 1) {
        plot_text(x, y - 1, mapped, outline_colour);
        plot_text(x, y + 1, mapped, outline_colour);
        plot_text(x - 1, y, mapped, outline_colour);
        plot_text(x + 1, y, mapped, outline_colour);
    }
    if (x >= 0) {
        text_cursor_x = x;
        text_cursor_y = y;
    }
    int n = plot_text(x, y, mapped, colour);
    text_cursor_y = y;
    text_cursor_x += 8 * n;
    return text_cursor_x;
}

void render_text_at(SDL_Renderer* renderer, int x, int y, const char* text, Uint32 colour,
                    int flags) {
    if (renderer == nullptr) return;
    char work[300];
    copy_text(work, sizeof work, text ? text : "");
    map_text(work);
    const auto* mapped = reinterpret_cast<const unsigned char*>(work);
    if (x == -1) x = text_cursor_x;
    if (y == -1) y = text_cursor_y;
    if (flags & 1) {
        render_glyphs(renderer, x, y - 1, mapped, 0);
        render_glyphs(renderer, x, y + 1, mapped, 0);
        render_glyphs(renderer, x - 1, y, mapped, 0);
        render_glyphs(renderer, x + 1, y, mapped, 0);
    }
    if (x >= 0) {
        text_cursor_x = x;
        text_cursor_y = y;
    }
    render_glyphs(renderer, x, y, mapped, colour);
}

void draw_glyph(int x, int y, unsigned char c) {
    if (canvas == nullptr) return;
    bool locked = SDL_MUSTLOCK(canvas) && SDL_LockSurface(canvas) == 0;
    plot_glyph(x, y, c, text_colour);
    if (locked) SDL_UnlockSurface(canvas);
}

void draw_text_line_raw(int x, int y, const char* text) {
    if (text == nullptr) return;
    plot_text(x, y, reinterpret_cast<const unsigned char*>(text), text_colour);
}

namespace {

struct LayoutColours {
    const char* tag;
    Uint8 r, g, b;
};

// Shared layout of the canvas and renderer variants. draw(word, x, y,
// colour) draws one word (nullptr when only measuring).
template <class Draw>
int layout_words(int x, int y, int width, int mode, Uint32 colour, int lh,
                 const LayoutColours* tags, int tag_count, const char* const* closers,
                 int closer_count, Uint32 (*make)(Uint8, Uint8, Uint8), Draw draw,
                 bool local_x) {
    drawn_text_copy[0] = 0;
    int cx = x, cy = y, height = 0;
    text_cursor_x = x;
    text_cursor_y = y;
    Uint32 current = colour;
    for (int i = 0; i < WORD_BUFFER_SLOTS && word_buffer[i][0] != 0; ++i) {
        const char* entry = word_buffer[i];
        if (entry[0] == '<') {
            if (std::strcmp(entry, "<br>") == 0) {
                cy += lh;
                cx = x;
                height += lh;
                text_cursor_x = x;
                text_cursor_y = cy;
                continue;
            }
            bool known = false;
            for (int t = 0; t < tag_count && !known; ++t)
                if (std::strcmp(entry, tags[t].tag) == 0) {
                    current = make(tags[t].r, tags[t].g, tags[t].b);
                    known = true;
                }
            for (int t = 0; t < closer_count && !known; ++t)
                if (std::strcmp(entry, closers[t]) == 0) {
                    current = colour;
                    known = true;
                }
            continue;  // other tags are neither drawn nor shown
        }
        int n = int(strnlen(entry, WORD_BYTES));
        if (!local_x) cx = text_cursor_x;
        if (cx + 8 * n > x + width && n > 1) {
            cy += lh;
            cx = x;
            height += lh;
            text_cursor_x = x;
            text_cursor_y = cy;
        }
        char word[WORD_BYTES + 2];
        copy_text(word, sizeof word, entry);
        const char* next = (i + 1 < WORD_BUFFER_SLOTS) ? word_buffer[i + 1] : "";
        if (next[0] != 0 && next[0] != '.') append_text(word, sizeof word, " ");
        if (std::strlen(drawn_text_copy) + std::strlen(word) < size_t(DRAWN_TEXT_BYTES))
            append_text(drawn_text_copy, sizeof drawn_text_copy, word);
        int len = int(std::strlen(word));
        if (mode == -1) {
            cx += 8 * len;
            text_cursor_x = cx;
        } else {
            draw(word, cx, cy, current);
            cx += 8 * len;
            if (local_x) text_cursor_x = cx;
        }
        text_cursor_y = cy;
    }
    if (mode == -1) return local_x ? cy + lh - y : cy - y;
    return height;
}

Uint32 canvas_rgb(Uint8 r, Uint8 g, Uint8 b) { return map_rgb(r, g, b); }
Uint32 word_rgb(Uint8 r, Uint8 g, Uint8 b) {
    return Uint32(r) | (Uint32(g) << 8) | (Uint32(b) << 16) | 0xFF000000u;
}

}  // namespace

int draw_tagged_text(int x, int y, int width, int mode, Uint32 colour, int outline) {
    static const LayoutColours tags[] = {{"<blue>", 0, 0, 255},
                                         {"<red>", 168, 0, 0},
                                         {"<green>", 0, 168, 0},
                                         {"<lightgray>", 171, 171, 171},
                                         {"<black>", 0, 0, 0}};
    static const char* const closers[] = {"</green>", "</lightgray>"};
    return layout_words(
        x, y, width, mode, colour, 10, tags, 5, closers, 2, canvas_rgb,
        [outline](const char* word, int wx, int wy, Uint32 c) { draw_text_at(wx, wy, word, c, outline); },
        false);
}

int render_tagged_text(SDL_Renderer* renderer, int x, int y, int width, int mode, Uint32 colour,
                       int flags) {
    static const LayoutColours tags[] = {{"<blue>", 0, 0, 168},         {"<indblue>", 76, 81, 109},
                                         {"<infoblue>", 60, 90, 152},   {"<red>", 168, 0, 0},
                                         {"<green>", 0, 168, 0},        {"<lightgray>", 171, 171, 171},
                                         {"<black>", 0, 0, 0}};
    static const char* const closers[] = {"</blue>", "</indblue>", "</infoblue>", "</green>",
                                          "</lightgray>"};
    int lh = (flags & 2) ? 9 : 10;
    return layout_words(
        x, y, width, mode, colour, lh, tags, 7, closers, 5, word_rgb,
        [renderer, flags](const char* word, int wx, int wy, Uint32 c) {
            render_text_at(renderer, wx, wy, word, c, flags & 1);
        },
        true);
}

int draw_text_centered_wrapped(int x, int y, int width, const char* text, Uint32 colour,
                               int outline) {
    if (text == nullptr) return 0;
    char line[300] = "";
    int result = 0;
    auto flush = [&]() {
        int len = int(std::strlen(line));
        if (len == 0) return false;
        result = draw_text_at(x + width / 2 - 4 * len, y, line, colour, outline);
        y += line_height;
        line[0] = 0;
        return true;
    };
    const char* p = text;
    while (*p) {
        while (*p == ' ') ++p;
        if (!*p) break;
        const char* end = p;
        while (*end && *end != ' ') ++end;
        char word[300];
        size_t n = size_t(end - p) < sizeof word - 1 ? size_t(end - p) : sizeof word - 1;
        std::memcpy(word, p, n);
        word[n] = 0;
        p = end;
        int line_len = int(std::strlen(line));
        if (8 * (line_len + int(n)) <= width) {
            if (line_len) append_text(line, sizeof line, " ");
            append_text(line, sizeof line, word);
        } else {
            flush();
            copy_text(line, sizeof line, word);
        }
    }
    flush();
    return result;
}

int draw_text_with_keycaps(int x, int y, const char* text, Uint32 colour) {
    char plain[300] = "", key[300] = "";
    bool in_key = false;
    int cx = x;
    for (const char* p = text ? text : ""; *p; ++p) {
        char c[2] = {*p, 0};
        if (*p == '[' && !in_key) {
            in_key = true;
            key[0] = 0;
        } else if (*p == ']' && in_key) {
            in_key = false;
            cx = draw_text_at(cx, y, plain, colour, 1);
            plain[0] = 0;
            draw_key_caption(text_cursor_x, y - 5, key);
            cx = text_cursor_x;
        } else if (in_key) {
            append_text(key, sizeof key, c);
        } else {
            append_text(plain, sizeof plain, c);
        }
    }
    return draw_text_at(cx, y, plain, colour, 1);
}

// ------------------------------------------------------------ key caps

Uint32 key_label_colour = 0x00FFFFFF;
int key_label_outline = 1;

int draw_key_caption(int x, int y, const char* text) {
    if (text == nullptr) text = "";
    // The caption ends at the first "." after its first character.
    const char* dot = text[0] ? std::strchr(text + 1, '.') : nullptr;
    int caption_len = dot ? int(dot - text) : int(std::strlen(text));
    int counted = 0;
    for (int i = 0; i < caption_len; ++i)
        if (text[i] != '<' && text[i] != '>') ++counted;
    if (panel_sheet != nullptr && canvas != nullptr) {
        SDL_Rect src = {0, 0, 7, 32}, dst = {x, y, 7, 32};
        SDL_BlitSurface(panel_sheet, &src, canvas, &dst);
        for (int i = 0; i < counted; ++i) {
            src = {7, 0, 8, 32};
            dst = {x + 7 + 8 * i, y, 8, 32};
            SDL_BlitSurface(panel_sheet, &src, canvas, &dst);
        }
        src = {22, 0, 7, 32};
        dst = {x + 7 + 8 * counted, y, 7, 32};
        SDL_BlitSurface(panel_sheet, &src, canvas, &dst);
    }
    Uint32 saved_colour = text_colour;
    bool khaki = false;
    int cx = x + 8;
    for (int i = 0; i < caption_len; ++i) {
        char c[2] = {text[i], 0};
        if (text[i] == '<') { khaki = true; continue; }
        if (text[i] == '>') { khaki = false; continue; }
        if (khaki) draw_text_at(cx, y + 5, c, map_rgb(240, 230, 140), 1);
        else draw_text_at(cx, y + 5, c, map_rgb(0, 0, 0), 0);
        cx += 8;
    }
    int next_x = cx + 4;
    if (dot) draw_text_at(cx + 8, y + 5, dot + 1, key_label_colour, key_label_outline);
    text_colour = saved_colour;
    text_cursor_x = next_x;
    return next_x;
}
