#include "creatures/creature_levels.h"

#include <cstdlib>

#include "base/files.h"
#include "base/stubs.h"
#include "body/body_condition.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/item_makers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"

namespace {

constexpr uint8_t MOBILITY_FLYER = 64;
constexpr uint8_t MOBILITY_SWIMMER = 96;
constexpr uint8_t MOBILITY_DIVER = 128;
constexpr uint8_t CLASS_BIRD_BODY = 21;
constexpr uint8_t CLASS_WATER_BODY = 24;
constexpr int KIND_SQUIRREL = 604;
constexpr int KIND_BEAVER = 623;
constexpr int FEATHER_LIMIT = 5;
constexpr int DIVER_DEPTH_LIMIT = 6;
constexpr int FEATHER_RANGE = 32;
constexpr int STEP_DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int STEP_DY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

bool flyer_or_swimmer(const CreatureRecord& c) {
    return c.mobility == MOBILITY_FLYER || c.mobility == MOBILITY_DIVER || c.cre_class == CLASS_BIRD_BODY;
}

// A change of level is told when the player sees the square or stands
// within 15 squares.
void tell_level_change(int creature, const char* key) {
    const int x = creature_x(creature), y = creature_y(creature);
    if (!is_in_view(x, y) && distance_to_player(x, y) > 15) return;
    const int32_t keep = msg_npc;
    msg_npc = creature;
    const char* text = message_by_key(key);
    cre_action_message(creature, text, "");
    msg_npc = keep;
}

bool set_trap_at(int x, int y) { return find_map_object(MK_TRAP, x, y) >= 0; }

}  // namespace

int cre_take_off(int creature) {
    if (!cre_slot_valid(creature) || !cre_is_bird(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.air_state == AIR_ALOFT || c.body_state != 0) return 0;
    cre_wake_up(creature);
    if (cre_locomotion_disability(creature) == 1.0f) {
        c.air_state = AIR_GROUND;
        return 0;
    }
    tell_level_change(creature, "DO_FLY");
    c.air_state = AIR_ALOFT;
    if (random_below(10) == 0) cre_drop_feather(creature, creature_x(creature), creature_y(creature), 1);
    return 1;
}

int cre_land(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (!flyer_or_swimmer(c) || c.air_state == AIR_GROUND) return 0;
    if (c.body_state != 0) {
        c.air_state = AIR_GROUND;
        return 0;
    }
    tell_level_change(creature, "DO_LAND");
    c.air_state = AIR_GROUND;
    if (cre_is_bird(creature) && random_below(5) == 0)
        cre_drop_feather(creature, creature_x(creature), creature_y(creature), 1);
    return 1;
}

int cre_dive(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.air_state == AIR_UNDER_WATER || !is_open_water_at(c.Viimeisin_X, c.Viimeisin_Y)) return 0;
    if (!creature_catch_up && distance_to_player(c.Viimeisin_X, c.Viimeisin_Y) < 20) {
        const int32_t keep = msg_npc;
        msg_npc = creature;
        const char* text = message_by_key("DO_DIVE");
        cre_action_message(creature, text, "");
        msg_npc = keep;
    }
    c.air_state = AIR_UNDER_WATER;
    return 1;
}

int cre_climb_tree(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.kind != KIND_SQUIRREL || c.air_state == AIR_IN_TREE || c.haavat > c.attr_end) return 0;
    const int i = cre_datapos(creature);
    if (i < 0) return 0;
    for (int d = 0; d < 8; ++d) {
        const int x = Data[i].x + STEP_DX[d], y = Data[i].y + STEP_DY[d];
        if (!(terrain_flags_of(terrain_at(x, y)) & TF_YOUNG_TREE)) continue;
        c.air_state = AIR_IN_TREE;
        tell_level_change(creature, "DO_TREECLIMB");
        Data[i].x = uint16_t(x);
        Data[i].y = uint16_t(y);
        return 1;
    }
    return 0;
}

int cre_can_fly_here(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    if (set_trap_at(creature_x(creature), creature_y(creature))) {
        cre_land(creature);
        return 0;
    }
    return flyer_or_swimmer(Cre[creature]) ? 1 : 0;
}

int cre_can_be_at(int creature, int x, int y) {
    if (x == 0 || y == 0) return 0;
    if (creature == -1 || !cre_slot_valid(creature)) return 1;
    const CreatureRecord& c = Cre[creature];
    if (c.cre_class == CRE_CLASS_HUMAN || cre_is_own_animal(creature) || cre_is_leashable(0, creature)) return 1;
    const bool water = is_open_water_at(x, y) != 0;
    if (cre_is_bird(creature)) {
        if (c.mobility == MOBILITY_DIVER) {
            // A diver keeps to water it can reach the bottom of, ice that
            // holds, or land.
            if (water) return water_depth_at(x, y) < DIVER_DEPTH_LIMIT ? 1 : 0;
            if (terrain_flags_of(terrain_at(x, y)) & TF_WATER) return ice_holding_at(x, y) > 0 ? 1 : 0;
            return 1;
        }
        return !(terrain_flags_of(stored_world_terrain_at(world_x_of(x), world_y_of(y))) & TF_WATER) ? 1 : 0;
    }
    if (c.mobility == MOBILITY_SWIMMER) {
        if (c.cre_class == CLASS_WATER_BODY || water) return 1;
        if (c.kind != KIND_BEAVER) return 0;
        // A beaver keeps to the shore: open water 5 squares off on an axis.
        return is_open_water_at(x + 5, y) || is_open_water_at(x - 5, y) || is_open_water_at(x, y + 5) ||
                       is_open_water_at(x, y - 5)
                   ? 1
                   : 0;
    }
    return 1;
}

void cre_drop_feather(int creature, int x, int y, int limit) {
    if (!cre_slot_valid(creature) || !cre_is_bird(creature)) return;
    if (is_open_water_at(x + 1, y) && is_open_water_at(x - 1, y) && is_open_water_at(x, y + 1) &&
        is_open_water_at(x, y - 1))
        return;
    ObjectRecord feather{};
    make_feather_item(Cre[creature], feather);
    if (feather.item_class == 0) return;
    const int id = obj_store_record(feather);
    if (id <= 0) return;
    if (limit) {
        int near = 0;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_ITEM && o.DATA == id && std::abs(o.x - x) <= FEATHER_RANGE &&
                std::abs(o.y - y) <= FEATHER_RANGE)
                ++near;
        if (near > FEATHER_LIMIT) return;
    }
    const int count = 1 + random_below(2);
    put_object_on_map(MK_ITEM, x, y, id, count);
}

