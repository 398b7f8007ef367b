// Questions about places: heights and ground, ice and snow, nearest codes,
// settlement and quest sites.
#include <gtest/gtest.h>

#include <cstring>

#include "console/console.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "base/platform.h"
#include "base/stubs.h"

namespace {

void set_map(const char* name) {
    std::memset(Plr.map_name, 0, sizeof Plr.map_name);
    copy_text(Plr.map_name, name);
}

class Queries : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, 250, MAP_CELLS);
        std::memset(stored_world_terrain, 250, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(cover_layer, 0, MAP_CELLS);
        std::memset(Data, 0, sizeof Data);
        set_map("ZOOMMAP");
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 500;
        weather.current.ice = 10;
        weather.current.snow = 0;
        weather.current.snowtopice = 0;
        Plr.travel_mode = 1;
        Plr.body_state = 0;
    }
    void put(int x, int y, uint8_t code, uint8_t height = 0) {
        terrain_layer[map_index(x, y)] = code;
        height_layer[map_index(x, y)] = height;
    }
    PlayFolder folder{false};
};

TEST_F(Queries, IceThicknessByFrostAndDepth) {
    struct Case {
        int frost, height, mm;
    } cases[] = {{-300, 2, 135}, {-300, 7, 300}, {-300, 0, 30}, {-300, 1, 60}, {-300, 5, 270},
                 {-2, 7, 0}, {-3, 7, 3}, {-600, 1, 600}, {0, 7, 0}, {50, 7, 0}};
    for (const Case& c : cases) {
        weather.current.ice = c.frost;
        put(230, 230, 247, uint8_t(c.height));
        EXPECT_EQ(ice_thickness_at(230, 230), c.mm) << c.frost << " at " << c.height;
    }
    weather.current.ice = -300;
    EXPECT_EQ(ice_thickness_at(231, 230), 0);  // land
    EXPECT_EQ(ice_thickness_at(-1, 230), 0);   // outside
    // Water that does not freeze freezes on a local map only where the world
    // cell under it freezes.
    put(230, 230, 180, 7);
    stored_world_terrain[map_index(1000, 500)] = 180;
    EXPECT_EQ(ice_thickness_at(230, 230), 0);
    stored_world_terrain[map_index(1000, 500)] = 247;
    EXPECT_EQ(ice_thickness_at(230, 230), 300);
}

TEST_F(Queries, WorldIce) {
    set_map("BIGMAP");
    stored_world_terrain[map_index(10, 10)] = 247;
    stored_world_terrain[map_index(11, 10)] = 176;
    stored_world_terrain[map_index(12, 10)] = 180;
    terrain_layer[map_index(10, 10)] = 247;
    weather.current.ice = -100;
    EXPECT_EQ(world_ice_thickness_at(10, 10), 20);
    EXPECT_EQ(world_ice_thickness_at(11, 10), 45);
    EXPECT_EQ(world_ice_thickness_at(12, 10), 0);  // the sea does not freeze
    EXPECT_EQ(ice_thickness_at(10, 10), 20);
    weather.current.ice = -25;
    EXPECT_EQ(world_ice_thickness_at(10, 10), 0);  // 5 mm counts as none
}

TEST_F(Queries, IceHolesHoldNothingOrTheirOwnIce) {
    weather.current.ice = -300;
    put(230, 230, 247, 7);
    EXPECT_EQ(ice_holding_at(230, 230), 300);
    Data[0].x = 230; Data[0].y = 230; Data[0].TYPE = 93; Data[0].amount = 40;
    EXPECT_EQ(ice_holding_at(230, 230), 40);
    Data[1].x = 230; Data[1].y = 230; Data[1].TYPE = 94;
    EXPECT_EQ(ice_holding_at(230, 230), 0);
}

TEST_F(Queries, LoadsOnIce) {
    // 200 pounds on 10 mm: 90,600 g against 8,000 g.
    for (int draw = 0; draw < 10; ++draw) EXPECT_EQ(ice_load_verdict(10, 200 * 453, draw), 1);
    // 60 mm holds 48,000 g; 60,000 g: holds > 0.7 wt, so 8 and 9 break.
    for (int draw = 0; draw < 10; ++draw) EXPECT_EQ(ice_load_verdict(60, 60000, draw), draw >= 8 ? 1 : 2) << draw;
    // 80,000 g: holds <= 0.7 wt, so 7 to 9 break.
    for (int draw = 0; draw < 10; ++draw) EXPECT_EQ(ice_load_verdict(60, 80000, draw), draw >= 7 ? 1 : 2) << draw;
    EXPECT_EQ(ice_load_verdict(60, 47999, 9), 0);
    EXPECT_EQ(ice_load_verdict(9, 899, 9), 0);  // thin ice holds 100 g a millimetre

    weather.current.ice = -300;
    put(230, 230, 247, 7);
    EXPECT_EQ(check_ice_breaks(230, 230, 10, 0), 0);
    EXPECT_EQ(check_ice_breaks(230, 230, 1100, 0), 1);  // half of 498,300 g is more than 240,000
    EXPECT_EQ(check_ice_breaks(231, 230, 1000, 0), 0);  // no ice on land
    // The player's own weight, halved while skiing.
    Plr.carried_load = 0;
    player_x = 230;
    player_y = 230;
    weather.current.ice = -60;  // 7 m deep: 60 mm holds 48,000 g
    Plr.body_weight = 240;      // 108,720 g: half of it is more than the ice holds
    EXPECT_EQ(check_ice_breaks(230, 230, 0, 0), 1);
    Plr.body_weight = 200;      // 90,600 g: by chance
    seed_random(9);
    for (int i = 0; i < 20; ++i) EXPECT_NE(check_ice_breaks(230, 230, 0, 0), 0);
    Plr.travel_mode = 7;        // skiing: 45,300 g, held
    EXPECT_EQ(check_ice_breaks(230, 230, 0, 0), 0);
    Plr.travel_mode = 1;
    Plr.body_state = 1;         // lying down
    EXPECT_EQ(check_ice_breaks(230, 230, 0, 0), 0);
}

TEST_F(Queries, SnowCrust) {
    Plr.body_weight = 130;
    Plr.carried_load = 20;  // 150 pounds, 67,950 g
    EXPECT_EQ(check_crust_breaks(-1, 230, 0, 230), -1);  // no crust
    weather.current.snowtopice = 100;
    weather.current.snow = 40;
    EXPECT_EQ(check_crust_breaks(-1, 230, 0, 230), -1);  // too little snow
    weather.current.snow = 300;
    EXPECT_EQ(check_crust_breaks(-1, 230, 0, 230), 1);    // a crust of 100 holds 80,000 g
    weather.current.snowtopice = 10;  // holds 8,000 g
    EXPECT_EQ(check_crust_breaks(-1, 230, 0, 230), 0);
}

TEST_F(Queries, SnowDepth) {
    weather.current.snow = 300;
    weather.current.ice = -100;
    EXPECT_EQ(snow_depth_at(230, 230), 300);
    put(231, 230, 95);
    EXPECT_EQ(snow_depth_at(231, 230), 0);   // indoors
    put(232, 230, 31);
    EXPECT_EQ(snow_depth_at(232, 230), 300);  // a shelter is not indoors
    put(233, 230, 247, 7);
    EXPECT_EQ(snow_depth_at(233, 230), 300);  // on ice
    weather.current.ice = 10;
    EXPECT_EQ(snow_depth_at(233, 230), 0);    // open water
    stored_world_terrain[map_index(1000, 500)] = 239;
    EXPECT_EQ(snow_depth_at(230, 230), 50);   // trodden in a village
    weather.current.snow = 0;
    EXPECT_EQ(snow_depth_at(240, 240), 0);
}

TEST_F(Queries, HeightsCoverAndGround) {
    put(230, 230, 250, 17);
    EXPECT_EQ(height_at(230, 230), 17);
    EXPECT_EQ(height_at(-1, 0), 0);
    cover_layer[map_index(230, 230)] = (2 << 3) | 1;
    EXPECT_EQ(cover_byte_at(230, 230), 17);
    EXPECT_EQ(ground_type_at(230, 230), 2);
    EXPECT_EQ(cover_byte_at(3073, 0), 0);
    // A marsh cell: no ground bits, the world cell is mire.
    stored_world_terrain[map_index(1000, 500)] = 233;
    EXPECT_EQ(ground_type_at(231, 230), GROUND_MARSH);
    stored_world_terrain[map_index(1000, 500)] = 15;
    EXPECT_EQ(ground_type_at(231, 230), 0);
    set_map("BIGMAP");
    struct Case {
        uint8_t code;
        int height;
    } cases[] = {{94, 250}, {60, 230}, {91, 180}, {178, 1}, {176, 27}, {15, 80}, {250, 50}};
    for (const Case& c : cases) {
        terrain_layer[map_index(5, 5)] = c.code;
        EXPECT_EQ(height_at(5, 5), c.height) << int(c.code);
    }
}

TEST_F(Queries, CellAheadOfThePlayer) {
    player_x = 230;
    player_y = 230;
    put(231, 229, 13);
    Plr.facing = 1;  // north-east
    int x = 0, y = 0;
    EXPECT_EQ(cre_cell_ahead(-1, &x, &y), 13);
    EXPECT_EQ(x, 231);
    EXPECT_EQ(y, 229);
    player_x = 0;
    player_y = 0;
    Plr.facing = 4;
    EXPECT_EQ(cre_cell_ahead(-1, &x, &y), 32);
}

TEST_F(Queries, NearestWorldCodeStaysInTheMap) {
    stored_world_terrain[map_index(100, 2047)] = 60;
    stored_world_terrain[map_index(101, 2048)] = 60;  // the spare row is no cell
    stored_world_terrain[map_index(3072, 2040)] = 60; // nor the spare column
    EXPECT_EQ(find_nearest_world_code(60, 100, 2040, 4000, 0), 1);
    EXPECT_EQ(nearest_code.x, 100);
    EXPECT_EQ(nearest_code.y, 2047);
    EXPECT_EQ(nearest_code.direction, 6);
    EXPECT_EQ(nearest_code.distance, 7);  // due south: dx / 2 + dy
    EXPECT_EQ(find_nearest_world_code(60, 3060, 2040, 60, 0), 0);
    EXPECT_EQ(nearest_code.x, -1);
    EXPECT_EQ(nearest_code.distance, 1000);

    stored_world_terrain[map_index(510, 500)] = 91;
    stored_world_terrain[map_index(502, 502)] = 91;
    EXPECT_EQ(find_nearest_world_code(91, 500, 500, 40, 0), 2);
    EXPECT_EQ(nearest_code.x, 502);  // (2 + 2) / 2 = 2 against 10
    EXPECT_EQ(nearest_code.direction, 7);
    EXPECT_EQ(nearest_code.distance, 2);
    // Cells nearer than `inner` on either axis are skipped.
    EXPECT_EQ(find_nearest_world_code(91, 500, 500, 40, 3), 0);
}

class FixtureQueries : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Sites");
        init_terrain_types_for_date(6, 1);
        load_world_files();
        load_culture_grid();
        weather.current.ice = 10;
    }
    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(FixtureQueries, SitesAndRuns) {
    EXPECT_EQ(is_world_site_at(world.village.x, world.village.y, 1), 1);
    EXPECT_EQ(is_world_site_at(world.camp.x, world.camp.y, 1), 1);
    EXPECT_EQ(is_world_site_at(world.field.x, world.field.y, 1), 0);
    EXPECT_EQ(is_world_site_at(world.field.x, world.field.y, 0), 1);
    EXPECT_EQ(site_within_radius(world.village.x + 5, world.village.y, 5), 1);
    EXPECT_EQ(site_within_radius(world.village.x + 6, world.village.y, 5), 0);
    EXPECT_EQ(is_world_row_run(world.river_start.x + 5, world.river_start.y, 178), 1);
    EXPECT_EQ(is_world_column_run(world.river_start.x + 5, world.river_start.y, 178), 0);
    EXPECT_EQ(is_world_column_run(world.conifer.x, world.conifer.y, 15), 1);
}

TEST_F(FixtureQueries, LandReachAndCoasts) {
    EXPECT_EQ(world_land_reach_at(world.sea.x, world.sea.y), 1);  // all water around
    EXPECT_EQ(world_land_reach_at(world.conifer.x, world.conifer.y), 25 + 25 + 25 + 11);
    EXPECT_EQ(is_open_coast_at(world.small_lake.x + 1, world.small_lake.y), 1);
    EXPECT_EQ(is_open_coast_at(world.shore.x, world.shore.y), 0);  // the sea is no lake shore
}

TEST_F(FixtureQueries, VillageCells) {
    seed_random(2);
    for (int i = 0; i < 20; ++i) {
        const MapPoint p = pick_village_cell(1040, 480, 0, 100, world.land_culture);
        const bool ok = (p.x == world.village.x && p.y == world.village.y) ||
                        (p.x == world.fortified_village.x && p.y == world.fortified_village.y);
        ASSERT_TRUE(ok) << p.x << "," << p.y;
    }
    const MapPoint none = pick_village_cell(1040, 480, 0, 100, world.land_culture + 1);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
    // Both villages nearer than the minimum distance on both axes.
    const MapPoint near = pick_village_cell(1040, 475, 50, 100, world.land_culture);
    EXPECT_EQ(near.x, 0);
}

TEST_F(FixtureQueries, QuestSiteCells) {
    seed_random(4);
    for (int i = 0; i < 10; ++i) {
        const MapPoint p = pick_world_site_cell(1050, 520, 0, 60, 1, world.land_culture, 15);
        ASSERT_NE(p.x, 0);
        EXPECT_EQ(stored_world_terrain_at(p.x, p.y), 15);
        EXPECT_EQ(site_within_radius(p.x, p.y, 10), 0);
        EXPECT_GE(world_land_reach_at(p.x, p.y), 15);
    }
    const MapPoint water = pick_world_site_cell(900, 400, 0, 20, 0, 0, 0);
    EXPECT_EQ(water.x, 0);  // nothing but sea
}

TEST_F(FixtureQueries, FloorCellsOfAWorldCell) {
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    std::memset(terrain_layer, 250, MAP_CELLS);
    EXPECT_EQ(pick_floor_cell_in_world_cell(1000, 500).x, 0);
    terrain_layer[map_index(210, 220)] = '_';
    const MapPoint p = pick_floor_cell_in_world_cell(1000, 500);
    EXPECT_EQ(p.x, 210);
    EXPECT_EQ(p.y, 220);
    EXPECT_EQ(pick_floor_cell_in_world_cell(1001, 500).x, 0);
    copy_text(Plr.map_name, "BIGMAP");
    EXPECT_EQ(pick_floor_cell_in_world_cell(1000, 500).x, 0);
}

TEST_F(Queries, NearestWaterAndLandOnALocalMap) {
    put(240, 230, 247);
    int x = 0, y = 0;
    EXPECT_EQ(find_nearest_water(230, 230, &x, &y), 10);
    EXPECT_EQ(x, 240);
    put(225, 225, 247);
    EXPECT_EQ(find_nearest_water(230, 230, &x, &y), 5);
    EXPECT_EQ(x, 225);
    EXPECT_EQ(y, 225);
    std::memset(terrain_layer, 250, MAP_CELLS);
    EXPECT_EQ(find_nearest_water(230, 230, &x, &y), 1000);
    EXPECT_EQ(x, 0);
    // Land: water all around but one cell three steps west.
    std::memset(terrain_layer, 247, MAP_CELLS);
    put(227, 230, 250);
    EXPECT_EQ(find_nearest_land(230, 230, &x, &y), 3);
    EXPECT_EQ(x, 227);
    put(227, 230, 247);
    EXPECT_EQ(find_nearest_land(230, 230, &x, &y), 1000);
}

TEST_F(Queries, IsletSpots) {
    std::memset(terrain_layer, 247, MAP_CELLS);
    int x = 0, y = 0;
    EXPECT_EQ(find_islet_spot(230, 230, &x, &y), 0);
    put(231, 229, 250);
    cover_layer[map_index(231, 229)] = 1 << 3;  // bare rock
    EXPECT_EQ(find_islet_spot(230, 230, &x, &y), 1);
    EXPECT_EQ(x, 231);
    EXPECT_EQ(y, 229);
    put(234, 229, 250);  // land on the ring
    EXPECT_EQ(find_islet_spot(230, 230, &x, &y), 0);
}

TEST_F(Queries, PastingABlockOnALocalMap) {
    std::memset(&zoom_work, 0, sizeof zoom_work);
    std::memset(zoom_work.terrain, 95, sizeof zoom_work.terrain);
    zoom_work.objects[0].TYPE = 9;
    zoom_work.objects[0].x = 3;
    zoom_work.objects[0].y = 4;
    zoom_work.objects[1].TYPE = 1;  // only plants and placed things come along
    Data[0].TYPE = 65; Data[0].x = 205; Data[0].y = 205;
    Data[1].TYPE = 65; Data[1].x = 300; Data[1].y = 300;
    paste_terrain_block(200, 200, 64, 64);
    EXPECT_EQ(terrain_at(200, 200), 95);
    EXPECT_EQ(terrain_at(263, 263), 95);
    EXPECT_EQ(terrain_at(264, 263), 250);
    EXPECT_EQ(Data[0].TYPE, 9);  // the freed record is reused by the new plant
    EXPECT_EQ(Data[0].x, 203);
    EXPECT_EQ(Data[0].y, 204);
    EXPECT_EQ(Data[1].TYPE, 65);
    paste_terrain_block(0, 0, 0, 0);
    EXPECT_EQ(terrain_at(0, 0), 250);
}

TEST_F(Queries, Indoors) {
    put(230, 230, 95);
    put(231, 230, 31);
    EXPECT_EQ(is_indoors_at(230, 230), 1);
    EXPECT_EQ(is_indoors_at(231, 230), 0);
    EXPECT_EQ(is_indoors_at(-4, 230), 0);
}

TEST_F(Queries, BreakingTheIceUnderThePlayer) {
    weather.current.ice = -50;
    put(230, 230, 247, 0);  // a lone pool, deep in the middle of the ground
    Data[0].x = 230; Data[0].y = 230; Data[0].TYPE = 93; Data[0].amount = 20;  // refreezing hole
    Data[1].x = 230; Data[1].y = 230; Data[1].TYPE = 8;                        // a fire on the ice
    Data[2].x = 231; Data[2].y = 230; Data[2].TYPE = 8;
    player_x = 230;
    player_y = 230;
    Plr.total_minutes = 777;
    clear_stub_calls();
    do_break_ice(230, 230);
    const int hole = find_map_object(94, 230, 230);
    ASSERT_GE(hole, 0);
    EXPECT_EQ(Data[hole].time_stamp, 777);
    EXPECT_EQ(find_map_object(93, 230, 230), -1);
    EXPECT_EQ(find_map_object(8, 230, 230), -1);
    EXPECT_EQ(find_map_object(8, 231, 230), 2);
    // The player falls in and swims: the water step took the swimming roll.
    EXPECT_EQ(Plr.travel_mode, 2);
    EXPECT_TRUE(stub_was_called("plr_swim_roll"));
    EXPECT_EQ(ice_holding_at(230, 230), 0);
    // On the world map nothing happens.
    set_map("BIGMAP");
    Data[hole].TYPE = 33;
    do_break_ice(230, 230);
    EXPECT_EQ(find_map_object(94, 230, 230), -1);
}

}  // namespace
