// A creature's turns in attack mode on the small fighting ground: the
// attack that runs out, the shooter's aiming, the player's people called
// to arms, the villagers' punishment and its end, the morale of a village
// up in arms, and the row index the count of foes reads.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/debug_log.h"
#include "body/attack_resolver.h"
#include "body/creature_attacks.h"
#include "body/creature_fights.h"
#include "combat_fixture.h"
#include "creatures/creature_society.h"
#include "creatures/creature_traits.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "scripted_draws.h"
#include "society/villages.h"
#include "support/key_script.h"

namespace {

class CreatureAttacks : public CombatGround {
protected:
    static constexpr int32_t VILLAGE = 7;
    void SetUp() override {
        CombatGround::SetUp();
        reset_villages();
        reset_fighter_rows();
        messages_suppressed = false;
    }
    void TearDown() override {
        reset_villages();
        reset_fighter_rows();
        CombatGround::TearDown();
    }
    static CreatureRecord& villager(int slot, int x, int y) {
        CreatureRecord& c = creature(slot, CRE_CLASS_HUMAN, "Villager", x, y);
        c.lauma = VILLAGE;
        c.hyokkaavyys = 100;
        return c;
    }
    static VillageRecord& village() {
        if (cur_village_id != VILLAGE) {
            VillageRecord r{};
            save_village(VILLAGE, r);
            set_current_village(VILLAGE);
        }
        return CurVillage;
    }
    bool told_text(const std::vector<std::string>& lines, const std::string& text) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    }
};

TEST_F(CreatureAttacks, AnAttackOfFiveStepsBitesFiveTimesAndCalmsDownOnTheSixthTurn) {
    seed_random(3);
    messages_suppressed = true;
    CreatureRecord& w = wolf(0);
    w.prev_move_mode = 0;
    CreatureRecord& prey = wolf(1, PX + 2, PY);
    prey.hyokkaavyys = 100;
    cre_begin_attack(0, 1, 5);
    messages_suppressed = false;
    told();
    for (int turn = 1; turn <= 5; ++turn) {
        prey.body_state = 0;
        EXPECT_EQ(cre_attack_turn(0), 1) << "turn " << turn;
        EXPECT_EQ(w.move_mode, 99) << "turn " << turn;
        EXPECT_EQ(w.attack_state, 5 - turn);
    }
    EXPECT_FALSE(told_text(told(), "Wolf calms down")) << "calmed down too early";
    EXPECT_EQ(cre_attack_turn(0), 0);
    EXPECT_EQ(w.move_mode, 0);
    EXPECT_EQ(w.fight_target, FIGHT_TARGET_NONE);
    EXPECT_EQ(w.target_ref, 0);
    const std::vector<std::string> lines = told();
    EXPECT_TRUE(told_text(lines, "Wolf calms down")) << (lines.empty() ? "" : lines.back());
}

TEST_F(CreatureAttacks, AWolfWhoseTargetIsGoneOrOutOfSightCalmsDown) {
    CreatureRecord& w = wolf(0);
    cre_begin_attack(0, -1, 0);
    plr_invisible = 1;
    EXPECT_EQ(cre_attack_turn(0), 0);
    plr_invisible = 0;
    EXPECT_NE(w.move_mode, 99);
    // A creature target that died, or that left the table.
    CreatureRecord& prey = wolf(1, PX + 3, PY);
    cre_begin_attack(0, 1, 0);
    prey.move_mode = 13;
    EXPECT_EQ(cre_attack_turn(0), 0);
    EXPECT_NE(w.move_mode, 99);
    prey.move_mode = 0;
    cre_begin_attack(0, 1, 0);
    ASSERT_EQ(w.move_mode, 99);
    CreSlotRefs[1] = 0;
    EXPECT_EQ(cre_attack_turn(0), 0);
    EXPECT_NE(w.move_mode, 99);
    EXPECT_EQ(w.fight_target, FIGHT_TARGET_NONE);
}

TEST_F(CreatureAttacks, ABowAimsOneTurnAndACrossbowFourBeforeTheCoinFlip) {
    struct Case {
        const char* skill;
        int aiming_turns;
    } cases[] = {{"BOW", 1}, {"CROSSBOW", 4}};
    // Every ray reaches 20 squares over the open ground.
    int32_t saved_rays[SIGHT_RAYS];
    std::copy(sight_table, sight_table + SIGHT_RAYS, saved_rays);
    std::fill(sight_table, sight_table + SIGHT_RAYS, 20);
    const int saved_half = view_half_w;
    view_half_w = std::max(view_half_w, 20);
    for (const Case& k : cases) {
        CreatureRecord& h = creature(0, CRE_CLASS_HUMAN, "Hunter", PX + 5, PY);
        h.Suunta = facing_toward(PX + 5, PY, PX, PY);
        ObjectRecord bow = weapon_record("Bow", k.skill, 0, 0, 0, 2.0f);
        bow.subclass = 5;
        h.wielded = store(bow);
        cre_begin_attack(0, -1, 0);
        ASSERT_TRUE(cre_can_see_point(0, PX, PY)) << "the hunter must see the player for this case";
        for (int turn = 1; turn <= k.aiming_turns; ++turn) {
            ScriptedDraws none;
            EXPECT_EQ(cre_attack_turn(0), 0);
            EXPECT_EQ(cre_aim_count(0), turn) << k.skill;
            EXPECT_EQ(none.calls(), 0) << k.skill << " turn " << turn;
        }
        // The flip of 0 sends it closer instead of shooting; the aim holds.
        ScriptedDraws flip{0};
        EXPECT_EQ(cre_attack_turn(0), 0);
        EXPECT_EQ(flip.calls(), 1) << k.skill;
        EXPECT_EQ(cre_aim_count(0), k.aiming_turns) << k.skill;
        reset_map_object_table();
        reset_object_store();
    }
    std::copy(saved_rays, saved_rays + SIGHT_RAYS, sight_table);
    view_half_w = saved_half;
}

TEST_F(CreatureAttacks, ThePlayersDogAndCompanionTurnOnTheAttackerButNotOnTheVillagesLaw) {
    CreatureRecord& w = wolf(0);
    CreatureRecord& dog = wolf(1, PX - 1, PY);
    dog.kind = 618;
    copy_text(dog.name, sizeof dog.name, "Dog");
    dog.owner = OWNER_PLAYER;
    CreatureRecord& friend_ = creature(2, CRE_CLASS_HUMAN, "Friend", PX, PY + 1);
    friend_.party_flags = PARTY_MEMBER;
    cre_begin_attack(0, -1, 0);
    EXPECT_EQ(rally_player_party(0), 2);
    EXPECT_EQ(dog.fight_target, 0);
    EXPECT_EQ(friend_.fight_target, 0);
    // Already fighting, they count again without being told.
    EXPECT_EQ(rally_player_party(0), 2);

    // A villager punishing the player: the companion will have no part of
    // it and the dog stays out too.
    cre_calm_down(1);
    cre_calm_down(2);
    CreatureRecord& v = villager(3, PX + 1, PY + 1);
    v.bfagg = BFAGG_VIOLENCE;
    cre_begin_attack(3, -1, 0);
    told();
    EXPECT_EQ(rally_player_party(3), 0);
    EXPECT_EQ(friend_.move_mode, 4);
    EXPECT_NE(dog.move_mode, 99);
    EXPECT_TRUE(told_text(told(), "This is not my fight!"));
    (void)w;
}

TEST_F(CreatureAttacks, APunisherCalmsDownOncePunishmentsExceedTwiceTheOffences) {
    CreatureRecord& v = villager(0, PX + 1, PY);
    v.bfagg = BFAGG_VIOLENCE;
    village().alarm = 1;
    village().assaults = 2;
    struct Case {
        int punishments;
        bool stops;
    } cases[] = {{0, false}, {4, false}, {5, true}};
    for (const Case& c : cases) {
        village().punishments = uint8_t(c.punishments);
        EXPECT_EQ(cre_villager_stops_punishing(0), c.stops) << c.punishments;
    }
    // No alarm left: done. A killing: the alarm and the errand are dropped.
    village().alarm = 0;
    EXPECT_TRUE(cre_villager_stops_punishing(0));
    village().alarm = 1;
    village().killing = 1;
    EXPECT_FALSE(cre_villager_stops_punishing(0));
    EXPECT_EQ(village().alarm, 0);
    EXPECT_EQ(v.bfagg, 0);
    // Not a villager on that errand.
    v.bfagg = BFAGG_VIOLENCE;
    v.party_flags = PARTY_MEMBER;
    EXPECT_FALSE(cre_villager_stops_punishing(0));
}

TEST_F(CreatureAttacks, TheAttackTurnOfASatisfiedPunisherEndsItAndClearsTheAlarm) {
    CreatureRecord& v = villager(0, PX + 1, PY);
    cre_begin_attack(0, -1, 0);
    v.bfagg = BFAGG_VIOLENCE;
    village().alarm = 1;
    village().assaults = 1;
    village().punishments = 3;
    EXPECT_EQ(cre_attack_turn(0), 0);
    EXPECT_NE(v.move_mode, 99);
    EXPECT_EQ(v.bfagg, 0);
    EXPECT_EQ(village().alarm, 0);
}

TEST_F(CreatureAttacks, ThePlayersBlowRaisesTheVillageAndItsEnforcerStrikesBack) {
    Plr.total_minutes = 5000;
    CreatureRecord& v = villager(0, PX + 1, PY);
    village();
    {
        ScriptedDraws draws{0, 0};  // fights on (aggressiveness 100)
        cre_morale_check(0, -1, 1);
    }
    EXPECT_EQ(village().alarm, 1);
    EXPECT_EQ(village().assaults, 1);
    EXPECT_EQ(village().incident_flag, 1);
    EXPECT_EQ(village().incident_minute, 5000);
    EXPECT_EQ(v.move_mode, 99);
    // With the alarm up, a blow without a wound to a villager without the
    // enforcer's role decides nothing; a wound makes its fight a
    // punishment.
    cre_calm_down(0);
    CreatureRecord& w = villager(1, PX - 1, PY);
    const int enforcer = 1, other = 0;
    Cre[other].soc_value = 0;
    Cre[enforcer].soc_value = 1 << 2;  // the enforcer's role
    Cre[other].bfagg = 0;
    {
        ScriptedDraws none;
        cre_morale_check(other, -1, 0);
        EXPECT_EQ(none.calls(), 0);
    }
    EXPECT_NE(Cre[other].move_mode, 99);
    {
        ScriptedDraws draws{0, 0};
        cre_morale_check(other, -1, 1);
    }
    EXPECT_EQ(Cre[other].move_mode, 99);
    EXPECT_EQ(Cre[other].bfagg & BFAGG_VIOLENCE, BFAGG_VIOLENCE);
    // The enforcer strikes back without weighing its chances.
    cre_calm_down(enforcer);
    Cre[enforcer].hyokkaavyys = 0;
    {
        ScriptedDraws none;
        cre_morale_check(enforcer, -1, 0);
        EXPECT_EQ(none.calls(), 0);
    }
    EXPECT_EQ(Cre[enforcer].move_mode, 99);
    EXPECT_EQ(Cre[enforcer].bfagg & BFAGG_VIOLENCE, BFAGG_VIOLENCE);
    (void)w;
}

TEST_F(CreatureAttacks, ThePlayerAmongAttackersIsOutnumberedTenForEachBeyondTheFirst) {
    struct Case {
        int attackers;
        const char* noted;
    } cases[] = {{1, nullptr}, {2, ">OUTNUMBERED BY 2 NPCs"}, {3, ">OUTNUMBERED BY 3 NPCs"}};
    debug_messages_on = 1;
    Plr.end = 100;  // a body that never faints from a bite (a faint would pause)
    for (const Case& c : cases) {
        for (int i = 0; i < c.attackers; ++i) {
            CreatureRecord& w = wolf(i, PX - 1 + i, PY - 1);
            w.move_mode = 99;
            w.fight_target = -1;
            w.target_ref = int16_t(0xFFFF);
        }
        told();
        QueuedKeys keys({'I'});  // the player ignores the bite
        ASSERT_EQ(cre_resolve_attack(0, 0, 0, -1, 0), 1);
        const std::vector<std::string> lines = told();
        if (c.noted) {
            EXPECT_TRUE(told_text(lines, c.noted)) << c.attackers;
        } else {
            EXPECT_FALSE(told_text(lines, "OUTNUMBERED")) << c.attackers;
        }
        reset_map_object_table();
        Plr.body_state = 0;
    }
    debug_messages_on = 0;
}

TEST_F(CreatureAttacks, AggressivenessOneAlwaysFleesAndAHundredFightsOnNinetyNineInAHundred) {
    messages_suppressed = true;
    seed_random(11);
    struct Case {
        int aggression;
        double low, high;
    } cases[] = {{1, 0.0, 0.0}, {100, 0.989, 0.991}};
    for (const Case& c : cases) {
        const int checks = 100000;
        int fights = 0;
        CreatureRecord& w = wolf(0);
        for (int i = 0; i < checks; ++i) {
            w.move_mode = 0;
            w.fight_target = FIGHT_TARGET_NONE;
            w.target_ref = 0;
            w.hyokkaavyys = uint8_t(c.aggression);
            cre_morale_check(0, -1, 1);
            fights += w.move_mode == 99 ? 1 : 0;
        }
        const double share = double(fights) / checks;
        EXPECT_GE(share, c.low) << c.aggression;
        EXPECT_LE(share, c.high) << c.aggression;
        reset_map_object_table();
    }
}

TEST_F(CreatureAttacks, TheRowIndexFollowsRecordsThatMoveAndCreaturesThatLeave) {
    for (int i = 0; i < 3; ++i) {
        CreatureRecord& w = wolf(i, PX - 1 + i, PY - 1);
        w.move_mode = 99;
        w.fight_target = -1;
    }
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 0), 3);
    // The table is packed anew with the first wolf's record moved away.
    const int row = cre_map_row(0);
    ASSERT_GE(row, 0);
    MapObject moved = Data[row];
    clear_map_object(row);
    Data[500] = moved;
    EXPECT_EQ(cre_map_row(0), 500);
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 0), 3);
    // One leaves the map.
    clear_map_object(cre_map_row(1));
    EXPECT_EQ(cre_map_row(1), -1);
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 0), 2);
    // One steps away.
    Data[cre_map_row(2)].x = uint16_t(PX + 3);
    EXPECT_EQ(plr_count_adjacent_fighters(-1, 0), 1);
}

}  // namespace
