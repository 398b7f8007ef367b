// Changing between the world map and local maps. Not built yet.
#pragma once

// The zoom: mode 0 the player's own, 1 an encounter, 1000 a scene.
void terrain_map(int mode, int defined);
// 1 go, 0 stay.
int confirm_companions_left_behind(int ask);
