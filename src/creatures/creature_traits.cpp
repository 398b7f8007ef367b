#include "creatures/creature_traits.h"

#include "base/stubs.h"

float cre_crust_load_factor(int) { KSM_STUB("cre_crust_load_factor"); return 1.0f; }
int cre_body_height(int) { KSM_STUB("cre_body_height"); return 0; }
