// What food is worth: the nutrition values of food objects and their
// scaling when food is cooked, dried or divided.
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

// Divides the record's weight and full weight by the factor and multiplies
// its nutrition bytes (carbohydrate, fat, protein), its water and its price
// per pound by it. Not built yet: the record is unchanged.
void scale_food_object(ObjectRecord& record, float factor);
// The nutrition of the item (its defaults by kind or name written back
// into it). Not built yet: all values 0, the record unchanged.
void ravinto(ObjectRecord& item, Nutrition& out);
// The record of a meat cut of the creature kind, of that weight. Not built
// yet: a blank record (class 0).
ObjectRecord make_meat_cut_object(const char* name, int creature_kind, float weight);
