// One step of a creature to a neighbouring cell: whether it can be made
// (leash and tether, the player's cell, terrain, fences, water and ice,
// trees, doors, traps, creatures and fire, height), and making it.
#include <algorithm>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_senses.h"
#include "creatures/creature_services.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_traits.h"
#include "creatures/creature_turn_index.h"
#include "creatures/movement_modes.h"
#include "creatures/player_step.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "work/traps.h"
#include "work/work_services.h"

namespace {

constexpr int PLAY_FIRST = 74, PLAY_LAST = 389;
constexpr uint8_t FENCE = 42, FENCE_B = 44, FENCE_C = 45, OPEN_GROUND = 250, FORD = 176;
constexpr uint8_t DOOR_CLOSED = 254, DOOR_OPEN = 22;
constexpr uint8_t MODE_FIGHTS = 2, MODE_FIGHTS_HARD = 99, MODE_ESCAPES = 4, MODE_ESCAPES_5 = 5, MODE_ESCAPES_7 = 7;
constexpr uint8_t STATUS_ROBBER = 20;
constexpr uint8_t BFDOM_TETHERED = 0x10;
constexpr uint8_t MOBILITY_SWIMMER = 96;
constexpr uint8_t CLASS_WATER_BODY = 24;
constexpr int KIND_GLUTTON = 602, KIND_BEAR = 605, KIND_LYNX = 608, KIND_WOLF = 611;
constexpr int CULTURE_WARRIORS = 11, CULTURE_TRADERS = 12;

bool fights(const CreatureRecord& c) { return c.move_mode == MODE_FIGHTS || c.move_mode == MODE_FIGHTS_HARD; }
bool escapes(const CreatureRecord& c) {
    return c.move_mode == MODE_ESCAPES || c.move_mode == MODE_ESCAPES_5 || c.move_mode == MODE_ESCAPES_7;
}
int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }
bool is_water_cell(int x, int y) { return (terrain_flags_of(terrain_at(x, y)) & TF_WATER) != 0; }
bool in_play_area(int x, int y) { return x >= PLAY_FIRST && x <= PLAY_LAST && y >= PLAY_FIRST && y <= PLAY_LAST; }

void walk_debug(const char* text) {
    if (debug_logs_on) debug_log("cre", text);
}

// The cell behind the player, against its facing.
void cell_behind_player(int* x, int* y) {
    static const int dx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static const int dy[8] = {0, -1, -1, -1, 0, 1, 1, 1};
    const int f = ((facing % 8) + 8) % 8;
    *x = player_x - dx[f];
    *y = player_y - dy[f];
}

// A cell a creature may be put on: open, in the play area, nobody there.
bool free_cell(int c, int x, int y) {
    if (!in_play_area(x, y) || (x == player_x && y == player_y)) return false;
    if (terrain_flags_of(terrain_at(x, y)) & (TF_OBSTACLE | TF_WATER)) return false;
    int found[16];
    const int n = rows_at_cell(x, y, found, 16);
    for (int k = 0; k < n; ++k) {
        const MapObject& o = Data[found[k]];
        if (o.TYPE == MK_FIRE || (o.TYPE == MK_CREATURE && map_object_creature(found[k]) != c)) return false;
    }
    return true;
}

// A hungry hunter or a roused animal of the fence-jumping kinds.
bool roused(const CreatureRecord& c) {
    if (fights(c) || escapes(c) || c.cre_status == STATUS_ROBBER) return true;
    const int task = c.Puuha[0];
    if (task == 52 || task == 55 || task == 68 || task == 69) {
        const float need = c.weight * 35.0f;
        return need / 10.0f > float(c.energy);
    }
    return false;
}

bool is_fence_code(uint8_t code) { return code == FENCE || code == FENCE_B || code == FENCE_C; }

// A bear tears down the fence line through the cell.
void tear_down_fence(int x, int y) {
    const bool row = is_fence_code(terrain_at(x - 1, y)) || is_fence_code(terrain_at(x + 1, y));
    const int sx = row ? 1 : 0, sy = row ? 0 : 1;
    set_terrain_at(x, y, OPEN_GROUND);
    for (int dir = -1; dir <= 1; dir += 2) {
        int cx = x + dir * sx, cy = y + dir * sy;
        while (in_play_area(cx, cy) && is_fence_code(terrain_at(cx, cy))) {
            set_terrain_at(cx, cy, OPEN_GROUND);
            cx += dir * sx;
            cy += dir * sy;
        }
    }
    if (is_in_view(x, y)) rebuild_view();
}

// Objects on the target and on the mover's own cell that the step minds.
struct CellFinds {
    int fire = -1, creature = -1, set_trap = -1, held_trap = -1;
};

CellFinds look_at_cells(int row, int x, int y, int fx, int fy) {
    CellFinds f;
    int found[16];
    int n = rows_at_cell(x, y, found, 16);
    for (int k = 0; k < n; ++k) {
        const int i = found[k];
        const MapObject& o = Data[i];
        if (o.TYPE == MK_FIRE) f.fire = i;
        else if (o.TYPE == MK_CREATURE && i != row && f.creature < 0) f.creature = map_object_creature(i);
        else if (o.TYPE == MK_TRAP && o.state == TRAP_SET) f.set_trap = i;
    }
    n = rows_at_cell(fx, fy, found, 16);
    for (int k = 0; k < n; ++k)
        if (Data[found[k]].TYPE == MK_TRAP && Data[found[k]].state == TRAP_SPRUNG_WITH_CATCH) f.held_trap = found[k];
    return f;
}

void move_record(int c, int row, int x, int y) {
    CreatureRecord& r = Cre[c];
    turn_index_moved(row, Data[row].x, Data[row].y, x, y);
    Data[row].x = uint16_t(x);
    Data[row].y = uint16_t(y);
    if (r.Viimeisin_X == x && r.Viimeisin_Y == y) r.korkeus = 1;
    else r.korkeus = 0;
    r.Viimeisin_X = x;
    r.Viimeisin_Y = y;
}

}  // namespace

int cre_fence_pass(int x, int c, int y) {
    if (!cre_slot_valid(c) || terrain_at(x, y) != FENCE) return STEP_OBSTACLE;
    const CreatureRecord& r = Cre[c];
    if (r.cre_class == CRE_CLASS_HUMAN || r.weight < 10.0f) return STEP_FREE;
    const int k = r.kind;
    if ((k == KIND_WOLF || k == KIND_LYNX || k == KIND_GLUTTON || k == KIND_BEAR) && roused(r)) {
        if (k == KIND_BEAR) {
            tear_down_fence(x, y);
            return STEP_FREE;
        }
        const int row = cre_datapos(c);
        if (row >= 0 && terrain_at(Data[row].x, Data[row].y) != FENCE) return STEP_FREE;
    }
    return STEP_OBSTACLE;
}

int cre_doorway_clear(int c, int x, int y) {
    if (x == player_x && y == player_y) return 0;
    if (!cre_is_companion(c) && chebyshev(x, y, player_x, player_y) <= 2 && !Plr.sleeping && !is_indoors_at(player_x, player_y) &&
        is_in_view(x, y))
        return 0;
    for (int i : creature_rows()) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE) continue;
        const int k = map_object_creature(i);
        if (k == c || !cre_slot_valid(k)) continue;
        if (o.x == x && o.y == y) return 0;
        if (cre_is_own_animal(k) && chebyshev(o.x, o.y, x, y) <= 5 &&
            (!is_indoors_at(o.x, o.y) || chebyshev(player_x, player_y, x, y) <= 5))
            return 0;
    }
    return 1;
}

int Liikkuminen(int c, int x, int y, int apply) {
    if (!cre_slot_valid(c) || !CreSlotRefs[c]) return STEP_REFUSED;
    const int row = cre_datapos(c);
    if (row < 0) return STEP_REFUSED;
    CreatureRecord& r = Cre[c];
    const int fx = Data[row].x, fy = Data[row].y;
    if (debug_logs_on) {
        char line[120];
        format_text(line, sizeof line, "Liikkuminen (%d,%d,%d,%d)", x, c, y, apply);
        walk_debug(line);
        format_text(line, sizeof line, "  datapos %d from_x,from_y %d,%d", row, fx, fy);
        walk_debug(line);
    }
    // 1. The play area.
    if (!is_world_map() && !in_play_area(x, y)) return STEP_REFUSED;

    // 2. On the player's leash: kept close behind.
    walk_debug("  Liikkuminen.onko_lieassa");
    if (r.cre_status == CRE_STATUS_TIED) {
        if (chebyshev(fx, fy, player_x, player_y) > 2) {
            int bx = 0, by = 0;
            cell_behind_player(&bx, &by);
            if (!apply || !free_cell(c, bx, by)) return STEP_REFUSED;
            move_record(c, row, bx, by);
            return STEP_FREE;
        }
        if (chebyshev(x, y, player_x, player_y) > 1) return STEP_REFUSED;
    }
    // 3. Tied to something.
    walk_debug("  Liikkuminen.onko_tied");
    if (r.bfdom & BFDOM_TETHERED) {
        int hx = 0, hy = 0;
        if (cre_find_leash_holder(c, &hx, &hy) && chebyshev(x, y, hx, hy) > 1) return STEP_REFUSED;
    }
    // 4. The player's cell.
    if (x == player_x && y == player_y) {
        const bool own = cre_is_companion(c) || cre_is_own_animal(c);
        if (!(own && is_water_cell(fx, fy) && !is_water_cell(x, y))) return STEP_REFUSED;
    }
    // 5. Terrain.
    const uint8_t code = terrain_at(x, y);
    const uint32_t flags = terrain_flags_of(code);
    const bool flying = r.air_state == AIR_ALOFT;
    const bool water = (flags & TF_WATER) != 0;
    if (flying) {
        if (is_roofed_at(x, y)) return STEP_OBSTACLE;
    } else if (code == FENCE) {
        bool pass;
        if (r.cre_class == CRE_CLASS_HUMAN)
            pass = fights(r) || escapes(r) || cre_follow_leader(c, 0) || r.obstacle > 3;
        else
            pass = cre_fence_pass(x, c, y) == STEP_FREE;
        if (!pass) {
            if (r.obstacle < 255) ++r.obstacle;
            return STEP_OBSTACLE;
        }
    } else if (code == DOOR_CLOSED) {
        if (r.attr_dex == 0) return STEP_OBSTACLE;
    } else if (!water && (flags & TF_OBSTACLE)) {
        if (!((flags & TF_YOUNG_TREE) && is_sapling_at(x, y))) return STEP_OBSTACLE;
    } else if (!water) {
        r.obstacle = 0;
    }
    // 6. Swimmers keep to the water.
    if (r.mobility == MOBILITY_SWIMMER) {
        if (is_water_cell(fx, fy)) {
            if (escapes(r) && !water) return STEP_REFUSED;
        } else if (r.cre_class == CLASS_WATER_BODY) {
            int wx = 0, wy = 0;
            if (find_nearest_water(fx, fy, &wx, &wy) &&
                chebyshev(fx, fy, wx, wy) >= 3 && chebyshev(x, y, wx, wy) > chebyshev(fx, fy, wx, wy)) {
                cre_drop_tasks(c);
                cre_go_towards(c, wx, wy, 100);
                if (!escapes(r)) return STEP_REFUSED;
            }
        }
    }
    // 7. Water and ice.
    if (water && !flying && !cre_is_aquatic(c) && code != FORD) {
        const bool ice = ice_holding_at(x, y) > 0;
        const bool from_open_water = is_open_water_at(fx, fy) != 0;
        if (!ice) {
            bool pass = false;
            if (r.follow_sotu != 0 && cre_follow_leader(c, 2)) pass = from_open_water;
            else if (r.weight > 6.0f) {
                const int depth = water_depth_at(x, y);
                if (depth <= 1) pass = r.cre_status == STATUS_ROBBER || fights(r) || from_open_water;
                else pass = from_open_water && water_depth_at(fx, fy) > 1;
            }
            if (!pass) return STEP_OBSTACLE;
        } else if (!from_open_water) {
            if (r.move_value == Plr.month) return STEP_OBSTACLE;
            float pounds = float(cre_total_weight_lb(c));
            if (r.cre_class != CRE_CLASS_HUMAN) pounds *= 1.25f;
            if (check_ice_breaks(x, y, std::max(1, int(pounds)), 0) == 1) return STEP_OBSTACLE;
        } else if (apply) {
            const int chance = cre_total_weight_lb(c) < 100 ? 41 : 11;
            if (random_below(100) >= chance) return STEP_OBSTACLE;
            cre_tell(c, "ICE_CLIMB_SUCCESS");
        }
    }
    // 8. Up a tree, only from tree to tree.
    walk_debug("  Liikkuminen.lentaakochecks");
    if (r.air_state == AIR_IN_TREE && !(flags & TF_YOUNG_TREE)) {
        if (escapes(r)) return STEP_REFUSED;
    }
    // 9. A closed door is opened; the opener stays this turn.
    if (code == DOOR_CLOSED) {
        if (!apply) return STEP_FREE;
        set_terrain_at(x, y, DOOR_OPEN);
        if (is_in_view(x, y) || chebyshev(x, y, player_x, player_y) <= 10) cre_tell(c, "DO_OPEN_DOOR");
        return STEP_BLOCKED;
    }
    // 10. Fire, creatures and traps.
    walk_debug("  Liikkuminen.trapchecks");
    const CellFinds found = look_at_cells(row, x, y, fx, fy);
    if (found.fire >= 0) return STEP_REFUSED;
    if (found.creature >= 0 && !(cre_is_stunned(found.creature) && (fights(r) || escapes(r)))) return STEP_REFUSED;
    if (found.held_trap >= 0) {
        if (apply) {
            if (struggle_in_trap(found.held_trap, c)) {
                r.exertion = 2;
                return STEP_HELD;
            }
            Data[found.held_trap].state = TRAP_SPRUNG;
            r.trapped_at = 0;
        }
    } else if (r.trapped_at != 0) {
        r.trapped_at = 0;
    }
    bool into_trap = false, spring_trap = false;
    if (found.set_trap >= 0) {
        if (!trap_catches(found.set_trap, c)) {
            if (!cre_is_human(c) && r.weight > 100.0f && !cre_is_own_animal(c) && random_below(3) == 0)
                spring_trap = true;
            else if (r.home_culture == CULTURE_TRADERS && cre_is_human(c)) return STEP_REFUSED;
            else if (r.home_culture == CULTURE_WARRIORS && cre_is_human(c)) spring_trap = true;
        } else {
            into_trap = true;
        }
    }
    // 11. Height.
    bool stays = false;
    if (!flying) {
        const int climb = cre_climb_check(c, fx, fy, x, y);
        if (climb >= CLIMB_TOO_STEEP) return STEP_REFUSED;
        if (climb >= 2 && apply && random_below(10) != 0) stays = true;
    }
    // 12. Only asked.
    walk_debug("  Liikkuminen.valuesets");
    if (!apply) return STEP_FREE;
    if (stays) return STEP_BLOCKED;

    // 13. The step.
    walk_debug("  Liikkuminen.liiku");
    move_record(c, row, x, y);
    if (spring_trap) Data[found.set_trap].state = TRAP_SPRUNG;
    if (into_trap) step_into_trap(c, x, y);
    // 14. The ritual marks of the player's sheep come with the spirits.
    walk_debug("  Liikkuminen.magics");
    // 15. A person shuts the door behind it.
    walk_debug("  Liikkuminen.humans");
    if (cre_is_human(c) && terrain_at(fx, fy) == DOOR_OPEN && !(fx == player_x && fy == player_y) && !escapes(r) &&
        !fights(r) && cre_doorway_clear(c, fx, fy)) {
        set_terrain_at(fx, fy, DOOR_CLOSED);
        if (is_in_view(fx, fy) || chebyshev(fx, fy, player_x, player_y) <= 10) cre_tell(c, "DO_CLOSE_DOOR");
    }
    // 16. Done; down from a tree where no tree stands.
    r.LastActionBit |= 0x02;
    if (r.air_state == AIR_IN_TREE && !(flags & TF_YOUNG_TREE)) r.air_state = AIR_GROUND;
    // 17. Tracks.
    if (!is_world_map() && r.air_state == AIR_GROUND) {
        if (debug_logs_on) {
            char line[120];
            format_text(line, sizeof line, "Liikkuminen.tee_zoomjalki %d,%d,%d,%d,%d", c, fx, fy, x, y);
            walk_debug(line);
        }
        cre_leave_track(c, fx, fy, x, y);
    }
    walk_debug("  Liikkuminen.return");
    return STEP_FREE;
}
