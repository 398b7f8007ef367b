// Services of the body subsystem that the map code asks for.
#pragma once

// The heat a burning fire or fire site gives at a local-map cell.
int fire_heat_at(int x, int y);
// Weight in pounds with the carried load; the player for -1.
int cre_total_weight_lb(int creature);
// The sum of `count` six-sided dice; 0 for a count of 0 or less.
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
// The daily healing of the player's wounds and ailments.
void plr_daily_healing();
// Its name as the daily update knows it.
inline void daily_wound_change() { plr_daily_healing(); }
// The daily roll of human groups near the player (kind 0: roll it).
void roll_daily_human_presence(int kind);
// The number of hostile fighters engaged with a creature (-1 the player);
// non-zero means it is in combat.
int plr_count_adjacent_fighters(int creature, int flags);
// The word of an exertion class ("restful" .. "extreme") in a ring text.
const char* exertion_word(int exertion);
// The same word as the long-task window asks for it.
inline const char* effort_word(int exertion) { return exertion_word(exertion); }
// The colour key of the body-figure screens: seven outlined boxes 15 px
// apart from (x, y) down.
void draw_colour_legend(int x, int y);
