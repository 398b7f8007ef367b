// Containers: what is left after taking an amount out, when a container
// counts as emptied and comes back empty at its slot, filling up to the
// capacity, and the reductions of stored objects.
#include <gtest/gtest.h>

#include <cstring>

#include "base/platform.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/containers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/message_line.h"
#include "work/crafting_services.h"

namespace {

constexpr int TYPE_WATER = 55, TYPE_MILK = 69;

ObjectRecord cup() {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_CONTAINER;
    r.kind = 351;
    copy_text(r.name, "Wooden cup");
    r.full_weight = 1.0f;  // capacity
    return r;
}

class Containers : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        messages_suppressed = false;
        skip_message_pauses = true;
        reset_last_message();
    }
    void TearDown() override {
        reset_map_object_table();
        reset_object_store();
        skip_message_pauses = false;
        Plr = saved_;
    }
    // Slot 0 holds a cup of the liquid, filled to its capacity.
    int carry_full_cup(int liquid = TYPE_WATER) {
        const int empty = obj_store_new(cup());
        const int filled = Sailioi(0, empty, liquid, 0);
        Plr.plr_inv_id[0] = filled;
        Plr.plr_inv_count[0] = 1;
        return empty;
    }
    const ObjectRecord& held(int s) { return Objects[Plr.plr_inv_id[s] - FIRST_INSTANCE_ID]; }
    PlayerRecord saved_;
};

TEST_F(Containers, FillingMakesTheLiquidsRecordThatNamesTheCup) {
    const int empty = carry_full_cup();
    const ObjectRecord& water = held(0);
    EXPECT_EQ(water.item_class, ITEM_CONTAINER);
    EXPECT_EQ(water.kind, TYPE_WATER);
    EXPECT_EQ(water.contents, empty);
    EXPECT_FLOAT_EQ(water.weight, 1.0f);
    EXPECT_FLOAT_EQ(water.full_weight, 1.0f);
    // The empty cup's own record is untouched.
    EXPECT_EQ(Objects[empty - FIRST_INSTANCE_ID].contents, 0);

    // Topping up never exceeds the capacity; another liquid replaces it.
    const int more = Sailioi(0, Plr.plr_inv_id[0], TYPE_WATER, 5);
    EXPECT_FLOAT_EQ(Objects[more - FIRST_INSTANCE_ID].weight, 1.0f);
    EXPECT_EQ(Objects[more - FIRST_INSTANCE_ID].contents, empty);
    const int milk = Sailioi(0, Plr.plr_inv_id[0], TYPE_MILK, 0);
    EXPECT_EQ(Objects[milk - FIRST_INSTANCE_ID].kind, TYPE_MILK);
    EXPECT_EQ(Objects[milk - FIRST_INSTANCE_ID].contents, empty);
}

// A pound of water less 0.96 leaves 0.04, at or below the used-up mark:
// the cup comes back empty at the same slot. Less 0.94 leaves 0.06.
TEST_F(Containers, WhatIsLeftDecidesWhetherTheCupComesBackEmpty) {
    struct Case {
        float taken;
        bool emptied;
        float left;
    };
    const Case cases[] = {{0.94f, false, 0.06f}, {0.96f, true, 0.0f}, {0.95f, true, 0.0f}, {0.25f, false, 0.75f}};
    for (const Case& c : cases) {
        SetUp();
        const int empty = carry_full_cup();
        Plr.plr_inv_id[1] = obj_store_new(cup());  // something after it
        Plr.plr_inv_count[1] = 2;
        plr_empty_container(0, c.taken);
        const ObjectRecord& now = held(0);
        if (c.emptied) {
            EXPECT_EQ(now.contents, 0) << c.taken;
            EXPECT_STREQ(now.name, "Wooden cup") << c.taken;
            EXPECT_EQ(now.kind, 351) << c.taken;
            EXPECT_FLOAT_EQ(now.weight, 0.0f) << c.taken;
            EXPECT_NE(Plr.plr_inv_id[0], empty) << "a stored id is never changed in place";
        } else {
            EXPECT_EQ(now.kind, TYPE_WATER) << c.taken;
            EXPECT_NEAR(now.weight, c.left, 1e-5) << c.taken;
            EXPECT_EQ(now.contents, empty) << c.taken;
        }
        EXPECT_EQ(Plr.plr_inv_count[0], 1) << c.taken;
        TearDown();
    }
}

TEST_F(Containers, AnEmptyCupGivesNothingAndStaysAsItIs) {
    const int empty = obj_store_new(cup());
    Plr.plr_inv_id[0] = empty;
    Plr.plr_inv_count[0] = 1;
    EXPECT_FLOAT_EQ(plr_empty_container(0, 0.5f), 0.0f);
    EXPECT_EQ(Plr.plr_inv_id[0], empty);
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
}

TEST_F(Containers, ReducingStoredObjects) {
    ObjectRecord rope;
    obj_clear_record(rope);
    rope.item_class = ITEM_TOOL;
    copy_text(rope.name, "Rope");
    rope.length = 15;
    rope.weight = rope.full_weight = 1.5f;
    const int id = obj_store_new(rope);
    const int shorter = obj_reduce_count(id, 5);
    ASSERT_NE(shorter, 0);
    EXPECT_EQ(Objects[shorter - FIRST_INSTANCE_ID].length, 10);
    EXPECT_NEAR(Objects[shorter - FIRST_INSTANCE_ID].weight, 1.0f, 1e-5);
    EXPECT_EQ(Objects[id - FIRST_INSTANCE_ID].length, 15);  // the old record stays
    EXPECT_EQ(obj_reduce_count(id, 15), 0);

    const int empty = obj_store_new(cup());
    EXPECT_EQ(obj_reduce_amount(empty, 0.5f), empty);
    EXPECT_EQ(obj_reduce_amount(id, 1.46f), 0);
    const int lighter = obj_reduce_amount(id, 0.5f);
    EXPECT_NEAR(Objects[lighter - FIRST_INSTANCE_ID].weight, 1.0f, 1e-5);
}

TEST_F(Containers, OwnershipIsCopiedWithItsDayCount) {
    ObjectRecord from = cup(), to = cup();
    from.ownerID = 7;
    from.ownflag = 0x01;
    from.x = 3;
    from.y = 4;
    from.extra_a = 5;
    obj_copy_ownership(from, to);
    EXPECT_EQ(to.ownerID, 7);
    EXPECT_EQ(to.ownflag, 0x01);
    EXPECT_EQ(to.x, 3);
    EXPECT_EQ(to.y, 4);
    EXPECT_EQ(to.extra_a, 5);
}

}  // namespace
