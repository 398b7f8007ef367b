// Every blow that lands, and every other hurt with an impact (falls,
// traps, fire): the impact rolled in dice, the armour over the struck part
// taken off, the rest graded by the wound table of damage group, body part
// and force, the wound written into the victim's slots, and its effects
// rolled: bleeding, shock, stumbling, a dropped weapon, a lost limb, a
// fatal wound. Victims and inflicters are creature slots, -1 the player.
#pragma once

#include <cstdint>

// A graded wound.
struct WoundResult {
    uint8_t fumble_dice;
    uint8_t stumble_dice;
    uint8_t bleeding;  // 0-4
    uint8_t fatal_dice;
    uint8_t shock_dice;
    uint8_t amputation_dice;
    uint8_t grade;  // 1 light, 2 serious, 3 grievous
    int32_t injury_points;
};

constexpr int DAMAGE_GROUPS = 4;
constexpr int FORCE_STEPS = 4;
// The wound table: a cell of five characters at most, a grade letter (y
// light, o serious, r grievous) and up to two effects of a letter and a
// digit (F fumble, S stumble, E shock, B bleeding, A amputation, K fatal
// dice, which also give one more shock die). Group 3 (burns, frost) has
// no fourth step: its cells there are empty.
extern const char* const wound_table[DAMAGE_GROUPS][19][FORCE_STEPS];

// The damage group of a damage kind: 0 blunt (and any kind not named), 1
// cutting and tearing, 2 piercing, 3 burning and freezing.
int damage_group(int damage_kind);
// The force step of an effective impact in a group; -1 below 1.
int force_step(int group, int effective_impact);
// The effects of one cell, with no injury points drawn.
WoundResult parse_wound_cell(const char* cell);
// The wound of an effective impact on a body part, its injury points drawn
// by its grade.
WoundResult grade_wound(int damage_kind, int effective_impact, int body_part);

// The dice of a blow summed with its bonus; a deathblow's dice count 6
// each.
int RealImpact(int dice, int bonus, int deathblow);
// What a creature's worn items and its own hide stop at a body part of a
// kind of damage.
int cre_armour_at(int creature, int body_part, int damage_kind);
// Writes a wound into the victim's slots (nothing while the developer's
// no-damage switch is on, and nothing for the damage kinds that name no
// wound). The slot written, -1 when none.
int cre_record_wound(int victim, int damage_kind, int grade, int body_part, int side, int injury_points,
                     int bleeding);
// The whole hit. The inflicter is a creature slot, -1 the player, another
// negative value a cause that is no creature, or INFLICTER_HARMLESS for a
// hurt that neither kills outright nor makes a creature bleed.
void cre_inflict_wound(int victim, int damage_kind, int impact, int body_part, int side, int inflicter);
// The whole hit asks this of a village member who wounds the player: its
// village becomes the current one, and one that bears a grudge is counted
// against it (an assault, the incident's day and minute).
void village_member_hurt_player(int inflicter);
