// Frames, boxes, bars, key caps, pixels and lines, and tile sprites.
#include "ui/boxes.h"

#include <SDL_image.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/map_overlay.h"
#include "base/platform.h"

int panel_texture_mode = 0;
SpriteDrawState sprite_state = {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 255, 255, 0, 1.0f};
int sprite_x_offset = 0, sprite_y_offset2 = 0;
bool draw_debug_on = false;
PanelRect compass_rect, map_strip_rect, known_map_rect;
PanelRect panel_rects[5];
bool alternative_panel_layout = false;
int bar_colour_mode = 0;
Uint32 bar_colour_value = 0;
int bar_marker = 0;

namespace {

const int PANEL_TEXTURE_X[4] = {40, 200, 400, 600};  // light, birch bark, stone, smoke wall

Uint32 rgb(int r, int g, int b) { return map_rgb(r, g, b); }

// The black one-pixel frame of a rectangle given by its corners.
void frame_corners(int left, int top, int right, int bottom, Uint32 colour) {
    fill_canvas_rect(left, top, right - left + 1, 1, colour);
    fill_canvas_rect(left, bottom, right - left + 1, 1, colour);
    fill_canvas_rect(left, top, 1, bottom - top + 1, colour);
    fill_canvas_rect(right, top, 1, bottom - top + 1, colour);
}

void tile_panel_texture(int x, int y, int w, int h, int which) {
    if (panel_sheet == nullptr || canvas == nullptr) return;
    int tx = PANEL_TEXTURE_X[which];
    for (int py = y; py < y + h; py += 160)
        for (int px = x; px < x + w; px += 160) {
            int pw = x + w - px < 160 ? x + w - px : 160;
            int ph = y + h - py < 160 ? y + h - py : 160;
            SDL_Rect src = {tx, 0, pw, ph};
            SDL_Rect dst = {px, py, pw, ph};
            SDL_BlitSurface(panel_sheet, &src, canvas, &dst);
        }
}

int texture_for_flags(int flags) {
    if (flags & 0x10) return 3;
    if (flags & 8) return 2;
    if (flags & 4) return 1;
    return 0;
}

void bevel(int x, int y, int w, int h, Uint32 dark, int dark_alpha, Uint32 light, int light_alpha) {
    draw_translucent_rect(x + 1, y + 1, 1, h - 1, dark, dark_alpha);
    draw_translucent_rect(x + 1, y + 1, w - 1, 1, dark, dark_alpha);
    draw_translucent_rect(x + w - 2, y + 1, 1, h - 1, light, light_alpha);
    draw_translucent_rect(x + 1, y + h - 2, w - 1, 1, light, light_alpha);
}

int text_length(const char* t) { return t ? int(std::strlen(t)) : 0; }

// Renderer helpers: colours as words with red in the low byte.
void set_draw_colour(SDL_Renderer* r, Uint32 c, Uint8 alpha = 255) {
    SDL_SetRenderDrawColor(r, Uint8(c & 0xFF), Uint8((c >> 8) & 0xFF), Uint8((c >> 16) & 0xFF), alpha);
}
Uint32 word(int r, int g, int b) { return Uint32(r) | (Uint32(g) << 8) | (Uint32(b) << 16) | 0xFF000000u; }

void r_fill(SDL_Renderer* r, int x, int y, int w, int h, Uint32 c, Uint8 alpha = 255) {
    SDL_SetRenderDrawBlendMode(r, alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    set_draw_colour(r, c, alpha);
    SDL_Rect rect = {x, y, w, h};
    SDL_RenderFillRect(r, &rect);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
}
void r_frame(SDL_Renderer* r, int left, int top, int right, int bottom, Uint32 c) {
    set_draw_colour(r, c);
    SDL_Rect rect = {left, top, right - left + 1, bottom - top + 1};
    SDL_RenderDrawRect(r, &rect);
}

void sprite_copy_failed() {
    if (!draw_debug_on) {
        SDL_ClearError();
        return;
    }
    FILE* f = std::fopen("debug_draw.txt", "at");
    if (f) {
        std::fprintf(f, "%s\n", SDL_GetError());
        std::fclose(f);
    }
    SDL_ClearError();
}

void reset_texture(SDL_Texture* t) {
    if (t == nullptr) return;
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(t, 255);
    SDL_SetTextureColorMod(t, 255, 255, 255);
}

void copy_sprite(SDL_Texture* t, const SDL_Rect& src, const SDL_Rect& dst, double angle) {
    int rc = angle != 0.0 ? SDL_RenderCopyEx(game_renderer, t, &src, &dst, angle, nullptr, SDL_FLIP_NONE)
                          : SDL_RenderCopy(game_renderer, t, &src, &dst);
    if (rc != 0) sprite_copy_failed();
}

void overlay(SDL_Texture* sil, const SDL_Rect& src, const SDL_Rect& dst, double angle,
             SDL_BlendMode mode, int r, int g, int b, int alpha) {
    if (sil == nullptr) return;
    SDL_SetTextureBlendMode(sil, mode);
    SDL_SetTextureColorMod(sil, Uint8(r), Uint8(g), Uint8(b));
    SDL_SetTextureAlphaMod(sil, Uint8(alpha));
    copy_sprite(sil, src, dst, angle);
    reset_texture(sil);
}

// The opaque part of each frame of a tile: pixels with no alpha change
// nothing when blended or added, so an unscaled sprite is copied from
// that part only. Found once per frame by reading the frame back, and
// found again when the tile's textures are loaded anew.
struct FrameBoxes {
    SDL_Texture *texture, *grey, *silhouette;
    int frame_w, frame_h;
    char path[sizeof tiles[0].path];  // a reload may give new textures the old addresses
    TileTint tints[2];                // the load tints change what is transparent
    std::vector<SDL_Rect> boxes;  // in texture coordinates; w < 0: not known yet
};
FrameBoxes frame_boxes[MAX_TILES];

// The bounding box of the pixels with alpha in `r` of `t` (w = 0: none);
// false when it could not be read.
bool opaque_box(SDL_Texture* t, const SDL_Rect& r, SDL_Rect* box) {
    SDL_Texture* readback = SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_ARGB8888,
                                              SDL_TEXTUREACCESS_TARGET, r.w, r.h);
    if (readback == nullptr) {
        SDL_ClearError();
        return false;
    }
    SDL_BlendMode mode, draw_mode;
    Uint8 mr, mg, mb, ma, dr, dg, db, da;
    SDL_GetTextureBlendMode(t, &mode);
    SDL_GetTextureColorMod(t, &mr, &mg, &mb);
    SDL_GetTextureAlphaMod(t, &ma);
    SDL_GetRenderDrawBlendMode(game_renderer, &draw_mode);
    SDL_GetRenderDrawColor(game_renderer, &dr, &dg, &db, &da);
    SDL_Texture* old_target = SDL_GetRenderTarget(game_renderer);
    bool ok = SDL_SetRenderTarget(game_renderer, readback) == 0;
    static std::vector<Uint32> pixels;
    if (ok) {
        SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 0);
        SDL_RenderClear(game_renderer);
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(t, 255, 255, 255);
        SDL_SetTextureAlphaMod(t, 255);
        const SDL_Rect at = {0, 0, r.w, r.h};
        pixels.assign(size_t(r.w) * size_t(r.h), 0);
        ok = SDL_RenderCopy(game_renderer, t, &r, &at) == 0 &&
             SDL_RenderReadPixels(game_renderer, &at, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                  r.w * 4) == 0;
    }
    SDL_SetRenderTarget(game_renderer, old_target);
    SDL_DestroyTexture(readback);
    SDL_SetTextureBlendMode(t, mode);
    SDL_SetTextureColorMod(t, mr, mg, mb);
    SDL_SetTextureAlphaMod(t, ma);
    SDL_SetRenderDrawBlendMode(game_renderer, draw_mode);
    SDL_SetRenderDrawColor(game_renderer, dr, dg, db, da);
    if (!ok) {
        SDL_ClearError();
        return false;
    }
    int x0 = r.w, y0 = r.h, x1 = -1, y1 = -1;
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x)
            if (pixels[size_t(y) * size_t(r.w) + size_t(x)] >> 24) {
                if (x < x0) x0 = x;
                if (x > x1) x1 = x;
                if (y < y0) y0 = y;
                if (y > y1) y1 = y;
            }
    *box = x1 < 0 ? SDL_Rect{r.x, r.y, 0, 0} : SDL_Rect{r.x + x0, r.y + y0, x1 - x0 + 1, y1 - y0 + 1};
    return true;
}

// The opaque part of the frame of `tile` over all its textures; false when
// not known (the sprite is then drawn whole).
bool frame_opaque_box(int tile, int frame, SDL_Rect* box) {
    const TileRecord& t = tiles[tile];
    FrameBoxes& fb = frame_boxes[tile];
    if (fb.texture != t.texture || fb.grey != t.grey || fb.silhouette != t.silhouette ||
        fb.frame_w != t.frame_w || fb.frame_h != t.frame_h ||
        std::strncmp(fb.path, t.path, sizeof fb.path) != 0 ||
        std::memcmp(fb.tints, load_tints, sizeof fb.tints) != 0) {
        std::memcpy(fb.path, t.path, sizeof fb.path);
        std::memcpy(fb.tints, load_tints, sizeof fb.tints);
        fb.texture = t.texture;
        fb.grey = t.grey;
        fb.silhouette = t.silhouette;
        fb.frame_w = t.frame_w;
        fb.frame_h = t.frame_h;
        fb.boxes.clear();
    }
    if (frame < 0 || frame >= 256 || t.frame_w == 0 || t.frame_h == 0) return false;
    if (size_t(frame) >= fb.boxes.size()) fb.boxes.resize(size_t(frame) + 1, SDL_Rect{0, 0, -1, -1});
    SDL_Rect& known = fb.boxes[size_t(frame)];
    if (known.w == -2) return false;  // could not be read
    if (known.w >= 0) {
        *box = known;
        return true;
    }
    const SDL_Rect whole = {frame * (t.frame_w + 1) + 1, 1, t.frame_w, t.frame_h};
    known.w = -2;
    SDL_Rect all = {0, 0, 0, 0};
    for (SDL_Texture* tex : {t.texture, t.grey, t.silhouette}) {
        if (tex == nullptr) continue;
        int tw = 0, th = 0;
        if (SDL_QueryTexture(tex, nullptr, nullptr, &tw, &th) != 0) {
            SDL_ClearError();
            return false;
        }
        if (whole.x + whole.w > tw || whole.y + whole.h > th) return false;
        SDL_Rect b;
        if (!opaque_box(tex, whole, &b)) return false;
        if (b.w == 0) continue;
        if (all.w == 0) all = b;
        else SDL_UnionRect(&all, &b, &all);
    }
    known = all;
    *box = all;
    return true;
}

// -1, 0 or 1 by the redraw rule.
int jitter_step() { return random_below(3) - 1; }

}  // namespace

// ------------------------------------------------------------ sprite state

SpriteDrawState get_sprite_draw_state() { return sprite_state; }

void set_sprite_draw_state(int y_offset, int rotation, int kept1, int silhouette_alpha,
                           uint32_t packed_bytes, int mod_r, int mod_g, int mod_b,
                           int texture_alpha, int kept2, int shade_alpha, int red_alpha,
                           int kept3, float scale) {
    sprite_state.y_offset = y_offset;
    sprite_state.rotation = rotation;
    sprite_state.kept1 = kept1;
    sprite_state.silhouette_alpha = silhouette_alpha;
    sprite_state.jitter = uint8_t(packed_bytes & 0xFF);
    sprite_state.blend_mode = uint8_t((packed_bytes >> 8) & 0xFF);
    sprite_state.glow_alpha = uint8_t((packed_bytes >> 16) & 0xFF);
    sprite_state.tint_alpha = uint8_t((packed_bytes >> 24) & 0xFF);
    sprite_state.mod_r = mod_r;
    sprite_state.mod_g = mod_g;
    sprite_state.mod_b = mod_b;
    sprite_state.texture_alpha = texture_alpha;
    sprite_state.kept2 = kept2;
    sprite_state.shade_alpha = shade_alpha;
    sprite_state.red_alpha = red_alpha;
    sprite_state.kept3 = kept3;
    sprite_state.scale = scale;
}

// Resets what a sprite consumes: offsets, scale, shade, blending, glow, tint.
void reset_sprite_draw_state() {
    sprite_state.y_offset = 0;
    sprite_x_offset = 0;
    sprite_y_offset2 = 0;
    sprite_state.scale = 1.0f;
    sprite_state.shade_alpha = 255;
    sprite_state.blend_mode = 0;
    sprite_state.glow_alpha = 0;
    sprite_state.tint_alpha = 0;
}

// ------------------------------------------------------------ geometry

void guiInit() {
    set_map_view_geometry(1.0f);
    compass_rect = {{665, 25, 124, 160}, true};
    map_strip_rect = {{15, 550, 450, 48}, true};
    known_map_rect = {{40, 50, 400, 400}, true};
    panel_rects[0] = {{195, 30, 210, 230}, true};
    panel_rects[1] = {{328, 6, 138, 74}, true};
    panel_rects[2] = {{120, 5, 200, 76}, true};
    if (alternative_panel_layout) {
        panel_rects[3] = {{498, 355, 296, 170}, true};
        panel_rects[4] = {{503, 258, 286, 100}, true};
    } else {
        panel_rects[3] = {{493, 398, 305, 130}, true};
        panel_rects[4] = {{505, 300, 285, 100}, true};
    }
    line_height = 10;
    key_label_colour = map_rgb(255, 255, 255);
}

// ------------------------------------------------------------ pixels, lines


void draw_line(int x1, int y1, int x2, int y2, Uint32 colour) {
    auto inside = [](int x, int y) { return x >= 0 && y >= 0 && x < CANVAS_W && y < CANVAS_H; };
    if (!inside(x1, y1) || !inside(x2, y2)) return;
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    int sx = x2 >= x1 ? 1 : -1, sy = y2 >= y1 ? 1 : -1;
    int x = x1, y = y1;
    if (dx >= dy) {
        int err = dx / 2;
        for (int i = 0; i <= dx; ++i) {
            put_pixel(x, y, colour);
            x += sx;
            err += dy;
            if (err >= dx && dx > 0) {
                y += sy;
                err -= dx;
            }
        }
    } else {
        int err = dy / 2;
        for (int i = 0; i <= dy; ++i) {
            put_pixel(x, y, colour);
            y += sy;
            err += dx;
            if (err >= dy) {
                x += sx;
                err -= dy;
            }
        }
    }
}

void draw_rect_outline(int left, int top, int right, int bottom) {
    draw_line(left, top, right, top, text_colour);
    draw_line(left, bottom, right, bottom, text_colour);
    draw_line(left, top, left, bottom, text_colour);
    draw_line(right, top, right, bottom, text_colour);
}


void draw_translucent_rect(int x, int y, int w, int h, Uint32 colour, int alpha) {
    if (canvas == nullptr || translucency_surface == nullptr || w <= 0 || h <= 0) return;
    SDL_FillRect(translucency_surface, nullptr, colour);
    SDL_SetSurfaceBlendMode(translucency_surface, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(translucency_surface, Uint8(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha));
    SDL_Rect src = {0, 0, w, h};
    SDL_Rect dst = {x, y, w, h};
    SDL_BlitSurface(translucency_surface, &src, canvas, &dst);
    SDL_SetSurfaceBlendMode(translucency_surface, SDL_BLENDMODE_NONE);
    SDL_SetSurfaceAlphaMod(translucency_surface, 255);
}

// ------------------------------------------------------------ boxes

void draw_framed_box(int left, int top, int right, int bottom, Uint32 colour1, Uint32 colour2,
                     Uint32 fill) {
    frame_corners(left, top, right, bottom, rgb(0, 0, 0));
    fill_canvas_rect(left + 1, top + 1, right - left - 1, 1, colour1);
    fill_canvas_rect(left + 1, top + 1, 1, bottom - top - 1, colour1);
    fill_canvas_rect(left + 1, bottom - 1, right - left - 1, 1, colour2);
    fill_canvas_rect(right - 1, top + 1, 1, bottom - top - 1, colour2);
    if (fill != 0 && panel_texture_mode == 0)
        fill_canvas_rect(left + 2, top + 2, right - left - 3, bottom - top - 3, fill);
}

void draw_styled_box(int left, int top, int right, int bottom, int style) {
    switch (style) {
        case 1000: draw_framed_box(left, top, right, bottom, rgb(48, 64, 80), rgb(80, 96, 128), rgb(56, 88, 120)); break;
        case 1001: draw_framed_box(left, top, right, bottom, rgb(160, 48, 0), rgb(80, 32, 0), rgb(144, 96, 32)); break;
        case 1002: draw_framed_box(left, top, right, bottom, rgb(64, 64, 32), rgb(96, 96, 64), rgb(80, 80, 32)); break;
        case 1003: draw_framed_box(left, top, right, bottom, rgb(212, 148, 116), rgb(84, 60, 28), rgb(168, 116, 76)); break;
        default: draw_framed_box(left, top, right, bottom, rgb(0, 0, 0), rgb(0, 0, 0), 0); break;
    }
}

void draw_sunken_box(int x, int y, int w, int h) {
    fill_canvas_rect(x, y, w, 1, rgb(32, 32, 32));
    fill_canvas_rect(x, y, 1, h, rgb(32, 32, 32));
    fill_canvas_rect(x, y + h - 1, w, 1, rgb(48, 64, 80));
    fill_canvas_rect(x + w - 1, y, 1, h, rgb(48, 64, 80));
    fill_canvas_rect(x + 1, y + 1, w - 2, h - 2, rgb(0, 0, 0));
}

void draw_panel_frame(int x, int y, int w, int h, const char* title) {
    Uint32 black = rgb(0, 0, 0), blue = rgb(80, 96, 160);
    if (panel_texture_mode == 0) fill_canvas_rect(x + 3, y + 17, w - 6, h - 20, rgb(56, 72, 88));
    else if (panel_texture_mode == 2) draw_translucent_rect(x + 3, y + 17, w - 6, h - 20, black, 200);
    frame_corners(x, y, x + w - 1, y + h - 1, black);
    frame_corners(x + 1, y + 1, x + w - 2, y + h - 2, black);
    frame_corners(x + 2, y + 2, x + w - 3, y + h - 3, blue);
    fill_canvas_rect(x + 3, y + 3, w - 6, 13, blue);
    fill_canvas_rect(x + 3, y + 16, w - 6, 1, black);
    if (title && title[0]) draw_text_at(x + 6, y + 5, title, rgb(208, 208, 192), 1);
}

void draw_window(int x, int y, int w, int h, const char* title, int flags, Uint32 fill) {
    if (canvas == nullptr || w <= 0 || h <= 0) return;
    Uint32 black = rgb(0, 0, 0);
    if (!(flags & WIN_PLAIN_FILL) && panel_texture_mode == 0)
        tile_panel_texture(x, y, w, h, texture_for_flags(flags));
    if (panel_texture_mode == 2) draw_translucent_rect(x, y, w, h, black, 125);
    if (flags & WIN_PLAIN_FILL) fill_canvas_rect(x, y, w, h, fill);
    bevel(x, y, w, h, black, 64, rgb(255, 255, 255), 32);
    frame_corners(x, y, x + w - 1, y + h - 1, black);
    if ((flags & WIN_INNER_FRAME) && !(flags & WIN_PLAIN_FILL))
        frame_corners(x + 2, y + 2, x + w - 3, y + h - 3, black);
    if (title == nullptr || title[0] == 0) return;
    if (flags & WIN_INNER_FRAME) {
        draw_title_bar(x + 4, y + 4, w - 8, title, 1);
    } else if (flags & WIN_DARK_TITLE) {
        fill_canvas_rect(x + 5, y + 4, w - 8, 16, rgb(40, 40, 40));
        frame_corners(x + 5, y + 4, x + w - 4, y + 19, black);
        draw_text_at(x + (w - 8) / 2 - 4 * text_length(title) + 10, y + 8, title, rgb(255, 255, 255), 1);
    } else {
        draw_title_bar(x + 4, y + 4, w - 8, title, (flags & WIN_SMOKE) ? 0 : 2);
    }
}

void draw_highlight_window(int x, int y, int w, int h, const char* title, int flags) {
    if (flags >= 4096) draw_window(x, y, w, h, title, WIN_PLAIN_FILL, Uint32(flags - 4096));
    else draw_window(x, y, w, h, title, flags, 0);
    bevel(x, y, w, h, rgb(255, 255, 255), 64, rgb(252, 252, 84), 48);
}

void draw_paper_window(int x, int y, int w, int h, const char* title) {
    draw_window(x, y, w, h, title, WIN_PLAIN_FILL, rgb(PAPER_R, PAPER_G, PAPER_B));
}

void draw_shaded_text(int x, int y, const char* text, Uint32 colour) {
    if (text == nullptr || text[0] == 0) return;
    draw_translucent_rect(x - 4, y - 4, GLYPH_W * text_length(text) + 8, GLYPH_H + 7, rgb(0, 0, 0), 144);
    draw_text_at(x, y, text, colour, 0);
}

void draw_title_bar(int x, int y, int width, const char* text, int style) {
    Uint32 black = rgb(0, 0, 0);
    Uint32 colour = rgb(252, 252, 84);
    int len = text_length(text);
    int tx = x + 5;
    switch (style) {
        case 1:
        case 9:
            fill_canvas_rect(x, y, width, 16, rgb(56, 88, 120));
            frame_corners(x, y, x + width - 1, y + 15, black);
            if (style == 9) colour = rgb(240, 230, 140);
            break;
        case 2:
            draw_translucent_rect(x, y, width, 16, black, 128);
            frame_corners(x, y, x + width - 1, y + 15, black);
            break;
        case 4:
            draw_sunken_box(x, y, width, 15);
            colour = rgb(176, 196, 222);
            break;
        case 5:
            draw_highlight_window(x, y, width, 16, "", 4096 + int(rgb(60, 90, 152) & 0x00FFFFFF));
            tx = x + width / 2 - 4 * len + 5;
            break;
        case 10:
            fill_canvas_rect(x, y, width, 16, rgb(40, 40, 40));
            frame_corners(x, y, x + width - 1, y + 15, black);
            colour = rgb(255, 255, 255);
            tx = x + width / 2 - 4 * len + 5;
            break;
        default:
            draw_translucent_rect(x, y, width, 16, rgb(255, 255, 255), 32);
            frame_corners(x, y, x + width - 1, y + 15, black);
            break;
    }
    if (len) draw_text_at(tx, y + 4, text, colour, 1);
}

// ------------------------------------------------------------ renderer variants

void render_framed_box(SDL_Renderer* r, int left, int top, int right, int bottom, Uint32 colour1,
                       Uint32 colour2, Uint32 fill) {
    if (r == nullptr) return;
    r_frame(r, left, top, right, bottom, word(0, 0, 0));
    r_fill(r, left + 1, top + 1, right - left - 1, 1, colour1);
    r_fill(r, left + 1, top + 1, 1, bottom - top - 1, colour1);
    r_fill(r, left + 1, bottom - 1, right - left - 1, 1, colour2);
    r_fill(r, right - 1, top + 1, 1, bottom - top - 1, colour2);
    if ((fill & 0x00FFFFFF) != 0 && panel_texture_mode == 0)
        r_fill(r, left + 2, top + 2, right - left - 3, bottom - top - 3, fill);
}

void render_sunken_box(SDL_Renderer* r, int x, int y, int w, int h) {
    if (r == nullptr) return;
    r_fill(r, x, y, w, 1, word(32, 32, 32));
    r_fill(r, x, y, 1, h, word(32, 32, 32));
    r_fill(r, x, y + h - 1, w, 1, word(48, 64, 80));
    r_fill(r, x + w - 1, y, 1, h, word(48, 64, 80));
    r_fill(r, x + 1, y + 1, w - 2, h - 2, word(0, 0, 0));
}

void render_title_bar_styled(SDL_Renderer* r, int x, int y, int width, const char* text, int style) {
    if (r == nullptr) return;
    Uint32 colour = word(252, 252, 84);
    int len = text_length(text);
    int tx = x + 5;
    switch (style) {
        case 1:
        case 9:
            r_fill(r, x, y, width, 16, word(56, 88, 120));
            r_frame(r, x, y, x + width - 1, y + 15, word(0, 0, 0));
            if (style == 9) colour = word(240, 230, 140);
            break;
        case 2:
            r_fill(r, x, y, width, 16, word(0, 0, 0), 128);
            r_frame(r, x, y, x + width - 1, y + 15, word(0, 0, 0));
            break;
        case 4:
            render_sunken_box(r, x, y, width, 15);
            colour = word(176, 196, 222);
            break;
        case 5:
            r_fill(r, x, y, width, 16, word(60, 90, 152));
            r_frame(r, x, y, x + width - 1, y + 15, word(0, 0, 0));
            tx = x + width / 2 - 4 * len + 5;
            break;
        case 10:
            r_fill(r, x, y, width, 16, word(40, 40, 40));
            r_frame(r, x, y, x + width - 1, y + 15, word(0, 0, 0));
            colour = word(255, 255, 255);
            tx = x + width / 2 - 4 * len + 5;
            break;
        case 11:
            r_fill(r, x, y, width, 16, word(0, 168, 0));
            r_frame(r, x, y, x + width - 1, y + 15, word(0, 0, 0));
            break;
        default:
            r_fill(r, x, y, width, 16, word(255, 255, 255), 32);
            r_frame(r, x, y, x + width - 1, y + 15, word(0, 0, 0));
            break;
    }
    if (len) render_text_at(r, tx, y + 4, text, colour, 1);
}

void render_window(SDL_Renderer* r, int x, int y, int w, int h, const char* title, int flags,
                   Uint32 fill) {
    if (r == nullptr || w <= 0 || h <= 0) return;
    if (!(flags & WIN_PLAIN_FILL) && panel_texture_mode == 0 && panel_sheet != nullptr) {
        SDL_Texture* sheet = SDL_CreateTextureFromSurface(r, panel_sheet);
        if (sheet) {
            int tx = PANEL_TEXTURE_X[texture_for_flags(flags)];
            for (int py = y; py < y + h; py += 160)
                for (int px = x; px < x + w; px += 160) {
                    int pw = x + w - px < 160 ? x + w - px : 160;
                    int ph = y + h - py < 160 ? y + h - py : 160;
                    SDL_Rect src = {tx, 0, pw, ph}, dst = {px, py, pw, ph};
                    SDL_RenderCopy(r, sheet, &src, &dst);
                }
            SDL_DestroyTexture(sheet);
        }
    }
    if (panel_texture_mode == 2) r_fill(r, x, y, w, h, word(0, 0, 0), 125);
    if (flags & WIN_PLAIN_FILL) r_fill(r, x, y, w, h, fill);
    r_fill(r, x + 1, y + 1, 1, h - 1, word(0, 0, 0), 64);
    r_fill(r, x + 1, y + 1, w - 1, 1, word(0, 0, 0), 64);
    r_fill(r, x + w - 2, y + 1, 1, h - 1, word(255, 255, 255), 32);
    r_fill(r, x + 1, y + h - 2, w - 1, 1, word(255, 255, 255), 32);
    r_frame(r, x, y, x + w - 1, y + h - 1, word(0, 0, 0));
    if ((flags & WIN_INNER_FRAME) && !(flags & WIN_PLAIN_FILL))
        r_frame(r, x + 2, y + 2, x + w - 3, y + h - 3, word(0, 0, 0));
    if (title == nullptr || title[0] == 0) return;
    if (flags & WIN_INNER_FRAME) {
        render_title_bar_styled(r, x + 4, y + 4, w - 8, title, 1);
    } else if (flags & WIN_DARK_TITLE) {
        r_fill(r, x + 5, y + 4, w - 8, 16, word(40, 40, 40));
        r_frame(r, x + 5, y + 4, x + w - 4, y + 19, word(0, 0, 0));
        render_text_at(r, x + (w - 8) / 2 - 4 * text_length(title) + 10, y + 8, title,
                       word(255, 255, 255), 1);
    } else {
        render_title_bar_styled(r, x + 4, y + 4, w - 8, title, (flags & WIN_SMOKE) ? 0 : 2);
    }
}

void render_title_bar(SDL_Texture* texture, const char* text) {
    if (game_renderer == nullptr || texture == nullptr) return;
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, texture);
    r_fill(game_renderer, 5, 5, 790, 16, word(60, 90, 152));
    render_text_at(game_renderer, 400 - 4 * text_length(text), 9, text, word(255, 255, 255), 1);
    SDL_SetRenderTarget(game_renderer, old);
}

void render_quest_journal_header(SDL_Texture* texture, const char* text) {
    render_title_bar(texture, text);
}

// ------------------------------------------------------------ key caps


void draw_cycle_hint() {
    draw_text_with_keycaps(513, 320, "[+]Next, or [-]Previous creature", rgb(255, 255, 255));
}

void render_cycle_hint(SDL_Renderer* r) {
    if (r == nullptr) return;
    // The plain words at y 320 and the two keys as small caps at y 315.
    int x = 513;
    const char* parts[] = {"+", "Next, or ", "-", "Previous creature"};
    for (int i = 0; i < 4; ++i) {
        if (i % 2 == 0) {
            render_framed_box(r, x, 315, x + 14, 315 + 18, word(208, 208, 192), word(96, 96, 64),
                              word(160, 160, 144));
            render_text_at(r, x + 4, 320, parts[i], word(0, 0, 0), 0);
            x += 18;
        } else {
            render_text_at(r, x, 320, parts[i], word(255, 255, 255), 1);
            x += 8 * text_length(parts[i]);
        }
    }
}

// ------------------------------------------------------------ bars

SDL_Color bar_colour(int v) {
    int c = int(std::ceil(1.5 * v));
    auto clamp = [](int n) { return Uint8(n < 0 ? 0 : n > 255 ? 255 : n); };
    if (v <= 32) return {clamp(2 * c + 80), clamp(200 - c), 0, 255};
    if (v <= 66) return {clamp(2 * c + 80), clamp(c + 120), 0, 255};
    return {255, clamp(4 * (150 - c)), 0, 255};
}

Uint32 bar_colour_word(int v) {
    SDL_Color c = bar_colour(v);
    return Uint32(c.r) | (Uint32(c.g) << 8) | (Uint32(c.b) << 16) | 0xFF000000u;
}

void draw_percent_bar(int x, int y, int width, int percent) {
    fill_canvas_rect(x, y, width + 2, line_height, rgb(0, 0, 0));
    Uint32 colour = rgb(0, 168, 0);
    if (bar_colour_mode == 1) colour = bar_colour_value;
    else if (bar_colour_mode == -1 || bar_colour_mode == -2) {
        SDL_Color c = bar_colour(bar_colour_mode == -1 ? percent : 100 - percent);
        colour = rgb(c.r, c.g, c.b);
    }
    int filled = percent >= 100 ? width : percent <= 0 ? 0 : width * percent / 100;
    fill_canvas_rect(x + 1, y + 1, filled, line_height - 2, colour);
    if (bar_marker > 0 && bar_marker < percent) {
        int share = width * bar_marker / 100;
        draw_translucent_rect(x + 1, y + 1, share, line_height - 2, rgb(0, 0, 0), 48);
        text_colour = rgb(171, 171, 171);
    }
    bar_colour_mode = 0;
    bar_marker = 0;
}

// ------------------------------------------------------------ fill, speck

void flood_fill(int x, int y, Uint32 fill, Uint32 border) {
    if (fill == border || canvas == nullptr) return;
    constexpr size_t LIMIT = 16777215;
    std::vector<int> stack;
    stack.push_back(x * CANVAS_H + y);
    auto inside = [](int px, int py) { return px >= 0 && py >= 0 && px < CANVAS_W && py < CANVAS_H; };
    while (!stack.empty()) {
        int pos = stack.back();
        stack.pop_back();
        int px = pos / CANVAS_H, py = pos % CANVAS_H;
        if (!inside(px, py)) continue;
        put_pixel(px, py, fill);
        const int nb[4][2] = {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}};
        for (auto& n : nb) {
            if (!inside(n[0], n[1])) continue;
            Uint32 c = get_pixel(n[0], n[1]);
            if (c == border || c == fill) continue;
            if (stack.size() >= LIMIT) return;
            stack.push_back(n[0] * CANVAS_H + n[1]);
        }
    }
}

void draw_random_speck() {
    int x = random_below(800);
    int y = 20 + random_below(580);
    put_pixel(x, y, rgb(171, 171, 171));
}

// ------------------------------------------------------------ sprites

void draw_tile_icon(int tile, int x, int y, int w, int h) {
    if (tile < 0 || tile >= MAX_TILES || tiles[tile].name[0] == 0 || canvas == nullptr) return;
    const TileRecord& t = tiles[tile];
    SDL_Surface* s = t.path[0] ? load_picture(t.path) : nullptr;
    if (s == nullptr) return;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (c == nullptr) return;
    SDL_SetColorKey(c, SDL_TRUE, *static_cast<Uint32*>(c->pixels));
    SDL_Rect src = {1, 1, t.frame_w, t.frame_h};
    SDL_Rect dst = {x, y, w, h};
    SDL_BlitScaled(c, &src, canvas, &dst);
    SDL_FreeSurface(c);
}

void draw_tile_sprite(int tile, int frame, int variant, int x, int y, int flags) {
    if (tile < 0 || tile >= MAX_TILES || tiles[tile].name[0] == 0) {
        reset_sprite_draw_state();
        return;
    }
    const TileRecord& t = tiles[tile];
    SpriteDrawState& st = sprite_state;
    int fw = t.frame_w, fh = t.frame_h;
    SDL_Rect src = {frame * (fw + 1) + 1, 1, fw, fh};
    if (flags & 8) src.h = t.anchor_y - 8 > 0 ? t.anchor_y - 8 : 0;
    if (st.rotation != 0 || (flags & 2))
        src = {frame * (fw + 1) + 2, 2, fw - 2, src.h - 2};

    if (flags & 1) {
        // Straight from the file into the canvas.
        SDL_Surface* s = t.path[0] ? load_picture(t.path) : nullptr;
        if (s && canvas) {
            SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
            if (c) {
                SDL_SetColorKey(c, SDL_TRUE, *static_cast<Uint32*>(c->pixels));
                SDL_Rect dst = {x - t.anchor_x, y - t.anchor_y, src.w, src.h};
                SDL_BlitSurface(c, &src, canvas, &dst);
                SDL_FreeSurface(c);
            }
        }
        if (s) SDL_FreeSurface(s);
        reset_sprite_draw_state();
        return;
    }
    if (game_renderer == nullptr || t.texture == nullptr) {
        reset_sprite_draw_state();
        return;
    }
    double angle = st.rotation;
    if (flags & 2) {
        float z = map_view.zoom > 0 ? map_view.zoom : 1.0f;
        SDL_Rect dst = {int(x - t.anchor_x * z), int(y - t.anchor_y * z), int(src.w * z), int(src.h * z)};
        scale_rect_to_output(&dst);
        copy_sprite(t.texture, src, dst, angle);
        present_renderer();
        reset_sprite_draw_state();
        return;
    }
    if (map_base_texture == nullptr) {
        reset_sprite_draw_state();
        return;
    }
    settle_map_view_texture();
    SDL_Texture* old_target = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, map_base_texture);
    int rx = x * 18 - 8, ry = y * 20 - 9;
    float scale = st.scale * (t.small ? 0.6f : 1.0f);
    SDL_Rect dst;
    if (scale == 1.0f) dst = {rx - t.anchor_x, ry - t.anchor_y, src.w, src.h};
    else
        dst = {int(rx - t.anchor_x * scale), int(ry - t.anchor_y * scale), int(src.w * scale),
               int(src.h * scale)};
    dst.x += sprite_x_offset;
    dst.y += st.y_offset + sprite_y_offset2;
    if (st.jitter) {
        dst.x += jitter_step();
        dst.y += jitter_step();
    }
    SDL_Texture* main = (variant == 8 && t.grey) ? t.grey : t.texture;
    // An unscaled, unturned sprite is copied from its frame's opaque part
    // only: the rest would leave every pixel as it is.
    if (angle == 0.0 && !(flags & 4) && dst.w == src.w && dst.h == src.h) {
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        SDL_GetTextureBlendMode(main, &mode);
        const bool only_blends = (mode == SDL_BLENDMODE_BLEND || mode == SDL_BLENDMODE_ADD ||
                                  st.blend_mode != 0 || st.texture_alpha != 255);
        SDL_Rect box, part;
        if (only_blends && frame_opaque_box(tile, frame, &box) && box.w > 0 &&
            SDL_IntersectRect(&src, &box, &part)) {
            dst = {dst.x + part.x - src.x, dst.y + part.y - src.y, part.w, part.h};
            src = part;
        }
    }
    if (st.blend_mode) {
        SDL_SetTextureBlendMode(main, st.blend_mode == 2 ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
        SDL_SetTextureColorMod(main, Uint8(st.mod_r), Uint8(st.mod_g), Uint8(st.mod_b));
    }
    if (st.texture_alpha != 255) {
        SDL_SetTextureBlendMode(main, SDL_BLENDMODE_BLEND);
        SDL_SetTextureAlphaMod(main, Uint8(st.texture_alpha));
    }
    copy_sprite(main, src, dst, angle);
    reset_texture(main);
    SDL_Texture* sil = t.silhouette;
    if (st.glow_alpha)
        overlay(sil, src, dst, angle, SDL_BLENDMODE_ADD, st.mod_r, st.mod_g, st.mod_b, st.glow_alpha);
    if (st.tint_alpha)
        overlay(sil, src, dst, angle, SDL_BLENDMODE_BLEND, st.mod_r, st.mod_g, st.mod_b, st.tint_alpha);
    if (st.shade_alpha != 255)
        overlay(sil, src, dst, angle, SDL_BLENDMODE_BLEND, 10, 10, 10, st.shade_alpha);
    if (st.red_alpha != 255)
        overlay(sil, src, dst, angle, SDL_BLENDMODE_BLEND, 255, 0, 0, st.red_alpha);
    if (st.silhouette_alpha)
        overlay(sil, src, dst, angle, SDL_BLENDMODE_BLEND, 255, 255, 255, st.silhouette_alpha);
    if (flags & 4) {
        SDL_Rect big = {dst.x - 1, dst.y - 1, dst.w + 2, dst.h + 2};
        overlay(sil, src, big, angle, SDL_BLENDMODE_BLEND, 128, 64, 32, 192);
        overlay(sil, src, big, angle, SDL_BLENDMODE_ADD, 32, 64, 128, 32);
    }
    SDL_SetRenderTarget(game_renderer, old_target);
    reset_sprite_draw_state();
}

void draw_precipitation(int cell_x, int cell_y, int kind, int intensity) {
    if (intensity <= 0) return;
    int tile = kind == 1 ? tile_ele_rain : tile_ele_snow;
    if (tile < 0) return;
    if (intensity == 1) {
        int f = random_below(3);
        draw_tile_sprite(tile, f, 0, cell_x, cell_y, 0);
        if (kind == 1) sprite_x_offset = random_below(3) - 1;
        return;
    }
    if (intensity == 2) {
        sprite_state.texture_alpha = 128;
        draw_tile_sprite(tile, random_below(3), 0, cell_x, cell_y, 0);
        sprite_state.texture_alpha = 255;
    } else {
        draw_tile_sprite(tile, random_below(4), 0, cell_x, cell_y, 0);
    }
    sprite_x_offset = random_below(4) - 1;
    sprite_y_offset2 = random_below(4) - 1;
    draw_tile_sprite(tile, random_below(4), 0, cell_x, cell_y, 0);
}

void draw_grid_cell(int cell_x, int cell_y) {
    if (game_renderer == nullptr || map_base_texture == nullptr) return;
    settle_map_view_texture();  // the view texture must not pick up this drawing unasked
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, map_base_texture);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, 64, 0, 0, 128);
    SDL_Rect r = {cell_x * 18 - 18, cell_y * 20 - 20, 19, 21};
    SDL_RenderDrawRect(game_renderer, &r);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_SetRenderTarget(game_renderer, old);
}

// ------------------------------------------------------------ pictures

void show_picture_zooming(const char* name, int x, int y, int w, int h) {
    if (game_renderer == nullptr) return;
    SDL_Texture* t = load_picture_texture(name);
    if (t == nullptr) return;
    if (w == 0 || h == 0) SDL_QueryTexture(t, nullptr, nullptr, &w, &h);
    SDL_Rect map_rect = map_view.view.w ? map_view.view : SDL_Rect{15, 85, 450, 460};
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    int alpha = 20;
    for (float s = 0.0f; s <= 1.0f; s += 0.04f) {
        Uint32 start = SDL_GetTicks();
        upload_screen();
        render_map_view();
        SDL_Rect veil = map_rect;
        scale_rect_to_output(&veil);
        SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
        SDL_RenderFillRect(game_renderer, &veil);
        SDL_SetRenderDrawColor(game_renderer, 248, 222, 126, 32);
        SDL_RenderFillRect(game_renderer, &veil);
        SDL_SetTextureAlphaMod(t, Uint8(alpha));
        SDL_Rect dst = {int(x + w / 2 - w * s / 2), int(y + h / 2 - h * s / 2), int(w * s), int(h * s)};
        scale_rect_to_output(&dst);
        SDL_RenderCopy(game_renderer, t, nullptr, &dst);
        present_renderer();
        alpha = alpha + 7 > 250 ? 250 : alpha + 7;
        Uint32 spent = SDL_GetTicks() - start;
        if (spent < 2) SDL_Delay(2 - spent);
    }
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
    // The last frame: the picture at full size inside a framed box.
    draw_framed_box(x - 4, y - 4, x + w + 4, y + h + 4, map_rgb(0, 0, 0), map_rgb(0, 0, 0), 0);
    draw_framed_box(x - 4, y - 4, x + w + 4, y + h + 4, map_rgb(48, 64, 80), map_rgb(80, 96, 128), 0);
    upload_screen();
    render_map_view();
    SDL_SetTextureAlphaMod(t, 255);
    SDL_Rect dst = {x, y, w, h};
    scale_rect_to_output(&dst);
    SDL_RenderCopy(game_renderer, t, nullptr, &dst);
    present_renderer();
    SDL_DestroyTexture(t);
}
