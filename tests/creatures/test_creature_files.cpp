// The creature record, table and file: the record's layout on the disk and
// its defaults, the map-entry pass that gives generated creatures records,
// a full table, the party stack, the record queries, and creatures keeping
// their identities across map changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_table.h"
#include "creatures/party_stack.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr int KIND_WOLF = 611;
constexpr int REC = 1384;

// A record of every kind of byte, the unlisted ones too.
CreatureRecord patterned_record(uint8_t seed) {
    CreatureRecord r;
    auto* bytes = reinterpret_cast<uint8_t*>(&r);
    for (int i = 0; i < REC; ++i) bytes[i] = uint8_t(seed + i * 7);
    r.cre_class = 3;
    return r;
}

int used_records() {
    int n = 0;
    for (const CreatureRecord& r : crs_records())
        if (r.cre_class != 0) ++n;
    return n;
}

// A local map of the fixture world, with a creature file of `records`
// records, `empty` of them empty.
class CreatureTable : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Cre");
        reset_creature_tables();
        reset_map_object_table();
        party_stack_count = 0;
        std::memset(party_stack, 0, sizeof party_stack);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 500;
        Plr.days_played = 100;
        is_world_map();
        player_x = player_y = 232;
        messages_suppressed = true;
        debug_logs_on = 1;
        std::memset(CreTemplates, 0, sizeof CreTemplates);
        creature_defaults();
        CreTemplates[100] = CreScratch;
        CreTemplates[100].cre_class = 3;
        CreTemplates[100].kind = 100;
        seed_random(5);
    }
    void TearDown() override {
        debug_logs_on = 0;
        messages_suppressed = false;
        reset_creature_tables();
        reset_map_object_table();
        party_stack_count = 0;
        copy_text(Plr.map_name, "BIGMAP");
    }
    // The creature file on the disk: `used` creatures then `empty` empty
    // records.
    void lay_out_file(int used, int empty) {
        std::vector<CreatureRecord> file(size_t(used + empty), CreatureRecord{});
        for (int i = 0; i < used; ++i) {
            file[size_t(i)] = CreTemplates[100];
            file[size_t(i)].sotu = uint32_t(1000 + i);
        }
        write_fixture_file(path("Cre.CRS"), file.data(), file.size() * sizeof(CreatureRecord));
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
    std::string path(const char* name) { return world.folder + "/" + name; }
    std::string log() { return folder.read("debug_crmess.txt"); }

    PlayFolder folder{false};
    FixtureWorld world;
};

// ------------------------------------------------------------ the record

TEST(CreatureRecordLayout, DefaultsAreTheOnesEveryCreatureStartsFrom) {
    seed_random(1);
    creature_defaults();
    const CreatureRecord& c = CreScratch;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&c);
    EXPECT_FLOAT_EQ(c.body_temp, 37.0f);
    EXPECT_EQ(c.home_culture, 255);
    EXPECT_EQ(c.day_mark, -1);
    int32_t at468, at1360;
    std::memcpy(&at468, bytes + 468, 4);
    std::memcpy(&at1360, bytes + 1360, 4);
    EXPECT_EQ(at468, -1);
    EXPECT_EQ(at1360, -1000);
    EXPECT_EQ(c.weight_spread, 30);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 168), "whimper");
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 178), "mumble");
    EXPECT_EQ(c.stature, 2);
    EXPECT_EQ(c.attitude, 3);
    EXPECT_EQ(c.meat_b, 3);
    EXPECT_EQ(c.meat_c, 15);
    // Nothing carried, worn, wounded or queued; no listed byte is stray.
    for (int i = 0; i < 20; ++i) EXPECT_EQ(c.inv_id[i], 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(c.Puuha[i], 0);
    for (int at : {3, 66, 72, 154, 198, 329, 331, 648, 693, 1300, 1303}) EXPECT_EQ(bytes[at], 0) << at;
}

TEST_F(CreatureTable, ARecordRoundTripsThroughTheFileByteForByte) {
    lay_out_file(0, 10);
    const CreatureRecord odd = patterned_record(11);
    ASSERT_EQ(append_creature_record(odd), 1000);
    begin_save_commit();
    ASSERT_TRUE(save_creature_file());
    ASSERT_TRUE(end_save_commit());
    reset_creature_tables();
    CreatureRecord back;
    get_creature_record(1000, MK_CREATURE, back);
    CreatureRecord expected = odd;
    expected.sotu = 1000;  // the append wrote its identity
    EXPECT_EQ(std::memcmp(&back, &expected, sizeof back), 0);
    // A record of class 0 would read as free: it is never written.
    CreatureRecord empty = odd;
    empty.cre_class = 0;
    EXPECT_EQ(append_creature_record(empty), CRE_NO_CREATURE);
    EXPECT_FALSE(write_crs_record(1000, empty));
    EXPECT_FALSE(write_crs_record(1000 + 10, odd));  // past the end
}

TEST_F(CreatureTable, AMissingCreatureFileIsMadeAnewAndTold) {
    remove_file(path("Cre.CRS"));
    messages_suppressed = false;
    skip_message_pauses = true;
    EXPECT_EQ(crs_records().size(), size_t(CRS_NEW_FILE_RECORDS));
    skip_message_pauses = false;
    EXPECT_NE(std::string(last_message).find("creature file"), std::string::npos) << last_message;
    EXPECT_EQ(file_size(path("Cre.CRS")), 1384LL * CRS_NEW_FILE_RECORDS);
}

TEST_F(CreatureTable, ACreatureFileThatCanNotBeMadeAnewEndsTheGame) {
    remove_file(path("Cre.CRS"));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            arm_file_fault(1, true);
            crs_records();
        },
        ::testing::ExitedWithCode(1), "Cre.CRS couldn't be written!");
    disarm_file_fault();
}

TEST_F(CreatureTable, AFailedSaveLeavesTheOldCreatureFileWhole) {
    lay_out_file(1, 60);
    const std::vector<uint8_t> before = read_fixture_file(path("Cre.CRS"));
    CreatureRecord other = CreTemplates[100];
    other.kind = 555;
    ASSERT_EQ(append_creature_record(other), 1001);
    begin_save_commit();
    ASSERT_TRUE(save_creature_file());
    arm_file_fault(1, true);
    EXPECT_FALSE(end_save_commit());
    disarm_file_fault();
    EXPECT_EQ(read_fixture_file(path("Cre.CRS")), before);
}

// ------------------------------------------------------------ map entry

TEST_F(CreatureTable, GeneratedWolvesGetRecordsAndIdentities) {
    lay_out_file(0, 3000);
    place(MK_CREATURE, 210, 210, KIND_WOLF);
    place(MK_CREATURE, 212, 210, KIND_WOLF);
    creature_mess();
    EXPECT_NE(log().find("savepos: 0"), std::string::npos);
    EXPECT_NE(log().find("savepos: 1"), std::string::npos);
    EXPECT_EQ(Data[0].DATA, 1000);  // slot 0
    EXPECT_EQ(Data[1].DATA, 1001);
    EXPECT_EQ(Cre[0].sotu, 1000u);
    EXPECT_EQ(Cre[1].sotu, 1001u);
    EXPECT_EQ(CreSlotRefs[0], 1000);
    EXPECT_EQ(cre_by_sotu(1001), 1);
    EXPECT_EQ(cre_by_sotu(1005), CRE_NO_CREATURE);

    // The save writes them back; the stored map names them by reference.
    begin_save_commit();
    cre_save_to_crs();
    creature_references_begin();
    EXPECT_EQ(Data[0].DATA, 1000);
    EXPECT_EQ(Data[1].DATA, 1001);
    ASSERT_TRUE(save_creature_file());
    creature_references_end();
    ASSERT_TRUE(end_save_commit());
    const std::vector<uint8_t> bytes = read_fixture_file(path("Cre.CRS"));
    ASSERT_GE(bytes.size(), size_t(2 * REC));
    EXPECT_EQ(bytes[1324], 0xE8);
    EXPECT_EQ(bytes[1325], 0x03);
    EXPECT_EQ(bytes[1326], 0x00);
    EXPECT_EQ(bytes[1327], 0x00);
    EXPECT_EQ(bytes[REC + 188], KIND_WOLF & 0xFF);
    EXPECT_EQ(Data[0].DATA, 1000);  // the slots are back for the map that stays
    EXPECT_EQ(Cre[0].day_mark, 100);
}

TEST_F(CreatureTable, TheFileGrowsWhenFewerThanFiftyRecordsAreEmpty) {
    struct Case {
        int empty;
        long long growth;
    };
    for (const Case c : {Case{49, 138400}, Case{50, 0}}) {
        lay_out_file(10, c.empty);
        creature_mess();
        EXPECT_EQ((long long)crs_records().size() * REC - (10LL + c.empty) * REC, c.growth) << c.empty;
    }
}

TEST_F(CreatureTable, AReferencePastTheEndIsRemovedAsCorrupt) {
    lay_out_file(2, 60);
    place(MK_CREATURE, 210, 210, 1001);
    place(MK_CREATURE, 211, 210, 1000 + 62);  // past the end
    place(MK_CARCASS, 212, 210, 1000 + 5);    // an empty record
    place(MK_CREATURE, 213, 210, -5);
    creature_mess();
    EXPECT_NE(log().find("corrupt creature, remove dataentry 1 (DATA:1062)"), std::string::npos);
    EXPECT_NE(log().find("corrupt creature, remove dataentry 2 (DATA:1005)"), std::string::npos);
    EXPECT_EQ(Data[0].TYPE, MK_CREATURE);
    EXPECT_EQ(Cre[0].sotu, 1001u);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(Data[i].TYPE, KIND_FREED) << i;
}

TEST_F(CreatureTable, SixtyGeneratedCreaturesOnFiftyEmptyRecordsAllGetRecords) {
    lay_out_file(30, 50);
    for (int i = 0; i < 60; ++i) place(MK_CREATURE, 100 + i, 200, KIND_WOLF);
    creature_mess();
    EXPECT_EQ(used_records(), 90);
    std::vector<uint32_t> seen;
    for (int i = 0; i < 60; ++i) {
        const int slot = Data[i].DATA - 1000;
        ASSERT_TRUE(cre_slot_valid(slot)) << i;
        seen.push_back(Cre[slot].sotu);
        EXPECT_EQ(crs_records()[Cre[slot].sotu - 1000].sotu, Cre[slot].sotu);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_TRUE(std::adjacent_find(seen.begin(), seen.end()) == seen.end());
    EXPECT_EQ(seen.front(), 1030u);
}

TEST_F(CreatureTable, CreaturesPastTheFiveHundredthWaitAsHeldEntries) {
    lay_out_file(502, 60);
    for (int i = 0; i < 502; ++i) place(MK_CREATURE, 80 + i % 300, 100 + i / 300, 1000 + i);
    creature_mess();
    EXPECT_EQ(Data[499].DATA, 1499);
    EXPECT_EQ(Cre[499].sotu, 1499u);
    for (int i : {500, 501}) {
        EXPECT_EQ(Data[i].TYPE, MK_HELD_CREATURE);
        EXPECT_EQ(Data[i].DATA, 1000 + i);  // its identity, kept
    }
    // A full table gives back nothing that a map object names.
    EXPECT_EQ(cre_load_into_slot(1501, 0), CRE_NO_CREATURE);
    EXPECT_EQ(Cre[0].sotu, 1000u);
    // Once a creature is gone from the map its slot can be given back.
    Poista_Olento(7);
    EXPECT_EQ(Data[7].TYPE, KIND_FREED);
    EXPECT_EQ(cre_load_into_slot(1501, 0), 1007);
    EXPECT_EQ(CreSlotRefs[7], 1501);
    // A held creature comes back into a slot that nothing names (1501 was
    // loaded but never put on the map).
    Poista_Olento(8);
    EXPECT_EQ(release_held_creature(1500), 1);
    const int slot = cre_by_sotu(1500);
    ASSERT_TRUE(cre_slot_valid(slot));
    EXPECT_EQ(CreSlotRefs[slot], 1500);
    EXPECT_EQ(Cre[slot].cre_flags & CRE_BROUGHT_BACK, CRE_BROUGHT_BACK);
    EXPECT_EQ(crs_records()[500].cre_flags & CRE_BROUGHT_BACK, CRE_BROUGHT_BACK);
    EXPECT_EQ(release_held_creature(1500), 0);
}

TEST_F(CreatureTable, LoadingTheSameReferenceWithAndWithoutReuse) {
    lay_out_file(3, 60);
    const int a = cre_load_into_slot(1002, 1);
    EXPECT_EQ(cre_load_into_slot(1002, 1), a);
    EXPECT_NE(cre_load_into_slot(1002, 0), a);
    EXPECT_EQ(cre_load_into_slot(1000 + 70, 0), CRE_NO_CREATURE);  // no such record
    EXPECT_EQ(cre_load_into_slot(5, 0), CRE_NO_CREATURE);          // an empty template
}

// ------------------------------------------------------------ party stack

TEST_F(CreatureTable, ThePartyStackPutsACompanionDownOnceAndCutsTheCount) {
    lay_out_file(3, 60);
    party_stack[0] = PartyEntry{MK_CREATURE, 1, 1002};
    party_stack[1] = PartyEntry{MK_PARTY_ENTRY, 45, 9};
    party_stack[2] = PartyEntry{MK_CREATURE, 1, 1002};
    party_stack[3] = PartyEntry{MK_CREATURE, 1, 1000 + 80};  // no such record: kept
    party_stack_count = 4;
    unpack_party_stack();
    int creatures = 0, entry = -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE == MK_CREATURE) {
            ++creatures;
            EXPECT_EQ(CreSlotRefs[Data[i].DATA - 1000], 1002);
            EXPECT_EQ(std::max(std::abs(Data[i].x - player_x), std::abs(Data[i].y - player_y)), 1);
        }
        if (Data[i].TYPE == MK_PARTY_ENTRY) entry = i;
    }
    EXPECT_EQ(creatures, 1);
    ASSERT_GE(entry, 0);
    EXPECT_EQ(Data[entry].amount, 30);
    ASSERT_EQ(party_stack_count, 1);
    EXPECT_EQ(party_stack[0].data, 1080);
    EXPECT_NE(folder.read("debug_party!.txt").find("remove duplo #2: T:4 D:1002"), std::string::npos);

    // An empty stack puts nothing down.
    party_stack_count = 0;
    reset_map_object_table();
    unpack_party_stack();
    EXPECT_EQ(Data[0].TYPE, KIND_UNUSED);
}

TEST_F(CreatureTable, TaskTargetsFollowTheirRecordsWhenTheTableIsPacked) {
    lay_out_file(1, 60);
    for (int i = 0; i < 5; ++i) place(MK_BLOOD, 100 + i, 100, 1);
    const int bark = place(MK_ITEM, 120, 100, 7);  // record 5
    const int ref = cre_load_into_slot(1000, 0);
    ASSERT_EQ(place(MK_CREATURE, 130, 100, ref), 6);
    Cre[0].Puuha[0] = 80;
    Cre[0].task_target[0] = bark;
    Cre[0].Puuha[1] = 12;  // another task: its target is no record index
    Cre[0].task_target[1] = bark;
    for (int i = 0; i < 3; ++i) free_map_object(i);
    map_objects_renumbered = creature_tasks_renumbered;
    compact_map_objects();
    map_objects_renumbered = nullptr;
    EXPECT_EQ(Data[2].DATA, 7);
    EXPECT_EQ(Cre[0].task_target[0], 2);
    EXPECT_EQ(Cre[0].task_target[1], bark);
}

TEST_F(CreatureTable, PortraitPickersGiveUpWhenOnlyThePlayersOwnIsThere) {
    static int draws = 0;
    static const char* answer = "";
    const PortraitServices kept = portrait_services;
    portrait_services.list = [](const char*) {};
    portrait_services.random_name = []() {
        ++draws;
        return answer;
    };
    copy_text(Plr.portrait, "fem3.png");
    answer = "fem3.png";
    EXPECT_STREQ(pick_portrait_fem(), "");
    EXPECT_EQ(draws, 20);
    answer = "fem4.png";
    EXPECT_STREQ(pick_portrait_fem(), "fem4.png");
    answer = "";
    EXPECT_STREQ(pick_portrait_man(), "");
    portrait_services = kept;
}

// ------------------------------------------------------------ queries

TEST_F(CreatureTable, AgesBurntBodiesAndGroupCounts) {
    CreatureRecord r{};
    EXPECT_EQ(cre_age_months(r), 33);
    r.birth_day = int16_t(Plr.days_played - 59);
    EXPECT_EQ(cre_age_months(r), 1);
    r.birth_day = -20;
    EXPECT_EQ(cre_age_months(r), 4);  // 20 days before day 0, 100 since

    struct Burn {
        int percent;
        const char* words;
    };
    char words[40];
    r.Puuha[0] = TASK_BURNT;
    r.weight = 10.0f;  // a hundred turns burn it whole
    for (const Burn b : {Burn{25, "slightly burnt"}, Burn{26, "partially burnt"}, Burn{51, "largely burnt"},
                         Burn{76, "mostly burnt"}, Burn{101, "mostly burnt"}}) {
        r.task_turns[0] = b.percent;
        EXPECT_EQ(burnt_degree_text(words, sizeof words, r), std::min(b.percent, 100));
        EXPECT_STREQ(words, b.words);
    }
    r.weight = 0.0f;  // no divisor of zero
    EXPECT_EQ(burnt_degree_text(words, sizeof words, r), 100);
    r.Puuha[0] = 0;
    EXPECT_EQ(burnt_degree_text(words, sizeof words, r), 0);
    EXPECT_STREQ(words, "");

    mark_carcass_skinned(r);
    EXPECT_EQ(is_carcass_skinned(r), 1);
    EXPECT_EQ(carcass_skin_left(r), 0);

    lay_out_file(0, 400);
    CreatureRecord member = CreTemplates[100];
    member.lauma = 77;
    member.move_mode = MOVE_MODE_DEAD;
    for (int i = 0; i < 300; ++i) ASSERT_GE(append_creature_record(member), 1000);
    uint8_t counts[5];
    count_group_in_crs(77, counts);
    EXPECT_EQ(counts[0], 255);  // saturates
    EXPECT_EQ(counts[1], 0);
}

// ------------------------------------------------------------ map changes

class CreatureMapChange : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Fix");
        init_terrain_types_for_date(6, 1);
        message_pause_count = 0;
        skip_message_pauses = true;
        reset_creature_tables();
        load_world_files();
        std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        zoom_index_invalidate();
        facing = 0;
        map_change_request = 0;
        recentre_request = 0;
        party_stack_count = 0;
        zoom_arrival_mode = 0;
        game_just_continued = 0;
        std::memset(CreTemplates, 0, sizeof CreTemplates);
        creature_defaults();
        CreTemplates[100] = CreScratch;
        CreTemplates[100].cre_class = 3;
        CreTemplates[100].kind = 100;
        seed_random(5);
    }
    void TearDown() override {
        skip_message_pauses = false;
        copy_text(Plr.map_name, "BIGMAP");
        map_change_request = 0;
        zoom_index_invalidate();
        reset_creature_tables();
    }
    void zoom() {
        terrain_map(0, -1);
        ASSERT_EQ(map_change_request, 1);
        maploader(0);
    }
    std::vector<uint32_t> creatures_on_map() {
        std::vector<uint32_t> out;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_CREATURE && cre_slot_valid(o.DATA - 1000)) out.push_back(Cre[o.DATA - 1000].sotu);
        std::sort(out.begin(), out.end());
        return out;
    }
    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(CreatureMapChange, TemplateCreaturesKeepTheirIdentitiesAcrossMapChanges) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            zoom_clear_work();
            ASSERT_TRUE(save_zoommap(1000 + dx, 500 + dy, 0));
        }
    // Two creatures placed by generation, far from where the player comes in.
    ASSERT_EQ(zoom_load_stored(1000, 500), 1);
    ASSERT_GE(zoom_add_data(60, 5, MK_CREATURE, KIND_WOLF, 1), 0);
    ASSERT_GE(zoom_add_data(60, 60, MK_CREATURE, 100, 1), 0);
    ASSERT_TRUE(save_zoommap(1000, 500, 1));

    zoom();
    ASSERT_STREQ(Plr.map_name, "ZOOMMAP");
    const std::vector<uint32_t> first = creatures_on_map();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], 1000u);
    EXPECT_EQ(first[1], 1001u);
    zoom();  // out
    ASSERT_STREQ(Plr.map_name, "BIGMAP");
    zoom();  // in again: the same two, not made anew
    EXPECT_EQ(creatures_on_map(), first);
    reset_creature_tables();  // the file on the disk
    EXPECT_EQ(used_records(), 2);
    EXPECT_EQ(crs_records()[1].kind, 100);
}

}  // namespace
