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

const char* carcass_text(int creature) { KSM_STUB("carcass_text"); return ring_copy("carcass"); }
const char* carcass_text_of_record(const CreatureRecord&) {
    KSM_STUB("carcass_text_of_record");
    return ring_copy("carcass");
}

int cre_add_item(int creature, int object_id, int count) { KSM_STUB("cre_add_item"); return 0; }
int cre_add_item_tagged(int creature, int object_id, int count, int tag) {
    KSM_STUB("cre_add_item_tagged");
    return 0;
}
void cre_take_map_item(int creature, int map_index, int count) { KSM_STUB("cre_take_map_item"); }
int cre_pick_up_map_item(int creature, int map_index, int count) { KSM_STUB("cre_pick_up_map_item"); return 0; }

void trail_end_notice(int x, int y, int flag) { KSM_STUB("trail_end_notice"); }

// Leaving hauling lets go of the hauled things first.
void plr_set_movement_mode(int mode) {
    if (Plr.travel_mode == 9 && mode != 9) stop_hauling(-1);
    Plr.travel_mode = uint8_t(mode);
}
