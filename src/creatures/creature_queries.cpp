#include "creatures/creature_queries.h"

#include "base/stubs.h"

#include "base/text_ring.h"
#include "body/creature_attacks.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_steps.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"

namespace {
constexpr uint8_t SUBCLASS_WATERCRAFT = 13;
}  // namespace

int find_watercraft_at(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_ITEM || o.x != x || o.y != y || !obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (r.item_class == ITEM_VEHICLE && r.subclass == SUBCLASS_WATERCRAFT) return i;
    }
    return -1;
}


void trail_end_notice(int x, int y, int flag) { KSM_STUB("trail_end_notice"); }

// Leaving hauling lets go of the hauled things first.
void plr_set_movement_mode(int mode) {
    if (Plr.travel_mode == 9 && mode != 9) stop_hauling(-1);
    Plr.travel_mode = uint8_t(mode);
}
