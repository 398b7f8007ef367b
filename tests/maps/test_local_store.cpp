// The store of local maps: creation, finding, loading and saving records,
// the repairs of a damaged store, object entries, the maintenance and its
// rules, and the settlement rules' switch.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "mapgen/heights.h"
#include "creatures/creature_files.h"
#include "maps/local_store.h"
#include "maps/map_services.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

constexpr long long REC = 88392;

class LocalStore : public ::testing::Test {
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
        reset_local_store_state();
        zoom_settlement_rules_on = false;
        seed_random(7);
    }
    void TearDown() override {
        skip_message_pauses = false;
        message_pause_count = 0;
        disarm_file_fault();
        zoom_settlement_rules_on = false;
        zoom_index_invalidate();
    }
    std::string path(const char* name) { return world.folder + "/" + name; }

    // Stores a recognisable map for a cell: terrain bytes from the cell,
    // one object, and `seen` remembered squares.
    void store_map(int wx, int wy, int seen = 100) {
        zoom_clear_work();
        for (int i = 0; i < 64 * 64; ++i) {
            zoom_work.terrain[i] = uint8_t((wx * 7 + wy * 3 + i) % 200);
            zoom_work.height[i] = uint8_t(i % 43);
        }
        for (int i = 0; i < seen; ++i) zoom_work.remembered[i] = 250;
        zoom_work.objects[0].TYPE = 1;
        zoom_work.objects[0].DATA = wx * 10 + wy;
        zoom_work.objects[0].amount = 1;
        ASSERT_TRUE(save_zoommap(wx, wy, 0));
    }
    void expect_map(int wx, int wy) {
        ASSERT_EQ(zoom_load_stored(wx, wy), 1) << wx << "," << wy;
        EXPECT_EQ(zoom_work.world_x, wx);
        EXPECT_EQ(zoom_work.world_y, wy);
        EXPECT_EQ(zoom_work.terrain[100], uint8_t((wx * 7 + wy * 3 + 100) % 200));
        EXPECT_EQ(zoom_work.objects[0].DATA, wx * 10 + wy);
    }
    std::vector<ZoomIndexEntry> index_entries() {
        const std::vector<uint8_t> bytes = read_fixture_file(path("ZOOMINDEX.DAT"));
        std::vector<ZoomIndexEntry> e(bytes.size() / sizeof(ZoomIndexEntry));
        if (!e.empty()) std::memcpy(e.data(), bytes.data(), e.size() * sizeof(ZoomIndexEntry));
        return e;
    }

    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(LocalStore, FreshFolderGetsTheDummyThenSlotOne) {
    EXPECT_EQ(zoom_index_find(1000, 500), 0);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), REC);
    EXPECT_EQ(file_size(path("ZOOMINDEX.DAT")), 12);
    EXPECT_EQ(zoom_index_find(-1, -1), 0);  // the dummy is never a map

    store_map(1000, 500);
    EXPECT_EQ(zoom_index_find(1000, 500), 1);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), 2 * REC);
    const auto entries = index_entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].world_x, -1);
    EXPECT_EQ(entries[1].world_x, 1000);
    EXPECT_EQ(entries[1].world_y, 500);
    for (const auto& e : entries) EXPECT_EQ(e.unused, 0);  // reserved bytes are zero
    expect_map(1000, 500);

    // Saving again rewrites the slot in place.
    store_map(1000, 500);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), 2 * REC);
    EXPECT_EQ(index_entries().size(), 2u);
}

TEST_F(LocalStore, OnlyOneMissingFileIsNeverRecreatedEmpty) {
    store_map(1000, 500);
    store_map(1001, 500);
    // The maps file alone missing: nothing is created over the index.
    const std::vector<uint8_t> index_before = read_fixture_file(path("ZOOMINDEX.DAT"));
    std::filesystem::rename(path("ZOOMMAPS.DAT"), path("away.dat"));
    zoom_index_invalidate();
    EXPECT_EQ(zoom_index_find(1000, 500), 0);
    EXPECT_FALSE(path_exists(path("ZOOMMAPS.DAT")));
    EXPECT_TRUE(read_fixture_file(path("ZOOMINDEX.DAT")) == index_before);
    std::filesystem::rename(path("away.dat"), path("ZOOMMAPS.DAT"));
    zoom_index_invalidate();
    expect_map(1001, 500);
}

TEST_F(LocalStore, AMissingMapsFileIsMadeAgainAtTheNextStoreAndTheStoreGoesOn) {
    store_map(1000, 500);
    store_map(1001, 500);
    remove_file(path("ZOOMMAPS.DAT"));
    zoom_index_invalidate();
    messages_suppressed = true;  // what the store tells is kept for the player
    clear_load_notices();
    EXPECT_EQ(zoom_load_stored(1000, 500), 0);
    ASSERT_EQ(load_notices().size(), 1u);
    EXPECT_NE(load_notices()[0].find("ZOOMMAPS.DAT is missing"), std::string::npos) << load_notices()[0];
    messages_suppressed = false;
    clear_load_notices();
    // The next store makes the store anew: the dummy, then the map.
    store_map(1002, 500);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), 2 * REC);
    EXPECT_EQ(index_entries().size(), 2u);
    zoom_index_invalidate();
    expect_map(1002, 500);
    EXPECT_EQ(zoom_load_stored(1000, 500), 0);
    // And every later store works as before.
    store_map(1003, 500);
    zoom_index_invalidate();
    expect_map(1003, 500);
    expect_map(1002, 500);
}

TEST_F(LocalStore, DeletedIndexIsRebuiltFromTheRecords) {
    store_map(1000, 500);
    store_map(1001, 500);
    store_map(1002, 501);
    zoom_forget_stored(1001, 500);
    store_map(1001, 500);  // made again: a newer record of the same cell
    remove_file(path("ZOOMINDEX.DAT"));
    EXPECT_EQ(zoom_index_find(1000, 500), 1);
    EXPECT_EQ(zoom_index_find(1001, 500), 4);  // the newest record wins
    EXPECT_EQ(zoom_index_find(1002, 501), 3);
    expect_map(1000, 500);
    expect_map(1001, 500);
    expect_map(1002, 501);
    EXPECT_EQ(file_size(path("ZOOMINDEX.DAT")), 5 * 12);
}

TEST_F(LocalStore, PartialLastRecordLosesOnlyThatRecord) {
    store_map(1000, 500);
    store_map(1001, 500);
    store_map(1002, 500);
    std::filesystem::resize_file(path("ZOOMMAPS.DAT"), 3 * REC + 5000);
    zoom_index_invalidate();
    expect_map(1000, 500);
    expect_map(1001, 500);
    EXPECT_EQ(zoom_load_stored(1002, 500), 0);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), 3 * REC);
    // The next map takes the freed slot and its index entry matches.
    store_map(1003, 500);
    EXPECT_EQ(zoom_index_find(1003, 500), 3);
    EXPECT_EQ(file_size(path("ZOOMINDEX.DAT")), 4 * 12);
    zoom_index_invalidate();
    expect_map(1003, 500);
}

TEST_F(LocalStore, RecordAtTheWrongPlaceIsNotLoadedForTheCell) {
    store_map(1000, 500);
    store_map(1001, 500);
    // Slot 1 is overwritten with the map of another cell (same file size,
    // so the index in memory stays as it was).
    std::vector<uint8_t> maps = read_fixture_file(path("ZOOMMAPS.DAT"));
    std::memcpy(&maps[REC], &maps[2 * REC], REC);
    write_fixture_file(path("ZOOMMAPS.DAT"), maps.data(), maps.size());
    EXPECT_EQ(zoom_load_stored(1000, 500), 0);
    EXPECT_EQ(zoom_work.terrain[0], 250);  // left blank
    expect_map(1001, 500);
}

TEST_F(LocalStore, RecordWithoutIndexEntryIsTakenIn) {
    store_map(1000, 500);
    // A store of a folder saved before the save set (no manifest): a record
    // appended, and the program stopped before its index entry.
    remove_file(path("SAVESET.DAT"));
    std::vector<uint8_t> maps = read_fixture_file(path("ZOOMMAPS.DAT"));
    maps.insert(maps.end(), maps.begin() + REC, maps.begin() + 2 * REC);
    int32_t xy[2] = {1005, 505};
    std::memcpy(&maps[2 * REC], xy, sizeof xy);
    write_fixture_file(path("ZOOMMAPS.DAT"), maps.data(), maps.size());
    EXPECT_EQ(zoom_index_find(1005, 505), 2);
    EXPECT_EQ(index_entries().size(), 3u);
}

TEST_F(LocalStore, ForgottenMapKeepsItsRecordUntilMaintenance) {
    store_map(1000, 500);
    const int m = marker_slot(1000, 500);
    ASSERT_NE(m, MARKER_NONE);
    ASSERT_EQ(Markers[m].world_x, 1000);
    zoom_forget_stored(1000, 500);
    EXPECT_EQ(zoom_index_find(1000, 500), 0);
    EXPECT_EQ(Markers[m].world_x, 0);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), 2 * REC);
}

TEST_F(LocalStore, AddDataMergesAndFills) {
    zoom_clear_work();
    EXPECT_EQ(zoom_add_data(5, 6, 1, 77, 2), 0);
    EXPECT_EQ(zoom_add_data(5, 6, 1, 77, 3), 0);
    EXPECT_EQ(zoom_work.objects[0].amount, 5);
    // Creatures (4) and kind 9 always take a new entry.
    EXPECT_EQ(zoom_add_data(5, 6, 4, 1200, 1), 1);
    EXPECT_EQ(zoom_add_data(5, 6, 4, 1200, 1), 2);
    EXPECT_EQ(zoom_add_data(5, 6, 9, 3, 1), 3);
    EXPECT_EQ(zoom_add_data(5, 6, 9, 3, 1), 4);
    // A random square avoids obstacles while there is open ground.
    std::memset(zoom_work.terrain, 13, sizeof zoom_work.terrain);  // spruces everywhere
    zoom_work.terrain[10 * 64 + 20] = 250;
    const int e = zoom_add_data(-1, 0, 1, 5, 1);
    ASSERT_GE(e, 0);
    for (int i = 0; i < ZOOM_OBJECTS; ++i)
        if (zoom_work.objects[i].TYPE == 0) zoom_work.objects[i].TYPE = 2;
    EXPECT_EQ(zoom_add_data(1, 1, 1, 999, 1), ZOOM_FAIL);
}

TEST_F(LocalStore, HeightBlockComesFromTheBandGrid) {
    fill_height_blocks(500 - 3, 1000 - 3);
    zoom_copy_height_block(3, 3);
    std::vector<uint8_t> expected(64 * 64);
    ASSERT_TRUE(copy_band_block(0, 0, expected.data(), 64));
    EXPECT_EQ(0, std::memcmp(expected.data(), zoom_work.height, 64 * 64));
}

struct KeepCase {
    int lag, seen, creatures, instances;
    int keep;
};

TEST_F(LocalStore, WorthKeepingRules) {
    const KeepCase cases[] = {
        {0, 0, 0, 0, 0},       // never seen and empty
        {0, 10, 0, 0, 1},      // seen, recent
        {0, 0, 1, 0, 1},       // a creature lives there
        {0, 0, 0, 1, 1},       // never seen but holds an object: kept
        {2000, 0, 0, 3, 1},    // ... however long ago
        {160, 0, 1, 0, 0},     // rule 1
        {160, 64, 0, 1, 0},
        {160, 65, 0, 1, 1},
        {200, 256, 0, 0, 0},   // rule 2
        {200, 257, 0, 0, 1},
        {300, 384, 0, 0, 0},   // rule 3
        {400, 512, 0, 0, 0},   // rule 4
        {600, 1024, 0, 1, 0},  // rule 5
        {800, 2048, 0, 0, 0},  // rule 6
        {1500, 3072, 0, 0, 0}, // rule 7 at its limit
        {1500, 3080, 0, 0, 1}, // just above it: kept
        {1500, 4096, 3, 5, 1},
    };
    for (const KeepCase& c : cases) {
        zoom_clear_work();
        for (int i = 0; i < c.seen; ++i) zoom_work.remembered[i] = 250;
        int e = 0;
        for (int i = 0; i < c.creatures; ++i) {
            zoom_work.objects[e].TYPE = 4;
            zoom_work.objects[e++].DATA = 1000 + i;
        }
        for (int i = 0; i < c.instances; ++i) {
            zoom_work.objects[e].TYPE = 1;
            zoom_work.objects[e++].DATA = 50000 + i;
        }
        EXPECT_EQ(zoom_map_worth_keeping(c.lag), c.keep)
            << "lag " << c.lag << " seen " << c.seen << " creatures " << c.creatures << " objects " << c.instances;
    }
    zoom_clear_work();
    zoom_work.objects[7].TYPE = 119;
    EXPECT_EQ(zoom_map_worth_keeping(5000), 1);
}

TEST_F(LocalStore, MaintenanceKeepsWhatIsWorthKeeping) {
    store_map(1000, 500, 100);
    store_map(1001, 500, 0);  // unseen, one plain item (not an instance)
    store_map(1002, 500, 100);
    zoom_forget_stored(1002, 500);
    store_map(1003, 500, 100);
    zoom_prune_store();
    const auto entries = index_entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].world_x, -1);  // the dummy stays first
    EXPECT_EQ(entries[1].world_x, 1000);
    EXPECT_EQ(entries[2].world_x, 1003);
    EXPECT_EQ(file_size(path("ZOOMMAPS.DAT")), 3 * REC);
    EXPECT_FALSE(path_exists(path("TEMPMAPS.DAT")));
    expect_map(1000, 500);
    expect_map(1003, 500);
    EXPECT_EQ(zoom_load_stored(1001, 500), 0);
}

TEST_F(LocalStore, InterruptedMaintenanceLeavesAStoreThatLoads) {
    // The maintenance is stopped at each of its file operations in turn, as
    // a killed program would stop; after each stop the store loads either
    // as it was or as the maintenance left it, and storing goes on.
    auto fill = [&] {
        remove_file(path("ZOOMMAPS.DAT"));
        remove_file(path("ZOOMINDEX.DAT"));
        remove_file(path("SAVESET.DAT"));
        zoom_index_invalidate();
        store_map(1000, 500, 100);
        store_map(1001, 500, 0);  // not worth keeping
        store_map(1003, 500, 100);
    };
    fill();
    arm_file_fault(1 << 30);
    zoom_prune_store();
    const int operations = counted_file_operations();
    disarm_file_fault();
    ASSERT_GT(operations, 3);
    for (int stop_at = 1; stop_at <= operations + 1; ++stop_at) {
        SCOPED_TRACE(stop_at);
        fill();
        arm_file_stop(stop_at);
        zoom_prune_store();
        disarm_file_fault();
        recover_save_set(world.folder);
        zoom_index_invalidate();
        expect_map(1000, 500);
        expect_map(1003, 500);
        const int dropped = zoom_index_find(1001, 500);
        EXPECT_TRUE(dropped == 0 || dropped == 2);
        EXPECT_FALSE(path_exists(path("TEMPMAPS.DAT")));
        // Storing goes on normally afterwards.
        store_map(1004, 500);
        zoom_index_invalidate();
        expect_map(1004, 500);
        expect_map(1000, 500);
    }
}

TEST_F(LocalStore, FreedObjectsAreNotStoredAndOverfullBlocksAreKept) {
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    std::memset(Data, 0, sizeof(MapObject) * MAP_OBJECT_COUNT);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(remembered_layer, ' ', MAP_CELLS);
    Data[0] = MapObject{};
    Data[0].x = 210; Data[0].y = 210; Data[0].TYPE = 1; Data[0].DATA = 5; Data[0].amount = 1;
    Data[1] = Data[0];
    Data[1].TYPE = KIND_FREED;
    ASSERT_TRUE(dataextract(0, 0));
    EXPECT_EQ(zoom_work.objects[0].TYPE, 1);
    EXPECT_EQ(zoom_work.objects[0].x, 10);
    EXPECT_EQ(zoom_work.objects[1].TYPE, 0);

    // The middle block is stored once, then gets more objects than a record holds.
    ASSERT_TRUE(zoomsave());
    const std::vector<uint8_t> before = read_fixture_file(path("ZOOMMAPS.DAT"));
    for (int i = 0; i < 2100; ++i) {
        Data[i] = MapObject{};
        Data[i].x = uint16_t(200 + i % 64); Data[i].y = uint16_t(200 + (i / 64) % 64);
        Data[i].TYPE = 1; Data[i].DATA = 60000 + i; Data[i].amount = 1;
    }
    EXPECT_FALSE(zoom_blocks_fit());
    EXPECT_FALSE(zoomsave());
    const int slot = zoom_index_find(1000, 500);
    ASSERT_GT(slot, 0);
    const std::vector<uint8_t> after = read_fixture_file(path("ZOOMMAPS.DAT"));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(0, std::memcmp(&before[size_t(slot) * REC], &after[size_t(slot) * REC], REC));
    copy_text(Plr.map_name, "BIGMAP");
}

TEST_F(LocalStore, RecordsOutsideThePlayAreaBelongToNoWorldCell) {
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    std::memset(Data, 0, sizeof(MapObject) * MAP_OBJECT_COUNT);
    const int outside[][2] = {{40, 350}, {5000, 350}, {350, 400}, {350, 71}};
    for (int i = 0; i < 4; ++i) {
        Data[i].x = uint16_t(outside[i][0]);
        Data[i].y = uint16_t(outside[i][1]);
        Data[i].TYPE = 1;
        Data[i].DATA = 5;
        Data[i].amount = 1;
    }
    Data[4] = Data[0];
    Data[4].x = 350;  // in the last block on both axes
    ASSERT_TRUE(dataextract(2, 2));
    EXPECT_EQ(zoom_work.objects[0].TYPE, 1);
    EXPECT_EQ(zoom_work.objects[0].x, 350 - 328);
    EXPECT_EQ(zoom_work.objects[0].y, 350 - 328);
    EXPECT_EQ(zoom_work.objects[1].TYPE, 0) << "nothing from outside the play area";
    copy_text(Plr.map_name, "BIGMAP");
}

TEST_F(LocalStore, BlockLoadedIncompleteKeepsItsStoredRecord) {
    store_map(1000, 500);
    const std::vector<uint8_t> before = read_fixture_file(path("ZOOMMAPS.DAT"));
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    // The object table is full: the stored object can't be placed, and the
    // player is told.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        Data[i] = MapObject{};
        Data[i].TYPE = 2; Data[i].x = 80; Data[i].y = 80; Data[i].DATA = 1;
    }
    std::filesystem::copy(std::string(KSM_DATA_DIR) + "/messages", folder.path() + "/messages");
    const bool quiet = messages_suppressed;
    messages_suppressed = false;
    reset_last_message();
    Zoomer(1000, 500);
    messages_suppressed = quiet;
    EXPECT_NE(std::strstr(last_message, "nothing more fits"), nullptr) << last_message;
    zoomsave();
    const std::vector<uint8_t> after = read_fixture_file(path("ZOOMMAPS.DAT"));
    EXPECT_EQ(0, std::memcmp(&before[REC], &after[REC], REC));
    copy_text(Plr.map_name, "BIGMAP");
}

TEST_F(LocalStore, StoredMapThatCannotBeReadIsNeverOverwrittenByTheBlankShown) {
    store_map(1000, 500);
    store_map(1001, 500);
    // Slot 1 now holds the map of another cell: the cell's map can't be read.
    std::vector<uint8_t> maps = read_fixture_file(path("ZOOMMAPS.DAT"));
    std::memcpy(&maps[REC], &maps[2 * REC], REC);
    write_fixture_file(path("ZOOMMAPS.DAT"), maps.data(), maps.size());
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    std::memset(Data, 0, sizeof Data);
    Zoomer(1000, 500);
    zoomsave();
    const std::vector<uint8_t> after = read_fixture_file(path("ZOOMMAPS.DAT"));
    EXPECT_EQ(0, std::memcmp(&maps[REC], &after[REC], REC));
    // The world again, as the next test expects it.
    copy_text(Plr.map_name, "BIGMAP");
    std::memset(Data, 0, sizeof Data);
    std::memset(cover_layer, 0, MAP_CELLS);
    std::memset(height_layer, 0, MAP_CELLS);
    load_world_files();
}

TEST_F(LocalStore, SettlementRulesWaitForTheirSwitch) {
    // A camp with two building squares.
    auto camp_map = [] {
        zoom_clear_work();
        zoom_work.terrain[100] = 95;
        zoom_work.terrain[101] = 95;
    };
    camp_map();
    ASSERT_TRUE(save_zoommap(world.camp.x, world.camp.y, 0));
    EXPECT_EQ(stored_world_terrain_at(world.camp.x, world.camp.y), 30);
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == world.terrain);

    zoom_settlement_rules_on = true;
    camp_map();
    ASSERT_TRUE(save_zoommap(world.camp.x, world.camp.y, 0));
    EXPECT_EQ(stored_world_terrain_at(world.camp.x, world.camp.y), 250);
    // The world file follows with the next save of the map's layers.
    EXPECT_TRUE(stored_world_unsaved());
    EXPECT_EQ(read_fixture_file(path("WORLD.DAT"))[map_index(world.camp.x, world.camp.y)], 30);
    ASSERT_TRUE(save_world_layers(Plr.map_name));
    EXPECT_EQ(read_fixture_file(path("WORLD.DAT"))[map_index(world.camp.x, world.camp.y)], 250);
}

TEST_F(LocalStore, MarkerSummaryOfAStoredMap) {
    zoom_clear_work();
    zoom_work.objects[0].TYPE = 27;
    zoom_work.objects[1].TYPE = 28;
    zoom_work.terrain[5 * 64 + 7] = 31;
    zoom_work.remembered[5 * 64 + 7] = 31;
    ASSERT_TRUE(save_zoommap(1000, 500, 0));
    const Marker& m = Markers[marker_slot(1000, 500)];
    EXPECT_EQ(m.object_flags, MARK_TRAPS | MARK_NETS);
    EXPECT_EQ(m.structure_flags, MARK_SHELTER);
    EXPECT_EQ(m.shelter_x, 7);
    EXPECT_EQ(m.shelter_y, 5);
}

TEST_F(LocalStore, ACreatureSentHomeIsWrittenBackAndNamedInItsCellsStoredMap) {
    reset_creature_tables();
    reset_map_object_table();
    CreatureRecord elk{};
    elk.cre_class = 2;
    copy_text(elk.name, "elk");
    const int loaded = append_and_load_creature(elk);
    ASSERT_GE(loaded, CRE_REF_BASE);
    const int slot = loaded - CRE_REF_BASE;
    const uint32_t sotu = Cre[slot].sotu;
    Cre[slot].Puuha[0] = 65;
    Cre[slot].task_turns[0] = 40;
    Cre[slot].Puuha[1] = 2;
    Cre[slot].task_turns[1] = 5;

    // No stored map there: it stays, its record as it was.
    const CreatureRecord before = Cre[slot];
    EXPECT_EQ(send_creature_off_map(slot, 1001, 500), 0);
    EXPECT_EQ(std::memcmp(&Cre[slot], &before, sizeof before), 0);

    store_map(1000, 500);
    EXPECT_EQ(send_creature_off_map(slot, 1000, 500), 1);
    // Its record in the creature file knows where it went, its going-home
    // task done with.
    const CreatureRecord& kept = crs_records()[sotu - CRE_REF_BASE];
    EXPECT_EQ(kept.saved_world_x, 1000);
    EXPECT_EQ(kept.saved_world_y, 500);
    EXPECT_EQ(kept.Puuha[0], 2);
    // The stored map names it at (30, 30); what was there stays.
    ASSERT_EQ(zoom_load_stored(1000, 500), 1);
    EXPECT_EQ(zoom_work.objects[0].DATA, 1000 * 10 + 500);
    bool named = false;
    for (const MapObject& o : zoom_work.objects)
        named = named || (o.TYPE == 4 && o.DATA == int(sotu) && o.x == 30 && o.y == 30 && o.amount == 1);
    EXPECT_TRUE(named);
}

}  // namespace
