// The player's key commands: every key reaches its service, with its
// activity code, side-panel label and time use; movement, zoom steps,
// world-map refusals, the time-skip key and the closed window.
#include <gtest/gtest.h>

#include <SDL.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <deque>
#include <string>

#include "../support/play_folder.h"
#include "console/console.h"
#include "maps/map_layers.h"
#include "objects/item_commands.h"
#include "shell/commands.h"
#include "base/stubs.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "game/spend_time.h"
#include "society/quest_commands.h"
#include "ui/boxes.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "screens/side_panel.h"

namespace {

std::deque<int> script;
bool next_from_mouse = false;

int scripted_key() {
    mouse_flag = false;
    if (script.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    int k = script.front();
    script.pop_front();
    if (next_from_mouse) {
        mouse_flag = true;
        next_from_mouse = false;
    }
    return k;
}

uint32_t fake_ms = 0;
uint32_t fake_now() { return fake_ms; }
void fake_sleep(uint32_t ms) { fake_ms += ms; }
int no_key() { return 0; }

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_Init(SDL_INIT_EVENTS);
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.travel_mode = 1;
        Plr.bodytemp = 37;
        Plr.day = 3;
        Plr.month = 4;
        Plr.hour = 10;
        Plr.body_weight = 160;
        player_x = 200;
        player_y = 200;
        facing = 2;
        quit_state = 0;
        quit_request = 0;
        museum_mode = 0;
        traditional_movement = 0;
        time_skip_mode = 0;
        move_turn_count = 0;
        debug_logs_on = 0;
        last_modifiers = 0;
        script.clear();
        menu_key_reader = scripted_key;
        // Message pauses would wait for the real keyboard.
        skip_message_pauses = true;
        spend_time_seams.now_ms = fake_now;
        spend_time_seams.sleep_ms = fake_sleep;
        spend_time_seams.poll_key = no_key;
        clear_stub_calls();
    }
    void TearDown() override {
        menu_key_reader = nullptr;
        spend_time_seams.now_ms = nullptr;
        spend_time_seams.sleep_ms = nullptr;
        spend_time_seams.poll_key = nullptr;
        quit_request = 0;
        SDL_Quit();
    }
    PlayFolder folder{true};
};

struct KeyCase {
    int key;
    const char* service;  // what the trace must hold
    int32_t value;        // INT_MIN: any
    const char* label;    // the side panel's command line, nullptr: not checked
    int turn_time;        // -1: not checked
    int result = 1;
};

TEST_F(CommandTest, EveryKeyReachesItsService) {
    const KeyCase cases[] = {
        {'b', "perform_activity", 454, nullptr, 0},
        {'f', "perform_activity", 33, nullptr, 0},
        {'w', "perform_activity", 423, nullptr, 0},
        {'W', "perform_activity", 420, nullptr, 0},
        {'T', "perform_activity", 426, nullptr, 0},
        {'d', "perform_activity", 424, nullptr, 0},
        {'m', "perform_activity", 700, nullptr, 0},
        {'p', "perform_activity", 701, nullptr, 0},
        {'t', "perform_activity", 800, nullptr, 0},
        {'a', "perform_activity", 900, nullptr, 0},
        {'C', "perform_activity", 450, nullptr, 0},
        {'!', "perform_activity", 449, nullptr, 0},
        {'Z', "perform_activity", 455, "Sleep", 0},
        {'u', "fall_prone", INT_MIN, nullptr, 1},
        {'M', "handcraft_options_menu", INT_MIN, "Make", 0},
        {'+', "handcraft_options_menu", INT_MIN, "Make", 0},
        {'=', "handcraft_options_menu", INT_MIN, "Make", 0},
        {'.', "advance_seconds", 10, "Rest/Pass a turn", 1},
        {KEY_CENTRE, "advance_seconds", 10, "Rest/Pass a turn", 1},
        {'-', "spend_time_on_task", 240, "Stand still", -1},
        {KEY_ALT_MINUS, "spend_time_on_task", 240, "Rest until not fatigued", -1},
        {'*', "developer_console", INT_MIN, nullptr, 0},
        {'q', "drink_command", INT_MIN, nullptr, 0},
        {'E', "eat_command", INT_MIN, nullptr, 0},
        {'e', "eat_command", INT_MIN, nullptr, 0},
        {'?', "key_help_screen", INT_MIN, nullptr, 0},
        {'D', "discard_items_command", INT_MIN, "Discard items", 0},
        {'X', "exchange_weapons", INT_MIN, "Exchange weapons", 0},
        {'i', "examine_carried_equipment", INT_MIN, nullptr, 0},
        {'v', "message_log_viewer", INT_MIN, nullptr, 0},
        {'A', "armour_coverage_screen", INT_MIN, "Armour coverage", 0},
        {'s', "skills_screen", INT_MIN, "Use skills", 0},
        {'R', "toggle_walk_run", INT_MIN, nullptr, 0},
        {'h', "toggle_hiding", INT_MIN, nullptr, 0},
        {'x', "choose_target_location", 18, nullptr, 0},
        {':', "describe_location", 1, nullptr, 0},
        {'o', "open_door", INT_MIN, nullptr, 0},
        {'c', "close_door", INT_MIN, nullptr, 0},
        {'0', "plr_attack_command", '0', nullptr, 0},
        {'1', "plr_attack_command", '1', nullptr, 0},
        {'2', "plr_attack_command", '2', nullptr, 0},
        {'3', "plr_attack_command", '3', nullptr, 0},
        {'9', "plr_attack_command", '9', nullptr, 0},
        {'l', "far_look_command", INT_MIN, "Look around", 0},
        {KEY_F3, "far_look_command", INT_MIN, "Look around", 0},
        {'g', "pick_up_command", 0, "Pick up something", 0},
        {',', "pick_up_command", 0, "Pick up something", 0},
        {'G', "pick_from_command", 0, nullptr, 0},
        {';', "pick_from_command", 0, nullptr, 0},
        {'/', "movement_menu", INT_MIN, nullptr, 0},
        {KEY_DELETE, "movement_menu", INT_MIN, nullptr, 0},
        {KEY_ESC, "help_and_options_menu", INT_MIN, nullptr, 0},
        {'Q', "confirm_quit", 0, nullptr, 0},
        // No character folder here: the save fails and the game goes on.
        {KEY_CTRL_S, "confirm_quit", 1, "Save the game", 0, 1},
        {KEY_ENTER, "terrain_map", 0, "Zoom (in/out)", 0},
        {KEY_F1, "infobrowser", INT_MIN, nullptr, 0},
        {KEY_F4, "perform_spell_command", INT_MIN, nullptr, 0},
        {KEY_F5, "game_course_screen", INT_MIN, nullptr, 0},
        {KEY_F6, "known_areas_map_screen", INT_MIN, nullptr, 0},
        {KEY_F7, "treat_wounds_command", INT_MIN, nullptr, 0},
        // A step's time is the movement service's own (tests/creatures).
        {KEY_UP, "MovePlayer", 1, nullptr, -1},
        {KEY_DOWN, "MovePlayer", -1, nullptr, -1},
        {KEY_ALT_A + 4, "sort_skills_by_group", INT_MIN, nullptr, 0},
    };
    for (const KeyCase& c : cases) {
        Plr.body_state = 0;
        show_command_line("INIT");
        turn_time_state = 0;
        int r = run_command_key(c.key, false);
        std::string what = "key " + std::to_string(c.key);
        EXPECT_EQ(r, c.result) << what;
        EXPECT_TRUE(command_trace_has(c.service, c.value == INT_MIN ? INT32_MIN : c.value))
            << what << " did not reach " << c.service;
        if (c.label) {
            EXPECT_STREQ(command_line_text, c.label) << what;
        }
        if (c.turn_time >= 0) {
            EXPECT_EQ(turn_time_state, c.turn_time) << what;
        }
    }
    // The stubs of the later services see the calls too.
    clear_stub_calls();
    run_command_key('b', false);
    EXPECT_TRUE(stub_was_called("butcher_carcass_command"));
}

TEST_F(CommandTest, KeysThatChangeStateOrSayWhy) {
    // "u" while prone gets up (activity 452), one turn either way.
    Plr.body_state = 1;
    run_command_key('u', false);
    EXPECT_TRUE(command_trace_has("perform_activity", 452));
    EXPECT_EQ(turn_time_state, 1);
    Plr.body_state = 0;
    run_command_key('u', false);
    EXPECT_EQ(Plr.body_state, 1);

    run_command_key('L', false);
    EXPECT_NE(std::strstr(last_message, "Character log is no longer in use."), nullptr);

    // Repeat the last activity: the command line ends with its own name.
    perform_activity(612, 3, "birch");
    run_command_key('r', false);
    EXPECT_TRUE(command_trace_has("perform_activity", 612));
    EXPECT_EQ(last_activity_argument, 3);
    EXPECT_STREQ(last_activity_data, "birch");
    perform_activity(27, 0, "");
    run_command_key('r', false);
    EXPECT_STREQ(command_line_text, "Grind flour");

    // Resting while swimming is refused and costs nothing.
    Plr.travel_mode = 2;
    turn_time_state = 0;
    run_command_key('-', false);
    EXPECT_FALSE(command_trace_has("spend_time_on_task"));
    EXPECT_NE(std::strstr(last_message, "while swimming"), nullptr) << last_message;
    run_command_key(KEY_ALT_MINUS, false);
    EXPECT_FALSE(command_trace_has("spend_time_on_task"));
    Plr.travel_mode = 1;

    // Museum mode: Ctrl+S does nothing.
    museum_mode = 1;
    EXPECT_EQ(run_command_key(KEY_CTRL_S, false), 1);
    EXPECT_FALSE(command_trace_has("confirm_quit"));
    museum_mode = 0;

    // F2 only with active quests; F8 only with the console's big-tile switch.
    quests_active = 0;
    run_command_key(KEY_F2, false);
    EXPECT_FALSE(command_trace_has("quest_journal"));
    quests_active = 1;
    run_command_key(KEY_F2, false);
    EXPECT_TRUE(command_trace_has("quest_journal"));
    quests_active = 0;
    run_command_key(KEY_F8, false);
    EXPECT_EQ(command_trace_count, 0);

    // Held attack keys do not attack again.
    run_command_key('1', true);
    EXPECT_FALSE(command_trace_has("plr_attack_command"));
}

TEST_F(CommandTest, DebugLogsToggleAsksFirst) {
    script = {'y'};
    run_command_key('&', false);
    EXPECT_EQ(debug_logs_on, 1);
    run_command_key('&', false);
    EXPECT_EQ(debug_logs_on, 0);
    EXPECT_NE(std::strstr(last_message, "DEBUG LOGS DISABLED"), nullptr) << last_message;
    script = {'n'};
    run_command_key('&', false);
    EXPECT_EQ(debug_logs_on, 0);
}

TEST_F(CommandTest, WorldMapRefusesLocalOnlyKeys) {
    copy_text(Plr.map_name, "BIGMAP");
    for (int key : {'o', 'c', '0', '1', '2', '3', '9'}) {
        copy_text(last_message, "");
        run_command_key(key, false);
        EXPECT_TRUE(command_trace_has("world_map_refusal", key)) << char(key);
        EXPECT_FALSE(command_trace_has("plr_attack_command")) << char(key);
        EXPECT_FALSE(command_trace_has("open_door")) << char(key);
        EXPECT_NE(std::strstr(last_message, "not allowed on the wilderness map"), nullptr)
            << char(key) << ": " << last_message;
    }
    run_command_key('h', false);
    EXPECT_FALSE(command_trace_has("toggle_hiding"));
}

TEST_F(CommandTest, MapZoomStepsAndToggle) {
    struct {
        float from;
        int key;
        float to;
    } steps[] = {
        {0.5f, KEY_CTRL_PLUS, 0.63f},   {0.63f, KEY_CTRL_PLUS, 0.815f},
        {0.815f, KEY_CTRL_PLUS, 1.0f},  {1.0f, KEY_CTRL_PLUS, 1.0f},
        {1.0f, KEY_CTRL_MINUS, 0.815f}, {0.815f, KEY_CTRL_MINUS, 0.63f},
        {0.63f, KEY_CTRL_MINUS, 0.5f},  {0.5f, KEY_CTRL_MINUS, 0.5f},
        {1.0f, KEY_CTRL_0, 0.5f},       {0.5f, KEY_CTRL_0, 1.0f},
        {0.815f, KEY_CTRL_0, 1.0f},
    };
    for (const auto& s : steps)
        EXPECT_NEAR(next_map_zoom(s.from, s.key), s.to, 1e-4) << s.from << " key " << s.key;
    // Sums that land a hair below 1.0 still become exactly 1.0.
    EXPECT_EQ(next_map_zoom(0.63f + 0.185f, KEY_CTRL_PLUS), 1.0f);

    // Through the keys: the geometry follows and the map frame is redrawn.
    map_view.zoom = 0.5f;
    for (float want : {0.63f, 0.815f, 1.0f}) {
        run_command_key(KEY_CTRL_PLUS, false);
        EXPECT_NEAR(map_view.zoom, want, 1e-4);
    }
    EXPECT_EQ(map_view.zoom, 1.0f);
    EXPECT_TRUE(command_trace_has("set_map_view_geometry", 1000));
    EXPECT_TRUE(command_trace_has("refresh_map_panel"));
    for (float want : {0.815f, 0.63f, 0.5f}) {
        run_command_key(KEY_CTRL_MINUS, false);
        EXPECT_NEAR(map_view.zoom, want, 1e-4);
    }
    run_command_key(KEY_CTRL_0, false);
    EXPECT_EQ(map_view.zoom, 1.0f);
    run_command_key(KEY_CTRL_0, false);
    EXPECT_EQ(map_view.zoom, 0.5f);
}

TEST_F(CommandTest, TurningKeysCostATurnOnlyOnLocalMaps) {
    for (int i = 0; i < 4; ++i) run_command_key(KEY_LEFT, false);
    EXPECT_EQ(move_turn_count, 4);  // the game loop makes this one turn
    EXPECT_EQ(facing, (2 + 4) % 8);
    EXPECT_EQ(turn_time_state, 0);

    move_turn_count = 0;
    copy_text(Plr.map_name, "BIGMAP");
    for (int i = 0; i < 4; ++i) run_command_key(KEY_RIGHT, false);
    EXPECT_EQ(move_turn_count, 0);
    EXPECT_EQ(facing, 2);
    copy_text(Plr.map_name, "ZOOMMAP");

    // Turning around counts twice; in a watercraft every turn costs.
    move_turn_count = 0;
    Plr.travel_mode = 3;
    run_command_key(KEY_END, false);
    EXPECT_EQ(move_turn_count, 2);
    EXPECT_EQ(facing, 6);
    EXPECT_EQ(turn_time_state, 1);
}

TEST_F(CommandTest, TraditionalMovementTurnsAndSteps) {
    traditional_movement = 1;
    struct {
        int facing, key;
        bool steps;
        int new_facing;
    } cases[] = {
        {7, KEY_PGUP, true, 1},   // heading 1 is two steps from 7
        {4, KEY_PGUP, false, 1},  // four steps away: only turns
        {2, KEY_UP, true, 2},
        {0, KEY_LEFT, false, 4},
        {1, KEY_DOWN, false, 6},
        {5, KEY_DOWN, true, 6},
    };
    for (const auto& c : cases) {
        facing = c.facing;
        clear_stub_calls();
        run_command_key(c.key, false);
        EXPECT_EQ(command_trace_has("MovePlayer", 1), c.steps) << c.facing << " " << c.key;
        EXPECT_EQ(facing, c.new_facing);
    }
    // With Ctrl a key steps toward its compass direction without turning.
    last_modifiers = KMOD_LCTRL;
    facing = 5;
    const int keys[8] = {KEY_UP, KEY_PGUP, KEY_RIGHT, KEY_PGDN, KEY_DOWN, KEY_END, KEY_LEFT, KEY_HOME};
    for (int k = 0; k < 8; ++k) {
        run_command_key(keys[k], false);
        EXPECT_TRUE(command_trace_has("MovePlayer", 100 + k)) << k;
    }
    EXPECT_EQ(facing, 5);
    run_command_key('g', false);
    EXPECT_TRUE(command_trace_has("pick_up_command", 1));
    EXPECT_STREQ(command_line_text, "Pick up and wield");
}

TEST_F(CommandTest, SpaceSkipsTimeInTheConsolesMode) {
    Plr.fatigue = 40;
    Plr.plr_sleepiness = 900;
    run_command_key(' ', false);
    EXPECT_EQ(command_trace_count, 0);  // mode 0: nothing
    time_skip_mode = 2;
    int before = Plr.total_minutes;
    run_command_key(' ', false);
    EXPECT_TRUE(command_trace_has("advance_minutes", 60));
    EXPECT_EQ(Plr.total_minutes - before, 60);
    EXPECT_EQ(turn_time_state, 1);
    EXPECT_EQ(Plr.fatigue, 0.0f);
    EXPECT_EQ(Plr.plr_sleepiness, 0);
    EXPECT_NE(std::strstr(last_message, "iv\xE4ys: 3.4.   11:0"), nullptr) << last_message;
}

TEST_F(CommandTest, AWholeCommandReadsOneKey) {
    script = {'b'};
    EXPECT_EQ(player_command(), 1);
    EXPECT_TRUE(command_trace_has("perform_activity", 454));
    EXPECT_EQ(Plr.exertion, 2);

    // The window closed while a command was awaited: "Q".
    script.clear();
    EXPECT_EQ(player_command(), 1);
    EXPECT_TRUE(command_trace_has("confirm_quit", 0));

    // A click that no command takes is explained and dropped.
    quit_request = 0;
    script = {KEY_ENTER};
    next_from_mouse = true;
    player_command();
    EXPECT_FALSE(command_trace_has("terrain_map"));
    EXPECT_NE(std::strstr(last_message, "[ESC] or [?]"), nullptr) << last_message;

    // A dead character reads no key.
    quit_state = -1;
    script = {'b'};
    EXPECT_EQ(player_command(), 0);
    EXPECT_EQ(script.size(), 1u);
}

TEST_F(CommandTest, BeforeACommandTheMapObjectsArePackedAndPurgedWhenAsked) {
    reset_map_object_table();
    for (int i = 0; i < 300; ++i) {
        Data[i].TYPE = i % 2 ? 1 : 99;  // items and blood marks
        Data[i].x = Data[i].y = 210;
        Data[i].DATA = 1000 + i;
        Data[i].amount = 1;
    }
    Data[1].TYPE = KIND_FREED;
    prepare_command_turn();
    EXPECT_EQ(Data[1].DATA, 1002) << "packed before every command";
    EXPECT_EQ(Data[299].TYPE, 0);

    // A search passed 9,900: purged and packed, and the request cleared.
    purge_requested = 1;
    prepare_command_turn();
    EXPECT_EQ(purge_requested, 0);
    int blood = 0, items = 0;
    for (const MapObject& o : Data) {
        blood += o.TYPE == 99;
        items += o.TYPE == 1;
    }
    EXPECT_EQ(blood, 150 - 101);
    EXPECT_EQ(items, 149);
    EXPECT_EQ(Data[149 + 49].TYPE, 0);
    reset_map_object_table();
}

TEST(CommandStreams, OnlyTheGamesOwnStreamsAreClosed) {
    PlayFolder folder(false);
    FILE* f = std::fopen("left_open.txt", "wb");
    ASSERT_NE(f, nullptr);
    register_game_stream(f);
    register_game_stream(stdout);
    register_game_stream(stderr);
    EXPECT_EQ(close_stray_streams(), 1);
    EXPECT_EQ(close_stray_streams(), 0);
    EXPECT_GE(std::fprintf(stdout, "%s", ""), 0);  // still open
}

}  // namespace
