// Services of the body subsystem that the map code asks for. The body's
// condition (load, weights, penalties) and its exertion (energy, fatigue,
// speed) have headers of their own, included here.
#pragma once

#include "body/attack_resolver.h"
#include "body/body_condition.h"
#include "body/exertion.h"

// The heat a burning fire or fire site gives at a local-map cell.
int fire_heat_at(int x, int y);
// The sum of `count` six-sided dice; 0 for a count of 0 or less.
int roll_dice(int count);
// The hourly update of the player, run by the clock on each new hour.
void hourly_player_maintenance();

// The player's effective temperature and body-temperature change, once per
// game minute.
void PLR_Lampotila();
// Raises the warmth the player feels (steam in the sauna). Not built yet:
// nothing.
void plr_raise_felt_warmth(int amount);
// The daily healing of the player's wounds and ailments.
void plr_daily_healing();
// Its name as the daily update knows it.
inline void daily_wound_change() { plr_daily_healing(); }
// The daily roll of human groups near the player (kind 0: roll it).
void roll_daily_human_presence(int kind);
// The number of hostile fighters engaged with a creature (-1 the player);
// non-zero means it is in combat.
// The colour key of the body-figure screens: seven outlined boxes 15 px
// apart from (x, y) down.
void draw_colour_legend(int x, int y);
