// The intro, the start menu and the version text.
#pragma once

// The intro sequence; any key cuts it short.
void intro_scren();
// Runs the start menu until a character is loaded or created, or QUIT is
// chosen (quit_state 1).
void start_menu();
// The version text: the first data line of "verno.ksm", else "1.0 (stable)".
// Ring text of at most 79 characters.
const char* version_text();
