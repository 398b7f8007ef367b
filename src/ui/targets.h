// Choosing targets and locations on the map. Not built yet.
#pragma once

#include <cstdint>

extern int32_t target_x, target_y;
// The chosen cell's terrain code, 0 when cancelled.
int choose_target_location(int mode, const char* prompt);
