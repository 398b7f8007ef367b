// The world files of a character: loading, saving, damaged and missing
// files, fords, the culture grid and the culture areas.
#include <gtest/gtest.h>

#include <cstring>

#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "base/files.h"
#include "base/platform.h"

namespace {

class WorldFiles : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Fix");
        init_terrain_types_for_date(6, 1);
    }
    std::string path(const char* name) { return world.folder + "/" + name; }
    // Loads the world the way the map change does for the world map.
    void load_world() {
        load_world_files();
        std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
    }
    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(WorldFiles, FixtureLoadsAndSavesBackByteForByte) {
    load_world();
    EXPECT_EQ(terrain_at(world.ford.x, world.ford.y), 176);
    EXPECT_EQ(stored_world_terrain_at(world.cave.x, world.cave.y), 60);
    EXPECT_EQ(Data[1].TYPE, 11);
    EXPECT_EQ(world_data_copy[0].DATA, 12);
    const std::vector<uint8_t> data_before = read_fixture_file(path("DATA.DAT"));
    Plr.days_played = 42;
    save_world_layers("BIGMAP");
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == world.terrain);
    EXPECT_TRUE(read_fixture_file(path("WORLD.PLM")) == world.remembered);
    EXPECT_TRUE(read_fixture_file(path("DATA.DAT")) == data_before);
    EXPECT_EQ(world_last_visit_day, 42);
}

TEST_F(WorldFiles, MissingDataFileIsCreatedEmpty) {
    remove_file(path("DATA.DAT"));
    Data[5].TYPE = 1;
    load_world();
    EXPECT_EQ(file_size(path("DATA.DAT")), 360000);
    const std::vector<uint8_t> bytes = read_fixture_file(path("DATA.DAT"));
    for (uint8_t b : bytes) ASSERT_EQ(b, 0);
    EXPECT_EQ(Data[5].TYPE, 0);
}

TEST_F(WorldFiles, MissingRememberedMapLeavesItBlank) {
    remove_file(path("WORLD.PLM"));
    load_world();
    EXPECT_EQ(stored_world_remembered[map_index(960, 460)], ' ');
}

TEST_F(WorldFiles, ShortRememberedMapIsNotHalfRead) {
    std::vector<uint8_t> bytes(1000, 15);
    write_fixture_file(path("WORLD.PLM"), bytes.data(), bytes.size());
    load_world();
    EXPECT_EQ(stored_world_remembered[0], ' ');
    EXPECT_EQ(stored_world_remembered[999], ' ');
}

TEST_F(WorldFiles, MissingWorldFileEndsTheProgramWithItsPath) {
    // Taken from its backup when only the world file is gone; with neither
    // the program ends.
    remove_file(path("WORLD.DAT"));
    load_world();
    EXPECT_EQ(terrain_at(world.ford.x, world.ford.y), 176);
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == world.terrain);
    remove_file(path("WORLD.DAT"));
    remove_file(path("WORLD.BAK"));
    EXPECT_EXIT(load_world_files(), ::testing::ExitedWithCode(1), "Ksm couldn't open Fix/WORLD.DAT");
}

TEST_F(WorldFiles, LowerCaseWorldFileIsFound) {
    rename_file(path("WORLD.DAT"), path("world.dat"));
    load_world();
    EXPECT_EQ(terrain_at(world.rapids.x, world.rapids.y), 177);
}

TEST_F(WorldFiles, DamagedWorldFileFallsBackToTheBackup) {
    struct Case {
        const char* what;
        size_t size;
    } cases[] = {{"short", 6296576}, {"long", 6296578}, {"empty", 0}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes(c.size, 94);
        write_fixture_file(path("WORLD.DAT"), bytes.data(), bytes.size());
        std::memset(terrain_layer, 0, MAP_CELLS);
        load_world();
        EXPECT_EQ(terrain_at(world.ford.x, world.ford.y), 176) << c.what;
        EXPECT_EQ(terrain_at(10, 10), 180) << c.what;
        // The world file is whole again.
        EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == world.terrain) << c.what;
    }
}

TEST_F(WorldFiles, DamagedWorldAndBackupEndTheProgram) {
    std::vector<uint8_t> bytes(100, 94);
    write_fixture_file(path("WORLD.DAT"), bytes.data(), bytes.size());
    write_fixture_file(path("WORLD.BAK"), bytes.data(), bytes.size());
    EXPECT_EXIT(load_world_files(), ::testing::ExitedWithCode(1), "Fix/WORLD.DAT");
}

// A changed cell waits in memory for the save of the map's layers; the file
// is written whole then, in that save's switch (and only then).
TEST_F(WorldFiles, AChangedCellWaitsForTheNextSaveOfTheWorld) {
    load_world();
    EXPECT_FALSE(stored_world_unsaved());
    set_stored_world_terrain(1001, 501, 95);
    set_terrain_at(1002, 502, 47);
    EXPECT_EQ(terrain_at(1001, 501), 95);  // the world map is current
    EXPECT_EQ(stored_world_terrain_at(1002, 502), 47);
    EXPECT_TRUE(stored_world_unsaved());
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == world.terrain) << "nothing is written cell by cell";
    ASSERT_TRUE(save_world_layers("BIGMAP"));
    EXPECT_FALSE(stored_world_unsaved());
    std::vector<uint8_t> expected = world.terrain;
    expected[map_index(1001, 501)] = 95;
    expected[map_index(1002, 502)] = 47;
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == expected);
    // On a local map only the stored world changes; the terrain shown stays.
    copy_text(Plr.map_name, "ZOOMMAP");
    terrain_layer[map_index(0, 0)] = 1;
    set_stored_world_terrain(0, 0, 250);
    EXPECT_EQ(terrain_layer[map_index(0, 0)], 1);
    EXPECT_TRUE(stored_world_unsaved());
    // Loading the world starts from its file again.
    copy_text(Plr.map_name, "BIGMAP");
    load_world();
    EXPECT_FALSE(stored_world_unsaved());
    EXPECT_EQ(stored_world_terrain_at(0, 0), 180);
}

TEST_F(WorldFiles, FordsAreAddedOnceAndOnlyOnStraightRiver) {
    load_world();
    // The fixture has a ford already: nothing changes.
    seed_random(1);
    add_river_fords();
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == world.terrain);

    // Without it, straight river cells become fords.
    set_stored_world_terrain(world.ford.x, world.ford.y, 178);
    // A bend: water to the west only.
    set_stored_world_terrain(1000, 590, 178);
    set_stored_world_terrain(999, 590, 247);
    seed_random(5);
    add_river_fords();
    int fords = 0;
    for (int x = world.river_start.x; x <= world.river_end.x; ++x) {
        const int code = stored_world_terrain_at(x, world.river_start.y);
        if (code == 176) {
            ++fords;
            EXPECT_EQ(terrain_at(x, world.river_start.y), 176);
        }
    }
    EXPECT_GT(fords, 0);
    EXPECT_EQ(stored_world_terrain_at(1000, 590), 178);
    const std::vector<uint8_t> after_first = read_fixture_file(path("WORLD.DAT"));
    EXPECT_EQ(0, std::memcmp(after_first.data(), stored_world_terrain, MAP_CELLS));
    // Idempotent: a second load adds nothing.
    add_river_fords();
    EXPECT_TRUE(read_fixture_file(path("WORLD.DAT")) == after_first);
}

TEST_F(WorldFiles, WaterDepthOnTheWorldMap) {
    load_world();
    EXPECT_EQ(water_depth_at(world.ford.x, world.ford.y), 0);
    EXPECT_EQ(water_depth_at(world.sea.x, world.sea.y), 6);
    EXPECT_EQ(water_depth_at(world.deep_lake.x, world.deep_lake.y), 6);
    EXPECT_EQ(water_depth_at(world.deep_lake.x - 3, world.deep_lake.y), 1);
    EXPECT_EQ(water_depth_at(world.small_lake.x, world.small_lake.y), 4);
}

TEST_F(WorldFiles, WaterDepthOnALocalMap) {
    copy_text(Plr.map_name, "ZOOMMAP");
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(height_layer, 0, MAP_CELLS);
    for (int x = 200; x < 210; ++x) {
        terrain_layer[map_index(x, 200)] = 247;
        height_layer[map_index(x, 200)] = uint8_t(x == 205 ? 2 : 9);
    }
    EXPECT_EQ(water_depth_at(205, 200), 7);  // |2 - 9|
    height_layer[map_index(205, 200)] = 12;
    EXPECT_EQ(water_depth_at(205, 200), 3);
    // Water all around for more than 50 cells: no shore, depth class 7.
    std::memset(terrain_layer, 247, MAP_CELLS);
    EXPECT_EQ(water_depth_at(205, 200), 5);  // |12 - 7|
}

class CultureGrid : public WorldFiles {
protected:
    // A grid file as found on the disk, in a folder without a manifest (a
    // repair made by an earlier load made one): only the file's own checks
    // judge it.
    void write_grid(const char* name, int zeros, uint8_t fill = 4) {
        std::vector<uint8_t> bytes(CULTURE_CELLS, fill);
        for (int i = 0; i < zeros; ++i) bytes[size_t(i)] = 0;
        write_fixture_file(path(name), bytes.data(), bytes.size());
        remove_file(path("SAVESET.DAT"));
    }
};

TEST_F(CultureGrid, ZeroBytesDecideBetweenTheFileAndItsBackup) {
    write_grid("kulttuuri.bak", 0, 6);
    struct Case {
        int zeros;
        uint8_t expected_last;
    } cases[] = {{1536, 4}, {1537, 6}, {6144, 6}, {0, 4}};
    for (const Case& c : cases) {
        write_grid("kulttuuri.dat", c.zeros);
        std::memset(culture_grid, 9, sizeof culture_grid);
        EXPECT_EQ(load_culture_grid(), 1) << c.zeros;
        EXPECT_EQ(culture_grid[CULTURE_CELLS - 1], c.expected_last) << c.zeros;
    }
}

TEST_F(CultureGrid, DamagedGridsFallBackAndAreNeverHalfRead) {
    write_grid("kulttuuri.bak", 0, 6);
    std::vector<uint8_t> short_grid(6143, 4);
    write_fixture_file(path("kulttuuri.dat"), short_grid.data(), short_grid.size());
    load_culture_grid();
    EXPECT_EQ(culture_grid[0], 6);
    write_grid("kulttuuri.dat", 0, 14);  // codes above 13
    load_culture_grid();
    EXPECT_EQ(culture_grid[0], 6);
    // Neither usable: the grid keeps what it had.
    write_fixture_file(path("kulttuuri.dat"), short_grid.data(), short_grid.size());
    write_fixture_file(path("kulttuuri.bak"), short_grid.data(), short_grid.size());
    std::memset(culture_grid, 2, sizeof culture_grid);
    EXPECT_EQ(load_culture_grid(), 0);
    EXPECT_EQ(culture_grid[100], 2);
    remove_file(path("kulttuuri.bak"));
    remove_file(path("kulttuuri.dat"));
    EXPECT_EQ(load_culture_grid(), 0);
    EXPECT_EQ(culture_grid[100], 2);
}

TEST_F(CultureGrid, SavingWritesBothCopiesButNeverABadGrid) {
    ASSERT_EQ(load_culture_grid(), 1);
    EXPECT_TRUE(std::memcmp(culture_grid, world.cultures.data(), CULTURE_CELLS) == 0);
    culture_grid[100] = 12;
    save_culture_grid();
    std::vector<uint8_t> expected = world.cultures;
    expected[100] = 12;
    EXPECT_TRUE(read_fixture_file(path("kulttuuri.dat")) == expected);
    EXPECT_TRUE(read_fixture_file(path("kulttuuri.bak")) == expected);
    // Too many zero bytes: not written, reloaded instead.
    std::memset(culture_grid, 0, 2000);
    save_culture_grid();
    EXPECT_TRUE(read_fixture_file(path("kulttuuri.dat")) == expected);
    EXPECT_EQ(culture_grid[100], 12);
}

TEST_F(CultureGrid, NeighbourCounts) {
    std::memset(culture_grid, 0, sizeof culture_grid);
    for (int i = 0; i < 3; ++i) culture_grid[i] = 5;  // row 0 never counts
    culture_grid[96 + 0] = 5;
    culture_grid[96 + 1] = 5;
    EXPECT_EQ(culture_neighbour_count(0, 0, 5), 2);
    EXPECT_EQ(culture_neighbour_count(32, 32, 5), 2);
    EXPECT_EQ(culture_neighbour_count(-1, 0, 5), 0);
    EXPECT_EQ(culture_neighbour_count(0, 3072, 5), 0);
    culture_grid[63 * 96 + 95] = 8;
    EXPECT_EQ(culture_neighbour_count(2047, 3071, 8), 1);
}

// The bounds as a scan of every world cell finds them.
void bounds_by_cell_scan(int32_t out[CULTURE_CODES][CB_FIELDS]) {
    for (int c = 0; c < CULTURE_CODES; ++c) {
        int32_t* b = out[c];
        std::memset(b, 0, sizeof(int32_t) * CB_FIELDS);
        for (int y = 0; y < WORLD_H; ++y) {
            for (int x = 0; x < WORLD_W; ++x) {
                if (culture_grid[(y / 32) * 96 + x / 32] != c) continue;
                if (culture_neighbour_count(y, x, c) <= 1) continue;
                if (b[CB_MIN_X] == 0 || x < b[CB_MIN_X]) b[CB_MIN_X] = x;
                if (b[CB_MIN_Y] == 0 || y < b[CB_MIN_Y]) b[CB_MIN_Y] = y;
                if (x > b[CB_MAX_X]) b[CB_MAX_X] = x;
                if (y > b[CB_MAX_Y]) b[CB_MAX_Y] = y;
            }
        }
        b[CB_WIDTH] = std::abs(b[CB_MAX_X] - b[CB_MIN_X]);
        b[CB_HEIGHT] = std::abs(b[CB_MAX_Y] - b[CB_MIN_Y]);
        b[CB_THIRD_W] = b[CB_WIDTH] / 3;
        b[CB_THIRD_H] = b[CB_HEIGHT] / 3;
        b[CB_CENTRE_X] = b[CB_WIDTH] / 2 + b[CB_MIN_X];
        b[CB_CENTRE_Y] = b[CB_HEIGHT] / 2 + b[CB_MIN_Y];
    }
}

TEST_F(CultureGrid, BoundsByBlockMatchTheCellScan) {
    seed_random(11);
    for (int round = 0; round < 3; ++round) {
        if (round == 0) {
            std::memcpy(culture_grid, world.cultures.data(), CULTURE_CELLS);
        } else {
            for (uint8_t& b : culture_grid) b = uint8_t(random_below(14));
            // Cultures reaching the first row and column, and a lone block.
            for (int i = 0; i < 96; ++i) culture_grid[96 + i] = 2;
            for (int j = 0; j < 64; ++j) culture_grid[j * 96] = 2;
        }
        int32_t expected[CULTURE_CODES][CB_FIELDS];
        bounds_by_cell_scan(expected);
        compute_culture_bounds();
        for (int c = 0; c < CULTURE_CODES; ++c)
            for (int f = 0; f < CB_FIELDS; ++f)
                ASSERT_EQ(CultureBounds[c][f], expected[c][f]) << "round " << round << " culture " << c << " field " << f;
    }
    EXPECT_EQ(float_abs(-2.5f), 2.5f);
}

}  // namespace
