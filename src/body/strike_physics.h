// What two weapons do to each other when they meet: a physical strike
// profile of a weapon from its item record (material, contact areas, the
// area a blow can destroy, the swing's velocity), the wear the kinetic
// energy of a blow deals to each, and the wear or breaking of the weapons
// in the fighters' hands after an exchange in which they clashed.
#pragma once

#include <cstdint>

struct ObjectRecord;

// Materials of a strike profile.
constexpr int32_t HARDNESS_WOOD = 20, HARDNESS_IRON = 255, HARDNESS_STONE = 5;

// The profile of one weapon for one attack aspect (0 blunt, 2 edge, 4
// point). Areas are at least 1.
struct StrikeProfile {
    int32_t hardness;
    int32_t strike_area;     // contact area when striking
    int32_t block_area;      // contact area when blocking or struck
    int32_t item_area;       // area of the item a blow can destroy
    int32_t material_value;  // carried along, not compared
    int32_t toughness;       // force per area the material withstands
    int32_t max_damage_pct;  // the most of the item one blow can destroy
    int32_t aspect_value;    // the item's attack value for the aspect
    float velocity;          // velocity factor of the swing
};

StrikeProfile weapon_strike_profile(const ObjectRecord& record, int aspect);

// The wear of both weapons when the attacker's weapon strikes the blocker's
// with the aspect at a clash grade 0-4: "[AD:n]" for the attacker's
// weapon and "[BD:n]" for the blocker's, in percent, joined by a blank;
// a tag is absent when its weapon takes no damage. Ring text.
const char* weapon_clash_damage(int attacker_weapon, int blocker_weapon, int aspect, int clash_grade);
// The same for two records, as weapon_clash_damage compares them.
const char* weapon_clash_damage_of(const ObjectRecord& attacker_weapon, const ObjectRecord& blocker_weapon,
                                   int aspect, int clash_grade);

// After an exchange whose weapons clashed: the defender's weapon, then the
// attacker's, wear by their tags (nothing when WEAPON_DAMAGE is "NO" or
// either hand is empty). A weapon that gives out leaves the hand with
// "BREAK_DO"; one that holds keeps its wear in a record of its own, so
// that identical items elsewhere keep theirs.
void cre_weapon_break_check(int attacker, int attacker_hand, int aspect, int clash_grade, int defender,
                            int defender_hand);
