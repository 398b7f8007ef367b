// The player's combat commands: kick "0", attack with the first or the
// second weapon "1" and "2", punch "9", and "3" repeating the last of
// them; and the menu that sets how a shield is held. (The skill command is
// plr_use_skill_command, body/skills.h.)
#pragma once

#include <cstdint>

#include "body/body_condition.h"

// The creature the player fights this turn; -1 none (set every command).
extern int32_t combat_reference;
// The key of the last attack command, which "3" repeats.
extern uint8_t last_attack_key;
// Set when an attack command used up the player's action.
extern int32_t attack_action_taken;

// Serves an attack key: the attack's result, or the key itself for any
// other key. An attack that took place takes the turn.
int plr_attack_command(int key);
// 1 strike with the first weapon, 2 with the second, 3 kick, 4 punch: 1
// when an action was carried out.
int plr_melee_attack(int kind);
// How the shield is held against missiles: none, centre, high or side.
void plr_shield_menu();
