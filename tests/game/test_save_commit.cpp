// A save is one commit: stopped at any of its file operations, as a killed
// program or a pulled plug would stop it, the next load finds the old save
// or the new one, whole, never a mix; a full disk during a save is reported,
// keeps the previous save whole, and the game goes on.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/weather.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "society/villages.h"
#include "support/play_folder.h"
#include "support/saved_game.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

class SaveCommit : public ::testing::Test {
protected:
    void SetUp() override { world = make_saved_game("TESTER"); }
    void TearDown() override {
        disarm_file_fault();
        skip_message_pauses = false;
    }

    // The character folder without the message log (the message line
    // appends to it whatever happens to the save).
    FolderSnapshot save_files(bool keep_bytes = false) {
        FolderSnapshot s = snapshot_folder("TESTER", keep_bytes);
        s.files.erase("msglog.txt");
        s.bytes.erase("msglog.txt");
        return s;
    }

    // A fresh start of the program loads the character (in a child process,
    // so that this test's memory stays as it was before the save): 0 when
    // the record, the objects, the markers and the local map where the
    // player stands all load, and (`full`) every check of the start passes
    // and the world and the cultures load too. Nothing may need repairing.
    static int load_after_restart(bool full) {
        return run_in_child([full] {
            std::memset(&Plr, 0, sizeof Plr);
            clear_load_notices();
            zoom_index_invalidate();
            if (full && !unrestorable_character_files().empty()) return 2;
            readguy();  // the exit routine's 1 when the record or the objects fail
            if (full) {
                if (load_culture_grid() != 1) return 3;
                load_world_files();
            }
            zoom_index_invalidate();
            if (zoom_load_stored(Plr.zoom_origin_x, Plr.zoom_origin_y) != 1) return 4;
            for (const std::string& n : load_notices())
                if (n.find("interrupted") == std::string::npos) return 5;
            return 0;
        });
    }

    // What a load of the record puts in memory, kept aside so that the
    // load after a stop can run in this process and leave the game as it
    // was for the next run of the save.
    struct Memory {
        PlayerRecord plr;
        std::vector<ObjectRecord> objects{Objects, Objects + OBJECT_INSTANCE_COUNT};
        std::vector<ObjectRecord> item_types{ItemTypes, ItemTypes + ITEM_TYPE_COUNT};
        std::vector<CreatureRecord> templates{CreTemplates, CreTemplates + CRE_TEMPLATE_COUNT};
        std::vector<Marker> markers{Markers, Markers + MARKER_COUNT};
        std::vector<AreaEvent> areas{AreaEvents, AreaEvents + AREA_EVENT_COUNT};
        WeatherModel weather_model = weather;
        ZoomMap work = zoom_work;
        VillageState villages = village_state();
        int32_t face = facing, x = player_x, y = player_y, counter = backup_counter;
        Memory() : plr(Plr) {}
        void put_back() const {
            Plr = plr;
            std::copy(objects.begin(), objects.end(), Objects);
            std::copy(item_types.begin(), item_types.end(), ItemTypes);
            std::copy(templates.begin(), templates.end(), CreTemplates);
            std::copy(markers.begin(), markers.end(), Markers);
            std::copy(areas.begin(), areas.end(), AreaEvents);
            weather = weather_model;
            zoom_work = work;
            restore_village_state(villages);
            facing = face;
            player_x = x;
            player_y = y;
            backup_counter = counter;
            zoom_index_invalidate();
        }
    };

    // The load of the record, the objects, the markers and the map where the
    // player stands, in this process; the game's memory is put back after.
    static int load_in_place() {
        const Memory kept;
        clear_load_notices();
        zoom_index_invalidate();
        readguy();
        int code = 0;
        zoom_index_invalidate();
        if (zoom_load_stored(Plr.zoom_origin_x, Plr.zoom_origin_y) != 1) code = 4;
        for (const std::string& n : load_notices())
            if (n.find("interrupted") == std::string::npos) code = 5;
        clear_load_notices();
        kept.put_back();
        return code;
    }

    PlayFolder folder{false};
    FixtureWorld world;
};

// A save leaves a file that already holds its bytes as it is, and knows so
// without reading it again when the file system shows it untouched; a file
// changed in place since (same size, same inode) is read and judged anew.
TEST(SaveSetFiles, AFileKnownWholeIsReadAgainOnceItChanges) {
    PlayFolder folder(false);
    const std::string path = folder.file("kept.dat");
    std::vector<uint8_t> bytes(4096, 7);
    ASSERT_TRUE(write_file_atomic(path, bytes.data(), bytes.size()));
    const uint32_t sum = crc32_of(bytes.data(), bytes.size());
    // Only a file changed more than a second ago is remembered.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_TRUE(file_matches(path, 4096, sum));
    EXPECT_TRUE(file_matches(path, 4096, sum));
    EXPECT_FALSE(file_matches(path, 4096, sum + 1));
    bytes[100] = 8;
    FILE* f = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 100, SEEK_SET);
    std::fputc(8, f);
    std::fclose(f);
    EXPECT_FALSE(file_matches(path, 4096, sum));
    EXPECT_TRUE(file_matches(path, 4096, crc32_of(bytes.data(), bytes.size())));
}

TEST_F(SaveCommit, AStopAtAnyFileOperationLeavesTheOldSaveOrTheNewOneWhole) {
    play_a_little(3);
    // A cell of the stored world changes too (as a settlement abandoned):
    // the world file joins this save.
    set_stored_world_terrain(world.settlement.x, world.settlement.y, 250);
    const FolderSnapshot old_save = save_files(true);
    ASSERT_EQ(load_after_restart(true), 0);
    ASSERT_TRUE(save_files().same_as(old_save));

    // The save once through, counting its file operations. A save changes
    // nothing in memory that a second save of the same game would not change
    // alike, but for the backup counter, which each run starts from again.
    const int32_t counter = backup_counter;
    arm_file_fault(1 << 30);
    ASSERT_TRUE(save_character(SAVE_PLAYER));
    const int operations = counted_file_operations();
    disarm_file_fault();
    ASSERT_GT(operations, 20);
    const FolderSnapshot new_save = save_files();
    ASSERT_FALSE(new_save.same_as(old_save));
    ASSERT_EQ(load_after_restart(true), 0);
    ASSERT_TRUE(save_files().same_as(new_save));
    // Every kind of file of the save changed: record, objects, markers,
    // cultures, villages, the local map's store, a backup.
    for (const char* name : {"TESTER.KMS", "TESTER.OBJ", "MARKER.DAT", "EXTRAMARKER.DAT", "kulttuuri.dat",
                             "TESTER.VIL", "ZOOMMAPS.DAT", "WORLD.DAT", "SAVESET.DAT"})
        EXPECT_FALSE(old_save.files.at(name) == new_save.files.at(name)) << name;

    int olds = 0, news = 0;
    for (int stop = 1; stop <= operations + 1; ++stop) {
        SCOPED_TRACE(stop);
        restore_folder("TESTER", old_save);
        backup_counter = counter;
        zoom_index_invalidate();
        mark_stored_world_changed();  // the cell waits for this save again
        arm_file_stop(stop);
        save_character(SAVE_PLAYER);
        disarm_file_fault();
        // The load completes or drops what the stop left; the folder is then
        // byte for byte one of the two saves, each of which loads whole.
        ASSERT_EQ(load_in_place(), 0);
        const FolderSnapshot after = save_files();
        std::string difference;
        if (after.same_as(old_save)) {
            ++olds;
        } else {
            ++news;
            EXPECT_TRUE(after.same_as(new_save, &difference)) << "a mix: " << difference << " is neither";
        }
    }
    std::printf("stops at %d file operations of a save: %d kept the old save, %d gave the new one\n",
                operations + 1, olds, news);
    // The switch lies between the two: early stops keep the old save, late
    // ones are completed to the new one.
    EXPECT_GT(olds, operations / 3);
    EXPECT_GT(news, 3);
}

TEST_F(SaveCommit, AFullDiskIsReportedKeepsThePreviousSaveAndTheGameGoesOn) {
    play_a_little(2);
    const FolderSnapshot before = save_files(true);
    // The disk fills up at each point of the save in turn (every write from
    // there on fails; renames and removals still work).
    const int32_t counter = backup_counter;
    arm_file_fault(1 << 30);
    save_character(SAVE_PLAYER);
    const int operations = counted_file_operations();
    disarm_file_fault();
    int reported = 0;
    for (int full_from = 1; full_from <= operations; ++full_from) {
        SCOPED_TRACE(full_from);
        restore_folder("TESTER", before);
        backup_counter = counter;
        zoom_index_invalidate();
        last_message[0] = 0;
        arm_disk_full(full_from);
        const bool saved = save_character(SAVE_PLAYER);
        disarm_file_fault();
        if (!saved) {
            ++reported;
            const std::string log = folder.read("TESTER/msglog.txt");
            EXPECT_NE(log.rfind("Your game was NOT saved"), std::string::npos);
            std::string difference;
            EXPECT_TRUE(save_files().same_as(before, &difference)) << difference;
        }
        ASSERT_EQ(load_in_place(), 0);
        // The game goes on: the next save, with room on the disk, is whole.
        ASSERT_TRUE(save_character(SAVE_PLAYER));
        ASSERT_EQ(load_in_place(), 0);
        EXPECT_NE(std::string(last_message).find("has been saved"), std::string::npos) << last_message;
    }
    EXPECT_GT(reported, 2);
}

// A cell of the stored world changed on a local map waits in memory: the
// world file on the disk stays the save's until the next save, a save that
// fails keeps the cell waiting, the next one writes it in its switch, and
// the world map met on zooming out shows it.
TEST_F(SaveCommit, AChangedWorldCellWaitsForTheNextSaveAndGoesWithIt) {
    const std::vector<uint8_t> saved_world = read_fixture_file(folder.file("TESTER/WORLD.DAT"));
    const FixturePoint cell = world.fortified_village;
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    set_stored_world_terrain(cell.x, cell.y, 250);
    EXPECT_TRUE(read_fixture_file(folder.file("TESTER/WORLD.DAT")) == saved_world);

    arm_disk_full(1);
    EXPECT_FALSE(save_character(SAVE_QUIET));
    disarm_file_fault();
    EXPECT_TRUE(read_fixture_file(folder.file("TESTER/WORLD.DAT")) == saved_world);
    EXPECT_TRUE(stored_world_unsaved());

    ASSERT_TRUE(save_character(SAVE_QUIET));
    EXPECT_FALSE(stored_world_unsaved());
    std::vector<uint8_t> bytes;
    ASSERT_EQ(read_character_file("WORLD.DAT", bytes, size_t(WORLD_FILE_SIZE)), FileVerdict::Good);
    EXPECT_EQ(bytes[map_index(cell.x, cell.y)], 250);

    // A second change goes with the zoom-out's own save of the local map.
    set_stored_world_terrain(cell.x + 1, cell.y, 250);
    terrain_map(0, -1);
    maploader(0);
    ASSERT_STREQ(Plr.map_name, "BIGMAP");
    EXPECT_EQ(terrain_at(cell.x, cell.y), 250);
    EXPECT_EQ(terrain_at(cell.x + 1, cell.y), 250);
    EXPECT_EQ(read_fixture_file(folder.file("TESTER/WORLD.DAT"))[map_index(cell.x + 1, cell.y)], 250);
    EXPECT_FALSE(stored_world_unsaved());
}

}  // namespace
