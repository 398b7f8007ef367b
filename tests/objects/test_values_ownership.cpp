// What items are worth, who owns them, goods taken in a village seen or
// unseen with their debts, putting them back, and what a dying creature
// leaves.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "objects/ownership.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

// The planted villager who sees the player, and what was shouted.
int planted_witness = -1000;
std::string shouted;
int plant_witness(int) { return planted_witness; }
int plant_villager(int) { return -1000; }
int plant_shout(int, const char* text) {
    shouted = text;
    return 1;
}

ObjectRecord record(uint8_t item_class, float price, float weight, float full_weight, int grade) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 300;
    copy_text(r.name, "thing");
    r.price = price;
    r.weight = weight;
    r.full_weight = full_weight;
    r.quality = uint8_t(grade);
    return r;
}

TEST(ObjectValue, PriceWeightGradeSkinsAndContents) {
    struct Case {
        const char* what;
        ObjectRecord r;
        float value;
    };
    ObjectRecord skin412 = record(ITEM_SKIN, 40, 2, 2, 3);
    skin412.kind = 412;
    ObjectRecord skin = record(ITEM_SKIN, 40, 2, 2, 3);
    ObjectRecord by_pound = record(ITEM_FOOD, 100, 4, 4, 4);
    by_pound.unit_price = 2;
    const Case cases[] = {
        {"grade-5 weapon at half its weight", record(ITEM_WEAPON, 8, 3, 6, 5), 6.0f},
        {"grade 0 counts as 3", record(ITEM_WEAPON, 8, 6, 6, 0), 8.0f},
        {"grade 1", record(ITEM_ARMOUR, 8, 6, 6, 1), 2.0f},
        {"a worn tool", record(ITEM_TOOL, 10, 1, 4, 2), 1.25f},
        {"food is not worn down by weight", record(ITEM_FOOD, 10, 1, 4, 3), 10.0f},
        {"priced by the pound", by_pound, 4 * 2 * 1.25f},
        {"skin of kind 412 keeps its value", skin412, 40.0f},
        {"other skins a quarter", skin, 10.0f},
    };
    for (const Case& k : cases) EXPECT_FLOAT_EQ(obj_value(k.r), k.value) << k.what;
}

TEST(ObjectValue, AContainerAddsItsContentsOneLevelDeep) {
    reset_object_store();
    ObjectRecord flour = record(ITEM_FOOD, 0, 5, 5, 3);
    flour.unit_price = 4;
    const int flour_id = obj_store_new(flour);
    ObjectRecord bag = record(ITEM_CONTAINER, 6, 0, 10, 3);
    const float empty = obj_value(bag);
    bag.contents = flour_id;
    EXPECT_FLOAT_EQ(empty, 6.0f);
    EXPECT_FLOAT_EQ(obj_value(bag), 6.0f + 20.0f);
    // A bag in a chest counts, the flour in that bag does not.
    ObjectRecord chest = record(ITEM_CONTAINER, 30, 0, 50, 3);
    chest.contents = obj_store_new(bag);
    EXPECT_FLOAT_EQ(obj_value(chest), 36.0f);
    EXPECT_EQ(obj_is_valuable(record(ITEM_TOOL, 12, 1, 1, 3)), 1);
    EXPECT_EQ(obj_is_valuable(record(ITEM_TOOL, 11.9f, 1, 1, 3)), 0);
    EXPECT_EQ(obj_is_valuable(record(ITEM_FOOD, 500, 1, 1, 3)), 0);
    reset_object_store();
}

class Ownership : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("OWN");
        load_world_files();
        std::memset(Markers, 0, sizeof Markers);
        reset_object_store();
        reset_villages();
        reset_ownership();
        reset_creature_tables();
        reset_map_object_table();
        std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
        std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
        Plr.days_played = 10;
        Plr.total_minutes = 10000;
        Plr.quest_id_counter = 40;
        copy_text(Plr.map_name, "BIGMAP");
        is_world_map();
        messages_suppressed = true;
        seed_random(11);
        v = world.village;
        village = assign_village_id(v.x, v.y, 0);
        player_x = v.x;
        player_y = v.y;
        planted_witness = -1000;
        shouted.clear();
        ownership_services = {plant_witness, plant_villager, plant_shout};
    }
    void TearDown() override {
        ownership_services = default_ownership_services();
        reset_villages();
    }

    int owned_item(float price) {
        ObjectRecord r = record(ITEM_TOOL, price, 1, 1, 3);
        r.ownerID = village;
        return obj_store_new(r);
    }
    static ObjectRecord rec(int id) {
        ObjectRecord r;
        return obj_record(id, r);
    }
    static int debt_count(int32_t village, int id) {
        set_current_village(village);
        int n = 0;
        for (const VillageDebt& d : CurVillage.item_debts)
            if (d.in_use && d.object_id == id) n += d.count;
        return n;
    }

    PlayFolder folder{false};
    FixtureWorld world;
    FixturePoint v{};
    int32_t village = 0;
};

TEST_F(Ownership, StatusOfRecordsAndOfMapItems) {
    ObjectRecord r = record(ITEM_TOOL, 8, 1, 1, 3);
    EXPECT_EQ(obj_owner_status(r).free, 1);
    r.ownerID = 5;
    EXPECT_EQ(obj_owner_status(r).free, 0);
    EXPECT_EQ(obj_owner_status(r).owner, 5);
    r.ownflag = OWN_FREE_AGAIN;
    EXPECT_EQ(obj_owner_status(r).free, 1);
    EXPECT_EQ(obj_owner_status(r).owner, 0);

    // On the world map a record's square is its world cell.
    const int plain = obj_store_new(record(ITEM_TOOL, 8, 1, 1, 3));
    const int claimed = put_object_on_map(MK_ITEM, v.x, v.y, plain, 1);
    mark_map_item_claimed(claimed);
    EXPECT_EQ(Data[claimed].ref, MAP_REF_CLAIMED);
    EXPECT_EQ(map_item_owner_status(claimed).owner, village);
    EXPECT_EQ(map_item_owner_status(claimed).free, 0);
    const int unclaimed = put_object_on_map(MK_ITEM, v.x, v.y, obj_store_new(record(ITEM_FOOD, 8, 1, 1, 3)), 1);
    EXPECT_EQ(map_item_owner_status(unclaimed).free, 1) << "an unclaimed item is its object's";
    // In a village of culture 11 goods are free.
    culture_grid[(v.y / 32) * 96 + v.x / 32] = 11;
    EXPECT_EQ(map_item_owner_status(claimed).free, 1);
}

TEST_F(Ownership, UnseenPickupIsTakenAndBecomesUnpaidWhenTheVillageLooks) {
    const int id = owned_item(16);
    const OwnerStatus owned{0, village, 0, 0};
    const int taken = village_member_sees_pickup(id, 3, 0, owned);
    ASSERT_NE(taken, 0);
    EXPECT_EQ(rec(taken).ownflag & (OWN_UNPAID | OWN_TAKEN), OWN_TAKEN);
    EXPECT_EQ(rec(taken).x, v.x) << "the origin cell is stamped";
    EXPECT_EQ(rec(taken).y, v.y);
    EXPECT_EQ(debt_count(village, taken), 0) << "nobody saw it: no debt";

    Plr.plr_inv_id[0] = taken;
    Plr.plr_inv_count[0] = 3;
    EXPECT_EQ(plr_has_goods_of_village(village), 1);
    EXPECT_EQ(plr_has_goods_of_village(village + 1), 0);
    // The village looks, forced: taken goods become unpaid with a debt of
    // the slot's count.
    check_unpaid_goods(village, 1);
    const int unpaid = Plr.plr_inv_id[0];
    EXPECT_EQ(rec(unpaid).ownflag & (OWN_UNPAID | OWN_TAKEN), OWN_UNPAID);
    EXPECT_EQ(debt_count(village, unpaid), 3);
    // A free object with no owner is never marked.
    const int nobody = obj_store_new(record(ITEM_TOOL, 8, 1, 1, 3));
    EXPECT_EQ(village_member_sees_pickup(nobody, 1, 0, OwnerStatus{0, 0, 0, 1}), nobody);
    EXPECT_EQ(rec(nobody).ownflag, 0);
}

TEST_F(Ownership, APickupInAWitnesssSightIsUnpaidWithItsDebtOnce) {
    planted_witness = 5;
    const int id = owned_item(16);
    const int unpaid = village_member_sees_pickup(id, 4, 0, OwnerStatus{0, village, 0, 0});
    EXPECT_EQ(rec(unpaid).ownflag & (OWN_UNPAID | OWN_TAKEN), OWN_UNPAID);
    EXPECT_EQ(debt_count(village, unpaid), 4);
    EXPECT_EQ(village_member_sees_pickup(unpaid, 4, 0, OwnerStatus{0, village, 0, 0}), unpaid);
    EXPECT_EQ(debt_count(village, unpaid), 4) << "no second debt";
    // The quiet flag: taken, however many see it.
    const int quiet = village_member_sees_pickup(owned_item(17), 1, 1, OwnerStatus{0, village, 0, 0});
    EXPECT_EQ(rec(quiet).ownflag & (OWN_UNPAID | OWN_TAKEN), OWN_TAKEN);
}

TEST_F(Ownership, LeavingWithUnpaidGoodsBeforeAWitnessIsShoutedAt) {
    planted_witness = 5;
    ObjectRecord r = record(ITEM_TOOL, 16, 1, 1, 3);
    r.ownerID = village;
    r.ownflag = OWN_UNPAID;
    r.x = int16_t(v.x);
    r.y = int16_t(v.y);
    Plr.plr_inv_id[0] = obj_store_new(r);
    Plr.plr_inv_count[0] = 1;
    add_village_item_debt(village, Plr.plr_inv_id[0], 1);

    player_x = v.x + 4;  // away from the village's cell
    check_unpaid_goods(village, 0);
    EXPECT_EQ(shouted, "Don't you dare to leave with unpaid goods!");
    set_current_village(village);
    EXPECT_EQ(CurVillage.perinta, 2);
    EXPECT_EQ(CurVillage.collection_level, 3);
    EXPECT_EQ(CurVillage.collection_deadline, Plr.total_minutes + 15);

    // The same village again: nothing until forced.
    shouted.clear();
    check_unpaid_goods(village, 0);
    EXPECT_TRUE(shouted.empty());
}

TEST_F(Ownership, PuttingUnpaidGoodsBackAtTheirOriginClearsTheDebt) {
    ObjectRecord r = record(ITEM_TOOL, 16, 1, 1, 3);
    r.ownerID = village;
    r.ownflag = OWN_UNPAID;
    r.x = int16_t(v.x);
    r.y = int16_t(v.y);
    const int id = obj_store_new(r);
    add_village_item_debt(village, id, 2);
    ASSERT_EQ(debt_count(village, id), 2);

    player_x = v.x + 4;  // another world cell
    EXPECT_EQ(return_unpaid_item(id, 2, 1), 0);
    EXPECT_EQ(debt_count(village, id), 2) << "dropped elsewhere the debt stays";
    player_x = v.x;
    const int back = return_unpaid_item(id, 2, 1);
    ASSERT_NE(back, 0);
    EXPECT_EQ(rec(back).ownflag & OWN_UNPAID, 0);
    EXPECT_EQ(debt_count(village, id), 0);
}

TEST_F(Ownership, ADyingCreatureDropsItsWholeStackLighterAndCheaper) {
    std::memset(&Cre[2], 0, sizeof(CreatureRecord));
    Cre[2].cre_class = 2;
    CreSlotRefs[2] = 1500;
    clear_staging_object();
    map_object_staging.TYPE = MK_CREATURE;
    map_object_staging.x = uint16_t(v.x);
    map_object_staging.y = uint16_t(v.y);
    map_object_staging.DATA = CREATURE_REF_BASE + 2;
    insert_map_object(-1);
    const int id = obj_store_new(record(ITEM_WEAPON, 100, 10, 10, 3));
    Cre[2].inv_id[4] = id;
    Cre[2].inv_count[4] = 6;
    cre_drop_item_on_death(2, 4);
    const int at = find_map_object(MK_ITEM, v.x, v.y);
    ASSERT_GE(at, 0);
    EXPECT_EQ(Data[at].amount, 6);
    const ObjectRecord left = rec(Data[at].DATA);
    EXPECT_GE(left.price, 11.0f);
    EXPECT_LE(left.price, 90.0f);
    EXPECT_FLOAT_EQ(left.price / 100.0f, left.weight / 10.0f) << "price and weight lose the same share";
    cre_drop_item_on_death(2, 5);  // an empty slot drops nothing
}

}  // namespace
