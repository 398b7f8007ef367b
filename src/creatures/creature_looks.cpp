#include "creatures/creature_looks.h"

// Not built yet: no creature table, so no picture, no states and no flags.
const char* cre_avatar_name(int creature) { return ""; }
int creature_activity(int creature) { return 0; }
int creature_altitude(int creature) { return 0; }
int creature_body_state(int creature) { return 0; }
int creature_size_value(int creature) { return 25; }
int creature_drawn_by_size(int creature) { return 0; }
int creature_coat(int creature) { return 0; }
int creature_is_hidden(int creature) { return 0; }
int player_is_hiding() { return 0; }
int player_is_running() { return 0; }
