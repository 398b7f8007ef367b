// Creature names and looks, carcass words, and what a creature carries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_inventory.h"
#include "creatures/creature_names.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/message_line.h"

namespace {

constexpr int S = 4;

class CreatureNames : public ::testing::Test {
protected:
    void SetUp() override {
        reset_creature_tables();
        reset_map_object_table();
        reset_object_store();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.bodytemp = 37;
        messages_suppressed = true;
        debug_messages_on = 0;
        copy_text(carcass_eaten_words[0], "partly eaten");
        copy_text(carcass_eaten_words[3], "eaten to the bones");
        copy_text(carcass_cut_words[1], "partly butchered");
    }
    void TearDown() override {
        reset_map_object_table();
        reset_creature_tables();
    }
    CreatureRecord& animal(int kind, const char* name, uint8_t sex_age) {
        CreatureRecord& c = Cre[S];
        std::memset(&c, 0, sizeof c);
        c.cre_class = 2;
        c.kind = kind;
        copy_text(c.name, name);
        c.sex_age = sex_age;
        CreSlotRefs[S] = 2000 + S;
        return c;
    }
    std::string name(int flags) { return creature_name(S, flags); }
};

TEST_F(CreatureNames, AnimalsAreNamedBySexAndAge) {
    struct Case {
        int kind;
        const char* name;
        uint8_t sex_age;
        const char* expected;
    } cases[] = {
        {660, "Elk", SEX_MALE, "bull elk"},
        {660, "Elk", SEX_MALE | SEX_YOUNG, "elk calf"},
        {619, "Reindeer", SEX_MALE, "reindeer stag"},
        {619, "Reindeer", 0, "reindeer doe"},
        {605, "Bear", 0, "female bear"},
        {605, "Bear", SEX_YOUNG, "bear cub"},
        {615, "Pig", SEX_MALE, "boar"},
        {615, "Pig", 0, "sow"},
        {614, "Pig", SEX_YOUNG, "piglet"},
        {616, "Sheep", SEX_MALE, "ram"},
        {616, "Sheep", SEX_YOUNG, "lamb"},
        {618, "Dog", 0, "female dog"},
        {618, "Dog", SEX_YOUNG, "dog puppy"},
        {601, "Fox", SEX_MALE, "fox"},
    };
    for (const Case& k : cases) {
        animal(k.kind, k.name, k.sex_age);
        EXPECT_EQ(name(0), k.expected) << k.name << " " << int(k.sex_age);
        // The plain kind word takes no sex or age.
        EXPECT_EQ(name(NAME_KIND_ONLY), lower_case_copy(k.name));
    }
}

TEST_F(CreatureNames, PersonalNamesShowOnceKnownAndPetsByTheirGivenName) {
    CreatureRecord& hunter = animal(540, "hunter", 0);
    hunter.cre_class = CRE_CLASS_HUMAN;
    copy_text(hunter.personal_name, "Aino");
    EXPECT_EQ(name(NAME_DEFINITE), "the hunter");
    EXPECT_EQ(name(NAME_KIND_ONLY), "human");
    EXPECT_EQ(name(NAME_ALWAYS_OWN), "Aino the hunter");
    hunter.name_known = NAME_KNOWN;
    EXPECT_EQ(name(NAME_DEFINITE), "Aino");
    EXPECT_EQ(name(NAME_LONG), "Aino the hunter");

    CreatureRecord& dog = animal(618, "Dog", SEX_MALE);
    copy_text(dog.personal_name, "Rex");
    dog.name_known = NAME_GIVEN_BY_PLAYER;
    EXPECT_EQ(name(NAME_LONG), "dog called Rex");
    EXPECT_EQ(name(NAME_DEFINITE), "Rex");
    EXPECT_EQ(creature_name(-1, 0), std::string("human"));
}

TEST_F(CreatureNames, AnOldStyleNameIsCutToItsKindOnceAndARecordNameLeavesTheTableAlone) {
    CreatureRecord& c = animal(540, "Aino' the hunter", 0);
    c.cre_class = CRE_CLASS_HUMAN;
    copy_text(c.personal_name, "Aino");
    CreatureRecord copy = c;
    EXPECT_EQ(std::string(creature_record_name(NAME_LONG, copy)), "Aino the hunter");
    // The record given by value is not the table's: the slot keeps its old name.
    EXPECT_STREQ(Cre[S].name, "Aino' the hunter");
    EXPECT_EQ(name(0), "Aino");
    EXPECT_STREQ(Cre[S].name, "hunter");
    EXPECT_TRUE(Cre[S].name_known & NAME_KNOWN);
}

TEST_F(CreatureNames, TheSizeWordComparesWithTheKindsWeight) {
    CreatureRecord& c = animal(601, "Fox", 0);
    c.base_weight = 10.0f;
    const struct {
        float weight;
        const char* word;
    } cases[] = {{8.0f, "small "}, {8.1f, ""}, {11.9f, ""}, {12.0f, "big "}};
    for (const auto& k : cases) {
        c.weight = k.weight;
        EXPECT_STREQ(cre_size_word(c), k.word) << k.weight;
    }
    c.sex_age = SEX_YOUNG;
    c.weight = 2.0f;
    EXPECT_STREQ(cre_size_word(c), "");
}

TEST_F(CreatureNames, TheLookLineTellsStateInjuriesAndTies) {
    CreatureRecord& c = animal(618, "Dog", SEX_MALE);
    c.move_mode = MOVE_MODE_ASLEEP;
    c.injury = 5;
    c.attr_end = 12;
    c.cre_status = CRE_STATUS_TIED;
    const std::string look = describe_creature_look(S);
    EXPECT_NE(look.find(" and "), std::string::npos) << look;
    EXPECT_NE(look.find("injuries dog"), std::string::npos) << look;
    EXPECT_EQ(look.back(), ')') << look;
    c.move_mode = MOVE_MODE_DEAD;
    EXPECT_STREQ(describe_creature_look(S), "dog");
}

TEST_F(CreatureNames, ACarcassDecaysBySeasonAndShowsItsUsedShare) {
    CreatureRecord& c = animal(660, "Elk", 0);
    c.move_mode = MOVE_MODE_DEAD;
    c.fatigue = 300.0f;  // the weight at death
    c.weight = 300.0f;
    const struct {
        int month, days;
        const char* word;
        int value;
    } cases[] = {{1, 3, "", 0}, {6, 3, "rotten", 25}, {6, 8, "decaying", 100}, {6, 1, "", 0}, {1, 14, "rotten", 25}};
    char word[64];
    for (const auto& k : cases) {
        Plr.month = uint8_t(k.month);
        Plr.days_played = 100;
        c.day_mark = 100 - k.days;
        EXPECT_EQ(carcass_decay_text(S, word, sizeof word), k.value) << k.month << " " << k.days;
        EXPECT_STREQ(word, k.word);
    }
    Plr.month = 1;
    c.day_mark = 100;
    EXPECT_EQ(carcass_used_percent(S, word, sizeof word), 0);
    EXPECT_STREQ(carcass_text(S), "elk carcass");
    c.weight = 240.0f;
    EXPECT_EQ(carcass_used_percent(S, word, sizeof word), 20);
    c.carcass_bits = 1;  // cut by people
    carcass_used_percent(S, word, sizeof word);
    EXPECT_STREQ(word, "partly butchered");
    // A carcass weighing under a kilogram at death is never divided by zero.
    c.fatigue = 0.4f;
    c.weight = 0.0f;
    c.carcass_bits = 0;
    EXPECT_EQ(carcass_used_percent(S, word, sizeof word), 100);
    EXPECT_STREQ(word, "eaten to the bones");
}

// ------------------------------------------------------------ inventory

class CreatureInventory : public CreatureNames {
protected:
    void SetUp() override {
        CreatureNames::SetUp();
        CreatureRecord& c = animal(530, "tribesman", 0);
        c.cre_class = CRE_CLASS_HUMAN;
        c.weight = 80.0f;
        c.attr_int = 10;
        c.attr_dex = 10;
        ObjectRecord& t = ItemTypes[7];
        obj_clear_record(t);
        t.item_class = 7;
        t.weight = 0.01f;
        copy_text(t.name, "Pebble");
        put_object_on_map(MK_CREATURE, 200, 200, CRE_REF_BASE + S, 1);
    }
    void fill_slots(int leave_empty) {
        for (int s = 0; s < 20 - leave_empty; ++s) {
            Cre[S].inv_id[s] = 9;
            Cre[S].inv_count[s] = 1;
        }
    }
};

TEST_F(CreatureInventory, AddingSpillsOverSlotsOfAtMost255) {
    fill_slots(1);
    EXPECT_EQ(cre_add_item(S, 7, 300), 0);
    EXPECT_EQ(Cre[S].inv_id[19], 0);
    Cre[S].inv_id[18] = 0;
    EXPECT_EQ(cre_add_item(S, 7, 300), 1);
    EXPECT_EQ(Cre[S].inv_count[18], 255);
    EXPECT_EQ(Cre[S].inv_count[19], 45);
}

TEST_F(CreatureInventory, AStackStaysBelow256AndTagsKeepApart) {
    EXPECT_EQ(cre_add_item(S, 7, 250), 1);
    EXPECT_EQ(cre_add_item(S, 7, 10), 1);
    EXPECT_EQ(Cre[S].inv_count[0], 250);
    EXPECT_EQ(Cre[S].inv_count[1], 10);
    EXPECT_EQ(cre_add_item_tagged(S, 7, 5, CRE_GOODS_NOT_OWN), 1);
    EXPECT_EQ(Cre[S].inv_count[1], 10);
    EXPECT_EQ(Cre[S].inv_count[2], 5);
    EXPECT_EQ(Cre[S].inv_state[2], CRE_GOODS_NOT_OWN);
    // Nothing, or a negative count, changes nothing.
    EXPECT_EQ(cre_add_item(S, 7, 0), 1);
    EXPECT_EQ(cre_add_item(S, 7, -3), 0);
    EXPECT_EQ(Cre[S].inv_id[3], 0);
}

TEST_F(CreatureInventory, ALightCreatureCarriesNothing) {
    Cre[S].weight = 1.9f;
    EXPECT_EQ(cre_add_item(S, 7, 1), 0);
}

TEST_F(CreatureInventory, PickingUpTakesAtMostWhatLiesThere) {
    const int i = put_object_on_map(MK_ITEM, 201, 200, 7, 3);
    ASSERT_GE(i, 0);
    EXPECT_TRUE(cre_pick_up_item(S, i, 10));
    EXPECT_EQ(Cre[S].inv_count[0], 3);
    EXPECT_NE(Data[i].TYPE, MK_ITEM);
    EXPECT_TRUE(Cre[S].dress_bits & 1u);
    // A dull or clumsy creature picks nothing up.
    const int j = put_object_on_map(MK_ITEM, 201, 200, 7, 2);
    Cre[S].attr_dex = 4;
    EXPECT_FALSE(cre_pick_up_item(S, j, 0));
    EXPECT_EQ(Data[j].amount, 2);
}

TEST_F(CreatureInventory, AWeaponOnTheSquareIsFound) {
    ObjectRecord& knife = ItemTypes[8];
    obj_clear_record(knife);
    knife.item_class = ITEM_WEAPON;
    copy_text(knife.name, "Knife");
    put_object_on_map(MK_ITEM, 205, 205, 7, 1);
    EXPECT_EQ(find_weapon_at(205, 205), -1000);
    const int i = put_object_on_map(MK_ITEM, 205, 205, 8, 1);
    EXPECT_EQ(find_weapon_at(205, 205), i);
}

}  // namespace
