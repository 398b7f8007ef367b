// Villages: the record and the village file, the cells and ids of
// settlements, the player's standing and familiarity, the terms of address,
// banishments, item debts and the goods pool.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/goods_storage.h"
#include "base/stubs.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/standing.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

class Villages : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("TESTER");
        load_world_files();
        std::memset(Markers, 0, sizeof Markers);
        reset_object_store();
        reset_villages();
        Plr.days_played = 10;
        Plr.total_minutes = 10000;
        Plr.quest_id_counter = 40;
        Plr.culture = 0;
        Plr.sex = 1;
    }
    void TearDown() override {
        disarm_file_fault();
        reset_villages();
    }

    // A stored item worth `price` (grade 3, whole).
    static int item(const char* name, float price, int kind = 300, uint8_t special = 0) {
        ObjectRecord r;
        obj_clear_record(r);
        r.item_class = ITEM_TOOL;
        r.kind = kind;
        copy_text(r.name, name);
        r.weight = r.full_weight = 1.0f;
        r.price = price;
        r.special_kind = special;
        return obj_store_new(r);
    }

    // A village made current with its counters set by `fill`.
    template <class F>
    static VillageRecord village(int32_t id, F fill) {
        set_current_village(id);
        fill(CurVillage);
        return CurVillage;
    }

    std::vector<uint8_t> vil_file() const { return read_fixture_file(folder.file("TESTER/TESTER.VIL")); }

    PlayFolder folder{false};
    FixtureWorld world;
};

// ------------------------------------------------------------ the file

TEST_F(Villages, FirstSaveAppendsLaterSavesOverwriteAndNoIdIsStoredTwice) {
    set_current_village(7);
    CurVillage.meets = 3;
    set_current_village(9);  // 7 is written back
    CurVillage.meets = 5;
    ASSERT_TRUE(save_village_file());
    std::vector<uint8_t> bytes = vil_file();
    ASSERT_EQ(bytes.size(), 2 * sizeof(VillageRecord));

    set_current_village(7);
    CurVillage.meets = 4;
    VillageRecord other = load_village(9);
    other.talks = 2;
    ASSERT_TRUE(save_village(9, other));
    ASSERT_TRUE(save_village_file());
    bytes = vil_file();
    ASSERT_EQ(bytes.size(), 2 * sizeof(VillageRecord));

    reset_villages();
    load_village_file();
    EXPECT_EQ(village_count(), 2);
    EXPECT_EQ(load_village(7).meets, 4);
    EXPECT_EQ(load_village(9).meets, 5);
    EXPECT_EQ(load_village(9).talks, 2);
    // A village without a record loads as zeros with its id.
    const VillageRecord none = load_village(12);
    EXPECT_EQ(none.soc, 12);
    EXPECT_EQ(none.meets, 0);
    EXPECT_EQ(find_village_index(12), NO_VILLAGE);
}

// Groups of people share the village numbering: a band that is no
// settlement, made current by a villager's routine and left untouched, must
// not leave an empty record behind, whichever way the current village is
// given up; one that gathered something is kept like any village.
TEST_F(Villages, ARecordThatHoldsNothingNeverReachesTheFile) {
    const std::vector<void (*)()> give_up = {
        [] { set_current_village(40); },
        [] { clear_current_village(); },
        [] {},  // the save itself writes the current record back
    };
    for (size_t i = 0; i < give_up.size(); ++i) {
        SCOPED_TRACE(i);
        reset_villages();
        set_current_village(30);
        CurVillage.meets = 1;
        set_current_village(2);  // a band's group id: nothing is noted
        give_up[i]();
        ASSERT_TRUE(save_village_file());
        std::vector<uint8_t> bytes = vil_file();
        ASSERT_EQ(bytes.size(), sizeof(VillageRecord));
        VillageRecord kept;
        std::memcpy(&kept, bytes.data(), sizeof kept);
        EXPECT_EQ(kept.soc, 30);
        EXPECT_EQ(kept.meets, 1);
        EXPECT_EQ(load_village(2).soc, 2);  // still reads as zeros with its id
    }

    // Once the group's record holds something it is written like any other.
    reset_villages();
    set_current_village(2);
    CurVillage.killing = 1;
    clear_current_village();
    ASSERT_TRUE(save_village_file());
    EXPECT_EQ(vil_file().size(), sizeof(VillageRecord));
    EXPECT_EQ(load_village(2).killing, 1);
}

TEST_F(Villages, SwitchingToNoneOrTheCurrentVillageChangesNothing) {
    set_current_village(5);
    CurVillage.help = 4;
    set_current_village(NO_VILLAGE);
    set_current_village(5);
    EXPECT_EQ(cur_village_id, 5);
    EXPECT_EQ(CurVillage.help, 4);
    // Not yet in the table: nothing was written back.
    EXPECT_EQ(village_count(), 0);
    clear_current_village();
    EXPECT_EQ(cur_village_id, NO_VILLAGE);
    EXPECT_EQ(load_village(5).help, 4);  // a clearing writes it back first
}

TEST_F(Villages, AFileEndingInHalfARecordLoadsItsWholeRecordsAndIsKeptAside) {
    std::vector<uint8_t> bytes(2 * sizeof(VillageRecord) + sizeof(VillageRecord) / 2, 0);
    for (int i = 0; i < 3; ++i) {
        VillageRecord r;
        std::memset(&r, 0, sizeof r);
        r.soc = 20 + i;
        r.meets = uint16_t(i + 1);
        std::memcpy(bytes.data() + i * sizeof r, &r, std::min(sizeof r, bytes.size() - i * sizeof r));
    }
    // A doubled id: the first record counts, as the file's lookup found it.
    VillageRecord twin;
    std::memcpy(&twin, bytes.data(), sizeof twin);
    twin.meets = 99;
    std::memcpy(bytes.data() + sizeof twin, &twin, sizeof twin);
    write_fixture_file(folder.file("TESTER/TESTER.VIL"), bytes.data(), bytes.size());

    load_village_file();
    EXPECT_EQ(village_count(), 1);
    EXPECT_EQ(load_village(20).meets, 1);
    EXPECT_EQ(read_fixture_file(folder.file("TESTER/TESTER.VIL.bad")), bytes);
    const std::string told = folder.read("TESTER/msglog.txt");
    EXPECT_NE(told.find("TESTER.VIL was damaged; 1 whole village records were kept"), std::string::npos) << told;
    // The next save writes the whole records only.
    ASSERT_TRUE(save_village_file());
    EXPECT_EQ(vil_file().size(), sizeof(VillageRecord));
}

TEST_F(Villages, AVillageFileThatItsSaveDoesNotVouchForIsTakenFromThePreviousCopy) {
    set_current_village(3);
    CurVillage.meets = 1;
    ASSERT_TRUE(save_village_file());
    CurVillage.meets = 2;
    ASSERT_TRUE(save_village_file());  // the first file becomes the previous copy
    std::vector<uint8_t> bytes = vil_file();
    bytes[100] ^= 0xFF;
    write_fixture_file(folder.file("TESTER/TESTER.VIL"), bytes.data(), bytes.size());

    load_village_file();
    EXPECT_EQ(load_village(3).meets, 1);
    EXPECT_TRUE(folder.exists("TESTER/TESTER.VIL.bad"));
    clear_load_notices();
}

// ------------------------------------------------------------ cells

TEST_F(Villages, AnIdGoesToTheCellAndToTheSettlementSitesAroundIt) {
    const FixturePoint v = world.village;
    // A second settlement site within two cells; a third farther away.
    set_stored_world_terrain(v.x + 2, v.y - 1, 211);
    set_stored_world_terrain(v.x + 3, v.y, 239);
    const int id = assign_village_id(v.x, v.y, MARK_PEOPLE_PENDING);
    EXPECT_EQ(id, 41);
    EXPECT_EQ(Plr.quest_id_counter, 41);
    EXPECT_EQ(assign_village_id(v.x, v.y, 0), 41);  // kept
    EXPECT_EQ(Plr.quest_id_counter, 41);
    const Marker& here = Markers[marker_slot(v.x, v.y)];
    EXPECT_EQ(here.village_flags, MARK_PEOPLE_PENDING);
    EXPECT_EQ(Markers[marker_slot(v.x + 2, v.y - 1)].village_id, 41);
    const Marker& far = Markers[marker_slot(v.x + 3, v.y)];
    EXPECT_FALSE(far.world_x == v.x + 3 && far.village_id != 0);
    EXPECT_EQ(village_at(v.x + 2, v.y - 1).id, 41);
}

TEST_F(Villages, AFullMarkerTableHandsOutNoId) {
    for (int i = 0; i < MARKER_COUNT; ++i) {
        Markers[i].world_x = int16_t(1 + i % 3000);
        Markers[i].world_y = int16_t(1 + i / 3000);
    }
    EXPECT_EQ(assign_village_id(world.village.x, world.village.y, 1), 0);
    EXPECT_EQ(Plr.quest_id_counter, 40);
}

TEST_F(Villages, TheVisitOfACellSetsCentreCellsAndCultureOnce) {
    const FixturePoint v = world.village;
    const int id = assign_village_id(v.x, v.y, 0);
    update_village_of_cell(v.x, v.y);
    update_village_of_cell(v.x, v.y);
    const VillageRecord r = load_village(id);
    EXPECT_EQ(r.isox, v.x);
    EXPECT_EQ(r.isoy, v.y);
    EXPECT_EQ(r.culture, world_culture_at(v.x, v.y));
    EXPECT_EQ(r.cell_x[0], v.x);
    EXPECT_EQ(r.cell_x[1], 0);  // listed once
    EXPECT_EQ(village_owns_cell(id, v.x, v.y), 1);
    EXPECT_EQ(village_owns_cell(id, v.x + 1, v.y), 0);
    EXPECT_EQ(distance_to_village(id, v.x + 3, v.y - 4), 4);
    EXPECT_EQ(distance_to_village(0, v.x, v.y), 1000);
    EXPECT_EQ(distance_to_village(-5, v.x, v.y), 1000);
    EXPECT_EQ(village_owns_cell(0, v.x, v.y), 0);
}

TEST_F(Villages, AVillageWithoutACentreOwnsOnlyTheSitesItsMarkersName) {
    const FixturePoint a = world.village, b = world.fortified_village;
    const int first = assign_village_id(a.x, a.y, 0);
    const int second = assign_village_id(b.x, b.y, 0);
    EXPECT_EQ(village_owns_cell(first, a.x, a.y), 1);
    EXPECT_EQ(village_owns_cell(first, b.x, b.y), 0);
    EXPECT_EQ(village_owns_cell(second, b.x, b.y), 1);
    EXPECT_EQ(distance_to_village(first, a.x, a.y), 1000);  // no centre, no cells yet
}

TEST_F(Villages, TheLandClaimTakesUnownedGoodsButNeverThePlayers) {
    const FixturePoint v = world.village;
    const int id = assign_village_id(v.x, v.y, MARK_PEOPLE_PENDING | MARK_CLAIM_PENDING);
    // On the local map of the village's cell.
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = v.x;
    Plr.zoom_origin_y = v.y;
    const MapRect r = world_cell_local_rect(v.x, v.y);
    ASSERT_GT(r.w, 0);
    std::memset(Data, 0, sizeof Data);
    const int pot = item("pot", 6.0f), pebble = item("pebble", 0.5f), knife = item("knife", 9.0f);
    struct Placed {
        int object;
        int16_t ref;
        int x;
        bool claimed;
    } placed[] = {
        {pot, 0, r.x + 3, true},                     // worth more than 1, nobody's
        {pebble, 0, r.x + 4, false},                 // worth too little
        {knife, MAP_REF_CLAIMED, r.x + 5, false},    // the player's own
        {pot, 0, r.x + r.w + 2, false},              // in the next cell
    };
    for (int i = 0; i < 4; ++i) {
        Data[i].TYPE = MK_ITEM;
        Data[i].DATA = placed[i].object;
        Data[i].ref = placed[i].ref;
        Data[i].amount = 1;
        Data[i].x = uint16_t(placed[i].x);
        Data[i].y = uint16_t(r.y + 10);
    }
    clear_stub_calls();
    update_village_of_cell(v.x, v.y);
    for (int i = 0; i < 4; ++i) {
        ObjectRecord rec;
        obj_record(Data[i].DATA, rec);
        EXPECT_EQ(rec.ownerID == id, placed[i].claimed) << i;
        if (placed[i].claimed) {
            EXPECT_EQ(rec.x, v.x);
            EXPECT_EQ(rec.y, v.y);
        }
    }
    // The people are asked to join; nobody does yet, so that stays pending.
    EXPECT_EQ(stub_calls_of("assign_group_to_ungrouped_people"), 1);
    const Marker& mk = Markers[marker_slot(v.x, v.y)];
    EXPECT_EQ(mk.village_flags, MARK_PEOPLE_PENDING);
    EXPECT_EQ(load_village(id).isox, v.x);
    copy_text(Plr.map_name, "BIGMAP");
}

TEST_F(Villages, VillageAtFindsTheExactMarkerOrTheNearestForPastureAndFields) {
    const FixturePoint v = world.village;
    const int id = assign_village_id(v.x, v.y, 0);
    set_stored_world_terrain(v.x + 3, v.y, 47);
    set_stored_world_terrain(v.x + 6, v.y, 251);
    set_stored_world_terrain(v.x, v.y + 2, 200);
    EXPECT_EQ(village_at(v.x, v.y).id, id);
    EXPECT_FALSE(village_at(v.x + 3, v.y).not_found);
    EXPECT_EQ(village_at(v.x + 3, v.y).id, id);
    EXPECT_TRUE(village_at(v.x + 6, v.y).not_found);  // a field too far
    EXPECT_TRUE(village_at(v.x, v.y + 2).not_found);  // near, but no pasture or field
}

TEST_F(Villages, VisitsCountDaysAndSaturate) {
    record_village_visit(4);
    record_village_visit(4);
    EXPECT_EQ(CurVillage.meets, 1);
    Plr.days_played = 17;
    record_village_visit(4);
    EXPECT_EQ(CurVillage.meets, 2);
    EXPECT_EQ(CurVillage.meetgap, 7);
    EXPECT_EQ(CurVillage.lastday, 17);
    CurVillage.meets = 65535;
    Plr.days_played = 18;
    record_village_visit(4);
    EXPECT_EQ(CurVillage.meets, 65535);
}

TEST_F(Villages, MembersAndHeldObjects) {
    set_current_village(6);
    CurVillage.members[0] = 1004;
    CurVillage.members[7] = 1010;
    EXPECT_EQ(village_population(6), 2);
    EXPECT_EQ(village_population(0), 0);
    const int owed = item("axe", 4.0f), pooled = item("grain", 1.0f);
    add_item_debt(owed, 1);
    ASSERT_TRUE(add_to_village_pool(pooled, 6, 5));
    set_current_village(8);  // village 6 now lives in the table only
    int ids[4] = {};
    EXPECT_EQ(village_held_object_ids(ids, 4), 2);
    EXPECT_EQ(ids[0], owed);
    EXPECT_EQ(ids[1], pooled);
}

// ------------------------------------------------------------ standing

TEST(Familiarity, LevelsFromTheTwoCounts) {
    struct Case {
        int first, second, level;
    } cases[] = {{0, 0, 0}, {1, 50, 0}, {4, 0, 1}, {9, 9, 2}, {15, 9, 2}, {15, 10, 3}, {30, 39, 3},
                 {30, 40, 4}, {70, 59, 4}, {70, 60, 5}, {200, 79, 5}, {200, 80, 6}};
    for (const Case& c : cases) EXPECT_EQ(familiarity_level(c.second, c.first), c.level) << c.first << "," << c.second;
}

TEST_F(Villages, StandingTable) {
    struct Case {
        const char* what;
        int defaults, payments, meets, talks;
        float generosity;
        int thefts, perinta, mischief, assaults, killing, help, befriended;
        int trade, theft, mischief_level, violence, help_level, overall, familiarity;
    } cases[] = {
        {"no counters", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3, 0},
        {"payments ahead by 21, familiarity 2", 0, 21, 5, 0, 900, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3, 2},
        {"trade 4 with generosity 801", 0, 5, 15, 10, 801, 0, 0, 0, 0, 0, 0, 0, 6, 6, 3, 3, 3, 6, 3},
        {"trade 4 with generosity 401", 0, 5, 15, 10, 401, 0, 0, 0, 0, 0, 0, 0, 5, 5, 3, 3, 3, 5, 3},
        {"defaults ahead by 10", 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 0, 0},
        {"collection under way", 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 2, 3, 3, 3, 2, 0},
        {"thefts, mischief, assaults", 0, 0, 0, 0, 0, 3, 0, 5, 10, 0, 0, 0, 3, 1, 1, 1, 3, 1, 0},
        {"a killing", 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 3, 3, 3, 0, 3, 0, 0},
        {"help and befriended", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 2, 3, 3, 3, 3, 6, 6, 5},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const VillageRecord v = village(++id, [&](VillageRecord& r) {
            r.maksuhairiot = uint8_t(c.defaults);
            r.payments = uint8_t(c.payments);
            r.meets = uint16_t(c.meets);
            r.talks = uint16_t(c.talks);
            r.generosity = c.generosity;
            r.thefts = uint8_t(c.thefts);
            r.perinta = uint8_t(c.perinta);
            r.mischief = uint8_t(c.mischief);
            r.assaults = uint8_t(c.assaults);
            r.killing = uint8_t(c.killing);
            r.help = uint8_t(c.help);
            r.befriended = uint8_t(c.befriended);
        });
        const StandingBlock b = village_reputation(v);
        EXPECT_EQ(b.category[STANDING_TRADE].level, c.trade);
        EXPECT_EQ(b.category[STANDING_THEFT].level, c.theft);
        EXPECT_EQ(b.category[STANDING_MISCHIEF].level, c.mischief_level);
        EXPECT_EQ(b.category[STANDING_VIOLENCE].level, c.violence);
        EXPECT_EQ(b.category[STANDING_VISITOR].level, 3);
        EXPECT_EQ(b.category[STANDING_HELP].level, c.help_level);
        EXPECT_EQ(b.overall_level, c.overall);
        EXPECT_EQ(b.familiarity_level, c.familiarity);
    }
}

TEST_F(Villages, StandingPhrasesAndTexts) {
    const VillageRecord v = village(3, [](VillageRecord& r) {
        r.maksuhairiot = 12;
        r.killing = 1;
        r.help = 11;
    });
    const StandingBlock b = village_reputation(v);
    EXPECT_STREQ(b.category[STANDING_TRADE].phrase, "cheater");
    EXPECT_STREQ(b.category[STANDING_TRADE].text, "You seem like a cheater.");
    EXPECT_EQ(b.category[STANDING_TRADE].weight_class, 0);
    EXPECT_STREQ(b.category[STANDING_VIOLENCE].phrase, "killer");
    EXPECT_STREQ(b.category[STANDING_VIOLENCE].text, "");  // a phrase, no text
    EXPECT_STREQ(b.category[STANDING_VISITOR].phrase, "familiar visitor");
    EXPECT_STREQ(b.category[STANDING_VISITOR].text, "");
    EXPECT_STREQ(b.category[STANDING_HELP].text, "You seem like a helpful soul.");
    EXPECT_EQ(b.category[STANDING_HELP].weight_class, 2);
    // A record without an id stays neutral.
    VillageRecord blank;
    std::memset(&blank, 0, sizeof blank);
    blank.maksuhairiot = 50;
    const StandingBlock n = village_reputation(blank);
    EXPECT_EQ(n.category[STANDING_TRADE].level, 3);
    EXPECT_EQ(n.overall_level, 3);
}

TEST_F(Villages, BefriendedFamiliarityAndItsCeiling) {
    VillageRecord v;
    std::memset(&v, 0, sizeof v);
    v.befriended = 2;
    EXPECT_EQ(plr_familiarity(&v, -1000), 5);
    v.befriended = 9;
    EXPECT_EQ(plr_familiarity(&v, -1000), 6);
    EXPECT_EQ(plr_familiarity(nullptr, -1000), 0);
}

TEST_F(Villages, TermsOfAddressWithoutAKnownCreature) {
    EXPECT_STREQ(plr_address_term(-1, 0), "tribesman");
    Plr.sex = 2;
    EXPECT_STREQ(plr_address_term(-1, 0), "tribeswoman");
    // Nobody known yet: a stranger, and with the nuisance flag an annoying one.
    EXPECT_STREQ(plr_address_term(3, 0), "stranger");
    EXPECT_STREQ(plr_address_term(3, 1), "annoying stranger");
}

TEST_F(Villages, BanishmentsByAssaultsAndMischief) {
    struct Case {
        int assaults, reaction, days;
    } cases[] = {{10, 0, 0}, {11, 2, 30}, {20, 2, 30}, {21, 3, 180}};
    int id = 200;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assaults);
        set_current_village(++id);
        CurVillage.assaults = uint8_t(c.assaults);
        EXPECT_EQ(village_turn_hostile(id), c.reaction);
        EXPECT_EQ(CurVillage.incident_flag, 1);
        EXPECT_EQ(CurVillage.banish, c.reaction ? 1 : 0);
        if (c.reaction) {
            EXPECT_EQ(CurVillage.banished_until, 10 + c.days);
        }
    }
    // Already banished: the end day stays.
    Plr.days_played = 50;
    CurVillage.assaults = 30;
    EXPECT_EQ(village_turn_hostile(id), 3);
    EXPECT_EQ(CurVillage.banished_until, 190);

    // Mischief: the pending bytes are counted first.
    set_current_village(300);
    CurVillage.mischief = 3;
    CurVillage.pending_mischief[0] = 1;
    CurVillage.pending_mischief[3] = 1;
    CurVillage.mischief_stamps[0] = 9;
    EXPECT_EQ(village_react_to_mischief(300), 2);
    EXPECT_EQ(CurVillage.mischief, 5);
    EXPECT_EQ(CurVillage.pending_mischief[0], 0);
    EXPECT_EQ(CurVillage.mischief_stamps[0], 0);
    EXPECT_EQ(CurVillage.banished_until, 57);
}

TEST_F(Villages, ANewBanishmentStartsNowEvenAfterAnOldOne) {
    set_current_village(4);
    CurVillage.banished_from = 77;  // of a banishment long over
    CurVillage.state_flags = VILLAGE_WELCOMING;
    CurVillage.welcome = 1;
    EXPECT_EQ(banish_player(2, 7), 2);
    EXPECT_EQ(CurVillage.banished_from, 10005);
    EXPECT_EQ(CurVillage.state_flags & VILLAGE_WELCOMING, 0u);
    EXPECT_EQ(CurVillage.welcome, 0);
}

// ------------------------------------------------------------ debts

TEST_F(Villages, PayingPartOfADebtKeepsItsUnitValue) {
    const int axe = item("axe", 4.0f);
    EXPECT_EQ(add_village_item_debt(2, item("bowl", 1.0f), 1), 0);
    EXPECT_EQ(add_village_item_debt(2, axe, 5), 1);  // the entry's index
    EXPECT_EQ(add_village_item_debt(2, axe, 0), -1000);
    // Prices change later; what is owed keeps the value it was made with.
    ObjectRecord r;
    obj_record(axe, r);
    r.price = 800.0f;
    obj_write_record(axe, r);
    EXPECT_EQ(remitemdebt(2, axe, 3), 1);
    EXPECT_EQ(CurVillage.item_debts[1].count, 2);
    EXPECT_FLOAT_EQ(CurVillage.item_debts[1].total_value, 8.0f);
    EXPECT_EQ(remitemdebt(2, axe, 7), 0);  // clears it, 5 not covered
    EXPECT_EQ(CurVillage.item_debts[1].in_use, 0);
    EXPECT_EQ(CurVillage.has_debt, 1);     // the bowl is still owed
    EXPECT_EQ(remitemdebt(2, -1, 1), 1);   // clears all
    EXPECT_EQ(CurVillage.has_debt, 0);
    EXPECT_EQ(remitemdebt(-1, axe, 1), 0);
}

TEST_F(Villages, PaymentsMatchLikeItemsAndContainersByContents) {
    const int axe = item("axe", 4.0f);
    ObjectRecord twin;
    obj_record(axe, twin);
    twin.ownerID = 0;
    const int same = obj_store_new(twin);  // an identical item of another id
    ASSERT_NE(same, axe);
    ObjectRecord pot;
    obj_clear_record(pot);
    pot.item_class = ITEM_CONTAINER;
    pot.kind = 55;
    copy_text(pot.name, "pot");
    pot.contents = 12;
    const int full = obj_store_new(pot);
    copy_text(pot.name, "other pot");
    const int other_full = obj_store_new(pot);
    add_village_item_debt(3, axe, 2);
    add_village_item_debt(3, full, 1);
    EXPECT_EQ(remitemdebt(3, same, 2), 1);
    EXPECT_EQ(remitemdebt(3, other_full, 1), 1);
    EXPECT_EQ(CurVillage.has_debt, 0);
}

TEST_F(Villages, DebtLevelsByTotalValue) {
    struct Case {
        float value;
        int level;
    } cases[] = {{16.0f, 1}, {16.5f, 2}, {400.0f, 2}, {400.5f, 3}};
    int id = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        add_village_item_debt(++id, item("thing", c.value), 1);
        EXPECT_EQ(CurVillage.debt_level, c.level);
        EXPECT_EQ(CurVillage.has_debt, 1);
        EXPECT_FLOAT_EQ(total_debt_value(CurVillage), c.value);
    }
    Plr.total_minutes += 90;
    refresh_village_debts(CurVillage);
    EXPECT_EQ(CurVillage.debt_age, 90);
}

TEST_F(Villages, ASpecialDebtBansTradeWhileAnySuchDebtIsOpen) {
    const int idol = item("idol", 5.0f, 300, OBJ_SPECIAL_KIND), bowl = item("bowl", 1.0f);
    add_village_item_debt(4, idol, 1);
    EXPECT_EQ(CurVillage.trade_ban, 2);
    add_village_item_debt(4, bowl, 1);  // a plain one after it
    EXPECT_EQ(CurVillage.trade_ban, 2);
    remitemdebt(4, idol, 1);
    EXPECT_EQ(CurVillage.trade_ban, 0);
    // A ban by days is not lifted by debts.
    CurVillage.trade_ban = 1;
    refresh_village_debts(CurVillage);
    EXPECT_EQ(CurVillage.trade_ban, 1);
}

TEST_F(Villages, DebtsOfObjectsThatAreGoneAreDropped) {
    const int axe = item("axe", 4.0f);
    add_village_item_debt(4, axe, 1);
    ObjectRecord r;
    obj_clear_record(r);
    obj_write_record(axe, r);
    refresh_village_debts(CurVillage);
    EXPECT_EQ(CurVillage.has_debt, 0);
    EXPECT_EQ(CurVillage.item_debts[0].in_use, 0);
}

TEST_F(Villages, ForgivingDebts) {
    // No debt: defaults and suspicion rise by one.
    EXPECT_EQ(forgive_village_debt(5), 0);
    EXPECT_EQ(CurVillage.maksuhairiot, 1);
    EXPECT_EQ(CurVillage.suspicion, 1);
    EXPECT_EQ(CurVillage.incident_flag, 1);

    // A debt of level 2, its object marked unpaid.
    const int axe = item("axe", 20.0f);
    ObjectRecord r;
    obj_record(axe, r);
    r.ownflag = 0x01;
    obj_write_record(axe, r);
    add_village_item_debt(6, axe, 1);
    set_debt_collection_state(6, 2);
    set_debt_collection_deadline(6, 60, 1);
    set_debt_collection_deadline(6, 600, 2);  // a deadline set stays
    EXPECT_EQ(CurVillage.collection_deadline, 10060);
    CurVillage.thefts = 1;
    EXPECT_EQ(forgive_village_debt(6), 2);
    EXPECT_EQ(CurVillage.has_debt, 0);
    EXPECT_FLOAT_EQ(CurVillage.everdebt, 20.0f);
    EXPECT_EQ(CurVillage.maksuhairiot, 3);
    EXPECT_EQ(CurVillage.suspicion, 3);
    EXPECT_EQ(CurVillage.perinta, 0);
    EXPECT_EQ(CurVillage.collection_deadline, 0);
    EXPECT_EQ(obj_record(axe, r).ownflag & 0x01, 0);
    EXPECT_EQ(CurVillage.banish, 1);  // a thief's village banishes for 7 days
    EXPECT_EQ(CurVillage.banished_until, 17);

    // Defaults beyond 9 give the strongest reaction.
    set_current_village(7);
    CurVillage.maksuhairiot = 9;
    EXPECT_EQ(forgive_village_debt(7), 3);
    EXPECT_EQ(forgive_village_debt(0), 0);
}

TEST_F(Villages, DisplacedGoodsLieAwayFromTheirPlace) {
    const FixturePoint v = world.village;
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_TOOL;
    copy_text(r.name, "quern");
    r.ownerID = 9;
    r.x = int16_t(v.x);
    r.y = int16_t(v.y);
    const int quern = obj_store_new(r);
    std::memset(Data, 0, sizeof Data);
    // On the world map an item's cell is its position.
    Data[0].TYPE = MK_ITEM;
    Data[0].DATA = quern;
    Data[0].x = uint16_t(v.x);
    Data[0].y = uint16_t(v.y);
    set_terrain_at(v.x, v.y, 240);  // a table: in its place
    EXPECT_EQ(is_displaced_village_item(0, 9), 0);
    set_terrain_at(v.x, v.y, 239);
    EXPECT_EQ(is_displaced_village_item(0, 9), 1);
    EXPECT_EQ(is_displaced_village_item(0, 8), 0);  // another village's
    Data[0].x = uint16_t(v.x + 1);
    set_terrain_at(v.x, v.y, 240);
    EXPECT_EQ(village_has_displaced_items(9), 1);
    EXPECT_EQ(CurVillage.displaced_goods, 1);
}

// ------------------------------------------------------------ goods pool

TEST_F(Villages, ThePoolRaisesSpillsAndRefusesWhenFull) {
    const int grain = item("grain", 1.0f);
    ASSERT_TRUE(add_to_village_pool(grain, 3, 100));
    ASSERT_TRUE(add_to_village_pool(grain, 3, 50));
    EXPECT_EQ(CurVillage.pool_counts[0], 150);
    ASSERT_TRUE(add_to_village_pool(grain, 3, 200));  // 350 would not fit the slot
    EXPECT_EQ(CurVillage.pool_counts[0], 150);
    EXPECT_EQ(CurVillage.pool_counts[1], 200);
    ASSERT_TRUE(add_to_village_pool(grain, 3, 600));  // spills over three slots
    EXPECT_EQ(CurVillage.pool_counts[2] + CurVillage.pool_counts[3] + CurVillage.pool_counts[4], 600);
    EXPECT_FALSE(add_to_village_pool(grain, 3, 0));
    EXPECT_FALSE(add_to_village_pool(grain, 0, 5));
    for (int i = 5; i < VILLAGE_POOL_SLOTS; ++i) {
        CurVillage.pool_ids[i] = grain + 1;
        CurVillage.pool_counts[i] = 1;
    }
    EXPECT_FALSE(add_to_village_pool(grain, 3, 300));
    EXPECT_EQ(CurVillage.pool_counts[0], 150);
}

TEST_F(Villages, AFlushStoresOnlyWhereTheVillageLiesOnTheLoadedMap) {
    const int grain = item("grain", 1.0f);
    set_current_village(3);
    CurVillage.isox = world.village.x;
    CurVillage.isoy = world.village.y;
    ASSERT_TRUE(add_to_village_pool(grain, 3, 10));
    auto items_on_map = [] {
        int n = 0;
        for (const MapObject& o : Data) n += o.TYPE == MK_ITEM;
        return n;
    };
    const int before = items_on_map();
    flush_village_pool(3);  // the world map: nothing happens
    EXPECT_EQ(items_on_map(), before);
    EXPECT_EQ(CurVillage.pool_counts[0], 10);
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.zoom_origin_x = world.village.x + 3;  // the village outside the loaded map
    Plr.zoom_origin_y = world.village.y;
    flush_village_pool(3);
    EXPECT_EQ(items_on_map(), before);
    EXPECT_EQ(CurVillage.pool_counts[0], 10);
    Plr.zoom_origin_x = world.village.x + 1;
    flush_village_pool(3);
    // No storage place: the goods lie on a free square of the village's
    // cell, claimed as its own, and the pool is empty.
    int stored = -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_ITEM) stored = i;
    ASSERT_GE(stored, 0);
    EXPECT_EQ(items_on_map(), before + 1);
    EXPECT_EQ(Data[stored].amount, 10);
    EXPECT_EQ(Data[stored].ref, MAP_REF_CLAIMED);
    EXPECT_EQ(map_block_of(Data[stored].x), -1);
    EXPECT_EQ(map_block_of(Data[stored].y), 0);
    EXPECT_EQ(CurVillage.pool_counts[0], 0);
    copy_text(Plr.map_name, "BIGMAP");
}

TEST_F(Villages, GoodsGoToAStoragePlaceOfTheCellBeforeAnyFreeSquare) {
    copy_text(Plr.map_name, "ZOOMMAP");
    const int grain = item("grain", 1.0f);
    // A storage place in the cell east of the origin, another one beyond it.
    const int place = put_object_on_map(MK_STORAGE, ZOOM_MIDDLE + ZOOM_BLOCK + 10, ZOOM_MIDDLE + 5, 1, 1);
    put_object_on_map(MK_STORAGE, ZOOM_MIDDLE + 2 * ZOOM_BLOCK + 10, ZOOM_MIDDLE + 5, 1, 1);
    ASSERT_GE(place, 0);
    EXPECT_EQ(store_goods_in_area(7, grain, 1, 0), 7);
    const int goods = find_map_object(MK_ITEM, Data[place].x, Data[place].y);
    ASSERT_GE(goods, 0);
    EXPECT_EQ(Data[goods].amount, 7);
    // Nothing on the world map, nothing of nothing.
    copy_text(Plr.map_name, "BIGMAP");
    EXPECT_EQ(store_goods_in_area(7, grain, 1, 0), 0);
    copy_text(Plr.map_name, "ZOOMMAP");
    EXPECT_EQ(store_goods_in_area(0, grain, 1, 0), 0);
    copy_text(Plr.map_name, "BIGMAP");
}

TEST_F(Villages, TheTerrainTestsOfStoringPlaces) {
    const FixturePoint v = world.field;
    EXPECT_FALSE(letter_terrain_near(v.x, v.y));
    set_terrain_at(v.x + 3, v.y + 4, 'c');
    EXPECT_TRUE(letter_terrain_near(v.x, v.y));
    EXPECT_FALSE(letter_terrain_near(v.x, v.y + 5));
    EXPECT_FALSE(dwelling_furniture_near(v.x, v.y));
    set_terrain_at(v.x - 3, v.y + 3, 19);
    EXPECT_TRUE(dwelling_furniture_near(v.x, v.y));
    EXPECT_FALSE(dwelling_furniture_near(v.x + 1, v.y));
}

}  // namespace
