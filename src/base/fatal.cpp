// The exit routine.
#include "base/fatal.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {
volatile std::sig_atomic_t termination_asked = 0;
void note_termination(int) { termination_asked = 1; }
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

void install_termination_handler() {
    std::signal(SIGTERM, note_termination);
    std::signal(SIGINT, note_termination);
}

void exit_if_termination_requested() {
    if (termination_asked) exit_with_message("");
}
