// Long tasks, run with a fake real-time clock and scripted keys: steps,
// pacing, refusals, interruptions and the result codes.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "maps/weather.h"
#include "game/clock.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "support/play_folder.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

struct TaskWorld {
    uint32_t now = 1000;
    uint32_t slept = 0;
    int updates = 0;
    int body_checks = 0;
    int fighters = 0;
    int helpers = 0;
    // Keys by step: the key read after the n-th map-object update.
    std::deque<std::pair<int, int>> keys;
    std::deque<int> answers;  // yes/no answers, in order
    std::string last_question;
    int questions = 0;
    // Something happens after the n-th update.
    int event_at = -1;
    void (*event)() = nullptr;
};
TaskWorld world;

class SpendTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        saved_weather_ = std::make_unique<WeatherModel>(weather);
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "BIGMAP");
        copy_text(Plr.name, "Tester");  // the message log goes to "Tester/msglog.txt"
        make_folder("Tester");
        Plr.day = 1;
        Plr.month = 1;
        Plr.hour = 8;
        Plr.travel_mode = 1;
        Plr.fatigue = 50.0f;
        Plr.total_minutes = 1000;
        reset_clock_state();
        last_hour = 8;
        quit_state = 0;
        turn_time_state = 0;
        task_interrupt_request = 0;
        task_key_request = 0;
        message_pause_count = 0;
        last_message[0] = 0;
        world = TaskWorld{};
        clock_services = ClockServices{};
        SpendTimeSeams s{};
        s.now_ms = [] { return world.now; };
        s.sleep_ms = [](uint32_t ms) {
            world.now += ms;
            world.slept += ms;
        };
        s.poll_key = [] {
            if (!world.keys.empty() && world.keys.front().first == world.updates) {
                int k = world.keys.front().second;
                world.keys.pop_front();
                return k;
            }
            return 0;
        };
        s.ask_yes_no = [](const char* q) {
            world.last_question = q;
            ++world.questions;
            int a = world.answers.empty() ? 0 : world.answers.front();
            if (!world.answers.empty()) world.answers.pop_front();
            return a;
        };
        s.ask_yes_no_default_yes = s.ask_yes_no;
        s.update_map_objects = [] {
            ++world.updates;
            if (world.updates == world.event_at && world.event) world.event();
        };
        s.body_check = [](int) { ++world.body_checks; };
        s.adjacent_fighters = [] { return world.fighters; };
        s.count_helping_companions = [] { return world.helpers; };
        spend_time_seams = s;
    }
    void TearDown() override {
        Plr = saved_;
        weather = *saved_weather_;
        spend_time_seams = SpendTimeSeams{};
        clock_services = default_clock_services();
        reset_clock_state();
        turn_time_state = 0;
        quit_state = 0;
    }
    // Everything shown on the message line since the start of the test.
    std::string messages() const { return folder_.exists("Tester/msglog.txt") ? folder_.read("Tester/msglog.txt") : ""; }
    PlayFolder folder_{false};

private:
    PlayerRecord saved_;
    std::unique_ptr<WeatherModel> saved_weather_;
};

TEST_F(SpendTimeTest, OneMinuteTaskIsOneStep) {
    EXPECT_EQ(spend_time_on_task(0, 1, "gathering", 0, 0), 1);
    EXPECT_EQ(Plr.total_minutes, 1001);
    EXPECT_EQ(Plr.minute, 1);
    EXPECT_EQ(world.updates, 1);
    EXPECT_EQ(world.slept, 0u);
    EXPECT_EQ(turn_time_state, TURN_ONE_TURN);
}

TEST_F(SpendTimeTest, RefusalsCostNoTime) {
    struct Case {
        const char* what;
        int minutes, flags, travel_mode, fighters;
        const char* message;
    } cases[] = {
        {"too long", 721, 0, 1, 0,
         "!It takes far too long to accomplish this task like that! It's practically impossible."},
        {"too long in ticks", 721, TASK_FINE_TICKS, 1, 0,
         "!It takes far too long to accomplish this task like that! It's practically impossible."},
        {"swimming", 10, 0, 2, 0, "!That's something you can not do while swimming!"},
        {"combat", 10, 0, 1, 1, "!Get rid of the combat situation first!"},
    };
    for (const Case& c : cases) {
        Plr.travel_mode = uint8_t(c.travel_mode);
        world.fighters = c.fighters;
        turn_time_state = 0;
        last_message[0] = 0;
        const int32_t before = Plr.total_minutes;
        const int32_t ticks = Plr.tick_count;
        EXPECT_EQ(spend_time_on_task(0, c.minutes, "resting", 0, c.flags), 0) << c.what;
        EXPECT_STREQ(last_message, c.message) << c.what;
        EXPECT_EQ(Plr.total_minutes, before) << c.what;
        EXPECT_EQ(Plr.tick_count, ticks) << c.what;
        EXPECT_EQ(world.updates, 0) << c.what;
        EXPECT_EQ(turn_time_state, 0) << c.what;
    }
}

TEST_F(SpendTimeTest, TwelveHoursRunAndEndWithTenSeconds) {
    EXPECT_EQ(spend_time_on_task(0, 720, "waiting", 0, 0), 1);
    EXPECT_EQ(world.updates, 720);
    EXPECT_EQ(world.body_checks, 720);
    EXPECT_EQ(Plr.total_minutes, 1000 + 720);
    EXPECT_EQ(clock_seconds, 10);  // the completed task adds 10 seconds
    EXPECT_EQ(Plr.tick_count, 1);
    EXPECT_EQ(turn_time_state, TURN_LONG_TASK);
    normalize_game_clock();
    EXPECT_EQ(Plr.hour, 20);
    EXPECT_EQ(Plr.minute, 0);
    // Paced in real time: one step each 1000 / 720 ms, at least 1 ms.
    EXPECT_GE(world.slept, 719u);
}

TEST_F(SpendTimeTest, LongFlagAllowsMoreThanTwelveHours) {
    EXPECT_EQ(spend_time_on_task(0, 800, "felling", 0, TASK_LONG_RESUMABLE), 1);
    EXPECT_EQ(world.updates, 800);
    EXPECT_EQ(task_resumable, 1);
}

TEST_F(SpendTimeTest, StepsAndPauses) {
    struct Case {
        int seconds, minutes, flags, steps, pause;
    } cases[] = {
        {30, 2, TASK_FINE_TICKS, 15, 83},   // 3 + 12 ticks; 1000 / 2 / 6
        {0, 10, 0, 10, 100},
        {0, 3, 0, 3, 200},                  // at most 200 ms
        {240, 0, TASK_FINE_TICKS, 24, 166}, // no minutes: 1000 / 6
        {50, 30, 0, 30, 33},                // seconds count only in ticks
    };
    for (const Case& c : cases) {
        EXPECT_EQ(task_step_count(c.seconds, c.minutes, c.flags), c.steps);
        EXPECT_EQ(task_step_pause_ms(c.minutes, c.flags), c.pause);
    }
}

TEST_F(SpendTimeTest, FineTicksAdvanceTenSecondsEach) {
    EXPECT_EQ(spend_time_on_task(30, 2, "cooking", 0, TASK_FINE_TICKS), 1);
    EXPECT_EQ(world.updates, 15);
    // 15 ticks of 10 s = 150 s: two full minutes counted, then the final 10 s.
    EXPECT_EQ(Plr.total_minutes, 1002);
    EXPECT_EQ(Plr.tick_count, 16);
    EXPECT_EQ(world.slept, 15u * 83u);
}

TEST_F(SpendTimeTest, PacingWaitsForRealTime) {
    SpendTimeSeams s = spend_time_seams;
    s.sleep_ms = [](uint32_t ms) {
        // A sleep that wakes early: the loop must wait on.
        uint32_t part = (ms + 1) / 2;
        world.now += part;
        world.slept += part;
    };
    spend_time_seams = s;
    const uint32_t start = world.now;
    EXPECT_EQ(spend_time_on_task(0, 10, "resting", 0, 0), 1);
    EXPECT_EQ(world.now - start, 10u * 100u);
}

TEST_F(SpendTimeTest, ConfiguredDelayIsAddedToEachStep) {
    struct Case {
        const char* value;
        uint32_t slept;
    } cases[] = {{"50", 10u * 150u}, {"-40", 10u * 100u}, {"junk", 10u * 100u}};
    for (const Case& c : cases) {
        folder_.write("ksm_ini.txt", std::string("[SPEND_DELAY_ADD:") + c.value + "]\n");
        world = TaskWorld{};
        EXPECT_EQ(spend_time_on_task(0, 10, "resting", 0, 0), 1);
        EXPECT_EQ(world.slept, c.slept) << c.value;
    }
}

TEST_F(SpendTimeTest, EscWithTheCancelFlagStopsAtOnce) {
    world.keys.push_back({3, KEY_ESC});
    EXPECT_EQ(spend_time_on_task(0, 30, "carving", 0, TASK_ESC_STOPS), 0);
    EXPECT_STREQ(last_message, "!Task cancelled!");
    EXPECT_EQ(world.questions, 0);
    EXPECT_EQ(world.updates, 3);
    EXPECT_EQ(Plr.total_minutes, 1002);  // the time spent is kept
    EXPECT_EQ(turn_time_state, TURN_LONG_TASK);
}

TEST_F(SpendTimeTest, EscAsksBeforeCancelling) {
    // "No" goes on, "yes" stops.
    world.keys.push_back({2, KEY_ESC});
    world.keys.push_back({5, KEY_ESC});
    world.answers = {0, 1};
    EXPECT_EQ(spend_time_on_task(0, 30, "carving", 0, 0), 0);
    EXPECT_EQ(world.questions, 2);
    EXPECT_EQ(world.last_question, "Cancel current task?");
    EXPECT_EQ(world.updates, 5);
    EXPECT_STREQ(last_message, "!Task cancelled!");
}

TEST_F(SpendTimeTest, ResumableTaskTakesABreak) {
    world.keys.push_back({10, KEY_ESC});
    world.answers = {1};
    EXPECT_EQ(spend_time_on_task(0, 100, "weaving", 0, TASK_LONG_RESUMABLE), 0);
    EXPECT_EQ(task_resumable, 1);
    EXPECT_EQ(world.last_question, "Take a break?");
    EXPECT_STREQ(last_message, "_Task paused, to be continued at will.");
}

TEST_F(SpendTimeTest, RestedAwayTheFatigue) {
    Plr.fatigue = 0.0f;
    EXPECT_EQ(spend_time_on_task(240, 0, "standing by until not fatigued", 0, 0x6C), 1);
    EXPECT_EQ(world.updates, 1);
    EXPECT_STREQ(last_message, "&You have rested away the fatigue.");
    EXPECT_EQ(turn_time_state, TURN_LONG_TASK);
}

TEST_F(SpendTimeTest, InterruptionsStopTheTask) {
    struct Case {
        const char* what;
        void (*event)();
        const char* message;
    } cases[] = {
        {"interrupt request", [] { task_interrupt_request = 2; }, "Your task is interrupted."},
        {"attack request", [] { task_interrupt_request = 3; }, "You have been attacked..."},
        {"combat", [] { world.fighters = 1; }, "You're engaged with a hostile creature..."},
        {"injury", [] { Plr.wounds[0][3] = 7; }, "You got injured!"},
        {"key request that stops", [] { task_key_request = -2; }, "Task cancelled!"},
        {"fainted", [] { Plr.body_state = 4; }, "Task cancelled!"},
        {"dead", [] { quit_state = -1; }, "Task cancelled!"},
    };
    for (const Case& c : cases) {
        world = TaskWorld{};
        world.event_at = 4;
        world.event = c.event;
        Plr.body_state = 0;
        quit_state = 0;
        std::memset(Plr.wounds, 0, sizeof Plr.wounds);
        remove_file("Tester/msglog.txt");
        last_message[0] = 0;
        EXPECT_EQ(spend_time_on_task(0, 20, "digging", 0, TASK_ESC_STOPS), 0) << c.what;
        EXPECT_EQ(world.updates, 4) << c.what;
        EXPECT_NE(messages().find(c.message), std::string::npos) << c.what << ": " << messages();
        EXPECT_STREQ(last_message, "!Task cancelled!") << c.what;
        EXPECT_EQ(task_interrupt_request, 0) << c.what;
        EXPECT_EQ(task_key_request, 0) << c.what;
    }
}

TEST_F(SpendTimeTest, TirednessStopsOnlyAResumableTask) {
    Plr.fatigue = 100.0f;
    EXPECT_EQ(spend_time_on_task(0, 10, "sewing", 0, 0), 1);
    EXPECT_EQ(world.updates, 10);
    world = TaskWorld{};
    EXPECT_EQ(spend_time_on_task(0, 40, "sewing", 0, TASK_LONG_RESUMABLE), 0);
    EXPECT_EQ(world.updates, 2);  // 5 % of 40 steps
    EXPECT_STREQ(last_message, "_Task paused, to be continued at will.");
}

TEST_F(SpendTimeTest, CompanionsShortenTheTask) {
    world.helpers = 1;
    EXPECT_EQ(spend_time_on_task(0, 100, "building", 0, TASK_COMPANIONS | TASK_HELP_TWO), 1);
    EXPECT_LT(world.updates, 100);
    EXPECT_GT(world.updates, 50);
    world = TaskWorld{};
    EXPECT_EQ(spend_time_on_task(0, 100, "building", 0, TASK_COMPANIONS), 1);
    EXPECT_EQ(world.updates, 100);  // nobody to help
}

}  // namespace
