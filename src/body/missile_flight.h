// The flight of a thrown or shot missile: from the attacker toward the
// defender's square, what it passes, what it strikes and where it lands.
// The combat state keeps what it found (struck_creature, reached_creature,
// hit_quality, kinetic, landing square, narration ...).
#pragma once

struct ObjectRecord;

// launcher: the launcher's object id, -1 when thrown.
void fly_missile(int attacker, int defender, const ObjectRecord& missile, int launcher);
