// The map-object table of the current map: 10,000 records of 36 bytes, the
// same layout in memory, in "DATA.DAT" and in the stored local maps.
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

extern MapObject Data[MAP_OBJECT_COUNT];
// The record a caller fills before insert_map_object.
extern MapObject map_object_staging;

void clear_staging_object();
// Writes the staging record into record i, or with -1 into the first free
// record; the index, or -1000 when the table is full.
int insert_map_object(int i);
// Kind 33, position, amount, data, stamps and state cleared.
void free_map_object(int i);
// From the last record down: the first of the kind at exactly (x, y); -1.
int find_map_object(int kind, int x, int y);
// 1 when the square holds a young tree (terrain 10 or 12 with a plant mark
// whose young-tree bit is set).
int is_sapling_at(int x, int y);
// Items that come to rest on a cell react to it.
void settle_items_at(int x, int y);
// The weight in pounds of the items lying on a cell.
int items_weight_at(int x, int y);

// The x or y of a creature's place on the current map: the first record of
// kind 4 whose data is 1000 + the index (an index of 1000 or more is the
// reference itself); the player's position for -1; 0 when there is none.
int creature_x(int creature);
int creature_y(int creature);
// The creature slot standing on a cell, -1 when none.
int creature_at(int x, int y);
