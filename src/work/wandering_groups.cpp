// Wandering groups and kota camps. Not built yet: neutral answers.
#include "work/wandering_groups.h"

#include "base/stubs.h"

void update_fire_record(int index) {
    (void)index;
    KSM_STUB("update_fire_record");
}

int camp_site_percent_at(int world_x, int world_y) {
    (void)world_x;
    (void)world_y;
    KSM_STUB("camp_site_percent_at");
    return 0;
}
