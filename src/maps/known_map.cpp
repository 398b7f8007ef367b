// The map of known areas. Not built yet: notes its call.
#include "maps/known_map.h"

#include "base/stubs.h"
#include "console/console.h"

void known_areas_map_screen(int) { KSM_STUB("known_areas_map_screen"); }
