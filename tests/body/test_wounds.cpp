// Body parts and where blows land, wound names, the player's wound slots
// (added, merged, healed, capped, checked on loading) and carcass damage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/wounds.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "scripted_draws.h"
#include "support/play_folder.h"
#include "support/saved_game.h"
#include "ui/keyed_words.h"
#include "ui/message_line.h"

namespace {

constexpr int WOLF = 5;  // creature slots of the tests
constexpr int BIRD = 6;
constexpr int SNAKE = 7;

struct Wounds : ::testing::Test {
    PlayFolder folder;  // the message catalogue
    void SetUp() override {
        std::memset(&Plr, 0, sizeof Plr);
        Plr.end = 12;
        reset_body_state();
        for (int slot : {WOLF, BIRD, SNAKE}) std::memset(&Cre[slot], 0, sizeof Cre[slot]);
        Cre[WOLF].cre_class = 3;
        Cre[BIRD].cre_class = 21;
        Cre[SNAKE].cre_class = 11;
        skip_message_pauses = true;
        messages_suppressed = false;
        message_text[0] = 0;
    }
    void TearDown() override {
        for (int slot : {WOLF, BIRD, SNAKE}) std::memset(&Cre[slot], 0, sizeof Cre[slot]);
    }
    static int column(int c, int slot) { return Plr.wounds[c][slot]; }
    // A wound of the player: kind, severity, part, damage, side, care.
    static void plant(int slot, int kind, int severity, int part, int damage, int side, int care) {
        Plr.wounds[PW_KIND][slot] = uint8_t(kind);
        Plr.wounds[PW_SEVERITY][slot] = uint8_t(severity);
        Plr.wounds[PW_PART][slot] = uint8_t(part);
        Plr.wounds[PW_DAMAGE][slot] = uint8_t(damage);
        Plr.wounds[PW_SIDE][slot] = uint8_t(side);
        Plr.wounds[PW_CARE][slot] = uint8_t(care);
        Plr.wound_total += damage;
    }
};

// ------------------------------------------------------------ where blows land

TEST_F(Wounds, ZoneSharesFollowTheirTables) {
    seed_random(21);
    constexpr int hits = 100000;
    int zone0[BODY_PART_COUNT] = {}, zone3[BODY_PART_COUNT] = {};
    for (int i = 0; i < hits; ++i) {
        ++zone0[roll_body_part_hit(0, -1, 0)];
        ++zone3[roll_body_part_hit(3, -1, 0)];
    }
    EXPECT_NEAR(double(zone0[PART_SKULL]) / hits, 0.16, 0.005);
    EXPECT_NEAR(double(zone0[PART_SHOULDER]) / hits, 0.32, 0.005);
    for (int part = 0; part < BODY_PART_COUNT; ++part) {
        if (part < PART_FOREARM || part > PART_FOOT) {
            EXPECT_EQ(zone3[part], 0) << part;
        }
    }
    // The legs' table covers 1..95 only: the foot's 6 draws are 6 of 95.
    EXPECT_NEAR(double(zone3[PART_FOOT]) / hits, 6.0 / 95, 0.004);
}

TEST_F(Wounds, DrawsLandOnTheirPartsAndPairedPartsTakeASide) {
    struct Row {
        int zone, draw, part;
    } rows[] = {
        {1, 3, PART_HIP},  {0, 87, PART_HIP}, {0, 86, PART_FOREARM}, {0, 88, PART_HAND},
        {0, 16, PART_SKULL}, {2, 85, PART_GROIN}, {2, 100, PART_CALF}, {3, 95, PART_FOOT},
    };
    for (const Row& row : rows) {
        ScriptedDraws draws{row.draw - 1, 0};
        EXPECT_EQ(roll_body_part_hit(row.zone, -1, 0), row.part) << row.zone << "/" << row.draw;
        EXPECT_EQ(last_hit_side, is_paired_part(row.part) ? SIDE_RIGHT : SIDE_NONE);
        EXPECT_EQ(combat_hit_side, last_hit_side);
    }
    // The legs' zone draws again above 95.
    ScriptedDraws draws{99, 95, 96, 39, 1};
    EXPECT_EQ(roll_body_part_hit(3, -1, 0), PART_THIGH);
    EXPECT_EQ(draws.calls(), 5);
    EXPECT_EQ(last_hit_side, SIDE_LEFT);
}

TEST_F(Wounds, OtherZonesTakeThePartGivenAndAnAimedPartOnce) {
    ScriptedDraws draws{1, 0};
    EXPECT_EQ(roll_body_part_hit(1000, -1, PART_KNEE), PART_KNEE);
    EXPECT_EQ(last_hit_side, SIDE_LEFT);
    EXPECT_EQ(roll_body_part_hit(1000, -1, 200), PART_THORAX);  // only parts 0..18 come out
    EXPECT_EQ(roll_body_part_hit(7, -1, -4), PART_THORAX);
    EXPECT_EQ(last_hit_side, SIDE_NONE);
    aimed_part_flag = 1;
    EXPECT_EQ(roll_body_part_hit(PART_HAND, -1, 0), PART_HAND);
    EXPECT_EQ(aimed_part_flag, 0);
    EXPECT_EQ(draws.left(), 0u);
}

TEST_F(Wounds, BodiesOfOtherKindsHaveTheirOwnParts) {
    struct Row {
        int creature, zone, draw, part;
        const char* name;
    } rows[] = {
        {WOLF, 2, 85, PART_ABDOMEN, "belly"},  // a wolf's groin
        {WOLF, 0, 88, PART_HAND, "paw"},
        {WOLF, 2, 90, PART_THIGH, "hind leg"},
        {BIRD, 2, 100, PART_KNEE, "shank"},    // a bird's calf
        {BIRD, 2, 10, PART_THORAX, "chest"},   // and its shoulder
        {BIRD, 2, 60, PART_ABDOMEN, "belly"},
        {SNAKE, 0, 30, PART_SKULL, "skull"},
        {SNAKE, 3, 40, PART_ABDOMEN, "belly"},
        {-1, 2, 85, PART_GROIN, "groin"},
    };
    for (const Row& row : rows) {
        ScriptedDraws draws{row.draw - 1, 0};
        const int part = roll_body_part_hit(row.zone, row.creature, 0);
        EXPECT_EQ(part, row.part) << row.creature << " " << row.zone << "/" << row.draw;
        EXPECT_STREQ(body_part_name(part, row.creature), row.name) << row.creature << " " << part;
    }
    EXPECT_STREQ(body_part_name(PART_CALF, BIRD), "shank");
    EXPECT_STREQ(body_part_name(PART_HAND, BIRD), "wing");
    EXPECT_STREQ(body_part_name(PART_FOREARM, WOLF), "foreleg");
    EXPECT_STREQ(body_part_name(PART_FOREARM, -1), "forearm");
}

// ------------------------------------------------------------ names

TEST_F(Wounds, NamesOfWoundsAndAilments) {
    EXPECT_STREQ(wound_name(WOUND_CUT, PART_HAND, 1, SIDE_RIGHT), "Shallow cut in right hand");
    EXPECT_STREQ(wound_name(WOUND_FROST, PART_FOOT, 3, 0), "Severe frostbite in left foot");
    EXPECT_STREQ(wound_name(WOUND_BLUNT, PART_THORAX, 2, SIDE_NONE), "Fracture in chest");
    EXPECT_STREQ(wound_name(25, 0, 1, 0), "Nausea and altered consciousness");
    EXPECT_STREQ(wound_name(33, 0, 1, 0), "Vague ailment");

    plant(0, WOUND_BITE, 3, PART_THIGH, 9, SIDE_LEFT, 0);
    plant(1, 25, 2, 0, 4, 0, 2);
    EXPECT_STREQ(wound_description(-1, 0), "Grievous bite in left thigh");
    EXPECT_STREQ(wound_description(-1, 1), "Hallucinating");
    EXPECT_STREQ(wound_description(-1, 2), "");
    Cre[WOLF].wounds[CW_KIND][3] = WOUND_CUT;
    Cre[WOLF].wounds[CW_SEVERITY][3] = 2;
    Cre[WOLF].wounds[CW_PART][3] = PART_CALF;
    Cre[WOLF].wounds[CW_SIDE][3] = SIDE_RIGHT;
    Cre[WOLF].wounds[CW_BLEEDING][3] = 3;
    Cre[WOLF].wounds[CW_DAMAGE][3] = 7;
    EXPECT_STREQ(wound_description(WOLF, 3), "Serious cut in right hind leg (bleeding)");
    const WoundView w = wound_view(WOLF, 3);
    EXPECT_EQ(w.kind, WOUND_CUT);
    EXPECT_EQ(w.damage, 7);
    EXPECT_EQ(w.bleeding, 3);
    EXPECT_EQ(w.care, 4);  // a creature's care always reads 4
    EXPECT_EQ(wound_view(-1, 0).part, PART_THIGH);
    EXPECT_EQ(wound_view(-1, 20).kind, 0);
}

// ------------------------------------------------------------ the player's slots

TEST_F(Wounds, DamageKindsMapToWoundKindsAndSomeAreRefused) {
    const int expected[] = {1, 1, 2, 6, 3, 4, 5, 1, -1, -1, 10};
    for (int kind = 0; kind <= 10; ++kind) EXPECT_EQ(wound_kind_of_damage(kind), expected[kind]) << kind;
    EXPECT_EQ(wound_kind_of_damage(101), -1);
    EXPECT_EQ(plr_add_wound(5, PART_HAND, 1, 0, 8), -1);
    EXPECT_EQ(Plr.wound_total, 0);
    EXPECT_EQ(column(PW_KIND, 0), 0);
}

TEST_F(Wounds, AWoundTakesTheFirstFreeSlotWithTheLastSide) {
    last_hit_side = SIDE_RIGHT;
    plant(0, WOUND_BLUNT, 1, PART_FOOT, 3, SIDE_LEFT, 4);
    EXPECT_EQ(plr_add_wound(12, PART_HAND, 0, 99, 2), 1);
    EXPECT_EQ(column(PW_KIND, 1), WOUND_CUT);
    EXPECT_EQ(column(PW_SEVERITY, 1), 1);  // 0 counts as 1
    EXPECT_EQ(column(PW_DAMAGE, 1), 12);
    EXPECT_EQ(column(PW_SIDE, 1), SIDE_RIGHT);
    EXPECT_EQ(column(PW_CARE, 1), 0);
    EXPECT_EQ(Plr.wound_total, 15);
    // Bytes saturate; the total follows what the slot holds.
    EXPECT_EQ(plr_add_wound(400, PART_THORAX, 3, 0, 4), 2);
    EXPECT_EQ(column(PW_DAMAGE, 2), 255);
    EXPECT_EQ(Plr.wound_total, 270);
    EXPECT_EQ(Plr.wound_total, plr_wound_damage_sum());
}

TEST_F(Wounds, AilmentsGrowAndFrostDeepensInsteadOfTakingSlots) {
    EXPECT_EQ(plr_add_wound(6, 0, 2, 0, 20), 0);  // nausea
    EXPECT_EQ(column(PW_CARE, 0), 2);            // an ailment's care is its strength
    EXPECT_EQ(plr_add_wound(5, 0, 1, 0, 20), 0);
    EXPECT_EQ(column(PW_DAMAGE, 0), 11);

    last_hit_side = SIDE_LEFT;
    EXPECT_EQ(plr_add_wound(4, PART_FOOT, 1, 0, 6), 1);
    EXPECT_EQ(plr_add_wound(9, PART_FOOT, 2, 0, 6), 1);  // same part and side
    EXPECT_EQ(column(PW_SEVERITY, 1), 2);
    EXPECT_EQ(column(PW_DAMAGE, 1), 9);
    EXPECT_EQ(plr_add_wound(3, PART_FOOT, 1, 0, 6), 1);  // less keeps the more
    EXPECT_EQ(column(PW_DAMAGE, 1), 9);
    EXPECT_EQ(column(PW_SEVERITY, 1), 2);
    last_hit_side = SIDE_RIGHT;
    EXPECT_EQ(plr_add_wound(3, PART_FOOT, 1, 0, 6), 2);  // the other foot
    EXPECT_EQ(Plr.wound_total, 11 + 9 + 3);

    // With a free slot before it, a second frost takes that slot.
    Plr.wounds[PW_KIND][0] = 0;
    Plr.wound_total = plr_wound_damage_sum();
    EXPECT_EQ(plr_add_wound(9, PART_FOOT, 3, 0, 6), 0);
}

TEST_F(Wounds, TheTwentyFirstWoundTakesTheLastSlotAndItsPlaceInTheTotals) {
    for (int i = 0; i < 20; ++i) EXPECT_EQ(plr_add_wound(2 + i, PART_THORAX, 1, 0, 2), i);
    Plr.wounds[PW_BLEEDING][19] = 4;
    Plr.blood_loss = 10;
    Plr.wound_treatments[19] = 7;
    EXPECT_EQ(plr_add_wound(50, PART_HAND, 2, 0, 4), 19);
    EXPECT_EQ(column(PW_KIND, 19), WOUND_PUNCTURE);
    EXPECT_EQ(column(PW_DAMAGE, 19), 50);
    EXPECT_EQ(column(PW_BLEEDING, 19), 0);
    EXPECT_EQ(Plr.wound_treatments[19], 0);
    EXPECT_EQ(Plr.blood_loss, 6);
    EXPECT_EQ(Plr.wound_total, plr_wound_damage_sum());
}

TEST_F(Wounds, HealingLowersATreatedWoundAndClearsAnUntreatedOne) {
    last_hit_side = SIDE_RIGHT;
    const int cut = plr_add_wound(5, PART_HAND, 1, 0, 2);
    Plr.wounds[PW_CARE][cut] = 4;
    plr_heal_wound(cut, 1);
    EXPECT_EQ(column(PW_DAMAGE, cut), 4);
    EXPECT_EQ(Plr.wound_total, 4);
    EXPECT_STREQ(message_text, "");
    plr_heal_wound(cut, 5);
    EXPECT_EQ(column(PW_KIND, cut), 0);
    EXPECT_EQ(Plr.wound_total, 0);
    EXPECT_NE(std::string(last_message).find("Shallow cut in right hand has fully healed!"), std::string::npos)
        << last_message;

    // Untreated: the first heal clears it, and all of its damage leaves
    // the total.
    const int bruise = plr_add_wound(5, PART_KNEE, 1, 0, 0);
    Plr.wounds[PW_BLEEDING][bruise] = 2;
    Plr.blood_loss = 5;
    Plr.wound_herb_care[bruise] = 3;
    plr_heal_wound(bruise, 1);
    EXPECT_EQ(column(PW_KIND, bruise), 0);
    EXPECT_EQ(column(PW_DAMAGE, bruise), 0);
    EXPECT_EQ(column(PW_BLEEDING, bruise), 0);
    EXPECT_EQ(Plr.wound_herb_care[bruise], 0);
    EXPECT_EQ(Plr.blood_loss, 3);
    EXPECT_EQ(Plr.wound_total, 0);

    plr_add_wound(3, 0, 1, 0, 21);
    plr_heal_wound(0, 3);
    EXPECT_NE(std::string(last_message).find("Stomach-ache seems to ease and go away!"), std::string::npos)
        << last_message;
}

TEST_F(Wounds, TheWoundTotalIsHealedDownToNinety) {
    plant(0, WOUND_CUT, 3, PART_THORAX, 40, 3, 4);
    plant(1, WOUND_CUT, 3, PART_THIGH, 30, 1, 4);
    plant(2, WOUND_CUT, 3, PART_HIP, 25, 2, 4);
    Plr.wounds[PW_BLEEDING][1] = 5;
    Plr.blood_loss = 40;
    plr_limit_wound_total(1);
    EXPECT_EQ(column(PW_DAMAGE, 0), 38);
    EXPECT_EQ(column(PW_DAMAGE, 1), 28);
    EXPECT_EQ(column(PW_DAMAGE, 2), 23);
    EXPECT_EQ(Plr.wound_total, 89);
    EXPECT_EQ(Plr.blood_loss, 24);  // twice the endurance
    EXPECT_EQ(column(PW_BLEEDING, 1), 5);
    plr_limit_wound_total(0);
    EXPECT_EQ(column(PW_BLEEDING, 1), 0);
    EXPECT_EQ(Plr.wound_total, 89);
}

// ------------------------------------------------------------ carcasses

TEST_F(Wounds, CarcassDamageWeighsWoundsByPartAndSize) {
    ksm_textinit();
    struct Wound {
        int kind, severity, part;
    };
    struct Row {
        float factor;
        std::vector<Wound> wounds;
        int damage;
        const char* word;
    } rows[] = {
        {30.0f, {}, 0, ""},
        {30.0f, {{WOUND_CUT, 1, PART_THORAX}}, 5, "slightly damaged"},      // one wound of 6 or less
        {1.8f, {{WOUND_CUT, 2, PART_THORAX}}, 5, "slightly damaged"},
        {1.8f, {{WOUND_BITE, 3, PART_THORAX}}, 17, "somewhat damaged"},    // 9 x 1.8, up
        {1.8f, {{WOUND_CUT, 1, PART_HAND}, {WOUND_CUT, 1, PART_SKULL}}, 0, ""},  // weightless parts
        {3.0f, {{WOUND_BLUNT, 2, PART_THORAX}, {WOUND_BLUNT, 2, PART_ABDOMEN}}, 0, ""},  // bruises alone
        {3.0f, {{WOUND_CUT, 2, PART_THORAX}, {WOUND_BLUNT, 2, PART_ABDOMEN}}, 21, "somewhat damaged"},
        {3.0f, {{WOUND_BLUNT, 3, PART_THORAX}, {WOUND_PUNCTURE, 3, PART_NECK}}, 11, "somewhat damaged"},
        {30.0f, {{WOUND_CUT, 3, PART_THORAX}, {WOUND_CUT, 3, PART_ABDOMEN}}, 100, "mangled"},
    };
    for (const Row& row : rows) {
        std::memset(&Cre[WOLF].wounds, 0, sizeof Cre[WOLF].wounds);
        Cre[WOLF].carcass_damage_factor = row.factor;
        for (size_t i = 0; i < row.wounds.size(); ++i) {
            Cre[WOLF].wounds[CW_KIND][i] = uint8_t(row.wounds[i].kind);
            Cre[WOLF].wounds[CW_SEVERITY][i] = uint8_t(row.wounds[i].severity);
            Cre[WOLF].wounds[CW_PART][i] = uint8_t(row.wounds[i].part);
        }
        char word[100] = "x";
        EXPECT_EQ(carcass_damage(WOLF, word, sizeof word), row.damage) << row.factor << " " << row.wounds.size();
        EXPECT_STREQ(word, row.word);
    }
    char word[100] = "x";
    EXPECT_EQ(carcass_damage(-1, word, sizeof word), 0);
    EXPECT_STREQ(word, "");
}

// ------------------------------------------------------------ loading

TEST(WoundSlotsOnLoad, AWoundSlotThatMakesNoSenseIsClearedFromACharacterAndACreature) {
    PlayFolder folder;
    make_saved_game("TESTER");
    std::memset(Plr.wounds, 0, sizeof Plr.wounds);
    Plr.wound_total = 0;
    Plr.blood_loss = 0;
    const struct {
        int kind, severity, part, damage, bleeding;
    } slots[] = {
        {WOUND_CUT, 2, PART_HAND, 6, 1},   // sound
        {WOUND_CUT, 2, 200, 7, 2},         // no such part
        {WOUND_BLUNT, 4, PART_HAND, 3, 0}, // a wound of severity 4
        {20, 5, 0, 4, 0},                  // an ailment may reach 5
        {8, 1, PART_HAND, 2, 0},           // no such kind
    };
    for (int i = 0; i < 5; ++i) {
        Plr.wounds[PW_KIND][i] = uint8_t(slots[i].kind);
        Plr.wounds[PW_SEVERITY][i] = uint8_t(slots[i].severity);
        Plr.wounds[PW_PART][i] = uint8_t(slots[i].part);
        Plr.wounds[PW_DAMAGE][i] = uint8_t(slots[i].damage);
        Plr.wounds[PW_BLEEDING][i] = uint8_t(slots[i].bleeding);
        Plr.wound_total += slots[i].damage;
        Plr.blood_loss += slots[i].bleeding;
    }
    ASSERT_TRUE(save_character(SAVE_QUIET));
    PlayerRecord on_disk;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), on_disk));
    ASSERT_EQ(on_disk.wounds[PW_PART][1], 200);

    std::memset(&Plr, 0, sizeof Plr);
    readguy();
    EXPECT_EQ(Plr.wounds[PW_KIND][0], WOUND_CUT);
    EXPECT_EQ(Plr.wounds[PW_KIND][1], 0);
    EXPECT_EQ(Plr.wounds[PW_PART][1], 0);
    EXPECT_EQ(Plr.wounds[PW_KIND][2], 0);
    EXPECT_EQ(Plr.wounds[PW_KIND][3], 20);
    EXPECT_EQ(Plr.wounds[PW_KIND][4], 0);
    EXPECT_EQ(Plr.wound_total, 6 + 4);
    EXPECT_EQ(Plr.blood_loss, 1);
    const std::string log = folder.read("debug_!body.txt");
    EXPECT_NE(log.find("player wound slot 1 cleared on load: kind 2, severity 2, part 200"), std::string::npos) << log;

    // A creature loaded onto the map is checked the same way.
    CreatureRecord& t = CreTemplates[611];
    const CreatureRecord saved_template = t;
    t.cre_class = 3;
    t.wounds[CW_KIND][0] = WOUND_BITE;
    t.wounds[CW_SEVERITY][0] = 1;
    t.wounds[CW_PART][0] = PART_THIGH;
    t.wounds[CW_KIND][1] = WOUND_CUT;
    t.wounds[CW_SEVERITY][1] = 0;
    t.wounds[CW_PART][1] = PART_THIGH;
    const int ref = cre_load_into_slot(611, 0);
    ASSERT_GE(ref, CRE_REF_BASE);
    EXPECT_EQ(Cre[ref - CRE_REF_BASE].wounds[CW_KIND][0], WOUND_BITE);
    EXPECT_EQ(Cre[ref - CRE_REF_BASE].wounds[CW_KIND][1], 0);
    t = saved_template;
    reset_creature_tables();
    character_name[0] = 0;
}

}  // namespace
