// Nutrition values of food. Not built yet: neutral answers.
#include "work/food_values.h"

#include <cstring>

#include "base/stubs.h"

void scale_food_object(ObjectRecord& record, float factor) {
    (void)record;
    (void)factor;
    KSM_STUB("scale_food_object");
}

void ravinto(ObjectRecord& item, Nutrition& out) {
    (void)item;
    std::memset(&out, 0, sizeof out);
    KSM_STUB("ravinto");
}

ObjectRecord make_meat_cut_object(const char* name, int creature_kind, float weight) {
    (void)name;
    (void)creature_kind;
    (void)weight;
    KSM_STUB("make_meat_cut_object");
    ObjectRecord blank;
    std::memset(&blank, 0, sizeof blank);
    return blank;
}
