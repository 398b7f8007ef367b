// Files, strings and random numbers: the small services the whole game uses.
#pragma once

#include <cstdio>
#include <string>

// Files -------------------------------------------------------------------
void delete_files_matching(const std::string& pattern);
int file_exists(const std::string& pattern);        // 1 when anything matches
bool directory_exists(const std::string& pattern);  // a match that is a folder
// Copies source to destination byte for byte; the result of closing the
// destination (0), or -1 when either file can't be opened.
int copy_file(const std::string& source, const std::string& destination);
// The next data line: CR and LF cut, lines beginning "//" or "##" skipped.
// A line longer than size - 1 is discarded whole (and logged), never split.
// Returns buffer, or nullptr at the end of the file.
char* read_data_line(char* buffer, int size, FILE* file);

// Strings -----------------------------------------------------------------
char* escape_high_bytes(const char* text);      // ring text
const char* last_word(const char* text);
char* first_word(const char* text);             // ring text
const char* last_two_words(const char* text);
void pad_left_4(char* text, size_t cap);
char* key_char_text(int key);                   // ring text

// Tokenizer state shared with the text layout code.
struct TokenizerState {
    char text[1024];
    char delimiters[32];
    char* last_token;
    int count;  // 0 before the first token, -1 when used up
};
extern TokenizerState tokenizer;
void tokenizer_begin(const char* text, const char* delimiters);

// Random numbers ------------------------------------------------------------
int random_below(int n);
// One of the texts (a list ended by an empty text, at most 100), chosen by
// the redraw rule; static 1024-byte buffer.
const char* random_choice(const char* const* texts);
int direction_from_angle(double degrees);
