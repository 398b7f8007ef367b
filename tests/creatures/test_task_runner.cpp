// The task runner on a small open map: a task's countdown and the queue
// moving up, a sleeper woken by any other task, the end of a sleep keeping
// the wander it queued, the fire maker's wait, the terrain search done once.
#include <gtest/gtest.h>

#include <cstring>

#include "base/files.h"
#include "base/stubs.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_steps.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr int CX = 200, CY = 200;
constexpr int S = 3;  // the creature's slot

class TaskRunner : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(stored_world_terrain, GROUND, MAP_CELLS);
        std::memset(view_layer, ' ', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_task_queue();
        reset_creature_steps();
        task_queue_services = default_task_queue_services();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.spd = 12;
        Plr.end = 12;
        Plr.travel_mode = 1;
        Plr.hour = 12;
        player_x = 120;
        player_y = 120;
        weather.current.rain = 0;
        messages_suppressed = true;
        clear_stub_calls();
        seed_random(11);
        std::memset(&Cre[S], 0, sizeof(CreatureRecord));
        Cre[S].cre_class = 2;
        Cre[S].sotu = 5003;
        Cre[S].walk_speed = 6;
        Cre[S].attr_end = 12;
        CreSlotRefs[S] = 2003;
        map_index_of_creature = put_object_on_map(MK_CREATURE, CX, CY, CRE_REF_BASE + S, 1);
    }

    // Gives the creature a task towards (x, y).
    int give(int task, int turns, int x = 0, int y = 0) {
        task_target_point = {x, y};
        return push_task(S, task, turns);
    }

    CreatureRecord& c() { return Cre[S]; }
    int map_index_of_creature = -1;
};

TEST_F(TaskRunner, ATaskWithOneTurnLeftRunsOnceAndTheQueueMovesUp) {
    ASSERT_GE(give(TASK_WAIT, 1), 0);
    ASSERT_GE(give(TASK_GO_TO_POINT, 30, CX + 5, CY), 0);
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(c().Puuha[0], TASK_GO_TO_POINT);
    EXPECT_EQ(c().task_turns[0], 30);
    EXPECT_EQ(c().Puuha[1], 0);
    // Idle: the caller goes on.
    pop_task(S, 0);
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 0);
}

TEST_F(TaskRunner, AWalkToAPlaceEndsOnArrival) {
    ASSERT_GE(give(TASK_GO_TO_POINT, 30, CX + 3, CY), 0);
    int turns = 0;
    while (c().Puuha[0] == TASK_GO_TO_POINT && turns < 20) {
        Tee_Puuha(map_index_of_creature);
        ++turns;
    }
    EXPECT_EQ(creature_x(S), CX + 3);
    EXPECT_EQ(creature_y(S), CY);
    EXPECT_EQ(c().Puuha[0], 0);
}

TEST_F(TaskRunner, ASleeperIsWokenByAnyOtherTaskAndTheEndOfItsSleepKeepsTheWander) {
    ASSERT_GE(give(TASK_GO_TO_POINT, 30, CX + 8, CY), 0);
    c().move_mode = MOVE_MODE_ASLEEP;
    c().prev_move_mode = 0;
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(c().move_mode, 0);
    EXPECT_EQ(c().Puuha[0], TASK_WANDER);
    EXPECT_GE(c().task_turns[0], 10);
    EXPECT_LE(c().task_turns[0], 19);
    EXPECT_EQ(creature_x(S), CX);

    // Asleep with its sleep's last turn: it wakes and wanders.
    std::memset(c().Puuha, 0, sizeof c().Puuha);
    c().Puuha[0] = 4;
    c().task_turns[0] = 1;
    c().move_mode = MOVE_MODE_ASLEEP;
    c().wake_hour = uint8_t(Plr.hour + 1);  // its waking hour: the sleep is over
    player_x = CX + 100;                    // far enough for an animal to sleep
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_NE(c().move_mode, MOVE_MODE_ASLEEP);
    EXPECT_EQ(c().Puuha[0], TASK_WANDER);
    EXPECT_GE(c().task_turns[0], 10);
}

TEST_F(TaskRunner, AFireMakerWaitsTenTurnsAndWhileThePlayerStandsOnTheSpot) {
    ASSERT_GE(give(TASK_MAKE_FIRE, 100), 0);
    c().task_x[0] = CX + 2;  // the open ground it found was its own square
    c().task_y[0] = CY;
    int turns = 0;
    while (c().task_state[0] != TASK_STATE_WAITING && turns < 10) {
        Tee_Puuha(map_index_of_creature);
        ++turns;
    }
    ASSERT_EQ(c().task_state[0], TASK_STATE_WAITING);
    EXPECT_EQ(creature_x(S), CX + 2);
    // The wait: nine turns answered by the countdown, the tenth ends it.
    for (int k = 0; k < 9; ++k) EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(stub_calls_of("place_fire_object"), 0);
    // The player on the spot: it waits on.
    player_x = CX + 2;
    player_y = CY;
    Data[map_index_of_creature].x = CX + 1;
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(c().task_state[0], TASK_STATE_WAIT_OVER);
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(c().Puuha[0], TASK_MAKE_FIRE);
    EXPECT_EQ(stub_calls_of("place_fire_object"), 0);
    // The player steps off: the fire is made and the task is done.
    player_x = CX + 5;
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(stub_calls_of("place_fire_object"), 1);
    EXPECT_EQ(c().Puuha[0], 0);
}

TEST_F(TaskRunner, ATerrainSearchIsMadeOnceAndEndsWhenNothingIsFound) {
    // Nothing of terrain 95 around: the task ends in its first turn.
    ASSERT_GE(give(100, 50), 0);
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(c().Puuha[0], 0);

    // Found 6 east: the square is kept even when the floor is gone again,
    // and the turns run out.
    terrain_layer[map_index(CX + 6, CY)] = 95;
    ASSERT_GE(give(100, 50), 0);
    EXPECT_EQ(Tee_Puuha(map_index_of_creature), 1);
    EXPECT_EQ(c().task_x[0], CX + 6);
    EXPECT_EQ(c().task_y[0], CY);
    EXPECT_EQ(c().task_turns[0], 99);
    terrain_layer[map_index(CX + 6, CY)] = GROUND;
    Tee_Puuha(map_index_of_creature);
    EXPECT_EQ(c().task_x[0], CX + 6);
    EXPECT_EQ(c().task_turns[0], 98);
}

}  // namespace
