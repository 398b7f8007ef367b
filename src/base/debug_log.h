// The start-up log "init_log.txt" and the debug channels "debug_%s.txt".
#pragma once

#include <cstdint>

constexpr const char* INIT_LOG_FILE = "init_log.txt";

extern int32_t debug_logs_on;      // the general debug switch ("&" key)
extern int32_t key_debug_on;       // set while the movement menu runs
extern int32_t debug_messages_on;  // developer console switches
extern int32_t quest_debug_on;

// Appends the text and a newline to "init_log.txt".
void init_log_line(const char* text);
// A start-up step: shown on the canvas (cut to 70 characters when longer
// than 80; the caller's text is never changed) and logged.
void show_init_step(const char* text);
// One entry in a channel. Channels whose name holds "!" are always written;
// the others only while debug_logs_on is set. "vegetation" and "setplant"
// channels are never written. The text "remove" deletes the channel file.
void debug_log(const char* channel, const char* text);
// Shows "? text" on the message line while debug_messages_on is set.
void debug_message(const char* text);
// Like debug_message (also while quest_debug_on), and logs to "!quests".
void quest_debug(const char* text);
