// What the game asks of the shell while it runs: applying the start-up
// scenario whose number the character record holds (the console's scenes
// start one). The shell connects it at start-up; unconnected, nothing is
// applied.
#pragma once

struct ShellHooks {
    void (*apply_startup_scenario)();
};
extern ShellHooks shell_hooks;

// Applies the character's start-up scenario (its starting items and set-up).
inline void apply_startup_scenario() { shell_hooks.apply_startup_scenario(); }
