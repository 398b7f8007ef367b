// Sorting weapons and choosing their aspects.
#include "body/weapon_tests.h"

#include <cstring>

#include "base/platform.h"
#include "body/combat_state.h"
#include "body/skills.h"
#include "objects/object_store.h"
#include "work/work_services.h"

namespace {

struct Texts {
    char name[sizeof ObjectRecord::name + 1];
    char skill[sizeof ObjectRecord::skill + 1];
};

Texts texts_of(const ObjectRecord& r) {
    Texts t;
    copy_field(t.name, sizeof t.name, r.name, sizeof r.name);
    copy_field(t.skill, sizeof t.skill, r.skill, sizeof r.skill);
    return t;
}

}  // namespace

bool obj_is_missile_weapon(const ObjectRecord& r) {
    if (r.subclass == SUBCLASS_LAUNCHER) return true;
    return r.subclass != SUBCLASS_MISSILE && r.item_class == ITEM_WEAPON &&
           std::strstr(texts_of(r).skill, "BOW") != nullptr;
}

bool obj_is_hand_weapon(const ObjectRecord& r) {
    if (r.item_class != ITEM_WEAPON || obj_is_missile_weapon(r) || r.subclass == SUBCLASS_MISSILE) return false;
    const Texts t = texts_of(r);
    return std::strcmp(t.name, "Rock") != 0 && std::strcmp(t.name, "Stone") != 0;
}

bool obj_is_throwing_weapon(const ObjectRecord& r) {
    if (r.subclass == SUBCLASS_MISSILE) return true;
    return obj_is_hand_weapon(r) && std::strstr(texts_of(r).name, "taff") == nullptr;
}

bool obj_matches_goods_category(int flags, const ObjectRecord& r) {
    if (flags & 0x80) return obj_meets_requirement(531, r) != 0;
    if (flags & 0x40) return obj_meets_requirement(530, r) != 0;
    const Texts t = texts_of(r);
    if (flags & 0x10)
        return r.subclass == 1 || r.subclass == 2 || r.subclass == 13 || std::strstr(t.name, "trident") != nullptr;
    if ((flags & 0x20) && (obj_is_missile_weapon(r) || r.subclass == SUBCLASS_MISSILE)) return true;
    if (flags & 0x02) return r.item_class == ITEM_WEAPON;
    if (flags & 0x200) return r.kind == 435 || r.kind == 61;
    if (flags & 0x100) return r.item_class == ITEM_ARMOUR;
    if (flags & 0x400) {
        switch (r.kind) {
        case 100: case 101: case 102: case 104: case 105: case 310: case 331: return true;
        default: break;
        }
        return r.item_class == ITEM_WEAPON && (std::strcmp(t.skill, "DAGGER") == 0 || std::strcmp(t.skill, "KNIFE") == 0);
    }
    return false;
}

AspectChoice record_attack_aspects(const ObjectRecord& r) {
    const uint8_t values[3] = {r.blunt, r.edge, r.point};
    static const int32_t codes[3] = {ASPECT_CODE_BLUNT, ASPECT_CODE_EDGE, ASPECT_CODE_POINT};
    AspectChoice c{};
    c.best_value = -1;
    int had[3];
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        if (values[i] >= NO_ATTACK_VALUE) continue;
        had[count++] = i;
        if (values[i] >= c.best_value) {
            c.best_value = values[i];
            c.best_index = i;
        }
    }
    if (count == 0) c.best_value = 0;  // no aspect at all: blunt with nothing
    c.best_code = codes[c.best_index];
    c.random_index = count > 0 ? had[body_draw(count)] : ASPECT_INDEX_BLUNT;
    c.random_code = codes[c.random_index];
    c.attack_class = r.ad_class & 0x0F;
    return c;
}

AspectChoice obj_attack_aspects(int id) {
    ObjectRecord r;
    obj_record(id, r);
    return record_attack_aspects(r);
}

int obj_better_weapon(int held_id, int other_id) {
    ObjectRecord held, other;
    obj_record(held_id, held);
    obj_record(other_id, other);
    // Only the strongest values count; no draw is needed for them.
    auto best = [](const ObjectRecord& r) {
        int b = -1;
        for (uint8_t v : {r.blunt, r.edge, r.point})
            if (v < NO_ATTACK_VALUE && v > b) b = v;
        return b;
    };
    return best(other) >= best(held) ? 2 : 1;
}
