// Region names: choosing a block's name from its terrain, composing the
// names in both languages, and "names.dat".
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "maps/map_layers.h"
#include "maps/regions.h"
#include "play_folder.h"
#include "shell/game_loop.h"
#include "base/platform.h"

namespace {

struct RegionNames : ::testing::Test {
    void SetUp() override {
        init_region_name_parts();
        std::memset(terrain_layer, 235, MAP_CELLS);
        seed_random(77);
    }
    static void fill_block(int bx, int by, uint8_t code, int count) {
        for (int i = 0; i < count; ++i) {
            terrain_layer[map_index(bx * 32 + i % 32, by * 32 + i / 32)] = code;
        }
    }
    static void set_code(int wx, int wy, uint16_t code) {
        region_name_codes[(wy / 32) * CULTURE_COLS + wx / 32] = code;
    }
    static std::string name(int wx, int wy, int language) {
        char out[64];
        region_name(wx, wy, language, out, sizeof out);
        return out;
    }
    static int first_of(int bx, int by) { return region_name_codes[by * CULTURE_COLS + bx] & 0xFF; }
    static int second_of(int bx, int by) { return region_name_codes[by * CULTURE_COLS + bx] >> 8; }
};

TEST_F(RegionNames, BlockCodesFollowTheTerrain) {
    struct Case {
        const char* what;
        uint8_t code;
        int count;
        int second_lo, second_hi;  // inclusive
        int first_lo, first_hi;
    };
    const Case cases[] = {
        {"forest", 235, 0, 32, 41, 20, 254},
        {"mostly sea", 180, 900, 8, 14, 0, 198},  // rule 3 follows rule 2
        {"lake land", 247, 600, 8, 14, 0, 198},
        {"all lake", 182, 1024, 0, 2, 0, 198},
        {"all sea", 180, 1024, 0, 0, 0, 0},
        {"mire", 233, 600, 16, 20, 20, 254},
        {"one rapid", 177, 1, 4, 6, 1, 254},
        {"hills", 91, 5, 60, 69, 20, 254},
        {"mountains", 94, 3, 80, 89, 20, 254},
    };
    for (const Case& c : cases) {
        std::memset(terrain_layer, 235, MAP_CELLS);
        fill_block(10, 20, c.code, c.count);
        for (int round = 0; round < 20; ++round) {
            make_region_name_code(10, 20);
            EXPECT_GE(second_of(10, 20), c.second_lo) << c.what;
            EXPECT_LE(second_of(10, 20), c.second_hi) << c.what;
            EXPECT_GE(first_of(10, 20), c.first_lo) << c.what;
            EXPECT_LE(first_of(10, 20), c.first_hi) << c.what;
        }
    }
    // Mountains win over hills: 3 mountain and 6 hill cells.
    std::memset(terrain_layer, 235, MAP_CELLS);
    fill_block(4, 4, 94, 3);
    for (int i = 0; i < 6; ++i) terrain_layer[map_index(4 * 32 + i, 4 * 32 + 10)] = 91;
    make_region_name_code(4, 4);
    EXPECT_GE(second_of(4, 4), 80);
    EXPECT_LE(second_of(4, 4), 89);
}

TEST_F(RegionNames, ComposingBothLanguages) {
    struct Case {
        int first, second;
        const char* own;
        const char* english;
    };
    const Case cases[] = {
        {1, 0, "Siikameri", "Whitefish sea"},
        {1, 8, "Siikaranta", "Whitefish shore"},
        {20, 0, "Rautameri", "Iron sea"},
        {20, 8, "Rautaranta", "Ironshore"},
        {10, 32, "Sestamets\xE4", "Sesta forest"},
        {10, 34, "Sestamaa", "Sestaland"},
        {0, 0, "Avomeri", "Open sea"},
        {36, 63, "K\xE4\xE4nt\xF6vaara", "Turning fell"},
    };
    for (const Case& c : cases) {
        set_code(100, 100, uint16_t(c.second * 256 + c.first));
        EXPECT_EQ(name(100, 100, 0), c.own);
        EXPECT_EQ(name(100, 100, 1), c.english);
        EXPECT_EQ(std::string(last_region_name), c.english);
        EXPECT_EQ(std::string(region_names_text(100, 100)),
                  std::string(c.own) + " \"" + c.english + "\"");
    }
    for (auto [x, y] : {std::pair{-1, 0}, {3072, 0}, {0, 2048}, {0, -5}}) {
        EXPECT_EQ(name(x, y, 0), "  ");
        EXPECT_EQ(name(x, y, 1), "  ");
    }
    // Custom names: the top bit; an index past the table reads the fallback.
    set_code(64, 64, 0x8000 | 5);
    EXPECT_EQ(name(64, 64, 0), "JOKUMAA");
    EXPECT_EQ(name(64, 64, 1), "JOKUMAA");
    copy_text(custom_region_names[5], "Kotiranta");
    EXPECT_EQ(name(64, 64, 1), "Kotiranta");
    for (uint16_t index : {255, 256, 0x7FFF}) {
        set_code(64, 64, uint16_t(0x8000 | index));
        EXPECT_EQ(name(64, 64, 0), "JOKUMAA") << index;
    }
    // An empty second part gives the first part alone.
    set_code(64, 64, uint16_t(25 * 256 + 2));
    EXPECT_EQ(name(64, 64, 0), "Hauki");
}

TEST_F(RegionNames, EveryBlockOfAWorldGetsANameAndTheFileRoundTrips) {
    PlayFolder play(false);
    copy_text(install_folder, "");
    copy_text(character_name, "Namer");
    ASSERT_TRUE(make_folder("Namer"));
    // A world: sea in the west, lakes, mires, fells.
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 0; x < WORLD_W; ++x) {
            uint8_t code = 235;
            if (x < 300) code = 180;
            else if (x > 2900) code = (x + y) % 7 == 0 ? 94 : 91;
            else if ((x / 32 + y / 32) % 5 == 0) code = 247;
            else if ((x / 32 + y / 32) % 5 == 1) code = 233;
            terrain_layer[map_index(x, y)] = code;
        }
    }
    ASSERT_TRUE(generate_region_names());
    EXPECT_EQ(file_size("Namer/names.dat"), REGION_NAMES_FILE_SIZE);
    int differ = 0;
    for (int by = 0; by < CULTURE_ROWS; ++by) {
        for (int bx = 0; bx < CULTURE_COLS; ++bx) {
            const std::string own = name(bx * 32, by * 32, 0), english = name(bx * 32, by * 32, 1);
            ASSERT_GE(own.size(), 3u) << bx << "," << by;
            ASSERT_GE(english.size(), 3u) << bx << "," << by;
            if (own != english) ++differ;
        }
    }
    EXPECT_GT(differ, CULTURE_CELLS * 9 / 10);
    EXPECT_EQ(name(10, 10, 0), "Avomeri");
    EXPECT_EQ(name(10, 10, 1), "Open sea");

    // The file holds the codes little-endian, row by row.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file("Namer/names.dat", bytes));
    ASSERT_EQ(bytes.size(), size_t(REGION_NAMES_FILE_SIZE));
    EXPECT_EQ(get_le16(&bytes[2 * (5 * CULTURE_COLS + 93)]), region_name_codes[5 * CULTURE_COLS + 93]);
    const std::vector<uint16_t> codes(region_name_codes, region_name_codes + CULTURE_CELLS);
    std::memset(region_name_codes, 0, sizeof region_name_codes);
    ASSERT_TRUE(load_region_names());
    EXPECT_TRUE(std::equal(codes.begin(), codes.end(), region_name_codes));

    // A short or long file is refused and the codes stay as they were.
    for (size_t size : {size_t(0), size_t(12287), size_t(12289)}) {
        std::vector<uint8_t> wrong(size, 0xAB);
        ASSERT_TRUE(write_file_atomic("Namer/names.dat", wrong.data(), wrong.size()));
        EXPECT_FALSE(load_region_names()) << size;
        EXPECT_TRUE(std::equal(codes.begin(), codes.end(), region_name_codes)) << size;
    }
    remove_file("Namer/names.dat");
    EXPECT_FALSE(load_region_names());
    copy_text(character_name, "");
}

}  // namespace
