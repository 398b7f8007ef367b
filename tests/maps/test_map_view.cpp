// The map view on the screen: the fixture world map and a small local map
// drawn through the software renderer and compared with reference pictures,
// the player's figure at the view centre, and fire glow by night and day.
//
// To make new reference pictures after a deliberate change of the drawing,
// run the test with KSM_WRITE_MAP_REFERENCE set to a folder; the pictures
// land there and are copied into tests/maps/reference by hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/screen_session.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/map_object_table.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/fixture_world.h"
#include "ui/boxes.h"
#include "ui/gfx.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"

namespace {

constexpr int LX = 230, LY = 230;  // the player on the local map

SDL_Surface* map_area() {
    SDL_Surface* frame = read_renderer_output();
    if (frame == nullptr) return nullptr;
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, 450, 460, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Rect src = {15, 85, 450, 460};
    SDL_BlitSurface(frame, &src, out, nullptr);
    SDL_FreeSurface(frame);
    return out;
}

// Mean absolute difference per colour channel, 0..255.
double difference(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h) return 255.0;
    double sum = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) {
            const SDL_Color p = pixel_of(a, x, y), q = pixel_of(b, x, y);
            sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    return sum / (3.0 * a->w * a->h);
}

int area_brightness(int x0, int y0, int w, int h) {
    SDL_Surface* s = read_renderer_output();
    if (s == nullptr) return -1;
    long sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const SDL_Color c = pixel_of(s, x, y);
            sum += c.r + c.g + c.b;
        }
    SDL_FreeSurface(s);
    return int(sum / (w * h));
}

void compare_with_reference(const char* name) {
    SDL_Surface* now = map_area();
    ASSERT_NE(now, nullptr);
    if (const char* dir = std::getenv("KSM_WRITE_MAP_REFERENCE")) {
        SDL_SaveBMP(now, (std::string(dir) + "/" + name).c_str());
    }
    const std::string path = std::string(KSM_SOURCE_DIR) + "/tests/maps/reference/" + name;
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    ASSERT_NE(loaded, nullptr) << "no reference picture " << path;
    SDL_Surface* ref = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    const double d = difference(now, ref);
    EXPECT_LT(d, 2.0) << name << " differs from its reference by " << d;
    // Something was drawn at all: the picture is not one flat colour.
    const SDL_Color first = pixel_of(now, 10, 10);
    bool varied = false;
    for (int y = 0; y < now->h && !varied; y += 7)
        for (int x = 0; x < now->w && !varied; x += 7) {
            const SDL_Color c = pixel_of(now, x, y);
            varied = c.r != first.r || c.g != first.g || c.b != first.b;
        }
    EXPECT_TRUE(varied) << name;
    SDL_FreeSurface(now);
    SDL_FreeSurface(ref);
}

class MapView : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        map_effect_frame_ms = 0;
        messages_suppressed = true;
        set_map_view_geometry(1.0f);
        map_view_state = 1;
        std::memset(&weather.current, 0, sizeof weather.current);
        weather.current.ice = 10;
        weather.current.daylight = 1.0f;
        tint_r = tint_g = tint_b = 255;
        map_lighting_on = false;
        std::memset(Data, 0, sizeof Data);
        double ones[SIGHT_RAYS];
        for (double& n : ones) n = 1.0;
        fill_sight_table(ones, 50);
        seed_random(7);
    }
    void TearDown() override {
        Plr = saved_;
        map_view_state = 0;
        messages_suppressed = false;
        map_effect_frame_ms = 5;
        tint_r = tint_g = tint_b = 255;
        std::memset(Data, 0, sizeof Data);
    }
    void local_map() {
        init_terrain_types_for_date(6, 20);
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        player_x = LX;
        player_y = LY;
        Plr.facing = 0;
        Plr.month = 6;
        Plr.day = 20;
        Plr.total_minutes = 100000;
        for (int y = LY - 40; y <= LY + 40; ++y) {
            const size_t at = map_index(LX - 40, y);
            std::memset(terrain_layer + at, 250, 81);
            std::memset(height_layer + at, 1, 81);
            std::memset(cover_layer + at, 0, 81);
            std::memset(remembered_layer + at, ' ', 81);
            std::memset(view_extra_layer + at, 0, 81);
        }
        auto put = [](int x, int y, uint8_t code, uint8_t h = 1) {
            terrain_layer[map_index(x, y)] = code;
            height_layer[map_index(x, y)] = h;
        };
        for (int x = LX + 6; x <= LX + 9; ++x) put(x, LY - 3, 13);  // spruces
        put(LX + 4, LY + 4, 24);                                  // an alder
        put(LX + 3, LY - 6, 10);                                  // a birch
        for (int y = LY + 6; y <= LY + 10; ++y)                   // a pond
            for (int x = LX + 2; x <= LX + 7; ++x) put(x, y, 247, uint8_t(4 + x - LX));
        for (int y = LY - 10; y <= LY - 8; ++y)                   // a rise
            for (int x = LX - 2; x <= LX + 5; ++x) put(x, y, 250, 3);
        cover_layer[map_index(LX + 2, LY - 2)] = 1;               // lichen
        for (int x = LX + 10; x <= LX + 12; ++x) put(x, LY + 2, 200);  // a wall
    }
    void world_map() {
        init_terrain_types_for_date(6, 1);
        fixture_ = make_fixture_world("Viewer");
        load_world_files();
        is_world_map();
        player_x = fixture_.grove.x;
        player_y = fixture_.grove.y;
        Plr.facing = 6;
    }
    PlayerRecord saved_;
    PlayFolder folder_{true};
    ScreenSession screen_;
    FixtureWorld fixture_;
};

TEST_F(MapView, TheWorldMapMatchesItsReferencePicture) {
    world_map();
    view_half_w = map_view.half_w;
    view_half_h = map_view.half_h;
    rebuild_view();
    compare_with_reference("map_view_world.bmp");
}

TEST_F(MapView, ALocalMapMatchesItsReferencePicture) {
    local_map();
    rebuild_view();
    compare_with_reference("map_view_local.bmp");
}

TEST_F(MapView, ThePlayersFigureStandsAtTheViewCentre) {
    local_map();
    rebuild_view();
    // The view cell (30, 30) on the screen: texture (532, 591) shown from (306, 360).
    const int cx = 15 + 532 - 306, cy = 85 + 591 - 360;
    SDL_Surface* with = read_renderer_output();
    const int saved_male = tile_pc_male, saved_dirs = tile_facedirs;
    tile_pc_male = tile_facedirs = -1;
    rebuild_view();
    SDL_Surface* without = read_renderer_output();
    tile_pc_male = saved_male;
    tile_facedirs = saved_dirs;
    ASSERT_NE(with, nullptr);
    ASSERT_NE(without, nullptr);
    int changed_centre = 0, changed_far = 0;
    for (int y = -12; y <= 8; ++y)
        for (int x = -9; x <= 9; ++x) {
            const SDL_Color a = pixel_of(with, cx + x, cy + y), b = pixel_of(without, cx + x, cy + y);
            changed_centre += (a.r != b.r || a.g != b.g || a.b != b.b);
            const SDL_Color c = pixel_of(with, cx + x + 90, cy + y), d = pixel_of(without, cx + x + 90, cy + y);
            changed_far += (c.r != d.r || c.g != d.g || c.b != d.b);
        }
    EXPECT_GT(changed_centre, 30);
    EXPECT_EQ(changed_far, 0);
    SDL_FreeSurface(with);
    SDL_FreeSurface(without);
}

TEST_F(MapView, ALitFireGlowsAtNightAndNotByDay) {
    local_map();
    // A fire three cells south-east; the glow is measured two cells beyond it.
    const int fire_x = LX + 3, fire_y = LY + 1;
    const int sx = 15 + (33 + 2) * 18 - 8 - 306, sy = 85 + 31 * 20 - 9 - 360;
    auto scene = [&](bool fire, int tint) {
        std::memset(Data, 0, sizeof Data);
        if (fire) {
            clear_staging_object();
            map_object_staging.TYPE = 8;
            map_object_staging.x = uint16_t(fire_x);
            map_object_staging.y = uint16_t(fire_y);
            map_object_staging.DATA = 300;
            map_object_staging.time_stamp = Plr.total_minutes;
            map_object_staging.expire_minute = uint32_t(Plr.total_minutes + 300);
            insert_map_object(-1);
        }
        tint_r = tint_g = tint_b = tint;
        seed_random(3);
        rebuild_view();
        return area_brightness(sx - 4, sy - 4, 9, 9);
    };
    const int night_fire = scene(true, 40), night_dark = scene(false, 40);
    EXPECT_GT(night_fire, night_dark + 20);
    const int day_fire = scene(true, 255), day_plain = scene(false, 255);
    EXPECT_EQ(day_fire, day_plain);
}

TEST_F(MapView, AZoomedOutViewDrawsMoreCells) {
    local_map();
    set_map_view_geometry(0.5f);
    EXPECT_EQ(view_half_w, 25);
    EXPECT_EQ(view_half_h, 23);
    rebuild_view();
    EXPECT_EQ(is_in_view(LX + 20, LY), 1);
    set_map_view_geometry(1.0f);
    rebuild_view();
    EXPECT_EQ(is_in_view(LX + 20, LY), 0);
}

}  // namespace
