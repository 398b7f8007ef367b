// The map information panel: region colours, the terrain picture of a world
// cell, the place texts, and redrawing only on a change of place.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "maps/map_layers.h"
#include "screens/map_panel.h"
#include "maps/markers.h"
#include "maps/regions.h"
#include "maps/terrain_types.h"
#include "play_folder.h"
#include "game/player.h"
#include "base/platform.h"

namespace {

struct MapPanel : ::testing::Test {
    PlayFolder play{true};
    void SetUp() override {
        std::memset(stored_world_terrain, 235, MAP_CELLS);
        std::memset(terrain_layer, 235, MAP_CELLS);
        std::memset(culture_grid, 10, CULTURE_CELLS);
        std::memset(Markers, 0, sizeof Markers);
        init_terrain_types_for_date(6, 1);
        init_region_name_parts();
        std::memset(region_name_codes, 0, sizeof region_name_codes);
        Plr.month = 6;
        Plr.day = 1;
        copy_text(Plr.map_name, "BIGMAP");
    }
    static void put(int x, int y, uint8_t code) {
        stored_world_terrain[map_index(x, y)] = code;
        terrain_layer[map_index(x, y)] = code;
    }
};

TEST_F(MapPanel, RegionColours) {
    struct Case {
        int code;
        RegionColour c;
        uint32_t rgba;
    };
    const Case cases[] = {{0, {0, 192, 0}, 0x00C000FF},       {2, {128, 252, 0}, 0x80FB00FF},
                          {5, {0, 96, 200}, 0x0060C8FF},      {8, {255, 255, 255}, 0xFFFFFFFF},
                          {11, {200, 0, 252}, 0xC800FCFF},    {10, {0, 0, 0}, 0x000000FF},
                          {13, {0, 0, 0}, 0x000000FF},        {-1, {0, 0, 0}, 0x000000FF}};
    for (const Case& c : cases) {
        const RegionColour got = area_colour_rgb(c.code);
        EXPECT_EQ(got.r, c.c.r) << c.code;
        EXPECT_EQ(got.g, c.c.g) << c.code;
        EXPECT_EQ(got.b, c.c.b) << c.code;
        EXPECT_EQ(area_colour_rgba(c.code), c.rgba) << c.code;
    }
    EXPECT_EQ(area_colour(10), 0u);
    EXPECT_EQ(area_colour(12), 0u);
    EXPECT_NE(area_colour(9), 0u);
}

TEST_F(MapPanel, TerrainPictureOfAWorldCell) {
    put(100, 100, 94);
    EXPECT_STREQ(terrain_picture_name(100, 100), "terrain-mountain.jpg");
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 1) put(100 + dx, 100 + dy, 94);
        }
    }
    EXPECT_EQ(count_fell_cells(100, 100), 6);
    EXPECT_STREQ(terrain_picture_name(100, 100), "terrain-fell.jpg");

    struct Case {
        uint8_t code;
        int month;
        const char* picture;
    };
    const Case cases[] = {
        {238, 6, "terrain-pine_heath.jpg"},  {233, 6, "terrain-open_mire.jpg"},
        {176, 6, "terrain-river.jpg"},       {177, 6, "terrain-rapids.jpg"},
        {251, 6, "terrain-field.jpg"},       {246, 6, "jarvi"},
        {182, 6, "terrain-lake.jpg"},        {47, 6, "terrain-ground.jpg"},
        {3, 12, "terrain-pine_heath-winter.jpg"},
        {182, 12, "terrain-ground-winter.jpg"},
        {238, 2, "terrain-pine_heath-winter.jpg"}, {15, 2, "terrain-ground-winter.jpg"},
        {238, 4, "terrain-pine_heath.jpg"},
    };
    for (const Case& c : cases) {
        std::memset(stored_world_terrain + map_index(0, 499), 235, MAP_STRIDE * 3);
        put(500, 500, c.code);
        Plr.month = uint8_t(c.month);
        EXPECT_STREQ(terrain_picture_name(500, 500), c.picture) << int(c.code) << " month " << c.month;
    }
    Plr.month = 6;
    // The player's own settlement shows the house.
    const int slot = marker_slot(300, 300);
    ASSERT_GE(slot, 0);
    Markers[slot].world_x = 300;
    Markers[slot].world_y = 300;
    Markers[slot].structure_flags = MARK_OWN_SETTLEMENT;
    EXPECT_STREQ(terrain_picture_name(300, 300), "terrain-house.jpg");
}

TEST_F(MapPanel, PlaceTexts) {
    region_name_codes[(200 / 32) * CULTURE_COLS + 200 / 32] = 8 * 256 + 1;  // Siikaranta
    player_x = 200;
    player_y = 200;
    EXPECT_STREQ(world_place_text(200, 200, 0), "Siikaranta \"Whitefish shore\"");
    put(201, 201, 239);
    culture_grid[(201 / 32) * CULTURE_COLS + 201 / 32] = 0;
    const std::string village = world_place_text(201, 201, 1);
    EXPECT_EQ(village.rfind("Kaumolainen ", 0), 0u) << village;
    EXPECT_NE(village.find(" at Siikaranta \"Whitefish shore\""), std::string::npos) << village;
}

TEST_F(MapPanel, PanelRedrawsOnlyOnAChangeOfPlace) {
    region_name_codes[0] = 0;
    region_name_codes[1] = 8 * 256 + 1;
    player_x = 5;
    player_y = 5;
    copy_text(last_place_text, "-- Viimeisin kartan nimi --");
    draw_map_info_panel();
    EXPECT_STREQ(last_place_text, "\"Avomeri \"Open sea\"\"");
    player_x = 20;  // the same block
    draw_map_info_panel();
    EXPECT_STREQ(last_place_text, "\"Avomeri \"Open sea\"\"");
    player_x = 40;  // the next block
    draw_map_info_panel();
    EXPECT_STREQ(last_place_text, "\"Siikaranta \"Whitefish shore\"\"");
}

TEST_F(MapPanel, TerrainAroundThePlayerAndBlockTests) {
    player_x = 50;
    player_y = 50;
    put(51, 51, 176);
    EXPECT_EQ(is_terrain_around_player("\xB0"), 1);
    EXPECT_EQ(is_terrain_around_player("\xB4\xB5"), 0);
    // A bay: 15 sea cells of 25.
    for (int i = 0; i < 15; ++i) put(600 - 2 + i % 5, 600 - 2 + i / 5, 180);
    EXPECT_EQ(is_sea_bay_block(600, 600), 1);
    put(600 + 2, 600 + 2, 180);
    for (int i = 0; i < 25; ++i) put(600 - 2 + i % 5, 600 - 2 + i / 5, 180);
    EXPECT_EQ(is_sea_bay_block(600, 600), 0);
}

}  // namespace
