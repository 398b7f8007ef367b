// Services of the body, skills and combat that the objects and the
// creatures ask for: wounds and body parts, what the body allows, skills,
// attacks and escapes, missiles, ice holes and the daily upkeep of a
// creature. Each takes a creature slot, -1 the player where it says so.
// Skills and wounds have their own headers, included here; the rest is not
// built yet and gives neutral answers.
#pragma once

#include "body/attack_resolver.h"
#include "body/body_condition.h"
#include "body/creature_fights.h"
#include "body/exertion.h"
#include "body/hit_wounds.h"
#include "body/skills.h"
#include "body/weapon_tests.h"
#include "body/wounds.h"

struct ObjectRecord;

// 1 asleep, shocked or fainted.
int cre_is_incapacitated(int creature);
void injuries_screen();
// The weather value the body heat keeps is at most 20 and it is past noon.
int afternoon_weather_test();
// The ice holes' ageing at map load and by the hour (Data indices).
void age_open_ice_hole(int map_index);
void refreeze_ice_hole(int map_index);

// Fighting: the attack resolver and the creatures' fights have their own
// headers, included here.
int cre_can_shoot(int creature, int mode);
void cre_ready_weapon(int creature);
// The daily upkeep of one creature slot.
void cre_upkeep(int slot);

// Missiles and bows.
// 2 a bow in the first hand and an arrow in the second, 1 the other way, 0.
int plr_arrow_hand();
// Wielding a shield asks how to hold it (the shield menu); 0.
int choose_shield_mode();
void plr_break_bowstring(int bow_slot, int wear);
// Flies a missile to a square; its report goes to missile_report.
void missile_at_square(const ObjectRecord& item, int x, int y, int bow);
extern char missile_report[256];
int missile_attack(int unused, int item, int attacker, int flags, int creature, int bow_or_item);
void report_missile_obstacle();
// What a missile meets in a cell on its way: 0 nothing to hit there, -1 a
// miss, else a hit; and whether the cell's terrain stops it.
int missile_hit_check(int x, int y, int quality);
int missile_obstacle_check(int x, int y, int quality, int target_x, int target_y);
void report_missile_contour();
