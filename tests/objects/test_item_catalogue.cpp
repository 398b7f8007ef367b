// The built-in item catalogue: the records it builds, checked byte by byte
// where they matter, the groups of identical slots, the random board, and a
// character's earlier "CONSTANT.OBJ" kept in the slots no definition
// touches.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "objects/item_catalogue.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

bool same_bytes(const ObjectRecord& a, const ObjectRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string name_of(const ObjectRecord& r) { return std::string(r.name, strnlen(r.name, sizeof r.name)); }
std::string skill_of(const ObjectRecord& r) { return std::string(r.skill, strnlen(r.skill, sizeof r.skill)); }
std::string tile_of(const ObjectRecord& r) { return std::string(r.tile, strnlen(r.tile, sizeof r.tile)); }

// A new character's folder, current, with nothing in it.
class Catalogue : public ::testing::Test {
protected:
    PlayFolder folder{false};
    void SetUp() override {
        reset_object_store();
        ASSERT_TRUE(make_folder("HERO"));
        install_folder[0] = 0;
        copy_text(character_name, "HERO");
        seed_random(11);
    }
    void TearDown() override {
        character_name[0] = 0;
        reset_object_store();
    }
};

TEST_F(Catalogue, IdenticalGroupsAndRecordZero) {
    build_item_catalogue();
    EXPECT_TRUE(same_bytes(ItemTypes[0], ItemTypes[11]));
    EXPECT_EQ(name_of(ItemTypes[11]), "bronze bear pendant");
    const struct {
        int first, last;
        const char* name;
    } groups[] = {{170, 174, "Fur overcoat"}, {302, 310, "Arrow"}, {23, 24, "Wooden mug"}, {250, 252, "Knife"}};
    for (const auto& g : groups) {
        EXPECT_EQ(name_of(ItemTypes[g.first]), g.name);
        for (int s = g.first + 1; s <= g.last; ++s) EXPECT_TRUE(same_bytes(ItemTypes[s], ItemTypes[g.first])) << s;
    }
}

TEST_F(Catalogue, RecordsAsBuilt) {
    build_item_catalogue();

    const ObjectRecord& pike = ItemTypes[212];
    EXPECT_EQ(name_of(pike), "Pike");
    EXPECT_EQ(pike.item_class, ITEM_FOOD);
    EXPECT_EQ(pike.kind, 490);
    EXPECT_EQ(pike.spoilage_days, 3);
    EXPECT_EQ(pike.symbol, 121);
    EXPECT_EQ(pike.blunt, 0);
    EXPECT_EQ(pike.edge, 1);
    EXPECT_EQ(pike.point, 18);
    EXPECT_EQ(pike.weight, float(3000 / 453.0));  // 3 kg, 6.6225 lb
    EXPECT_EQ(pike.full_weight, pike.weight);
    EXPECT_FLOAT_EQ(pike.unit_price, 0.76f);
    EXPECT_EQ(pike.price, 0.0f);
    EXPECT_EQ(tile_of(pike), "fd-fish");

    const ObjectRecord& battleaxe = ItemTypes[278];
    EXPECT_EQ(name_of(battleaxe), "Battleaxe");
    EXPECT_EQ(battleaxe.blunt, 5);
    EXPECT_EQ(battleaxe.edge, 9);
    EXPECT_EQ(battleaxe.point, 200);
    EXPECT_EQ(battleaxe.ad_class, 0x24);
    EXPECT_EQ(battleaxe.coverage[0], 15);
    EXPECT_EQ(battleaxe.price, 640.0f);
    EXPECT_EQ(skill_of(battleaxe), "AXE");

    const ObjectRecord& crossbow = ItemTypes[297];
    EXPECT_EQ(name_of(crossbow), "Crossbow");
    EXPECT_EQ(skill_of(crossbow), "CROSSBOW");
    EXPECT_EQ(crossbow.subclass, 5);
    EXPECT_EQ(crossbow.kind, 120);
    EXPECT_EQ(crossbow.coverage[2], 80);
    EXPECT_EQ(crossbow.ad_class, 0);
    EXPECT_EQ(tile_of(crossbow), "wp-crossbow");
    EXPECT_EQ(skill_of(ItemTypes[296]), "BOW");

    const ObjectRecord& hauberk = ItemTypes[179];
    EXPECT_EQ(name_of(hauberk), "Long Mail Hauberk");
    EXPECT_EQ(hauberk.item_class, ITEM_ARMOUR);
    EXPECT_EQ(hauberk.coverage[0], 48);
    EXPECT_EQ(hauberk.coverage[1], 126);
    EXPECT_EQ(hauberk.coverage[2], 0);
    EXPECT_EQ(hauberk.material, MATERIAL_IRON);
    // The mail values of the armour materials.
    EXPECT_EQ(hauberk.blunt, 2);
    EXPECT_EQ(hauberk.edge, 8);
    EXPECT_EQ(hauberk.protection4, 7);
    EXPECT_EQ(ItemTypes[184].material, 0u);  // lamellar
    EXPECT_EQ(ItemTypes[184].edge, 9);
    EXPECT_EQ(ItemTypes[124].material, 0u);  // linen
    EXPECT_EQ(ItemTypes[119].material, MATERIAL_CLOTH);
    EXPECT_EQ(ItemTypes[164].material, MATERIAL_BARK);

    // The ski stick has no edge.
    EXPECT_EQ(ItemTypes[101].edge, 200);
    // Containers: their own weight in tenths, their capacity.
    EXPECT_EQ(ItemTypes[46].kind, 350);
    EXPECT_EQ(ItemTypes[46].container_weight10, 2);
    EXPECT_EQ(ItemTypes[46].full_weight, 20.0f);
    EXPECT_EQ(ItemTypes[46].weight, 0.0f);
    EXPECT_EQ(ItemTypes[41].link, 2);
    EXPECT_EQ(ItemTypes[77].Laatu, 1);
    EXPECT_EQ(ItemTypes[221].effect_raw, 0xe3u);
    EXPECT_EQ(ItemTypes[239].coverage[0], 1);
    EXPECT_EQ(ItemTypes[96].unit_price, 24.0f);

    // Weapon groups: skill, tile and kind by the words of the name.
    const struct {
        int slot;
        const char* name;
        const char* skill;
        const char* tile;
        int kind;
    } weapons[] = {
        {261, "Shortsword", "SWORD", "wp-shsword", 0},       {265, "Rororad scimitar", "SWORD", "wp-scimitar", 0},
        {267, "Bastard Sword", "SWORD", "wp-bstsword", 0},   {268, "Battlesword", "SWORD", "wp-batsword", 0},
        {263, "Broadsword", "SWORD", "wp-sword", 0},         {272, "Maul", "CLUB", "wp-club", 0},
        {273, "Sickle", "AXE", "wp-sickle", 141},            {274, "Throwing axe", "AXE", "wp-handaxe", 0},
        {275, "Handaxe", "AXE", "wp-handaxe", 105},          {279, "Small flail", "FLAIL", "wp-sflail", 140},
        {280, "Grainflail", "FLAIL", "wp-flail", 140},       {290, "Hard staff", "SPEAR", "wp-hrdstaff", 0},
        {286, "Kaumolais spear", "SPEAR", "wp-kauspear", 0}, {291, "Northern spear", "SPEAR", "wp-norspear", 700},
        {288, "Small trident", "SPEAR", "wp-smatrid", 0},    {289, "Wide trident", "SPEAR", "wp-widetrid", 0},
        {287, "Trident", "SPEAR", "wp-trident", 0},          {298, "Heavy Crossbow", "CROSSBOW", "wp-crossbow", 120},
        {299, "Spruce quick-bow", "BOW", "", 120},           {300, "Northern bow", "BOW", "wp-northbow", 120},
    };
    for (const auto& w : weapons) {
        const ObjectRecord& r = ItemTypes[w.slot];
        EXPECT_EQ(name_of(r), w.name) << w.slot;
        EXPECT_EQ(skill_of(r), w.skill) << w.slot;
        EXPECT_EQ(tile_of(r), w.tile) << w.slot;
        EXPECT_EQ(r.kind, w.kind) << w.slot;
        EXPECT_EQ(r.item_class, ITEM_WEAPON) << w.slot;
    }
    EXPECT_EQ(ItemTypes[274].coverage[2], 3);  // thrown
    EXPECT_EQ(ItemTypes[283].coverage[2], 1);  // javelin
    EXPECT_EQ(ItemTypes[290].coverage[2], 4);  // staff
    EXPECT_EQ(ItemTypes[268].ad_class, 0x25);
    EXPECT_EQ(ItemTypes[268].coverage[0], 30);
    EXPECT_EQ(ItemTypes[268].material, MATERIAL_IRON);
    EXPECT_EQ(ItemTypes[269].price, 2.0f);

    // The axes of the crafting requirements: named by them, their codes as kinds.
    const struct {
        int slot;
        const char* name;
        int kind;
    } axes[] = {{315, "Broad axe", 100}, {316, "Carving axe", 101}, {317, "Splitting axe", 104}, {318, "Woodsman's axe", 102}};
    for (const auto& a : axes) {
        EXPECT_EQ(name_of(ItemTypes[a.slot]), a.name);
        EXPECT_EQ(ItemTypes[a.slot].kind, a.kind);
    }
}

TEST_F(Catalogue, UndefinedSlotsStayBlankAndNoWeightExceedsItsFullWeight) {
    build_item_catalogue();
    for (int slot : {16, 19, 260, 264, 277, 293, 313, 352, 399}) {
        EXPECT_EQ(name_of(ItemTypes[slot]), UNMATCHABLE_NAME) << slot;
        EXPECT_EQ(skill_of(ItemTypes[slot]), NO_SKILL) << slot;
        EXPECT_EQ(ItemTypes[slot].item_class, 0) << slot;
    }
    for (int slot = 0; slot < ITEM_TYPE_COUNT; ++slot) {
        const ObjectRecord& r = ItemTypes[slot];
        EXPECT_LE(r.weight, r.full_weight) << slot;
        // Every text field ends within its field.
        EXPECT_LT(strnlen(r.name, sizeof r.name), sizeof r.name) << slot;
        EXPECT_LT(strnlen(r.skill, sizeof r.skill), sizeof r.skill) << slot;
        EXPECT_LT(strnlen(r.tile, sizeof r.tile), sizeof r.tile) << slot;
    }
}

TEST_F(Catalogue, TheBoardTakesEveryQualityFromOneToFive) {
    std::set<int> ratings;
    for (uint32_t seed = 1; seed <= 80 && ratings.size() < 5; ++seed) {
        seed_random(seed);
        build_item_catalogue();
        ratings.insert(ItemTypes[331].rating);
    }
    EXPECT_EQ(ratings, (std::set<int>{1, 2, 3, 4, 5}));
}

TEST_F(Catalogue, AnEarlierFileKeepsItsRecordsWhereNoDefinitionStands) {
    // 401 records and a torn one: the 401st and the torn tail are ignored.
    std::vector<ObjectRecord> earlier(401);
    for (size_t i = 0; i < earlier.size(); ++i) {
        obj_clear_record(earlier[i]);
        earlier[i].item_class = ITEM_PLANT;
        earlier[i].kind = int32_t(5000 + i);
        format_text(earlier[i].name, sizeof earlier[i].name, "plant %zu", i);
    }
    earlier[16].reserved_168[0] = 0x5a;  // no stray bytes survive
    std::vector<uint8_t> bytes(earlier.size() * sizeof(ObjectRecord) + 100, 0);
    std::memcpy(bytes.data(), earlier.data(), earlier.size() * sizeof(ObjectRecord));
    ASSERT_TRUE(write_character_file("CONSTANT.OBJ", bytes.data(), bytes.size()));

    build_item_catalogue();
    for (int slot : {16, 19, 352, 360, 399}) {
        EXPECT_EQ(name_of(ItemTypes[slot]), "plant " + std::to_string(slot)) << slot;
        EXPECT_EQ(ItemTypes[slot].kind, 5000 + slot) << slot;
    }
    EXPECT_EQ(ItemTypes[16].reserved_168[0], 0);
    for (int slot : {0, 11, 212, 278, 331}) EXPECT_EQ(ItemTypes[slot].item_class == ITEM_PLANT, false) << slot;
    EXPECT_EQ(name_of(ItemTypes[212]), "Pike");
}

TEST_F(Catalogue, AnEarlierFileItsSaveDisownsIsNotUsed) {
    ObjectRecord earlier[ITEM_TYPE_COUNT];
    for (ObjectRecord& r : earlier) {
        obj_clear_record(r);
        r.item_class = ITEM_PLANT;
        copy_text(r.name, "stale");
    }
    ASSERT_TRUE(write_character_file("CONSTANT.OBJ", earlier, sizeof earlier));
    // Changed behind the save's back.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file("HERO/CONSTANT.OBJ", bytes));
    bytes[16 * sizeof(ObjectRecord) + 9] = 'S';
    ASSERT_TRUE(write_file_atomic("HERO/CONSTANT.OBJ", bytes.data(), bytes.size()));

    build_item_catalogue();
    EXPECT_EQ(name_of(ItemTypes[16]), UNMATCHABLE_NAME);
    EXPECT_EQ(name_of(ItemTypes[212]), "Pike");
}

TEST_F(Catalogue, TheArmourDumpIsWrittenAfterTheBuild) {
    build_item_catalogue();
    const std::string dump = folder.read("debug_armour.txt");
    EXPECT_EQ(dump.rfind("armourdump (in-game redone constant.obj)", 0), 0u);
    EXPECT_NE(dump.find("#179 Long Mail Hauberk"), std::string::npos);
}

}  // namespace
