// The tests that sort weapons: launchers, hand weapons, throwing weapons
// and the goods categories of the traders; the aspects a weapon strikes
// with and which of two weapons is the better.
#pragma once

#include <cstdint>

struct ObjectRecord;

// Item sub-kinds of weapons.
constexpr uint8_t SUBCLASS_LAUNCHER = 5;  // a bow
constexpr uint8_t SUBCLASS_MISSILE = 6;   // an arrow

// A bow or the like: sub-kind 5, or a weapon (not an arrow) of a "BOW" skill.
bool obj_is_missile_weapon(const ObjectRecord& record);
// A weapon held in the hand: no launcher, no arrow, no plain rock or stone.
bool obj_is_hand_weapon(const ObjectRecord& record);
// An arrow, or a hand weapon that is not a staff.
bool obj_is_throwing_weapon(const ObjectRecord& record);
// Whether an item belongs to the goods a trader asks for by flags.
bool obj_matches_goods_category(int flags, const ObjectRecord& record);

// The aspects of a weapon: the strongest (among equal values the later of
// blunt, edge and point), one drawn among those it has, and its attack
// class. Indexes 0 blunt, 1 edge, 2 point; codes 0, 2, 4.
struct AspectChoice {
    int32_t best_value;
    int32_t best_index;
    int32_t best_code;
    int32_t random_index;
    int32_t random_code;
    int32_t attack_class;
};
AspectChoice obj_attack_aspects(int object_id);
AspectChoice record_attack_aspects(const ObjectRecord& record);
// 2 when the other weapon's strongest value is at least the held one's,
// else 1.
int obj_better_weapon(int held_id, int other_id);

// The attack class (low nibble) and defence class (high nibble).
inline int attack_class_of(uint8_t ad_class) { return ad_class & 0x0F; }
inline int defence_class_of(uint8_t ad_class) { return ad_class >> 4; }
