// Before an attack is rolled: which aspect of the weapon strikes, or which
// natural attack, how many impact dice it may roll, the damage kind, the
// skill to roll and where the blow is aimed. The player picks the aspect
// and the aiming zone from menus; creatures take them from their weapons
// and their own attacks.
#pragma once

// Aiming zones, and the parts a helpless target is struck at.
constexpr int ZONE_HEAD = 0, ZONE_ARMS = 1, ZONE_BODY = 2, ZONE_LEGS = 3;

// What the target can do about the attack: 0 it fights back, 1 it sleeps
// or lies senseless (a deathblow), 2 the player's leashed animal (to be
// butchered). The player next to fighters has no time for either.
int cre_target_helpless(int attacker, int defender);
// Whether the creature's injuries still allow its natural attack in a
// slot (0-2).
bool cre_natural_attack_usable(int creature, int slot);
// A random named, usable natural attack slot; 1000 when none.
int cre_choose_natural_attack(int creature);

// Fills the combat state's work option for an attack with a weapon (its
// object id, held in hand 1 or 2) or, with hand 0, a natural attack (its
// slot; for the player 4 a punch, else a kick). A launcher id makes it a
// missile attack. 0 when the player cancelled a choice (no time passes).
int cre_prepare_attack(int attack, int attacker, int hand, int defender, int launcher);
