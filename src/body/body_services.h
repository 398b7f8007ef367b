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
