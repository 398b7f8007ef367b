// Places in words: culture areas, no man's land, directions, distances,
// nearby points and terrain areas.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "shell/commands.h"
#include "base/config.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/play_folder.h"
#include "base/files.h"
#include "base/text_ring.h"

namespace {

void set_block(int x, int y, int code) { culture_grid[(y / 32) * CULTURE_COLS + x / 32] = uint8_t(code); }

void set_bounds(int code, int x1, int y1, int x2, int y2) {
    int32_t* b = CultureBounds[code];
    b[CB_MIN_X] = x1;
    b[CB_MIN_Y] = y1;
    b[CB_MAX_X] = x2;
    b[CB_MAX_Y] = y2;
    b[CB_WIDTH] = x2 - x1 + 1;
    b[CB_HEIGHT] = y2 - y1 + 1;
    b[CB_THIRD_W] = (x2 - x1 + 1) / 3;
    b[CB_THIRD_H] = (y2 - y1 + 1) / 3;
}

// Kaumo (0) at 0..299 x 0..299, Reemi (3) at 600..899 x 0..299, Sartola (4)
// at 0..299 x 600..899; everything else no man's land (12).
struct CultureFixture : ::testing::Test {
    PlayFolder folder{true};
    void SetUp() override {
        std::memset(CultureBounds, 0, sizeof CultureBounds);
        std::memset(culture_grid, 12, sizeof culture_grid);
        set_bounds(0, 0, 0, 299, 299);
        set_bounds(3, 600, 0, 899, 299);
        set_bounds(4, 0, 600, 299, 899);
        folder.write("ksm_ini.txt", "[UNITS:METRIC]\n");
    }
    void TearDown() override {
        std::memset(CultureBounds, 0, sizeof CultureBounds);
        std::memset(culture_grid, 0, sizeof culture_grid);
    }
};

TEST_F(CultureFixture, AreaTextsForPointsOfTheGrid) {
    struct Case {
        int x, y, code, flags;
        const char* text;
    };
    const Case cases[] = {
        {50, 50, 0, 0, "north-western Kaumo"},
        {50, 50, 0, 1, "in north-western Kaumo"},
        {50, 50, 0, 4, ""},
        {150, 150, 0, 0, "Kaumo"},
        {250, 150, 0, 0, "eastern Kaumo"},
        {150, 250, 0, 0, "southern Kaumo"},
        // Outside the world counts as culture 0.
        {-5, 10, -1, 0, "north-western Kaumo"},
        // No man's land inside Reemi's rectangle.
        {650, 250, 10, 0, "no man's land near south-western Reemi"},
        {650, 250, 10, 1, "on no man's land near south-western Reemi"},
        {650, 250, 10, 2, "no man's land"},
        {650, 250, 10, 4, "near south-western Reemi"},
        // In no rectangle: Kaumo and Reemi tie, the earlier code wins.
        {450, 150, 12, 0, "no man's land east of Kaumo"},
        {450, 150, 12, 4, "east of Kaumo"},
        {150, 450, 12, 0, "no man's land south of Kaumo"},
        {1500, 100, 12, 0, "no man's land east of Reemi"},
        // A damaged code beyond the table is never looked up: no man's land.
        {100, 700, 200, 0, "no man's land near Sartola"},
        {50, 650, 200, 0, "no man's land near north-western Sartola"},
    };
    for (const Case& c : cases) {
        if (c.code >= 0) set_block(c.x, c.y, c.code);
        EXPECT_EQ(std::string(culture_area_text(c.x, c.y, c.flags)), c.text)
            << c.x << "," << c.y << " flags " << c.flags;
    }
    EXPECT_EQ(culture_area_by_bounds(650, 250), 3);
    EXPECT_EQ(culture_area_by_bounds(450, 150), -1000);
    EXPECT_STREQ(culture_area_name(13), "");
    EXPECT_STREQ(culture_area_name(14), "");
    EXPECT_STREQ(culture_area_name(-3), "");
}

TEST_F(CultureFixture, DirectionTexts) {
    struct Case {
        int x1, y1, x2, y2, flags;
        const char* text;
        int direction;
    };
    const Case cases[] = {
        {10, 10, 10, 0, 0, "directly in the north", 2},
        {10, 10, 5, 15, 1, "directly in the south-west from here", 5},
        {0, 0, 3, 1, 0, "in the east", 0},
        {0, 0, 1, 3, 0, "in the south", 6},
        {7, 7, 7, 7, 0, "directly in the east", 0},
        {10, 10, 10, 0, 2, "in the north", 2},
        {10, 10, 20, 0, 4, "north-east", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(direction_text(c.x1, c.y1, c.x2, c.y2, c.flags)), c.text);
        EXPECT_EQ(last_direction, c.direction);
    }
}

TEST_F(CultureFixture, DistanceTextsMetricAndImperial) {
    struct Case {
        const char* units;
        int cells, flags;
        const char* text;
    };
    const Case cases[] = {
        {"METRIC", 0, 0, "half a kilometer"},
        {"METRIC", 4, 0, "half a kilometer"},
        {"METRIC", 5, 0, "less than a kilometer"},
        {"METRIC", 9, 1, "less than a kilometer away"},
        {"METRIC", 10, 0, "just a couple of kilometers"},
        {"METRIC", 29, 2, "just a couple of kilometers"},
        {"METRIC", 35, 0, "about 4 kilometers"},
        {"METRIC", 35, 2, "few hours walk or at least 10 kilometers"},
        {"METRIC", 450, 3, "around three day's walk or at least 50 kilometers away"},
        {"METRIC", 2000, 2, "over a week's walk or at least 200 kilometers"},
        {"IMPERIAL", 48, 0, "about 3 miles"},
        {"IMPERIAL", 48, 2, "few hours walk or at least 10 miles"},
        {"IMPERIAL", 40, 2, "just a couple of miles"},
        {"IMPERIAL", 7, 0, "half a mile"},
    };
    for (const Case& c : cases) {
        ini_set_value("UNITS", c.units);
        EXPECT_EQ(std::string(distance_text(c.cells, 0, 0, 0, c.flags | 8)), c.text)
            << c.units << " " << c.cells << " flags " << c.flags;
    }
    ini_set_value("UNITS", "METRIC");
    EXPECT_EQ(std::string(distance_text(100, 100, 90, 135, 0)), "about 4 kilometers");
    EXPECT_EQ(std::string(direction_distance_text(100, 100, 100, 135, 1)),
              "directly in the south from here, about 4 kilometers away");
}

TEST_F(CultureFixture, NearPointsRoundToTheNearestTenMetres) {
    std::memcpy(Plr.map_name, "ZOOMMAP", 8);
    player_x = 200;
    player_y = 200;
    view_half_w = 12;
    view_half_h = 12;
    view_layer[map_index(216, 200)] = VIEW_UNSEEN;
    view_layer[map_index(210, 200)] = '.';
    struct Case {
        int x, y;
        const char* text;
    };
    const Case cases[] = {
        {217, 200, "about 30 meters away directly in the east"},
        {222, 200, "about 40 meters away directly in the east"},
        {223, 200, "about 50 meters away directly in the east"},
        {200, 300, "about 200 meters away directly in the south"},
        {216, 200, "directly in the east"},
        {210, 200, "right over there directly in the east, you see"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(near_distance_text(c.x, c.y)), c.text) << c.x << "," << c.y;
    ini_set_value("UNITS", "IMPERIAL");
    // 34 metres are 37 yards.
    EXPECT_EQ(std::string(near_distance_text(217, 200)), "about 40 yards away directly in the east");
    view_layer[map_index(216, 200)] = 0;
    view_layer[map_index(210, 200)] = 0;
}

TEST_F(CultureFixture, TerrainAreaNamesTheBorderSideThatWinsLast) {
    init_terrain_types();
    const int a = 10, b = 20, c = 30;
    for (int y = 490; y <= 510; ++y)
        for (int x = 490; x <= 510; ++x) stored_world_terrain[map_index(x, y)] = uint8_t(a);
    std::string area = lower_case_copy(terrain_name(a));
    EXPECT_EQ(std::string(terrain_area_text(500, 500)), "large " + area + " area");

    // A run to the north and one to the west: the west is named.
    for (int x = 499; x <= 501; ++x) stored_world_terrain[map_index(x, 499)] = uint8_t(b);
    for (int y = 499; y <= 501; ++y) stored_world_terrain[map_index(499, y)] = uint8_t(c);
    EXPECT_EQ(std::string(terrain_area_text(500, 500)),
              "border location of large " + area + " area right next to " +
                  lower_case_copy(terrain_name(c)) + " in the west");

    stored_world_terrain[map_index(505, 505)] = uint8_t(b);
    // A lone cell is tiny, and every side borders the big area: the west wins.
    EXPECT_EQ(std::string(terrain_area_text(505, 505)),
              "border location of tiny " + std::string(lower_case_copy(terrain_name(b))) +
                  " area right next to " + area + " in the west");
    for (int y = 490; y <= 510; ++y)
        for (int x = 490; x <= 510; ++x) stored_world_terrain[map_index(x, y)] = 0;
}

TEST_F(CultureFixture, RelativeDirectionOfThePlayer) {
    player_x = 100;
    player_y = 100;
    facing = 2;  // north
    EXPECT_EQ(cre_relative_direction(-1, 100, 90), 0);   // ahead
    EXPECT_EQ(cre_relative_direction(-1, 90, 100), 2);   // left
    EXPECT_EQ(cre_relative_direction(-1, 100, 110), 4);  // behind
    EXPECT_EQ(cre_relative_direction(-1, 110, 100), 6);  // right
    facing = 9;
    EXPECT_EQ(cre_relative_direction(-1, 110, 100), 0);
    facing = 0;
    EXPECT_EQ(cre_direction_from_player(-1), 0);
}

}  // namespace
