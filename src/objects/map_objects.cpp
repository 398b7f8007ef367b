#include "objects/map_objects.h"

#include "base/stubs.h"

// Not built yet: the map holds no objects that change by themselves.
void update_map_objects() { KSM_STUB("update_map_objects"); }

// Not built yet: nothing on the map ages, is prepared or carries a daily flag.
void age_map_items(int) { KSM_STUB("age_map_items"); }
int areal_itemizer() {
    KSM_STUB("areal_itemizer");
    return 0;
}
void clear_daily_object_flags() { KSM_STUB("clear_daily_object_flags"); }

void hourly_map_object_pass() { KSM_STUB("hourly_map_object_pass"); }
