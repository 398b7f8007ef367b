// The outer loop (start menu, game start, game loop) and the game loop.
// Their shared state (game/turn_state.h) lives with the game.
#pragma once

#include <atomic>
#include <cstdint>

#include "game/turn_state.h"

// Idle animation: the main thread sets idle_wake around its key wait; the
// timer callback reads only this flag and the event queue.
extern std::atomic<uint8_t> idle_wake;
// Pushes one SDL_USEREVENT when idle_wake is set and no event is pending;
// returns interval so the timer repeats.
uint32_t idle_timer_callback(uint32_t interval, void* param);

// Services the game loop calls each pass. The defaults are the game's own
// functions; a test may replace any of them to drive the loop with a script.
// A null entry is skipped.
struct GameLoopServices {
    void (*recentre_local_map)();
    void (*advance_seconds)(int seconds);
    void (*redraw_status)();
    void (*update_map_objects)();
    void (*clear_pause_count)();
    void (*start_new_day)();
    void (*plr_body_check)(int time);
    int (*plr_body_upkeep)(int mode);
    void (*world_encounter_check)(int upkeep_result);
    void (*world_encounter)();
    void (*world_ambient_event)();
    void (*spirit_mood_message)();
    void (*rebuild_view)();
    int (*is_world_map)();      // asked once a pass (it also counts a course event)
    int (*world_map_flag)();    // the map-kind flag it left: 1 on the world map
    void (*presence_hints)();
    void (*enter_place)();
    void (*maploader)(int mode);
    void (*flush_events)();
    void (*unconscious)();
    void (*ambience)();
    void (*clear_task_sound)();
    int (*player_command)();
    void (*quit_now_exit)();
    void (*clear_pause_skip)();
};
GameLoopServices default_game_loop_services();
extern GameLoopServices game_services;

// One pass per command until a command returns 0 or the character dies.
void game_loop();
// One pass of the game loop; returns the command's result R, or 0 when the
// loop ends before a command is read.
int game_loop_pass();

// The outer loop: start menu, game start, game loop, until quit_state is 1.
void outer_loop();

// The per-game reset, after every game.
void reset_game_state();
// Re-centres the local map on the player's world cell.
void recentre_local_map();
