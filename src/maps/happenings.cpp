// Happenings around the player. Not built yet: the world stays still.
#include "maps/happenings.h"

#include "base/stubs.h"

int check_world_encounter() {
    KSM_STUB("check_world_encounter");
    return 0;
}
void world_map_encounter() { KSM_STUB("world_map_encounter"); }
void roll_world_ambient_event() { KSM_STUB("roll_world_ambient_event"); }
void check_presence_hints_here() { KSM_STUB("check_presence_hints_here"); }
