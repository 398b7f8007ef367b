// Taking an amount out of a carried item: food eaten, a drink from a cup.
#include <cmath>

#include "base/platform.h"
#include "base/text_ring.h"
#include "game/player.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

// What is left at or below this counts as used up.
constexpr float USED_UP_POUNDS = 0.05f;
constexpr float USED_UP_POUNDS_FINE = 0.001f;  // kind 461
constexpr float EMPTY_WHOLE = 1000.0f;

bool is_container(const ObjectRecord& r) {
    return r.item_class == ITEM_CONTAINER || r.kind == 331 || r.kind == 350 || r.kind == 351;
}

// The container whose contents ran out, empty again, in the slot's place.
void put_back_empty(int slot, const ObjectRecord& full, float amount) {
    char name[sizeof full.name + 1];
    copy_field(name, sizeof name, full.name, sizeof full.name);
    ObjectRecord empty = full;
    empty.item_class = ITEM_CONTAINER;
    empty.weight = 0.0f;
    empty.contents = 0;
    empty.blunt = empty.edge = empty.point = empty.water = 0;
    empty.effect_raw = empty.effect_boiled = 0;
    const int id = obj_store_new(empty);
    if (id != 0) {
        msg_item = id;
        if (amount >= EMPTY_WHOLE) {
            show_message(message_by_key("CONTAINER_EMPTIED"));
        } else {
            char text[120];
            format_text(text, sizeof text, "+The %s is empty now.", lower_case_copy(name));
            show_message(text);
        }
        plr_insert_into_inventory(id, 1, 0, slot);
    }
}

}  // namespace

float plr_empty_container(int slot, float amount) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_count[slot] <= 0) return 0.0f;
    plr_split_off_single_item(slot);
    const int id = Plr.plr_inv_id[slot];
    if (!obj_id_is_instance(id)) return 0.0f;
    ObjectRecord r;
    obj_record(id, r);
    const float before = r.weight;
    const float threshold = r.kind == 461 ? USED_UP_POUNDS_FINE : USED_UP_POUNDS;
    const float remaining = before - amount;
    if (remaining > threshold) {
        // Measured by length: the length shrinks with the weight.
        if ((r.unit == 5 || r.unit == 6) && before > 0.0f)
            r.length = uint8_t(std::ceil(double(r.length) * remaining / before));
        r.weight = remaining;
        r.full_weight = remaining;
        obj_write_record(id, r);
        plr_merge_stacks_into(slot);
        return amount;
    }
    if (is_container(r) && r.contents == 0) return 0.0f;
    if (--Plr.plr_inv_count[slot] <= 0) {
        Plr.plr_inv_count[slot] = 0;
        Plr.plr_inv_id[slot] = 0;
    }
    if (r.contents != 0) put_back_empty(slot, r, amount);
    plr_compact_inventory();
    plr_recompute_carried_weight();
    return before;
}
