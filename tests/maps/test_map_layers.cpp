// The layers of the current map: out-of-grid reads, the current map's name,
// local <-> world conversion, cultures, and the cell helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "console/console.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "society/game_course.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

void set_map(const char* name, int origin_x = 1000, int origin_y = 500) {
    std::memset(Plr.map_name, 0, sizeof Plr.map_name);
    copy_text(Plr.map_name, name);
    Plr.zoom_origin_x = origin_x;
    Plr.zoom_origin_y = origin_y;
}

class MapLayers : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, 250, MAP_CELLS);
        std::memset(view_layer, ':', MAP_CELLS);
        std::memset(culture_grid, 0, sizeof culture_grid);
        std::memset(Data, 0, sizeof Data);
        set_map("BIGMAP");
    }
    PlayFolder folder{false};
};

TEST_F(MapLayers, ReadsOutsideTheGridGiveTheirOwnMarks) {
    terrain_layer[map_index(0, 5)] = 15;
    EXPECT_EQ(terrain_at(0, 5), 15);
    EXPECT_EQ(terrain_at(-1, 5), 32);
    EXPECT_EQ(terrain_at(3072, 5), 32);
    EXPECT_EQ(terrain_at(5, 2048), 32);
    EXPECT_EQ(terrain_at(5, -2000000000), 32);
    EXPECT_EQ(stored_world_terrain_at(-1, 0), 32);
    EXPECT_EQ(view_layer_at(0, 2048), ':');
    EXPECT_EQ(view_layer_at(-5, 10), ':');
    EXPECT_EQ(remembered_at(3072, 0), 32);
}

TEST_F(MapLayers, OnlyExactlyBigmapIsTheWorldMap) {
    struct Case {
        const char* name;
        int world;
    } cases[] = {{"BIGMAP", 1}, {"ZOOMMAP", 0}, {"bigmap", 0}, {"BIGMAP2", 0}, {"", 0}, {"BIGMA", 0}};
    for (const Case& c : cases) {
        set_map(c.name);
        EXPECT_EQ(is_world_map(), c.world) << c.name;
        EXPECT_EQ(map_kind, c.world ? 1 : 2) << c.name;
    }
}

TEST_F(MapLayers, AskingAboutTheMapMovesNoCourseCounter) {
    set_map("ZOOMMAP");
    Plr.course_event = 2;
    Plr.course_target = 1000;
    course_counter = 0;
    for (int i = 0; i < 50; ++i) is_world_map();
    EXPECT_EQ(course_counter, 0);
    // One game-loop pass counts once.
    count_local_map_turn();
    EXPECT_EQ(course_counter, 1);
    set_map("BIGMAP");
    count_local_map_turn();
    EXPECT_EQ(course_counter, 1);
}

TEST_F(MapLayers, ZoomBlocksAndWorldCellsOfLocalPositions) {
    struct Case {
        int local, d, first;
    } cases[] = {{71, 2, 328}, {72, -2, 72}, {135, -2, 72}, {136, -1, 136}, {200, 0, 200},
                 {263, 0, 200}, {264, 1, 264}, {391, 2, 328}, {392, 2, 328}, {-1, 2, 328}};
    set_map("ZOOMMAP", 1000, 500);
    for (const Case& c : cases) {
        const ZoomBlock b = zoom_block_of(c.local);
        EXPECT_EQ(b.d, c.d) << c.local;
        EXPECT_EQ(b.first, c.first) << c.local;
        EXPECT_EQ(world_x_of(c.local), 1000 + c.d) << c.local;
        EXPECT_EQ(world_y_of(c.local), 500 + c.d) << c.local;
    }
    EXPECT_EQ(world_x_of(72), 998);
    EXPECT_EQ(world_y_of(391), 502);
    player_x = 210;
    player_y = 140;
    EXPECT_EQ(plr_world_x(), 1000);
    EXPECT_EQ(plr_world_y(), 499);
    set_map("BIGMAP");
    EXPECT_EQ(world_x_of(72), 72);
    EXPECT_EQ(plr_world_x(), 210);
}

TEST_F(MapLayers, LocalRectangleOfAWorldCell) {
    set_map("ZOOMMAP", 1000, 500);
    MapRect r = world_cell_local_rect(1000, 500);
    EXPECT_EQ(r.x, 200); EXPECT_EQ(r.y, 200); EXPECT_EQ(r.w, 64); EXPECT_EQ(r.h, 64);
    r = world_cell_local_rect(998, 502);
    EXPECT_EQ(r.x, 72); EXPECT_EQ(r.y, 328);
    r = world_cell_local_rect(1003, 500);
    EXPECT_EQ(r.w, 0); EXPECT_EQ(r.x, 0);
    set_map("BIGMAP");
    r = world_cell_local_rect(1000, 500);
    EXPECT_EQ(r.w, 0);
}

TEST_F(MapLayers, LakeDepthCodesBecomePlainWaterOnlyOnLocalMaps) {
    terrain_layer[map_index(100, 100)] = 182;
    terrain_layer[map_index(101, 100)] = 183;
    terrain_layer[map_index(102, 100)] = 180;
    clear_water_depth_codes();
    EXPECT_EQ(terrain_at(100, 100), 182);
    EXPECT_EQ(terrain_at(101, 100), 183);
    set_map("ZOOMMAP");
    clear_water_depth_codes();
    EXPECT_EQ(terrain_at(100, 100), 247);
    EXPECT_EQ(terrain_at(101, 100), 247);
    EXPECT_EQ(terrain_at(102, 100), 180);
}

TEST_F(MapLayers, CulturesByBlock) {
    culture_grid[63 * 96 + 95] = 7;
    culture_grid[(500 / 32) * 96 + 1000 / 32] = 4;
    culture_grid[(502 / 32) * 96 + 1030 / 32] = 5;
    EXPECT_EQ(culture_at(3071, 2047), 7);
    EXPECT_EQ(culture_at(3072, 0), 0);
    EXPECT_EQ(world_culture_at(-1, 0), 0);
    EXPECT_EQ(world_culture_at(1000, 500), 4);
    set_map("ZOOMMAP", 1000, 500);
    EXPECT_EQ(culture_at(230, 230), 4);
    // Local 72 is world x 998, local 391 world y 502: block (31, 15).
    EXPECT_EQ(culture_at(72, 391), 4);
    Plr.zoom_origin_x = 1030;  // local 391 is world x 1032: block (32, 15)
    EXPECT_EQ(culture_at(391, 391), 5);
    Plr.zoom_origin_x = 1000;
    set_culture_at(230, 230, 9);
    EXPECT_EQ(world_culture_at(1000, 500), 9);
    set_map("BIGMAP");
    set_culture_at(5000, 5, 2);  // outside: ignored
    set_culture_at(0, 0, 2);
    EXPECT_EQ(culture_grid[0], 2);
}

TEST_F(MapLayers, SetTerrainOnALocalMapWritesOnlyTheLayer) {
    set_map("ZOOMMAP");
    stored_world_terrain[map_index(230, 230)] = 15;
    set_terrain_at(230, 230, 95);
    EXPECT_EQ(terrain_at(230, 230), 95);
    EXPECT_EQ(stored_world_terrain_at(230, 230), 15);
    set_terrain_at(-1, 3, 95);  // outside: ignored
}

TEST_F(MapLayers, ClearingACellKeepsCreaturesAndCarcasses) {
    const uint8_t kinds[] = {1, 4, 8, 52, 119, 27};
    for (int i = 0; i < 6; ++i) {
        Data[i].x = 300;
        Data[i].y = 300;
        Data[i].TYPE = kinds[i];
    }
    Data[6].x = 301; Data[6].y = 300; Data[6].TYPE = 1;
    clear_cell_records(300, 300);
    EXPECT_EQ(Data[0].TYPE, 33);
    EXPECT_EQ(Data[1].TYPE, 4);
    EXPECT_EQ(Data[2].TYPE, 33);
    EXPECT_EQ(Data[3].TYPE, 52);
    EXPECT_EQ(Data[4].TYPE, 119);
    EXPECT_EQ(Data[5].TYPE, 33);
    EXPECT_EQ(Data[6].TYPE, 1);
}

TEST_F(MapLayers, RandomSpotOnALocalMapStaysInThePlayArea) {
    set_map("ZOOMMAP");
    seed_random(7);
    // The player near the corner of the play area: half the draws would
    // leave it.
    player_x = 80;
    player_y = 385;
    for (int i = 0; i < 300; ++i) {
        const MapPoint p = random_spot_out_of_view();
        ASSERT_GE(p.x, ZOOM_FIRST);
        ASSERT_LE(p.x, ZOOM_LAST);
        ASSERT_GE(p.y, ZOOM_FIRST);
        ASSERT_LE(p.y, ZOOM_LAST);
        const int dx = std::abs(p.x - player_x), dy = std::abs(p.y - player_y);
        ASSERT_TRUE(dx >= 20 && dx <= 39 && dy >= 20 && dy <= 39);
        ASSERT_FALSE(terrain_flags_of(terrain_at(p.x, p.y)) & TF_OBSTACLE);
    }
}

TEST_F(MapLayers, RandomSpotFallsBackNextToThePlayer) {
    std::memset(terrain_layer, 20, MAP_CELLS);  // high cliffs everywhere
    set_map("ZOOMMAP");
    player_x = 200;
    player_y = 210;
    MapPoint p = random_spot_out_of_view();
    EXPECT_EQ(p.x, 201);
    EXPECT_EQ(p.y, 211);
    // At the edge of the play area the fallback stays inside it.
    player_x = 391;
    player_y = 391;
    p = random_spot_out_of_view();
    EXPECT_EQ(p.x, 391);
    EXPECT_EQ(p.y, 391);
    // On the world map a spot outside the map is never given.
    set_map("BIGMAP");
    std::memset(terrain_layer, 250, MAP_CELLS);
    player_x = 3;
    player_y = 2045;
    seed_random(3);
    for (int i = 0; i < 100; ++i) {
        p = random_spot_out_of_view();
        ASSERT_TRUE(in_world_grid(p.x, p.y));
    }
}

TEST_F(MapLayers, RandomSpotAvoidsCellsInView) {
    set_map("ZOOMMAP");
    player_x = 230;
    player_y = 230;
    view_half_w = 40;
    view_half_h = 40;
    std::memset(view_layer, 'v', MAP_CELLS);  // everything in view
    MapPoint p = random_spot_out_of_view();
    EXPECT_EQ(p.x, 231);
    EXPECT_EQ(p.y, 231);
    view_half_w = 12;
    view_half_h = 11;
}

TEST_F(MapLayers, TreesButNotSaplings) {
    set_map("ZOOMMAP");
    terrain_layer[map_index(100, 100)] = 13;  // spruce
    terrain_layer[map_index(101, 100)] = 12;  // young spruce (not tall)
    terrain_layer[map_index(102, 100)] = 10;  // birch
    EXPECT_EQ(is_tree_at(100, 100), 1);
    EXPECT_EQ(is_tree_at(101, 100), 0);
    EXPECT_EQ(is_tree_at(102, 100), 1);
    EXPECT_EQ(is_tree_at(-1, 100), 0);
    Data[0] = {};
    Data[0].x = 102; Data[0].y = 100; Data[0].TYPE = 64; Data[0].subkind = 8;
    EXPECT_EQ(is_tree_at(102, 100), 0);  // a birch sapling
    console_treeless = 1;
    EXPECT_EQ(is_tree_at(100, 100), 0);
    console_treeless = 0;
}

}  // namespace
