// The intro, the start menu with its pages and the version text.
#pragma once

#include <string>
#include <vector>

// The intro sequence; any key cuts it short.
void intro_scren();
// Runs the start menu until a character is loaded or created, or QUIT is
// chosen (quit_state 1).
void start_menu();
// The version text: the first data line of "verno.ksm", else "1.0 (stable)".
// Ring text of at most 79 characters.
const char* version_text();

// "logotext.png" at (x, y) and "Version %s" 50 pixels lower.
void draw_logo_and_version(int x, int y);
// The start menu's list; returns the number of rows.
int build_start_menu();
void choose_saved_character();
void show_about_page();
void show_credits_page();
void show_bonus_material_page();
void draw_maker_caption();
void fade_in_line(int y, int x, const char* text);
// 1 when the legend ran to its end, 0 when a key cut it short.
int show_intro_legend();
// The creation-mode menu; 1 when a creation ran.
int creation_mode_menu();

// The rows of the start menu in order ("" a blank row), for the mode and
// whether the bonus-material folder exists.
std::vector<std::string> start_menu_rows(bool museum, bool bonus);
// Action of a row: 0 load, 1 create, 2 set-up, 3 ancestors, 4 about,
// 5 credits, 6 quit, 7 bonus material.
int start_menu_action(int row);

// One saved character: the name in its record and its folder.
struct SavedCharacter {
    char name[14];
    std::string folder;
};
constexpr int SAVED_CHARACTERS_SHOWN = 32;
// The character folders of the working folder with a readable character
// file, at most 32.
std::vector<SavedCharacter> list_saved_characters();

// The bonus-material folder ("BONUSMATERIAL", found whatever its case),
// "" when there is none.
std::string bonus_material_folder();
