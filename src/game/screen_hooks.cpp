// The screens the game asks to redraw.
#include "game/screen_hooks.h"

namespace {
void nothing_drawn() {}
bool no_picture(int, int) { return false; }
void no_text(const char*) {}
}  // namespace

ScreenHooks screen_hooks = {nothing_drawn, nothing_drawn, nothing_drawn, no_picture, no_text};
