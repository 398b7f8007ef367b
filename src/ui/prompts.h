// The small modal questions: yes/no, the amount of a stack, continue or
// cancel. Each draws a small window in the lower right corner and puts the
// screen back before it returns.
#pragma once

#include <cstdint>

// 1 for yes, 0 for no (ESC and a closed window answer no).
int ask_yes_no(const char* question);
// 1 for yes (also ESC), 0 for no (also SPACE and a closed window).
int ask_yes_no_default_yes(const char* question);
// "HOW MANY? (OF TOTAL n)": the amount, 0 for none. A total of 1 gives 1.
int ask_count(int minimum, int total);
int ask_count_at(int total, int x, int y);
// 1 for SPACE, 0 for ESC (and a closed window).
int ask_continue_or_cancel();

// A typed amount: decimal digits with optional blanks and sign; anything
// else, or a value outside the 32-bit range, gives 0.
int parse_amount(const char* text);

// The typed text (Latin-1); ESC gives a text whose first character is 27.
constexpr int INPUT_LINE_BYTES = 100;
extern char input_line_buffer[INPUT_LINE_BYTES];
char* input_text_line(uint32_t colour, int max_length);
char* render_input_text_line(int x, int y, const char* initial, uint32_t colour,
                             uint32_t background);
