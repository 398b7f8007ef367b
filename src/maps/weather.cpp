// The weather model: planning the year, the hour step, sun and moon,
// daylight and moonlight, snow, wetness, crust and ice, plan averages and
// forecasts. The files are in weather_files.cpp.
#include "maps/weather.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/platform.h"

WeatherModel weather;

namespace {

// A draw in 0..n (the generator's value modulo n + 1).
int draw(int n) {
    if (n <= 0) return 0;
    return ksm_rand() % (n + 1);
}
// The average of three draws, as a floating-point value.
double avg3(int a, int b, int c) { return (a + b + c) / 3.0; }
// Nearest whole number, halves away from zero.
int round_half_away(double v) { return int(std::lround(v)); }
// A chance of `in` out of `of` (draw(of - 1) < in).
bool chance(int in, int of) { return draw(of - 1) < in; }

constexpr double DEG_PER_RAD = 57.295827908797776;
constexpr double LATITUDE = 1.0821032524108887;  // 62 degrees north

const WeatherFixedPoint DEFAULT_FIXED_POINTS[12] = {
    {15, -20, 8, 0, 0},  {45, -18, 8, 0, 0},  {75, -8, 8, 0, 0},  {105, 6, 6, 0, 0},
    {135, 8, 6, 0, 0},   {165, 16, 5, 0, 0},  {195, 20, 5, 0, 0}, {225, 16, 5, 0, 0},
    {255, 8, 6, 0, 0},   {285, 2, 6, 0, 0},   {315, -4, 6, 0, 0}, {340, -12, 6, 0, 0},
};

struct DefaultType {
    const char* name;
    uint8_t v[7];
};
const DefaultType DEFAULT_TYPES[9] = {
    {"very high pressure", {2, 5, 0, 1, 3, 2, 0}},
    {"high pressure", {3, 6, 1, 3, 10, 20, 0}},
    {"mild high pressure", {3, 6, 2, 4, 10, 30, 0}},
    {"unstable", {3, 6, 3, 4, 8, 60, 8}},
    {"rainy", {2, 4, 6, 4, 10, 80, 12}},
    {"stormy", {1, 2, 10, 10, 20, 80, 20}},
    {"mild low pressure", {3, 6, 2, 4, 10, 100, 10}},
    {"low pressure", {2, 4, 2, 4, 10, 100, 14}},
    {"very low pressure", {1, 3, 0, 2, 6, 120, 20}},
};

const uint8_t TYPE_SEQUENCE[4][3] = {{2, 1, 0}, {3, 4, 5}, {6, 7, 8}, {3, 4, 5}};

// Daylight factors for sun elevations -17 .. 6.
const float DAYLIGHT_TABLE[24] = {0.20f, 0.23f, 0.26f, 0.29f, 0.30f, 0.33f, 0.36f, 0.39f,
                                  0.42f, 0.46f, 0.50f, 0.53f, 0.56f, 0.59f, 0.62f, 0.66f,
                                  0.70f, 0.72f, 0.75f, 0.78f, 0.83f, 0.86f, 0.90f, 0.95f};

// One step of the wind direction from the previous day's.
int wind_step(int dir) {
    int r = draw(100);
    int d = r <= 10 ? -2 : r <= 30 ? -1 : r <= 70 ? 0 : r <= 90 ? 1 : 2;
    return ((dir + d) % 8 + 8) % 8;
}

int clamp_int(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

float daylight_factor_for_elevation(int elevation) {
    if (elevation > 6) return 1.0f;
    if (elevation <= -18) return 0.04f;
    return DAYLIGHT_TABLE[elevation + 17];
}

WeatherModel::WeatherModel() {
    // Built before main: nothing here may read a file or rely on other
    // globals being built. The tables are read when the first year is planned.
    std::memset(&current, 0, sizeof current);
    moon_day = moon_phase_distance = moon_light_base = 0;
    day = hour = last_temp_change = 0;
    std::memset(weather_plan, 0, sizeof weather_plan);
    sun = moon = SkyPosition{0, 0.0f, 0.0f};
    tables_read = false;
    set_default_fixed_points();
    set_default_pressure_types();
    std::memcpy(type_sequence, TYPE_SEQUENCE, sizeof type_sequence);
}

void WeatherModel::set_default_fixed_points() {
    std::memcpy(fixed_points, DEFAULT_FIXED_POINTS, sizeof fixed_points);
}

void WeatherModel::set_default_pressure_types() {
    std::memset(pressure_types, 0, sizeof pressure_types);
    for (int i = 0; i < 9; ++i) {
        PressureType& t = pressure_types[i];
        std::strncpy(t.name, DEFAULT_TYPES[i].name, sizeof t.name - 1);
        const uint8_t* v = DEFAULT_TYPES[i].v;
        t.run1 = v[0];
        t.run2 = v[1];
        t.wind_base = v[2];
        t.wind1 = v[3];
        t.wind2 = v[4];
        t.cloud_spread = v[5];
        t.precip_spread = v[6];
    }
}

void WeatherModel::read_weather_tables() {
    if (!read_fixed_points()) set_default_fixed_points();
    if (!read_pressure_types()) set_default_pressure_types();
    tables_read = true;
}

void WeatherModel::ensure_tables() {
    if (!tables_read) read_weather_tables();
}

// ------------------------------------------------------------------ sky

void WeatherModel::weather_sky_position(SkyPosition& out, int d, int h, int offset) const {
    h += offset;
    if (h >= 24) {
        d = d >= 359 ? 0 : d + 1;
        h = 0;
    }
    // Stretch the 360-day year over the calendar's 365.
    int dc = d + (d > 60) + (d > 120) + (d > 180) + (d > 240) + (d > 300);
    double decl = std::asin(0.397772494 * std::sin((dc - 81) * 0.9863 * 0.017453277777777776));
    double ha = (h - 12) * 0.26179938779915;
    double e = std::asin(std::cos(ha) * std::cos(LATITUDE) * std::cos(decl) +
                         std::sin(LATITUDE) * std::sin(decl));
    out.radians = float(e);
    out.sine = float(std::sin(e));
    out.degrees = int(e * DEG_PER_RAD);
}

void WeatherModel::refresh_moon_angles() {
    SkyPosition next;
    weather_sky_position(moon, moon_day, current.moon_hour, 0);
    weather_sky_position(next, moon_day, current.moon_hour, 1);
    current.moon_angle = moon.degrees;
    current.moon_angle_next = next.degrees;
}

void WeatherModel::moon_bookkeeping(bool refresh_shift) {
    const int p = current.moon_cycle_pos;
    double pos = p + 44.25;
    if (pos > MOON_CYCLE_HOURS) pos -= MOON_CYCLE_HOURS;
    current.moon_phase = uint8_t(clamp_int(int(pos / 88.5), 0, 7));
    if (refresh_shift) current.moon_hour_shift = round_half_away(p / double(MOON_CYCLE_HOURS) * -24.0);
    int mh = current.moon_hour_shift + hour;
    if (mh < 0) mh += 24;
    current.moon_hour = mh % 24;
    // The moon's day of the year, kept within the year (a day before day 0
    // is the same day of the previous year, not a negative day).
    int md = int(day - p / double(MOON_CYCLE_HOURS) * 360.0);
    moon_day = ((md % 360) + 360) % 360;
    refresh_moon_angles();
}

int WeatherModel::moonlight_for(int base) const {
    switch (moon_phase_distance) {
        case 4: return base;
        case 3: return std::min(90, round_half_away(base * 0.8));
        case 2: return std::min(70, round_half_away(base * 0.6));
        case 1: return std::min(50, round_half_away(base * 0.25));
        default: return 0;
    }
}

int WeatherModel::update_moonlight(int minutes) {
    const int phase = current.moon_phase;
    if (current.moon_angle < -4 || phase == 0) {
        moon_phase_distance = phase <= 4 ? phase : 8 - phase;
        moon_light_base = 0;
        current.moonlight = 0;
        return 0;
    }
    moon_phase_distance = phase <= 4 ? phase : 8 - phase;
    moon_light_base = int(current.moon_angle / 18.0 * 75.0 + 25.0);
    int now = moonlight_for(moon_light_base);
    int next = 0;
    if (current.moon_angle_next >= -4)
        next = moonlight_for(int(current.moon_angle_next / 18.0 * 75.0 + 25.0));
    int move = std::abs(next - now) * minutes / 60;
    int v = next >= now ? now + move : now - move;
    current.moonlight = clamp_int(v, 0, 100);
    return current.moonlight;
}

float WeatherModel::update_daylight(int minutes) {
    float a = daylight_factor_for_elevation(current.sun_angle);
    float b = daylight_factor_for_elevation(current.sun_angle_next);
    float move = std::fabs(b - a) * float(minutes) / 60.0f;
    float d = b >= a ? a + move : a - move;
    d += current.moonlight / 100.0f * 0.66f;
    if (d < 0.8f) d = d * float(100 - current.pilvisyys) / 100.0f;
    // The factor never leaves its range: full overcast at night is as dark
    // as a clear moonless night, not darker.
    if (d > 1.0f) d = 1.0f;
    if (d < 0.04f) d = 0.04f;
    current.daylight = d;
    return d;
}

int WeatherModel::hourly_temperature_change(int t, int e, int dir, int speed, int cloud) const {
    int base;
    if (e < -1) base = -4;
    else if (e <= 1) base = -5;
    else if (e <= 3) base = -4;
    else if (e <= 7) base = -3;
    else if (e <= 11) base = -2;
    else if (e <= 15) base = -1;
    else if (e <= 19) base = 0;
    else if (e <= 23) base = 1;
    else if (e <= 27) base = 2;
    else base = 2 + (e - 28) / 4;
    int v = base;
    if (cloud >= 75) v = round_half_away(base / 3.0);
    else if (cloud >= 50) v = round_half_away(base * 0.5);
    if (t > 0 && v < 0) v = round_half_away(v * 0.5);
    if (dir <= 1 || dir == 7) v -= 3;
    else if (dir == 2) v += t >= 10 ? 3 : -3;
    else if (dir >= 3 && dir <= 5) v += 4;
    else if (dir == 6 && t < 0) v += 6;
    const int limits[7] = {5, 10, 16, 18, 20, 21, 22};
    for (int l : limits)
        if (speed > l) --v;
    return v;
}

// ------------------------------------------------------------- planning

int WeatherModel::precipitation_potential(int cloudiness, int spread) {
    if (cloudiness < 30) return 0;
    return int(avg3(draw(spread), draw(spread), draw(spread)) + 0.5);
}

int WeatherModel::pick_type(int row) const {
    int r = draw(100);
    int col = r < 50 ? 0 : r < 90 ? 1 : 2;
    return clamp_int(type_sequence[row & 3][col], 0, 8);
}

void WeatherModel::plan_weather_year(int b) {
    ensure_tables();
    b = b >= 360 ? 360 : 0;
    WeatherRecord* plan = weather_plan + b;
    std::memset(plan, 0, sizeof(WeatherRecord) * 360);

    // 1. Runs of pressure types.
    int row = 0;
    int type = pick_type(row);
    auto run_length = [&](int t) {
        const PressureType& p = pressure_types[t];
        // "+ 1.5" is added to the mean of the three draws; a run lasts a day at least.
        int n = int(avg3(draw(p.run1), draw(p.run2), draw(p.run1)) + 1.5);
        return n < 1 ? 1 : n;
    };
    int left = run_length(type);
    for (int j = 0; j < 360; ++j) {
        if (left <= 0) {
            if (draw(100) > 20) row = (row + 1) & 3;
            type = pick_type(row);
            left = run_length(type);
        }
        plan[j].weather_type = uint8_t(type);
        --left;
    }

    // 2.-3. Temperatures along lines between the drawn fixed points.
    auto draw_point = [&](int k) {
        WeatherFixedPoint& f = fixed_points[k];
        int s = f.spread;
        int t = int(f.mean - s + 0.5 + avg3(draw(2 * s), draw(2 * s), draw(2 * s)));
        f.drawn = int8_t(clamp_int(t, -128, 127));
        return int(f.drawn);
    };
    const WeatherFixedPoint& first = fixed_points[0];
    const WeatherFixedPoint& last = fixed_points[11];
    int t_last = draw_point(11);
    int t_reached = draw_point(0);  // the point the line heads for
    int next = 0;                   // index of that point
    int next_day = first.day;
    double slope = double(t_reached - t_last) / double(first.day - last.day + 360);
    double line = (360 - last.day) * slope + t_last;
    double smooth = line + draw(8) - 4;
    int spread = last.spread;
    for (int j = 0; j < 360; ++j) {
        if (j == next_day) {
            int reached = next;
            int reached_t = t_reached;
            next = (next + 1) % 12;
            next_day = fixed_points[next].day + (next == 0 ? 360 : 0);
            t_reached = draw_point(next);
            slope = double(t_reached - reached_t) / double(next_day - j);
            spread = fixed_points[reached].spread;
        }
        line += slope;
        smooth = (line + smooth) / 2.0 + draw(2 * spread) - spread;
        plan[j].temp = int(smooth + 0.5);
    }

    // 4.-6. Wind and clouds of each day's type.
    int dir = wind_step(0);
    for (int j = 0; j < 360; ++j) {
        const PressureType& p = pressure_types[plan[j].weather_type];
        // "+ wind base + 0.5" is added to the mean of the three draws.
        int speed = int(avg3(draw(p.wind1), draw(p.wind2), draw(p.wind1)) + p.wind_base + 0.5);
        plan[j].wndspeed = int8_t(clamp_int(speed, 0, 127));
        dir = wind_step(dir);
        plan[j].wind_dir = uint8_t(dir);
        int cloud = int(avg3(draw(p.cloud_spread), draw(p.cloud_spread), draw(p.cloud_spread)) + 0.5);
        // Cloudiness is a percentage: the widest spread would give 120.
        cloud = clamp_int(cloud, 0, 100);
        plan[j].pilvisyys = uint8_t(cloud);
        plan[j].rain_potential = uint8_t(clamp_int(precipitation_potential(cloud, p.precip_spread), 0, 255));
    }
}

// ------------------------------------------------------------- stepping

WeatherRecord WeatherModel::init_weather(WeatherRecord& out, int d, int h) {
    d = clamp_int(d, 1, 360);
    h = clamp_int(h, 0, 23);
    plan_weather_year(0);
    plan_weather_year(360);
    day = 0;
    hour = 0;
    current = weather_plan[0];
    current.snow = 150 + draw(250);
    current.snow_wetness = 0;
    current.snowtopice = 0;
    current.ice = -450 - draw(350);
    SkyPosition next;
    weather_sky_position(sun, 0, 0, 0);
    weather_sky_position(next, 0, 0, 1);
    current.sun_angle = sun.degrees;
    current.sun_angle_next = next.degrees;
    current.moon_cycle_pos = draw(MOON_CYCLE_HOURS);
    moon_bookkeeping(true);
    update_moonlight(0);
    update_daylight(0);
    last_temp_change = 0;
    weather_advance_to(out, d - 1, h);
    out = current;
    return current;
}

WeatherRecord WeatherModel::weather_hour_step(WeatherRecord& out) {
    WeatherRecord& c = current;
    // 1. The clock.
    ++hour;
    if (hour >= 24) {
        hour = 0;
        ++day;
        if (day >= 360) {
            day = 0;
            std::memcpy(weather_plan, weather_plan + 360, sizeof(WeatherRecord) * 360);
            plan_weather_year(360);
        }
        WeatherRecord kept = c;
        c = weather_plan[day];
        c.snow = kept.snow;
        c.snow_wetness = kept.snow_wetness;
        c.snowtopice = kept.snowtopice;
        c.ice = kept.ice;
        c.moon_hour_shift = kept.moon_hour_shift;
        c.moon_cycle_pos = kept.moon_cycle_pos;
        c.moon_hour = kept.moon_hour;
        // The sun goes on from where it stood: this hour's elevation is the
        // one computed for it an hour ago.
        c.sun_angle = kept.sun_angle;
        c.sun_angle_next = kept.sun_angle_next;
    } else {
        // 2. Within the day: between this day's and the next day's values.
        const WeatherRecord& a = weather_plan[day];
        const WeatherRecord& b = weather_plan[day + 1];
        auto lerp = [&](int x, int y) { return int(x + 0.5 + (y - x) / 24.0 * hour); };
        c.temp = lerp(a.temp, b.temp);
        c.wndspeed = int8_t(clamp_int(lerp(a.wndspeed, b.wndspeed), -128, 127));
        c.pilvisyys = uint8_t(clamp_int(lerp(a.pilvisyys, b.pilvisyys), 0, 100));
        c.spare = uint8_t(clamp_int(lerp(a.spare, b.spare), 0, 255));
    }
    // 3. The sun.
    SkyPosition next;
    c.sun_angle = c.sun_angle_next;
    weather_sky_position(next, day, hour, 1);
    weather_sky_position(sun, day, hour, 0);
    c.sun_angle_next = next.degrees;
    // 4. The moon and the light.
    c.moon_cycle_pos = c.moon_cycle_pos + 1 > MOON_CYCLE_HOURS - 1 ? 0 : c.moon_cycle_pos + 1;
    moon_bookkeeping(hour == 12);
    update_moonlight(0);
    update_daylight(0);
    // 5. The hour's warming or cooling.
    int g = hourly_temperature_change(c.temp, c.sun_angle, c.wind_dir, c.wndspeed, c.pilvisyys);
    c.temp += g;
    last_temp_change = g;
    // 6. Precipitation.
    int level = 0;
    if (c.rain_potential > 0) {
        int k = c.rain_potential - draw(15);
        if (k > 0) {
            int o = draw(k);
            level = o <= 2 ? 1 : o <= 6 ? 2 : 3;
        }
    }
    c.rain = uint8_t(level);
    if (c.temp >= 3) c.temp -= level;
    // 7. Its kind.
    if (level == 0) c.raintype = 0;
    else if (c.temp > 2) c.raintype = 1;
    else if (c.temp <= -2) c.raintype = 3;
    else {
        int r = draw(100);
        c.raintype = r <= 33 ? 3 : r <= 66 ? 2 : 1;
    }
    // 8. Snowfall.
    if (c.raintype == 3) c.snow += level == 3 ? 4 : level;
    else if (c.raintype == 2 && draw(100) > 50) c.snow += 1;
    // 9.-12. The waters.
    const int T = c.temp;
    int I = c.ice;
    if (10 * T > I) {
        const int old = I;
        if (I < 0 && T > 1) {
            if (c.snow > 150) {
                if (T > 5) I += 1;
            } else if (T < 5) {
                if (chance(8, 11)) I += 1;
            } else if (T <= 9) {
                I += 1;
            } else {
                I += 2;
            }
            if (c.raintype == 1) I += level;
        }
        if (I >= 0) {
            if (10 * T - old >= 100) I += 1;
            else if (chance(5, 11)) I += 1;
        }
    }
    if (I > 0 && 10 * T < I) I -= 1;
    if (T < 0 && 30 * T < I) {
        if (chance(std::abs(T), 11)) {
            if (chance(6, 11)) I -= 1;
            if (I > -500) {
                int B = draw(1500) - c.snow;
                if (B >= 0 && B <= 499) I -= 1;
                else if (B >= 500 && B <= 999) I -= 2;
                else if (B >= 1000) I -= 3;
            }
        }
    }
    if (I >= -5 && I <= -1) {
        if (c.wndspeed > 12 || (c.wndspeed >= 7 && chance(33, 101))) I = 0;
    }
    c.ice = I;
    // 13. Melting.
    if (T > 0) {
        c.snow -= int(std::ceil(T * 0.25));
        if (c.raintype == 1) c.snow -= level;
    }
    if (c.snow < 0) {
        c.snow = 0;
        c.snow_wetness = 0;
        c.snowtopice = 0;
    }
    // 14. Wetness and crust.
    if (c.snow > 0) {
        if (c.raintype == 1) c.snow_wetness += 5 * level;
        if (T > 0) {
            c.snow_wetness += T > 4 ? 2 : 1;
            if (c.pilvisyys < 50) {
                if (c.sun_angle > 10) c.snow_wetness += 2;
                if (c.sun_angle > 20) {
                    c.snow_wetness += 2;
                    c.snowtopice -= 10;
                }
            }
            c.snowtopice -= 25;
        }
        if (T < 0 && c.snow_wetness > 0) {
            c.snowtopice += std::abs(7 * T);
            c.snow_wetness += 2 * T;
        }
        if (c.raintype == 3 && c.snowtopice > 0) c.snowtopice -= level;
    }
    c.snow_wetness = clamp_int(c.snow_wetness, 0, 100);
    c.snowtopice = clamp_int(c.snowtopice, 0, 250);
    if (c.snowtopice > c.snow) c.snowtopice = c.snow;
    out = c;
    return c;
}

WeatherRecord WeatherModel::weather_advance_hours(WeatherRecord& out, int hours) {
    hours = clamp_int(hours, 0, 255);
    out = current;
    for (int i = 0; i < hours; ++i) weather_hour_step(out);
    return out;
}

int WeatherModel::hours_until(int target_day, int target_hour) const {
    int t = ((target_day % 360) + 360) % 360 * 24 + clamp_int(target_hour, 0, 23);
    int n = ((day % 360) + 360) % 360 * 24 + clamp_int(hour, 0, 23);
    return ((t - n) % (360 * 24) + 360 * 24) % (360 * 24);
}

int WeatherModel::weather_advance_to(WeatherRecord& out, int target_day, int target_hour) {
    int steps = hours_until(target_day, target_hour);
    out = current;
    for (int i = 0; i < steps; ++i) weather_hour_step(out);
    return steps;
}

// ------------------------------------------------------ reading the plan

void WeatherModel::weather_plan_average(int out[2], int from, int to) const {
    out[0] = out[1] = 0;
    if (from < 1) from = 1;
    // Days 720 and 721 are never planned.
    if (to > 719) to = 719;
    if (from >= to) return;
    long temp_sum = 0, rain_sum = 0;
    for (int j = from; j <= to; ++j) {
        temp_sum += weather_plan[j].temp;
        rain_sum += weather_plan[j].rain_potential;
    }
    out[0] = int(temp_sum / (to - from + 1));
    out[1] = int(rain_sum);
}

const char* WeatherModel::forecast_comparison_text(int x, int p, int t) const {
    static char text[160];
    const char* cmp = x <= -8 ? "much colder than"
                      : x <= -5 ? "colder than"
                      : x <= -2 ? "slightly colder than"
                      : x <= 1  ? "about the same as"
                      : x <= 4  ? "slightly warmer than"
                      : x <= 7  ? "warmer than"
                                : "much warmer than";
    const char* amount = p == 0 ? "." : p <= 5 ? " a little." : p <= 12 ? "." : " a lot.";
    format_text(text, sizeof text, "%s now. %s%s%s", cmp, p != 0 ? "It will be " : "It won't be ",
                t >= 0 ? "raining" : "snowing", amount);
    return text;
}

const char* WeatherModel::weather_forecast_text(int grade, int d, int h) const {
    static char text[600];
    d = clamp_int(d, 1, 360);
    grade = clamp_int(grade, 0, 3);
    const WeatherRecord& today = weather_plan[d - 1];
    const WeatherRecord& tomorrow = weather_plan[d];
    const int now = current.temp;
    int day_diff = today.temp +
                   hourly_temperature_change(today.temp, 0, today.wind_dir, today.wndspeed, today.pilvisyys) -
                   now;
    int tomorrow_diff = tomorrow.temp +
                        hourly_temperature_change(tomorrow.temp, 0, tomorrow.wind_dir, tomorrow.wndspeed,
                                                  tomorrow.pilvisyys) -
                        now;
    int night_t = (today.temp + tomorrow.temp) / 2;
    int night_diff =
        night_t + hourly_temperature_change(night_t, -2, today.wind_dir, today.wndspeed, today.pilvisyys) - now;
    int p_day = today.rain_potential;
    int p_night = (today.rain_potential + tomorrow.rain_potential) / 2;
    int p_tomorrow = tomorrow.rain_potential;
    const double certainty[4] = {0.25, 0.5, 0.75, 1.0};
    const double c = certainty[grade];
    auto sure = [c](int v) { return int(v * c); };
    text[0] = 0;
    char part[200];
    if (h < 12) {
        copy_text(part, forecast_comparison_text(sure(day_diff), sure(p_day), today.temp));
        append_text(text, sizeof text, "During the day the temperature will be ");
        append_text(text, sizeof text, part);
        append_text(text, sizeof text, " ");
    }
    copy_text(part, forecast_comparison_text(sure(night_diff), sure(p_night), today.temp));
    append_text(text, sizeof text, "During the night the temperature will be ");
    append_text(text, sizeof text, part);
    if (h >= 12) {
        copy_text(part, forecast_comparison_text(sure(tomorrow_diff), sure(p_tomorrow), tomorrow.temp));
        append_text(text, sizeof text, " Tomorrow the temperature will be ");
        append_text(text, sizeof text, part);
    }
    return text;
}

WeatherRecord weather_advance(int steps) {
    WeatherModel copy = weather;
    WeatherRecord out;
    return copy.weather_advance_hours(out, steps);
}
