// Sight: the ray table, walls and trees, heights, distance by light, lit
// cells, the lying-down rules and the point-to-point questions.
#include <gtest/gtest.h>

#include <cstring>

#include "console/console.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

constexpr int PX = 200, PY = 200;

void set_map(const char* name) {
    std::memset(Plr.map_name, 0, sizeof Plr.map_name);
    copy_text(Plr.map_name, name);
    is_world_map();
}

void set_table(double number, int distance) {
    double numbers[SIGHT_RAYS];
    for (double& n : numbers) n = number;
    fill_sight_table(numbers, distance);
}

class Sight : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        init_terrain_types_for_date(6, 1);
        clear_area(250);
        std::memset(Data, 0, sizeof Data);
        set_map("ZOOMMAP");
        player_x = PX;
        player_y = PY;
        view_half_w = 12;
        view_half_h = 11;
        Plr.body_state = 0;
        tree_top_view = 0;
        console_see_through = 0;
        lights_on = 0;
        settlement_sighted = 0;
        set_table(1.0, 50);
    }
    void TearDown() override {
        Plr = saved_;
        lights_on = 0;
        clear_area(250);
    }
    // Only the neighbourhood of the player is ever touched.
    static void clear_area(uint8_t code) {
        for (int y = PY - 60; y <= PY + 60; ++y) {
            const size_t at = map_index(PX - 60, y);
            std::memset(terrain_layer + at, code, 121);
            std::memset(height_layer + at, 0, 121);
            std::memset(view_layer + at, VIEW_UNSEEN, 121);
            std::memset(drawn_layer + at, ' ', 121);
            std::memset(remembered_layer + at, ' ', 121);
            std::memset(light_grid + light_index(PX - 60, y), 0, 121);
        }
    }
    static void put(int x, int y, uint8_t code, uint8_t h = 0) {
        terrain_layer[map_index(x, y)] = code;
        height_layer[map_index(x, y)] = h;
    }
    static char seen(int x, int y) { return char(view_layer[map_index(x, y)]); }
    static int from_player(int tx, int ty, int facing = -1) {
        return is_point_visible_from(PX, PY, tx, ty, facing);
    }
    PlayerRecord saved_;
    PlayFolder folder_{true};
};

TEST(SightRays, PatternsBendAsTheTableSaysAndContinueStraightPastTheirEnd) {
    for (int b = 0; b < 5; ++b) {
        EXPECT_EQ(sight_ray_patterns[0][b], 0);
        EXPECT_EQ(sight_ray_patterns[45][b], 0xFF);
    }
    EXPECT_EQ(sight_ray_patterns[7][0], 0x08);
    EXPECT_EQ(sight_ray_patterns[44][1], 0xFD);
    // Octants follow the facing codes; numbers outside 0..7 wrap.
    const SightOctant o2 = sight_octant(2), o10 = sight_octant(10), om1 = sight_octant(-1);
    EXPECT_EQ(o2.x_step, -1);
    EXPECT_EQ(o2.y_step, -1);
    EXPECT_FALSE(o2.major_x);
    EXPECT_EQ(o10.x_step, o2.x_step);
    EXPECT_EQ(o10.major_x, o2.major_x);
    EXPECT_EQ(om1.x_step, 1);
    EXPECT_EQ(om1.y_step, 1);
    EXPECT_TRUE(om1.major_x);
}

TEST_F(Sight, ALongDiagonalRayGoesStraightOnAfterItsFortySteps) {
    view_half_w = 100;  // a very wide view lets rays run past their pattern
    const SightOctant o = sight_octant(0);
    // Forty diagonal steps, then straight along x.
    EXPECT_EQ(cast_sight_ray(45, o.x_step, o.y_step, o.major_x, PX, PY, PX + 40, PY - 40, true, 0), 1);
    EXPECT_EQ(cast_sight_ray(45, o.x_step, o.y_step, o.major_x, PX, PY, PX + 45, PY - 40, true, 0), 1);
    EXPECT_EQ(cast_sight_ray(45, o.x_step, o.y_step, o.major_x, PX, PY, PX + 45, PY - 45, true, 0), 0);
    // Walks stay on the map: a ray from near the corner ends there.
    EXPECT_EQ(cast_sight_ray(45, -1, -1, true, 3, 3, 0, 0, false, 0), 0);
    // A ray number outside the table walks nothing.
    EXPECT_EQ(cast_sight_ray(46, 1, -1, true, PX, PY, PX + 1, PY, true, 0), 0);
    EXPECT_EQ(cast_sight_ray(-1, 1, -1, true, PX, PY, PX + 1, PY, true, 0), 0);
}

TEST_F(Sight, TheTableScalesByTheDistance) {
    set_table(1.0, 50);
    for (int i = 0; i < SIGHT_RAYS; ++i) EXPECT_EQ(sight_table[i], 49);
    set_table(1.0, 1);
    for (int i = 0; i < SIGHT_RAYS; ++i) EXPECT_EQ(sight_table[i], 0);
    set_table(0.9, 11);  // ceil(0.9 x 10)
    EXPECT_EQ(sight_table[0], 9);
}

TEST_F(Sight, TheDataFileIsReadOnceAndABadFileGivesAClearMessage) {
    forget_linedist_numbers();
    double numbers[SIGHT_RAYS];
    char error[160] = "";
    ASSERT_TRUE(read_linedist_numbers(numbers, error, sizeof error)) << error;
    for (double n : numbers) {
        EXPECT_GT(n, 0.5);
        EXPECT_LE(n, 1.0);
    }
    // Kept: a changed file is not read again.
    folder_.write("linedist.arr", "0.5\n");
    double again[SIGHT_RAYS];
    ASSERT_TRUE(read_linedist_numbers(again, error, sizeof error));
    EXPECT_EQ(std::memcmp(numbers, again, sizeof numbers), 0);

    struct Case {
        const char* contents;  // nullptr: no file
        const char* message;
    } cases[] = {
        {"// comment\n0.5\n0.6\n", "too short: 2 of 46"},
        {"1.0\nfast\n", "line 2 is not a positive number"},
        {"1.0\n-1.0\n", "line 2 is not a positive number"},
        {nullptr, "Ksm couldn't open linedist.arr"},
    };
    for (const Case& c : cases) {
        forget_linedist_numbers();
        std::remove("linedist.arr");
        if (c.contents) folder_.write("linedist.arr", c.contents);
        error[0] = 0;
        EXPECT_FALSE(read_linedist_numbers(numbers, error, sizeof error));
        EXPECT_NE(std::strstr(error, c.message), nullptr) << error;
    }
    forget_linedist_numbers();
}

TEST_F(Sight, DistanceFollowsTheLightOnEachMap) {
    struct Case {
        const char* map;
        float light;
        int distance;
    } cases[] = {
        {"ZOOMMAP", 0.04f, 2}, {"ZOOMMAP", 0.5f, 25}, {"ZOOMMAP", 1.0f, 50}, {"ZOOMMAP", 1.7f, 50},
        {"ZOOMMAP", 0.0f, 1},  {"BIGMAP", 0.04f, 1},  {"BIGMAP", 0.5f, 13},  {"BIGMAP", 1.0f, 25},
    };
    for (const Case& c : cases) {
        set_map(c.map);
        EXPECT_EQ(sight_distance_for_light(c.light), c.distance) << c.map << " " << c.light;
        EXPECT_EQ(sight_distance_for_visibility(c.light), c.distance) << c.map << " " << c.light;
    }
}

TEST_F(Sight, AWallIsSeenAndHidesWhatLiesBehindIt) {
    put(PX + 5, PY, 200);  // a wall east of the player
    cast_sight_octant(0);
    cast_sight_octant(7);
    EXPECT_EQ(seen(PX + 4, PY), '4');
    EXPECT_EQ(seen(PX + 5, PY), '4');
    for (int x = PX + 6; x <= PX + 12; ++x) EXPECT_EQ(seen(x, PY), VIEW_UNSEEN) << x;
    // Cells off the wall's line are still seen.
    EXPECT_EQ(seen(PX + 8, PY - 4), '4');
    EXPECT_EQ(remembered_layer[map_index(PX + 5, PY)], 200);
    EXPECT_EQ(drawn_layer[map_index(PX + 5, PY)], 200);
    // Through the wall nothing reaches; the developer switch sees through.
    EXPECT_EQ(can_see_point(PX, PY, PX + 9, PY), 0);
    EXPECT_EQ(can_see_point(PX + 9, PY, PX, PY), 0);
    console_see_through = 1;
    EXPECT_EQ(can_see_point(PX, PY, PX + 9, PY), 1);
}

TEST_F(Sight, OnALocalMapATreeBlocksButAYoungTreeDoesNot) {
    put(PX + 3, PY, 10);  // a birch
    EXPECT_EQ(from_player(PX + 3, PY), 1);
    EXPECT_EQ(from_player(PX + 6, PY), 0);
    // The same birch as a sapling (its plant mark says young).
    Data[5].TYPE = 64;  // a plant mark
    Data[5].x = PX + 3;
    Data[5].y = PY;
    Data[5].subkind = 8;
    EXPECT_EQ(from_player(PX + 6, PY), 1);
}

TEST_F(Sight, OnTheWorldMapAForestLowerThanTheEyeDoesNotEndTheRay) {
    set_map("BIGMAP");
    set_table(1.0, 25);
    put(PX + 3, PY, 15);  // coniferous forest, height 80
    // From plain ground (lower than the forest) the forest ends the ray.
    EXPECT_EQ(from_player(PX + 6, PY), 0);
    // From a mountain (250) it does not.
    put(PX, PY, 94);
    EXPECT_EQ(from_player(PX + 6, PY), 1);
}

TEST_F(Sight, HigherGroundHidesLowerGroundBehindIt) {
    put(PX + 3, PY, 250, 9);
    EXPECT_EQ(from_player(PX + 3, PY), 1);
    EXPECT_EQ(from_player(PX + 5, PY), 0);
    // Water cells change nothing, but from the ridge one sees down.
    put(PX, PY, 250, 9);
    EXPECT_EQ(from_player(PX + 5, PY), 1);
}

TEST_F(Sight, TheSightTableLimitsEachRayButLitCellsAreSeen) {
    set_table(1.0, 5);  // four steps
    EXPECT_EQ(from_player(PX + 4, PY), 1);
    EXPECT_EQ(from_player(PX + 5, PY), 0);
    // Unlimited questions don't use the table.
    EXPECT_EQ(can_see_point(PX, PY, PX + 9, PY), 1);
    // In darkness only lit cells are seen, whatever their distance.
    set_table(1.0, 1);
    lights_on = 1;
    light_grid[light_index(PX + 8, PY)] = 1;
    EXPECT_EQ(from_player(PX + 8, PY), 1);
    EXPECT_EQ(from_player(PX + 7, PY), 0);
    // But not through a wall.
    put(PX + 4, PY, 200);
    EXPECT_EQ(from_player(PX + 8, PY), 0);
}

TEST_F(Sight, AnUnlitCaveFloorIsNotSeenAndEndsTheRay) {
    put(PX + 2, PY, 96);
    EXPECT_EQ(from_player(PX + 2, PY), 0);
    EXPECT_EQ(from_player(PX + 4, PY), 0);
    lights_on = 1;
    light_grid[light_index(PX + 2, PY)] = 1;
    EXPECT_EQ(from_player(PX + 2, PY), 1);
    EXPECT_EQ(from_player(PX + 4, PY), 1);
}

TEST_F(Sight, APlayerLyingDownSeesLessOverRisingGround) {
    for (int k = 1; k <= 15; ++k) put(PX + k, PY, 250, uint8_t(k));
    cast_sight_octant(0);
    EXPECT_EQ(seen(PX + 14, PY), '4');  // upright: the rising ground is seen
    clear_area(250);
    for (int k = 1; k <= 15; ++k) put(PX + k, PY, 250, uint8_t(k));
    Plr.body_state = 1;
    cast_sight_octant(0);
    EXPECT_EQ(seen(PX + 10, PY), '4');
    for (int x = PX + 11; x <= PX + 15; ++x) EXPECT_EQ(seen(x, PY), VIEW_UNSEEN) << x;
}

TEST_F(Sight, APlayerLyingDownLosesLowGroundFarFromItsLowestPoint) {
    put(PX, PY, 250, 5);
    put(PX + 1, PY, 250, 2);  // the lowest point, then level ground below the eye
    for (int k = 2; k <= 12; ++k) put(PX + k, PY, 250, 2);
    Plr.body_state = 1;
    cast_sight_octant(0);
    EXPECT_EQ(seen(PX + 4, PY), '4');
    EXPECT_EQ(seen(PX + 5, PY), '4');
    EXPECT_EQ(seen(PX + 6, PY), VIEW_UNSEEN);
}

TEST_F(Sight, RaysStopAtTheEdgeOfTheView) {
    set_table(1.0, 50);
    // Nothing farther than the half-width plus two is reached.
    EXPECT_EQ(from_player(PX + view_half_w + 2, PY), 1);
    EXPECT_EQ(from_player(PX + view_half_w + 3, PY), 0);
}

TEST_F(Sight, AWatcherChecksTheOctantsAroundItsFacing) {
    struct Case {
        int facing, tx, ty, seen;
    } cases[] = {
        {2, PX, PY - 5, 1},  {2, PX + 5, PY - 2, 1}, {2, PX - 5, PY - 2, 1}, {2, PX, PY + 5, 0},
        {2, PX + 5, PY + 1, 0}, {6, PX, PY + 5, 1},  {-1, PX, PY + 5, 1},  {-1, PX - 4, PY + 3, 1},
        {0, PX + 5, PY + 5, 1}, {0, PX - 5, PY, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(from_player(c.tx, c.ty, c.facing), c.seen) << c.facing << " " << c.tx - PX << "," << c.ty - PY;
}

TEST_F(Sight, CanSeePointIsSymmetricOnStraightAndDiagonalLines) {
    put(PX + 3, PY + 3, 200);
    const int offsets[][2] = {{6, 0}, {0, 6}, {-6, 0}, {0, -6}, {5, 5}, {-5, 5}, {5, -5}, {-5, -5}, {6, 6}};
    for (const auto& d : offsets) {
        const int tx = PX + d[0], ty = PY + d[1];
        EXPECT_EQ(can_see_point(PX, PY, tx, ty), can_see_point(tx, ty, PX, PY)) << d[0] << "," << d[1];
    }
    EXPECT_EQ(can_see_point(PX, PY, PX + 6, PY + 6), 0);
    EXPECT_EQ(can_see_point(PX, PY, PX + 6, PY), 1);
    EXPECT_EQ(can_see_point(PX + 7, PY + 7, PX + 7, PY + 7), 1);
    EXPECT_EQ(facing_toward(0, 0, 1, 0), 0);
    EXPECT_EQ(facing_toward(0, 0, 0, -1), 2);
    EXPECT_EQ(facing_toward(0, 0, 0, 1), 6);
    EXPECT_EQ(facing_toward(0, 0, -1, 1), 5);
}

TEST_F(Sight, ASettlementSeenForTheFirstTimeIsReportedOnce) {
    put(PX + 4, PY, 239);
    cast_sight_octant(0);
    EXPECT_EQ(settlement_sighted, 1);
    EXPECT_EQ(remembered_layer[map_index(PX + 4, PY)], 239);
    settlement_sighted = 0;
    cast_sight_octant(0);  // drawn_layer now remembers it
    EXPECT_EQ(settlement_sighted, 0);
}

}  // namespace
