// The map information panel and the frame around the map. Not built yet.
#pragma once

void refresh_map_panel();
