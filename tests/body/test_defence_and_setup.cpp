// Before the dice: how a defender meets an attack (a creature by its
// skills, the player from the "Defense Maneuver" menu), how an attack is
// set up (aspect, dice, damage kind, skill and aim, the "Weapon Aspect" and
// "Aiming Zone" menus), and the tests that sort weapons.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "body/attack_setup.h"
#include "body/defence_choice.h"
#include "body/fighters.h"
#include "body/weapon_tests.h"
#include "combat_fixture.h"
#include "scripted_draws.h"
#include "support/key_script.h"
#include "support/screen_session.h"
#include "ui/input.h"
#include "ui/menus.h"

namespace {

constexpr int PERSON = 7, WOLF = 5;
constexpr uint8_t ATTACKING = 99;

// The creatures stand next to the player and face it.
class Defence : public CombatGround {
protected:
    void SetUp() override {
        CombatGround::SetUp();
        CreatureRecord& p = creature(PERSON, 1, "Warrior", PX + 1, PY);
        p.Suunta = 4;  // west, toward the player
        p.move_mode = ATTACKING;
        CreatureRecord& w = wolf(WOLF, PX - 1, PY);
        w.Suunta = 0;  // east
        w.dodge = 30;
        combat.attacker = -1;
        clear_attack_option(combat.attack_option);
        combat.attack_option.option_kind = OPTION_MELEE;
        combat.attack_option.hand = 1;
    }
    // The player answers through the whole choice; a creature as one that
    // is awake and sees its attacker (the sight of creatures comes later).
    static int defend(int defender, bool aggressive = false) {
        combat.defender = defender;
        if (defender == -1) NPCdefend();
        else creature_meets_attack(defender, aggressive);
        return combat.work_option.option_kind;
    }
    int shield(int defence_class) {
        ObjectRecord r = weapon_record("Buckler", "SHIELD", 1, 200, 200, 3.0f, uint8_t(defence_class << 4 | 1));
        return store(r);
    }
};

TEST_F(Defence, ACreatureWithoutDodgeNeverDefends) {
    Cre[PERSON].dodge = 0;
    Cre[PERSON].shield = shield(3);
    EXPECT_EQ(defend(PERSON, true), DEFENCE_NONE);
    EXPECT_FALSE(Cre[PERSON].LastActionBit & ACTION_DEFENDED);
}

TEST_F(Defence, ACalmWolfTakesTheBlowAnAggressiveOrFleeingOneDodges) {
    // Standing about, it makes no active defence even when aggressive.
    EXPECT_EQ(defend(WOLF, true), DEFENCE_NONE);
    Cre[WOLF].move_mode = ATTACKING;
    EXPECT_EQ(defend(WOLF, false), DEFENCE_NONE);
    EXPECT_FALSE(Cre[WOLF].LastActionBit & ACTION_DEFENDED);
    EXPECT_EQ(defend(WOLF, true), DEFENCE_DODGE);
    EXPECT_STREQ(combat.work_option.skill_name, "DODGE");
    EXPECT_EQ(combat.work_option.weapon_class, 2);
    EXPECT_EQ(combat.work_option.origin_x, PX - 1);
    EXPECT_TRUE(Cre[WOLF].LastActionBit & ACTION_DEFENDED);
    Cre[WOLF].move_mode = 4;  // fleeing
    EXPECT_EQ(defend(WOLF, false), DEFENCE_DODGE);
}

TEST_F(Defence, AShieldAloneBlocksAboutTwoThirdsOfTheTimeAndNeverStrikesBack) {
    CreatureRecord& p = Cre[PERSON];
    p.dodge = 40;
    p.shield = shield(3);
    copy_text(p.skill_slot_name[1], sizeof p.skill_slot_name[1], "SHIELD");
    p.skill_slot_level[1] = 50;
    seed_random(7);
    constexpr int calls = 200000;
    int blocks = 0, others = 0;
    for (int i = 0; i < calls; ++i) {
        const int kind = defend(PERSON, true);
        if (kind == DEFENCE_BLOCK) ++blocks;
        else if (kind != DEFENCE_DODGE) ++others;
    }
    EXPECT_NEAR(double(blocks) / calls, 0.685, 0.005);
    EXPECT_EQ(others, 0);
    EXPECT_EQ(combat.work_option.hand, 2);
}

TEST_F(Defence, AMissileIsMetOnlyByACreatureOnTheMove) {
    combat.attack_option.option_kind = OPTION_MISSILE;
    Cre[WOLF].move_mode = ATTACKING;
    EXPECT_EQ(defend(WOLF), DEFENCE_NONE);  // it has neither attacked nor moved
    Cre[WOLF].LastActionBit = ACTION_ATTACKED;
    EXPECT_EQ(defend(WOLF), DEFENCE_MISSILE_DODGE);
    EXPECT_EQ(missile_dodge_kind, 1);
    EXPECT_STREQ(combat.work_option.skill_name, "MOVEDODGE");
    Cre[WOLF].LastActionBit = ACTION_ATTACKED | ACTION_MOVED;
    defend(WOLF);
    EXPECT_EQ(missile_dodge_kind, 2);
    combat.attacker = WOLF;
    EXPECT_EQ(defend(-1), DEFENCE_NONE);  // the player never dodges a missile so
}

// ------------------------------------------------------------ the setup

using AttackSetup = Defence;

TEST_F(AttackSetup, AFineWeaponRollsOneMoreDieACrudeOneLessAboveTwo) {
    struct Case {
        int grade, value, dice;
    } cases[] = {{5, 3, 4}, {4, 1, 2}, {3, 3, 3}, {0, 3, 3}, {2, 3, 2}, {1, 2, 2}, {1, 5, 4}};
    for (const Case& c : cases) {
        ObjectRecord r = weapon_record("Sword", "SWORD", 200, uint8_t(c.value), 200, 3.0f);
        r.quality = uint8_t(c.grade);
        const int id = store(r);
        Cre[PERSON].wielded = id;
        ScriptedDraws draws{0, 0, 0};  // the aspect (one to draw from), the part struck
        ASSERT_EQ(cre_prepare_attack(id, PERSON, 1, -1, 0), 1);
        EXPECT_EQ(combat.work_option.max_dice, c.dice) << c.grade << "/" << c.value;
        EXPECT_EQ(combat.work_option.damage_kind, DAMAGE_CUT);
        EXPECT_STREQ(combat.work_option.aspect_text, "EDGE");
    }
}

TEST_F(AttackSetup, AYoungWolfsBiteIsWeaker) {
    ScriptedDraws draws{50, 50};
    ASSERT_EQ(cre_prepare_attack(0, WOLF, 0, -1, 0), 1);
    EXPECT_EQ(combat.work_option.max_dice, 3);
    EXPECT_EQ(combat.work_option.impact_cap, 10);
    EXPECT_EQ(combat.work_option.skill_level, 40);
    EXPECT_EQ(combat.work_option.damage_kind, DAMAGE_TEAR);
    EXPECT_STREQ(combat.work_option.aspect_text, "BITE");
    Cre[WOLF].birth_day = -150;  // five months old
    ScriptedDraws cub{50, 50};
    ASSERT_EQ(cre_prepare_attack(0, WOLF, 0, -1, 0), 1);
    EXPECT_EQ(combat.work_option.max_dice, 1);
    EXPECT_EQ(combat.work_option.impact_cap, 3);
    EXPECT_EQ(combat.work_option.skill_level, 10);
    EXPECT_TRUE(Cre[WOLF].LastActionBit & ACTION_ATTACKED);
}

TEST_F(AttackSetup, ACreatureAimsLowFromTheGroundAndAtSmallTargets) {
    ScriptedDraws draws{50};
    cre_prepare_attack(0, WOLF, 0, PERSON, 0);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_BODY);
    EXPECT_EQ(combat.work_option.zone_penalty, 0);
    Cre[WOLF].body_state = BODY_FALLEN;
    ScriptedDraws low{50, 0};
    cre_prepare_attack(0, WOLF, 0, PERSON, 0);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_LEGS);
    EXPECT_EQ(combat.work_option.zone_penalty, 1);
    Cre[WOLF].body_state = BODY_UPRIGHT;
    Cre[PERSON].stature = 3;
    ScriptedDraws small{50, 0};
    cre_prepare_attack(0, WOLF, 0, PERSON, 0);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_LEGS);
}

TEST_F(AttackSetup, HelplessTargetsAndNaturalAttacks) {
    EXPECT_EQ(cre_target_helpless(-1, WOLF), 0);
    Cre[WOLF].move_mode = MOVE_MODE_ASLEEP;
    EXPECT_EQ(cre_target_helpless(-1, WOLF), 1);
    Cre[WOLF].move_mode = 0;
    Cre[WOLF].cre_status = CRE_STATUS_TIED;
    EXPECT_EQ(cre_target_helpless(-1, WOLF), 2);
    EXPECT_EQ(cre_target_helpless(PERSON, WOLF), 0);  // only the player butchers a leashed animal
    Plr.body_state = BODY_SHOCKED;
    EXPECT_EQ(cre_target_helpless(WOLF, -1), 1);

    CreatureRecord& w = Cre[WOLF];
    copy_text(w.attack_name[2], sizeof w.attack_name[2], "claw");
    ScriptedDraws draws{1, 0};
    EXPECT_EQ(cre_choose_natural_attack(WOLF), 2);  // among slots 0 and 2
    EXPECT_EQ(cre_choose_natural_attack(WOLF), 0);
    std::memset(w.attack_name, 0, sizeof w.attack_name);
    EXPECT_EQ(cre_choose_natural_attack(WOLF), 1000);
}

// ------------------------------------------------------------ item tests

TEST(WeaponTests, LaunchersHandWeaponsAndThrowingWeapons) {
    struct Case {
        const char* name;
        const char* skill;
        uint8_t cls, sub;
        bool launcher, hand, thrown;
    } cases[] = {
        {"Short bow", "BOW", ITEM_WEAPON, 0, true, false, false},
        {"Sling", "SLING", ITEM_WEAPON, SUBCLASS_LAUNCHER, true, false, false},
        {"Arrow", "BOW", ITEM_WEAPON, SUBCLASS_MISSILE, false, false, true},
        {"Iron sword", "SWORD", ITEM_WEAPON, 0, false, true, true},
        {"Quarterstaff", "STAFF", ITEM_WEAPON, 0, false, true, false},
        {"Rock", "THROWING", ITEM_WEAPON, 0, false, false, false},
        {"Stone", "THROWING", ITEM_WEAPON, 0, false, false, false},
        {"Stone axe", "AXE", ITEM_WEAPON, 0, false, true, true},
        {"Crossbow maker's tools", "BOW", ITEM_TOOL, 0, false, false, false},
    };
    for (const Case& c : cases) {
        ObjectRecord r = CombatGround::weapon_record(c.name, c.skill, 2, 2, 2, 2.0f);
        r.item_class = c.cls;
        r.subclass = c.sub;
        EXPECT_EQ(obj_is_missile_weapon(r), c.launcher) << c.name;
        EXPECT_EQ(obj_is_hand_weapon(r), c.hand) << c.name;
        EXPECT_EQ(obj_is_throwing_weapon(r), c.thrown) << c.name;
    }
}

TEST(WeaponTests, GoodsCategoriesGoByTheFirstFlag) {
    ObjectRecord dagger = CombatGround::weapon_record("Dagger", "DAGGER", 200, 3, 3, 1.0f);
    ObjectRecord bow = CombatGround::weapon_record("Bow", "BOW", 1, 200, 200, 2.0f);
    ObjectRecord trident = CombatGround::weapon_record("Fish trident", "SPEAR", 200, 200, 4, 4.0f);
    ObjectRecord coat = CombatGround::weapon_record("Coat", "", 200, 200, 200, 4.0f);
    coat.item_class = ITEM_ARMOUR;
    EXPECT_TRUE(obj_matches_goods_category(0x400, dagger));
    EXPECT_FALSE(obj_matches_goods_category(0x400, bow));
    EXPECT_TRUE(obj_matches_goods_category(0x20, bow));
    EXPECT_FALSE(obj_matches_goods_category(0x20, dagger));      // no missile, and nothing further asked
    EXPECT_TRUE(obj_matches_goods_category(0x20 | 0x02, dagger));  // ... but any weapon counts
    EXPECT_TRUE(obj_matches_goods_category(0x10, trident));
    EXPECT_TRUE(obj_matches_goods_category(0x100, coat));
    EXPECT_FALSE(obj_matches_goods_category(0x02, coat));
    EXPECT_FALSE(obj_matches_goods_category(0, dagger));
}

TEST(WeaponTests, TheStrongestAspectAndTheBetterWeapon) {
    ObjectRecord r = CombatGround::weapon_record("Spear", "SPEAR", 3, 4, 4, 4.0f);
    ScriptedDraws draws{0};
    const AspectChoice a = record_attack_aspects(r);
    EXPECT_EQ(a.best_value, 4);
    EXPECT_EQ(a.best_index, ASPECT_INDEX_POINT);  // the later of equals
    EXPECT_EQ(a.best_code, ASPECT_CODE_POINT);
    EXPECT_EQ(a.random_index, ASPECT_INDEX_BLUNT);
    EXPECT_EQ(a.attack_class, 1);
    reset_object_store();
    const int spear = obj_store_new(r);
    const int knife = obj_store_new(CombatGround::weapon_record("Knife", "KNIFE", 200, 4, 2, 1.0f));
    const int club = obj_store_new(CombatGround::weapon_record("Club", "CLUB", 3, 200, 200, 4.0f));
    EXPECT_EQ(obj_better_weapon(spear, knife), 2);
    EXPECT_EQ(obj_better_weapon(spear, club), 1);
    reset_object_store();
}

// ------------------------------------------------------------ the menus

// The player's choices on a real window: keys go through the list reader.
class PlayerChoice : public Defence {
protected:
    static inline std::unique_ptr<ScreenSession> screen;
    static void SetUpTestSuite() {
        Defence::SetUpTestSuite();
        screen = std::make_unique<ScreenSession>();
    }
    static void TearDownTestSuite() {
        screen.reset();
        Defence::TearDownTestSuite();
    }
    // The hot keys the last command menu offered, an empty row as ' '.
    static std::string offered() {
        std::string keys;
        for (int i = 0; i < menu_count; ++i) keys += menu_entries[i].hot_key == -1 ? ' ' : char(menu_entries[i].hot_key);
        return keys;
    }
    // The player holds an item in a hand (an instance marked as held).
    int hold(int hand, ObjectRecord r) {
        r.state_bits = hand == 1 ? OBJ_IN_FIRST_HAND : OBJ_IN_SECOND_HAND;
        const int id = store(r);
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (Plr.plr_inv_id[s] == 0) {
                Plr.plr_inv_id[s] = id;
                Plr.plr_inv_count[s] = 1;
                break;
            }
        return id;
    }
};

TEST_F(PlayerChoice, ASwordCannotBlockBareHandsButCanStrikeBack) {
    hold(1, weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f, 0x33));
    combat.attacker = WOLF;
    combat.attack_option.hand = 0;
    {
        QueuedKeys keys{KEY_ESC};
        EXPECT_EQ(defend(-1), DEFENCE_NONE);
    }
    EXPECT_EQ(offered(), "D1I ?");
    combat.attack_option.hand = 1;
    {
        QueuedKeys keys{'1'};
        EXPECT_EQ(defend(-1), DEFENCE_COUNTERSTRIKE);
    }
    EXPECT_EQ(offered(), "DB1I ?");
    EXPECT_EQ(combat.work_option.armed, 1);
    EXPECT_EQ(combat.work_option.hand, 1);
    EXPECT_EQ(combat.work_option.weapon_class, 3);
}

TEST_F(PlayerChoice, TheShieldBlocksAndTheSwordStrikesBack) {
    hold(1, weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f, 0x33));
    hold(2, weapon_record("Roundshield", "SHIELD", 2, 200, 200, 6.0f, 0x61));
    combat.attacker = WOLF;
    combat.attack_option.hand = 0;
    {
        QueuedKeys keys{'B'};
        EXPECT_EQ(defend(-1), DEFENCE_BLOCK);
    }
    EXPECT_EQ(offered(), "DB1I ?");
    EXPECT_EQ(combat.work_option.hand, 2);
    EXPECT_EQ(combat.work_option.weapon_class, 6);
    EXPECT_STREQ(combat.work_option.skill_name, "SHIELD");
    {
        QueuedKeys keys{'D'};
        EXPECT_EQ(defend(-1), DEFENCE_DODGE);
    }
    {
        QueuedKeys keys{'I'};
        EXPECT_EQ(defend(-1), DEFENCE_NONE);
    }
}

TEST_F(PlayerChoice, APointOnlySpearSkipsTheAspectAndTheAimIsChosen) {
    const int spear = store(weapon_record("Spear", "SPEAR", 200, 200, 5, 4.0f));
    QueuedKeys keys{'H'};
    ScriptedDraws draws{0, 0};  // the aspect's draw, the part struck
    ASSERT_EQ(cre_prepare_attack(spear, -1, 1, WOLF, 0), 1);
    EXPECT_EQ(keys.left(), 0u);  // one menu only: the aim
    EXPECT_EQ(combat.work_option.aspect_index, ASPECT_INDEX_POINT);
    EXPECT_EQ(combat.work_option.max_dice, 5);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_HEAD);
    EXPECT_EQ(combat.work_option.zone_penalty, 1);
    EXPECT_EQ(combat.work_option.hit_part, PART_SKULL);
    // The repeat key reuses the aim while the target stays as it was.
    combat.repeat_attack = 1;
    QueuedKeys none;
    ScriptedDraws again{0, 0};
    ASSERT_EQ(cre_prepare_attack(spear, -1, 1, WOLF, 0), 1);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_HEAD);
}

TEST_F(PlayerChoice, AnAspectIsChosenAndEscapeCancelsWithoutTime) {
    const int sword = store(weapon_record("Iron sword", "SWORD", 1, 3, 2, 3.0f));
    {
        QueuedKeys keys{'P', 'L'};
        ScriptedDraws draws{0, 0, 0};  // the aspect's draw, the part and its side
        ASSERT_EQ(cre_prepare_attack(sword, -1, 1, WOLF, 0), 1);
        EXPECT_EQ(offered(), "BHAL");  // the aim menu was the last
        EXPECT_EQ(combat.work_option.aspect_index, ASPECT_INDEX_POINT);
        EXPECT_EQ(combat.work_option.damage_kind, DAMAGE_PIERCE);
        EXPECT_EQ(combat.work_option.aim_zone, ZONE_LEGS);
    }
    turn_time_state = TURN_ONE_TURN;
    {
        QueuedKeys keys{'E', KEY_ESC};
        ScriptedDraws draws{0};
        EXPECT_EQ(cre_prepare_attack(sword, -1, 1, WOLF, 0), 0);
        EXPECT_EQ(turn_time_state, TURN_NO_TIME);
    }
}

TEST_F(PlayerChoice, AnArrowFromTheBowStrikesWithItsBestAspectUnderItsCap) {
    const int bow = store(weapon_record("Short bow", "BOW", 1, 200, 200, 2.0f));
    ObjectRecord a = weapon_record("Arrow", "BOW", 200, 4, 2, 0.1f);
    a.subclass = SUBCLASS_MISSILE;
    const int arrow = store(a);
    QueuedKeys keys{'B'};
    ScriptedDraws draws{0, 50};
    ASSERT_EQ(cre_prepare_attack(arrow, -1, 1, WOLF, bow), 1);
    EXPECT_EQ(combat.work_option.option_kind, OPTION_MISSILE);
    EXPECT_EQ(combat.work_option.is_shot, 1);
    EXPECT_EQ(combat.work_option.aspect_index, ASPECT_INDEX_EDGE);
    EXPECT_EQ(combat.work_option.impact_cap, 20);
    EXPECT_STREQ(combat.work_option.aspect_text, "SHOOT");
}

TEST_F(PlayerChoice, AThrowerAimsAroundThePlayersShield) {
    hold(2, weapon_record("Roundshield", "SHIELD", 2, 200, 200, 6.0f, 0x61));
    const int stone = store(weapon_record("Throwing stone", "THROWING", 2, 200, 200, 1.0f));
    facing = 0;  // east, toward the warrior
    Plr.shield_stance = 0x02;  // held in the centre
    struct Case {
        int cover_draw, zone, penalty;
    } cases[] = {{0, ZONE_HEAD, 2}, {1, ZONE_HEAD, 2}, {2, ZONE_LEGS, 3}, {3, ZONE_LEGS, 3}, {4, ZONE_BODY, 0}};
    for (const Case& c : cases) {
        ScriptedDraws draws{0, c.cover_draw, 50, 0};  // the aspect, the cover, the part and its side
        ASSERT_EQ(cre_prepare_attack(stone, PERSON, 1, -1, stone), 1);
        EXPECT_EQ(combat.work_option.aim_zone, c.zone) << c.cover_draw;
        EXPECT_EQ(combat.work_option.zone_penalty, c.penalty) << c.cover_draw;
    }
    // Held high, the shield leaves the legs to a coin toss.
    Plr.shield_stance = 0x04;
    ScriptedDraws high{0, 0, 50, 0};
    cre_prepare_attack(stone, PERSON, 1, -1, stone);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_LEGS);
    // From behind the shield is no matter: the body, as always.
    facing = 4;
    ScriptedDraws behind{0, 50};
    cre_prepare_attack(stone, PERSON, 1, -1, stone);
    EXPECT_EQ(combat.work_option.aim_zone, ZONE_BODY);
    EXPECT_EQ(combat.work_option.zone_penalty, 0);
    facing = 0;
}

TEST_F(PlayerChoice, AHelplessTargetIsStruckWhereThePlayerChooses) {
    Cre[WOLF].move_mode = MOVE_MODE_ASLEEP;
    // The neck of a sleeping wolf: a deathblow, without the zone's penalty.
    QueuedKeys keys{'N'};
    ScriptedDraws draws{0};
    ASSERT_EQ(cre_prepare_attack(9, -1, 0, WOLF, 0), 1);  // a kick
    EXPECT_EQ(offered(), "NSCB");
    EXPECT_EQ(combat.work_option.helpless, 1);
    EXPECT_EQ(combat.work_option.deathblow, 1);
    EXPECT_EQ(combat.work_option.hit_part, PART_NECK);
    EXPECT_EQ(combat.work_option.zone_penalty, 0);
    EXPECT_EQ(combat.work_option.max_dice, 3);
    EXPECT_STREQ(combat.work_option.aspect_text, "KICK");
    // A punch rolls one die at most.
    Cre[WOLF].move_mode = 0;
    QueuedKeys body{'B'};
    ScriptedDraws more{0};
    ASSERT_EQ(cre_prepare_attack(4, -1, 0, WOLF, 0), 1);
    EXPECT_EQ(combat.work_option.max_dice, 1);
    EXPECT_EQ(combat.work_option.deathblow, 0);
    EXPECT_STREQ(combat.work_option.skill_name, "UNARMED");
}

}  // namespace
