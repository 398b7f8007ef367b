// Markers: the table, its file and the questions about a cell's marker.
#include <gtest/gtest.h>

#include <cstring>

#include "creatures/creature_services.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "game/player.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

class MarkerTable : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Marks");
        std::memset(Markers, 0, sizeof Markers);
    }
    std::string path(const char* name) { return world.folder + "/" + name; }
    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(MarkerTable, NewFilesHaveTheirSizes) {
    load_markers();
    EXPECT_EQ(file_size(path("MARKER.DAT")), 1560000);
    EXPECT_EQ(file_size(path("EXTRAMARKER.DAT")), 1440000);
    EXPECT_EQ(count_markers(), 0);
}

TEST_F(MarkerTable, ARecordLiesInTheFileAsLaidOut) {
    Marker& m = Markers[2];
    m.world_x = 0x1234;
    m.world_y = -2;
    m.last_visit = 0xBEEF;
    m.object_flags = MARK_TRAPS | MARK_NETS;
    m.structure_flags = MARK_SHELTER | MARK_KOTA;
    m.shelter_x = 64;
    m.shelter_y = 0x0A0B;
    m.important = 100;
    m.field_update[0] = 0x11;
    m.field_update[1] = 0x22;
    m.village_flags = 0x33;
    m.village_id = 0x01020304;
    m.stocked_day = 0x05060708;
    m.zoomout_x = 33;
    m.zoomout_y = -7;
    ASSERT_TRUE(save_markers());
    const std::vector<uint8_t> bytes = read_fixture_file(path("MARKER.DAT"));
    ASSERT_EQ(bytes.size(), 1560000u);
    const uint8_t* r = bytes.data() + 2 * 156;
    EXPECT_EQ(get_le16(r + 0), 0x1234);
    EXPECT_EQ(get_le16(r + 2), 0xFFFE);
    EXPECT_EQ(get_le16(r + 4), 0xBEEF);
    EXPECT_EQ(r[8], 6);
    EXPECT_EQ(r[9], 10);
    EXPECT_EQ(get_le16(r + 10), 64);
    EXPECT_EQ(get_le16(r + 12), 0x0A0B);
    EXPECT_EQ(r[14], 100);
    EXPECT_EQ(r[111], 0x11);
    EXPECT_EQ(r[112], 0x22);
    EXPECT_EQ(r[113], 0x33);
    EXPECT_EQ(get_le32(r + 116), 0x01020304u);
    EXPECT_EQ(get_le32(r + 144), 0x05060708u);
    EXPECT_EQ(get_le32s(r + 148), 33);
    EXPECT_EQ(get_le32s(r + 152), -7);
    // Every byte not set above is zero, in this record and the others.
    size_t nonzero = 0;
    for (uint8_t b : bytes) nonzero += b != 0;
    EXPECT_EQ(nonzero, 28u);

    std::memset(Markers, 0, sizeof Markers);
    load_markers();
    EXPECT_EQ(Markers[2].village_id, 0x01020304);
    EXPECT_EQ(Markers[2].zoomout_y, -7);
}

TEST_F(MarkerTable, SlotsFoundNewAndNone) {
    Markers[0].world_x = 10; Markers[0].world_y = 20;
    Markers[2].world_x = 11; Markers[2].world_y = 20;
    EXPECT_EQ(marker_slot(11, 20), 2);
    EXPECT_EQ(marker_slot(10, 20), 0);
    EXPECT_EQ(marker_slot(12, 20), 1);  // the first free record
    for (Marker& m : Markers) { m.world_x = 5; m.world_y = 5; }
    Markers[9999].world_x = 6;
    EXPECT_EQ(marker_slot(6, 5), 9999);
    EXPECT_EQ(marker_slot(7, 7), MARKER_NONE);  // full: no record, never record 0
}

TEST_F(MarkerTable, DeleteAndCount) {
    Markers[0].world_x = 10; Markers[0].world_y = 20;
    Markers[1].world_x = 10; Markers[1].world_y = 20; Markers[1].village_id = 4;
    Markers[2].world_x = 30; Markers[2].world_y = 0;  // y 0: not counted
    Markers[3].world_x = 31; Markers[3].world_y = 1;
    EXPECT_EQ(count_markers(), 3);
    delete_marker(10, 20);
    EXPECT_EQ(count_markers(), 1);
    EXPECT_EQ(Markers[1].village_id, 0);
}

TEST_F(MarkerTable, OldFormatsStartEmpty) {
    Markers[5].world_x = 9; Markers[5].world_y = 9;
    ASSERT_TRUE(save_markers());
    Plr.plr_version = 311;
    load_markers();
    EXPECT_EQ(count_markers(), 0);
    EXPECT_EQ(file_size(path("MARKER.DAT")), 1560000);
    Plr.plr_version = PLR_FORMAT_VERSION;
    load_markers();
    EXPECT_EQ(count_markers(), 0);  // the file was emptied
}

TEST_F(MarkerTable, DamagedFilesAreNeverHalfRead) {
    std::vector<uint8_t> bytes(1560000 - 156, 0xAB);
    write_fixture_file(path("MARKER.DAT"), bytes.data(), bytes.size());
    std::vector<uint8_t> area(1440000 + 1, 0xCD);
    write_fixture_file(path("EXTRAMARKER.DAT"), area.data(), area.size());
    Markers[7].world_x = 3;
    AreaEvents[0].type = 9;
    load_markers();
    EXPECT_EQ(count_markers(), 0);
    EXPECT_EQ(Markers[0].world_x, 0);
    EXPECT_EQ(AreaEvents[0].type, 0);
    EXPECT_EQ(AreaEvents[AREA_EVENT_COUNT - 1].reserved[27], 0);
}

TEST_F(MarkerTable, LastVisitAndZoomOut) {
    Plr.days_played = 70000;
    world_last_visit_day = 55;
    EXPECT_EQ(marker_last_visit_at(1000, 500), 55);  // the world map
    std::memset(Plr.map_name, 0, sizeof Plr.map_name);
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    EXPECT_EQ(marker_last_visit_at(230, 230), 70000);  // never left
    Markers[4].world_x = 1001; Markers[4].world_y = 500;
    Markers[4].last_visit = uint16_t(69990);
    Markers[4].zoomout_x = 12;
    Markers[4].zoomout_y = 40;
    EXPECT_EQ(marker_last_visit_at(270, 230), uint16_t(69990));
    EXPECT_EQ(marker_zoomout_x_at(270, 230), 12);
    EXPECT_EQ(marker_zoomout_y_at(270, 230), 40);
    EXPECT_EQ(marker_zoomout_x_at(230, 230), 0);
    // The lag counts over the 16-bit wrap of the stored day.
    EXPECT_EQ(marker_day_lag(Markers[4], 70000), 10);
    Markers[4].last_visit = 65530;
    EXPECT_EQ(marker_day_lag(Markers[4], 65536 + 4), 10);
    Markers[4].last_visit = 0;
    EXPECT_EQ(marker_day_lag(Markers[4], 500), 0);
}

}  // namespace
