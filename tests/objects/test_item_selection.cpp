// The selection list and the item selection screen: lists and their class
// groups, the row texts, one page's layout and hot keys, and the answers of
// the screen to the keys of a choice.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/platform.h"
#include "game/player.h"
#include "objects/item_lists.h"
#include "objects/item_selection.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "support/key_script.h"
#include "support/play_folder.h"
#include "support/screen_session.h"
#include "ui/menus.h"
#include "ui/message_line.h"

namespace {

int stored(uint8_t item_class, const char* name, int grade = 3, uint8_t ownflag = 0, int32_t owner = 0) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 300 + item_class;
    copy_text(r.name, name);
    r.weight = r.full_weight = 1.0f;
    r.quality = uint8_t(grade);
    r.ownflag = ownflag;
    r.ownerID = owner;
    return obj_store_new(r);
}

void carry(int slot, int id, int count) {
    Plr.plr_inv_id[slot] = id;
    Plr.plr_inv_count[slot] = count;
}

class ItemSelection : public ::testing::Test {
protected:
    void SetUp() override {
        reset_object_store();
        reset_map_object_table();
        reset_item_selection();
        std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
        std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
        std::memset(inventory_order, 0, sizeof inventory_order);
        messages_suppressed = true;
    }
    void TearDown() override { std::memset(inventory_order, 0, sizeof inventory_order); }

    // 60 items in 6 classes, ten of each, carried in an order that mixes
    // the classes.
    void carry_sixty() {
        static const uint8_t classes[6] = {ITEM_FOOD, ITEM_WEAPON, ITEM_TOOL, ITEM_SKIN, ITEM_ARMOUR, ITEM_TIMBER};
        for (int i = 0; i < 60; ++i) {
            char name[20];
            format_text(name, sizeof name, "thing %d", i);
            carry(i, stored(classes[i % 6], name), 1);
        }
    }

    PlayFolder folder;
    ScreenSession screen;
};

TEST_F(ItemSelection, ListsGroupByTheClassOrderAndStopAtFiveHundred) {
    carry(0, stored(ITEM_FOOD, "bread"), 2);
    carry(1, stored(ITEM_WEAPON, "knife"), 1);
    carry(2, stored(ITEM_FOOD, "fish"), 1);
    carry(3, stored(ITEM_TOOL, "awl", 3, OWN_TAKEN, 4), 1);
    carry(4, 0, 3);  // an empty slot is never listed
    EXPECT_EQ(list_carried_items(-1, 0), 4);

    struct Case {
        const char* order;
        int filter;
        std::vector<int> slots;
    } cases[] = {
        {"", 0, {1, 3, 0, 2}},                     // 1 weapons, 6 tools, 7 foods
        {"FOOD,TOOL", 0, {0, 2, 3, 1}},
        {"", ITEM_FOOD, {0, 2}},
        {"", int(0x80000000u | (1u << ITEM_WEAPON) | (1u << ITEM_TOOL)), {1, 3}},
        {"", FILTER_UNPAID, {3}},
    };
    for (const Case& c : cases) {
        parse_inventory_order(c.order, inventory_order);
        list_carried_items(-1, 0);
        ASSERT_EQ(filter_item_list(c.filter, 0), int(c.slots.size())) << c.order << " " << c.filter;
        for (size_t i = 0; i < c.slots.size(); ++i)
            EXPECT_EQ(selection_list[i].index, c.slots[i]) << c.order << " " << c.filter << " #" << i;
    }

    // 600 records on one square list 500.
    const int rock = stored(ITEM_VALUABLE, "rock");
    for (int i = 0; i < 600; ++i) {
        Data[i].TYPE = MK_ITEM;
        Data[i].x = 200;
        Data[i].y = 210;
        Data[i].DATA = rock;
        Data[i].amount = 1;
    }
    EXPECT_EQ(list_ground_items(200, 210), SELECTION_ENTRIES);
    EXPECT_EQ(selection_list[499].index, 499);
}

TEST_F(ItemSelection, RowTextsShowCountsMarksAndAreCutWhole) {
    struct Case {
        const char* what;
        const char* name;
        uint8_t ownflag;
        int32_t owner;
        int amount, chosen, position;
        const char* text;
    } cases[] = {
        {"plain", "knife", 0, 0, 1, 0, 0, "a.knife"},
        {"part of a stack chosen", "arrow", 0, 0, 5, 2, 1, "b.(2) 5 arrows"},
        {"all of a stack chosen", "arrow", 0, 0, 5, 5, 1, "b.5 arrows"},
        {"hot keys wrap after 52", "knife", 0, 0, 1, 0, 52, "a.knife"},
        {"upper case from the 27th", "knife", 0, 0, 1, 0, 26, "A.knife"},
        {"unpaid", "knife", OWN_UNPAID, 3, 1, 0, 0, "a.knife (unpaid)"},
        {"taken", "knife", OWN_TAKEN, 3, 1, 0, 0, "a.knife (taken)"},
        {"free again shows no mark", "knife", OWN_UNPAID | OWN_FREE_AGAIN, 3, 1, 0, 0, "a.knife"},
        {"a 40-character name", "abcdefghijklmnopqrstuvwxyzabcdefghijklmn", 0, 0, 1, 0, 0,
         "a.abcdefghijklmnopqrstuvwxyzabcdefghij.."},
        {"a row of 39 characters stays", "abcdefghijklmnopqrstuvwxyzabcdefghijk", 0, 0, 1, 0, 0,
         "a.abcdefghijklmnopqrstuvwxyzabcdefghijk"},
    };
    for (const Case& c : cases) {
        SelectionEntry e{};
        e.object = stored(ITEM_TOOL, c.name, 0, c.ownflag, c.owner);
        e.amount = c.amount;
        e.chosen = c.chosen;
        char text[120];
        item_row_text(c.position, e, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.what;
        EXPECT_LT(std::strlen(text), 41u) << c.what;
    }
}

TEST_F(ItemSelection, APageGroupsRowsTwelvePixelsApartWithWrappingHotKeys) {
    carry_sixty();
    list_carried_items(-1, 0);
    filter_item_list(0, 0);
    for (int start : {0, 50}) {
        selection_page_start = start;
        list_init(0, "", SEL_LEFT, SEL_TOP, SEL_WIDTH, SEL_HEIGHT, LIST_TYPE_PLACED);
        const int page = render_item_list();
        ASSERT_EQ(page, start == 0 ? 20 : 10) << "two classes fit a page";
        int rows = 0, previous_y = 0;
        for (int w = 0; w < list_header.count; ++w) {
            const ListItem& it = list_items[w];
            if (it.height == 0) continue;
            const int position = start + rows;
            EXPECT_EQ(it.code, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"[position % 52]) << position;
            EXPECT_GE(it.y, 45);
            EXPECT_LE(it.y + it.height, 370 + 1) << "the page ends above the hint line";
            // Within a class the rows stand 12 apart; a new class leaves its
            // gap and title.
            if (rows > 0) {
                EXPECT_TRUE(it.y - previous_y == 12 || it.y - previous_y == 12 + 34) << it.y - previous_y;
            }
            previous_y = it.y;
            ++rows;
        }
        EXPECT_EQ(rows, page);
        if (start == 50) {
            EXPECT_EQ(list_items[0].code, 'Y');
            EXPECT_EQ(list_items[2].code, 'a') << "position 52 takes 'a' again";
        }
    }
}

// Runs select_items on the player's items with the keys; the answer.
int choose(std::initializer_list<int> keys, int flags, int filter = 0, const char* prompt = "Take what?") {
    QueuedKeys queued(keys);
    return select_items(2, -1, 0, 0, prompt, "take", flags, filter, 0);
}

TEST_F(ItemSelection, TheScreenAnswersEachWayOfLeavingIt) {
    EXPECT_EQ(choose({}, 0), SEL_CANCELLED) << "carrying nothing";
    EXPECT_EQ(select_items(1, -1, 300, 300, "x", "take", 0, 0, 0), SEL_NOTHING) << "nothing on the square";
    for (int i = 0; i < 12; ++i) {
        char name[16];
        format_text(name, sizeof name, "stone %d", i);
        carry(i, stored(ITEM_VALUABLE, name), 1);
    }
    carry(12, stored(ITEM_FOOD, "bread"), 5);
    EXPECT_EQ(choose({}, SEL_FILTER_INVALID, ITEM_WEAPON), SEL_NOTHING);
    EXPECT_EQ(choose({KEY_ESC}, 0), SEL_CANCELLED);
    Plr.body_state = 4;  // fainted
    EXPECT_EQ(choose({'c'}, 0), SEL_CANCELLED);
    Plr.body_state = 0;
    EXPECT_EQ(choose({'c'}, 0), 2);
    EXPECT_EQ(selection_list[2].index, 1) << "the foods group first: c is the second stone";
    {
        QueuedKeys untouched({'a'});
        EXPECT_EQ(select_items(2, -1, 0, 0, "p", "take", SEL_COUNT_ONLY, 0, 0), 13);
        EXPECT_EQ(untouched.left(), 1u) << "counting shows nothing and reads no key";
        EXPECT_EQ(select_items(2, -1, 0, 0, "p", "take", SEL_AUTO_SINGLE, ITEM_FOOD, 0), 0);
        EXPECT_EQ(untouched.left(), 1u) << "one item: chosen without the screen";
        EXPECT_EQ(selection_list[0].chosen, 1);
    }
    // Several: two chosen, SPACE answers the number of entries.
    EXPECT_EQ(choose({'a', 'b', KEY_SPACE}, SEL_SEVERAL | SEL_ONE_OF_STACK), 2);
    EXPECT_EQ(selection_list[0].chosen + selection_list[1].chosen, 2);
    // At most ten: "+" chooses ten of the thirteen, the eleventh is refused.
    EXPECT_EQ(choose({'+', 'l', KEY_SPACE}, SEL_SEVERAL | SEL_ONE_OF_STACK | SEL_AT_MOST_TEN), 10);
    EXPECT_EQ(selection_list[11].chosen, 0);
    // ESC with choices asks first; "no" keeps them. (Row a is the bread: the
    // foods come first; its stack asks how many.)
    EXPECT_EQ(choose({'b', KEY_ESC, 'n', KEY_SPACE}, SEL_SEVERAL), 1);
    EXPECT_EQ(choose({'b', KEY_ESC, 'y'}, SEL_SEVERAL), SEL_CANCELLED);
    EXPECT_EQ(choose({'b', KEY_ESC}, SEL_SEVERAL | SEL_NO_CANCEL_QUESTION), SEL_CANCELLED);
}

TEST_F(ItemSelection, SelectingAllToDropLeavesWornClothesOn) {
    ObjectRecord cloak;
    obj_clear_record(cloak);
    cloak.item_class = ITEM_ARMOUR;
    copy_text(cloak.name, "cloak");
    cloak.state_bits = OBJ_WORN;
    carry(0, obj_store_new(cloak), 1);
    carry(1, stored(ITEM_ARMOUR, "spare cap"), 1);
    carry(2, stored(ITEM_FOOD, "bread"), 1);
    QueuedKeys keys({'+', KEY_SPACE});
    EXPECT_EQ(select_items(2, -1, 0, 0, "Drop what?", "drop", SEL_SEVERAL, 0, PURPOSE_DROP), 2);
    for (int i = 0; i < selection_count; ++i)
        EXPECT_EQ(selection_list[i].chosen > 0, selection_list[i].index != 0) << "slot " << selection_list[i].index;
    // Choosing the worn cloak by its key is refused, quietly ending the
    // screen under the quiet flag.
    QueuedKeys cloak_key({'a'});
    EXPECT_EQ(select_items(2, -1, 0, 0, "Drop what?", "drop", SEL_QUIET, 0, PURPOSE_DROP), SEL_CANCELLED);
    EXPECT_STREQ(last_list_refusal, "You are wearing the cloak. Take it off first.");
}

TEST_F(ItemSelection, ReopeningWithTheSamePromptOpensWhereTheChoiceWasMade) {
    carry_sixty();
    // The next page, then its first row by its hot key.
    const int first = choose({KEY_PGDN, KEY_DOWN, KEY_ENTER}, 0, 0, "Which one?");
    ASSERT_GT(first, 10);
    const int page = selection_page_start;
    EXPECT_GT(page, 0);
    EXPECT_EQ(choose({KEY_ENTER}, 0, 0, "Which one?"), first) << "the cursor where it was left";
    EXPECT_EQ(selection_page_start, page);
    EXPECT_EQ(choose({KEY_ENTER}, 0, 0, "Another prompt"), 0) << "another prompt starts at the top";
}

}  // namespace
