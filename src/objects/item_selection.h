// The item selection screen: the player's items, or the items at a square,
// listed by class with hot keys, a type filter and pages, from which a
// command chooses one item or several (with amounts). One page is drawn by
// render_item_list.
#pragma once

#include <cstdint>

#include "objects/item_lists.h"

// Caller flags of select_items.
constexpr int SEL_SEVERAL = 0x001;          // several items can be chosen
constexpr int SEL_ONE_OF_STACK = 0x002;     // choosing takes one of a stack
constexpr int SEL_AUTO_SINGLE = 0x004;      // one item listed: chosen without the screen
constexpr int SEL_WORN_INVALID = 0x010;
constexpr int SEL_IN_USE_INVALID = 0x020;
constexpr int SEL_FILTER_INVALID = 0x040;   // outside the filter invalid; empty answers -3000
constexpr int SEL_COUNT_ONLY = 0x080;       // answer the count, show nothing
constexpr int SEL_QUIET = 0x100;
constexpr int SEL_ASK_AMOUNT = 0x200;
constexpr int SEL_NO_CANCEL_QUESTION = 0x400;
constexpr int SEL_AT_MOST_TEN = 0x800;
constexpr int SEL_FILLED_AS_CONTAINER = 0x2000;

// Answers.
constexpr int SEL_NOTHING = -3000;
constexpr int SEL_CANCELLED = -1000;

// Purposes (the caller's activity code) that the screen treats apart.
constexpr int PURPOSE_PICK_UP = 702;
constexpr int PURPOSE_WEAR = 420;
constexpr int PURPOSE_WIELD = 423;
constexpr int PURPOSE_DROP = 424;
constexpr int PURPOSE_TAKE_OFF = 426;
constexpr int PURPOSE_USE = 900;
constexpr int PURPOSE_USE_2 = 910;

// The window.
constexpr int SEL_LEFT = 5, SEL_TOP = 5, SEL_WIDTH = 470, SEL_HEIGHT = 520;

// The first list position of the page drawn; the position of the
// highlighted row.
extern int selection_page_start;
extern int selection_cursor;
// What render_item_list leaves: the hot key of the last row drawn and its
// list position (-1 none), the list-widget row of each position drawn.
extern int last_row_hot_key;
extern int last_row_position;
// The activity an option menu chose (purposes 900 and 910).
extern int32_t chosen_activity;
// The text of the screen's last refusal, without its class mark.
extern char last_list_refusal[200];

// The text of a row: "%c.%s" with the hot key of its list position, or
// "%c.(%d) %s" when part of the stack is chosen; the name with its unit and
// the marks " (unpaid)" and " (taken)"; cut as a whole to 38 characters and
// ".." when it would reach 40.
void item_row_text(int position, const SelectionEntry& entry, char* out, size_t cap);
// One page of the list in the window: the number of list positions looked
// at (the page size).
int render_item_list();

// Mode 1 the items at (x, y), mode 2 the creature's (-1 the player). The
// chosen list index; with SEL_SEVERAL after SPACE the number of entries
// chosen (their counts in selection_list); SEL_NOTHING or SEL_CANCELLED.
int select_items(int mode, int creature, int x, int y, const char* prompt, const char* verb, int flags,
                 int type_filter, int purpose);

// The option menus of the use purposes: an activity code, 0 for none, or
// 900 when the item has no such options.
int container_options_menu(int slot);
int leash_options_menu(int slot);
int part_options_menu(int slot);

// The choices kept across filter changes.
void merge_selection_memory();
int count_selected();
// A refusal for the message line (unless quiet), kept as the last refusal.
void show_list_refusal(const char* text, int quiet);

// The per-game reset: the remembered position and the memory.
void reset_item_selection();
