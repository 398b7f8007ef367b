// The map panel. Not built yet: notes its call.
#include "maps/map_panel.h"

#include "console/console.h"

void refresh_map_panel() { note_stub_call("refresh_map_panel"); }
