// The weather's files: the character's weather state "GLOBWEATHER.DAT"
// (version 2 written, versions 1 and 2 read) and the two optional tables
// of the installation, "fixedpoints.txt" and "weathertypeinfo.txt".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "maps/weather.h"
#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"

namespace {

constexpr const char* FIXED_POINTS_FILE = "fixedpoints.txt";
constexpr const char* PRESSURE_TYPES_FILE = "weathertypeinfo.txt";

void weather_log(const char* text) { debug_log("!weather", text); }

// A whole number at the start of the text (after blanks); 0 when none.
int leading_int(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) ++p;
    char buf[24];
    size_t n = 0;
    while (p < end && n + 1 < sizeof buf && (*p == '-' || *p == '+' || (*p >= '0' && *p <= '9')))
        buf[n++] = *p++;
    buf[n] = 0;
    return int(std::strtol(buf, nullptr, 10));
}

}  // namespace

// ------------------------------------------------------------ GLOBWEATHER

std::vector<uint8_t> WeatherModel::weather_file_bytes() const {
    std::vector<uint8_t> buf(WEATHER_FILE_V2_SIZE, 0);
    put_le32(&buf[0], uint32_t(WEATHER_FILE_VERSION));
    put_le32(&buf[4], uint32_t(day));
    put_le32(&buf[8], uint32_t(hour));
    std::memcpy(&buf[12], &current, sizeof current);
    std::memcpy(&buf[80], weather_plan, sizeof weather_plan);
    return buf;
}

bool WeatherModel::save_weather(const std::string& path) const {
    const std::vector<uint8_t> buf = weather_file_bytes();
    return write_file_atomic(path, buf.data(), buf.size());
}

WeatherRecord WeatherModel::load_weather(WeatherRecord& out, const std::string& path, bool* loaded) {
    if (loaded) *loaded = false;
    out = current;
    std::vector<uint8_t> buf;
    if (!read_whole_file(path, buf, WEATHER_FILE_V2_SIZE)) return current;
    if (buf.size() < 12) {
        weather_log("GLOBWEATHER.DAT too short: weather not loaded");
        return current;
    }
    const int version = get_le32s(&buf[0]);
    const int file_day = get_le32s(&buf[4]);
    const int file_hour = get_le32s(&buf[8]);
    const size_t want = version == 2 ? WEATHER_FILE_V2_SIZE : version == 1 ? WEATHER_FILE_V1_SIZE : 0;
    if (want == 0 || buf.size() != want) {
        char line[128];
        format_text(line, sizeof line, "GLOBWEATHER.DAT version %d, %zu bytes: weather not loaded", version,
                    buf.size());
        weather_log(line);
        return current;
    }
    if (file_day < 0 || file_day > 359 || file_hour < 0 || file_hour > 23) {
        char line[128];
        format_text(line, sizeof line, "GLOBWEATHER.DAT day %d hour %d out of range: weather not loaded",
                    file_day, file_hour);
        weather_log(line);
        return current;
    }
    day = file_day;
    hour = file_hour;
    if (version == 2) {
        std::memcpy(&current, &buf[12], sizeof current);
        std::memcpy(weather_plan, &buf[80], sizeof weather_plan);
        // The moon's day is not in the file; it follows from the record.
        int md = int(day - current.moon_cycle_pos / double(MOON_CYCLE_HOURS) * 360.0);
        moon_day = ((md % 360) + 360) % 360;
    } else {
        const uint8_t* r = &buf[12];
        WeatherRecord c;
        std::memset(&c, 0, sizeof c);
        c.temp = get_le32s(r + 0);
        c.weather_type = r[4];
        c.rain_potential = r[5];
        c.rain = r[6];
        c.raintype = r[7];
        c.wind_dir = r[8];
        c.wndspeed = int8_t(r[9]);
        c.pilvisyys = r[10];
        c.spare = r[11];
        std::memcpy(&c.daylight, r + 12, 4);
        c.snow = get_le32s(r + 16);
        c.ice = get_le32s(r + 20);
        c.sun_angle = get_le32s(r + 24);
        c.sun_angle_next = get_le32s(r + 28);
        c.snow_wetness = 0;
        c.snowtopice = 0;
        current = c;
        std::memcpy(weather_plan, &buf[44], sizeof weather_plan);
        // The first version kept no moon: start it afresh.
        current.moon_cycle_pos = ksm_rand() % (MOON_CYCLE_HOURS + 1);
        moon_bookkeeping(true);
        update_moonlight(0);
        update_daylight(0);
    }
    SkyPosition s;
    weather_sky_position(s, day, hour, 0);
    sun = s;
    if (loaded) *loaded = true;
    out = current;
    return current;
}

// ------------------------------------------------------------ the tables

bool WeatherModel::read_fixed_points() {
    std::vector<uint8_t> raw;
    if (!read_whole_file(resolve_path_ci(FIXED_POINTS_FILE), raw, 1 << 16)) return false;
    // 36 fields "label:value;" in threes (day, mean, spread) for points 1-12;
    // line breaks between fields are allowed, missing fields read as 0.
    int values[36] = {};
    const char* p = reinterpret_cast<const char*>(raw.data());
    const char* end = p + raw.size();
    for (int f = 0; f < 36 && p < end; ++f) {
        const char* semi = static_cast<const char*>(std::memchr(p, ';', size_t(end - p)));
        const char* field_end = semi ? semi : end;
        const char* colon = static_cast<const char*>(std::memchr(p, ':', size_t(field_end - p)));
        values[f] = colon ? leading_int(colon + 1, field_end) : 0;
        p = semi ? semi + 1 : end;
    }
    // Accept the table only when it makes sense: days strictly increasing
    // within the year, temperatures and spreads that a byte holds sensibly.
    WeatherFixedPoint pts[12];
    int prev_day = -1;
    for (int k = 0; k < 12; ++k) {
        int d = values[3 * k], mean = values[3 * k + 1], spread = values[3 * k + 2];
        const char* problem = nullptr;
        if (d < 0 || d > 359 || d <= prev_day) problem = "day";
        else if (mean < -60 || mean > 60) problem = "mean temperature";
        else if (spread < 0 || spread > 30) problem = "spread";
        if (problem) {
            char line[160];
            format_text(line, sizeof line,
                        "fixedpoints.txt: point %d has a bad %s (day %d, mean %d, spread %d); built-in "
                        "fixed points used",
                        k + 1, problem, d, mean, spread);
            weather_log(line);
            return false;
        }
        pts[k] = WeatherFixedPoint{d, int8_t(mean), uint8_t(spread), 0, 0};
        prev_day = d;
    }
    std::memcpy(fixed_points, pts, sizeof pts);
    return true;
}

bool WeatherModel::read_pressure_types() {
    FILE* f = open_file_ci(PRESSURE_TYPES_FILE, "rb");
    if (!f) return false;
    PressureType types[9];
    std::memset(types, 0, sizeof types);
    char line[512];
    // The first line is a heading.
    if (!std::fgets(line, sizeof line, f)) line[0] = 0;
    for (int t = 0; t < 9; ++t) {
        if (!read_data_line(line, sizeof line, f)) break;
        // name, L1, L2, wind base, W1, W2, cloud spread, precipitation spread
        const char* fields[8] = {};
        int count = 0;
        char* s = line;
        fields[count++] = s;
        for (char* c = s; *c && count < 8; ++c) {
            if (*c == ',') {
                *c = 0;
                fields[count++] = c + 1;
            }
        }
        copy_text(types[t].name, fields[0]);
        uint8_t v[7] = {};
        for (int i = 1; i < count; ++i) {
            long n = std::strtol(fields[i], nullptr, 10);
            v[i - 1] = uint8_t(n < 0 ? 0 : n > 255 ? 255 : n);
        }
        types[t].run1 = v[0];
        types[t].run2 = v[1];
        types[t].wind_base = v[2];
        types[t].wind1 = v[3];
        types[t].wind2 = v[4];
        types[t].cloud_spread = v[5];
        types[t].precip_spread = v[6];
    }
    std::fclose(f);
    std::memcpy(pressure_types, types, sizeof types);
    return true;
}
