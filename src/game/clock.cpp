// The game clock and calendar: seconds, minutes and their steps, the
// normalisation into hours, days, months and winters, the daylight tint,
// seasons and calendar texts, and the wearing away of tracks by weather.
#include "game/clock.h"

#include <cmath>
#include <cstring>

#include "body/body_services.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/sight.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "base/config.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "society/game_course.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"

int32_t clock_seconds = 0;
int32_t last_hour = -1;
int64_t last_hour_day = -1;
float sight_daylight = -1.0f;
int32_t sight_moonlight = -1;
int32_t clock_sight_distance = 0;
int32_t tint_r = 255, tint_g = 255, tint_b = 255;

ClockServices default_clock_services() {
    ClockServices s{};
    s.spend_energy = cre_spend_energy;
    s.update_fatigue = cre_update_fatigue;
    s.body_temperature = PLR_Lampotila;
    s.draw_sky_indicator = [] { screen_hooks.draw_sky_indicator(); };
    s.hourly_player_maintenance = hourly_player_maintenance;
    s.month_changed = [] { report_game_course_event(48); };
    s.update_light_sources = update_light_sources;
    s.load_sight_table = load_linedist_table;
    return s;
}
ClockServices clock_services = default_clock_services();

namespace {

constexpr int MINUTES_PER_HOUR = 60;

void ask_spend_energy(int creature, int units) {
    if (clock_services.spend_energy) clock_services.spend_energy(creature, units);
}
void ask_update_fatigue(int creature, int units) {
    if (clock_services.update_fatigue) clock_services.update_fatigue(creature, units);
}
void ask_body_temperature() {
    if (clock_services.body_temperature) clock_services.body_temperature();
}
void ask_light_sources(int burn) {
    if (clock_services.update_light_sources) clock_services.update_light_sources(burn);
}
void ask_sky_indicator() {
    if (clock_services.draw_sky_indicator) clock_services.draw_sky_indicator();
}
void ask_hourly_maintenance() {
    if (clock_services.hourly_player_maintenance) clock_services.hourly_player_maintenance();
}
void ask_sight_table(int distance) {
    if (clock_services.load_sight_table) clock_services.load_sight_table(distance);
}
void month_changed() {
    if (clock_services.month_changed) clock_services.month_changed();
}
constexpr int DAYS_PER_MONTH = 30;
constexpr int MONTHS_PER_YEAR = 12;

// Energy and fatigue of the minute steps: mode 0 both, 2 energy only, 1 none.
void spend_for_minutes(int minutes, int mode) {
    if (mode == 0 || mode == 2) ask_spend_energy(-1, minutes);
    if (mode == 0) ask_update_fatigue(-1, 1);
}

// Everything that happens once per passing minute, after the minute has
// been counted (and its energy spent by the caller).
void minute_steps_after_energy() {
    ask_body_temperature();
    ask_light_sources(0);
    fade_tracks_by_weather(1);
    update_sight_light();
}

}  // namespace

// ------------------------------------------------------------ the hours

// Takes the skill boosts down for each passing hour, then adds the hours,
// carrying days, months and winters in full width.
void carry_hours(int64_t hours) {
    if (hours < 0) hours = 0;
    for (int s = 0; s < PLR_SKILLS && hours > 0; ++s) {
        if (Plr.skill_boost_timer[s] == 0) continue;
        // A timer of 61 or more loses 60 an hour; one of 60 or less ends.
        int64_t timer = Plr.skill_boost_timer[s];
        int64_t hours_left = (timer - 1) / MINUTES_PER_HOUR;  // hours it survives
        if (hours <= hours_left) {
            Plr.skill_boost_timer[s] = uint8_t(timer - hours * MINUTES_PER_HOUR);
        } else {
            int boost = Plr.skill_boost[s];
            Plr.skill_level[s] = uint8_t(Plr.skill_level[s] > boost ? Plr.skill_level[s] - boost : 0);
            Plr.skill_boost[s] = 0;
            Plr.skill_boost_timer[s] = 0;
        }
    }
    int64_t h = int64_t(Plr.hour) + hours;
    Plr.hour = uint8_t(h % 24);
    add_days(h / 24);
}

// Adds days, carrying months (a month change each) and winters.
void add_days(int64_t days) {
    int64_t d = Plr.day < 1 ? 1 : Plr.day;
    int64_t mo = Plr.month < 1 ? 1 : Plr.month;
    // A day beyond the month starts the next month.
    if (d > DAYS_PER_MONTH) {
        d = 1;
        ++mo;
        month_changed();
    }
    d += days;
    int64_t month_changes = (d - 1) / DAYS_PER_MONTH;
    d = (d - 1) % DAYS_PER_MONTH + 1;
    // Each month change is told to the game course (at most a year's worth
    // matter: the course counts to small targets).
    for (int64_t i = 0; i < month_changes && i < 24; ++i) month_changed();
    mo += month_changes;
    int64_t years = (mo - 1) / MONTHS_PER_YEAR;
    mo = (mo - 1) % MONTHS_PER_YEAR + 1;
    Plr.day = uint8_t(d);
    Plr.month = uint8_t(mo);
    Plr.winters = uint8_t((Plr.winters + years) & 0xFF);
}

void normalize_game_clock() {
    update_daylight_tint();
    ask_sky_indicator();
    if (Plr.minute >= MINUTES_PER_HOUR) {
        int hours = Plr.minute / MINUTES_PER_HOUR;
        Plr.minute = uint8_t(Plr.minute % MINUTES_PER_HOUR);
        carry_hours(hours);
    } else {
        // Normalise days and months left out of range by older code.
        add_days(0);
    }
    if (Plr.hour > 23) carry_hours(0);
    // A new hour, or the same hour of another day (a jump of whole days):
    // the hourly step brings the weather up to the calendar.
    const int64_t day = calendar_day_count();
    if (Plr.hour != last_hour || (last_hour_day >= 0 && day != last_hour_day)) {
        last_hour = Plr.hour;
        last_hour_day = day;
        ask_hourly_maintenance();
    }
}

int64_t calendar_day_count() {
    return (int64_t(Plr.winters) * MONTHS_PER_YEAR + (Plr.month > 0 ? Plr.month - 1 : 0)) * DAYS_PER_MONTH +
           (Plr.day > 0 ? Plr.day - 1 : 0);
}

// ------------------------------------------------------------ advancing

// Adds minutes to the record in full width: the minute byte keeps up to
// 255 pending minutes for the next normalisation (as single steps do),
// whole hours beyond that are carried at once so nothing ever wraps.
void add_game_minutes(int64_t minutes) {
    if (minutes <= 0) return;
    int64_t total = int64_t(Plr.minute) + minutes;
    Plr.total_minutes = int32_t(int64_t(Plr.total_minutes) + minutes);
    if (total <= 255) {
        Plr.minute = uint8_t(total);
        return;
    }
    Plr.minute = uint8_t(total % MINUTES_PER_HOUR);
    carry_hours(total / MINUTES_PER_HOUR);
}


void advance_seconds(int seconds) {
    if (seconds < 0) seconds = 0;
    int ticks = seconds / 10;
    Plr.tick_count += ticks < 1 ? 1 : ticks;
    clock_seconds += seconds;
    if (clock_seconds < 60) {
        ask_update_fatigue(-1, 6);
        return;
    }
    // A full minute; what lies beyond it is not carried over.
    clock_seconds = 0;
    add_game_minutes(1);
    update_daylight_tint();
    ask_sky_indicator();
    spend_for_minutes(1, 2);
    minute_steps_after_energy();
}

void advance_minutes(int minutes, int mode) {
    if (minutes < 0) minutes = 0;
    add_game_minutes(minutes);
    update_daylight_tint();
    ask_sky_indicator();
    if (mode == 0 || mode == 2) ask_spend_energy(-1, minutes);
    if (mode == 0) ask_update_fatigue(-1, 1);
    minute_steps_after_energy();
}

void run_minute_steps(int energy_minutes, int fatigue_units) {
    update_daylight_tint();
    ask_sky_indicator();
    if (energy_minutes > 0) ask_spend_energy(-1, energy_minutes);
    if (fatigue_units > 0) ask_update_fatigue(-1, fatigue_units);
    minute_steps_after_energy();
}

// ------------------------------------------------------------ tracks

void fade_tracks_by_weather(int minutes) {
    const int level = weather.current.rain;
    if (level == 0) return;
    const int type = weather.current.raintype;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE != MK_TRACK) continue;
        uint8_t& strength = track_strength(o);
        if (strength == 0) continue;
        int64_t age = std::llabs(int64_t(o.time_stamp) - Plr.total_minutes);
        int term;
        if (type == 1) {
            int first = ksm_rand() % 3;
            int second = ksm_rand() % 3;
            for (int k = 0; k < 10 && second == first; ++k) second = ksm_rand() % 3;
            term = second == 0 ? random_below(level) : 0;
        } else {
            term = random_below(level + 1);
        }
        int64_t loss = int64_t(term + (age >= 1440) + (age >= 4320) + 2 * (age >= 7200)) * minutes;
        // Tracks under shelter (never drawn as open ground) keep.
        if ((track_gait(o) & TRACK_SPECIAL) && in_world_grid(o.x, o.y) && drawn_layer[map_index(o.x, o.y)] == ' ')
            loss = 0;
        if (loss <= 0) continue;
        if (loss >= strength) {
            free_map_object(i);
        } else {
            strength = uint8_t(strength - loss);
        }
    }
}

// ------------------------------------------------------------ seasons

int day_of_year(int day, int month) { return day + 30 * month - 30; }

SeasonRecord& season_of_date(int day, int month, SeasonRecord& out) {
    std::memset(&out, 0, sizeof out);
    out.day = uint8_t(day);
    out.month = uint8_t(month);
    const int c = day_of_year(day, month);
    int season = 1, days = 1;
    const int points[4][2] = {{1, 284}, {2, 13}, {3, 104}, {4, 193}};
    for (const auto& p : points) {
        // Days since the point, always 0..359 (also before it in the year).
        int d = ((c - p[1]) % 360 + 360) % 360;
        if (d <= 90) {
            season = p[0];
            days = d + 1;
        }
    }
    out.season = uint8_t(season);
    out.days = uint8_t(days);
    int countdown = 13 - (days - 1) / 7;
    out.week_countdown = uint8_t(countdown < 0 ? 0 : countdown);
    out.weekday = uint8_t((days - 1) % 7 + 1);
    switch (season) {
        case 1:
            copy_text(out.name, "winter season");
            copy_text(out.next_name, "midwinter point");
            break;
        case 2:
            copy_text(out.name, countdown < 12 ? "latter winter" : "midwinter");
            copy_text(out.next_name, "summer season");
            break;
        case 3:
            copy_text(out.name, "summer season");
            copy_text(out.next_name, "midsummer point");
            break;
        default:
            copy_text(out.name, countdown < 12 ? "latter summer" : "midsummer");
            copy_text(out.next_name, "winter season");
            break;
    }
    return out;
}

char* ordinal_text(int n) {
    char* out = next_ring_text();
    int last_two = ((n % 100) + 100) % 100;
    int last = last_two % 10;
    const char* suffix = "th";
    if (last_two < 11 || last_two > 13) {
        if (last == 1) suffix = "st";
        else if (last == 2) suffix = "nd";
        else if (last == 3) suffix = "rd";
    }
    format_text(out, TEXT_RING_BYTES, "%d%s", n, suffix);
    return out;
}

char* date_text(int flags, const SeasonRecord& rec) {
    char* out = next_ring_text();
    char day_text[64];
    format_text(day_text, sizeof day_text, "%s of month:%d", ordinal_text(rec.day), int(rec.month));
    const bool running = (flags & 0x20) != 0;
    if (flags & 1) {
        format_text(out, TEXT_RING_BYTES, "%s%s", running ? "on " : "", day_text);
    } else if (flags & 2) {
        const char* month = date_phrase(rec.day, rec.month);
        if (running)
            format_text(out, TEXT_RING_BYTES, "in %s, during %s, on %s", rec.name, month, day_text);
        else
            format_text(out, TEXT_RING_BYTES, "%s, %s, %s", rec.name, month, day_text);
    } else if (flags & 4) {
        const char* month = date_phrase(rec.day, rec.month);
        if (running)
            format_text(out, TEXT_RING_BYTES, "in %s, during %s", rec.name, month);
        else
            format_text(out, TEXT_RING_BYTES, "%s, %s", rec.name, month);
    }
    return out;
}

// ------------------------------------------------------------ light

int light_phase_of_elevation(int e) {
    if (e < -18) return 2;
    if (e < -12) return 3;
    if (e < -6) return 5;
    if (e < 0) return 6;
    return 0;
}

void light_phase_colour(int phase, int& r, int& g, int& b) {
    const int n = night_brightness;
    switch (phase) {
        case 2: r = n + 16; g = n + 25; b = n + 45; break;
        case 3: r = n + 18; g = n + 32; b = n + 102; break;
        case 5: r = 51; g = 95; b = 187; break;
        case 6: r = 135; g = 164; b = 211; break;
        default: r = g = b = 255; break;
    }
}

void blend_colour_toward(int& r, int& g, int& b, int step, int steps, int tr, int tg, int tb) {
    if (steps == 0) return;
    const double f = double(step) / double(steps);
    auto move = [f](int& c, int target) {
        int amount = int(std::fabs((c - target) * f));
        c = c < target ? c + amount : c - amount;
        c = c < 0 ? 0 : c > 255 ? 255 : c;
    };
    move(r, tr);
    move(g, tg);
    move(b, tb);
}

int light_phase_by_hour(int month, int hour) {
    if (hour < 0 || hour >= 24) hour = 0;
    // Per month row: the first hour of each phase change in the day.
    struct Row {
        int dawn3, dawn5, day0, dusk6, dusk5, dusk3, night2;
    };
    auto pick = [hour](const Row& r) {
        if (hour < (r.dawn3 >= 0 ? r.dawn3 : r.dawn5)) return 2;
        if (r.dawn3 >= 0 && hour < r.dawn5) return 3;
        if (hour < r.day0) return 5;
        int after_day = r.dusk6 >= 0 ? r.dusk6 : r.dusk5 >= 0 ? r.dusk5 : r.dusk3;
        if (hour < after_day) return 0;
        if (r.dusk6 >= 0 && hour < (r.dusk5 >= 0 ? r.dusk5 : r.dusk3 >= 0 ? r.dusk3 : r.night2)) return 6;
        if (r.dusk5 >= 0 && hour < (r.dusk3 >= 0 ? r.dusk3 : r.night2)) return 5;
        if (r.dusk3 >= 0 && hour < r.night2) return 3;
        return 2;
    };
    switch (month) {
        case 1: return pick({-1, 9, 10, -1, -1, 15, 16});
        case 2: return pick({-1, 8, 9, -1, -1, 16, 17});
        case 3: return pick({-1, 7, 8, -1, 17, 18, 19});
        case 4:
        case 9: return pick({5, 6, 7, 18, 19, -1, 20});
        case 5:
        case 8: return pick({4, 5, 6, 20, -1, 21, 22});
        default: return 0;
    }
}

void update_daylight_tint() {
    const int e0 = weather.current.sun_angle;
    const int e1 = weather.current.sun_angle_next;
    const int m = weather.current.moonlight;
    const int p0 = light_phase_of_elevation(e0);
    const int p1 = light_phase_of_elevation(e1);
    auto with_moon = [m](int& r, int& g, int& b) {
        if (m == 0) return;
        b = std::min(255, b + m);
        r = std::min(255, r + m / 5);
        g = std::min(255, g + m / 5);
    };
    int r, g, b;
    light_phase_colour(p0, r, g, b);
    with_moon(r, g, b);
    if (p1 != p0 || m != 0) {
        int tr, tg, tb;
        light_phase_colour(p1, tr, tg, tb);
        with_moon(tr, tg, tb);
        blend_colour_toward(r, g, b, Plr.minute, 60, tr, tg, tb);
    }
    tint_r = r;
    tint_g = g;
    tint_b = b;
}

int sight_distance_for_light(float daylight) {
    const int max_distance = is_world_map() ? 25 : 50;
    int d = int(std::ceil(std::min(1.0f, daylight) * max_distance));
    return d < 1 ? 1 : d > max_distance ? max_distance : d;
}

void update_sight_light() {
    const int minute = Plr.minute % 60;
    const int moonlight = weather.update_moonlight(minute);
    const float daylight = weather.update_daylight(minute);
    if (daylight == sight_daylight && moonlight == sight_moonlight) return;
    sight_daylight = daylight;
    sight_moonlight = moonlight;
    clock_sight_distance = sight_distance_for_light(daylight);
    ask_sight_table(clock_sight_distance);
}

void refresh_sight_light() {
    sight_daylight = weather.current.daylight;
    sight_moonlight = weather.current.moonlight;
    clock_sight_distance = sight_distance_for_light(sight_daylight);
    ask_sight_table(clock_sight_distance);
}

void reset_clock_state() {
    clock_seconds = 0;
    last_hour = -1;
    last_hour_day = -1;
    sight_daylight = -1.0f;
    sight_moonlight = -1;
    clock_sight_distance = 0;
    // The light of the weather in force: the reset between loading a game
    // and its first turn must not show a night map in daylight.
    update_daylight_tint();
}
