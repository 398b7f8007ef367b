// The needs the body piles up (sleep, food, water) told to the player, and
// what they lead to: collapsing, falling asleep, dying of thirst, starving.
#pragma once

#include <cstdint>

constexpr int CAUSE_THIRST = -102;
// Herb-effect bit that keeps starvation away.
constexpr uint32_t FOOD_EFFECT_NO_STARVATION = 1u << 14;

// How much the player wants to eat, 0..255: the room in the stomach,
// enlarged while the energy reserve is low.
int hunger_level();
// Tells the player of sleep need, hunger and thirst and lets them take
// their toll. Unforced it speaks at most every 15 game minutes; forced it
// speaks at once and never knocks the player down.
void plr_needs_report(int force);
// The hourly starvation check: a reserve below 200 makes starvation grow,
// one of 1200 or more lets it heal.
void starvation_check();
// The game minute of the last report back to its start (per game).
void reset_needs_state();
extern int32_t last_needs_report_minute;
