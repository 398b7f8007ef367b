// The shared record of the attack in progress: one side's action in an
// exchange (AttackOption), the nine bytes an exchange decides
// (ExchangeOutcome) and the one combat state that the attack setup, the
// defence choice, the missile flight and the exchange read and write. Each
// attack overwrites it; the defence option of the last attack stays
// readable for the defender's next turn. Nothing here goes to disk.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// Attack and defence kinds (option_kind).
constexpr int32_t OPTION_MELEE = 1;
constexpr int32_t OPTION_MISSILE = 3;
constexpr int32_t DEFENCE_BLOCK = 10;
constexpr int32_t DEFENCE_DODGE = 11;
constexpr int32_t DEFENCE_COUNTERSTRIKE = 12;
constexpr int32_t DEFENCE_MISSILE_DODGE = 13;
constexpr int32_t DEFENCE_SHIELD_COVER = 14;
constexpr int32_t DEFENCE_NONE = 15;

// Aspects of a weapon: the index an option keeps and the code the item
// values and the armour use.
constexpr int32_t ASPECT_INDEX_BLUNT = 0;
constexpr int32_t ASPECT_INDEX_EDGE = 1;
constexpr int32_t ASPECT_INDEX_POINT = 2;
constexpr int32_t ASPECT_CODE_BLUNT = 0;
constexpr int32_t ASPECT_CODE_EDGE = 2;
constexpr int32_t ASPECT_CODE_POINT = 4;

// Damage kinds of a hit.
constexpr int32_t DAMAGE_BLUNT = 0;
constexpr int32_t DAMAGE_CUT = 2;
constexpr int32_t DAMAGE_TEAR = 3;
constexpr int32_t DAMAGE_PIERCE = 4;
constexpr int32_t DAMAGE_BURN = 5;
constexpr int32_t DAMAGE_FREEZE = 6;
constexpr int32_t DAMAGE_BLUNT_ARROW = 7;

// An attack value of an item that has no such aspect.
constexpr uint8_t NO_ATTACK_VALUE = 200;

// Who holds the tactical advantage, and who cannot take part in a fight
// (an inflicter that is no creature and never kills or makes a creature
// bleed).
constexpr int32_t COMBAT_NOBODY = -1000;
constexpr int32_t INFLICTER_HARMLESS = -1001;

struct AttackOption {
    int32_t origin_x, origin_y;  // where the actor stood when the option was made
    int32_t option_kind;         // OPTION_* for an attack, DEFENCE_* for a defence
    ObjectRecord item;           // the weapon, missile or shield used; class 0 none
    int32_t launcher_id;         // a missile's launcher, or the thrown item; 0 in melee
    int32_t is_shot;             // 1 shot from a launcher, 0 thrown
    int32_t armed;               // the hand of the attack (non-zero: a weapon attack)
    int32_t impact;              // strike impact before the dice
    int32_t deathblow;           // handed to RealImpact
    int32_t impact_cap;          // highest impact the hit may deal
    int32_t max_dice;            // most impact dice
    int32_t zone_penalty;        // 0, or 1-3 for a blow aimed at a zone
    int32_t aspect_index;        // ASPECT_INDEX_*
    int32_t damage_kind;         // DAMAGE_*
    int32_t hit_part;            // body part struck
    int32_t hit_side;            // 1, 2; 3 unpaired
    uint8_t weapon_class;        // attack or defence class 0-6
    int32_t hand;                // hand used, 1 or 2
    int32_t skill_level;         // preset level; 0 looks it up by name
    char skill_name[100];
    char weapon_text[100];       // the weapon as messages name it
    char aspect_text[100];       // the attack noun key ("EDGE", "KICK", "BITE" ...)
    char part_text[100];         // the name of the part struck
    int32_t aim_zone;            // 0 head, 1 arms, 2 body, 3 legs; a helpless target's part
    int32_t dice_class;          // 1 no dice, 2 one to four, 4 five or more, 3 unset
    int32_t helpless;            // cre_target_helpless of the attack
};

struct ExchangeOutcome {
    uint8_t attacker_strike;  // impact dice of the attacker's hit
    uint8_t defender_strike;  // impact dice of the defender's counter-hit
    uint8_t blocked;
    uint8_t attacker_stumble;  // dice of the stumble checks
    uint8_t defender_stumble;
    uint8_t attacker_fumble;  // dice of the fumble checks
    uint8_t defender_fumble;
    uint8_t missed;
    uint8_t clash;  // strength of the weapons' contact; 0 they did not meet
};
static_assert(sizeof(ExchangeOutcome) == 9, "an exchange decides nine bytes");

struct CombatState {
    int32_t attacker;      // creature slot, -1 the player
    int32_t defender;      // creature slot, -1 the player
    int32_t aimed_target;  // the defender when a missile left
    AttackOption work_option;
    AttackOption attack_option;
    AttackOption defence_option;

    // What the missile flight found.
    int32_t struck_creature;  // -1 the player, COMBAT_NOBODY none
    int32_t reached_creature;
    int32_t passed_target;
    int32_t hit_quality;  // 0-100
    int32_t missile_grade;
    int32_t missile_defence_grade;
    int32_t missile_dodge;  // 0 none, 1 dodged by moving, 2 moving target, 3 size or location
    int32_t passed_defence_grade, passed_hit_quality, passed_missile_dodge;
    int32_t kinetic;
    int32_t flown_length, planned_length;
    int32_t hit_obstacle, stopped_at_contour, too_far;
    int32_t missile_id;
    int32_t landing_x, landing_y;
    int32_t launch_grade;    // the grade of the launch roll
    int32_t aim_modifier;    // an aiming modifier was active
    int32_t blunt_missile;   // the missile strikes with its blunt aspect
    char narration[1024];

    // The exchange's switches: no combat sounds at all.
    uint8_t quiet;

    // The player's last choices, reused by the repeat-attack command while
    // the target's helpless state stays the same.
    int32_t repeat_attack;
    int32_t last_aspect_index;
    int32_t last_zone;
    int32_t last_helpless;
    // Set while the attack setup prepares a defender's counterstrike.
    int32_t counterstrike_setup;
};

extern CombatState combat;
extern ExchangeOutcome exchange_outcome;
// The missile-dodge kind of the last defence choice: 0 none, 1 or 2.
extern int32_t missile_dodge_kind;

// An empty option: no item, impact cap 99, three dice, aimed at the body,
// its kind still to be set.
void clear_attack_option(AttackOption& option);
// The per-game reset: no attack in progress, nothing remembered.
void reset_combat_state();
