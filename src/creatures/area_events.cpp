#include "creatures/area_events.h"

#include <cstdlib>
#include <cstring>

#include "creatures/creature_services.h"
#include "game/player.h"
#include "maps/map_layers.h"

namespace {

bool covers(const AreaEvent& e, int x, int y, int radius) {
    return std::abs(e.x - x) + std::abs(e.y - y) < radius;
}

}  // namespace

int add_area_event(int type, int x, int y, int radius, int first_day, int last_day, int key, int count,
                   const int32_t* reserved) {
    // One pass: the records to merge into, the first free slot and, for a
    // full table, the earliest record.
    int free_slot = -1, oldest = 0;
    for (int i = 0; i < AREA_EVENT_COUNT; ++i) {
        AreaEvent& e = AreaEvents[i];
        if (e.type == 0) {
            if (free_slot < 0) free_slot = i;
            continue;
        }
        if (e.first_day < AreaEvents[oldest].first_day || AreaEvents[oldest].type == 0) oldest = i;
        if (e.type != type || e.key != key || !covers(e, x, y, radius)) continue;
        // Keeping the span whole: halving the new days into the old ones
        // would push a merged record's days far past both.
        if (first_day < e.first_day) e.first_day = first_day;
        if (last_day > e.last_day) e.last_day = last_day;
        e.count += count;
        if (type == AREA_ANIMALS || type == AREA_HUMAN_GROUP) return i;
    }
    const int slot = free_slot >= 0 ? free_slot : oldest;
    AreaEvent& e = AreaEvents[slot];
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.x = x;
    e.y = y;
    e.radius = radius;
    e.first_day = first_day;
    e.last_day = last_day;
    e.key = key;
    e.count = count;
    if (reserved) std::memcpy(e.reserved, reserved, sizeof e.reserved);
    return slot;
}

void add_animal_area_event(int kind) {
    const int today = Plr.days_played;
    add_area_event(AREA_ANIMALS, plr_world_x(), plr_world_y(), AREA_RADIUS, today,
                   today + AREA_ANIMAL_DAYS, kind, 1);
}

void add_group_area_record(int kind) {
    const int today = Plr.days_played;
    add_area_event(AREA_HUMAN_GROUP, plr_world_x(), plr_world_y(), AREA_RADIUS, today,
                   today + AREA_GROUP_DAYS, kind, 1);
}

void find_area_event(int x, int y, AreaEvent& out, int type, int key) {
    for (const AreaEvent& e : AreaEvents)
        if (e.type == type && e.type != 0 && e.key == key && covers(e, x, y, e.radius)) {
            out = e;
            return;
        }
    std::memset(&out, 0, sizeof out);
}

void drop_expired_area_events() {
    const int today = Plr.days_played;
    for (AreaEvent& e : AreaEvents)
        if (e.type != 0 && e.last_day < today) std::memset(&e, 0, sizeof e);
}
