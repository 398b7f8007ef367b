#include "creatures/task_queue.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/files.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/society_services.h"
#include "ui/catalogue.h"
#include "work/timber.h"
#include "work/work_services.h"

TaskPoint task_target_point{0, 0};

namespace {

// The nearest fire that stops a creature from lighting another, and the
// reaches of the places where one may be lit.
constexpr int FIRE_NEAR_RANGE = 30;
constexpr int FIRE_SITE_RANGE = 20;
constexpr int HEARTH_RINGS = 50;
constexpr int ASH_RINGS = 20;
constexpr int TERRAIN_HEARTH = 4;
constexpr int TERRAIN_ASH = 250;
constexpr int TERRAIN_TREE_A = 13;
constexpr int TERRAIN_TREE_B = 18;
constexpr int TREE_RINGS = 50;
constexpr int REQUIREMENT_TRUNK_121 = 402;
constexpr int REQUIREMENT_TRUNK_122 = 400;
constexpr int BUTCHER_SEARCH_RANGE = 15;
constexpr int32_t AIR_STATE_ALOFT = 100;
constexpr int32_t KIND_FOREIGN_TRADER = 510;
constexpr uint8_t MAP_FLAG_LEAVING = 0x10;
constexpr uint8_t BODY_STATE_FAINTED = 4;
constexpr uint8_t CRE_BITS_TIED = 0x01;

bool found(const AreaFind& f) { return f.x != 0 || f.y != 0; }

int first_free_slot(const CreatureRecord& c) {
    for (int k = 0; k < TASK_SLOTS; ++k)
        if (c.Puuha[k] == 0) return k;
    return -1;
}

void clear_slot(CreatureRecord& c, int k) {
    c.Puuha[k] = 0;
    c.task_turns[k] = 0;
    c.task_state[k] = 0;
    c.task_x[k] = 0;
    c.task_y[k] = 0;
    c.task_target[k] = 0;
}

void set_target_point(CreatureRecord& c, int k) {
    c.task_x[k] = task_target_point.x;
    c.task_y[k] = task_target_point.y;
}

// A random point within five squares of the creature, from which felling
// and trunk work look for their place (two draws, never in one expression).
TaskPoint random_point_near(int creature) {
    const int dx = random_below(11) - 5;
    const int dy = random_below(11) - 5;
    return {creature_x(creature) + dx, creature_y(creature) + dy};
}

// Whether "go home" is refused for the creature.
bool home_refused(int creature, const CreatureRecord& c) {
    if (c.home_x == 0) return true;
    if (creature == -1 || c.cre_class == CRE_CLASS_HUMAN) return c.lauma == 0;
    if (creature < 0) return true;
    if (c.cre_status == CRE_STATUS_TIED) return true;
    if (c.owner == OWNER_PLAYER) return true;
    return c.owner <= 0 && (c.cre_bits & CRE_BITS_TIED) != 0;
}

// The target of a new task by its code: false when the rule refuses it.
// `fire_burns` is raised for task 110 beside a burning fire.
bool set_task_target(int creature, CreatureRecord& c, int k, int task, bool& fire_burns) {
    const TaskQueueServices& s = task_queue_services;
    const int cx = creature_x(creature);
    const int cy = creature_y(creature);
    switch (task) {
    case TASK_WAIT:
        if (!s.can_be_at(creature, cx, cy)) return false;
        return creature == -1 || c.air_state != AIR_STATE_ALOFT;
    case TASK_CALL_OVER:
        set_target_point(c, k);
        if (creature != -1) c.sound_cooldown = 2;
        return true;
    case TASK_EAT_CARCASS:
    case TASK_GO_TO_POINT_53:
    case TASK_GO_TO_POINT:
    case TASK_BUTCHER_CARCASS:
        set_target_point(c, k);
        return true;
    case TASK_GO_HOME:
        if (home_refused(creature, c)) return false;
        c.task_x[k] = c.home_x;
        c.task_y[k] = c.home_y;
        return true;
    case TASK_MAKE_FIRE: {
        // A burning fire near makes another one pointless, however near a
        // fire site lies.
        if (found(s.find_object_kind_near(cx, cy, FIRE_NEAR_RANGE, MK_FIRE, MK_FIRE))) {
            fire_burns = true;
            return false;
        }
        AreaFind f = s.find_object_kind_near(cx, cy, FIRE_SITE_RANGE, MK_FIRE_SITE, MK_FIRE_SITE);
        if (!found(f)) f = s.find_terrain_near(cx, cy, HEARTH_RINGS, TERRAIN_HEARTH, TERRAIN_HEARTH);
        if (!found(f)) f = s.find_terrain_near(cx, cy, ASH_RINGS, TERRAIN_ASH, TERRAIN_ASH);
        if (!found(f)) return false;
        c.task_x[k] = f.x;
        c.task_y[k] = f.y;
        return true;
    }
    case TASK_FELL_TREE: {
        const TaskPoint from = random_point_near(creature);
        const AreaFind f = s.find_terrain_near(from.x, from.y, TREE_RINGS, TERRAIN_TREE_A, TERRAIN_TREE_B);
        if (!found(f) || bear_skull_in_pine(f.x, f.y) || !fell_tree(creature, f.x, f.y, 1, 0)) return false;
        c.task_x[k] = f.x;
        c.task_y[k] = f.y;
        return true;
    }
    case TASK_WORK_TRUNK:
    case TASK_WORK_TRUNK_2: {
        const TaskPoint from = random_point_near(creature);
        const bool first = task == TASK_WORK_TRUNK;
        const AreaFind f = s.find_item_meeting_requirement_near(from.x, from.y,
                                                                first ? REQUIREMENT_TRUNK_121 : REQUIREMENT_TRUNK_122);
        if (!found(f) || !do_timbercraft(creature, f.x, f.y, first ? 2 : 6, 1)) return false;
        c.task_x[k] = f.x;
        c.task_y[k] = f.y;
        return true;
    }
    case TASK_COOK:
        return cre_find_requisite_slot(creature) != CRE_NO_CREATURE;
    case TASK_LEAVE_MAP: {
        const TaskPoint p = s.find_exit_point(creature);
        if (p.x == 0 && p.y == 0) return false;
        c.task_x[k] = p.x;
        c.task_y[k] = p.y;
        return true;
    }
    default:
        return true;
    }
}

// Every creature on the map whose record `visit` is called with: the slots
// named by creature records (kind 4) of the map-object table, in its order.
template <class Visit>
void for_each_map_creature(Visit visit) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;
        if (o.TYPE != MK_CREATURE || o.DATA < CREATURE_REF_BASE) continue;
        const int slot = o.DATA - CREATURE_REF_BASE;
        if (!cre_slot_valid(slot)) continue;
        if (!visit(slot)) return;
    }
}

int32_t new_group_id() {
    ++Plr.quest_id_counter;
    return Plr.quest_id_counter;
}

// The members of the leader's group on the map; sleepers are woken before
// `give` hands them what the leader has.
template <class Give>
int for_each_group_member(int leader, Give give) {
    if (cre_find_group_leader(leader) == -1) return -1;
    const CreatureRecord* l = task_creature(leader);
    if (!l) return -1;
    const int32_t group = l->lauma;
    for_each_map_creature([&](int slot) {
        // A group of 0 is no group: only the leader itself is reached.
        if (Cre[slot].lauma != group || (group == 0 && slot != leader)) return true;
        if (Cre[slot].move_mode == MOVE_MODE_ASLEEP) cre_wake_up(slot);
        give(slot);
        return true;
    });
    return 0;
}

int stub_is_human(int creature) { return cre_is_human(creature); }
int stub_are_allies(int a, int b) { return cre_are_allies(a, b); }

}  // namespace

TaskQueueServices task_queue_services = default_task_queue_services();

TaskQueueServices default_task_queue_services() {
    TaskQueueServices s{};
    s.is_human = stub_is_human;
    s.are_allies = stub_are_allies;
    s.can_be_at = cre_can_be_at;
    s.find_object_kind_near = find_object_kind_near;
    s.find_terrain_near = find_terrain_near;
    s.find_item_meeting_requirement_near = find_item_meeting_requirement_near;
    s.find_exit_point = cre_find_exit_point;
    return s;
}

CreatureRecord* task_creature(int creature) {
    if (creature == -1) return &CreScratch;
    if (!cre_slot_valid(creature)) return nullptr;
    return &Cre[creature];
}

int push_task(int creature, int task, int turns) {
    CreatureRecord* c = task_creature(creature);
    if (!c) return TASK_REFUSED;
    const int k = first_free_slot(*c);
    if (k < 0) return TASK_REFUSED;
    c->task_x[k] = 0;
    c->task_y[k] = 0;
    c->task_target[k] = 0;
    bool fire_burns = false;
    if (!set_task_target(creature, *c, k, task, fire_burns)) {
        clear_slot(*c, k);
        return fire_burns ? TASK_FIRE_BURNS : TASK_REFUSED;
    }
    c->Puuha[k] = task;
    c->task_turns[k] = turns;
    c->task_state[k] = TASK_STATE_STARTED;
    return k;
}

void pop_task(int creature, int task_slot) {
    CreatureRecord* c = task_creature(creature);
    if (!c) return;
    if (task_slot < 0) {
        clear_slot(*c, 0);
        return;
    }
    const int last = TASK_SLOTS - 1;
    for (int k = std::min(task_slot, last); k < last; ++k) {
        c->Puuha[k] = c->Puuha[k + 1];
        c->task_turns[k] = c->task_turns[k + 1];
        c->task_state[k] = c->task_state[k + 1];
        c->task_x[k] = c->task_x[k + 1];
        c->task_y[k] = c->task_y[k + 1];
        c->task_target[k] = c->task_target[k + 1];
    }
    // Slot 9's square stays behind; a push clears it before use.
    c->Puuha[last] = 0;
    c->task_turns[last] = 0;
    c->task_state[last] = 0;
    c->task_target[last] = 0;
}

void copy_task_queue(int from, int to) {
    const CreatureRecord* a = task_creature(from);
    CreatureRecord* b = task_creature(to);
    if (!a || !b || a == b) return;
    std::memcpy(b->Puuha, a->Puuha, sizeof a->Puuha);
    std::memcpy(b->task_turns, a->task_turns, sizeof a->task_turns);
    std::memcpy(b->task_state, a->task_state, sizeof a->task_state);
    std::memcpy(b->task_x, a->task_x, sizeof a->task_x);
    std::memcpy(b->task_y, a->task_y, sizeof a->task_y);
    std::memcpy(b->task_target, a->task_target, sizeof a->task_target);
}

int cre_find_group_leader(int creature) {
    CreatureRecord* c = task_creature(creature);
    if (!c) return -1;
    if (c->lstatus == 1) return creature;
    const TaskQueueServices& s = task_queue_services;
    const bool human = s.is_human(creature) != 0;
    bool taken = false;
    int leader = -1;
    for_each_map_creature([&](int other) {
        if (other == creature) return true;
        if ((s.is_human(other) != 0) != human || !s.are_allies(creature, other)) return true;
        CreatureRecord& o = Cre[other];
        if (human && o.lauma != c->lauma && o.lauma != 0) return true;
        taken = true;
        if (c->lauma == 0) c->lauma = new_group_id();
        o.lauma = c->lauma;
        if (o.lstatus != 0) {
            leader = other;
            return false;
        }
        return true;
    });
    if (leader != -1) return leader;
    if (!taken) return -1;
    // A young animal follows; it leads only from the table's first slot.
    if (!(creature > 0 && !human && (c->sex_age & SEX_YOUNG))) c->lstatus = 1;
    return creature;
}

void cre_join_group(int creature, int32_t group) {
    CreatureRecord* c = task_creature(creature);
    if (!c || !task_queue_services.is_human(creature)) return;
    if (group != 0) {
        c->lauma = group;
        return;
    }
    if (c->lauma >= 1) return;
    bool given = false;
    for_each_map_creature([&](int other) {
        if (other == creature || !task_queue_services.is_human(other) ||
            !task_queue_services.are_allies(creature, other))
            return true;
        if (!given && c->lauma == 0) c->lauma = new_group_id();
        given = true;
        Cre[other].lauma = c->lauma;
        return true;
    });
}

int cre_group_copy_tasks(int leader) {
    const CreatureRecord* l = task_creature(leader);
    const bool leaving = l && l->kind == KIND_FOREIGN_TRADER && (l->map_flags & MAP_FLAG_LEAVING);
    return for_each_group_member(leader, [&](int member) {
        copy_task_queue(leader, member);
        if (leaving) Cre[member].map_flags |= MAP_FLAG_LEAVING;
    });
}

int cre_group_copy_attitude(int leader) {
    return for_each_group_member(leader, [&](int member) {
        const CreatureRecord* l = task_creature(leader);
        if (l && &Cre[member] != l) std::memcpy(Cre[member].attitude_block, l->attitude_block, sizeof l->attitude_block);
    });
}

int cre_wake_up(int creature) {
    CreatureRecord* c = task_creature(creature);
    if (!c || c->move_mode != MOVE_MODE_ASLEEP) return 0;
    c->move_mode = c->prev_move_mode == MOVE_MODE_ASLEEP ? 0 : c->prev_move_mode;
    if (c->body_state != BODY_STATE_FAINTED) {
        const int32_t keep = msg_npc;
        msg_npc = creature;
        const char* text = message_by_key("WAKE_UP");
        cre_action_message(creature, text, text);
        msg_npc = keep;
    }
    pop_task(creature, -1);
    const int turns = 10 + random_below(10);
    push_task(creature, TASK_WANDER, turns);
    return 1;
}

int cre_find_requisite_slot(int creature) {
    const CreatureRecord* c = task_creature(creature);
    if (!c) return CRE_NO_CREATURE;
    for (int k = 0; k < 20; ++k) {
        if (!obj_id_is_valid(c->inv_id[k])) continue;
        ObjectRecord r;
        obj_record(c->inv_id[k], r);
        if (obj_meets_requirement(REQUIREMENT_COOKABLE, r)) return k;
    }
    return CRE_NO_CREATURE;
}

void cre_queue_eat_carcass(int, int map_index, int creature) {
    if (!map_index_valid(map_index) || Data[map_index].TYPE != MK_CARCASS) return;
    CreatureRecord* c = task_creature(creature);
    if (!c) return;
    const int dead = map_object_creature(map_index);
    const int k = first_free_slot(*c);
    if (k >= 0) {
        c->Puuha[k] = TASK_EAT_CARCASS;
        c->task_turns[k] = 50;
        c->task_state[k] = TASK_STATE_STARTED;
        set_target_point(*c, k);
        c->task_target[k] = cre_slot_valid(dead) ? int32_t(Cre[dead].sotu) : 0;
    }
    cre_group_copy_tasks(creature);
}

int cre_queue_butcher_carcass(int creature, int map_index, int search) {
    CreatureRecord* c = task_creature(creature);
    if (!c) return 0;
    if (search) {
        map_index = CRE_NO_CREATURE;
        int best = BUTCHER_SEARCH_RANGE + 1;
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == KIND_UNUSED) break;
            if (o.TYPE != MK_CARCASS) continue;
            const int d = std::max(std::abs(int(o.x) - c->Viimeisin_X), std::abs(int(o.y) - c->Viimeisin_Y));
            // Of equally near carcasses the later record wins.
            if (d <= best && butcher_carcass(i, creature, 0)) {
                best = d;
                map_index = i;
            }
        }
    }
    if (!map_index_valid(map_index) || Data[map_index].TYPE != MK_CARCASS) return 0;
    const int k = first_free_slot(*c);
    if (k < 0) return 0;  // a full queue: nothing was queued
    const int dead = map_object_creature(map_index);
    c->Puuha[k] = TASK_BUTCHER_CARCASS;
    c->task_turns[k] = 1000;
    c->task_state[k] = TASK_STATE_STARTED;
    set_target_point(*c, k);
    c->task_target[k] = cre_slot_valid(dead) ? int32_t(Cre[dead].sotu) : 0;
    return 1;
}

int cre_queue_butchering(int creature, int map_index, int search) {
    return cre_queue_butcher_carcass(creature, map_index, search);
}

void reset_task_queue() {
    task_target_point = {0, 0};
}
