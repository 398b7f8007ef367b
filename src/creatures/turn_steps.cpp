#include "creatures/turn_steps.h"

#include "base/files.h"
#include "creatures/creature_files.h"
#include "creatures/task_queue.h"

bool queue_task(int creature, int code, int turns, int x, int y, int target) {
    CreatureRecord* c = task_creature(creature);
    if (!c) return false;
    for (int s = 0; s < TASK_SLOTS; ++s) {
        if (c->Puuha[s] != 0) continue;
        c->Puuha[s] = code;
        c->task_turns[s] = turns;
        c->task_state[s] = TASK_STATE_STARTED;
        c->task_x[s] = x;
        c->task_y[s] = y;
        c->task_target[s] = target;
        return true;
    }
    return false;
}

void queue_wander(int creature, int base, int spread) {
    const int turns = base + random_below(spread);
    queue_task(creature, TASK_WANDER, turns);
}

void queue_wait(int creature, int base, int spread) {
    const int turns = base + random_below(spread);
    push_task(creature, TASK_WAIT, turns);
}

bool has_task(int creature) {
    const CreatureRecord* c = task_creature(creature);
    if (!c) return false;
    for (int s = 0; s < TASK_SLOTS; ++s)
        if (c->Puuha[s] != 0) return true;
    return false;
}
