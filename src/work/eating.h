// Eating and drinking: the size of a stomach and what a portion of food
// adds to it. Not built yet: every stomach holds the same and nothing is
// added (see each).
#pragma once

struct Nutrition;
struct ObjectRecord;

// 5000 for the player (-1) and humans, else weight x 35 (doubled for
// predators). Not built yet: 5000.
int cre_stomach_capacity(int slot);
// Adds a portion (in pounds) of the food to the stomach of the creature
// slot, or of the player for -1. Not built yet: nothing.
void add_food_to_stomach(int slot, int drinking, float portion, const Nutrition& nutrition,
                         const ObjectRecord& item);
