// Predators and hunters choosing their prey, carrion eaters a carcass; the
// prey relation and the game test are in creature_queries.h.
#pragma once

// A predator (not a leashable one) queues task 55 for the nearest prey of
// its diet mask `mode` (1 or 2; others count as 1) within 125 squares, ties
// to the later record; its group gets the queue. 1 when queued.
int Saalista(int predator, int mode);
// A human hunter with two weapons or more queues task 69 for the nearest
// game within 125 squares. 1 when queued.
int cre_seek_game(int hunter);
// The first carcass the creature would eat: with act 0 its distance (1 for
// its own square), 0 when none; with act non-zero 1 when eating it was
// queued (task 52).
int Haaskasta(int creature, int mode, int act);
// 1 when the creature will not go to eat at (x, y): near the player for a
// wild one, a trap, a cellar, a roof.
int cre_avoids_food_spot(int creature, int x, int y);
