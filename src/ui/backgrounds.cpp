// The two screen backgrounds drawn once at start-up and kept as pictures.
#include "ui/backgrounds.h"

#include <cstring>

#include "base/platform.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"

namespace {

// Copies the canvas into the background surface and saves it.
void cache_canvas(const char* file) {
    if (canvas == nullptr || background_surface == nullptr) return;
    SDL_Rect all = {0, 0, CANVAS_W, CANVAS_H};
    SDL_SetSurfaceBlendMode(canvas, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(canvas, &all, background_surface, &all);
    SDL_SaveBMP(background_surface, file);
}

}  // namespace

void draw_screen_title_bar(const char* title) {
    if (!title) title = "";
    draw_highlight_window(5, 5, 790, 16, "", 4096 + int(map_rgb(60, 90, 152) & 0x00FFFFFF));
    draw_text_at(405 - 4 * int(std::strlen(title)), 9, title, map_rgb(252, 252, 84), 1);
}

void draw_screen_title(const char* title) {
    draw_picture("bg-rpanel.png", 472, 0);
    draw_screen_title_bar(title);
}

void draw_rituals_background() {
    draw_picture("bg-supernatural.jpg", 0, 0);
    draw_screen_title("RITUALS AND COMMUNICATING WITH THE SPIRITS AND THE OTHERWORLD");
}

void render_cached_backgrounds() {
    no_flush = true;
    clear_screen();
    draw_screen_title("SKILLS");  // the skills screen's page background
    cache_canvas("SKILLSBG.BMP");
    clear_screen();
    draw_rituals_background();
    cache_canvas("RITUALSBG.BMP");
    no_flush = false;
    clear_screen();
}

void show_rituals_background() {
    if (canvas == nullptr) return;
    std::string path = resolve_path_ci("RITUALSBG.BMP");
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (picture != nullptr && background_surface != nullptr) {
        SDL_BlitSurface(picture, nullptr, background_surface, nullptr);
        SDL_FreeSurface(picture);
        SDL_SetSurfaceBlendMode(background_surface, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(background_surface, nullptr, canvas, nullptr);
    } else {
        // The cached picture is missing or broken: draw the background anew.
        if (picture) SDL_FreeSurface(picture);
        SDL_ClearError();
        draw_rituals_background();
    }
    present_screen();
}
