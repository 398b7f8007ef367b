// Weather changes told on the message line, exposure and the ambience loop.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "maps/map_layers.h"
#include "maps/weather.h"
#include "maps/weather_messages.h"
#include "game/player.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "ui/sound.h"

namespace {

WeatherRecord rec(int rain, int type) {
    WeatherRecord w{};
    w.rain = uint8_t(rain);
    w.raintype = uint8_t(type);
    return w;
}

TEST(WeatherMessages, ChangeOfPrecipitationPicksTheMessage) {
    struct Case {
        int rain0, type0, rain1, type1;
        const char* message;  // nullptr: none
    };
    const Case cases[] = {
        {0, 0, 1, 1, ":It starts to rain."},
        {0, 0, 2, 3, ":It starts to snow."},
        {2, 1, 0, 0, ":The rain ceases."},
        {1, 2, 0, 0, ":The snowing ceases."},
        {1, 1, 3, 1, ":The rain increases."},
        {1, 3, 2, 3, ":It starts to snow harder."},
        {3, 1, 2, 1, ":The rain decreases."},
        {2, 2, 1, 2, ":The snowing eases a bit."},
        {2, 1, 2, 3, nullptr},
        {0, 0, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        const char* m = precipitation_change_message(rec(c.rain0, c.type0), rec(c.rain1, c.type1));
        if (c.message) EXPECT_STREQ(m, c.message);
        else EXPECT_EQ(m, nullptr);
    }
}

TEST(WeatherMessages, LightestSnowDoesNotExposeButLightRainDoes) {
    EXPECT_TRUE(precipitation_exposes(rec(1, 1)));
    EXPECT_FALSE(precipitation_exposes(rec(1, 2)));
    EXPECT_FALSE(precipitation_exposes(rec(1, 3)));
    EXPECT_TRUE(precipitation_exposes(rec(2, 2)));
    EXPECT_FALSE(precipitation_exposes(rec(0, 1)));
}

struct WeatherUpdateTest : ::testing::Test {
    PlayFolder folder{true};
    std::unique_ptr<WeatherModel> saved = std::make_unique<WeatherModel>(weather);
    PlayerRecord saved_plr = Plr;
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        std::strcpy(Plr.name, "Tester");
        std::strcpy(Plr.map_name, "BIGMAP");
        folder.write("Tester/keep.txt", "");
        player_x = 1200;
        player_y = 800;
        messages_suppressed = false;
        skip_message_pauses = true;
        reset_last_message();
    }
    void TearDown() override {
        weather = *saved;
        Plr = saved_plr;
        skip_message_pauses = false;
    }
};

TEST_F(WeatherUpdateTest, StartOfRainIsToldOnceNotEveryTurn) {
    seed_random(20261210);
    WeatherRecord start{};
    weather.init_weather(start, 120, 0);
    Plr.hour = uint8_t(weather.hour);
    update_weather();  // up to date: no step, no message
    // Step hour by hour until the sky goes from clear to rain.
    bool found = false;
    for (int h = 0; h < 24 * 200 && !found; ++h) {
        Plr.hour = uint8_t((weather.hour + 1) % 24);
        message_text[0] = 0;
        update_weather();
        if (weather_before.rain == 0 && weather_now.rain > 0 && weather_now.raintype == 1) {
            found = true;
            EXPECT_STREQ(message_text, ":It starts to rain.");
            EXPECT_FLOAT_EQ(Plr.previous_air_temp, float(weather_before.temp));
        }
    }
    ASSERT_TRUE(found) << "no rain began in 200 days at this seed";
    // A second call in the same hour finds the weather up to date.
    reset_last_message();
    message_text[0] = 0;
    update_weather();
    EXPECT_STREQ(message_text, "");
}

TEST(WeatherAmbience, LoopByWindRainAndHour) {
    struct Case {
        int wind, raintype, hour;
        const char* name;
        int volume;
    };
    const Case cases[] = {
        {9, 0, 12, "ambience", 25}, {10, 0, 12, "wind", 25}, {30, 1, 12, "rain", 100},
        {0, 0, 22, "ambience", 20}, {0, 0, 5, "ambience", 20}, {0, 0, 6, "ambience", 25},
        {12, 3, 3, "wind", 20},
    };
    PlayerRecord saved = Plr;
    const uint8_t saved_kind = map_kind;
    ambient_sounds_on = true;
    map_kind = 1;
    player_x = 1200;
    player_y = 800;
    for (const Case& c : cases) {
        weather_now = WeatherRecord{};
        weather_now.wndspeed = int8_t(c.wind);
        weather_now.raintype = uint8_t(c.raintype);
        Plr.hour = uint8_t(c.hour);
        set_ambient_loop("", 0);
        play_weather_ambience();
        EXPECT_STREQ(ambient_loop_name, c.name) << c.wind << " " << c.raintype << " " << c.hour;
        EXPECT_EQ(ambient_loop_volume, c.volume);
    }
    // Off, or no map: nothing is chosen.
    set_ambient_loop("", 0);
    map_kind = 0;
    play_weather_ambience();
    EXPECT_STREQ(ambient_loop_name, "");
    map_kind = 1;
    ambient_sounds_on = false;
    play_weather_ambience();
    EXPECT_STREQ(ambient_loop_name, "");
    ambient_sounds_on = true;
    map_kind = saved_kind;
    Plr = saved;
}

}  // namespace
