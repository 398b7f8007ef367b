#include "objects/object_values.h"

#include "base/files.h"
#include "creatures/creature_files.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_object_table.h"

namespace {

constexpr int32_t KIND_WHOLE_VALUE_SKIN_A = 412;
constexpr int32_t KIND_WHOLE_VALUE_SKIN_B = 413;
constexpr uint8_t SUBCLASS_LEASH = 9;
constexpr float VALUABLE_FROM = 12.0f;

// The record's own worth, its contents left out.
float own_value(const ObjectRecord& r) {
    float v = r.price;
    if (r.unit_price == 0.0f) {
        const bool worn_down = r.item_class == ITEM_WEAPON || r.item_class == ITEM_ARMOUR || r.item_class == ITEM_TOOL;
        if (worn_down && r.full_weight > 0.0f && r.weight < r.full_weight) v = r.price * r.weight / r.full_weight;
    } else {
        v = r.weight * r.unit_price;
    }
    v *= obj_grade_factor(r);
    if (r.item_class == ITEM_SKIN && r.kind != KIND_WHOLE_VALUE_SKIN_A && r.kind != KIND_WHOLE_VALUE_SKIN_B) v *= 0.25f;
    return v;
}

}  // namespace

float obj_grade_factor(const ObjectRecord& r) {
    static const float factor[6] = {1.0f, 0.25f, 0.5f, 1.0f, 1.25f, 1.5f};
    const int grade = r.quality & OBJ_GRADE_MASK;
    return grade <= 5 ? factor[grade] : 1.5f;
}

float obj_value(const ObjectRecord& record) {
    float v = own_value(record);
    // What a container holds is worth its own value; a container inside it
    // is not opened further.
    if (record.contents != 0 && obj_id_is_valid(record.contents)) {
        ObjectRecord inner;
        obj_record(record.contents, inner);
        v += own_value(inner);
    }
    return v;
}

int obj_is_valuable(const ObjectRecord& record) {
    if (record.item_class == ITEM_TOOL && record.subclass == SUBCLASS_LEASH && leash_creature(record) >= 0) return 0;
    switch (record.item_class) {
    case ITEM_WEAPON:
    case ITEM_ARMOUR:
    case ITEM_SKIN:
    case ITEM_VALUABLE:
    case ITEM_TOOL:
        return obj_value(record) >= VALUABLE_FROM ? 1 : 0;
    default:
        return 0;
    }
}

void cre_drop_item_on_death(int creature, int slot) {
    if (!cre_slot_valid(creature) || slot < 0 || slot >= CRE_INV_SLOTS) return;
    const CreatureRecord& c = Cre[creature];
    if (!obj_id_is_valid(c.inv_id[slot]) || c.inv_count[slot] == 0) return;
    set_target_to_creature(creature);
    const int r = random_below(80);
    const float f = float(r + 10) / 100.0f;
    ObjectRecord copy;
    obj_record(c.inv_id[slot], copy);
    copy.price -= copy.price * f;
    copy.weight -= copy.weight * f;
    const int id = obj_store_record(copy);
    if (id == 0) return;
    // The whole stack falls, not a single one of it.
    create_item_at_creature(creature, id, c.inv_count[slot]);
}
