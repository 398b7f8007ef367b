// How a creature of the current map walks: one step towards a square, a
// turn's walk set by its speed, walking on along its heading, following
// whoever it follows, and trying a walk out without moving anything. Every
// move goes through the movement step Liikkuminen (creature_queries.h),
// asked first and then told to move.
#pragma once

#include <cstdint>

constexpr int TRAIL_LENGTH = 20;

// Switches of the developer console: nothing of the creatures moves; the
// step choice prefers roads and tracks.
extern int32_t creatures_frozen;
extern int32_t alternative_pathing;
// Set while a walk is only tried out (cre_can_reach_place): a step then
// leaves no tracks, sounds or broken ice behind.
extern int32_t movement_trial;

// One step of the creature towards (tx, ty): 1 when it stands on the target
// afterwards, or next to a target square it cannot enter.
int askel_kohti_paikkaa(int tx, int creature, int ty);
// The creature's walk of one turn (1 to 3 steps by its speed against the
// player's): 1 when a step reached the target. A creature already on the
// target answers 1 and stays.
int Kulje_Paikkaan(int creature, int x, int y);
// Walks on along the heading (the map record's creature): 1 when the square
// ahead was open, 0 when it is barred.
int Elain_Eteenpain(int map_index);

// The trail of the last 20 squares stepped on.
void cre_clear_trail(int creature);
void cre_push_trail(int creature, int x, int y);
// A failed step shortens the trail so that a creature boxed in by its own
// steps gets free again.
void cre_thin_trail(int creature);

// Mode 1: a step towards the leader when too far (1 when it stepped); mode
// 2: 1 when too far and on open water or a tight follower; other modes: 1
// when it follows at all.
int cre_follow_leader(int creature, int mode);
// 1 when a walk of up to 100 steps would bring the creature within one
// square of (x, y); the map and the creature are left as they were (only
// its trail stays cleared).
int cre_can_reach_place(int creature, int x, int y);

// A place of its own (a map record of kind 85 within 200 squares) becomes
// the target of a walk of 100 turns in the creature's first free task slot;
// 1 when queued.
int cre_go_to_favourite_place(int creature);
// The creature's main activity and its four values cleared.
void cre_clear_main_task(int creature);

// The per-game reset: the console switches and the held talk off.
void reset_creature_steps();
