// The happenings around the player: the random roll of the world map, the
// squares where wild animals may come, the two weeks an area is left alone
// after its animals were stocked, and the wanderers' cells.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/happenings.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

class Happenings : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Hap");
        init_terrain_types_for_date(6, 1);
        messages_suppressed = true;
        load_world_files();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        std::memset(Data, 0, sizeof Data);
        reset_creature_tables();
        reset_world_happenings();
        encounter_state = 0;
        copy_text(Plr.map_name, "BIGMAP");
        is_world_map();
        seed_random(3);
    }
    void TearDown() override {
        messages_suppressed = false;
        encounter_state = 0;
        copy_text(Plr.map_name, "BIGMAP");
        is_world_map();
        reset_world_happenings();
    }
    // The game minutes at which a random encounter came up over `hours`.
    std::vector<int> rolls_over(FixturePoint at, int hours) {
        player_x = at.x;
        player_y = at.y;
        std::vector<int> started;
        for (int m = 0; m < hours * 60; m += 30) {
            Plr.total_minutes = 100000 + m;
            Plr.hour = uint8_t((m / 60) % 24);
            encounter_state = 0;
            if (check_world_encounter() == 255) {
                EXPECT_EQ(encounter_state, 2);
                started.push_back(m);
            }
        }
        return started;
    }
    // A local map of open ground around the fixture's conifer cell, nothing
    // in view.
    void local_open_map() {
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        Plr.zoom_origin_x = world.conifer.x;
        Plr.zoom_origin_y = world.conifer.y;
        for (int y = 72; y <= 391; ++y)
            for (int x = 72; x <= 391; ++x) {
                terrain_layer[map_index(x, y)] = 250;
                view_layer[map_index(x, y)] = VIEW_UNSEEN;
            }
    }
    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(Happenings, ARandomEncounterComesAtMostOnceInFourHoursAndNeverOnWater) {
    const std::vector<int> land = rolls_over(world.conifer, 2000);
    EXPECT_GT(land.size(), 10u);
    for (size_t i = 1; i < land.size(); ++i) EXPECT_GE(land[i] - land[i - 1], 240);
    EXPECT_TRUE(rolls_over(world.lake_centre, 2000).empty());
    // Near a settlement nothing starts at all.
    EXPECT_TRUE(rolls_over(world.village, 500).empty());
}

TEST_F(Happenings, AWorldCreatureOnThePlayersCellIsMet) {
    player_x = world.conifer.x;
    player_y = world.conifer.y;
    MapObject& o = Data[5];
    o.TYPE = MK_WORLD_CREATURE;
    o.x = uint16_t(player_x);
    o.y = uint16_t(player_y);
    o.DATA = 600;
    EXPECT_EQ(check_world_encounter(), 0);
    EXPECT_EQ(encounter_state, 1);
    // While it is pending nothing else happens.
    Plr.total_minutes += 10000;
    EXPECT_EQ(check_world_encounter(), 0);
    EXPECT_EQ(encounter_state, 1);
}

TEST_F(Happenings, WildAnimalsComeOnlyOutsideTheMiddleCrossAwayFromThePlayer) {
    local_open_map();
    for (const auto [px, py] : {std::pair{232, 232}, {100, 100}, {350, 120}}) {
        player_x = px;
        player_y = py;
        int found = 0;
        for (int i = 0; i < 2000; ++i) {
            int x = 0, y = 0;
            if (!random_spawn_spot(&x, &y, 0)) continue;
            ++found;
            ASSERT_GT(std::abs(x - 232), 63);
            ASSERT_GT(std::abs(y - 232), 63);
            ASSERT_GT(std::abs(x - px), 31);
            ASSERT_GT(std::abs(y - py), 31);
            ASSERT_EQ(terrain_layer[map_index(x, y)], 250);
        }
        EXPECT_GT(found, 100);
    }
    // Swimmers want open water, of which this map has none.
    int x = 0, y = 0;
    for (int i = 0; i < 200; ++i) EXPECT_EQ(random_spawn_spot(&x, &y, 128), 0);
}

TEST_F(Happenings, AnAreaIsStockedAgainOnlyAfterTwoWeeks) {
    local_open_map();
    player_x = player_y = 232;
    const int wx = world.conifer.x, wy = world.conifer.y;
    auto stocked = [&](int dx, int dy) {
        const int m = marker_slot(wx + dx, wy + dy);
        return Markers[m].world_x == wx + dx ? Markers[m].stocked_day : -1;
    };
    Plr.days_played = 100;
    spawn_local_creatures();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(stocked(dx, dy), 100);
    Plr.days_played = 113;
    spawn_local_creatures();
    EXPECT_EQ(stocked(0, 0), 100);
    Plr.days_played = 114;
    spawn_local_creatures();
    EXPECT_EQ(stocked(0, 0), 114);
    EXPECT_EQ(stocked(1, 1), 114);
}

TEST_F(Happenings, WildAnimalsAreStockedAwayFromThePlayer) {
    local_open_map();
    docreatures();
    player_x = player_y = 232;
    int made = 0;
    for (int visit = 0; visit < 10; ++visit) {
        Plr.days_played = 100 + 14 * visit;
        spawn_local_creatures();
    }
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE) continue;
        ++made;
        EXPECT_GT(std::abs(o.x - 232), 31);
        EXPECT_GT(std::abs(o.y - 232), 31);
    }
    EXPECT_GT(made, 0);
}

TEST_F(Happenings, WanderersCellsStayInsideTheWorld) {
    copy_text(Plr.map_name, "BIGMAP");
    is_world_map();
    for (const auto [px, py] : {std::pair{1, 1}, {3071, 2047}, {world.conifer.x, world.conifer.y}}) {
        player_x = px;
        player_y = py;
        for (int i = 0; i < 50; ++i) {
            if (!random_world_cell_near_player()) continue;
            EXPECT_GE(world_cell_found_x, 1);
            EXPECT_GE(world_cell_found_y, 1);
            EXPECT_LE(world_cell_found_x, 3071);
            EXPECT_LE(world_cell_found_y, 2047);
            EXPECT_LE(std::abs(world_cell_found_x - std::min(std::max(px, 1), 3071)), 26);
            EXPECT_TRUE(terrain_flags_of(stored_world_terrain_at(world_cell_found_x, world_cell_found_y)) & TF_WANDER);
        }
    }
}

}  // namespace
