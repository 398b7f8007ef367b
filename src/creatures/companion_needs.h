// What the daily update asks of companions: their hunger, and a companion
// in need coming to talk to the player. Not built yet: no companion is
// hungry and none comes to talk.
#pragma once

// The needs of a companion: creatures/food_seeking.h.
#include "creatures/food_seeking.h"
// A creature in need comes to the player and opens a conversation; 1 when
// it did. Not built yet: 0.
int cre_come_to_talk(int slot);
