// What the daily update asks of companions: their hunger, and a companion
// in need coming to talk to the player. Not built yet: no companion is
// hungry and none comes to talk.
#pragma once

// The needs of a companion: creatures/food_seeking.h.
#include "creatures/food_seeking.h"
// A creature in need coming to talk: creatures/villager_routines.h.
#include "creatures/villager_routines.h"
