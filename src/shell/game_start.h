// Starting a new or saved game.
#pragma once

// Brings the chosen character's world into memory; 0 normally, -1 when the
// game already ended during the start.
int start_or_continue_game();
