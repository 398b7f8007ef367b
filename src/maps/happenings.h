// Happenings around the player while time passes: encounters on the world
// map, the presence of others, ambient events.
#pragma once

// The world-encounter check, run while time passes: a code (255 when a
// random encounter started), 0 when nothing happened.
int check_world_encounter();
// Runs a started world-map encounter (encounter state 1).
void world_map_encounter();
// The world-map ambient event (encounter state 2).
void roll_world_ambient_event();
// The hints that someone is on the player's square (each new square).
void check_presence_hints_here();
// The happenings' memory (the last roll, the last wanderers' hour, the
// last square checked) back to its start: the per-game reset.
void reset_world_happenings();
