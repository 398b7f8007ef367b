// The animals' turn (Ela_Elain, declared with the other turns in
// creature_queries.h) and its steps.
#pragma once
#include "creatures/task_queue.h"

// Asleep for 1000 turns outside its active hours, where it may stand and
// more than 40 squares from the player (not leashed): 1 when put to sleep.
int cre_rest_if_rest_time(int creature, int map_index);
// A creature of open water (class 24) swims, hauls out or dives.
void water_animal_step(int creature);
// A random haul-out spot of the local map (islets and ice beside open
// water), the candidates gathered once a map and day; (0, 0) when none.
TaskPoint find_haul_out_spot();
// A nesting bird in its months lays its eggs once in its life; always 0.
int cre_nesting_step(int creature, int map_index);
// The creature's call, told as seen or heard; a bird only in its months.
void cre_make_sound(int creature);
// The per-game reset: the gathered haul-out spots forgotten.
void reset_animal_turns();
