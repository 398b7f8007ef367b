// Carry limits and picking up: what the player and creatures may take, and
// what a pick-up leaves of the map record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
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

class Carrying : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        reset_carry_state();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        Plr.body_weight = 150;
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
        skip_message_pauses = false;
        Plr = saved_;
    }
    PlayFolder folder;
    PlayerRecord saved_;
};

TEST_F(Carrying, ThePlayerTakesUpToOneAndAHalfBodyWeightsAtATime) {
    const struct {
        float weight;
        int count;
        bool taken;
    } cases[] = {
        {225.0f, 1, true},  {226.0f, 1, false}, {45.0f, 5, true},
        {45.2f, 5, false},  {0.0f, 1000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.weight) + " x " + std::to_string(c.count));
        last_message[0] = 0;
        const int id = obj_store_new(thing("Stone", c.weight));
        EXPECT_EQ(can_take_item(-1, c.count, id), c.taken ? 1 : 0);
        EXPECT_EQ(current_taker, -1);
        if (c.taken) {
            EXPECT_STREQ(last_message, "");
        } else {
            EXPECT_NE(std::string(last_message).find("too heavy"), std::string::npos) << last_message;
        }
    }
    // The whole load does not count, only the take.
    Plr.carried_load = 1000.0f;
    EXPECT_TRUE(cre_can_carry(-1, 225.0f));
}

TEST_F(Carrying, TheNinetyFirstSlotInUseRefusesEvenAFeather) {
    const int feather = obj_store_new(thing("Feather", 0.01f));
    Plr.plr_inv_id[PLR_TAKE_LAST_SLOT - 1] = feather;
    Plr.plr_inv_count[PLR_TAKE_LAST_SLOT - 1] = 1;
    EXPECT_EQ(can_take_item(-1, 1, feather), 1);
    Plr.plr_inv_id[PLR_TAKE_LAST_SLOT] = feather;
    Plr.plr_inv_count[PLR_TAKE_LAST_SLOT] = 1;
    EXPECT_EQ(can_take_item(-1, 1, feather), 0);
    EXPECT_NE(std::string(last_message).find("any more"), std::string::npos) << last_message;
}

TEST_F(Carrying, ACreatureLoadsUpToTwiceItsOwnWeightInAll) {
    const int slot = 7;
    CreatureRecord saved = Cre[slot];
    std::memset(&Cre[slot], 0, sizeof Cre[slot]);
    Cre[slot].weight = 45.3f;  // 100 lb: 200 lb in all
    const int load = obj_store_new(thing("Load", 50.0f));
    const struct {
        int carried;  // of the 50 lb load
        float more;
        bool can;
    } cases[] = {
        {0, 200.0f, true}, {0, 200.5f, false}, {3, 50.0f, true}, {3, 50.1f, false}, {4, 0.0f, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.carried) + " + " + std::to_string(c.more));
        Cre[slot].inv_id[0] = c.carried ? load : 0;
        Cre[slot].inv_count[0] = c.carried;
        EXPECT_EQ(cre_can_carry(slot, c.more) != 0, c.can);
    }
    Cre[slot].inv_id[0] = load;
    Cre[slot].inv_count[0] = 4;
    EXPECT_EQ(can_take_item(slot, 1, load), 0);
    EXPECT_EQ(current_taker, slot);
    EXPECT_STREQ(last_message, "") << "a creature's refusal is not the player's to read";
    Cre[slot] = saved;
}

TEST_F(Carrying, APickUpRefusedLeavesTheMapRecordAsItWas) {
    const int heavy = obj_store_new(thing("Anvil", 226.0f));
    const int at = put_object_on_map(MK_ITEM, PX, PY, heavy, 1);
    ASSERT_GE(at, 0);
    const MapObject before = Data[at];
    EXPECT_EQ(pick_up_map_item(at, 1, 0), 0);
    EXPECT_EQ(std::memcmp(&before, &Data[at], sizeof before), 0);
    EXPECT_EQ(Plr.plr_inv_id[0], 0);

    const int light = obj_store_new(thing("Nail", 1.0f));
    const int nails = put_object_on_map(MK_ITEM, PX, PY, light, 5);
    ASSERT_GE(nails, 0);
    const MapObject nails_before = Data[nails];
    EXPECT_EQ(pick_up_map_item(nails, 2, 0), 1);
    EXPECT_EQ(std::memcmp(&nails_before, &Data[nails], sizeof nails_before), 0) << "the caller lowers it";
    EXPECT_EQ(Plr.plr_inv_count[0], 2);
    ObjectRecord got;
    obj_record(Plr.plr_inv_id[0], got);
    EXPECT_STREQ(got.name, "Nail");
}

}  // namespace

namespace {

TEST_F(Carrying, ALeashWhoseAnimalIsGoneForgetsItWhenPickedUp) {
    ObjectRecord leash = thing("Leash", 0.5f);
    leash.subclass = 9;
    leash.link = 1234;  // no creature of that identity on the map
    const int at = put_object_on_map(MK_ITEM, PX, PY, obj_store_new(leash), 1);
    ASSERT_GE(at, 0);
    ASSERT_EQ(pick_up_map_item(at, 1, 0), 1);
    ObjectRecord got;
    obj_record(Plr.plr_inv_id[0], got);
    EXPECT_STREQ(got.name, "Leash");
    EXPECT_EQ(got.link, 0);
}

TEST_F(Carrying, TheBuildersPickListHoldsAtMostTwentyItemsAndNeverTheBoatSatIn) {
    const int stone = obj_store_new(thing("Stone", 5.0f));
    ObjectRecord boat = thing("Boat", 60.0f);
    boat.item_class = ITEM_VEHICLE;
    boat.subclass = 13;
    const int boat_id = obj_store_new(boat);
    clear_staging_object();
    map_object_staging.TYPE = MK_ITEM;
    map_object_staging.x = PX;
    map_object_staging.y = PY;
    map_object_staging.amount = 1;
    map_object_staging.DATA = boat_id;
    const int boat_at = insert_map_object(-1);
    ASSERT_GE(boat_at, 0);
    map_object_staging.DATA = stone;
    for (int i = 0; i < 30; ++i) ASSERT_GE(insert_map_object(-1), 0);
    map_object_staging.x = PX + 1;
    ASSERT_GE(insert_map_object(-1), 0);  // another square

    Plr.travel_mode = 3;  // rowing
    EXPECT_EQ(collect_pickable_at(PX, PY), 20);
    for (int i = 0; i < 20; ++i) EXPECT_NE(pick_list[i], boat_at);
    EXPECT_EQ(pick_list[20], -1);
    Plr.travel_mode = 1;
    EXPECT_EQ(collect_pickable_at(PX, PY), 20);
    EXPECT_EQ(pick_list[0], boat_at);
    EXPECT_EQ(collect_pickable_at(PX + 1, PY), 1);
    EXPECT_EQ(collect_pickable_at(PX + 2, PY), 0);
}

}  // namespace
