// The "RANDOM WORLD GENERATION" screen of a new character: the world
// picture with zoom, pan and the cultural regions, the start location, and
// accepting the world.
#pragma once

#include <cstdint>

// The chosen start location (world cells), left for the start of the game.
extern int start_x;
extern int start_y;

// The picture's view: 4, 2 or 1 world cells per pixel, and the world cell
// at the picture's top-left corner.
struct WorldView {
    int zoom = 4;
    int origin_x = 0, origin_y = 0;
    int culture_mode = 0;  // 0 terrain colours, 4 culture colours
    bool legend = false;
};
extern WorldView world_view;

// Picture modes: 0 terrain, 4 cultures, 16 terrain without sea (while the
// world is being generated), 32 sites only.
void draw_world_picture(int origin_y, int origin_x, int zoom, int mode);
// Draws a start location; home culture only: within the character's culture.
// Gives up after many tries and keeps the last draw (a world without land).
void pick_start_location(bool home_culture_only);
// Applies one key of the screen to the view (zoom, pan, toggles) and clamps
// the origin. Returns 1 for keys that the screen handles elsewhere or not.
int apply_world_view_key(WorldView& view, int key);
void clamp_world_view(WorldView& view);

// Runs the screen to its end (accept_at_once: the automatic creation takes
// E at once). Returns true when the world was accepted and
// written, false when no world could be made.
bool world_generation_screen(bool accept_at_once = false);
