// The flight of a thrown or shot missile: the launch roll and its accuracy,
// the missile's speed and drag, the tests at each cell on the way (who is
// hit, what stops it), the force of the hit, and the wear of a bowstring.
// The combat state keeps what it found (struck_creature, reached_creature,
// hit_quality, kinetic, landing square, narration ...).
#pragma once

struct ObjectRecord;

// launcher: the launcher's object id, below 1 when thrown.
void fly_missile(int attacker, int defender, const ObjectRecord& missile, int launcher);

// 20 - weight x 0.5, at least 1.
float GetMissileVelocity(const ObjectRecord& item);
// The air resistance of an item (per mille of its speed lost a step).
float missile_aero(const ObjectRecord& item);
// The chance base 0-100 of hitting a creature by its size (-1 the player).
int cre_missile_target_size(int creature);
// "MISSILE_HITS_OBSTACLE" (when in view); an arrow breaks 1 in 15, else the
// missile lands on the obstacle's cell.
void missile_hits_obstacle();
// "CANT_THROW_PAST_CONTOUR".
void missile_blocked_by_contour();

// The accuracy of the last launch (0-100) and its grade (0-3).
extern int missile_accuracy;

// The per-game reset of the missile state.
void reset_missile_state();
