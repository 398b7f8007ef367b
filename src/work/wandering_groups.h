// Groups that wander the world map and the kota camps they set up. Not
// built yet: the world entries stay as they are and no camp is set up.
#pragma once

// The update of a world-map entry (kind 11) of `Data`. Not built yet:
// nothing.
void update_fire_record(int index);
// The chance in percent that a human group sets up camp at the world cell.
// Not built yet: 0.
int camp_site_percent_at(int world_x, int world_y);
