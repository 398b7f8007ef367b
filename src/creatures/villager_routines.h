// The villagers' and companions' routines and the village's reactions to
// the player that the people's and animals' turns ask for. Not built yet:
// each gives the neutral answer noted, and nobody acts.
#pragma once

// A villager reacts to the player (a theft, a visit, unpaid goods, an
// alarm): 1 when it acted and its turn is over.
int villager_react_to_player(int villager);      // 0
// Queues task 80 for a displaced item of its village.
void villager_queue_fetch_goods(int villager);   // nothing
// 1 when task 81 was queued for a wanted item nearby.
int villager_queue_pick_up(int villager);        // 0
// 1 when it put something on.
int cre_wear_armour(int creature);               // 0
// 1 when task 150 (approach and talk) was queued.
int cre_call_to_talk(int unused, int creature);  // 0
// 1 when it walked towards its group's leader.
int cre_stay_with_group(int creature);           // 0
// 1 when the main activity acted.
int cre_run_main_task(int creature);             // 0
// 1 when (x, y) counts as the settlement the creature sought.
int cre_reached_settlement(int creature, int x, int y);  // 0
