#include "objects/map_objects.h"

#include "base/stubs.h"
#include "creatures/creature_queries.h"
#include "game/turn_state.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"

void clear_daily_object_flags() { KSM_STUB("clear_daily_object_flags"); }

void hourly_map_object_pass() { KSM_STUB("hourly_map_object_pass"); }
