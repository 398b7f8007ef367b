// The task runner: one step of the task in slot 0 of a creature's queue.
#include "creatures/task_runner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "body/body_queries.h"
#include "body/exertion.h"
#include "console/console.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_table.h"
#include "creatures/movement_modes.h"
#include "creatures/task_queue.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "society/society_services.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/carcasses.h"
#include "work/cooking.h"
#include "work/eating.h"
#include "work/field_work.h"
#include "work/fire_work.h"
#include "work/food_values.h"
#include "work/timber.h"
#include "work/work_services.h"

int32_t talk_held_switch = 0;

namespace {

// A block that does not answer lets the turn go on to the later blocks and
// the countdown.
constexpr int GO_ON = -1;
constexpr int32_t TASK_SEARCHED = 2;  // tasks 100 and 101: the square is kept
constexpr uint32_t CRE_HAS_NEWS = 0x10;
// The attitude block's last byte holds the robbery marks; the group
// copies the whole block.
constexpr int ATTITUDE_FLAGS = 19;
constexpr uint8_t ATTITUDE_GAVE_UP_ROBBING = 0x04;
constexpr uint8_t ATTITUDE_ROBBED_PLAYER = 0x08;
constexpr uint8_t MAP_ON_WAY_HOME = 0x01;
constexpr uint8_t MAP_LEAVING = 0x10;
constexpr uint32_t TF_TREE = TF_YOUNG_TREE;
constexpr int COOK_BATCH = 10;

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

void clear_task(int c) { pop_task(c, -1); }

void debug_line(const char* text) {
    if (debug_messages_on) debug_message(text);
}

// Turns the player to the creature and opens its talk: the speaker, the
// notice and the pause first.
void open_talk(int c) {
    plr_facing_toward(creature_x(c), creature_y(c));
    rebuild_view();
    msg_npc = c;
    show_message(message_by_key("NPC_TALKS"));
    pause_prompt();
}

// The carcass of the creature whose sotu is the task's target: its record
// index, -1 when it is gone.
int carcass_of(int32_t sotu) {
    const int dead = dead_cre_by_sotu(uint32_t(sotu));
    if (dead < 0) return -1;
    const int i = corpse_object_index(dead);
    return i >= 0 ? i : -1;
}

// Tasks 80 and 81 point at a record; when the records moved, the item is
// looked for again on the square the task kept.
int task_item_record(const CreatureRecord& cr) {
    const int i = cr.task_target[0];
    if (map_index_valid(i) && Data[i].TYPE == MK_ITEM && Data[i].x == cr.task_x[0] && Data[i].y == cr.task_y[0])
        return i;
    return find_map_object(MK_ITEM, cr.task_x[0], cr.task_y[0]);
}

int run_goods_80(int c, CreatureRecord& cr) {
    const int item = task_item_record(cr);
    if (item < 0 || !is_displaced_village_item(item, cr.lauma)) {
        clear_task(c);
        village_has_displaced_items(cr.lauma);
        return 0;
    }
    if (!askel_kohti_paikkaa(Data[item].x, c, Data[item].y)) return GO_ON;
    remitemdebt(cr.lauma, Data[item].DATA, Data[item].amount);
    if (cre_pick_up_map_item(c, item, Data[item].amount)) {
        clear_task(c);
        return 1;
    }
    if (Data[item].amount <= 1) return 1;  // tried again next turn
    if (!cre_pick_up_map_item(c, item, 1)) set_current_village(cr.lauma);
    clear_task(c);
    return 1;
}

int run_talk_70(int c, CreatureRecord& cr) {
    const bool owns = cr.lauma == 0 || village_owns_cell(cr.lauma, world_x_of(player_x), world_y_of(player_y));
    if (!(cr.cre_flags & CRE_HAS_NEWS) || !owns) {
        clear_task(c);
        return 0;
    }
    const int distance = chebyshev(cr.Viimeisin_X, cr.Viimeisin_Y, player_x, player_y);
    if (distance >= 2 || long_task_running() || talk_held_switch) {
        askel_kohti_paikkaa(player_x, c, player_y);
        return GO_ON;
    }
    if (cr.quest_id == 0) return GO_ON;
    unsigned char quest[4096];
    if (!read_quest_record(cr.quest_id, quest, int(sizeof quest))) {
        cr.cre_flags &= ~CRE_HAS_NEWS;
        clear_task(c);
        return 0;
    }
    // The talk opens once: the task is done whatever the talk brings.
    clear_task(c);
    open_talk(c);
    clear_trade_piles();
    talk_command(8);
    return 0;
}

int run_pick_up_81(int c, CreatureRecord& cr) {
    const int item = task_item_record(cr);
    ObjectRecord r{};
    if (item >= 0) obj_record(Data[item].DATA, r);
    if (item < 0 || !obj_is_valuable(r)) {
        clear_task(c);
        return 0;
    }
    if (!askel_kohti_paikkaa(Data[item].x, c, Data[item].y)) return GO_ON;
    const int whole = Data[item].amount;
    cre_pick_up_map_item(c, item, can_take_item(c, whole, Data[item].DATA) ? whole : 1);
    clear_task(c);
    return 1;
}

int run_robbery_151(int c, CreatureRecord& cr) {
    // Once the player has handed something over since the robbery talk.
    if (cre_snatch_player_items(c, 1) > 0) {
        clear_task(c);
        cr.attitude_block[ATTITUDE_FLAGS] |= ATTITUDE_ROBBED_PLAYER;
        cre_group_copy_attitude(c);
        return 1;
    }
    cre_face_towards(c, player_x, player_y);
    cre_ready_weapon(c);
    return GO_ON;
}

int run_wander_1(int map_index, int c, CreatureRecord& cr) {
    cr.Suunta = ((cr.Suunta + random_below(3) - 1) % 8 + 8) % 8;
    Elain_Eteenpain(map_index);
    const int x = creature_x(c), y = creature_y(c);
    if (cr.air_state == AIR_ALOFT && cr.task_turns[0] < 10 && (terrain_flags_of(terrain_at(x, y)) & TF_TREE)) {
        cr.air_state = AIR_IN_TREE;
        cr.task_turns[0] = 0;
    }
    return GO_ON;
}

int run_eat_carcass_52(int c, CreatureRecord& cr) {
    const int i = carcass_of(cr.task_target[0]);
    const int dead = i >= 0 ? map_object_creature(i) : -1;
    if (i < 0 || !cre_slot_valid(dead)) {
        pop_task(c, 0);
        return 0;
    }
    const int x = Data[i].x, y = Data[i].y;
    Kulje_Paikkaan(c, x, y);
    if (chebyshev(creature_x(c), creature_y(c), x, y) >= 2) return GO_ON;
    // A full stomach stops before the bite, not after it.
    if (cr.energy >= cre_stomach_capacity(c)) {
        clear_task(c);
        return 1;
    }
    cre_land(c);
    CreatureRecord& body = Cre[dead];
    char name[sizeof body.name + 1];
    copy_field(name, sizeof name, body.name, sizeof body.name);
    ObjectRecord cut = make_meat_cut_object(name, body.kind, 1.0f);
    Nutrition n{};
    ravinto(cut, n);
    add_food_to_stomach(c, 0, 1.0f, n, cut);
    if (cre_is_bird(dead) && !is_carcass_skinned(dead))
        for (int k = 0; k < 3; ++k) cre_drop_feather(dead, x, y, 0);
    body.weight -= pounds_in_kilograms(1.0f);
    body.carcass_bits &= uint8_t(~1u);
    if (body.weight <= 0.0f) {
        free_map_object(i);
        clear_task(c);
        remove_carcass_remains(c, x, y);
    }
    return 1;
}

int run_eat_at_spot_53(int c, CreatureRecord& cr) {
    const int tx = cr.task_x[0], ty = cr.task_y[0];
    Kulje_Paikkaan(c, tx, ty);
    if (creature_x(c) != tx || creature_y(c) != ty) return GO_ON;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.x != tx || o.y != ty || o.DATA != cr.task_target[0]) continue;
        if (o.TYPE == MK_ITEM) {
            ObjectRecord r{};
            obj_record(o.DATA, r);
            if (!cre_will_eat(c, r)) continue;
            cre_land(c);
            float amount = r.weight;
            if (r.kind == 419) {
                if (random_below(5) != 1) return 1;
                amount = std::max(0.01f, r.full_weight / 100.0f);
            }
            if (amount <= 0.0f) return 1;
            msg_npc = c;
            cre_action_message(c, message_by_key("DO_EAT"), "");
            Nutrition n{};
            ravinto(r, n);
            add_food_to_stomach(c, 0, amount, n, r);
            if (amount == r.weight) decrement_map_object(i);
            else take_weight_from_map_item(i, amount);
            pop_task(c, 0);
            char name[sizeof r.name + 1];
            copy_field(name, sizeof name, r.name, sizeof r.name);
            if (cr.kind == 611 && (cr.cre_flags & 0x2) && std::strstr(name, "bread")) {
                cr.cre_flags |= 0x4;
            } else {
                push_task(c, TASK_WAIT, 3);
                ravinnonhankinta(c, 1);
            }
            return 1;
        }
        if (o.TYPE == MK_PLANT_PATCH) {
            if (harvest_plant(i, c, o.state == 0 ? -1 : 0, 0)) cr.energy = int16_t(std::min(32767, cr.energy + 100));
            pop_task(c, 0);
            push_task(c, TASK_WAIT, 2);
            ravinnonhankinta(c, 1);
            return 1;
        }
    }
    pop_task(c, 0);
    return 1;
}

int run_approach_150(int c, CreatureRecord& cr) {
    (void)cr;
    if (!cre_approach_and_talk(c)) return GO_ON;
    // The talk opened: it is not opened again.
    pop_task(c, 0);
    return 1;
}

int run_hunt(int c, CreatureRecord& cr, int code) {
    const int prey = cre_by_sotu(uint32_t(cr.task_target[0]));
    if (prey < 0 || cre_datapos(prey) < 0) {
        const int carcass = carcass_of(cr.task_target[0]);
        if (carcass >= 0) {
            clear_task(c);
            if (code == 55) cre_queue_eat_carcass(0, carcass, c);
            else cre_queue_butcher_carcass(c, carcass, 0);
            return 1;
        }
        pop_task(c, 0);
        if (code == 55) {
            if (debug_messages_on) show_message("? Saalistus ohi - ei l\xF6ydetty koordinaatteja");
        } else {
            debug_line("Mets\xE4stys ohi - ei l\xF6ydetty koordinaatteja");
        }
        return 0;
    }
    const CreatureRecord& p = Cre[prey];
    if (code == 55) {
        if (cre_is_bird(c)) {
            if (!cre_can_fly_here(c)) {
                pop_task(c, 0);
                return 0;
            }
            cre_take_off(c);
        } else if (cre_target_out_of_reach(c, prey)) {
            pop_task(c, 0);
            return 0;
        }
    } else {
        if ((p.air_state == AIR_ALOFT || p.air_state == AIR_IN_TREE) && !cre_can_shoot(c, 0)) {
            pop_task(c, 0);
            return 0;
        }
        if (is_open_water_at(p.Viimeisin_X, p.Viimeisin_Y)) {
            pop_task(c, 0);
            return 0;
        }
    }
    if (debug_messages_on) {
        char name[sizeof p.name + 1];
        copy_field(name, sizeof name, p.name, sizeof p.name);
        char line[160];
        format_text(line, sizeof line, code == 55 ? "Saalistus kohti %d,%d (%s)" : "Mets\xE4stys kohti %d,%d (%s)",
                    p.Viimeisin_X, p.Viimeisin_Y, name);
        debug_message(line);
    }
    if (chebyshev(cr.Viimeisin_X, cr.Viimeisin_Y, p.Viimeisin_X, p.Viimeisin_Y) < 10) cre_begin_attack(c, prey, 0);
    else Kulje_Paikkaan(c, p.Viimeisin_X, p.Viimeisin_Y);
    return GO_ON;
}

int run_terrain_walk(int c, CreatureRecord& cr, int code) {
    if (cr.task_state[0] != TASK_SEARCHED) {
        const int rings = code == 100 ? 100 : 50;
        const int wanted = code == 100 ? 95 : 19;
        const AreaFind f = find_terrain_near(creature_x(c), creature_y(c), rings, wanted, wanted);
        if (f.x == 0 && f.y == 0) {
            cr.Puuha[0] = 0;
            return GO_ON;
        }
        cr.task_x[0] = f.x;
        cr.task_y[0] = f.y;
        cr.task_state[0] = TASK_SEARCHED;
        if (code == 100) cr.task_turns[0] = 100;
    }
    if (Kulje_Paikkaan(c, cr.task_x[0], cr.task_y[0])) cr.Puuha[0] = 0;
    return GO_ON;
}

int run_call_over_50(int c, CreatureRecord& cr) {
    const int dx = random_below(3) - 1;
    const int dy = random_below(3) - 1;
    Kulje_Paikkaan(c, cr.task_x[0] + dx, cr.task_y[0] + dy);
    if (cre_is_own_animal(c) || cre_is_companion(c)) {
        if (cr.sound_cooldown > 60) cr.sound_cooldown = 0;
        if (cr.sound_cooldown == 0) {
            msg_npc = c;
            if (cre_is_not_human(c)) cre_action_message(c, message_by_key("SOUND_NORMAL"), "");
            else cre_shout(c, "Come here!");
            cre_sense_step(c, 2 + random_below(5));
        }
    }
    if (is_in_view(cr.Viimeisin_X, cr.Viimeisin_Y) && chebyshev(cr.Viimeisin_X, cr.Viimeisin_Y, player_x, player_y) < 5) {
        pop_task(c, 0);
        return 1;
    }
    return GO_ON;
}

int run_go_to_60(int c, CreatureRecord& cr) {
    if (debug_messages_on) {
        char line[80];
        format_text(line, sizeof line, "#%d Menepaikkaan: %d,%d", c, cr.task_x[0], cr.task_y[0]);
        show_message(line);
    }
    if (Kulje_Paikkaan(c, cr.task_x[0], cr.task_y[0])) {
        debug_message_format("Menepaikkaan: %d,%d reached - cancel now", cr.task_x[0], cr.task_y[0]);
        pop_task(c, 0);
        return 1;
    }
    return GO_ON;
}

int run_leave_200(int c, CreatureRecord& cr) {
    if (debug_messages_on) {
        char line[80];
        format_text(line, sizeof line, "Poistu paikkaan: %d,%d", cr.task_x[0], cr.task_y[0]);
        show_message(line);
    }
    Kulje_Paikkaan(c, cr.task_x[0], cr.task_y[0]);
    if (distance_to_player(creature_x(c), creature_y(c)) > 36) {
        cr.map_flags &= uint8_t(~MAP_LEAVING);
        Poista_Olento(c);
    }
    return 1;
}

// The step of 25 squares towards home on one axis; none on an equal one.
int towards(int from_cell, int home_cell) {
    if (home_cell > from_cell) return 25;
    if (home_cell < from_cell) return -25;
    return 0;
}

int run_go_home_65(int c, CreatureRecord& cr) {
    if (is_world_map()) return GO_ON;
    const int wx = world_x_of(cr.Viimeisin_X), wy = world_y_of(cr.Viimeisin_Y);
    const int hx = cr.task_x[0], hy = cr.task_y[0];
    const int ox = world_x_of(ZOOM_FIRST), oy = world_y_of(ZOOM_FIRST);
    if (distance_to_player(creature_x(c), creature_y(c)) > 64 && (std::abs(hx - ox) > 2 || std::abs(hy - oy) > 2)) {
        cr.map_flags &= uint8_t(~MAP_ON_WAY_HOME);
        const uint32_t sotu = cr.sotu;
        if (send_creature_off_map(c, hx, hy)) {
            const int still = cre_by_sotu(sotu);
            if (still >= 0) Poista_Olento(still);
            return 1;
        }
    }
    if (wx == hx && wy == hy) {
        cr.map_flags &= uint8_t(~MAP_ON_WAY_HOME);
        pop_task(c, 0);
        return 1;
    }
    const int tx = cr.Viimeisin_X + towards(wx, hx), ty = cr.Viimeisin_Y + towards(wy, hy);
    debug_message_format("headhome -> %d,%d (cr %d)", tx, ty, c);
    Kulje_Paikkaan(c, tx, ty);
    return GO_ON;
}

int run_fire_110(int c, CreatureRecord& cr) {
    const int tx = cr.task_x[0], ty = cr.task_y[0];
    if (cr.task_state[0] != TASK_STATE_WAIT_OVER) {
        if (Kulje_Paikkaan(c, tx, ty)) {
            // The ten turns of the wait begin with the next one.
            cr.task_turns[0] = 10;
            cr.task_state[0] = TASK_STATE_WAITING;
            return 1;
        }
        return GO_ON;
    }
    if (player_x == tx && player_y == ty) {
        cre_face_towards(c, player_x, player_y);
        return 1;
    }
    if (!is_object_kind_adjacent(MK_FIRE, tx, ty)) place_fire_object(tx, ty, 200);
    pop_task(c, 0);
    return 1;
}

int run_cook_130(int c, CreatureRecord& cr) {
    const int slot = cre_find_requisite_slot(c);
    if (slot < 0) {
        pop_task(c, 0);
        return 0;
    }
    const int batch = std::min<int>(COOK_BATCH, cr.inv_count[slot]);
    const AreaFind fire = find_object_kind_near(cr.Viimeisin_X, cr.Viimeisin_Y, 30, MK_FIRE, MK_FIRE);
    if (fire.x == 0 && fire.y == 0) {
        pop_task(c, 0);
        task_target_point = {cr.Viimeisin_X, cr.Viimeisin_Y};
        // The cooking waits for the fire, and only when the fire was taken
        // on.
        if (push_task(c, TASK_MAKE_FIRE, 100) >= 0 && cre_find_requisite_slot(c) >= 0) push_task(c, TASK_COOK, 100);
        return 0;
    }
    if (chebyshev(creature_x(c), creature_y(c), fire.x, fire.y) >= 2) {
        Kulje_Paikkaan(c, fire.x, fire.y);
        return GO_ON;
    }
    cre_face_towards(c, fire.x, fire.y);
    if (cr.task_state[0] == TASK_STATE_STARTED) {
        cr.task_turns[0] = 25;
        cr.task_state[0] = TASK_STATE_WAITING;
        return 1;
    }
    if (cr.task_state[0] != TASK_STATE_WAIT_OVER) return GO_ON;
    ObjectRecord r{};
    obj_record(cr.inv_id[slot], r);
    const int instance = obj_store_record(r);
    const int cooked = Kokkaa(121, instance, 1);
    cre_take_from_slot(c, slot, batch);
    if (cooked > 0 && !cre_add_item_tagged(c, cooked, batch, 0))
        put_object_on_map(MK_ITEM, creature_x(c), creature_y(c), cooked, batch);
    pop_task(c, 0);
    if (cre_find_requisite_slot(c) >= 0) push_task(c, TASK_COOK, 100);
    return 1;
}

int run_woodwork(int c, CreatureRecord& cr, int code) {
    if (is_world_map()) {
        pop_task(c, 0);
        return 0;
    }
    const int tx = cr.task_x[0], ty = cr.task_y[0];
    if (chebyshev(cr.Viimeisin_X, cr.Viimeisin_Y, tx, ty) > 1) {
        Kulje_Paikkaan(c, tx, ty);
        return GO_ON;
    }
    bool done = false;
    if (code == TASK_FELL_TREE) {
        done = fell_tree(c, tx, ty, 0, 0) != 0;
    } else {
        const int r = do_timbercraft(c, tx, ty, code == TASK_WORK_TRUNK ? 2 : 6, 0);
        done = r == 1 || r == -1;
    }
    if (!done) return GO_ON;
    pop_task(c, 0);
    return 1;
}

int run_sleep_4(int c, CreatureRecord& cr) {
    if (!cre_can_sleep_here(c)) {
        cr.wake_hour = uint8_t(Plr.hour + 1);
        pop_task(c, 0);
        return 0;
    }
    int turns = cre_is_active_time(c) ? 0 : 1000;
    if (cre_is_companion(c) || cr.cre_status == CRE_STATUS_TIED) turns = 0;
    cr.task_turns[0] = turns;
    const int x = creature_x(c), y = creature_y(c);
    if (cr.cre_class == CRE_CLASS_HUMAN && (terrain_flags_of(terrain_at(x, y)) & TF_WATER)) {
        pop_task(c, 0);
        return 0;
    }
    cre_set_exertion(c, 0);
    if (turns != 0 && cr.move_mode != MOVE_MODE_ASLEEP) {
        const int code = terrain_at(x, y);
        if (code == 22 || code == 45 || code == 46) {
            cr.Puuha[0] = 0;
        } else {
            cre_land(c);
            cr.prev_move_mode = cr.move_mode;
            cr.move_mode = MOVE_MODE_ASLEEP;
            cr.wake_hour = 0;
        }
    }
    return GO_ON;
}

int run_block(int map_index, int c, CreatureRecord& cr) {
    int r = GO_ON;
    auto code = [&] { return cr.Puuha[0]; };
    if (code() == 80 && (r = run_goods_80(c, cr)) != GO_ON) return r;
    if (code() == 70 && (r = run_talk_70(c, cr)) != GO_ON) return r;
    if (code() == 81 && (r = run_pick_up_81(c, cr)) != GO_ON) return r;
    if (code() == 151 && (r = run_robbery_151(c, cr)) != GO_ON) return r;
    if (code() == TASK_WANDER && (r = run_wander_1(map_index, c, cr)) != GO_ON) return r;
    if (code() == TASK_EAT_CARCASS && (r = run_eat_carcass_52(c, cr)) != GO_ON) return r;
    if (code() == TASK_BUTCHER_CARCASS) {
        const int i = carcass_of(cr.task_target[0]);
        if (i < 0) {
            pop_task(c, 0);
            return 0;
        }
        Kulje_Paikkaan(c, Data[i].x, Data[i].y);
        if (chebyshev(creature_x(c), creature_y(c), Data[i].x, Data[i].y) < 2) {
            if (debug_logs_on) debug_log("cre", "Ruhoa k\xE4sitell\xE4\xE4n.");
            const int dead = map_object_creature(i);
            int done = 0;
            if (skin_carcass(dead, c, 0)) done = skin_carcass(dead, c, 1);
            else done = butcher_carcass(i, c, 1);
            if (done == 0) {
                pop_task(c, 0);
                return 1;
            }
        }
    }
    if (code() == TASK_GO_TO_POINT_53 && (r = run_eat_at_spot_53(c, cr)) != GO_ON) return r;
    if (code() == 150 && (r = run_approach_150(c, cr)) != GO_ON) return r;
    if (code() == 55 && (r = run_hunt(c, cr, 55)) != GO_ON) return r;
    if (code() == 69 && (r = run_hunt(c, cr, 69)) != GO_ON) return r;
    if (code() == 100 && (r = run_terrain_walk(c, cr, 100)) != GO_ON) return r;
    if (code() == TASK_CALL_OVER && (r = run_call_over_50(c, cr)) != GO_ON) return r;
    if (code() == TASK_GO_TO_POINT && (r = run_go_to_60(c, cr)) != GO_ON) return r;
    if (code() == TASK_LEAVE_MAP && (r = run_leave_200(c, cr)) != GO_ON) return r;
    if (code() == TASK_GO_HOME && (r = run_go_home_65(c, cr)) != GO_ON) return r;
    if (code() == TASK_MAKE_FIRE && (r = run_fire_110(c, cr)) != GO_ON) return r;
    if (code() == TASK_COOK && (r = run_cook_130(c, cr)) != GO_ON) return r;
    if (code() == 101 && (r = run_terrain_walk(c, cr, 101)) != GO_ON) return r;
    if ((code() == TASK_FELL_TREE || code() == TASK_WORK_TRUNK || code() == TASK_WORK_TRUNK_2) &&
        (r = run_woodwork(c, cr, code())) != GO_ON)
        return r;
    if (code() == 140) cre_seek_food_item(c);
    if (code() == 4 && (r = run_sleep_4(c, cr)) != GO_ON) return r;
    return GO_ON;
}

}  // namespace

int Tee_Puuha(int map_index) {
    if (!map_index_valid(map_index) || Data[map_index].TYPE != MK_CREATURE) return 0;
    const int c = map_object_creature(map_index);
    if (!cre_slot_valid(c)) return 0;
    CreatureRecord& cr = Cre[c];
    if (cr.Puuha[0] == 0) return 0;
    if (debug_logs_on) {
        char line[96];
        format_text(line, sizeof line, "Tee_Puuha (dp %d) Cre[%d].Puuha[0] = %d", map_index, c, cr.Puuha[0]);
        debug_log("cre", line);
    }
    if (cr.task_state[0] == TASK_STATE_WAITING) {
        if (--cr.task_turns[0] > 0) return 1;
        cr.task_state[0] = TASK_STATE_WAIT_OVER;
    }
    if (cr.move_mode == MOVE_MODE_ASLEEP && cr.Puuha[0] != 4) {
        cre_wake_up(c);
        return 1;
    }
    const int answer = run_block(map_index, c, cr);
    if (answer != GO_ON) return answer;
    // The creature may have left the map in its block.
    if (!cre_slot_valid(c) || cre_datapos(c) < 0) return 1;

    const int32_t code = cr.Puuha[0];
    if (code != 0 && --cr.task_turns[0] <= 0) {
        if (code == 151) {
            cr.attitude_block[ATTITUDE_FLAGS] |= ATTITUDE_GAVE_UP_ROBBING;
            cre_group_copy_attitude(c);
        }
        // A sleeper woken at the end of its sleep keeps the wander the
        // waking queued in its place.
        const bool woke = code == 4 && cre_wake_up(c);
        if (debug_logs_on) {
            char line[48];
            format_text(line, sizeof line, "puuha %d timeout", code);
            debug_log("cre", line);
        }
        if (!woke) cr.Puuha[0] = 0;
    }
    if (cr.Puuha[0] == 0) {
        if (debug_logs_on) {
            char line[48];
            format_text(line, sizeof line, "#%d puuha on 0", c);
            debug_log("cre", line);
        }
        pop_task(c, 0);
    }
    return 1;
}

int cre_can_sleep_here(int creature) {
    if (creature >= 500) return 1;
    if (!cre_slot_valid(creature)) return 1;
    const CreatureRecord& cr = Cre[creature];
    const int x = creature_x(creature), y = creature_y(creature);
    if (cr.cre_class == CRE_CLASS_HUMAN) {
        if (is_open_water_at(x, y)) return 0;
        if (weather.current.rain > 0 && !is_roofed_at(x, y)) return 0;
        return 1;
    }
    if (!cre_is_own_animal(creature) && distance_to_player(cr.Viimeisin_X, cr.Viimeisin_Y) < 25) return 0;
    return 1;
}

int cre_seek_food_item(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    const int cx = creature_x(creature), cy = creature_y(creature);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_ITEM || o.state != 1) continue;
        if (std::abs(o.x - cx) + std::abs(o.y - cy) > 50) continue;
        // A record of its own: the command's current object stays as it is.
        ObjectRecord r{};
        obj_record(o.DATA, r);
        if (r.item_class != ITEM_FOOD) return 0;
        if (!askel_kohti_paikkaa(o.x, creature, o.y)) return 0;
        cre_take_map_item(creature, i, 1);
        return 1;
    }
    return 0;
}

int cre_approach_and_talk(int creature) {
    if (creature_catch_up || plr_cloaked || is_world_map() || !cre_slot_valid(creature)) return 0;
    const CreatureRecord& cr = Cre[creature];
    cre_group_copy_tasks(creature);
    if (!cre_can_see_point(creature, player_x, player_y) || player_is_hiding()) {
        const int dx = random_below(20) - 10;
        const int dy = random_below(20) - 10;
        Kulje_Paikkaan(creature, player_x + dx, player_y + dy);
        return 0;
    }
    Kulje_Paikkaan(creature, player_x, player_y);
    if (chebyshev(cr.Viimeisin_X, cr.Viimeisin_Y, player_x, player_y) > 1) return 0;
    open_talk(creature);
    talk_with_creature(creature, 0);
    return 1;
}
