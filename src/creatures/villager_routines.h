// Small routines the human turn runs for villagers and companions, and
// that the daily update, talk, quests and combat call: fetching the
// village's displaced goods, picking up valuables, putting on armour,
// coming over to talk, staying with the group, the villager's main task,
// leaving the player's party, and noticing a settlement reached.
#pragma once

constexpr int TASK_FETCH_GOODS = 80;
constexpr int TASK_PICK_UP = 81;
constexpr int TASK_APPROACH_AND_TALK = 150;
constexpr int MAIN_TASK_FETCH = 1;
constexpr int MAIN_TASK_FETCHED = 2;
constexpr int MAIN_TASK_HUNT = 69;

// status_bits (life_bits) of a companion's service.
constexpr unsigned STATUS_WANTS_TO_TALK = 0x80000000u;
constexpr unsigned STATUS_LEFT = 0x40000000u;
constexpr unsigned STATUS_UNPAID = 0x40000u;
constexpr unsigned STATUS_SEEKS_SETTLEMENT = 0x100u;

// Task 80 towards the nearest displaced item of the villager's village.
void villager_queue_fetch_goods(int villager);
// Task 81 towards the nearest valuable the villager can carry, nearer than
// 48 squares: 1 when queued.
int villager_queue_pick_up(int villager);
// Puts on the first carried armour that fits (creature -1 the player): 1
// when it put something on.
int cre_wear_armour(int creature);
// Task 150 (come over and talk) when the creature is within 64 squares of
// the player: 1 when queued.
int cre_call_to_talk(int unused, int creature);
// The creature within 3 squares opens a talk with the player: 1 when it
// did.
int cre_come_to_talk(int creature);
// A straggler walks back towards its group's leader: 1 when it did.
int cre_stay_with_group(int creature);
// The creature's main task: 1 when it acted, 0 when it did nothing.
int cre_run_main_task(int creature);
// A companion leaves the player's service; the wage it is owed is settled.
void cre_leave_party(int creature);
// 1 when (x, y) counts as the settlement the creature was seeking.
int cre_reached_settlement(int creature, int x, int y);
// The person's part of the daily update (the daily update's creature_day).
void creature_day(int slot);
