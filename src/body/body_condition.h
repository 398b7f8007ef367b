// The body's condition in the few numbers every action consults: what it
// carries and weighs, its penalties (injury, fatigue, starvation, carrying)
// and their sum, its speeds and states, how impaired each limb group is,
// whether the legs carry it, whether an action's physical needs can be
// met, and the words that tell the player why things go badly. Each takes
// a creature slot, -1 the player.
#pragma once

#include <cstdint>

// Distinct ids of the carried items marked unpaid (ownflag 0x01) and taken
// unseen (ownflag 0x02), and of such items that the player's companions and
// animals carry; a 0 ends each list. The player's load computation rebuilds
// all three.
constexpr int FLAGGED_ITEM_SLOTS = 100;
extern int32_t carried_unpaid_items[FLAGGED_ITEM_SLOTS];
extern int32_t carried_taken_items[FLAGGED_ITEM_SLOTS];
extern int32_t party_flagged_items[FLAGGED_ITEM_SLOTS];

// The carried load in pounds. The player's goes into the record with the
// free allowance of worn clothing and the lists above; a creature's into
// its load byte (at most 255).
float cre_compute_load(int creature);
// Body weight and load in pounds; the player's is halved while skiing or
// lying down.
int cre_total_weight_lb(int creature);
// A creature's own weight (kept in kilograms) in whole pounds.
int cre_body_weight_lb(int creature);
// The carrying penalty 0..100: 100 above one and a half times the body
// weight, else twice the load beyond the allowance per point of endurance.
int cre_carry_penalty(int creature);
int cre_fatigue_rounded(int creature);
// One penalty: kind 1 injury, 2 fatigue, 3 starvation (the player's only),
// 4 carrying; 0 for any other kind. And kinds 1 to 4 added.
int cre_penalty(int creature, int kind);
int cre_penalty_sum(int creature);
// (wound total + fatigue rounded up) / 10.
int cre_shock_level(int creature);

// Speeds in tenths of km/h.
int cre_walk_speed(int creature);
int cre_run_speed(int creature);
int cre_is_running(int creature);
// Shocked or fainted; helpless also a creature asleep.
int cre_is_stunned(int creature);
int cre_is_helpless(int creature);

// Limb groups and sides.
constexpr int LIMB_LEGS = 1;
constexpr int LIMB_ARMS = 2;
constexpr int LIMB_HANDS = 3;
constexpr int LIMB_RIGHT = 1;
constexpr int LIMB_LEFT = 2;
// 0..1: how badly the wounds on a side impair a limb group.
float cre_limb_impairment(int creature, int group, int side);
// 0..1: how badly the body's legs (a flyer's wings) are impaired; 1 means
// it cannot move on its own.
float cre_locomotion_disability(int creature);
// "limping slightly" .. "unable to walk" by the disability; "" below 0.15.
const char* leg_injury_word(int creature);
// A fallen body gets up when its legs allow it; 1 when it did.
int cre_try_rise(int creature);

// Physical requirement flags of an action.
constexpr int PHYSREQ_STANCE = 1;
constexpr int PHYSREQ_ONE_ARM = 2;
constexpr int PHYSREQ_BOTH_ARMS = 4;
constexpr int PHYSREQ_ONE_HAND = 8;
constexpr int PHYSREQ_BOTH_HANDS = 16;
constexpr int PHYSREQ_EITHER_SIDE = 32;
constexpr int PHYSREQ_STANCE_SLOWS = 64;
// The flags a requirement text names ("stance", "arm", "arms", "hand",
// "hands", "one-").
int parse_physical_requirements(const char* text);
// 1 when the body can't do the action (the player is told why); 0 when it
// can, possibly slowly: then physreq_slow is set for the caller to lengthen
// the task. difficulty/25 adds to the impairment.
int check_physical_requirements(int creature, int flags, int difficulty, const char* action_words);
extern uint8_t physreq_slow;

// Penalty bits of the wordings: 2 wounds, 4 fatigue, 8 starvation, 16 load.
constexpr int PENALTY_BIT_WOUNDS = 2;
constexpr int PENALTY_BIT_FATIGUE = 4;
constexpr int PENALTY_BIT_STARVATION = 8;
constexpr int PENALTY_BIT_LOAD = 16;
constexpr int PENALTY_BITS_ALL = 30;
// "due to being wounded and being fatigued" ... naming the largest of the
// chosen penalties; "" when none applies (ring text).
const char* plr_penalty_wording(int bits);
// "&Your stealth expertise is slightly lowered due to ..." when the
// penalties weigh on the skill; "" when they hardly do or the player lacks
// the skill (ring text).
const char* plr_skill_impairment_wording(const char* skill);
