// Eating and drinking: how much the player wants, what a portion does to
// the stomach, the reserve and the thirst, and the meals the player is
// refused or takes from a carried item.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "objects/object_store.h"
#include "support/key_script.h"
#include "support/play_folder.h"
#include "support/screen_session.h"
#include "ui/message_line.h"
#include "work/eating.h"
#include "work/food_values.h"
#include "work/herb_effects.h"

namespace {

constexpr int SLOT = 0;
uint32_t task_clock = 0;

ObjectRecord food(const char* name, int kind, float weight, int carb, int fat, int protein, int water = 0) {
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
    r.spoilage_days = 10;
    return r;
}

Nutrition values_of(ObjectRecord r) {
    Nutrition n;
    ravinto(r, n);
    return n;
}

struct Eating : ::testing::Test {
    PlayFolder folder;  // the message catalogue
    ScreenHooks kept_hooks = screen_hooks;
    ClockServices kept_clock = clock_services;
    void SetUp() override {
        reset_object_store();
        std::memset(&Plr, 0, sizeof Plr);
        Plr.Energiavaranto = 3000;
        Plr.travel_mode = 1;
        Plr.hour = 8;
        Plr.day = Plr.month = 1;
        reset_clock_state();
        last_hour = 8;
        reset_last_message();
        skip_message_pauses = true;
        screen_hooks.refresh_status_panel = [] {};  // no panel to draw
        clock_services = ClockServices{};
        SpendTimeSeams s{};
        // The task's clock moves only by its own pauses.
        s.now_ms = [] { return task_clock; };
        s.sleep_ms = [](uint32_t ms) { task_clock += ms; };
        s.poll_key = [] { return 0; };
        s.update_map_objects = [] {};
        s.body_check = [](int) {};
        spend_time_seams = s;
        seed_random(7);
    }
    void TearDown() override {
        spend_time_seams = SpendTimeSeams{};
        clock_services = kept_clock;
        screen_hooks = kept_hooks;
        reset_clock_state();
        reset_object_store();
    }
    // The item carried in the first inventory slot.
    int carry(const ObjectRecord& r, int count = 1) {
        const int id = obj_store_new(r);
        EXPECT_NE(id, 0);
        Plr.plr_inv_id[SLOT] = id;
        Plr.plr_inv_count[SLOT] = count;
        return id;
    }
    float carried_weight() const {
        ObjectRecord r;
        return Plr.plr_inv_count[SLOT] > 0 ? obj_record(Plr.plr_inv_id[SLOT], r).weight : 0.0f;
    }
    std::string last() const { return last_message; }
};

TEST_F(Eating, TheWishToEatGrowsWithALowReserveAndStopsWithAFullStomach) {
    const Nutrition bread = values_of(food("Rye bread", 148, 1, 0, 0, 0));  // 201 kcal per 100 g
    const Nutrition water = values_of(food("Water", 55, 1, 0, 0, 0));
    struct Case {
        int stomach, reserve;
        const Nutrition& n;
        float wish;
    } cases[] = {
        {255, 3000, bread, 0.0f},
        {255, 100, bread, 0.0f},
        {0, 3000, bread, 255.0f / 251 + 0.05f},
        {200, 3000, bread, 55.0f / 251 + 0.05f},
        {200, 800, bread, 83.0f / 251 + 0.05f},  // room ceil(1.5 x 55)
        {0, 100, bread, 255.0f / 251 + 0.05f},   // the room never passes 255
        {0, 3000, water, 3.0f},                  // at most three pounds
    };
    for (const Case& c : cases) {
        Plr.stomach = uint8_t(c.stomach);
        Plr.Energiavaranto = c.reserve;
        EXPECT_NEAR(Itemruoan_Tarve(c.n), c.wish, 1e-4) << c.stomach << "/" << c.reserve;
    }
}

TEST_F(Eating, APortionFillsTheStomachFeedsTheReserveAndQuenches) {
    const ObjectRecord berries = food("Blueberries", 431, 1, 0, 0, 0);  // 7/0/0/70: 28 kcal
    const Nutrition n = values_of(berries);
    Plr.thirst = 1000;
    add_food_to_stomach(-1, 0, 0.5f, n, berries);
    EXPECT_EQ(Plr.stomach, 39);                // trunc(0.5 x 78)
    EXPECT_EQ(Plr.Energiavaranto, 3000 + 70);  // ceil(0.5 x 140)
    EXPECT_EQ(Plr.thirst, 1000 - 350);         // 70 x 0.5 x 10

    // A crumb fills at least 20; a stomach reaching 250 is full.
    add_food_to_stomach(-1, 0, 0.01f, n, berries);
    EXPECT_EQ(Plr.stomach, 59);
    Plr.stomach = 240;
    add_food_to_stomach(-1, 0, 0.2f, n, berries);
    EXPECT_EQ(Plr.stomach, 255);

    // Water fills nothing while the player is thirsty, 12 a pound after.
    const ObjectRecord water = food("Water", 55, 1, 0, 0, 0);
    const Nutrition w = values_of(water);
    Plr.stomach = 0;
    Plr.thirst = 26;
    add_food_to_stomach(-1, 1, 1.0f, w, water);
    EXPECT_EQ(Plr.stomach, 0);
    EXPECT_EQ(Plr.thirst, 0) << "within 50 of the thirst it is all quenched";
    add_food_to_stomach(-1, 1, 2.0f, w, water);
    EXPECT_EQ(Plr.stomach, 24);

    // The reserve stays within 0..5000.
    Plr.Energiavaranto = 4990;
    add_food_to_stomach(-1, 0, 3.0f, n, berries);
    EXPECT_EQ(Plr.Energiavaranto, 5000);
}

TEST_F(Eating, ACreaturesStomachHoldsByItsWeightAndSaturates) {
    constexpr int C = 7;
    std::memset(&Cre[C], 0, sizeof Cre[C]);
    Cre[C].cre_class = 2;
    Cre[C].weight = 100.0f;
    EXPECT_EQ(cre_stomach_capacity(-1), 5000);
    EXPECT_EQ(cre_stomach_capacity(C), 3500);
    Cre[C].weight = 5000.0f;
    EXPECT_EQ(cre_stomach_capacity(C), 32000);
    Cre[C].cre_class = 1;
    EXPECT_EQ(cre_stomach_capacity(C), 5000);

    const ObjectRecord fat = food("Seal fat", 148, 3, 0, 0, 0);
    const Nutrition n = values_of(fat);
    Cre[C].energy = 4990;
    add_food_to_stomach(C, 0, 3.0f, n, fat);
    EXPECT_EQ(Cre[C].energy, 5000);
    std::memset(&Cre[C], 0, sizeof Cre[C]);
}

TEST_F(Eating, AFullStomachOrAnEmptyPortionRefusesAndChangesNothing) {
    carry(food("Rye bread", 148, 2.0f, 0, 0, 0));
    Plr.stomach = 255;
    Plr.food_effects = 0;
    EXPECT_EQ(eat(SLOT), EAT_REFUSED);
    EXPECT_NE(last().find("can't eat any more"), std::string::npos) << last();
    EXPECT_FLOAT_EQ(carried_weight(), 2.0f);
    EXPECT_EQ(Plr.Energiavaranto, 3000);

    // An item weighing nothing would fill 20 for nothing.
    carry(food("Crumbs", 148, 0.0f, 41, 1, 7));
    Plr.stomach = 0;
    reset_last_message();
    EXPECT_EQ(eat(SLOT), EAT_REFUSED);
    EXPECT_NE(last().find("can't eat any more"), std::string::npos) << last();
    EXPECT_EQ(Plr.stomach, 0);
}

TEST_F(Eating, AnItemAlmostEatenUpIsEatenWhole) {
    // 5/2/1 (42 kcal per 100 g) with room 39: a wish of 0.474 lb of 0.5.
    carry(food("Pike", 148, 0.5f, 0, 0, 0));
    Plr.stomach = 216;
    EXPECT_EQ(eat(SLOT), EAT_DONE);
    EXPECT_EQ(Plr.plr_inv_count[SLOT], 0);
    EXPECT_NE(last().find("You finish eating the pike."), std::string::npos) << last();
    // Fed by the portion, not by the 0.03 lb that went with it.
    EXPECT_EQ(Plr.Energiavaranto, 3000 + 100);  // ceil(0.474 x 210)
    EXPECT_EQ(Plr.stomach, 255);                // 216 + 43 passes 250
}

TEST_F(Eating, RawMeatWaitsForHungerAndLeavesNausea) {
    carry(food("Hare meat", KIND_RAW_MEAT, 2.0f, 0, 3, 21));
    Plr.Energiavaranto = 501;
    EXPECT_EQ(eat(SLOT), EAT_REFUSED);
    EXPECT_NE(last().find("raw meat"), std::string::npos) << last();
    EXPECT_EQ(Plr.food_effects, 0u);
    EXPECT_FLOAT_EQ(carried_weight(), 2.0f);

    Plr.Energiavaranto = 500;
    EXPECT_EQ(eat(SLOT), EAT_DONE);
    EXPECT_TRUE(Plr.food_effects & FOOD_NAUSEA);
    EXPECT_LT(carried_weight(), 2.0f);
    EXPECT_GT(Plr.Energiavaranto, 500);
}

TEST_F(Eating, ASpoiledItemFeedsHalfAndQuenchesInFull) {
    ObjectRecord fresh = food("Blueberries", 431, 3.0f, 0, 0, 0);
    ObjectRecord spoiled = fresh;
    spoiled.spoilage_days = 255;
    struct Result {
        int reserve, thirst;
    } results[2];
    for (int i = 0; i < 2; ++i) {
        Plr.stomach = 0;
        Plr.Energiavaranto = 3000;
        Plr.thirst = 3000;
        carry(i == 0 ? fresh : spoiled);
        ASSERT_EQ(eat(SLOT), EAT_DONE);
        results[i] = {Plr.Energiavaranto - 3000, 3000 - Plr.thirst};
    }
    EXPECT_GT(results[0].reserve, 0);
    // The spoiled portion is larger (it promises less), so compare per pound:
    // half the energy for the same quench.
    const float fresh_per_quench = float(results[0].reserve) / float(results[0].thirst);
    const float spoiled_per_quench = float(results[1].reserve) / float(results[1].thirst);
    EXPECT_NEAR(spoiled_per_quench, fresh_per_quench / 2, 0.01f);
}

TEST_F(Eating, TheAppetizingHerbMakesRoomOnlyForAMealThatHappens) {
    carry(food("Rye bread", 148, 2.0f, 0, 0, 0));
    Plr.stomach = 255;
    Plr.food_effects = FOOD_APPETIZING;
    carry(food("Dried moss", 57, 1.0f, 1, 0, 0));
    EXPECT_EQ(eat(SLOT), EAT_REFUSED) << "moss is no food";
    EXPECT_TRUE(Plr.food_effects & FOOD_APPETIZING);
    carry(food("Rye bread", 148, 2.0f, 0, 0, 0));
    EXPECT_EQ(eat(SLOT), EAT_DONE) << "a pound more even when full";
    EXPECT_FALSE(Plr.food_effects & FOOD_APPETIZING);
    EXPECT_FLOAT_EQ(carried_weight(), 1.0f);
}

TEST_F(Eating, DrinkingTakesFromACupAndRefusesWhatHoldsNoLiquid) {
    carry(food("Rye bread", 148, 1.0f, 0, 0, 0));
    Plr.thirst = 2000;
    EXPECT_EQ(drink_from_container(SLOT), 0);
    EXPECT_NE(last().find("is not suitable for that"), std::string::npos) << last();
    EXPECT_EQ(Plr.thirst, 2000);
    EXPECT_FLOAT_EQ(carried_weight(), 1.0f);

    ObjectRecord cup;
    obj_clear_record(cup);
    cup.item_class = ITEM_CONTAINER;
    cup.kind = 351;
    copy_text(cup.name, "Wooden cup");
    cup.full_weight = 3.0f;
    carry(cup);
    EXPECT_EQ(drink_from_container(SLOT), 0);
    EXPECT_NE(last().find("The wooden cup is empty!"), std::string::npos) << last();

    cup.contents = obj_store_new(food("Water", 55, 1.0f, 0, 0, 0));
    cup.weight = 2.5f;
    carry(cup);
    EXPECT_EQ(drink_from_container(SLOT), 1);
    EXPECT_EQ(Plr.thirst, 0);                    // 2 lb quench 2000
    EXPECT_NEAR(carried_weight(), 0.5f, 1e-4);   // the rest stays in the cup
}

}  // namespace

namespace {

// The eat command at the keys: the food list is offered again after every
// meal until the stomach is past 250.
struct EatingAtTheKeys : Eating {
    ScreenSession screen;
    // The stack may have been split: every slot counts.
    int breads_left() const {
        int n = 0;
        for (int s = 0; s < PLR_INV_SLOTS; ++s) n += Plr.plr_inv_id[s] != 0 ? Plr.plr_inv_count[s] : 0;
        return n;
    }
};

TEST_F(EatingAtTheKeys, TheCommandOffersFoodUntilTheStomachIsPastTwoHundredAndFifty) {
    // Five rye breads of 0.4 lb: two are eaten whole (100 each), of the
    // third only what the room left wants, and that fills the stomach.
    carry(food("Rye bread", 148, 0.4f, 41, 1, 7), 5);
    QueuedKeys keys({'a', 'a', 'a', 'a', 'a'});
    eat_command();
    EXPECT_EQ(Plr.stomach, 255);
    EXPECT_EQ(keys.left(), 2u) << "the third bread passed 250: the list was not offered again";
    EXPECT_EQ(breads_left(), 3);

    // ESC ends the meal at once.
    Plr.stomach = 0;
    QueuedKeys::queue().clear();
    keys.add({KEY_ESC, 'a'});
    eat_command();
    EXPECT_EQ(Plr.stomach, 0);
    EXPECT_EQ(breads_left(), 3);
}

}  // namespace
