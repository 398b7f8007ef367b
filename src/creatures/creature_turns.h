// Creature turns on the current map.
#pragma once

#include <cstdint>

// Counts down between the creature table's periodic updates; every new
// game starts it again from CRE_UPDATE_COUNTER_START.
constexpr int32_t CRE_UPDATE_COUNTER_START = 100;
extern int32_t cre_update_counter;
