// The player's step on small fixture maps: where it goes and what it costs,
// heights, fire, traps and creatures in the way, wading, swimming and
// rowing, doors and gates, the map's edges, the noise of a step, running,
// hiding and the movement menu. A refusal must leave the position, the
// clock and the character record as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/stubs.h"
#include "body/wounds.h"
#include "console/console.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/movement_commands.h"
#include "creatures/player_step.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/key_script.h"
#include "support/play_folder.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr uint8_t WATER = 247;
constexpr uint8_t FENCE = 42;
// Item types of the tests.
constexpr int BOAT = 1;    // a watercraft of kind 820, 100 lb
constexpr int SESTA = 2;   // a pushing pole, wielded
constexpr int STONE = 3;   // 10 lb
constexpr int BRANCH = 4;  // kind 418: a craft pushes it aside
constexpr int FRIEND = 5;  // creature slots
constexpr int WOLF = 6;

std::vector<std::string> logged_lines;

void log_into_folder(MessageLogStamp& out) { copy_text(out.folder, "LOG"); }

class PlayerStep : public ::testing::Test {
protected:
    void SetUp() override {
        make_folder(folder.file("LOG"));
        message_log_stamp = log_into_folder;
        skip_message_pauses = true;
        messages_suppressed = false;
        reset_last_message();
        ini("");
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(stored_world_terrain, GROUND, MAP_CELLS);
        std::memset(view_layer, ' ', MAP_CELLS);
        std::memset(Data, 0, sizeof Data);
        weather.current.ice = 150;  // water at 15 degrees: no cold warning
        weather.current.snow = 0;
        weather.current.snowtopice = 0;
        std::memset(&Plr, 0, sizeof Plr);
        Plr.travel_mode = 1;
        Plr.hour = 8;
        Plr.body_weight = 170;
        Plr.bodytemp = 37.0f;
        Plr.spd = 12;
        Plr.end = 12;
        Plr.str = 12;
        Plr.agi = 12;
        clock_seconds = 0;
        facing = 0;
        std::memset(CreSlotRefs, 0, sizeof CreSlotRefs);
        recentre_request = 0;
        map_change_request = 0;
        reset_movement_state();
        std::memset(ItemTypes, 0, sizeof ItemTypes);
        item(BOAT, ITEM_VEHICLE, 13, 820, 100.0f);
        item(SESTA, ITEM_TOOL, 13, 0, 8.0f).state_bits = OBJ_IN_FIRST_HAND;
        item(STONE, ITEM_TOOL, 0, 0, 10.0f);
        item(BRANCH, ITEM_TIMBER, 0, 418, 2.0f);
        on_local_map(232, 232);
        clear_stub_calls();
    }
    void TearDown() override {
        message_log_stamp = nullptr;
        std::memset(ItemTypes, 0, sizeof ItemTypes);
        for (int slot : {FRIEND, WOLF}) std::memset(&Cre[slot], 0, sizeof Cre[slot]);
        std::memset(CreSlotRefs, 0, sizeof CreSlotRefs);
        screen_hooks.choose_adjacent_square = saved_chooser_;
    }
    static ObjectRecord& item(int id, uint8_t cls, uint8_t sub, int kind, float weight) {
        ObjectRecord& r = ItemTypes[id];
        r.item_class = cls;
        r.subclass = sub;
        r.kind = kind;
        r.weight = r.full_weight = weight;
        copy_text(r.name, cls == ITEM_VEHICLE ? "Boat" : "Thing");
        return r;
    }
    void ini(const std::string& keys) { folder.write("ksm_ini.txt", keys); }
    void on_local_map(int x, int y) {
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 500;
        player_x = x;
        player_y = y;
    }
    void on_world_map(int x, int y) {
        std::memset(Plr.map_name, 0, sizeof Plr.map_name);
        copy_text(Plr.map_name, "BIGMAP");
        player_x = x;
        player_y = y;
        Plr.zoom_origin_x = x;
        Plr.zoom_origin_y = y;
    }
    static void cell(int x, int y, uint8_t terrain, int height = 0) {
        terrain_layer[map_index(x, y)] = terrain;
        height_layer[map_index(x, y)] = uint8_t(height);
    }
    // Level ground at a height.
    static void flat(int height) { std::memset(height_layer, height, MAP_CELLS); }
    // A lake over (x0..x1, y0..y1) whose shore cells stand at height 5 and
    // whose inner cells are `depth` deep: a cell's depth is 5 less its own
    // height.
    static void lake(int x0, int y0, int x1, int y1, int depth) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const bool rim = x == x0 || x == x1 || y == y0 || y == y1;
                cell(x, y, WATER, rim ? 5 : 5 - depth);
            }
    }
    static int put(uint8_t kind, int x, int y, int data, int amount = 1, uint8_t state = 0) {
        clear_staging_object();
        map_object_staging.TYPE = kind;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = data;
        map_object_staging.amount = uint16_t(amount);
        map_object_staging.state = state;
        return insert_map_object(-1);
    }
    // Runs a step from a clean turn.
    int step(int direction) {
        turn_time_state = TURN_NO_TIME;
        view_rebuild_request = 0;
        return MovePlayer(direction);
    }
    // The messages logged since the last call, each with its class mark.
    std::vector<std::string> said() {
        std::vector<std::string> out;
        std::ifstream f(folder.file("LOG/msglog.txt"));
        std::string line;
        size_t n = 0;
        while (std::getline(f, line)) {
            if (n++ < logged_) continue;
            const size_t bar = line.find("| ");
            const size_t mark = line.find(":[");
            std::string text = bar == std::string::npos ? line : line.substr(bar + 2);
            if (mark != std::string::npos && mark + 2 < line.size() && std::strchr("!#&+:=>?_", line[mark + 2]) &&
                line[mark + 3] == ']')
                text.insert(text.begin(), line[mark + 2]);
            out.push_back(text);
        }
        logged_ = n;
        return out;
    }
    ::testing::AssertionResult said_line(const std::string& text) {
        std::string all;
        for (const std::string& s : said()) {
            if (s.find(text) != std::string::npos) return ::testing::AssertionSuccess();
            all += "\n  " + s;
        }
        return ::testing::AssertionFailure() << "\"" << text << "\" was not said; said:" << all;
    }
    // What a refusal must leave alone.
    void remember() {
        before_ = Plr;
        before_x_ = player_x;
        before_y_ = player_y;
        before_seconds_ = clock_seconds;
    }
    void expect_unchanged(const char* what) {
        EXPECT_EQ(player_x, before_x_) << what;
        EXPECT_EQ(player_y, before_y_) << what;
        EXPECT_EQ(clock_seconds, before_seconds_) << what;
        EXPECT_EQ(turn_time_state, TURN_NO_TIME) << what;
        EXPECT_EQ(std::memcmp(&Plr, &before_, sizeof Plr), 0) << what << ": the record changed";
    }
    static void carry(int slot, int id, int count) {
        Plr.plr_inv_id[slot] = id;
        Plr.plr_inv_count[slot] = count;
    }
    void chooser(int (*f)(const char*, const char*)) { screen_hooks.choose_adjacent_square = f; }

    PlayFolder folder;  // the catalogue, the sight table and the configuration
    size_t logged_ = 0;
    PlayerRecord before_{};
    int before_x_ = 0, before_y_ = 0, before_seconds_ = 0;
    int (*saved_chooser_)(const char*, const char*) = screen_hooks.choose_adjacent_square;
};

TEST_F(PlayerStep, EveryDirectionCodeReachesItsNeighbourAndNoOtherCodeSteps) {
    struct Case {
        int code, heading, dx, dy;
    } cases[] = {
        {1, 0, 1, 0},     {1, 2, 0, -1},    {1, 5, -1, 1},   {-1, 0, -1, 0},  {-1, 2, 0, 1},
        {100, 0, 0, -1},  {101, 0, 1, -1},  {102, 4, 1, 0},  {103, 0, 1, 1},  {104, 0, 0, 1},
        {105, 0, -1, 1},  {106, 0, -1, 0},  {107, 6, -1, -1},
    };
    const int dirs[8][2] = {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    for (const Case& c : cases) {
        on_local_map(232, 232);
        facing = c.heading;
        Plr.facing = 0;
        EXPECT_EQ(step(c.code), 1) << c.code;
        EXPECT_EQ(player_x, 232 + c.dx) << c.code << " facing " << c.heading;
        EXPECT_EQ(player_y, 232 + c.dy) << c.code << " facing " << c.heading;
        // A step never turns the player; the record's copy follows the facing.
        EXPECT_EQ(facing, c.heading);
        EXPECT_EQ(Plr.facing, c.heading);
        EXPECT_EQ(turn_time_state, TURN_CLOCK_ADVANCED);
        EXPECT_EQ(last_step_result, 2);
        EXPECT_TRUE(Plr.LastActionBit & LAST_ACTION_STEP);
        int direction = -1;
        for (int d = 0; d < 8; ++d)
            if (dirs[d][0] == c.dx && dirs[d][1] == c.dy) direction = d;
        EXPECT_EQ(last_step_direction, direction) << c.code;
        EXPECT_EQ(previous_x, 232);
        EXPECT_EQ(previous_y, 232);
    }
    // A backward step keeps the facing and faces the other way in its step.
    facing = 1;
    Plr.LastActionBit = 0;
    step(-1);
    EXPECT_EQ(step_facing, 5);
    EXPECT_TRUE(Plr.LastActionBit & LAST_ACTION_UNSEEN_STEP);
    EXPECT_TRUE(step_flags & STEP_FLAG_UNSEEN);
    // Anything else is no step at all.
    for (int code : {2, -2, 99, 108, 1000}) {
        remember();
        EXPECT_EQ(step(code), 0) << code;
        expect_unchanged("no step");
    }
}

TEST_F(PlayerStep, StepTimeIsCountedInWholeSeconds) {
    struct Case {
        int base, terrain, mode, craft, paddle, seconds;
    } cases[] = {
        {2, GROUND, 1, 0, 0, 2},   // 1.8 s
        {2, GROUND, 2, 0, 0, 18},  // swimming
        {2, GROUND, 4, 0, 0, 9},   // wading
        {100, 15, 1, 0, 0, 120},   // 2 minutes exactly
        {100, 249, 1, 0, 0, 72},
        {100, 91, 1, 0, 0, 360},
        {2, GROUND, 3, 820, 1, 6},  // a poled boat
        {2, GROUND, 3, 820, 2, 2},
        {2, GROUND, 3, 821, 2, 8},  // a raft
        {2, GROUND, 3, 821, 1, 18},
    };
    for (const Case& c : cases)
        EXPECT_EQ(step_seconds(c.base, c.terrain, c.mode, c.craft, c.paddle), c.seconds)
            << c.base << " " << c.terrain << " mode " << c.mode;

    // On the world map the clock moves by whole minutes.
    for (uint8_t terrain : {uint8_t(15), GROUND, uint8_t(236)}) {
        on_world_map(1500, 1000);
        Plr.total_minutes = 0;
        Plr.minute = 0;
        cell(1501, 1000, terrain);
        step(1);
        EXPECT_EQ(Plr.total_minutes, terrain == 236 ? 6 : 2) << int(terrain);
        EXPECT_EQ(Plr.zoom_origin_x, 1501);
    }
}

TEST_F(PlayerStep, SixtySwimmingStepsTakeEighteenMinutes) {
    lake(200, 200, 260, 260, 4);
    on_local_map(232, 232);
    Plr.travel_mode = TRAVEL_SWIMMING;
    for (int i = 0; i < 60; ++i) ASSERT_EQ(step(i % 2 == 0 ? 1 : -1), 1) << i;
    EXPECT_EQ(Plr.total_minutes, 18);
    EXPECT_EQ(clock_seconds, 0);
    EXPECT_EQ(Plr.travel_mode, TRAVEL_SWIMMING);
    EXPECT_EQ(swim_steps, 60);
    // The count of steps swum stops at its top.
    swim_steps = 255;
    step(1);
    EXPECT_EQ(swim_steps, 255);
    // A look at the own cell starts the count anew.
    step(0);
    EXPECT_EQ(swim_steps, 0);
}

TEST_F(PlayerStep, HeightsStepFreelyAskForClimbingOrAreTooSteep) {
    ini("[AUTO_CLIMB_ELEVATION:NO]\n");
    cell(233, 232, GROUND, 1);
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(player_x, 233);

    cell(234, 232, GROUND, 3);
    said();
    remember();
    EXPECT_EQ(step(1), -1);
    expect_unchanged("a climb of 2 with AUTO_CLIMB_ELEVATION NO");
    EXPECT_EQ(said(), std::vector<std::string>{"!That's quite steep. Use your CLIMBING skill to move on."});

    cell(234, 232, GROUND, 4);
    remember();
    EXPECT_EQ(step(1), -1);
    expect_unchanged("a climb of 3");
    EXPECT_EQ(said(), std::vector<std::string>{"!That's too steep to be climbed!"});
    // Whatever the skill: the player never climbs 3.
    EXPECT_EQ(cre_climb_check(-1, 233, 232, 234, 232), CLIMB_TOO_STEEP);
    // Down is as steep as up.
    EXPECT_EQ(cre_climb_check(-1, 234, 232, 233, 232), CLIMB_TOO_STEEP);
    cell(234, 232, 20, 1);
    EXPECT_EQ(cre_climb_check(-1, 233, 232, 234, 232), CLIMB_TOO_STEEP);
}

TEST_F(PlayerStep, FireTrapsAndHolesRefuseAndALookAtTheOwnCellNeverAsks) {
    put(MK_FIRE, 233, 232, 0, 30);
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("fire");
    EXPECT_EQ(said(), std::vector<std::string>{"!You can't walk through the fire!"});

    // On the own cell a set trap and a thin-iced hole answer without a word.
    put(MK_TRAP, 232, 232, 0, 1, TRAP_SET);
    QueuedKeys keys;  // a question would read a key
    EXPECT_EQ(plr_check_step(232, 232, 232, 232, 0), STEP_REFUSED);
    Data[find_map_object(MK_TRAP, 232, 232)].TYPE = MK_FREED;
    put(MK_REFREEZING_HOLE, 232, 232, 0, 20);
    EXPECT_EQ(plr_check_step(232, 232, 232, 232, 0), STEP_REFUSED);
    EXPECT_EQ(said(), std::vector<std::string>{});
    // A real step onto a set trap asks; no refuses.
    put(MK_TRAP, 231, 232, 0, 1, TRAP_SET);
    keys.add({'N'});
    facing = 4;
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("a trap ahead");
    EXPECT_TRUE(said_line("?Really walk into a trap?"));
}

// A wolf east of the player, a companion south of it.
void place_wolf_and_companion() {
    for (int slot : {FRIEND, WOLF}) {
        std::memset(&Cre[slot], 0, sizeof Cre[slot]);
        CreSlotRefs[slot] = 1000 + slot;
    }
    Cre[FRIEND].cre_class = 1;
    Cre[FRIEND].party_flags = PARTY_MEMBER;
    copy_text(Cre[FRIEND].name, "hunter");
    Cre[WOLF].cre_class = 3;
    Cre[WOLF].kind = 611;
    copy_text(Cre[WOLF].name, "wolf");
}

TEST_F(PlayerStep, AStrangerBlocksAndASleeperIsWokenButStillBlocks) {
    place_wolf_and_companion();
    put(MK_CREATURE, 233, 232, 1000 + WOLF);
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("a wolf ahead");
    EXPECT_EQ(last_step_result, 1);
    EXPECT_TRUE(said_line("is in your way"));

    Cre[WOLF].move_mode = MOVE_MODE_ASLEEP;
    EXPECT_EQ(step(1), 0);
    expect_unchanged("a sleeping wolf ahead");
    EXPECT_NE(Cre[WOLF].move_mode, MOVE_MODE_ASLEEP) << "the wolf woke";
    EXPECT_EQ(Cre[WOLF].Puuha[0], 1) << "and wanders off";
    // Looking without stepping (direction 0) wakes nobody.
    Cre[WOLF].move_mode = MOVE_MODE_ASLEEP;
    EXPECT_EQ(plr_check_step(232, 232, 233, 232, 0), STEP_BLOCKED);
    EXPECT_EQ(Cre[WOLF].move_mode, MOVE_MODE_ASLEEP);
}

TEST_F(PlayerStep, ACompanionWithdrawsAndAFlyerBlocksNothing) {
    if (stub_slot("cre_is_companion") >= 0 || stub_slot("creature_altitude") >= 0)
        GTEST_SKIP() << "the creatures' companionship and altitude are not built yet";
    place_wolf_and_companion();
    put(MK_CREATURE, 233, 232, 1000 + WOLF);
    put(MK_CREATURE, 232, 233, 1000 + FRIEND);
    facing = 6;  // south, where the companion stands
    clear_stub_calls();
    EXPECT_EQ(step(1), 1);
    // It withdrew: a refuge to run for.
    EXPECT_TRUE(Cre[FRIEND].flee_x != 0 || Cre[FRIEND].flee_y != 0);
    EXPECT_EQ(player_y, 233);
    on_local_map(232, 232);
    facing = 0;
    Cre[WOLF].air_state = 100;
    EXPECT_EQ(step(1), 1);
}

TEST_F(PlayerStep, WadingInSwimmingRefusedAndOutOfTheWater) {
    ini("[AUTO_WADE:YES]\n[AUTO_SWIM:NO]\n");
    flat(5);
    lake(233, 228, 240, 236, 0);  // shallow everywhere
    cell(234, 232, WATER, 1);     // but 4 deep here
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(player_x, 233);
    EXPECT_EQ(Plr.travel_mode, TRAVEL_WADING);
    EXPECT_EQ(Plr.exertion, 6);
    EXPECT_TRUE(said_line("shallow here"));
    EXPECT_EQ(clock_seconds, 9);  // wading is slow

    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("deep water with AUTO_SWIM NO");
    EXPECT_EQ(said(), std::vector<std::string>{"!The water is deep here."});

    facing = 4;
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(Plr.travel_mode, TRAVEL_WALKING);
    EXPECT_TRUE(said_line("You step out of the water."));
    EXPECT_EQ(clock_seconds, 9 + 9);

    // AUTO_WADE anything but YES or ASK refuses without a word.
    ini("[AUTO_WADE:yes]\n");
    facing = 0;
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("AUTO_WADE yes");
}

TEST_F(PlayerStep, AWatercraftFloatsFortyStacksAndASestaReachesThreeDeep) {
    flat(5);
    lake(220, 220, 250, 250, 3);
    const int boat = put(MK_ITEM, 232, 232, BOAT);
    for (int i = 0; i < 39; ++i) put(MK_ITEM, 232, 232, STONE, 1);
    EXPECT_EQ(watercraft_overloaded(232, 232), 1);
    EXPECT_EQ(watercraft_overloaded(240, 240), 0);
    const int extra = put(MK_ITEM, 232, 232, STONE, 1);
    EXPECT_EQ(watercraft_overloaded(232, 232), 1);  // 40 stacks
    put(MK_ITEM, 232, 232, STONE, 1);
    said();
    EXPECT_EQ(watercraft_overloaded(232, 232), -1);  // 41
    EXPECT_TRUE(said_line("too heavily loaded"));
    // 100 lb of craft floats up to 20,000 lb.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_ITEM && Data[i].DATA == STONE && i != extra) Data[i].TYPE = MK_FREED;
    Data[extra].amount = 1999;
    EXPECT_EQ(watercraft_overloaded(232, 232), 1);
    Data[extra].amount = 2000;
    EXPECT_EQ(watercraft_overloaded(232, 232), -1);
    Data[extra].TYPE = MK_FREED;

    // Rowing with a sesta alone: depth 3 ahead, then 4.
    Plr.travel_mode = TRAVEL_ROWING;
    carry(0, SESTA, 1);
    cell(233, 232, WATER, 2);
    cell(234, 232, WATER, 1);
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(player_x, 233);
    EXPECT_EQ(Data[boat].x, 233);  // the craft carries itself along
    EXPECT_EQ(paddle_state, 1);
    said();
    remember();
    EXPECT_EQ(step(1), -1);
    expect_unchanged("a sesta in water 4 deep");
    EXPECT_TRUE(said_line("plain sesta"));
    // A branch ahead is pushed aside; a stone is in the way.
    cell(234, 232, WATER, 3);
    put(MK_ITEM, 234, 232, STONE);
    remember();
    EXPECT_EQ(step(1), -1);
    expect_unchanged("a stone ahead of the craft");
    Data[find_map_object(MK_ITEM, 234, 232)].TYPE = MK_FREED;
    put(MK_ITEM, 234, 232, BRANCH);
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(Data[boat].x, 234);
    for (const MapObject& o : Data) EXPECT_FALSE(o.TYPE == MK_ITEM && o.DATA == BRANCH);
}

TEST_F(PlayerStep, DoorsAndGatesOpenAndClose) {
    cell(233, 232, 254);
    said();
    EXPECT_EQ(open_door(233, 232), 1);
    EXPECT_EQ(terrain_at(233, 232), 22);
    EXPECT_EQ(said(), std::vector<std::string>{":You open the door."});
    EXPECT_EQ(open_door(233, 232), 0);
    EXPECT_EQ(said(), std::vector<std::string>{"!The door is already open."});
    chooser([](const char*, const char*) {
        target_x = 233;
        target_y = 232;
        return int(terrain_at(233, 232));
    });
    EXPECT_EQ(close_door(), 1);
    EXPECT_EQ(terrain_at(233, 232), 254);
    EXPECT_EQ(close_door(), 0);
    EXPECT_EQ(said(), (std::vector<std::string>{":You close the door.", "!The door is already closed."}));

    cell(233, 232, 44);
    EXPECT_EQ(open_door(233, 232), 1);
    EXPECT_EQ(terrain_at(233, 232), 45);
    EXPECT_EQ(close_door(), 1);
    EXPECT_EQ(terrain_at(233, 232), 44);
    cell(233, 232, GROUND);
    EXPECT_EQ(open_door(233, 232), 0);
    EXPECT_TRUE(said_line("no door there"));
    // Cancelled: nothing.
    chooser([](const char*, const char*) { return 0; });
    EXPECT_EQ(open_door(0, 0), 0);

    // Walking into a closed door opens it and leaves the player where it was.
    cell(233, 232, 254);
    said();
    EXPECT_EQ(step(1), 0);
    EXPECT_EQ(player_x, 232);
    EXPECT_EQ(terrain_at(233, 232), 22);
    EXPECT_EQ(clock_seconds, 0);
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(player_x, 233);
    // With AUTO_OPEN_DOOR NO the door is only in the way.
    ini("[AUTO_OPEN_DOOR:NO]\n");
    cell(234, 232, 254);
    said();
    EXPECT_EQ(step(1), 0);
    EXPECT_EQ(terrain_at(234, 232), 254);
    EXPECT_EQ(said(), std::vector<std::string>{"!There is a door in your way."});
    // A fence asks to be climbed unless AUTO_CLIMB_FENCE says no.
    ini("[AUTO_CLIMB_FENCE:NO]\n");
    cell(234, 232, FENCE);
    EXPECT_EQ(step(1), 0);
    EXPECT_EQ(said(), std::vector<std::string>{"!There is a fence in your way."});
    // A look at the own cell: standing on a fence is allowed, in a closed
    // door not; neither says a word or spends a second.
    cell(233, 232, FENCE);
    remember();
    EXPECT_EQ(step(0), 1);
    expect_unchanged("a look at a fence underfoot");
    cell(233, 232, 254);
    EXPECT_EQ(step(0), 0);
    EXPECT_EQ(said(), std::vector<std::string>{});
}

TEST_F(PlayerStep, TheWorldsEdgeLetsOnlyStepsAwayFromIt) {
    on_world_map(31, 1000);
    facing = 4;
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("toward the world's edge");
    on_world_map(20, 1000);
    facing = 0;
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(player_x, 21);
    on_world_map(1500, WORLD_H - 20);
    facing = 2;
    EXPECT_EQ(step(1), 1);
    EXPECT_EQ(player_y, WORLD_H - 21);
}

TEST_F(PlayerStep, LeavingTheMiddleOfALocalMapAsksForRecentring) {
    on_local_map(326, 232);
    step(1);
    EXPECT_EQ(recentre_request, 0);
    step(1);
    EXPECT_EQ(player_x, 328);
    EXPECT_EQ(recentre_request, 1);

    // Not while a map change is under way.
    recentre_request = 0;
    map_change_request = 1;
    on_local_map(327, 232);
    step(1);
    EXPECT_EQ(recentre_request, 0);
    map_change_request = 0;

    // A local map at the world's edge keeps the player inside the middle.
    on_local_map(136, 232);
    Plr.zoom_origin_x = 20;
    facing = 4;
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("out of the middle at the world's edge");
    EXPECT_EQ(recentre_request, 0);
}

TEST_F(PlayerStep, StepsOnlyRaiseTheTurnsNoiseAndRunningIsLoud) {
    Plr.noise_mark = 2;
    step(1);
    EXPECT_EQ(plr_noise, 1);
    EXPECT_EQ(Plr.noise_mark, 2);
    Plr.noise_mark = 0;
    step(1);
    EXPECT_EQ(Plr.noise_mark, 1);
    EXPECT_EQ(noise_x, player_x);

    toggle_running();
    EXPECT_EQ(Plr.running, 1);
    EXPECT_TRUE(said_line("&You run."));
    step(1);
    EXPECT_EQ(Plr.exertion, 10);
    EXPECT_EQ(Plr.noise_mark, 2);
    toggle_running();
    EXPECT_EQ(Plr.running, 0);
    EXPECT_TRUE(said_line("&You walk."));

    // Too tired to run on.
    Plr.running = 1;
    Plr.wound_total = 95;  // walking 3: a run of 6
    remember();
    EXPECT_EQ(step(1), -1);
    EXPECT_EQ(Plr.running, 0);
    EXPECT_TRUE(said_line("!You can't run any longer mostly due to being wounded!"));
    // A body at its end does not move.
    Plr.wound_total = 100;
    remember();
    EXPECT_EQ(step(1), -1);
    expect_unchanged("penalties of 100");
    EXPECT_TRUE(said_line("!You are not able move ahead mostly due to being wounded!"));
}

TEST_F(PlayerStep, HidingIsRefusedWhileSwimmingAndStartsAndStops) {
    Plr.travel_mode = TRAVEL_SWIMMING;
    toggle_hiding();
    EXPECT_EQ(Plr.hiding, 0);
    EXPECT_TRUE(said_line("!You can't sneak while swimming!"));
    Plr.travel_mode = TRAVEL_WALKING;
    toggle_hiding();
    EXPECT_EQ(Plr.hiding, 1);
    EXPECT_TRUE(said_line("You try to keep out of sight."));
    // Running ends sneaking; sneaking is told by the step.
    toggle_hiding();
    EXPECT_EQ(Plr.hiding, 0);
    EXPECT_TRUE(said_line("You stop hiding."));
    // Lying down, the player first gets up and then runs.
    Plr.body_state = 1;
    toggle_running();
    EXPECT_EQ(Plr.body_state, 0);
    EXPECT_EQ(Plr.running, 1);
    EXPECT_TRUE(said_line(":You get up."));
    // With a leg lost the player stays down and can't run.
    toggle_running();
    Plr.body_state = 1;
    Plr.wounds[PW_KIND][0] = 2;
    Plr.wounds[PW_SEVERITY][0] = 3;
    Plr.wounds[PW_PART][0] = 13;  // thigh
    Plr.wounds[PW_DAMAGE][0] = 16;
    Plr.wounds[PW_SIDE][0] = 1;
    toggle_running();
    EXPECT_EQ(Plr.running, 0);
    EXPECT_EQ(Plr.body_state, 1);
    const std::vector<std::string> words = said();
    EXPECT_NE(std::find(words.begin(), words.end(), "!You can't run while laying down!"), words.end());
}

TEST_F(PlayerStep, FacingsAndTheEntryOfALocalMap) {
    EXPECT_EQ(direction_code_between(5, 5, 5, 5), 0);
    EXPECT_EQ(direction_code_between(5, 5, 9, 5), 0);
    EXPECT_EQ(direction_code_between(5, 5, 9, 1), 1);
    EXPECT_EQ(direction_code_between(5, 5, 5, 1), 2);
    EXPECT_EQ(direction_code_between(5, 5, 1, 9), 5);
    EXPECT_EQ(direction_code_between(5, 5, 5, 9), 6);
    struct Entry {
        int facing, x, y;
    } entries[] = {{0, 2, 31}, {1, 2, 63}, {2, 31, 63}, {3, 62, 63}, {4, 62, 31},
                   {5, 62, 1}, {6, 31, 1}, {7, 2, 1},   {-1, 32, 32}};
    for (const Entry& e : entries) {
        step_facing = e.facing;
        EXPECT_EQ(zoom_entry_x(), e.x) << e.facing;
        EXPECT_EQ(zoom_entry_y(), e.y) << e.facing;
    }
}

}  // namespace

namespace {

std::vector<std::string> menu_labels() {
    std::vector<std::string> labels;
    for (int i = 0; i < menu_count; ++i) labels.push_back(menu_entries[i].label);
    return labels;
}

TEST_F(PlayerStep, TheMovementMenuOffersWhatFitsTheMoment) {
    QueuedKeys keys({KEY_ESC});
    Plr.running = 1;
    Plr.fatigue = 5.0f;
    menusel_Movemode();
    EXPECT_EQ(menu_labels(), (std::vector<std::string>{"W.Walk (stop running)", "H.Hide and sneak",
                                                       "G.Go prone (lay down)", "C.", "-.Stand still - wait and rest",
                                                       "F.Rest until not fatigued", "S.Sleep"}));
    Plr.running = 0;
    Plr.hiding = 1;
    Plr.body_state = 1;
    Plr.fatigue = 0.0f;
    keys.add({KEY_ESC});
    menusel_Movemode();
    EXPECT_EQ(menu_labels(), (std::vector<std::string>{"G.Get up (stand)", "H.Stop sneaking", "R.Run", "C.",
                                                       "-.Stand still - wait and rest", "S.Sleep"}));

    // Down on the ground, and no longer running.
    Plr.body_state = 0;
    Plr.hiding = 0;
    Plr.running = 1;
    said();
    keys.add({'G'});
    menusel_Movemode();
    EXPECT_EQ(Plr.body_state, 1);
    EXPECT_EQ(Plr.running, 0);
    EXPECT_EQ(last_step_result, 1);
    EXPECT_TRUE(said_line("You throw yourself flat on the ground."));

    // Standing still while swimming spends nothing.
    Plr.body_state = 0;
    Plr.travel_mode = TRAVEL_SWIMMING;
    remember();
    keys.add({'-'});
    menusel_Movemode();
    expect_unchanged("standing still while swimming");
    EXPECT_TRUE(said_line("!That's something you can not do while swimming!"));

    // The climbing key has no row but answers; not on the world map.
    Plr.travel_mode = TRAVEL_WALKING;
    on_world_map(1500, 1000);
    keys.add({'c'});
    menusel_Movemode();
    EXPECT_TRUE(said_line("!That's not allowed on the wilderness map!"));
    EXPECT_FALSE(stub_was_called("do_climbing"));
    on_local_map(232, 232);
    keys.add({'c'});
    menusel_Movemode();
    EXPECT_TRUE(stub_was_called("do_climbing"));
}

}  // namespace

namespace {

TEST_F(PlayerStep, OpenWaterNearWaterAndTheColdWaterWarning) {
    cell(240, 232, WATER);
    EXPECT_EQ(is_open_water_at(240, 232), 1);
    EXPECT_EQ(is_open_water_at(-1, 0), 0);  // nothing around the player
    cell(233, 233, WATER);
    EXPECT_EQ(is_open_water_at(-1, 0), 1);
    EXPECT_EQ(is_near_water(235, 232), 1);  // five to the east
    EXPECT_EQ(is_near_water(236, 232), 0);
    EXPECT_EQ(is_near_water(240, 232), 0);  // water itself is not near water
    // Frozen water is closed, but a hole in the ice is open.
    weather.current.ice = -200;
    EXPECT_EQ(is_open_water_at(240, 232), 0);
    put(MK_ICE_HOLE, 240, 232, 0);
    EXPECT_EQ(is_open_water_at(240, 232), 1);

    // Water of 14 degrees and more is not worth a word; below 3 degrees it
    // is always the coldest word.
    struct Case {
        int warmth;  // tenths of a degree
        const char* said;
    } cases[] = {{140, nullptr}, {139, "!The water is chilly."}, {30, "!The water is freezing cold."},
                 {29, "!The water is freezing cold."}, {-50, "!The water is freezing cold."},
                 {80, "!The water is cold."}};
    said();
    for (const Case& c : cases) {
        weather.current.ice = c.warmth;
        reset_last_message();
        EXPECT_EQ(confirm_enter_water(0), 1) << c.warmth;
        const std::vector<std::string> words = said();
        if (c.said) EXPECT_EQ(words, std::vector<std::string>{c.said}) << c.warmth;
        else EXPECT_TRUE(words.empty()) << c.warmth;
    }
}

TEST_F(PlayerStep, IceAheadHoldsTheLoadOrNotAndASwimmerClimbsOntoIt) {
    // Ice of the frost's full thickness on water at height 6 and above; the
    // weighings below are far from the edge, where a die would decide.
    auto freeze = [](int mm) { weather.current.ice = -mm; };
    flat(6);
    for (int y = 228; y <= 236; ++y)
        for (int x = 230; x <= 240; ++x) cell(x, y, WATER, 6);
    cell(232, 232, GROUND, 6);
    on_local_map(232, 232);
    facing = 0;  // the ice lies east
    // A walker feels 0.7 of 170 lb, 119 lb: 30 mm fails, 70 mm holds.
    freeze(30);
    QueuedKeys keys({'N'});
    remember();
    EXPECT_EQ(step(1), 0);
    expect_unchanged("thin ice, no");
    EXPECT_TRUE(said_line("!You doubt the ice will hold your weight."));
    freeze(70);
    EXPECT_EQ(plr_check_step(232, 232, 233, 232, 1), STEP_FREE);
    // A look at the own cell never asks: the full load decides.
    freeze(30);
    EXPECT_EQ(plr_check_step(232, 232, 233, 232, 0), STEP_OBSTACLE);

    // A swimmer in a hole feels 0.75 of the load: 30 mm breaks under it.
    cell(232, 232, WATER, 6);
    put(MK_ICE_HOLE, 232, 232, 0);
    Plr.travel_mode = TRAVEL_SWIMMING;
    said();
    EXPECT_EQ(plr_check_step(232, 232, 233, 232, 1), STEP_FREE);
    EXPECT_TRUE(said_line("!You try to climb on the ice but it breaks!"));
    EXPECT_GE(find_map_object(MK_ICE_HOLE, 233, 232), 0);
    EXPECT_EQ(last_step_result, 1);

    // On ice that bears the swimmer, the climb decides.
    freeze(80);
    roll_override = 3;  // every check a fumble
    EXPECT_EQ(plr_check_step(232, 232, 232, 231, 1), STEP_BLOCKED);
    EXPECT_EQ(Plr.exertion, 10);
    EXPECT_EQ(Plr.body_state, 0);
    roll_override = 4;  // every check critical
    EXPECT_EQ(plr_check_step(232, 232, 232, 231, 1), STEP_FREE);
    roll_override = 0;
    EXPECT_EQ(Plr.exertion, 5);
    EXPECT_EQ(Plr.body_state, 1);
    EXPECT_TRUE(said_line("You climb back onto the ice."));
}

}  // namespace
