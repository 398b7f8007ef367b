// The start-up log "init_log.txt" and the debug channels "debug_%s.txt".
#pragma once

#include <cstdint>

constexpr const char* INIT_LOG_FILE = "init_log.txt";

extern int32_t debug_logs_on;      // the general debug switch ("&" key)
inline int32_t& debug_switch = debug_logs_on;
extern int32_t key_debug_on;       // set while the movement menu runs
extern int32_t debug_messages_on;  // developer console switches
extern int32_t quest_debug_on;

// Appends the text and a newline to "init_log.txt".
void init_log_line(const char* text);
// One entry in a channel. Channels whose name holds "!" are always written;
// the others only while debug_logs_on is set. "vegetation" and "setplant"
// channels are never written. The text "remove" deletes the channel file.
void debug_log(const char* channel, const char* text);
// The game time a channel line is stamped with (day, hour, minute). The
// game connects its clock at start-up; unconnected, lines read 0/0:0.
extern void (*debug_game_time)(int* day, int* hour, int* minute);
