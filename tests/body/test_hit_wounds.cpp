// Wounds from a hit: the wound table and its grades, impact and armour, the
// whole hit on the player and on creatures with every effect it sets off,
// and the wound effect checks, falls and fainting.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "base/stubs.h"
#include "body/body_upkeep.h"
#include "body/fighters.h"
#include "body/hit_wounds.h"
#include "body/wound_checks.h"
#include "combat_fixture.h"
#include "objects/item_commands.h"
#include "scripted_draws.h"
#include "society/villages.h"

namespace {

constexpr int WOLF = 5, BEAR = 6, PERSON = 7, BIRD = 8;

// The wound table as the rules give it: per body part the four steps of
// the blunt, cutting, piercing and burning groups.
const char* const table_rows[19] = {
    "yE2 yE3 oK3 rB1K5 | yE1 oE3 rK3 rB1K4 | yE1 oE3 rB1K3 rB1K4 | yE1 oE3 rK3",
    "yE2 oE3 rE4 rB2K4 | yE2 oB1E3 rB1E4 rB2K5 | oE3 oB1E4 rB1K4 rB2K5 | yE2 oE4 rE6",
    "yE1 yE2 oE2 rB1K4 | yE1 oE2 oB1E3 rB2K4 | yE1 oE3 oB1E5 rB1K4 | yE2 oE4 rE5",
    "yE2 yE3 oK3 rB2K4 | yE2 oB1E3 rB2K4 rB4A4 | yE2 oE4 rB1K3 rB3K4 | yE1 oE3 rK3",
    "yF2 yF3 oF5 rB1E4 | yF1 oF3 rB1E3 rB2K3 | yF2 yF3 oF5 rB1E3 | yE1 oE2 rE3",
    "yF3 yF4 oF6 rB1E3 | yF2 oF4 oB1E4 rB1A5 | yF2 yF3 oF4 oB1E3 | yF2E2 oF3E3 rE4",
    "yF4 oF5 rE3 rB1E4 | yF3 oF5 rB1E2 rB1A5 | yF3 oF5 oF6E2 oB1E3 | yF3E1 oF4E2 rE3",
    "yF3 yF4 oF6 rB1E3 | yF2 yF4 oF6 rB1A5 | yF2 yF4 oF5E1 oB1E2 | yF2E2 oF3E3 rE4",
    "yF4 oF5 rE3 rB1E3 | yF3 yF5 oF7 rB1A6 | yF3 yF5 oF6E1 oB1E2 | yF3E1 oF4E2 rE3",
    "yE1 yE2 oE3 rB1K4 | yE1 oE2 rE4 rB1K3 | yE2 oE3 rB1K3 rB1K4 | yE3 oE3 rK4",
    "yE2 oE3 rB1E4 rB2K3 | yE2 oB1E3 rB2E4 rB3E5 | yE2 oB1E3 rB2E5 rB3K3 | yE3 oE4 rE6",
    "yS3 yS4E1 oS5E2 rB1E3 | yS2 oS3E1 rS4E2 rB1E5 | yS2 yS3 oS3E2 rB1E3 | yE2 oE3 rE4",
    "yS4E3 oS5E4 rE5 rB1E6 | yS4E3 yS5E4 oS6E5 rB2A5 | yS4E3 oS5E4 oE5 oB1E6 | yE3 oE4 rE5",
    "yS3 yS4 oS6 rB2E3 | yS2 oS3 rB1E2 rB2A4 | yS2 yS3 oS4E2 rB1E4 | yE2 oE3 rE4",
    "yS4 oS6 rE3 rB2E4 | yS3 oS4E1 rB1E2 rB2A5 | yS3 oS4 oE2 rB1E4 | yE1 oE2 rE3",
    "yS3 yS4 oS6 rB1E3 | yS2 yS3 oS5E2 rB1A5 | yS3 yS4 oS5E1 oB1E4 | yE2 oE3 rE4",
    "yS4 oS5 rE3 rB1E4 | yS2 yS4 oS5E3 rB1A5 | yS2 yS3 oE2 oB1E3 | yE1 oE2 rE3",
    "yS1 yS2 oS4 rS5E3 | yS2 oS3 rS4A3 rB1A5 | yS2 yS3 oS4E2 oB1E3 | yE1 oE2 rE3",
    "yS2 yS3E2 oS4E3 rS5E4 | yS3 yS4 oS5B1 rB2A5 | yS2 yS3 oS4E2 oE3 | yE1 oE2 rE3",
};

TEST(WoundTable, EveryCellIsTheRulesCell) {
    for (int part = 0; part < 19; ++part) {
        std::istringstream in(table_rows[part]);
        for (int group = 0; group < DAMAGE_GROUPS; ++group) {
            for (int step = 0; step < FORCE_STEPS; ++step) {
                std::string cell;
                if (group == 3 && step == 3) {
                    EXPECT_STREQ(wound_table[group][part][step], "") << part;
                    continue;
                }
                in >> cell;
                if (cell == "|") in >> cell;
                EXPECT_EQ(wound_table[group][part][step], cell) << "part " << part << " group " << group << " step " << step;
            }
        }
    }
}

TEST(WoundTable, ForceStepsByGroup) {
    struct Case {
        int group, impact, step;
    } cases[] = {
        {0, 0, -1}, {0, 1, 0}, {0, 6, 0}, {0, 7, 1}, {0, 12, 1}, {0, 13, 2}, {0, 18, 2}, {0, 19, 3},
        {1, 8, 0}, {1, 9, 1}, {1, 12, 1}, {1, 13, 2}, {1, 16, 2}, {1, 17, 3},
        {2, 10, 0}, {2, 11, 1}, {2, 15, 1}, {2, 16, 2}, {2, 20, 2}, {2, 21, 3},
        {3, 10, 0}, {3, 11, 1}, {3, 20, 1}, {3, 21, 2}, {3, 90, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(force_step(c.group, c.impact), c.step) << c.group << "/" << c.impact;
    EXPECT_EQ(damage_group(DAMAGE_BLUNT_ARROW), 0);
    EXPECT_EQ(damage_group(DAMAGE_TEAR), 1);
    EXPECT_EQ(damage_group(DAMAGE_FREEZE), 3);
    EXPECT_EQ(damage_group(42), 0);
}

TEST(WoundTable, GradesCarryTheirEffectsAndDrawTheirPoints) {
    ScriptedDraws draws{9, 0, 4, 4};
    const WoundResult neck = grade_wound(DAMAGE_CUT, 17, PART_NECK);
    EXPECT_EQ(neck.grade, 3);
    EXPECT_EQ(neck.bleeding, 4);
    EXPECT_EQ(neck.amputation_dice, 4);
    EXPECT_EQ(neck.injury_points, 30);
    const WoundResult skull = grade_wound(DAMAGE_BLUNT, 19, PART_SKULL);
    EXPECT_EQ(skull.fatal_dice, 5);
    EXPECT_EQ(skull.shock_dice, 6);
    EXPECT_EQ(skull.bleeding, 1);
    EXPECT_EQ(skull.injury_points, 21);
    EXPECT_EQ(grade_wound(DAMAGE_PIERCE, 3, PART_HAND).injury_points, 5);    // light: 1-10
    EXPECT_EQ(grade_wound(DAMAGE_BURN, 45, PART_ABDOMEN).injury_points, 25);  // burns stop at step 2
    EXPECT_EQ(grade_wound(DAMAGE_BLUNT, 0, PART_SKULL).grade, 0);            // nothing got through
}

TEST(WoundTable, ADeathblowsDiceCountSixEach) {
    ScriptedDraws draws{0, 2};
    EXPECT_EQ(RealImpact(4, 3, 1), 27);
    EXPECT_EQ(RealImpact(2, 1, 0), 1 + 1 + 3);
}

class Hit : public CombatGround {
protected:
    int deaths = 0;
    static inline int* death_count = nullptr;
    void SetUp() override {
        CombatGround::SetUp();
        wolf(WOLF);
        creature(BEAR, 4, "Bear", PX, PY + 1).weight = 240.0f;
        Cre[BEAR].kind = 605;
        creature(PERSON, 1, "Villager", PX - 1, PY);
        creature(BIRD, 21, "Raven", PX, PY - 1).air_state = 100;
        death_count = &deaths;
        saved_death = player_dies_of_wound;
        player_dies_of_wound = [] { ++*death_count; };
        clear_stub_calls();
    }
    void TearDown() override {
        player_dies_of_wound = saved_death;
        CombatGround::TearDown();
    }
    static std::vector<uint8_t> wound_bytes(int c) {
        const auto& w = Cre[c].wounds;
        std::vector<uint8_t> v(&w[0][0], &w[0][0] + sizeof w);
        v.push_back(Cre[c].injury);
        return v;
    }
    void (*saved_death)() = nullptr;
};

TEST_F(Hit, AnImpactNoGreaterThanTheProtectionLeavesTheVictimUnhurt) {
    Cre[WOLF].natural_armour[0] = 5;
    cre_inflict_wound(-1, DAMAGE_BLUNT, 0, PART_THORAX, SIDE_NONE, WOLF);
    cre_inflict_wound(PERSON, DAMAGE_BLUNT, 0, PART_THORAX, SIDE_NONE, -1);
    cre_inflict_wound(WOLF, DAMAGE_BLUNT, 5, PART_THORAX, SIDE_NONE, -1);
    msg_npc = -1;
    const std::string player = text_of("IMPACT_UNHURT");
    msg_npc = PERSON;
    const std::string person = text_of("IMPACT_UNHURT");
    msg_npc = WOLF;
    const std::string wolf_text = text_of("IMPACT_ABSORBED");
    EXPECT_EQ(told(), (std::vector<std::string>{player, person, wolf_text}));
    EXPECT_EQ(Plr.wound_total, 0);
    EXPECT_EQ(Cre[WOLF].injury, 0);
    EXPECT_EQ(Cre[WOLF].LastActionBit, 0);
}

TEST_F(Hit, AWolfsNaturalArmourStandsByTheKindOfDamage) {
    for (int k = 0; k < 7; ++k) Cre[WOLF].natural_armour[k] = uint8_t(10 + k);
    EXPECT_EQ(cre_armour_at(WOLF, PART_THORAX, DAMAGE_CUT), 12);
    EXPECT_EQ(cre_armour_at(WOLF, PART_THORAX, DAMAGE_PIERCE), 14);
    EXPECT_EQ(cre_armour_at(WOLF, PART_THORAX, DAMAGE_BURN), 15);
    EXPECT_EQ(cre_armour_at(WOLF, PART_THORAX, DAMAGE_FREEZE), 15);
    EXPECT_EQ(cre_armour_at(WOLF, PART_THORAX, DAMAGE_BLUNT_ARROW), 10);
    EXPECT_EQ(cre_armour_at(WOLF, PART_EYE, DAMAGE_CUT), 0);  // nothing covers an eye
}

TEST_F(Hit, ABeheadingKillsWhateverTheEndurance) {
    Cre[WOLF].attr_end = 200;
    // A grievous cut to the neck (points 21 + 9): four amputation dice of
    // six beat a 40 kg wolf's 4; the 99 fatal dice then count its
    // endurance as nothing.
    ScriptedDraws draws{9, 5, 5, 5, 5};
    draws.add(0, 99);
    cre_inflict_wound(WOLF, DAMAGE_CUT, 17, PART_NECK, SIDE_NONE, -1);
    EXPECT_EQ(Cre[WOLF].move_mode, MOVE_MODE_DEAD);
    EXPECT_EQ(Cre[WOLF].wounds[CW_BLEEDING][0], 4);  // already at the top
    EXPECT_EQ(draws.left(), 0u);
    // The player's fatal wound is told and ends the game.
    ScriptedDraws player_draws;
    player_draws.add(0, 99);
    EXPECT_EQ(cre_fatal_wound_check(-1, 99), 1);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(Plr.cause_of_death, -106);
}

TEST_F(Hit, ABluntArrowOnAHeavyBeastIsALightWoundThatNeverKills) {
    // A crushing blow to the skull (rB1K5) from a blunt arrow: on 240 kg it
    // is a light wound of at most 5 points, no bleeding, no fatal dice;
    // six shock dice stay (all sixes: the bear is knocked out).
    ScriptedDraws draws{9};
    draws.add(5, 6);
    cre_inflict_wound(BEAR, DAMAGE_BLUNT_ARROW, 25, PART_SKULL, SIDE_NONE, -1);
    EXPECT_EQ(Cre[BEAR].wounds[CW_SEVERITY][0], 1);
    EXPECT_EQ(Cre[BEAR].wounds[CW_BLEEDING][0], 0);
    EXPECT_EQ(Cre[BEAR].injury, 5);
    EXPECT_NE(Cre[BEAR].move_mode, MOVE_MODE_DEAD);
    EXPECT_EQ(Cre[BEAR].body_state, BODY_FAINTED);
    EXPECT_EQ(draws.left(), 0u);
}

TEST_F(Hit, ShockDiceStayTheCellsWithoutAmputationDice) {
    // A serious cut to the abdomen (oB1E3): three shock dice, not four.
    ScriptedDraws draws{0, 0, 0, 0};
    cre_inflict_wound(PERSON, DAMAGE_CUT, 10, PART_ABDOMEN, SIDE_NONE, -1);
    EXPECT_EQ(draws.left(), 0u);
    EXPECT_EQ(Cre[PERSON].wounds[CW_BLEEDING][0], 1);
}

TEST_F(Hit, NoStumbleDiceNoFallNoAdvantage) {
    // A bruise to the chest (yE1): no stumble dice, nobody gains.
    ScriptedDraws draws{0, 0};
    cre_inflict_wound(WOLF, DAMAGE_BLUNT, 4, PART_THORAX, SIDE_NONE, -1);
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);
    // A bruise to a leg (yS3) of a wolf already down: no second fall, no
    // advantage either.
    Cre[WOLF].body_state = BODY_FALLEN;
    ScriptedDraws again{0};
    cre_inflict_wound(WOLF, DAMAGE_BLUNT, 4, PART_THIGH, SIDE_LEFT, -1);
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);
    EXPECT_EQ(again.left(), 0u);
}

TEST_F(Hit, TheNoDamageSwitchChangesNoWoundByte) {
    no_damage_switch = 1;
    const std::vector<uint8_t> before = wound_bytes(WOLF);
    ScriptedDraws draws{9, 0, 0, 0, 0};
    cre_inflict_wound(WOLF, DAMAGE_CUT, 14, PART_ABDOMEN, SIDE_NONE, -1);
    EXPECT_EQ(wound_bytes(WOLF), before);
    EXPECT_EQ(cre_record_wound(-1, DAMAGE_CUT, 2, PART_HAND, SIDE_LEFT, 12, 1), -1);
    EXPECT_EQ(Plr.wound_total, 0);
}

TEST_F(Hit, WoundBytesSaturateAndACrowdedBodyAddsToAWoundLikeIt) {
    CreatureRecord& w = Cre[WOLF];
    for (int s = 0; s < WOUND_SLOTS; ++s) {
        w.wounds[CW_KIND][s] = WOUND_BITE;
        w.wounds[CW_SEVERITY][s] = 1;
        w.wounds[CW_PART][s] = PART_THIGH;
        w.wounds[CW_SIDE][s] = SIDE_LEFT;
        w.wounds[CW_DAMAGE][s] = 200;
    }
    w.wounds[CW_PART][7] = PART_NECK;
    w.wounds[CW_SIDE][7] = SIDE_NONE;
    w.injury = 250;
    EXPECT_EQ(cre_record_wound(WOLF, DAMAGE_TEAR, 2, PART_NECK, SIDE_NONE, 70, 0), 7);
    EXPECT_EQ(w.wounds[CW_DAMAGE][7], 255);
    EXPECT_EQ(w.injury, 255);
    // Kinds that name no wound are refused.
    EXPECT_EQ(cre_record_wound(WOLF, 8, 2, PART_NECK, SIDE_NONE, 70, 0), -1);
    EXPECT_EQ(cre_record_wound(WOLF, 9, 2, PART_NECK, SIDE_NONE, 70, 0), -1);
}

TEST_F(Hit, ThePlayersWoundKeepsWhoDidItAndBleeds) {
    // A wolf's serious bite in the left thigh (oS3): 14 points; three
    // stumble dice the player's agility withstands.
    ScriptedDraws draws{3, 0, 0, 0};
    cre_inflict_wound(-1, DAMAGE_TEAR, 10, PART_THIGH, SIDE_LEFT, WOLF);
    EXPECT_EQ(Plr.wounds[PW_KIND][0], WOUND_BITE);
    EXPECT_EQ(Plr.wounds[PW_SIDE][0], SIDE_LEFT);
    EXPECT_EQ(Plr.wound_total, 14);
    EXPECT_EQ(Plr.knockout_ref, int32_t(Cre[WOLF].sotu));
    // A grievous cut to the abdomen bleeds hard (3) and tells it so.
    told();
    ScriptedDraws deep{2, 0, 0, 0, 0, 0};
    cre_inflict_wound(-1, DAMAGE_CUT, 20, PART_ABDOMEN, SIDE_NONE, WOLF);
    EXPECT_EQ(Plr.wounds[PW_BLEEDING][1], 3);
    EXPECT_EQ(Plr.cause_of_bleeding, WOLF);
    msg_npc = -1;
    const std::vector<std::string> lines = told();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], text_of("BLEEDING_HARD"));
}

TEST_F(Hit, AVenomousBitePoisonsOnce) {
    Cre[WOLF].kind = 622;
    ScriptedDraws draws{0, 1, 2};  // points 1, poison strength 4 and damage 5
    cre_inflict_wound(-1, DAMAGE_TEAR, 2, PART_HAND, SIDE_LEFT, WOLF);
    int poisoned = -1;
    for (int s = 0; s < WOUND_SLOTS; ++s)
        if (Plr.wounds[PW_KIND][s] == 23) poisoned = s;
    ASSERT_GE(poisoned, 0);
    EXPECT_EQ(Plr.wounds[PW_SEVERITY][poisoned], 4);
    EXPECT_EQ(Plr.wounds[PW_DAMAGE][poisoned], 5);
    ScriptedDraws second{0, 0};
    cre_inflict_wound(-1, DAMAGE_TEAR, 2, PART_HAND, SIDE_LEFT, WOLF);
    int poisons = 0;
    for (int s = 0; s < WOUND_SLOTS; ++s) poisons += Plr.wounds[PW_KIND][s] == 23;
    EXPECT_EQ(poisons, 1);
}

TEST_F(Hit, AHarmlessHurtNeverKillsNorMakesACreatureBleed) {
    // The skull, grievously (rB1K5): no bleeding, no fatal dice; the shock
    // dice of a harmless hurt still roll.
    ScriptedDraws draws{0, 0, 0, 0, 0, 0, 0};
    cre_inflict_wound(WOLF, DAMAGE_BLUNT, 25, PART_SKULL, SIDE_NONE, INFLICTER_HARMLESS);
    EXPECT_EQ(Cre[WOLF].wounds[CW_BLEEDING][0], 0);
    EXPECT_NE(Cre[WOLF].move_mode, MOVE_MODE_DEAD);
    EXPECT_EQ(draws.left(), 0u);
}

TEST_F(Hit, AVillagerWhoBearsAGrudgeIsCountedAgainstItsVillage) {
    reset_villages();
    Cre[PERSON].lauma = 77;
    // A villager who keeps to no society (map_flags 0x04) is nobody's: the
    // hit looks up no village.
    constexpr uint8_t OUT_OF_SOCIETIES = 0x04;
    Cre[PERSON].map_flags |= OUT_OF_SOCIETIES;
    {
        ScriptedDraws draws{0, 0};  // a light bruise and its one shock die
        cre_inflict_wound(-1, DAMAGE_BLUNT, 4, PART_THORAX, SIDE_NONE, PERSON);
    }
    EXPECT_EQ(cur_village_id, NO_VILLAGE);
    // A member of its village: the hit finds the village, and without a
    // grudge counts no assault.
    Cre[PERSON].map_flags &= uint8_t(~OUT_OF_SOCIETIES);
    {
        ScriptedDraws draws{0, 0};
        cre_inflict_wound(-1, DAMAGE_BLUNT, 4, PART_THORAX, SIDE_NONE, PERSON);
    }
    EXPECT_EQ(cur_village_id, 77);
    EXPECT_EQ(CurVillage.assaults, 0);
    Cre[PERSON].bfagg = 0x04;
    Plr.total_minutes = 5000;
    village_member_hurt_player(PERSON);
    EXPECT_EQ(CurVillage.assaults, 1);
    EXPECT_EQ(CurVillage.incident_flag, 1);
    EXPECT_EQ(CurVillage.incident_day, Plr.days_played);
    EXPECT_EQ(CurVillage.incident_minute, 5000);
    reset_villages();
}

// ------------------------------------------------------------ the checks

using Checks = Hit;

TEST_F(Checks, AVictimAlreadyDownDoesNotStumbleAgain) {
    Plr.body_state = BODY_FALLEN;
    ScriptedDraws none;
    EXPECT_EQ(cre_stumble_check(-1, 6, 1), 0);
    EXPECT_TRUE(told().empty());
    EXPECT_EQ(cre_stumble_check(WOLF, 0, 0), 1);  // a standing one could still stumble
}

TEST_F(Checks, ASkierKeepsHalfHisAgility) {
    Plr.agi = 14;
    Plr.travel_mode = 7;
    ScriptedDraws draws{1, 2};  // 2 + 3 = 5 against 7: he keeps his feet
    EXPECT_EQ(cre_stumble_check(-1, 2, 0), 0);
    ScriptedDraws more{2, 2};  // 3 + 3 = 6 against 7
    EXPECT_EQ(cre_stumble_check(-1, 2, 0), 0);
    ScriptedDraws falls{3, 3};  // 8 against 7
    EXPECT_EQ(cre_stumble_check(-1, 2, 1), 1);
    EXPECT_EQ(Plr.body_state, BODY_FALLEN);
}

TEST_F(Checks, AnEightyKiloCreatureLosesALimbOnlyToNineOrMore) {
    Cre[PERSON].weight = 80.0f;
    struct Case {
        int a, b, lost;
    } cases[] = {{2, 3, 0}, {3, 3, 0}, {4, 3, 1}, {3, 4, 1}, {5, 5, 1}};
    for (const Case& c : cases) {
        ScriptedDraws draws{c.a, c.b};
        EXPECT_EQ(cre_amputation_check(PERSON, 2), c.lost) << c.a + 1 << "+" << c.b + 1;
    }
}

TEST_F(Checks, AnUnpairedPartDropsNothingAndEmptyHandsNeverFumble) {
    const int sword = store(weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f));
    Cre[PERSON].wielded = sword;
    Cre[PERSON].attr_dex = 0;
    ScriptedDraws draws{5};
    EXPECT_EQ(cre_fumble_check(PERSON, 1, SIDE_NONE), 1);
    EXPECT_EQ(Cre[PERSON].wielded, sword);
    ScriptedDraws second{5};
    EXPECT_EQ(cre_fumble_check(PERSON, 1, 1), 1);
    EXPECT_EQ(Cre[PERSON].wielded, 0);
    // The sword lies at the villager's feet.
    const int dropped = find_map_object(MK_ITEM, PX - 1, PY);
    ASSERT_GE(dropped, 0);
    ObjectRecord lying;
    EXPECT_STREQ(obj_record(Data[dropped].DATA, lying).name, "Iron sword");
    EXPECT_EQ(Data[dropped].amount, 1);
    // Nothing held, no roll and no fumble.
    ScriptedDraws none;
    EXPECT_EQ(cre_fumble_check(-1, 4, 1), 0);
    EXPECT_EQ(cre_fumble_check(WOLF, 4, 1), 0);
}

TEST_F(Checks, ThePlayerDropsTheWeaponAtHisFeet) {
    ObjectRecord r = weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f);
    r.state_bits = OBJ_IN_FIRST_HAND;
    Plr.plr_inv_id[0] = store(weapon_record("Knife", "KNIFE", 200, 2, 2, 0.5f));
    Plr.plr_inv_count[0] = 1;
    Plr.plr_inv_id[1] = store(r);
    Plr.plr_inv_count[1] = 1;
    Plr.dex = 0;
    ScriptedDraws draws{5};
    EXPECT_EQ(cre_fumble_check(-1, 1, SIDE_RIGHT), 1);
    EXPECT_EQ(cre_wielded_item(-1, 1), 0);
    EXPECT_EQ(Plr.plr_inv_count[1], 0);
    const int lying = find_map_object(MK_ITEM, PX, PY);
    ASSERT_GE(lying, 0);
    ObjectRecord dropped;
    obj_record(Data[lying].DATA, dropped);
    EXPECT_STREQ(dropped.name, "Iron sword");
    EXPECT_EQ(dropped.state_bits & OBJ_IN_FIRST_HAND, 0);
    const std::vector<std::string> lines = told();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("drop your iron sword"), std::string::npos) << lines[0];
}

TEST_F(Checks, ABirdHitInTheAirDropsToTheGround) {
    cre_fall_down(BIRD, 0);
    EXPECT_EQ(Cre[BIRD].air_state, 0);
    EXPECT_EQ(Cre[BIRD].body_state, BODY_UPRIGHT);
    msg_npc = BIRD;
    EXPECT_EQ(told(), (std::vector<std::string>{text_of("DO_DROP_DOWN")}));
    Cre[BIRD].cre_class = 11;  // a snake never falls
    Cre[BIRD].air_state = 0;
    cre_fall_down(BIRD, 1);
    EXPECT_EQ(Cre[BIRD].body_state, BODY_UPRIGHT);
}

TEST_F(Checks, AShockKnocksOutOrMakesACreatureCryOut) {
    ScriptedDraws pain{0, 0};  // 2 against endurance 12
    EXPECT_EQ(cre_shock_check(PERSON, 2, 1), 0);
    msg_npc = PERSON;
    EXPECT_EQ(told(), (std::vector<std::string>{text_of("SOUND_PAIN")}));
    const int sword = store(weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f));
    Cre[PERSON].wielded = sword;
    ScriptedDraws out{5, 5, 5};
    EXPECT_EQ(cre_shock_check(PERSON, 3, 1), 1);
    EXPECT_EQ(Cre[PERSON].body_state, BODY_FAINTED);
    EXPECT_EQ(Cre[PERSON].wielded, 0);  // it drops what it held
    const std::vector<std::string> lines = told();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], text_of("FALL_UNCONSCIOUS"));
    // Knocked out already, it faints no further and cries no more.
    ScriptedDraws again{5, 5, 5};
    EXPECT_EQ(cre_shock_check(PERSON, 3, 1), 1);
    EXPECT_TRUE(told().empty());
}

TEST_F(Checks, AFaintedPlayerComesToLyingDownAfterTheEpisode) {
    Plr.bodytemp = 37;
    skip_message_pauses = true;
    EXPECT_EQ(cre_faint(-1), 1);
    EXPECT_EQ(Plr.body_state, BODY_FAINTED);
    EXPECT_FALSE(skip_message_pauses);  // the pause is forced back on
    messages_suppressed = true;
    plr_unconscious_sequence();
    messages_suppressed = false;
    EXPECT_EQ(quit_state, 0);
    EXPECT_EQ(Plr.body_state, BODY_FALLEN);
}

}  // namespace
