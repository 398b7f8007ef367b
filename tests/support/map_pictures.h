// Reading the map view out of the game's screenshots: where the view and
// the player stand on the 800 x 600 canvas, the view's part of a shot, and
// pixel comparisons.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

// The local map view at the default zoom.
constexpr int MAP_X = 15, MAP_Y = 85, MAP_W = 450, MAP_H = 460;
constexpr int PLAYER_X = 241, PLAYER_Y = 316;
constexpr int CELL_W = 18, CELL_H = 20;

// The map view's part of a screenshot (ARGB8888), or null when the file
// cannot be read; the caller frees it.
inline SDL_Surface* map_area_of(const std::string& bmp) {
    SDL_Surface* frame = SDL_LoadBMP(bmp.c_str());
    if (frame == nullptr) return nullptr;
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, MAP_W, MAP_H, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Rect src = {MAP_X, MAP_Y, MAP_W, MAP_H};
    SDL_BlitSurface(frame, &src, out, nullptr);
    SDL_FreeSurface(frame);
    return out;
}

// A pixel of a 32-bit surface.
inline SDL_Color pixel(SDL_Surface* s, int x, int y) {
    const Uint32 v = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
    SDL_Color c{};
    SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

// The largest difference of one colour channel between two pixels.
inline int channel_gap(SDL_Color a, SDL_Color b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}
