#include "creatures/creature_turns.h"

// Not built yet: nothing reads the counter so far.
int32_t cre_update_counter = CRE_UPDATE_COUNTER_START;
