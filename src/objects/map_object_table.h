// The map-object table of the current map: 10,000 records of 36 bytes, the
// same layout in memory, in "DATA.DAT" and in the stored local maps.
//
// Everything that lies or stands on the map and is not terrain is one
// record: items, creatures, fires, traps, plant marks, tracks ... (the
// kinds and their fields: objects/map_kinds.h). Kind 0 marks a record never
// used since the table was last packed or cleared, and the first one ends
// the used part of the table; kind 33 is a freed record. New records take
// the lowest free index. Finds by square scan from record 9999 down, so of
// two matches the higher index wins; finds by creature scan from 0 up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/platform.h"

struct MapObject {
    uint16_t x;
    uint16_t y;
    uint8_t TYPE;        // kind: 0 never used, 33 freed, 1 item, 4 creature ...
    uint8_t reserved_5;
    int16_t ref;         // who holds the record
    uint16_t amount;
    uint8_t reserved_10[2];
    int32_t DATA;        // object id, or 1000 + creature slot for kinds 4 and 52
    uint8_t subkind;
    uint8_t reserved_17;
    int16_t day_stamp;
    uint16_t expire_day;
    uint8_t reserved_22[2];
    uint32_t expire_minute;
    int32_t time_stamp;
    uint8_t state;
    uint8_t reserved_33[3];
};
KSM_RECORD(MapObject, 36);
KSM_OFFSET(MapObject, TYPE, 4);
KSM_OFFSET(MapObject, ref, 6);
KSM_OFFSET(MapObject, amount, 8);
KSM_OFFSET(MapObject, DATA, 12);
KSM_OFFSET(MapObject, subkind, 16);
KSM_OFFSET(MapObject, day_stamp, 18);
KSM_OFFSET(MapObject, expire_day, 20);
KSM_OFFSET(MapObject, expire_minute, 24);
KSM_OFFSET(MapObject, time_stamp, 28);
KSM_OFFSET(MapObject, state, 32);

constexpr int MAP_OBJECT_COUNT = 10000;
constexpr uint8_t KIND_UNUSED = 0;
constexpr uint8_t KIND_FREED = 33;

// "Not found" and "nothing placed".
constexpr int MAP_NOT_FOUND = -1;     // finds by square
constexpr int MAP_NO_RECORD = -1000;  // finds by creature, near the player; failed placements
// The most a record's amount holds.
constexpr int MAP_AMOUNT_MAX = 65535;
// Placements by put_object_on_map never take a record above this index;
// a free-record search that passes MAP_PURGE_INDEX purges the table.
constexpr int MAP_PUT_LAST_INDEX = 9950;
constexpr int MAP_PURGE_INDEX = 9900;
// Used records of one world cell (block pair) before a placement there
// purges the cell; a stored local map keeps at most MAP_BLOCK_CAPACITY.
constexpr int MAP_BLOCK_LIMIT = 1900;
constexpr int MAP_BLOCK_CAPACITY = 2000;
// The 64-square blocks of a local map: coordinates 72..391, blocks -2..2.
constexpr int MAP_BLOCK_FIRST = 72;
constexpr int MAP_BLOCK_LAST = 391;
constexpr int MAP_BLOCK_SIDE = 64;
constexpr int MAP_NO_BLOCK = -100;

extern MapObject Data[MAP_OBJECT_COUNT];
// The record a caller fills before insert_map_object; a few operations use
// it as scratch.
extern MapObject map_object_staging;

inline bool map_index_valid(int i) { return i >= 0 && i < MAP_OBJECT_COUNT; }
inline bool map_record_used(const MapObject& o) { return o.TYPE != KIND_UNUSED && o.TYPE != KIND_FREED; }
// The block (-2..2) of a local-map coordinate; MAP_NO_BLOCK outside
// 72..391 (such a record belongs to no world cell).
inline int map_block_of(int coordinate) {
    if (coordinate < MAP_BLOCK_FIRST || coordinate > MAP_BLOCK_LAST) return MAP_NO_BLOCK;
    return (coordinate - MAP_BLOCK_FIRST) / MAP_BLOCK_SIDE - 2;
}

// ------------------------------------------------------------ records

// All 36 bytes of the staging record zero.
void clear_staging_object();
// Every field of record i zero (kind 0).
void clear_map_object(int i);
// Writes the staging record into record i (0..9999), or with i = -1 into
// the first free record; a set-aside item (kind 127) with -1 first merges
// into an equal one (square, data, subkind and due minute) before the first
// free record. The index, or MAP_NO_RECORD when nothing was placed: no free
// record even after one purge, the world cell's block limit refused it, or
// a bad index.
int insert_map_object(int i);
// Places a record of `kind` with `DATA` and `amount` = quantity. Items
// (kind 1) join an unheld, unclaimed stack of the same object on the square,
// blood marks (99) one of the same `DATA`; a carcass item (class 12) becomes
// a dead creature (put_carcass_on_map). Never takes a record above 9,950;
// with none free it purges once and tries again when the purge freed more
// than 50. The index, or MAP_NO_RECORD when nothing was placed.
int put_object_on_map(int kind, int x, int y, int data, int quantity);
// An item that the player puts down: it stacks with the unheld, unmarked
// items on the square and a new record carries no claim mark (that mark
// says a village owns the item). The index or MAP_NO_RECORD.
int put_player_item_on_map(int x, int y, int object_id, int quantity);
// A carcass item becomes a dead creature (kind 52) of its kind code's
// template; the index, or MAP_NO_RECORD when no creature could be made.
int put_carcass_on_map(int x, int y, int object_id);
// The item limit of the world cell that holds (x, y), for one more record
// there: 0 on the world map (no limit), 1 when the record may be placed, -1
// when the cell's stored map could not keep it. Above 1,900 used records the
// cell is purged first, and now and then the warning is shown.
int check_map_block_limit(int x, int y);
// Placements asked for the world-cell limit since the warning was last
// shown.
extern int32_t map_limit_calls;
// Shows "WARNING_MAP_ITEM_LIMIT" (and the message pause unless messages are
// muted): what a caller shows when its item could not be placed.
void warn_map_item_limit();

// Kind 33 and every other field zero.
void free_map_object(int i);
// One fewer: the record is freed when its amount is below 2.
void decrement_map_object(int i);
// n fewer (n <= 0 takes nothing); freed when nothing is left. The amount
// left, 0 when freed; MAP_NO_RECORD for a bad index.
int reduce_map_object(int i, int n);
// Splits n units of record i into a new record (the first free one); the
// new index, or MAP_NO_RECORD when i is bad, n <= 0, n is not below the
// amount, or the record could not be placed (nothing changes then).
int split_map_object(int i, int n);
// Takes weight w (pounds) from an item record: a whole unit when w is at
// least one unit's weight (that weight is answered), else w from a single
// unit that gets an object instance of its own (the rest of the stack moves
// to a record of its own). 0 and nothing changed when the record is not an
// item, w <= 0, or the split or the new instance fails.
float take_weight_from_map_item(int i, float w);

// Frees records of the purgeable kinds in the order 33, 99, 10, 98, 66, 65,
// 93, at most 101; the number freed (freeing a kind-33 record counts too).
int purge_map_objects();
// The same for the world cell (block pair) that holds (x, y); (0, 0) the
// whole table; a square outside the blocks frees nothing.
int purge_map_objects_in_block(int x, int y);
// Packs the used records to the front in their order and zeroes the rest.
// Nothing while a long task runs (unless it is "STANDING BY"); put off to the
// end of the per-turn walk while that runs.
void compact_map_objects();
// Set when a free-record search passed 9,900; the command reader then purges
// and compacts and clears it.
extern uint8_t purge_requested;
// Moves record i to the top of the used part, so that the finds by square
// meet it first; the index it now has (i when it stayed), MAP_NO_RECORD for
// a bad index. During the per-turn walk the move waits for the walk's end
// (i is answered), so that the walk never meets the record twice.
int move_map_object_to_top(int i);
// Moves record i to index 0, every record below it up by one (compacting
// first when record 9,999 is used); during a long task or the per-turn walk
// it goes to the first free record instead. The index it now has, or
// MAP_NO_RECORD for a bad index.
int move_map_object_to_bottom(int i);

// ------------------------------------------------------------ renumbering

// After records move (compaction, moves to the top or bottom), the index
// each old record now has: old_to_new[old] (-1 for a record that was
// dropped). The creature table fills the hook to rewrite the targets of the
// tasks that point at a record (tasks 80 and 81); nothing when it is null.
extern void (*map_objects_renumbered)(const int16_t* old_to_new);
// The task target (of task `task`) after a renumbering: a target of tasks
// 80 and 81 is a record index and follows its record; others are unchanged.
int32_t renumbered_task_target(int task, int32_t target, const int16_t* old_to_new);

// The per-turn walk over the table: while it runs, a compaction is put off
// until it ends, and a move to the bottom goes to the first free record.
void begin_map_object_walk();
void end_map_object_walk();
bool map_object_walk_running();

// The per-game reset: the table, the staging record, the requests and the
// counter cleared.
void reset_map_object_table();

// ------------------------------------------------------------ finds

// From record 9999 down: the first of the kind at (x, y), or with x = 0 on
// the player's square or one of the eight around it; -1.
int find_map_object(int kind, int x, int y);
// The kind-4 record of creature cr (a slot, or a reference of 1000 and
// more): -1 when none.
int cre_datapos(int creature);
// The same, -1000 when none.
int cre_object_index(int creature);
// Its dead body's record (kind 52), -1000 when none.
int corpse_object_index(int creature);
// The creature slot that record i names (DATA less 1000 when 1000 or
// more); -1000 for a bad index.
int map_object_creature(int i);
// The x or y of a creature's place on the current map (the player's for
// -1; 0 when it has no record).
int creature_x(int creature);
int creature_y(int creature);
// The selected target square becomes the creature's (0, 0 when it is not
// on the map).
void set_target_to_creature(int creature);
// The creature slot standing on a cell, -1 when none: divers are passed
// over unless the debug switch is on; one that is neither shocked nor
// fainted is preferred.
int creature_at(int x, int y);
// How the table reads a creature's altitude and body state (the creature
// services by default; tests plant their own).
struct MapCreatureProbe {
    int (*altitude)(int slot);    // -100 dived
    int (*body_state)(int slot);  // 3 shocked, 4 fainted
};
extern MapCreatureProbe map_creature_probe;
MapCreatureProbe default_map_creature_probe();

// 1 when a record of the kind lies within one square of the player, or of
// (x, y); the scans stop at the first kind-0 record.
int is_object_kind_next_to_player(int kind);
int is_object_kind_adjacent(int kind, int x, int y);
// A record of the kind within one square of the player whose square is in
// view: mode 0 the first, mode 1 the first not on the player's own square;
// -1000 when none (and for any other mode).
int find_object_kind_near_player(int kind, int mode);
// The traps within one square of (x, y).
int count_traps_near(int x, int y);
// The items of an object kind code within `radius` squares: the sum of
// their amounts.
int count_items_of_type_near(int kind_code, int x, int y, int radius);
// The records that occupy the square.
int count_objects_at(int x, int y);

// 1 when the square holds a young tree: terrain 10 or 12 of a kind that can
// be a young tree, with a plant mark (kind 64) whose young-tree bit is set.
int is_sapling_at(int x, int y);
// Items that come to rest on a cell react to it: ice breaks under them, a
// boat holds them, water and bog take what sinks, pines, traps and fire
// sites take their offerings (objects/landing_items.cpp).
void settle_items_at(int x, int y);
// The weight in pounds of the items lying on a cell.
int items_weight_at(int x, int y);
