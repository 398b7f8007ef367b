// The per-turn pass over the map objects on a small open map: a fire burns
// out on the turn after its minute, never burns far ahead, burns the player
// once a command, spreads only beside another fire; marks expire; the world
// map's tracks count down; stale fire sites go at a map load.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/fire_turn.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr int FX = 200, FY = 200;
constexpr int NOW = 100000;

void stamp_fire(MessageLogStamp& out) {
    out = MessageLogStamp{};
    copy_text(out.folder, sizeof out.folder, "FIRELOG");
}

// The lines logged since the folder was made, as one text.
std::string logged() {
    std::vector<uint8_t> bytes;
    if (!read_whole_file("FIRELOG/msglog.txt", bytes)) return "";
    return std::string(bytes.begin(), bytes.end());
}

int count_of(const std::string& text, const char* what) {
    int n = 0;
    for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
    return n;
}

class FireTurn : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, 10, MAP_CELLS);  // forest: it burns
        std::memset(view_layer, ' ', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.bodytemp = 37;
        Plr.total_minutes = NOW;
        Plr.days_played = 50;
        player_x = 120;
        player_y = 120;
        fire_burned_player = 0;
        weather.current.rain = 0;
        messages_suppressed = false;
        skip_message_pauses = true;
        reset_last_message();
        clear_stub_calls();
        seed_random(3);
        make_folder("FIRELOG");
        std::remove("FIRELOG/msglog.txt");
        message_log_stamp = stamp_fire;
    }
    void TearDown() override {
        message_log_stamp = nullptr;
        skip_message_pauses = false;
        messages_suppressed = true;
        allow_repeated_message = false;
    }

    int fire(int x, int y, int burns_out_at) {
        clear_staging_object();
        map_object_staging.TYPE = MK_FIRE;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.amount = 60;
        map_object_staging.DATA = 60;
        map_object_staging.expire_minute = uint32_t(burns_out_at);
        map_object_staging.time_stamp = NOW - 60;
        map_object_staging.day_stamp = 50;
        return insert_map_object(-1);
    }
    int count(uint8_t kind) {
        int n = 0;
        for (const MapObject& o : Data) n += o.TYPE == kind;
        return n;
    }
};

TEST_F(FireTurn, AFireDueNowBurnsThisTurnAndIsASiteTheNext) {
    const int f = fire(FX, FY, NOW);
    update_map_objects();
    EXPECT_EQ(Data[f].TYPE, MK_FIRE);
    Plr.total_minutes = NOW + 1;
    update_map_objects();
    EXPECT_EQ(count(MK_FIRE), 0);
    const int site = find_map_object(MK_FIRE_SITE, FX, FY);
    ASSERT_GE(site, 0);
    // The site keeps the fire's figures for the body heat.
    EXPECT_EQ(Data[site].DATA, 60);
    EXPECT_EQ(Data[site].amount, 60);
    EXPECT_EQ(Data[site].expire_minute, uint32_t(NOW));
    // Forest burns to ash.
    EXPECT_EQ(terrain_at(FX, FY), GROUND);
}

TEST_F(FireTurn, ABurntOutFireOnTerrainFourOrFiveLeavesASiteButNoAsh) {
    for (uint8_t code : {uint8_t(4), uint8_t(5)}) {
        reset_map_object_table();
        terrain_layer[map_index(FX, FY)] = code;
        fire(FX, FY, NOW - 1);
        update_map_objects();
        EXPECT_GE(find_map_object(MK_FIRE_SITE, FX, FY), 0) << int(code);
        EXPECT_EQ(terrain_at(FX, FY), code);
    }
}

TEST_F(FireTurn, NoFireBurnsMoreThanTwentyHoursAhead) {
    const int f = fire(FX, FY, NOW + 5000);
    update_map_objects();
    EXPECT_EQ(Data[f].expire_minute, uint32_t(NOW + 1200));
    // One filled in from its fuel minutes when unset.
    const int g = fire(FX + 5, FY, 0);
    Data[g].amount = 30;
    update_map_objects();
    EXPECT_EQ(Data[g].expire_minute, uint32_t(NOW + 30));
}

TEST_F(FireTurn, ThePlayerInAFireIsBurntOnceACommandThriceOnTheWorldMap) {
    struct Case {
        const char* map;
        int burns;
    } cases[] = {{"ZOOMMAP", 1}, {"BIGMAP", 3}};
    for (const Case& k : cases) {
        reset_map_object_table();
        copy_text(Plr.map_name, k.map);
        std::memset(&Plr.wounds, 0, sizeof Plr.wounds);
        player_x = FX;
        player_y = FY;
        fire_burned_player = 0;
        allow_repeated_message = true;
        fire(FX, FY, NOW + 100);
        fire(FX, FY, NOW + 100);  // a second fire on the square burns no more
        std::remove("FIRELOG/msglog.txt");
        update_map_objects();
        EXPECT_EQ(count_of(logged(), "The fire burns your"), k.burns) << k.map;
        EXPECT_EQ(fire_burned_player, 1);
        // The next turn of the same command burns no more.
        update_map_objects();
        EXPECT_EQ(count_of(logged(), "The fire burns your"), k.burns) << k.map;
    }
}

TEST_F(FireTurn, ALoneFireNeverSpreadsOneBesideAnotherSpreadsNorthAndSouth) {
    // The fire-making service is still to come: spreading is seen in its
    // calls, one north and one south.
    for (int run = 0; run < 20; ++run) {
        reset_map_object_table();
        fire(FX, FY, NOW - 1);
        update_map_objects();
        EXPECT_EQ(count(MK_FIRE), 0);
    }
    EXPECT_EQ(stub_calls_of("place_fire_object"), 0);
    int spread = 0;
    for (int run = 0; run < 20; ++run) {
        reset_map_object_table();
        clear_stub_calls();
        fire(FX, FY, NOW - 1);
        fire(FX + 1, FY, NOW + 500);
        update_map_objects();
        const int calls = stub_calls_of("place_fire_object");
        EXPECT_TRUE(calls == 0 || calls == 2) << calls;
        spread += calls == 2;
    }
    // 49 chances in 50.
    EXPECT_GE(spread, 17);
    // Not in a crowd of more than 25 fires.
    reset_map_object_table();
    clear_stub_calls();
    fire(FX, FY, NOW - 1);
    for (int k = 0; k < 26; ++k) fire(FX + 1 + k % 5, FY + 1 + k / 5, NOW + 500);
    update_map_objects();
    EXPECT_EQ(stub_calls_of("place_fire_object"), 0);
}

TEST_F(FireTurn, ACarcassMarkGoesAtFiveDaysAndItsBodyIsLeftForTheNextLoad) {
    for (int age : {4, 5}) {
        reset_map_object_table();
        const int body = put_object_on_map(MK_CARCASS, FX, FY, CRE_REF_BASE + 7, 1);
        const int mark = put_object_on_map(MK_CARCASS_MARK, FX, FY, Plr.days_played - age, 1);
        ASSERT_GE(mark, 0);
        update_map_objects();
        if (age == 4) {
            EXPECT_EQ(Data[mark].TYPE, MK_CARCASS_MARK);
            EXPECT_EQ(Data[body].TYPE, MK_CARCASS);
        } else {
            EXPECT_NE(Data[mark].TYPE, MK_CARCASS_MARK);
            EXPECT_EQ(Data[body].TYPE, MK_GONE);
        }
    }
    // A mark with no body under it just goes.
    reset_map_object_table();
    const int lone = put_object_on_map(MK_CARCASS_MARK, FX, FY, Plr.days_played - 9, 1);
    update_map_objects();
    EXPECT_NE(Data[lone].TYPE, MK_CARCASS_MARK);
}

TEST_F(FireTurn, WorldTracksCountDownAndLastingOnesStay) {
    copy_text(Plr.map_name, "BIGMAP");
    const int brief = put_object_on_map(MK_TRACK, 500, 500, 600, 1);
    const int lasting = put_object_on_map(MK_TRACK, 501, 500, 600, 1);
    Data[lasting].amount = 0;
    update_map_objects();
    EXPECT_NE(Data[brief].TYPE, MK_TRACK);
    EXPECT_EQ(Data[lasting].TYPE, MK_TRACK);
}

TEST_F(FireTurn, StaleFireSitesAndBloodGoAtAMapLoad) {
    struct Case {
        uint32_t expire_minute;
        int amount_day;
        bool stays;
    } cases[] = {
        {NOW - 2880, 0, true}, {NOW - 2881, 0, false}, {NOW + 2881, 0, false},
        {0, 48, true},         {0, 47, false},
    };
    for (const Case& k : cases) {
        reset_map_object_table();
        const int site = put_object_on_map(MK_FIRE_SITE, FX, FY, 1, 1);
        Data[site].expire_minute = k.expire_minute;
        Data[site].amount = uint16_t(k.amount_day);
        areal_itemizer();
        EXPECT_EQ(Data[site].TYPE == MK_FIRE_SITE, k.stays) << k.expire_minute << " " << k.amount_day;
    }
}

TEST_F(FireTurn, TerrainThatBurns) {
    struct Case {
        int code;
        int burns;
    } cases[] = {{10, 1}, {4, 0}, {250, 0}, {233, 0}, {247, 0}, {12, 1}};
    for (const Case& k : cases) EXPECT_EQ(terrain_burns(k.code), k.burns) << k.code;
}

}  // namespace

namespace {

TEST_F(FireTurn, OnlyCreatureRecordsOfLoadedSlotsTakeTurnsAndABadReferenceIsFreed) {
    std::memset(&Cre[5], 0, sizeof Cre[5]);
    CreSlotRefs[4] = 2004;
    Cre[4].cre_class = 2;
    const int good = put_object_on_map(MK_CREATURE, FX, FY, CRE_REF_BASE + 4, 1);
    const int unloaded = put_object_on_map(MK_CREATURE, FX + 1, FY, CRE_REF_BASE + 5, 1);
    const int beyond = put_object_on_map(MK_CREATURE, FX + 2, FY, CRE_REF_BASE + 700, 1);
    const int negative = put_object_on_map(MK_CREATURE, FX + 3, FY, -3, 1);
    const int template_ref = put_object_on_map(MK_CREATURE, FX + 4, FY, 611, 1);
    update_map_objects();
    // A creature's turn starts by noting where it stands.
    EXPECT_EQ(Cre[4].Viimeisin_X, FX);
    EXPECT_EQ(Cre[5].Viimeisin_X, 0);
    EXPECT_EQ(Data[good].TYPE, MK_CREATURE);
    EXPECT_EQ(Data[unloaded].TYPE, MK_CREATURE);
    EXPECT_EQ(Data[beyond].TYPE, MK_CREATURE);
    EXPECT_EQ(Data[template_ref].TYPE, MK_CREATURE);
    EXPECT_NE(Data[negative].TYPE, MK_CREATURE);
}

TEST_F(FireTurn, AMoveToTheTopDuringTheWalkWaitsForItsEnd) {
    const int a = put_object_on_map(MK_BLOOD, FX, FY, 1, 1);
    put_object_on_map(MK_BLOOD, FX + 1, FY, 2, 1);
    begin_map_object_walk();
    EXPECT_EQ(move_map_object_to_top(a), a);
    EXPECT_EQ(Data[a].TYPE, MK_BLOOD);
    EXPECT_EQ(Data[a].DATA, 1);
    end_map_object_walk();
    EXPECT_NE(Data[a].DATA, 1);
    EXPECT_EQ(Data[2].DATA, 1);
    EXPECT_EQ(Data[2].x, FX);
}

}  // namespace

namespace {

TEST_F(FireTurn, WorldEntriesFarFromThePlayerAreDropped) {
    copy_text(Plr.map_name, "BIGMAP");
    player_x = 1000;
    player_y = 800;
    struct Case {
        int dx, dy;
        bool stays;
    } cases[] = {{100, 0, true}, {101, 0, false}, {0, -101, false}, {-100, 100, true}};
    int at[4];
    for (int k = 0; k < 4; ++k)
        at[k] = put_object_on_map(MK_WORLD_CREATURE, player_x + cases[k].dx, player_y + cases[k].dy, 611, 0);
    drop_far_world_entries();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Data[at[k]].TYPE == MK_WORLD_CREATURE, cases[k].stays) << k;
    // Nothing on a local map.
    copy_text(Plr.map_name, "ZOOMMAP");
    const int local = put_object_on_map(MK_WORLD_CREATURE, player_x + 300, player_y, 611, 0);
    drop_far_world_entries();
    EXPECT_EQ(Data[local].TYPE, MK_WORLD_CREATURE);
}

TEST_F(FireTurn, TakenGoodsLeftOnTheGroundLoseTheirClaimAfterTenDays) {
    reset_object_store();
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_TOOL;
    copy_text(r.name, sizeof r.name, "knife");
    r.ownflag = OWN_TAKEN;
    r.ownerID = 5;
    const int id = obj_store_new(r);
    ASSERT_GT(id, 0);
    const int i = put_object_on_map(MK_ITEM, FX, FY, id, 1);
    for (int day = 1; day <= 10; ++day) {
        age_map_items(1);
        ObjectRecord now;
        obj_record(Data[i].DATA, now);
        EXPECT_EQ((now.ownflag & OWN_TAKEN) != 0, day < 10) << day;
        EXPECT_EQ(now.ownerID, day < 10 ? 5 : 0) << day;
    }
    // No days, no change.
    const int kept = Data[i].DATA;
    age_map_items(0);
    EXPECT_EQ(Data[i].DATA, kept);
}

}  // namespace
