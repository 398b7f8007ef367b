// Weapons against weapons: strike profiles by material and class, the wear
// a clash deals to each side, and the weapons worn or broken in the
// fighters' hands; with the wear rule of an item.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "body/strike_physics.h"
#include "combat_fixture.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"

namespace {

using StrikePhysics = CombatGround;

ObjectRecord item(const char* name, const char* skill, int blunt, int edge, int point, float pounds) {
    return CombatGround::weapon_record(name, skill, blunt, edge, point, pounds);
}

TEST_F(StrikePhysics, TheMaterialIsAWholeSkillWordOrTheRockBit) {
    struct Case {
        const char* name;
        const char* skill;
        uint32_t material;
        int hardness;
    } cases[] = {
        {"Iron sword", "SWORD", 0, HARDNESS_IRON},
        {"Knife", "KNIFE", 0, HARDNESS_IRON},
        {"Javelin", "SPEAR", 0, HARDNESS_WOOD},        // a javelin is wood
        {"Quarterstaff", "SPEAR", 0, HARDNESS_WOOD},   // and so is a staff
        {"Stone axe", "AXE", MATERIAL_ROCK, HARDNESS_STONE},
        {"Club", "CLUB", 0, HARDNESS_WOOD},
        {"Thing", "", 0, HARDNESS_WOOD},              // no skill is no blade
        {"Thing", "ORD", 0, HARDNESS_WOOD},           // nor is a piece of a word
        {"Thing", "AXE SWORD", 0, HARDNESS_WOOD},
    };
    for (const Case& c : cases) {
        ObjectRecord r = item(c.name, c.skill, 2, 2, 2, 3.0f);
        r.material = c.material;
        EXPECT_EQ(weapon_strike_profile(r, ASPECT_CODE_EDGE).hardness, c.hardness) << c.name << "/" << c.skill;
    }
}

TEST_F(StrikePhysics, AnIronSwordCuttingIntoAWoodenClubWearsOnlyTheClub) {
    const ObjectRecord sword = item("Iron sword", "SWORD", 200, 3, 2, 3.0f);
    const ObjectRecord club = item("Wooden club", "CLUB", 2, 200, 200, 4.0f);
    const StrikeProfile s = weapon_strike_profile(sword, ASPECT_CODE_EDGE);
    EXPECT_EQ(s.strike_area, 40);
    EXPECT_EQ(s.item_area, 44);
    EXPECT_FLOAT_EQ(s.velocity, 1.25f);
    const StrikeProfile c = weapon_strike_profile(club, ASPECT_CODE_EDGE);
    EXPECT_EQ(c.block_area, 4);
    EXPECT_EQ(c.item_area, 6);
    // KE 144, true force 19: past wood's toughness, short of iron's; the
    // club's 15 % cap, scaled by the lighter sword's weight (3/4).
    EXPECT_STREQ(weapon_clash_damage_of(sword, club, ASPECT_CODE_EDGE, 3), "[BD:11]");
    // The same blow at a weaker clash carries less.
    EXPECT_STREQ(weapon_clash_damage_of(sword, club, ASPECT_CODE_EDGE, 2), "[BD:9]");
}

TEST_F(StrikePhysics, OneBlowDestroysAtMostTheCapOfItsClass) {
    // A heavy iron axe's edge against lighter blockers: no weight scaling.
    const ObjectRecord axe = item("Great axe", "AXE", 200, 9, 200, 20.0f);
    struct Case {
        const char* name;
        const char* skill;
        float pounds;
        const char* tag;
    } cases[] = {
        {"Roundshield", "SHIELD", 6.0f, "[BD:25]"},
        {"Battle axe", "AXE", 6.0f, "[BD:2]"},
        {"Club", "CLUB", 6.0f, "[BD:15]"},
        {"Walking stick", "STICK", 1.0f, "[BD:50]"},
    };
    for (const Case& c : cases) {
        const ObjectRecord blocker = item(c.name, c.skill, 2, 200, 200, c.pounds);
        const std::string tags = weapon_clash_damage_of(axe, blocker, ASPECT_CODE_EDGE, 3);
        EXPECT_NE(tags.find(c.tag), std::string::npos) << c.name << ": " << tags;
    }
}

TEST_F(StrikePhysics, AnItemWithoutWeightOrValuesStillHasAProfile) {
    ObjectRecord feather = item("Feather", "", 200, 200, 200, 0.0f);
    for (int aspect : {ASPECT_CODE_BLUNT, ASPECT_CODE_EDGE, ASPECT_CODE_POINT}) {
        const StrikeProfile p = weapon_strike_profile(feather, aspect);
        EXPECT_GE(p.strike_area, 1);
        EXPECT_GE(p.block_area, 1);
        EXPECT_GE(p.item_area, p.block_area);
    }
    // Striking with it and at it gives a finite answer: no force, no wear.
    EXPECT_STREQ(weapon_clash_damage_of(feather, feather, ASPECT_CODE_EDGE, 4), "");
    const ObjectRecord sword = item("Iron sword", "SWORD", 200, 3, 2, 3.0f);
    const std::string tags = weapon_clash_damage_of(sword, feather, ASPECT_CODE_EDGE, 3);
    EXPECT_EQ(tags.rfind("[BD:", 0), 0u) << tags;
    EXPECT_EQ(tags.find("AD"), std::string::npos) << tags;
}

TEST_F(StrikePhysics, ItemsWearByTheirGradeAndLoseAGradeAtEachStep) {
    ObjectRecord r = item("Iron sword", "SWORD", 200, 3, 2, 10.0f);
    r.quality = 3;
    EXPECT_EQ(wear_object(r, 8, 5.0, 50), 0);
    EXPECT_FLOAT_EQ(r.weight, 9.5f);
    EXPECT_EQ(r.quality & OBJ_GRADE_MASK, 2);  // 10 -> 9.5 crosses the step at 9.6
    EXPECT_TRUE(r.quality & OBJ_GRADE_KNOWN);
    EXPECT_EQ(wear_object(r, 8, 1.0, 50), 0);  // grade 2 wears 1.2 times
    EXPECT_NEAR(r.weight, 9.38f, 1e-5);
    ObjectRecord fine = item("Iron sword", "SWORD", 200, 3, 2, 10.0f);
    fine.quality = 5;
    EXPECT_EQ(wear_object(fine, 0, 10.0, 50), 0);
    EXPECT_FLOAT_EQ(fine.weight, 9.5f);
    EXPECT_EQ(fine.quality, 5);  // step 0 keeps the grade
    EXPECT_EQ(wear_object(fine, 0, 90.0, 50), 1);  // at half its weight it gives out
}

// A raider's axe cuts at a warrior's sword: the sword wears 5 %, the
// heavier axe 1 %.
class BreakCheck : public CombatGround {
protected:
    static constexpr int WARRIOR = 3, RAIDER = 4;
    int sword = 0, axe = 0;
    void SetUp() override {
        CombatGround::SetUp();
        sword = store(weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f));
        axe = store(weapon_record("Battle axe", "AXE", 200, 5, 200, 6.0f));
        creature(WARRIOR, 1, "Warrior", PX + 1, PY).wielded = sword;
        creature(RAIDER, 1, "Raider", PX + 2, PY).wielded = axe;
    }
};

TEST_F(BreakCheck, AWornSwordTakesARecordOfItsOwnAndIdenticalSwordsKeepTheirWeight) {
    // The same sword lies in the player's pack and on the ground.
    Plr.plr_inv_id[0] = sword;
    Plr.plr_inv_count[0] = 1;
    const int ground = put_object_on_map(MK_ITEM, PX, PY + 1, sword, 1);
    ASSERT_GE(ground, 0);
    const float whole = Objects[sword - FIRST_INSTANCE_ID].weight;

    EXPECT_STREQ(weapon_clash_damage(axe, sword, ASPECT_CODE_EDGE, 3), "[AD:1] [BD:5]");
    cre_weapon_break_check(RAIDER, 1, ASPECT_CODE_EDGE, 3, WARRIOR, 1);

    const int held = Cre[WARRIOR].wielded;
    ASSERT_NE(held, 0);
    EXPECT_NE(held, sword);
    EXPECT_FLOAT_EQ(Objects[held - FIRST_INSTANCE_ID].weight, whole - 0.15f);
    EXPECT_FLOAT_EQ(Objects[sword - FIRST_INSTANCE_ID].weight, whole);
    EXPECT_EQ(Plr.plr_inv_id[0], sword);
    EXPECT_EQ(Data[ground].DATA, sword);
}

TEST_F(BreakCheck, ThePlayersWornSwordIsSplitOffTheStackItWasHeldFrom) {
    // Two identical swords held as one stack in the first hand.
    ObjectRecord held = Objects[sword - FIRST_INSTANCE_ID];
    held.state_bits = OBJ_IN_FIRST_HAND;
    const int pair = store(held);
    Plr.plr_inv_id[0] = pair;
    Plr.plr_inv_count[0] = 2;
    ASSERT_EQ(cre_wielded_item(-1, 1), pair);
    cre_weapon_break_check(RAIDER, 1, ASPECT_CODE_EDGE, 3, -1, 1);
    const int now = cre_wielded_item(-1, 1);
    ASSERT_NE(now, 0);
    EXPECT_NE(now, pair);
    EXPECT_FLOAT_EQ(Objects[now - FIRST_INSTANCE_ID].weight, 2.85f);
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
    // The other sword keeps its weight and leaves the hand.
    EXPECT_EQ(Plr.plr_inv_count[1], 1);
    const ObjectRecord& rest = Objects[Plr.plr_inv_id[1] - FIRST_INSTANCE_ID];
    EXPECT_FLOAT_EQ(rest.weight, 3.0f);
    EXPECT_EQ(rest.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND), 0);
    EXPECT_FLOAT_EQ(Objects[pair - FIRST_INSTANCE_ID].weight, 3.0f);
}

TEST_F(BreakCheck, NoWeaponWearsWithWeaponDamageOffOrAHandEmpty) {
    weapon_damage = 0;
    cre_weapon_break_check(RAIDER, 1, ASPECT_CODE_EDGE, 3, WARRIOR, 1);
    EXPECT_EQ(Cre[WARRIOR].wielded, sword);
    EXPECT_EQ(Cre[RAIDER].wielded, axe);
    weapon_damage = 1;
    cre_weapon_break_check(RAIDER, 2, ASPECT_CODE_EDGE, 3, WARRIOR, 1);  // nothing in the second hand
    EXPECT_EQ(Cre[WARRIOR].wielded, sword);
    EXPECT_EQ(Cre[RAIDER].wielded, axe);
}

TEST_F(BreakCheck, AWeaponThatGivesOutLeavesTheHandAndIsTold) {
    // A sword worn down to just above half its weight.
    Objects[sword - FIRST_INSTANCE_ID].weight = 1.55f;
    cre_weapon_break_check(RAIDER, 1, ASPECT_CODE_EDGE, 3, WARRIOR, 1);
    EXPECT_EQ(Cre[WARRIOR].wielded, 0);
    EXPECT_NE(Cre[RAIDER].wielded, 0);  // the axe holds, worn a little
    const std::vector<std::string> lines = told();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("breaks!"), std::string::npos) << lines[0];
}

}  // namespace
