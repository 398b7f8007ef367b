// The one way out of the program: every fatal condition and every orderly
// exit goes through exit_with_message.
#pragma once

// The exit routine. A non-empty text is a fatal condition: it is written to
// stderr, shown to the player (when the screen can show it) and the process
// exits with code 1. An empty text is an orderly exit with code 0. Open
// files are flushed and the sound closed first.
[[noreturn]] void exit_with_message(const char* text);
// The exit code exit_with_message uses for a text: 0 for empty, else 1.
int exit_code_for_message(const char* text);

// What the screen and sound do on the way out. The engine fills these at
// start-up; until then a fatal text goes to stderr only.
struct ExitServices {
    void (*show_fatal_text)(const char* text);  // shows the text and waits for a key
    void (*close_sound)();                      // closes the mixer when it is open
};
extern ExitServices exit_services;

// SIGTERM and SIGINT ask for the orderly exit. The handler only notes the
// request; the input and the present take it up on every screen
// (exit_if_termination_requested), so a run ends even while it waits for
// a key that will never come. Installed once at start-up.
void install_termination_handler();
// The orderly exit when a termination was asked for; otherwise nothing.
void exit_if_termination_requested();
