// The task runner (Tee_Puuha, declared in creatures/creature_behaviour.h)
// and the services its tasks use.
#pragma once

#include <cstdint>

// A switch other code sets to keep a creature with news walking to the
// player rather than opening its talk.
extern int32_t talk_held_switch;

// 1 when the creature may fall asleep where it stands.
int cre_can_sleep_here(int creature);
// 1 when it took a piece of food lying within 50 squares.
int cre_seek_food_item(int creature);
// The creature and its group come to the player; 1 when the talk opened.
int cre_approach_and_talk(int creature);
