// The player's body, checked once per turn.
#pragma once

#include "body/body_queries.h"

// The per-turn check of the player's body against cold and wounds; may end
// the game (quit_state -1). The argument is not used.
void plr_body_check(int time);
// Hunger, thirst and sleep of the player, once per turn (the unforced
// needs report); the result goes to the world-encounter check: always 0.
int plr_body_upkeep(int mode);
// Sleep (the command, and sleep that overwhelms the player) is in
// body/body_queries.h.
// What happens while the player lies unconscious.
void plr_unconscious_sequence();
