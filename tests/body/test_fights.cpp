// The attack resolver's arithmetic, the creatures' switches into attack
// and escape, morale after wounds, the count of foes around the player,
// bleeding and the shield menu, on the small fighting ground.
#include <gtest/gtest.h>

#include <string>

#include "body/attack_resolver.h"
#include "body/bleeding.h"
#include "body/combat_commands.h"
#include "body/creature_fights.h"
#include "body/fighters.h"
#include "body/wound_checks.h"
#include "combat_fixture.h"
#include "scripted_draws.h"
#include "game/screen_hooks.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "support/key_script.h"

namespace {

using Fights = CombatGround;

TEST(LevelBalance, ShiftsBothPenaltiesBackFromBelowNothing) {
    struct Case {
        int a_level, a_pen, d_level, d_pen, want_a, want_d;
    } cases[] = {
        {30, 50, 40, 10, 30, 0},  // only A negative: both lowered by 20
        {40, 10, 30, 50, 0, 30},  // only B negative
        {10, 30, 10, 30, 30, 30}, // both negative by the same: no shift
        {10, 40, 10, 20, 20, 0},  // both negative: shift |A - B| = 20
        {50, 10, 40, 10, 10, 10}, // both fine
    };
    for (const Case& c : cases) {
        int a = c.a_pen, d = c.d_pen;
        balance_levels(c.a_level, a, c.d_level, d);
        EXPECT_EQ(a, c.want_a) << c.a_level << "/" << c.a_pen;
        EXPECT_EQ(d, c.want_d) << c.d_level << "/" << c.d_pen;
    }
}

TEST(UndefendedGrade, LiftsOneStepAndNeverLowers) {
    EXPECT_EQ(undefended_grade(0), 1);
    EXPECT_EQ(undefended_grade(1), 2);
    EXPECT_EQ(undefended_grade(2), 3);
    EXPECT_EQ(undefended_grade(3), 3);
}

TEST_F(Fights, ThreeAdjacentAttackersCountAndOthersDoNot) {
    for (int i = 0; i < 3; ++i) {
        CreatureRecord& w = wolf(i, PX - 1 + i, PY - 1);
        w.move_mode = 99;
        w.fight_target = -1;
    }
    CreatureRecord& far = wolf(3, PX + 2, PY);
    far.move_mode = 99;
    far.fight_target = -1;
    CreatureRecord& calm = wolf(4, PX + 1, PY + 1);
    calm.move_mode = 0;
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 0), 3);
    EXPECT_EQ(plr_count_adjacent_fighters(0, 0), 0);
    Cre[0].body_state = BODY_FALLEN;
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 0), 3);
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 1), 2);
}

TEST_F(Fights, AnAttackStartedWithoutACountLasts255Steps) {
    CreatureRecord& w = wolf(0);
    cre_begin_attack(0, -1, 0);
    EXPECT_EQ(w.move_mode, 99);
    EXPECT_EQ(w.attack_state, 255);
    EXPECT_EQ(w.fight_target, -1);
    EXPECT_EQ(uint16_t(w.target_ref), 0xFFFF);
    // A wolf fights the player but is no foe for good; a robber and a
    // villager on an errand are.
    EXPECT_FALSE(cre_hostile_to_player(0));
    w.cre_status = CRE_STATUS_ROBBER;
    EXPECT_TRUE(cre_hostile_to_player(0));
    w.cre_status = 0;
    w.bfagg = BFAGG_VIOLENCE;
    EXPECT_TRUE(cre_hostile_to_player(0));
    w.bfagg = 0;
    CreatureRecord& v = wolf(1, PX - 1, PY);
    cre_begin_attack(1, -1, 5);
    EXPECT_EQ(v.attack_state, 5);
    cre_calm_down(1);
    EXPECT_EQ(v.fight_target, FIGHT_TARGET_NONE);
    EXPECT_EQ(v.target_ref, 0);
}

TEST_F(Fights, AFighterRollsMoraleOnlyAtItsFifthTenthAndFifteenthWound) {
    CreatureRecord& w = wolf(0);
    w.hyokkaavyys = 100;
    cre_begin_attack(0, -1, 0);
    for (int wound = 1; wound <= 16; ++wound) {
        ScriptedDraws draws;
        const bool rolls = wound == 5 || wound == 10 || wound == 15;
        if (rolls) draws.add(0, 2);  // the morale draw, then the bite it fights on with
        cre_morale_check(0, -1, 1);
        EXPECT_EQ(draws.calls(), rolls ? 2 : 0) << "wound " << wound;
        EXPECT_EQ(w.move_mode, 99);
    }
}

TEST_F(Fights, AggressivenessDecidesFightOrFlight) {
    struct Case {
        int aggression, draw, attacks;
    } cases[] = {{1, 0, 0}, {100, 98, 1}, {100, 99, 0}, {50, 48, 1}, {50, 49, 0}};
    for (const Case& c : cases) {
        CreatureRecord& w = wolf(0);
        w.hyokkaavyys = uint8_t(c.aggression);
        ScriptedDraws draws{c.draw};
        if (c.attacks) draws.add(0);  // the bite it attacks with
        cre_morale_check(0, -1, 1);
        EXPECT_EQ(w.move_mode, c.attacks ? 99 : 4) << c.aggression << " " << c.draw;
        reset_map_object_table();
    }
}

// A creature out of sight that turns to fight is heard threatening with
// its own sound.
TEST_F(Fights, AnUnseenFighterIsHeardThreateningWithItsOwnSound) {
    CreatureRecord& w = wolf(0, PX + 3, PY);
    unsee(PX + 3, PY);
    copy_text(w.pain_word, sizeof w.pain_word, "snarl");
    w.hyokkaavyys = 100;
    allow_repeated_message = true;
    reset_last_message();
    ScriptedDraws draws{0, 0};
    cre_morale_check(0, -1, 1);
    allow_repeated_message = false;
    EXPECT_EQ(w.move_mode, 99);
    const std::string log = play->read("Tester/msglog.txt");
    EXPECT_NE(log.find("You hear a threatening snarl!"), std::string::npos) << log;
    EXPECT_EQ(log.find("%s"), std::string::npos) << log;
}

TEST_F(Fights, BleedingFaintsAboveFourTimesEnduranceAndKillsAboveEight) {
    struct Case {
        int endurance, lost_before, bleed, fainted, dead;
    } cases[] = {
        {10, 37, 3, 0, 0}, {10, 38, 3, 1, 0}, {10, 78, 3, 1, 1}, {10, 77, 3, 1, 0},
        {40, 250, 5, 1, 1},  // the loss saturates at 255 and kills there
        {40, 200, 5, 1, 0},
    };
    for (const Case& c : cases) {
        CreatureRecord& w = wolf(0);
        w.attr_end = uint8_t(c.endurance);
        w.blood_lost = uint8_t(c.lost_before);
        w.wounds[CW_BLEEDING][0] = uint8_t(c.bleed);
        ScriptedDraws draws{4};  // no blood mark; a wound bleeding 3 never eases by itself
        const int died = cre_bleed(0, PX + 1, PY, 0);
        EXPECT_EQ(w.body_state == BODY_FAINTED, c.fainted != 0) << c.endurance << " " << c.lost_before;
        EXPECT_EQ(died, c.dead) << c.endurance << " " << c.lost_before;
        EXPECT_LE(int(w.blood_lost), 255);
    }
}

TEST_F(Fights, ThePlayerFaintsAgainInsteadOfDyingWhileTheRobberThatHurtItIsNear) {
    static int deaths = 0;
    void (*saved)() = player_dies_of_wound;
    player_dies_of_wound = [] { ++deaths; };
    Plr.end = 10;
    Plr.wounds[PW_BLEEDING][0] = 2;
    Plr.blood_loss = 85;
    CreatureRecord& w = creature(0, 1, "Robber", PX + 1, PY);
    w.cre_status = CRE_STATUS_ROBBER;
    cre_begin_attack(0, -1, 0);
    Plr.knockout_ref = int(w.sotu);
    {
        ScriptedDraws draws{4, 0};
        EXPECT_EQ(cre_bleed(-1, PX, PY, 0), 0);
    }
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(Plr.blood_loss, 41);
    EXPECT_EQ(Plr.body_state, BODY_FAINTED);
    // A draw of 1 or 2 (two in three) keeps the player awake.
    Plr.body_state = 0;
    {
        ScriptedDraws draws{4, 1};
        EXPECT_EQ(cre_bleed(-1, PX, PY, 0), 0);
    }
    EXPECT_EQ(Plr.body_state, 0);
    // With nobody hostile around the bleeding kills: a wolf that bit is
    // no foe for good.
    w.cre_status = 0;
    w.cre_class = 3;
    Plr.blood_loss = 85;
    {
        ScriptedDraws draws{4, 0};
        EXPECT_EQ(cre_bleed(-1, PX, PY, 0), 1);
    }
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(Plr.cause_of_death, -99);
    player_dies_of_wound = saved;
}

TEST_F(Fights, AShockedBodyCountsItsTurnsInItsOwnByteAndGetsUpWhenItsEnduranceHolds) {
    struct Case {
        int endurance, still_shocked, body_after, counter_after;
    } cases[] = {
        {30, 0, BODY_FALLEN, 0},  // three dice never reach 30: it comes to and lies fallen
        {1, 1, BODY_FAINTED, 6},  // three dice always beat 1: it stays out, one turn more counted
    };
    for (const Case& c : cases) {
        CreatureRecord& w = wolf(0);
        w.attr_end = uint8_t(c.endurance);
        w.body_state = BODY_SHOCKED;
        w.turn_value = 5;
        w.flee_c = 7;  // the fleeing bookkeeping its speed reads stays
        EXPECT_EQ(cre_shock_recovery(0), c.still_shocked) << c.endurance;
        EXPECT_EQ(w.body_state, c.body_after) << c.endurance;
        EXPECT_EQ(w.turn_value, c.counter_after) << c.endurance;
        EXPECT_EQ(w.flee_c, 7) << c.endurance;
        reset_map_object_table();
    }
}

TEST_F(Fights, ThePlayerFaintsOnAThirdOfTheBleedingTurnsOverTheLimit) {
    messages_suppressed = true;
    static int deaths = 0;
    void (*saved)() = player_dies_of_wound;
    player_dies_of_wound = [] { ++deaths; };
    seed_random(23);
    Plr.end = 10;
    const int turns = 20000;
    int faints = 0;
    for (int i = 0; i < turns; ++i) {
        Plr.body_state = 0;
        Plr.wounds[PW_BLEEDING][0] = 1;
        Plr.blood_loss = 41;  // over the limit of 40, far from twice it
        cre_bleed(-1, PX, PY, 0);
        faints += Plr.body_state == BODY_FAINTED ? 1 : 0;
    }
    const double share = double(faints) / turns;
    EXPECT_GT(share, 0.3233);
    EXPECT_LT(share, 0.3433);
    EXPECT_EQ(deaths, 0);
    player_dies_of_wound = saved;
}

TEST_F(Fights, RandomWoundsForTheDeveloperLeaveAWoundTotalOfNinetyAtMost) {
    messages_suppressed = true;
    seed_random(29);
    for (int round = 0; round < 200; ++round) {
        std::memset(Plr.wounds, 0, sizeof Plr.wounds);
        Plr.wound_total = 0;
        Plr.body_state = 0;
        plr_take_random_wounds();
        EXPECT_LE(Plr.wound_total, 90) << "round " << round;
        EXPECT_GT(Plr.wound_total, 0) << "round " << round;
    }
}

TEST_F(Fights, InjuryPercentWithoutEnduranceIsAllOrNothing) {
    CreatureRecord& w = wolf(0);
    w.attr_end = 10;
    w.injury = 50;
    EXPECT_EQ(cre_injury_percent(0), 50);
    w.attr_end = 0;
    EXPECT_EQ(cre_injury_percent(0), 100);
    w.injury = 0;
    EXPECT_EQ(cre_injury_percent(0), 0);
}

TEST_F(Fights, TheShieldMenuSetsOneModeAndEscapeKeepsTheFlags) {
    struct Case {
        int key;
        uint8_t before, after;
    } cases[] = {
        {'C', 0x09, 0x03}, {'H', 0x03, 0x05}, {'S', 0x05, 0x09}, {'N', 0x09, 0x01}, {KEY_ESC, 0x05, 0x05},
    };
    for (const Case& c : cases) {
        Plr.shield_stance = c.before;
        QueuedKeys keys({c.key});
        plr_shield_menu();
        EXPECT_EQ(Plr.shield_stance, c.after) << char(c.key);
    }
}

TEST_F(Fights, AHeelKickAtTheDwellersTreeStartlesItOnlyForOneWhoKnowsTheRite) {
    // Young growth: a terrain kicked with the heel when out of sight.
    const int young_growth = 60;
    const TerrainType saved_type = TerrainTypes[young_growth];
    TerrainTypes[young_growth].flags = 0x40;
    copy_text(TerrainTypes[young_growth].name, "Spruce thicket");
    const int x = PX, y = PY + 1;
    const size_t cell = map_index(x, y);
    const uint8_t saved_terrain = terrain_layer[cell];
    terrain_layer[cell] = uint8_t(young_growth);
    const ScreenHooks saved_hooks = screen_hooks;
    screen_hooks.choose_target_location = [](int, const char*) {
        target_x = PX;
        target_y = PY + 1;
        return 1;
    };
    struct Case {
        uint8_t knowledge;
        int32_t altitude;
        uint8_t startled;
    } cases[] = {{0x01, 200, 14}, {0x00, 200, 0}, {0x01, 0, 0}};
    for (const Case& c : cases) {
        CreatureRecord& d = creature(0, 3, "Dweller", x, y);
        d.kind = 604;
        d.air_state = c.altitude;
        unsee(x, y);
        Plr.plr_knowledge[60] = c.knowledge;
        ScriptedDraws draws;
        if (c.startled) draws.add(4);
        EXPECT_EQ(plr_melee_attack(3), 1);
        EXPECT_EQ(d.flee_d, c.startled) << int(c.knowledge) << " " << c.altitude;
        EXPECT_EQ(draws.calls(), c.startled ? 1 : 0);
        reset_map_object_table();
    }
    screen_hooks = saved_hooks;
    terrain_layer[cell] = saved_terrain;
    TerrainTypes[young_growth] = saved_type;
}

TEST_F(Fights, TenThousandSeededBitesKeepEveryWoundTotalEqualToItsColumn) {
    messages_suppressed = true;
    seed_random(17);
    int rounds_with_wounds = 0;
    for (int round = 0; round < 500; ++round) {
        wolf(0);
        CreatureRecord& bitten = wolf(1, PX + 2, PY);
        bitten.hyokkaavyys = 100;
        for (int i = 0; i < 20; ++i) {
            ASSERT_EQ(cre_resolve_attack(0, 0, 0, 1, 0), 1);
            for (int who = 0; who < 2; ++who) {
                const CreatureRecord& c = Cre[who];
                int sum = 0;
                for (int s = 0; s < WOUND_SLOTS; ++s) sum += c.wounds[CW_DAMAGE][s];
                if (sum < 255) {
                    ASSERT_EQ(int(c.injury), sum) << "round " << round << " attack " << i;
                }
            }
            Cre[0].body_state = Cre[1].body_state = 0;
        }
        rounds_with_wounds += Cre[1].injury > 0;
        reset_map_object_table();
    }
    messages_suppressed = false;
    EXPECT_GT(rounds_with_wounds, 250);
}

}  // namespace
