#include "creatures/creature_looks.h"

#include "base/stubs.h"
#include "game/player.h"

// Not built yet: no creature table, so no picture, no states and no flags.
const char* cre_avatar_name(int creature) { KSM_STUB("cre_avatar_name"); return ""; }
int creature_activity(int creature) { KSM_STUB("creature_activity"); return 0; }
int creature_altitude(int creature) { KSM_STUB("creature_altitude"); return 0; }
int creature_body_state(int creature) { KSM_STUB("creature_body_state"); return 0; }
int creature_size_value(int creature) { KSM_STUB("creature_size_value"); return 25; }
int creature_drawn_by_size(int creature) { KSM_STUB("creature_drawn_by_size"); return 0; }
int creature_coat(int creature) { KSM_STUB("creature_coat"); return 0; }
int creature_is_hidden(int creature) { KSM_STUB("creature_is_hidden"); return 0; }
int player_is_hiding() { return Plr.hiding ? 1 : 0; }
int player_is_running() { return Plr.running ? 1 : 0; }
