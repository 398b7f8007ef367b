// A creature that fights: it turns on a target, flees, and after every
// wound checks its morale to go on or to run. Targets are creature slots or
// -1 the player; a creature without a target has fight_target
// FIGHT_TARGET_NONE with target_ref 0.
#pragma once

#include <cstdint>

// The aggression byte (bfagg) of a villager on an errand against the
// player.
constexpr uint8_t BFAGG_THIEF = 0x01;       // pursues a thief
constexpr uint8_t BFAGG_DRIVE_AWAY = 0x02;  // drives the player away
constexpr uint8_t BFAGG_VIOLENCE = 0x04;    // punishes violence
// A robber (cre_status).
constexpr uint8_t CRE_STATUS_ROBBER = 20;

// The target, its square and its identity (the player 0xFFFF).
void cre_set_target(int creature, int target);
// Turns the creature on the target for `count` attack steps (0: 255).
void cre_begin_attack(int creature, int target, int count);
// Puts the creature to flight from whom (force: even a companion); 0 when
// refused.
int cre_begin_escape(int creature, int from_whom, int force);
// After a wound: the victim fights on or flees (wounds: the wounds just
// taken).
void cre_morale_check(int victim, int attacker, int wounds);
// One turn of a creature set on its target (move mode 2 or 99): it closes
// in and strikes; non-zero when the turn was used.
int cre_attack_turn(int creature);
// The target's square brought up to date from where it stands; the
// distance in squares (the larger of the two), -1 when the target is gone.
int cre_update_target_distance(int creature);
// The player's foe for good: a robber, or a villager on an errand against
// the player (the player, -1, counts too). A wild animal fighting the
// player is not counted.
bool cre_hostile_to_player(int creature);
// It stops fighting: its former movement, no target, no village errand.
void cre_calm_down(int creature);
// The dogs that fight beside it calm down too.
void cre_call_off_dogs(int creature);
// Whether the target's square is a valid creature of the map (the slot
// confirms the remembered identity).
bool cre_target_valid(int creature);
// Its current task is dropped, unless it is one a fight does not take
// away (eating a carcass, hunting, and the two that end by themselves).
void cre_drop_task_for_fight(int creature);
