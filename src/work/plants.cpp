#include "work/plants.h"

#include <cstring>

#include "base/stubs.h"

// Not built yet: the yield reader comes with agriculture; a plant yields
// nothing and stays as it is.
void plant_yields(PlantYields& out, const ObjectRecord& plant) {
    KSM_STUB("plant_yields");
    std::memset(&out, 0, sizeof out);
    out.plant = plant;
}

// Not built yet: every size weighs as a middling root.
float size_class_weight(const char*) {
    KSM_STUB("size_class_weight");
    return 0.25f;
}
