#include "shell/game_start.h"

// Not built yet: there is no game to start; the game loop runs on an empty world.
int start_or_continue_game() { return 0; }
