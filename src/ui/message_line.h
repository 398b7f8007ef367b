// The message line of the side panel and the message log "msglog.txt".
//
// Every sentence the game tells the player goes through show_message. The
// first character of a message is its class mark, which picks the colour:
//   '!' refusals and warnings      '#' notices and headings
//   '&' the body's condition       '+' gains
//   ':' narration                  '<' (drawn itself)
//   '=' results                    '>' white
//   '?' help before a choice       '_' hints
// any other first character is drawn in black. The at sign is never drawn.
// A message may begin with "{name}" to play a sound, or be a coded message
// "*XY" standing for a line of "NOTES.STD".
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int MESSAGE_BYTES = 1024;
constexpr int MESSAGE_MAX_CHARS = 1020;  // longer messages are cut

struct MessageRect {
    int32_t x, y, w, h;
};
struct MessagePoint {
    int32_t x, y;
};

// The message window in canvas pixels; the side-panel layout sets it
// (see set_message_box_layout). The text area is the box less 5 pixels on
// every side.
extern MessageRect message_box;
// Where the next word goes.
extern MessagePoint message_cursor;
// Where the last message ended; the turn loop zeroes it each pass, the
// yes/no prompts draw their answer there.
extern MessagePoint message_end_position;

// The message being shown, and the previous message as shown.
extern char message_text[MESSAGE_BYTES];
extern char last_message[MESSAGE_BYTES];

// Lines written since the last pause; 100 forces the next line to wait
// with "Press [SPACE] to continue". The turn loop zeroes it each pass.
extern uint8_t message_pause_count;
// Set by ESC at a pause: the rest of the turn scrolls without waiting.
// The turn loop clears it after each command.
extern bool skip_message_pauses;
// The quiet flag: while set nothing is shown, played or logged (the
// unconscious player, setting up a game, background creature work).
extern bool messages_suppressed;
// While set, a message equal to the previous one is shown again.
extern bool allow_repeated_message;
// While set, the message is not capitalised; show_message clears it.
extern bool message_keep_case;
// Set by the turn loop each pass: the first message afterwards fades the
// older text of the window.
extern bool fade_old_messages;

// The per-game reset of the message line: the flags and counters above go
// back to their start values and no previous message is remembered.
void reset_message_line_state();

// Places the message window for the new (true) or old side-panel layout.
void set_message_box_layout(bool new_layout);

// Shows one message (the main entry).
void show_message(const char* text);
// Joins three texts (bounded to 1,023 characters) and shows them.
void show_message_parts(const char* text1, const char* text2, const char* text3);
// Shows a message without capitalising it.
void show_message_as_is(const char* text);

// Makes the next message differ from "the previous one" (the yes/no
// prompts call it before they ask).
void reset_last_message();

// The message pause, called for every new line of the window. colour is
// the font colour (a canvas pixel value, as map_rgb gives) left set after
// a pause.
void pausescr(uint32_t colour);
// The forced pause "Press [SPACE] to continue".
void pause_prompt();
// Scrolls the message window by one line.
void scroll_message_box();
// Plays the sound that a message's words call for.
void play_message_sound(const char* text);
// Appends one line to "<character folder>/msglog.txt".
void append_message_log(int red, int green, int blue, const char* class_text, const char* text);
// Where and when a log line is written: the character's folder (empty: no
// character, so no log line), the date and the player's world cell.
struct MessageLogStamp {
    char folder[16];
    int day, month, winters, hour;
    int world_x, world_y;
};
// The game connects this at start-up; unconnected, nothing is logged.
extern void (*message_log_stamp)(MessageLogStamp& out);
// Sum of the hexadecimal digits of the text, each weighted by its distance
// from the end of the whole text (the log screen reads colours back).
int hex_value(const char* text);

// The colour (0xRRGGBB) of a message by its class mark and last character.
uint32_t message_class_colour(const char* text);

// Shows "? text" on the message line while debug_messages_on is set.
void debug_message(const char* text);
// The same with a format (the game's own, never a text from data), built
// only while the debug lines are shown.
void debug_message_format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Like debug_message (also while quest_debug_on), and logs to "!quests".
void quest_debug(const char* text);
