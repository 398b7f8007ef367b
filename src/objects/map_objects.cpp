#include "objects/map_objects.h"

#include "base/stubs.h"
#include "creatures/creature_queries.h"
#include "game/turn_state.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"

// Partly built: every creature of the map takes its turn; fires, timed
// objects and food over a fire come with the rest of the pass.
void update_map_objects() {
    KSM_STUB("update_map_objects");
    if (quit_state == -1) return;
    begin_map_object_walk();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_CREATURE) CreatureAct(i);
    end_map_object_walk();
}

// Not built yet: nothing on the map ages, is prepared or carries a daily flag.
void age_map_items(int) { KSM_STUB("age_map_items"); }
int areal_itemizer() {
    KSM_STUB("areal_itemizer");
    return 0;
}
void clear_daily_object_flags() { KSM_STUB("clear_daily_object_flags"); }

void hourly_map_object_pass() { KSM_STUB("hourly_map_object_pass"); }
