// The people's turn (Ela_Ihminen, declared with the other turns in
// creature_queries.h) and the way off the map.
#pragma once
#include "creatures/task_queue.h"

// A point to leave the map by: ten tries of a random square 82..381 on
// both axes, ground (terrain 250) found within four rings of it first, else
// the square itself, where the creature may stand; (0, 0) when all fail.
TaskPoint cre_find_exit_point(int creature);
