// The list menu and the command menu, driven by scripted keys and clicks.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "../support/play_folder.h"
#include "console/console.h"
#include "objects/item_commands.h"
#include "shell/ending.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/stubs.h"

namespace {

// One scripted input: a key, or a mouse event at a canvas position.
struct Input {
    int key;
    int x = -1, y = -1;  // mouse position (x >= 0: from the mouse)
};
std::deque<Input> script;
int reads_after_end = 0;

// Feeds the script; when it is used up the window counts as closed.
int scripted_key() {
    if (script.empty()) {
        ++reads_after_end;
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    Input in = script.front();
    script.pop_front();
    mouse_flag = false;
    if (in.x >= 0) {
        mouse_raw_x = in.x;
        mouse_raw_y = in.y;
        mouse_flag = in.key == KEY_ENTER;
    }
    return in.key;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_Init(SDL_INIT_EVENTS);
        script.clear();
        reads_after_end = 0;
        quit_request = 0;
        menu_key_reader = scripted_key;
        // Message pauses would wait for the real keyboard.
        skip_message_pauses = true;
        clear_stub_calls();
    }
    void TearDown() override {
        menu_key_reader = nullptr;
        quit_request = 0;
        SDL_Quit();
    }
    void keys(std::initializer_list<int> ks) {
        for (int k : ks) script.push_back({k});
    }
    PlayFolder folder{false};
};

void yes_no_list() {
    list_init(0, "Q", 100, 100, 200, 100, 4);
    list_add_entry('Y', "Y.Yes");
    list_add_entry('N', "N.No");
}

TEST_F(MenuTest, HotKeysAreUpperCasedUnlessTheFirstKeyIsLowerCase) {
    yes_no_list();
    keys({'n'});
    EXPECT_EQ(LIST_Go(), 1);
    EXPECT_FALSE(list_running);

    list_init(0, "q", 100, 100, 200, 100, 4);
    list_add_entry('y', "y.yes");
    list_add_entry('N', "N.No");
    keys({'n'});  // stays 'n': no row answers it, then the window closes
    EXPECT_EQ(LIST_Go(), -1);
}

TEST_F(MenuTest, ArrowsStopAtTheLastRowAndSkipDisabledAndEmptyRows) {
    yes_no_list();
    keys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});
    EXPECT_EQ(LIST_Go(), 1);

    list_init(0, "Q", 100, 100, 200, 100, 4);
    list_add_entry('A', "A.First");
    list_add_entry(-1, "B.Disabled");
    list_add_entry(0, "");
    list_add_entry('C', "C.Third");
    list_header.current = 3;
    keys({KEY_UP, KEY_ENTER});
    EXPECT_EQ(LIST_Go(), 0);
    EXPECT_EQ(list_items[1].code, 0);
    EXPECT_EQ(list_items[1].disabled, 1);

    // The row limit keeps the highlight above it.
    list_init(0, "Q", 100, 100, 200, 100, 4);
    for (int i = 0; i < 4; ++i) list_add_entry('A' + i, "X.Row");
    list_header.row_limit = 2;
    keys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});
    EXPECT_EQ(LIST_Go(), 1);
}

TEST_F(MenuTest, ClicksChooseTheRowUnderThePointerOrNothing) {
    // Rows of a list at (100, 100): row i at y 129 + 12 i, x 108 .. 390.
    yes_no_list();
    script.push_back({KEY_ENTER, 150, 141});  // on row 1
    EXPECT_EQ(LIST_Go(), 1);

    yes_no_list();
    script.push_back({KEY_ENTER, 395, 129});  // beside every row
    EXPECT_EQ(LIST_Go(), -1);                 // nothing chosen; then closed
    EXPECT_EQ(reads_after_end, 1);

    quit_request = 0;
    yes_no_list();
    list_header.confirm = 1;
    script.push_back({KEY_ENTER, 395, 129});
    EXPECT_EQ(LIST_Go(), LIST_CONFIRMED);
    yes_no_list();
    list_header.confirm = 1;
    keys({KEY_ENTER});  // ENTER from the keyboard with the confirm option
    EXPECT_EQ(LIST_Go(), LIST_CONFIRMED);
}

TEST_F(MenuTest, PreviewAndMousePickEndOnAMove) {
    yes_no_list();
    list_set_options(-1, "", 0, 1);
    script.push_back({KEY_MOUSE_MOVED, 150, 141});
    EXPECT_EQ(LIST_Go(), -1);
    EXPECT_EQ(list_header.preview, 2);
    EXPECT_EQ(list_header.current, 1);
    EXPECT_EQ(reads_after_end, 0);

    // A move that keeps the row does not end a preview.
    yes_no_list();
    list_set_options(-1, "", 0, 1);
    script.push_back({KEY_MOUSE_MOVED, 150, 129});
    keys({KEY_ENTER});
    EXPECT_EQ(LIST_Go(), 0);

    yes_no_list();
    list_header.mouse_pick = 1;
    script.push_back({KEY_MOUSE_MOVED, 150, 141});
    EXPECT_EQ(LIST_Go(), -1);
    EXPECT_EQ(list_header.current, 1);
}

TEST_F(MenuTest, RowsPastTheHundredthAreIgnored) {
    list_init(0, "BIG", 0, 0, 300, 600, 4);
    static char text[300];
    std::memset(text, 'x', sizeof text - 1);
    text[sizeof text - 1] = 0;
    for (int i = 0; i < 101; ++i) list_add_entry(1000 + i, text);
    EXPECT_EQ(list_header.count, 100);
    EXPECT_EQ(std::strlen(list_items[99].text), size_t(LIST_TEXT_BYTES - 1));
    keys({1100});  // the key of the 101st row
    EXPECT_EQ(LIST_Go(), -1);
    keys({1099});
    EXPECT_EQ(LIST_Go(), 99);
}

TEST_F(MenuTest, AClosedWindowEndsEveryList) {
    yes_no_list();
    EXPECT_EQ(LIST_Go(), -1);  // no ESC row
    quit_request = 0;
    yes_no_list();
    list_add_entry(KEY_ESC, "");
    EXPECT_EQ(LIST_Go(), 2);  // the ESC row answers
}

TEST_F(MenuTest, PlacedRowsWithTheSameKeyAreAddedOnce) {
    list_init(0, "", 500, 545, 300, 50, LIST_TYPE_PLACED);
    list_add_item_at(525, 'Y', 570, "<Y>es");
    list_add_item_at(585, 'Y', 570, "Y.Again");
    EXPECT_EQ(list_header.count, 1);
    EXPECT_EQ(list_items[0].x, 527);
    EXPECT_EQ(list_items[0].y, 571);
    EXPECT_EQ(list_items[0].height, 18);
    EXPECT_EQ(list_items[0].width, 8 * 5 + 10 - 16);  // "<Y>es"
    EXPECT_STREQ(list_items[0].text, "NOTEXTSPOT");
    // In a placed list ENTER and arrows that are row keys are hot keys.
    list_add_item_at(600, KEY_ENTER, 590, "ENTER.All");
    EXPECT_STREQ(list_items[1].text, "TEXTSPOT");
    keys({KEY_ENTER});
    EXPECT_EQ(LIST_Go(), 1);
}

// ------------------------------------------------------------ command menu

TEST_F(MenuTest, ChoosingAnEntryEchoesItAndStartsItsActivity) {
    menu_clear();
    menu_add_action("Chop kindling", '1', 0);
    menu_add_action("Grind flour", '2', 27);
    keys({'2'});
    last_activity_code = 0;
    EXPECT_EQ(menu_run("Mill"), '2');
    EXPECT_NE(std::strstr(last_message, "Mill: Grind flour"), nullptr) << last_message;
    EXPECT_EQ(message_class_colour("#Mill: Grind flour"), 0x143270u);
    EXPECT_TRUE(stub_was_called("grind_flour"));
    EXPECT_EQ(last_activity_code, 27);
}

TEST_F(MenuTest, EscapeReturnsZeroWithoutEchoOrActivity) {
    menu_clear();
    menu_add_action("Grind flour", '2', 27);
    copy_text(last_message, "before");
    keys({KEY_ESC});
    EXPECT_EQ(menu_run("Mill"), 0);
    EXPECT_STREQ(last_message, "before");
    EXPECT_FALSE(stub_was_called("grind_flour"));

    // A closed window ends the menu the same way.
    EXPECT_EQ(menu_run("Mill"), 0);
    EXPECT_FALSE(stub_was_called("grind_flour"));
}

TEST_F(MenuTest, TheListStateFileHasItsSizeAndNoPointer) {
    menu_clear();
    menu_add(0, "apples");
    keys({KEY_ESC});
    menu_run("Food");
    EXPECT_EQ(file_size(MENU_LIST_FILE), MENU_LIST_FILE_SIZE);
    ListHeader h;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(MENU_LIST_FILE, bytes));
    std::memcpy(&h, bytes.data(), sizeof h);
    EXPECT_EQ(h.texture, 0);
    EXPECT_EQ(h.count, 3);  // the entry, an empty row and "ESC.Cancel"
    EXPECT_STREQ(h.title, "FOOD");

    // A state file that can't be read back: the copy in memory is used.
    list_header.count = 0;
    ASSERT_TRUE(write_file_atomic(MENU_LIST_FILE, std::string_view("short")));
    EXPECT_FALSE(load_menu_list());
    EXPECT_EQ(list_header.count, 3);
    EXPECT_STREQ(list_items[0].text, "A.apples");
}

TEST_F(MenuTest, LabelsAreBoundedAndHotKeysHandedOutInOrder) {
    menu_clear();
    std::string forty(40, 'w');
    menu_add('1', forty.c_str());
    EXPECT_EQ(std::string(menu_entries[0].label), "1." + std::string(32, 'w') + "..");
    menu_add(KEY_TAB, "Tab");
    menu_add(1030, "Help");
    menu_add(KEY_CTRL_S, "Save");
    EXPECT_STREQ(menu_entries[1].label, "TAB.Tab");
    EXPECT_STREQ(menu_entries[2].label, "F1.Help");
    EXPECT_STREQ(menu_entries[3].label, "CTRL + s.Save");

    menu_clear();
    std::string order;
    for (int i = 0; i < 36; ++i) {
        int k = menu_free_hotkey();
        order += char(k);
        menu_add(k, "x");
    }
    EXPECT_EQ(order, MENU_HOTKEY_ORDER);
    EXPECT_EQ(menu_free_hotkey(), 0);
    for (int i = 0; i < 20; ++i) menu_add('!', "more");
    EXPECT_EQ(menu_count, MENU_ENTRIES);

    // Only 25 entries are shown.
    keys({KEY_ESC});
    menu_run("Many");
    EXPECT_EQ(menu_count, MENU_SHOWN);
    EXPECT_EQ(list_header.count, MENU_SHOWN + 2);

    // The help text never passes 1,023 characters.
    menu_clear();
    std::string long_text(1000, 'h');
    menu_add_help_text(long_text.c_str());
    menu_add_help_text(long_text.c_str());
    EXPECT_EQ(std::strlen(menu_help_text), 1000u);
}

TEST_F(MenuTest, ResourceMenuGivesTheActionAndStoresTheEcho) {
    menu_clear();
    menu_add_action("Birch bark|(3)", 'B', 0);
    menu_add_action("Pine resin", 'P', 77);
    keys({'b'});
    EXPECT_EQ(menu_run_resource("Materials", 300, 100), 'B');
    EXPECT_STREQ(last_resource_choice, "Materials: Birch bark");
    keys({'P'});
    last_activity_code = 0;
    EXPECT_EQ(menu_run_resource("Materials", 300, 100), 77);
    EXPECT_EQ(last_activity_code, 0);  // the caller runs it, not the menu
}

}  // namespace
