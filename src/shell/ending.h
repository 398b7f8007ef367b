// Ending the program.
#pragma once

#include <cstdint>

// Set by the window-close handler while a game runs; read and cleared by
// the start menu and the quit confirmation.
extern int32_t quit_request;
// Set while the start menu runs: closing the window then ends the program.
extern int32_t in_start_menu;

// The exit routine every fatal condition and every orderly exit goes
// through. A non-empty text is a fatal condition: it is shown (and written
// to stderr) and the process exits with code 1. An empty text is an orderly
// exit with code 0. Open files are flushed and the mixer closed first.
[[noreturn]] void exit_with_message(const char* text);
// The exit code exit_with_message uses for a text: 0 for empty, else 1.
int exit_code_for_message(const char* text);

// The farewell screen after QUIT; ends through exit_with_message("").
[[noreturn]] void farewell_screen();
