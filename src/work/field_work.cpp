// Plant yields and field work. Not built yet: neutral answers.
#include "work/field_work.h"

#include "base/stubs.h"

float size_class_weight(const char* size_word) {
    (void)size_word;
    KSM_STUB("size_class_weight");
    return 50.0f / 453.0f;
}

void plant_yields(PlantYields& out, const ObjectRecord& plant) {
    (void)out;
    (void)plant;
    KSM_STUB("plant_yields");
}

int harvest_plant(int patch, int worker, int mode, int test) {
    (void)patch;
    (void)worker;
    (void)mode;
    (void)test;
    KSM_STUB("harvest_plant");
    return 0;
}

void harvest_command() { KSM_STUB("harvest_command"); }
void grind_flour() { KSM_STUB("grind_flour"); }
void prepare_soil() { KSM_STUB("prepare_soil"); }
void sow_or_plant() { KSM_STUB("sow_or_plant"); }

void thresh_harvest(int x, int y, int worker, int record) {
    (void)x;
    (void)y;
    (void)worker;
    (void)record;
    KSM_STUB("thresh_harvest");
}
