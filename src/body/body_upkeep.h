// The player's body, checked once per turn: cold, wounds and what they
// knock out; the time the player lies unconscious and what others do
// meanwhile; falls from a height.
#pragma once

#include "body/body_queries.h"

// The per-turn check of the player's body against cold and wounds; may
// knock the player out or end the game (quit_state -1). The argument is not
// used.
void plr_body_check(int time);
// Hunger, thirst and sleep of the player, once per turn (the unforced
// needs report); the result goes to the world-encounter check: always 0.
int plr_body_upkeep(int mode);
// Sleep (the command, and sleep that overwhelms the player) is in
// body/body_queries.h.

// The turns the player lies unconscious: the world acts until the player
// comes to (at the latest after 500 turns) or dies; whoever knocked the
// player out then has its way. plr_unconscious_sequence is the game loop's
// name for it.
void plr_unconscious_episode();
void plr_unconscious_sequence();
// What the knocker (a creature slot, or below 0 a cause) does with the
// helpless player: villagers take back their goods, some take weapons,
// robbers snatch things, captors carry the player off.
void plr_unconscious_consequences(int creature);
// The items of the creature's village that the player took are taken back
// (from the inventory); the count.
int return_village_property(int creature);
// The player is carried to world cell (x, y) and wakes on its local map.
void plr_carried_to(int world_x, int world_y);
// A fall of `feet` feet.
void plr_fall_damage(int feet);

// The world cell a carried-off player is taken to from the local map at
// world cell (ox, oy): -1 in x when there is none.
struct CarryTarget {
    int x, y;
};
CarryTarget pick_carry_off_cell(int ox, int oy);

// The player's confusion from the cold (4 while cooling), 0 none.
extern int plr_confusion;
// The per-game reset of the body check (the cold-message stamp).
void reset_body_check_state();
