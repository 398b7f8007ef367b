// Services of the body subsystem that the map code asks for.
#pragma once

// The heat a burning fire or fire site gives at a local-map cell.
int fire_heat_at(int x, int y);
// Weight in pounds with the carried load; the player for -1.
int cre_total_weight_lb(int creature);
// The sum of `count` six-sided dice.
int roll_dice(int count);
// One penalty in percent of a creature (-1 the player): kind 1 injury, 2
// fatigue, 3 starvation (player only), 4 carrying; 0 for other kinds.
int cre_penalty(int creature, int kind);
// The current movement speed in tenths of km/h (-1 the player).
int cre_movement_speed(int creature);
// The hourly update of the player, run by the clock on each new hour.
void hourly_player_maintenance();

// Energy use and fatigue over time of a creature (-1 the player), in the
// clock's time units.
void cre_spend_energy(int creature, int units);
void cre_update_fatigue(int creature, int units);
// The player's effective temperature and body-temperature change, once per
// game minute.
void PLR_Lampotila();
// The daily course of the player's wounds.
void daily_wound_change();
// The daily roll of human groups near the player (kind 0: roll it).
void roll_daily_human_presence(int kind);
// The number of hostile fighters engaged with a creature (-1 the player);
// non-zero means it is in combat.
int plr_count_adjacent_fighters(int creature, int flags);
// The word for an exertion shown in the long-task window.
const char* effort_word(int exertion);
// The colour key of the body-figure screens: seven outlined boxes 15 px
// apart from (x, y) down.
void draw_colour_legend(int x, int y);
