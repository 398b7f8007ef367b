// Objects and cursors on the map: the object pass over the view window,
// fire sizes and the player's figure.
#pragma once

#include <cstdint>

// The object pass: flag 128 ice holes only (nothing on the world map),
// flag 0 everything.
void draw_map_objects(int flag);
// The drawing size of a fire or fire site record.
float fire_size_factor(int index);
// The scale of a fire by the minutes left to its burn-out (-1: none).
float fire_scale_for_minutes(int minutes_left);
// Mode 1 the facing tile, mode 0 the player's figure, at view (30, 30).
void draw_player_figure(int mode);
// How many copies of a tile a record of this kind and amount shows.
int stack_copies(int kind, int amount);
// The picture scale of a creature by its size value.
float creature_size_scale(int size);
// The radius of light a fire gives by the minutes to its burn-out and
// whether it burns in a fireplace or stove.
int fire_light_radius(int minutes_left, bool in_fireplace);
// Set by the view rebuild around its two object passes: the second pass
// reuses the first one's sorting of the table into rows.
extern bool keep_object_buckets;
extern bool map_objects_bucketed;
