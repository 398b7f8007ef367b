// Plants as crops: what a plant yields when it is harvested, and the field
// work of the player (harvesting, threshing, grinding, tilling and sowing).
// Not built yet: nothing is harvested and no plant yields anything (see
// each).
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// What a harvest works from: slot 0 root, fruit or the plant itself, 1 seed
// or grain, 2 leaf, 3 straw, 4 flower, 5 the plant unchanged (whose
// quantity holds the harvest method); then the threshing, the second
// threshing flag, the gathering minutes per plant and the fibre flag.
struct PlantYields {
    ObjectRecord item[6];
    int32_t quantity[6];
    int32_t threshing;
    int32_t second_threshing;
    int32_t gathering_minutes;
    int32_t fibre;
};

// The weight in pounds of a size word ("XS" to "XL"). Not built yet:
// 50/453 pounds, the weight of "XS" and of any unknown word.
float size_class_weight(const char* size_word);
// The yields of a plant item. Not built yet: out is left as it was.
void plant_yields(PlantYields& out, const ObjectRecord& plant);

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
