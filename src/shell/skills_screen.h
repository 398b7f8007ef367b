// The skills screen and the skill hotkeys. Not built yet.
#pragma once

// Mode 0: look and choose; the chosen skill slot, 1000 for ESC.
int skills_screen(int mode);
// Refreshes the three hotkey tables (50 entries each, -1 empty): the key
// letters and the skill or ability ids they stand for.
void sort_skills_by_group();
extern char skill_hotkey_letter[3][50];
extern int skill_hotkey_id[3][50];
