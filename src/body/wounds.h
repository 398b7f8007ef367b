// Body parts and wounds. Every body, the player's and each creature's,
// carries up to 20 wounds and ailments in parallel byte columns of its
// record: where a blow lands, what a wound is called, how a wound or an
// ailment enters the player's slots, how it heals, the cap on the player's
// wound total, and how badly wounds spoil a carcass.
#pragma once

#include <cstddef>
#include <cstdint>

struct PlayerRecord;
struct CreatureRecord;

// Body-part codes.
enum BodyPart {
    PART_SKULL = 0, PART_EYE, PART_FACE, PART_NECK, PART_SHOULDER, PART_UPPER_ARM, PART_ELBOW,
    PART_FOREARM, PART_HAND, PART_THORAX, PART_ABDOMEN, PART_HIP, PART_GROIN, PART_THIGH,
    PART_KNEE, PART_CALF, PART_FOOT, PART_TAIL, PART_WING,
};
constexpr int BODY_PART_COUNT = 19;

// Sides of a hit: 1 right, 2 left (0 also reads as left), 3 none.
constexpr uint8_t SIDE_RIGHT = 1;
constexpr uint8_t SIDE_LEFT = 2;
constexpr uint8_t SIDE_NONE = 3;

// Wound kinds 1..6 (severity 1..3); ailments are kinds 10..100 (severity
// 1..5); 0 is a free slot.
constexpr int WOUND_BLUNT = 1;
constexpr int WOUND_CUT = 2;
constexpr int WOUND_PUNCTURE = 3;
constexpr int WOUND_BURN = 4;
constexpr int WOUND_FROST = 5;
constexpr int WOUND_BITE = 6;
constexpr int AILMENT_FIRST = 10;
constexpr int AILMENT_LAST = 100;
constexpr int AILMENT_ALTERED_CONSCIOUSNESS = 25;
inline bool is_ailment_kind(int kind) { return kind >= AILMENT_FIRST && kind <= AILMENT_LAST; }

// The player's seven wound columns, in the order the record keeps them.
enum PlayerWoundColumn { PW_SEVERITY = 0, PW_SIDE, PW_BLEEDING, PW_PART, PW_KIND, PW_DAMAGE, PW_CARE };
// A creature's six, in the order its record keeps them.
enum CreatureWoundColumn { CW_KIND = 0, CW_SEVERITY, CW_PART, CW_DAMAGE, CW_BLEEDING, CW_SIDE };
constexpr int WOUND_SLOTS = 20;

// One slot read as a whole; a creature's care reads as 4.
struct WoundView {
    uint8_t kind, severity, part, damage, bleeding, side, care;
};

// The side of the last hit (roll_body_part_hit sets it, plr_add_wound
// reads it) and its copy for the combat messages.
extern uint8_t last_hit_side;
extern uint8_t combat_hit_side;
// One shot: the next roll_body_part_hit takes its zone argument as the
// part an attack aimed at.
extern uint8_t aimed_part_flag;
// The body's per-game state above back to its start.
void reset_body_state();

// True for the parts that come in pairs and take a side.
bool is_paired_part(int part);
// The display name of a part of a body (-1 the player): animals, hoofed
// animals and birds have their own names ("BODYPART:%s"). Ring text.
const char* body_part_name(int part, int creature);
// Where a blow in a zone 0..3 (head high to legs) lands on the body
// (-1 the player); zone 1000, or any other zone, takes `part` and draws
// only the side. Always a part 0..18. Sets the last-hit side.
int roll_body_part_hit(int zone, int creature, int part);

// "Shallow cut in right hand", or an ailment's name (ring text).
const char* wound_name(int kind, int part, int severity, int side);
// A slot as the injury lists show it (ring text; "" for a free slot).
const char* wound_description(int creature, int slot);
// A slot of a body (-1 the player) as a whole; all zero for a bad slot.
WoundView wound_view(int creature, int slot);

// The wound kind of a damage kind: 0, 1 and 7 blunt, 2 cut, 3 bite, 4
// puncture, 5 burn, 6 frost; ailment kinds as they are; -1 for any other
// (8 and 9 among them), which writes nothing.
int wound_kind_of_damage(int damage_kind);
// Gives the player a wound or an ailment: an ailment already there grows,
// frost on the same part and side deepens, anything else takes the first
// free slot (slot 19 when all are used). Answers the slot, -1 when the
// damage kind is refused. The fourth argument is not used.
int plr_add_wound(int damage, int part, int severity, int unused, int damage_kind);
// Heals a slot by an amount; an untreated wound (care 0) or one healed out
// is cleared, with its message and the pause.
void plr_heal_wound(int slot, int amount);
// Caps the blood loss at twice the endurance (flag 0 first stops every
// bleeding) and heals the wounds slot by slot while their damage sums to
// more than 90; the wound total becomes that sum.
void plr_limit_wound_total(int keep_bleeding);
// The sum of the damage column of the player's used slots.
int plr_wound_damage_sum();

// How badly a dead creature's wounds spoil its carcass, 0..100 percent; from
// 4 the word for it goes into out ("" below). 0 for the player.
int carcass_damage(int creature, char* out, size_t cap);

// A loaded record's wound slots must make sense: part 0..18 and kind 1..6
// with severity 1..3, or kind 10..100 with severity 1..5. A bad slot is
// cleared (its damage and bleeding leave the player's totals) and logged;
// answers the number cleared.
int check_player_wound_slots(PlayerRecord& rec);
int check_creature_wound_slots(CreatureRecord& rec);
