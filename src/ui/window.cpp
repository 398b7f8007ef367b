// The window geometry.
#include "ui/window.h"

#include <algorithm>
#include <cstring>

#include "ui/canvas.h"

WindowRecord window_record = {int32_t(SDL_WINDOWPOS_CENTERED), int32_t(SDL_WINDOWPOS_CENTERED), 800,
                              600};

namespace {

constexpr int32_t CENTRED = int32_t(SDL_WINDOWPOS_CENTERED);

bool absurd_geometry(const WindowRecord& r, const std::vector<SDL_Rect>& displays) {
    if (r.w < 200 || r.h < 150 || r.w > 16384 || r.h > 16384) return true;
    if (r.x == CENTRED || r.y == CENTRED || displays.empty()) return false;
    for (const SDL_Rect& d : displays) {
        long long left = std::max<long long>(r.x, d.x);
        long long right = std::min<long long>((long long)r.x + r.w, (long long)d.x + d.w);
        long long top = std::max<long long>(r.y, d.y);
        long long bottom = std::min<long long>((long long)r.y + r.h, (long long)d.y + d.h);
        if (left < right && top < bottom) return false;
    }
    return true;  // off every display
}

}  // namespace

void window_size_for_display(int display_h, int* w, int* h) {
    if (display_h > 1000) {
        *w = 1200;
        *h = 900;
    } else if (display_h > 800) {
        *w = 1000;
        *h = 750;
    } else {
        *w = 800;
        *h = 600;
    }
}

WindowRecord choose_window_geometry(const WindowRecord* from_file, int display_w, int display_h,
                                    const std::vector<SDL_Rect>& displays) {
    WindowRecord r{CENTRED, CENTRED, 800, 600};
    int fallback_w = 800, fallback_h = 600;
    if (from_file != nullptr && !absurd_geometry(*from_file, displays)) {
        r = *from_file;
    } else {
        window_size_for_display(display_h, &r.w, &r.h);
        fallback_w = r.w;
        fallback_h = r.h;
    }
    if (r.x != CENTRED && r.y != CENTRED && (r.x > display_w - 60 || r.y > display_h - 60)) {
        r.x = CENTRED;
        r.y = CENTRED;
        r.w = fallback_w;
        r.h = fallback_h;
    }
    return r;
}

uint32_t window_flags_for(const char* fullscreen, const char* museum, const WindowRecord& g,
                          int display_w) {
    if (fullscreen == nullptr) fullscreen = "";
    bool museum_on = museum != nullptr && std::strcmp(museum, "YES") == 0;
    uint32_t base = museum_on ? 0u : uint32_t(SDL_WINDOW_RESIZABLE);
    if (std::strstr(fullscreen, "YES") != nullptr) return uint32_t(SDL_WINDOW_FULLSCREEN_DESKTOP) | base;
    if (std::strstr(fullscreen, "MAXIMIZED") != nullptr) return uint32_t(SDL_WINDOW_MAXIMIZED) | base;
    if (g.x == 0 && g.y == 0 && g.w >= display_w) return uint32_t(SDL_WINDOW_MAXIMIZED) | base;
    return base;
}

bool write_window_file(const WindowRecord& rec) {
    uint8_t bytes[16];
    put_le32(bytes + 0, uint32_t(rec.x));
    put_le32(bytes + 4, uint32_t(rec.y));
    put_le32(bytes + 8, uint32_t(rec.w));
    put_le32(bytes + 12, uint32_t(rec.h));
    return write_file_atomic(WINDOW_FILE, bytes, sizeof bytes);
}

void save_window_geometry() {
    if (game_window == nullptr) return;
    SDL_GetWindowPosition(game_window, &window_record.x, &window_record.y);
    SDL_GetWindowSize(game_window, &window_record.w, &window_record.h);
    write_window_file(window_record);
}
