// Requirement titles and the container put-in, as named stubs.
#include "work/crafting_services.h"

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"

#include <cstring>
#include "objects/object_store.h"

const char* requirement_type_name(int code) {
    KSM_STUB("requirement_type_name");
    switch (code) {
        case 100: return "Broad axe";
        case 101: return "Carving axe";
        case 102: return "Woodsman's axe";
        case 104: return "Splitting axe";
        default: return "A specific item";
    }
}

namespace {

// Liquids by their item-type number.
const char* liquid_name(int contents_kind) {
    switch (contents_kind) {
    case 55: return "Water";
    case 69: return "Milk";
    default: return "";
    }
}

// Filling with a liquid: the filled record is the liquid's own record whose
// `contents` names the empty container it sits in. A container that
// already holds the same liquid is topped up; another liquid is poured out.
int fill_with_liquid(int id, int contents_kind, int amount) {
    ObjectRecord held;
    obj_record(id, held);
    ObjectRecord container = held;
    int container_id = id;
    float earlier = 0.0f;
    if (held.contents != 0 && obj_id_is_instance(held.contents)) {
        debug_log("cooking", "Sailioi; kohde jo valmiiksi sailiossa");
        container_id = held.contents;
        obj_record(container_id, container);
        if (held.kind == contents_kind) earlier = held.weight;
    }
    const float capacity = container.full_weight;
    char line[64];
    format_text(line, sizeof line, "sailio max_wt: %.2f", double(capacity));
    debug_log("cooking", line);
    ObjectRecord filled = container;
    filled.item_class = 3;
    filled.kind = contents_kind;
    filled.subclass = 0;
    std::memset(filled.name, 0, sizeof filled.name);
    copy_text(filled.name, liquid_name(contents_kind));
    filled.quality = uint8_t((filled.quality & ~0x07) | 3 | 0x80);
    float weight = amount > 0 ? float(amount) + earlier : capacity;
    if (weight > capacity) weight = capacity;
    filled.weight = weight;
    filled.full_weight = capacity;
    filled.contents = container_id;
    return obj_store_record(filled);
}

}  // namespace

int Sailioi(int product, int container_id, int contents_kind, int amount) {
    if (!obj_id_is_instance(container_id)) return 0;
    if (contents_kind != 0) return fill_with_liquid(container_id, contents_kind, amount);
    if (!obj_id_is_instance(product)) return 0;
    // The goods become the filled record: their own record, linked to the
    // empty container. Goods already in it of the same name are added to.
    ObjectRecord held;
    obj_record(container_id, held);
    int empty_id = container_id;
    float earlier = 0.0f;
    ObjectRecord goods;
    obj_record(product, goods);
    if (held.contents != 0 && obj_id_is_instance(held.contents)) {
        debug_log("cooking", "Sailioi; kohde jo valmiiksi sailiossa");
        empty_id = held.contents;
        if (std::strcmp(held.name, goods.name) == 0) earlier = held.weight;
    }
    ObjectRecord container;
    obj_record(empty_id, container);
    const float capacity = container.full_weight;
    float weight = goods.weight;
    if (amount >= 2) weight *= float(amount);
    weight += earlier;
    if (capacity > 0.0f && weight > capacity) weight = capacity;
    goods.weight = weight;
    goods.contents = empty_id;
    return obj_store_record(goods);
}
