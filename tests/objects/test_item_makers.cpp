// Items made whole: the special items and charms, packing goods into new
// containers, the lookups of item types, and the parts of animals and
// plants, each a table of makers with what their records hold.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_errands.h"
#include "game/turn_state.h"
#include "objects/item_catalogue.h"
#include "objects/item_makers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

std::string name_of(const ObjectRecord& r) { return std::string(r.name, strnlen(r.name, sizeof r.name)); }
std::string skill_of(const ObjectRecord& r) { return std::string(r.skill, strnlen(r.skill, sizeof r.skill)); }
std::string tile_of(const ObjectRecord& r) { return std::string(r.tile, strnlen(r.tile, sizeof r.tile)); }

float pounds_of_grams(int g) { return float(g / 453.0); }

CreatureRecord creature(int kind, const char* name, float base_weight = 0, float weight = 0) {
    CreatureRecord c{};
    c.kind = kind;
    copy_text(c.name, name);
    c.base_weight = base_weight;
    c.weight = weight;
    return c;
}

ObjectRecord plant(const char* product) {
    ObjectRecord p;
    obj_clear_record(p);
    p.item_class = ITEM_PLANT;
    std::memset(p.skill, 0, sizeof p.skill);
    copy_text(p.skill, product);
    return p;
}

// The catalogue of a new character, built in a play folder of its own.
class WithCatalogue : public ::testing::Test {
protected:
    PlayFolder folder{false};
    void SetUp() override {
        reset_object_store();
        ASSERT_TRUE(make_folder("HERO"));
        install_folder[0] = 0;
        copy_text(character_name, "HERO");
        seed_random(3);
        build_item_catalogue();
    }
    void TearDown() override {
        character_name[0] = 0;
        reset_object_store();
    }
};

// ------------------------------------------------------------ special items

TEST(SpecialItems, JewelleryCharmsAndRitualObjects) {
    ObjectRecord r;
    const struct {
        const char* what;
        ObjectRecord (*make)();
        const char* name;
        uint8_t item_class;
        float price;
        float weight;
        const char* tile;
        uint8_t magic;
    } cases[] = {
        {"brooch", [] { ObjectRecord o; return make_brooch_item(nullptr, o); }, "bronze brooch", ITEM_VALUABLE, 280.0f,
         pounds_of_grams(80), "vl-bbrooch", 0},
        {"small brooch", [] { ObjectRecord o; return make_brooch_item("[small][other]", o); }, "small bronze brooch",
         ITEM_VALUABLE, 160.0f, pounds_of_grams(40), "vl-bbroochs", 0},
        {"comb", [] { ObjectRecord o; return make_comb_item(nullptr, 12, o); }, "bronze comb", ITEM_VALUABLE, 96.0f,
         pounds_of_grams(60), "vl-bcomb", 0},
        {"ornamented comb", [] { ObjectRecord o; return make_comb_item("horse-ornamented", 48, o); },
         "bronze horse-ornamented comb", ITEM_VALUABLE, 384.0f, pounds_of_grams(60), "vl-bcomb", 0},
        {"pendant", [] { ObjectRecord o; return make_pendant_item("", 30, o); }, "bronze pendant", ITEM_VALUABLE,
         240.0f, pounds_of_grams(8), "vl-bpend", 0},
        {"wedge", [] { ObjectRecord o; return make_wedge_item(o); }, "Wedge of Ukko", ITEM_WEAPON, 400.0f,
         pounds_of_grams(350), "wp-wedgeou", MAGIC_WEDGE_OF_UKKO},
        {"garment strip", [] { ObjectRecord o; return make_garment_strip_item(nullptr, o); }, "Strip of garment",
         ITEM_ARMOUR, 0.0f, pounds_of_grams(30), "it-bandage", MAGIC_GARMENT_STRIP},
        {"named strip", [] { ObjectRecord o; return make_garment_strip_item("Strip of her shirt", o); },
         "Strip of her shirt", ITEM_ARMOUR, 0.0f, pounds_of_grams(30), "it-bandage", MAGIC_GARMENT_STRIP},
        {"hare's paw", [] { ObjectRecord o; return make_hare_paw_item("", o); }, "Hare's paw", ITEM_TOOL, 0.0f,
         pounds_of_grams(25), "it-harefoot", MAGIC_HARE_PAW},
        {"named paw", [] { ObjectRecord o; return make_hare_paw_item("Lucky paw", o); }, "Lucky paw", ITEM_TOOL, 0.0f,
         pounds_of_grams(25), "it-harefoot", MAGIC_HARE_PAW},
    };
    for (const auto& c : cases) {
        r = c.make();
        EXPECT_EQ(name_of(r), c.name) << c.what;
        EXPECT_EQ(r.item_class, c.item_class) << c.what;
        EXPECT_EQ(r.price, c.price) << c.what;
        EXPECT_FLOAT_EQ(r.weight, c.weight) << c.what;
        EXPECT_FLOAT_EQ(r.full_weight, c.weight) << c.what;
        EXPECT_EQ(tile_of(r), c.tile) << c.what;
        EXPECT_EQ(r.MAGIC, c.magic) << c.what;
    }

    make_brooch_item(nullptr, r);
    EXPECT_EQ(r.material, MATERIAL_BRONZE);
    make_wedge_item(r);
    EXPECT_EQ(r.material, MATERIAL_ROCK);
    EXPECT_EQ(r.blunt, 200);
    EXPECT_EQ(r.edge, 2);
    EXPECT_EQ(r.point, 2);
    EXPECT_EQ(r.ad_class, 0x01);
    EXPECT_EQ(skill_of(r), "KNIFE");
    make_garment_strip_item(nullptr, r);
    EXPECT_EQ(r.coverage[1], 0x08);  // the hip
    EXPECT_EQ(r.material, MATERIAL_CLOTH);
    make_hare_paw_item(nullptr, r);
    EXPECT_EQ(r.material, MATERIAL_FUR);
    EXPECT_GE(r.length, 8);
    EXPECT_LE(r.length, 17);
}

TEST(SpecialItems, HerbsWeighTwoToThreeHundredGramsAndKeepTheirFieldsBounded) {
    std::set<int> grams;
    ObjectRecord r;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        seed_random(seed);
        make_herb_item("Ihmeyrtti", r);
        const int g = int(std::lround(r.weight * 453.0));
        EXPECT_GE(g, 200);
        EXPECT_LE(g, 299);
        grams.insert(g);
    }
    EXPECT_GT(grams.size(), 50u);
    EXPECT_EQ(r.item_class, ITEM_FOOD);
    EXPECT_EQ(r.kind, 436);
    EXPECT_EQ(r.unit, 3);
    EXPECT_EQ(r.effect_raw & 0x400000u, 0x400000u);
    EXPECT_EQ(r.spoilage_days, 254);
    EXPECT_EQ(name_of(r), "Ihmeyrtti");
    EXPECT_EQ(skill_of(r), "Ihmeyrtti");
    EXPECT_EQ(r.unit_price, 40.0f);

    const std::string long_name(60, 'h');
    make_herb_item(long_name.c_str(), r);
    EXPECT_EQ(name_of(r), long_name.substr(0, 39));
    EXPECT_EQ(skill_of(r), long_name.substr(0, 26));
    EXPECT_EQ(tile_of(r), "flo-defherb");
    EXPECT_EQ(r.symbol, 134);
}

TEST_F(WithCatalogue, TheEmbroideredShirtIsANettleShirtOfAKnownGoodGrade) {
    const ObjectRecord nettle = ItemTypes[125];
    std::set<int> grades;
    ObjectRecord r;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        seed_random(seed);
        make_embroidered_shirt(r);
        EXPECT_TRUE(r.quality & OBJ_GRADE_KNOWN);
        grades.insert(r.quality & OBJ_GRADE_MASK);
    }
    EXPECT_EQ(grades, (std::set<int>{4, 5}));
    EXPECT_EQ(name_of(r), "embroidered nettle shirt");
    EXPECT_EQ(r.MAGIC, MAGIC_EMBROIDERED_SHIRT);
    EXPECT_EQ(r.blunt, nettle.blunt + 1);
    EXPECT_EQ(r.edge, nettle.edge + 1);
    EXPECT_EQ(r.protection4, nettle.protection4 + 1);
    EXPECT_EQ(r.full_length, nettle.full_length + 1);
    EXPECT_FLOAT_EQ(r.price, nettle.price * 1.2f);

    reset_object_store();  // no catalogue: nothing to embroider
    make_embroidered_shirt(r);
    EXPECT_EQ(r.item_class, 0);
}

// ------------------------------------------------------------ lookups

TEST_F(WithCatalogue, TheOneItemTypeOfAKindAndPlantsByName) {
    const struct {
        int kind;
        int type;
    } cases[] = {{351, -1}, {352, 27}, {353, 28}, {350, 46}, {490, -1}, {4321, -1}};
    for (const auto& c : cases) EXPECT_EQ(obj_unique_template_of_kind(c.kind), c.type) << c.kind;

    ItemTypes[360] = plant("x");
    copy_text(ItemTypes[360].name, "Nettle");
    EXPECT_EQ(obj_plant_template_by_name("Nettle"), 360);
    EXPECT_EQ(obj_plant_template_by_name("nettle"), -1);  // case counts
    EXPECT_EQ(obj_plant_template_by_name("Nettle shirt"), -1);  // not a plant
    EXPECT_EQ(obj_plant_template_by_name("Nettl"), -1);
}

// ------------------------------------------------------------ packed goods

ObjectRecord flour() {
    ObjectRecord g;
    obj_clear_record(g);
    g.item_class = ITEM_FOOD;
    g.kind = 61;
    copy_text(g.name, "Flour");
    g.weight = g.full_weight = 1;
    return g;
}

// The instances of a class, by id.
std::set<int> instances_of(uint8_t item_class) {
    std::set<int> ids;
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT; ++slot)
        if (Objects[slot].item_class == item_class) ids.insert(FIRST_INSTANCE_ID + slot);
    return ids;
}

TEST_F(WithCatalogue, ABagFillsToWhatItHoldsAndTheGoodsGoIn) {
    const struct {
        float pounds;
        float weight;
    } cases[] = {{0, 20}, {5, 5}, {50, 20}, {-1, 20}};
    for (const auto& c : cases) {
        clear_object_store();
        const int filled = obj_put_in_new_bag(c.pounds, flour());
        ASSERT_TRUE(obj_id_is_instance(filled)) << c.pounds;
        // The answer is the goods, linked to the empty bag.
        const ObjectRecord& goods = Objects[filled - FIRST_INSTANCE_ID];
        EXPECT_EQ(name_of(goods), "Flour");
        EXPECT_EQ(goods.weight, c.weight) << c.pounds;
        EXPECT_EQ(goods.full_weight, 20.0f);
        ASSERT_TRUE(obj_id_is_instance(goods.contents));
        const ObjectRecord& bag = Objects[goods.contents - FIRST_INSTANCE_ID];
        EXPECT_EQ(bag.kind, 350);
        EXPECT_EQ(bag.contents, 0);
        // Nothing else is left behind in the store.
        EXPECT_EQ(count_object_instances(), 2) << c.pounds;
    }

    // Boxes and baskets take the goods as they are.
    clear_object_store();
    std::set<int> kinds;
    for (int filled : {obj_put_in_new_box(flour()), obj_put_in_new_basket(flour())}) {
        ASSERT_TRUE(obj_id_is_instance(filled));
        const ObjectRecord& goods = Objects[filled - FIRST_INSTANCE_ID];
        EXPECT_EQ(goods.weight, 1.0f);
        kinds.insert(Objects[goods.contents - FIRST_INSTANCE_ID].kind);
    }
    EXPECT_EQ(kinds, (std::set<int>{352, 353}));
}

TEST_F(WithCatalogue, PackingNeverFillsABagThatIsAlreadySomewhereAndTwoBagsNeverShareContents) {
    // An empty bag lies on the ground: the very record the catalogue gives.
    ObjectRecord bag_type;
    obj_template_by_kind(350, bag_type);
    const int lying = obj_store_record(bag_type);
    ASSERT_NE(lying, 0);

    const int first = obj_put_in_new_bag(3, flour());
    const int second = obj_put_in_new_bag(3, flour());
    ASSERT_TRUE(obj_id_is_instance(first));
    ASSERT_TRUE(obj_id_is_instance(second));
    EXPECT_EQ(Objects[lying - FIRST_INSTANCE_ID].contents, 0);  // still empty
    const int first_bag = Objects[first - FIRST_INSTANCE_ID].contents;
    const int second_bag = Objects[second - FIRST_INSTANCE_ID].contents;
    EXPECT_NE(first_bag, lying);
    EXPECT_NE(second_bag, lying);
    EXPECT_NE(first_bag, second_bag);

    // Put down on one square they stay two things, not a stack of one.
    reset_map_object_table();
    for (int id : {first, second}) ASSERT_NE(put_object_on_map(MK_ITEM, 20, 20, id, 1), MAP_NO_RECORD);
    int records = 0;
    for (const MapObject& o : Data) records += o.TYPE == MK_ITEM && o.x == 20 && o.y == 20 && o.amount == 1;
    EXPECT_EQ(records, 2);
    reset_map_object_table();
}

TEST(PackedGoods, WithoutACatalogueNothingIsStored) {
    reset_object_store();
    EXPECT_EQ(obj_put_in_new_bag(1, flour()), 0);
    EXPECT_EQ(obj_put_in_new_box(flour()), 0);
    EXPECT_EQ(count_object_instances(), 0);
}

// ------------------------------------------------------------ animal and plant parts

TEST(PartMakers, YarnAndBarkStripsByLength) {
    ObjectRecord r;
    const struct {
        const char* product;
        int feet;
        const char* name;
        int length;
    } yarns[] = {{"nettle", 100, "nettle yarn", 100}, {"FLAX", 100, "linen yarn", 100}, {"flax", 10, "linen yarn", 10},
                 {"hemp", 300, "hemp yarn", 255},      {"hemp", 255, "hemp yarn", 255}};
    for (const auto& y : yarns) {
        make_yarn_item(y.feet, r, plant(y.product));
        EXPECT_EQ(name_of(r), y.name) << y.product;
        EXPECT_EQ(r.length, y.length) << y.feet;
        EXPECT_EQ(r.full_length, y.length) << y.feet;
        EXPECT_FLOAT_EQ(r.weight, float(y.length * 0.0044)) << y.feet;
        EXPECT_FLOAT_EQ(r.full_weight, r.weight);
        EXPECT_NEAR(r.unit_price, 4.0 / (y.length * 0.0044), 1e-3);
        EXPECT_EQ(r.item_class, ITEM_TOOL);
        EXPECT_EQ(r.kind, 326);
        EXPECT_EQ(r.unit, 5);  // feet
        EXPECT_EQ(r.material, MATERIAL_YARN);
    }
    make_yarn_item(100, r, plant("nettle"));
    EXPECT_FLOAT_EQ(r.weight, 0.44f);
    EXPECT_NEAR(r.unit_price, 9.0909, 1e-3);
    for (int feet : {0, -4}) {
        make_yarn_item(feet, r, plant("nettle"));
        EXPECT_EQ(r.item_class, 0) << feet;
        EXPECT_TRUE(std::isfinite(r.unit_price));
    }

    make_bark_strip_item(10, r);
    EXPECT_EQ(name_of(r), "Birch-bark strip");
    EXPECT_FLOAT_EQ(r.weight, pounds_of_grams(60));
    EXPECT_EQ(r.length, 10);
    EXPECT_EQ(r.unit, 6);
    EXPECT_EQ(r.item_class, ITEM_TIMBER);
    EXPECT_EQ(r.kind, 407);
    EXPECT_EQ(r.material, MATERIAL_BARK);
    EXPECT_FLOAT_EQ(r.unit_price, 0.1f);
    make_bark_strip_item(1000, r);
    EXPECT_EQ(r.length, 255);
    EXPECT_FLOAT_EQ(r.weight, pounds_of_grams(6 * 255));
    make_bark_strip_item(0, r);
    EXPECT_EQ(r.item_class, 0);
}

TEST(PartMakers, BonesByKindAndBySize) {
    ObjectRecord r;
    const struct {
        const char* what;
        int kind;
        float base_weight;
        uint8_t mobility;
        uint8_t cre_class;
        float weight;  // 0: no bone
        const char* tile;
    } cases[] = {
        {"bear", 605, 1, 0, 0, 2.0f, "bo-longl"},
        {"elk", 660, 1, 0, 0, 2.0f, "bo-longl"},
        {"616", 616, 100, 0, 0, 0.5f, "bo-longm"},
        {"reindeer", 619, 100, 0, 0, 1.0f, "bo-longl"},
        {"big", 1, 50, 0, 0, 0.75f, "bo-longl"},
        {"exactly 15", 1, 15, 0, 0, 0.25f, "bo-longm"},
        {"just below 15", 1, 14.9f, 0, 0, pounds_of_grams(50), "bo-longs"},
        {"exactly 4", 1, 4, 0, 0, pounds_of_grams(50), "bo-longs"},
        {"below 4", 1, 3.9f, 0, 0, 0, ""},
        {"flying bird", 1, 60, 64, 0, 0, ""},
        {"diving bird", 1, 60, 128, 0, 0, ""},
        {"class 21", 1, 60, 0, 21, 0, ""},
        {"swimmer", 1, 60, 96, 0, 0.75f, "bo-longl"},
    };
    for (const auto& c : cases) {
        CreatureRecord animal = creature(c.kind, "animal", c.base_weight);
        animal.mobility = c.mobility;
        animal.cre_class = c.cre_class;
        make_bone_item(animal, r);
        if (c.weight == 0) {
            EXPECT_EQ(r.item_class, 0) << c.what;
            continue;
        }
        EXPECT_EQ(r.item_class, ITEM_TOOL) << c.what;
        EXPECT_EQ(r.kind, 419) << c.what;
        EXPECT_FLOAT_EQ(r.weight, c.weight) << c.what;
        EXPECT_FLOAT_EQ(r.full_weight, c.weight) << c.what;
        EXPECT_EQ(tile_of(r), c.tile) << c.what;
        EXPECT_EQ(r.material, MATERIAL_BONE) << c.what;
        EXPECT_EQ(name_of(r), std::string(creature_record_name(0, animal)) + " bone");
    }
}

TEST(PartMakers, SkullsAndTheirTeeth) {
    ObjectRecord skull;
    ObjectRecord tooth;
    const struct {
        int kind;
        const char* name;
        const char* tile;
        uint8_t tooth_magic;
    } cases[] = {{605, "bear", "hd-bear", MAGIC_BEAR_TOOTH},
                 {650, "grey seal", "hd-seal", 0},
                 {651, "ringed seal", "hd-seal", 0}};
    for (const auto& c : cases) {
        make_skull_item(creature(c.kind, c.name, 0, 150), skull);
        EXPECT_EQ(name_of(skull), std::string(c.name) + " skull");
        EXPECT_EQ(skull.kind, 416);
        EXPECT_EQ(skull.coverage[0], 4);  // teeth
        EXPECT_EQ(skull.extra_value, c.kind);
        EXPECT_EQ(tile_of(skull), c.tile);
        EXPECT_FLOAT_EQ(skull.weight, 3.0f);  // 150 / 50, as pounds
        EXPECT_EQ(skill_of(skull), c.name);

        make_tooth_item(skull, tooth);
        EXPECT_EQ(name_of(tooth), std::string(c.name) + " tooth");
        EXPECT_EQ(tooth.kind, 408);
        EXPECT_EQ(tooth.item_class, skull.item_class);
        EXPECT_FLOAT_EQ(tooth.weight, pounds_of_grams(5));
        EXPECT_EQ(tooth.coverage[0], 0);
        EXPECT_EQ(tooth.price, 0.0f);
        EXPECT_EQ(tooth.MAGIC, c.tooth_magic);
    }
    // A bear named otherwise still gives the bear's tooth, by its kind; an
    // animal called "Bear" by its kind's name, by the name.
    make_skull_item(creature(605, "Old Otso"), skull);
    EXPECT_EQ(make_tooth_item(skull, tooth).MAGIC, MAGIC_BEAR_TOOTH);
    make_skull_item(creature(650, "seal"), skull);
    copy_text(skull.skill, "BEAR");
    EXPECT_EQ(make_tooth_item(skull, tooth).MAGIC, MAGIC_BEAR_TOOTH);

    make_skull_item(creature(606, "elk"), skull);
    EXPECT_EQ(skull.item_class, 0);
    make_skull_item(creature(605, "bear"), skull);
    skull.coverage[0] = 0;
    EXPECT_EQ(make_tooth_item(skull, tooth).item_class, 0);
    EXPECT_EQ(name_of(tooth), "");
}

TEST(PartMakers, FeathersEggsAntlersFibreBarkAndSaplings) {
    ObjectRecord r;
    CreatureRecord crow = creature(640, "hooded crow", 0.5f);
    crow.sotu = 1234;
    make_feather_item(crow, r);
    EXPECT_EQ(name_of(r), "hooded crow feather");
    EXPECT_EQ(r.kind, 418);
    EXPECT_EQ(r.extra_value, 1234);
    EXPECT_FLOAT_EQ(r.weight, pounds_of_grams(1));
    EXPECT_EQ(skill_of(r), "hooded crow");
    EXPECT_EQ(tile_of(r), "it-feather");

    make_egg_item(crow, r);
    EXPECT_EQ(name_of(r), "hooded crow egg");
    EXPECT_EQ(r.item_class, ITEM_FOOD);
    EXPECT_FLOAT_EQ(r.weight, pounds_of_grams(12));  // 0.5 / 0.04 = 12.5, cut
    EXPECT_EQ(r.spoilage_days, 30);
    EXPECT_EQ(r.point, 13);
    make_egg_item(creature(640, "", 1), r);
    EXPECT_EQ(name_of(r), "Bird egg");
    EXPECT_FLOAT_EQ(r.weight, pounds_of_grams(25));

    const struct {
        int kind;
        const char* name;
        float weight;
        const char* tile;
    } antlers[] = {{607, "elk antler", 4, "it-eantler"}, {660, "elk antler", 4, "it-eantler"},
                   {619, "reindeer antler", 2, "it-rantler"}, {600, "", 0, ""}};
    for (const auto& a : antlers) {
        make_antler_item(r, creature(a.kind, "beast"));
        EXPECT_EQ(name_of(r), a.name) << a.kind;
        EXPECT_EQ(r.weight, a.weight) << a.kind;
        EXPECT_EQ(tile_of(r), a.tile) << a.kind;
        EXPECT_EQ(r.kind, 417);
        EXPECT_EQ(r.material, MATERIAL_ANTLER);
        EXPECT_EQ(r.unit_price, 0.5f);
    }

    make_fibre_item(plant("hemp"), r);
    EXPECT_EQ(name_of(r), "hemp fibre");
    EXPECT_EQ(r.item_class, ITEM_PLANT);
    EXPECT_EQ(r.kind, 461);
    EXPECT_EQ(r.unit, 8);
    EXPECT_EQ(skill_of(r), "hemp");
    // The out record may be the plant itself.
    r = plant("nettle");
    make_fibre_item(r, r);
    EXPECT_EQ(name_of(r), "nettle fibre");

    make_bark_item("alder", r);
    EXPECT_EQ(name_of(r), "alder bark");
    EXPECT_EQ(r.item_class, ITEM_TIMBER);
    EXPECT_EQ(r.unit, 7);
    EXPECT_FLOAT_EQ(r.weight, 0.5f);

    make_sapling_item("Young Spruce", r);
    EXPECT_EQ(name_of(r), "Young Spruce sapling");
    EXPECT_EQ(tile_of(r), "tb-sprsapl");
    EXPECT_EQ(r.kind, 399);
    make_sapling_item("birch", r);
    EXPECT_EQ(tile_of(r), "tb-birsapl");
}

TEST(PartMakers, ALongCreatureNameStaysInTheNameField) {
    const std::string long_name(39, 'w');
    CreatureRecord animal = creature(605, long_name.c_str(), 60, 200);
    ObjectRecord r;
    const struct {
        const char* what;
        ObjectRecord& (*make)(const CreatureRecord&, ObjectRecord&);
        const char* tile;
        size_t skill_length;
    } cases[] = {{"feather", make_feather_item, "it-feather", 26},
                 {"egg", make_egg_item, "it-egg", 26},
                 {"skull", make_skull_item, "hd-bear", 20},
                 {"bone", make_bone_item, "bo-longl", 20}};
    for (const auto& c : cases) {
        c.make(animal, r);
        EXPECT_EQ(tile_of(r), c.tile) << c.what;
        EXPECT_LT(strnlen(r.name, sizeof r.name), sizeof r.name) << c.what;
        EXPECT_LE(skill_of(r).size(), c.skill_length) << c.what;
        EXPECT_NE(r.item_class, 0) << c.what;
    }
    make_skull_item(animal, r);
    EXPECT_EQ(name_of(r), long_name);  // " skull" does not fit
    make_feather_item(animal, r);
    EXPECT_EQ(name_of(r), long_name.substr(0, 30) + " feather");
    make_antler_item(r, creature(607, long_name.c_str()));
    EXPECT_EQ(skill_of(r), long_name.substr(0, 20));
    EXPECT_EQ(tile_of(r), "it-eantler");
}

}  // namespace
