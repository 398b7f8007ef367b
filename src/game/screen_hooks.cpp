// The screens the game asks to redraw.
#include "game/screen_hooks.h"

namespace {
void nothing_drawn() {}
bool no_picture(int, int) { return false; }
void no_text(const char*) {}
int nothing_told(int, int, int) { return 0; }
int no_square(const char*, const char*) { return 0; }
int no_target(int, const char*) { return 0; }
int no_creature(int, int, int) { return -1; }
int no_open_square(const char*) { return 0; }
void no_clue(int, int) {}
}  // namespace

ScreenHooks screen_hooks = {nothing_drawn, nothing_drawn, nothing_drawn, no_picture, no_text,
                            nothing_told,  no_square,     no_target,     no_creature, no_open_square,
                            no_clue};
