// The weather as the player meets it: hourly catch-up with its messages,
// and the ambience loop.
#include "maps/weather_messages.h"

#include "game/clock.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "game/player.h"
#include "ui/message_line.h"
#include "ui/sound.h"

WeatherRecord weather_now{};
WeatherRecord weather_before{};
uint8_t plr_exposure_state = 0;

int weather_calendar_day() {
    // The model counts the days of the year from 0; the calendar from 1.
    const int d = day_of_year(Plr.day, Plr.month) - 1;
    return ((d % 360) + 360) % 360;
}

const char* precipitation_change_message(const WeatherRecord& before, const WeatherRecord& after) {
    if (before.rain == after.rain) return nullptr;
    if (before.rain == 0) return after.raintype == 1 ? ":It starts to rain." : ":It starts to snow.";
    if (after.rain == 0) return before.raintype == 1 ? ":The rain ceases." : ":The snowing ceases.";
    if (after.rain > before.rain)
        return after.raintype == 1 ? ":The rain increases." : ":It starts to snow harder.";
    return after.raintype == 1 ? ":The rain decreases." : ":The snowing eases a bit.";
}

void update_weather() {
    if (Plr.hour > 23) Plr.hour = 0;
    // The shared copy follows the model (a loaded game starts from it).
    weather_now = weather.current;
    Plr.previous_air_temp = float(weather_now.temp);

    // The model is stepped hour by hour to the calendar's day and hour, so
    // that a jump of a day or more (a long task, a long sleep) leaves it on
    // the right day, not behind it. Only the last step's change is told.
    const int target_day = weather_calendar_day();
    int steps = 0;
    while (weather.hours_until(target_day, Plr.hour) > 0) {
        weather_before = weather_now;
        WeatherRecord out{};
        weather.weather_hour_step(out);
        weather_now = weather.current;
        ++steps;
    }
    if (steps == 0) return;

    if (const char* message = precipitation_change_message(weather_before, weather_now))
        show_message(message);

    if (precipitation_exposes(weather_now) && !is_roofed_at(player_x, player_y))
        plr_exposure_state = 6;
}

bool precipitation_exposes(const WeatherRecord& w) {
    const bool lightest_snow = (w.raintype == 2 || w.raintype == 3) && w.rain == 1;
    return w.rain > 0 && !lightest_snow;
}

void play_weather_ambience() {
    if (!ambient_sounds_on) return;
    if (map_kind != 1 && map_kind != 2) return;
    const char* name = "ambience";
    if (weather_now.wndspeed >= 10) name = "wind";
    if (weather_now.raintype == 1) name = "rain";
    int loop_volume;
    if (weather_now.raintype == 1) loop_volume = 100;
    else loop_volume = (Plr.hour >= 22 || Plr.hour <= 5) ? 20 : 25;
    if (is_indoors_at(player_x, player_y)) loop_volume /= 2;
    set_ambient_loop(name, loop_volume);
}
