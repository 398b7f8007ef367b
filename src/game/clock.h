// The game clock and calendar. Game time lives in the character record
// (minute, hour, day of a 30-day month, month 1-12, winters, total minutes,
// ten-second ticks) and only this file moves it. Each passing minute updates
// the body, the light and the tracks; each passing hour takes temporary
// skill boosts down and runs the player's hourly maintenance.
#pragma once

#include <cstdint>

// Seconds not yet turned into a minute.
extern int32_t clock_seconds;
// The hour at the last hourly run; -1 at start so the first normalisation
// runs the hourly step. And the calendar day of that run (-1 before the
// first): the same hour of another day runs the step again.
extern int32_t last_hour;
extern int64_t last_hour_day;
// Days since the calendar's start (winters, months and days counted whole).
int64_t calendar_day_count();
// Daylight and moonlight last used for the sight range.
extern float sight_daylight;
extern int32_t sight_moonlight;
// The sight distance those gave (1 .. the map's maximum).
extern int32_t clock_sight_distance;
// The daylight tint the map view is shaded with, 0-255 each.
extern int32_t tint_r, tint_g, tint_b;

// Adds seconds (an ordinary turn is 6); a full minute runs the minute
// steps. Seconds beyond the full minute are not carried over.
void advance_seconds(int seconds);
// Adds whole minutes at once and runs the minute steps once. Mode 0 also
// spends energy for the time and applies fatigue, mode 2 energy only,
// mode 1 neither. Any number of minutes is kept exactly.
void advance_minutes(int minutes, int mode);
// Carries minutes into hours, hours into days, days into months and months
// into winters (any number of each); runs the hourly step on a new hour.
void normalize_game_clock();
// Precipitation wears the tracks of the current map away.
void fade_tracks_by_weather(int minutes);

// Day of the year 1..360 of a day of the month and a month.
int day_of_year(int day, int month);

struct SeasonRecord {
    uint8_t season;          // 1..4
    uint8_t days;            // days since the season point, from 1
    uint8_t weekday;         // 1..7
    uint8_t week_countdown;  // 13 .. 0
    uint8_t day, month;      // the date it was built for
    char name[32];           // the current season
    char next_name[32];      // the next season point
};
// The season of a date.
SeasonRecord& season_of_date(int day, int month, SeasonRecord& out);
// The calendar text of a season record (ring text). Flags: bit 0 the day
// text alone ("3rd of month:2"), bit 1 season, month text and day, bit 2
// season and month text; 0x20 the running form ("on ...", "in ..., during").
char* date_text(int flags, const SeasonRecord& rec);
// "1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st" ... (ring text).
char* ordinal_text(int number);

// Light phases: 0 day, 2 night, 3 deep dusk, 5 dusk, 6 twilight.
int light_phase_of_elevation(int elevation);
void light_phase_colour(int phase, int& r, int& g, int& b);
void blend_colour_toward(int& r, int& g, int& b, int step, int steps, int target_r, int target_g,
                         int target_b);
int light_phase_by_hour(int month, int hour);
// Recomputes tint_r/g/b from the sun, the moonlight and the minute.
void update_daylight_tint();

// Refreshes the light values for the current minute and, when they
// changed, the sight distance. Part of every minute step.
void update_sight_light();
// Sets the sight distances for the light the weather has now, whatever it
// was before (a map has just been loaded).
void refresh_sight_light();
// The sight distance for a daylight value on the current map.
int sight_distance_for_light(float daylight);

// Counts minutes passed (minute and total_minutes) without running the
// minute steps; up to 255 wait in the minute byte for the next
// normalisation, beyond that whole hours are carried at once.
void add_game_minutes(int64_t minutes);
// Adds whole hours (the boosts run down for each) and whole days, carrying
// months and winters in full width.
void carry_hours(int64_t hours);
void add_days(int64_t days);
// The minute steps for one counted minute: tint, sky, energy and fatigue,
// body temperature, light sources, tracks and the sight range.
void run_minute_steps(int energy_minutes, int fatigue_units);
// The minute steps a step of whole minutes runs after the clock has moved:
// tint, sky, light sources, tracks and sight, without energy or fatigue.
inline void per_minute_updates() { run_minute_steps(0, 0); }

// Services of other parts of the game that the clock calls. A null entry
// is skipped: the part that provides one sets it here (and a test may set
// its own to see the calls).
struct ClockServices {
    void (*spend_energy)(int creature, int units);    // energy use over time
    void (*update_fatigue)(int creature, int units);  // fatigue over time
    void (*body_temperature)();                       // the player's body heat, each minute
    void (*update_light_sources)(int burn);           // the map's light sources
    void (*draw_sky_indicator)();
    void (*hourly_player_maintenance)();              // each new hour (brings the weather on)
    void (*load_sight_table)(int distance);           // the sight table for a new distance
    void (*month_changed)();                          // tells the game course (event 48)
};
ClockServices default_clock_services();
extern ClockServices clock_services;

// Clears the clock's own state (accumulator, last hour, light values): a
// new game or a loaded one starts from here.
void reset_clock_state();
