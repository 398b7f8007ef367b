// The sky indicator: a small picture of the sky drawn with its own software
// renderer and blitted onto the canvas at (15, 6).
#include "screens/sky.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "maps/weather.h"
#include "game/clock.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/gfx.h"
#include "base/platform.h"

namespace {

constexpr int SKY_X = 15, SKY_Y = 6;

// The sky pictures, kept as surfaces (they outlive renderers); a texture
// for the sky's own renderer is made from them at each drawing.
struct SkyPicture {
    const char* path;
    bool keyed;
    bool tried;
    SDL_Surface* surface;
};
SkyPicture sky_pictures[] = {
    {"truetile/gui-sun.png", true, false, nullptr},
    {"truetile/gui-moon.png", true, false, nullptr},
    {"truetile/gui-clouds.png", true, false, nullptr},
    {"truetile/gui-rain.png", true, false, nullptr},
    {"truetile/gui-snowfall.png", true, false, nullptr},
    {"truetile/gui-horizon.png", true, false, nullptr},
};
enum { PIC_SUN, PIC_MOON, PIC_CLOUDS, PIC_RAIN, PIC_SNOW, PIC_HORIZON };

SDL_Surface* sky_picture(int which) {
    SkyPicture& p = sky_pictures[which];
    if (!p.tried) {
        p.tried = true;
        SDL_Surface* s = load_picture(p.path);
        if (s) {
            SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(s);
            s = c;
        }
        if (s && p.keyed) SDL_SetColorKey(s, SDL_TRUE, static_cast<Uint32*>(s->pixels)[0]);
        p.surface = s;
    }
    return p.surface;
}

// The textures of one drawing, made for the sky's own renderer from the
// pictures and destroyed when the drawing ends.
SDL_Texture* drawing_textures[6];

void release_drawing_textures() {
    for (SDL_Texture*& t : drawing_textures) {
        if (t) SDL_DestroyTexture(t);
        t = nullptr;
    }
}

// Copies part of a picture onto the sky; a failed copy is simply left out.
void copy_picture(int which, const SDL_Rect* src, const SDL_Rect& dst, int alpha) {
    if (!sky_renderer) return;
    SDL_Texture*& t = drawing_textures[which];
    if (!t) {
        SDL_Surface* s = sky_picture(which);
        if (!s) return;
        t = SDL_CreateTextureFromSurface(sky_renderer, s);
        if (!t) return;
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    }
    SDL_SetTextureAlphaMod(t, Uint8(alpha));
    SDL_RenderCopy(sky_renderer, t, src, &dst);
}

void fill(int x1, int y1, int x2, int y2, int r, int g, int b) {
    SDL_SetRenderDrawBlendMode(sky_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(sky_renderer, Uint8(r), Uint8(g), Uint8(b), 255);
    SDL_Rect rect{x1, y1, x2 - x1 + 1, y2 - y1 + 1};
    SDL_RenderFillRect(sky_renderer, &rect);
}

}  // namespace

SkyBodyPlace sky_body_place(int hour, int minute, int height_now, int height_next,
                            int surface_height) {
    const double f = minute / 60.0;
    const int d = int(std::fabs((height_now - height_next) * f));
    const int height = height_next >= height_now ? height_now + d : height_now - d;
    SkyBodyPlace p;
    p.y = std::max(5, surface_height - height - 4);
    p.x = int(std::ceil((hour * 60 + minute) / 15.0));
    return p;
}

int sky_cloud_count(int cover) {
    return (cover > 9) + (cover > 24) + (cover > 49) + (cover > 74);
}

ThermometerBars thermometer_bars(int t) {
    ThermometerBars b{};
    if (t < 0) {
        b.blue_top = 70 - std::max(1, 33 - std::abs(t));
        b.red_top = 0;
    } else {
        b.blue_top = 39;
        b.red_top = 39 - std::min(t, 31);
    }
    return b;
}

void draw_sky_indicator() {
    if (!sky_surface || !sky_renderer || !canvas) return;
    const int w = sky_surface->w, h = sky_surface->h;
    const WeatherRecord& wr = weather.current;

    SDL_SetRenderDrawBlendMode(sky_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(sky_renderer, 101, 165, 227, 255);
    SDL_RenderClear(sky_renderer);

    // The light of the hour.
    SDL_SetRenderDrawBlendMode(sky_renderer, SDL_BLENDMODE_MOD);
    SDL_SetRenderDrawColor(sky_renderer, Uint8(std::clamp(tint_r, 0, 255)),
                           Uint8(std::clamp(tint_g, 0, 255)), Uint8(std::clamp(tint_b, 0, 255)),
                           128);
    SDL_RenderFillRect(sky_renderer, nullptr);

    const int hour = Plr.hour % 24, minute = Plr.minute % 60;
    SkyBodyPlace sun = sky_body_place(hour, minute, wr.sun_angle, wr.sun_angle_next, h);
    SDL_Rect sun_src{1, 1, 32, 32};
    copy_picture(PIC_SUN, &sun_src, SDL_Rect{sun.x - 16, sun.y - 16, 32, 32}, 255);

    SkyBodyPlace moon = sky_body_place(((wr.moon_hour % 24) + 24) % 24, minute, wr.moon_angle,
                                       wr.moon_angle_next, h);
    SDL_Rect moon_src{33 * (wr.moon_phase % 8) + 1, 1, 32, 32};
    copy_picture(PIC_MOON, &moon_src, SDL_Rect{moon.x - 16, moon.y - 16, 32, 32}, 255);

    const int cover = std::clamp(int(wr.pilvisyys), 0, 255);
    if (cover > 0) {
        SDL_SetRenderDrawBlendMode(sky_renderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(sky_renderer, 0, 0, 0, Uint8(cover));
        SDL_RenderFillRect(sky_renderer, nullptr);
    }
    static const SDL_Point cloud_at[4] = {{-16, -12}, {8, 4}, {48, 0}, {32, -16}};
    const int clouds = sky_cloud_count(cover);
    for (int i = 0; i < clouds; ++i)
        copy_picture(PIC_CLOUDS, nullptr, SDL_Rect{cloud_at[i].x, cloud_at[i].y, 64, 64},
                     (2 * cover) % 256);

    copy_picture(PIC_HORIZON, nullptr, SDL_Rect{0, 56, 96, 24}, 255);

    static const int layer_alpha[3] = {96, 132, 164};
    const int layers = std::min(3, int(wr.rain));
    for (int i = 1; i <= layers; ++i) {
        const int pic = wr.raintype == 1 ? PIC_RAIN : PIC_SNOW;
        for (int row = 0; row < 2; ++row) {
            int x = i == 1 ? 0 : -16;
            for (int n = 0; n < 4 && x <= 96; ++n, x += 32)
                copy_picture(pic, nullptr, SDL_Rect{x, row * 32, 32, 32}, layer_alpha[i - 1]);
        }
    }

    // The thermometer.
    fill(86, 5, 93, 70, 0, 0, 0);
    fill(87, 6, 92, 69, 87, 87, 87);
    ThermometerBars bars = thermometer_bars(wr.temp);
    fill(87, bars.blue_top, 92, 69, 0, 0, 168);
    if (bars.red_top > 0) fill(87, bars.red_top, 92, 39, 168, 0, 0);
    fill(87, 39, 92, 39, 171, 171, 171);
    SDL_RenderFlush(sky_renderer);
    release_drawing_textures();

    // A frame just outside the picture, then the picture.
    const Uint32 black = SDL_MapRGB(canvas->format, 0, 0, 0);
    fill_canvas_rect(SKY_X - 1, SKY_Y - 1, w + 2, 1, black);
    fill_canvas_rect(SKY_X - 1, SKY_Y + h, w + 2, 1, black);
    fill_canvas_rect(SKY_X - 1, SKY_Y - 1, 1, h + 2, black);
    fill_canvas_rect(SKY_X + w, SKY_Y - 1, 1, h + 2, black);
    SDL_SetSurfaceBlendMode(sky_surface, SDL_BLENDMODE_NONE);
    SDL_Rect dst{SKY_X, SKY_Y, w, h};
    SDL_BlitSurface(sky_surface, nullptr, canvas, &dst);
}
