#include "creatures/creature_services.h"

#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "shell/player.h"

AreaEvent AreaEvents[AREA_EVENT_COUNT];

int is_open_water_at(int x, int y) {
    if (!(terrain_flags_of(terrain_at(x, y)) & TF_WATER)) return 0;
    if (ice_thickness_at(x, y) == 0) return 1;
    return find_map_object(94, x, y) >= 0 ? 1 : 0;
}

int creature_facing(int creature) { return creature == -1 ? Plr.facing : 0; }

// Not built yet: no creature table, so no slot holds a creature.
int creature_kind(int creature) { return -1; }

// Not built yet: no templates, so no weight is known.
int world_entry_weight(int data) { return 0; }
