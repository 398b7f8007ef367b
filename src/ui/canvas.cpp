// The canvas, the renderer and presenting frames.
#include "ui/canvas.h"

#include <SDL_image.h>

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/fatal.h"
#include "base/platform.h"

SDL_Window* game_window = nullptr;
SDL_Renderer* game_renderer = nullptr;
SDL_Surface* canvas = nullptr;
SDL_Texture* screen_texture = nullptr;
SDL_PixelFormat* canvas_format = nullptr;
bool graphics_initialised = false;

int map_view_state = 0;
bool no_flush = false;
bool present_hold = false;

SDL_Surface* translucency_surface = nullptr;
SDL_Surface* prompt_backup_surface = nullptr;
SDL_Surface* background_surface = nullptr;
SDL_Surface* snapshot_surface = nullptr;
SDL_Surface* panel_sheet = nullptr;
SDL_Surface* sky_surface = nullptr;
SDL_Renderer* sky_renderer = nullptr;
SDL_Surface* compass_surface = nullptr;
SDL_Renderer* compass_renderer = nullptr;
SDL_Surface* known_map_surface[2] = {nullptr, nullptr};
SDL_Texture* known_map_texture = nullptr;
int known_map_margin = 0;

bool texture_screen_active = false;
SDL_Texture* texture_screen_base = nullptr;
int texture_screen_flags = 0;
SDL_Texture* extra_picture = nullptr;
SDL_Rect extra_picture_rect = {0, 0, 0, 0};
SDL_Rect pointer_mark_bounds = {40, 50, 400, 400};
SDL_Texture* pointer_mark_texture = nullptr;

CanvasColours colours;

namespace {

struct SaveUnder {
    char name[100];
    SDL_Surface* surface;
    SDL_Rect rect;
    bool has_rect;
};
SaveUnder save_unders[SAVE_UNDER_SLOTS];

struct RendererCopy {
    char name[100];
    SDL_Surface* pixels;  // output pixels, ARGB8888
    SDL_Rect viewport;
};
RendererCopy renderer_copies[SAVE_UNDER_SLOTS];

bool snapshot_pending = false;
int screenshot_counter = 0;

const char* RENDERER_REPORT = "debug_renderer.txt";

// One line of the renderer report, ended by "\n\r" as the report always was.
void report_line(const char* text) {
    FILE* f = std::fopen(RENDERER_REPORT, "at");
    if (f == nullptr) return;
    std::fputs(text, f);
    std::fputs("\n\r", f);
    std::fclose(f);
}

__attribute__((format(printf, 1, 2))) void report_format(const char* fmt, ...) {
    char line[300];
    va_list args;
    va_start(args, fmt);
    vformat_text(line, sizeof line, fmt, args);
    va_end(args);
    report_line(line);
}

void report_drivers() {
    char line[300];
    int count = SDL_GetNumRenderDrivers();
    for (int i = 0; i < count; ++i) {
        SDL_RendererInfo info{};
        if (SDL_GetRenderDriverInfo(i, &info) != 0) continue;
        report_line("==========================================");
        format_text(line, sizeof line, "RenderDriverInfo #%d", i);
        report_line(line);
        report_format("NAME: %s", info.name ? info.name : "");
        report_line((info.flags & SDL_RENDERER_ACCELERATED) ? "ACCELERATED OK" : "ACCELERATED !NO!");
        report_line((info.flags & SDL_RENDERER_TARGETTEXTURE) ? "TARGETTEXTURE OK"
                                                               : "TARGETTEXTURE !NO!");
        report_line((info.flags & SDL_RENDERER_SOFTWARE) ? "SOFTWARE: YES" : "SOFTWARE: NO");
        // All 16 slots, whatever the driver's own count.
        for (int k = 0; k < 16; ++k)
            report_format(" pixelformat: %s", SDL_GetPixelFormatName(info.texture_formats[k]));
    }
}

void make_renderer() {
    game_renderer =
        SDL_CreateRenderer(game_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    SDL_RendererInfo info{};
    bool old_hardware = ini_flag_default_no("OLD_HARDWARE_MODE");
    if (game_renderer == nullptr) {
        // The dummy video driver (and some machines) has no accelerated
        // renderer: fall back to the software one instead of giving up.
        report_format("!! ACCELERATED RENDERER NOT AVAILABLE (%s) !!", SDL_GetError());
        report_line(" SELECTING SOFTWARE RENDERER");
    } else {
        SDL_GetRendererInfo(game_renderer, &info);
        if (!(info.flags & SDL_RENDERER_TARGETTEXTURE) || old_hardware) {
            report_format("!! SELECTED RENDERER (%s) TARGETTEXTURE FAIL !!",
                          info.name ? info.name : "");
            SDL_DestroyRenderer(game_renderer);
            game_renderer = nullptr;
            report_line(" SELECTING SOFTWARE RENDERER");
        }
    }
    if (game_renderer == nullptr)
        game_renderer =
            SDL_CreateRenderer(game_window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (game_renderer == nullptr) {
        char text[400];
        format_text(text, sizeof text, "Unable to init video. SDL_GetError() returned %s",
                    SDL_GetError());
        exit_with_message(text);
    }
}

void report_renderer() {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(game_renderer, &info);
    char line[300];
    const char* dashes = "---------------------------------------------------";
    report_line(dashes);
    report_format("Used renderer: %s", info.name ? info.name : "");
    if (info.flags & SDL_RENDERER_SOFTWARE) report_line("renderer is software fallback");
    if (info.flags & SDL_RENDERER_ACCELERATED) report_line("renderer uses hardware acceleration");
    const char* quality = SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    report_format("render_scale_quality:%s\n\r", quality ? quality : "");
    format_text(line, sizeof line, "max_texture_width: %d\n\rmax_texture_height: %d",
                info.max_texture_width, info.max_texture_height);
    report_line(line);
    report_line((info.flags & SDL_RENDERER_TARGETTEXTURE)
                    ? "OK : targettexture rendering"
                    : "FAILED : no support for targettexture rendering");
    report_line(dashes);
}

SDL_Surface* new_canvas_surface() {
    if (canvas == nullptr) return nullptr;
    return SDL_CreateRGBSurfaceWithFormat(0, CANVAS_W, CANVAS_H, 32, canvas->format->format);
}

// Copies a whole surface onto another with blending off.
void copy_surface(SDL_Surface* from, const SDL_Rect* area, SDL_Surface* to) {
    if (from == nullptr || to == nullptr) return;
    SDL_BlendMode old;
    SDL_GetSurfaceBlendMode(from, &old);
    SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
    SDL_Rect dst = area ? *area : SDL_Rect{0, 0, 0, 0};
    SDL_BlitSurface(from, area, to, area ? &dst : nullptr);
    SDL_SetSurfaceBlendMode(from, old);
}

// Named shots: the frame on screen is kept, and written only when the key
// script names it.
bool named_shots = false;
SDL_Surface* last_shown_frame = nullptr;

// The test seam: the composed frame as a numbered BMP before it is shown.
void write_test_screenshot() {
    const char* folder = test_seam("KSM_TEST_SCREENSHOT");
    if (folder == nullptr || game_renderer == nullptr) return;
    if (named_shots) {
        // Kept (in one surface, read anew at every present), not written.
        if (!read_renderer_output_into(last_shown_frame)) {
            SDL_FreeSurface(last_shown_frame);
            last_shown_frame = nullptr;
        }
        return;
    }
    if (!read_renderer_output_into(last_shown_frame)) return;
    char path[1200];
    format_text(path, sizeof path, "%s/frame_%06d.bmp", folder, screenshot_counter + 1);
    if (SDL_SaveBMP(last_shown_frame, path) == 0) ++screenshot_counter;
}

// Shows the composed frame: the screenshot seam, then the real present.
void show_frame() {
    exit_if_termination_requested();  // long drawings end at once too
    write_test_screenshot();
    SDL_RenderPresent(game_renderer);
}

bool has_logical_size() {
    if (game_renderer == nullptr) return false;
    int w = 0, h = 0;
    SDL_RenderGetLogicalSize(game_renderer, &w, &h);
    return w != 0 && h != 0;
}

void output_scale(float* sx, float* sy) {
    int w = CANVAS_W, h = CANVAS_H;
    output_size(&w, &h);
    *sx = float(w) / float(CANVAS_W);
    *sy = float(h) / float(CANVAS_H);
}

SaveUnder* find_slot(const char* name) {
    if (name == nullptr || name[0] == 0) return nullptr;
    for (auto& s : save_unders)
        if (s.name[0] != 0 && std::strcmp(s.name, name) == 0) return &s;
    return nullptr;
}

void free_slot(SaveUnder& s) {
    s.name[0] = 0;
    if (s.surface) SDL_FreeSurface(s.surface);
    s.surface = nullptr;
    s.has_rect = false;
}

// Restores a copy of the canvas and shows it with the map view.
void restore_with_map(SDL_Surface* copy) {
    bool old = no_flush;
    no_flush = true;
    copy_surface(copy, nullptr, canvas);
    no_flush = old;
    map_view_state = 1;
    if (!no_flush) present_screen();
}

void free_surface(SDL_Surface*& s) {
    if (s) SDL_FreeSurface(s);
    s = nullptr;
}

}  // namespace

int mouse_x = 0, mouse_y = 0;
bool map_texture_current = false;
void (*map_view_layer)() = nullptr;

// ------------------------------------------------------------ start-up

void init_colours() {
    colours.black = map_rgb(0, 0, 0);
    colours.outline = map_rgb(0, 0, 0);
    colours.c64_64_32 = map_rgb(64, 64, 32);
    colours.c96_96_64 = map_rgb(96, 96, 64);
    colours.c80_80_32 = map_rgb(80, 80, 32);
    colours.c32_32_32 = map_rgb(32, 32, 32);
    colours.c48_64_80 = map_rgb(48, 64, 80);
    colours.c48_64_80_b = map_rgb(48, 64, 80);
    colours.c80_96_128 = map_rgb(80, 96, 128);
    colours.c56_88_120 = map_rgb(56, 88, 120);
    colours.c160_48_0 = map_rgb(160, 48, 0);
    colours.c80_32_0 = map_rgb(80, 32, 0);
    colours.c144_96_32 = map_rgb(144, 96, 32);
    colours.c56_72_88 = map_rgb(56, 72, 88);
    colours.c80_96_160 = map_rgb(80, 96, 160);
    colours.c208_208_192 = map_rgb(208, 208, 192);
    colours.c212_148_116 = map_rgb(212, 148, 116);
    colours.c84_60_28 = map_rgb(84, 60, 28);
    colours.c168_116_76 = map_rgb(168, 116, 76);
}

void create_surfaces(int compass_w, int compass_h) {
    translucency_surface = new_canvas_surface();
    prompt_backup_surface = new_canvas_surface();
    background_surface = new_canvas_surface();
    snapshot_surface = new_canvas_surface();
    panel_sheet = new_canvas_surface();
    // The sky indicator and the compass box draw with renderers of their own.
    sky_surface = SDL_CreateRGBSurface(0, 96, 74, 32, 0x000000FF, 0x0000FF00, 0x00FF0000,
                                       0xFF000000);
    if (sky_surface) sky_renderer = SDL_CreateSoftwareRenderer(sky_surface);
    compass_surface = SDL_CreateRGBSurface(0, compass_w > 0 ? compass_w : 124, compass_h > 0 ? compass_h : 160,
                                           32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (compass_surface) compass_renderer = SDL_CreateSoftwareRenderer(compass_surface);
}

void start_canvas() {
    no_flush = false;

    FILE* f = std::fopen(RENDERER_REPORT, "wt");
    if (f) std::fclose(f);
    report_drivers();
    make_renderer();
    if (logical_resize) SDL_RenderSetLogicalSize(game_renderer, CANVAS_W, CANVAS_H);
    report_renderer();

    screen_texture = SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_STATIC, CANVAS_W, CANVAS_H);
    // The canvas has no alpha channel: the texture must not blend.
    if (screen_texture) SDL_SetTextureBlendMode(screen_texture, SDL_BLENDMODE_NONE);
    init_log_line("create screen");
    canvas = SDL_CreateRGBSurface(0, CANVAS_W, CANVAS_H, 32, 0, 0, 0, 0);
    if (canvas == nullptr) {
        char text[400];
        format_text(text, sizeof text, "Unable to init video. SDL_GetError() returned %s",
                    SDL_GetError());
        exit_with_message(text);
    }
    canvas_format = canvas->format;
    init_colours();
}

void create_known_map_surfaces() {
    known_map_surface[0] = SDL_CreateRGBSurface(0, 1200, 1200, 32, 0, 0, 0, 0);
    if (known_map_surface[0]) SDL_SetSurfaceRLE(known_map_surface[0], 1);
    known_map_surface[1] = SDL_CreateRGBSurface(0, 1200, 1200, 32, 0, 0, 0, 0);
    known_map_texture = SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STATIC, 1200, 1200);
}

void stop_canvas() {
    free_surface(last_shown_frame);
    for (auto& s : save_unders) free_slot(s);
    for (auto& c : renderer_copies) {
        c.name[0] = 0;
        free_surface(c.pixels);
    }
    snapshot_pending = false;
    clear_extra_picture();
    texture_screen_active = false;
    texture_screen_base = nullptr;
    texture_screen_flags = 0;
    if (sky_renderer) SDL_DestroyRenderer(sky_renderer);
    if (compass_renderer) SDL_DestroyRenderer(compass_renderer);
    sky_renderer = compass_renderer = nullptr;
    free_surface(sky_surface);
    free_surface(compass_surface);
    free_surface(translucency_surface);
    free_surface(prompt_backup_surface);
    free_surface(background_surface);
    free_surface(snapshot_surface);
    free_surface(panel_sheet);
    free_surface(known_map_surface[0]);
    free_surface(known_map_surface[1]);
    if (known_map_texture) SDL_DestroyTexture(known_map_texture);
    known_map_texture = nullptr;
    if (screen_texture) SDL_DestroyTexture(screen_texture);
    screen_texture = nullptr;
    free_surface(canvas);
    canvas_format = nullptr;
    if (game_renderer) SDL_DestroyRenderer(game_renderer);
    game_renderer = nullptr;
    graphics_initialised = false;
    map_view_state = 0;
    no_flush = present_hold = false;
}

// ------------------------------------------------------------ presenting

void output_size(int* w, int* h) {
    *w = CANVAS_W;
    *h = CANVAS_H;
    if (game_renderer != nullptr && SDL_GetRendererOutputSize(game_renderer, w, h) == 0) return;
    if (game_window != nullptr) SDL_GetWindowSize(game_window, w, h);
}

void upload_screen() {
    if (game_renderer == nullptr || canvas == nullptr || screen_texture == nullptr) return;
    if (SDL_MUSTLOCK(canvas)) SDL_LockSurface(canvas);
    if (SDL_UpdateTexture(screen_texture, nullptr, canvas->pixels, canvas->pitch) != 0)
        SDL_ClearError();  // a failed upload shows the previous frame; play goes on
    if (SDL_MUSTLOCK(canvas)) SDL_UnlockSurface(canvas);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_RenderClear(game_renderer);
    SDL_RenderCopy(game_renderer, screen_texture, nullptr, nullptr);
}

int present_screen(int value) {
    if (no_flush || game_renderer == nullptr) return value;
    upload_screen();
    if (map_view_state != 0) {
        if (map_view_layer) map_view_layer();
        if (map_view_state == 2) map_view_state = 0;
    }
    if (!present_hold) show_frame();
    return value;
}

void present_screen_with_map() {
    int old_state = map_view_state;
    bool old_current = map_texture_current;
    map_view_state = 1;
    map_texture_current = true;
    present_screen();
    map_view_state = old_state;
    map_texture_current = old_current;
}

void present_rect(int x, int y, int w, int h, int present) {
    if (no_flush || game_renderer == nullptr) return;
    SDL_Rect old_view;
    SDL_RenderGetViewport(game_renderer, &old_view);
    SDL_Rect view;
    if (has_logical_size()) {
        view = {x + old_view.x, y + old_view.y, w, h};
    } else {
        float sx, sy;
        output_scale(&sx, &sy);
        view = {int(x * sx), int(y * sy), int(w * sx), int(h * sy)};
    }
    if (SDL_MUSTLOCK(canvas)) SDL_LockSurface(canvas);
    if (SDL_UpdateTexture(screen_texture, nullptr, canvas->pixels, canvas->pitch) != 0)
        SDL_ClearError();
    if (SDL_MUSTLOCK(canvas)) SDL_UnlockSurface(canvas);
    SDL_RenderSetViewport(game_renderer, &view);
    SDL_Rect src = {x, y, w, h};
    SDL_RenderCopy(game_renderer, screen_texture, &src, nullptr);
    if (present && !present_hold) show_frame();
    // Restore the viewport; the renderer adds the logical offset on the way
    // in, so correct for what it reads back.
    SDL_RenderSetViewport(game_renderer, &old_view);
    SDL_Rect back;
    SDL_RenderGetViewport(game_renderer, &back);
    if (back.x != old_view.x || back.y != old_view.y) {
        SDL_Rect fixed = old_view;
        if (back.x != old_view.x) fixed.x = 2 * old_view.x - back.x;
        if (back.y != old_view.y) fixed.y = 2 * old_view.y - back.y;
        SDL_RenderSetViewport(game_renderer, &fixed);
    }
}

void clear_screen() {
    if (canvas == nullptr) return;
    SDL_FillRect(canvas, nullptr, map_rgb(0, 0, 0));
    present_screen();
}

void scale_rect_to_output(SDL_Rect* rect) {
    if (rect == nullptr || has_logical_size()) return;
    float sx, sy;
    output_scale(&sx, &sy);
    if (sx == 1.0f && sy == 1.0f) return;
    rect->x = int(rect->x * sx);
    rect->w = int(rect->w * sx);
    rect->y = int(rect->y * sy);
    rect->h = int(rect->h * sy);
}

// With a logical size the renderer already hands mouse events over in
// canvas coordinates; scaling them again would halve them on a doubled
// window. Without one, the window is stretched over the whole output.
static int mouse_to_canvas(int raw, int canvas_size, bool horizontal) {
    if (game_renderer == nullptr || game_window == nullptr) return raw;
    if (has_logical_size()) return raw;
    int ww = 0, wh = 0;
    SDL_GetWindowSize(game_window, &ww, &wh);
    SDL_Rect view;
    SDL_RenderGetViewport(game_renderer, &view);
    int b = horizontal ? ww - 2 * view.x : wh - 2 * view.y;
    if (b <= 0) return raw;  // a window of no size: nothing to scale by
    if (b > canvas_size) return int(std::ceil(double(raw) / (double(b) / canvas_size)));
    return int(std::ceil(double(canvas_size) / b * raw));
}

int mouse_x_to_canvas(int raw_x) { return mouse_to_canvas(raw_x, CANVAS_W, true); }
int mouse_y_to_canvas(int raw_y) { return mouse_to_canvas(raw_y, CANVAS_H, false); }

// ------------------------------------------------------------ save-unders

int find_screen_under(const char* name) {
    SaveUnder* s = find_slot(name);
    return s ? int(s - save_unders) : -1;
}

void save_screen_under(const char* name, const SDL_Rect* rect) {
    if (canvas == nullptr || name == nullptr) return;
    int slot = -1;
    for (int i = 0; i < SAVE_UNDER_SLOTS; ++i) {
        if (save_unders[i].name[0] == 0 || std::strcmp(save_unders[i].name, name) == 0) {
            slot = i;
            break;
        }
    }
    if (slot < 0) slot = 0;
    SaveUnder& s = save_unders[slot];
    free_slot(s);
    copy_text(s.name, sizeof s.name, name);
    s.surface = SDL_ConvertSurface(canvas, canvas->format, 0);
    if (rect != nullptr) {
        s.rect = *rect;
        s.has_rect = true;
    }
}

void restore_screen_under(const char* name) {
    SaveUnder* s = find_slot(name);
    if (s == nullptr || s->surface == nullptr || canvas == nullptr) return;
    if (s->has_rect) {
        SDL_Rect r = s->rect;
        copy_surface(s->surface, &r, canvas);
        present_rect(s->rect.x, s->rect.y, s->rect.w, s->rect.h, 1);
    } else {
        copy_surface(s->surface, nullptr, canvas);
        present_screen();
    }
}

void free_screen_under(const char* name) {
    SaveUnder* s = find_slot(name);
    if (s) free_slot(*s);
}

void take_screen_snapshot() {
    if (snapshot_pending || canvas == nullptr) return;
    SDL_Rect all = {0, 0, CANVAS_W, CANVAS_H};
    copy_surface(canvas, &all, snapshot_surface);
    snapshot_pending = true;
}

void restore_screen_snapshot() {
    copy_surface(snapshot_surface, nullptr, canvas);
    present_screen();
    snapshot_pending = false;
}

void restore_screen_snapshot_with_map() {
    restore_with_map(snapshot_surface);
    snapshot_pending = false;
}

void save_screen_backup() {
    SDL_Rect all = {0, 0, CANVAS_W, CANVAS_H};
    copy_surface(canvas, &all, prompt_backup_surface);
}

void restore_screen_backup() {
    copy_surface(prompt_backup_surface, nullptr, canvas);
    present_screen();
}

void restore_screen_backup_with_map() { restore_with_map(prompt_backup_surface); }

// ------------------------------------------------------------ texture screen

void set_texture_screen(SDL_Texture* texture, int flags) {
    texture_screen_base = texture;
    texture_screen_flags = flags;
    texture_screen_active = !(texture == nullptr && flags == 0);
}

bool pointer_in_map_view() {
    const SDL_Rect& b = pointer_mark_bounds;
    return mouse_x >= b.x && mouse_x < b.x + b.w && mouse_y >= b.y && mouse_y < b.y + b.h;
}

void render_texture_layers() {
    if (game_renderer == nullptr) return;
    if (SDL_GetRenderTarget(game_renderer) != nullptr) SDL_SetRenderTarget(game_renderer, nullptr);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
    SDL_RenderClear(game_renderer);
    if (texture_screen_base) SDL_RenderCopy(game_renderer, texture_screen_base, nullptr, nullptr);
    if ((texture_screen_flags & 2) && known_map_texture) {
        int b = known_map_margin;
        SDL_Rect src = {b, b, 1024 - 2 * b, 1024 - 2 * b};
        SDL_Rect dst = {40, 50, 400, 400};
        scale_rect_to_output(&dst);
        SDL_RenderCopy(game_renderer, known_map_texture, &src, &dst);
    }
    if ((texture_screen_flags & 8) && extra_picture) {
        SDL_Rect dst = extra_picture_rect;
        if (dst.w == 0 || dst.h == 0) SDL_QueryTexture(extra_picture, nullptr, nullptr, &dst.w, &dst.h);
        scale_rect_to_output(&dst);
        SDL_RenderCopy(game_renderer, extra_picture, nullptr, &dst);
    }
    if ((texture_screen_flags & 4) && pointer_mark_texture && pointer_in_map_view()) {
        SDL_Rect dst = {mouse_x - 16, mouse_y - 16, 32, 32};
        scale_rect_to_output(&dst);
        SDL_RenderCopy(game_renderer, pointer_mark_texture, nullptr, &dst);
    }
}

void present_renderer() {
    if (game_renderer == nullptr) return;
    SDL_SetRenderTarget(game_renderer, nullptr);
    show_frame();
}

void clear_extra_picture() {
    if (extra_picture) SDL_DestroyTexture(extra_picture);
    extra_picture = nullptr;
    extra_picture_rect = {0, 0, 0, 0};
}

// ------------------------------------------------------------ effects

void fade(SDL_Surface* picture, float seconds, int direction) {
    if (canvas == nullptr) return;
    SDL_Surface* black = new_canvas_surface();
    if (black == nullptr) {
        std::fprintf(stderr, "fade: could not create the black Surface. (%s)\n", SDL_GetError());
        return;
    }
    SDL_FillRect(black, nullptr, map_rgb(0, 0, 0));
    SDL_Surface* source = picture;
    SDL_Surface* canvas_copy = nullptr;
    if (picture == canvas) {
        canvas_copy = SDL_ConvertSurface(canvas, canvas->format, 0);
        if (canvas_copy == nullptr) {
            std::fprintf(stderr, "fade: could not create a copy of the Screen Surface. (%s)\n",
                         SDL_GetError());
            SDL_FreeSurface(black);
            return;
        }
        source = canvas_copy;
    }
    float alpha = direction == 1 ? 0.0f : 255.0f;
    Uint32 last = SDL_GetTicks();
    for (;;) {
        // No time to fade in: go straight to the end.
        if (seconds <= 0.0f) alpha = direction == 1 ? 255.0f : 0.0f;
        Uint32 frame_start = SDL_GetTicks();
        if (source) copy_surface(source, nullptr, canvas);
        SDL_SetSurfaceBlendMode(black, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(black, Uint8(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha));
        SDL_BlitSurface(black, nullptr, canvas, nullptr);
        if (game_renderer) {
            upload_screen();
            if (!present_hold) show_frame();
        }
        if (direction == 1 ? alpha >= 255.0f : alpha <= 0.0f) break;
        Uint32 spent = SDL_GetTicks() - frame_start;
        if (spent < 5) SDL_Delay(5 - spent);
        Uint32 now = SDL_GetTicks();
        float step = float(now - last) / (seconds * 1000.0f) * 255.0f;
        last = now;
        alpha += direction == 1 ? step : -step;
        if (alpha > 255.0f) alpha = 255.0f;
        if (alpha < 0.0f) alpha = 0.0f;
    }
    SDL_FreeSurface(black);
    if (canvas_copy) SDL_FreeSurface(canvas_copy);
}

void fade_to_black_and_clear(float seconds) {
    present_screen();
    fade(canvas, seconds, 1);
    clear_screen();
}


// ------------------------------------------------------------ developer

// For its lifetime the renderer addresses its whole output: no logical size
// and no viewport; both come back afterwards.
struct WholeOutput {
    SDL_Rect old_view{};
    int lw = 0, lh = 0;
    WholeOutput() {
        SDL_RenderGetViewport(game_renderer, &old_view);
        SDL_RenderGetLogicalSize(game_renderer, &lw, &lh);
        if (lw) SDL_RenderSetLogicalSize(game_renderer, 0, 0);
        SDL_RenderSetViewport(game_renderer, nullptr);
    }
    ~WholeOutput() {
        if (lw) SDL_RenderSetLogicalSize(game_renderer, lw, lh);
        SDL_RenderSetViewport(game_renderer, &old_view);
    }
    WholeOutput(const WholeOutput&) = delete;
    WholeOutput& operator=(const WholeOutput&) = delete;
};

bool read_renderer_output_into(SDL_Surface*& s) {
    if (game_renderer == nullptr) return false;
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(game_renderer, &w, &h) != 0 || w <= 0 || h <= 0) return false;
    if (s != nullptr && (s->w != w || s->h != h || s->format->format != SDL_PIXELFORMAT_ARGB8888)) {
        SDL_FreeSurface(s);
        s = nullptr;
    }
    if (s == nullptr) s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return false;
    WholeOutput whole;  // read the whole output whatever viewport is set
    return SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch) == 0;
}

SDL_Surface* read_renderer_output() {
    SDL_Surface* s = nullptr;
    if (!read_renderer_output_into(s)) {
        if (s) SDL_FreeSurface(s);
        return nullptr;
    }
    return s;
}

int test_screenshot_count() { return screenshot_counter; }

void set_named_test_shots(bool on) { named_shots = on; }

bool save_test_shot(const char* name) {
    const char* folder = test_seam("KSM_TEST_SCREENSHOT");
    if (folder == nullptr || last_shown_frame == nullptr || name == nullptr) return false;
    // A name is a plain file name: letters, digits, '-' and '_'.
    for (const char* p = name; *p; ++p)
        if (!std::isalnum(static_cast<unsigned char>(*p)) && *p != '-' && *p != '_') return false;
    char path[1200];
    format_text(path, sizeof path, "%s/%s.bmp", folder, name);
    return SDL_SaveBMP(last_shown_frame, path) == 0;
}

void save_screenshot() {
    SDL_Surface* s = read_renderer_output();
    if (s == nullptr) return;
    SDL_SaveBMP(s, "screenshot.bmp");
    SDL_FreeSurface(s);
}

void save_renderer_copy() {
    if (game_renderer == nullptr) return;
    int slot = -1;
    for (int i = 0; i < SAVE_UNDER_SLOTS; ++i)
        if (std::strcmp(renderer_copies[i].name, "oma") == 0) {
            renderer_copies[i].name[0] = 0;
            free_surface(renderer_copies[i].pixels);
        }
    for (int i = 0; i < SAVE_UNDER_SLOTS && slot < 0; ++i)
        if (renderer_copies[i].name[0] == 0) slot = i;
    if (slot < 0) slot = 0;
    RendererCopy& c = renderer_copies[slot];
    free_surface(c.pixels);
    c.pixels = read_renderer_output();
    if (c.pixels == nullptr) return;
    SDL_RenderGetViewport(game_renderer, &c.viewport);
    copy_text(c.name, sizeof c.name, "oma");
}

void restore_renderer_copy() {
    if (game_renderer == nullptr) return;
    for (auto& c : renderer_copies) {
        if (std::strcmp(c.name, "oma") != 0 || c.pixels == nullptr) continue;
        SDL_Texture* t = SDL_CreateTextureFromSurface(game_renderer, c.pixels);
        if (t) {
            {
                WholeOutput whole;
                SDL_RenderCopy(game_renderer, t, nullptr, nullptr);
                show_frame();
            }
            SDL_DestroyTexture(t);
        }
        c.name[0] = 0;
        free_surface(c.pixels);
        return;
    }
}

// ------------------------------------------------------------ colours

Uint32 map_rgb(int r, int g, int b) {
    if (canvas_format != nullptr) return SDL_MapRGB(canvas_format, Uint8(r), Uint8(g), Uint8(b));
    // Before the canvas exists: the canvas's own layout (XRGB8888).
    return (Uint32(Uint8(r)) << 16) | (Uint32(Uint8(g)) << 8) | Uint32(Uint8(b));
}

Uint32 map_vga_colour(int r, int g, int b) { return map_rgb(r * 4, g * 4, b * 4); }

Uint32 colour_white() { return map_rgb(255, 255, 255); }

// ------------------------------------------------------------ pixels

void put_pixel(int x, int y, Uint32 colour) {
    if (canvas == nullptr || x < 0 || y < 0 || x >= CANVAS_W || y >= CANVAS_H) return;
    put_surface_pixel(x, y, colour, canvas);
}

Uint32 get_pixel(int x, int y) {
    if (canvas == nullptr || x < 0 || y < 0 || x >= CANVAS_W || y >= CANVAS_H) return 0;
    return get_surface_pixel(x, y, canvas);
}

void put_surface_pixel(int x, int y, Uint32 colour, SDL_Surface* s) {
    if (s == nullptr || x < 0 || y < 0 || x >= s->w || y >= s->h) return;
    bool locked = SDL_MUSTLOCK(s) && SDL_LockSurface(s) == 0;
    int bpp = s->format->BytesPerPixel;
    uint8_t* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * bpp;
    switch (bpp) {
        case 1: *p = uint8_t(colour); break;
        case 2: *reinterpret_cast<Uint16*>(p) = Uint16(colour); break;
        case 3:
            p[0] = uint8_t(colour);
            p[1] = uint8_t(colour >> 8);
            p[2] = uint8_t(colour >> 16);
            break;
        case 4: *reinterpret_cast<Uint32*>(p) = colour; break;
        default: break;
    }
    if (locked) SDL_UnlockSurface(s);
}

Uint32 get_surface_pixel(int x, int y, SDL_Surface* s) {
    if (s == nullptr || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
    bool locked = SDL_MUSTLOCK(s) && SDL_LockSurface(s) == 0;
    int bpp = s->format->BytesPerPixel;
    const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * bpp;
    Uint32 v = 0;
    switch (bpp) {
        case 1: v = *p; break;
        case 2: v = *reinterpret_cast<const Uint16*>(p); break;
        case 3: v = Uint32(p[0]) | (Uint32(p[1]) << 8) | (Uint32(p[2]) << 16); break;
        case 4: v = *reinterpret_cast<const Uint32*>(p); break;
        default: break;
    }
    if (locked) SDL_UnlockSurface(s);
    return v;
}

void fill_canvas_rect(int x, int y, int w, int h, Uint32 colour) {
    if (canvas == nullptr || w <= 0 || h <= 0) return;
    SDL_Rect r = {x, y, w, h};
    SDL_FillRect(canvas, &r, colour);
}

// ------------------------------------------------------------ the map view

MapViewGeometry map_view;
int32_t view_half_w = 12;
int32_t view_half_h = 11;

void set_map_view_geometry(float zoom) {
    if (zoom <= 0.0f) zoom = 1.0f;
    map_view = MapViewGeometry{};
    map_view.zoom = zoom;
    map_view.view = {15, 85, 450, 460};
    map_view.centre_x = 240;
    map_view.centre_y = 315;
    map_view.cell_w = 18.0f * zoom;
    map_view.cell_h = 20.0f * zoom;
    map_view.half_w = int(450.0f / (18.0f * zoom) * 0.5f);
    if (map_view.half_w == 19) map_view.half_w = 20;
    map_view.half_h = int(460.0f / (20.0f * zoom) * 0.5f);
    map_view.tex_centre_x = 531;
    map_view.tex_centre_y = 590;
    map_view.src_x = 306;
    map_view.src_y = 360;
    map_view.cells_across = 450.0f / zoom;
    map_view.cells_down = 460.0f / zoom;
    view_half_w = map_view.half_w;
    view_half_h = map_view.half_h;
}

