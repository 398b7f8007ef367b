// One turn of an animal or bird on the current map: where it may stand,
// its calls, its task, food, rest, nesting, migration and wandering.
#include "creatures/animal_turn.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "body/creature_fights.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/human_turn.h"
#include "creatures/task_queue.h"
#include "creatures/turn_steps.h"
#include "creatures/villager_routines.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "society/villages.h"
#include "objects/item_makers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/sound.h"

namespace {

constexpr int KIND_SQUIRREL = 604;
constexpr int KIND_WOLF = 611;
constexpr uint32_t CALLS_FAR = 0x100;
constexpr uint32_t WOLF_IN_PACK = 0x02;
constexpr uint32_t WOLF_DRIVEN_OFF = 0x04;
constexpr uint8_t MAP_FLAG_GO_HOME = 0x01;
constexpr uint8_t SOUND_PLAYS_SAMPLE = 0x01;
constexpr uint8_t SOUND_SILENT = 0x02;
constexpr uint8_t SOUND_NEAR_ONLY = 0x04;
constexpr uint16_t NEST_NESTS = 0x01, NEST_DONE = 0x02, NEST_BY_WATER = 0x08, NEST_DOWN = 0x10,
                   NEST_ISLET = 0x20, NEST_FIRM_GROUND = 0x40;
constexpr int REST_KEEP_AWAY = 40;
constexpr int HAUL_OUT_MAX = 1023;
constexpr int NEST_MAX = 1023;
constexpr int TASK_SLEEP = 4;
constexpr uint8_t TERRAIN_GROUND = 250;
constexpr int KIND_PLANT_PATCH = MK_PLANT_PATCH;

struct Lengths {
    int wander_base, wander_spread, wait_base, wait_spread;
};
constexpr Lengths kUsual{15, 15, 15, 15};
constexpr Lengths kSquirrel{10, 10, 5, 5};

bool is_tree(int code) { return (terrain_flags_of(code) & TF_TALL) && !(terrain_flags_of(code) & TF_ROCK); }
bool is_marsh_at(int x, int y) {
    return (terrain_class_at(x, y) & (HAB_WETLAND | HAB_SPRUCE_MIRE | HAB_PINE_MIRE | HAB_OPEN_MIRE)) != 0;
}
bool remembered_blank(int x, int y) {
    const uint8_t r = remembered_at(x, y);
    return r == 0 || r == ' ';
}

// A wolf of a pack: one driven off runs, the others howl now and then.
// true when the turn is over.
bool wolf_pack_step(int slot) {
    CreatureRecord& c = Cre[slot];
    if (c.kind != KIND_WOLF || !(c.cre_flags & WOLF_IN_PACK)) return false;
    if (c.cre_flags & WOLF_DRIVEN_OFF) {
        cre_begin_escape(slot, -1, 0);
        return true;
    }
    c.caution = 0;
    if (random_below(50) == 0) cre_make_sound(slot);
    return false;
}

// Step 11 for a kept animal: true when the turn is over.
bool kept_animal_step(int slot, const Lengths& len) {
    CreatureRecord& c = Cre[slot];
    const int x = c.Viimeisin_X, y = c.Viimeisin_Y;
    if (site_within_radius(world_x_of(x), world_y_of(y), 1)) {
        if (world_x_of(x) != c.home_x || world_y_of(y) != c.home_y) {
            askel_kohti_paikkaa((c.home_x - Plr.zoom_origin_x) * 64 + 232, slot,
                                (c.home_y - Plr.zoom_origin_y) * 64 + 232);
            return true;
        }
        if (random_below(3) < 2) queue_wander(slot, len.wander_base, len.wander_spread);
        else queue_wait(slot, len.wait_base, len.wait_spread);
        return true;
    }
    return false;
}

bool out_of_season(const CreatureRecord& c) {
    if (c.season_from == 0) return false;
    return !month_within(Plr.month, c.season_from, c.season_to ? c.season_to : 12);
}

// The nest's rule of the species at (x, y).
bool nest_site_fits(const CreatureRecord& c, int x, int y) {
    const int n = terrain_at(x, y - 1), s = terrain_at(x, y + 1), w = terrain_at(x - 1, y), e = terrain_at(x + 1, y);
    if (c.nest_flags & NEST_BY_WATER) {
        int water = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) water += is_open_water_at(x + dx, y + dy) ? 1 : 0;
        if (water <= 3) return false;
        if ((is_tree(n) && is_tree(s)) || (is_tree(w) && is_tree(e))) return true;
        int patches = 0;
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == MK_UNUSED) break;
            if (o.TYPE == KIND_PLANT_PATCH && chebyshev_distance(o.x, o.y, x, y) <= 2) ++patches;
        }
        return patches > 2;
    }
    if (c.nest_flags & NEST_ISLET) {
        int ix = 0, iy = 0;
        return find_islet_spot(x, y, &ix, &iy) && chebyshev_distance(ix, iy, x, y) <= 1;
    }
    const int sides[4] = {n, s, w, e};
    if (c.nest_flags & NEST_FIRM_GROUND) {
        if (is_marsh_at(x, y)) return false;
        const bool tree = is_tree(n) || is_tree(s) || is_tree(w) || is_tree(e);
        const bool marsh = is_marsh_at(x, y - 1) || is_marsh_at(x, y + 1) || is_marsh_at(x - 1, y) || is_marsh_at(x + 1, y);
        return tree && marsh;
    }
    int trees = 0;
    for (int k : sides) trees += is_tree(k) ? 1 : 0;
    return trees >= 2;
}

void lay_eggs(int slot, int x, int y) {
    CreatureRecord& c = Cre[slot];
    ObjectRecord r;
    if (c.nest_flags & NEST_DOWN) {
        make_feather_item(c, r);
        const int feather = obj_store_record(r);
        if (feather > 0) put_object_on_map(MK_ITEM, x, y, feather, 4);
    }
    make_egg_item(c, r);
    const int egg = obj_store_record(r);
    const int count = 1 + 1 + random_below(6);
    if (egg > 0) put_object_on_map(MK_ITEM, x, y, egg, count);
}

// The haul-out candidates of the current map, gathered once a day.
struct HaulOutCache {
    int origin_x = -1, origin_y = -1, day = -1;
    std::vector<TaskPoint> spots;
} haul_out_cache;

void gather_haul_out_spots(std::vector<TaskPoint>& spots) {
    spots.clear();
    for (int y = 82; y <= 380 && int(spots.size()) < HAUL_OUT_MAX; y += 1 + random_below(8)) {
        for (int x = 82; x <= 380 && int(spots.size()) < HAUL_OUT_MAX; x += 1 + random_below(8)) {
            const int code = terrain_at(x, y);
            if (code == TERRAIN_GROUND) {
                int ix = 0, iy = 0;
                if (find_islet_spot(x, y, &ix, &iy)) spots.push_back({ix, iy});
                continue;
            }
            if (!(terrain_flags_of(code) & TF_WATER) || ice_holding_at(x, y) < 500 || water_depth_at(x, y) <= 3)
                continue;
            if (is_open_water_at(x + 3, y) || is_open_water_at(x - 3, y) || is_open_water_at(x, y + 3) ||
                is_open_water_at(x, y - 3)) {
                spots.push_back({x, y});
                x += 10;
                y += 10;
            }
        }
    }
}

}  // namespace

void reset_animal_turns() { haul_out_cache = HaulOutCache{}; }

TaskPoint find_haul_out_spot() {
    HaulOutCache& h = haul_out_cache;
    if (h.origin_x != Plr.zoom_origin_x || h.origin_y != Plr.zoom_origin_y || h.day != Plr.days_played) {
        gather_haul_out_spots(h.spots);
        h.origin_x = Plr.zoom_origin_x;
        h.origin_y = Plr.zoom_origin_y;
        h.day = Plr.days_played;
    }
    if (h.spots.empty()) return {0, 0};
    return h.spots[size_t(random_below(int(h.spots.size())))];
}

void cre_make_sound(int creature) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    if (sound_flags(c) & SOUND_SILENT) return;
    const bool bird = c.mobility == MOBILITY_FLYER || c.mobility == MOBILITY_DIVER || c.cre_class == CRE_CLASS_BIRD;
    if (bird) {
        if (c.calling_months != 0 && !(c.calling_months & (1u << Plr.month))) return;
        if (!is_world_map() && (sound_flags(c) & SOUND_NEAR_ONLY) &&
            chebyshev_distance(c.Viimeisin_X, c.Viimeisin_Y, player_x, player_y) > 15)
            return;
    }
    const int32_t keep = msg_npc;
    msg_npc = creature;
    const char* text = message_by_key(bird ? "BIRDSOUND_NORMAL" : "SOUND_NORMAL");
    const int shown = cre_action_message(creature, text, text);
    msg_npc = keep;
    if (shown && (sound_flags(c) & SOUND_PLAYS_SAMPLE)) {
        char name[sizeof c.name + 1];
        copy_field(name, sizeof name, c.name, sizeof c.name);
        for (char* p = name; *p; ++p) *p = *p == ' ' ? '_' : char(std::tolower(uint8_t(*p)));
        char sample[80];
        format_text(sample, sizeof sample, "birdcall_%s", name);
        set_sound_position(c.Viimeisin_X, c.Viimeisin_Y);
        play_sample(sample, 0);
    }
}

int cre_rest_if_rest_time(int creature, int map_index) {
    if (!cre_slot_valid(creature) || !map_index_valid(map_index)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.cre_status == CRE_STATUS_TIED || cre_is_active_time(creature)) return 0;
    const int x = Data[map_index].x, y = Data[map_index].y;
    if (!cre_can_be_at(creature, x, y)) return 0;
    if (is_open_water_at(x, y) && c.mobility != MOBILITY_DIVER) return 0;
    if (distance_to_player(x, y) <= REST_KEEP_AWAY) return 0;
    if (c.air_state == AIR_ALOFT) cre_land(creature);
    queue_task(creature, TASK_SLEEP, 1000);
    return 1;
}

int cre_nesting_step(int creature, int map_index) {
    if (!cre_slot_valid(creature) || !map_index_valid(map_index)) return 0;
    CreatureRecord& c = Cre[creature];
    if (!(c.nest_flags & NEST_NESTS) || (c.nest_flags & NEST_DONE)) return 0;
    if (Plr.month != c.nest_month && Plr.month != next_month(c.nest_month)) return 0;
    const int cx = Data[map_index].x, cy = Data[map_index].y;
    std::vector<TaskPoint> sites;
    for (int y = cy - 50; y <= cy + 50 && int(sites.size()) < NEST_MAX; y += 1 + random_below(5))
        for (int x = cx - 50; x <= cx + 50 && int(sites.size()) < NEST_MAX; x += 1 + random_below(5)) {
            if (x < 73 || x > 391 || y < 73 || y > 391) continue;
            if (!remembered_blank(x, y) || terrain_at(x, y) != TERRAIN_GROUND) continue;
            if (nest_site_fits(c, x, y)) sites.push_back({x, y});
        }
    if (!sites.empty()) {
        const TaskPoint p = sites[size_t(random_below(int(sites.size())))];
        lay_eggs(creature, p.x, p.y);
    }
    // One chance a life, found or not.
    c.nest_flags |= NEST_DONE;
    return 0;
}

void water_animal_step(int creature) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    const int x = c.Viimeisin_X, y = c.Viimeisin_Y;
    if (!is_open_water_at(x, y)) {
        if (c.air_state != AIR_UNDER_WATER) c.air_state = AIR_GROUND;
        int wx = 0, wy = 0;
        if (find_nearest_water(x, y, &wx, &wy) && chebyshev_distance(wx, wy, x, y) > 5) {
            queue_task(creature, TASK_GO_TO_POINT, 100, wx, wy);
            return;
        }
        pop_task(creature, -1);
        queue_wait(creature, 30, 30);
        return;
    }
    if (c.air_state == AIR_UNDER_WATER && random_below(2) == 0) c.air_state = AIR_GROUND;
    const TaskPoint spot = find_haul_out_spot();
    if (spot.x != 0 || spot.y != 0) {
        queue_task(creature, TASK_GO_TO_POINT, 100, spot.x, spot.y);
        return;
    }
    const int dx = random_below(11) - 5;
    const int dy = random_below(11) - 5;
    const int px = x + dx, py = y + dy;
    if (is_open_water_at(px, py)) {
        Kulje_Paikkaan(creature, px, py);
    } else if (ice_holding_at(px, py) < 1) {
        queue_wait(creature, 5, 10);
    } else {
        cre_dive(creature);
        Kulje_Paikkaan(creature, px, py);
    }
}

int Ela_Elain(int map_index) {
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return 0;
    CreatureRecord& c = Cre[slot];
    // 1. The call's cool-down.
    if (c.sound_cooldown > 0) --c.sound_cooldown;
    // 2. Where it stands.
    bool out_of_place = false;
    const int x = Data[map_index].x, y = Data[map_index].y;
    if (!cre_can_be_at(slot, x, y)) {
        if (c.mobility == MOBILITY_FLYER && cre_can_fly_here(slot)) cre_take_off(slot);
        out_of_place = true;
    } else if (c.mobility == MOBILITY_DIVER && c.air_state == AIR_ALOFT) {
        cre_land(slot);
    }
    // 3. With its group.
    if (cre_stay_with_group(slot)) return 1;
    if (cre_follow_leader(slot, 2)) pop_task(slot, 0);
    // 4. Calls.
    if (c.Puuha[0] == TASK_WAIT && random_below(100) == 0) cre_make_sound(slot);
    if ((c.cre_flags & CALLS_FAR) && random_below(50) == 0) cre_make_sound(slot);
    if (wolf_pack_step(slot)) return 1;
    // 5. The task under way, and keeping up.
    if (Tee_Puuha(map_index)) return 1;
    if (Data[map_index].TYPE != MK_CREATURE) return 1;
    if (cre_follow_leader(slot, 1)) return 1;
    // 6. Home.
    if (c.map_flags & MAP_FLAG_GO_HOME) {
        if (push_task(slot, TASK_GO_HOME, 200) >= 0) return 1;
        c.map_flags &= uint8_t(~MAP_FLAG_GO_HOME);
    }
    // 7. Rest.
    if (cre_rest_if_rest_time(slot, map_index)) return 1;
    // 8. Food.
    if (random_below(5) == 0) {
        ravinnonhankinta(slot, 0);
        if (has_task(slot)) return 1;
    }
    // 9. A follower plays about near the player.
    if (cre_follow_leader(slot, 0)) {
        if (chebyshev_distance(c.Viimeisin_X, c.Viimeisin_Y, player_x, player_y) <= 3 && random_below(5) == 0)
            queue_task(slot, TASK_WANDER, 3);
        return 1;
    }
    // 10.
    if (random_below(40) == 0) cre_make_sound(slot);
    const Lengths& len = c.kind == KIND_SQUIRREL ? kSquirrel : kUsual;
    // 11. Kept animals keep to their village.
    if (cre_is_kept_animal(slot)) {
        if (kept_animal_step(slot, len)) return 1;
        if (c.owner > 0 && distance_to_village(c.owner, world_x_of(c.Viimeisin_X), world_y_of(c.Viimeisin_Y)) > 0) {
            c.map_flags |= MAP_FLAG_GO_HOME;
            return 1;
        }
    }
    // 12.
    cre_nesting_step(slot, map_index);
    // 13. Creatures of open water.
    if (c.cre_class == CRE_CLASS_WATER_BODY) {
        water_animal_step(slot);
        return 1;
    }
    // 14. A squirrel takes to the trees.
    if (c.kind == KIND_SQUIRREL && random_below(4) < 2) {
        cre_climb_tree(slot);
        queue_wait(slot, 15, 15);
        return 1;
    }
    // 15. Migration, out of the player's sight.
    if (cre_is_bird(slot) && out_of_season(c) && !is_in_view(c.Viimeisin_X, c.Viimeisin_Y)) {
        Poista_Olento(slot);
        return 1;
    }
    // 16. Flyers.
    if (c.mobility == MOBILITY_FLYER) {
        const int r = random_below(4);
        if (r == 0) {
            if (cre_can_fly_here(slot)) {
                const TaskPoint exit = cre_find_exit_point(slot);
                if (exit.x != 0 || exit.y != 0) {
                    cre_take_off(slot);
                    queue_task(slot, TASK_GO_TO_POINT, 25, exit.x, exit.y);
                }
            }
        } else if (r == 1) {
            queue_task(slot, TASK_WANDER, len.wander_base + len.wander_spread);
        } else {
            queue_wait(slot, len.wait_base, len.wait_spread);
        }
        return 0;
    }
    // 17. Diving birds.
    if (c.mobility == MOBILITY_DIVER) {
        if (out_of_place) {
            const TaskPoint exit = cre_find_exit_point(slot);
            if (exit.x != 0 || exit.y != 0) queue_task(slot, TASK_GO_TO_POINT, 100, exit.x, exit.y);
        } else if (random_below(3) == 0) {
            queue_wait(slot, len.wait_base, len.wait_spread);
        } else {
            queue_wander(slot, len.wander_base, len.wander_spread);
        }
        return 0;
    }
    // 18. The others.
    switch (random_below(6)) {
    case 0:
        queue_wait(slot, len.wait_base, len.wait_spread);
        break;
    case 1: {
        const TaskPoint exit = cre_find_exit_point(slot);
        if (exit.x != 0 || exit.y != 0) queue_task(slot, TASK_GO_TO_POINT, 100, exit.x, exit.y);
        break;
    }
    case 4:
        cre_go_to_favourite_place(slot);
        break;
    default:
        queue_wander(slot, len.wander_base, len.wander_spread);
        break;
    }
    return 0;
}
