// The store of local maps: one 88,392-byte record per world cell that has
// been visited, in "ZOOMMAPS.DAT" with its index "ZOOMINDEX.DAT".
#pragma once

#include <cstdint>

#include "objects/map_object_table.h"
#include "ui/platform.h"

constexpr int ZOOM_OBJECTS = 2000;

struct ZoomMap {
    int32_t world_x;  // -1 in the dummy record
    int32_t world_y;
    uint8_t terrain[64 * 64];     // cell (x, y) at y * 64 + x
    uint8_t remembered[64 * 64];  // ' ' never seen
    uint8_t cover[64 * 64];
    uint8_t height[64 * 64];
    MapObject objects[ZOOM_OBJECTS];  // x and y from the block's corner; kind 0 free
};
KSM_RECORD(ZoomMap, 88392);
KSM_OFFSET(ZoomMap, terrain, 8);
KSM_OFFSET(ZoomMap, objects, 16392);

// The working record of every store operation.
extern ZoomMap zoom_work;

// The cell's slot in the store, 0 when it has no stored map.
int zoom_index_find(int wx, int wy);
// Replaces the working record with the cell's stored map; 1 when found.
int zoom_load_stored(int wx, int wy);
// Writes the whole current local map back to the store.
void zoomsave();
