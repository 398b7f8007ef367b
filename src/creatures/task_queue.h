// Every creature's queue of ten tasks: six parallel columns of its record
// (`Puuha`, `task_turns`, `task_state`, `task_x`, `task_y`, `task_target`),
// slot 0 the task under way. Pushing, popping and copying a queue, handing a
// leader's queue or attitude to its group, and waking a sleeper.
//
// Creature -1 is the working record `CreScratch` (the player has no queue
// of its own; the talk and console code prepare a record there).
#pragma once

#include <cstdint>

#include "creatures/creature_record.h"

constexpr int TASK_SLOTS = 10;

// Task codes the queue itself gives a meaning to.
constexpr int32_t TASK_WANDER = 1;
constexpr int32_t TASK_WAIT = 2;
constexpr int32_t TASK_CALL_OVER = 50;
constexpr int32_t TASK_EAT_CARCASS = 52;
constexpr int32_t TASK_GO_TO_POINT_53 = 53;
constexpr int32_t TASK_GO_TO_POINT = 60;
constexpr int32_t TASK_GO_HOME = 65;
constexpr int32_t TASK_BUTCHER_CARCASS = 68;
constexpr int32_t TASK_MAKE_FIRE = 110;
constexpr int32_t TASK_FELL_TREE = 120;
constexpr int32_t TASK_WORK_TRUNK = 121;
constexpr int32_t TASK_WORK_TRUNK_2 = 122;
constexpr int32_t TASK_COOK = 130;
constexpr int32_t TASK_LEAVE_MAP = 200;

// push_task answers.
constexpr int TASK_REFUSED = -1;      // full queue or refused by the code's rule
constexpr int TASK_FIRE_BURNS = -2;   // task 110 only: a fire already burns near

// task_state values.
constexpr int32_t TASK_STATE_STARTED = 0;
constexpr int32_t TASK_STATE_WAITING = 1;
constexpr int32_t TASK_STATE_WAIT_OVER = 1000;

// What carried object a creature cooks with (requirement 495).
constexpr int REQUIREMENT_COOKABLE = 495;

struct TaskPoint {
    int32_t x;
    int32_t y;
};
// The one square that searches fill and pushes copy as a task's target.
extern TaskPoint task_target_point;

// The record of creature c: a Cre slot, or CreScratch for -1; null for any
// other index.
CreatureRecord* task_creature(int creature);

// Puts the task in the first free slot: the slot, TASK_REFUSED when the
// queue is full or the code's rule refuses (the slot stays empty), or
// TASK_FIRE_BURNS for task 110 beside a burning fire.
int push_task(int creature, int task, int turns);
// Takes a task out: -1 clears slot 0 and moves nothing; 0..8 moves the
// later tasks down one place and empties slot 9; 9 and up empties slot 9.
void pop_task(int creature, int task_slot);
// The whole queue (all six columns of the ten slots).
void copy_task_queue(int from, int to);

// The slot of the creature's group leader, giving lone allies a group id
// from the character's id counter; -1 when nobody on the map belongs with
// it.
int cre_find_group_leader(int creature);
// Humans only: a non-zero id becomes the group; with 0 a creature without a
// group shares a new (or its own) id with every human ally on the map.
void cre_join_group(int creature, int32_t group);
// The leader's queue, or its attitude block, to every member of its group
// on the map (sleepers are woken first); -1 when it has no group, else 0.
int cre_group_copy_tasks(int leader);
int cre_group_copy_attitude(int leader);
// A sleeper wakes: its previous movement mode back, "WAKE_UP" told (unless
// it fainted), its current task dropped and a wander of 10-19 turns pushed.
// 1 when it slept, else 0 and nothing changes.
int cre_wake_up(int creature);
// The first carried slot whose object can be cooked, -1000 when none.
int cre_find_requisite_slot(int creature);

// Carcass follow-ups, written straight into the first free slot (nothing
// when the queue is full) towards task_target_point.
void cre_queue_eat_carcass(int unused, int map_index, int creature);
// Butchering of the carcass at map_index, or with search the nearest one
// within 15 squares that butcher_carcass accepts: 1 when a task was queued,
// else 0.
int cre_queue_butcher_carcass(int creature, int map_index, int search);

// What the queue asks of the creatures' senses, movement and searches,
// through a table so that tests can stand in for services still neutral.
struct AreaFind {
    int32_t x;
    int32_t y;
    int32_t index;  // the Data index of an object search; all 0: nothing found
};
struct TaskQueueServices {
    int (*is_human)(int creature);
    int (*are_allies)(int a, int b);
    int (*can_be_at)(int creature, int x, int y);
    AreaFind (*find_object_kind_near)(int x, int y, int radius, int kind_a, int kind_b);
    AreaFind (*find_terrain_near)(int x, int y, int rings, int code_a, int code_b);
    AreaFind (*find_item_meeting_requirement_near)(int x, int y, int requirement);
    TaskPoint (*find_exit_point)(int creature);
};
extern TaskQueueServices task_queue_services;
TaskQueueServices default_task_queue_services();

// The per-game reset: the target point cleared.
void reset_task_queue();
