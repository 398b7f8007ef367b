// The weather of the world: one model object that plans two years of daily
// weather from twelve monthly fixed points and nine pressure types, steps it
// hour by hour with the game clock and keeps the current weather record
// (temperature, precipitation, wind, clouds, snow, ice, sun and moon, light).
// All weather is global: one record for the whole world.
//
// The object `weather` is built before main and reads no file then; the two
// optional tables ("fixedpoints.txt", "weathertypeinfo.txt") are read once,
// the first time a year is planned (or by read_weather_tables).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"

// One day's or one hour's weather. Stored as it lies in memory in
// "GLOBWEATHER.DAT" (68 bytes, little-endian).
struct WeatherRecord {
    int32_t temp;            // air temperature, whole degrees Celsius
    uint8_t weather_type;    // pressure type 0..8
    uint8_t rain_potential;  // the day's precipitation potential; 0 under 30 % cloud
    uint8_t rain;            // precipitation now, 0 none .. 3 heavy
    uint8_t raintype;        // 0 none, 1 rain, 2 wet snow, 3 snow
    uint8_t wind_dir;        // 0..7; 0, 1, 7 bring cold, 3..5 warmth
    int8_t wndspeed;         // wind speed
    uint8_t pilvisyys;       // cloudiness 0..100 %
    uint8_t spare;           // interpolated like the two bytes before it; 0 in the plan
    float daylight;          // daylight factor 0.04..1.0
    int32_t snow;            // snow depth, millimetres
    int32_t snow_wetness;    // 0..100
    int32_t snowtopice;      // icy crust 0..250, never above snow
    int32_t ice;             // below 0: ice thickness (negated); else water warmth in 0.1 degrees
    int32_t sun_angle;       // sun elevation this hour, whole degrees
    int32_t sun_angle_next;  // and the next hour
    int32_t moon_hour_shift; // 0..-24, the moon's offset in hours from the sun's day
    int32_t moon_cycle_pos;  // hour within the 708-hour moon cycle
    uint8_t moon_phase;      // 0 new .. 4 full .. 7
    uint8_t pad[3];          // always 0
    int32_t moon_hour;       // 0..23
    int32_t moon_angle;      // moon elevation this hour, whole degrees
    int32_t moon_angle_next; // and the next hour
    int32_t moonlight;       // 0..100
};
KSM_RECORD(WeatherRecord, 68);
KSM_OFFSET(WeatherRecord, weather_type, 4);
KSM_OFFSET(WeatherRecord, spare, 11);
KSM_OFFSET(WeatherRecord, daylight, 12);
KSM_OFFSET(WeatherRecord, ice, 28);
KSM_OFFSET(WeatherRecord, moon_cycle_pos, 44);
KSM_OFFSET(WeatherRecord, moon_phase, 48);
KSM_OFFSET(WeatherRecord, moon_hour, 52);
KSM_OFFSET(WeatherRecord, moonlight, 64);

struct WeatherFixedPoint {
    int32_t day;     // day of the year 0..359
    int8_t mean;     // mean temperature
    uint8_t spread;  // spread of the drawn temperature
    int8_t drawn;    // working byte: the temperature drawn while planning
    uint8_t spare;
};

struct PressureType {
    char name[32];
    uint8_t run1, run2;        // L1, L2: run-length draws
    uint8_t wind_base;
    uint8_t wind1, wind2;      // W1, W2: wind spreads
    uint8_t cloud_spread;
    uint8_t precip_spread;
};

struct SkyPosition {
    int32_t degrees;  // elevation, whole degrees (truncated)
    float radians;
    float sine;
};

constexpr int WEATHER_PLAN_DAYS = 722;     // 0..359 this year, 360..719 next, 720/721 spare
constexpr int WEATHER_FILE_VERSION = 2;
constexpr size_t WEATHER_FILE_V2_SIZE = 12 + 68 + WEATHER_PLAN_DAYS * 68;  // 49,176
constexpr size_t WEATHER_FILE_V1_SIZE = 12 + 32 + WEATHER_PLAN_DAYS * 68;  // 49,140
constexpr int MOON_CYCLE_HOURS = 708;

class WeatherModel {
public:
    WeatherModel();  // built-in tables only; reads no file

    // --- starting and stepping
    // Starts the weather of a new character: plans this year and the next,
    // then steps to (day of the year 1..360, hour 0..23).
    WeatherRecord init_weather(WeatherRecord& out, int day_of_year, int hour);
    WeatherRecord weather_hour_step(WeatherRecord& out);
    // That many hour steps (0..255); the last record (the current one for 0).
    WeatherRecord weather_advance_hours(WeatherRecord& out, int hours);
    // Steps the model forward to (plan day 0..359, hour 0..23) by the real
    // difference in hours, however large (a jump over several days ends on
    // the right day, not a day behind). Returns the number of steps taken.
    int weather_advance_to(WeatherRecord& out, int target_day, int target_hour);
    // Hours from the model's (day, hour) forward to the target, 0..8639.
    int hours_until(int target_day, int target_hour) const;

    // --- sky and light
    void weather_sky_position(SkyPosition& out, int day, int hour, int hour_offset) const;
    int update_moonlight(int minutes);
    float update_daylight(int minutes);
    int hourly_temperature_change(int temp, int sun_elevation, int wind_dir, int wind_speed,
                                  int cloudiness) const;

    // --- planning and reading the plan
    void plan_weather_year(int first_plan_day);  // 0 or 360
    // (sum of temp / days, sum of rain_potential) over plan days from..to.
    void weather_plan_average(int out[2], int from_day, int to_day) const;
    const char* forecast_comparison_text(int difference, int precipitation, int temp) const;
    // The forecast for grade 0..3, day of the year counted from 1, game hour;
    // in one static buffer overwritten by the next forecast.
    const char* weather_forecast_text(int grade, int day_of_year, int hour) const;

    // --- files ("GLOBWEATHER.DAT" and the two tables)
    bool save_weather(const std::string& path) const;
    // The bytes of "GLOBWEATHER.DAT" (version 2) for the model as it is.
    std::vector<uint8_t> weather_file_bytes() const;
    // Reads version 1 or 2. A missing, short, oversized or otherwise
    // unacceptable file changes nothing. `loaded` (if given) tells which.
    WeatherRecord load_weather(WeatherRecord& out, const std::string& path, bool* loaded = nullptr);
    bool read_fixed_points();     // true when the file could be opened and was accepted
    bool read_pressure_types();   // true when the file could be opened
    void set_default_fixed_points();
    void set_default_pressure_types();
    // Reads both tables now (with the built-in defaults where they fail).
    void read_weather_tables();

    // --- small helpers (public for the tests and the console)
    void moon_bookkeeping(bool refresh_shift);
    // The precipitation potential of a day of that cloudiness and spread.
    static int precipitation_potential(int cloudiness, int precip_spread);

    // State, in this order.
    WeatherRecord current;
    int32_t moon_day;            // day of the year on which the moon is computed
    int32_t moon_phase_distance; // 0..4 steps from the new moon
    int32_t moon_light_base;     // moonlight of this hour before the phase
    int32_t day;                 // 0..359 ("CurDay")
    int32_t hour;                // 0..23 ("CurHour")
    int32_t last_temp_change;    // hourly temperature offset applied last
    WeatherFixedPoint fixed_points[12];
    PressureType pressure_types[9];
    uint8_t type_sequence[4][3];
    WeatherRecord weather_plan[WEATHER_PLAN_DAYS];
    SkyPosition sun;
    SkyPosition moon;
    bool tables_read;            // the optional tables have been read this run

private:
    void ensure_tables();
    int pick_type(int row) const;
    void refresh_moon_angles();
    int moonlight_for(int base) const;
};

// The one weather model of the game.
extern WeatherModel weather;
// The weather that `steps` hour steps (0-255) of the model give from the
// current weather; the model itself stays where it is.
WeatherRecord weather_advance(int steps);

// Daylight factor of a sun elevation (1.0 above 6 degrees, 0.04 at -18 and below).
float daylight_factor_for_elevation(int elevation);
