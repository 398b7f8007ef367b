// The player's plain step: where it goes, what refuses it, the time it
// takes and the edges of the map.
#include <gtest/gtest.h>

#include <cstring>

#include "creatures/movement_commands.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "game/clock.h"
#include "shell/commands.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr uint8_t WATER = 247;

int first_code_with(uint32_t flag, uint32_t without = 0) {
    for (int c = 1; c < 256; ++c)
        if ((terrain_flags_of(c) & flag) && !(terrain_flags_of(c) & without)) return c;
    return -1;
}

class PlayerStep : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(stored_world_terrain, GROUND, MAP_CELLS);
        std::memset(Data, 0, sizeof Data);
        weather.current.ice = 10;  // no frost: water is open
        Plr.travel_mode = 1;
        Plr.body_state = 0;
        Plr.minute = 0;
        Plr.hour = 8;
        Plr.total_minutes = 0;
        clock_seconds = 0;
        facing = 0;
        recentre_request = 0;
        map_change_request = 0;
        on_local_map(232, 232);
    }
    void on_local_map(int x, int y) {
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 500;
        player_x = x;
        player_y = y;
    }
    void on_world_map(int x, int y) {
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "BIGMAP");
        player_x = x;
        player_y = y;
    }
    // Runs a step from a clean turn.
    void step(int code) {
        turn_time_state = TURN_NO_TIME;
        view_rebuild_request = 0;
        MovePlayer(code);
    }
    void expect_refused(int x, int y) {
        EXPECT_EQ(player_x, x);
        EXPECT_EQ(player_y, y);
        EXPECT_EQ(turn_time_state, TURN_NO_TIME);
        EXPECT_EQ(Plr.total_minutes, 0);
        EXPECT_EQ(clock_seconds, 0);
        EXPECT_EQ(last_step_result, 0);
    }
    PlayFolder folder;  // the minute steps read the sight table
};

TEST_F(PlayerStep, EveryDirectionCodeReachesItsNeighbour) {
    struct Case {
        int code, heading, dx, dy;
    } cases[] = {
        {1, 0, 1, 0},     {1, 2, 0, -1},    {1, 5, -1, 1},   {-1, 0, -1, 0},  {-1, 2, 0, 1},
        {100, 0, 0, -1},  {101, 0, 1, -1},  {102, 4, 1, 0},  {103, 0, 1, 1},  {104, 0, 0, 1},
        {105, 0, -1, 1},  {106, 0, -1, 0},  {107, 6, -1, -1},
    };
    for (const Case& c : cases) {
        on_local_map(232, 232);
        facing = c.heading;
        Plr.facing = 0;
        step(c.code);
        EXPECT_EQ(player_x, 232 + c.dx) << c.code << " facing " << c.heading;
        EXPECT_EQ(player_y, 232 + c.dy) << c.code << " facing " << c.heading;
        // A step never turns the player; the record's copy follows the facing.
        EXPECT_EQ(facing, c.heading);
        EXPECT_EQ(Plr.facing, c.heading);
        EXPECT_EQ(turn_time_state, TURN_CLOCK_ADVANCED);
        EXPECT_EQ(view_rebuild_request, 1);
        EXPECT_EQ(last_step_result, 2);
        int direction = -1;  // counter-clockwise from east, y growing southwards
        const int dirs[8][2] = {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}};
        for (int d = 0; d < 8; ++d)
            if (dirs[d][0] == c.dx && dirs[d][1] == c.dy) direction = d;
        EXPECT_EQ(last_step_direction, direction) << c.code << " facing " << c.heading;
        EXPECT_EQ(previous_x, 232);
        EXPECT_EQ(previous_y, 232);
    }
}

TEST_F(PlayerStep, ObstacleWaterAndTheMapEdgeRefuseWithoutSpendingTime) {
    const int obstacle = first_code_with(TF_OBSTACLE, TF_WATER);
    ASSERT_GT(obstacle, 0);
    terrain_layer[map_index(233, 232)] = uint8_t(obstacle);
    step(1);
    expect_refused(232, 232);

    terrain_layer[map_index(233, 232)] = WATER;
    step(1);
    expect_refused(232, 232);

    // The first cell of the play area: a step west leaves the local map.
    on_local_map(ZOOM_FIRST, 232);
    facing = 4;
    step(1);
    expect_refused(ZOOM_FIRST, 232);

    // Off the world grid.
    on_world_map(WORLD_W - 1, 1000);
    facing = 0;
    step(1);
    expect_refused(WORLD_W - 1, 1000);
}

TEST_F(PlayerStep, StepTimeFollowsTheMapAndTheTargetTerrain) {
    // A world-map step takes 100 x factor / 60 minutes, rounded up.
    struct Case {
        uint8_t terrain;
        int minutes;
    } cases[] = {{GROUND, 2}, {249, 2}, {15, 2}, {91, 6}, {236, 6}};
    for (const Case& c : cases) {
        on_world_map(1500, 1000);
        Plr.total_minutes = 0;
        Plr.minute = 0;
        terrain_layer[map_index(1501, 1000)] = c.terrain;
        step(1);
        EXPECT_EQ(Plr.total_minutes, c.minutes) << int(c.terrain);
        EXPECT_EQ(player_x, 1501);
        // On the world map the local-map origin follows the player.
        EXPECT_EQ(Plr.zoom_origin_x, 1501);
        EXPECT_EQ(Plr.zoom_origin_y, 1000);
        EXPECT_EQ(turn_time_state, TURN_CLOCK_ADVANCED);
    }
    // A local-map step takes seconds: 2 x 0.9 / 60 minutes is 2 seconds.
    on_local_map(232, 232);
    Plr.total_minutes = 0;
    clock_seconds = 0;
    step(1);
    EXPECT_EQ(Plr.total_minutes, 0);
    EXPECT_EQ(clock_seconds, 2);
}

TEST_F(PlayerStep, WorldEdgeLetsOnlyStepsAwayFromIt) {
    // Toward the edge: back to the previous cell.
    on_world_map(31, 1000);
    facing = 4;
    step(1);
    EXPECT_EQ(player_x, 31);
    EXPECT_EQ(Plr.zoom_origin_x, 31);
    // Away from it: the step stands.
    on_world_map(20, 1000);
    facing = 0;
    step(1);
    EXPECT_EQ(player_x, 21);
    on_world_map(1500, WORLD_H - 20);
    facing = 2;  // north
    step(1);
    EXPECT_EQ(player_y, WORLD_H - 21);
}

TEST_F(PlayerStep, LeavingTheMiddleOfALocalMapAsksForRecentring) {
    on_local_map(328, 232);
    step(1);
    EXPECT_EQ(player_x, 329);
    EXPECT_EQ(recentre_request, 1);

    // Not while a map change is under way.
    recentre_request = 0;
    map_change_request = 1;
    on_local_map(328, 232);
    step(1);
    EXPECT_EQ(recentre_request, 0);
    map_change_request = 0;

    // Inside the middle nothing is asked.
    on_local_map(232, 232);
    step(1);
    EXPECT_EQ(recentre_request, 0);

    // A local map at the world's edge keeps the player inside the middle.
    on_local_map(136, 232);
    Plr.zoom_origin_x = 20;
    facing = 4;
    step(1);
    EXPECT_EQ(player_x, 136);
    EXPECT_EQ(recentre_request, 0);
}

}  // namespace
