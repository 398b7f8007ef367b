// World generation: properties of generated worlds over fixed seeds, the
// files written, determinism, and the world picture colours.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "mapgen/world_gen.h"
#include "maps/map_layers.h"
#include "maps/regions.h"
#include "maps/world_files.h"
#include "play_folder.h"
#include "shell/game_loop.h"
#include "base/platform.h"

namespace {

uint8_t code_at(int x, int y) { return terrain_layer[map_index(x, y)]; }

bool is_site(int c) { return c == 210 || c == 211 || c == 239; }

// One generated world per seed, kept for all the property checks.
struct Generated {
    std::vector<uint8_t> terrain;
    std::vector<uint8_t> cultures;
    WorldGenFacts facts;
};

const Generated& world_for(uint32_t seed) {
    static std::map<uint32_t, Generated> worlds;
    auto it = worlds.find(seed);
    if (it != worlds.end()) {
        std::memcpy(terrain_layer, it->second.terrain.data(), MAP_CELLS);
        std::memcpy(culture_grid, it->second.cultures.data(), CULTURE_CELLS);
        return it->second;
    }
    seed_random(seed);
    EXPECT_FALSE(generate_world());
    Generated g;
    g.terrain.assign(terrain_layer, terrain_layer + MAP_CELLS);
    g.cultures.assign(culture_grid, culture_grid + CULTURE_CELLS);
    g.facts = world_facts;
    return worlds[seed] = std::move(g);
}

class WorldProperties : public ::testing::TestWithParam<uint32_t> {};

TEST_P(WorldProperties, SeaLiesAlongTheWestNorthAndSouthEdges) {
    world_for(GetParam());
    for (int y = 0; y < WORLD_H; ++y) ASSERT_EQ(code_at(0, y), 180) << "row " << y;
    for (int x = 0; x < WORLD_W; ++x) {
        ASSERT_EQ(code_at(x, 0), 180) << "column " << x;
        ASSERT_EQ(code_at(x, WORLD_H - 1), 180) << "column " << x;
    }
    // The sea reaches some way in from the west, and the east is land.
    int west_sea = 0, east_land = 0;
    for (int y = 200; y < 1800; ++y) {
        if (code_at(40, y) == 180 || code_at(40, y) == 181) ++west_sea;
        const int c = code_at(3000, y);
        if (c != 180 && c != 181) ++east_land;
    }
    EXPECT_GT(west_sea, 1400);
    EXPECT_GT(east_land, 1400);
}

TEST_P(WorldProperties, EveryCellHasACodeOfTheGeneratedSet) {
    world_for(GetParam());
    static const int allowed[] = {3,   15,  16,  46,  47,  60,  91,  93,  94,  176, 177, 178, 180, 181,
                                  182, 183, 210, 211, 228, 233, 235, 236, 237, 238, 239, 247, 250, 251};
    bool ok[256] = {};
    for (int c : allowed) ok[c] = true;
    std::map<int, long> counts;
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 0; x < WORLD_W; ++x) {
            const int c = code_at(x, y);
            ASSERT_TRUE(ok[c]) << "code " << c << " at " << x << "," << y;
            ++counts[c];
        }
    }
    EXPECT_GT(counts[91] + counts[94], 1000) << "fells";
    EXPECT_GT(counts[182] + counts[183] + counts[247], 10000) << "lakes";
    EXPECT_GT(counts[233] + counts[236], 1000) << "mires";
    EXPECT_GT(counts[235] + counts[15] + counts[238] + counts[3], 500000) << "forests";
    EXPECT_GT(counts[176] + counts[177] + counts[178], 1000) << "rivers";
    EXPECT_GT(counts[46], 0) << "roads";
}

TEST_P(WorldProperties, TheEastHasFells) {
    world_for(GetParam());
    long fells = 0;
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 2048; x < WORLD_W; ++x) {
            const int c = code_at(x, y);
            if (c == 91 || c == 94) ++fells;
        }
    }
    EXPECT_GT(fells, 1000);
}

TEST_P(WorldProperties, RiversRunFromTheSeaInland) {
    const Generated& g = world_for(GetParam());
    int drawn = 0;
    for (const WorldRiver& r : g.facts.rivers) {
        if (!r.drawn) continue;
        ++drawn;
        const int source = code_at(r.source_x, r.source_y);
        EXPECT_TRUE(source == 180 || source == 181) << "source " << r.source_x << "," << r.source_y;
        EXPECT_GT(r.cells, 20);
        // It ends inland: on land, in a river or in its lake, not at sea.
        const int end = code_at(r.end_x, r.end_y);
        EXPECT_FALSE(end == 180 || end == 181) << "river from " << r.source_x << "," << r.source_y;
    }
    EXPECT_EQ(drawn, WORLD_RIVERS);
}

TEST_P(WorldProperties, EveryPlacedCultureHasASiteInItsOwnBlocks) {
    const Generated& g = world_for(GetParam());
    bool has_site[14] = {};
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 0; x < WORLD_W; ++x) {
            if (is_site(code_at(x, y))) has_site[world_culture_at(x, y)] = true;
        }
    }
    for (int c : {13, 9, 7, 8, 0, 2, 3, 4, 6, 5, 1, 11}) {
        EXPECT_GT(g.facts.sites[c], 0) << "culture " << c;
        EXPECT_TRUE(has_site[c]) << "culture " << c;
    }
}

TEST_P(WorldProperties, RoadsLeadFromSitesOfOneCulture) {
    world_for(GetParam());
    // Every road cell lies on a line between two sites of one culture: a
    // site of that culture lies within 31 columns west or east of it.
    long roads = 0, stray = 0;
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 0; x < WORLD_W; ++x) {
            if (code_at(x, y) != 46) continue;
            ++roads;
            const int culture = world_culture_at(x, y);
            bool found = false;
            for (int dy = -24; dy <= 24 && !found; ++dy) {
                for (int dx = -31; dx <= 31 && !found; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (in_world_grid(sx, sy) && code_at(sx, sy) == 239 &&
                        world_culture_at(sx, sy) == culture) {
                        found = true;
                    }
                }
            }
            if (!found) ++stray;
        }
    }
    EXPECT_GT(roads, 0);
    // Culture blocks of a later culture may cover a road's end; allow a few.
    EXPECT_LE(stray * 10, roads);
}

TEST_P(WorldProperties, CultureGridPassesTheLoadCheck) {
    world_for(GetParam());
    int zeros = 0;
    for (uint8_t b : culture_grid) {
        ASSERT_LT(b, CULTURE_CODES);
        if (b == 0) ++zeros;
    }
    EXPECT_LE(zeros, CULTURE_MAX_ZEROS);
}

INSTANTIATE_TEST_SUITE_P(Seeds, WorldProperties, ::testing::Values(7u, 1234u, 424242u));

TEST(WorldGeneration, SameSeedGivesTheSameWorld) {
    const Generated& a = world_for(7u);
    std::vector<uint8_t> first = a.terrain;
    seed_random(7u);
    ASSERT_FALSE(generate_world());
    EXPECT_EQ(0, std::memcmp(first.data(), terrain_layer, MAP_CELLS));
    EXPECT_EQ(0, std::memcmp(a.cultures.data(), culture_grid, CULTURE_CELLS));
    const Generated& b = world_for(1234u);
    EXPECT_NE(0, std::memcmp(first.data(), b.terrain.data(), MAP_CELLS));
}

TEST(WorldGeneration, SavedFilesHaveTheirSizesAndLoadBack) {
    PlayFolder play(false);
    world_for(1234u);
    std::vector<uint8_t> terrain(terrain_layer, terrain_layer + MAP_CELLS);
    std::vector<uint8_t> cultures(culture_grid, culture_grid + CULTURE_CELLS);

    copy_text(install_folder, "");
    copy_text(character_name, "");
    EXPECT_FALSE(save_generated_world());
    EXPECT_FALSE(path_exists("WORLD.DAT"));

    copy_text(character_name, "Newcomer");
    ASSERT_TRUE(make_folder("Newcomer"));
    ASSERT_TRUE(save_generated_world());
    EXPECT_EQ(file_size("Newcomer/WORLD.DAT"), WORLD_FILE_SIZE);
    EXPECT_EQ(file_size("Newcomer/kulttuuri.dat"), CULTURE_FILE_SIZE);
    EXPECT_EQ(file_size("Newcomer/names.dat"), REGION_NAMES_FILE_SIZE);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file("Newcomer/WORLD.DAT", bytes));
    for (int y = 0; y < MAP_ROWS; ++y) ASSERT_EQ(bytes[map_index(WORLD_W, y)], 0) << "row " << y;
    for (int x = 0; x < MAP_STRIDE; ++x) ASSERT_EQ(bytes[map_index(x, WORLD_H)], 0) << "column " << x;
    for (int y = 0; y < WORLD_H; ++y) {
        ASSERT_EQ(0, std::memcmp(&bytes[map_index(0, y)], &terrain[map_index(0, y)], WORLD_W)) << y;
    }

    std::memset(culture_grid, 0, CULTURE_CELLS);
    EXPECT_EQ(load_culture_grid(), 1);
    EXPECT_EQ(0, std::memcmp(culture_grid, cultures.data(), CULTURE_CELLS));

    std::memset(terrain_layer, 0, MAP_CELLS);
    load_world_files();
    EXPECT_EQ(0, std::memcmp(terrain_layer, bytes.data(), MAP_CELLS));

    const std::vector<uint16_t> codes(region_name_codes, region_name_codes + CULTURE_CELLS);
    std::memset(region_name_codes, 0xFF, sizeof region_name_codes);
    ASSERT_TRUE(load_region_names());
    EXPECT_TRUE(std::equal(codes.begin(), codes.end(), region_name_codes));
    copy_text(character_name, "");
}

// Twenty seeds, in four groups that run side by side: every world has all
// ten rivers, its high fells lie towards the east (the eastmost of six
// bands of columns holds more fell cells than any other), and the progress
// bar ends full.
class WorldsOverSeeds : public ::testing::TestWithParam<int> {};

TEST_P(WorldsOverSeeds, TenRiversFellsInTheEastAndAFullProgressBar) {
    constexpr int kBands = 6;
    constexpr int kBandWidth = WORLD_W / kBands;
    for (uint32_t seed = 100u + 5u * uint32_t(GetParam()), last = seed + 5u; seed < last; ++seed) {
        seed_random(seed);
        ASSERT_FALSE(generate_world());
        EXPECT_EQ(world_progress_step, WORLD_PROGRESS_STEPS + 1) << "seed " << seed;
        EXPECT_EQ(world_progress_percent, 100) << "seed " << seed;
        for (int i = 0; i < WORLD_RIVERS; ++i) {
            const WorldRiver& r = world_facts.rivers[i];
            EXPECT_EQ(r.drawn, 1) << "seed " << seed << " river " << i;
            EXPECT_GT(r.cells, 20) << "seed " << seed << " river " << i;
            const int end = code_at(r.end_x, r.end_y);
            EXPECT_FALSE(end == 180 || end == 181) << "seed " << seed << " river " << i;
        }
        long fells[kBands] = {};
        for (int y = 0; y < WORLD_H; ++y) {
            for (int x = 0; x < WORLD_W; ++x) {
                const int c = code_at(x, y);
                if (c == 91 || c == 94) ++fells[x / kBandWidth];
            }
        }
        for (int band = 0; band < kBands - 1; ++band)
            EXPECT_GT(fells[kBands - 1], fells[band]) << "seed " << seed << " band " << band;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, WorldsOverSeeds, ::testing::Range(0, 4));

TEST(WorldGeneration, CultureInTheSeaGivesUp) {
    std::memset(terrain_layer, 180, MAP_CELLS);
    std::memset(culture_grid, 10, CULTURE_CELLS);
    seed_random(5);
    EXPECT_EQ(place_culture(1000, 1500, 200, 30, 4), 0);
    for (uint8_t b : culture_grid) ASSERT_EQ(b, 10);
    // One island: sites go only there, and their blocks get the culture.
    for (int y = 990; y < 1010; ++y) {
        for (int x = 1490; x < 1510; ++x) terrain_layer[map_index(x, y)] = 235;
    }
    const int placed = place_culture(1000, 1500, 12, 5, 4);
    EXPECT_GT(placed, 0);
    EXPECT_EQ(world_culture_at(1500, 1000), 4);
    EXPECT_EQ(world_culture_at(1500 + 40, 1000 + 40), 4);
    EXPECT_EQ(world_culture_at(1500 + 80, 1000), 10);
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 0; x < WORLD_W; ++x) {
            const int c = code_at(x, y);
            if (is_site(c)) {
                ASSERT_TRUE(x >= 1490 && x < 1510 && y >= 990 && y < 1010) << x << "," << y;
            }
        }
    }
}

TEST(WorldGeneration, FitCellsForSettlements) {
    for (int code : {60, 91, 93, 94, 177, 178, 180, 181, 182, 183, 233, 239, 247}) {
        EXPECT_FALSE(fit_site_code(code)) << code;
    }
    for (int code : {0, 3, 15, 16, 46, 47, 176, 210, 211, 235, 236, 238, 250, 251}) {
        EXPECT_TRUE(fit_site_code(code)) << code;
    }
}

TEST(WorldGeneration, WorldPictureColours) {
    struct Case {
        int code;
        WorldColour colour;
    };
    const Case cases[] = {{3, {0, 60, 0}},     {46, {8, 8, 8}},      {94, {60, 60, 60}},
                          {176, {45, 45, 60}}, {180, {2, 5, 50}},    {210, {63, 0, 63}},
                          {239, {63, 0, 0}},   {251, {63, 63, 32}},  {250, {0, 0, 50}},
                          {0, {0, 0, 0}},      {32, {0, 0, 0}},      {255, {0, 0, 0}}};
    for (const Case& c : cases) {
        const WorldColour got = world_map_rgb(c.code);
        EXPECT_EQ(got.r, c.colour.r) << c.code;
        EXPECT_EQ(got.g, c.colour.g) << c.code;
        EXPECT_EQ(got.b, c.colour.b) << c.code;
    }
}

}  // namespace
