// The map view overlay: the base texture shown in the map rectangle, the
// night tint and glows, the fades and flashes, and the textures' lifetime.
#include <gtest/gtest.h>

#include "support/screen_session.h"
#include "ui/boxes.h"
#include "ui/gfx.h"
#include "ui/map_overlay.h"

namespace {

constexpr int PX = 200, PY = 200;

void fill_base(int r, int g, int b) {
    SDL_SetRenderTarget(game_renderer, map_base_texture);
    SDL_SetRenderDrawColor(game_renderer, Uint8(r), Uint8(g), Uint8(b), 255);
    SDL_RenderClear(game_renderer);
    SDL_SetRenderTarget(game_renderer, nullptr);
}

SDL_Color frame_pixel(int x, int y) {
    SDL_Surface* s = read_renderer_output();
    EXPECT_NE(s, nullptr);
    if (s == nullptr) return SDL_Color{};
    const SDL_Color c = pixel_of(s, x, y);
    SDL_FreeSurface(s);
    return c;
}

int brightness(SDL_Color c) { return c.r + c.g + c.b; }

class MapOverlay : public ::testing::Test {
protected:
    void SetUp() override {
        map_effect_frame_ms = 0;
        map_lighting_on = false;
        eyes_closed = false;
        flash_r = flash_g = flash_b = 0;
        map_texture_current = false;
        clear_map_lights();
        set_map_view_geometry(1.0f);
        map_view_centre_x = PX;
        map_view_centre_y = PY;
        fill_canvas_rect(0, 0, CANVAS_W, CANVAS_H, map_rgb(0, 0, 40));
        map_view_state = 1;
    }
    void TearDown() override {
        map_view_state = 0;
        map_effect_frame_ms = 5;
        eyes_closed = false;
        flash_r = flash_g = flash_b = 0;
        map_lighting_on = false;
        clear_map_lights();
    }
    PlayFolder folder_{true};
    ScreenSession screen_;
};

TEST_F(MapOverlay, TheBaseTextureShowsInTheMapRectangleOnly) {
    ASSERT_NE(map_base_texture, nullptr);
    ASSERT_NE(map_view_texture, nullptr);
    fill_base(0, 200, 0);
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(20, 90), 0, 200, 0));
    EXPECT_TRUE(same_rgb(frame_pixel(460, 540), 0, 200, 0));
    EXPECT_TRUE(same_rgb(frame_pixel(600, 400), 0, 0, 40));
    EXPECT_TRUE(same_rgb(frame_pixel(10, 90), 0, 0, 40));

    // With the eyes closed and no flash the map is not drawn.
    eyes_closed = true;
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(20, 90), 0, 0, 40));
}

TEST_F(MapOverlay, AZoomedViewShowsTheMiddleOfTheTexture) {
    // A mark at the view centre of the texture (531, 590).
    fill_base(0, 0, 0);
    SDL_SetRenderTarget(game_renderer, map_base_texture);
    SDL_SetRenderDrawColor(game_renderer, 255, 0, 0, 255);
    SDL_Rect mark = {521, 580, 20, 20};
    SDL_RenderFillRect(game_renderer, &mark);
    SDL_SetRenderTarget(game_renderer, nullptr);
    for (float z : {1.0f, 0.5f, 2.0f}) {
        set_map_view_geometry(z);
        present_screen();
        EXPECT_EQ(frame_pixel(240, 315).r, 255) << z;
    }
    set_map_view_geometry(1.0f);
}

TEST_F(MapOverlay, AFadeOutLeavesTheMapDarkUntilTheFadeIn) {
    fill_base(0, 200, 0);
    fade_out_map_view();
    EXPECT_EQ(flash_r, 52);
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 52, 0, 0));
    // The canvas holds the colour too, for presents without the map view.
    map_view_state = 0;
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 52, 0, 0));
    EXPECT_TRUE(same_rgb(canvas_colour(100, 200), 52, 0, 0));
    map_view_state = 1;
    // While the eyes are closed the flash still shows.
    eyes_closed = true;
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 52, 0, 0));
    eyes_closed = false;

    fade_in_map_view();
    EXPECT_EQ(flash_r + flash_g + flash_b, 0);
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 0, 200, 0));

    fade_to_sleep_tint();
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 0, 26, 51));
    fade_in_map_view();
}

TEST_F(MapOverlay, TheOtherEffectsEndWithTheMapAsBefore) {
    fill_base(0, 200, 0);
    flash_steam();
    flash_map_view_light();
    fade_in_map_view_texture();
    EXPECT_FALSE(map_fade_running);
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 0, 200, 0));
}

TEST_F(MapOverlay, ALitFireGlowsAtNightAndNotByDay) {
    ASSERT_NE(firelight_glow, nullptr);
    fill_base(60, 60, 60);
    map_lights[0] = MapLight{PX + 2, PY, 3, true};
    map_lighting_on = true;
    // The glow's centre: view cell (32, 30) in the texture, shown from (306, 360).
    const int gx = 15 + (32 * 18 - 8 - 306), gy = 85 + (30 * 20 - 9 - 360);

    night_tint_r = 40;
    night_tint_g = 40;
    night_tint_b = 70;
    present_screen();
    const int night_far = brightness(frame_pixel(60, 120));
    const int night_glow = brightness(frame_pixel(gx, gy));
    EXPECT_GT(night_glow, night_far + 30);

    night_tint_r = night_tint_g = night_tint_b = 255;
    present_screen();
    EXPECT_EQ(brightness(frame_pixel(gx, gy)), brightness(frame_pixel(60, 120)));
    // The night tint darkens the whole map; lighting off leaves it as drawn.
    EXPECT_LT(night_far, brightness(frame_pixel(60, 120)) / 2);
    map_lighting_on = false;
    night_tint_r = night_tint_g = night_tint_b = 40;
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(gx, gy), 60, 60, 60));
}

TEST_F(MapOverlay, GlowsOutsideTheWindowAreLeftOut) {
    view_half_w = 6;
    view_half_h = 3;
    struct Case {
        MapLight light;
        bool drawn;
        int column, row;
    } cases[] = {
        {{PX + 2, PY + 2, 3, false}, true, 32, 32},   // the player stands within its radius
        {{PX, PY + 5, 5, false}, false, 0, 0},        // near, but below the window
        {{PX + 9, PY, 5, false}, false, 0, 0},        // near, but right of it
        {{PX + 4, PY + 1, 1, false}, false, 0, 0},    // far and not in view
        {{PX + 4, PY + 1, 1, true}, true, 34, 31},    // far but seen
    };
    for (const Case& c : cases) {
        const GlowPlace g = glow_place(c.light, PX, PY);
        EXPECT_EQ(g.drawn, c.drawn) << c.light.x - PX << "," << c.light.y - PY;
        if (c.drawn) {
            EXPECT_EQ(g.column, c.column);
            EXPECT_EQ(g.row, c.row);
        }
    }
    set_map_view_geometry(1.0f);
}

TEST_F(MapOverlay, RecreatingTheTexturesKeepsTheirNumber) {
    const int tiles = live_tile_textures();
    for (int i = 0; i < 50; ++i) {
        SDL_SetWindowSize(game_window, 640 + i * 4, 480 + i * 3);
        create_map_textures();
    }
    EXPECT_EQ(live_map_textures(), 2);
    EXPECT_EQ(live_tile_textures(), tiles);
    ASSERT_NE(map_base_texture, nullptr);
    SDL_SetWindowSize(game_window, 800, 600);
    create_map_textures();
    refresh_map_textures();
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 10, 10, 10));
    clear_map_texture();
    present_screen();
    EXPECT_TRUE(same_rgb(frame_pixel(100, 200), 0, 0, 0));
}

}  // namespace
