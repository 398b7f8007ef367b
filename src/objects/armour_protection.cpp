#include "objects/armour_protection.h"

#include <cmath>

#include "base/stubs.h"
#include "game/player.h"
#include "objects/object_store.h"

namespace {

constexpr int PROTECTION_VALUES = 6;

// The six protection values of an armour record, raised or lowered by its
// grade: a poor piece loses a point where it has some to lose, a fine one
// gains where it already protects well.
void graded_values(const ObjectRecord& r, int (&v)[PROTECTION_VALUES]) {
    const int raw[PROTECTION_VALUES] = {r.blunt, r.edge, r.point, r.protection4, r.length, r.full_length};
    const int g = (r.quality & OBJ_GRADE_MASK) == 0 ? 3 : (r.quality & OBJ_GRADE_MASK);
    for (int i = 0; i < PROTECTION_VALUES; ++i) {
        int x = raw[i];
        if (g == 1 && x > 1) --x;
        else if (g == 2 && x > 2) --x;
        else if (g == 4 && x > 3) ++x;
        else if (g == 5 && x > 2) ++x;
        v[i] = x;
    }
}

bool covers(const ObjectRecord& r, int body_part) {
    if (body_part < 0) return false;
    if (body_part < 8) return (r.coverage[0] >> body_part) & 1;
    if (body_part < 16) return (r.coverage[1] >> (body_part - 8)) & 1;
    if (body_part < 24) return (r.coverage[2] >> (body_part - 16)) & 1;
    return false;
}

}  // namespace

int object_protection(int aspect) {
    int v[PROTECTION_VALUES];
    graded_values(current_object, v);
    int value;
    switch (aspect) {
        case 0: case 7: value = v[0]; break;
        case 1: value = v[4]; break;
        case 2: value = v[1]; break;
        case 3: value = v[3]; break;
        case 4: value = v[2]; break;
        case 5: case 6: value = v[5]; break;
        case ASPECT_AVERAGE: {
            value = (v[0] + v[1] + v[2] + v[3] + v[4]) / 5;
            if (value == 0) value = 1;
            break;
        }
        default: value = 0; break;
    }
    // What is left of a worn or broken-down piece protects in proportion;
    // a record without a whole weight counts as whole.
    double ratio = 1.0;
    if (current_object.full_weight > 0.0f) ratio = double(current_object.weight) / current_object.full_weight;
    if (!(ratio >= 0.0)) ratio = 0.0;
    if (ratio > 1.0) ratio = 1.0;
    return int(std::ceil(ratio * value - 1e-9));
}

int plr_protection_at(int body_part, int aspect) {
    const ObjectRecord kept = current_object;
    int sum = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (!obj_id_is_instance(id)) continue;
        const ObjectRecord& r = Objects[id - FIRST_INSTANCE_ID];
        if (r.item_class != ITEM_ARMOUR || !(r.state_bits & OBJ_WORN) || !covers(r, body_part)) continue;
        current_object = r;
        sum += object_protection(aspect);
    }
    current_object = kept;
    return sum;
}

// Not built yet: no object records.
uint32_t current_object_coverage() {
    KSM_STUB("current_object_coverage");
    return 0;
}
