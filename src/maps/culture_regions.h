// Places in words: the cultural area of a world cell and where inside it,
// how no man's land lies to the nearest area, compass directions, distances
// in kilometres, miles or days of walking, nearby points on the current map
// and the kind of terrain area a world cell belongs to. Every text builder
// returns a fresh text-ring buffer.
#pragma once

#include <cstdint>

constexpr int CULTURE_NAME_CODES = 14;  // culture codes 0..13

// Area names by culture code; codes 10, 12 and 13 have none (no man's land).
extern const char* const culture_area_names[CULTURE_NAME_CODES];
// The area name of a code; "" for codes without an area or out of range.
const char* culture_area_name(int code);
// True for a code that has an area of its own (0..13 except 10, 12, 13).
bool culture_has_area(int code);

// The direction that direction_text computed last (the catalogue's
// "direction" variable reads it).
extern int32_t last_direction;

// The first culture code whose bounding rectangle holds world cell (x, y),
// in code order; -1000 when none does.
int culture_area_by_bounds(int x, int y);
// The position word of (x, y) inside area `code` and the area's name, as
// "north-eastern Kaumo". code -1000: the culture of the cell itself.
char* culture_area_phrase(int x, int y, int code);
// The area of world cell (x, y). Flags: 1 a preposition in front ("in " /
// "on "); 2 no relation to the nearest area in a no-man's-land text; 4 the
// relation alone (empty inside an area).
char* culture_area_text(int x, int y, int flags);

// The direction code (0 east, counter-clockwise, y southward) from one
// point to another.
int direction_between(int x1, int y1, int x2, int y2);
// The direction from the player to a creature; 0 for a negative index.
int cre_direction_from_player(int creature);
// The word of a direction code ("east", "north-east", ...); "east" for any other code.
const char* direction_word(int code);
// The direction of (x, y) seen from a creature (-1 the player), relative to
// its heading: 0 ahead, 2 left, 4 behind, 6 right.
int cre_relative_direction(int creature, int x, int y);

// Flags: 1 appends " from here"; 2 never writes "directly "; 4 the bare word.
char* direction_text(int x1, int y1, int x2, int y2, int flags);
// The distance between two points in words. Flag bits: 1 appends " away";
// 2 uses walking-time words for long distances; 8 takes x1 as the distance
// in cells and ignores the other coordinates.
char* distance_text(int x1, int y1, int x2, int y2, int flags);
// A point of the current map related to the player ("about 30 meters away
// in the east", "right over there ..., you see", "just nearby ...").
char* near_distance_text(int x, int y);
// The terrain area a world cell belongs to ("large spruce mire area").
char* terrain_area_text(int wx, int wy);
// culture_area_text (wx, wy, 1) and the place phrase of the cell.
char* area_and_region_text(int wx, int wy);
// direction_text and distance_text with the same flags, joined by ", ".
char* direction_distance_text(int x1, int y1, int x2, int y2, int flags);

struct RegionColour {
    uint8_t r, g, b;
};
// The colour of a culture's region (black for codes without an area).
RegionColour area_colour_rgb(int code);
uint32_t area_colour(int code);       // canvas pixel; 0 for black
uint32_t area_colour_rgba(int code);  // 0xRRGGBBAA with alpha 255
