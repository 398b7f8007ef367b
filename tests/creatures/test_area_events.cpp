// Where animals and groups were met: a kill's record, merging, the lookup's
// radius, the day change, a full table, and the file image of the table.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/area_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_species.h"
#include "game/player.h"
#include "game/save_set.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

constexpr int KIND_FOX = 601;
constexpr int KIND_HARE = 600;

class Areas : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(AreaEvents, 0, sizeof AreaEvents);
        reset_creature_tables();
        copy_text(Plr.map_name, "BIGMAP");
        Plr.days_played = 40;
    }
    void TearDown() override {
        std::memset(AreaEvents, 0, sizeof AreaEvents);
        player_x = player_y = 0;
        Plr.days_played = 0;
    }
};

TEST_F(Areas, AFoxKilledOnTheWorldMapIsRememberedThirtyDaysAtThePlayersCell) {
    player_x = 1200;
    player_y = 700;
    creature_template(KIND_FOX);
    Cre[3] = CreScratch;
    cre_record_death_event(3);
    const AreaEvent& e = AreaEvents[0];
    const int32_t expected[8] = {1, 1200, 700, 100, 40, 70, KIND_FOX, 1};
    EXPECT_EQ(0, std::memcmp(&e, expected, sizeof expected));
    for (int32_t r : e.reserved) EXPECT_EQ(r, 0);
    // A second fox nearby adds to the same record; a hare is a record of its own.
    Plr.days_played = 45;
    player_x = 1210;
    cre_record_death_event(3);
    EXPECT_EQ(AreaEvents[0].count, 2);
    EXPECT_EQ(AreaEvents[0].first_day, 40);
    EXPECT_EQ(AreaEvents[0].last_day, 75);
    EXPECT_EQ(AreaEvents[1].type, 0);
    add_animal_area_event(KIND_HARE);
    EXPECT_EQ(AreaEvents[1].key, KIND_HARE);
}

TEST_F(Areas, OnALocalMapThePlaceIsTheWorldCellOfThePlayersBlock) {
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 500;
    Plr.zoom_origin_y = 300;
    player_x = ZOOM_MIDDLE + ZOOM_BLOCK;  // one block east of the middle
    player_y = ZOOM_MIDDLE;
    add_group_area_record(510);
    EXPECT_EQ(AreaEvents[0].type, AREA_HUMAN_GROUP);
    EXPECT_EQ(AreaEvents[0].x, 501);
    EXPECT_EQ(AreaEvents[0].y, 300);
    EXPECT_EQ(AreaEvents[0].last_day, 50);
}

TEST_F(Areas, TheLookupCoversCellsCloserThanTheRadius) {
    add_area_event(AREA_ANIMALS, 100, 100, 10, 1, 60, KIND_FOX, 3);
    struct Case {
        int x, y;
        bool found;
    } cases[] = {{100, 100, true}, {105, 104, true}, {105, 105, false}, {90, 100, false}, {109, 100, true}};
    for (const Case& c : cases) {
        AreaEvent out;
        std::memset(&out, 0x55, sizeof out);
        find_area_event(c.x, c.y, out, AREA_ANIMALS, KIND_FOX);
        EXPECT_EQ(out.type == AREA_ANIMALS, c.found) << c.x << "," << c.y;
        if (!c.found) {
            EXPECT_EQ(out.count, 0);
        }
    }
    AreaEvent out;
    find_area_event(100, 100, out, AREA_HUMAN_GROUP, KIND_FOX);
    EXPECT_EQ(out.type, 0);
    // A record exactly the radius away is not merged into.
    add_area_event(AREA_ANIMALS, 110, 100, 10, 1, 60, KIND_FOX, 1);
    EXPECT_EQ(AreaEvents[1].x, 110);
}

TEST_F(Areas, ARecordLastingUntilTodaySurvivesTheDayAndGoesTheNext) {
    add_area_event(AREA_ANIMALS, 10, 10, 100, 1, 40, KIND_FOX, 1);
    add_area_event(AREA_ANIMALS, 500, 500, 100, 1, 39, KIND_HARE, 1);
    drop_expired_area_events();
    EXPECT_EQ(AreaEvents[0].type, AREA_ANIMALS);
    EXPECT_EQ(AreaEvents[1].type, 0);
    Plr.days_played = 41;
    drop_expired_area_events();
    EXPECT_EQ(AreaEvents[0].type, 0);
}

TEST_F(Areas, AFullTableOverwritesTheLowestSlotOfTheEarliestFirstDay) {
    for (int i = 0; i < AREA_EVENT_COUNT; ++i) {
        AreaEvents[i].type = AREA_HUMAN_GROUP;
        AreaEvents[i].key = 510;
        AreaEvents[i].x = i;  // far apart: nothing merges
        AreaEvents[i].y = 2000;
        AreaEvents[i].radius = 1;
        AreaEvents[i].first_day = 10 + i % 7;
    }
    AreaEvents[8000].first_day = 3;
    AreaEvents[9000].first_day = 3;
    EXPECT_EQ(add_area_event(AREA_ANIMALS, 5, 5, 100, 40, 70, KIND_FOX, 1), 8000);
    EXPECT_EQ(AreaEvents[8000].key, KIND_FOX);
    EXPECT_EQ(add_area_event(AREA_ANIMALS, 3000, 5, 100, 40, 70, KIND_HARE, 1), 9000);
}

TEST_F(Areas, OtherTypesMergeIntoEveryRecordAndAreWrittenToo) {
    add_area_event(5, 10, 10, 50, 1, 20, 7, 1);
    EXPECT_EQ(add_area_event(5, 30, 10, 50, 2, 20, 7, 1), 1);  // merged into 0 and written
    EXPECT_EQ(AreaEvents[0].count, 2);
    const int32_t extra[28] = {9, 8, 7};
    EXPECT_EQ(add_area_event(5, 20, 10, 50, 3, 30, 7, 2, extra), 2);
    EXPECT_EQ(AreaEvents[0].count, 4);
    EXPECT_EQ(AreaEvents[1].count, 3);
    EXPECT_EQ(AreaEvents[1].last_day, 30);
    EXPECT_EQ(AreaEvents[2].reserved[1], 8);
}

TEST_F(Areas, TheTableIsSavedAndLoadedByteForByte) {
    PlayFolder folder;
    make_fixture_world("Areas");
    add_area_event(AREA_ANIMALS, 1234, 567, 100, 40, 70, KIND_FOX, 4);
    add_area_event(AREA_HUMAN_GROUP, 22, 33, 100, 41, 51, 500, 1);
    std::vector<uint8_t> before(sizeof AreaEvents);
    std::memcpy(before.data(), AreaEvents, sizeof AreaEvents);
    begin_save_commit();
    ASSERT_TRUE(save_area_events());
    ASSERT_TRUE(end_save_commit());
    std::vector<uint8_t> file;
    ASSERT_TRUE(read_whole_file("Areas/EXTRAMARKER.DAT", file));
    ASSERT_EQ(file.size(), size_t(AREA_EVENT_FILE_SIZE));
    EXPECT_EQ(file, before);
    // Little-endian integers in field order.
    const uint8_t first[12] = {1, 0, 0, 0, 0xD2, 0x04, 0, 0, 0x37, 0x02, 0, 0};
    EXPECT_EQ(0, std::memcmp(file.data(), first, sizeof first));
    std::memset(AreaEvents, 0, sizeof AreaEvents);
    load_markers();
    EXPECT_EQ(0, std::memcmp(AreaEvents, before.data(), before.size()));
}

}  // namespace
