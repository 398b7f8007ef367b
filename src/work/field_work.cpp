// Field work. Not built yet: neutral answers.
#include "work/field_work.h"

#include "base/stubs.h"

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
