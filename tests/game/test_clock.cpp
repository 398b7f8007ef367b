// The game clock and calendar: seconds and minutes, normalisation into
// hours, days, months and winters, boosts, seasons and date texts, light
// phases and the tint, and tracks worn away by the weather.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "maps/map_layers.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "game/clock.h"
#include "base/config.h"
#include "game/player.h"
#include "support/play_folder.h"
#include "base/platform.h"
#include "base/text_ring.h"

namespace {

// Counts what the clock asks of the rest of the game.
struct Calls {
    int energy = 0, energy_units = 0;
    int fatigue = 0, fatigue_units = 0;
    int body = 0, lights = 0, sky = 0, hourly = 0, months = 0, sight = 0;
    int last_sight = 0;
};
Calls calls;

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        saved_weather_ = std::make_unique<WeatherModel>(weather);
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "BIGMAP");
        Plr.day = 1;
        Plr.month = 1;
        Plr.hour = 8;
        Plr.winters = 16;
        reset_clock_state();
        calls = Calls{};
        ClockServices s = default_clock_services();
        s.spend_energy = [](int c, int u) { ++calls.energy; calls.energy_units += u; };
        s.update_fatigue = [](int c, int u) { ++calls.fatigue; calls.fatigue_units += u; };
        s.body_temperature = [] { ++calls.body; };
        s.update_light_sources = [](int burn) { EXPECT_EQ(burn, 0); ++calls.lights; };
        s.draw_sky_indicator = [] { ++calls.sky; };
        s.hourly_player_maintenance = [] { ++calls.hourly; };
        s.month_changed = [] { ++calls.months; };
        s.load_sight_table = [](int d) { ++calls.sight; calls.last_sight = d; };
        clock_services = s;
        std::memset(&weather.current, 0, sizeof weather.current);
        night_brightness = 0;
    }
    void TearDown() override {
        Plr = saved_;
        weather = *saved_weather_;
        clock_services = default_clock_services();
        reset_clock_state();
    }
    void set_time(int day, int month, int hour, int minute) {
        Plr.day = uint8_t(day);
        Plr.month = uint8_t(month);
        Plr.hour = uint8_t(hour);
        Plr.minute = uint8_t(minute);
        last_hour = hour;
    }

private:
    PlayerRecord saved_;
    std::unique_ptr<WeatherModel> saved_weather_;
};

TEST_F(ClockTest, TenOrdinaryTurnsAddOneMinute) {
    set_time(1, 1, 8, 0);
    for (int i = 0; i < 9; ++i) advance_seconds(6);
    EXPECT_EQ(Plr.minute, 0);
    EXPECT_EQ(clock_seconds, 54);
    EXPECT_EQ(calls.fatigue, 9);
    EXPECT_EQ(calls.fatigue_units, 54);
    EXPECT_EQ(calls.energy, 0);
    advance_seconds(6);
    EXPECT_EQ(Plr.minute, 1);
    EXPECT_EQ(Plr.total_minutes, 1);
    EXPECT_EQ(clock_seconds, 0);
    EXPECT_EQ(Plr.tick_count, 10);
    // The full minute runs the minute steps with one minute of energy.
    EXPECT_EQ(calls.energy, 1);
    EXPECT_EQ(calls.energy_units, 1);
    EXPECT_EQ(calls.body, 1);
    EXPECT_EQ(calls.lights, 1);
    EXPECT_EQ(calls.sky, 1);

    // A 10-second rest after 54 seconds adds a minute and loses 4 seconds.
    for (int i = 0; i < 9; ++i) advance_seconds(6);
    advance_seconds(10);
    EXPECT_EQ(Plr.minute, 2);
    EXPECT_EQ(clock_seconds, 0);
    EXPECT_EQ(Plr.tick_count, 20);
}

TEST_F(ClockTest, AdvanceMinutesModesSpendEnergyAndFatigue) {
    struct Case {
        int mode, energy_units, fatigue_units;
    } cases[] = {{0, 25, 1}, {2, 25, 0}, {1, 0, 0}};
    for (const Case& c : cases) {
        calls = Calls{};
        advance_minutes(25, c.mode);
        EXPECT_EQ(calls.energy_units, c.energy_units) << "mode " << c.mode;
        EXPECT_EQ(calls.fatigue_units, c.fatigue_units) << "mode " << c.mode;
        EXPECT_EQ(calls.body, 1);
        EXPECT_EQ(calls.lights, 1);
    }
}

TEST_F(ClockTest, SixtyMinutesRollTheHourAtTheNextNormalisation) {
    set_time(30, 12, 23, 0);
    advance_minutes(60, 1);
    EXPECT_EQ(Plr.minute, 60);
    EXPECT_EQ(Plr.hour, 23);
    normalize_game_clock();
    EXPECT_EQ(Plr.minute, 0);
    EXPECT_EQ(Plr.hour, 0);
    EXPECT_EQ(Plr.day, 1);
    EXPECT_EQ(Plr.month, 1);
    EXPECT_EQ(Plr.winters, 17);
    EXPECT_EQ(calls.hourly, 1);
    EXPECT_EQ(calls.months, 1);
    // The same hour again runs no hourly step.
    normalize_game_clock();
    EXPECT_EQ(calls.hourly, 1);
    // An hour left beyond the day by older code is carried too.
    set_time(29, 4, 30, 10);
    normalize_game_clock();
    EXPECT_EQ(Plr.hour, 6);
    EXPECT_EQ(Plr.day, 30);
    EXPECT_EQ(Plr.minute, 10);
}

TEST_F(ClockTest, LongAdvancesKeepExactTime) {
    struct Case {
        int minutes;
        int day, month, winters, hour, minute, month_changes;
    } cases[] = {
        {300, 1, 1, 16, 13, 0, 0},          // 8:00 + 5 h
        {255 - 0, 1, 1, 16, 12, 15, 0},     // still fits the minute byte
        {1440, 2, 1, 16, 8, 0, 0},          // one day
        {3 * 1440, 4, 1, 16, 8, 0, 0},      // three days at once
        {100000, 10, 3, 16, 18, 40, 2},     // 69 days, 10 h 40 min
        {360 * 1440 + 61, 1, 1, 17, 9, 1, 12},
    };
    for (const Case& c : cases) {
        set_time(1, 1, 8, 0);
        Plr.winters = 16;
        Plr.total_minutes = 500;
        calls = Calls{};
        advance_minutes(c.minutes, 1);
        normalize_game_clock();
        EXPECT_EQ(Plr.total_minutes, 500 + c.minutes) << c.minutes;
        EXPECT_EQ(Plr.minute, c.minute) << c.minutes;
        EXPECT_EQ(Plr.hour, c.hour) << c.minutes;
        EXPECT_EQ(Plr.day, c.day) << c.minutes;
        EXPECT_EQ(Plr.month, c.month) << c.minutes;
        EXPECT_EQ(Plr.winters, c.winters) << c.minutes;
        EXPECT_EQ(calls.months, c.month_changes) << c.minutes;
    }
}

TEST_F(ClockTest, SkillBoostsRunDownByTheHour) {
    set_time(1, 1, 8, 0);
    Plr.skill_level[0] = 50;
    Plr.skill_boost[0] = 10;
    Plr.skill_boost_timer[0] = 61;
    Plr.skill_level[1] = 40;
    Plr.skill_boost[1] = 5;
    Plr.skill_boost_timer[1] = 60;
    Plr.skill_level[2] = 3;  // a level below its boost never wraps
    Plr.skill_boost[2] = 9;
    Plr.skill_boost_timer[2] = 1;
    advance_minutes(60, 1);
    normalize_game_clock();
    EXPECT_EQ(Plr.skill_boost_timer[0], 1);
    EXPECT_EQ(Plr.skill_level[0], 50);
    EXPECT_EQ(Plr.skill_boost[0], 10);
    EXPECT_EQ(Plr.skill_boost_timer[1], 0);
    EXPECT_EQ(Plr.skill_boost[1], 0);
    EXPECT_EQ(Plr.skill_level[1], 35);
    EXPECT_EQ(Plr.skill_level[2], 0);
    advance_minutes(60, 1);
    normalize_game_clock();
    EXPECT_EQ(Plr.skill_boost_timer[0], 0);
    EXPECT_EQ(Plr.skill_level[0], 40);
    // Many hours at once run the boosts down the same way.
    Plr.skill_level[3] = 20;
    Plr.skill_boost[3] = 4;
    Plr.skill_boost_timer[3] = 200;
    advance_minutes(180, 1);
    normalize_game_clock();
    EXPECT_EQ(Plr.skill_boost_timer[3], 20);
    advance_minutes(600, 1);
    normalize_game_clock();
    EXPECT_EQ(Plr.skill_boost_timer[3], 0);
    EXPECT_EQ(Plr.skill_level[3], 16);
}

TEST(Calendar, SeasonOfDate) {
    struct Case {
        int day, month, season, days, weekday, countdown;
        const char* name;
        const char* next;
    } cases[] = {
        {1, 1, 1, 78, 1, 2, "winter season", "midwinter point"},   // year-day 1
        {12, 1, 1, 89, 5, 1, "winter season", "midwinter point"},
        {13, 1, 2, 1, 1, 13, "midwinter", "summer season"},          // year-day 13
        {27, 1, 2, 15, 1, 11, "latter winter", "summer season"},
        {14, 4, 3, 1, 1, 13, "summer season", "midsummer point"},    // year-day 104
        {13, 7, 4, 1, 1, 13, "midsummer", "winter season"},          // year-day 193
        {30, 12, 1, 77, 7, 3, "winter season", "midwinter point"},   // year-day 360
        {14, 10, 1, 1, 1, 13, "winter season", "midwinter point"},   // year-day 284
    };
    for (const Case& c : cases) {
        SeasonRecord r;
        season_of_date(c.day, c.month, r);
        EXPECT_EQ(r.season, c.season) << c.day << "." << c.month;
        EXPECT_EQ(r.days, c.days) << c.day << "." << c.month;
        EXPECT_EQ(r.weekday, c.weekday) << c.day << "." << c.month;
        EXPECT_EQ(r.week_countdown, c.countdown) << c.day << "." << c.month;
        EXPECT_STREQ(r.name, c.name) << c.day << "." << c.month;
        EXPECT_STREQ(r.next_name, c.next) << c.day << "." << c.month;
        EXPECT_EQ(r.day, c.day);
        EXPECT_EQ(r.month, c.month);
    }
}

TEST(Calendar, OrdinalsAreEnglish) {
    struct Case {
        int n;
        const char* text;
    } cases[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {10, "10th"}, {11, "11th"},
                 {12, "12th"}, {13, "13th"}, {21, "21st"}, {22, "22nd"}, {23, "23rd"}, {30, "30th"},
                 {101, "101st"}, {111, "111th"}};
    for (const Case& c : cases) EXPECT_STREQ(ordinal_text(c.n), c.text);
}

TEST(Calendar, DateTexts) {
    struct Case {
        int flags, day, month;
        const char* text;
    } cases[] = {
        {1, 1, 2, "1st of month:2"},
        {1, 2, 2, "2nd of month:2"},
        {1, 3, 2, "3rd of month:2"},
        {1, 11, 2, "11th of month:2"},
        {1, 21, 2, "21st of month:2"},
        {0x21, 22, 5, "on 22nd of month:5"},
        {2, 1, 1, "winter season, beginning of january, 1st of month:1"},
        {0x22, 15, 4, "in summer season, during april, on 15th of month:4"},
        {4, 28, 6, "summer season, end of june"},
        {0x24, 5, 7, "in summer season, during early july"},
    };
    // The built-in month words: an earlier test may have read the installed ones.
    char saved[12][WORD_TEXT_BYTES];
    std::memcpy(saved, month_names, sizeof saved);
    const char* builtin[12] = {"january", "february", "march",     "april",   "may",      "june",
                               "july",    "august",   "september", "october", "november", "december"};
    for (int m = 0; m < 12; ++m) copy_text(month_names[m], builtin[m]);
    for (const Case& c : cases) {
        SeasonRecord r;
        season_of_date(c.day, c.month, r);
        EXPECT_STREQ(date_text(c.flags, r), c.text) << "flags " << c.flags;
    }
    std::memcpy(month_names, saved, sizeof saved);
}

TEST(Light, PhasesByElevationAndHour) {
    struct Elevation {
        int e, phase;
    } elevations[] = {{-19, 2}, {-18, 3}, {-13, 3}, {-12, 5}, {-7, 5}, {-6, 6}, {-1, 6}, {0, 0}, {40, 0}};
    for (const Elevation& c : elevations) EXPECT_EQ(light_phase_of_elevation(c.e), c.phase) << c.e;

    struct Hour {
        int month, hour, phase;
    } hours[] = {
        {1, 8, 2},  {1, 9, 5},  {1, 10, 0}, {1, 14, 0}, {1, 15, 3}, {1, 16, 2},  {1, 24, 2},
        {2, 7, 2},  {2, 8, 5},  {2, 15, 0}, {2, 16, 3}, {2, 17, 2},
        {3, 6, 2},  {3, 7, 5},  {3, 8, 0},  {3, 16, 0}, {3, 17, 5}, {3, 18, 3},  {3, 19, 2},
        {4, 4, 2},  {4, 5, 3},  {4, 6, 5},  {4, 7, 0},  {4, 17, 0}, {4, 18, 6},  {4, 19, 5}, {4, 20, 2},
        {9, 5, 3},  {9, 18, 6},
        {5, 3, 2},  {5, 4, 3},  {5, 5, 5},  {5, 6, 0},  {5, 19, 0}, {5, 20, 6},  {5, 21, 3}, {5, 22, 2},
        {8, 23, 2}, {6, 0, 0},  {7, 23, 0}, {12, 12, 0},
    };
    for (const Hour& c : hours) EXPECT_EQ(light_phase_by_hour(c.month, c.hour), c.phase) << c.month << " " << c.hour;
}

TEST(Light, BlendColourToward) {
    struct Case {
        int r, g, b, step, steps, tr, tg, tb, er, eg, eb;
    } cases[] = {
        {0, 0, 0, 30, 60, 255, 255, 255, 127, 127, 127},
        {255, 100, 0, 0, 60, 0, 0, 0, 255, 100, 0},
        {255, 100, 0, 60, 60, 0, 200, 50, 0, 200, 50},
        {10, 10, 10, 1, 0, 0, 0, 0, 10, 10, 10},  // no steps: unchanged
        {300, -5, 0, 0, 60, 0, 0, 0, 255, 0, 0},  // clamped
    };
    for (const Case& c : cases) {
        int r = c.r, g = c.g, b = c.b;
        blend_colour_toward(r, g, b, c.step, c.steps, c.tr, c.tg, c.tb);
        EXPECT_EQ(r, c.er);
        EXPECT_EQ(g, c.eg);
        EXPECT_EQ(b, c.eb);
    }
}

TEST_F(ClockTest, DaylightTint) {
    struct Case {
        int sun, sun_next, moonlight, minute, brightness, r, g, b;
    } cases[] = {
        {20, 20, 0, 0, 0, 255, 255, 255},
        {-30, -30, 0, 0, 0, 16, 25, 45},
        {-30, -30, 0, 0, 10, 26, 35, 55},
        {-30, -30, 50, 0, 0, 26, 35, 95},      // moonlight tints toward blue
        {-3, 2, 0, 30, 0, 195, 209, 233},      // twilight halfway to day
        {-3, 2, 0, 0, 0, 135, 164, 211},
    };
    for (const Case& c : cases) {
        weather.current.sun_angle = c.sun;
        weather.current.sun_angle_next = c.sun_next;
        weather.current.moonlight = c.moonlight;
        Plr.minute = uint8_t(c.minute);
        night_brightness = c.brightness;
        update_daylight_tint();
        EXPECT_EQ(tint_r, c.r) << c.sun << " " << c.minute;
        EXPECT_EQ(tint_g, c.g) << c.sun << " " << c.minute;
        EXPECT_EQ(tint_b, c.b) << c.sun << " " << c.minute;
    }
}

TEST_F(ClockTest, SightRangeFollowsTheLight) {
    // Broad daylight on the world map: the full 25 cells, loaded once.
    weather.current.sun_angle = weather.current.sun_angle_next = 30;
    weather.current.moon_phase = 0;
    advance_minutes(1, 1);
    EXPECT_EQ(calls.sight, 1);
    EXPECT_EQ(calls.last_sight, 25);
    EXPECT_EQ(clock_sight_distance, 25);
    advance_minutes(1, 1);
    EXPECT_EQ(calls.sight, 1);  // nothing changed: no reload
    // A dark night on a local map: never below one cell.
    copy_text(Plr.map_name, "ZOOMMAP");
    weather.current.sun_angle = weather.current.sun_angle_next = -40;
    advance_minutes(1, 1);
    EXPECT_EQ(calls.sight, 2);
    EXPECT_EQ(calls.last_sight, 2);  // ceil(0.04 * 50)
    EXPECT_EQ(sight_distance_for_light(0.0f), 1);
    EXPECT_EQ(sight_distance_for_light(3.0f), 50);
}

TEST_F(ClockTest, TracksFadeInRainAndSnow) {
    std::memset(Data, 0, sizeof Data);
    auto track = [](int i, int x, int y, uint8_t strength, int age_minutes, uint8_t flags) {
        Data[i].TYPE = 10;
        Data[i].x = uint16_t(x);
        Data[i].y = uint16_t(y);
        Data[i].state = strength;
        Data[i].ref = flags;  // the gait flags
        Data[i].time_stamp = Plr.total_minutes - age_minutes;
    };
    Plr.total_minutes = 20000;
    track(0, 10, 10, 3, 8000, 0);      // old and weak: gone
    track(1, 11, 10, 200, 8000, 0);    // old and strong: loses 4 or 5
    track(2, 12, 10, 50, 10, 0);       // fresh: loses 0 or 1
    track(3, 13, 10, 3, 8000, 0x40);   // special track under shelter: kept
    track(4, 14, 10, 0, 8000, 0);      // strength 0: not touched
    Data[5].TYPE = 1;                  // an item: not a track
    Data[5].state = 1;
    drawn_layer[map_index(13, 10)] = ' ';

    weather.current.rain = 0;
    fade_tracks_by_weather(1);
    EXPECT_EQ(Data[0].TYPE, 10);
    EXPECT_EQ(Data[0].state, 3);

    weather.current.rain = 1;
    weather.current.raintype = 3;
    seed_random(5);
    fade_tracks_by_weather(1);
    EXPECT_EQ(Data[0].TYPE, 33);
    EXPECT_EQ(Data[0].state, 0);
    EXPECT_GE(Data[1].state, 195);
    EXPECT_LE(Data[1].state, 196);
    EXPECT_GE(Data[2].state, 49);
    EXPECT_EQ(Data[3].state, 3);
    EXPECT_EQ(Data[3].TYPE, 10);
    EXPECT_EQ(Data[4].TYPE, 10);
    EXPECT_EQ(Data[5].state, 1);
    drawn_layer[map_index(13, 10)] = 0;
    std::memset(Data, 0, sizeof Data);
}

}  // namespace
