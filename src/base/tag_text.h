// Tag text and text files: [KEY:value] tags, text between delimiters, the
// word buffer that tagged text is laid out from, the screen help texts of
// "gameinfo/", the coded messages of "NOTES.STD", activity names and the
// two refusal formats.
#pragma once

#include <cstddef>
#include <cstdint>

// ------------------------------------------------------------ tag values

constexpr int TAG_TEXT_BYTES = 1024;
// Shared result buffer of tag_value and text_between_delimiters; each call
// overwrites what the other returned.
extern char tag_text_buffer[TAG_TEXT_BYTES];

// The value of the tag [KEY:value] in the text (case matters), in
// tag_text_buffer; the default pointer itself when the tag is absent.
// "[NAME:" is not found inside "[SURNAME:". A value without its "]" runs to
// the end of the line; a value longer than 1023 characters is cut.
const char* tag_value(const char* text, const char* key, const char* default_value);

// The text strictly between the first opening delimiter and the closing
// one (pair[0], pair[1]), in tag_text_buffer with 0x84 turned into Latin-1
// a-umlaut; "" when either is missing or the closing one stands before
// the opening one.
const char* text_between_delimiters(const char* text, const char* pair);

// Turns every code-page-437 a-umlaut (0x84) of the text into the Latin-1
// one (0xE4), in place, over the whole text. Returns text.
char* fix_a_umlaut(char* text);

// ------------------------------------------------------------ word buffer

constexpr int WORD_BUFFER_SLOTS = 5000;
constexpr int WORD_BYTES = 130;  // a word of up to 129 characters
constexpr int DRAWN_TEXT_BYTES = 1024;

// One word (with its following punctuation), one tag such as "<br>", or a
// single blank per slot; an empty slot ends the list for its readers.
extern char word_buffer[WORD_BUFFER_SLOTS][WORD_BYTES];
extern int32_t word_count;  // the slot being filled
// The laid-out text of the last draw_tagged_text; cleared with the buffer.
extern char drawn_text_copy[DRAWN_TEXT_BYTES];

void clear_word_buffer();
// Splits the text into words and tags and adds them after the words
// already there (clearing first when clear_first is set). An empty text
// adds "<br>" twice. Words longer than 129 characters are cut; words past
// the last slot are dropped.
void add_text_to_word_buffer(bool clear_first, const char* text);
// The words up to the first empty slot without their tags, in a ring text.
char* word_buffer_text();
// Joins the comma-ended words from first_slot on: the last loses its comma,
// and with at least minimum_items of them the one before gets " and".
void join_word_list_with_and(int first_slot, int minimum_items);

// Fills the word buffer with a screen's help text from
// "gameinfo/ksm_scrinfo.txt" (its ".name." block).
void load_screen_info_text(const char* screen_name);

// ---------------------------------------------------------- coded messages

constexpr int CODED_MESSAGE_ROWS = 300;
constexpr int CODED_MESSAGE_BYTES = 130;  // a line of up to 129 characters
extern char coded_message_table[CODED_MESSAGE_ROWS][CODED_MESSAGE_BYTES];

// Reads "NOTES.STD" into the table; called once at start-up.
void load_coded_messages();
// The message of line `line_code` of section `section_code`, copied into
// out (at most cap - 1 characters). Without such a line: the last row of
// the table (a single blank unless the file filled every row).
void coded_message(char section_code, char line_code, char* out, size_t cap);

// ----------------------------------------------------- activities, refusals

// "!You can't %s while %s!" and "!You can't %s!" (ring texts).
char* cant_while_text(const char* action, const char* state);
char* cant_do_text(const char* action);
// The name of an activity code; "" for a code without a name.
const char* activity_name(int code);
// The name in lower case, or "do that" (ring text).
char* activity_phrase(int code);

// Renders the skills and rituals backgrounds once and caches them as
// "SKILLSBG.BMP" and "RITUALSBG.BMP" (built with the screens).
void render_cached_backgrounds();
