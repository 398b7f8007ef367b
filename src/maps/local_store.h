// The store of local maps: one 88,392-byte record per world cell that has
// been visited, in "ZOOMMAPS.DAT" with its index "ZOOMINDEX.DAT" (both in
// the character folder). Record 0 and index entry 0 are a dummy (-1, -1);
// slot 0 means "none".
#pragma once

#include <cstdint>

#include "objects/map_object_table.h"
#include "base/platform.h"

constexpr int ZOOM_OBJECTS = 2000;
constexpr int ZOOM_SIDE = 64;
constexpr int ZOOM_FAIL = -1000;

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
KSM_OFFSET(ZoomMap, remembered, 4104);
KSM_OFFSET(ZoomMap, cover, 8200);
KSM_OFFSET(ZoomMap, height, 12296);
KSM_OFFSET(ZoomMap, objects, 16392);

// One entry of "ZOOMINDEX.DAT"; entry n describes record n.
struct ZoomIndexEntry {
    int32_t unused;  // written as 0
    int32_t world_x;
    int32_t world_y;
};
KSM_RECORD(ZoomIndexEntry, 12);
KSM_OFFSET(ZoomIndexEntry, world_x, 4);
KSM_OFFSET(ZoomIndexEntry, world_y, 8);

// The working record of every store operation.
extern ZoomMap zoom_work;

// Settlements without resident humans are given up, and sites with too few
// buildings become ground, only while this is on (a test may turn it off).
extern bool zoom_settlement_rules_on;

// Blank working record: objects zero, terrain 250, remembered ' ', cover 0;
// the heights stay as they were.
void zoom_clear_work();

// The cell's slot in the store, 0 when it has no stored map. Creates both
// files with their dummy when neither exists; rebuilds a missing index from
// the records.
int zoom_index_find(int wx, int wy);
// Replaces the working record with the cell's stored map; 1 when found.
// A record whose own cell differs from the asked one counts as not stored.
int zoom_load_stored(int wx, int wy);
// Forgets the cell's map (its index entry becomes (-1, -1)) and its marker.
void zoom_forget_stored(int wx, int wy);
// Adds an object entry to the working record (x -1: a random open square);
// the entry number or ZOOM_FAIL.
int zoom_add_data(int x, int y, int kind, int data, int amount);
// Adds one object on a random cave-floor square (96), if one is found.
void zoom_add_data_on_floor(int kind, int data);
// Copies height block (bx, by) of map generation's height field into the
// working record.
void zoom_copy_height_block(int bx, int by);
// Fills the working record from block (dx, dy), -2..2, of the current local
// map. False when the block holds more objects than a record can keep (the
// working record then holds only the first 2,000).
bool dataextract(int dx, int dy);
// False when a block of the current local map holds more objects than its
// record can keep.
bool zoom_blocks_fit();
// Writes the whole current local map back to the store. False (and the
// refusal shown) when a block's objects would not fit: then nothing of that
// block is written and its stored record stays as it was.
bool zoomsave();
// Writes zoom_work as the cell's stored map and refreshes its marker.
// flag 1 skips the abandonment rule. False when the record could not be
// written (the store is left as it was).
bool save_zoommap(int wx, int wy, int flag);
// Puts the working record into block (dx, dy) of the current layers.
// False when the object table filled up (the rest are not placed).
bool zoomset_maailma(int dx, int dy);
// Loads the 5 x 5 stored maps around world cell (wx, wy) into the layers.
void Zoomer(int wx, int wy);
// Moves the creature's record to the stored map of (wx, wy): an entry at
// (30, 30) names it there. 0, with nothing changed, when the cell has no
// stored map or the record could not be written.
int zoom_move_creature_to_stored(int creature, int wx, int wy);
int zoom_put_object_in_stored(int reference, int wx, int wy);
// 1 keep, 0 drop: judges the working record after `lag` days away.
int zoom_map_worth_keeping(int lag);
// The map maintenance: drops the stored maps not worth keeping.
void zoom_prune_store();
// Writes "debug_zoommaps.txt".
void zoom_dump_store();
// Hands the object block of every stored map on the disk (the dummy record
// left out), in store order, to `visit`; nothing else of the maps is read.
// The number of maps read; -1 when the store can't be opened.
int zoom_read_stored_objects(void (*visit)(const MapObject* objects, int count, void* context), void* context);

// Forgets the in-memory copy of the index (after the files changed beneath it).
void zoom_index_invalidate();
// No local map block is loaded yet in a new game: none is kept back as
// loaded incomplete.
void reset_local_store_state();
