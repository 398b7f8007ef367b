#include "body/body_services.h"

#include "shell/player.h"

// Not built yet: the heat model of fires comes with body heat.
int fire_heat_at(int x, int y) { return 0; }

// The player's weight is known from the record; creatures' weights come
// with the creature table (0 until then).
int cre_total_weight_lb(int creature) {
    if (creature != -1) return 0;
    return Plr.body_weight + int(Plr.carried_load);
}
