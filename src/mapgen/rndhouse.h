// The local-map generator's driver: the first time the player enters a
// world cell, its local map is made from the cell's world code, its
// neighbours and the request in "RNDHOUSE.DAT", and stored at once; later
// requests load the stored map and only add what the request asks for
// (scenes, an encounter, the world events of the cell).
//
// Everything works on the working local map (zoom_work, 64 x 64 cells,
// cell (x, y) at y * 64 + x); the fillers, the water pass and the
// vegetation passes read the generation state below.
#pragma once

#include <cstdint>

#include "maps/local_store.h"

// The request as read from "RNDHOUSE.DAT" (lines 1 to 4).
struct GenerationRequest {
    char env_type[30];   // first word of the cell's terrain name, "#" appended
    char scene[80];      // "ZOOM", "ENCOUNTER" or "SCENE1".."SCENE6"
    char encounter[80];  // the encounter or scene number
    char extra[80];      // the caller's; not used
};
extern GenerationRequest generation_request;

// The state the passes read while a map is made.
extern int32_t generation_world_x, generation_world_y;  // the cell being made
extern int32_t filler_world_x, filler_world_y;          // the cell the fillers read
// 1 when the cell being made already has a stored map.
extern int32_t TERRAIN_KNOWN;
// For a water cell, the habitat bits of its land neighbours; else 0.
extern uint32_t neighbour_habitat;
// Chosen from the words of env_type (vegetation_class_of).
extern int32_t vegetation_class;

// The second map of the generation: the edge strips of differing
// neighbours (terrain, cover and height), with 1 in `remembered` where a
// strip cell was taken.
extern ZoomMap blend_map;

// Makes the stored map of world cell (wx, wy) on the request in
// "RNDHOUSE.DAT". 1 when a map was stored, 0 when there was nothing to
// do (no request, or a plain request for a cell already stored), -1 when
// it failed (a stored map that could not be read, or the store could not
// be written); a failure never stores anything.
int rndhouse_main(int wx, int wy, int extra);
// The generation passes in their order; 0, or -1 when the stored map of a
// known cell could not be read (nothing is then to be stored).
int terrain_make();

// The vegetation class of an env_type: 0 coniferous, 1 ground, 2 grove,
// 4 bushes, 5 mountain, 228 thicket, 250 burnt land, -1 none.
int vegetation_class_of(const char* env_type);
// The world code at a world cell: 32 outside the world.
int generation_world_code(int wx, int wy);
// The culture of a world cell: 10 (no man's land) outside the world.
int generation_culture(int wx, int wy);
