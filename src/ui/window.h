// The window geometry, kept in "winpos.dat".
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "base/platform.h"

// The window geometry, kept for the whole run and saved as "winpos.dat"
// (four little-endian int32: x, y, width, height).
struct WindowRecord {
    int32_t x, y, w, h;
};
KSM_RECORD(WindowRecord, 16);
constexpr const char* WINDOW_FILE = "winpos.dat";
extern WindowRecord window_record;

// The default size for a display height: above 1000 1200 x 900, above 800
// 1000 x 750, else 800 x 600.
void window_size_for_display(int display_h, int* w, int* h);

// The geometry to open the window with. `from_file` is the content of
// "winpos.dat" when it was read whole (nullptr otherwise). display_w/h are
// the last display's size; `displays` the bounds of every display. A file
// that is absurd (size below 200 x 150 or above 16384, or a window lying off
// every display) counts as missing; a saved position within 60 pixels of
// the right or bottom edge gives a centred 800 x 600 window.
WindowRecord choose_window_geometry(const WindowRecord* from_file, int display_w, int display_h,
                                    const std::vector<SDL_Rect>& displays);

// The window flags for the FULLSCREEN and MUSEUM values.
uint32_t window_flags_for(const char* fullscreen, const char* museum, const WindowRecord& geometry,
                          int display_w);

// Reads the window's position and size into window_record and writes
// "winpos.dat".
void save_window_geometry();
bool write_window_file(const WindowRecord& rec);
