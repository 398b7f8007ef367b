// Making creatures from their kind: the wolf as the templates file holds
// it, every animal kind with its class, the weight roll over many wolves,
// a kind without a maker, the culture of the place, young ones and the
// sexes, the bread-eating wolf, and the words that name cultures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_species.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

constexpr int KIND_WOLF = 611;

std::string field(const char* f, size_t n) { return std::string(f, strnlen(f, n)); }
#define FIELD(r, f) field((r).f, sizeof (r).f)

class Species : public ::testing::Test {
protected:
    void SetUp() override {
        reset_creature_tables();
        player_x = player_y = 0;
        seed_random(11);
    }
    void TearDown() override { player_x = player_y = 0; }
};

TEST_F(Species, TheTemplatesFileOfANewGameHoldsTheWolfAsTheGameMakesIt) {
    PlayFolder folder;
    make_fixture_world("Wolf");
    ASSERT_TRUE(write_constant_cre());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file("Wolf/CONSTANT.CRE", bytes));
    ASSERT_EQ(bytes.size(), size_t(CRE_TEMPLATE_FILE_SIZE));
    CreatureRecord w;
    std::memcpy(&w, &bytes[size_t(KIND_WOLF) * sizeof w], sizeof w);
    EXPECT_EQ(w.cre_class, 3);
    EXPECT_EQ(w.predator, 1);
    EXPECT_EQ(w.type_code, 1035);
    EXPECT_EQ(FIELD(w, name), "Wolf");
    EXPECT_EQ(FIELD(w, pain_word), "growl");
    EXPECT_EQ(FIELD(w, call_word), "howl");
    EXPECT_EQ(w.kind, KIND_WOLF);
    EXPECT_EQ(w.species_speed, 140);
    EXPECT_EQ(w.dodge, 70);
    EXPECT_EQ(FIELD(w, attack_name[0]), "savage");
    EXPECT_EQ(w.attack_impact[0], 7);
    EXPECT_EQ(w.attack_value[0], 20);
    EXPECT_EQ(w.attack_aspect[0], 3);
    EXPECT_EQ(w.attack_skill[0], 80);
    const uint8_t armour[7] = {3, 1, 2, 3, 2, 3, 3};
    EXPECT_EQ(std::memcmp(w.natural_armour, armour, 7), 0);
    EXPECT_FLOAT_EQ(w.base_weight, 40.0f);
    EXPECT_EQ(FIELD(w, picture_key), "av-wolf");
    EXPECT_EQ(w.frequency, 45);
    EXPECT_EQ(w.terrain_need, 1);
    EXPECT_EQ(w.terrain_mask, 0x40c07u);
    EXPECT_EQ(w.diet1, 0xcu);
    EXPECT_EQ(w.diet2, 0x10022u);
    EXPECT_EQ(w.culture_mask1, 0x0800);
    EXPECT_EQ(w.culture_mask2, 0x038D);
    EXPECT_EQ(w.walk_speed, 6);
    EXPECT_GE(w.max_speed, 35);
    EXPECT_LE(w.max_speed, 40);
    EXPECT_EQ(w.stature, 0);
    EXPECT_EQ(w.attitude, 2);
    EXPECT_EQ(w.activity, 0);
    EXPECT_EQ(w.hunts, 1);
    EXPECT_EQ(w.attr_str, 14);
    EXPECT_EQ(w.attr_smt, 20);
    EXPECT_EQ(w.attr_hrg, 19);
    EXPECT_GE(w.avoid_threshold, 90);
    EXPECT_LT(w.attack_threshold, 15);
    EXPECT_FLOAT_EQ(w.carcass_damage_factor, 1.8f);

    // Every animal kind has its class and kind, and a name and a picture.
    ASSERT_GE(species_kind_count(), 39);
    for (int i = 0; i < species_kind_count(); ++i) {
        const int k = species_kind_at(i);
        CreatureRecord r;
        std::memcpy(&r, &bytes[size_t(k) * sizeof r], sizeof r);
        EXPECT_NE(r.cre_class, 0) << k;
        EXPECT_EQ(r.kind, k);
        EXPECT_FALSE(FIELD(r, name).empty()) << k;
        EXPECT_FALSE(FIELD(r, picture_key).empty()) << k;
        EXPECT_GT(r.base_weight, 0.0f) << k;
    }
    // People and spirits have their classes until they get makers of
    // their own; the lower slots stay as the defaults leave them.
    for (int k : {500, 510, 540, 551, 590}) EXPECT_EQ(bytes[size_t(k) * sizeof(CreatureRecord)], 1) << k;
    for (int k : {700, 701, 702}) EXPECT_EQ(bytes[size_t(k) * sizeof(CreatureRecord)], 50) << k;
    EXPECT_EQ(bytes[100 * sizeof(CreatureRecord)], 0);
}

TEST_F(Species, TheKindsOfTheTable) {
    struct Case {
        int kind;
        const char* name;
        int cre_class, mobility;
        float weight;
        int spread, frequency, season_from, season_to;
        uint32_t mask;
        const char* first_attack;
    };
    const Case cases[] = {
        {600, "Hare", 2, 0, 4.0f, 40, 400, 0, 0, 0x44058, "nip"},
        {602, "Glutton", 20, 0, 15.0f, 30, 60, 0, 0, 0x40007, "bite"},
        {605, "Bear", 4, 0, 240.0f, 40, 30, 4, 11, 0x40007, "smack"},
        {604, "Squirrel", 13, 0, 0.4f, 30, 250, 0, 0, 0x40400, "nip"},
        {622, "Snake", 11, 0, 0.25f, 30, 70, 5, 10, 0x1c047, "snakebite"},
        {623, "Beaver", 19, 96, 20.0f, 30, 0, 0, 0, 0, "nip"},
        {628, "Black grouse", 21, 64, 1.0f, 30, 1300, 0, 0, 0x41018, "peck"},
        {629, "Swan", 21, 128, 10.0f, 30, 0, 5, 11, 0, "peck"},
        {630, "Mallard", 21, 128, 1.1f, 30, 1400, 4, 10, 0x20, "peck"},
        {634, "Raven", 21, 64, 1.2f, 30, 600, 0, 0, 0x40401, "peck"},
        {637, "Goshawk", 21, 64, 1.5f, 30, 500, 4, 10, 0x40405, "claw"},
        {639, "Kuikka", 21, 128, 2.5f, 30, 800, 4, 9, 0x20, "peck"},
        {650, "Grey seal", 24, 96, 200.0f, 50, 600, 0, 0, 0x80000, "nip"},
        {621, "Horse", 17, 0, 350.0f, 30, 0, 0, 0, 0, "hoof_kick"},
    };
    for (const Case& c : cases) {
        creature_template(c.kind);
        const CreatureRecord& r = CreScratch;
        EXPECT_EQ(FIELD(r, name), c.name) << c.kind;
        EXPECT_EQ(r.cre_class, c.cre_class) << c.kind;
        EXPECT_EQ(r.mobility, c.mobility) << c.kind;
        EXPECT_FLOAT_EQ(r.base_weight, c.weight) << c.kind;
        EXPECT_EQ(r.weight_spread, c.spread) << c.kind;
        EXPECT_EQ(r.frequency, c.frequency) << c.kind;
        EXPECT_EQ(r.season_from, c.season_from) << c.kind;
        EXPECT_EQ(r.season_to, c.season_to) << c.kind;
        EXPECT_EQ(r.terrain_mask, c.mask) << c.kind;
        EXPECT_EQ(FIELD(r, attack_name[0]), c.first_attack) << c.kind;
    }
    // The horse has a picture of its own; the forest reindeer too.
    creature_template(621);
    EXPECT_EQ(FIELD(CreScratch, picture_key), "av-horse");
    creature_template(620);
    EXPECT_EQ(FIELD(CreScratch, picture_key), "av-forreind");
    // The ringed seal's spread of weights is drawn.
    creature_template(651);
    EXPECT_GE(CreScratch.weight_spread, 20);
    EXPECT_LE(CreScratch.weight_spread, 50);
}

TEST_F(Species, PredatorsHuntAndGrazersForage) {
    const uint32_t hunting = 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x2000 | 0x10000;
    const uint32_t forage = 0x80 | 0x100 | 0x200 | 0x400 | 0x800 | 0x1000;
    for (int k : {601, 602, 603, 605, 608, 611, 612, 618, 624, 625, 626, 627}) {
        creature_template(k);
        EXPECT_EQ(CreScratch.predator, 1) << k;
        EXPECT_NE((CreScratch.diet1 | CreScratch.diet2) & hunting, 0u) << k;
    }
    for (int k : {600, 609, 616, 619, 620, 621, 660}) {
        creature_template(k);
        EXPECT_EQ(CreScratch.predator, 0) << k;
        EXPECT_EQ((CreScratch.diet1 | CreScratch.diet2) & hunting, 0u) << k;
        EXPECT_NE((CreScratch.diet1 | CreScratch.diet2) & forage, 0u) << k;
    }
}

TEST_F(Species, TenThousandWolvesWeighWithinTheSpreadMostlyLighter) {
    int lighter = 0;
    for (int i = 0; i < 10000; ++i) {
        const int reserve = creature_template(KIND_WOLF);
        const float w = CreScratch.weight;
        ASSERT_GE(w, 28.4f - 1e-3f);
        ASSERT_LE(w, 51.6f + 1e-3f);
        lighter += w <= 40.0f;
        ASSERT_EQ(reserve, CreScratch.energy);
        ASSERT_GE(CreScratch.energy, 0);
        ASSERT_LT(CreScratch.energy, std::ceil(w * 35.0f));
        ASSERT_EQ(CreScratch.prev_move_mode, CreScratch.move_mode);
    }
    // Three in four lighter (the one in four drawn heavier at d = 0 counts
    // as lighter too).
    EXPECT_GT(lighter, 7300);
    EXPECT_LT(lighter, 7900);
}

TEST_F(Species, AKindWithoutAMakerHasTheDefaultsAndItsKindOnly) {
    seed_random(3);
    creature_template(606);
    const CreatureRecord made = CreScratch;
    seed_random(3);
    creature_defaults();
    CreatureRecord expected = CreScratch;
    expected.kind = 606;
    EXPECT_EQ(std::memcmp(&made, &expected, sizeof made), 0);
    EXPECT_EQ(made.cre_class, 0);
    EXPECT_EQ(made.weight, 0.0f);
    EXPECT_EQ(made.energy, 0);
}

TEST_F(Species, TheCultureOfThePlace) {
    // Before the player is placed: "wandering", code 10.
    creature_template(540);
    EXPECT_STREQ(creation_culture_word, "wandering");
    EXPECT_EQ(creation_culture, 10);
    // On the world map, the culture of the player's cell, first letter
    // upper-cased.
    copy_text(Plr.map_name, "BIGMAP");
    is_world_map();
    player_x = 1000;
    player_y = 600;
    set_culture_at(player_x, player_y, 1);
    creature_template(540);
    EXPECT_STREQ(creation_culture_word, "Driikil\xE4is");
    EXPECT_EQ(creation_culture, 1);
    // A code outside 0..13 counts as the wanderers'.
    set_culture_at(player_x, player_y, 40);
    creature_template(540);
    EXPECT_STREQ(creation_culture_word, "wandering");
    EXPECT_EQ(creation_culture, 10);
    set_culture_at(player_x, player_y, 0);
    // A forced culture wins over the place, for that call only; the group
    // id goes into lauma.
    CreatureRecord out;
    creature_template_for_culture(530, 7, out, 42);
    EXPECT_EQ(creation_culture, 7);
    EXPECT_STREQ(creation_culture_word, "Kuikka-tribe");
    EXPECT_EQ(out.lauma, 42);
    EXPECT_EQ(out.kind, 530);
    EXPECT_EQ(forced_culture_on, 0);
    creature_template_for_culture(530, 7, out, 0);
    EXPECT_EQ(out.lauma, 0);
    creature_template(530);
    EXPECT_EQ(creation_culture, 0);
}

TEST_F(Species, WithoutSpreadAKindWeighsItsAverageAndTheYoungKeepTheMakersWeight) {
    creature_template(700);  // a spirit: no spread
    EXPECT_EQ(CreScratch.weight, 40.0f);
    EXPECT_EQ(CreScratch.cre_class, 50);
    EXPECT_STREQ(CreScratch.name, "Beautiful maid");
    creature_template(590);
    EXPECT_FLOAT_EQ(CreScratch.base_weight, 30.0f);

    CreatureRecord cub;
    EXPECT_EQ(make_young_creature(605, cub), 1);
    EXPECT_TRUE(cub.sex_age & SEX_YOUNG);
    EXPECT_FLOAT_EQ(cub.weight, 240.0f * 0.15f);
    EXPECT_LT(cub.energy, std::ceil(cub.weight * 35.0f));
    EXPECT_EQ(creation_options[0], 0);
    EXPECT_EQ(keep_creation_options, 0);
    // Only the bear, the deer and the sheep have young.
    CreatureRecord wolf;
    make_young_creature(KIND_WOLF, wolf);
    EXPECT_FALSE(wolf.sex_age & SEX_YOUNG);
    // The options are cleared for the next creature.
    creature_template(605);
    EXPECT_FALSE(CreScratch.sex_age & SEX_YOUNG);
}

TEST_F(Species, SexesAndTheirPicturesAndBlows) {
    struct Case {
        int kind;
        const char* options;
        bool male;
        const char* picture;
        int type_code;
    };
    const Case cases[] = {
        {660, "[male]", true, "av-bullelk", 1050},  {660, "[female]", false, "av-elk", 1051},
        {616, "[male]", true, "av-ram", 1036},      {616, "[female]", false, "av-sheep", 1036},
        {617, "", true, "av-ram", 1036},            {610, "", true, "av-bull", 1031},
        {605, "[female]", false, "av-bear", 1049},
    };
    for (const Case& c : cases) {
        copy_text(creation_options, c.options);
        keep_creation_options = 1;
        creature_template(c.kind);
        keep_creation_options = 0;
        EXPECT_EQ((CreScratch.sex_age & SEX_MALE) != 0, c.male) << c.kind << c.options;
        EXPECT_EQ(FIELD(CreScratch, picture_key), c.picture) << c.kind << c.options;
        EXPECT_EQ(CreScratch.type_code, c.type_code) << c.kind << c.options;
    }
    creation_options[0] = 0;
    // The kinds of the male cattle and ram stay theirs until the map entry
    // turns them.
    creature_template(610);
    EXPECT_EQ(CreScratch.kind, 610);
    EXPECT_STREQ(CreScratch.name, "bull");
    // A he-bear strikes harder than a she-bear, a cub least.
    copy_text(creation_options, "[male]");
    keep_creation_options = 1;
    creature_template(605);
    const int he = CreScratch.attack_impact[0];
    copy_text(creation_options, "[female]");
    creature_template(605);
    const int she = CreScratch.attack_impact[0];
    copy_text(creation_options, "[young]");
    creature_template(605);
    const int cub = CreScratch.attack_impact[0];
    keep_creation_options = 0;
    EXPECT_GT(he, she);
    EXPECT_GT(she, cub);
    // Drawn sexes come out both ways.
    int males = 0;
    for (int i = 0; i < 200; ++i) {
        creature_template(619);
        males += (CreScratch.sex_age & SEX_MALE) != 0;
    }
    EXPECT_GT(males, 60);
    EXPECT_LT(males, 140);
}

TEST_F(Species, DomesticAnimalsAreCalmAndTheBreadWolfIsMarked) {
    for (int k : {609, 615, 616, 618, 619, 621}) {
        creature_template(k);
        EXPECT_EQ(CreScratch.flee_threshold, 0) << k;
        EXPECT_EQ(CreScratch.avoid_threshold, 0) << k;
        EXPECT_EQ(CreScratch.attack_threshold, 0) << k;
        EXPECT_EQ(CreScratch.morale2, 0) << k;
        EXPECT_LT(CreScratch.hyokkaavyys, 30) << k;
    }
    CreatureRecord wolf;
    EXPECT_EQ(make_wolf_creature(wolf), 1);
    EXPECT_EQ(wolf.kind, KIND_WOLF);
    EXPECT_TRUE(wolf.cre_flags & 0x2);
    EXPECT_TRUE(wolf.diet2 & 0x400000);
    EXPECT_EQ(wolf.flee_threshold, 0);
    EXPECT_LT(wolf.avoid_threshold, 30);
    EXPECT_LT(wolf.morale2, 10);
    EXPECT_EQ(wolf.activity, 0);          // the copy keeps the wolf's rhythm
    EXPECT_EQ(CreScratch.activity, 4);    // the working record is awake always
    EXPECT_FALSE(CreScratch.cre_flags & 0x2);
}

TEST_F(Species, PersonalValuesBitValuesAndMarks) {
    CreatureRecord r{};
    cre_roll_personal_values(r);
    EXPECT_LT(r.flee_threshold, 70);
    EXPECT_LT(r.random_a, 30);
    EXPECT_GE(r.morale2, 20);
    EXPECT_LT(r.morale2, 30);
    EXPECT_GE(r.hyokkaavyys, 90);
    for (uint8_t b : r.attitude_block) EXPECT_EQ(b & 0x2, 0x2);

    const int bits[][2] = {{0, 1}, {3, 8}, {15, 32768}, {16, 0}, {-1, 0}, {-40, 0}};
    for (const auto& b : bits) EXPECT_EQ(bit_value(b[0]), b[1]) << b[0];

    CreatureRecord m{};
    cre_mark_attitude_bit(0, 3, m, 0x08);
    EXPECT_EQ(m.attitude_block[19], 0);
    cre_mark_attitude_bit(0, -1, m, 0x08);
    EXPECT_EQ(m.attitude_block[19], 0x08);
}

TEST_F(Species, TheDeathOfAHuntedKindIsNotedAsAnAreaEvent) {
    std::memset(AreaEvents, 0, sizeof AreaEvents);
    copy_text(Plr.map_name, "BIGMAP");
    player_x = 1500;
    player_y = 900;
    CreSlotRefs[0] = 1000;
    Cre[0].cre_class = 3;
    for (int k : {611, 600, 660, 616}) {
        Cre[0].kind = k;
        cre_record_death_event(0);
    }
    // The wolf and the elk; the hare and the sheep are no hunted kinds.
    EXPECT_EQ(AreaEvents[0].key, 611);
    EXPECT_EQ(AreaEvents[1].key, 660);
    EXPECT_EQ(AreaEvents[2].type, 0);
    cre_record_death_event(-1);
    cre_record_death_event(CRE_SLOTS);
    EXPECT_EQ(AreaEvents[2].type, 0);
    std::memset(AreaEvents, 0, sizeof AreaEvents);
}

TEST(CultureWords, WholeWordsNameCultures) {
    struct Case {
        const char* text;
        int culture;
        int named;
    };
    const Case cases[] = {
        {"nje", 11, 1},           {"nje", 10, 0},           {"northern eastern", 0, 1},
        {"northern eastern", 2, 1}, {"northern eastern", 3, 1}, {"northern eastern", 8, 1},
        {"northern eastern", 1, 0}, {"northern eastern", 4, 0}, {"western", 6, 1},
        {"western", 7, 0},        {"all", 5, 1},            {"forest", 12, 0},
        {"for", 12, 1},           {"FOR woo", 13, 1},       {"kau,dri", 1, 1},
        {"seal-tribe", 9, 0},     {"sea", 9, 1},            {"", 0, 0},
        {"all", 14, 0},           {"all", -1, 0},           {"overall", 3, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(text_mentions_culture(c.text, c.culture), c.named) << c.text << " " << c.culture;
    EXPECT_EQ(text_mentions_culture(nullptr, 1), 0);
    EXPECT_STREQ(culture_word(11), "Rororad");
    EXPECT_STREQ(culture_word(14), "wandering");
}

}  // namespace
