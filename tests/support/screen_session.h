// Shared set-up of the screen tests: a window of a given size with the
// graphics started on it, in a temporary play folder.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/config.h"
#include "support/play_folder.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/font.h"
#include "base/platform.h"

struct ScreenSession {
    SDL_Window* window = nullptr;

    // Starts the graphics on a w x h window; logical: the LOGICAL_RESIZE setting.
    explicit ScreenSession(int w = 800, int h = 600, bool logical = true) {
        if (!(SDL_WasInit(SDL_INIT_VIDEO) & SDL_INIT_VIDEO)) SDL_InitSubSystem(SDL_INIT_VIDEO);
        window = SDL_CreateWindow("Kesmorra", 0, 0, w, h, SDL_WINDOW_HIDDEN);
        game_window = window;
        logical_resize = logical ? 1 : 0;
        InitGr();
    }
    ~ScreenSession() {
        shutdown_graphics();
        if (window) SDL_DestroyWindow(window);
        game_window = nullptr;
        logical_resize = 1;
    }
    ScreenSession(const ScreenSession&) = delete;
    ScreenSession& operator=(const ScreenSession&) = delete;
};

// The colour of one pixel of a surface, any 32-bit format.
inline SDL_Color pixel_of(SDL_Surface* s, int x, int y) {
    Uint32 v = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
    SDL_Color c{};
    SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

inline SDL_Color canvas_colour(int x, int y) { return pixel_of(canvas, x, y); }

inline bool same_rgb(SDL_Color c, int r, int g, int b) { return c.r == r && c.g == g && c.b == b; }

// Sets the screenshot seam to a folder of the play folder while alive.
struct ScreenshotSeam {
    std::string folder;
    explicit ScreenshotSeam(const PlayFolder& play) : folder(play.file("shots")) {
        make_folder(folder);
        setenv("KSM_TEST_SCREENSHOT", folder.c_str(), 1);
    }
    ~ScreenshotSeam() { unsetenv("KSM_TEST_SCREENSHOT"); }
    // The last frame written, or nullptr.
    SDL_Surface* last_frame() const {
        char name[64];
        std::snprintf(name, sizeof name, "/frame_%06d.bmp", test_screenshot_count());
        return SDL_LoadBMP((folder + name).c_str());
    }
};
