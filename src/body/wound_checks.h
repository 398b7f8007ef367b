// What a wound or an exchange sets off in the body that takes it: a
// stumble, shock, a fatal wound, a limb lost or a weapon dropped, each a
// check of one attribute against six-sided dice, harder by the victim's
// wounds and fatigue; and the falls and fainting they lead to. The victim
// is a creature slot or -1 the player.
#pragma once

// The victim keeps its feet when its agility (the player's halved on
// skis) reaches the condition penalty plus n dice; else it falls (1). A
// victim that is down already does nothing (0); with n 0 the answer is
// whether it could still stumble (1), without a roll.
int cre_stumble_check(int victim, int dice, int show);
// Endurance against the dice: a failure knocks the victim out (1); else a
// creature cries out in pain (with show).
int cre_shock_check(int victim, int dice, int show);
// Endurance against the dice alone (0 for 99 dice, a beheading): a failure
// is a fatal wound and the victim dies (1).
int cre_fatal_wound_check(int victim, int dice);
// The victim's weight in tenths (kilograms, rounded up for a creature)
// against the dice: a failure takes the part off (1).
int cre_amputation_check(int victim, int dice);
// Dexterity against the dice for a victim holding a weapon: a failure
// drops it from the hand (1 the first, 2 the second, 0 both; 3 none).
int cre_fumble_check(int victim, int dice, int hand);
// Drops what the hand holds (0 both hands) to the ground at the victim.
void cre_fumble_drop(int victim, int hand);

// Falls: kind 1 stumbles, any other falls prone; a creature in the air
// drops to the ground instead.
void cre_fall_down(int fighter, int kind);
// The body faints (and drops what it holds); answers 1.
int cre_faint(int fighter);

// How the player dies of a wound (the game's death; tests put their own
// here).
extern void (*player_dies_of_wound)();
