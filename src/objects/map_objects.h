// The map objects of the current map and their per-turn update.
#pragma once

// The per-turn pass over the current map's objects: fires burn down, timed
// objects expire, each creature on the map takes its turn.
void update_map_objects();
// Ages the objects lying on the local map by whole days.
void age_map_items(int days);
// The map-load pass over the map objects (timed preparations, compaction);
// its result goes to the plant-patch update.
int areal_itemizer();
// Clears the daily flag of the map objects.
void clear_daily_object_flags();
// The hourly pass over the map objects for timed food and ice holes. Not
// built yet: nothing.
void hourly_map_object_pass();
