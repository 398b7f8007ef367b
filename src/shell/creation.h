// Making a new character: the name and its folder, culture, sex, portrait,
// season, the body and attribute rolls, skills and the new game's files.
#pragma once

#include <cstdint>

// 0 custom, 1 quick and easy, 2 custom - easy, 3 custom - too easy.
extern int creation_mode;
// Set when the player accepts the body and attributes.
extern int body_accepted;
// The character's folder name: the name in capitals, Latin-1 letters written
// in ASCII ("S\xe4mp\xf6" -> "SAMPO"), any other high byte as 0x%02x.
extern char creation_folder[33];

// Runs the whole creation; the character name stays empty when cancelled.
void create_character(int mode);
void new_character_record();
// The choice screens, the body and the skills; 1 when the name was cancelled.
int creation_steps();
int choose_character_name();
int choose_culture();
int choose_sex();
int choose_portrait();
int choose_season();
void roll_body();
void roll_attributes();
void draw_creation_hint(int style);

// The dice the rolls use: the sum of `count` six-sided dice. Tests script it.
extern int (*creation_dice)(int count);

// Checks a typed name: "" when it is acceptable, else the reason shown.
const char* name_refusal(const char* name);
// The folder name of a character name (at most 32 characters, never a cut
// escape); returns the folder.
const char* folder_name_for(const char* name, char* out, int cap);

// The pieces of the body roll (culture c, 5d6 and 3d6 sums).
int height_for(int culture, int roll_5d6);
int build_roll_for(int culture, int roll_3d6);
int build_class_for(int build_roll);
int weight_for_height(int height);
int weight_with_build(int weight, int build_class, int build_roll);
int strength_weight_bonus(int weight);

// Culture table.
const char* culture_second_name(int culture);
const char* culture_portrait_prefix(int culture);
