// The weather keeps in step with the calendar when time jumps by a day or
// more: through the clock's normalisation and through long tasks, the
// hourly step brings the weather model to the calendar's day and hour.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "game/clock.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/weather.h"
#include "maps/weather_messages.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

uint32_t fake_ms = 0;

class WeatherCalendar : public ::testing::Test {
protected:
    void SetUp() override {
        saved_plr_ = Plr;
        saved_weather_ = std::make_unique<WeatherModel>(weather);
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Tester");
        copy_text(Plr.map_name, "BIGMAP");
        make_folder("Tester");
        Plr.winters = 16;
        Plr.month = 3;
        Plr.day = 27;
        Plr.hour = 10;
        Plr.travel_mode = 1;
        messages_suppressed = false;
        Plr.bodytemp = 37;
        skip_message_pauses = true;
        // The clock's own services, without the ones that need the screen
        // or the installation's sight table.
        clock_services = default_clock_services();
        clock_services.draw_sky_indicator = nullptr;
        clock_services.update_light_sources = nullptr;
        clock_services.load_sight_table = nullptr;
        SpendTimeSeams seams{};
        seams.now_ms = [] { return fake_ms; };
        seams.sleep_ms = [](uint32_t ms) { fake_ms += ms; };
        seams.poll_key = [] { return 0; };
        spend_time_seams = seams;
        reset_clock_state();
        // A weather started on the record's day and hour, as a new game's.
        seed_random(31);
        WeatherRecord start{};
        weather.init_weather(start, day_of_year(Plr.day, Plr.month), Plr.hour);
        weather_now = weather.current;
        normalize_game_clock();  // the first hour of the game
    }
    void TearDown() override {
        Plr = saved_plr_;
        weather = *saved_weather_;
        clock_services = default_clock_services();
        spend_time_seams = default_spend_time_seams();
        reset_clock_state();
        skip_message_pauses = false;
        turn_time_state = 0;
    }
    // The model's (day, hour) as one count of hours within the year.
    static int model_hours() { return weather.day * 24 + weather.hour; }
    void expect_in_step(const char* what) {
        EXPECT_EQ(weather.day, weather_calendar_day()) << what;
        EXPECT_EQ(weather.hour, int(Plr.hour)) << what;
        EXPECT_EQ(std::memcmp(&weather_now, &weather.current, sizeof weather_now), 0) << what;
    }

    PlayFolder folder_{false};

private:
    PlayerRecord saved_plr_;
    std::unique_ptr<WeatherModel> saved_weather_;
};

struct Jump {
    const char* what;
    int minutes;
};
const Jump kJumps[] = {{"24 hours", 24 * 60}, {"30 hours", 30 * 60}, {"10 days", 10 * 24 * 60}};

TEST_F(WeatherCalendar, AJumpOfTheClockStepsTheWeatherToTheCalendar) {
    for (const Jump& j : kJumps) {
        const int before = model_hours();
        const int day_before = Plr.day;
        advance_minutes(j.minutes, 1);
        normalize_game_clock();
        expect_in_step(j.what);
        // Every hour of the jump was stepped: the model moved as far as the
        // calendar did, across the end of the month too.
        EXPECT_EQ((model_hours() - before + 360 * 24) % (360 * 24), j.minutes / 60) << j.what;
        EXPECT_NE(int(Plr.day), day_before) << j.what;
    }
}

TEST_F(WeatherCalendar, LongTasksKeepTheWeatherInStep) {
    for (const Jump& j : kJumps) {
        const int before = model_hours();
        ASSERT_EQ(spend_time_on_task(0, j.minutes, "WAITING", 0, TASK_LONG_RESUMABLE), 1) << j.what;
        normalize_game_clock();  // the status panel's, after the task
        expect_in_step(j.what);
        EXPECT_EQ((model_hours() - before + 360 * 24) % (360 * 24), j.minutes / 60) << j.what;
    }
}

TEST_F(WeatherCalendar, TheSameHourTwiceStepsNothing) {
    const int before = model_hours();
    normalize_game_clock();
    update_weather();
    EXPECT_EQ(model_hours(), before);
    expect_in_step("no time passed");
}

}  // namespace
