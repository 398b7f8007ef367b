// Eating and drinking: what a meal or a drink does to the stomach, the
// energy reserve and the thirst, and the commands that choose them.
#pragma once

#include <cstdint>

struct Nutrition;
struct ObjectRecord;

// 5000 for the player (-1) and humans, else weight (kg) x 35 (doubled for
// predators), at most 32,000.
int cre_stomach_capacity(int slot);
// Adds a portion (in pounds) of the food to the stomach of the creature
// slot, or of the player for -1.
void add_food_to_stomach(int slot, int drinking, float portion, const Nutrition& nutrition,
                         const ObjectRecord& item);
// How many pounds of the food the player wants to eat now (0 when there is
// no room), at most 3.
float Itemruoan_Tarve(const Nutrition& nutrition);
// A root whose plant is eaten only cooked, not yet boiled.
bool food_needs_cooking(const ObjectRecord& item);
// Flour can be ground from it.
bool obj_can_be_ground(const ObjectRecord& item);

// Results of a meal.
enum EatResult { EAT_REFUSED = 0, EAT_DONE = 1, EAT_CUT_SHORT = 2 };
// The player eats from the item in the inventory slot.
int eat(int slot);
// The eat key: items are offered until the stomach is full.
void eat_command();
// The drink key: open water, a hole in the ice, or a carried drink.
void drink_command();
// The player drinks from the carried item in the slot.
int drink_from_container(int slot);
// The player drinks from the open water beside.
int drink_from_source();
