#include "objects/object_looks.h"

#include "base/platform.h"
#include "base/text_ring.h"
#include "game/player.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"

namespace {

constexpr uint8_t SUBCLASS_LIGHT = 14;
constexpr int LIGHT_RADIUS_MOST = 5;

// How many units of an id the map and the player's pack hold.
long units_holding(int object_id) {
    long n = 0;
    for (const MapObject& o : Data)
        if (map_record_used(o) && o.DATA == object_id) n += o.amount > 0 ? o.amount : 1;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] == object_id) n += Plr.plr_inv_count[s] > 0 ? Plr.plr_inv_count[s] : 1;
    return n;
}

}  // namespace

const char* object_tile_name(int object_id) {
    if (!obj_id_is_valid(object_id)) return "";
    ObjectRecord r;
    return object_tile_name(obj_record(object_id, r));
}

int object_item_class(int object_id) {
    if (!obj_id_is_valid(object_id)) return 0;
    ObjectRecord r;
    return obj_record(object_id, r).item_class;
}

int lit_light_radius(int object_id) {
    if (!obj_id_is_valid(object_id)) return 0;
    ObjectRecord r;
    obj_record(object_id, r);
    if (r.item_class != ITEM_TOOL || r.subclass != SUBCLASS_LIGHT || r.link != 1) return 0;
    return r.rating > LIGHT_RADIUS_MOST ? LIGHT_RADIUS_MOST : r.rating;
}

int light_item_fuel(int object_id) {
    if (!obj_id_is_valid(object_id)) return 0;
    ObjectRecord r;
    return obj_record(object_id, r).spoilage_days;
}

int set_light_item_fuel(int object_id, int fuel) {
    if (!obj_id_is_valid(object_id)) return object_id;
    ObjectRecord r;
    obj_record(object_id, r);
    r.spoilage_days = uint8_t(fuel < 0 ? 0 : fuel > 255 ? 255 : fuel);
    // Only a single unit held once burns in place; an item type or an
    // instance that other units share would burn them all.
    if (obj_id_is_instance(object_id) && units_holding(object_id) == 1) {
        obj_write_record(object_id, r);
        return object_id;
    }
    const int id = obj_store_new(r);
    if (id != 0) return id;
    // No room for a new instance: the shared one burns rather than none.
    if (obj_id_is_instance(object_id)) obj_write_record(object_id, r);
    return object_id;
}

