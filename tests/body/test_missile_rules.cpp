// The rules of a missile's flight: its speed and drag by weight and kind,
// the size of what it may hit, the band that lets its own missiles pass,
// and a bowstring's wear until it breaks.
#include <gtest/gtest.h>

#include "body/combat_state.h"
#include "body/missile_flight.h"
#include "body/body_queries.h"
#include "combat_fixture.h"
#include "objects/inventory.h"

namespace {

using Missiles = CombatGround;

TEST_F(Missiles, SpeedAndDragFollowWeightAndKind) {
    struct Case {
        uint8_t cls, subclass;
        float pounds;
        float velocity, aero;
    } cases[] = {
        {1, 6, 2.0f, 19.0f, 1.0f},      // an arrow
        {1, 0, 50.0f, 1.0f, 300.0f},    // a heavy weapon: weight x 5 + 50
        {2, 0, 10.0f, 15.0f, 500.0f},   // clothing
        {11, 0, 1.0f, 19.5f, 800.0f},   // a plant
        {7, 0, 0.2f, 19.9f, 950.0f},    // something light
        {7, 0, 1.0f, 19.5f, 50.0f},
    };
    for (const Case& c : cases) {
        ObjectRecord r{};
        r.item_class = c.cls;
        r.subclass = c.subclass;
        r.weight = c.pounds;
        EXPECT_FLOAT_EQ(GetMissileVelocity(r), c.velocity) << int(c.cls) << " " << c.pounds;
        EXPECT_FLOAT_EQ(missile_aero(r), c.aero) << int(c.cls) << " " << c.pounds;
    }
}

TEST_F(Missiles, SmallTargetsAreMissedBySizeAndBandsLetTheirOwnPass) {
    struct Case {
        float kg;
        int size;
    } sizes[] = {{4.9f, 15}, {14.0f, 30}, {29.0f, 45}, {44.0f, 60}, {59.0f, 75}, {60.0f, 100}};
    for (const Case& c : sizes) {
        Cre[3].cre_class = 3;
        Cre[3].weight = c.kg;
        CreSlotRefs[3] = 1003;
        EXPECT_EQ(cre_missile_target_size(3), c.size) << c.kg;
    }
    EXPECT_EQ(cre_missile_target_size(-1), 100);

    // A hare at accuracy 80 is always missed, whatever the cell's quality.
    CreatureRecord& hare = creature(4, 3, "Hare", PX + 3, PY);
    hare.weight = 2.0f;
    combat.attacker = -1;
    combat.aimed_target = 4;
    missile_accuracy = 80;
    for (int q : {100, 90, 50}) {
        combat.reached_creature = 0;
        EXPECT_EQ(missile_hit_check(PX + 3, PY, q), -1) << q;
        EXPECT_EQ(combat.reached_creature, 0);
        EXPECT_EQ(combat.passed_missile_dodge, 3);
    }

    // A band's stone passes a fellow in its way; another creature is met.
    CreatureRecord& thrower = creature(5, 1, "Robber", PX + 5, PY);
    CreatureRecord& fellow = creature(6, 1, "Robber", PX + 4, PY);
    thrower.lauma = fellow.lauma = 77;
    combat.attacker = 5;
    combat.aimed_target = -1;
    missile_accuracy = 100;
    EXPECT_EQ(missile_hit_check(PX + 4, PY, 100), 0);
    fellow.lauma = 78;
    EXPECT_EQ(missile_hit_check(PX + 4, PY, 100), 1);
    EXPECT_EQ(combat.struck_creature, 6);
    // No declared target: nothing is tested.
    combat.aimed_target = COMBAT_NOBODY;
    EXPECT_EQ(missile_hit_check(PX + 4, PY, 100), 0);
}

TEST_F(Missiles, AStringAtWearNinetyNineTakesOneMoreShotAndBreaksAtAHundred) {
    ObjectRecord string{};
    string.item_class = 1;
    string.kind = 121;
    string.quality = 4;  // grade 4: no extra wear
    string.coverage[1] = 99;
    const int string_id = store(string);
    ObjectRecord bow = weapon_record("Shortbow", "BOW", 200, 200, 6, 2.0f);
    bow.subclass = 5;
    bow.effect_raw = uint32_t(string_id);
    Plr.plr_inv_id[0] = store(bow);
    Plr.plr_inv_count[0] = 1;

    plr_break_bowstring(0, 1);
    ObjectRecord now;
    EXPECT_EQ(obj_record(string_id, now).coverage[1], 100);
    obj_record(Plr.plr_inv_id[0], now);
    EXPECT_EQ(int(now.effect_raw), string_id);

    plr_break_bowstring(0, 1);
    ASSERT_NE(Plr.plr_inv_id[0], 0);
    obj_record(Plr.plr_inv_id[0], now);
    EXPECT_EQ(now.effect_raw, 0u) << "the string held at wear 100";
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
}

}  // namespace
