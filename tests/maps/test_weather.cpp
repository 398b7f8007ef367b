// The weather model: sky, moon and light tables, planning, the hour step,
// the year's roll-over, averages and forecasts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "maps/weather.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

// A model of its own with the built-in tables (no file is read).
std::unique_ptr<WeatherModel> fresh_model() {
    auto m = std::make_unique<WeatherModel>();
    m->tables_read = true;  // keep the built-in tables
    return m;
}

TEST(WeatherSky, SunElevationTable) {
    auto m = fresh_model();
    struct Case {
        int day, hour, degrees;
    } cases[] = {
        {171, 12, 51}, {171, 0, -4}, {351, 12, 4}, {351, 0, -51}, {79, 12, 27},
    };
    for (const Case& c : cases) {
        SkyPosition s;
        m->weather_sky_position(s, c.day, c.hour, 0);
        EXPECT_EQ(s.degrees, c.degrees) << "day " << c.day << " hour " << c.hour;
        EXPECT_NEAR(s.sine, std::sin(s.radians), 1e-6);
    }
    // Offset 1 at 23 o'clock is hour 0 of the next day, and day 359 wraps to 0.
    SkyPosition a, b;
    m->weather_sky_position(a, 171, 23, 1);
    m->weather_sky_position(b, 172, 0, 0);
    EXPECT_EQ(a.degrees, b.degrees);
    m->weather_sky_position(a, 359, 23, 1);
    m->weather_sky_position(b, 0, 0, 0);
    EXPECT_EQ(a.degrees, b.degrees);
}

TEST(WeatherSky, MoonPhaseFromCyclePosition) {
    auto m = fresh_model();
    struct Case {
        int pos, phase;
    } cases[] = {{0, 0}, {44, 0}, {45, 1}, {310, 4}, {354, 4}, {663, 7}, {664, 0}, {707, 0}, {708, 0}};
    for (const Case& c : cases) {
        m->current.moon_cycle_pos = c.pos;
        m->moon_bookkeeping(true);
        EXPECT_EQ(m->current.moon_phase, c.phase) << "position " << c.pos;
        EXPECT_LE(m->current.moon_hour_shift, 0);
        EXPECT_GE(m->current.moon_hour_shift, -24);
        EXPECT_GE(m->current.moon_hour, 0);
        EXPECT_LE(m->current.moon_hour, 23);
        EXPECT_GE(m->moon_day, 0);
        EXPECT_LE(m->moon_day, 359);
    }
}

TEST(WeatherSky, MoonlightByPhaseAndElevation) {
    auto m = fresh_model();
    struct Case {
        int phase, angle, angle_next, minutes, light;
    } cases[] = {
        {0, 40, 40, 0, 0},     // new moon: dark whatever the elevation
        {4, 18, 18, 0, 100},   // full moon: the base (18/18*75+25)
        {4, 54, 54, 0, 100},   // clamped
        {3, 18, 18, 0, 80},    // 0.8 of the base
        {5, 18, 18, 0, 80},    // waning the same distance
        {2, 18, 18, 0, 60},    // 0.6
        {6, 60, 60, 0, 70},    // 0.6, at most 70
        {1, 18, 18, 0, 25},    // 0.25
        {4, -5, -5, 0, 0},     // below the horizon
        {4, 18, 0, 30, 63},    // 100 toward 25 by half an hour: 100 - 37
        {4, 0, -10, 60, 0},    // toward a moon that has set
    };
    for (const Case& c : cases) {
        m->current.moon_phase = uint8_t(c.phase);
        m->current.moon_angle = c.angle;
        m->current.moon_angle_next = c.angle_next;
        EXPECT_EQ(m->update_moonlight(c.minutes), c.light)
            << "phase " << c.phase << " angle " << c.angle << " minutes " << c.minutes;
        EXPECT_EQ(m->current.moonlight, c.light);
    }
}

TEST(WeatherSky, DaylightFactor) {
    auto m = fresh_model();
    struct Case {
        int sun, sun_next, minutes, moonlight, clouds;
        float daylight;
    } cases[] = {
        {7, 7, 0, 0, 100, 1.0f},        // full day: clouds don't matter above 0.8
        {30, 30, 0, 100, 0, 1.0f},      // never above 1
        {-20, -20, 0, 0, 0, 0.04f},     // dark night
        {-20, -20, 0, 100, 0, 0.70f},   // moonlight lifts it by 0.66
        {-20, -20, 0, 100, 50, 0.35f},  // clouds dim what is under 0.8
        {-20, -20, 0, 0, 100, 0.04f},   // never darker than a dark night
        {0, 6, 30, 0, 0, 0.835f},       // halfway from 0.72 to 0.95
        {6, 0, 30, 0, 0, 0.835f},
    };
    for (const Case& c : cases) {
        m->current.sun_angle = c.sun;
        m->current.sun_angle_next = c.sun_next;
        m->current.moonlight = c.moonlight;
        m->current.pilvisyys = uint8_t(c.clouds);
        EXPECT_NEAR(m->update_daylight(c.minutes), c.daylight, 1e-4)
            << "sun " << c.sun << " moonlight " << c.moonlight << " clouds " << c.clouds;
    }
    EXPECT_FLOAT_EQ(daylight_factor_for_elevation(-18), 0.04f);
    EXPECT_FLOAT_EQ(daylight_factor_for_elevation(-17), 0.20f);
    EXPECT_FLOAT_EQ(daylight_factor_for_elevation(6), 0.95f);
}

TEST(WeatherModelTables, HourlyTemperatureChange) {
    auto m = fresh_model();
    struct Case {
        int t, e, dir, speed, cloud, change;
    } cases[] = {
        {-5, -10, 4, 0, 0, 0},    // night -4, warm wind +4
        {-5, 0, 4, 0, 0, -1},     // -5 + 4
        {-5, 30, 4, 0, 0, 6},     // 2 + (30-28)/4 = 2, +4
        {-5, 40, 4, 0, 0, 9},     // 2 + 3, +4
        {5, -10, 4, 0, 0, 2},     // positive temperature halves the cooling: -2 + 4
        {-5, -10, 4, 0, 60, 2},   // half clouds: -2
        {-5, -10, 4, 0, 80, 3},   // heavy clouds: round(-4/3) = -1
        {-5, -10, 0, 0, 0, -7},   // cold wind
        {12, 16, 2, 0, 0, 3},     // west wind warm in summer
        {5, 16, 2, 0, 0, -3},     // ... cold otherwise
        {-1, 16, 6, 0, 0, 6},     // 6 in frost
        {1, 16, 6, 0, 0, 0},
        {0, 16, 4, 23, 0, -3},    // 4 - 7 for a gale
        {0, 16, 4, 6, 0, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m->hourly_temperature_change(c.t, c.e, c.dir, c.speed, c.cloud), c.change)
            << "t " << c.t << " e " << c.e << " dir " << c.dir << " v " << c.speed << " k " << c.cloud;
}

TEST(WeatherModelTables, PrecipitationPotentialNeedsThirtyPercentCloud) {
    seed_random(77);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(WeatherModel::precipitation_potential(29, 20), 0);
    int some = 0;
    for (int i = 0; i < 200; ++i) some += WeatherModel::precipitation_potential(30, 20) > 0;
    EXPECT_GT(some, 190);
}

TEST(WeatherPlan, RowZeroPicksMildHighPressureHalfTheTime) {
    auto m = fresh_model();
    int mild = 0;
    const int years = 400;
    for (int s = 0; s < years; ++s) {
        seed_random(uint32_t(1000 + s));
        m->plan_weather_year(0);
        mild += m->weather_plan[0].weather_type == 2;
        for (int j = 0; j < 360; ++j) ASSERT_LE(m->weather_plan[j].weather_type, 8);
    }
    EXPECT_GT(mild, years * 40 / 100);
    EXPECT_LT(mild, years * 60 / 100);
}

// Steps the model hour by hour for ten years and checks every field.
TEST(WeatherPlan, TenYearsStayInRange) {
    auto m = fresh_model();
    seed_random(4242);
    WeatherRecord r;
    m->init_weather(r, 1, 8);
    double summer_sum = 0;
    int summer_days = 0;
    auto add_summer = [&] {
        for (int j = 180; j <= 210; ++j) {
            summer_sum += m->weather_plan[j].temp;
            ++summer_days;
        }
    };
    add_summer();
    for (int h = 0; h < 10 * 360 * 24; ++h) {
        int before_day = m->day;
        m->weather_hour_step(r);
        if (m->day == 0 && before_day == 359) add_summer();
        ASSERT_EQ(std::memcmp(&r, &m->current, sizeof r), 0);
        ASSERT_GE(r.temp, -70);
        ASSERT_LE(r.temp, 50);
        ASSERT_LE(r.weather_type, 8);
        ASSERT_LE(r.rain, 3);
        ASSERT_LE(r.raintype, 3);
        ASSERT_EQ(r.rain == 0, r.raintype == 0);
        ASSERT_LE(r.wind_dir, 7);
        ASSERT_GE(r.wndspeed, 0);
        ASSERT_LE(r.pilvisyys, 100);
        ASSERT_GE(r.daylight, 0.04f);
        ASSERT_LE(r.daylight, 1.0f);
        ASSERT_GE(r.snow, 0);
        ASSERT_GE(r.snow_wetness, 0);
        ASSERT_LE(r.snow_wetness, 100);
        ASSERT_GE(r.snowtopice, 0);
        ASSERT_LE(r.snowtopice, 250);
        ASSERT_LE(r.snowtopice, r.snow);
        ASSERT_GE(r.sun_angle, -90);
        ASSERT_LE(r.sun_angle, 90);
        ASSERT_LE(r.moon_hour_shift, 0);
        ASSERT_GE(r.moon_hour_shift, -24);
        ASSERT_GE(r.moon_cycle_pos, 0);
        ASSERT_LE(r.moon_cycle_pos, 707);
        ASSERT_LE(r.moon_phase, 7);
        ASSERT_GE(r.moon_hour, 0);
        ASSERT_LE(r.moon_hour, 23);
        ASSERT_GE(r.moonlight, 0);
        ASSERT_LE(r.moonlight, 100);
        ASSERT_GE(m->day, 0);
        ASSERT_LE(m->day, 359);
        ASSERT_GE(m->hour, 0);
        ASSERT_LE(m->hour, 23);
        ASSERT_EQ(r.pad[0] | r.pad[1] | r.pad[2], 0);
    }
    double mean = summer_sum / summer_days;
    EXPECT_GE(mean, 16.0);
    EXPECT_LE(mean, 22.0);
    // Winter is cold and the spare day of the plan is never planned.
    EXPECT_LT(m->weather_plan[30].temp, 0);
    EXPECT_EQ(m->weather_plan[720].temp, 0);
}

TEST(WeatherPlan, InitStepsToTheDayAndHour) {
    auto m = fresh_model();
    seed_random(5);
    WeatherRecord r;
    m->init_weather(r, 100, 15);
    EXPECT_EQ(m->day, 99);
    EXPECT_EQ(m->hour, 15);
    EXPECT_EQ(std::memcmp(&r, &m->current, sizeof r), 0);
    EXPECT_GE(r.snow, 0);
    // Out-of-range days are clamped to the year.
    m->init_weather(r, 0, 0);
    EXPECT_EQ(m->day, 0);
    m->init_weather(r, 999, 3);
    EXPECT_EQ(m->day, 359);
    EXPECT_EQ(m->hour, 3);
}

TEST(WeatherStep, MoonHourShiftRecomputedOnlyAtNoon) {
    auto m = fresh_model();
    seed_random(9);
    WeatherRecord r;
    m->init_weather(r, 50, 10);
    m->current.moon_hour_shift = -3;  // a stale value the step must keep
    m->weather_hour_step(r);          // 11 o'clock
    EXPECT_EQ(r.moon_hour_shift, -3);
    m->weather_hour_step(r);  // 12 o'clock
    int expected = int(std::lround(r.moon_cycle_pos / 708.0 * -24.0));
    EXPECT_EQ(r.moon_hour_shift, expected);
    m->current.moon_hour_shift = -5;
    m->weather_hour_step(r);  // 13 o'clock
    EXPECT_EQ(r.moon_hour_shift, -5);
}

TEST(WeatherStep, YearRollOverShiftsThePlanAndKeepsSnowIceAndMoon) {
    auto m = fresh_model();
    seed_random(31);
    WeatherRecord r;
    m->init_weather(r, 360, 22);
    m->current.snow = 400;
    m->current.ice = -600;
    m->current.snow_wetness = 0;
    m->current.moon_cycle_pos = 707;
    auto next_year = std::make_unique<WeatherRecord[]>(360);
    std::memcpy(next_year.get(), m->weather_plan + 360, sizeof(WeatherRecord) * 360);
    m->weather_hour_step(r);  // 23:00
    m->weather_hour_step(r);  // 0:00 of the new year
    EXPECT_EQ(m->day, 0);
    EXPECT_EQ(m->hour, 0);
    EXPECT_EQ(std::memcmp(m->weather_plan, next_year.get(), sizeof(WeatherRecord) * 360), 0);
    EXPECT_EQ(r.moon_cycle_pos, 1);  // 707 -> 0 -> 1
    EXPECT_NEAR(r.snow, 400, 10);
    EXPECT_NEAR(r.ice, -600, 6);
    // The new day's planned values were taken over.
    EXPECT_EQ(r.weather_type, m->weather_plan[0].weather_type);
    EXPECT_EQ(r.wind_dir, m->weather_plan[0].wind_dir);
}

TEST(WeatherStep, SunAngleAtMidnightIsMidnightsElevation) {
    auto m = fresh_model();
    seed_random(3);
    WeatherRecord r;
    m->init_weather(r, 172, 23);  // plan day 171, 23:00
    m->weather_hour_step(r);      // day 172, 0:00
    SkyPosition s, n;
    m->weather_sky_position(s, 172, 0, 0);
    m->weather_sky_position(n, 172, 0, 1);
    EXPECT_EQ(r.sun_angle, s.degrees);
    EXPECT_EQ(r.sun_angle_next, n.degrees);
}

TEST(WeatherStep, AdvanceToCatchesUpLongJumpsExactly) {
    auto m = fresh_model();
    seed_random(12);
    WeatherRecord r;
    m->init_weather(r, 10, 6);  // plan day 9, 6:00
    struct Case {
        int day, hour, steps;
    } cases[] = {
        {9, 6, 0},        // already there
        {9, 7, 1},
        {10, 6, 23},      // a jump of about a day lands on the day, not a day behind
        {12, 5, 47},
        {11, 0, 8611},    // behind us: the time runs on round the year
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m->weather_advance_to(r, c.day, c.hour), c.steps);
        EXPECT_EQ(m->day, c.day);
        EXPECT_EQ(m->hour, c.hour);
        EXPECT_EQ(std::memcmp(&r, &m->current, sizeof r), 0);
    }
    EXPECT_EQ(m->hours_until(m->day, m->hour), 0);
    EXPECT_EQ(m->hours_until(m->day, (m->hour + 23) % 24) % 24, 23);
}

TEST(WeatherStep, AdvanceHoursZeroGivesTheCurrentRecord) {
    auto m = fresh_model();
    seed_random(13);
    WeatherRecord r, again;
    m->init_weather(r, 40, 12);
    m->weather_advance_hours(again, 0);
    EXPECT_EQ(std::memcmp(&r, &again, sizeof r), 0);
    m->weather_advance_hours(again, 5);
    EXPECT_EQ(m->hour, 17);
}

TEST(WeatherPlanAverage, DividesByTheDaysSummedAndSkipsSpareDays) {
    auto m = fresh_model();
    std::memset(m->weather_plan, 0, sizeof m->weather_plan);
    for (int j = 0; j < WEATHER_PLAN_DAYS; ++j) {
        m->weather_plan[j].temp = 10;
        m->weather_plan[j].rain_potential = 1;
    }
    m->weather_plan[0].temp = 1000;    // never counted
    m->weather_plan[720].temp = 1000;  // spare, never counted
    m->weather_plan[721].temp = 1000;
    m->weather_plan[5].temp = 16;
    int out[2];
    struct Case {
        int from, to, temp, rain;
    } cases[] = {
        {1, 10, 10, 10},      // (9 * 10 + 16) / 10 = 10
        {5, 6, 13, 2},        // (16 + 10) / 2
        {0, 2, 10, 2},        // day 0 is not counted
        {700, 721, 10, 20},   // nor are 720 and 721
        {7, 7, 0, 0},
        {9, 3, 0, 0},
    };
    for (const Case& c : cases) {
        m->weather_plan_average(out, c.from, c.to);
        EXPECT_EQ(out[0], c.temp) << c.from << ".." << c.to;
        EXPECT_EQ(out[1], c.rain) << c.from << ".." << c.to;
    }
}

TEST(WeatherForecast, ComparisonTexts) {
    auto m = fresh_model();
    struct Case {
        int x, p, t;
        const char* text;
    } cases[] = {
        {-8, 0, 5, "much colder than now. It won't be raining."},
        {-5, 3, 5, "colder than now. It will be raining a little."},
        {-2, 6, -1, "slightly colder than now. It will be snowing."},
        {1, 12, 0, "about the same as now. It will be raining."},
        {2, 13, -3, "slightly warmer than now. It will be snowing a lot."},
        {7, 0, -3, "warmer than now. It won't be snowing."},
        {8, 0, 0, "much warmer than now. It won't be raining."},
    };
    for (const Case& c : cases) EXPECT_STREQ(m->forecast_comparison_text(c.x, c.p, c.t), c.text);
}

TEST(WeatherForecast, GradeScalesTheDifference) {
    auto m = fresh_model();
    std::memset(m->weather_plan, 0, sizeof m->weather_plan);
    // Today (plan day 9) and tomorrow: 17 degrees, wind 3 (warm, +4), calm,
    // clear: at elevation 0 the change is round(-5 / 2) = -3, +4 = +1.
    for (int j : {9, 10}) {
        m->weather_plan[j].temp = 17;
        m->weather_plan[j].wind_dir = 3;
    }
    m->current.temp = 12;
    // Day difference 17 + 1 - 12 = 6: grade 3 says "warmer", grade 0 makes it 1.
    std::string g3 = m->weather_forecast_text(3, 10, 8);
    std::string g0 = m->weather_forecast_text(0, 10, 8);
    EXPECT_EQ(g3.rfind("During the day the temperature will be warmer than now.", 0), 0u) << g3;
    EXPECT_EQ(g0.rfind("During the day the temperature will be about the same as now.", 0), 0u) << g0;
    EXPECT_NE(g0.find("During the night the temperature will be"), std::string::npos);
    EXPECT_EQ(g0.find("Tomorrow"), std::string::npos);
    std::string evening = m->weather_forecast_text(3, 10, 12);
    EXPECT_EQ(evening.find("During the day"), std::string::npos);
    EXPECT_NE(evening.find(" Tomorrow the temperature will be warmer than now."), std::string::npos) << evening;
    // A grade above 3 counts as certain; a day out of the year is clamped.
    EXPECT_EQ(std::string(m->weather_forecast_text(9, 10, 8)), g3);
    EXPECT_NE(m->weather_forecast_text(3, 5000, 8), nullptr);
}

}  // namespace

namespace {

TEST(WeatherStep, AdvanceLooksAheadWithoutMovingTheModel) {
    seed_random(7);
    WeatherRecord start;
    weather.init_weather(start, 120, 6);
    const int day = weather.day, hour = weather.hour;
    const WeatherRecord now = weather_advance(0);
    EXPECT_EQ(std::memcmp(&now, &weather.current, sizeof now), 0);
    seed_random(8);
    const WeatherRecord later = weather_advance(12);
    EXPECT_EQ(weather.day, day);
    EXPECT_EQ(weather.hour, hour);
    EXPECT_EQ(std::memcmp(&start, &weather.current, sizeof start), 0);
    // The same twelve steps taken by the model itself.
    seed_random(8);
    WeatherRecord stepped;
    weather.weather_advance_hours(stepped, 12);
    EXPECT_EQ(std::memcmp(&later, &stepped, sizeof later), 0);
}

}  // namespace
