// Long tasks: resting, crafting, cooking, felling, setting traps ... run
// here step by step while the world goes on, with a small window showing
// the time spent, the progress and the effort, until the task is done or
// something interrupts it.
#pragma once

#include <cstdint>

// Flags of a task.
constexpr int TASK_LONG_RESUMABLE = 0x01;   // 721+ minutes allowed; resumable from 5 %
constexpr int TASK_LONG_RESUMABLE0 = 0x02;  // 721+ minutes allowed; resumable from 0 %
constexpr int TASK_ESC_STOPS = 0x04;        // ESC stops at once, no question
constexpr int TASK_NO_PROGRESS = 0x08;      // no progress line or bar
constexpr int TASK_FINE_TICKS = 0x20;       // ten-second ticks instead of minutes
constexpr int TASK_UNTIL_RESTED = 0x40;     // ends when fatigue reaches 0
constexpr int TASK_COMPANIONS = 0x80;       // companions may help
constexpr int TASK_HELP_ONE = 0x100;
constexpr int TASK_HELP_TWO = 0x200;

// The longest task allowed without TASK_LONG_RESUMABLE(0).
constexpr int TASK_MAX_PLAIN_MINUTES = 720;

// A sample name the caller may set before the call; the task plays it
// looping and clears it (the game loop also clears it before each command).
extern char task_sound_name[20];
// Clears the task sound name (the game loop, before each command).
void clear_task_sound();
// Set once the task passed its resumable threshold.
extern int32_t task_resumable;
// Requests other code raises while a task runs: 1 a sound was heard,
// 2 interrupt, 3 an attack, 4 ask whether to abort.
extern int32_t task_interrupt_request;
// A key request from other code: -1 acts as ESC, -2 as an ESC that stops.
extern int32_t task_key_request;

// Runs a task of `seconds` + `minutes` with `progress_done` percent already
// done. 1 when it ran to its end, 0 when refused, cancelled or interrupted.
int spend_time_on_task(int seconds, int minutes, const char* label, int progress_done, int flags);
// The same in ten-second ticks.
int spend_time_on_task_finely(int seconds, int minutes, const char* label, int progress_done);
// The label of the task that runs through spend time now (the innermost);
// null while none runs.
const char* running_task_label();
// The two marks of a running long task, read from its label: "running"
// for every task, "busy" unless the label holds "STANDING BY" (a task of
// standing by lets the map-object table be packed meanwhile).
bool long_task_running();
bool long_task_busy();

// What a task needs to know about one creature of the map.
struct TaskCreatureView {
    int x, y;
    bool is_person;       // people follow TASK_ABORT_HUMANS, others TASK_ABORT_ANIMALS
    bool hostile;         // attacking (mode 99 or 2)
    bool targets_player;
    bool dangerous;
};

// The real-time clock, pause, key reads and questions of the task loop,
// and the services of other parts of the game it calls. A null entry falls
// back to the game's own (the clock, pause and keys are SDL's) or is skipped
// with a neutral answer. A test sets its own entries.
struct SpendTimeSeams {
    uint32_t (*now_ms)();
    void (*sleep_ms)(uint32_t ms);
    int (*poll_key)();
    int (*ask_yes_no)(const char* question);
    int (*ask_yes_no_default_yes)(const char* question);
    // Services (null: skipped; see each neutral answer).
    int (*adjacent_fighters)();                                 // 0: not in combat
    bool (*creature_view)(int slot, TaskCreatureView& out);     // false: no creature
    int (*count_helping_companions)();                          // 0
    const char* (*companion_names)();                           // "your companions"
    const char* (*effort_word)(int exertion);                   // ""
    void (*rebuild_view)();
    void (*world_encounter_check)();
    void (*update_map_objects)();                               // the game's own by default
    void (*body_check)(int time);                               // the game's own by default
};
// The seams as the game sets them (the view rebuild wired in).
SpendTimeSeams default_spend_time_seams();
extern SpendTimeSeams spend_time_seams;

// The number of steps and the pause between them (ms, before the
// configured addition) of a task.
int task_step_count(int seconds, int minutes, int flags);
int task_step_pause_ms(int minutes, int flags);
