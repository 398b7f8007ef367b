// How the defender meets an attack: dodge, block with a weapon or shield,
// strike back, dodge a missile by moving, or nothing. A creature chooses
// by weighted draws from its skills and weapons, the player from the
// "Defense Maneuver" menu.
#pragma once

// Fills the combat state's work option with the defence of the combat
// state's defender against its attacker; a missile attack (the attack
// option's kind) is met only by a creature's dodge.
void NPCdefend();
// The part of it for a creature that is awake and sees its attacker's
// square: by its movement mode, its skills and weapons, and for an animal
// whether it is `aggressive`.
void creature_meets_attack(int creature, bool aggressive);
