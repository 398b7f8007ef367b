// Nutrition values of food. Not built yet: neutral answers.
#include "work/food_values.h"

#include "base/stubs.h"

void scale_food_object(ObjectRecord& record, float factor) {
    (void)record;
    (void)factor;
    KSM_STUB("scale_food_object");
}
