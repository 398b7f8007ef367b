#include "creatures/villager_routines.h"

#include <algorithm>
#include <cstdlib>

#include "base/stubs.h"
#include "console/console.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_party.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "creatures/food_seeking.h"
#include "creatures/movement_modes.h"
#include "creatures/task_queue.h"
#include "creatures/task_runner.h"
#include "body/body_condition.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "objects/wear_commands.h"
#include "society/society_services.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr int ERRAND_TURNS = 100;
constexpr int PICK_UP_REACH = 48;
constexpr int CALL_REACH = 64;
constexpr int TALK_REACH = 3;
constexpr int YOUNG_STRAY = 3, STRAY = 10;
constexpr int HUNT_MINUTES = 720;
constexpr int FETCH_STEP_TURNS = 20;
constexpr int TALK_TOLD_OFF = 8;
constexpr int WORN_SLOTS = 7, CARRIED_SLOTS = 20;
constexpr int TABLE_SLOTS = 500;
constexpr uint8_t MAP_ON_WAY_HOME = 0x1;
constexpr uint8_t MAP_IN_PARTY = 0x2;
constexpr uint32_t CRE_SETTLEMENT_REACHED = 0x200;
constexpr int WAGE_PER_SERVICE = 8;
constexpr int CULTURE_NO_SETTLEMENTS = 11;
constexpr uint8_t MOVE_MODE_PARTY_JOIN = 6;

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// The queue's first free slot takes the task towards the map record.
int queue_towards_record(int creature, int task, int index) {
    task_target_point = {Data[index].x, Data[index].y};
    const int slot = push_task(creature, task, ERRAND_TURNS);
    if (slot < 0) return 0;
    Cre[creature].task_target[slot] = index;
    return 1;
}

}  // namespace

void villager_queue_fetch_goods(int villager) {
    if (!cre_slot_valid(villager) || Cre[villager].lauma == 0) return;
    const int32_t village = Cre[villager].lauma;
    set_current_village(village);
    const CreatureRecord& c = Cre[villager];
    int best = -1, best_d = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM) continue;
        const int d = chebyshev(c.Viimeisin_X, c.Viimeisin_Y, o.x, o.y);
        if (best >= 0 && d >= best_d) continue;
        if (!is_displaced_village_item(i, village)) continue;
        best = i;
        best_d = d;
    }
    set_current_village(village);
    if (best < 0) {
        CurVillage.displaced_goods = 0;
        return;
    }
    queue_towards_record(villager, TASK_FETCH_GOODS, best);
}

int villager_queue_pick_up(int villager) {
    if (!cre_slot_valid(villager)) return 0;
    const CreatureRecord& c = Cre[villager];
    int best = -1, best_d = PICK_UP_REACH;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM) continue;
        const int d = chebyshev(c.Viimeisin_X, c.Viimeisin_Y, o.x, o.y);
        if (d >= best_d) continue;
        ObjectRecord r{};
        obj_record(o.DATA, r);
        if (!obj_is_valuable(r) || !can_take_item(villager, 1, o.DATA)) continue;
        best = i;
        best_d = d;
    }
    if (best < 0) return 0;
    return queue_towards_record(villager, TASK_PICK_UP, best);
}

int cre_wear_armour(int creature) {
    // A creature is a slot of the table (0 <= index < 500), or -1 the player.
    if (creature != -1 && (creature < 0 || creature >= TABLE_SLOTS || !cre_is_human(creature))) return 0;
    if (creature == -1) {
        // The player dresses from the character's own inventory.
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            const int id = Plr.plr_inv_id[s];
            if (id == 0) continue;
            ObjectRecord r{};
            obj_record(id, r);
            if (r.item_class != ITEM_ARMOUR || (r.state_bits & OBJ_WORN) || wear_conflict(-1, id, 0)) continue;
            return dress_command(s) == 1 ? 1 : 0;
        }
        return 0;
    }
    CreatureRecord& c = Cre[creature];
    int worn_slot = -1;
    for (int w = 0; w < WORN_SLOTS && worn_slot < 0; ++w)
        if (c.worn[w] == 0) worn_slot = w;
    if (worn_slot < 0) return 0;
    for (int s = 0; s < CARRIED_SLOTS; ++s) {
        const int id = c.inv_id[s];
        if (id == 0 || (c.inv_state[s] & 1)) continue;
        ObjectRecord r{};
        obj_record(id, r);
        if (r.item_class != ITEM_ARMOUR || wear_conflict(creature, id, 0)) continue;
        msg_npc = creature;
        msg_item = id;
        cre_action_message(creature, message_by_key("WEAR_OK"), "");
        c.worn[worn_slot] = id;
        if (c.inv_count[s] <= 1) {
            c.inv_id[s] = 0;
            c.inv_count[s] = 0;
            c.inv_state[s] = 0;
        } else {
            --c.inv_count[s];
        }
        cre_compute_load(creature);
        return 1;
    }
    return 0;
}

int cre_call_to_talk(int, int creature) {
    if (creature_catch_up || plr_cloaked || !cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    if (chebyshev(c.Viimeisin_X, c.Viimeisin_Y, player_x, player_y) > CALL_REACH) return 0;
    if (push_task(creature, TASK_APPROACH_AND_TALK, 255) < 0) return 0;
    cre_group_copy_tasks(creature);
    return 1;
}

int cre_come_to_talk(int creature) {
    if (is_world_map() || creature_catch_up || talk_held_switch || !cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (chebyshev(c.Viimeisin_X, c.Viimeisin_Y, player_x, player_y) > TALK_REACH || long_task_running()) return 0;
    plr_facing_toward(creature_x(creature), creature_y(creature));
    rebuild_view();
    msg_npc = creature;
    show_message(message_by_key("NPC_TALKS"));
    pause_prompt();
    talk_command(TALK_TOLD_OFF);
    Cre[creature].life_bits &= ~STATUS_WANTS_TO_TALK;
    return 1;
}

int cre_stay_with_group(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    if (!cre_is_human(creature) && (cre_is_leashed(creature) || c.owner == OWNER_PLAYER)) return 0;
    const int leader = cre_find_group_leader(creature);
    if (leader < 0 || leader == creature || !cre_slot_valid(leader)) return 0;
    const CreatureRecord& l = Cre[leader];
    const int reach = (c.sex_age & SEX_YOUNG) ? YOUNG_STRAY : STRAY;
    if (chebyshev(c.Viimeisin_X, c.Viimeisin_Y, l.Viimeisin_X, l.Viimeisin_Y) <= reach) return 0;
    if (c.move_mode == MOVE_MODE_ASLEEP) cre_wake_up(creature);
    Kulje_Paikkaan(creature, l.Viimeisin_X, l.Viimeisin_Y);
    return 1;
}

int cre_run_main_task(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    const int code = c.main_task;
    if (code == 0) return 0;
    // The deadline holds for every main task: nobody keeps at one forever.
    if (code == MAIN_TASK_HUNT || code == MAIN_TASK_FETCH) {
        if (c.main_task_until == 0) c.main_task_until = Plr.total_minutes + HUNT_MINUTES;
        if (Plr.total_minutes >= c.main_task_until) {
            cre_clear_main_task(creature);
            return 0;
        }
    }
    if (code == MAIN_TASK_HUNT) {
        pop_task(creature, -1);
        if (cre_seek_game(creature)) return 1;
        return cre_queue_butcher_carcass(creature, -1, 1);
    }
    if (c.main_task_flags & 1) {
        cre_clear_main_task(creature);
        return 0;
    }
    if (code == MAIN_TASK_FETCHED) return 0;
    if (code != MAIN_TASK_FETCH) {
        // An unknown main task is dropped.
        cre_clear_main_task(creature);
        return 0;
    }
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE == MK_PREPARATION && uint32_t(o.time_stamp) == c.sotu) {
            task_target_point = {o.x, o.y};
            push_task(creature, TASK_GO_TO_POINT, FETCH_STEP_TURNS);
            return 1;
        }
        if (o.TYPE != MK_ITEM) continue;
        if (o.DATA == c.main_task_object) {
            c.main_task = MAIN_TASK_FETCHED;
            return 0;
        }
        ObjectRecord r{};
        obj_record(o.DATA, r);
        if (r.extra_value != c.main_task_value) continue;
        if (chebyshev(c.Viimeisin_X, c.Viimeisin_Y, o.x, o.y) > 2) {
            task_target_point = {o.x, o.y};
            push_task(creature, TASK_GO_TO_POINT, ERRAND_TURNS);
            return 1;
        }
        const int x = o.x, y = o.y;
        free_map_object(i);
        clear_staging_object();
        map_object_staging.TYPE = MK_PREPARATION;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = c.main_task_object;
        map_object_staging.amount = 1;
        map_object_staging.time_stamp = int32_t(c.sotu);
        map_object_staging.expire_minute = uint32_t(Plr.total_minutes + c.main_task_until);
        insert_map_object(-1);
        return 1;
    }
    return 1;
}

void cre_leave_party(int creature) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    c.life_bits |= STATUS_LEFT;
    c.map_flags |= MAP_ON_WAY_HOME;
    c.party_flags &= ~PARTY_MEMBER;
    c.leave_day = Plr.days_played;
    cre_mark_companion_gear(creature, 0);
    const bool unfed = c.service_days == 0;
    const float wage = c.pay_value + float(WAGE_PER_SERVICE * c.served) - (unfed ? WAGE_PER_SERVICE : 0);
    const float carried = cre_carried_value(creature) + (unfed ? 4.0f : 0.0f);
    if (!(c.life_bits & STATUS_SEEKS_SETTLEMENT) && carried < wage) {
        c.wage_shortfall = wage - carried;
        if (c.wage_shortfall != 0.0f) c.life_bits |= STATUS_UNPAID;
    } else {
        c.wage_shortfall = 0.0f;
        c.pay_value = 0.0f;
        c.life_bits &= ~STATUS_UNPAID;
    }
    c.life_bits &= ~STATUS_SEEKS_SETTLEMENT;
    c.cre_flags &= ~CRE_SETTLEMENT_REACHED;
}

int cre_reached_settlement(int creature, int x, int y) {
    if (is_world_map() || !cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    const int wx = world_x_of(x), wy = world_y_of(y);
    const int region = world_culture_at(wx, wy);
    if ((c.seek_flags & 1) && (!is_world_site_at(wx, wy, 1) || region == CULTURE_NO_SETTLEMENTS)) return 0;
    if ((c.seek_flags & 2) && region != c.seek_region) return 0;
    c.cre_flags |= CRE_SETTLEMENT_REACHED;
    return 1;
}

void creature_day(int slot) {
    if (!cre_slot_valid(slot) || Cre[slot].cre_class != CRE_CLASS_HUMAN) {
        // The day's catch-up of animals comes with the world's own days.
        KSM_STUB("creature_day");
        return;
    }
    CreatureRecord& c = Cre[slot];
    if (c.party_flags & PARTY_MEMBER) {
        c.map_flags |= MAP_IN_PARTY;
    } else if (c.move_mode == MOVE_MODE_PARTY_JOIN) {
        c.party_flags |= PARTY_MEMBER;
        c.move_mode = 0;
    } else {
        return;
    }
    cre_catch_up_days(slot, 1);
    if (c.service_days > 0) --c.service_days;
    if (cre_update_hunger(slot)) cre_come_to_talk(slot);
}
