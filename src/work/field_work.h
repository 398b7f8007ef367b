// The field work of the player (harvesting, threshing, grinding, tilling
// and sowing). Not built yet: nothing is harvested (see each).
#pragma once

// What a plant yields and the weight of a size word are in work/plants.h.

// Harvests the patch (worker -1 the player, else a creature slot); with
// test set only tells whether it can be. 1 done or possible, 0 not
// possible, -1 refused, -2 cancelled. Not built yet: 0.
int harvest_plant(int patch, int worker, int mode, int test);
// The player's commands of field work. Not built yet: nothing.
void harvest_command();
void grind_flour();
void prepare_soil();
void sow_or_plant();
// Threshes the cut plants on the square (record index, or -1000 for every
// item record there). Not built yet: nothing.
void thresh_harvest(int x, int y, int worker, int record);
