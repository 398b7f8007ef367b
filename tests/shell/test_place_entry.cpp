// Entering places and changing maps through the game: the place entry the
// game loop carries out, the arrival picture of a zoom-in and the flash of
// the map view on a zoom-out.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/player.h"
#include "game/save_load.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/world_files.h"
#include "shell/commands.h"
#include "shell/game_loop.h"
#include "shell/game_start.h"
#include "support/fixture_world.h"
#include "support/screen_session.h"
#include "ui/canvas.h"
#include "ui/input.h"
#include "ui/message_line.h"

namespace {

std::vector<FixturePoint> arrival_pictures;
bool (*real_arrival_picture)(int, int) = nullptr;
bool record_arrival_picture(int x, int y) {
    arrival_pictures.push_back({x, y});
    return real_arrival_picture(x, y);
}

class PlaceEntry : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("TESTER");
        Plr.bodytemp = 37.0f;
        Plr.days_played = 2;  // not the first entry: no start story
        player_x = world.village.x;  // the record takes the player's cell
        player_y = world.village.y;
        skip_message_pauses = true;
        messages_suppressed = false;
        quit_state = 0;
        reset_game_state();
        load_world_files();
        ASSERT_TRUE(save_character(SAVE_QUIET));
        arrival_pictures.clear();
        real_arrival_picture = screen_hooks.show_arrival_picture;
        screen_hooks.show_arrival_picture = record_arrival_picture;
        saved_services_ = game_services;
    }
    void TearDown() override {
        screen_hooks.show_arrival_picture = real_arrival_picture;
        game_services = saved_services_;
        skip_message_pauses = false;
        quit_state = 0;
        reset_game_state();
    }
    std::string log() const { return folder.exists("TESTER/msglog.txt") ? folder.read("TESTER/msglog.txt") : ""; }

    PlayFolder folder;  // the installation: pictures, tiles, sight table
    ScreenSession screen;
    FixtureWorld world;
    GameLoopServices saved_services_;
};

int commands_run = 0;

// The start-up scenario that begins in a village: its first command asks
// for the place on the player's cell, and the game loop enters it before
// the next command is read.
TEST_F(PlaceEntry, TheLoopEntersThePlaceTheScenarioAsksFor) {
    Plr.scenario = 2;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    ASSERT_EQ(start_or_continue_game(), 0);
    ASSERT_STREQ(Plr.map_name, "BIGMAP");
    ASSERT_EQ(player_x, world.village.x);
    commands_run = 0;
    game_services = default_game_loop_services();
    game_services.player_command = [] {
        // The first command runs the scenario's start; the next one ends.
        return ++commands_run == 1 ? player_command() : 0;
    };
    game_loop();
    EXPECT_EQ(commands_run, 2);
    EXPECT_EQ(enter_place_request, 0);
    EXPECT_EQ(map_change_request, 0) << "the map change was carried out in the same pass";
    EXPECT_STREQ(Plr.map_name, "ZOOMMAP");
    EXPECT_EQ(Plr.zoom_origin_x, world.village.x);
    EXPECT_EQ(Plr.zoom_origin_y, world.village.y);
    EXPECT_GE(player_x, ZOOM_FIRST);
    EXPECT_LE(player_x, ZOOM_LAST);
    EXPECT_NE(log().find("Entering settled area ..."), std::string::npos) << log();
    EXPECT_NE(log().find("You enter settled area."), std::string::npos) << log();
    ASSERT_EQ(arrival_pictures.size(), 1u);
    EXPECT_EQ(arrival_pictures[0].x, world.village.x);
    EXPECT_EQ(arrival_pictures[0].y, world.village.y);
}

// A place request where there is no place lapses; nothing changes.
TEST_F(PlaceEntry, PlainLandHasNoPlaceToEnter) {
    player_x = world.conifer.x;
    player_y = world.conifer.y;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    ASSERT_EQ(start_or_continue_game(), 0);
    enter_place_request = 1;
    game_services = default_game_loop_services();
    game_services.player_command = [] { return 0; };
    game_loop();
    EXPECT_EQ(enter_place_request, 0);
    EXPECT_STREQ(Plr.map_name, "BIGMAP");
    EXPECT_EQ(player_x, world.conifer.x);
    EXPECT_TRUE(arrival_pictures.empty());
}

// ENTER on the village zooms in with the village's picture over the map,
// and zooming out again flashes the map view.
TEST_F(PlaceEntry, ZoomingInShowsThePictureAndZoomingOutFlashes) {
    ASSERT_EQ(start_or_continue_game(), 0);
    ScreenshotSeam shots(folder);
    SDL_Surface* picture = IMG_Load(folder.file("truegfx/terrain-village_400x300.jpg").c_str());
    ASSERT_NE(picture, nullptr);
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(picture);

    const int before = test_screenshot_count();
    run_command_key(KEY_ENTER, false);
    ASSERT_EQ(map_change_request, 1);
    ASSERT_EQ(arrival_pictures.size(), 1u);
    EXPECT_EQ(arrival_pictures[0].x, world.village.x);
    // Some frame shows the picture whole, 1:1 in its frame beside the map's
    // middle (its top-left at 40, 105).
    bool shown = false;
    for (int n = before + 1; n <= test_screenshot_count() && !shown; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "/frame_%06d.bmp", n);
        SDL_Surface* frame = SDL_LoadBMP((shots.folder + name).c_str());
        ASSERT_NE(frame, nullptr);
        int same = 0;
        for (const auto& [px, py] : {std::pair{20, 20}, {200, 150}, {380, 280}, {100, 250}}) {
            const SDL_Color a = pixel_of(frame, 40 + px, 105 + py), b = pixel_of(rgb, px, py);
            if (std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2) ++same;
        }
        shown = same == 4;
        SDL_FreeSurface(frame);
    }
    EXPECT_TRUE(shown) << "no frame showed the village's picture";
    SDL_FreeSurface(rgb);
    maploader(0);
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    // The villagers about block the zoom: the player steps into the next
    // cell first.
    player_x += 64;

    // Out again: the flash of the map view is sixteen frames of its own.
    const int before_out = test_screenshot_count();
    run_command_key(KEY_ENTER, false);
    ASSERT_STREQ(Plr.map_name, "BIGMAP");
    EXPECT_GE(test_screenshot_count() - before_out, 16);
}

// A game continued on a local map loads only that map's cells; every other
// cell of the remembered layer is blank, not what the last game had seen.
TEST_F(PlaceEntry, AGameContinuedOnALocalMapRemembersNothingOfTheLastOne) {
    ASSERT_EQ(start_or_continue_game(), 0);
    run_command_key(KEY_ENTER, false);
    maploader(0);
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    ASSERT_TRUE(save_character(SAVE_QUIET));
    // The last game's player had seen the whole world.
    std::memset(remembered_layer, '#', MAP_CELLS);
    reset_game_state();

    ASSERT_EQ(start_or_continue_game(), 0);
    game_services = default_game_loop_services();
    game_services.player_command = [] { return 0; };
    game_loop();
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    for (const auto& [x, y] : {std::pair{10, 10}, {ZOOM_LAST + 40, ZOOM_FIRST}, {2000, 1500}})
        EXPECT_NE(remembered_layer[map_index(x, y)], '#') << x << "," << y;
}

}  // namespace
