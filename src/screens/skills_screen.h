// The skills screen and the skill hotkeys.
#pragma once

// Mode 0: look and choose; the chosen skill slot, 1000 for ESC.
// Mode 1: spend option points; returns when none are left.
// Other modes: a plain listing.
int skills_screen(int mode);
// Refreshes the three hotkey tables (50 entries each, -1 empty): the key
// letters and the skill or ability ids they stand for.
// Row 0 lore and craft, 1 physical, 2 combat.
void sort_skills_by_group();
extern char skill_hotkey_letter[3][50];
extern int skill_hotkey_id[3][50];

// The mastery word index of a level: 0 for 0, else (p + 5) / 10, at most 10.
int mastery_index(int percent);
// "unskilled" .. "grandmaster".
const char* mastery_word(int percent);
// "*", "**" above 9, "***" above 13.
const char* growth_stars(int base_step);
// The slots of one group in drawing order (key letter ascending, later slot
// first among equal letters); returns how many.
int skill_rows_in_order(int group, int* slots, int cap);
