// The least local-map maker: what it lays out for water, forest and
// settlement cells, and that it never replaces a stored map.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "mapgen/rndhouse.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "game/player.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

class Rndhouse : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Fix");
        init_terrain_types_for_date(6, 1);
        // Messages scroll on without waiting for a key.
        message_pause_count = 0;
        skip_message_pauses = true;
        load_world_files();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        zoom_index_invalidate();
        seed_random(11);
        write_file_atomic("RNDHOUSE.DAT", std::string_view("CONIFEROUS#\nZOOM\n0\n6\n1000,500\nFix\nFix\nBIGMAP\n"));
    }
    void TearDown() override {
        skip_message_pauses = false;
        message_pause_count = 0;
        zoom_index_invalidate();
    }
    int count(int code) {
        int n = 0;
        for (uint8_t c : zoom_work.terrain) n += c == code;
        return n;
    }
    int buildings() {
        int n = 0;
        for (int code : {95, 188, 191, 192, 196, 200, 208, 217, 218}) n += count(code);
        return n;
    }
    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(Rndhouse, LaysOutTheCellFromItsWorldCode) {
    struct Case {
        FixturePoint at;
        int water_code;   // every square this code, or 0
        bool buildings;
    };
    const Case cases[] = {
        {world.lake_centre, 247, false}, {world.sea, 180, false}, {world.conifer, 0, false},
        {world.camp, 0, true},           {world.village, 0, true}, {world.settlement, 0, true},
        {world.fortified_village, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
        zoom_clear_work();
        std::memset(zoom_work.height, 9, sizeof zoom_work.height);
        rndhouse_main(c.at.x, c.at.y, -1);
        ASSERT_EQ(zoom_load_stored(c.at.x, c.at.y), 1);
        EXPECT_EQ(zoom_work.height[100], 9);  // the heights given are kept
        if (c.water_code) {
            EXPECT_EQ(count(c.water_code), 64 * 64);
            continue;
        }
        EXPECT_GT(count(250), 64 * 64 / 2);
        if (c.buildings) {
            EXPECT_GE(buildings(), 4);
            EXPECT_EQ(count(254), 1);  // one door
        } else {
            EXPECT_EQ(buildings(), 0);
            EXPECT_GT(count(13) + count(18) + count(10), 5);  // trees of the forest
        }
    }
}

TEST_F(Rndhouse, StoredMapIsNeverReplaced) {
    zoom_clear_work();
    zoom_work.terrain[5] = 31;
    zoom_work.objects[0].TYPE = 1;
    zoom_work.objects[0].DATA = 4242;
    ASSERT_TRUE(save_zoommap(1000, 500, 0));
    zoom_clear_work();
    rndhouse_main(1000, 500, -1);
    ASSERT_EQ(zoom_load_stored(1000, 500), 1);
    EXPECT_EQ(zoom_work.terrain[5], 31);
    EXPECT_EQ(zoom_work.objects[0].DATA, 4242);
    EXPECT_EQ(file_size("Fix/ZOOMINDEX.DAT"), 24);
}

TEST_F(Rndhouse, MissingRequestIsAPlainZoom) {
    remove_file("RNDHOUSE.DAT");
    zoom_clear_work();
    rndhouse_main(world.camp.x, world.camp.y, -1);
    ASSERT_EQ(zoom_load_stored(world.camp.x, world.camp.y), 1);
    EXPECT_GE(buildings(), 4);
}

}  // namespace
