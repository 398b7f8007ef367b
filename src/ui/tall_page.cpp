// Tall pages: their own surface and renderer, key caps on them, and the
// screenful shown through a texture.
#include "ui/tall_page.h"

#include <cstring>

#include "base/platform.h"
#include "ui/canvas.h"
#include "ui/font.h"

bool open_tall_page(TallPage& page, int width, int height) {
    close_tall_page(page);
    page.surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (page.surface == nullptr) return false;
    page.renderer = SDL_CreateSoftwareRenderer(page.surface);
    if (page.renderer == nullptr) {
        close_tall_page(page);
        return false;
    }
    SDL_SetRenderDrawBlendMode(page.renderer, SDL_BLENDMODE_BLEND);
    if (panel_sheet != nullptr) page.caps = SDL_CreateTextureFromSurface(page.renderer, panel_sheet);
    page.width = width;
    page.height = height;
    return true;
}

void close_tall_page(TallPage& page) {
    if (page.caps) SDL_DestroyTexture(page.caps);
    if (page.renderer) SDL_DestroyRenderer(page.renderer);
    if (page.surface) SDL_FreeSurface(page.surface);
    page = TallPage{};
}

uint32_t page_colour(int r, int g, int b) {
    return uint32_t(r & 255) | (uint32_t(g & 255) << 8) | (uint32_t(b & 255) << 16) | 0xFF000000u;
}

int render_key_caption(TallPage& page, int x, int y, const char* text, uint32_t label_colour) {
    if (page.renderer == nullptr) return x;
    const char* t = text ? text : "";
    const char* dot = t[0] ? std::strchr(t + 1, '.') : nullptr;
    int caption_len = dot ? int(dot - t) : int(std::strlen(t));
    if (page.caps) {
        SDL_Rect src = {0, 0, 7, 32}, dst = {x, y, 7, 32};
        SDL_RenderCopy(page.renderer, page.caps, &src, &dst);
        for (int i = 0; i < caption_len; ++i) {
            src = {7, 0, 8, 32};
            dst = {x + 7 + 8 * i, y, 8, 32};
            SDL_RenderCopy(page.renderer, page.caps, &src, &dst);
        }
        src = {22, 0, 7, 32};
        dst = {x + 7 + 8 * caption_len, y, 7, 32};
        SDL_RenderCopy(page.renderer, page.caps, &src, &dst);
    }
    char caption[64];
    copy_text(caption, sizeof caption, t);
    if (caption_len < int(sizeof caption)) caption[caption_len] = '\0';
    render_text_at(page.renderer, x + 8, y + 5, caption, page_colour(0, 0, 0), 0);
    int next = x + 8 + 8 * caption_len + 4;
    if (dot) render_text_at(page.renderer, x + 16 + 8 * caption_len, y + 5, dot + 1, label_colour, 1);
    return next;
}

int render_text_with_keycaps(TallPage& page, int x, int y, const char* text, uint32_t colour) {
    char plain[300] = "", key[64] = "";
    bool in_key = false;
    int cx = x;
    auto flush_plain = [&]() {
        if (plain[0]) render_text_at(page.renderer, cx, y, plain, colour, 1);
        cx += 8 * int(std::strlen(plain));
        plain[0] = '\0';
    };
    for (const char* p = text ? text : ""; *p; ++p) {
        char c[2] = {*p, 0};
        if (*p == '[' && !in_key) {
            flush_plain();
            in_key = true;
            key[0] = '\0';
        } else if (*p == ']' && in_key) {
            in_key = false;
            // A cap of its own: the caption alone, no label.
            char cap[80];
            format_text(cap, sizeof cap, "%s", key);
            render_key_caption(page, cx, y - 5, cap, colour);
            cx += 8 * int(std::strlen(key)) + 18;
        } else if (in_key) {
            append_text(key, sizeof key, c);
        } else {
            append_text(plain, sizeof plain, c);
        }
    }
    flush_plain();
    return cx;
}

void show_tall_page(const TallPage& page, int top) {
    if (game_renderer == nullptr || page.surface == nullptr) return;
    SDL_Texture* t = SDL_CreateTextureFromSurface(game_renderer, page.surface);
    if (t == nullptr) return;
    SDL_SetRenderTarget(game_renderer, nullptr);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_RenderClear(game_renderer);
    if (top < 0) top = 0;
    if (top > page.height - CANVAS_H) top = page.height - CANVAS_H;
    SDL_Rect src = {0, top, CANVAS_W, CANVAS_H}, dst = {0, 0, CANVAS_W, CANVAS_H};
    scale_rect_to_output(&dst);
    SDL_RenderCopy(game_renderer, t, &src, &dst);
    SDL_DestroyTexture(t);
    present_renderer();
}

int tall_page_scroll_limit(int used) { return used > CANVAS_H ? used - CANVAS_H : 0; }
