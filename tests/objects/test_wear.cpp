// Wear and tear, dressing and the hands: how wear lowers a grade, when
// armour and footwear give out, which garments clash, and what the wear,
// wield and take-off steps leave in the inventory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "body/wounds.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "maps/map_layers.h"
#include "objects/object_store.h"
#include "objects/wear_commands.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

ObjectRecord garment(const char* name, float weight, uint8_t coverage0, uint8_t coverage1, uint8_t coverage2,
                     uint32_t material = 0) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_ARMOUR;
    r.kind = 81;
    copy_text(r.name, name);
    r.weight = r.full_weight = weight;
    r.coverage[0] = coverage0;
    r.coverage[1] = coverage1;
    r.coverage[2] = coverage2;
    r.material = material;
    return r;
}

ObjectRecord weapon(const char* name) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_WEAPON;
    r.kind = 100;
    copy_text(r.name, name);
    r.weight = r.full_weight = 2.0f;
    return r;
}

uint32_t fake_clock = 0;

const char* held_name_of(int slot) { return Objects[Plr.plr_inv_id[slot] - FIRST_INSTANCE_ID].name; }

// The messages shown, in order.
std::vector<std::string> shown;
void keep_stamp(MessageLogStamp& out) {
    out = MessageLogStamp{};
    copy_text(out.folder, "T");
}

class Wearing : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_wear_state();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.body_weight = 150;
        Plr.end = 12;
        Plr.travel_mode = 1;
        messages_suppressed = false;
        skip_message_pauses = true;
        allow_repeated_message = true;
        last_message[0] = 0;
        make_folder("T");
        message_log_stamp = keep_stamp;
        SpendTimeSeams s{};
        s.now_ms = [] { return fake_clock; };
        s.sleep_ms = [](uint32_t ms) { fake_clock += ms; };
        s.poll_key = [] { return 0; };
        s.update_map_objects = [] {};
        s.body_check = [](int) {};
        spend_time_seams = s;
    }
    void TearDown() override {
        spend_time_seams = SpendTimeSeams{};
        message_log_stamp = nullptr;
        allow_repeated_message = false;
        skip_message_pauses = false;
        reset_object_store();
        reset_wear_state();
        Plr = saved_;
    }
    // Puts an object into the next free slot: its slot.
    int carry(const ObjectRecord& r, int count = 1) {
        int slot = 0;
        while (Plr.plr_inv_id[slot] != 0) ++slot;
        Plr.plr_inv_id[slot] = obj_store_new(r);
        Plr.plr_inv_count[slot] = count;
        return slot;
    }
    ObjectRecord held(int slot) {
        ObjectRecord r;
        return obj_record(Plr.plr_inv_id[slot], r);
    }
    std::string log() { return folder.read("T/msglog.txt"); }
    PlayFolder folder;
    PlayerRecord saved_;
};

// ------------------------------------------------------------ grades

TEST(WearGrades, EveryStepPassedCostsOneGradeAndAnUngradedPieceCountsAsAverage) {
    const struct {
        uint8_t quality;
        int grade_after;
        float weight_after;  // one percent of 100 lb, scaled by the grade
    } cases[] = {
        {0x00, 2, 49.0f}, {0x03, 2, 49.0f}, {0x01, 1, 48.5f}, {0x05, 4, 49.5f}, {0x84, 3, 49.33333f}, {0x02, 1, 48.8f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.quality));
        ObjectRecord r = garment("Woollen cloak", 100.0f, 0, 0, 0);
        r.weight = 50.0f;  // the edge of a ten-percent step
        r.quality = c.quality;
        EXPECT_EQ(wear_object(r, 10, 1.0, 30), 0);
        EXPECT_EQ(r.quality & OBJ_GRADE_MASK, c.grade_after);
        EXPECT_TRUE(r.quality & OBJ_GRADE_KNOWN);
        EXPECT_NEAR(r.weight, c.weight_after, 0.0001f);
    }
    // Within a step, or with no steps, the grade stays.
    ObjectRecord r = garment("Woollen cloak", 100.0f, 0, 0, 0);
    r.weight = 55.0f;
    r.quality = 0x04;
    EXPECT_EQ(wear_object(r, 10, 1.0, 30), 0);
    EXPECT_EQ(r.quality, 0x04);
    r.weight = 50.0f;
    EXPECT_EQ(wear_object(r, 0, 1.0, 30), 0);
    EXPECT_EQ(r.quality, 0x04);
    // At the used-up share it gives out.
    r.weight = 30.5f;
    EXPECT_EQ(wear_object(r, 0, 1.0, 30), 1);
}

// ------------------------------------------------------------ tear

TEST_F(Wearing, WornArmourOverTheStruckPartBreaksAtThirtyPercent) {
    // A helm (skull, part 0) nearly worn out, a shirt that does not cover the
    // head, and a helm in the pack.
    ObjectRecord helm = garment("Iron helm", 10.0f, 0x01, 0, 0);
    helm.weight = 3.05f;
    helm.state_bits = OBJ_WORN;
    const int worn_helm = carry(helm);
    ObjectRecord shirt = garment("Linen shirt", 10.0f, 0x30, 0x1E, 0);
    shirt.state_bits = OBJ_WORN;
    carry(shirt);
    ObjectRecord spare = garment("Iron helm", 10.0f, 0x01, 0, 0);
    spare.weight = 3.05f;
    carry(spare);
    plr_wear_armour_on_hit(PART_SKULL, 100);  // one percent and a little more
    EXPECT_EQ(std::string(last_message), "+Your iron helm breaks apart.") << last_message;
    EXPECT_STREQ(held(worn_helm).name, "Linen shirt") << "the slot emptied and the pack closed up";
    EXPECT_FLOAT_EQ(held(0).weight, 10.0f) << "the shirt does not cover the skull";
    EXPECT_FLOAT_EQ(held(1).weight, 3.05f) << "a helm in the pack takes no blow";
    EXPECT_EQ(Plr.plr_inv_id[2], 0);

    // A blow that wears without breaking: a new record, the old one kept for
    // whatever else holds it.
    const int old_id = Plr.plr_inv_id[0];
    plr_wear_armour_on_hit(PART_THORAX, 500);
    EXPECT_LT(held(0).weight, 10.0f);
    EXPECT_GE(held(0).weight, 9.5f - 0.06f);
    EXPECT_NE(Plr.plr_inv_id[0], old_id);
    EXPECT_FLOAT_EQ(Objects[old_id - FIRST_INSTANCE_ID].weight, 10.0f);
}

TEST_F(Wearing, FootwearWearsFromTheSecondWalkingHourAndBreaksAtHalfItsWeight) {
    ObjectRecord shoes = garment("Leather shoes", 2.0f, 0, 0, 0x01, MATERIAL_LEATHER);
    shoes.weight = 1.0001f;
    shoes.state_bits = OBJ_WORN;
    carry(shoes);
    // The first hour in them wears nothing. Steps of 45 seconds: 79 of them
    // make 59 minutes and 15 seconds, the 80th the hour.
    for (int step = 0; step < 79; ++step) plr_wear_footwear(45, 0);
    EXPECT_FLOAT_EQ(held(0).weight, 1.0001f);
    EXPECT_EQ(footwear_clock_seconds(), 59 * 60 + 15);
    plr_wear_footwear(45, 0);
    EXPECT_EQ(footwear_clock_seconds(), 0) << "the hour came round";
    EXPECT_FLOAT_EQ(held(0).weight, 1.0001f);
    // Riding or rowing wears no shoes.
    Plr.travel_mode = 3;
    plr_wear_footwear(0, 60);
    EXPECT_FLOAT_EQ(held(0).weight, 1.0001f);
    Plr.travel_mode = 1;
    // The second hour: 50 / (540 x 14) percent of 2 lb takes it to half.
    plr_wear_footwear(0, 60);
    EXPECT_EQ(Plr.plr_inv_id[0], 0);
    EXPECT_EQ(std::string(last_message), "+Your worn out leather shoes break apart.") << last_message;
}

TEST(FootwearLife, ByMaterial) {
    const struct {
        uint32_t material;
        int days;
    } cases[] = {{MATERIAL_LEATHER, 540}, {MATERIAL_FUR, 365}, {MATERIAL_BARK, 14}, {MATERIAL_WOOL, 180}};
    for (const auto& c : cases)
        EXPECT_EQ(footwear_life_days(garment("x", 1.0f, 0, 0, 1, c.material)), c.days) << c.material;
    EXPECT_TRUE(obj_is_footwear(garment("Woollen socks", 0.2f, 0, 0, 1)));
    EXPECT_FALSE(obj_is_footwear(garment("Leather shin guards", 3.0f, 0, 0x80, 0)));
}

// ------------------------------------------------------------ clashes

TEST_F(Wearing, ASecondPieceOfOneKindIsRefused) {
    const struct {
        const char* worn;
        uint8_t worn_cover[3];
        const char* new_one;
        uint8_t new_cover[3];
        const char* key;  // nullptr: no clash
    } cases[] = {
        {"Leather shoes", {0, 0, 1}, "Leather boots", {0, 0x80, 1}, "already wear something like"},
        {"Iron helm", {1, 0, 0}, "Iron helm", {1, 0, 0}, "already wearing"},
        {"Iron helm", {1, 0, 0}, "Helm", {1, 0, 0}, "already wear something like"},
        {"Mail Habergeon", {48, 30, 0}, "Lamellar hauberk", {16, 62, 0}, "already wear something like"},
        {"Leather cuirass", {0, 6, 0}, "Lamellar cuirass", {0, 6, 0}, "already wear something like"},
        {"Woollen socks", {0, 0, 1}, "Leather shoes", {0, 0, 1}, "already wear something like"},
        {"Linen shirt", {48, 30, 0}, "Woollen cloak", {16, 126, 0}, nullptr},
        {"Fur cap", {1, 0, 0}, "Fur mittens", {128, 1, 0}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.new_one) + " over " + c.worn);
        std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
        std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
        ObjectRecord worn = garment(c.worn, 2.0f, c.worn_cover[0], c.worn_cover[1], c.worn_cover[2]);
        worn.state_bits = OBJ_WORN;
        carry(worn);
        const int slot =
            carry(garment(c.new_one, 2.0f, c.new_cover[0], c.new_cover[1], c.new_cover[2]));
        last_message[0] = 0;
        EXPECT_EQ(wear_conflict(-1, Plr.plr_inv_id[slot], 1), c.key ? 1 : 0);
        if (c.key) {
            EXPECT_NE(std::string(last_message).find(c.key), std::string::npos) << last_message;
            EXPECT_EQ(dress_command(slot), 0);
            EXPECT_FALSE(held(slot).state_bits & OBJ_WORN);
        } else {
            EXPECT_STREQ(last_message, "");
            EXPECT_EQ(dress_command(slot), 1);
            EXPECT_TRUE(held(slot).state_bits & OBJ_WORN);
        }
    }
    // The same garment unworn in the pack is no clash.
    std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
    carry(garment("Iron helm", 3.0f, 1, 0, 0));
    EXPECT_EQ(wear_conflict(-1, Plr.plr_inv_id[0], 0), 0);
    EXPECT_EQ(wear_conflict(500, Plr.plr_inv_id[0], 0), 1) << "no such creature";
}

// ------------------------------------------------------------ dressing and the hands

TEST_F(Wearing, DressingOneOfAStackLeavesTheRestAStackOfItsOwn) {
    const int slot = carry(garment("Woollen mittens", 0.2f, 0, 1, 0), 3);
    carry(weapon("Knife"));
    EXPECT_EQ(dress_command(slot), 1);
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
    EXPECT_TRUE(held(0).state_bits & OBJ_WORN);
    EXPECT_EQ(Plr.plr_inv_count[1], 2);
    EXPECT_FALSE(held(1).state_bits & OBJ_WORN);
    EXPECT_STREQ(held(2).name, "Knife");
    EXPECT_NE(log().find("You put on the woollen mittens."), std::string::npos) << log();
    EXPECT_EQ(dress_command(0), 0);
    EXPECT_NE(std::string(last_message).find("already wearing"), std::string::npos);

    // Taken off, it joins its stack again.
    EXPECT_EQ(take_off_or_unwield(0, 1), 1);
    EXPECT_NE(log().find("You take off the woollen mittens."), std::string::npos) << log();
    EXPECT_EQ(Plr.plr_inv_count[0], 3);
    EXPECT_EQ(Plr.plr_inv_count[1], 0);
    EXPECT_EQ(take_off_or_unwield(2, 1), 0) << "a knife not in hand";
    EXPECT_NE(std::string(last_message).find("not wearing"), std::string::npos) << last_message;
}

// Which hands hold something: no hand ever holds two things.
void expect_one_thing_a_hand() {
    int first = 0, second = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (Plr.plr_inv_count[s] <= 0 || !obj_id_is_instance(Plr.plr_inv_id[s])) continue;
        const uint8_t bits = Objects[Plr.plr_inv_id[s] - FIRST_INSTANCE_ID].state_bits;
        first += (bits & OBJ_IN_FIRST_HAND) ? Plr.plr_inv_count[s] : 0;
        second += (bits & OBJ_IN_SECOND_HAND) ? Plr.plr_inv_count[s] : 0;
    }
    EXPECT_LE(first, 1);
    EXPECT_LE(second, 1);
}

TEST_F(Wearing, WieldingFillsTheFreeHandAndAThirdItemPutsDownTheSecond) {
    const int knives = carry(weapon("Knife"), 2);
    const int axe = carry(weapon("Handaxe"));
    const int spear = carry(weapon("Spear"));
    wield_command(knives, 0);
    expect_one_thing_a_hand();
    EXPECT_EQ(plr_wielded_slot(1), 0);
    EXPECT_EQ(Plr.plr_inv_count[0], 1) << "one of the knives in hand";
    EXPECT_EQ(Plr.plr_inv_count[1], 1);
    wield_command(1, 0);  // the other knife
    expect_one_thing_a_hand();
    EXPECT_EQ(plr_wielded_slot(2), 1);
    wield_command(spear + 1, 0);
    expect_one_thing_a_hand();
    EXPECT_STREQ(held(plr_wielded_slot(1)).name, "Knife");
    EXPECT_STREQ(held(plr_wielded_slot(2)).name, "Spear");
    // The knife put down went back to its stack.
    int loose_knives = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_count[s] > 0 && std::strcmp(held(s).name, "Knife") == 0 && !(held(s).state_bits & 0x90))
            loose_knives += Plr.plr_inv_count[s];
    EXPECT_EQ(loose_knives, 1);
    // A held item again is refused; hand 2 asked while it is busy takes
    // hand 1 once that is free.
    wield_command(plr_wielded_slot(2), 0);
    EXPECT_STREQ(last_message, "!You are already wielding that!");
    take_off_or_unwield(plr_wielded_slot(1), 1);
    const int axe_slot = [] {
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (Plr.plr_inv_count[s] > 0 && std::strcmp(Objects[Plr.plr_inv_id[s] - FIRST_INSTANCE_ID].name,
                                                        "Handaxe") == 0)
                return s;
        return -1;
    }();
    ASSERT_GE(axe_slot, 0);
    (void)axe;
    EXPECT_EQ(plr_wield_item(2, axe_slot, 0), 1);
    expect_one_thing_a_hand();
    EXPECT_EQ(plr_wield_item(0, knives, 1), 0) << "both hands full";
    expect_one_thing_a_hand();
}

TEST_F(Wearing, OnlyWeaponsToolsFoodAndTimberGoIntoAHand) {
    const int cloak = carry(garment("Woollen cloak", 5.5f, 16, 126, 0));
    ObjectRecord string = weapon("Bowstring");
    string.item_class = ITEM_TOOL;
    string.kind = 121;
    const int bowstring = carry(string);
    EXPECT_EQ(plr_wield_item(0, cloak, 0), 0);
    EXPECT_NE(std::string(last_message).find("not suitable"), std::string::npos) << last_message;
    EXPECT_EQ(plr_wield_item(0, bowstring, 0), 0);
    EXPECT_NE(std::string(last_message).find("Bowstring can't be used"), std::string::npos) << last_message;
    EXPECT_EQ(plr_wielded_slot(1), PLR_NO_SLOT);
}

TEST_F(Wearing, AnUnusableHandLeavesTheWeaponToTheOtherAndBothRefuse) {
    const int knife = carry(weapon("Knife"));
    const int axe = carry(weapon("Handaxe"));
    wield_command(axe, 0);
    ASSERT_EQ(plr_wielded_slot(1), axe);
    // A deep wound in the right hand: the knife goes to the left, and the
    // axe stays where it is.
    last_hit_side = SIDE_RIGHT;
    plr_add_wound(20, PART_HAND, 3, 0, 2);
    wield_command(knife, 0);
    EXPECT_NE(log().find("Your injured right arm can't hold"), std::string::npos) << log();
    EXPECT_EQ(plr_wielded_slot(2), knife);
    expect_one_thing_a_hand();
    // Both hands out: the body can't wield at all, and nothing is put down.
    take_off_or_unwield(knife, 1);
    last_hit_side = SIDE_LEFT;
    plr_add_wound(20, PART_HAND, 3, 0, 2);
    wield_command(knife, 0);
    EXPECT_EQ(plr_wielded_slot(2), PLR_NO_SLOT);
    EXPECT_EQ(plr_wielded_slot(1), axe);
}

// Picked up to be wielded: a weapon goes into a free hand, an arrow or a
// garment does not, and full hands take nothing more.
TEST_F(Wearing, PickingUpToWieldFillsAFreeHandWithWeaponsOnly) {
    reset_map_object_table();
    is_world_map();
    player_x = player_y = 230;
    ObjectRecord arrow = weapon("Arrow");
    arrow.subclass = 6;
    const struct {
        ObjectRecord record;
        bool held;
    } cases[] = {
        {weapon("Spear"), true},
        {arrow, false},
        {garment("Fur cap", 1.0f, 1, 0, 0), false},
        {weapon("Club"), true},
        {weapon("Mace"), false},  // both hands full now
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record.name);
        const int at = put_object_on_map(MK_ITEM, 230, 230, obj_store_new(c.record), 1);
        ASSERT_GE(at, 0);
        ASSERT_EQ(pick_up_map_item(at, 1, 1), 1);
        free_map_object(at);
        bool held = false;
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (Plr.plr_inv_count[s] > 0 && std::strcmp(held_name_of(s), c.record.name) == 0)
                held = (Objects[Plr.plr_inv_id[s] - FIRST_INSTANCE_ID].state_bits & 0x90) != 0;
        EXPECT_EQ(held, c.held);
        expect_one_thing_a_hand();
    }
    reset_map_object_table();
}

}  // namespace
