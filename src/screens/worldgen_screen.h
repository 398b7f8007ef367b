// The "RANDOM WORLD GENERATION" screen of a new character: the world
// picture with zoom, pan and the cultural regions, the start location, and
// accepting the world.
#pragma once

#include <cstdint>

#include "mapgen/world_picture.h"

// The chosen start location (world cells), left for the start of the game.
extern int start_x;
extern int start_y;

// Draws a start location; home culture only: within the character's culture.
// After 200,000 draws without a fit spot it takes the fit spot nearest to
// the last draw (of the home culture when asked, else any), else the
// nearest open land, else the nearest cell that is not water, and writes a
// line to the debug channel "worldgen!".
void pick_start_location(bool home_culture_only);
// Applies one key of the screen to the view (zoom, pan, toggles) and clamps
// the origin. Returns 1 for keys that the screen handles elsewhere or not.
int apply_world_view_key(WorldView& view, int key);
void clamp_world_view(WorldView& view);

// Runs the screen to its end (accept_at_once: the automatic creation takes
// E at once). Returns true when the world was accepted and
// written, false when no world could be made.
bool world_generation_screen(bool accept_at_once = false);
