// Exertion, fatigue and movement speed. Whatever a body does is classed by
// exertion (0 sleep up to 10 extreme), and time spent at a class drains
// energy, builds or rests off fatigue and, for the player, raises sleep
// need and thirst, empties the stomach and moves the body temperature. The
// speed of a body follows from its walking speed, penalties, legs, snow
// and travel mode. Each takes a creature slot, -1 the player.
#pragma once

#include <cstdint>

// The exertion classes the game sets by name.
constexpr int EXERTION_SLEEP = 0;
constexpr int EXERTION_RESTFUL = 1;
constexpr int EXERTION_EASY = 2;
constexpr int EXERTION_HEAVY = 6;
constexpr int EXERTION_VERY_HEAVY = 7;
constexpr int EXERTION_EXTREME = 10;

// The player's running is hampered (halves a run) and the player is slowed
// (1 a little, 2 strongly); set by whatever hinders the player, cleared
// with each game.
extern uint8_t plr_running_hampered;
extern uint8_t plr_slowed;
void reset_exertion_state();

void cre_set_exertion(int creature, int exertion_class);
// "sleep", "restful", "easy" ... "extreme"; "" for 8, 9 and unknown
// classes (ring text).
const char* exertion_word(int exertion_class);
// The same word as the long-task window asks for it.
inline const char* effort_word(int exertion_class) { return exertion_word(exertion_class); }
// Load per point of endurance, rounded up; a creature adds its fatigue rate.
int cre_load_factor(int creature);
// Fatigue by the body's exertion class over one call (divisor d: the turn
// loop's calls are d = 1).
void cre_update_fatigue(int creature, int divisor);
// The needs over t time units at the body's exertion class.
void cre_spend_energy(int creature, int units);
// What snow leaves of a walker's speed: 0.1 .. 0.9 for the player and
// people; 0.1 .. 1 for a creature by its height.
float plr_snow_speed_share(int snow_depth);
float cre_snow_speed_share(int creature, int snow_depth);
// The exertion class of wading through snow of the depth.
int cre_exertion_in_snow(int creature, int snow_depth);
// The speed in tenths of km/h now; -1 when the penalties reach 100.
int cre_movement_speed(int creature);
