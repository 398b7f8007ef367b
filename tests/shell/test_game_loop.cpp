// The game loop, driven by a scripted command.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "shell/game_loop.h"
#include "game/spend_time.h"
#include "support/play_folder.h"
#include "support/screen_session.h"
#include "ui/message_line.h"
#include "game/player.h"
#include "objects/item_commands.h"

namespace {

// What the loop did in the passes of one test.
struct Record {
    int seconds = 0;
    int map_updates = 0;
    int daily_updates = 0;
    int commands = 0;
    int body_checks = 0;
    std::vector<int> script;  // results the scripted command returns
    int32_t quit_state_from_command = 0;
    bool set_quit_in_body_check = false;
};
Record rec;

void count_seconds(int s) { rec.seconds += s; }
void count_map_update() { ++rec.map_updates; }
void count_daily() {
    ++rec.daily_updates;
    Plr.day_change_mark = Plr.day;
}
void count_body_check(int) {
    ++rec.body_checks;
    if (rec.set_quit_in_body_check) quit_state = -1;
}
int scripted_command() {
    ++rec.commands;
    if (rec.quit_state_from_command != 0) quit_state = rec.quit_state_from_command;
    if (rec.script.empty()) return 0;
    int r = rec.script.front();
    rec.script.erase(rec.script.begin());
    return r;
}

class GameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        saved_services_ = game_services;
        rec = Record{};
        GameLoopServices s{};
        s.advance_seconds = count_seconds;
        s.update_map_objects = count_map_update;
        s.start_new_day = count_daily;
        s.plr_body_check = count_body_check;
        s.player_command = scripted_command;
        game_services = s;
        quit_state = 0;
        quit_now = 0;
        reset_game_state();
        Plr.day = 1;
        Plr.hour = 9;
        Plr.day_change_mark = 1;
    }
    void TearDown() override {
        game_services = saved_services_;
        Plr = saved_;
        quit_state = 0;
        reset_game_state();
    }
    PlayerRecord saved_;
    GameLoopServices saved_services_;
};

TEST_F(GameLoop, TimeByAdvantageAndTurnState) {
    struct Case {
        int32_t advantage;
        uint8_t turn_state;
        int seconds;
        int updates;
    } cases[] = {
        {ADVANTAGE_NOBODY, 0, 0, 0}, {ADVANTAGE_NOBODY, 1, 6, 1}, {ADVANTAGE_NOBODY, 2, 0, 1},
        {ADVANTAGE_NOBODY, 3, 0, 0}, {ADVANTAGE_PLAYER, 1, 0, 0}, {5, 0, 6, 2},
        {0, 3, 6, 2},
    };
    for (const Case& c : cases) {
        rec = Record{};
        tactical_advantage = c.advantage;
        last_tactical_advantage = c.advantage;
        turn_time_state = c.turn_state;
        EXPECT_EQ(game_loop_pass(), 0);
        EXPECT_EQ(rec.seconds, c.seconds) << c.advantage << "/" << int(c.turn_state);
        EXPECT_EQ(rec.map_updates, c.updates) << c.advantage << "/" << int(c.turn_state);
        EXPECT_EQ(rec.commands, 1);
        EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY) << "the advantage is used up";
    }
}

TEST_F(GameLoop, DailyUpdateFromEightOnANewDay) {
    struct Case {
        uint8_t day, hour, minute, mark;
        int runs;
        uint8_t mark_after;
    } cases[] = {
        {2, 7, 59, 1, 0, 1},   // not before 8 o'clock
        {2, 8, 0, 1, 1, 2},    // the first pass from 8:00
        {2, 23, 0, 1, 1, 2},
        {2, 8, 0, 2, 0, 2},    // already done today
        {1, 8, 0, 0, 0, 1},    // a new character: only the day is stored
        {1, 7, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        rec = Record{};
        Plr.day = c.day;
        Plr.hour = c.hour;
        Plr.minute = c.minute;
        Plr.day_change_mark = c.mark;
        turn_time_state = TURN_ONE_TURN;
        game_loop_pass();
        EXPECT_EQ(rec.daily_updates, c.runs) << int(c.day) << " " << int(c.hour) << ":" << int(c.minute);
        EXPECT_EQ(Plr.day_change_mark, c.mark_after);
    }
}

TEST_F(GameLoop, NoDailyUpdateWhileTheWorldStandsStill) {
    Plr.day = 2;
    Plr.hour = 8;
    turn_time_state = TURN_NO_TIME;
    game_loop_pass();
    EXPECT_EQ(rec.daily_updates, 0);
    turn_time_state = TURN_ONE_TURN;
    game_loop_pass();
    EXPECT_EQ(rec.daily_updates, 1);
}

TEST_F(GameLoop, LoopRunsUntilTheCommandSaysStop) {
    rec.script = {1, 1, 1, 0};
    turn_time_state = TURN_ONE_TURN;
    game_loop();
    EXPECT_EQ(rec.commands, 4);
}

TEST_F(GameLoop, DeathEndsTheLoopBeforeTheNextCommand) {
    // Death during a command: the command's result doesn't keep the loop going.
    rec.script = {1, 1, 1};
    rec.quit_state_from_command = -1;
    game_loop();
    EXPECT_EQ(rec.commands, 1);

    // Death in the body check: no command is read at all.
    rec = Record{};
    quit_state = 0;
    rec.script = {1, 1};
    rec.set_quit_in_body_check = true;
    turn_time_state = TURN_ONE_TURN;
    game_loop();
    EXPECT_EQ(rec.body_checks, 1);
    EXPECT_EQ(rec.commands, 0);

    // Already dead: the pass ends at once even when no time passed.
    rec = Record{};
    quit_state = -1;
    turn_time_state = TURN_NO_TIME;
    EXPECT_EQ(game_loop_pass(), 0);
    EXPECT_EQ(rec.commands, 0);
}

TEST_F(GameLoop, TurningKeysCostATurnAndAMapChangeCostsNone) {
    rec.script = {1};
    turn_time_state = TURN_NO_TIME;
    game_services.player_command = [] {
        move_turn_count = 4;  // the command turned the player a fourth time
        turn_time_state = TURN_NO_TIME;
        return 1;
    };
    game_loop_pass();
    EXPECT_EQ(turn_time_state, TURN_ONE_TURN);

    game_services.world_map_flag = [] { return 1; };
    game_loop_pass();
    EXPECT_EQ(turn_time_state, TURN_NO_TIME) << "turning costs nothing on the world map";

    game_services.world_map_flag = nullptr;
    game_services.player_command = [] {
        turn_time_state = TURN_ONE_TURN;
        map_change_request = 1;
        return 1;
    };
    game_loop_pass();
    EXPECT_EQ(turn_time_state, TURN_NO_TIME);
}

TEST_F(GameLoop, RequestsAreConsumed) {
    static int encounters, spirits, loads, places;
    encounters = spirits = loads = places = 0;
    game_services.world_encounter = [] { ++encounters; };
    game_services.spirit_mood_message = [] { ++spirits; };
    game_services.maploader = [](int mode) { loads += mode == 0; };
    game_services.enter_place = [] { ++places; };
    encounter_state = 3;
    Plr.hour = 14;
    turn_time_state = TURN_ONE_TURN;
    enter_place_request = 1;
    game_loop_pass();
    EXPECT_EQ(spirits, 1);
    EXPECT_EQ(encounter_state, 0);
    EXPECT_EQ(encounter_hour, 14);
    EXPECT_EQ(places, 1);
    EXPECT_EQ(enter_place_request, 0);
    EXPECT_EQ(view_rebuild_request, 0);

    // A pending map change goes first; the place entry waits.
    map_change_request = 1;
    enter_place_request = 1;
    recentre_request = 1;
    game_services.recentre_local_map = nullptr;
    game_loop_pass();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(places, 1);
    EXPECT_EQ(recentre_request, 0);
    EXPECT_EQ(encounters, 0);
}

// Before each command the task sound of the last task is forgotten, unless
// the game is ending (then a pending map change is dropped instead).
TEST_F(GameLoop, TheTaskSoundIsClearedBeforeEachCommand) {
    game_services.clear_task_sound = default_game_loop_services().clear_task_sound;
    copy_text(task_sound_name, sizeof task_sound_name, "saw");
    game_services.player_command = [] {
        EXPECT_STREQ(task_sound_name, "");
        return 1;
    };
    game_loop_pass();
    copy_text(task_sound_name, sizeof task_sound_name, "saw");
    quit_state = 1;
    map_change_request = 1;
    game_services.player_command = [] {
        EXPECT_STREQ(task_sound_name, "saw");
        EXPECT_EQ(map_change_request, 0);
        return 0;
    };
    game_services.maploader = nullptr;
    game_loop_pass();
    task_sound_name[0] = 0;
}

TEST_F(GameLoop, QuitNowExitsAfterTheCommand) {
    static int exits;
    exits = 0;
    game_services.quit_now_exit = [] { ++exits; };
    game_services.player_command = [] {
        quit_now = 1;
        return 1;
    };
    game_loop_pass();
    EXPECT_EQ(exits, 1);
}

// The message line over the loop's passes: the messages of one command
// stay in full colour; the first message of the next pass fades the older
// text of the window.
TEST_F(GameLoop, EachPassFadesTheLastPassesMessages) {
    PlayFolder play;  // the installation's font
    ScreenSession screen;
    ASSERT_NE(canvas, nullptr);
    const MessageRect& box = message_box;
    fill_canvas_rect(box.x, box.y, box.w, box.h, map_rgb(226, 197, 153));
    reset_message_line_state();
    skip_message_pauses = true;
    const Uint32 black = map_rgb(0, 0, 0);
    // The text area's rows from the top, and the bottom line where the last
    // message stands.
    const int top = box.y + 5, bottom_line = box.y + box.h - 10 - 5;
    auto count_in_rows = [&](int y0, int y1, auto&& match) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = box.x + 5; x <= box.x + box.w - 5; ++x)
                if (match(x, y, reinterpret_cast<Uint32*>(static_cast<uint8_t*>(canvas->pixels) + y * canvas->pitch)[x]))
                    ++n;
        return n;
    };
    auto is_black = [&](int, int, Uint32 p) { return p == black; };
    // Faded pixels carry their row's fade colour from before the window
    // scrolled one line up for the new message.
    auto is_faded = [&](int, int y, Uint32 p) {
        const int r = y + 10 - top + 1;
        return p == map_rgb(uint8_t(226 - r / 2), uint8_t(187 - r / 2), uint8_t(153 - r / 2));
    };

    // One command that says two things: both stay black.
    game_services.player_command = [] {
        show_message("first word");
        show_message("second word");
        return 1;
    };
    game_loop_pass();
    EXPECT_GT(count_in_rows(bottom_line - 10, bottom_line, is_black), 0) << "the first message, one line up";
    EXPECT_GT(count_in_rows(bottom_line, bottom_line + 10, is_black), 0);
    EXPECT_EQ(count_in_rows(top, bottom_line, is_faded), 0);

    // The next pass: its first message fades both older lines.
    game_services.player_command = [] {
        show_message("third word");
        return 0;
    };
    game_loop_pass();
    EXPECT_EQ(count_in_rows(top, bottom_line, is_black), 0) << "nothing older stays in full colour";
    EXPECT_GT(count_in_rows(bottom_line - 20, bottom_line, is_faded), 0) << "the older lines are faded";
    EXPECT_GT(count_in_rows(bottom_line, bottom_line + 10, is_black), 0) << "the new message is in full colour";
    skip_message_pauses = false;
}

TEST(GameState, ResetClearsThePerGameState) {
    map_change_request = 1;
    encounter_state = 2;
    turn_time_state = 3;
    view_rebuild_request = 0;
    tactical_advantage = 7;
    fire_burned_player = 1;
    reset_game_state();
    EXPECT_EQ(map_change_request, 0);
    EXPECT_EQ(fire_burn_mark, 0) << "the fire's burn of the last game";
    EXPECT_EQ(encounter_state, 0);
    EXPECT_EQ(turn_time_state, 0);
    EXPECT_EQ(view_rebuild_request, 1);
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);
}

TEST(IdleTimer, PushesOneWakeUpOnlyWhenWaitingAndIdle) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    idle_wake = 0;
    EXPECT_EQ(idle_timer_callback(333, nullptr), 333u);
    EXPECT_FALSE(SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT));

    idle_wake = 1;
    idle_timer_callback(333, nullptr);
    idle_timer_callback(333, nullptr);  // the queue is not empty any more
    SDL_Event events[4];
    int n = SDL_PeepEvents(events, 4, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(events[0].type, Uint32(SDL_USEREVENT));
    idle_wake = 0;
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
