// The exit routine.
#include "shell/ending.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/sound.h"

int32_t quit_request = 0;
int32_t in_start_menu = 0;

int exit_code_for_message(const char* text) { return (text != nullptr && text[0] != 0) ? 1 : 0; }

void exit_with_message(const char* text) {
    int code = exit_code_for_message(text);
    if (code != 0) {
        std::fprintf(stderr, "%s\n", text);
        if (graphics_initialised && canvas != nullptr) {
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
    }
    std::fflush(nullptr);
    if (sound_on) close_audio();
    std::exit(code);
}

// Not built yet: no farewell screen; an orderly exit.
void farewell_screen() { exit_with_message(""); }
