// The makers of particular creatures that the villages, quests and spirits
// ask for: each fills the working creature record with the template of its
// kind, as creature_template does.
#pragma once

#include "creatures/creature_queries.h"

constexpr int KIND_SHEEP = 616, KIND_DOG = 618, KIND_REINDEER = 619;
constexpr int KIND_FOREST_MAID = 700, KIND_WATER_FOLK = 701, KIND_FOREST_SPIRIT = 702;

inline void make_dog_creature() { creature_template(KIND_DOG); }
inline void make_sheep_creature() { creature_template(KIND_SHEEP); }
inline void make_reindeer_creature() { creature_template(KIND_REINDEER); }
inline void make_forest_maid_creature() { creature_template(KIND_FOREST_MAID); }
inline void make_water_folk_creature() { creature_template(KIND_WATER_FOLK); }
inline void make_forest_spirit_creature() { creature_template(KIND_FOREST_SPIRIT); }
