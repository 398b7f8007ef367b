// Changing maps on a fixture world: zooming in and out, the round trip of
// the local maps through the store, arrivals, refusals, the request file,
// the party stack and re-centring.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "creatures/creature_files.h"
#include "creatures/creature_table.h"
#include "mapgen/heights.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "shell/commands.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

constexpr long long REC = 88392;

class MapChange : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Fix");
        init_terrain_types_for_date(6, 1);
        // Messages scroll on without waiting for a key.
        message_pause_count = 0;
        skip_message_pauses = true;
        load_world_files();
        std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        zoom_index_invalidate();
        facing = 0;
        map_change_request = 0;
        recentre_request = 0;
        party_stack_count = 0;
        zoom_arrival_mode = 0;
        game_just_continued = 0;
        seed_random(5);
    }
    void TearDown() override {
        skip_message_pauses = false;
        message_pause_count = 0;
        copy_text(Plr.map_name, "BIGMAP");
        map_change_request = 0;
        recentre_request = 0;
        zoom_index_invalidate();
    }
    std::string path(const char* name) { return world.folder + "/" + name; }

    void zoom() {
        terrain_map(0, -1);
        ASSERT_EQ(map_change_request, 1);
        maploader(0);
        EXPECT_EQ(map_change_request, 0);
    }
    // Stores an all-ground map for a world cell, so arrivals are predictable.
    void store_open_map(int wx, int wy) {
        zoom_clear_work();
        ASSERT_TRUE(save_zoommap(wx, wy, 0));
    }
    int count_index_entries() { return int(file_size(path("ZOOMINDEX.DAT")) / 12); }

    PlayFolder folder{false};
    FixtureWorld world;
};

std::vector<uint8_t> play_area(const uint8_t* layer) {
    std::vector<uint8_t> out;
    for (int y = ZOOM_FIRST; y <= ZOOM_LAST; ++y)
        out.insert(out.end(), layer + map_index(ZOOM_FIRST, y), layer + map_index(ZOOM_LAST + 1, y));
    return out;
}

int find_object(int kind, int data) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == kind && Data[i].DATA == data) return i;
    return -1;
}

TEST_F(MapChange, RoundTripKeepsTheLocalMapsByteForByte) {
    zoom();
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    EXPECT_EQ(Plr.zoom_origin_x, 1000);
    EXPECT_EQ(Plr.zoom_origin_y, 500);
    EXPECT_EQ(count_index_entries(), 26);  // the dummy and one per cell

    // A few changes in different blocks.
    terrain_layer[map_index(210, 210)] = 95;
    terrain_layer[map_index(100, 380)] = 31;
    remembered_layer[map_index(211, 211)] = 95;
    cover_layer[map_index(300, 90)] = 7;
    clear_staging_object();
    map_object_staging.x = 150;
    map_object_staging.y = 150;
    map_object_staging.TYPE = 1;
    map_object_staging.DATA = 777;
    map_object_staging.amount = 2;
    ASSERT_GE(insert_map_object(-1), 0);
    const auto terrain = play_area(terrain_layer), remembered = play_area(remembered_layer),
               cover = play_area(cover_layer), height = play_area(height_layer);

    zoom();  // out
    ASSERT_STREQ(Plr.map_name, "BIGMAP");
    EXPECT_EQ(player_x, 1000);
    EXPECT_EQ(player_y, 500);
    EXPECT_EQ(terrain_at(world.lake_centre.x, world.lake_centre.y), 247);  // the world is back
    const long long maps_size = file_size(path("ZOOMMAPS.DAT"));

    zoom();  // in again: nothing is generated
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), maps_size);
    EXPECT_EQ(count_index_entries(), 26);
    EXPECT_TRUE(play_area(terrain_layer) == terrain);
    EXPECT_TRUE(play_area(remembered_layer) == remembered);
    EXPECT_TRUE(play_area(cover_layer) == cover);
    EXPECT_TRUE(play_area(height_layer) == height);
    const int i = find_object(1, 777);
    ASSERT_GE(i, 0);
    EXPECT_EQ(Data[i].x, 150);
    EXPECT_EQ(Data[i].y, 150);
    EXPECT_EQ(Data[i].amount, 2);
}

TEST_F(MapChange, MiddleBlockHasTheHeightsOfItsWorldCell) {
    zoom();
    fill_height_blocks(500 - 3, 1000 - 3);
    std::vector<uint8_t> expected(64 * 64);
    ASSERT_TRUE(copy_band_block(0, 0, expected.data(), 64));
    for (int y = 0; y < 64; ++y)
        ASSERT_EQ(0, std::memcmp(&expected[y * 64], &height_layer[map_index(200, 200 + y)], 64)) << "row " << y;
    // A neighbour cell has its own block.
    ASSERT_TRUE(copy_band_block(1, 0, expected.data(), 64));
    EXPECT_EQ(0, std::memcmp(&expected[0], &height_layer[map_index(264, 200)], 64));
}

struct EdgeCase {
    int facing, x, y;
};

TEST_F(MapChange, ArrivalAtTheEdgeOfTheDirectionOfTravel) {
    // Arrivals by the last step's direction; all cells around are open ground.
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) store_open_map(1000 + dx, 500 + dy);
    const EdgeCase cases[] = {{2, 231, 263}, {0, 202, 231}, {4, 262, 231}, {6, 231, 201}};
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.facing);
        facing = c.facing;
        zoom();
        EXPECT_EQ(player_x, c.x);
        EXPECT_EQ(player_y, c.y);
        player_x = 232;  // leave from the middle, away from any zoom-out point
        player_y = 232;
        zoom();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
    }
}

TEST_F(MapChange, ComingBackArrivesWhereThePlayerLeft) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) store_open_map(1000 + dx, 500 + dy);
    zoom();
    player_x = 205;
    player_y = 215;
    zoom();  // out
    const Marker& m = Markers[marker_slot(1000, 500)];
    EXPECT_EQ(m.zoomout_x, 6);
    EXPECT_EQ(m.zoomout_y, 16);
    facing = 2;
    zoom();
    EXPECT_EQ(player_x, 205);
    EXPECT_EQ(player_y, 215);
}

TEST_F(MapChange, PlayerOutsideThePlayAreaIsPutInTheMiddle) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) store_open_map(1000 + dx, 500 + dy);
    zoom();
    for (int x : {392, 71}) {
        player_x = x;
        player_y = 240;
        getmappie(1);
        EXPECT_EQ(player_x, 232) << x;
        EXPECT_EQ(player_y, 232) << x;
    }
    player_x = 391;
    player_y = 72;
    getmappie(1);
    EXPECT_EQ(player_x, 391);
    EXPECT_EQ(player_y, 72);
}

TEST_F(MapChange, ZoomOutIsRefusedInACaveAndWithTooManyThings) {
    zoom();
    const std::vector<uint8_t> maps = read_fixture_file(path("ZOOMMAPS.DAT"));
    const uint8_t under = terrain_layer[map_index(player_x, player_y)];
    terrain_layer[map_index(player_x, player_y)] = 96;
    terrain_map(0, -1);
    EXPECT_EQ(map_change_request, 0);
    EXPECT_STREQ(Plr.map_name, "ZOOMMAP");
    terrain_layer[map_index(player_x, player_y)] = under;

    // More things in one world cell than its stored map keeps. Placements
    // refuse the 2,001st, so the records are written straight in (as a
    // table from an older game could hold them).
    int next = 0;
    for (int i = 0; i < 2100; ++i) {
        while (Data[next].TYPE != 0 && Data[next].TYPE != 33) ++next;
        Data[next] = MapObject{};
        Data[next].x = uint16_t(200 + i % 64);
        Data[next].y = uint16_t(200 + (i / 64) % 64);
        Data[next].TYPE = 1;
        Data[next].DATA = 60000 + i;
        Data[next].amount = 1;
    }
    terrain_map(0, -1);
    EXPECT_EQ(map_change_request, 0);
    EXPECT_STREQ(Plr.map_name, "ZOOMMAP");
    EXPECT_TRUE(read_fixture_file(path("ZOOMMAPS.DAT")) == maps);
}

TEST_F(MapChange, PositionText) {
    EXPECT_STREQ(position_text(5, 1234), "05,1234");
    EXPECT_STREQ(position_text(10, 9), "10,09");
    EXPECT_STREQ(position_text(0, 0), "00,00");
}

TEST_F(MapChange, RequestFileForTheMiddleCell) {
    zoom();
    std::string text;
    ASSERT_TRUE(read_text_file("RNDHOUSE.DAT", text));
    const std::string name = terrain_name(stored_world_terrain_at(1000, 500));
    std::string word;
    for (char c : name) {
        if (c == ' ') break;
        word += char(latin1_upper((unsigned char)c));
    }
    EXPECT_EQ(text, word + "#\nZOOM\n0\n6\n1000,500\nFix\nFix\nBIGMAP\n");
}

TEST_F(MapChange, SettlementSiteGetsABuildingThatOutlivesTheVisit) {
    player_x = world.camp.x;
    player_y = world.camp.y;
    zoom();
    int buildings = 0;
    for (int y = 200; y < 264; ++y)
        for (int x = 200; x < 264; ++x) {
            const int c = terrain_layer[map_index(x, y)];
            if (c == 95 || c == 188 || c == 191 || c == 192 || c == 196 || c == 200 || c == 208 || c == 217 ||
                c == 218)
                ++buildings;
        }
    EXPECT_GE(buildings, 4);
    // The camp's people stand about: the player walks on into the next
    // cell before zooming out.
    player_x += 64;
    zoom();  // out
    EXPECT_EQ(stored_world_terrain_at(world.camp.x, world.camp.y), 30);
    EXPECT_EQ(terrain_at(world.camp.x, world.camp.y), 30);
}

// A village made on the first visit keeps its code and is not given up
// while its people live there; once they are all gone it is.
TEST_F(MapChange, AVillageStandsWhileItsPeopleLiveThere) {
    auto humans_on_map = [] {
        std::vector<int> slots;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_CREATURE && o.DATA >= CRE_REF_BASE && cre_slot_valid(o.DATA - CRE_REF_BASE) &&
                Cre[o.DATA - CRE_REF_BASE].cre_class == CRE_CLASS_HUMAN)
                slots.push_back(o.DATA - CRE_REF_BASE);
        return slots;
    };
    player_x = world.village.x;
    player_y = world.village.y;
    zoom();
    ASSERT_FALSE(humans_on_map().empty());
    player_x += 128;  // away from the villagers, two cells on
    zoom();          // out
    const int m = marker_slot(world.village.x, world.village.y);
    ASSERT_EQ(Markers[m].world_x, world.village.x);
    EXPECT_EQ(stored_world_terrain_at(world.village.x, world.village.y), 239);
    EXPECT_EQ(Markers[m].important, 0);

    // Back again: everybody leaves the village, and it is given up.
    player_x = world.village.x;
    player_y = world.village.y;
    zoom();
    const std::vector<int> people = humans_on_map();
    ASSERT_FALSE(people.empty());
    for (int slot : people) Poista_Olento(slot);
    player_x += 128;
    zoom();  // out
    EXPECT_EQ(Markers[m].important, 100);
}

TEST_F(MapChange, WaterCellsAreWater) {
    player_x = world.lake_centre.x;
    player_y = world.lake_centre.y;
    zoom();
    EXPECT_EQ(terrain_layer[map_index(232, 232)], 247);
}

TEST_F(MapChange, GoodsTravelOnAWatercraft) {
    zoom();
    Plr.travel_mode = 3;
    clear_staging_object();
    map_object_staging.x = uint16_t(player_x);
    map_object_staging.y = uint16_t(player_y);
    map_object_staging.TYPE = 1;
    map_object_staging.DATA = 555;
    map_object_staging.amount = 4;
    ASSERT_GE(insert_map_object(-1), 0);
    zoom();  // out
    const int i = find_object(1, 555);
    ASSERT_GE(i, 0);
    EXPECT_EQ(Data[i].x, 1000);
    EXPECT_EQ(Data[i].y, 500);
    EXPECT_EQ(Data[i].amount, 4);
    EXPECT_EQ(party_stack_count, 0);
    Plr.travel_mode = 1;
}

TEST_F(MapChange, RecentringMovesTheOriginAndKeepsThePlayersSquare) {
    for (int dy = -2; dy <= 3; ++dy)
        for (int dx = -2; dx <= 3; ++dx) store_open_map(1000 + dx, 500 + dy);
    zoom();
    player_x = 280;  // block +1, 16 squares in
    player_y = 240;
    terrain_layer[map_index(281, 240)] = 95;  // a change that must survive
    recentre_local_map_now();
    ASSERT_EQ(map_change_request, 1);
    maploader(0);
    recentre_request = 0;
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    EXPECT_EQ(Plr.zoom_origin_x, 1001);
    EXPECT_EQ(Plr.zoom_origin_y, 500);
    EXPECT_EQ(player_x, 216);
    EXPECT_EQ(player_y, 240);
    EXPECT_EQ(terrain_layer[map_index(217, 240)], 95);
}

}  // namespace
