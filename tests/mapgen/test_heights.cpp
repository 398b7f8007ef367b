// Heights: the world height of terrain codes, the bands, and the filled
// band grid of the 7 x 7 world cells around a local map.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "mapgen/heights.h"
#include "maps/map_layers.h"

namespace {

// A small stored world: a plain of one code with a few cells set.
struct HeightWorld : ::testing::Test {
    void SetUp() override { std::memset(stored_world_terrain, 235, MAP_CELLS); }
    static void put(int x, int y, uint8_t code) { stored_world_terrain[map_index(x, y)] = code; }
    static uint8_t block_cell(int x, int y) { return height_block[y * HEIGHT_BLOCK_SIDE + x]; }
    static std::vector<uint8_t> block_of_grid(int i, int j) {
        std::vector<uint8_t> out(64 * 64);
        for (int row = 0; row < 64; ++row) {
            std::memcpy(&out[row * 64], &band_grid[(64 * j + row) * BAND_GRID_STRIDE + 64 * i], 64);
        }
        return out;
    }
};

TEST_F(HeightWorld, HeightOfEveryTerrainCode) {
    struct Case {
        int code, height;
    };
    const Case cases[] = {{3, 120},  {93, 120}, {15, 80},   {46, 70},   {210, 70},  {211, 70},
                          {239, 70}, {251, 70}, {60, 230},  {91, 180},  {94, 250},  {176, 27},
                          {177, 1},  {178, 1},  {180, 1},   {181, 1},   {182, 1},   {183, 1},
                          {247, 1},  {233, 46}, {236, 46},  {235, 60},  {238, 100}, {16, 50},
                          {0, 50},   {255, 50}};
    for (const Case& c : cases) {
        put(100, 200, uint8_t(c.code));
        EXPECT_EQ(world_height_at(200, 100), c.height) << "code " << c.code;
    }
    // y comes first.
    put(10, 20, 94);
    EXPECT_EQ(world_height_at(20, 10), 250);
    EXPECT_EQ(world_height_at(10, 20), 60);
    for (auto [y, x] : {std::pair{0, 3072}, {2048, 0}, {-1, 5}, {5, -1}}) {
        EXPECT_EQ(world_height_at(y, x), 50) << x << "," << y;
    }
}

TEST(HeightBands, EveryBoundStartsItsBand) {
    const int floors[HEIGHT_BANDS] = {0,   4,   8,   12,  16,  20,  24,  28,  32,  36,  40,
                                      48,  56,  64,  72,  80,  88,  96,  104, 112, 120, 128,
                                      132, 140, 148, 156, 162, 170, 171, 178, 184, 191, 192,
                                      200, 208, 216, 222, 223, 224, 230, 238, 242, 250};
    for (int b = 0; b < HEIGHT_BANDS; ++b) {
        EXPECT_EQ(height_band(floors[b]), b + 1) << "height " << floors[b];
        if (floors[b] > 0) EXPECT_EQ(height_band(floors[b] - 1), b) << "height " << floors[b] - 1;
    }
    EXPECT_EQ(height_band(255), 43);
    EXPECT_EQ(height_band(170), 28);
    EXPECT_EQ(height_band(191), 32);
    EXPECT_EQ(height_band(222), 37);
    EXPECT_EQ(height_band(223), 38);
}

TEST_F(HeightWorld, WaterCellIsFlatAndItsEdgesAverageTheNeighbours) {
    put(500, 400, 247);  // height 1 amid spruce mire (60)
    put(500, 399, 94);   // north: 250
    put(499, 399, 91);   // north-west: 180
    prepare_height_block(400, 500);
    EXPECT_EQ(block_cell(32, 32), 1);
    for (auto [x, y] : {std::pair{16, 16}, {32, 16}, {48, 16}, {16, 32}, {48, 32}, {16, 48}, {32, 48}, {48, 48}}) {
        EXPECT_EQ(block_cell(x, y), 1) << x << "," << y;
    }
    const int top = (1 + 250) / 2;
    EXPECT_EQ(block_cell(32, 0), top);
    EXPECT_EQ(block_cell(32, 64), (1 + 60) / 2);
    EXPECT_EQ(block_cell(0, 32), (1 + 60) / 2);
    EXPECT_EQ(block_cell(64, 32), (1 + 60) / 2);
    // Corners take the raw neighbour heights, not the edge middles.
    EXPECT_EQ(block_cell(0, 0), (top + (60 + 180) / 2) / 2);
    EXPECT_EQ(block_cell(64, 0), (top + (60 + 60) / 2) / 2);
    EXPECT_EQ(block_cell(24, 24), 0);
}

TEST_F(HeightWorld, ShallowRiverAndVillageUnderAHill) {
    put(300, 300, 176);
    prepare_height_block(300, 300);
    for (auto [x, y] : {std::pair{32, 32}, {32, 24}, {32, 40}, {24, 32}, {40, 32}}) {
        EXPECT_EQ(block_cell(x, y), 27) << x << "," << y;
    }
    EXPECT_EQ(block_cell(16, 16), 0);

    put(600, 600, 239);   // village, 70
    put(601, 600, 94);    // east: 250 > 70 + 50
    prepare_height_block(600, 600);
    EXPECT_EQ(block_cell(16, 16), 70);
    EXPECT_EQ(block_cell(48, 48), 70);
    put(601, 600, 238);   // 100 is not high enough
    prepare_height_block(600, 600);
    EXPECT_EQ(block_cell(16, 16), 0);
}

TEST_F(HeightWorld, AmplitudeFollowsTheCentreHeight) {
    // With amplitude 1 no random step is taken; a bigger one varies cells.
    height_fill_seed = 5;
    std::memset(height_block, 0, sizeof height_block);
    set_height_cell(3, 3, 100, 1);
    EXPECT_EQ(height_fill_seed, 5u);
    EXPECT_EQ(block_cell(3, 3), 50);
    set_height_cell(3, 3, 200, 1);
    EXPECT_EQ(block_cell(3, 3), 50) << "a set cell keeps its value";
    set_height_cell(4, 3, 600, 1);
    EXPECT_EQ(block_cell(4, 3), 255);
    set_height_cell(5, 3, 0, 1);
    EXPECT_EQ(block_cell(5, 3), 1);
    set_height_cell(6, 3, 100, 4);
    EXPECT_EQ(height_fill_seed, 5u * 22695477u + 1u);
    EXPECT_EQ(block_cell(6, 3), 50 - 4 + int((5u * 22695477u + 1u) % 8u));

    // A plain of height 46 (amplitude 2) stays within a few steps of 46; of
    // height 160 and more (amplitude 6) it spreads more widely.
    struct Case {
        uint8_t code;
        int centre, max_spread;
    };
    for (const Case c : {Case{233, 46, 8}, Case{91, 180, 40}}) {
        std::memset(stored_world_terrain, c.code, MAP_CELLS);
        fill_height_blocks(1000, 1000);
        int lo = 255, hi = 0;
        for (int row = 64 * 3; row < 64 * 4; ++row) {
            for (int col = 64 * 3; col < 64 * 4; ++col) {
                lo = std::min<int>(lo, band_grid[row * BAND_GRID_STRIDE + col]);
                hi = std::max<int>(hi, band_grid[row * BAND_GRID_STRIDE + col]);
            }
        }
        EXPECT_LE(lo, height_band(c.centre)) << int(c.code);
        EXPECT_GE(hi, height_band(c.centre)) << int(c.code);
        EXPECT_LE(hi - lo, c.max_spread) << int(c.code);
    }
}

TEST_F(HeightWorld, BlockOfACellIsTheSameWhateverItsPlaceInTheGrid) {
    // A varied stretch of world.
    for (int y = 480; y < 540; ++y) {
        for (int x = 480; x < 540; ++x) {
            static const uint8_t codes[] = {235, 238, 91, 94, 247, 176, 3, 233, 239};
            put(x, y, codes[(x * 7 + y * 13) % 9]);
        }
    }
    fill_height_blocks(500, 500);
    const auto first = block_of_grid(4, 5);  // world cell (504, 505)
    fill_height_blocks(502, 503);
    EXPECT_EQ(first, block_of_grid(1, 3));
    fill_height_blocks(499, 498);
    EXPECT_EQ(first, block_of_grid(6, 6));
    // Filling twice from the same corner gives the same grid.
    fill_height_blocks(500, 500);
    const std::vector<uint8_t> grid(band_grid, band_grid + sizeof band_grid);
    fill_height_blocks(500, 500);
    EXPECT_EQ(0, std::memcmp(grid.data(), band_grid, sizeof band_grid));
    for (size_t i = 0; i < BAND_GRID_SIDE; ++i) {
        for (size_t k = 0; k < BAND_GRID_SIDE; ++k) {
            const int b = band_grid[i * BAND_GRID_STRIDE + k];
            ASSERT_GE(b, 1);
            ASSERT_LE(b, 43);
        }
    }
}

TEST_F(HeightWorld, MiddleBlockFollowsThePlayersOwnCell) {
    // The player's cell is a mountain amid low mire: its block, the one the
    // map change copies for offset (0, 0), is high, and so on for the others.
    std::memset(stored_world_terrain, 233, MAP_CELLS);
    const int px = 1200, py = 900;
    put(px, py, 94);
    put(px + 1, py, 247);
    fill_height_blocks(py - 3, px - 3);
    uint8_t own[64 * 64], east[64 * 64], west[64 * 64];
    ASSERT_TRUE(copy_band_block(0, 0, own, 64));
    ASSERT_TRUE(copy_band_block(1, 0, east, 64));
    ASSERT_TRUE(copy_band_block(-1, 0, west, 64));
    EXPECT_FALSE(copy_band_block(4, 0, own, 64));
    EXPECT_FALSE(copy_band_block(0, -4, own, 64));
    EXPECT_GE(own[32 * 64 + 32], height_band(240));
    EXPECT_EQ(east[32 * 64 + 32], height_band(1));
    EXPECT_EQ(west[32 * 64 + 32], height_band(46));
    // The copied block is block (3, 3) of the grid.
    EXPECT_EQ(0, std::memcmp(own, block_of_grid(3, 3).data(), sizeof own));
}

}  // namespace
