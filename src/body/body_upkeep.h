// The player's body, checked once per turn.
#pragma once

// The per-turn check of the player's body against cold and wounds; may end
// the game (quit_state -1). The argument is not used.
void plr_body_check(int time);
// Hunger, thirst and sleep of the player, once per turn (the unforced
// needs report); the result goes to the world-encounter check: always 0.
int plr_body_upkeep(int mode);
// Sleep: the sleep command (mode 0) and sleep that overwhelms the player
// (mode 1 lets hunger cut the night short). Not built yet: nothing.
void plr_sleep(int mode);
// What happens while the player lies unconscious.
void plr_unconscious_sequence();
