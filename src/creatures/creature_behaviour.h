// The creatures' own doings that other parts of the game call (the turns
// themselves are in creature_queries.h): walking to a place and fleeing, the task
// runner, what a creature says and shouts, waking, butchering, the party,
// the villagers' watch over their goods, and the culture words and lists
// the people makers read. Not built yet: each gives the neutral answer
// noted.
#pragma once

#include <cstdint>

#include "creatures/culture_goods.h"
#include "creatures/personal_names.h"
#include "creatures/creature_steps.h"
#include "creatures/task_queue.h"
#include "creatures/village_reactions.h"
#include "creatures/villager_routines.h"

// One step of the creature's current task (creatures/task_runner.cpp); 1
// when its turn is used up, 0 when the caller goes on with its default.
int Tee_Puuha(int map_index);
// The creature flees from its threat towards its refuge
// (creatures/creature_flight.cpp): 1 when it got clear this turn.
int Pakene(int creature);
// The refuge from the threat at (x, y), kept while it is worth running for;
// stored in flee_x, flee_y.
struct TaskPoint;
TaskPoint Hae_Pakopaikka(int creature, int threat_x, int threat_y);
// 1 when the threat is beyond the creature's safe distance.
int cre_threat_left_behind(int creature);
// A creature that could not move as it fled may turn on its pursuer (a
// tired, heavy enough creature with byte 576 above 0, its pursuer near
// where it stood last): 1 when it struck a blow or turned to attack.
int cre_consider_cornered_attack(int creature);
// Refreshes the creature's target point; non-zero ends its perception.
int cre_update_target(int creature);             // 0
// The creature's physical state of the turn: its wound load, a fall when
// its legs give way (a drop from the air), cooling in open water and
// warming elsewhere, a fall from the air or a tree when stunned or the
// tree is gone; -1 the player (only the fall).
void cre_update_body_state(int creature);
// 1 when the target flies high or stands on open water out of the
// pursuer's reach.
int cre_target_out_of_reach(int pursuer, int target);  // 0: within reach
// Wakes a sleeping creature; 0 when it was not asleep (the task queue's,
// creatures/task_queue.h).
int cre_wake_up(int creature);
// The creature (or -1, the player) says or shouts the text, told as an
// action message; 1 when shown. A villager's shout wakes the sleepers of its
// group wherever they are.
int cre_say(int creature, const char* text);
int cre_shout(int creature, const char* text);
// Queues the butchering of a carcass (the nearest within 15 squares with
// search); 1 when queued: cre_queue_butcher_carcass of the task queue.
int cre_queue_butchering(int creature, int map_index, int search);
// cre_leave_party: creatures/villager_routines.h.
// An item map object within 19 squares of (x, y) meeting either
// requirement: out[0..2] its x, y and index; 0 when none.
int find_requisite_near(int x, int y, int out[3], int unused, int requirement_a, int requirement_b);  // 0, out zero
// make_template_fur_item: creatures/culture_goods.h.
// The villagers' watch over the player: creatures/village_reactions.h.
// culture_group_word, random_foreign_name: creatures/personal_names.h.
