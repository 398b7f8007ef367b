// The side panel beside the map (x 472 on): name bar, carried weight and
// penalties, needs, the hands, the movement box with portrait, facing, speed
// and sound clues, the calendar box, the command line and the repeat line;
// and the titles of the information screens.
#pragma once

#include "ui/backgrounds.h"  // draw_screen_title

#include <SDL.h>
#include <cstdint>

// On at start: the current panel layout; off the older one ("newhd").
extern bool side_panel_new_layout;
// Where draw_stat_label put each stat slot's field (x, and y of the field).
constexpr int STAT_SLOTS = 16;
extern int stat_slot_x[STAT_SLOTS];
extern int stat_slot_y[STAT_SLOTS];
// Game seconds at which a sound was last heard from each direction; 0 none.
extern int32_t sound_clue_time[8];
// The movement box's portrait; null when the character has none.
extern SDL_Surface* portrait_picture;
// Loads "<folder>/portrait.png" as the portrait (the start of a game); a
// missing picture leaves none. True when one was loaded.
bool load_portrait(const char* folder);
// The view mode of redraw_game_screen: 33 while a map loads, 22 at the
// start of a game.
extern int32_t game_view_mode;
// While set, show_loading_map_bar draws nothing.
extern bool loading_bar_off;

// The game-seconds count the sound clues age by.
int64_t game_seconds();

void draw_side_panel();
// The name bar at the panel's top: the character's name and second name.
void draw_name_bar();
void draw_stat_label(int column, int row, const char* label, const char* value, Uint32 colour,
                     int slot);
void draw_stat_text(int x, int y, const char* text, Uint32 colour);
void draw_stat_bar(int x, int y, int value, int maximum);
void draw_penalty_bars();
void draw_starvation_stat();
void draw_needs_panel(int flag);
void draw_wielded_panel(int flag);

// "INIT" draws the command line's window; any other text fills the field
// (shown as it stands, never used as a format).
void show_command_line(const char* text);
// The text last written into the command line's field.
extern char command_line_text[100];
void show_repeat_line(int flag);
void draw_movement_box();
void mark_sound_clue(int x, int y);
void refresh_status_panel();
void redraw_game_screen();
void draw_season_box();
void show_loading_map_bar(int percent);

// ------------------------------------------------ words and numbers (pure)

// "-%d%%" for a non-zero penalty, "None" for 0 (with is_none set).
const char* penalty_text(int value, char* out, int cap, bool* is_none);
// The carrying penalty of the player in percent, as the body counts it
// (cre_carry_penalty).
int carrying_penalty();
// The red bar's width in pixels (0: no bar) for a value out of a maximum;
// 0 for a maximum of 0 or less.
int stat_bar_width(int value, int maximum);
// The vigour word of an exhaustion value.
const char* vigour_word(int exhaustion);
// Hunger and thirst bar percentages, and their colours (r, g, b).
int hunger_percent(uint32_t energy_reserve, int stomach);
int thirst_percent(int thirst);
SDL_Color hunger_colour(uint32_t energy_reserve);
SDL_Color thirst_colour(int thirst);
// The movement-box mode word and its colour; the status-line word.
const char* movement_mode_word(SDL_Color* colour);
const char* status_word(SDL_Color* colour);
// The speed number shown (km/h or mi/h by the UNITS setting) and its
// percentage for the colour; speed in tenths of km/h.
int shown_speed(int speed_tenths, bool metric);
int speed_colour_percent(int speed_tenths, int speed_attribute);
// A hand row's text for an object name (shield stance suffixes when
// shield is set); hand 1 or 2; stance bits are those of the record.
void hand_row_text(const char* name, bool shield, int hand, uint8_t* stance, char* out, int cap);
// The alpha of a sound clue of that age; -1 when it has aged out.
int sound_clue_alpha(int64_t age);
// The calendar box's three lines.
void season_box_lines(char* season, char* date, char* time_name, int cap);

