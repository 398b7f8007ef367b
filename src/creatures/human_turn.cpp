// One turn of a person on the current map: the village's reactions, the
// task under way, visitors leaving, going home, rest, and what to do next.
#include "creatures/human_turn.h"

#include "base/files.h"
#include "creatures/companion_needs.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "creatures/creature_table.h"
#include "creatures/hunting.h"
#include "creatures/task_queue.h"
#include "creatures/turn_steps.h"
#include "creatures/villager_routines.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/villages.h"

namespace {

constexpr uint8_t STATUS_VISITOR = 5;
constexpr uint8_t STATUS_CHILD = 15;
constexpr uint8_t STATUS_PASSING = 20;
constexpr int KIND_TRADER = 510;
constexpr int CULTURE_WANDERERS = 11;
constexpr uint8_t MAP_GO_HOME = 0x01, MAP_AWAY = 0x02, MAP_NOT_REACTING = 0x04, MAP_OUT_OF_WATER = 0x08,
                  MAP_LEAVE = 0x10;
constexpr uint32_t STATUS_SEEKS_SETTLEMENT = 0x100, STATUS_STAYS_IN_CELL = 0x200, STATUS_WANTS_TALK = 0x80000000u;
constexpr uint32_t CRE_HAS_NEWS = 0x10;
constexpr int TASK_REST_100 = 100, TASK_REST_101 = 101, TASK_SLEEP = 4, TASK_TALK = 70;
constexpr int MAIN_TASK_HUNTING = 69;
constexpr int PASSING_KEEP_AWAY = 40, VISITOR_KEEP_AWAY = 24;

bool near_village(const CreatureRecord& c) {
    return site_within_radius(world_x_of(c.Viimeisin_X), world_y_of(c.Viimeisin_Y), 1) != 0;
}

bool is_villager(const CreatureRecord& c) { return c.lauma != 0 && c.cre_status != STATUS_VISITOR; }

// Step 2: the village watches the player.
bool village_reactions(int slot) {
    CreatureRecord& c = Cre[slot];
    if (!is_villager(c) || cre_is_companion(slot) || c.cre_class != CRE_CLASS_HUMAN) return false;
    if (c.map_flags & (MAP_AWAY | MAP_NOT_REACTING)) return false;
    if (c.move_mode == MOVE_MODE_ASLEEP || creature_catch_up) return false;
    return villager_react_to_player(slot) != 0;
}

// Step 3: out of the water to the nearest land.
void out_of_water(int slot) {
    CreatureRecord& c = Cre[slot];
    if (!(c.map_flags & MAP_OUT_OF_WATER)) return;
    int lx = 0, ly = 0;
    if (is_open_water_at(c.Viimeisin_X, c.Viimeisin_Y) && find_nearest_land(c.Viimeisin_X, c.Viimeisin_Y, &lx, &ly))
        queue_task(slot, TASK_GO_TO_POINT, 20, lx, ly);
    else
        c.map_flags &= uint8_t(~MAP_OUT_OF_WATER);
}

// Step 5: visitors count their days.
void visitor_days(CreatureRecord& c) {
    if (c.cre_status == STATUS_PASSING && c.leave_day == 0) c.leave_day = uint32_t(Plr.days_played + 30);
    if (c.cre_status == STATUS_VISITOR && c.leave_day == 0) {
        const int r = random_below(5);
        c.leave_day = uint32_t(Plr.days_played + 5 + r);
    }
    if ((c.cre_status == STATUS_PASSING || c.cre_status == STATUS_VISITOR) &&
        uint32_t(Plr.days_played) >= c.leave_day)
        c.map_flags |= MAP_LEAVE;
}

// Step 7: a companion looking for a settlement, or wanting to talk.
bool companion_step(int slot) {
    CreatureRecord& c = Cre[slot];
    if (!cre_is_companion(slot)) return false;
    if (!is_world_map() && (status_bits(c) & STATUS_SEEKS_SETTLEMENT) &&
        cre_reached_settlement(slot, c.Viimeisin_X, c.Viimeisin_Y)) {
        status_bits(c) |= STATUS_STAYS_IN_CELL;
        if (c.stay_world_x == 0) {
            c.stay_world_x = world_x_of(c.Viimeisin_X);
            c.stay_world_y = world_y_of(c.Viimeisin_Y);
        }
    }
    return (status_bits(c) & STATUS_WANTS_TALK) && cre_come_to_talk(slot);
}

// Step 11: the task of leaving the map; a refused push is tried again
// next turn.
void leave_map(int slot) {
    CreatureRecord& c = Cre[slot];
    const TaskPoint exit = cre_find_exit_point(slot);
    if (exit.x == 0 && exit.y == 0) return;
    task_target_point = exit;
    if (push_task(slot, TASK_LEAVE_MAP, 100) < 0) return;
    if (c.kind == KIND_TRADER || c.cre_status == STATUS_PASSING) cre_group_copy_tasks(slot);
}

// Step 14: asleep in the rest hours, unless the player is about.
bool rest_step(int slot, bool village) {
    CreatureRecord& c = Cre[slot];
    if (cre_is_active_time(slot)) return false;
    const int d = distance_to_player(c.Viimeisin_X, c.Viimeisin_Y);
    if (c.cre_status == STATUS_PASSING && d <= PASSING_KEEP_AWAY) return false;
    if ((c.home_culture == CULTURE_WANDERERS || c.cre_status == STATUS_VISITOR) && d <= VISITOR_KEEP_AWAY)
        return false;
    if (village) {
        queue_task(slot, TASK_REST_100, 200);
        if (random_below(3) == 0) queue_task(slot, TASK_REST_101, 200);
    }
    queue_task(slot, TASK_SLEEP, 1000);
    return true;
}

// Step 16: one with news comes to tell it.
bool quest_talk(int slot) {
    CreatureRecord& c = Cre[slot];
    if (c.quest_id == 0 || !(c.cre_flags & CRE_HAS_NEWS) || !cre_is_active_time(slot)) return false;
    if (!cre_can_see_point(slot, player_x, player_y)) return false;
    if (is_villager(c) && !village_owns_cell(c.lauma, plr_world_x(), plr_world_y())) return false;
    queue_task(slot, TASK_TALK, 30);
    return true;
}

bool carries_cookable(int slot) { return cre_find_requisite_slot(slot) >= 0; }

void walk_on(int slot) { queue_wander(slot, 15, 15); }

// Step 17: away from villages.
void away_from_village(int slot) {
    CreatureRecord& c = Cre[slot];
    if (cre_is_society_member(slot)) {
        if (distance_to_village(c.lauma, world_x_of(c.Viimeisin_X), world_y_of(c.Viimeisin_Y)) > 0) {
            c.map_flags |= MAP_GO_HOME;
            return;
        }
    }
    if (c.kind == KIND_TRADER) {
        if (random_below(10) < 9) walk_on(slot);
        else queue_wait(slot, 5, 10);
        return;
    }
    if (c.cre_status == STATUS_PASSING) {
        if (villager_queue_pick_up(slot) || cre_call_to_talk(0, slot)) return;
        walk_on(slot);
        return;
    }
    if (!cre_is_society_member(slot)) {
        if (carries_cookable(slot)) {
            queue_task(slot, TASK_COOK, 100);
            return;
        }
        if (int64_t(c.main_task_until) < int64_t(Plr.total_minutes) && Plr.hour >= 6 && Plr.hour <= 18 &&
            random_below(10) == 0) {
            c.main_task = MAIN_TASK_HUNTING;
            c.main_task_until = Plr.total_minutes + 2880;
            return;
        }
    }
    if (random_below(20) == 0) push_task(slot, TASK_FELL_TREE, 100);
    else walk_on(slot);
}

// Step 18: at home in a village.
void in_village(int slot) {
    CreatureRecord& c = Cre[slot];
    if (world_x_of(c.Viimeisin_X) != c.home_x || world_y_of(c.Viimeisin_Y) != c.home_y) {
        askel_kohti_paikkaa((c.home_x - Plr.zoom_origin_x) * 64 + 232, slot, (c.home_y - Plr.zoom_origin_y) * 64 + 232);
        return;
    }
    switch (random_below(6)) {
    case 0:
        queue_task(slot, TASK_REST_100, 100);
        break;
    case 1:
        push_task(slot, TASK_MAKE_FIRE, 100);
        break;
    case 2:
        if (carries_cookable(slot)) queue_task(slot, TASK_COOK, 100);
        break;
    default:
        walk_on(slot);
        break;
    }
}

}  // namespace

TaskPoint cre_find_exit_point(int creature) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int x = 82 + random_below(300);
        const int y = 82 + random_below(300);
        for (int half = 0; half <= 4; ++half) {
            const AreaFind f = find_terrain_near(x, y, half, 250, 250);
            if ((f.x != 0 || f.y != 0) && cre_can_be_at(creature, f.x, f.y)) return {f.x, f.y};
        }
        if (cre_can_be_at(creature, x, y)) return {x, y};
    }
    return {0, 0};
}

int Ela_Ihminen(int map_index) {
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return 0;
    CreatureRecord& c = Cre[slot];
    // 1.
    if (c.sound_cooldown > 0) --c.sound_cooldown;
    // 2-4.
    if (village_reactions(slot)) return 1;
    out_of_water(slot);
    if (Tee_Puuha(map_index)) return 1;
    if (Data[map_index].TYPE != MK_CREATURE) return 1;
    // 5.
    visitor_days(c);
    if (cre_stay_with_group(slot)) return 1;
    // 6.
    if (cre_is_society_member(slot) && c.cre_status != STATUS_CHILD) villager_queue_fetch_goods(slot);
    // 7, 8.
    if (companion_step(slot)) return 1;
    if (cre_wear_armour(slot)) return 1;
    // 9.
    if (cre_follow_leader(slot, 0)) {
        cre_follow_leader(slot, 1);
        return 1;
    }
    // 10.
    if ((c.map_flags & MAP_AWAY) &&
        distance_to_village(c.lauma, world_x_of(c.Viimeisin_X), world_y_of(c.Viimeisin_Y)) <= 2)
        c.map_flags &= uint8_t(~MAP_AWAY);
    // 11.
    if (c.map_flags & MAP_LEAVE) {
        leave_map(slot);
        return 1;
    }
    // 12. Home; one that cannot go wanders on.
    if (c.map_flags & MAP_GO_HOME) {
        if (push_task(slot, TASK_GO_HOME, 200) >= 0) return 1;
        c.map_flags &= uint8_t(~MAP_GO_HOME);
    }
    // 13, 14.
    const bool village = near_village(c);
    if (rest_step(slot, village)) return 1;
    // 15, 16.
    if (cre_run_main_task(slot)) return 1;
    if (quest_talk(slot)) return 1;
    // 17, 18.
    if (!village) away_from_village(slot);
    else in_village(slot);
    return 0;
}
