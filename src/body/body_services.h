// Services of the body subsystem that the map code asks for.
#pragma once

// The heat a burning fire or fire site gives at a local-map cell.
int fire_heat_at(int x, int y);
// Weight in pounds with the carried load; the player for -1.
int cre_total_weight_lb(int creature);
