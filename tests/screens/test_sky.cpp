// The sky indicator: sun and moon places, clouds, the thermometer, and the
// moon's phase drawn for two dates.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "maps/weather.h"
#include "game/player.h"
#include "support/screen_session.h"
#include "ui/canvas.h"
#include "screens/sky.h"

namespace {

TEST(SkyIndicator, SunTravelsWithTheClockAndStaysInTheSky) {
    EXPECT_EQ(sky_body_place(0, 0, 10, 10, 74).x, 0);
    EXPECT_EQ(sky_body_place(23, 59, 10, 10, 74).x, 96);
    EXPECT_EQ(sky_body_place(12, 0, 10, 10, 74).x, 48);
    // Half an hour between 20 and 40 degrees: 30; the lowest place is y 5.
    EXPECT_EQ(sky_body_place(6, 30, 20, 40, 74).y, 74 - 30 - 4);
    EXPECT_EQ(sky_body_place(6, 30, 40, 20, 74).y, 74 - 30 - 4);
    EXPECT_EQ(sky_body_place(12, 0, 90, 90, 74).y, 5);
}

TEST(SkyIndicator, CloudsAndThermometer) {
    const int covers[][2] = {{0, 0}, {9, 0}, {10, 1}, {25, 2}, {50, 3}, {74, 3}, {75, 4}, {100, 4}};
    for (const auto& c : covers) EXPECT_EQ(sky_cloud_count(c[0]), c[1]) << c[0];

    struct Case {
        int t, blue_top, red_top;
    };
    const Case cases[] = {{0, 39, 39},  {1, 39, 38},   {31, 39, 8},  {45, 39, 8},
                          {-1, 38, 0},  {-32, 69, 0},  {-33, 69, 0}, {-60, 69, 0}};
    for (const Case& c : cases) {
        ThermometerBars b = thermometer_bars(c.t);
        EXPECT_EQ(b.blue_top, c.blue_top) << c.t;
        EXPECT_EQ(b.red_top, c.red_top) << c.t;
    }
}

struct SkyFixture : ::testing::Test {
    PlayFolder folder{true};
    std::unique_ptr<WeatherModel> saved = std::make_unique<WeatherModel>(weather);
    PlayerRecord saved_plr = Plr;
    std::unique_ptr<ScreenSession> screen = std::make_unique<ScreenSession>();
    void TearDown() override {
        screen.reset();
        weather = *saved;
        Plr = saved_plr;
    }
    // A copy of the moon's part of the sky after drawing.
    std::vector<Uint32> moon_pixels(int x, int y) {
        std::vector<Uint32> out;
        for (int dy = -12; dy < 12; ++dy)
            for (int dx = -12; dx < 12; ++dx) {
                SDL_Color c = canvas_colour(15 + x + dx, 6 + y + dy);
                out.push_back(Uint32(c.r) << 16 | Uint32(c.g) << 8 | c.b);
            }
        return out;
    }
};

TEST_F(SkyFixture, MoonPhaseOfTwoDatesIsDrawn) {
    ASSERT_NE(sky_surface, nullptr);
    seed_random(11);
    WeatherRecord first{}, second{};
    weather.init_weather(first, 1, 0);
    const int phase1 = first.moon_phase;
    weather.init_weather(second, 15, 0);
    const int phase2 = second.moon_phase;
    ASSERT_NE(phase1, phase2);

    auto draw_with_phase = [&](int phase) {
        std::memset(&weather.current, 0, sizeof weather.current);
        weather.current.sun_angle = weather.current.sun_angle_next = -40;  // the sun is down
        weather.current.moon_hour = 6;
        weather.current.moon_angle = weather.current.moon_angle_next = 30;
        weather.current.moon_phase = uint8_t(phase);
        weather.current.temp = 5;
        Plr.hour = 0;
        Plr.minute = 0;
        draw_sky_indicator();
    };
    draw_with_phase(phase1);
    SkyBodyPlace moon = sky_body_place(6, 0, 30, 30, sky_surface->h);
    auto a = moon_pixels(moon.x, moon.y);
    draw_with_phase(phase2);
    auto b = moon_pixels(moon.x, moon.y);
    draw_with_phase(phase1);
    auto a2 = moon_pixels(moon.x, moon.y);
    EXPECT_EQ(a, a2);
    EXPECT_NE(a, b);
}

TEST_F(SkyFixture, ADayMoonNeverDarkensTheSun) {
    // By day the moon may stand where the sun is; its unlit part is not
    // drawn, so a new moon leaves the sun as it is and a half moon covers
    // only where it is lit.
    auto draw = [&](bool moon_up, int phase) {
        std::memset(&weather.current, 0, sizeof weather.current);
        weather.current.sun_angle = weather.current.sun_angle_next = 40;
        weather.current.moon_hour = 12;
        weather.current.moon_angle = weather.current.moon_angle_next = moon_up ? 40 : -40;
        weather.current.moon_phase = uint8_t(phase);
        weather.current.temp = 5;
        Plr.hour = 12;
        Plr.minute = 0;
        draw_sky_indicator();
    };
    const SkyBodyPlace sun = sky_body_place(12, 0, 40, 40, sky_surface->h);
    draw(false, 0);
    const auto alone = moon_pixels(sun.x, sun.y);
    draw(true, 0);
    EXPECT_EQ(moon_pixels(sun.x, sun.y), alone);
    // No pixel of a waxing half moon over the sun is darker than the sun.
    draw(true, 2);
    const auto half = moon_pixels(sun.x, sun.y);
    for (size_t i = 0; i < half.size(); ++i) {
        auto brightness = [](Uint32 c) { return ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255); };
        EXPECT_GE(brightness(half[i]) + 24, brightness(alone[i])) << "pixel " << i;
    }
}

TEST_F(SkyFixture, ThermometerAndFrameOnTheCanvas) {
    std::memset(&weather.current, 0, sizeof weather.current);
    weather.current.temp = 31;
    weather.current.sun_angle = weather.current.sun_angle_next = -40;
    weather.current.moon_angle = weather.current.moon_angle_next = -40;
    draw_sky_indicator();
    EXPECT_TRUE(same_rgb(canvas_colour(15 + 89, 6 + 8), 168, 0, 0));
    EXPECT_TRUE(same_rgb(canvas_colour(15 + 89, 6 + 39), 171, 171, 171));
    EXPECT_TRUE(same_rgb(canvas_colour(15 + 89, 6 + 60), 0, 0, 168));
    EXPECT_TRUE(same_rgb(canvas_colour(14, 5), 0, 0, 0));

    weather.current.temp = -33;
    draw_sky_indicator();
    EXPECT_TRUE(same_rgb(canvas_colour(15 + 89, 6 + 69), 0, 0, 168));
    EXPECT_FALSE(same_rgb(canvas_colour(15 + 89, 6 + 68), 0, 0, 168));
}

}  // namespace
