// What armour protects: the protection of the player's worn armour at a
// body part, and of the current object record (an armour item loaded as the
// current object). Attack aspects: 0 blunt, 1 squeeze, 2 edge, 3 tear,
// 4 point, 6 warmth, 1000 the mean of the five attack aspects. Body parts
// 0-16 in the order of the coverage bits (0-7 the first coverage byte, 8-15
// the second, 16 on the third).
#pragma once

#include <cstdint>

constexpr int ASPECT_BLUNT = 0, ASPECT_SQUEEZE = 1, ASPECT_EDGE = 2, ASPECT_TEAR = 3, ASPECT_POINT = 4,
              ASPECT_WARMTH = 6, ASPECT_AVERAGE = 1000;

// The sum of the protection of the player's worn items covering the part.
int plr_protection_at(int body_part, int aspect);
// The current object's protection against the aspect, by its quality grade
// and the share of its whole weight left, rounded up. Aspects 5 and 7 read
// the sixth and the first value as 6 and 0 do; any other aspect gives 0.
int object_protection(int aspect);
// The current object's coverage bits: bit i covers body part i.
uint32_t current_object_coverage();
