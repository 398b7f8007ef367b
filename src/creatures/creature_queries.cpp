#include "creatures/creature_queries.h"

#include "base/stubs.h"

#include "base/text_ring.h"
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

namespace {

constexpr uint8_t BODY_FALLEN = 1;
constexpr uint8_t BODY_FAINTED = 4;
constexpr uint8_t MOVE_MODE_BUSY = 3;
constexpr int STEP_AREA_FIRST = 74;
constexpr int STEP_AREA_LAST = 389;

void cre_behaviour_turn(int map_index) {
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return;
    CreScratch = Cre[slot];
    if (Cre[slot].body_state == BODY_FALLEN || Cre[slot].body_state == BODY_FAINTED) return;
    if (Cre[slot].cre_class == CRE_CLASS_HUMAN) Ela_Ihminen(map_index);
    else if (Cre[slot].cre_class == CRE_CLASS_SPIRIT) spirit_creature_turn(map_index);
    else Ela_Elain(map_index);
}

// Until the people's, animals' and spirits' own turns come, a villager
// first sees to the player, a creature carries out its queued task, a
// hungry animal looks for food, and otherwise it keeps up with whoever it
// follows.
int interim_behaviour(int map_index) {
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return 0;
    if (Cre[slot].sound_cooldown > 0) --Cre[slot].sound_cooldown;
    const bool person = Cre[slot].cre_class == CRE_CLASS_HUMAN;
    if (person && villager_react_to_player(slot)) return 0;
    if (Tee_Puuha(map_index) || Data[map_index].TYPE != MK_CREATURE) return 0;
    if (!person && Cre[slot].cre_class != CRE_CLASS_SPIRIT && ravinnonhankinta(slot, 0) == 1) return 0;
    cre_follow_leader(slot, 1);
    return 0;
}

}  // namespace

// Partly built: the creature notes where it stood and, resting or about its
// business, takes its behaviour turn; the wound, cold, perception, fighting
// and fleeing steps come with their own parts.
void CreatureAct(int map_index) {
    KSM_STUB("CreatureAct");
    if (!map_index_valid(map_index) || Data[map_index].TYPE != MK_CREATURE) return;
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return;
    CreatureRecord& c = Cre[slot];
    const MapObject& o = Data[map_index];
    c.korkeus = c.Viimeisin_X == o.x && c.Viimeisin_Y == o.y ? 1 : 0;
    c.Viimeisin_X = o.x;
    c.Viimeisin_Y = o.y;
    cre_update_body_state(slot);
    if (c.move_mode == 0 || c.move_mode == MOVE_MODE_BUSY || c.move_mode == MOVE_MODE_ASLEEP)
        cre_behaviour_turn(map_index);
}
int Ela_Ihminen(int map_index) { KSM_STUB("Ela_Ihminen"); return interim_behaviour(map_index); }
int Ela_Elain(int map_index) { KSM_STUB("Ela_Elain"); return interim_behaviour(map_index); }
void spirit_creature_turn(int map_index) { KSM_STUB("spirit_creature_turn"); interim_behaviour(map_index); }

// Partly built: a creature may step within the play area onto open ground
// where it can be, and where no creature, fire or the player stands; the
// step's own costs, ice, traps and doors come with the movement step.
int Liikkuminen(int creature, int x, int y, int commit) {
    KSM_STUB("Liikkuminen");
    if (!cre_slot_valid(creature)) return 0;
    const int i = cre_datapos(creature);
    if (i < 0) return 0;
    if (x < STEP_AREA_FIRST || x > STEP_AREA_LAST || y < STEP_AREA_FIRST || y > STEP_AREA_LAST) return 0;
    if (!terrain_is_open(terrain_at(x, y)) || !cre_can_be_at(creature, x, y)) return 0;
    if (x == player_x && y == player_y) return 0;
    // One pass over the used part of the table (it ends at the first
    // record never used): another creature or a fire bars the square.
    for (int k = 0; k < MAP_OBJECT_COUNT; ++k) {
        const MapObject& o = Data[k];
        if (o.TYPE == MK_UNUSED) break;
        if (o.x != x || o.y != y) continue;
        if (o.TYPE == MK_FIRE) return 0;
        if (o.TYPE == MK_CREATURE && k != i) return 0;
    }
    if (commit) {
        Data[i].x = uint16_t(x);
        Data[i].y = uint16_t(y);
    }
    return 1;
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

void trail_end_notice(int x, int y, int flag) { KSM_STUB("trail_end_notice"); }

// Leaving hauling lets go of the hauled things first.
void plr_set_movement_mode(int mode) {
    if (Plr.travel_mode == 9 && mode != 9) stop_hauling(-1);
    Plr.travel_mode = uint8_t(mode);
}
