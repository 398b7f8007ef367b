// Building and deconstruction. Not built yet: neutral answers.
#include "work/building.h"

#include "base/stubs.h"

const char* construction_stage_text(int index) {
    (void)index;
    KSM_STUB("construction_stage_text");
    return "";
}

int deconstruct_structure(int x, int y, int worker) {
    (void)x;
    (void)y;
    (void)worker;
    KSM_STUB("deconstruct_structure");
    return 0;
}

void free_kind126_objects_at(int x, int y) {
    (void)x;
    (void)y;
    KSM_STUB("free_kind126_objects_at");
}
