// Companions' needs: creatures/food_seeking.cpp and creatures/villager_routines.cpp.
#include "creatures/companion_needs.h"
