#include "creatures/creature_queries.h"

#include "base/stubs.h"

#include "base/text_ring.h"
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

// Not built yet: there is no creature table; every answer is neutral.
void CreatureAct(int map_index) { KSM_STUB("CreatureAct"); }
int Ela_Ihminen(int map_index) { KSM_STUB("Ela_Ihminen"); return 0; }
int Ela_Elain(int map_index) { KSM_STUB("Ela_Elain"); return 0; }
void spirit_creature_turn(int map_index) { KSM_STUB("spirit_creature_turn"); }
int Liikkuminen(int creature, int x, int y, int commit) { KSM_STUB("Liikkuminen"); return 0; }
const char* carcass_text(int creature) { KSM_STUB("carcass_text"); return ring_copy("carcass"); }
const char* carcass_text_of_record(const CreatureRecord&) {
    KSM_STUB("carcass_text_of_record");
    return ring_copy("carcass");
}
int cre_are_allies(int creature_a, int creature_b) { KSM_STUB("cre_are_allies"); return 0; }
int cre_is_aquatic(int creature) { KSM_STUB("cre_is_aquatic"); return 0; }
int cre_is_kept_animal(int creature) { KSM_STUB("cre_is_kept_animal"); return 0; }
int cre_prey_match(int predator, int other) { KSM_STUB("cre_prey_match"); return 0; }
int cre_is_game_for(int hunter, int other) { KSM_STUB("cre_is_game_for"); return 0; }

int cre_notices_player(int creature) { KSM_STUB("cre_notices_player"); return 0; }
int cre_can_notice(int creature) { KSM_STUB("cre_can_notice"); return 0; }
void cre_sense_step(int creature, int strength) { KSM_STUB("cre_sense_step"); }
int cre_threat_test(int creature) { KSM_STUB("cre_threat_test"); return 0; }
int cre_would_attack(int creature, int mode) { KSM_STUB("cre_would_attack"); return 0; }

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
