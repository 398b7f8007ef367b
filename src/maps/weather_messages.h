// The weather as the player meets it: the hourly catch-up of the weather
// model with the change of precipitation told on the message line, and the
// outdoor ambience loop chosen from the weather.
#pragma once

#include "maps/weather.h"

// The weather everybody reads (a copy of the model's current record) and
// the same values from before the last hourly step.
extern WeatherRecord weather_now;
extern WeatherRecord weather_before;

// The player's exposure state (the body-heat model gives it its meaning);
// 6 while standing in falling precipitation.
extern uint8_t plr_exposure_state;

// Brings the weather model up to the calendar's day and hour, one hourly
// step at a time however many there are, and tells the change of
// precipitation of the last step. Called by the hourly player maintenance.
void update_weather();
// The calendar's day as the weather model counts it: the day of the year
// from 0 to 359.
int weather_calendar_day();
// The message for a change of precipitation from `before` to `after`
// (with its class mark), or nullptr when nothing changed.
const char* precipitation_change_message(const WeatherRecord& before, const WeatherRecord& after);
// True when falling precipitation of this weather puts an unroofed player
// out in it: any rain or snow except the lightest wet or dry snow.
bool precipitation_exposes(const WeatherRecord& w);
// Chooses the ambience loop ("ambience", "wind", "rain") and its volume.
void play_weather_ambience();
