// The player's party seen from the creatures: a person joining as an
// escorted companion, the gear a companion counts as its own, the worth of
// what a creature carries, the companions idle beside the player, and
// unpacking a pack animal or picking from a companion.
#pragma once

#include <cstddef>

// The person joins the party as an escorted companion for the wage.
void cre_make_escortee(int creature, int wage);
// Marks (on) or unmarks every carried, worn and wielded object of the
// creature as the companion's own; cheap things stay unmarked unless the
// creature is an escorted companion.
void cre_mark_companion_gear(int creature, int on);
// The trade value of what the creature wields, carries (its own) and wears.
float cre_carried_value(int creature);
// The companions next to the player that are up, idle and calm: their
// number, and their names joined ("Ari, Oti and Kaisa") in out.
int list_idle_companions_beside(char* out, size_t cap);
// Unpacking the player's own animal or picking from a companion: -1 for
// anyone else, 0 when nothing was taken, 1 done.
int unpack_from_creature(int creature);
// The pick-up command's use of it: 1 when the creature was dealt with, 0
// when the square is still to be picked from.
int unpack_or_pick_from_creature(int mode, int creature);

// The companions that help with a long task, and their names as the task
// shows them (the idle companions beside the player).
int count_helping_companions();
const char* companion_names_text();
