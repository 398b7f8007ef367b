// The world generation screen: zoom and pan of the view, the start
// location, and a headless run with a key script.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "mapgen/world_gen.h"
#include "screens/worldgen_screen.h"
#include "maps/map_layers.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/input.h"
#include "base/platform.h"
#include "support/screen_session.h"

namespace {

TEST(WorldView, ZoomAndPanKeepTheViewOnTheMap) {
    struct Case {
        const char* what;
        WorldView before;
        int key;
        int zoom, x, y;
    };
    const Case cases[] = {
        {"zoom in from the whole world", {4, 0, 0}, '+', 2, 768, 512},
        {"zoom in to full size", {2, 768, 512}, '+', 1, 1152, 768},
        {"zoom in at zoom 1 changes nothing", {1, 400, 300}, '+', 1, 400, 300},
        {"zoom out at zoom 4 changes nothing", {4, 0, 0}, '-', 4, 0, 0},
        {"zoom out keeps the centre", {1, 1152, 768}, '-', 2, 768, 512},
        {"zoom out to the whole world", {2, 768, 512}, '-', 4, 0, 0},
        {"pan right at zoom 4 snaps back", {4, 0, 0}, KEY_RIGHT, 4, 0, 0},
        {"pan right", {1, 0, 0}, KEY_RIGHT, 1, 48, 0},
        {"pan down", {1, 0, 0}, KEY_DOWN, 1, 0, 32},
        {"pan left stops at 0", {1, 20, 0}, KEY_LEFT, 1, 0, 0},
        {"pan up stops at 0", {1, 0, 10}, KEY_UP, 1, 0, 0},
        {"past the east edge: last full view", {1, 2300, 0}, KEY_RIGHT, 1, 2304, 0},
        {"past the south edge: last full view", {2, 0, 1000}, KEY_DOWN, 2, 0, 1024},
    };
    for (const Case& c : cases) {
        WorldView v = c.before;
        EXPECT_EQ(apply_world_view_key(v, c.key), 0) << c.what;
        EXPECT_EQ(v.zoom, c.zoom) << c.what;
        EXPECT_EQ(v.origin_x, c.x) << c.what;
        EXPECT_EQ(v.origin_y, c.y) << c.what;
    }
    WorldView v;
    apply_world_view_key(v, 'C');
    EXPECT_EQ(v.culture_mode, 4);
    apply_world_view_key(v, 'C');
    EXPECT_EQ(v.culture_mode, 0);
    apply_world_view_key(v, 'I');
    EXPECT_EQ(v.culture_mode, 4);
    EXPECT_TRUE(v.legend);
    apply_world_view_key(v, 'I');
    EXPECT_FALSE(v.legend);
    EXPECT_EQ(apply_world_view_key(v, 'E'), 1);
}

TEST(WorldView, StartLocationLiesOnOpenLandAwayFromTheEdges) {
    seed_random(1234);
    ASSERT_FALSE(generate_world());
    free_height_grid();
    const int fit[] = {3, 15, 16, 228, 235, 236, 238, 250};
    for (int round = 0; round < 50; ++round) {
        pick_start_location(round % 2 == 1);
        EXPECT_GE(start_x, 256);
        EXPECT_GE(start_y, 128);
        EXPECT_LT(start_x, 256 + 1792);
        EXPECT_LT(start_y, 128 + 1792);
        for (int dy = -3; dy <= 2; ++dy) {
            for (int dx = -3; dx <= 2; ++dx) {
                const int code = terrain_at(start_x + dx, start_y + dy);
                EXPECT_NE(std::find(std::begin(fit), std::end(fit), code), std::end(fit)) << code;
            }
        }
        if (round % 2 == 1) {
            EXPECT_EQ(world_culture_at(start_x + 3, start_y + 3), Plr.culture);
        }
    }
}

// Worlds where the draws can't find a place: the nearest fit one is taken,
// and the debug channel says so; the start is never at sea.
TEST(WorldView, StartLocationFallsBackToTheNearestFitPlace) {
    PlayFolder play(false);
    auto fill = [](int x0, int y0, int x1, int y1, int code) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) terrain_layer[map_index(x, y)] = uint8_t(code);
    };
    auto log_text = [&play] {
        return play.exists("debug_worldgen!.txt") ? play.read("debug_worldgen!.txt") : std::string();
    };
    struct Case {
        const char* what;
        bool home_only;
        int island_culture;       // culture of the one fit island
        bool island_big_enough;   // a 6 x 6 spot, or only a 3 x 3 patch
        int land_code;            // the island's code
        const char* log_words;
    };
    const Case cases[] = {
        {"a small fit island", false, 4, true, 235, "the nearest fit spot"},
        {"the home culture has no fit place", true, 4, true, 235, "not in the home culture"},
        {"only a patch of open land", false, 4, false, 238, "the nearest cell of open land"},
        {"only land that is no start land", false, 4, true, 94, "the nearest cell that is not water"},
    };
    for (const Case& c : cases) {
        remove_file("debug_worldgen!.txt");
        std::memset(terrain_layer, 180, MAP_CELLS);
        std::memset(culture_grid, 10, CULTURE_CELLS);
        // The island lies beyond the draw range (x from 256, y from 128):
        // no draw can hit it.
        const int ix = 100, iy = 60;
        fill(ix - 4, iy - 4, c.island_big_enough ? ix + 4 : ix - 2, c.island_big_enough ? iy + 4 : iy - 2,
             c.land_code);
        culture_grid[(iy / 32) * CULTURE_COLS + ix / 32] = uint8_t(c.island_culture);
        Plr.culture = 2;
        seed_random(77);
        pick_start_location(c.home_only);
        const int code = terrain_at(start_x, start_y);
        EXPECT_EQ(code, c.land_code) << c.what << " at " << start_x << "," << start_y;
        EXPECT_LE(std::abs(start_x - ix), 4) << c.what;
        EXPECT_LE(std::abs(start_y - iy), 4) << c.what;
        const std::string log = log_text();
        EXPECT_NE(log.find("no fit spot in 200000 draws"), std::string::npos) << c.what << ": " << log;
        EXPECT_NE(log.find(c.log_words), std::string::npos) << c.what << ": " << log;
    }
    // The home culture's own island is found before a nearer foreign one.
    std::memset(terrain_layer, 180, MAP_CELLS);
    std::memset(culture_grid, 10, CULTURE_CELLS);
    fill(96, 56, 104, 64, 235);
    fill(2900, 1980, 2908, 1988, 235);
    culture_grid[(1984 / 32) * CULTURE_COLS + 2904 / 32] = 2;
    Plr.culture = 2;
    pick_start_location(true);
    EXPECT_EQ(world_culture_at(start_x + 3, start_y + 3), 2);
    EXPECT_EQ(terrain_at(start_x, start_y), 235);
}

struct KeyScript {
    KeyScript(const PlayFolder& play, const std::string& tokens) {
        play.write("keys.txt", tokens);
        setenv("KSM_TEST_KEYS", play.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
    ~KeyScript() {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
    }
};

TEST(WorldGenerationScreen, KeyScriptMakesAndAcceptsAWorld) {
    PlayFolder play;
    ScreenSession screen;
    load_font();
    setenv("KSM_TEST_SEED", "4321", 1);
    copy_text(install_folder, "");
    copy_text(character_name, "Scripted");
    ASSERT_TRUE(make_folder("Scripted"));
    Plr.culture = 0;

    // W: a new world; R: a new start; C: cultures; then E writes the files.
    KeyScript keys(play, "[W]\n[R]\n[C]\n[E]\n");
    ASSERT_TRUE(world_generation_screen());
    unsetenv("KSM_TEST_SEED");
    EXPECT_EQ(world_view.culture_mode, 4);
    EXPECT_EQ(file_size("Scripted/WORLD.DAT"), 6296577);
    EXPECT_EQ(file_size("Scripted/kulttuuri.dat"), 6144);
    EXPECT_EQ(file_size("Scripted/names.dat"), 12288);
    EXPECT_EQ(height_grid, nullptr);

    // The picture shows the culture colours over the land and the sea in
    // its own colour at the west edge.
    const SDL_Color sea = canvas_colour(16 + 1, 24 + 256);
    EXPECT_TRUE(same_rgb(sea, 8, 20, 200) || same_rgb(sea, 8, 40, 240)) << int(sea.r) << "," << int(sea.g) << "," << int(sea.b);
    copy_text(character_name, "");
}

TEST(WorldGenerationScreen, ScriptEndingWithoutEWritesNothing) {
    PlayFolder play;
    ScreenSession screen;
    load_font();
    copy_text(install_folder, "");
    copy_text(character_name, "Undecided");
    ASSERT_TRUE(make_folder("Undecided"));
    KeyScript keys(play, "[+]\n[RIGHT]\n");
    EXPECT_FALSE(world_generation_screen());
    EXPECT_FALSE(path_exists("Undecided/WORLD.DAT"));
    EXPECT_EQ(height_grid, nullptr);
    copy_text(character_name, "");
}

}  // namespace
