// The settlement builders: the layout of a village, a homestead, a
// fortified village or a camp on the working local map, by culture.
#pragma once

#include <cstdint>

void build_village(uint8_t culture);
void TeeUudistalo(uint8_t culture);
void build_fortified_village(uint8_t culture);
void build_camp_site();
