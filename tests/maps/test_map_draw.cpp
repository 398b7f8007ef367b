// The map view drawing without a screen: octants, light sources and their
// shapes, the rebuild's marks, the object pass's marks, and the small
// tables of sizes, tints and foliage.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_things.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/play_folder.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

constexpr int PX = 200, PY = 200;

void set_map(const char* name) {
    std::memset(Plr.map_name, 0, sizeof Plr.map_name);
    copy_text(Plr.map_name, name);
    is_world_map();
}

class MapDraw : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        std::memset(&Plr, 0, sizeof Plr);
        // Bare ground: no snow of an earlier test's weather on it.
        saved_snow_ = weather.current.snow;
        weather.current.snow = 0;
        init_terrain_types_for_date(6, 1);
        clear_area(PX, PY);
        std::memset(Data, 0, sizeof Data);
        set_map("ZOOMMAP");
        player_x = PX;
        player_y = PY;
        view_half_w = 12;
        view_half_h = 11;
        Plr.total_minutes = 10000;
        double ones[SIGHT_RAYS];
        for (double& n : ones) n = 1.0;
        fill_sight_table(ones, 50);
        messages_suppressed = true;
    }
    void TearDown() override {
        Plr = saved_;
        weather.current.snow = saved_snow_;
        messages_suppressed = false;
        std::memset(Data, 0, sizeof Data);
        clear_map_lights();
    }
    static void clear_area(int cx, int cy) {
        for (int y = cy - 60; y <= cy + 60; ++y) {
            const size_t at = map_index(cx - 60, y);
            std::memset(terrain_layer + at, 250, 121);
            std::memset(height_layer + at, 0, 121);
            std::memset(cover_layer + at, 0, 121);
            std::memset(remembered_layer + at, ' ', 121);
        }
    }
    static int add(uint8_t kind, int x, int y, int data = 0, int amount = 0) {
        clear_staging_object();
        map_object_staging.TYPE = kind;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = data;
        map_object_staging.amount = uint16_t(amount);
        return insert_map_object(-1);
    }
    static int lights_listed() {
        int n = 0;
        while (n < MAP_LIGHT_SLOTS && map_lights[n].x != 0) ++n;
        return n;
    }
    PlayerRecord saved_;
    decltype(weather.current.snow) saved_snow_ = 0;
    PlayFolder folder_{true};
};

TEST(MapDrawTables, OctantsFollowFacingSightLossAndShield) {
    struct Case {
        int facing, loss, stance, hand;
        std::vector<int> octants;
    } cases[] = {
        {0, 0, 0, 1, {6, 7, 0, 1}},
        {1, 3, 0, 1, {0, 1}},  // both sight-loss bits: f - 1 and f
        {1, 1, 0, 1, {0, 1, 2}},
        {2, 2, 0, 1, {0, 1, 2}},
        {0, 0, 5, 1, {0, 1}},  // shield held high in the first hand
        {0, 0, 5, 2, {6, 7}},  // in the second hand
        {0, 0, 4, 1, {6, 7, 0, 1}},  // not held high
        {7, 0, 0, 1, {5, 6, 7, 0}},
    };
    for (const Case& c : cases) {
        int out[4];
        const int n = view_octants(c.facing, c.loss, c.stance, c.hand, out);
        EXPECT_EQ(std::vector<int>(out, out + n), c.octants) << c.facing << " " << c.loss << " " << c.stance;
    }
}

TEST(MapDrawTables, LightShapesAreCutAtTheCornersAndCappedAtFive) {
    auto count = [](int r) {
        int n = 0;
        for (int dy = -8; dy <= 8; ++dy)
            for (int dx = -8; dx <= 8; ++dx) n += light_shape_contains(r, dx, dy);
        return n;
    };
    EXPECT_EQ(count(0), 1);
    EXPECT_EQ(count(1), 9);
    EXPECT_EQ(count(2), 21);
    EXPECT_EQ(count(3), 37);
    EXPECT_EQ(light_shape_contains(2, 2, 2), 0);
    EXPECT_EQ(light_shape_contains(2, 1, 2), 1);
    EXPECT_EQ(count(9), count(5));  // a larger radius is taken as 5
    EXPECT_EQ(light_shape_contains(9, 6, 0), 0);
}

TEST(MapDrawTables, SizesTintsAndFoliage) {
    EXPECT_EQ(stack_copies(1, 10), 10);  // ten arrows
    EXPECT_EQ(stack_copies(1, 25), 9);
    EXPECT_EQ(stack_copies(1, 0), 1);
    EXPECT_EQ(stack_copies(10, 2), 1);  // a light track
    EXPECT_EQ(stack_copies(10, 33), 5);
    EXPECT_EQ(stack_copies(9, 9), 8);
    EXPECT_EQ(stack_copies(66, 20), 8);
    EXPECT_EQ(stack_copies(8, 20), 1);

    const struct {
        int minutes;
        float scale;
    } fires[] = {{-1, 0.55f}, {10, 0.3f}, {20, 0.4f}, {40, 0.45f}, {59, 0.5f}, {60, 0.55f},
                 {130, 0.6f}, {480, 0.9f}, {540, 1.0f}, {700, 1.1f}};
    for (const auto& f : fires) EXPECT_FLOAT_EQ(fire_scale_for_minutes(f.minutes), f.scale) << f.minutes;

    EXPECT_EQ(fire_light_radius(25, false), 1);
    EXPECT_EQ(fire_light_radius(60, false), 2);
    EXPECT_EQ(fire_light_radius(120, false), 2);
    EXPECT_EQ(fire_light_radius(121, false), 3);
    EXPECT_EQ(fire_light_radius(500, true), 1);

    EXPECT_FLOAT_EQ(creature_size_scale(3), 0.4f);
    EXPECT_FLOAT_EQ(creature_size_scale(13), 0.85f);
    EXPECT_FLOAT_EQ(creature_size_scale(30), 1.0f);

    EXPECT_EQ(foliage_percent_for(6, 20), 65);
    EXPECT_EQ(int(std::ceil(65 / 100.0 * 255)), 166);
    EXPECT_EQ(foliage_percent_for(4, 10), 5);
    EXPECT_EQ(foliage_percent_for(7, 30), 100);
    EXPECT_EQ(foliage_percent_for(9, 30), 0);
    EXPECT_EQ(foliage_percent_for(8, 5), 95);
    EXPECT_EQ(foliage_percent_for(1, 15), 0);

    EXPECT_EQ(water_height_tint(10), 0);
    EXPECT_EQ(water_height_tint(20), 40);
    EXPECT_EQ(water_height_tint(30), 75);
    EXPECT_EQ(water_height_tint(40), 120);
    EXPECT_EQ(water_height_tint(200), 255);
    EXPECT_EQ(open_water_tint(2), 0);
    EXPECT_EQ(open_water_tint(3), 10);
    EXPECT_EQ(open_water_tint(7), 70);
    EXPECT_EQ(open_water_tint(12), 70);
    // Which tint a water cell gets: local open water in sight by its depth,
    // everything else (also local water out of sight) by its height.
    struct WaterCase {
        bool world, in_sight, open;
        int height, tint;
    } water[] = {
        {true, true, true, 20, 40},    // the world map: the height tint
        {true, false, true, 40, 120},
        {false, true, true, 5, 40},    // local open water in sight: its depth
        {false, true, true, 20, 70},
        {false, false, true, 20, 40},  // local water out of sight: the height tint
        {false, false, true, 5, 0},
        {false, true, false, 30, 75},  // frozen water in sight: the height tint
    };
    for (const WaterCase& c : water)
        EXPECT_EQ(water_cell_tint(c.world, c.in_sight, c.open, c.height), c.tint)
            << c.world << c.in_sight << c.open << " " << c.height;
}

TEST_F(MapDraw, FireSizeFollowsFuelAndAge) {
    struct Case {
        uint8_t kind;
        int data, amount, age;
        float factor;
    } cases[] = {
        {8, 70, 0, 0, 0.5f},    // 70 minutes of fuel, no amount
        {8, 50, 0, 0, 0.4f},
        {8, 100, 40, 70, 0.6f},  // 60 left + 70 burnt
        {8, 0, 430, 0, 1.0f},   // the amount is the least
        {98, 250, 0, 0, 0.8f},
        {98, 10, 0, 0, 0.4f},
    };
    for (const Case& c : cases) {
        const int i = add(c.kind, PX + 1, PY, c.data, c.amount);
        Data[i].time_stamp = Plr.total_minutes - c.age;
        EXPECT_FLOAT_EQ(fire_size_factor(i), c.factor) << c.data << " " << c.amount;
        free_map_object(i);
    }
    EXPECT_FLOAT_EQ(fire_size_factor(-1), 0.4f);
}

TEST_F(MapDraw, FiresLightByTheirFuelAndAFireplaceAlwaysOne) {
    struct Case {
        int minutes_left;
        uint8_t ground;
        int radius;
    } cases[] = {{25, 250, 1}, {60, 250, 2}, {121, 250, 3}, {500, 4, 1}};
    for (const Case& c : cases) {
        std::memset(Data, 0, sizeof Data);
        terrain_layer[map_index(PX + 2, PY)] = c.ground;
        const int i = add(8, PX + 2, PY);
        Data[i].expire_minute = uint32_t(Plr.total_minutes + c.minutes_left);
        rebuild_view();
        ASSERT_EQ(lights_listed(), 1) << c.minutes_left;
        EXPECT_EQ(map_lights[0].radius, c.radius) << c.minutes_left;
        EXPECT_EQ(light_grid[light_index(PX + 2 + c.radius, PY)], 1);
        EXPECT_EQ(light_grid[light_index(PX + 3 + c.radius, PY)], 0);
        EXPECT_EQ(lights_on, 1);
    }
}

TEST_F(MapDraw, LightStopsAtWallsAndTheHundredAndFirstCircleIsLitButNotListed) {
    // A wall east of the fire: the cells behind it stay dark.
    terrain_layer[map_index(PX + 4, PY)] = 200;
    light_circle(PX + 2, PY, 5, false);
    EXPECT_EQ(light_grid[light_index(PX + 4, PY)], 1);
    EXPECT_EQ(light_grid[light_index(PX + 5, PY)], 0);
    EXPECT_EQ(light_grid[light_index(PX - 3, PY)], 1);

    clear_map_lights();
    for (int n = 0; n < 101; ++n) light_circle(PX - 10 + n % 20, PY - 10 + n / 20, 0, true);
    EXPECT_EQ(lights_listed(), 100);
    EXPECT_EQ(light_grid[light_index(PX - 10 + 100 % 20, PY - 10 + 100 / 20)], 1);
    // The same circle again is not listed twice.
    clear_map_lights();
    light_circle(PX, PY, 2, true);
    light_circle(PX, PY, 2, true);
    EXPECT_EQ(lights_listed(), 1);
    // A radius above five is registered and lit as five.
    clear_map_lights();
    light_circle(PX, PY - 20, 9, true);
    EXPECT_EQ(map_lights[0].radius, 5);
}

TEST_F(MapDraw, TheRebuildMarksSightAndForgetsTheOldWindow) {
    Plr.facing = 0;
    rebuild_view();
    EXPECT_EQ(view_layer[map_index(PX, PY)], 'C');
    EXPECT_EQ(view_layer[map_index(PX + 5, PY)], '4');
    EXPECT_EQ(view_layer[map_index(PX - 5, PY)], VIEW_UNSEEN);  // behind the player
    EXPECT_EQ(is_in_view(PX + 5, PY), 1);
    EXPECT_EQ(remembered_layer[map_index(PX + 5, PY)], 250);

    // Far away: nothing of the old window is left in sight.
    clear_area(PX + 300, PY);
    player_x = PX + 300;
    rebuild_view();
    for (int y = PY - 20; y <= PY + 20; ++y)
        for (int x = PX - 20; x <= PX + 20; ++x) ASSERT_EQ(view_layer[map_index(x, y)], VIEW_UNSEEN);
    EXPECT_EQ(view_layer[map_index(PX + 305, PY)], '4');
    // The remembered map keeps what was seen.
    EXPECT_EQ(remembered_layer[map_index(PX + 5, PY)], 250);
    EXPECT_EQ(drawn_layer[map_index(PX + 305, PY)], 250);
}

TEST_F(MapDraw, AtTheLeftEdgeOfTheMapTheViewStaysInside) {
    clear_area(61, PY);
    player_x = 3;
    Plr.facing = 4;
    rebuild_view();
    EXPECT_EQ(view_column(0), 27);
    EXPECT_EQ(view_column(3 - 13), 0);
    EXPECT_EQ(view_layer[map_index(1, PY)], '4');
    EXPECT_EQ(is_in_view(0, PY), 0);
}

TEST_F(MapDraw, TheObjectPassMarksWhatItDraws) {
    Plr.facing = 0;
    rebuild_view();
    const int item = add(1, PX + 3, PY, 5, 1);
    const int track = add(10, PX + 4, PY, 0, 3);
    const int hidden = add(1, PX - 4, PY, 5, 1);  // behind the player
    const int fire = add(8, PX + 5, PY, 100, 0);
    const int lost = add(1, PX + 1, PY, 5, 1);
    Data[lost].x = 5000;  // an item off the map is freed
    const int hole = add(94, PX + 2, PY - 1);

    draw_map_objects(128);  // ice holes only
    EXPECT_EQ(view_layer[map_index(PX + 3, PY)], '4');
    EXPECT_EQ(view_layer[map_index(PX + 2, PY - 1)], '!');

    draw_map_objects(0);
    EXPECT_EQ(view_layer[map_index(PX + 3, PY)], '!');
    EXPECT_EQ(occupied_layer[map_index(PX + 3, PY)], 1);
    EXPECT_EQ(view_layer[map_index(PX + 4, PY)], '4');  // tracks leave no mark
    EXPECT_EQ(occupied_layer[map_index(PX + 4, PY)], 0);
    EXPECT_EQ(view_layer[map_index(PX - 4, PY)], VIEW_UNSEEN);
    EXPECT_EQ(occupied_layer[map_index(PX - 4, PY)], 0);
    EXPECT_EQ(object_mark_layer[map_index(PX + 5, PY)] & 2, 2);  // no tall terrain over the fire
    EXPECT_EQ(Data[lost].TYPE, KIND_FREED);
    (void)item;
    (void)track;
    (void)hidden;
    (void)fire;
    (void)hole;

    // On the world map the ice-hole pass draws nothing.
    set_map("BIGMAP");
    view_layer[map_index(PX + 2, PY - 1)] = '4';
    draw_map_objects(128);
    EXPECT_EQ(view_layer[map_index(PX + 2, PY - 1)], '4');
}

TEST_F(MapDraw, SmallQueries) {
    terrain_layer[map_index(PX + 3, PY + 3)] = 13;
    EXPECT_EQ(terrain_within_radius(PX, PY, 13, 3), 1);
    EXPECT_EQ(terrain_within_radius(PX, PY, 13, 2), 0);
    EXPECT_EQ(terrain_within_radius(0, 0, 32, 1), 1);  // outside the map reads 32

    struct Case {
        uint8_t cover;
        int diggable;
    } cases[] = {{1 << 3, -1}, {2 << 3, 0}, {0, 1}, {3 << 3, 1}};
    for (const Case& c : cases) {
        cover_layer[map_index(PX, PY)] = c.cover;
        EXPECT_EQ(ground_diggable_at(PX, PY), c.diggable) << int(c.cover);
    }
    struct Words {
        uint8_t cover;
        int snow;
        const char* start;
    } words[] = {
        {1, 0, "Lichen covered Ground"},
        {2 | (1 << 3), 0, "Moss covered Ground with Base rock"},
        {4, 0, "Ground"},  // no surface kind of its own
        {2 << 3, 0, "Ground with Crag"},
    };
    char text[200];
    for (const Words& w : words) {
        cover_layer[map_index(PX, PY)] = w.cover;
        cell_description_text(PX, PY, text, sizeof text);
        EXPECT_STREQ(text, w.start);
    }
    cover_layer[map_index(PX, PY)] = 1;
    char tiny[6];
    cell_description_text(PX, PY, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "Liche");
}

}  // namespace
