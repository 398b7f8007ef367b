// What the task runner does over a creature's turns: the three channel
// lines of a task that ends in its one turn, a hunter that attacks within
// nine squares and then eats its kill with its group, a search for a square
// it cannot reach that runs out, and a conversation that opens only once.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_steps.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr int CX = 200, CY = 200;
constexpr int HUNTER = 3, MATE = 4, PREY = 5;
constexpr uint8_t ATTACKING = 99;

uint8_t barred_code() {
    for (int code = 1; code < 256; ++code)
        if (!terrain_is_open(code) && !(terrain_flags_of(code) & TF_WATER)) return uint8_t(code);
    return 0;
}

class TaskRuns : public ::testing::Test {
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
        Plr.bodytemp = 37;
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
    }
    void TearDown() override { debug_logs_on = 0; }

    // A creature of the class in slot s at (x, y): its map entry.
    int place(int s, uint8_t cre_class, int x, int y) {
        std::memset(&Cre[s], 0, sizeof(CreatureRecord));
        Cre[s].cre_class = cre_class;
        Cre[s].sotu = uint32_t(5000 + s);
        Cre[s].walk_speed = 6;
        Cre[s].attr_end = 12;
        Cre[s].body_temp = 37.0f;
        Cre[s].Viimeisin_X = x;
        Cre[s].Viimeisin_Y = y;
        CreSlotRefs[s] = 2000 + s;
        return put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + s, 1);
    }
    int give(int s, int task, int turns, int x = 0, int y = 0) {
        task_target_point = {x, y};
        return push_task(s, task, turns);
    }
};

TEST_F(TaskRuns, ATaskEndingInItsOneTurnWritesAllThreeLinesThen) {
    PlayFolder folder(false);
    const int i = place(HUNTER, 2, CX, CY);
    ASSERT_GE(give(HUNTER, TASK_WAIT, 1), 0);
    debug_logs_on = 1;
    EXPECT_EQ(Tee_Puuha(i), 1);
    debug_logs_on = 0;
    const std::string log = folder.read("debug_cre.txt");
    const std::string lines[] = {"Tee_Puuha (dp " + std::to_string(i) + ") Cre[3].Puuha[0] = 2", "puuha 2 timeout",
                                 "#3 puuha on 0"};
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = log.find(line, at);
        EXPECT_NE(found, std::string::npos) << line << "\n" << log;
        if (found != std::string::npos) at = found;
    }
    EXPECT_EQ(Cre[HUNTER].Puuha[0], 0);
}

TEST_F(TaskRuns, AHunterAttacksWithinNineSquaresAndItsGroupEatsTheKill) {
    const int hunter = place(HUNTER, 2, CX, CY);
    Cre[HUNTER].predator = 1;
    Cre[HUNTER].lauma = 77;
    Cre[HUNTER].lstatus = 1;  // the pack's leader
    copy_text(Cre[HUNTER].attack_name[0], "BITE");
    place(MATE, 2, CX - 2, CY);
    Cre[MATE].lauma = 77;
    const int prey = place(PREY, 2, CX + 11, CY);

    // Eleven squares off it stalks; nine off it attacks.
    ASSERT_GE(give(HUNTER, 55, 50), 0);
    Cre[HUNTER].task_target[0] = int32_t(Cre[PREY].sotu);
    Tee_Puuha(hunter);
    EXPECT_NE(Cre[HUNTER].move_mode, ATTACKING);
    Cre[HUNTER].Viimeisin_X = creature_x(HUNTER);
    Cre[HUNTER].Viimeisin_Y = creature_y(HUNTER);
    Data[prey].x = uint16_t(Cre[HUNTER].Viimeisin_X + 9);
    Cre[PREY].Viimeisin_X = Data[prey].x;
    Tee_Puuha(hunter);
    EXPECT_EQ(Cre[HUNTER].move_mode, ATTACKING);

    // The prey lies dead: the hunter takes to eating it, and so does its
    // group.
    Cre[HUNTER].move_mode = 0;
    Data[prey].TYPE = MK_CARCASS;
    push_task(HUNTER, 55, 50);  // the attack dropped the hunt; it comes back to it
    Cre[HUNTER].task_target[0] = int32_t(Cre[PREY].sotu);
    EXPECT_EQ(Tee_Puuha(hunter), 1);
    EXPECT_EQ(Cre[HUNTER].Puuha[0], TASK_EAT_CARCASS);
    EXPECT_EQ(Cre[HUNTER].task_turns[0], 50);
    EXPECT_EQ(Cre[HUNTER].task_target[0], int32_t(Cre[PREY].sotu));
    EXPECT_EQ(Cre[MATE].Puuha[0], TASK_EAT_CARCASS);
}

TEST_F(TaskRuns, AFloorItCannotReachIsSoughtOnlyUntilItsTurnsRunOut) {
    const int i = place(HUNTER, 2, CX, CY);
    // Terrain 95 twelve squares east, walled in all round.
    const uint8_t wall = barred_code();
    ASSERT_NE(wall, 0);
    for (int y = CY - 3; y <= CY + 3; ++y)
        for (int x = CX + 9; x <= CX + 15; ++x) terrain_layer[map_index(x, y)] = wall;
    terrain_layer[map_index(CX + 12, CY)] = 95;
    ASSERT_GE(give(HUNTER, 100, 50), 0);
    int turns = 0;
    while (Cre[HUNTER].Puuha[0] == 100 && turns < 150) {
        Tee_Puuha(i);
        ++turns;
    }
    EXPECT_EQ(Cre[HUNTER].Puuha[0], 0);
    EXPECT_EQ(turns, 100);  // the search set 100 turns; the walk never arrived
    EXPECT_LT(creature_x(HUNTER), CX + 9);
}

TEST_F(TaskRuns, AConversationOpensOnceAndTheTaskIsDone) {
    // A visitor next to the player, facing the player, who can be seen.
    double numbers[SIGHT_RAYS];
    for (double& n : numbers) n = 1.0;
    fill_sight_table(numbers, 50);
    view_half_w = 12;
    view_half_h = 11;
    player_x = CX + 1;
    player_y = CY;
    const int i = place(HUNTER, CRE_CLASS_HUMAN, CX, CY);
    Cre[HUNTER].Suunta = 0;
    ASSERT_GE(give(HUNTER, 150, 30), 0);
    EXPECT_EQ(Tee_Puuha(i), 1);
    EXPECT_EQ(stub_calls_of("talk_with_creature"), 1);
    EXPECT_EQ(Cre[HUNTER].Puuha[0], 0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Tee_Puuha(i), 0);
    EXPECT_EQ(stub_calls_of("talk_with_creature"), 1);
}

}  // namespace
