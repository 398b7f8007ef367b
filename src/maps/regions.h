// Region names and place descriptions of the world map.
#pragma once

// "%s \"%s\"": the region name of a world cell in the first language, then
// the second language's form in quotes (ring text).
char* region_names_text(int world_x, int world_y);

// The distance between two points in words (ring text). Flag bits: 1 appends
// " away"; 2 uses walking-time words for long distances; 8 takes x1 as the
// distance in cells and ignores the other coordinates.
char* distance_text(int x1, int y1, int x2, int y2, int flags);
