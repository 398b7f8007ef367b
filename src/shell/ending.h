// Ending a game and the program: the farewell screen and the quit
// confirmation (the exit routine is base/fatal.h, death game/death.h).
#pragma once

#include "base/fatal.h"
#include "game/death.h"

// The farewell screen after QUIT; ends through exit_with_message("").
[[noreturn]] void farewell_screen();

// The quit confirmation: 1 when the game is to end (or after a plain save),
// 0 when the player cancelled or the save failed (the game goes on).
int confirm_quit(int save_only);
