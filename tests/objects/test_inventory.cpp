// The inventories: taking, packing, finding, adding with stacking and
// overflow, inserting at a place, splitting, wielding and exchanging,
// starting clothes, armour by grade and wear, creatures' slots, corpses and
// the wildcard rule.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "base/tag_text.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/armour_protection.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr int PX = 230, PY = 230;

ObjectRecord thing(const char* name, uint8_t item_class = ITEM_TOOL, float weight = 1.0f) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 300 + uint8_t(name[0]);
    copy_text(r.name, name);
    r.weight = r.full_weight = weight;
    return r;
}

class Inventory : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        player_x = PX;
        player_y = PY;
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
    // Slot s holds count of a new instance of the record.
    int carry(int s, const ObjectRecord& r, int count = 1) {
        const int id = obj_store_new(r);
        Plr.plr_inv_id[s] = id;
        Plr.plr_inv_count[s] = count;
        return id;
    }
    const ObjectRecord& held(int s) { return Objects[Plr.plr_inv_id[s] - FIRST_INSTANCE_ID]; }
    std::string names() {
        std::string out;
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            if (Plr.plr_inv_id[s] == 0) {
                out += "-";
                continue;
            }
            ObjectRecord r;
            obj_record(Plr.plr_inv_id[s], r);
            out += r.name[0];
            out += std::to_string(Plr.plr_inv_count[s]);
        }
        while (!out.empty() && out.back() == '-') out.pop_back();
        return out;
    }
    PlayFolder folder{false};
    PlayerRecord saved_;
};

TEST_F(Inventory, TakingPacksAndCountsOfNothingTakeNothing) {
    carry(0, thing("Axe"));
    carry(1, thing("Bow"), 3);
    carry(2, thing("Cup"));
    carry(4, thing("Dart"), 2);
    EXPECT_EQ(plr_take_from_slot(1, 5), 3) << "no more than the slot holds";
    EXPECT_EQ(names(), "A1C1D2") << "both gaps closed, the order kept";
    for (int bad : {-1, 100, 1000}) EXPECT_EQ(plr_take_from_slot(bad, 1), 0) << bad;
    EXPECT_EQ(plr_take_from_slot(2, 0), 0);
    EXPECT_EQ(plr_take_from_slot(2, -4), 0);
    EXPECT_EQ(names(), "A1C1D2");
    EXPECT_EQ(plr_take_from_slot_in_place(0, 1), 1);
    EXPECT_EQ(names(), "-C1D2") << "in place: the slot stays where it is, empty";
}

TEST_F(Inventory, AddingStacksWithTheCarriedStackPastAnEmptySlot) {
    ObjectRecord rope = thing("Rope");
    carry(0, thing("Axe"));
    const int held_rope = carry(2, rope, 4);
    // An equal record stored apart is one object with the carried one.
    const int other = obj_store_new(rope);
    ASSERT_NE(other, held_rope);
    EXPECT_EQ(plr_find_inventory_item(other), 2);
    plr_add_to_inventory(other, 3);
    EXPECT_EQ(names(), "A1-R7");
    plr_add_to_inventory(obj_store_new(thing("Net")), 1);
    EXPECT_EQ(names(), "A1N1R7") << "something new takes the first empty slot";
    plr_add_to_inventory(other, 0);
    plr_add_to_inventory(other, -2);
    EXPECT_EQ(names(), "A1N1R7");
    // A slot holding an item type never stacks.
    Plr.plr_inv_id[5] = 3;
    Plr.plr_inv_count[5] = 1;
    EXPECT_EQ(plr_find_inventory_item(3), -1);
}

TEST_F(Inventory, WithNinetyOneSlotsInUseNewThingsGoOnTheGround) {
    for (int s = 0; s <= PLR_OVERFLOW_SLOT; ++s) carry(s, thing("Peg"), 1 + s);
    const int stone = obj_store_new(thing("Stone"));
    plr_add_to_inventory(stone, 2);
    EXPECT_NE(std::strstr(last_message, "You carry too much"), nullptr) << last_message;
    const int i = find_map_object(MK_ITEM, PX, PY);
    ASSERT_GE(i, 0);
    EXPECT_EQ(Data[i].DATA, stone);
    EXPECT_EQ(Data[i].amount, 2);
    EXPECT_EQ(Plr.plr_inv_id[91], 0);
    EXPECT_EQ(plr_insert_into_inventory(stone, 1, 0, -1), PLR_NO_SLOT) << "overflow is no slot";
    EXPECT_EQ(Data[i].amount, 3);
}

TEST_F(Inventory, InsertingAtAPlaceMovesTheLaterSlotsUp) {
    carry(0, thing("Axe"));
    carry(1, thing("Bow"));
    carry(2, thing("Cup"));
    const int net = obj_store_new(thing("Net"));
    EXPECT_EQ(plr_insert_into_inventory(net, 2, 0, 1), 1);
    EXPECT_EQ(names(), "A1N2B1C1");
    // Merging by stacking leaves the opened slot empty.
    EXPECT_EQ(plr_insert_into_inventory(obj_store_new(thing("Net")), 1, 1, 0), 2);
    EXPECT_EQ(names(), "-A1N3B1C1");
    // With slot 98 in use nothing is pushed out of the pack: no move, the
    // first empty slot takes it.
    carry(98, thing("Last"));
    EXPECT_EQ(plr_insert_into_inventory(obj_store_new(thing("Dart")), 1, 0, 1), 0);
    EXPECT_EQ(Plr.plr_inv_id[98] != 0, true);
    EXPECT_EQ(held(98).name[0], 'L');
}

TEST_F(Inventory, CountsSaturateAndTheRestTakesAFreeSlot) {
    const int rope = carry(0, thing("Rope"), INT_MAX - 1);
    plr_add_to_inventory(rope, 5);
    EXPECT_EQ(Plr.plr_inv_count[0], INT_MAX);
    EXPECT_EQ(Plr.plr_inv_id[1], rope);
    EXPECT_EQ(Plr.plr_inv_count[1], 4);
    // Merging stacks stops at the most a slot holds as well.
    plr_merge_stacks_into(1);
    EXPECT_EQ(Plr.plr_inv_count[1], INT_MAX);
    EXPECT_EQ(Plr.plr_inv_count[0], 4);
}

TEST_F(Inventory, SplittingGivesTheSlotOneUnitOfItsOwn) {
    const int arrows = carry(0, thing("Arrow", ITEM_WEAPON), 5);
    carry(1, thing("Bow", ITEM_WEAPON));
    ASSERT_TRUE(plr_split_off_single_item(0));
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
    EXPECT_NE(Plr.plr_inv_id[0], arrows);
    EXPECT_EQ(Plr.plr_inv_id[1], arrows);
    EXPECT_EQ(Plr.plr_inv_count[1], 4);
    EXPECT_EQ(names(), "A1A4B1");
    // An item type in a slot becomes an instance first.
    ItemTypes[7] = thing("Cup", ITEM_CONTAINER);
    Plr.plr_inv_id[3] = 7;
    Plr.plr_inv_count[3] = 1;
    ASSERT_TRUE(plr_split_off_single_item(3));
    EXPECT_TRUE(obj_id_is_instance(Plr.plr_inv_id[3]));
}

TEST_F(Inventory, ExchangingMovesTheFirstHandsWeaponToTheSecond) {
    ObjectRecord knife = thing("Knife", ITEM_WEAPON);
    knife.state_bits = OBJ_IN_FIRST_HAND;
    const int id = carry(3, knife);
    // Another holder shares the instance: it must not change with the hand.
    Data[0].TYPE = MK_ITEM;
    Data[0].DATA = id;
    Data[0].amount = 1;
    EXPECT_EQ(cre_wielded_item(-1, 1), id);
    EXPECT_EQ(cre_wielded_count(-1), 1);
    exchange_weapons_command();
    EXPECT_EQ(cre_wielded_item(-1, 1), 0);
    EXPECT_EQ(plr_wielded_slot(2), 3);
    EXPECT_EQ(held(3).state_bits, OBJ_IN_SECOND_HAND);
    EXPECT_EQ(Objects[id - FIRST_INSTANCE_ID].state_bits, OBJ_IN_FIRST_HAND) << "the shared record is kept";
    EXPECT_STREQ(last_message, "#2nd weapon: knife");

    // Both hands trade places; a shield raises the shield flag.
    ObjectRecord shield = thing("Buckler", ITEM_WEAPON);
    copy_text(shield.skill, "SHIELD");
    shield.state_bits = OBJ_IN_FIRST_HAND;
    carry(5, shield);
    exchange_weapons_command();
    EXPECT_EQ(plr_wielded_slot(1), 3);
    EXPECT_EQ(plr_wielded_slot(2), 5);
    EXPECT_EQ(Plr.shield_stance & 1, 1);
    EXPECT_EQ(cre_wielded_count(-1), 2);

    // Empty hands: the coded message, nothing changes.
    PlayFolder installation;
    load_coded_messages();
    std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
    reset_last_message();
    exchange_weapons_command();
    EXPECT_STREQ(last_message, "!You have nothing wielded.");
}

TEST_F(Inventory, StartingClothesAreWornAmongTheFirstFiftySlots) {
    ObjectRecord shirt = thing("Shirt", ITEM_ARMOUR);
    shirt.state_bits = OBJ_IN_FIRST_HAND;
    carry(0, shirt);
    carry(1, thing("Socks", ITEM_ARMOUR), 2);  // a pair of stacks: not one garment
    carry(2, thing("Knife", ITEM_WEAPON));
    carry(50, thing("Cloak", ITEM_ARMOUR));
    EXPECT_EQ(plr_wears_no_armour(), 1);
    plr_wear_starting_armour();
    EXPECT_EQ(held(0).state_bits, OBJ_WORN) << "worn, and no longer wielded";
    EXPECT_EQ(held(1).state_bits, 0);
    EXPECT_EQ(held(2).state_bits, 0);
    EXPECT_EQ(held(50).state_bits, 0);
    EXPECT_EQ(plr_wears_no_armour(), 0);
}

TEST_F(Inventory, DroppingLeavesTheThingNeitherWieldedNorWorn) {
    ObjectRecord cloak = thing("Cloak", ITEM_ARMOUR);
    cloak.state_bits = OBJ_WORN | OBJ_IN_SECOND_HAND;
    const int id = carry(0, cloak);
    EXPECT_EQ(plr_drop_wielded_item(1, id), 1);
    const int i = find_map_object(MK_ITEM, PX, PY);
    ASSERT_GE(i, 0);
    ObjectRecord down;
    EXPECT_EQ(obj_record(Data[i].DATA, down).state_bits, 0);
    EXPECT_EQ(held(0).state_bits, OBJ_WORN | OBJ_IN_SECOND_HAND) << "the carried record is not touched";
}

TEST_F(Inventory, ArmourProtectsByGradeAndByWhatIsLeftOfIt) {
    auto armour = [](uint8_t grade, int a, int b, int c, float weight, float full) {
        ObjectRecord r = thing("Mail", ITEM_ARMOUR, weight);
        r.full_weight = full;
        r.quality = grade;
        r.blunt = uint8_t(a);
        r.edge = uint8_t(b);
        r.point = uint8_t(c);
        return r;
    };
    const struct {
        ObjectRecord record;
        int blunt, edge, point;
    } cases[] = {
        {armour(5, 2, 3, 4, 6, 6), 2, 4, 5},
        {armour(5, 2, 3, 4, 3, 6), 1, 2, 3},  // half of it left: ceil(v / 2)
        {armour(1, 1, 2, 1, 6, 6), 1, 1, 1},
        {armour(2, 2, 3, 9, 6, 6), 2, 2, 8},
        {armour(4, 3, 4, 9, 6, 6), 3, 5, 10},
        {armour(0, 3, 4, 9, 6, 6), 3, 4, 9},  // grade 0 counts as 3
        {armour(3, 3, 4, 9, 2, 0), 3, 4, 9},  // no whole weight: counts as whole
        {armour(3, 3, 4, 9, 9, 6), 3, 4, 9},  // never more than whole
    };
    for (const auto& c : cases) {
        current_object = c.record;
        EXPECT_EQ(object_protection(ASPECT_BLUNT), c.blunt);
        EXPECT_EQ(object_protection(ASPECT_EDGE), c.edge);
        EXPECT_EQ(object_protection(ASPECT_POINT), c.point);
    }
    ObjectRecord all = armour(3, 1, 2, 3, 1, 1);
    all.protection4 = 4;
    all.length = 5;
    all.full_length = 6;
    current_object = all;
    const int by_aspect[][2] = {{0, 1}, {7, 1}, {1, 5}, {2, 2}, {3, 4}, {4, 3}, {5, 6}, {6, 6}, {8, 0},
                                {ASPECT_AVERAGE, 3}};
    for (const auto& a : by_aspect) EXPECT_EQ(object_protection(a[0]), a[1]) << a[0];
    current_object = armour(3, 0, 0, 0, 1, 1);
    EXPECT_EQ(object_protection(ASPECT_AVERAGE), 1) << "a mean of 0 counts as 1";

    // The body part: only worn pieces that cover it.
    ObjectRecord cap = armour(3, 2, 2, 2, 1, 1);
    cap.coverage[0] = 0x01;
    cap.state_bits = OBJ_WORN;
    ObjectRecord boots = armour(3, 3, 3, 3, 1, 1);
    boots.coverage[2] = 0x01;  // part 16
    boots.state_bits = OBJ_WORN;
    ObjectRecord spare = cap;
    spare.state_bits = 0;
    carry(0, cap);
    carry(1, boots);
    carry(2, spare);
    current_object = thing("Kept");
    EXPECT_EQ(plr_protection_at(0, ASPECT_BLUNT), 2);
    EXPECT_EQ(plr_protection_at(16, ASPECT_BLUNT), 3);
    EXPECT_EQ(plr_protection_at(5, ASPECT_BLUNT), 0);
    EXPECT_STREQ(current_object.name, "Kept") << "the working record is given back";
}

TEST_F(Inventory, CreatureSlotsHandsAndCorpses) {
    reset_creature_tables();
    CreatureRecord& c = Cre[4];
    c.cre_class = 2;
    c.inv_id[2] = 50123;
    c.inv_count[2] = 3;
    c.inv_state[2] = 7;
    c.wielded = 50011;
    c.shield = 50012;
    const struct {
        int creature, slot, count, taken;
    } takes[] = {{-1, 2, 1, 0}, {500, 2, 1, 0}, {4, 20, 1, 0}, {4, -1, 1, 0}, {4, 2, 0, 0}, {4, 2, 2, 2}, {4, 2, 9, 1}};
    for (const auto& t : takes)
        EXPECT_EQ(cre_take_from_slot(t.creature, t.slot, t.count), t.taken) << t.creature << " " << t.slot;
    EXPECT_EQ(c.inv_id[2], 0);
    EXPECT_EQ(c.inv_state[2], 0) << "the slot's own byte goes with it";
    EXPECT_EQ(cre_wielded_item(4, 1), 50011);
    EXPECT_EQ(cre_wielded_item(4, 2), 50012);
    EXPECT_EQ(cre_wielded_count(4), 2);
    c.shield = 0;
    EXPECT_EQ(cre_wielded_count(4), 1);
    EXPECT_EQ(cre_wielded_item(600, 1), 0);

    // A dead creature's body as a thing: "dead <name>", twice its weight.
    c.sotu = 1042;
    c.weight = 30.0f;
    copy_text(c.name, "elk");
    c.move_mode = MOVE_MODE_DEAD;
    CreSlotRefs[4] = 1042;
    Data[0].TYPE = MK_CARCASS;
    Data[0].DATA = CRE_REF_BASE + 4;
    const int corpse = make_corpse_object(1042);
    ASSERT_TRUE(obj_id_is_instance(corpse));
    ObjectRecord r;
    obj_record(corpse, r);
    EXPECT_EQ(r.item_class, ITEM_CARCASS);
    EXPECT_STREQ(r.name, "dead elk");
    EXPECT_EQ(r.kind, 1042);
    EXPECT_FLOAT_EQ(r.weight, 60.0f);
    EXPECT_FLOAT_EQ(r.full_weight, 60.0f);
    reset_creature_tables();
}

TEST_F(Inventory, SmallRulesOfThingsAndSkills) {
    const struct {
        const char* pattern;
        const char* text;
        int match;
    } patterns[] = {{"SKULL*", "BEAR SKULL", 1}, {"SKULL*", "SKULLS OF OLD", 1}, {"SKULL", "SKULL", 0},
                    {"", "ANY", 0},             {"FOX*", "BEAR SKULL", 0},     {"FOX*BEAR*", "BEAR", 1}};
    for (const auto& p : patterns) EXPECT_EQ(wildcard_match(p.pattern, p.text), p.match) << p.pattern;

    const struct {
        float weight;
        int time;
    } dressing[] = {{1.0f, 10}, {2.0f, 10}, {2.5f, 20}, {6.0f, 20}, {6.5f, 30}, {13.5f, 50}};
    for (const auto& d : dressing) EXPECT_EQ(dressing_time(thing("Coat", ITEM_ARMOUR, d.weight)), d.time);

    ObjectRecord meal = thing("Meal", ITEM_FOOD);
    meal.kind = 511;
    EXPECT_EQ(is_food_object(meal), 1);
    meal.kind = 512;
    EXPECT_EQ(is_food_object(meal), 0);

    // Revealing a grade: the copy buffer in place, an instance as its own.
    ObjectRecord graded = thing("Pot", ITEM_CONTAINER);
    graded.quality = 0x04;
    const int pot = obj_store_new(graded);
    const int known = obj_reveal_quality(pot);
    EXPECT_NE(known, pot);
    EXPECT_EQ(Objects[known - FIRST_INSTANCE_ID].quality, 0x84);
    EXPECT_EQ(Objects[pot - FIRST_INSTANCE_ID].quality, 0x04);
    type_scratch = graded;
    EXPECT_EQ(obj_reveal_quality(-1), -1);
    EXPECT_EQ(type_scratch.quality, 0x84);
    const int plain = obj_store_new(thing("Plain"));
    EXPECT_EQ(obj_reveal_quality(plain), plain) << "an ungraded thing stays as it is";

    std::memcpy(Plr.skill_name[3], "TRACKING", 8);
    Plr.skill_level[3] = 70;
    std::memcpy(Plr.skill_name[4], "SWIMMINGLONG", 12);  // twelve letters, unterminated
    Plr.skill_level[4] = 33;
    EXPECT_EQ(plr_skill_by_pattern("TRACK"), 70);
    EXPECT_EQ(plr_skill_by_pattern("MINGLONG"), 33);
    EXPECT_EQ(plr_skill_by_pattern("CLIMB"), PLR_NO_SLOT);
    boost_tracking_skill();
    EXPECT_EQ(Plr.skill_level[3], 90);
    boost_tracking_skill();
    EXPECT_EQ(Plr.skill_level[3], 90) << "not past 80 and more";

    ObjectList list;
    list.count = 5;
    list.entries[3].DATA = 9;
    clear_object_list(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.entries[3].DATA, 0);
}

}  // namespace
