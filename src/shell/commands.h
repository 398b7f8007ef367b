// The player's key commands: one call per pass of the game loop prepares
// the turn, reads one key and carries out what it stands for.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <cstdio>


// One command: 0 when the game loop is to end (dead, or saved and quit),
// else 1. Sets turn_time_state. (The same as run_player_command.)
int player_command();
int run_player_command();

// The preparation of a turn (everything before the key is read). Returns
// -1 to go on and read a key, else the value player_command returns.
int prepare_command_turn();
// Carries out one game key code. `repeat` is set when the key is a held
// key's automatic repeat. Returns 0 or 1 as player_command.
int run_command_key(int key, bool repeat);

// Movement keys (keypad directions 1071-1081); `ctrl` steps without turning.
void movement_key(int key, bool ctrl);
// The Enter key: zoom between the world map and the local map.
void zoom_command();
// The next map zoom factor for Ctrl+0 (1097), Ctrl+plus (1098) and
// Ctrl+minus (1099); other keys give the factor unchanged.
float next_map_zoom(float zoom, int key);

// The idle-animation timer (a 333 ms SDL timer while IDLE_ANIMATION is on).
extern SDL_TimerID idle_timer_id;
extern uint8_t idle_timer_running;

// Streams the game keeps open between commands are none; files that are
// opened for the game's own use are registered here, and any still open
// when a command starts is closed (with a warning). Standard streams are
// never registered and never closed.
void register_game_stream(FILE* stream);
void release_game_stream(FILE* stream);  // call before fclose
int close_stray_streams();               // the number closed

// Which services the last command reached, in order (also written to the
// "keydebug" debug channel): maintenance aid and the dispatch tests' probe.
struct CommandTraceEntry {
    char service[48];
    int32_t value;
};
constexpr int COMMAND_TRACE_SLOTS = 16;
extern CommandTraceEntry command_trace[COMMAND_TRACE_SLOTS];
extern int command_trace_count;
void clear_command_trace();
// True when the trace holds the service (and, unless value is INT32_MIN, the value).
bool command_trace_has(const char* service, int32_t value = INT32_MIN);
