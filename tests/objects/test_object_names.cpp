// The words for items: names with their quality and state words, measures,
// containers, notes of leashes, hooks and strings, pictures by symbol, and
// weights and lengths in the player's units.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "objects/item_catalogue.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_looks.h"
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

ObjectRecord thing(uint8_t item_class, int kind, const char* name) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = kind;
    copy_text(r.name, name);
    r.weight = r.full_weight = 1.0f;
    return r;
}

ObjectRecord food(const char* name, uint8_t quality, uint8_t days) {
    ObjectRecord r = thing(ITEM_FOOD, 500, name);
    r.quality = quality;
    r.spoilage_days = days;
    return r;
}

class ObjectNames : public ::testing::Test {
protected:
    void SetUp() override {
        reset_object_store();
        reset_map_object_table();
    }
    void TearDown() override {
        reset_object_store();
        reset_map_object_table();
    }
    int store(const ObjectRecord& r) { return obj_store_new(r); }
    std::string name(const ObjectRecord& r, int count = 1, int flags = 0) {
        return obj_name_with_unit(store(r), count, flags);
    }
    PlayFolder folder{false};  // no settings: imperial units, one decimal
};

TEST_F(ObjectNames, QualityAndStateWordsStandBeforeTheName) {
    ObjectRecord skin = thing(ITEM_SKIN, 410, "Elk-skin");
    skin.spoilage_days = 255;
    ObjectRecord winter = thing(ITEM_SKIN, 410, "Elk-skin");
    winter.material = MATERIAL_WINTER;
    winter.quality = 0x85;
    ObjectRecord unknown_grade = thing(ITEM_WEAPON, 0, "Knife");
    unknown_grade.quality = 0x05;  // graded, but the grade is not known
    const struct {
        const char* what;
        ObjectRecord record;
        int flags;
        const char* name;
    } cases[] = {
        {"known grade 4 food", food("Rye bread", 0x84, 10), 0, "tasty rye bread"},
        {"grade 3 says nothing", food("Rye bread", 0x83, 10), 0, "rye bread"},
        {"grade 0 counts as 3", food("Rye bread", 0x80, 10), 0, "rye bread"},
        {"no quality word asked", food("Rye bread", 0x85, 10), NAME_NO_QUALITY, "rye bread"},
        {"one day left: stale", food("Rye bread", 0x85, 1), 0, "stale rye bread"},
        {"stale whatever the flags", food("Rye bread", 0x85, 1), NAME_NO_QUALITY_2, "stale rye bread"},
        {"a stale name is not said twice", food("Stale bread", 0x84, 1), 0, "stale bread"},
        {"spoiled food", food("Rye bread", 0x81, 255), 0, "spoiled rye bread"},
        {"a spoiled skin is rotten", skin, 0, "rotten elk-skin"},
        {"winter coat", winter, 0, "superior winter elk-skin"},
        {"unknown grade", unknown_grade, 0, "knife"},
    };
    for (const auto& c : cases) EXPECT_EQ(name(c.record, 1, c.flags), c.name) << c.what;
    // Water and milk go by what they are, whatever holds them.
    ObjectRecord water = thing(ITEM_CONTAINER, 55, "Wooden cup");
    water.quality = 0x81;
    water.contents = store(thing(ITEM_FOOD, 55, "Water"));
    EXPECT_STREQ(obj_name(store(water), 1, 0), "water");
}

TEST_F(ObjectNames, QualityWordsByRowSubKindSixFirst) {
    ObjectRecord arrow = thing(ITEM_WEAPON, 0, "Arrow");
    arrow.subclass = 6;
    const struct {
        ObjectRecord record;
        int grade;
        const char* word;
    } cases[] = {
        {arrow, 1, "curved"},
        {thing(ITEM_FOOD, 0, "x"), 5, "delicious"},
        {thing(ITEM_WEAPON, 0, "x"), 5, "masterwork"},
        {thing(ITEM_ARMOUR, 0, "x"), 1, "crude"},
        {thing(ITEM_CONTAINER, 0, "x"), 1, "leaky"},
        {thing(ITEM_SKIN, 0, "x"), 2, "harsh"},
        {thing(ITEM_TOOL, 0, "x"), 2, "inferior"},
        {thing(ITEM_TOOL, 0, "x"), 9, "perfect"},  // clamped to 5
        {thing(ITEM_TOOL, 0, "x"), 0, "poor"},     // clamped to 1
    };
    for (const auto& c : cases) EXPECT_STREQ(obj_quality_word(c.record, c.grade), c.word) << c.grade;
}

TEST_F(ObjectNames, MeasuresCountsAndContainers) {
    ObjectRecord twig = thing(ITEM_TIMBER, 204, "Birch twig");
    twig.unit = 8;
    ObjectRecord bark = thing(ITEM_TIMBER, 0, "Birch bark");
    bark.unit = 7;
    ObjectRecord rope = thing(ITEM_TOOL, 333, "Rope");
    rope.unit = 5;
    rope.length = 15;
    ObjectRecord yarn = thing(ITEM_TOOL, 326, "Linen yarn");
    yarn.unit = 6;
    yarn.length = 30;
    ObjectRecord salt = thing(ITEM_FOOD, 57, "Salt");
    salt.spoilage_days = 254;
    salt.unit = 2;
    ObjectRecord bag = thing(ITEM_CONTAINER, 350, "Bag");
    ObjectRecord flour = thing(ITEM_FOOD, 61, "Rye flour");
    flour.spoilage_days = 60;
    bag.contents = store(flour);

    EXPECT_EQ(name(twig), "bundle of birch twig");
    EXPECT_EQ(name(twig, 2), "bundles of birch twigs");
    EXPECT_EQ(name(bark, 2), "sheets of birch bark") << "sheets keep the name as it is";
    EXPECT_EQ(name(rope), "rope (15 ft)");
    EXPECT_EQ(name(yarn, 2), "balls of linen yarns (30 ft)");
    EXPECT_EQ(name(salt), "pinch of salt");
    EXPECT_EQ(name(bag), "bag of rye flour");
    EXPECT_EQ(name(bag, 3, NAME_WITH_COUNT), "3 bags of rye flour");
    EXPECT_EQ(name(thing(ITEM_WEAPON, 0, "Spear"), 3, NAME_WITH_COUNT), "3 spears");
    EXPECT_EQ(name(thing(ITEM_WEAPON, 0, "Spear"), 3, 0), "spears");
    EXPECT_EQ(name(thing(ITEM_WEAPON, 0, "Spear"), 1, NAME_WITH_COUNT), "spear");
    // With NAME_CONTENTS a container is named by what it holds.
    EXPECT_EQ(std::string(obj_name(store(bag), 1, NAME_CONTENTS)), "rye flour");
    // Nothing for an id that is no object; the naming scratch for -1.
    EXPECT_STREQ(obj_name_with_unit(0, 1, 0), "");
    EXPECT_STREQ(obj_name(123456, 1, 0), "");
    naming_scratch = thing(ITEM_TOOL, 0, "Awl");
    EXPECT_STREQ(obj_name(-1, 1, 0), "awl");
}

TEST_F(ObjectNames, HooksStringsLeashesAndCarcasses) {
    ObjectRecord hook = thing(ITEM_TOOL, 250, "iron fishhook");
    hook.material = MATERIAL_IRON;
    ObjectRecord rod = thing(ITEM_TOOL, 249, "Fishing rod");
    EXPECT_EQ(name(rod), "fishing rod with no hook");
    rod.effect_raw = uint32_t(store(hook));
    EXPECT_EQ(name(rod), "fishing rod with iron hook");
    ObjectRecord bow = thing(ITEM_WEAPON, 120, "Shortbow");
    EXPECT_EQ(name(bow), "shortbow with no string");

    // A leash names the animal it leads while that one is on the map.
    reset_creature_tables();
    Cre[3].cre_class = 2;
    Cre[3].sotu = 1077;
    Cre[3].cre_status = CRE_STATUS_TIED;
    CreSlotRefs[3] = 1077;
    Data[0].TYPE = MK_CREATURE;
    Data[0].DATA = CRE_REF_BASE + 3;
    ObjectRecord leash = thing(ITEM_TOOL, 333, "Rope");
    leash.subclass = 9;
    leash.link = 1077;
    EXPECT_EQ(name(leash), "rope (creature leash)");
    Cre[3].cre_status = 0;
    Cre[3].bfdom = 0x10;
    EXPECT_EQ(name(leash), "rope (tied to creature)");
    Data[0].TYPE = KIND_FREED;
    EXPECT_EQ(name(leash), "rope") << "no note for an animal that is not here";

    // A carcass goes by its creature, and no slot of the table is taken for it.
    Cre[499].cre_class = 2;
    Cre[499].move_mode = 3;
    const CreatureRecord last = Cre[499];
    ObjectRecord carcass = thing(ITEM_CARCASS, 1001, "dead elk");
    EXPECT_EQ(name(carcass), "carcass");
    EXPECT_EQ(std::memcmp(&Cre[499], &last, sizeof last), 0);
    reset_creature_tables();
}

TEST_F(ObjectNames, PlantsByKnowledgeCategoriesAndBowstrings) {
    ObjectRecord nettle = thing(ITEM_PLANT, 436, "Nettle");
    copy_text(nettle.skill, "NETTLE");
    nettle.quality = 0x85;
    EXPECT_EQ(name(nettle), "nettle") << "plants have no quality word";
    EXPECT_STREQ(obj_name(store(nettle), 1, NAME_PLANT_SPECIES), "nettle");
    EXPECT_STREQ(obj_name_by_plant_knowledge(nettle), "unknown") << "the player knows no plant yet";
    ObjectRecord knife = thing(ITEM_WEAPON, 0, "Knife");
    copy_text(knife.skill, "KNIFE");
    EXPECT_STREQ(obj_name_by_plant_knowledge(knife), "KNIFE");

    EXPECT_STREQ(obj_category_name(-5), "Preferred types");
    EXPECT_STREQ(obj_category_name(2), "Armours & Clothes");
    EXPECT_STREQ(obj_category_name(27), "Unpaid");
    EXPECT_STREQ(obj_category_name(4), "");

    ObjectRecord string = thing(ITEM_WEAPON, 121, "Bowstring");
    const struct {
        int wear;
        const char* text;
    } strings[] = {{0, "This bowstring is in good condition."}, {20, "This bowstring is slightly worn out."},
                   {59, "This bowstring is somewhat worn out."}, {60, "This bowstring is worn out."},
                   {80, "This bowstring is largely worn out."}};
    for (const auto& s : strings) {
        string.coverage[1] = uint8_t(s.wear);
        EXPECT_STREQ(bowstring_condition_text(string), s.text) << s.wear;
    }
    ObjectRecord bow = thing(ITEM_WEAPON, 120, "Longbow");
    EXPECT_STREQ(bowstring_condition_text(bow), "This bow has no string.");
    string.coverage[1] = 65;
    bow.effect_raw = uint32_t(store(string));
    EXPECT_STREQ(bowstring_condition_text(bow), "The bowstring of this bow is worn out.");
    EXPECT_STREQ(bowstring_condition_text(knife), "");
}

TEST_F(ObjectNames, PicturesFallBackToTheSymbolAndTheWordsOfTheName) {
    auto with_symbol = [](const char* name, uint8_t symbol, const char* tile = "") {
        ObjectRecord r = thing(ITEM_TOOL, 0, name);
        r.symbol = symbol;
        copy_text(r.tile, tile);
        return r;
    };
    const struct {
        ObjectRecord record;
        const char* tile;
    } cases[] = {
        {with_symbol("Wooden cup", 1), "it-wdcup"},
        {with_symbol("Wooden mug", 1), "it-wdmug"},
        {with_symbol("Wooden bowl", 29), "it-wdbowl"},
        {with_symbol("Wooden tub", 29), "it-wdtub"},
        {with_symbol("Spruce quick-bow", 146), "wp-shortbow"},
        {with_symbol("Heavy Crossbow", 146), "wp-crossbow"},
        {with_symbol("Salt", 0), "fd-salt"},
        {with_symbol("Torch", 126), "it-torch"},
        {with_symbol("Club", 126), "wp-club"},
        {with_symbol("Whatever", 250), ""},
        {with_symbol("Thing", 0), ""},
        {with_symbol("Wooden mug", 1, "it-own"), "it-own"},  // its own tile first
    };
    for (const auto& c : cases) EXPECT_STREQ(object_tile_name(c.record), c.tile) << c.record.name;
    // Through the map view's lookup by id too.
    EXPECT_STREQ(object_tile_name(store(with_symbol("Wooden mug", 1))), "it-wdmug");
}

TEST(CataloguePictures, EveryItemTypeOfTheCatalogueHasAPicture) {
    PlayFolder folder(false);
    reset_object_store();
    ASSERT_TRUE(make_folder("HERO"));
    install_folder[0] = 0;
    copy_text(character_name, "HERO");
    build_item_catalogue();
    character_name[0] = 0;
    int types = 0;
    for (int t = 1; t < ITEM_TYPE_COUNT; ++t) {
        const ObjectRecord& r = ItemTypes[t];
        if (r.item_class == 0) continue;
        ++types;
        EXPECT_STRNE(object_tile_name(r), "") << t << " " << r.name;
    }
    EXPECT_GT(types, 200);
    // The two without a tile of their own: by their symbol and name.
    EXPECT_STREQ(object_tile_name(ItemTypes[96]), "fd-salt");
    EXPECT_STREQ(object_tile_name(ItemTypes[299]), "wp-shortbow");
    reset_object_store();
}

TEST(Measures, WeightsAndLengthsInThePlayersUnits) {
    PlayFolder folder(false);
    const struct {
        const char* units;
        const char* precision;
        int flags;
        double pounds;
        const char* text;
    } weights[] = {
        {"IMPERIAL", "1", 0, 0.05, "0.8 oz"},   {"IMPERIAL", "1", 0, 1.0, "1 lb"},
        {"IMPERIAL", "1", 0, 2.5, "2.5 lbs"},   {"IMPERIAL", "1", 0, 0.01, "0 oz"},
        {"IMPERIAL", "2", 0, 2.25, "2.25 lbs"}, {"IMPERIAL", "2", 0, 0.05, "0.80 oz"},
        {"IMPERIAL", "1", 0x10, 0.05, "0.1 lbs"}, {"IMPERIAL", "1", 2, 2.5, "2.5"},
        {"IMPERIAL", "1", 4, 2.5, "lb"},        {"IMPERIAL", "1", 1, 2.5, "2 lbs"},
        {"IMPERIAL", "0", 0, 50.0, "50 lbs"},   {"IMPERIAL", "0", 0, 50.4, "50 lbs"},
        {"IMPERIAL", "0", 0, 0.5, "8 oz"},      {"IMPERIAL", "0", 0, 0.47, "8 oz"},
        {"METRIC", "1", 0, 0.5, "0.2 kg"},      {"METRIC", "1", 0, 0.1, "40 g"},
        {"METRIC", "1", 0, 0.01, "5 g"},        {"METRIC", "1", 0, 0.025, "10 g"},
        {"METRIC", "1", 0, 0.035, "15 g"},      {"METRIC", "1", 0, 0.0, "0 g"},
        {"METRIC", "2", 0, 0.1, "45 g"},        {"METRIC", "1", 0, 10.0, "4.5 kg"},
        {"METRIC", "0", 0, 1.5, "680 g"},       {"METRIC", "1", 4, 1.0, "kg"},
    };
    for (const auto& w : weights) {
        folder.write("ksm_ini.txt", std::string("[UNITS:") + w.units + "]\n[UNITS_PRECISION:" + w.precision + "]\n");
        EXPECT_STREQ(weight_text(w.flags, w.pounds), w.text) << w.units << " " << w.precision << " " << w.pounds;
    }
    folder.write("ksm_ini.txt", "[UNITS:METRIC]\n");
    EXPECT_STREQ(length_text(0, 15.0), "5 m");
    folder.write("ksm_ini.txt", "[UNITS:IMPERIAL]\n");
    EXPECT_STREQ(length_text(0, 15.0), "15 ft");
}

TEST(Measures, AContainersOwnWeightCountsWithWhatItHolds) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt", "[UNITS:IMPERIAL]\n");
    reset_object_store();
    ObjectRecord bag = thing(ITEM_CONTAINER, 350, "Bag");
    bag.weight = 2.0f;  // what is in it
    bag.container_weight10 = 5;
    const int id = obj_store_new(bag);
    EXPECT_STREQ(item_weight_text(id, 2), "5 lbs");
    EXPECT_STREQ(item_weight_text(0, 2), "0 oz");
    reset_object_store();
}

}  // namespace
