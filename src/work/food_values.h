// What food is worth: the nutrition values of food objects and their
// scaling when food is cooked, dried or divided, the meat cut of a carcass
// and the sums of a dish made of several ingredients.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// The nutrition of a food item: energy per 100 g, per pound and per item,
// its carbohydrate, fat and protein, its liquid percent, and the amounts of
// each in the item.
struct Nutrition {
    int32_t kcal_per_100g;
    int32_t kcal_per_pound;
    int32_t kcal_per_item;
    int32_t carbohydrate;
    int32_t fat;
    int32_t protein;
    int32_t liquid_percent;
    int32_t carbohydrate_amount;
    int32_t fat_amount;
    int32_t protein_amount;
    int32_t liquid_amount;
};

// Item kinds the food code knows by number.
constexpr int KIND_WATER = 55;
constexpr int KIND_RAW_MEAT = 490;
constexpr int KIND_MEAT_CUT = 500;
constexpr int KIND_MUSHROOM = 513;
constexpr int KIND_BERRIES = 431;
constexpr int KIND_ROOT = 433;

// The class of meat, fish or bread a name (upper case) tells, for the
// defaults of an item without values: 0 when the name tells none.
int food_class_of_name(const char* upper_name);
// Divides the record's weight and full weight by the factor and multiplies
// its carbohydrate, fat, protein and water by it (rounded up; the nutrients
// at most 255, the water at most 100 percent) and its price per pound. A
// factor of 0 or less leaves the record as it is: false.
bool scale_food_object(ObjectRecord& record, float factor);
// The nutrition of the item; an item without values gets the defaults of
// its kind or name, written into the caller's record.
void ravinto(ObjectRecord& item, Nutrition& out);
// The record of a meat cut of the creature kind, of that weight: "%s cut"
// of the name, with the meat values of the kind's template.
ObjectRecord make_meat_cut_object(const char* name, int creature_kind, float weight);

// The dish under construction from several ingredients.
struct MixedDish {
    int ingredients;
    float weight;
    float price;
    int32_t carbohydrate, fat, protein, liquid;  // summed amounts
    uint32_t effects;
    ObjectRecord record;
};
extern MixedDish mixed_dish;
void clear_mixed_dish();
// Adds count of the item, each of that weight in pounds; a weight of 0
// adds nothing.
void add_to_mixed_dish(const ObjectRecord& item, int count, float weight);
