// What eaten plants do once an hour: poisons and irritants become
// ailments, a psychoactive plant brings dreams, a stimulant lifts the sleep
// need, nausea and stomach aches make the player throw up or double up.
#pragma once

#include <cstdint>

// Bits of the player's food effects (bit i is herb effect i).
constexpr uint32_t FOOD_PSYCHOACTIVE = 1u << 0;
constexpr uint32_t FOOD_NAUSEA = 1u << 1;
constexpr uint32_t FOOD_STIMULANT = 1u << 2;
constexpr uint32_t FOOD_APPETIZING = 1u << 3;
constexpr uint32_t FOOD_DEADLY_POISONOUS = 1u << 4;
constexpr uint32_t FOOD_POISONOUS = 1u << 5;
constexpr uint32_t FOOD_GUT_IRRITATING = 1u << 6;
constexpr uint32_t FOOD_ANTIEMETIC = 1u << 7;
constexpr uint32_t FOOD_SOOTHES_STOMACH = 1u << 8;  // spares the fall of a stomach ache
constexpr uint32_t FOOD_QUENCHING = 1u << 9;
constexpr uint32_t FOOD_EXHAUSTING = 1u << 18;

// Ailment kinds the food leaves.
constexpr int AILMENT_NAUSEA = 20;
constexpr int AILMENT_STOMACH_ACHE = 21;
constexpr int AILMENT_POISONING = 22;
constexpr int AILMENT_POISONING_2 = 23;
constexpr int AILMENT_DEADLY_POISONING = 24;
constexpr int AILMENT_DEADLY_POISONING_2 = 26;

// The hourly pass over the player's food effects and the ailments they
// left.
void apply_herb_effects();
// The player may throw up: the stomach empties and thirst grows by 300.
void plr_vomit_check();
// One hour under a psychoactive plant.
void plr_trance_step();
