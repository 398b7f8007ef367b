// Water and the finish of a local map: the water pass floods the low
// ground of a water cell up to a level taken from the heights along the
// map's border and sets rocks into the water by its kind; the finish turns
// low land into water and bares high ground; the saplings mark some young
// spruces and birches as young trees.
#pragma once

// The water level from the lowest and highest border heights (and the
// world code: a ford is always 7), at least 1.
int water_level_from_border(int border_low, int border_high, int world_code);
// The water code laid for a world code.
int water_code_for(int world_code);

void water_pass();
// Rocks around (x, y): some rise out of the water as ground of bare rock
// or crag, the rest stay under it.
void place_rock_cluster(int x, int y, int level);
// A winding chain of crag and rock ground through the water.
void place_rock_chain(int x, int y, int level);
void Viimeistele();
void place_saplings();
