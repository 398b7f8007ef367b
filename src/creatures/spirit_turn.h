// The spirits' turn (spirit_creature_turn, declared with the other turns in
// creature_queries.h) and the player's marks of meeting them.
#pragma once
#include <cstdint>

// Bits of the player's `forest_maids` byte: the maid met, her gift given
// (once a character).
constexpr uint8_t MAIDS_MET = 0x02;
constexpr uint8_t MAIDS_GIFT_GIVEN = 0x04;
// Bits of the player's `plr_deed_flags`: the water spirit seen, the forest
// spirit seen or spoken to.
constexpr int32_t DEED_WATER_SPIRIT_SEEN = 0x04;
constexpr int32_t DEED_FOREST_SPIRIT_MET = 0x10;
