// One exchange of blows: every cell of the outcome tables with the nine
// bytes it decides and what it tells, the sentence that opens it, the
// sounds and pauses only a fight the player is in or sees has, and the
// tactical advantage.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "body/hit_wounds.h"
#include "body/melee_exchange.h"
#include "combat_fixture.h"
#include "scripted_draws.h"

namespace {

constexpr int WARRIOR = 3, GUARD = 4, WOLF = 5;

// The four tables, row by row (attack grade 0-3), each cell "code level".
struct TableText {
    int kind;
    const char* rows[4];
};
const TableText tables[] = {
    {DEFENCE_BLOCK, {"BF4 AF3 AF4 AF5", "DF3 Blk0 .0 AF3", "A*2 A*1 Blk0 .0", "A*3 A*2 A*1 Blk0"}},
    {DEFENCE_DODGE, {"BS3 AF3 DTA0 DTA0", "DS3 .0 .0 DTA0", "A*2 A*1 .0 .0", "A*3 A*2 A*1 .0"}},
    {DEFENCE_MISSILE_DODGE, {"BS3 AF3 DTA0 DTA0", "DS3 .0 .0 DTA0", "A*2 A*1 .0 .0", "A*3 A*2 A*1 .0"}},
    {DEFENCE_COUNTERSTRIKE, {"BF3 AF4 D*2 D*3", "A*1 .0 D*1 D*2", "A*3 A*2 B*1 D*1", "A*4 A*3 A*1 B*1"}},
    {DEFENCE_NONE, {"A*1 A*1 A*1 A*1", "A*2 A*2 A*2 A*2", "A*3 A*3 A*3 A*3", "A*4 A*4 A*4 A*4"}},
};

std::vector<std::string> cells_of(const char* row) {
    std::istringstream in(row);
    std::vector<std::string> cells;
    std::string cell;
    while (in >> cell) cells.push_back(cell);
    return cells;
}

// What a cell decides between two armed people standing upright, and what
// it tells after the opening sentence.
struct Expected {
    ExchangeOutcome bytes{};
    std::vector<std::string> keys;
};
Expected expected_of(const std::string& code, int level, int kind, int attack) {
    Expected e;
    ExchangeOutcome& o = e.bytes;
    const uint8_t lv = uint8_t(level);
    const bool weapons_meet = kind == DEFENCE_BLOCK || kind == DEFENCE_COUNTERSTRIKE;
    auto strike = [](const char* base, int n) {
        return std::string(base) + (n == 1 ? "_LIGHT" : n == 2 ? "" : "_HARD");
    };
    if (code == "BF") {
        if (weapons_meet) o.clash = uint8_t(attack + 1);
        o.attacker_fumble = o.defender_fumble = lv;
        e.keys = {"FUMBLE_TOGETHER"};
    } else if (code == "AF") {
        if (weapons_meet) o.clash = uint8_t(attack);
        o.attacker_fumble = lv;
    } else if (code == "DF") {
        if (kind == DEFENCE_BLOCK) o.clash = uint8_t(attack + 1);
        o.defender_fumble = lv;
    } else if (code == "BS") {
        o.attacker_stumble = o.defender_stumble = lv;
        e.keys = {"STUMBLE_TOGETHER"};
    } else if (code == "DS") {
        o.defender_stumble = lv;
    } else if (code == "Blk") {
        o.blocked = 1;
        o.clash = uint8_t(attack + 1);
        e.keys = {"MELEE_BLOCK"};
    } else if (code == ".") {
        o.missed = 1;
        e.keys = {kind == DEFENCE_BLOCK ? "MELEE_PARRY" : "MELEE_MISS"};
    } else if (code == "B*") {
        o.attacker_strike = o.defender_strike = lv;
        e.keys = {"BOTH_STRIKE", strike("ATTACKER_STRIKE", level), strike("DEFENDER_STRIKE", level)};
    } else if (code == "A*") {
        o.attacker_strike = lv;
        e.keys = {strike("ATTACKER_STRIKE", level)};
    } else if (code == "D*") {
        o.defender_strike = lv;
        e.keys = {strike("DEFENDER_STRIKE", level)};
    }
    return e;
}

void expect_bytes(const ExchangeOutcome& got, const ExchangeOutcome& want, const std::string& where) {
    EXPECT_EQ(got.attacker_strike, want.attacker_strike) << where;
    EXPECT_EQ(got.defender_strike, want.defender_strike) << where;
    EXPECT_EQ(got.blocked, want.blocked) << where;
    EXPECT_EQ(got.attacker_stumble, want.attacker_stumble) << where;
    EXPECT_EQ(got.defender_stumble, want.defender_stumble) << where;
    EXPECT_EQ(got.attacker_fumble, want.attacker_fumble) << where;
    EXPECT_EQ(got.defender_fumble, want.defender_fumble) << where;
    EXPECT_EQ(got.missed, want.missed) << where;
    EXPECT_EQ(got.clash, want.clash) << where;
}

class Exchange : public CombatGround {
protected:
    // A creature as the messages name it (2: with its article).
    static std::string the(int creature, int flags = 2) { return catalogue_questions.creature_name(creature, flags); }
    void SetUp() override {
        CombatGround::SetUp();
        const int sword = store(weapon_record("Iron sword", "SWORD", 200, 3, 2, 3.0f));
        creature(WARRIOR, 1, "Warrior", PX + 1, PY).wielded = sword;
        creature(GUARD, 1, "Guard", PX + 2, PY).wielded = sword;
        wolf(WOLF, PX - 1, PY);
        fight(WARRIOR, GUARD);
    }
    static void fight(int attacker, int defender) {
        combat.attacker = attacker;
        combat.defender = defender;
        clear_attack_option(combat.attack_option);
        clear_attack_option(combat.defence_option);
        combat.attack_option.option_kind = OPTION_MELEE;
        combat.attack_option.max_dice = 9;
        combat.defence_option.max_dice = 9;
        combat.defence_option.armed = 1;
    }
};

TEST_F(Exchange, EveryCellDecidesItsNineBytesAndTellsItsKeysInOrder) {
    for (const TableText& t : tables) {
        for (int a = 0; a < 4; ++a) {
            const std::vector<std::string> cells = cells_of(t.rows[a]);
            ASSERT_EQ(cells.size(), 4u);
            for (int d = 0; d < 4; ++d) {
                const std::string& cell = cells[d];
                const std::string code = cell.substr(0, cell.size() - 1);
                const int level = cell.back() - '0';
                const std::string where = "kind " + std::to_string(t.kind) + " cell " + std::to_string(a) +
                                          "/" + std::to_string(d) + " " + cell;
                const OutcomeCell& c = outcome_cell(t.kind, a, d);
                EXPECT_EQ(std::string(c.code), code) << where;
                EXPECT_EQ(c.level, level) << where;
                if (t.kind == DEFENCE_MISSILE_DODGE) continue;  // a melee exchange never uses it

                tactical_advantage = last_tactical_advantage = ADVANTAGE_NOBODY;
                told();
                const Expected want = expected_of(code, level, t.kind, a);
                expect_bytes(resolve_exchange(OPTION_MELEE, a, t.kind, d), want.bytes, where);
                EXPECT_EQ(tactical_advantage, code == "DTA" ? GUARD : ADVANTAGE_NOBODY) << where;

                const std::vector<std::string> lines = told();
                ASSERT_EQ(lines.size(), want.keys.size() + 1) << where;
                char melee[40];
                format_text(melee, sizeof melee, "MELEE_%s:<attacker>",
                            (const char* const[]){"INFERIOR", "MARGINAL", "GOOD", "SUPERIOR"}[a]);
                EXPECT_EQ(lines[0].rfind(text_of(melee), 0), 0u) << where << ": " << lines[0];
                for (size_t k = 0; k < want.keys.size(); ++k)
                    EXPECT_EQ(lines[k + 1], text_of(want.keys[k].c_str())) << where << " key " << want.keys[k];
            }
        }
    }
}

TEST_F(Exchange, ADefencesSentenceTurnsOnButOrAnd) {
    fight(-1, WOLF);
    copy_text(msg_attack_aspect, "kick");
    const std::string wolf = the(WOLF);
    struct Case {
        int attack, kind, defence;
        std::string sentence;
    } cases[] = {
        {2, DEFENCE_DODGE, 2, "You attack with a good kick but " + wolf + " dodges nimbly."},
        {3, DEFENCE_DODGE, 1, "You attack with a masterly kick and " + wolf + " twists away too late."},
        {1, DEFENCE_DODGE, 0, "Your attack is a weak one but " + wolf + " dodges clumsily."},
        {0, DEFENCE_DODGE, 3, "You attack clumsily and " + wolf + " dodges with ease."},
        {2, DEFENCE_BLOCK, 3, "You attack with a good kick but " + wolf + " blocks with ease."},
        {2, DEFENCE_NONE, 0, "You attack with a good kick."},
    };
    for (const Case& c : cases) {
        told();
        resolve_exchange(OPTION_MELEE, c.attack, c.kind, c.defence);
        const std::vector<std::string> lines = told();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.sentence);
    }
    // A counterstrike reads by whether the defender strikes back armed.
    fight(WOLF, -1);
    combat.defence_option.armed = 0;
    told();
    resolve_exchange(OPTION_MELEE, 2, DEFENCE_COUNTERSTRIKE, 2);
    EXPECT_EQ(told()[0], "It attacks with a good kick but you lash back at once.");
}

TEST_F(Exchange, AMissileSentenceJoinsItsFlightByTheLaunchGrade) {
    fight(-1, WOLF);
    combat.attack_option.option_kind = OPTION_MISSILE;
    combat.reached_creature = 1;
    copy_text(combat.narration, "&You throw the spear");
    struct Case {
        int launch, attack;
        const char* joint;
    } cases[] = {
        {0, 2, " but "}, {0, 1, " and "}, {1, 3, " but "}, {1, 1, " and "},
        {2, 1, " but "}, {3, 0, " but "}, {3, 2, " and "}, {2, 3, " and "},
    };
    for (const Case& c : cases) {
        combat.launch_grade = c.launch;
        told();
        resolve_exchange(OPTION_MISSILE, c.attack, DEFENCE_NONE, 0);
        const std::string first = told()[0];
        EXPECT_EQ(first.find("You throw the spear" + std::string(c.joint) + "the missile"), 0u)
            << c.launch << "/" << c.attack << ": " << first;
    }
}

TEST_F(Exchange, AStrikeNeverExceedsTheSidesDiceAndAnAnimalFumbleIsAStumble) {
    combat.attack_option.max_dice = 2;
    EXPECT_EQ(resolve_exchange(OPTION_MELEE, 3, DEFENCE_NONE, 0).attacker_strike, 2);
    EXPECT_EQ(resolve_exchange(OPTION_MELEE, 0, DEFENCE_NONE, 0).attacker_strike, 1);
    // A wolf has nothing to drop: its fumble against a block is a stumble.
    fight(WOLF, GUARD);
    const ExchangeOutcome& o = resolve_exchange(OPTION_MELEE, 0, DEFENCE_BLOCK, 2);
    EXPECT_EQ(o.attacker_fumble, 0);
    EXPECT_EQ(o.attacker_stumble, 4);
    EXPECT_EQ(o.clash, 0);
    // A defender already down is simply missed.
    Cre[GUARD].body_state = 1;
    const ExchangeOutcome& m = resolve_exchange(OPTION_MELEE, 1, DEFENCE_DODGE, 0);
    EXPECT_EQ(m.defender_stumble, 0);
    EXPECT_EQ(m.missed, 1);
}

TEST_F(Exchange, ThePlayersBlowIsHeardAndGivesItsPause) {
    fight(-1, WOLF);
    resolve_exchange(OPTION_MELEE, 3, DEFENCE_DODGE, 0);
    EXPECT_EQ(sounds, (std::vector<std::string>{"smash", "hit_npc"}));
    EXPECT_EQ(pauses, 1);
    sounds.clear();
    fight(WOLF, -1);
    resolve_exchange(OPTION_MELEE, 3, DEFENCE_DODGE, 0);
    EXPECT_EQ(sounds, (std::vector<std::string>{"smash", "hit_grievous"}));
    // The quiet flag silences all of it.
    sounds.clear();
    pauses = 0;
    combat.quiet = 1;
    resolve_exchange(OPTION_MELEE, 3, DEFENCE_DODGE, 0);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(pauses, 0);
}

TEST_F(Exchange, FiftyExchangesOutOfViewPlayNoSoundAndNeverWait) {
    // Two people fighting behind the player's back, far out of sight.
    const int sword = Cre[WARRIOR].wielded;
    creature(6, 1, "Robber", PX + 40, PY).wielded = sword;
    creature(7, 1, "Hunter", PX + 41, PY).wielded = sword;
    unsee(PX + 40, PY);
    unsee(PX + 41, PY);
    fight(6, 7);
    seed_random(11);
    for (int i = 0; i < 50; ++i) {
        const int kind = DEFENCE_BLOCK + random_below(3);
        const int a = random_below(4);
        const int d = random_below(4);
        resolve_exchange(OPTION_MELEE, a, kind, d);
    }
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(pauses, 0);
    EXPECT_TRUE(told().empty());
}

TEST_F(Exchange, TheAdvantageCannotBeHeldTwiceInARow) {
    give_tactical_advantage(5);
    EXPECT_EQ(tactical_advantage, 5);
    give_tactical_advantage(5);
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);
    give_tactical_advantage(7);
    EXPECT_EQ(tactical_advantage, 7);
    give_tactical_advantage(5);  // a second fighter while 7 holds it
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);
    give_tactical_advantage(-1);  // the player can hold it
    EXPECT_EQ(tactical_advantage, ADVANTAGE_PLAYER);
    EXPECT_EQ(last_tactical_advantage, ADVANTAGE_PLAYER);
    give_tactical_advantage(COMBAT_NOBODY);
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);
    EXPECT_EQ(last_tactical_advantage, ADVANTAGE_NOBODY);

    // A dodge that leaves the attacker open hands it to the defender, who
    // is told.
    told();
    resolve_exchange(OPTION_MELEE, 0, DEFENCE_DODGE, 3);
    EXPECT_EQ(announce_tactical_advantage(), GUARD);
    const std::vector<std::string> lines = told();
    msg_npc = GUARD;
    EXPECT_EQ(lines.back(), text_of("DEFENDER_ADVANTAGE"));
}

// The acceptance's exchange: the player kicks a wolf, the wolf's dodge
// comes too late; the kick grazes a hind leg and the wolf goes down.
TEST_F(Exchange, ThePlayerAgainstAWolfToldInOrderThroughTheMessageLine) {
    fight(-1, WOLF);
    combat.attack_option.max_dice = 3;
    copy_text(msg_attack_aspect, "kick");
    copy_text(msg_bodypart, "hind leg");
    told();
    const ExchangeOutcome& o = resolve_exchange(OPTION_MELEE, 2, DEFENCE_DODGE, 1);
    ASSERT_EQ(o.attacker_strike, 1);
    // One die of 6 and a bonus of 2; a light bruise (points 1 + 4), and a
    // stumble of four dice (6 each) beats the wolf's agility 12.
    ScriptedDraws draws{5, 4, 5, 5, 5, 5};
    const int impact = RealImpact(o.attacker_strike, 2, 0);
    EXPECT_EQ(impact, 8);
    cre_inflict_wound(WOLF, DAMAGE_BLUNT, impact, PART_THIGH, SIDE_LEFT, -1);
    EXPECT_EQ(announce_tactical_advantage(), ADVANTAGE_PLAYER);

    const std::vector<std::string> lines = told();
    std::string wolf_stumbles = the(WOLF, 0) + " stumbles and falls!";
    wolf_stumbles[0] = char(std::toupper(static_cast<unsigned char>(wolf_stumbles[0])));
    const std::vector<std::string> want = {
        "You attack with a good kick and " + the(WOLF) + " twists away too late.",
        "You graze " + the(WOLF) + " in the hind leg.",
        wolf_stumbles,
        "You gain the upper hand!",
    };
    EXPECT_EQ(lines, want);
    EXPECT_EQ(Cre[WOLF].body_state, 1);
    EXPECT_EQ(Cre[WOLF].injury, 5);
    EXPECT_EQ(Cre[WOLF].wounds[CW_KIND][0], WOUND_BLUNT);
    EXPECT_EQ(sounds, (std::vector<std::string>{"smash", "hit_npc"}));
    EXPECT_EQ(pauses, 1);
}

}  // namespace
