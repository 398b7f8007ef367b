// The weather's files: "GLOBWEATHER.DAT" versions 1 and 2, and the two
// optional tables with their built-in defaults.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "maps/weather.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

std::vector<uint8_t> file_bytes(const std::string& path) {
    std::vector<uint8_t> out;
    read_whole_file(path, out);
    return out;
}

std::unique_ptr<WeatherModel> started_model(uint32_t seed) {
    auto m = std::make_unique<WeatherModel>();
    m->tables_read = true;
    seed_random(seed);
    WeatherRecord r;
    m->init_weather(r, 123, 17);
    return m;
}

bool same_state(const WeatherModel& a, const WeatherModel& b) {
    return a.day == b.day && a.hour == b.hour &&
           std::memcmp(&a.current, &b.current, sizeof a.current) == 0 &&
           std::memcmp(a.weather_plan, b.weather_plan, sizeof a.weather_plan) == 0;
}

TEST(WeatherFile, SavedModelIsVersionTwoOfFixedSize) {
    PlayFolder folder(false);
    auto m = started_model(1);
    ASSERT_TRUE(m->save_weather("GLOBWEATHER.DAT"));
    auto bytes = file_bytes("GLOBWEATHER.DAT");
    ASSERT_EQ(bytes.size(), 49176u);
    EXPECT_EQ(get_le32s(&bytes[0]), 2);
    EXPECT_EQ(get_le32s(&bytes[4]), 122);
    EXPECT_EQ(get_le32s(&bytes[8]), 17);
    EXPECT_EQ(std::memcmp(&bytes[12], &m->current, 68), 0);
    EXPECT_EQ(get_le32s(&bytes[80 + 5 * 68]), m->weather_plan[5].temp);
    // A failed save leaves nothing behind and says so.
    EXPECT_FALSE(m->save_weather("no_such_folder/GLOBWEATHER.DAT"));
}

TEST(WeatherFile, SaveLoadSaveIsByteIdentical) {
    PlayFolder folder(false);
    auto m = started_model(2);
    ASSERT_TRUE(m->save_weather("a.dat"));
    auto other = started_model(99);  // a different weather, then loaded over
    bool loaded = false;
    WeatherRecord r;
    other->load_weather(r, "a.dat", &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(same_state(*m, *other));
    EXPECT_EQ(std::memcmp(&r, &m->current, sizeof r), 0);
    ASSERT_TRUE(other->save_weather("b.dat"));
    EXPECT_EQ(file_bytes("a.dat"), file_bytes("b.dat"));
    // The loaded model steps on like the saved one.
    WeatherRecord ra, rb;
    seed_random(7);
    m->weather_advance_hours(ra, 30);
    seed_random(7);
    other->weather_advance_hours(rb, 30);
    EXPECT_EQ(std::memcmp(&ra, &rb, sizeof ra), 0);
}

TEST(WeatherFile, VersionOneLoadsWithNewMoonStateAndNoWetnessOrCrust) {
    PlayFolder folder(false);
    auto m = started_model(3);
    // Build a version-1 file: a 32-byte record, then the plan.
    std::vector<uint8_t> v1(49140, 0);
    put_le32(&v1[0], 1);
    put_le32(&v1[4], 200);
    put_le32(&v1[8], 5);
    uint8_t* rec = &v1[12];
    put_le32(rec + 0, uint32_t(-7));
    rec[4] = 4;   // weather type
    rec[5] = 9;   // rain potential
    rec[8] = 6;   // wind direction
    rec[9] = 11;  // wind speed
    rec[10] = 85; // clouds
    float daylight = 0.5f;
    std::memcpy(rec + 12, &daylight, 4);
    put_le32(rec + 16, 320);             // snow
    put_le32(rec + 20, uint32_t(-380));  // ice
    put_le32(rec + 24, 3);
    put_le32(rec + 28, 5);
    std::memcpy(&v1[44], m->weather_plan, 49096);
    ASSERT_TRUE(write_file_atomic("GLOBWEATHER.DAT", v1.data(), v1.size()));

    auto other = started_model(4);
    other->current.snow_wetness = 55;
    other->current.snowtopice = 40;
    bool loaded = false;
    WeatherRecord r;
    other->load_weather(r, "GLOBWEATHER.DAT", &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(other->day, 200);
    EXPECT_EQ(other->hour, 5);
    EXPECT_EQ(r.temp, -7);
    EXPECT_EQ(r.weather_type, 4);
    EXPECT_EQ(r.rain_potential, 9);
    EXPECT_EQ(r.wind_dir, 6);
    EXPECT_EQ(r.wndspeed, 11);
    EXPECT_EQ(r.pilvisyys, 85);
    EXPECT_EQ(r.snow, 320);
    EXPECT_EQ(r.ice, -380);
    EXPECT_EQ(r.sun_angle, 3);
    EXPECT_EQ(r.sun_angle_next, 5);
    EXPECT_EQ(r.snow_wetness, 0);
    EXPECT_EQ(r.snowtopice, 0);
    EXPECT_GE(r.moon_cycle_pos, 0);
    EXPECT_LE(r.moon_cycle_pos, 708);
    EXPECT_LE(r.moon_phase, 7);
    EXPECT_LE(r.moonlight, 100);
    EXPECT_GE(r.daylight, 0.04f);
    EXPECT_EQ(std::memcmp(other->weather_plan, m->weather_plan, sizeof m->weather_plan), 0);
}

TEST(WeatherFile, BadFilesChangeNothing) {
    PlayFolder folder(false);
    auto m = started_model(5);
    ASSERT_TRUE(m->save_weather("good.dat"));
    auto good = file_bytes("good.dat");

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"short", std::vector<uint8_t>(good.begin(), good.begin() + 49175)});
    auto longer = good;
    longer.push_back(0);
    cases.push_back({"long", longer});
    auto v3 = good;
    put_le32(&v3[0], 3);
    cases.push_back({"version 3", v3});
    auto v1size = good;
    v1size.resize(49140);  // version 2 in a version-1 size
    cases.push_back({"version 2 of version-1 size", v1size});
    auto badday = good;
    put_le32(&badday[4], 360);
    cases.push_back({"day 360", badday});
    auto badhour = good;
    put_le32(&badhour[8], uint32_t(-1));
    cases.push_back({"hour -1", badhour});
    cases.push_back({"empty", {}});

    auto other = started_model(6);
    auto before = std::make_unique<WeatherModel>(*other);
    for (const Case& c : cases) {
        ASSERT_TRUE(write_file_atomic("bad.dat", c.bytes.data(), c.bytes.size()));
        bool loaded = true;
        WeatherRecord r;
        other->load_weather(r, "bad.dat", &loaded);
        EXPECT_FALSE(loaded) << c.what;
        EXPECT_TRUE(same_state(*other, *before)) << c.what;
        EXPECT_EQ(std::memcmp(&r, &before->current, sizeof r), 0) << c.what;
    }
    bool loaded = true;
    WeatherRecord r;
    other->load_weather(r, "missing.dat", &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(same_state(*other, *before));
}

const char* DEFAULT_FIXED_POINTS_TEXT =
    "d1:15;t1:-20;s1:8;\n d2:45;t2:-18;s2:8;\nd3:75;t3:-8;s3:8;\r\n"
    "d4:105;t4:6;s4:6;d5:135;t5:8;s5:6;d6:165;t6:16;s6:5;\n"
    "d7:195;t7:20;s7:5;d8:225;t8:16;s8:5;d9:255;t9:8;s9:6;\n"
    "d10:285;t10:2;s10:6;d11:315;t11:-4;s11:6;d12:340;t12:-12;s12:6;\n";

TEST(WeatherTables, MissingTablesGiveTheBuiltInOnes) {
    PlayFolder folder(false);
    WeatherModel built;  // the built-in tables
    auto m = std::make_unique<WeatherModel>();
    std::memset(m->fixed_points, 0, sizeof m->fixed_points);
    std::memset(m->pressure_types, 0, sizeof m->pressure_types);
    EXPECT_FALSE(m->read_fixed_points());
    EXPECT_FALSE(m->read_pressure_types());
    m->read_weather_tables();
    EXPECT_TRUE(m->tables_read);
    EXPECT_EQ(std::memcmp(m->fixed_points, built.fixed_points, sizeof built.fixed_points), 0);
    EXPECT_EQ(std::memcmp(m->pressure_types, built.pressure_types, sizeof built.pressure_types), 0);
    EXPECT_STREQ(built.pressure_types[2].name, "mild high pressure");
    EXPECT_EQ(built.pressure_types[8].cloud_spread, 120);
    EXPECT_EQ(built.fixed_points[11].day, 340);
    EXPECT_EQ(built.fixed_points[0].mean, -20);
    EXPECT_EQ(built.type_sequence[3][2], 5);
}

TEST(WeatherTables, DefaultValuedFixedPointsGiveTheSamePlanAsNoFile) {
    PlayFolder folder(false);
    auto without = std::make_unique<WeatherModel>();
    without->read_weather_tables();
    seed_random(2024);
    WeatherRecord r;
    without->init_weather(r, 1, 8);

    folder.write("fixedpoints.txt", DEFAULT_FIXED_POINTS_TEXT);
    auto with = std::make_unique<WeatherModel>();
    EXPECT_TRUE(with->read_fixed_points());
    with->read_weather_tables();
    seed_random(2024);
    with->init_weather(r, 1, 8);
    EXPECT_EQ(std::memcmp(with->weather_plan, without->weather_plan, sizeof with->weather_plan), 0);
}

TEST(WeatherTables, FixedPointsAreReadOrRejectedWhole) {
    PlayFolder folder(false);
    struct Case {
        const char* what;
        std::string text;
        bool accepted;
    };
    std::string changed = DEFAULT_FIXED_POINTS_TEXT;
    changed.replace(changed.find("t7:20"), 5, "t7:25");
    std::string backwards = DEFAULT_FIXED_POINTS_TEXT;
    backwards.replace(backwards.find("d3:75"), 5, "d3:40");
    std::string same_day = DEFAULT_FIXED_POINTS_TEXT;
    same_day.replace(same_day.find("d3:75"), 5, "d3:45");
    std::string late = DEFAULT_FIXED_POINTS_TEXT;
    late.replace(late.find("d12:340"), 7, "d12:360");
    std::string hot = DEFAULT_FIXED_POINTS_TEXT;
    hot.replace(hot.find("t7:20"), 5, "t7:99");
    std::string negative_spread = DEFAULT_FIXED_POINTS_TEXT;
    negative_spread.replace(negative_spread.find("s5:6"), 4, "s5:-6");
    std::string truncated = std::string(DEFAULT_FIXED_POINTS_TEXT).substr(0, 40);
    Case cases[] = {
        {"changed", changed, true},
        {"days going back", backwards, false},
        {"two points on one day", same_day, false},
        {"day 360", late, false},
        {"99 degrees", hot, false},
        {"negative spread", negative_spread, false},
        {"missing fields", truncated, false},
        {"empty", "", false},
    };
    WeatherModel built;
    for (const Case& c : cases) {
        folder.write("fixedpoints.txt", c.text);
        auto m = std::make_unique<WeatherModel>();
        m->read_weather_tables();
        if (c.accepted) {
            EXPECT_EQ(m->fixed_points[6].mean, 25) << c.what;
            EXPECT_EQ(m->fixed_points[6].day, 195) << c.what;
        } else {
            EXPECT_EQ(std::memcmp(m->fixed_points, built.fixed_points, sizeof built.fixed_points), 0)
                << c.what;
            // The rejection is logged, always.
            EXPECT_NE(folder.read("debug_!weather.txt").find("fixedpoints.txt"), std::string::npos) << c.what;
        }
        remove_file("debug_!weather.txt");
    }
}

TEST(WeatherTables, PressureTypesFile) {
    PlayFolder folder(false);
    folder.write("weathertypeinfo.txt",
                 "name,L1,L2,wind,W1,W2,cloud,precipitation\n"
                 "calm,1,2,3,4,5,6,7\r\n"
                 "// a comment line\n"
                 "a name that is much longer than thirty-one characters,9,9,9,9,9,99,9\n"
                 "short,1,2\n"
                 "negative,-4,300,1,1,1,1,1\n");
    auto m = std::make_unique<WeatherModel>();
    ASSERT_TRUE(m->read_pressure_types());
    const PressureType& a = m->pressure_types[0];
    EXPECT_STREQ(a.name, "calm");
    EXPECT_EQ(a.run1, 1);
    EXPECT_EQ(a.run2, 2);
    EXPECT_EQ(a.wind_base, 3);
    EXPECT_EQ(a.wind1, 4);
    EXPECT_EQ(a.wind2, 5);
    EXPECT_EQ(a.cloud_spread, 6);
    EXPECT_EQ(a.precip_spread, 7);
    EXPECT_EQ(std::strlen(m->pressure_types[1].name), 31u);
    EXPECT_EQ(m->pressure_types[1].cloud_spread, 99);
    EXPECT_EQ(m->pressure_types[2].run2, 2);
    EXPECT_EQ(m->pressure_types[2].wind_base, 0);  // missing fields read as 0
    EXPECT_EQ(m->pressure_types[3].run1, 0);       // no wrap-around into a byte
    EXPECT_EQ(m->pressure_types[3].run2, 255);
    EXPECT_STREQ(m->pressure_types[4].name, "");   // missing lines read as 0
    // A table of zero runs still plans days one after another.
    m->tables_read = true;
    seed_random(8);
    m->plan_weather_year(0);
    for (int j = 0; j < 360; ++j) ASSERT_LE(m->weather_plan[j].weather_type, 8);
}

}  // namespace
