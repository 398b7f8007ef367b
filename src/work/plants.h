// Plants as the wilderness work knows them: what a plant yields when it is
// gathered (its part records) and the weight of a size word. Not built yet:
// see each.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// The yield of a plant: up to five part records (fruit or root, seeds,
// leaves, flowers, straw), each with its present flag, and the plant
// record as the yield reader leaves it.
constexpr int PLANT_PART_SLOTS = 5;
struct PlantYields {
    ObjectRecord parts[PLANT_PART_SLOTS];
    uint8_t present[PLANT_PART_SLOTS];
    ObjectRecord plant;
};

// The yield of a plant item. Not built yet: no parts, and the plant
// record unchanged.
void plant_yields(PlantYields& out, const ObjectRecord& plant);
// The weight in pounds of a size word ("XS", "S", "M", "L", "XL"). Not
// built yet: 0.25 lb for every word.
float size_class_weight(const char* size_word);
