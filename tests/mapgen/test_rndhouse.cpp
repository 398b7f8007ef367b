// The local-map generator's driver: the request and its two roads, the
// store (a map is stored once; a stored one is loaded as it is, never made
// again, and one that can't be read is left alone), the vegetation class,
// the edge flags and the settlements.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gen_fixture.h"
#include "maps/map_layers.h"
#include "support/fixture_world.h"

namespace {

using Driver = GenWorld;

std::vector<uint8_t> maps_file() { return read_fixture_file("Fix/ZOOMMAPS.DAT"); }

TEST_F(Driver, PlainRequestStoresTheResetMapOnceAndRepeatingItChangesNothing) {
    ASSERT_EQ(request(world.conifer, "CONIFEROUS"), 1);
    // The heights the request was made with.
    give_heights(world.conifer);
    std::vector<uint8_t> heights(zoom_work.height, zoom_work.height + 64 * 64);

    const std::vector<uint8_t> stored = maps_file();
    ASSERT_EQ(stored.size(), 176784u);  // the dummy and record 1
    static ZoomMap expected;
    std::memset(&expected, 0, sizeof expected);
    expected.world_x = world.conifer.x;
    expected.world_y = world.conifer.y;
    std::memset(expected.terrain, 250, sizeof expected.terrain);
    std::memset(expected.remembered, ' ', sizeof expected.remembered);
    std::memcpy(expected.height, heights.data(), heights.size());
    EXPECT_EQ(std::memcmp(stored.data() + sizeof(ZoomMap), &expected, sizeof expected), 0);

    EXPECT_EQ(request(world.conifer, "CONIFEROUS"), 0);
    EXPECT_EQ(maps_file(), stored);
    remove_file("RNDHOUSE.DAT");
    EXPECT_EQ(rndhouse_main(world.conifer.x, world.conifer.y, -1), 0);
    EXPECT_EQ(maps_file(), stored);
}

TEST_F(Driver, StoredCellIsLoadedAsItIsAndNeverMadeAgain) {
    ASSERT_EQ(request(world.conifer, "CONIFEROUS#"), 1);
    const std::vector<uint8_t> stored = maps_file();
    ASSERT_EQ(stored.size(), 176784u);
    ASSERT_GT(std::count(stored.begin() + sizeof(ZoomMap) + 8, stored.begin() + sizeof(ZoomMap) + 8 + 4096, 13), 0)
        << "a coniferous forest has spruces";

    debug_logs_on = 1;
    remove_file("debug_terrain_make.txt");
    EXPECT_EQ(request(world.conifer, "CONIFEROUS#"), 1);
    EXPECT_EQ(maps_file(), stored);
    const std::string log = folder.read("debug_terrain_make.txt");
    EXPECT_NE(log.find("TERRAIN_KNOWN: 1"), std::string::npos);
    EXPECT_NE(log.find("TERRAIN_KNOWN - load map"), std::string::npos);
    EXPECT_EQ(log.find("Viimeistele() complete"), std::string::npos);
    EXPECT_NE(log.find("terrain_make() success"), std::string::npos);
}

TEST_F(Driver, StoredMapThatCannotBeReadIsLeftAsItIs) {
    ASSERT_EQ(request(world.conifer, "CONIFEROUS#"), 1);
    // Record 1 now names another cell: it can't be taken for this one.
    const int32_t other = 7;
    ASSERT_TRUE(write_file_at("Fix/ZOOMMAPS.DAT", long(sizeof(ZoomMap)), &other, sizeof other));
    const std::vector<uint8_t> damaged = maps_file();
    debug_logs_on = 1;
    EXPECT_EQ(request(world.conifer, "CONIFEROUS#"), -1);
    EXPECT_EQ(maps_file(), damaged);
    EXPECT_NE(folder.read("debug_terrain_make.txt").find("TERRAIN_KNOWN load failed"), std::string::npos);
    EXPECT_EQ(folder.read("debug_terrain_make.txt").find("Viimeistele() complete"), std::string::npos);
}

TEST_F(Driver, RequestFieldsStartEmptyEachTime) {
    ASSERT_EQ(request(world.heath, "HEATHLAND#", "SCENE4"), 1);
    EXPECT_STREQ(generation_request.scene, "SCENE4");
    EXPECT_STREQ(generation_request.env_type, "HEATHLAND");
    // A request of one line: no scene of the last request, number 0.
    write_file_atomic("RNDHOUSE.DAT", std::string("GROVE#\n"));
    give_heights(world.grove);
    ASSERT_EQ(rndhouse_main(world.grove.x, world.grove.y, -1), 1);
    EXPECT_STREQ(generation_request.scene, "ZOOM");
    EXPECT_STREQ(generation_request.encounter, "0");
    EXPECT_STREQ(generation_request.extra, "");
}

TEST_F(Driver, VegetationClassComesFromTheWordsOfTheTerrainName) {
    struct Case {
        const char* env;
        int expected;
    };
    const Case cases[] = {
        {"CONIFEROUS", 0}, {"GROUND", 1},    {"ROAD", 1},     {"GROVE", 2},       {"BUSHES", 4},
        {"MOUNTAIN", 5},   {"THICKET", 228}, {"BURNT", 250},  {"HEATHLAND", -1},  {"coniferous", 0},
        {"", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(vegetation_class_of(c.env), c.expected) << c.env;
}

TEST_F(Driver, EdgeFlagsAreSetOnlyWhereAnEligibleCellMeetsOtherLand) {
    debug_logs_on = 1;
    // The north-east corner of the 3 x 3 lake: forest to the north and east.
    ASSERT_EQ(request({world.lake_centre.x + 1, world.lake_centre.y - 1}, "WATER#"), 1);
    EXPECT_NE(folder.read("debug_terrain_make.txt").find("mc: 247 NSEW: 1010"), std::string::npos);
    // Forest is never blended, whatever lies beside it.
    ASSERT_EQ(request({world.lichen_pine.x, 460}, "LICHENOUS#"), 1);
    EXPECT_NE(folder.read("debug_terrain_make.txt").find("mc: 3 NSEW: 0000"), std::string::npos);
}

TEST_F(Driver, WaterCellsFloodAndRiversKeepTheirWater) {
    ASSERT_EQ(request(world.lake_centre, "WATER#"), 1);
    EXPECT_GT(count_terrain(247), 64 * 64 / 4);
    ASSERT_EQ(request({world.river_start.x + 20, world.river_start.y}, "RIVER#"), 1);
    EXPECT_GT(count_terrain(178), 0);
    EXPECT_EQ(count_terrain(247), 0);
}

TEST_F(Driver, SettlementsAreLaidOutAndGetAVillageOnce) {
    struct Case {
        FixturePoint at;
        const char* word;
        bool village;
    };
    const Case cases[] = {
        {world.village, "VILLAGE#", true},
        {world.fortified_village, "FORTIFIED#", true},
        {world.settlement, "SETTLEMENT#", true},
        {world.camp, "CAMP#", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        ASSERT_EQ(request(c.at, c.word), 1);
        EXPECT_EQ(count_terrain(255), 0);  // every cell marked for clearing became ground
        int buildings = 0;
        for (int code : {40, 42, 95, 254}) buildings += count_terrain(code);
        EXPECT_GT(buildings, 0);
        const int m = marker_slot(c.at.x, c.at.y);
        ASSERT_NE(m, MARKER_NONE);
        const int id = Markers[m].village_id;
        EXPECT_EQ(id != 0, c.village);
        // Entered again: the stored map, and the same village.
        ASSERT_EQ(request(c.at, c.word), 1);
        EXPECT_EQ(Markers[m].village_id, id);
    }
}

}  // namespace
