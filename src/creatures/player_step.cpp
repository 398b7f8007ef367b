// The player's step test and the height test of every mover.
#include "creatures/player_step.h"

#include <algorithm>
#include <cstdlib>

#include "base/files.h"
#include "base/text_ring.h"
#include "body/body_services.h"
#include "body/body_condition.h"
#include "body/skills.h"
#include "console/console.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_services.h"
#include "creatures/movement_commands.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "work/work_services.h"

namespace {

constexpr uint8_t PLANT_MARK_CLEARED = 0x04;
constexpr int TERRAIN_CLIFF = 20;
constexpr int TERRAIN_BLOCKING_39 = 39;
constexpr uint8_t CLASS_AQUATIC = 24;
constexpr int WEAK_ICE = 50;

bool water_cell(int x, int y) { return (terrain_flags_of(terrain_at(x, y)) & TF_WATER) != 0; }

// The ice at a cell gives way under the pounds.
bool ice_fails(int x, int y, int pounds) { return check_ice_breaks(x, y, pounds, 0) == 1; }

// Weapons in the player's hands with a point to drive into the ice.
int pointed_weapons_in_hand() {
    int n = 0;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int id = Plr.plr_inv_id[slot];
        if (Plr.plr_inv_count[slot] <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (!(r.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND))) continue;
        if (r.item_class == ITEM_WEAPON && r.point < 200) ++n;
    }
    return n;
}

// A swimmer tries to pull up onto the ice ahead.
int climb_onto_ice(int x, int y, int pounds) {
    if (ice_fails(x, y, pounds * 3 / 4)) {
        show_message("!You try to climb on the ice but it breaks!");
        do_break_ice(x, y);
        last_step_result = 1;
        return STEP_FREE;
    }
    const int grade = plr_use_skill(1, 20 * pointed_weapons_in_hand(), "CLIMBING", 2);
    bool up = false;
    switch (grade) {
    case GRADE_CRITICAL:
        Plr.exertion = 5;
        up = true;
        break;
    case GRADE_SUCCESS: {
        Plr.exertion = 6;
        const int agility_roll = roll_dice(3);
        const int strength_roll = roll_dice(3);
        up = agility_roll <= Plr.agi && strength_roll <= Plr.str;
        break;
    }
    case GRADE_FAILURE: Plr.exertion = 7; break;
    default: Plr.exertion = 10; break;
    }
    last_step_result = 1;
    if (up) {
        msg_npc = -1;
        show_message(message_by_key("ICE_CLIMB_SUCCESS"));
        Plr.body_state = 1;
        return STEP_FREE;
    }
    show_message(random_below(2) == 0 ? "!You fail to lift yourself up onto the ice."
                                      : "!You struggle to pull yourself onto the ice but fail.");
    return STEP_BLOCKED;
}

// Ice on the target that is not under the player yet.
int ice_ahead(int x, int y, int direction) {
    const int pounds = cre_total_weight_lb(-1);
    const bool world = is_world_map() != 0;
    if (direction == 0) return ice_fails(x, y, pounds) ? STEP_OBSTACLE : STEP_FREE;
    if (Plr.travel_mode == 3) {
        if (!ice_fails(x, y, pounds)) return STEP_FREE;
        show_message("!The ice prevents you from rowing there.");
        return STEP_BLOCKED;
    }
    if (world) {
        if (!ice_fails(x, y, pounds)) return STEP_FREE;
        show_message("!You can't trust the ice completely, and for now you can cross it only on zoomed in map.");
        show_message("_Press [ENTER] to zoom in if you want to go on the ice there.");
        return STEP_REFUSED;
    }
    if (Plr.travel_mode == 2) return climb_onto_ice(x, y, pounds);
    if (!ice_fails(x, y, pounds * 7 / 10)) return STEP_FREE;
    show_message("!You doubt the ice will hold your weight.");
    return ask_yes_no("Still want to step on the ice?") ? STEP_FREE : STEP_BLOCKED;
}

// A creature on the target: 0 it lets the player by, else the result.
int creature_in_the_way(int index, int direction) {
    MapObject& o = Data[index];
    const int c = o.DATA - CREATURE_REF_BASE;
    if (!cre_slot_valid(c)) return 0;
    if (console_swap_places) {
        o.x = uint16_t(player_x);
        o.y = uint16_t(player_y);
        return STEP_BLOCKED;
    }
    const CreatureRecord& r = Cre[c];
    if (r.move_mode == MOVE_MODE_ASLEEP) {
        if (direction != 0) cre_wake_up(c);
        return STEP_BLOCKED;
    }
    if (creature_altitude(c) != 0) return 0;
    if (creature_body_state(c) == 0) {
        const bool fighting = r.move_mode == 2 || r.move_mode == 99;
        const bool escaping = r.move_mode == 4;
        if (cre_is_companion(c) || cre_is_own_animal(c) || (cre_is_human(c) && !fighting && !escaping)) {
            if (direction != 0) {
                Pakene(c);
                msg_npc = c;
                const char* seen = ring_copy(message_by_key("NPC_WITHDRAWS"));
                cre_action_message(c, seen, heard_message_text);
            }
            return 0;
        }
    }
    if (direction != 0) {
        msg_npc = c;
        show_message(message_by_key("MOVEMENT_NPC_AHEAD"));
    }
    return STEP_BLOCKED;
}

}  // namespace

int plr_check_step(int old_x, int old_y, int new_x, int new_y, int direction) {
    const int code = terrain_at(new_x, new_y);
    const uint32_t flags = terrain_flags_of(code);
    const bool world = is_world_map() != 0;
    int result = STEP_FREE;

    // 1. The terrain: a young tree may stand where the ground is otherwise
    // impassable.
    if (flags & TF_OBSTACLE) {
        result = STEP_OBSTACLE;
        if (flags & TF_YOUNG_TREE) {
            for (const MapObject& o : Data)
                if (o.TYPE == MK_PLANT_MARK && o.x == new_x && o.y == new_y && (o.subkind & PLANT_MARK_CLEARED)) {
                    result = STEP_FREE;
                    break;
                }
            if (is_sapling_at(new_x, new_y)) result = STEP_FREE;
        }
    }

    // Water is no obstacle here: the water step decides about it.
    if (result != STEP_FREE && !(flags & TF_WATER)) return result;
    result = STEP_FREE;

    // 2. Ice ahead that is not under the player yet.
    // (A hole in the ice counts as none.)
    if ((flags & TF_WATER) && ice_holding_at(new_x, new_y) > 0 && ice_holding_at(old_x, old_y) == 0) {
        result = ice_ahead(new_x, new_y, direction);
        if (result != STEP_FREE) return result;
    }

    // 4. Untrustworthy ice under the player on the world map.
    if (world && direction != 0 && Plr.travel_mode != 3 && ice_holding_at(old_x, old_y) > 0 &&
        ice_fails(old_x, old_y, cre_total_weight_lb(-1)) && !is_open_water_at(new_x, new_y)) {
        show_message("!The ice here can't be trusted completely and while on it you can travel only on zoomed in map.");
        show_message("_Press [ENTER] to zoom in now and find your way there.");
        return STEP_REFUSED;
    }

    // 5. What lies or stands on the target.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.x != new_x || o.y != new_y) continue;
        switch (o.TYPE) {
        case MK_CREATURE:
            if (!world) {
                const int r = creature_in_the_way(i, direction);
                if (r != 0) return r;
            }
            break;
        case MK_FIRE:
            if (direction != 0) show_message("!You can't walk through the fire!");
            return STEP_REFUSED;
        case MK_TRAP:
            if (o.state == TRAP_SET && (direction == 0 || !ask_yes_no("Really walk into a trap?"))) return STEP_REFUSED;
            break;
        case MK_REFREEZING_HOLE:
            if (direction == 0) return STEP_REFUSED;
            if (o.amount <= WEAK_ICE) {
                show_message("!You spot a partially frozen hole in the ice over there.");
                if (!ask_yes_no("Really step on that ice?")) return STEP_REFUSED;
            }
            break;
        default: break;
        }
    }

    // 6. A trap that holds the player.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_TRAP || o.state != TRAP_SPRUNG_WITH_CATCH || o.x != old_x || o.y != old_y) continue;
        if (struggle_in_trap(i, -1)) return STEP_HELD;
        o.state = TRAP_SPRUNG;
    }
    return STEP_FREE;
}

int cre_climb_check(int creature, int x0, int y0, int x1, int y1) {
    if (is_world_map()) return 0;
    const bool water0 = water_cell(x0, y0), water1 = water_cell(x1, y1);
    if (water0 && water1) return 0;
    if (creature == -1 && (Plr.travel_mode == 2 || Plr.travel_mode == 4) && water1) return 0;
    if (creature != -1 && cre_slot_valid(creature) && Cre[creature].cre_class == CLASS_AQUATIC &&
        (water0 || water1 || ice_thickness_at(x0, y0) > 0 || ice_thickness_at(x1, y1) > 0))
        return 0;
    const int code = terrain_at(x1, y1);
    if (code == TERRAIN_CLIFF) return CLIMB_TOO_STEEP;
    if (code == TERRAIN_BLOCKING_39 && (terrain_flags_of(code) & TF_OBSTACLE)) return CLIMB_TOO_STEEP;
    const int d = std::abs(height_at(x1, y1) - height_at(x0, y0));
    int limit = 2;
    if (creature != -1) limit = cre_slot_valid(creature) ? std::max(1, Cre[creature].attr_agi / 7) : 1;
    return d <= limit ? d : CLIMB_TOO_STEEP;
}
