// Every attack of the game, from its first word to its last wound: the
// player's blows and kicks, throws and shots, and every creature's attack.
// It announces the attack, lets a missile fly, lets the defender choose,
// weighs both sides' skill, bonuses and penalties, rolls both, hands the
// grades to the exchange and applies what the exchange decided.
#pragma once

#include <cstdint>

struct ObjectRecord;

// Natural attack codes of the player's unarmed blows (hand 0).
constexpr int PLAYER_KICK = 3;
constexpr int PLAYER_PUNCH = 4;

// attacker: a creature slot or -1 the player; weapon: the object id in
// hand, of the missile, or a natural attack's code; hand 1 or 2 for a
// weapon, 0 unarmed; target: a slot or -1 (1000 is the player too);
// launcher: the launcher's (or thrown item's) object id, 0 in melee.
// 1 when the attack took place, 0 when its setup was declined.
int cre_resolve_attack(int attacker, int weapon, int hand, int target, int launcher);

// Whether the shield the struck creature (or the player, -1) holds covers
// the body part against a missile from (x, y).
bool shield_covers(int holder, int body_part, const ObjectRecord& shield, int from_x, int from_y);

// The foes next to the player (who -1; anyone else 0): creatures on the
// ground within one square that fight the player; mode 1 leaves out the
// fallen ones.
int plr_count_adjacent_fighters(int who, int mode);

// The level balance of two sides: when an effective level (level less
// penalty) is negative, both penalties are lowered by the shift that
// brings the sides back, neither below 0.
void balance_levels(int attacker_level, int& attacker_penalty, int defender_level, int& defender_penalty);
// The grade a defence of kind 15 (none) leaves of an attack grade.
int undefended_grade(int attack_grade);
