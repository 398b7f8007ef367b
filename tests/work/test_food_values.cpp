// Food values: the defaults of items without values, the energy they give,
// scaling by drying, the meat cut of a carcass and a dish of several
// ingredients.
#include <gtest/gtest.h>

#include <cstring>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "objects/object_store.h"
#include "work/food_values.h"

namespace {

ObjectRecord food(const char* name, int kind, float weight, int carb = 0, int fat = 0, int protein = 0,
                  int water = 0) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_FOOD;
    r.kind = kind;
    copy_text(r.name, name);
    r.weight = r.full_weight = weight;
    r.blunt = uint8_t(carb);
    r.edge = uint8_t(fat);
    r.point = uint8_t(protein);
    r.water = uint8_t(water);
    return r;
}

TEST(FoodValues, ItemsWithoutValuesTakeTheDefaultsOfTheirKindOrName) {
    struct Case {
        const char* name;
        int kind;
        int carb, fat, protein, liquid;  // given
        int want_carb, want_fat, want_protein, want_liquid;
    } cases[] = {
        {"Water", 55, 30, 30, 30, 0, 0, 0, 0, 100},     // water is water whatever it says
        {"Mug of milk", 69, 9, 9, 9, 9, 5, 4, 3, 70},   // and milk is milk
        {"Cow meat", 148, 0, 0, 0, 0, 0, 3, 21, 0},
        {"Rye bread", 148, 0, 0, 0, 0, 41, 1, 7, 0},
        {"Flat rye bread", 148, 0, 0, 0, 0, 41, 1, 7, 0},
        {"Goat milk", 148, 0, 0, 0, 0, 5, 4, 3, 70},
        {"Cloudberries", 148, 0, 0, 0, 0, 7, 0, 0, 70},   // "berries" count as kind 431
        {"Rain water", 148, 0, 0, 0, 0, 0, 0, 0, 100},
        {"Grouse breast", 148, 0, 0, 0, 0, 0, 3, 21, 0},  // 107 joins the meats
        {"Seal fat", 148, 0, 0, 0, 0, 0, 90, 2, 0},       // 109: fat
        {"Elk cut", 148, 0, 0, 0, 0, 0, 3, 21, 0},        // "ELK" before " CUT"
        {"Smoked salmon", 148, 0, 0, 0, 0, 0, 7, 11, 0},
        {"Pike", 148, 0, 0, 0, 0, 5, 2, 1, 0},            // nothing known: the last row
        {"Mushroom", 513, 0, 0, 0, 0, 3, 1, 2, 0},
        {"Sack of grain", 434, 0, 0, 0, 0, 1, 0, 0, 0},
        {"Hard cheese", 148, 20, 30, 25, 35, 20, 30, 25, 35},  // its own values stay
    };
    for (const Case& c : cases) {
        ObjectRecord r = food(c.name, c.kind, 1.0f, c.carb, c.fat, c.protein, c.liquid);
        Nutrition n;
        ravinto(r, n);
        EXPECT_EQ(n.carbohydrate, c.want_carb) << c.name;
        EXPECT_EQ(n.fat, c.want_fat) << c.name;
        EXPECT_EQ(n.protein, c.want_protein) << c.name;
        EXPECT_EQ(n.liquid_percent, c.want_liquid) << c.name;
        // The defaults go into the caller's record.
        EXPECT_EQ(r.blunt, c.want_carb) << c.name;
        EXPECT_EQ(r.edge, c.want_fat) << c.name;
        EXPECT_EQ(r.point, c.want_protein) << c.name;
        EXPECT_EQ(r.water, c.want_liquid) << c.name;
    }
    EXPECT_EQ(food_class_of_name("ROAST PORK OF A BOAR"), 108);
    EXPECT_EQ(food_class_of_name("BIRCH BARK"), 0);
}

TEST(FoodValues, EnergyPerHundredGramsPoundAndItem) {
    ObjectRecord water = food("Water", 55, 2.0f);
    Nutrition n;
    ravinto(water, n);
    EXPECT_EQ(n.kcal_per_100g, 0);
    EXPECT_EQ(n.kcal_per_item, 0);
    EXPECT_EQ(n.liquid_amount, 1000);  // 100 x 5 x 2

    // 0/3/21: fat gives 9 kcal a gram, carbohydrate and protein 4.
    ObjectRecord cow = food("Cow meat", 148, 1.5f);
    ravinto(cow, n);
    EXPECT_EQ(n.kcal_per_100g, 111);
    EXPECT_EQ(n.kcal_per_pound, 555);
    EXPECT_EQ(n.kcal_per_item, 833);  // ceil(555 x 1.5)
    EXPECT_EQ(n.fat_amount, 22);       // trunc(3 x 5 x 1.5)
    EXPECT_EQ(n.protein_amount, 157);  // trunc(21 x 5 x 1.5)

    ObjectRecord bread = food("Rye bread", 148, 0.3f);
    ravinto(bread, n);
    EXPECT_EQ(n.kcal_per_100g, 201);
    EXPECT_EQ(n.kcal_per_item, 302);  // ceil(1005 x 0.3)
}

TEST(FoodValues, ScalingDividesTheWeightAndMultipliesTheValuesWithinTheirBounds) {
    ObjectRecord meat = food("Reindeer meat", 148, 5.0f, 10, 30, 60, 70);
    meat.unit_price = 0.5f;
    ASSERT_TRUE(scale_food_object(meat, 10.0f));
    EXPECT_FLOAT_EQ(meat.weight, 0.5f);
    EXPECT_FLOAT_EQ(meat.full_weight, 0.5f);
    EXPECT_EQ(meat.blunt, 100);
    EXPECT_EQ(meat.edge, 255);   // 300 caps at 255
    EXPECT_EQ(meat.point, 255);
    EXPECT_EQ(meat.water, 100);  // a percent stays a percent
    EXPECT_FLOAT_EQ(meat.unit_price, 5.0f);

    ObjectRecord roast = food("Roast", 148, 1.34f, 1, 3, 21, 0);
    ASSERT_TRUE(scale_food_object(roast, 1.34f));
    EXPECT_EQ(roast.blunt, 2);  // rounded up
    EXPECT_EQ(roast.point, 29);

    for (float bad : {0.0f, -2.0f}) {
        ObjectRecord kept = food("Bread", 148, 1.0f, 41, 1, 7);
        EXPECT_FALSE(scale_food_object(kept, bad));
        EXPECT_FLOAT_EQ(kept.weight, 1.0f);
        EXPECT_EQ(kept.blunt, 41);
    }
}

TEST(FoodValues, AMeatCutTakesTheMeatOfTheCreaturesTemplateAndABoundedName) {
    const int kind = 600;
    creature_template(kind);
    const uint8_t a = CreScratch.meat_a, b = CreScratch.meat_b, c = CreScratch.meat_c;
    const ObjectRecord cut = make_meat_cut_object("Hare", kind, 0.75f);
    EXPECT_EQ(cut.item_class, ITEM_FOOD);
    EXPECT_EQ(cut.kind, KIND_MEAT_CUT);
    EXPECT_STREQ(cut.name, "Hare cut");
    EXPECT_STREQ(cut.skill, "Hare cut");
    EXPECT_STREQ(cut.tile, "org-meatcut");
    EXPECT_EQ(cut.spoilage_days, 3);
    EXPECT_FLOAT_EQ(cut.weight, 0.75f);
    EXPECT_FLOAT_EQ(cut.full_weight, 0.75f);
    EXPECT_EQ(cut.blunt, a);
    EXPECT_EQ(cut.edge, b);
    EXPECT_EQ(cut.point, c);
    EXPECT_FLOAT_EQ(cut.unit_price, 0.04f * float(a + b + c));
    EXPECT_FLOAT_EQ(cut.price, cut.unit_price * 0.75f);

    const std::string long_name(60, 'x');
    const ObjectRecord bounded = make_meat_cut_object(long_name.c_str(), kind, 1.0f);
    EXPECT_EQ(std::strlen(bounded.name), sizeof bounded.name - 1);
    EXPECT_EQ(std::strlen(bounded.skill), sizeof bounded.skill - 1);
}

TEST(FoodValues, AMixedDishSumsItsIngredientsAndIsNamedForThem) {
    clear_mixed_dish();
    ObjectRecord turnip = food("Turnip", 436, 0.5f, 6, 0, 1, 90);
    turnip.unit_price = 0.2f;
    turnip.effect_raw = 0x8;
    ObjectRecord carrot = food("Carrot", 436, 0.5f, 10, 0, 1, 88);
    carrot.unit_price = 0.4f;
    add_to_mixed_dish(turnip, 2, 0.5f);
    EXPECT_EQ(mixed_dish.ingredients, 1);
    EXPECT_STREQ(mixed_dish.record.name, "Turnip");
    add_to_mixed_dish(carrot, 1, 0.5f);
    EXPECT_EQ(mixed_dish.ingredients, 2);
    EXPECT_STREQ(mixed_dish.record.name, "mixed");
    EXPECT_FLOAT_EQ(mixed_dish.weight, 1.5f);
    EXPECT_FLOAT_EQ(mixed_dish.price, 0.2f * 0.5f * 2 + 0.4f * 0.5f);
    EXPECT_EQ(mixed_dish.effects, 0x8u);
    // Back to grams per 100 g: (2 x 15 + 25) carbohydrate over 7.5.
    EXPECT_EQ(mixed_dish.record.blunt, 7);
    // A weight of 0 adds nothing (and divides by nothing).
    add_to_mixed_dish(carrot, 1, 0.0f);
    EXPECT_EQ(mixed_dish.ingredients, 2);
    EXPECT_FLOAT_EQ(mixed_dish.weight, 1.5f);

    clear_mixed_dish();
    add_to_mixed_dish(food("Chanterelle", 513, 0.2f), 1, 0.2f);
    add_to_mixed_dish(food("Porcini", 513, 0.2f), 1, 0.2f);
    EXPECT_STREQ(mixed_dish.record.name, "mushrooms");
}

}  // namespace
