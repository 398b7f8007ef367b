// Choosing targets and locations: direction mode, the free cursor with the
// target list, the small choosers and the creature choice.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <string>

#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "shell/commands.h"
#include "shell/ending.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/screen_session.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "screens/targets.h"

namespace {

struct Input {
    int key;
    int x = -1, y = -1;  // a click at a canvas position when x >= 0
};
std::deque<Input> script;
int keys_read = 0;

int scripted_key() {
    ++keys_read;
    if (script.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    Input in = script.front();
    script.pop_front();
    mouse_flag = false;
    if (in.x >= 0) {
        mouse_x = in.x;
        mouse_y = in.y;
        mouse_flag = in.key == KEY_ENTER;
    }
    return in.key;
}

constexpr int PX = 1000, PY = 1000;

struct TargetFixture : ::testing::Test {
    PlayFolder folder{true};
    PlayerRecord saved = Plr;
    std::unique_ptr<ScreenSession> screen;
    void SetUp() override {
        screen = std::make_unique<ScreenSession>();
        no_flush = true;
        std::memset(&Plr, 0, sizeof Plr);
        std::strcpy(Plr.name, "Tester");
        std::strcpy(Plr.map_name, "BIGMAP");
        folder.write("Tester/keep.txt", "");
        // The cursor is drawn over the view without a rebuild, so the test's
        // own view marks stay.
        folder.write("ksm_ini.txt", "[FAST_TARGET_CURSOR:YES]\n");
        Plr.map_zoom = 1.0f;
        init_terrain_types();
        open_code = code_with(false);
        player_x = PX;
        player_y = PY;
        view_half_w = 12;
        view_half_h = 12;
        for (int y = PY - 15; y <= PY + 15; ++y)
            for (int x = PX - 15; x <= PX + 15; ++x) {
                terrain_layer[map_index(x, y)] = uint8_t(open_code);
                view_layer[map_index(x, y)] = '.';
            }
        std::memset(Data, 0, sizeof(MapObject) * 300);
        script.clear();
        keys_read = 0;
        quit_request = 0;
        menu_key_reader = scripted_key;
        messages_suppressed = false;
        skip_message_pauses = true;
        reset_last_message();
        forget_targeting();
    }
    void TearDown() override {
        for (int y = PY - 15; y <= PY + 15; ++y)
            for (int x = PX - 15; x <= PX + 15; ++x) {
                terrain_layer[map_index(x, y)] = 0;
                view_layer[map_index(x, y)] = 0;
            }
        std::memset(Data, 0, sizeof(MapObject) * 300);
        menu_key_reader = nullptr;
        quit_request = 0;
        facing = 0;
        no_flush = false;
        skip_message_pauses = false;
        screen.reset();
        Plr = saved;
    }
    void keys(std::initializer_list<int> ks) {
        for (int k : ks) script.push_back({k});
    }
    void creature(int slot, int index, int x, int y) {
        Data[slot].TYPE = 4;
        Data[slot].x = uint16_t(x);
        Data[slot].y = uint16_t(y);
        Data[slot].DATA = 1000 + index;
    }
    int code_with(bool obstacle) {
        for (int c = 1; c < 256; ++c)
            if (bool(terrain_flags_of(c) & TF_OBSTACLE) == obstacle && c != 32) return c;
        return 1;
    }
    int open_code = 0;
};

TEST_F(TargetFixture, OneMatchingNeighbourIsTakenAtOnce) {
    terrain_layer[map_index(PX - 1, PY + 1)] = 'W';
    const char codes[] = {'W', 0};
    std::vector<Uint32> before((Uint32*)canvas->pixels, (Uint32*)canvas->pixels + 800 * 600);
    EXPECT_EQ(choose_adjacent_square("fish", codes), 'W');
    EXPECT_EQ(target_x, PX - 1);
    EXPECT_EQ(target_y, PY + 1);
    EXPECT_EQ(keys_read, 0);
    std::vector<Uint32> after((Uint32*)canvas->pixels, (Uint32*)canvas->pixels + 800 * 600);
    EXPECT_TRUE(before == after);
}

TEST_F(TargetFixture, DirectionModeChoosesTheNeighbourAtOnce) {
    keys({'3'});
    EXPECT_EQ(choose_target_location(TARGET_DIRECTION, "dig"), open_code);
    EXPECT_EQ(target_x, PX + 1);
    EXPECT_EQ(target_y, PY + 1);
    EXPECT_EQ(find_screen_under("infoview"), -1);  // restored and freed

    // A click two cells west and one north chooses the north-west neighbour.
    const int cx = map_view.centre_x - int(2 * map_view.cell_w);
    const int cy = map_view.centre_y - int(map_view.cell_h);
    script.push_back({KEY_ENTER, cx, cy});
    EXPECT_EQ(choose_target_location(TARGET_DIRECTION, "dig"), open_code);
    EXPECT_EQ(target_x, PX - 1);
    EXPECT_EQ(target_y, PY - 1);

    // Mouse motion chooses nothing; ESC cancels.
    keys({KEY_MOUSE_MOVED, KEY_ESC});
    EXPECT_EQ(choose_target_location(TARGET_DIRECTION, "dig"), 0);
}

TEST_F(TargetFixture, UnseenAndBlockedCellsAreRefused) {
    view_layer[map_index(PX + 1, PY + 1)] = VIEW_UNSEEN;
    keys({'3', KEY_ESC});
    EXPECT_EQ(choose_target_location(TARGET_DIRECTION, "dig"), 0);
    EXPECT_STREQ(last_message, "!Please pick a direction where you can see!");
    // Unseen cells may be chosen with mode bit 4.
    keys({'3'});
    EXPECT_EQ(choose_target_location(TARGET_DIRECTION | TARGET_UNSEEN_OK, "dig"), open_code);

    const int blocked = code_with(true);
    terrain_layer[map_index(PX, PY - 1)] = uint8_t(blocked);
    keys({'8'});
    EXPECT_EQ(choose_open_location("build"), 0);
    EXPECT_STREQ(last_message, "!That won't do! You need to pick an open space location.");

    // ENTER on the player's own cell does nothing without mode bit 16.
    forget_targeting();
    keys({KEY_ENTER, KEY_ESC});
    EXPECT_EQ(choose_target_location(TARGET_FREE, "throw"), 0);
    keys({KEY_ENTER});
    EXPECT_EQ(choose_target_location(TARGET_FREE | TARGET_OWN_CELL, "throw"), open_code);
    EXPECT_EQ(target_x, PX);
}

TEST_F(TargetFixture, PlusCyclesFromTheLastTargetToTheFirst) {
    creature(0, 7, PX + 5, PY);  // farther
    creature(1, 8, PX + 2, PY);  // nearer
    build_target_list();
    ASSERT_EQ(target_count, 2);
    EXPECT_EQ(target_list[0].creature, 8);
    keys({'+', '+', '+', KEY_ENTER});
    choose_target_location(TARGET_FREE, "shoot");
    EXPECT_EQ(target_x, PX + 2);
    // '-' from the first goes to the last.
    keys({'-', KEY_ENTER});
    forget_targeting();
    choose_target_location(TARGET_FREE, "shoot");
    EXPECT_EQ(target_x, PX + 5);
}

TEST_F(TargetFixture, TheTargetListStopsAtOneHundred) {
    int slot = 0;
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx)
            if (dx || dy) creature(slot, slot, PX + dx, PY + dy), ++slot;
    ASSERT_GT(slot, 100);
    build_target_list();
    EXPECT_EQ(target_count, TARGET_LIST_MAX);
    for (int i = 1; i < target_count; ++i) EXPECT_LE(target_list[i - 1].distance, target_list[i].distance);
}

TEST_F(TargetFixture, WorkLocationSkipsTheQuestionWhenOnlyOneCellFits) {
    auto place = [](int slot, int kind, int x, int y) {
        Data[slot].TYPE = uint8_t(kind);
        Data[slot].x = uint16_t(x);
        Data[slot].y = uint16_t(y);
    };
    int x = 0, y = 0;
    facing = 0;  // east
    // The player's own cell with flag 4.
    place(0, 9, PX, PY);
    EXPECT_EQ(choose_work_location(9, "pick", &x, &y, 4), open_code);
    EXPECT_EQ(x, PX);
    // The cell ahead decides before the 3 x 3 count.
    place(1, 9, PX + 1, PY);
    place(2, 9, PX - 1, PY - 1);
    EXPECT_EQ(choose_work_location(9, "pick", &x, &y, 1), open_code);
    EXPECT_EQ(x, PX + 1);
    EXPECT_EQ(y, PY);
    // Nothing ahead: one fitting cell of the 3 x 3 decides.
    std::memset(Data, 0, sizeof(MapObject) * 3);
    place(0, 52, PX - 1, PY + 1);
    EXPECT_EQ(choose_work_location(52, "butcher", &x, &y, 1 | 8), open_code);
    EXPECT_EQ(x, PX - 1);
    EXPECT_EQ(y, PY + 1);
    EXPECT_EQ(keys_read, 0);
    // Two fitting cells: the direction is asked.
    place(1, 52, PX, PY + 1);
    keys({'2'});
    EXPECT_EQ(choose_work_location(52, "butcher", &x, &y, 1), open_code);
    EXPECT_EQ(x, PX);
    EXPECT_EQ(y, PY + 1);
    EXPECT_EQ(keys_read, 1);
}

TEST_F(TargetFixture, TwoCreaturesOnACellGiveAMenu) {
    EXPECT_EQ(choose_creature_at(PX + 1, PY, 0), -1);
    creature(0, 4, PX + 1, PY);
    EXPECT_EQ(choose_creature_at(PX + 1, PY, 0), 4);
    creature(1, 9, PX + 1, PY);
    keys({KEY_ESC});
    EXPECT_EQ(choose_creature_at(PX + 1, PY, 0), -1000);
    EXPECT_STREQ(last_message, "!Canceled.");
    EXPECT_EQ(std::string(menu_entries[0].label).substr(0, 2), "1.");
    EXPECT_EQ(std::string(menu_entries[1].label).substr(0, 2), "2.");
    keys({'2'});
    EXPECT_EQ(choose_creature_at(PX + 1, PY, 0), 9);
}

}  // namespace
