// The fire's turn and the passes over the map objects that run each turn,
// at a map load and at the day change (the pass itself: map_objects.h).
#pragma once
#include <cstdint>

// The class byte of the creature the map change has just defined for an
// encounter (0 none): such creatures take no turn in the pass.
extern uint8_t encounter_class;

// A fire whose time is up: a fire site (local maps) and ash where the
// ground burns; beside another fire it may spread north and south.
void burn_out_fire(int i);
// The dead creatures in a burning fire char, and at last burn away.
void burn_corpses_in_fire(int x, int y);
// 1 when the terrain catches fire.
int terrain_burns(int code);
// Frees a world-map creature entry, and the creature-file record that it
// alone names.
void free_world_entry(int i);
