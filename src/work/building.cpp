// Building and deconstruction. Not built yet: neutral answers.
#include "work/building.h"

#include "base/stubs.h"

int build_structure(int code, int deconstruct) {
    (void)code;
    (void)deconstruct;
    KSM_STUB("build_structure");
    return 0;
}

void build_pause(int x, int y, int code, int minutes_done, int minutes_needed) {
    (void)x;
    (void)y;
    (void)code;
    (void)minutes_done;
    (void)minutes_needed;
    KSM_STUB("build_pause");
}

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
