// The outer loop (start menu, game start, game loop) and the game loop's
// shared state: how the last command used time, who holds the tactical
// advantage, and the request flags that the game loop consumes in order.
#pragma once

#include <atomic>
#include <cstdint>

// quit_state: 1 leave (the game, and at the start menu the program),
// -1 the character is dead, anything else play on.
extern int32_t quit_state;

// How the last command used time: 0 none, 1 one 6-second turn added by the
// game loop, 2 the action advanced the clock itself, 3 a long task ran.
extern uint8_t turn_time_state;
constexpr uint8_t TURN_NO_TIME = 0;
constexpr uint8_t TURN_ONE_TURN = 1;
constexpr uint8_t TURN_CLOCK_ADVANCED = 2;
constexpr uint8_t TURN_LONG_TASK = 3;

// Holder of the tactical advantage: -1000 nobody, -1 the player, else the
// creature slot that acts again before the player.
constexpr int32_t ADVANTAGE_NOBODY = -1000;
constexpr int32_t ADVANTAGE_PLAYER = -1;
extern int32_t tactical_advantage;
extern int32_t last_tactical_advantage;

// Per-turn requests, consumed by the game loop in this order.
extern uint8_t view_rebuild_request;
extern uint8_t enter_place_request;
extern uint8_t map_change_request;
extern int32_t recentre_request;  // 1 = re-centre the local map
extern uint8_t encounter_state;   // 0 none, 1 world encounter, 2 ambient event, 3 spirit mood
extern int32_t encounter_hour;    // hour of the last encounter
extern int32_t quit_now;          // set by the quit confirmation: exit after the command

// Movement keys in a row that only turned the player.
extern uint8_t move_turn_count;

// Idle animation: the main thread sets idle_wake around its key wait; the
// timer callback reads only this flag and the event queue.
extern std::atomic<uint8_t> idle_wake;
// Pushes one SDL_USEREVENT when idle_wake is set and no event is pending;
// returns interval so the timer repeats.
uint32_t idle_timer_callback(uint32_t interval, void* param);

// The current character's name (also its folder name).
extern char character_name[128];
// The working folder at start-up.
extern char install_folder[1024];

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
