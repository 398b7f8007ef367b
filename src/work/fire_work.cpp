// Fires as work. Not built yet: neutral answers.
#include "work/fire_work.h"

#include "base/stubs.h"

int burn_items_at(int x, int y, int burn, const char* mode) {
    (void)x;
    (void)y;
    (void)burn;
    (void)mode;
    KSM_STUB("burn_items_at");
    return 0;
}

void add_smoke_to_food(int x, int y, int minutes) {
    (void)x;
    (void)y;
    (void)minutes;
    KSM_STUB("add_smoke_to_food");
}

void report_food_ready(int index) {
    (void)index;
    KSM_STUB("report_food_ready");
}

void check_food_burning(int index) {
    (void)index;
    KSM_STUB("check_food_burning");
}

int place_fire_object(int x, int y, int value) {
    (void)x;
    (void)y;
    (void)value;
    KSM_STUB("place_fire_object");
    return 0;
}
