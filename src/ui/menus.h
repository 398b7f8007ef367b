// The list menu (the one widget for choosing a row) and the command menu
// (the pop-up menu of actions built on it).
//
// A list is built with list_init and list_add_entry / list_add_item_at,
// drawn with list_draw and run with LIST_Go. One list exists at a time.
// The command menu keeps its own table of entries and runs them through
// the list; its list state is kept in "MENULIST.SAV" around an
// encyclopedia look-up.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "base/platform.h"

// ------------------------------------------------------------ list menu

constexpr int LIST_ROWS = 100;
constexpr int LIST_TEXT_BYTES = 100;
constexpr int LIST_CONFIRMED = 1510;  // LIST_Go with the confirm option
constexpr int LIST_TYPE_PLACED = 100; // rows placed anywhere on the screen

// One row of the list.
struct ListItem {
    char text[LIST_TEXT_BYTES];   // key caption "key.label"; "TEXTSPOT"/"NOTEXTSPOT" for placed rows
    char extra[LIST_TEXT_BYTES];  // drawn after the text in light steel blue
    int32_t code;                 // the hot key; 0 for a plain text row
    int32_t second_code;          // a second hot key
    int32_t x, y;                 // 0, 0: the default place
    int32_t width, height;        // placed rows
    int32_t disabled;             // shown, but can't be highlighted or chosen
    int32_t caption_width;        // 8 x key part length + 10 (16 less with '<')
};
KSM_RECORD(ListItem, 232);

// The list's own record; its layout is also the head of "MENULIST.SAV".
struct ListHeader {
    int32_t x, y, width, height;  // 0
    int32_t text_colour;          // 16: canvas pixel value
    int32_t count;                // 20
    char title[100];              // 24
    int32_t caption_colours;      // 124: key captions use the list's colours
    int32_t placed_highlight;     // 128: highlight placed captions from the label on
    int32_t type;                 // 132: frame style; 100 = placed rows
    int32_t no_dim;               // 136: 1 leaves the window undimmed after a choice
    uint8_t short_highlight;      // 140: the bar ends at the text's end
    uint8_t pad_141[3];
    int32_t current;              // 144: highlighted row
    int32_t preview;              // 148: non-zero ends LIST_Go on a move (then 2)
    int32_t mouse_pick;           // 152: a pick by mouse movement ends LIST_Go with -1
    int32_t row_limit;            // 156: 100; the highlight stays below it
    int32_t free_layout;          // 160: arrows move to the nearest row that way
    char move_sound[100];         // 164
    char choose_sound[100];       // 264
    int32_t highlight_colour;     // 364: canvas pixel value
    uint8_t keep_case;            // 368: typed letters are not upper-cased
    uint8_t pad_369[3];
    int32_t texture_mode;         // 372: rows drawn on a render texture
    int32_t texture;              // 376: always 0 in memory and on disk; see list_texture
    int32_t text_size;            // 380
    int32_t text_flags;           // 384
    uint8_t confirm;              // 388: ENTER with no row / a click beside the rows -> 1510
    uint8_t pad_389[3];
    int32_t texture_x_offset;     // 392
    int32_t texture_y_offset;     // 396
};
KSM_RECORD(ListHeader, 400);
KSM_OFFSET(ListHeader, count, 20);
KSM_OFFSET(ListHeader, title, 24);
KSM_OFFSET(ListHeader, type, 132);
KSM_OFFSET(ListHeader, short_highlight, 140);
KSM_OFFSET(ListHeader, current, 144);
KSM_OFFSET(ListHeader, row_limit, 156);
KSM_OFFSET(ListHeader, move_sound, 164);
KSM_OFFSET(ListHeader, choose_sound, 264);
KSM_OFFSET(ListHeader, highlight_colour, 364);
KSM_OFFSET(ListHeader, keep_case, 368);
KSM_OFFSET(ListHeader, texture, 376);
KSM_OFFSET(ListHeader, confirm, 388);
KSM_OFFSET(ListHeader, texture_y_offset, 396);

extern ListHeader list_header;
extern ListItem list_items[LIST_ROWS];
// A placed row whose key is already in the list is still added (not F1).
extern bool list_duplicate_keys;
// Set while LIST_Go runs (the key reader lets the list follow the pointer).
extern bool list_running;
// The live render texture of texture rows (never written to a file).
extern SDL_Texture* list_texture;

void list_init(int32_t text_colour, const char* title, int x, int y, int width, int height,
               int type);
// highlight: >= 0 replaces, -1 keeps, -2 keeps and turns caption colours on.
void list_set_options(int32_t highlight_colour, const char* choose_sound, int no_dim,
                      int preview);
// "text|extra"; key -1 gives a disabled row. Rows past the 100th are ignored.
void list_add_entry(int key, const char* text);
void list_add_item_at(int x, int key, int y, const char* text);
void list_add_item_on_texture(int key, SDL_Texture* texture, int x, int y, const char* text);
void list_draw();
void list_draw_row(int mode, int row);
void list_draw_row_on_texture(int row);
SDL_Point list_mouse_position();
int list_row_at_mouse();
void list_move_down();
void list_move_up();
void list_move_right();
void list_move_left();
// Thins out queued key repeats; the number of repeats found.
int throttle_key_repeat();
// Drops every pending input event and starts text input again.
void restart_text_input();
// The key reader of lists, prompts and the command reader: read_key,
// unless a test installs its own script here.
extern int (*menu_key_reader)();
int menu_read_key();
// True once the window was closed (or a test key script is used up, which
// acts the same): lists and prompts then end instead of waiting.
bool window_close_requested();
// The chosen row (0-99), LIST_CONFIRMED, -1 (preview / mouse pick) or -42.
// A list without an ESC row gives -1 when the window is closed.
int LIST_Go();

// ------------------------------------------------------------ command menu

constexpr int MENU_ENTRIES = 50;
constexpr int MENU_SHOWN = 25;
constexpr int MENU_HELP_BYTES = 1024;
constexpr const char* MENU_HOTKEY_ORDER = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr const char* MENU_LIST_FILE = "MENULIST.SAV";
constexpr long long MENU_LIST_FILE_SIZE = 400 + 232LL * LIST_ROWS;  // 23,600

struct CommandMenuEntry {
    char label[200];      // "key.label"; empty = free entry
    int32_t hot_key;      // -1: an empty row
    int32_t icon_x, icon_y;
    uint8_t icon_terrain; // 0: none
    int32_t action;       // activity started when chosen; 0 none
    int32_t argument;
    char data[100];
    char topic[100];      // encyclopedia topic; "" none
    char icon_tile[100];
};

// What the command menu asks the game: the name and tile of a terrain type
// (an entry of action 240 builds the terrain type of its argument), and to
// start the activity of a chosen entry. The game connects these at start-up;
// unconnected, a terrain has no name or tile and nothing is started.
// The encyclopedia's part: whether an entry's text names a topic, the hint
// bar of the highlighted entry's topic, and opening the encyclopedia on a
// topic; unconnected, nothing is a topic.
struct CommandMenuServices {
    const char* (*terrain_name)(int code);
    const char* (*terrain_tile)(int code);
    void (*perform_activity)(int action, int argument, const char* data);
    int (*is_topic)(const char* name);
    void (*show_topic_hint)(const char* name, const char* text);
    void (*open_encyclopedia)(const char* topic);
};
extern CommandMenuServices command_menu_services;
// Set while the command menu has the encyclopedia open.
extern int encyclopedia_from_menu;

extern CommandMenuEntry menu_entries[MENU_ENTRIES];
extern int32_t menu_count;
extern char menu_help_text[MENU_HELP_BYTES];
extern bool menu_no_cancel;
// The echo of the last menu_run_resource choice (without a leading class mark).
extern char last_resource_choice[100];

void menu_clear();
int menu_free_hotkey();
// An entry with a key and no text is shown as an empty row that still
// answers its key.
int menu_add(int key, const char* text);
int menu_add_action(const char* text, int key, int action);
int menu_add_item(const char* text, int key, int action, int argument);
int menu_add_with_data(const char* text, int key, int action, const char* data);
void menu_set_topic(const char* topic);
void menu_set_default_topic(const char* topic);
void menu_set_icon(int x, int y);
void menu_add_help_text(const char* text);
int menu_run(const char* title);
int menu_run_resource(const char* title, int x, int y);
void menu_draw_icons(int highlighted);
// The same under the names the creature and work code uses: a row with a
// value text (the first argument is not used), the hint shown with the
// next menu, and the menu's picture put at a canvas point.
inline int menu_add_text_item(int, const char* text, int key, int kind, const char* value) {
    return menu_add_with_data(text, key, kind, value);
}
inline void menu_hint(const char* text) { menu_add_help_text(text); }
void menu_picture_at(int x, int y, int on);

// Asks how many of a stack of `available` to take, beside the list row at
// `row`, starting from `current`; the amount typed. Not built yet: 0,
// nothing taken.
int ask_list_amount(int available, int row, int current);

// "MENULIST.SAV": the list header and rows. The live state is also kept in
// memory; a failed write or read-back falls back to that copy.
bool save_menu_list();
bool load_menu_list();
