// The creature table's map-entry passes and queries as the map loader and
// the behaviour code meet them: the catch-up pass of a map entry, the kind
// conversions of loaded creatures, dead creatures and their records, the
// lookups and writes of the creature file, the templates, and a damaged
// creature file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr int KIND_DOG = 618;

// A local map of the fixture world around (1000, 500), the player in its
// middle cell, and a creature file laid out by each test.
class CreatureRecords : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Rec");
        reset_creature_tables();
        reset_map_object_table();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 500;
        Plr.days_played = 100;
        Plr.total_minutes = 144000;
        Plr.winters = 20;
        Plr.culture = 3;
        is_world_map();
        player_x = player_y = 232;
        messages_suppressed = true;
        debug_logs_on = 1;
        std::memset(CreTemplates, 0, sizeof CreTemplates);
        creature_defaults();
        CreTemplates[100] = CreScratch;
        CreTemplates[100].cre_class = 3;
        CreTemplates[100].kind = 100;
        std::memset(world_data_copy, 0, sizeof world_data_copy);
        clear_load_notices();
        clear_stub_calls();
        seed_random(5);
    }
    void TearDown() override {
        debug_logs_on = 0;
        messages_suppressed = false;
        creature_catch_up = 0;
        reset_creature_tables();
        reset_map_object_table();
        std::memset(world_data_copy, 0, sizeof world_data_copy);
        clear_load_notices();
        copy_text(Plr.map_name, "BIGMAP");
    }
    // A record of the test template, with the changes of `change`.
    template <typename F>
    CreatureRecord record(F change) const {
        CreatureRecord r = CreTemplates[100];
        change(r);
        return r;
    }
    // The creature file on the disk, record i with identity 1000 + i, and
    // `empty` empty records after them.
    void lay_out_file(std::vector<CreatureRecord> used, int empty) {
        for (size_t i = 0; i < used.size(); ++i) used[i].sotu = uint32_t(1000 + i);
        used.resize(used.size() + size_t(empty), CreatureRecord{});
        write_fixture_file(path("Rec.CRS"), used.data(), used.size() * sizeof(CreatureRecord));
        reset_creature_tables();
    }
    int place(uint8_t kind, int x, int y, int data) {
        clear_staging_object();
        map_object_staging.TYPE = kind;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = data;
        map_object_staging.amount = 1;
        return insert_map_object(-1);
    }
    // The slot of the creature that map object i names.
    static int slot_of(int i) { return Data[i].DATA - CRE_REF_BASE; }
    std::string path(const char* name) { return world.folder + "/" + name; }
    std::string channel(const char* name) {
        const std::string file = std::string("debug_") + name + ".txt";
        return folder.exists(file) ? folder.read(file) : "";
    }

    // The creature turns taken so far, by the lines of the "cre" channel.
    int creature_turns() {
        const std::string log = channel("cre");
        int n = 0;
        for (size_t at = log.find("CreatureAct ("); at != std::string::npos; at = log.find("CreatureAct (", at + 1)) ++n;
        return n;
    }

    PlayFolder folder{false};
    FixtureWorld world;
};

// ------------------------------------------------------------ the catch-up pass

TEST_F(CreatureRecords, TheCatchUpPassTurnsAwayCreaturesAndHoldsThem) {
    lay_out_file({record([](CreatureRecord&) {}), record([](CreatureRecord& r) { r.cre_flags = CRE_AWAY; }),
                  record([](CreatureRecord&) {})},
                 60);
    place(MK_CREATURE, 100, 100, 1000);  // of the followed class, but outside the middle cell
    const int away = place(MK_CREATURE, 150, 150, 1001);
    place(MK_CREATURE, 230, 230, 1002);
    creature_mess();
    folder.write("debug_cremaint.txt", "a line of the last map entry\n");
    pending_catch_up_turns = 3;
    followed_trail_class = 3;
    messages_suppressed = false;
    cre_maintenance();

    // Every slot had its upkeep; the away creature 101 turns (1000 down to
    // 0 in tens), then it waits as a held entry under its identity. The
    // three pending turns of the map objects give each of the three
    // creatures a turn, the last one the two left on the map.
    EXPECT_EQ(stub_calls_of("cre_upkeep"), CRE_SLOTS);
    EXPECT_EQ(creature_turns(), 101 + 3 * 3 + 2);
    EXPECT_EQ(Data[away].TYPE, MK_HELD_CREATURE);
    EXPECT_EQ(Data[away].subkind, 1);
    EXPECT_EQ(Data[away].DATA, 1001);
    EXPECT_EQ(Data[away].day_stamp, 100);
    EXPECT_EQ(Data[away].time_stamp, 144000);
    EXPECT_EQ(Data[0].TYPE, MK_CREATURE);
    for (const CreatureRecord& c : Cre) EXPECT_EQ(c.catch_up_count, 0);
    // The pending turns ran (the creatures' turns above count them).
    EXPECT_EQ(pending_catch_up_turns, 0);
    // The followed trail ends at the creature in the middle cell, once.
    EXPECT_EQ(stub_calls_of("trail_end_notice"), 1);
    EXPECT_EQ(followed_trail_class, 0);
    // The run flags are down again, the message line as quiet as before.
    EXPECT_EQ(creature_catch_up, 0);
    EXPECT_EQ(creature_no_redraw, 0);
    EXPECT_FALSE(messages_suppressed);

    // The channel starts anew with the pass and lists the creatures three times.
    const std::string log = channel("cremaint");
    EXPECT_EQ(log.find("a line of the last map entry"), std::string::npos);
    EXPECT_NE(log.find("cre_maintenance() - initial creature data"), std::string::npos) << log;
    EXPECT_NE(log.find("cre_maintenance() - creature data after creature_update()"), std::string::npos);
    EXPECT_NE(log.find("cre_maintenance() - creature data after CreatureMove()"), std::string::npos);
    size_t lines = 0;
    for (size_t at = log.find("cr_type Data: 1001"); at != std::string::npos; at = log.find("cr_type Data: 1001", at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u);

    // With no trail followed nobody is told; a quiet message line stays quiet.
    clear_stub_calls();
    messages_suppressed = true;
    cre_maintenance();
    EXPECT_EQ(stub_calls_of("trail_end_notice"), 0);
    // No catch-up turns: only the one turn of the map objects.
    EXPECT_EQ(creature_turns(), 101 + 3 * 3 + 2 + 2);
    EXPECT_TRUE(messages_suppressed);
}

// ------------------------------------------------------------ loaded creatures

TEST_F(CreatureRecords, LoadedCreaturesTakeTheirKindsOwnersAndHomes) {
    // The home cell of the loose dogs is a village's.
    const int m = marker_slot(1000, 500);
    Markers[m].world_x = 1000;
    Markers[m].world_y = 500;
    Markers[m].village_id = 7;
    lay_out_file(
        {
            record([](CreatureRecord& r) { r.kind = 617; }),                      // 1000 a ewe-ram
            record([](CreatureRecord& r) { r.kind = 610; }),                      // 1001 a cow-bull
            record([](CreatureRecord& r) { r.kind = KIND_DOG; }),                 // 1002 a dog never aged
            record([](CreatureRecord& r) { r.move_mode = MOVE_MODE_PARTY; }),     // 1003 joins the party
            record([](CreatureRecord& r) { r.attitude = ATTITUDE_TO_PLAYER; }),   // 1004 the player's
            record([](CreatureRecord& r) {                                        // 1005 a tied dog
                r.kind = KIND_DOG;
                r.birth_winter = 5;
                r.cre_status = CRE_STATUS_TIED;
                r.cre_bits = 1;
            }),
            record([](CreatureRecord& r) {                                        // 1006 a loose dog
                r.kind = KIND_DOG;
                r.birth_winter = 5;
                r.cre_bits = 1;
            }),
            record([](CreatureRecord& r) {                                        // 1007 a home of its own
                r.home_x = 998;
                r.home_y = 502;
            }),
        },
        60);
    for (int i = 0; i < 8; ++i) place(MK_CREATURE, 210 + i, 210, 1000 + i);
    creature_mess();
    const CreatureRecord& ram = Cre[slot_of(0)];
    EXPECT_EQ(ram.kind, 616);
    EXPECT_STREQ(ram.name, "sheep");
    EXPECT_STREQ(ram.picture_key, "av-ram");
    EXPECT_TRUE(ram.sex_age & SEX_MALE);
    const CreatureRecord& bull = Cre[slot_of(1)];
    EXPECT_EQ(bull.kind, 609);
    EXPECT_STREQ(bull.name, "bull");
    EXPECT_STREQ(bull.picture_key, "av-bull");
    EXPECT_TRUE(bull.sex_age & SEX_MALE);
    const CreatureRecord& puppy = Cre[slot_of(2)];
    EXPECT_EQ(puppy.birth_winter, 17);
    EXPECT_EQ(puppy.birth_day, 100 - 1000);
    EXPECT_TRUE(Cre[slot_of(3)].party_flags & PARTY_MEMBER);
    EXPECT_EQ(Cre[slot_of(4)].owner, OWNER_PLAYER);
    EXPECT_NE(channel("crmess").find("ATTITUDE CONVERT -> PLR"), std::string::npos);
    // A tied dog keeps its owner; a loose one belongs to its home village.
    EXPECT_EQ(Cre[slot_of(5)].owner, 0);
    EXPECT_EQ(Cre[slot_of(5)].cre_bits, 1);
    EXPECT_EQ(Cre[slot_of(6)].owner, 7);
    EXPECT_EQ(Cre[slot_of(6)].cre_bits, 0);
    // On a local map a creature without a home takes the cell it stands in.
    EXPECT_EQ(Cre[slot_of(0)].home_x, 1000);
    EXPECT_EQ(Cre[slot_of(0)].home_y, 500);
    EXPECT_EQ(Cre[slot_of(7)].home_x, 998);
    EXPECT_EQ(Cre[slot_of(7)].home_y, 502);

    // The dog's sex is an even draw: both come up over a few seeds.
    bool male = false, female = false;
    for (int seed = 1; seed <= 20; ++seed) {
        seed_random(uint32_t(seed));
        lay_out_file({record([](CreatureRecord& r) { r.kind = KIND_DOG; })}, 60);
        reset_map_object_table();
        place(MK_CREATURE, 210, 210, 1000);
        creature_mess();
        (Cre[slot_of(0)].sex_age & SEX_MALE ? male : female) = true;
    }
    EXPECT_TRUE(male && female);

    // On the world map nobody is given a home.
    copy_text(Plr.map_name, "BIGMAP");
    is_world_map();
    lay_out_file({record([](CreatureRecord&) {})}, 60);
    reset_map_object_table();
    place(MK_CREATURE, 1000, 500, 1000);
    creature_mess();
    EXPECT_EQ(Cre[slot_of(0)].home_x, 0);
}

// ------------------------------------------------------------ dead creatures

TEST_F(CreatureRecords, DeadCreaturesAreFoundAsDeadAndKeepTheirSavedDay) {
    lay_out_file({record([](CreatureRecord& r) { r.day_mark = 42; }), record([](CreatureRecord& r) { r.day_mark = 42; })},
                 60);
    const int body = place(MK_CARCASS, 210, 210, 1000);
    const int alive = place(MK_CREATURE, 212, 210, 1001);
    creature_mess();
    EXPECT_EQ(dead_cre_by_sotu(1000), slot_of(body));
    EXPECT_EQ(cre_by_sotu(1000), CRE_NO_CREATURE) << "the dead are not among the living";
    EXPECT_EQ(dead_cre_by_sotu(1001), CRE_NO_CREATURE);
    EXPECT_EQ(cre_by_sotu(1001), slot_of(alive));

    // Mode 52 reads the dead one's loaded record; the living lookup of a
    // creature not on the map reads its record in the file.
    Cre[slot_of(body)].injury = 90;
    CreatureRecord out;
    get_creature_record(1000, MK_CARCASS, out);
    EXPECT_EQ(out.injury, 90);
    get_creature_record(1000, MK_CREATURE, out);
    EXPECT_EQ(out.sotu, 1000u);
    EXPECT_EQ(out.injury, 0);
    get_creature_record(1077, MK_CREATURE, out);
    EXPECT_EQ(out.cre_class, 0) << "no such creature: a zeroed record";

    // Written back: the dead keep the day they were last saved, the living
    // take today's; the dead are written as dead.
    Cre[slot_of(body)].move_mode = MOVE_MODE_DEAD;
    cre_save_to_crs();
    EXPECT_EQ(crs_records()[0].day_mark, 42);
    EXPECT_EQ(crs_records()[1].day_mark, 100);
    Cre[slot_of(body)].move_mode = 0;
    Cre[slot_of(body)].injury = 95;
    cre_save_dead_to_crs();
    EXPECT_EQ(crs_records()[0].move_mode, MOVE_MODE_DEAD);
    EXPECT_EQ(crs_records()[0].injury, 95);
    EXPECT_EQ(crs_records()[1].move_mode, 0);
}

// ------------------------------------------------------------ lookups and writes

TEST_F(CreatureRecords, RecordsAreFoundByNameAndReferenceAndAppended) {
    lay_out_file({record([](CreatureRecord& r) { copy_field(r.personal_name, sizeof r.personal_name, "Aino", 4); }),
                  record([](CreatureRecord& r) {
                      // All sixteen bytes of the name, with no end mark.
                      std::memcpy(r.personal_name, "VeikkoHannunpoik", 16);
                  })},
                 60);
    CreatureRecord out;
    find_crs_record_by_text("kko", out);
    EXPECT_EQ(out.sotu, 1001u);
    find_crs_record_by_text("poik", out);
    EXPECT_EQ(out.sotu, 1001u) << "the whole field is searched";
    find_crs_record_by_text("Ain", out);
    EXPECT_EQ(out.sotu, 1000u);
    for (const char* none : {"Kalle", ""}) {
        find_crs_record_by_text(none, out);
        EXPECT_EQ(out.cre_class, 0) << none;
        EXPECT_EQ(out.sotu, 0u) << none;
    }

    // A reference below 1000 is a template, above it a record of the file.
    CreScratch = CreatureRecord{};
    EXPECT_TRUE(read_creature_ref(100));
    EXPECT_EQ(CreScratch.kind, 100);
    EXPECT_TRUE(read_creature_ref(1001));
    EXPECT_EQ(CreScratch.sotu, 1001u);
    EXPECT_FALSE(read_creature_ref(1000 + 62));
    EXPECT_FALSE(read_creature_ref(-5));

    // Templates: below 500 as stored; from 500 up made anew only when asked.
    CreTemplates[611] = CreTemplates[100];
    CreTemplates[611].kind = 9999;
    cre_template_to_scratch(100, 1);
    EXPECT_EQ(CreScratch.kind, 100);
    cre_template_to_scratch(611, 0);
    EXPECT_EQ(CreScratch.kind, 9999);
    cre_template_to_scratch(611, 1);
    EXPECT_EQ(CreScratch.kind, 611);
    cre_template_to_scratch(1000, 1);  // no such template: the working record stays
    EXPECT_EQ(CreScratch.kind, 611);

    // Appended at the first free record with its identity, and loaded.
    const int ref = append_and_load_creature(record([](CreatureRecord& r) { r.kind = 321; }));
    ASSERT_TRUE(cre_slot_valid(ref - CRE_REF_BASE));
    const CreatureRecord& loaded = Cre[ref - CRE_REF_BASE];
    EXPECT_EQ(loaded.kind, 321);
    EXPECT_EQ(loaded.sotu, 1002u);
    EXPECT_EQ(CreSlotRefs[ref - CRE_REF_BASE], 1002);
    EXPECT_EQ(crs_records()[2].sotu, 1002u);
    EXPECT_EQ(append_and_load_creature(CreatureRecord{}), CRE_NO_CREATURE);
}

// The identity lookup answers the first creature of `Data` that holds the
// identity, also when a second copy of the creature comes onto the map
// below the one it found before.
TEST_F(CreatureRecords, TheFirstCreatureOfTheTableAnswersForItsIdentity) {
    lay_out_file({record([](CreatureRecord&) {})}, 60);
    for (int i = 0; i < 5; ++i) place(MK_BLOOD, 100, 100, 1);
    const int first = cre_load_into_slot(1000, 0);
    const int later = place(MK_CREATURE, 210, 210, first);
    EXPECT_EQ(cre_by_sotu(1000), first - CRE_REF_BASE);
    free_map_object(2);
    const int second = cre_load_into_slot(1000, 0);
    ASSERT_NE(second, first);
    const int lower = place(MK_CREATURE, 211, 210, second);
    ASSERT_LT(lower, later);
    EXPECT_EQ(cre_by_sotu(1000), second - CRE_REF_BASE);
    free_map_object(lower);
    EXPECT_EQ(cre_by_sotu(1000), first - CRE_REF_BASE);
}

// ------------------------------------------------------------ queries

TEST_F(CreatureRecords, NearnessToThePlayerIsSetAsideDuringTheCatchUp) {
    struct Case {
        int x, y, adjacent, distance;
    } cases[] = {{232, 232, 1, 0}, {233, 231, 1, 1}, {234, 232, 0, 2}, {240, 229, 0, 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(is_adjacent_to_player(c.x, c.y), c.adjacent) << c.x << "," << c.y;
        EXPECT_EQ(distance_to_player(c.x, c.y), c.distance) << c.x << "," << c.y;
    }
    creature_catch_up = 1;
    EXPECT_EQ(is_adjacent_to_player(232, 232), 0);
    EXPECT_EQ(distance_to_player(233, 232), 50);
}

TEST_F(CreatureRecords, PeopleOfTheCellsCultureJoinTheRegionsGroup) {
    const int culture = world_culture_at(1000, 500);
    lay_out_file(
        {
            record([&](CreatureRecord& r) { r.cre_class = CRE_CLASS_HUMAN; r.home_culture = uint8_t(culture); }),
            record([&](CreatureRecord& r) {
                r.cre_class = CRE_CLASS_HUMAN;
                r.home_culture = uint8_t(culture);
                r.lauma = 5;
            }),
            record([&](CreatureRecord& r) { r.cre_class = CRE_CLASS_HUMAN; r.home_culture = uint8_t(culture + 1); }),
            record([&](CreatureRecord& r) { r.home_culture = uint8_t(culture); }),  // an animal
        },
        60);
    for (int i = 0; i < 4; ++i) place(MK_CREATURE, 210 + i, 210, 1000 + i);
    creature_mess();
    EXPECT_EQ(group_region_residents(1003, 500, 44), 0) << "a cell off the local map";
    EXPECT_EQ(group_region_residents(1000, 500, 44), 1);
    EXPECT_EQ(Cre[slot_of(0)].lauma, 44);
    EXPECT_EQ(Cre[slot_of(1)].lauma, 5);
    EXPECT_EQ(Cre[slot_of(2)].lauma, 0);
    EXPECT_EQ(Cre[slot_of(3)].lauma, 0);
    copy_text(Plr.map_name, "BIGMAP");
    is_world_map();
    EXPECT_EQ(group_region_residents(1000, 500, 45), 0);
    EXPECT_EQ(Cre[slot_of(0)].lauma, 44);
}

TEST_F(CreatureRecords, TheLargestGameNearbyIsTheHeaviestTheCultureKnows) {
    const uint16_t known = uint16_t(1u << Plr.culture);
    auto game = [&](float weight, uint16_t mask, uint8_t cls) {
        CreatureRecord r = CreTemplates[100];
        r.base_weight = weight;
        r.culture_mask1 = mask;
        r.cre_class = cls;
        return r;
    };
    CreTemplates[600] = game(300.0f, known, 3);                  // an elk
    CreTemplates[601] = game(500.0f, 0, 3);                      // unknown to the culture
    CreTemplates[602] = game(900.0f, known, CRE_CLASS_HUMAN);    // people are no game
    CreTemplates[603] = game(400.0f, known, 3);                  // a bear, too far
    CreTemplates[604] = game(350.0f, known, 3);                  // on the map, far from the player
    CreTemplates[605] = game(999.0f, known, 3);                  // on the map, near the player
    auto world_entry = [](int i, int x, int y, int data) {
        world_data_copy[i].TYPE = MK_WORLD_CREATURE;
        world_data_copy[i].x = uint16_t(x);
        world_data_copy[i].y = uint16_t(y);
        world_data_copy[i].DATA = data;
    };
    world_entry(0, 1005, 500, 600);
    world_entry(1, 1003, 503, 601);
    world_entry(2, 1000, 510, 602);
    world_entry(3, 1021, 500, 603);
    world_entry(4, 1000, 500, 605);  // in the player's own cell: not counted
    CreatureRecord out{};
    GamePlace at = find_largest_game_nearby(out);
    EXPECT_EQ(at.x, 1005);
    EXPECT_EQ(at.y, 500);
    EXPECT_FLOAT_EQ(out.base_weight, 300.0f);

    // Creatures of the local map count when they are more than 64 squares
    // from the player, and not during the catch-up.
    place(MK_CREATURE, 232 + 65, 232, 604);
    place(MK_CREATURE, 232 + 10, 232, 605);
    at = find_largest_game_nearby(out);
    EXPECT_EQ(at.x, 232 + 65);
    EXPECT_FLOAT_EQ(out.base_weight, 350.0f);
    creature_catch_up = 1;
    at = find_largest_game_nearby(out);
    EXPECT_EQ(at.x, 1005);
}

// ------------------------------------------------------------ templates

TEST_F(CreatureRecords, TheTemplatesFileHoldsDefaultsBelowFiveHundredAndKindsAbove) {
    ASSERT_TRUE(write_constant_cre());
    std::vector<CreatureRecord> file(CRE_TEMPLATE_COUNT);
    ASSERT_TRUE(read_file_exact(path("CONSTANT.CRE"), file.data(), file.size() * sizeof(CreatureRecord)));
    for (int k = 0; k < 500; ++k) {
        ASSERT_EQ(std::memcmp(&file[size_t(k)], &file[0], sizeof(CreatureRecord)), 0) << k;
    }
    EXPECT_EQ(file[0].day_mark, -1);
    EXPECT_STREQ(file[0].pain_word, "whimper");
    EXPECT_EQ(file[0].cre_class, 0);
    for (int k = 500; k < CRE_TEMPLATE_COUNT; ++k) ASSERT_EQ(file[size_t(k)].kind, k) << k;
    const std::string log = channel("docreatures");
    EXPECT_NE(log.find("#500 "), std::string::npos);
    EXPECT_NE(log.find("#999 "), std::string::npos);
    EXPECT_EQ(log.find("#499 "), std::string::npos);
}

// ------------------------------------------------------------ a damaged file

TEST_F(CreatureRecords, ADamagedCreatureFileIsTakenFromTheSaveBeforeOrKeptWhole) {
    lay_out_file({record([](CreatureRecord& r) { r.kind = 1; }), record([](CreatureRecord& r) { r.kind = 2; })}, 2);
    // Two saves through the save set: the first file is the previous copy.
    ASSERT_TRUE(write_character_file("Rec.CRS", crs_records().data(), crs_records().size() * sizeof(CreatureRecord)));
    crs_records()[0].kind = 11;
    ASSERT_TRUE(save_creature_file());

    struct Case {
        const char* what;
        long long size;  // -1: deleted
    } cases[] = {{"damaged", 4 * 1384}, {"cut", 1384 + 100}, {"deleted", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.size < 0) {
            remove_file(path("Rec.CRS"));
        } else {
            std::vector<uint8_t> bytes(size_t(c.size), 0x33);
            write_fixture_file(path("Rec.CRS"), bytes.data(), bytes.size());
        }
        reset_creature_tables();
        clear_load_notices();
        ASSERT_EQ(crs_records().size(), 4u);
        EXPECT_EQ(crs_records()[0].kind, 1);
        EXPECT_EQ(crs_records()[1].kind, 2);
        ASSERT_EQ(load_notices().size(), 1u);
        EXPECT_NE(load_notices()[0].find("taken from the save before"), std::string::npos) << load_notices()[0];
        // The file is whole again.
        EXPECT_EQ(file_size(path("Rec.CRS")), 4LL * 1384);
    }

    // With no earlier copy, a damaged file's whole records are used as they
    // are, and nothing on the disk changes until the next save.
    remove_file(path(previous_name("Rec.CRS").c_str()));
    std::vector<CreatureRecord> two(2, record([](CreatureRecord& r) { r.kind = 5; }));
    std::vector<uint8_t> bytes(reinterpret_cast<const uint8_t*>(two.data()),
                               reinterpret_cast<const uint8_t*>(two.data()) + 2 * sizeof(CreatureRecord));
    bytes.resize(bytes.size() + 700, 0x44);  // half a record more
    write_fixture_file(path("Rec.CRS"), bytes.data(), bytes.size());
    reset_creature_tables();
    clear_load_notices();
    ASSERT_EQ(crs_records().size(), 2u);
    EXPECT_EQ(crs_records()[1].kind, 5);
    ASSERT_EQ(load_notices().size(), 1u);
    EXPECT_NE(load_notices()[0].find("used as they are"), std::string::npos) << load_notices()[0];
    EXPECT_EQ(read_fixture_file(path("Rec.CRS")), bytes);
}

}  // namespace
