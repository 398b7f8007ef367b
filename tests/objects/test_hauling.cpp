// Hauling: what a dragged load costs, marking part of a stack hauled, the
// hauled things following the player and being let go again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/movement_commands.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/hauling.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr int PX = 230, PY = 230;

ObjectRecord thing(const char* name, float weight) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_TOOL;
    r.kind = 300 + uint8_t(name[0]);
    copy_text(r.name, name);
    r.weight = r.full_weight = weight;
    return r;
}

class Hauling : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        reset_carry_state();
        reset_ownership();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        Plr.body_weight = 150;
        Plr.travel_mode = TRAVEL_WALKING;
        player_x = PX;
        player_y = PY;
        messages_suppressed = false;
        skip_message_pauses = true;
        last_message[0] = 0;
    }
    void TearDown() override {
        reset_map_object_table();
        reset_object_store();
        reset_carry_state();
        reset_ownership();
        skip_message_pauses = false;
        Plr = saved_;
    }
    // n of a thing of w pounds on the player's square, hauled.
    int hauled(const char* name, float w, int n) {
        const int at = put_object_on_map(MK_ITEM, PX, PY, obj_store_new(thing(name, w)), n);
        EXPECT_GE(at, 0);
        EXPECT_EQ(mark_map_item_hauled(at, n), 1);
        return at;
    }
    PlayFolder folder;
    PlayerRecord saved_;
};

TEST(DragWeight, ItemsCountFromTheThresholdTheUnitReachesCarcassesFromTheOneTheyPass) {
    const struct {
        float w;
        float factor;
        int drag_class;
    } items[] = {
        {9.99f, 0.05f, 3}, {10, 0.075f, 3}, {10.5f, 0.075f, 3}, {20, 0.1f, 4},  {40, 0.25f, 4},
        {100, 0.5f, 5},    {200, 0.75f, 7}, {400, 1.0f, 7},     {600, 2.0f, 10},
    };
    for (const auto& c : items) {
        SCOPED_TRACE("item of " + std::to_string(c.w));
        const DragCost d = item_drag_weight(4, c.w);
        EXPECT_FLOAT_EQ(d.drag, 4 * c.factor);
        EXPECT_EQ(d.drag_class, c.drag_class);
    }
    const struct {
        float pounds;
        float drag;
        int drag_class;
    } carcasses[] = {
        {10, 0.2f, 3}, {10.5f, 0.5f, 4}, {60, 2, 5}, {61, 3, 6}, {300, 12, 10}, {301, 15, 10},
    };
    for (const auto& c : carcasses) {
        SCOPED_TRACE("carcass of " + std::to_string(c.pounds));
        const DragCost d = carcass_drag_weight(c.pounds);
        EXPECT_FLOAT_EQ(d.drag, c.drag);
        EXPECT_EQ(d.drag_class, c.drag_class);
    }
}

TEST_F(Hauling, ThreeLightStacksAndOneHeavyThingCostThreeMinutesAStepAtTheHighestEffort) {
    hauled("Pole", 10.0f, 3);
    hauled("Boulder", 700.0f, 1);
    EXPECT_FLOAT_EQ(plr_hauled_weight(), 3.0f);  // 3 x 0.075 + 2 = 2.225, rounded up
    EXPECT_EQ(hauled_drag_class, 10);

    // A dead creature drags by its own weight, whatever the record's amount.
    const int slot = 5;
    const CreatureRecord saved = Cre[slot];
    std::memset(&Cre[slot], 0, sizeof Cre[slot]);
    Cre[slot].weight = 120.0f;  // 264 lb: 12
    clear_staging_object();
    map_object_staging.TYPE = MK_CARCASS;
    map_object_staging.x = PX;
    map_object_staging.y = PY;
    map_object_staging.DATA = 1000 + slot;
    map_object_staging.amount = 1;
    const int body = insert_map_object(-1);
    ASSERT_GE(body, 0);
    ASSERT_EQ(mark_map_item_hauled(body, 1), 1);
    EXPECT_FLOAT_EQ(plr_hauled_weight(), 15.0f);  // 2.225 + 12 = 14.225
    EXPECT_EQ(hauled_drag_class, 10);
    Cre[slot] = saved;
}

TEST_F(Hauling, PartOfAStackAtTheTablesFirstRecordIsHauledAndTheRestStays) {
    const int id = obj_store_new(thing("Log", 30.0f));
    ASSERT_EQ(put_object_on_map(MK_ITEM, PX, PY, id, 5), 0);
    ASSERT_EQ(mark_map_item_hauled(0, 2), 1);
    EXPECT_EQ(Data[0].amount, 2);
    EXPECT_EQ(Data[0].state, MAP_STATE_HAULED);
    EXPECT_EQ(Data[0].ref, MAP_REF_HAULED_BY_PLAYER);
    ASSERT_EQ(Data[1].TYPE, MK_ITEM);
    EXPECT_EQ(Data[1].amount, 3);
    EXPECT_EQ(Data[1].state, 0) << "the rest is not hauled";
    EXPECT_EQ(hauled_items_on_map(), 1);

    // The player walks two squares east: only the hauled part follows.
    player_x = PX + 2;
    EXPECT_EQ(plr_move_hauled_items(), 1);
    EXPECT_EQ(Data[0].x, PX + 2);
    EXPECT_EQ(Data[1].x, PX);
}

TEST_F(Hauling, AStackThatCantBeSplitIsNotHauled) {
    const int id = obj_store_new(thing("Log", 30.0f));
    ASSERT_EQ(put_object_on_map(MK_ITEM, PX, PY, id, 5), 0);
    // No free record anywhere for the rest of the stack.
    for (int i = 1; i < MAP_OBJECT_COUNT; ++i) {
        Data[i] = Data[0];
        Data[i].x = uint16_t(PX + 1 + i % 50);
    }
    EXPECT_EQ(mark_map_item_hauled(0, 2), 0);
    EXPECT_EQ(Data[0].amount, 5);
    EXPECT_EQ(Data[0].state, 0);
}

TEST_F(Hauling, StoppingLetsEverythingGoWhereItLiesAndLeavesHaulingMode) {
    const int logs = hauled("Log", 30.0f, 2);
    hauled("Log", 30.0f, 3);  // joins no stack: the hauled one is held
    Plr.travel_mode = TRAVEL_HAULING;
    player_x = PX + 1;
    ASSERT_EQ(plr_move_hauled_items(), 2);
    stop_hauling(MAP_REF_HAULED_BY_PLAYER);
    EXPECT_EQ(Plr.travel_mode, TRAVEL_WALKING);
    EXPECT_NE(std::string(last_message).find("stop hauling"), std::string::npos) << last_message;
    EXPECT_EQ(hauled_items_on_map(), 0);
    int total = 0, records = 0;
    for (const MapObject& o : Data)
        if (o.TYPE == MK_ITEM) {
            EXPECT_EQ(o.x, PX + 1);
            EXPECT_EQ(o.state, 0);
            EXPECT_EQ(o.ref, 0);
            total += o.amount;
            ++records;
        }
    EXPECT_EQ(total, 5);
    EXPECT_EQ(records, 1) << "the two stacks of one log lie as one again";
    (void)logs;

    // Again with nothing hauled: no message, the mode is left all the same.
    last_message[0] = 0;
    Plr.travel_mode = TRAVEL_HAULING;
    stop_hauling(MAP_REF_HAULED_BY_PLAYER);
    EXPECT_EQ(Plr.travel_mode, TRAVEL_WALKING);
    EXPECT_STREQ(last_message, "");
}

TEST_F(Hauling, HauledGoodsNameTheirVillagesOnceEach) {
    ObjectRecord unpaid = thing("Pot", 2.0f);
    unpaid.ownerID = 41;
    unpaid.ownflag = OWN_UNPAID;
    ObjectRecord taken = thing("Bowl", 2.0f);
    taken.ownerID = 42;
    taken.ownflag = OWN_TAKEN;
    const int pot = obj_store_new(unpaid), bowl = obj_store_new(taken);
    for (int id : {pot, pot, bowl}) {
        clear_staging_object();
        map_object_staging.TYPE = MK_ITEM;
        map_object_staging.x = PX;
        map_object_staging.y = PY;
        map_object_staging.DATA = id;
        map_object_staging.amount = 1;
        map_object_staging.state = MAP_STATE_HAULED;
        map_object_staging.ref = MAP_REF_HAULED_BY_PLAYER;
        ASSERT_GE(insert_map_object(-1), 0);
    }
    hauled_taken_villages[5] = 99;  // rebuilt from scratch
    EXPECT_EQ(plr_move_hauled_items(), 3);
    EXPECT_EQ(hauled_unpaid_villages[0], 41);
    EXPECT_EQ(hauled_unpaid_villages[1], 0);
    EXPECT_EQ(hauled_taken_villages[0], 42);
    EXPECT_EQ(hauled_taken_villages[5], 0);
}

}  // namespace

namespace {

// What lies on the player's square of the object named so: the records and
// their amounts.
std::vector<int> amounts_at_player(const char* name) {
    std::vector<int> out;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_ITEM || o.x != PX || o.y != PY) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (std::strcmp(r.name, name) == 0) out.push_back(o.amount);
    }
    return out;
}

TEST_F(Hauling, ADropPutsDownExactlyWhatLeavesTheSlot) {
    const struct {
        int carried;
        int asked;
        std::vector<int> lying;  // the records on the square
        int left;
    } cases[] = {
        {5, 2, {2}, 3},
        {5, 9, {5}, 0},
        {70000, 70000, {65535, 4465}, 0},  // a map record holds at most 65,535
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.carried) + " asked " + std::to_string(c.asked));
        reset_map_object_table();
        Plr.plr_inv_id[3] = obj_store_new(thing("Arrow", 0.1f));
        Plr.plr_inv_count[3] = c.carried;
        EXPECT_EQ(drop_carried(3, c.asked), c.carried - c.left);
        EXPECT_EQ(amounts_at_player("Arrow"), c.lying);
        EXPECT_EQ(Plr.plr_inv_count[3], c.left);
        EXPECT_EQ(Plr.plr_inv_id[3] != 0, c.left > 0);
    }
}

TEST_F(Hauling, WhatIsDroppedIsNeitherWornNorHeld) {
    ObjectRecord cloak = thing("Cloak", 5.0f);
    cloak.item_class = ITEM_ARMOUR;
    cloak.state_bits = OBJ_WORN | OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;
    Plr.plr_inv_id[0] = obj_store_new(cloak);
    Plr.plr_inv_count[0] = 1;
    ASSERT_EQ(drop_carried(0, 1), 1);
    ASSERT_EQ(Data[0].TYPE, MK_ITEM);
    ObjectRecord lying;
    obj_record(Data[0].DATA, lying);
    EXPECT_STREQ(lying.name, "Cloak");
    EXPECT_EQ(lying.state_bits & (OBJ_WORN | OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND), 0);
    EXPECT_NE(std::string(last_message).find("drop"), std::string::npos) << last_message;
}

TEST_F(Hauling, ADropWithNoRoomOnTheMapKeepsTheItem) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        Data[i].TYPE = MK_MARKER;  // nothing a purge may free
        Data[i].x = uint16_t(PX + 1 + i % 40);
        Data[i].y = PY;
        Data[i].amount = 1;
    }
    Plr.plr_inv_id[0] = obj_store_new(thing("Knife", 0.5f));
    Plr.plr_inv_count[0] = 1;
    const int kept = Plr.plr_inv_id[0];
    EXPECT_EQ(drop_carried(0, 1), 0);
    EXPECT_EQ(Plr.plr_inv_id[0], kept);
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
}

}  // namespace

namespace {

TEST_F(Hauling, TheHaulCommandStopsWhateverIsHauledAndRefusesInWater) {
    // In hauling mode with nothing hauled: hauling ends, without a word.
    Plr.travel_mode = TRAVEL_HAULING;
    haul_command();
    EXPECT_EQ(Plr.travel_mode, TRAVEL_WALKING);
    EXPECT_STREQ(last_message, "");

    // Something hauled, whatever the mode: let go of, with a word.
    const int at = hauled("Log", 30.0f, 2);
    haul_command();
    EXPECT_EQ(Data[at].state, 0);
    EXPECT_NE(std::string(last_message).find("stop hauling"), std::string::npos) << last_message;

    const struct {
        uint8_t mode;
        const char* says;
    } refusals[] = {{TRAVEL_SWIMMING, "swimming"}, {TRAVEL_WADING, "[p]ush"}};
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.says);
        Plr.travel_mode = r.mode;
        last_message[0] = 0;
        haul_command();
        EXPECT_EQ(Plr.travel_mode, r.mode);
        EXPECT_NE(std::string(last_message).find(r.says), std::string::npos) << last_message;
    }
}

}  // namespace
