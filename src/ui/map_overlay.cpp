// The map view overlay: the map drawing renders tiles into the base
// texture; here the view texture is composed from it (night tint and light
// glows) and laid over the map rectangle at each present. The flashes and
// fades of the map view live here too.
#include "ui/map_overlay.h"

#include <cstdlib>

#include "ui/canvas.h"
#include "base/files.h"
#include "ui/gfx.h"

SDL_Texture* map_base_texture = nullptr;
SDL_Texture* map_view_texture = nullptr;

int flash_r = 0, flash_g = 0, flash_b = 0;
bool map_fade_running = false;
bool eyes_closed = false;

bool map_lighting_on = false;
int night_tint_r = 255, night_tint_g = 255, night_tint_b = 255;
MapLight map_lights[MAP_LIGHT_SLOTS];
int map_effect_frame_ms = 5;

namespace {

// The renderer the textures were made with: when it is gone (the graphics
// were shut down and started again) the old handles died with it.
SDL_Renderer* textures_renderer = nullptr;
int live_textures = 0;

// Set when the view texture ought to be a plain copy of the base texture's
// shown part but the copy was left out: the map view was laid over the
// frame straight from the base texture. Made good before the view texture
// is used as it stands or the base texture is drawn on.
bool view_copy_owed = false;

// True when the composed view would be the base texture's picture as it is.
bool plain_view() {
    const bool white = night_tint_r >= 255 && night_tint_g >= 255 && night_tint_b >= 255;
    return !map_lighting_on || white;
}

bool flash_set() { return flash_r != 0 || flash_g != 0 || flash_b != 0; }

SDL_Rect map_rect() {
    return map_view.view.w ? map_view.view : SDL_Rect{15, 85, 450, 460};
}

// The rectangle the effects work on, scaled to the output.
SDL_Rect effect_rect() {
    const SDL_Rect m = map_rect();
    SDL_Rect r = {m.x - 1, m.y - 1, m.w + 1, m.h + 1};
    scale_rect_to_output(&r);
    return r;
}

void reset_draw_state() {
    if (game_renderer == nullptr) return;
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
}

void fill(const SDL_Rect& r, int red, int green, int blue, int alpha) {
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, Uint8(red), Uint8(green), Uint8(blue), Uint8(alpha));
    SDL_RenderFillRect(game_renderer, &r);
}

void outline(const SDL_Rect& r) {
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_RenderDrawRect(game_renderer, &r);
}

// Screen texture and map view (not rebuilt) as the base of an effect frame.
void frame_base() {
    upload_screen();
    const bool old = map_texture_current;
    map_texture_current = true;
    render_map_view();
    map_texture_current = old;
}

void pace(Uint32 start) {
    if (map_effect_frame_ms <= 0) return;
    const Uint32 spent = SDL_GetTicks() - start;
    if (spent < Uint32(map_effect_frame_ms)) SDL_Delay(Uint32(map_effect_frame_ms) - spent);
}

// The part of the view texture that the map rectangle shows.
SDL_Rect shown_source() {
    const SDL_Rect m = map_rect();
    const float z = map_view.zoom > 0 ? map_view.zoom : 1.0f;
    if (z == 1.0f) return SDL_Rect{306, 360, m.w, m.h};
    const int w = int(450.0f / z), h = int(460.0f / z);
    return SDL_Rect{531 - w / 2, 590 - h / 2, w, h};
}

void end_effect() {
    map_fade_running = false;
    reset_draw_state();
}

// Fades the map view to the flash colour (a fade out or falling asleep).
void fade_to_flash(int red, int green, int blue) {
    flash_r = red;
    flash_g = green;
    flash_b = blue;
    if (game_renderer == nullptr) return;
    map_fade_running = true;
    const SDL_Rect r = effect_rect();
    for (int a = 0; a <= 255; a += 3) {
        const Uint32 start = SDL_GetTicks();
        frame_base();
        fill(r, 0, 0, 0, a);
        fill(r, red, green, blue, a);
        outline(r);
        present_renderer();
        pace(start);
    }
    // The canvas keeps the colour, so later presents without the map show it.
    const SDL_Rect m = map_rect();
    fill_canvas_rect(m.x + 1, m.y + 1, m.w, m.h, map_rgb(red, green, blue));
    end_effect();
}

}  // namespace

void clear_map_lights() {
    for (MapLight& l : map_lights) l = MapLight{0, 0, 0};
}

void destroy_map_textures() {
    if (game_renderer != nullptr && game_renderer == textures_renderer) {
        if (map_base_texture) SDL_DestroyTexture(map_base_texture);
        if (map_view_texture) SDL_DestroyTexture(map_view_texture);
    }
    map_base_texture = map_view_texture = nullptr;
    view_copy_owed = false;
    textures_renderer = nullptr;
    live_textures = 0;
}

void create_map_textures() {
    destroy_map_textures();
    map_view_layer = render_map_view;
    if (game_renderer == nullptr) return;
    for (SDL_Texture** t : {&map_base_texture, &map_view_texture}) {
        *t = SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                               MAP_TEXTURE_SIZE, MAP_TEXTURE_SIZE);
        if (*t == nullptr) SDL_ClearError();  // no map view; the game goes on
        else {
            SDL_SetTextureBlendMode(*t, SDL_BLENDMODE_NONE);
            ++live_textures;
        }
    }
    textures_renderer = game_renderer;
}

int live_map_textures() { return textures_renderer == game_renderer ? live_textures : 0; }

int32_t map_view_centre_x = 0, map_view_centre_y = 0;

GlowPlace glow_place(const MapLight& light, int px, int py) {
    GlowPlace g{false, false, 0, 0};
    const int radius = light.radius > 5 ? 5 : light.radius;
    g.in_view = light.in_view;
    const int dx = std::abs(px - light.x), dy = std::abs(py - light.y);
    const bool near = (dx > dy ? dx : dy) <= radius;
    if (!g.in_view && !near) return g;
    g.column = light.x - px + 30;
    g.row = light.y - py + 30;
    // A light outside the window is left out (never drawn at row or column 0).
    if (g.column < 30 - view_half_w || g.column > 30 + view_half_w || g.row < 30 - view_half_h ||
        g.row > 30 + view_half_h)
        return g;
    g.drawn = true;
    return g;
}

void rebuild_map_view_texture() {
    if (game_renderer == nullptr || map_base_texture == nullptr || map_view_texture == nullptr)
        return;
    view_copy_owed = false;
    SDL_Texture* old_target = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, map_view_texture);
    // Only the part that is shown is composed; the rest is never seen.
    const SDL_Rect part = shown_source();
    SDL_SetTextureBlendMode(map_base_texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(map_base_texture, 255, 255, 255);
    SDL_RenderCopy(game_renderer, map_base_texture, &part, &part);
    const bool white = night_tint_r >= 255 && night_tint_g >= 255 && night_tint_b >= 255;
    if (map_lighting_on && !white) {
        // (A white tint would leave the picture as it is: that copy is saved.)
        SDL_SetTextureBlendMode(map_base_texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureColorMod(map_base_texture, Uint8(night_tint_r), Uint8(night_tint_g),
                               Uint8(night_tint_b));
        SDL_RenderCopy(game_renderer, map_base_texture, &part, &part);
        SDL_SetTextureBlendMode(map_base_texture, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(map_base_texture, 255, 255, 255);
        if (night_tint_r <= 240 && firelight_glow != nullptr) {
            SDL_SetTextureBlendMode(firelight_glow, SDL_BLENDMODE_ADD);
            for (int i = 0; i < MAP_LIGHT_SLOTS && map_lights[i].x != 0; ++i) {
                const MapLight& l = map_lights[i];
                const GlowPlace g = glow_place(l, map_view_centre_x, map_view_centre_y);
                if (!g.drawn) continue;
                const int radius = l.radius > 5 ? 5 : l.radius < 0 ? 0 : l.radius;
                const int h = radius * 18 + 18 + random_below(5);
                SDL_SetTextureAlphaMod(firelight_glow, Uint8(92 + random_below(32)));
                if (g.in_view) SDL_SetTextureColorMod(firelight_glow, 128, 128, 92);
                else SDL_SetTextureColorMod(firelight_glow, 64, 64, 32);
                SDL_Rect dst = {g.column * 18 - h - 8, g.row * 20 - h - 9, 2 * h, 2 * h};
                SDL_RenderCopy(game_renderer, firelight_glow, nullptr, &dst);
            }
            SDL_SetTextureAlphaMod(firelight_glow, 255);
            SDL_SetTextureColorMod(firelight_glow, 255, 255, 255);
        }
    }
    SDL_SetRenderTarget(game_renderer, old_target);
}

void render_map_view() {
    if (game_renderer == nullptr) return;
    const bool flash = flash_set();
    if (eyes_closed && !flash && !map_fade_running) return;
    const SDL_Rect m = map_rect();
    if (flash && !map_fade_running) {
        SDL_Rect r = {m.x - 1, m.y - 1, m.w + 1, m.h + 1};
        scale_rect_to_output(&r);
        SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
        SDL_RenderFillRect(game_renderer, &r);
        fill(r, flash_r, flash_g, flash_b, 255);
        reset_draw_state();
        return;
    }
    if (map_view_texture == nullptr) return;
    const SDL_Rect src = shown_source();
    SDL_Rect dst = m;
    scale_rect_to_output(&dst);
    if (!map_texture_current && map_base_texture != nullptr && plain_view()) {
        // The view would be a plain copy of the base: show the base itself
        // and owe the copy until someone needs it.
        SDL_SetTextureBlendMode(map_base_texture, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(map_base_texture, 255, 255, 255);
        SDL_RenderCopy(game_renderer, map_base_texture, &src, &dst);
        view_copy_owed = true;
        return;
    }
    if (!map_texture_current || view_copy_owed) rebuild_map_view_texture();
    SDL_RenderCopy(game_renderer, map_view_texture, &src, &dst);
}

void settle_map_view_texture() {
    if (view_copy_owed) rebuild_map_view_texture();
}

void begin_map_base_redraw(bool composed_after) {
    if (!view_copy_owed) return;
    if (composed_after) view_copy_owed = false;  // never seen before the next composition
    else rebuild_map_view_texture();
}

void end_map_base_redraw() { view_copy_owed = true; }

bool map_view_composed_at_present() {
    if (no_flush || game_renderer == nullptr || map_view_state == 0) return false;
    if (map_view_texture == nullptr || map_base_texture == nullptr) return false;
    const bool flash = flash_set();
    if (eyes_closed && !flash && !map_fade_running) return false;
    if (flash && !map_fade_running) return false;
    return true;
}

void render_map_view_now() {
    if (game_renderer == nullptr) return;
    upload_screen();
    const bool old = map_texture_current;
    map_texture_current = true;
    render_map_view();
    map_texture_current = old;
}

void clear_map_texture() {
    if (game_renderer == nullptr || map_base_texture == nullptr) return;
    settle_map_view_texture();
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, map_base_texture);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_RenderClear(game_renderer);
    SDL_SetRenderTarget(game_renderer, old);
}

void clear_shown_map_texture() {
    if (game_renderer == nullptr || map_base_texture == nullptr) return;
    settle_map_view_texture();
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, map_base_texture);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    const SDL_Rect part = shown_source();
    SDL_RenderFillRect(game_renderer, &part);
    SDL_SetRenderTarget(game_renderer, old);
}

void refresh_map_textures() {
    if (game_renderer == nullptr) return;
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    for (SDL_Texture* t : {map_base_texture, map_view_texture}) {
        if (t == nullptr) continue;
        SDL_SetRenderTarget(game_renderer, t);
        SDL_SetRenderDrawColor(game_renderer, 10, 10, 10, 255);
        SDL_RenderClear(game_renderer);
    }
    SDL_SetRenderTarget(game_renderer, old);
    reset_draw_state();
    rebuild_map_view_texture();
}

void fade_out_map_view() { fade_to_flash(52, 0, 0); }

void fade_to_sleep_tint() { fade_to_flash(0, 26, 51); }

void fade_in_map_view() {
    if (game_renderer == nullptr) {
        flash_r = flash_g = flash_b = 0;
        return;
    }
    map_fade_running = true;
    const bool old_hold = present_hold;
    present_hold = true;
    present_screen_with_map();
    present_hold = old_hold;
    const SDL_Rect r = effect_rect();
    for (int a = 255; a >= 5; a -= 5) {
        const Uint32 start = SDL_GetTicks();
        frame_base();
        fill(r, flash_r, flash_g, flash_b, a);
        outline(r);
        present_renderer();
        pace(start);
    }
    flash_r = flash_g = flash_b = 0;
    end_effect();
}

void flash_steam() {
    if (game_renderer == nullptr) return;
    map_fade_running = true;
    const SDL_Rect r = effect_rect();
    for (int a = 0; a <= 195; a += 5) {
        fill(r, 0, 0, 0, a);
        fill(r, a + 9, a + 8, a + 6, a);
        present_renderer();
    }
    for (int a = 200; a >= 2; a -= 2) {
        fill(r, 0, 0, 0, a);
        fill(r, 209, 208, 206, a);
        present_renderer();
    }
    end_effect();
}

void flash_map_view_light() {
    if (game_renderer == nullptr) return;
    rebuild_map_view_texture();
    map_fade_running = true;
    SDL_Rect r = effect_rect();
    r.x += 1;
    r.y += 1;
    r.w -= 2;
    r.h -= 2;
    for (int a = 1; a <= 31; a += 2) {
        const Uint32 start = SDL_GetTicks();
        frame_base();
        fill(r, 0, 0, 0, a);
        fill(r, 248, 222, 126, a);
        present_renderer();
        pace(start);
    }
    end_effect();
}

void fade_in_map_view_texture() {
    if (game_renderer == nullptr || map_view_texture == nullptr) return;
    rebuild_map_view_texture();
    map_fade_running = true;
    const SDL_Rect src = shown_source();
    SDL_Rect dst = map_rect();
    scale_rect_to_output(&dst);
    SDL_SetTextureBlendMode(map_view_texture, SDL_BLENDMODE_BLEND);
    for (int a = 0; a <= 126; a += 2) {
        const Uint32 start = SDL_GetTicks();
        SDL_SetRenderTarget(game_renderer, nullptr);
        SDL_SetTextureAlphaMod(map_view_texture, Uint8(a));
        SDL_RenderCopy(game_renderer, map_view_texture, &src, &dst);
        present_renderer();
        pace(start);
    }
    SDL_SetTextureAlphaMod(map_view_texture, 255);
    SDL_SetTextureBlendMode(map_view_texture, SDL_BLENDMODE_NONE);
    end_effect();
    present_screen_with_map();
}
