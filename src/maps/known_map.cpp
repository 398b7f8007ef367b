// The map of known areas. Not built yet: notes its call.
#include "maps/known_map.h"

#include "console/console.h"

void known_areas_map_screen(int) { note_stub_call("known_areas_map_screen"); }
