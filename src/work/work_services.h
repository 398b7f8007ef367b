// Wilderness work: crafting, food and drink, wound care and tree climbing,
// as the command keys reach them. Not built yet: each command notes its
// call and does nothing.
#pragma once

#include <cstdint>

// The raised view of a climbed tree: the flag and its short text.
extern uint8_t raised_view_on;
extern char raised_view_text[100];

// 1 when a crafting-data file was open (it is closed); called every command.
int close_tekodata();
void handcraft_options_menu();  // "M", "+", "="
void drink_command();           // "q"
void eat_command();             // "E", "e"
void treat_wounds_command();    // F7
// The daily work of the land: food in the pack rots, plant patches follow
// the season, old tracks fade.
void rot_pack_food();
void update_plant_patches(int value);
void purge_old_tracks();
// The height of a cell as an obstacle to missiles and aim (water cells at
// least 7).
float obstacle_height_at(int x, int y);
