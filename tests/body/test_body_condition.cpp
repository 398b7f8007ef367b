// The body's condition: the load and its free allowance, the carrying
// penalty of the player and of a creature, the movement speed with its
// penalties, legs and snow, limbs and rising, physical requirements and the
// penalty wordings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "body/body_condition.h"
#include "body/exertion.h"
#include "body/wounds.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr int WOLF = 5;  // creature slots of the tests
constexpr int ELK = 6;
// Item types of the tests.
constexpr int STONE = 1;    // 10 lb
constexpr int COAT = 2;     // worn, 10 lb
constexpr int MITTENS = 3;  // worn, 5 lb
constexpr int HAT = 4;      // worn, 5 lb
constexpr int UNPAID = 5;   // 1 lb, unpaid
constexpr int TAKEN = 6;    // 1 lb, taken unseen

struct BodyCondition : ::testing::Test {
    PlayFolder folder;  // the message catalogue
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "BIGMAP");
        Plr.body_weight = 170;
        Plr.end = 12;
        Plr.spd = 12;
        Plr.travel_mode = 1;
        player_x = 1500;
        player_y = 1000;
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, 250, MAP_CELLS);
        std::memset(Data, 0, sizeof Data);
        weather.current.snow = 0;
        weather.current.snowtopice = 0;
        std::memset(ItemTypes, 0, sizeof ItemTypes);
        item(STONE, 10.0f, 0, 0);
        item(COAT, 10.0f, OBJ_WORN, 0);
        item(MITTENS, 5.0f, OBJ_WORN, 0);
        item(HAT, 5.0f, OBJ_WORN, 0);
        item(UNPAID, 1.0f, 0, 0x01);
        item(TAKEN, 1.0f, 0, 0x02);
        for (int slot : {WOLF, ELK}) std::memset(&Cre[slot], 0, sizeof Cre[slot]);
        skip_message_pauses = true;
        messages_suppressed = false;
        last_message[0] = 0;
        reset_exertion_state();
    }
    void TearDown() override {
        for (int slot : {WOLF, ELK}) std::memset(&Cre[slot], 0, sizeof Cre[slot]);
        std::memset(ItemTypes, 0, sizeof ItemTypes);
    }
    static void item(int id, float weight, uint8_t state, uint8_t ownflag) {
        ObjectRecord& r = ItemTypes[id];
        r.item_class = ITEM_TOOL;
        r.weight = r.full_weight = weight;
        r.state_bits = state;
        r.ownflag = ownflag;
    }
    static void carry(int slot, int id, int count) {
        Plr.plr_inv_id[slot] = id;
        Plr.plr_inv_count[slot] = count;
    }
    static void wound(int slot, int part, int damage, int side) {
        Plr.wounds[PW_KIND][slot] = WOUND_CUT;
        Plr.wounds[PW_SEVERITY][slot] = 1;
        Plr.wounds[PW_PART][slot] = uint8_t(part);
        Plr.wounds[PW_DAMAGE][slot] = uint8_t(damage);
        Plr.wounds[PW_SIDE][slot] = uint8_t(side);
    }
    static void creature_wound(int c, int slot, int part, int damage, int side) {
        Cre[c].wounds[CW_KIND][slot] = WOUND_BITE;
        Cre[c].wounds[CW_SEVERITY][slot] = 1;
        Cre[c].wounds[CW_PART][slot] = uint8_t(part);
        Cre[c].wounds[CW_DAMAGE][slot] = uint8_t(damage);
        Cre[c].wounds[CW_SIDE][slot] = uint8_t(side);
    }
};

// ------------------------------------------------------------ load and carrying

TEST_F(BodyCondition, WornClothingUpToATenthOfTheBodyWeighsNothingAndFlaggedItemsAreListed) {
    carry(0, STONE, 4);
    carry(1, COAT, 1);     // worn 10: within 17
    carry(2, MITTENS, 1);  // worn 15: within 17
    carry(3, HAT, 1);      // worn 20: beyond it
    carry(4, UNPAID, 2);
    carry(5, TAKEN, 1);
    carry(6, UNPAID, 1);  // the same id again is listed once
    EXPECT_FLOAT_EQ(cre_compute_load(-1), 40.0f + 20.0f + 3.0f + 1.0f);
    EXPECT_FLOAT_EQ(Plr.carried_load, 64.0f);
    EXPECT_FLOAT_EQ(Plr.carry_allowance, 15.0f);
    EXPECT_EQ(carried_unpaid_items[0], UNPAID);
    EXPECT_EQ(carried_unpaid_items[1], 0);
    EXPECT_EQ(carried_taken_items[0], TAKEN);
    EXPECT_EQ(carried_taken_items[1], 0);
}

TEST_F(BodyCondition, CarryingPenaltyCountsTheLoadBeyondTheAllowancePerPointOfEndurance) {
    struct Case {
        float load, allowance;
        int end, penalty;
    } cases[] = {
        {60, 10, 12, 9},    // (60 - 10) x 2 / 12 = 8.3
        {255, 10, 12, 41},  // 40.8; 255 is exactly 1.5 x 170
        {256, 10, 12, 100}, // above 1.5 x the body weight
        {5, 10, 12, 0},     // within the allowance
        {20, 10, 0, 20},    // no endurance counts as 1
    };
    for (const Case& c : cases) {
        Plr.carried_load = c.load;
        Plr.carry_allowance = c.allowance;
        Plr.end = uint8_t(c.end);
        EXPECT_EQ(cre_carry_penalty(-1), c.penalty) << c.load << " end " << c.end;
        EXPECT_EQ(cre_penalty(-1, 4), c.penalty);
    }
}

TEST_F(BodyCondition, ACreaturesKilogramsAreComparedWithItsPoundsOfLoad) {
    Cre[WOLF].cre_class = 3;
    Cre[WOLF].weight = 40.0f;  // kilograms: 88 lb, so 132 lb is the limit
    Cre[WOLF].attr_end = 10;
    EXPECT_EQ(cre_body_weight_lb(WOLF), 88);
    Cre[WOLF].inv_id[0] = STONE;
    Cre[WOLF].inv_count[0] = 10;  // 100 lb
    EXPECT_EQ(cre_carry_penalty(WOLF), 20);
    EXPECT_EQ(Cre[WOLF].load, 100);
    Cre[WOLF].inv_count[0] = 14;  // 140 lb
    EXPECT_EQ(cre_carry_penalty(WOLF), 100);
    // No endurance: a creature keeps its fixed 50.
    Cre[WOLF].attr_end = 0;
    EXPECT_EQ(cre_carry_penalty(WOLF), 50);
    // A load beyond a byte stays at its top.
    Cre[WOLF].inv_count[0] = 40;
    cre_compute_load(WOLF);
    EXPECT_EQ(Cre[WOLF].load, 255);
    EXPECT_EQ(cre_total_weight_lb(WOLF), 88 + 255);
}

TEST_F(BodyCondition, ACreaturesWornThingsAreFreeUpToAFifthOfItsWeight) {
    Cre[ELK].cre_class = 5;
    Cre[ELK].weight = 45.4f;  // 100 lb: 20 lb worn are free
    Cre[ELK].worn[0] = COAT;     // 10
    Cre[ELK].worn[1] = MITTENS;  // 15
    Cre[ELK].worn[2] = HAT;      // 20: from here on they count
    Cre[ELK].worn[3] = COAT;     // 30
    EXPECT_FLOAT_EQ(cre_compute_load(ELK), 15.0f);
    EXPECT_EQ(Cre[ELK].load, 15);
}

// ------------------------------------------------------------ speed

TEST_F(BodyCondition, SpeedFollowsPenaltiesLegsAndSnow) {
    // spd 12 walks 60; wounds 20 + fatigue 11 + carrying 9 = 40 per cent off.
    Plr.wound_total = 20;
    Plr.fatigue = 10.2f;
    Plr.carried_load = 60;
    Plr.carry_allowance = 10;
    EXPECT_EQ(cre_walk_speed(-1), 60);
    EXPECT_EQ(cre_movement_speed(-1), 36);
    Plr.running = 1;
    EXPECT_EQ(cre_movement_speed(-1), 72);

    // Deep snow whose crust breaks under the player halves it at 500.
    weather.current.snow = 500;
    weather.current.snowtopice = 1;
    EXPECT_EQ(cre_movement_speed(-1), 36);
    Plr.running = 0;
    EXPECT_EQ(cre_movement_speed(-1), 18);
    // A crust that bears cancels any depth; snow of 99 slows nobody.
    weather.current.snowtopice = 250;
    EXPECT_EQ(cre_movement_speed(-1), 36);
    weather.current.snowtopice = 0;
    weather.current.snow = 99;
    EXPECT_EQ(cre_movement_speed(-1), 36);
    weather.current.snow = 0;

    // Modes: wading a third, swimming a quarter, sneaking half, rounded up.
    Plr.travel_mode = 4;
    EXPECT_EQ(cre_movement_speed(-1), 12);
    Plr.travel_mode = 2;
    EXPECT_EQ(cre_movement_speed(-1), 9);
    Plr.travel_mode = 1;
    Plr.hiding = 1;
    EXPECT_EQ(cre_movement_speed(-1), 18);
    Plr.hiding = 0;

    // Penalties of 100 leave the body unable to move.
    Plr.wound_total = 80;
    EXPECT_EQ(cre_movement_speed(-1), -1);
    // No speed at all: no speed, however whole the body.
    Plr.wound_total = 0;
    Plr.fatigue = 0;
    Plr.carried_load = 0;
    Plr.spd = 0;
    EXPECT_EQ(cre_movement_speed(-1), 0);
}

// ------------------------------------------------------------ limbs

TEST_F(BodyCondition, ADeepThighWoundTakesTheLegAndThePlayerCanNotRise) {
    wound(0, PART_THIGH, 16, SIDE_RIGHT);
    Plr.body_state = 1;
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_LEGS, LIMB_RIGHT), 1.0f);
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_LEGS, LIMB_LEFT), 0.0f);
    EXPECT_FLOAT_EQ(cre_locomotion_disability(-1), 1.0f);
    EXPECT_EQ(cre_try_rise(-1), 0);
    EXPECT_EQ(Plr.body_state, 1);
    EXPECT_STREQ(last_message, "!Your legs won't carry you!");
    EXPECT_STREQ(leg_injury_word(-1), message_by_key("LEG_INJURY:DISABLED"));

    // Whole again, the player gets up.
    Plr.wounds[PW_DAMAGE][0] = 0;
    EXPECT_EQ(cre_try_rise(-1), 1);
    EXPECT_EQ(Plr.body_state, 0);
    EXPECT_STREQ(last_message, ":You get up.");
}

TEST_F(BodyCondition, LimbImpairmentWeighsEachPartOfTheGroup) {
    // A knee weighs 3: 8 x 3 of a capacity of 4 x 12 is half the leg, and
    // half of one leg a quarter of the walking.
    wound(0, PART_KNEE, 8, SIDE_LEFT);
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_LEGS, LIMB_LEFT), 0.5f);
    EXPECT_FLOAT_EQ(cre_locomotion_disability(-1), 0.25f);
    EXPECT_STREQ(leg_injury_word(-1), message_by_key("LEG_INJURY:LOW"));
    // The hand counts for the arms (2) and for the hands (3); a wound of
    // no side counts for neither.
    wound(1, PART_HAND, 4, SIDE_RIGHT);
    wound(2, PART_FOREARM, 12, SIDE_NONE);
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_ARMS, LIMB_RIGHT), 8.0f / 48);
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_HANDS, LIMB_RIGHT), 12.0f / 48);
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_ARMS, LIMB_LEFT), 0.0f);
    // No endurance, no measure: unimpaired.
    Plr.end = 0;
    EXPECT_FLOAT_EQ(cre_limb_impairment(-1, LIMB_LEGS, LIMB_LEFT), 0.0f);
}

TEST_F(BodyCondition, AFourLeggedAnimalLimpsOnThreeLegsAndFallsOnTwo) {
    Cre[WOLF].cre_class = 3;
    Cre[WOLF].attr_end = 10;
    creature_wound(WOLF, 0, PART_THIGH, 20, SIDE_LEFT);
    EXPECT_FLOAT_EQ(cre_locomotion_disability(WOLF), 0.65f);
    creature_wound(WOLF, 1, PART_SHOULDER, 20, SIDE_RIGHT);
    EXPECT_FLOAT_EQ(cre_locomotion_disability(WOLF), 1.0f);
    // Bad wounds on all four, none of them lost: it still drags itself on.
    std::memset(Cre[WOLF].wounds, 0, sizeof Cre[WOLF].wounds);
    creature_wound(WOLF, 0, PART_KNEE, 10, SIDE_LEFT);
    creature_wound(WOLF, 1, PART_KNEE, 10, SIDE_RIGHT);
    creature_wound(WOLF, 2, PART_ELBOW, 10, SIDE_LEFT);
    creature_wound(WOLF, 3, PART_ELBOW, 10, SIDE_RIGHT);
    EXPECT_FLOAT_EQ(cre_locomotion_disability(WOLF), 0.95f);
}

// ------------------------------------------------------------ requirements and wordings

TEST_F(BodyCondition, PhysicalRequirementsAreReadAndChecked) {
    EXPECT_EQ(parse_physical_requirements("stance, arms one-handed"), PHYSREQ_STANCE | PHYSREQ_BOTH_ARMS | PHYSREQ_EITHER_SIDE);
    EXPECT_EQ(parse_physical_requirements("hand"), PHYSREQ_ONE_HAND);
    EXPECT_EQ(parse_physical_requirements("hands,arm"), PHYSREQ_BOTH_HANDS | PHYSREQ_ONE_ARM);
    EXPECT_EQ(parse_physical_requirements(""), 0);

    // Lying down, a task that needs a stance is refused before the arms
    // are looked at.
    Plr.body_state = 1;
    EXPECT_EQ(check_physical_requirements(-1, PHYSREQ_STANCE | PHYSREQ_BOTH_ARMS, 0, "chop"), 1);
    EXPECT_STREQ(last_message, "!You can't chop in your present stance.");
    // With "stance only slows" it goes on, slowly.
    EXPECT_EQ(check_physical_requirements(-1, PHYSREQ_STANCE | PHYSREQ_STANCE_SLOWS, 0, "chop"), 0);
    EXPECT_EQ(physreq_slow, 1);
    Plr.body_state = 0;

    // An arm nearly lost (47 of 48) plus a difficulty of 1 (1/25) is lost.
    wound(0, PART_SHOULDER, 15, SIDE_RIGHT);  // 30
    wound(1, PART_ELBOW, 5, SIDE_RIGHT);      // 15
    wound(2, PART_UPPER_ARM, 2, SIDE_RIGHT);  // 2
    wound(3, PART_SHOULDER, 15, SIDE_LEFT);
    wound(4, PART_ELBOW, 5, SIDE_LEFT);
    wound(5, PART_UPPER_ARM, 2, SIDE_LEFT);
    EXPECT_EQ(check_physical_requirements(-1, PHYSREQ_ONE_ARM, 0, "row"), 0);
    EXPECT_EQ(physreq_slow, 0);
    EXPECT_EQ(check_physical_requirements(-1, PHYSREQ_ONE_ARM, 1, "row"), 1);
    EXPECT_STREQ(last_message, "_One usable arm needed.");
    // Either side will do: the left arm whole again makes it slow only.
    for (int slot = 3; slot <= 5; ++slot) Plr.wounds[PW_DAMAGE][slot] = 0;
    EXPECT_EQ(check_physical_requirements(-1, PHYSREQ_BOTH_ARMS | PHYSREQ_EITHER_SIDE, 1, "row"), 0);
    EXPECT_EQ(physreq_slow, 1);
    EXPECT_STREQ(last_message, "!It will be slow and difficult to row now.");
}

TEST_F(BodyCondition, PenaltyWordingNamesTheLargestPenalties) {
    EXPECT_STREQ(plr_penalty_wording(PENALTY_BITS_ALL), "");
    Plr.wound_total = 60;
    EXPECT_STREQ(plr_penalty_wording(PENALTY_BITS_ALL), "due to being wounded");
    Plr.fatigue = 10.0f;  // below a third of 60
    EXPECT_STREQ(plr_penalty_wording(PENALTY_BITS_ALL), "mostly due to being wounded");
    Plr.fatigue = 30.0f;
    EXPECT_STREQ(plr_penalty_wording(PENALTY_BITS_ALL), "due to being wounded and being fatigued");
    Plr.starvation = 25;
    EXPECT_STREQ(plr_penalty_wording(PENALTY_BITS_ALL),
                 "due to being wounded and being fatigued - plus other penalties");
    // Movement leaves starvation out.
    EXPECT_STREQ(plr_penalty_wording(22), "due to being wounded and being fatigued");
    // Fatigue from a load above 8 per point of endurance says so.
    Plr.wound_total = 0;
    Plr.starvation = 0;
    Plr.carried_load = 100;
    Plr.carry_allowance = 100;
    EXPECT_STREQ(plr_penalty_wording(PENALTY_BITS_ALL), "due to being fatigued from carrying excess load");

    set_skill_name(Plr, 3, "STEALTH");
    Plr.skill_level[3] = 40;
    EXPECT_STREQ(plr_skill_impairment_wording("STEALTH"),
                 "&Your stealth performance is severely impaired due to being fatigued from carrying excess load.");
    Plr.skill_level[3] = 20;
    EXPECT_STREQ(plr_skill_impairment_wording("STEALTH"),
                 "&Your stealth attempt is determined to succeed poorly due to being fatigued from carrying excess "
                 "load!");
    EXPECT_STREQ(plr_skill_impairment_wording("SWIMMING"), "");
}

}  // namespace
