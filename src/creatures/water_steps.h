// The player's step into water and the water tests the whole game uses:
// open water, where a watercraft lies, the sesta or paddle in hand, the
// load a craft floats, and the warning about cold water.
#pragma once

#include <cstdint>

// A watercraft's launch made in a hurry (a step back, or into a cell out of
// view) with the water spirit's blessing pleases the spirit and starts a
// bonus time for fishing. Both are kept per game: the blessing's bit 0x01
// is set by the rituals, the bonus time runs until this total minute.
extern uint8_t water_blessing_flags;
extern int32_t water_bonus_until;
// Whether the current map lets the player swim (the map loader may forbid
// it); on unless a map says otherwise.
extern uint8_t swimming_allowed;
void reset_water_state();

// 1 when the cell itself is not open water but one of the cells five away
// north, south, west or east is.
int is_near_water(int x, int y);
// 2 a paddle in hand, 1 only a sesta, 0 neither.
int worn_floating_gear();
// The cold-water warning; with ask, the answer to "Really enter the water?"
// (1 at once for water warmer than 13 degrees).
int confirm_enter_water(int ask);
// 0 no watercraft on the cell, 1 it floats its load, -1 overloaded (the
// player is told).
int watercraft_overloaded(int x, int y);
// The player's step into or within water at (x, y): 1 the step may go on,
// 0 refused, -1 refused with a message about the craft, or the swim failed.
int plr_enter_water(int x, int y);
