// The map-object table. Only the plain table operations are here so far;
// the object subsystem adds merging, purging and the item rules.
#include "objects/map_object_table.h"

#include "base/stubs.h"

#include <cstring>

#include "maps/map_layers.h"

MapObject Data[MAP_OBJECT_COUNT];
MapObject map_object_staging;

void clear_staging_object() { std::memset(&map_object_staging, 0, sizeof map_object_staging); }

int insert_map_object(int i) {
    if (i >= 0 && i < MAP_OBJECT_COUNT) {
        Data[i] = map_object_staging;
        return i;
    }
    for (int k = 0; k < MAP_OBJECT_COUNT; ++k) {
        if (Data[k].TYPE == KIND_UNUSED || Data[k].TYPE == KIND_FREED) {
            Data[k] = map_object_staging;
            return k;
        }
    }
    return -1000;
}

void free_map_object(int i) {
    if (i < 0 || i >= MAP_OBJECT_COUNT) return;
    MapObject& o = Data[i];
    o.TYPE = KIND_FREED;
    o.x = o.y = 0;
    o.amount = 0;
    o.DATA = 0;
    o.day_stamp = 0;
    o.expire_day = 0;
    o.time_stamp = 0;
    o.state = 0;
}

int find_map_object(int kind, int x, int y) {
    for (int i = MAP_OBJECT_COUNT - 1; i >= 0; --i) {
        if (Data[i].TYPE == kind && Data[i].x == x && Data[i].y == y) return i;
    }
    return -1;
}

int is_sapling_at(int x, int y) {
    const int code = terrain_at(x, y);
    if (code != 10 && code != 12) return 0;
    const int i = find_map_object(9, x, y);
    return (i >= 0 && (Data[i].subkind & 8)) ? 1 : 0;
}

// Not built yet: items lying on a cell do not react to it.
void settle_items_at(int x, int y) { KSM_STUB("settle_items_at"); }

// Not built yet: the item weights come with the object store.
int items_weight_at(int x, int y) { KSM_STUB("items_weight_at"); return 0; }

namespace {
int creature_record(int creature) {
    const int32_t ref = creature >= 1000 ? creature : 1000 + creature;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == 4 && Data[i].DATA == ref) return i;
    return -1;
}
}  // namespace

int creature_x(int creature) {
    if (creature == -1) return player_x;
    const int i = creature_record(creature);
    return i < 0 ? 0 : Data[i].x;
}

int creature_y(int creature) {
    if (creature == -1) return player_y;
    const int i = creature_record(creature);
    return i < 0 ? 0 : Data[i].y;
}

int creature_at(int x, int y) {
    const int i = find_map_object(4, x, y);
    return i < 0 ? -1 : Data[i].DATA - 1000;
}
