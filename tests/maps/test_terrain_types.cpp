// The terrain-type table and the queries that read it for one cell.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "console/console.h"
#include "maps/map_layers.h"
#include "maps/weather.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

class TerrainTable : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "BIGMAP");
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, 250, MAP_CELLS);
        std::memset(stored_world_terrain, 250, MAP_CELLS);
        std::memset(Data, 0, sizeof Data);
        std::memset(Markers, 0, sizeof Markers);
    }
    void local_map() {
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "ZOOMMAP");
    }
    PlayFolder folder{false};
};

TEST_F(TerrainTable, TileListHasALineForEveryCodeWithATile) {
    std::ifstream in("debug_ter-tiles.txt");
    ASSERT_TRUE(in.good());
    std::string line;
    int lines = 0;
    bool saw_spruce = false, saw_error = false;
    while (std::getline(in, line)) {
        ++lines;
        if (line == "#13 - Spruce -- truetile/ter-spruce") saw_spruce = true;
        if (line == "**** ERROR, no ter-tile: #32 -  -- truetile/") saw_error = true;
    }
    int expected = 0;
    for (const TerrainType& t : TerrainTypes) expected += (t.name[0] || t.tile_index) ? 1 : 0;
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines, 80);
    EXPECT_TRUE(saw_spruce);
    EXPECT_TRUE(saw_error);
}

TEST_F(TerrainTable, RowsOfTheTable) {
    const TerrainType& ford = TerrainTypes[176];
    EXPECT_STREQ(ford.name, "Ford");
    EXPECT_STREQ(ford.tile, "ter-ford");
    EXPECT_EQ(ford.flags, 0xB4u);
    EXPECT_EQ(ford.habitat, 0x20000u);
    EXPECT_EQ(ford.underlay, 0);
    EXPECT_EQ(ford.draw_kind, 1);
    EXPECT_EQ(ford.tile_index, 55);
    EXPECT_EQ(ford.freezes, 1);
    EXPECT_EQ(ford.draw_flags, 0x40u);
    // Undefined codes stay cleared, with ground beneath.
    EXPECT_EQ(TerrainTypes[1].flags, 0u);
    EXPECT_EQ(TerrainTypes[1].underlay, 250);
    EXPECT_STREQ(terrain_name(1), "");
    EXPECT_STREQ(terrain_name(256), "");
    EXPECT_STREQ(terrain_name(-1), "");
    EXPECT_EQ(terrain_flags_of(32), 0u);
    EXPECT_EQ(terrain_is_open(32), 1);
    EXPECT_EQ(terrain_is_open(20), 0);
    // Neighbour rules of the door: west block, second rule.
    const NeighbourRule& r = TerrainTypes[254].rules[NB_WEST][1];
    EXPECT_EQ(r.codes[0], 95);
    EXPECT_EQ(r.codes[4], 19);
    EXPECT_EQ(r.codes[5], 0);
    EXPECT_EQ(r.mode, 1);
    EXPECT_EQ(r.result, 250);
    EXPECT_EQ(TerrainTypes[22].rules[NB_SOUTH][2].mode, 3);
    EXPECT_EQ(TerrainTypes[22].rules[NB_SOUTH][3].mode, 0);
}

TEST_F(TerrainTable, DateTints) {
    struct Case {
        int month, day;
        uint8_t first[4], second[4];
        bool reload;
    } cases[] = {
        {1, 30, {255, 255, 255, 248}, {171, 171, 171, 66}, true},
        {4, 10, {171, 87, 0, 22}, {255, 255, 255, 255}, true},
        {10, 5, {87, 87, 87, 170}, {168, 0, 0, 54}, true},
        {7, 15, {168, 0, 0, 50}, {171, 87, 0, 7}, true},
        {13, 1, {255, 255, 255, 255}, {255, 255, 255, 255}, false},
        {0, 1, {255, 255, 255, 255}, {255, 255, 255, 255}, false},
    };
    for (const Case& c : cases) {
        const TerrainTint t = terrain_tints_for_date(c.month, c.day);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(t.first[i], c.first[i]) << c.month << "/" << c.day << " byte " << i;
            EXPECT_EQ(t.second[i], c.second[i]) << c.month << "/" << c.day << " byte " << i;
        }
        EXPECT_EQ(t.reload, c.reload) << c.month;
    }
}

TEST_F(TerrainTable, WinterDrawsFreezingWatersAsGround) {
    init_terrain_types_for_date(12, 5);
    EXPECT_EQ(TerrainTypes[247].draw_kind, 1);  // the console's switch is on at start
    console_gupd = 0;
    init_terrain_types_for_date(12, 5);
    EXPECT_EQ(TerrainTypes[247].draw_kind, 0);
    EXPECT_EQ(TerrainTypes[180].draw_kind, 1);  // the sea does not freeze
    init_terrain_types_for_date(6, 5);
    EXPECT_EQ(TerrainTypes[247].draw_kind, 1);
    console_gupd = 1;
}

TEST_F(TerrainTable, SaplingNames) {
    local_map();
    terrain_layer[map_index(100, 100)] = 12;
    EXPECT_STREQ(terrain_name_at(100, 100), "Young spruce");
    Data[0].x = 100; Data[0].y = 100; Data[0].TYPE = 64; Data[0].subkind = 8;
    EXPECT_STREQ(terrain_name_at(100, 100), "spruce sapling");
    EXPECT_STREQ(terrain_name_at(-3, 100), "");
}

TEST_F(TerrainTable, WorldTerrainDescriptions) {
    stored_world_terrain[map_index(500, 500)] = 247;  // a lone pond
    for (int y = 599; y <= 601; ++y)
        for (int x = 599; x <= 601; ++x) stored_world_terrain[map_index(x, y)] = 247;
    stored_world_terrain[map_index(700, 700)] = 178;
    stored_world_terrain[map_index(701, 700)] = 178;
    stored_world_terrain[map_index(702, 700)] = 178;
    stored_world_terrain[map_index(800, 800)] = 180;
    EXPECT_STREQ(describe_world_terrain(500, 500), "Small lake");
    EXPECT_STREQ(describe_world_terrain(600, 600), "Lake");
    EXPECT_STREQ(describe_world_terrain(599, 599), "Lake");
    EXPECT_STREQ(describe_world_terrain(701, 700), "River");
    EXPECT_STREQ(describe_world_terrain(800, 800), "Sea");
    EXPECT_STREQ(describe_world_terrain(10, 10), "Ground");
    EXPECT_STREQ(describe_world_terrain(-1, 10), "");
    Markers[3].world_x = 10;
    Markers[3].world_y = 10;
    Markers[3].structure_flags = MARK_OWN_SETTLEMENT;
    EXPECT_STREQ(describe_world_terrain(10, 10), "Your settlement");
}

TEST_F(TerrainTable, SmallLakes) {
    // A single shallow water with land on all four sides is small whatever
    // lies diagonally.
    stored_world_terrain[map_index(300, 300)] = 183;
    for (int d = -2; d <= 2; ++d) {
        stored_world_terrain[map_index(300 + d, 298)] = 247;
        stored_world_terrain[map_index(300 + d, 302)] = 247;
    }
    EXPECT_EQ(is_small_lake(300, 300), 1);
    // Only 183 and 247 can be small lakes.
    stored_world_terrain[map_index(400, 400)] = 182;
    EXPECT_EQ(is_small_lake(400, 400), 0);
    // A row of two: F = 1.
    stored_world_terrain[map_index(450, 450)] = 247;
    stored_world_terrain[map_index(451, 450)] = 247;
    EXPECT_EQ(is_small_lake(450, 450), 1);
}

TEST_F(TerrainTable, TerrainKeywords) {
    struct Case {
        const char* text;
        uint32_t mask;
    } cases[] = {
        {"dryish", 0x2},
        {"dry", 0x4},
        {"open_mire coniferous", 0x41000},
        {"lake pond river", 0x20 | 0x80 | 0x20000},
        {"sea", 0x80000},
        {"spruce_mire pine_mire wetland", 0x400 | 0x800 | 0x200},
        {"settlement meadow clearing field", 0x2000 | 0x4000 | 0x8000 | 0x40},
        {"cliff mountain barren fresh grove", 0x10000 | 0x100 | 0x1 | 0x8 | 0x10},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(parse_terrain_keywords(c.text), c.mask) << c.text;
    EXPECT_EQ(parse_terrain_keywords(nullptr), 0u);
}

TEST_F(TerrainTable, TerrainClassAddsWetlandBesideWater) {
    stored_world_terrain[map_index(200, 200)] = 15;
    EXPECT_EQ(terrain_class_at(200, 200), 0x40008u);
    stored_world_terrain[map_index(200, 201)] = 247;
    EXPECT_EQ(terrain_class_at(200, 200), 0x40208u);
    EXPECT_EQ(terrain_class_at(-5, 0), 0u);  // 32 outside: no class
}

TEST_F(TerrainTable, WallCodes) {
    const int walls[] = {20, 22, 23, 188, 191, 192, 196, 200, 208, 217, 218, 254};
    int n = 0;
    for (int code = 0; code < 300; ++code) n += is_wall_code(code);
    EXPECT_EQ(n, 12);
    for (int w : walls) EXPECT_EQ(is_wall_code(w), 1) << w;
}

class RoomTemperature : public TerrainTable {
protected:
    // A room of floor cells (95) inside walls, at (x0, y0) of w x h.
    void room(int x0, int y0, int w, int h) {
        for (int y = y0 - 1; y <= y0 + h; ++y)
            for (int x = x0 - 1; x <= x0 + w; ++x) terrain_layer[map_index(x, y)] = 196;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) terrain_layer[map_index(x, y)] = 95;
    }
};

TEST_F(RoomTemperature, TinyRoomsNeverDivideByZero) {
    local_map();
    Plr.previous_air_temp = 10.0f;
    for (int w = 1; w <= 2; ++w) {
        room(200, 200, w, 1);
        EXPECT_EQ(compute_room_temperature(200, 200), 1) << w;
        EXPECT_EQ(room_temperature, 12) << w;
    }
}

TEST_F(RoomTemperature, BaseByOutdoorTemperature) {
    local_map();
    room(200, 200, 4, 3);
    struct Case {
        float t;
        int base;
    } cases[] = {{25.0f, 20}, {20.0f, 15}, {19.5f, 21}, {0.0f, 2}, {-0.5f, 0}, {-10.0f, 0},
                 {-10.5f, -3}, {-25.0f, -3}, {-30.0f, -5}};
    for (const Case& c : cases) {
        Plr.previous_air_temp = c.t;
        EXPECT_EQ(compute_room_temperature(201, 201), 1) << c.t;
        EXPECT_EQ(room_temperature, c.base) << c.t;
    }
}

TEST_F(RoomTemperature, OpeningsAndOpenRooms) {
    local_map();
    room(200, 200, 4, 3);
    terrain_layer[map_index(199, 201)] = 22;  // an open door in the west wall
    Plr.previous_air_temp = 25.0f;
    EXPECT_EQ(compute_room_temperature(201, 201), 1);
    EXPECT_EQ(room_temperature, 25);  // 20 - 10, raised to 25
    Plr.previous_air_temp = 10.0f;
    compute_room_temperature(201, 201);
    EXPECT_EQ(room_temperature, 10);  // 12 - 10 = 2, raised to 10
    // A roofed cell whose fill runs out 10 cells is not enclosed.
    for (int x = 204; x < 230; ++x) terrain_layer[map_index(x, 201)] = 95;
    EXPECT_EQ(compute_room_temperature(201, 201), 0);
    EXPECT_EQ(room_temperature, 0);
    // Unroofed cells and the world map answer 0.
    EXPECT_EQ(compute_room_temperature(100, 100), 0);
    copy_text(Plr.map_name, "BIGMAP");
    EXPECT_EQ(compute_room_temperature(201, 201), 0);
}

TEST_F(RoomTemperature, AFireplaceMarksTheRoom) {
    local_map();
    room(200, 200, 3, 3);
    terrain_layer[map_index(201, 201)] = 4;
    Plr.previous_air_temp = 10.0f;
    EXPECT_EQ(compute_room_temperature(200, 200), 3);
}

TEST_F(TerrainTable, HabitatModes) {
    weather.current.ice = 20;  // open water
    EXPECT_EQ(suits_habitat_mode(100, 100, 0), 1);
    EXPECT_EQ(suits_habitat_mode(100, 100, 1), 0);
    EXPECT_EQ(suits_habitat_mode(100, 100, 9), 0);
    terrain_layer[map_index(101, 100)] = 247;
    EXPECT_EQ(suits_habitat_mode(100, 100, 1), 1);
    EXPECT_EQ(suits_habitat_mode(100, 100, 2), 1);
    EXPECT_EQ(suits_habitat_mode(100, 100, 3), 0);
    terrain_layer[map_index(100, 103)] = 233;  // mire three cells south
    EXPECT_EQ(suits_habitat_mode(100, 100, 3), 1);
    local_map();
    EXPECT_EQ(suits_habitat_mode(100, 100, 2), 0);
    EXPECT_EQ(suits_habitat_mode(100, 100, 3), 0);
}

TEST_F(TerrainTable, RoofedCells) {
    terrain_layer[map_index(10, 10)] = 95;
    EXPECT_EQ(is_roofed_at(10, 10), 1);
    EXPECT_EQ(is_roofed_at(11, 10), 0);
    EXPECT_EQ(is_roofed_at(-1, 10), 0);
}

}  // namespace
