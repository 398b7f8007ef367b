#include "society/villages.h"

int32_t current_village_id = NO_VILLAGE;

// Not built yet: there is no village record to clear beyond the id.
void clear_current_village() { current_village_id = NO_VILLAGE; }
