// Texts shown on a bare screen.
#include "ui/notices.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/input.h"

void show_init_step(const char* text) {
    char shown[81];
    if (text == nullptr) text = "";
    // Long texts are shown and logged cut to 70 characters.
    size_t cut = std::strlen(text) > 80 ? 70 : 80;
    copy_text(shown, cut + 1, text);
    if (graphics_initialised && canvas != nullptr) {
        fill_canvas_rect(5, 30, 396, 11, map_rgb(0, 0, 0));
        draw_text_at(10, 30, shown, map_rgb(171, 171, 171), 0);
        present_screen();
    }
    init_log_line(shown);
}

void show_fatal_text(const char* text) {
    if (!graphics_initialised || canvas == nullptr) return;
    Uint32 white = map_rgb(255, 255, 255);
    clear_screen();
    draw_text_at(10, 10, text, white, 0);
    draw_text_at(10, 30, "Thank you for playing Kesmorra.", white, 0);
    draw_text_at(10, 40, "For latest news & updates visit Ksm homepage:", white, 0);
    draw_text_at(10, 50, "https://kesmorra.example.org", white, 0);
    draw_text_at(10, 80, "Press a key ... ", white, 0);
    present_screen();
    wait_key();
    clear_screen();
}

void armour_screen(const char*) { KSM_STUB("armour_screen"); }
