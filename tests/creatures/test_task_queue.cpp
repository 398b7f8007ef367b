// The task queue: pushing with each code's target and refusal, popping,
// group leaders and ids, copies to a group, waking a sleeper and the
// carcass follow-ups.
#include <gtest/gtest.h>

#include <cstring>

#include "base/files.h"
#include "creatures/creature_files.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

namespace {

// What the planted searches find: a burning fire, a fire site, an exit.
AreaFind planted_fire{0, 0, 0};
AreaFind planted_fire_site{0, 0, 0};
TaskPoint planted_exit{0, 0};
bool planted_can_stand = true;

AreaFind plant_find_object(int, int, int, int kind_a, int) {
    if (kind_a == MK_FIRE) return planted_fire;
    if (kind_a == MK_FIRE_SITE) return planted_fire_site;
    return {0, 0, 0};
}
AreaFind plant_find_terrain(int, int, int, int, int) { return {0, 0, 0}; }
TaskPoint plant_exit(int) { return planted_exit; }
int plant_can_be_at(int, int, int) { return planted_can_stand ? 1 : 0; }
int plant_is_human(int creature) { return task_creature(creature)->cre_class == CRE_CLASS_HUMAN ? 1 : 0; }
int plant_allies(int, int) { return 1; }

class TaskQueue : public ::testing::Test {
protected:
    void SetUp() override {
        reset_creature_tables();
        reset_map_object_table();
        reset_task_queue();
        std::memset(&CreScratch, 0, sizeof CreScratch);
        messages_suppressed = true;
        seed_random(3);
        Plr.quest_id_counter = 700;
        planted_fire = planted_fire_site = {0, 0, 0};
        planted_exit = {0, 0};
        planted_can_stand = true;
        task_queue_services = default_task_queue_services();
        task_queue_services.find_object_kind_near = plant_find_object;
        task_queue_services.find_terrain_near = plant_find_terrain;
        task_queue_services.find_exit_point = plant_exit;
        task_queue_services.can_be_at = plant_can_be_at;
        task_queue_services.is_human = plant_is_human;
        task_queue_services.are_allies = plant_allies;
    }
    void TearDown() override { task_queue_services = default_task_queue_services(); }

    // A creature of the class in slot s, standing at (x, y) on the map.
    CreatureRecord& place(int s, uint8_t cre_class, int x = 200, int y = 200) {
        std::memset(&Cre[s], 0, sizeof(CreatureRecord));
        Cre[s].cre_class = cre_class;
        Cre[s].sotu = uint32_t(5000 + s);
        CreSlotRefs[s] = 2000 + s;
        clear_staging_object();
        map_object_staging.TYPE = MK_CREATURE;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = CREATURE_REF_BASE + s;
        insert_map_object(-1);
        return Cre[s];
    }
};

TEST_F(TaskQueue, PushFillsTheFirstFreeSlotAndPopsShiftOrClear) {
    CreatureRecord& c = place(3, 2);
    for (int k = 0; k < TASK_SLOTS; ++k) EXPECT_EQ(push_task(3, 11 + k, 5), k);
    const CreatureRecord full = c;
    EXPECT_EQ(push_task(3, 40, 5), TASK_REFUSED);
    EXPECT_EQ(std::memcmp(&full, &c, sizeof c), 0) << "an eleventh push changed the record";

    // pop(9) clears code, turns, state and target of slot 9 only.
    c.task_x[9] = 77;
    c.task_target[9] = 9;
    pop_task(3, 9);
    EXPECT_EQ(c.Puuha[9], 0);
    EXPECT_EQ(c.task_target[9], 0);
    EXPECT_EQ(c.task_x[9], 77);
    EXPECT_EQ(c.Puuha[8], 19);

    // [A, B, C]: pop(0) gives [B, C, 0]; pop(-1) gives [0, B, C] and the
    // next push lands in slot 0.
    std::memset(c.Puuha, 0, sizeof c.Puuha);
    struct Case {
        int pop;
        int32_t after[4];
        int next_push;
    };
    const Case cases[] = {
        {0, {'B', 'C', 0, 0}, 2},
        {-1, {0, 'B', 'C', 0}, 0},
        {1, {'A', 'C', 0, 0}, 2},
    };
    for (const Case& k : cases) {
        std::memset(c.Puuha, 0, sizeof c.Puuha);
        const int32_t abc[3] = {'A', 'B', 'C'};
        for (int i = 0; i < 3; ++i) {
            c.Puuha[i] = abc[i];
            c.task_turns[i] = 10 * (i + 1);
            c.task_target[i] = 100 + i;
        }
        pop_task(3, k.pop);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(c.Puuha[i], k.after[i]) << "pop " << k.pop << " slot " << i;
        if (k.pop == 0) {
            EXPECT_EQ(c.task_turns[0], 20);
            EXPECT_EQ(c.task_target[1], 102);
        }
        EXPECT_EQ(push_task(3, 'N', 1), k.next_push) << "pop " << k.pop;
    }
}

TEST_F(TaskQueue, EachCodeSetsItsTargetOrIsRefused) {
    struct Case {
        const char* what;
        int task;
        void (*setup)(CreatureRecord&);
        int answer;  // >= 0: the slot
        int32_t x, y;
    };
    const Case cases[] = {
        {"call over takes the point", TASK_CALL_OVER, [](CreatureRecord&) {}, 0, 31, 32},
        {"eat carcass takes the point", TASK_EAT_CARCASS, [](CreatureRecord&) {}, 0, 31, 32},
        {"go to point 53", TASK_GO_TO_POINT_53, [](CreatureRecord&) {}, 0, 31, 32},
        {"go to point 60", TASK_GO_TO_POINT, [](CreatureRecord&) {}, 0, 31, 32},
        {"butcher takes the point", TASK_BUTCHER_CARCASS, [](CreatureRecord&) {}, 0, 31, 32},
        {"an unlisted code keeps no target", 77, [](CreatureRecord&) {}, 0, 0, 0},
        {"wait", TASK_WAIT, [](CreatureRecord&) {}, 0, 0, 0},
        {"wait aloft", TASK_WAIT, [](CreatureRecord& c) { c.air_state = 100; }, TASK_REFUSED, 0, 0},
        {"wait where it may not stand", TASK_WAIT, [](CreatureRecord&) { planted_can_stand = false; },
         TASK_REFUSED, 0, 0},
        {"villager goes home", TASK_GO_HOME, [](CreatureRecord& c) {
             c.cre_class = CRE_CLASS_HUMAN; c.lauma = 9; c.home_x = 150; c.home_y = 160; }, 0, 150, 160},
        {"villager without a group", TASK_GO_HOME, [](CreatureRecord& c) {
             c.cre_class = CRE_CLASS_HUMAN; c.home_x = 150; c.home_y = 160; }, TASK_REFUSED, 0, 0},
        {"no home", TASK_GO_HOME, [](CreatureRecord& c) { c.lauma = 9; }, TASK_REFUSED, 0, 0},
        {"wild animal goes home", TASK_GO_HOME, [](CreatureRecord& c) { c.home_x = 150; c.home_y = 1; }, 0, 150, 1},
        {"leashed animal", TASK_GO_HOME, [](CreatureRecord& c) { c.home_x = 150; c.cre_status = 9; },
         TASK_REFUSED, 0, 0},
        {"the player's animal", TASK_GO_HOME, [](CreatureRecord& c) { c.home_x = 150; c.owner = -1; },
         TASK_REFUSED, 0, 0},
        {"tied ownerless animal", TASK_GO_HOME, [](CreatureRecord& c) { c.home_x = 150; c.cre_bits = 1; },
         TASK_REFUSED, 0, 0},
        {"fire at a fire site", TASK_MAKE_FIRE, [](CreatureRecord&) { planted_fire_site = {205, 206, 12}; },
         0, 205, 206},
        {"fire beside a burning fire", TASK_MAKE_FIRE, [](CreatureRecord&) {
             planted_fire_site = {201, 201, 12}; planted_fire = {225, 225, 13}; }, TASK_FIRE_BURNS, 0, 0},
        {"fire with nowhere to light it", TASK_MAKE_FIRE, [](CreatureRecord&) {}, TASK_REFUSED, 0, 0},
        {"cook with nothing to cook", TASK_COOK, [](CreatureRecord&) {}, TASK_REFUSED, 0, 0},
        {"leave by the exit", TASK_LEAVE_MAP, [](CreatureRecord&) { planted_exit = {90, 300}; }, 0, 90, 300},
        {"leave without an exit", TASK_LEAVE_MAP, [](CreatureRecord&) {}, TASK_REFUSED, 0, 0},
        {"fell with no tree found", TASK_FELL_TREE, [](CreatureRecord&) {}, TASK_REFUSED, 0, 0},
        {"trunk with none found", TASK_WORK_TRUNK, [](CreatureRecord&) {}, TASK_REFUSED, 0, 0},
    };
    for (const Case& k : cases) {
        SetUp();
        CreatureRecord& c = place(4, 2);
        task_target_point = {31, 32};
        c.task_x[0] = c.task_y[0] = c.task_target[0] = 55;  // left by an earlier task
        k.setup(c);
        EXPECT_EQ(push_task(4, k.task, 40), k.answer) << k.what;
        if (k.answer >= 0) {
            EXPECT_EQ(c.Puuha[0], k.task) << k.what;
            EXPECT_EQ(c.task_turns[0], 40) << k.what;
            EXPECT_EQ(c.task_x[0], k.x) << k.what;
            EXPECT_EQ(c.task_y[0], k.y) << k.what;
            EXPECT_EQ(c.task_target[0], 0) << k.what;
        } else {
            EXPECT_EQ(c.Puuha[0], 0) << k.what << ": a refused task left its code";
            EXPECT_EQ(c.task_x[0], 0) << k.what;
        }
        EXPECT_EQ(c.sound_cooldown, k.task == TASK_CALL_OVER ? 2 : 0) << k.what;
    }
}

TEST_F(TaskQueue, LoneAlliesShareOneNewGroupAndTheFinderLeads) {
    place(1, 2);
    place(2, 2);
    EXPECT_EQ(cre_find_group_leader(1), 1);
    EXPECT_EQ(Plr.quest_id_counter, 701) << "two lone allies take exactly one new id";
    EXPECT_EQ(Cre[1].lauma, 701);
    EXPECT_EQ(Cre[2].lauma, 701);
    EXPECT_EQ(Cre[1].lstatus, 1);
    // Now the second one finds the leader at once.
    EXPECT_EQ(cre_find_group_leader(2), 1);
    EXPECT_EQ(Plr.quest_id_counter, 701);

    // A young animal makes its group but does not lead it.
    reset_map_object_table();
    place(5, 2).sex_age = SEX_YOUNG;
    place(6, 2);
    EXPECT_EQ(cre_find_group_leader(5), 5);
    EXPECT_EQ(Cre[5].lstatus, 0);

    // Alone on the map: no group.
    reset_map_object_table();
    place(7, 2);
    EXPECT_EQ(cre_find_group_leader(7), -1);
    EXPECT_EQ(Cre[7].lauma, 0);

    // People take only people of their own group or of none.
    reset_map_object_table();
    place(8, CRE_CLASS_HUMAN).lauma = 3;
    place(9, CRE_CLASS_HUMAN).lauma = 4;
    place(10, 2);
    EXPECT_EQ(cre_find_group_leader(8), -1);
    EXPECT_EQ(Cre[9].lauma, 4);
    EXPECT_EQ(Cre[10].lauma, 0);
}

TEST_F(TaskQueue, GroupCopiesWakeSleepersAndReachOnlyTheGroup) {
    CreatureRecord& leader = place(1, 2);
    CreatureRecord& sleeper = place(2, 2);
    CreatureRecord& stranger = place(3, 2);
    leader.lauma = sleeper.lauma = 40;
    leader.lstatus = 1;
    stranger.lauma = 41;
    sleeper.move_mode = MOVE_MODE_ASLEEP;
    sleeper.prev_move_mode = 3;
    leader.kind = 510;
    leader.map_flags = 0x10;
    leader.attitude_block[19] = 0x5A;
    push_task(1, 60, 25);
    push_task(1, 61, 26);
    EXPECT_EQ(cre_group_copy_tasks(1), 0);
    EXPECT_EQ(sleeper.move_mode, 3);
    EXPECT_EQ(sleeper.Puuha[0], 60);
    EXPECT_EQ(sleeper.task_turns[1], 26);
    EXPECT_EQ(sleeper.map_flags & 0x10, 0x10) << "a leaving trader's group leaves too";
    EXPECT_EQ(stranger.Puuha[0], 0);
    EXPECT_EQ(cre_group_copy_attitude(1), 0);
    EXPECT_EQ(sleeper.attitude_block[19], 0x5A);
    EXPECT_EQ(stranger.attitude_block[19], 0);

    // A creature of no group reaches only itself, not every ungrouped one.
    reset_map_object_table();
    CreatureRecord& lone = place(4, 2);
    CreatureRecord& other = place(5, 2);
    lone.lstatus = 1;
    push_task(4, 60, 25);
    EXPECT_EQ(cre_group_copy_tasks(4), 0);
    EXPECT_EQ(other.Puuha[0], 0);
    EXPECT_EQ(lone.Puuha[0], 60);
}

TEST_F(TaskQueue, WakingReplacesTheTaskWithAShortWander) {
    CreatureRecord& c = place(2, 2);
    push_task(2, 70, 100);
    EXPECT_EQ(cre_wake_up(2), 0);
    EXPECT_EQ(c.Puuha[0], 70) << "an awake creature keeps its task";
    c.move_mode = MOVE_MODE_ASLEEP;
    c.prev_move_mode = MOVE_MODE_ASLEEP;
    push_task(2, 71, 100);
    EXPECT_EQ(cre_wake_up(2), 1);
    EXPECT_EQ(c.move_mode, 0);
    EXPECT_EQ(c.Puuha[0], TASK_WANDER);
    EXPECT_GE(c.task_turns[0], 10);
    EXPECT_LE(c.task_turns[0], 19);
    EXPECT_EQ(c.Puuha[1], 71);
}

TEST_F(TaskQueue, CarcassFollowUpsQueueOnlyWhenThereIsRoom) {
    CreatureRecord& eater = place(1, 2, 200, 200);
    place(7, 2, 203, 203);
    // The carcass: a dead creature's record (kind 52).
    clear_staging_object();
    map_object_staging.TYPE = MK_CARCASS;
    map_object_staging.x = 203;
    map_object_staging.y = 203;
    map_object_staging.DATA = CREATURE_REF_BASE + 7;
    const int carcass = insert_map_object(-1);
    ASSERT_GE(carcass, 0);
    task_target_point = {203, 203};

    cre_queue_eat_carcass(0, carcass, 1);
    EXPECT_EQ(eater.Puuha[0], TASK_EAT_CARCASS);
    EXPECT_EQ(eater.task_turns[0], 50);
    EXPECT_EQ(eater.task_target[0], 5007);
    EXPECT_EQ(eater.task_x[0], 203);

    EXPECT_EQ(cre_queue_butcher_carcass(1, carcass, 0), 1);
    EXPECT_EQ(eater.Puuha[1], TASK_BUTCHER_CARCASS);
    EXPECT_EQ(eater.task_turns[1], 1000);
    for (int k = 2; k < TASK_SLOTS; ++k) eater.Puuha[k] = 1;
    EXPECT_EQ(cre_queue_butcher_carcass(1, carcass, 0), 0) << "a full queue queues nothing";
    EXPECT_EQ(cre_queue_butcher_carcass(1, 0, 0), 0) << "a living creature's record is no carcass";
}

}  // namespace
