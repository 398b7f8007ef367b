// Which animals an encounter brings, the pictures and calls of kinds, and
// the trade figures of species by name.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/area_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_services.h"
#include "creatures/creature_species.h"
#include "creatures/encounter_species.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

// One fixture for the whole program: the world and the templates are made
// once; each test starts from an empty area table and no last pick.
class Encounters : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new PlayFolder;
        world = make_fixture_world("Enc");
        init_terrain_types_for_date(6, 1);
        load_world_files();
        copy_text(Plr.map_name, "BIGMAP");
        is_world_map();
        player_x = world.conifer.x;
        player_y = world.conifer.y;
        creature_defaults();
        for (CreatureRecord& t : CreTemplates) t = CreScratch;
        docreatures();
        saved_templates = new CreatureRecord[CRE_TEMPLATE_COUNT];
        std::memcpy(saved_templates, CreTemplates, sizeof CreTemplates);
    }
    static void TearDownTestSuite() {
        delete[] saved_templates;
        delete folder;
        player_x = player_y = 0;
    }
    void SetUp() override {
        std::memcpy(CreTemplates, saved_templates, sizeof CreTemplates);
        std::memset(AreaEvents, 0, sizeof AreaEvents);
        reset_encounter_species();
        copy_text(Plr.map_name, "BIGMAP");
        player_x = world.conifer.x;
        player_y = world.conifer.y;
        Plr.month = 6;
        Plr.days_played = 10;
        seed_random(3);
    }
    void TearDown() override { std::memset(AreaEvents, 0, sizeof AreaEvents); }
    int choose(int column, int mode) { return choose_encounter_species(column, player_x, player_y, mode); }

    static PlayFolder* folder;
    static FixtureWorld world;
    static CreatureRecord* saved_templates;
};
PlayFolder* Encounters::folder = nullptr;
FixtureWorld Encounters::world;
CreatureRecord* Encounters::saved_templates = nullptr;

bool in_table(int kind) {
    for (int r = 0; r < encounter_row_count(); ++r)
        if (encounter_row_kind(r) == kind) return true;
    return false;
}

TEST_F(Encounters, EveryPickIsATableKindAndNeverTheSameTwiceInARow) {
    std::map<int, int> seen;
    int last = 0;
    for (int i = 0; i < 2000; ++i) {
        const int k = choose(1 + i % 3, 0);
        ASSERT_NE(k, 0);
        ASSERT_TRUE(in_table(k)) << k;
        // A roll of 9 leaves the 604 alone (weight 9 in every column): the
        // one candidate may come again; any other kind never twice.
        if (k != 604) {
            ASSERT_NE(k, last);
        }
        EXPECT_EQ(CreScratch.kind, k);
        last = k;
        ++seen[k];
    }
    // The weightiest kinds come most often; the lightest seldom.
    EXPECT_GT(seen[604], seen[613]);
    EXPECT_GT(seen.size(), 10u);
}

TEST_F(Encounters, ModesKeepToPredatorsAnimalsOrBirds) {
    for (int i = 0; i < 300; ++i) {
        const int p = choose(1, ENCOUNTER_PREDATORS);
        EXPECT_TRUE(p == 0 || p == 602 || p == 605 || p == 608 || p == 611) << p;
        const int a = choose(2, ENCOUNTER_ANIMALS);
        EXPECT_TRUE(a == 0 || (a >= 600 && a < 700)) << a;
        const int b = choose(3, ENCOUNTER_BIRDS);
        if (b != 0) {
            CreatureRecord t = CreTemplates[b];
            CreScratch = t;
            EXPECT_EQ(cre_is_bird(-1), 1) << b;
        }
    }
}

TEST_F(Encounters, KillsInTheAreaLowerAKindsWeightToNothing) {
    // Every kind killed nine times here: no weight is left, no group met.
    for (int r = 0; r < encounter_row_count(); ++r)
        add_area_event(AREA_ANIMALS, player_x, player_y, AREA_RADIUS, 1, 40, encounter_row_kind(r), 9);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(choose(1 + i % 3, 0), 0);
    // A group met raises its kind again.
    add_area_event(AREA_HUMAN_GROUP, player_x, player_y, AREA_RADIUS, 1, 40, 540, 20);
    for (int i = 0; i < 20; ++i) {
        const int k = choose(1, 0);
        EXPECT_EQ(k, 540);
    }
}

TEST_F(Encounters, TheElkAloneIsChosenAgainAndAgainWithoutHanging) {
    // Column 1 at a roll of 9 leaves the hare-like 604 alone; here every
    // row but the elk's is killed off, so the elk (standing twice) is the
    // only kind: it comes every time.
    for (int r = 0; r < encounter_row_count(); ++r)
        if (encounter_row_kind(r) != 660)
            add_area_event(AREA_ANIMALS, player_x, player_y, AREA_RADIUS, 1, 40, encounter_row_kind(r), 9);
    int elks = 0, none = 0;
    for (int i = 0; i < 40; ++i) {
        const int k = choose(1, 0);
        if (k == 660) ++elks;
        else if (k == 0) ++none;  // a roll above the elk's weight
        else ADD_FAILURE() << k;
    }
    EXPECT_GT(elks, 10);
    EXPECT_GT(none, 0);
}

TEST_F(Encounters, ASeasonOutsideItsMonthsKeepsAKindAway) {
    // The hare-like 604 is given a season of months 1-2; in June it never comes.
    CreTemplates[604].season_from = 1;
    CreTemplates[604].season_to = 2;
    for (int i = 0; i < 300; ++i) EXPECT_NE(choose(1, 0), 604);
    Plr.month = 2;
    int got = 0;
    for (int i = 0; i < 300; ++i) got += choose(1, 0) == 604;
    EXPECT_GT(got, 0);
}

TEST(SpeciesByName, PeltPricesAndFur) {
    struct Case {
        const char* name;
        float price;
        int fur;
    } cases[] = {
        {"Arctic fox", 112, 1}, {"Fox", 80, 1},      {"bull elk", 32, 1}, {"Elk", 200, 1},     {"Lynx", 400, 1},
        {"Brown bear", 360, 1}, {"grey seal", 176, 1}, {"hare", 16, 1},   {"Wild boar", 24, 0}, {"Frog", 4, 0},
        {"Pine-marten", 120, 1}, {"cow", 32, 0},     {"Squirrel", 8, 1},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(pelt_price(c.name), c.price) << c.name;
        EXPECT_EQ(is_fur_bearer(c.name), c.fur) << c.name;
    }
}

TEST(SpeciesByName, BirdCallsAndPictureKeys) {
    CreatureRecord c{};
    copy_text(c.name, "Black Grouse");
    EXPECT_STREQ(bird_call_sound(c), "birdcall_black_grouse");
    reset_creature_tables();
    struct Case {
        int code, culture;
        const char* own;
        const char* key;
    } cases[] = {
        {1003, 0, "", "npc-njwar"},    {1005, 11, "", "npc-njman"}, {1005, 2, "", "npc-ecraftm"},
        {1007, 11, "", "npc-njboy"},   {1061, 0, "", "npc-njwoman"}, {1070, 0, "", "av-rseal"},
        {1047, 0, "", ""},             {1051, 0, "own-key", "own-key"},
    };
    for (const Case& k : cases) {
        std::memset(&Cre[2], 0, sizeof Cre[2]);
        Cre[2].cre_class = 1;
        Cre[2].type_code = k.code;
        Cre[2].home_culture = uint8_t(k.culture);
        copy_text(Cre[2].picture_key, k.own);
        EXPECT_STREQ(cre_avatar_name(2), k.key) << k.code;
    }
}

}  // namespace
