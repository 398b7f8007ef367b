// Containers: what is left after taking an amount out, when a container
// counts as emptied and comes back empty at its slot, filling up to the
// capacity, and the reductions of stored objects.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_record.h"
#include "game/clock.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "maps/map_view.h"
#include "objects/map_kinds.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/containers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/message_line.h"
#include "support/play_folder.h"
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

// ------------------------------------------------------------ pouring

namespace {

ObjectRecord liquid_in(int container_id, int kind, const char* name, float pounds) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_CONTAINER;
    r.kind = kind;
    copy_text(r.name, name);
    r.weight = pounds;
    r.full_weight = Objects[container_id - FIRST_INSTANCE_ID].full_weight;
    r.contents = container_id;
    return r;
}

}  // namespace

TEST_F(Containers, PouringMovesWhatFitsAndEmptiesTheSourceByExactlyThat) {
    struct Case {
        float source, target;  // pounds of water; a target of 0 is an empty cup
        float source_left, target_after;
    };
    const Case cases[] = {{1.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.6f, 0.6f, 1.0f}, {0.3f, 0.5f, 0.0f, 0.8f}};
    for (const Case& c : cases) {
        SetUp();
        const int source_cup = obj_store_new(cup());
        Plr.plr_inv_id[0] = obj_store_new(liquid_in(source_cup, TYPE_WATER, "Water", c.source));
        Plr.plr_inv_count[0] = 1;
        const int target_cup = obj_store_new(cup());
        Plr.plr_inv_id[1] = c.target > 0 ? obj_store_new(liquid_in(target_cup, TYPE_WATER, "Water", c.target))
                                         : target_cup;
        Plr.plr_inv_count[1] = 1;
        EXPECT_EQ(pour_into(0, 1), 1) << c.source << " into " << c.target;
        float source_left = -1, target_after = -1;
        int cups = 0;
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            if (Plr.plr_inv_id[s] == 0) continue;
            const ObjectRecord& r = held(s);
            if (r.kind == TYPE_WATER && r.contents == source_cup) source_left = r.weight;
            if (r.kind == TYPE_WATER && r.contents == target_cup) target_after = r.weight;
            if (r.kind == 351 && r.contents == 0) ++cups;
        }
        EXPECT_NEAR(target_after, c.target_after, 1e-5) << c.source << " into " << c.target;
        if (c.source_left > 0) EXPECT_NEAR(source_left, c.source_left, 1e-5) << c.source << " into " << c.target;
        else EXPECT_EQ(cups, 1) << "the emptied cup comes back";
        TearDown();
    }
}

TEST_F(Containers, RefusedPouringLeavesThePackAsItWas) {
    const int milk_cup = obj_store_new(cup());
    const int water_cup = obj_store_new(cup());
    const int full_cup = obj_store_new(cup());
    Plr.plr_inv_id[0] = obj_store_new(liquid_in(water_cup, TYPE_WATER, "Water", 0.5f));
    Plr.plr_inv_id[1] = obj_store_new(liquid_in(milk_cup, TYPE_MILK, "Milk", 0.5f));
    Plr.plr_inv_id[2] = obj_store_new(liquid_in(full_cup, TYPE_WATER, "Water", 1.0f));
    Plr.plr_inv_count[0] = Plr.plr_inv_count[1] = Plr.plr_inv_count[2] = 1;
    const struct {
        int target;
        const char* said;
    } cases[] = {
        {1, "!You can't store different kinds of stuff in one container!"},
        {2, "completely full!"},
        {0, "!Huh? You tried to pour something in itself."},
    };
    for (const auto& c : cases) {
        const PlayerRecord before = Plr;
        EXPECT_EQ(pour_into(0, c.target), 1);
        EXPECT_EQ(std::memcmp(&before, &Plr, sizeof Plr), 0) << c.said;
        EXPECT_NE(std::string(last_message).find(c.said), std::string::npos) << last_message;
    }
}

TEST_F(Containers, LooseStuffGoesInWholePiecesAtLeastOne) {
    ObjectRecord bag = cup();
    bag.kind = 350;
    copy_text(bag.name, "Bag");
    const struct {
        float piece;
        int count, moved;
    } cases[] = {{0.3f, 5, 3}, {0.3f, 2, 2}, {1.5f, 4, 1}, {0.0f, 4, 1}};
    for (const auto& c : cases) {
        SetUp();
        ObjectRecord nut;
        obj_clear_record(nut);
        nut.item_class = ITEM_FOOD;
        nut.kind = 420;
        copy_text(nut.name, "Hazelnut");
        nut.weight = nut.full_weight = c.piece;
        Plr.plr_inv_id[0] = obj_store_new(nut);
        Plr.plr_inv_count[0] = c.count;
        const int bag_id = obj_store_new(bag);
        Plr.plr_inv_id[1] = bag_id;
        Plr.plr_inv_count[1] = 1;
        EXPECT_EQ(pour_into(0, 1), 1);
        int left = 0;
        float in_bag = -1;
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            if (Plr.plr_inv_id[s] == 0) continue;
            if (held(s).contents == bag_id) in_bag = held(s).weight;
            else if (held(s).kind == 420) left += Plr.plr_inv_count[s];
        }
        EXPECT_EQ(left, c.count - c.moved) << c.piece << " x " << c.count;
        EXPECT_NEAR(in_bag, std::min(1.0f, c.moved * c.piece), 1e-5) << c.piece << " x " << c.count;
        TearDown();
    }
}

// ------------------------------------------------------------ milking

namespace {

constexpr int COW_SLOT = 4;
uint32_t milking_clock = 0;

int choose_east(int, const char*) {
    target_x = 101;
    target_y = 100;
    return 250;
}

class Milking : public Containers {
protected:
    void SetUp() override {
        Containers::SetUp();
        saved_hooks_ = screen_hooks;
        screen_hooks.choose_target_location = choose_east;
        player_x = player_y = 100;
        Plr.facing = 2;  // north: no water ahead
        Plr.bodytemp = 37;
        Plr.month = 6;
        Plr.day = 3;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) set_terrain_at(100 + dx, 100 + dy, 250);
        SpendTimeSeams s{};
        s.now_ms = [] { return milking_clock; };
        s.sleep_ms = [](uint32_t ms) { milking_clock += ms; };
        s.poll_key = [] { return 0; };
        s.update_map_objects = [] {};
        s.body_check = [](int) {};
        spend_time_seams = s;
    }
    void TearDown() override {
        spend_time_seams = SpendTimeSeams{};
        screen_hooks = saved_hooks_;
        std::memset(&Cre[COW_SLOT], 0, sizeof Cre[COW_SLOT]);
        CreSlotRefs[COW_SLOT] = 0;
        Containers::TearDown();
    }
    void place(int kind, uint8_t sex_age = 0, int32_t owner = OWNER_PLAYER) {
        reset_map_object_table();
        CreatureRecord& c = Cre[COW_SLOT];
        std::memset(&c, 0, sizeof c);
        c.cre_class = 3;
        c.kind = kind;
        c.sex_age = sex_age;
        c.owner = owner;
        c.sotu = 1000 + COW_SLOT;
        copy_text(c.name, "cow");
        CreSlotRefs[COW_SLOT] = 1000 + COW_SLOT;
        put_object_on_map(MK_CREATURE, 101, 100, 1000 + COW_SLOT, 1);
    }
    // A big empty pail in slot 0.
    void carry_pail() {
        std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
        std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
        ObjectRecord pail = cup();
        pail.full_weight = 10.0f;
        Plr.plr_inv_id[0] = obj_store_new(pail);
        Plr.plr_inv_count[0] = 1;
        plr_recompute_carried_weight();
    }
    ScreenHooks saved_hooks_;
    PlayFolder folder_;
};

}  // namespace

TEST_F(Milking, YieldsBySpeciesAndTheRefusalsThatChangeNothing) {
    const struct {
        int kind;
        std::set<int> yields;
    } kinds[] = {{609, {2, 3, 4}}, {619, {2, 3}}, {616, {1, 2}}};
    for (const auto& k : kinds) {
        std::set<int> seen;
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            seed_random(seed);
            place(k.kind);
            carry_pail();
            fill_command(0);
            ASSERT_EQ(held(0).kind, TYPE_MILK) << k.kind << " " << last_message;
            seen.insert(int(held(0).weight + 0.5f));
        }
        EXPECT_EQ(seen, k.yields) << k.kind;
    }

    // Milked today: the second time is refused; out of season the goat is
    // dry in month 9 while the cow still gives; bulls, calves and the
    // animals of others give nothing. None of these changes the pack.
    const struct {
        int kind;
        uint8_t sex_age;
        int32_t owner;
        int month;
        bool milked_today;
        const char* said;
    } refusals[] = {
        {609, 0, OWNER_PLAYER, 6, true, "today"},
        {616, 0, OWNER_PLAYER, 9, false, "dry"},
        {609, SEX_MALE, OWNER_PLAYER, 6, false, ""},
        {609, SEX_YOUNG, OWNER_PLAYER, 6, false, ""},
        {609, 0, 0, 6, false, ""},
        {609, 0, OWNER_PLAYER, 3, false, "dry"},
    };
    for (const auto& r : refusals) {
        place(r.kind, r.sex_age, r.owner);
        Plr.month = uint8_t(r.month);
        if (r.milked_today) Cre[COW_SLOT].milking_day = int32_t(calendar_day_count());
        carry_pail();
        const PlayerRecord before = Plr;
        fill_command(0);
        EXPECT_EQ(std::memcmp(&before, &Plr, sizeof Plr), 0) << r.kind << " month " << r.month;
        EXPECT_NE(std::string(last_message).find(r.said), std::string::npos) << last_message;
        Plr.month = 6;
    }
    place(609);
    Plr.month = 9;
    carry_pail();
    fill_command(0);
    EXPECT_EQ(held(0).kind, TYPE_MILK) << "a cow gives milk in month 9";
}
