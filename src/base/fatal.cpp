// The exit routine.
#include "base/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace {
void no_fatal_screen(const char*) {}
void no_sound_to_close() {}
}  // namespace

ExitServices exit_services = {no_fatal_screen, no_sound_to_close};

int exit_code_for_message(const char* text) { return (text != nullptr && text[0] != 0) ? 1 : 0; }

void exit_with_message(const char* text) {
    const int code = exit_code_for_message(text);
    if (code != 0) {
        std::fprintf(stderr, "%s\n", text);
        if (exit_services.show_fatal_text) exit_services.show_fatal_text(text);
    }
    std::fflush(nullptr);
    if (exit_services.close_sound) exit_services.close_sound();
    std::exit(code);
}
