// Texts shown on a bare screen: the start-up steps and the last words of a
// fatal condition.
#pragma once

// A start-up step: shown on the canvas (cut to 70 characters when longer
// than 80; the caller's text is never changed) and logged.
void show_init_step(const char* text);
// The fatal text on a cleared screen, until a key is pressed (the exit
// routine's screen; nothing when the screen is not up).
void show_fatal_text(const char* text);
// The armour screen of a piece of armour or clothing, titled with its name.
void armour_screen(const char* name);  // nothing
