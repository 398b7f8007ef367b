// The current village.
#pragma once

#include <cstdint>

constexpr int32_t NO_VILLAGE = -1000;
// Id of the village whose record is loaded; NO_VILLAGE when none.
extern int32_t current_village_id;
// Forgets the current village: id NO_VILLAGE and its record cleared.
void clear_current_village();
