// The map-object table on a local map: placing and stacking, the full
// table and its purges, the world cell's item limit, splitting and taking
// weight, packing with its renumbering, moves, finds and counts, and a long
// seeded run of random operations that must keep the table's invariants.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/platform.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "maps/map_change.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/weather.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "creatures/creature_files.h"
#include "creatures/party_stack.h"
#include "objects/object_looks.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr int PX = 230, PY = 230;  // the player, in the middle world cell (200..263)

ObjectRecord thing(const char* name, uint8_t item_class = ITEM_TOOL, float weight = 1.0f) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 300 + uint8_t(name[0]);
    copy_text(r.name, name);
    r.weight = r.full_weight = weight;
    r.price = 8.0f;
    return r;
}

// Writes records straight into the table (as a loaded map holds them).
void fill(int from, int to, uint8_t kind, int x = PX, int y = PY, int data = 1) {
    for (int i = from; i < to; ++i) {
        Data[i] = MapObject{};
        Data[i].TYPE = kind;
        Data[i].x = uint16_t(x);
        Data[i].y = uint16_t(y);
        Data[i].DATA = data;
        Data[i].amount = 1;
    }
}

int count_kind(uint8_t kind) {
    int n = 0;
    for (const MapObject& o : Data) n += o.TYPE == kind;
    return n;
}

int used_in_cell(int x, int y) {
    int n = 0;
    for (const MapObject& o : Data)
        if (map_record_used(o) && map_block_of(o.x) == map_block_of(x) && map_block_of(o.y) == map_block_of(y)) ++n;
    return n;
}

class MapObjectTable : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        player_x = PX;
        player_y = PY;
        Plr.days_played = 10;
        messages_suppressed = true;
        debug_messages_on = 0;
        map_creature_probe = default_map_creature_probe();
        map_objects_renumbered = nullptr;
        rock = obj_store_new(thing("Rock", ITEM_VALUABLE, 3.0f));
        knife = obj_store_new(thing("Knife", ITEM_WEAPON, 0.5f));
    }
    void TearDown() override {
        reset_map_object_table();
        reset_object_store();
        map_creature_probe = default_map_creature_probe();
        map_objects_renumbered = nullptr;
        messages_suppressed = false;
        skip_message_pauses = false;
        debug_messages_on = 0;
        Plr = saved_;
    }
    // Shows messages (without pauses) so that a warning can be read back.
    void hear_messages() {
        messages_suppressed = false;
        skip_message_pauses = true;
        reset_last_message();
    }
    static bool warned() { return std::strstr(last_message, "nothing more fits") != nullptr; }

    PlayerRecord saved_;
    int rock = 0, knife = 0;
};

// ------------------------------------------------------------ placing

TEST_F(MapObjectTable, EqualDropsStackAndThePlayersDropsCarryNoClaimMark) {
    const int a = put_object_on_map(MK_ITEM, PX, PY, rock, 2);
    ASSERT_GE(a, 0);
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, rock, 3), a);
    EXPECT_EQ(Data[a].amount, 5);
    EXPECT_EQ(Data[a].ref, 0);

    // The player's drop joins the unmarked stack and never carries the
    // claim mark, which says a village owns the item.
    EXPECT_EQ(put_player_item_on_map(PX, PY, rock, 1), a);
    EXPECT_EQ(Data[a].amount, 6);
    EXPECT_EQ(Data[a].ref, 0);
    // A village's claimed stack is never joined by the player's drop.
    Data[a].ref = MAP_REF_CLAIMED;
    const int mine = put_player_item_on_map(PX, PY, rock, 4);
    ASSERT_GE(mine, 0);
    EXPECT_NE(mine, a);
    EXPECT_EQ(Data[mine].ref, 0);
    EXPECT_EQ(Data[a].amount, 6);
    Data[a].ref = 0;
    // Another object, another square: records of their own.
    EXPECT_NE(put_object_on_map(MK_ITEM, PX, PY, knife, 1), a);
    EXPECT_NE(put_object_on_map(MK_ITEM, PX + 1, PY, rock, 1), a);
    // Nothing is placed for object id 0.
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, 0, 1), MAP_NO_RECORD);
    EXPECT_EQ(put_player_item_on_map(PX, PY, 0, 1), MAP_NO_RECORD);
}

TEST_F(MapObjectTable, HeldAndHauledRecordsNeverTakeNewItems) {
    const struct {
        const char* what;
        int16_t ref;
        uint8_t state;
    } held[] = {{"hauled by the player", MAP_REF_HAULED_BY_PLAYER, MAP_STATE_HAULED},
                {"being hauled (state only)", 0, MAP_STATE_HAULED},
                {"held by a creature", 1003, 0},
                {"claimed by the player", MAP_REF_CLAIMED, 0}};
    for (const auto& h : held) {
        SCOPED_TRACE(h.what);
        reset_map_object_table();
        const int lying = put_object_on_map(MK_ITEM, PX, PY, rock, 1);
        Data[lying].ref = h.ref;
        Data[lying].state = h.state;
        const int i = put_object_on_map(MK_ITEM, PX, PY, rock, 1);
        EXPECT_NE(i, lying);
        EXPECT_EQ(Data[lying].amount, 1);
    }
}

TEST_F(MapObjectTable, OwnedItemsAreNotClaimedAndBloodMarksStackByTheirData) {
    ObjectRecord owned = thing("Village axe");
    owned.ownerID = 7;
    const int axe = obj_store_new(owned);
    const int lying = put_object_on_map(MK_ITEM, PX, PY, axe, 1);
    EXPECT_EQ(put_player_item_on_map(PX, PY, axe, 1), lying);
    EXPECT_EQ(Data[lying].ref, 0);
    EXPECT_EQ(Data[lying].amount, 2);

    const int blood = put_object_on_map(MK_BLOOD, PX, PY, 1, 10);
    EXPECT_EQ(put_object_on_map(MK_BLOOD, PX, PY, 1, 11), blood);
    EXPECT_EQ(Data[blood].amount, 21);
    EXPECT_NE(put_object_on_map(MK_BLOOD, PX, PY, 2, 11), blood);
    // Other kinds never stack.
    const int fire = put_object_on_map(MK_FIRE, PX, PY, 0, 60);
    EXPECT_NE(put_object_on_map(MK_FIRE, PX, PY, 0, 60), fire);
}

TEST_F(MapObjectTable, AmountsNeverWrapTheSurplusTakesANewRecordOrIsRefused) {
    const int a = put_object_on_map(MK_ITEM, PX, PY, rock, 60000);
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, rock, 10000), a);
    EXPECT_EQ(Data[a].amount, 65535);
    int rest = -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (i != a && Data[i].TYPE == MK_ITEM && Data[i].DATA == rock) rest = i;
    ASSERT_GE(rest, 0);
    EXPECT_EQ(Data[rest].amount, 4465);

    // Set-aside items merge on insertion the same way.
    clear_staging_object();
    map_object_staging.TYPE = MK_SET_ASIDE;
    map_object_staging.x = PX;
    map_object_staging.y = PY;
    map_object_staging.DATA = knife;
    map_object_staging.subkind = 27;
    map_object_staging.expire_minute = 500;
    map_object_staging.amount = 65000;
    const int set = insert_map_object(-1);
    map_object_staging.amount = 1000;
    EXPECT_EQ(insert_map_object(-1), set);
    EXPECT_EQ(Data[set].amount, 65535);
    EXPECT_EQ(count_kind(MK_SET_ASIDE), 2);
    // A different due minute is another batch; a kind-1 staging record
    // never merges into one.
    map_object_staging.expire_minute = 501;
    EXPECT_NE(insert_map_object(-1), set);
    map_object_staging.TYPE = MK_ITEM;
    map_object_staging.expire_minute = 500;
    EXPECT_NE(insert_map_object(-1), set);
    EXPECT_EQ(Data[set].amount, 65535);

    // With no free record for the surplus nothing changes.
    fill(0, MAP_OBJECT_COUNT, MK_ITEM, 100, 100);
    Data[0].x = PX;
    Data[0].y = PY;
    Data[0].DATA = rock;
    Data[0].amount = 65000;
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, rock, 1000), MAP_NO_RECORD);
    EXPECT_EQ(Data[0].amount, 65000);
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, rock, 70000), MAP_NO_RECORD);
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, rock, -1), MAP_NO_RECORD);
}

TEST_F(MapObjectTable, ACarcassItemNeedsACreatureToLieAsADeadOne) {
    reset_creature_tables();
    std::memset(CreTemplates, 0, sizeof CreTemplates);
    const int elk = obj_store_new(thing("Elk carcass", ITEM_CARCASS, 400.0f));
    // No creature of its kind can be loaded (a blank template): nothing is
    // placed and the caller keeps it.
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, elk, 1), MAP_NO_RECORD);
    EXPECT_EQ(count_kind(MK_ITEM), 0);
    EXPECT_EQ(count_kind(MK_CARCASS), 0);

    // With a template of its kind the carcass lies as a dead creature: a
    // record of its own in the creature table, named by the map entry.
    ObjectRecord r;
    obj_record(elk, r);
    CreTemplates[r.kind].cre_class = 7;
    copy_text(CreTemplates[r.kind].name, "elk");
    const int at = put_object_on_map(MK_ITEM, PX, PY, elk, 1);
    ASSERT_GE(at, 0);
    EXPECT_EQ(Data[at].TYPE, MK_CARCASS);
    EXPECT_EQ(Data[at].x, PX);
    EXPECT_EQ(Data[at].y, PY);
    EXPECT_EQ(Data[at].amount, 1);
    const int slot = Data[at].DATA - CREATURE_REF_BASE;
    ASSERT_GE(slot, 0);
    ASSERT_LT(slot, CRE_SLOTS);
    EXPECT_EQ(CreSlotRefs[slot], int(r.kind));
    EXPECT_EQ(Cre[slot].cre_class, 7);
    EXPECT_STREQ(Cre[slot].name, "elk");
    EXPECT_EQ(count_kind(MK_ITEM), 0);
    reset_creature_tables();
    std::memset(CreTemplates, 0, sizeof CreTemplates);
}

// ------------------------------------------------------------ a full table

TEST_F(MapObjectTable, AFullTablePurgesAtItsLimitsAndNeverPlacesAboveThem) {
    enum Op { INSERT, PUT };
    const struct {
        const char* what;
        Op op;
        int used;          // records 0..used-1 in use
        uint8_t kind;      // of that kind
        int index;         // the answer
        int left;          // records of that kind left afterwards
    } cases[] = {
        {"9,900 used: insert takes 9,900", INSERT, 9900, MK_BLOOD, 9900, 9900},
        {"9,901 used: insert purges first", INSERT, 9901, MK_BLOOD, 0, 9901 - 101},
        {"9,950 used: put takes 9,950", PUT, 9950, MK_TRACK, 9950, 9950},
        {"9,951 used: put purges first", PUT, 9951, MK_TRACK, 0, 9951 - 101},
        {"9,951 items: put gives up below 9,951", PUT, 9951, MK_ITEM, MAP_NO_RECORD, 9951},
        {"9,901 items: insert gives up with room above", INSERT, 9901, MK_ITEM, MAP_NO_RECORD, 9901},
        {"10,000 items: insert answers at once", INSERT, 10000, MK_ITEM, MAP_NO_RECORD, 10000},
        {"10,000 items: put answers at once", PUT, 10000, MK_ITEM, MAP_NO_RECORD, 10000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset_map_object_table();
        // Spread over the cells so that no cell limit is reached.
        for (int i = 0; i < c.used; ++i) fill(i, i + 1, c.kind, 72 + i % 320, 72 + (i / 320) % 320, 9);
        int index;
        if (c.op == INSERT) {
            clear_staging_object();
            map_object_staging.TYPE = MK_FIRE;
            map_object_staging.x = PX;
            map_object_staging.y = PY;
            index = insert_map_object(-1);
        } else {
            index = put_object_on_map(MK_FIRE, PX, PY, 0, 30);
        }
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(count_kind(c.kind), c.left);
        EXPECT_EQ(count_kind(MK_FIRE), index >= 0 ? 1 : 0);
        for (int i = MAP_PUT_LAST_INDEX + 1; c.op == PUT && c.used <= 9951 && i < MAP_OBJECT_COUNT; ++i)
            ASSERT_EQ(Data[i].TYPE, KIND_UNUSED) << i;
        EXPECT_EQ(purge_requested, c.used > 9900 ? 1 : 0);
    }
}

TEST_F(MapObjectTable, APurgeFreesAtMost101InItsKindOrder) {
    fill(0, 150, KIND_FREED);
    fill(150, 160, MK_BLOOD);
    EXPECT_EQ(purge_map_objects(), 101);
    EXPECT_EQ(count_kind(MK_BLOOD), 10) << "nothing new is freed while freed records count";

    reset_map_object_table();
    fill(0, 40, MK_REFREEZING_HOLE);   // last in the order
    fill(40, 70, MK_TRACK);
    fill(70, 100, MK_BLOOD);
    fill(100, 120, MK_FIRE_SITE);
    fill(120, 130, KIND_FREED);
    fill(130, 160, MK_ITEM);           // never purged
    EXPECT_EQ(purge_map_objects(), 101);
    EXPECT_EQ(count_kind(MK_BLOOD), 0);
    EXPECT_EQ(count_kind(MK_TRACK), 0);
    EXPECT_EQ(count_kind(MK_FIRE_SITE), 0);
    EXPECT_EQ(count_kind(MK_REFREEZING_HOLE), 40 - 11);
    EXPECT_EQ(Data[0].TYPE, KIND_FREED) << "the first of a kind go first";
    EXPECT_EQ(Data[11].TYPE, MK_REFREEZING_HOLE);
    EXPECT_EQ(count_kind(MK_ITEM), 30);
    // A freed record keeps nothing but its kind.
    MapObject freed{};
    freed.TYPE = KIND_FREED;
    EXPECT_EQ(std::memcmp(&Data[40], &freed, sizeof freed), 0);
}

// ------------------------------------------------------------ the world cell's limit

TEST_F(MapObjectTable, AWorldCellHolding2000RecordsRefusesTheNextAndTheCallerKeepsIt) {
    PlayFolder folder(true);
    fill(0, 2000, MK_ITEM, 210, 210, knife);
    hear_messages();
    EXPECT_EQ(put_object_on_map(MK_ITEM, PX, PY, rock, 1), MAP_NO_RECORD);
    EXPECT_EQ(put_player_item_on_map(PX, PY, rock, 1), MAP_NO_RECORD);
    clear_staging_object();
    map_object_staging.TYPE = MK_FIRE;
    map_object_staging.x = PX;
    map_object_staging.y = PY;
    EXPECT_EQ(insert_map_object(-1), MAP_NO_RECORD);
    EXPECT_EQ(used_in_cell(PX, PY), 2000);
    // The next cell has room; a stack in the full cell still grows.
    EXPECT_GE(put_object_on_map(MK_ITEM, PX + 64, PY, rock, 1), 0);
    EXPECT_EQ(put_object_on_map(MK_ITEM, 210, 210, knife, 1), 0);
    EXPECT_EQ(Data[0].amount, 2);

    // What travelled on the party stack stays there, and the player is told.
    EXPECT_FALSE(warned());
    party_stack_count = 1;
    party_stack[0] = PartyEntry{MK_ITEM, 3, rock};
    unpack_party_stack();
    EXPECT_EQ(party_stack_count, 1);
    EXPECT_EQ(party_stack[0].amount, 3);
    EXPECT_TRUE(warned()) << last_message;
    party_stack_count = 0;

    // Freed records and records outside the play area count in no cell.
    reset_map_object_table();
    fill(0, 1990, MK_ITEM, 210, 210, knife);
    fill(1990, 3000, KIND_FREED, 210, 210);
    fill(3000, 3100, MK_ITEM, 5000, 210, knife);
    fill(3100, 3200, MK_ITEM, 40, 210, knife);
    for (int k = 0; k < 10; ++k) ASSERT_GE(put_object_on_map(MK_FIRE, PX, PY, 0, 30), 0) << k;
    EXPECT_EQ(put_object_on_map(MK_FIRE, PX, PY, 0, 30), MAP_NO_RECORD);
    // Squares outside the play area have no limit.
    EXPECT_GE(put_object_on_map(MK_FIRE, 40, 210, 0, 30), 0);
    // The world map has none either.
    copy_text(Plr.map_name, "BIGMAP");
    EXPECT_EQ(check_map_block_limit(PX, PY), 0);
    EXPECT_GE(put_object_on_map(MK_FIRE, PX, PY, 0, 30), 0);
}

TEST_F(MapObjectTable, AboveTheLimitACellIsPurgedAndTheWarningComesNowAndThen) {
    PlayFolder folder(true);
    // Over 1,900: the cell's blood marks and tracks go, the next cell's stay.
    fill(0, 1850, MK_ITEM, 210, 210, knife);
    fill(1850, 1950, MK_BLOOD, 211, 211);
    fill(1950, 2050, MK_BLOOD, 280, 211);
    hear_messages();
    map_limit_calls = 0;
    EXPECT_GE(put_object_on_map(MK_FIRE, PX, PY, 0, 30), 0);
    EXPECT_EQ(used_in_cell(PX, PY), 1851);
    EXPECT_EQ(count_kind(MK_BLOOD), 100);
    EXPECT_FALSE(warned());

    // 1,950 that can't be purged: placed, with the warning at the 11th call.
    reset_map_object_table();
    fill(0, 1950, MK_ITEM, 210, 210, knife);
    map_limit_calls = 0;
    for (int k = 1; k <= 11; ++k) {
        reset_last_message();
        ASSERT_GE(put_object_on_map(MK_FIRE, PX, PY, 0, 30), 0);
        EXPECT_EQ(warned(), k == 11) << k;
    }
    EXPECT_EQ(map_limit_calls, 0);
    EXPECT_EQ(used_in_cell(PX, PY), 1961);
}

// ------------------------------------------------------------ splitting and taking

TEST_F(MapObjectTable, SplittingAndReducing) {
    fill(0, 1, MK_ITEM, PX, PY, rock);
    Data[0].amount = 5;
    const int part = split_map_object(0, 2);
    ASSERT_GT(part, 0);
    EXPECT_EQ(Data[0].amount, 3);
    EXPECT_EQ(Data[part].amount, 2);
    EXPECT_EQ(Data[part].DATA, rock);
    EXPECT_EQ(Data[part].x, PX);
    const struct {
        int i, n;
    } refused[] = {{0, 3}, {0, 4}, {0, 0}, {0, -2}, {-1, 1}, {10000, 1}, {500, 1}};
    for (const auto& r : refused) {
        EXPECT_EQ(split_map_object(r.i, r.n), MAP_NO_RECORD) << r.i << " " << r.n;
        EXPECT_EQ(Data[0].amount, 3);
    }
    // The last record splits too; with no free record nothing does.
    fill(9999, 10000, MK_ITEM, PX, PY, rock);
    Data[9999].amount = 2;
    EXPECT_GT(split_map_object(9999, 1), 0);
    fill(0, MAP_OBJECT_COUNT, MK_ITEM, PX, PY, rock);
    Data[7].amount = 4;
    EXPECT_EQ(split_map_object(7, 1), MAP_NO_RECORD);
    EXPECT_EQ(Data[7].amount, 4);

    reset_map_object_table();
    fill(0, 1, MK_ITEM, PX, PY, rock);
    Data[0].amount = 5;
    EXPECT_EQ(reduce_map_object(0, 0), 5);
    EXPECT_EQ(reduce_map_object(0, -3), 5);
    EXPECT_EQ(reduce_map_object(0, 2), 3);
    decrement_map_object(0);
    EXPECT_EQ(Data[0].amount, 2);
    EXPECT_EQ(reduce_map_object(0, 9), 0);
    EXPECT_EQ(Data[0].TYPE, KIND_FREED);
    EXPECT_EQ(reduce_map_object(10000, 1), MAP_NO_RECORD);
    decrement_map_object(-5);  // nothing happens
}

TEST_F(MapObjectTable, TakingWeightFromAnItem) {
    // A stack of three 3-pound rocks.
    fill(0, 1, MK_ITEM, PX, PY, rock);
    Data[0].amount = 3;
    EXPECT_FLOAT_EQ(take_weight_from_map_item(0, 5.0f), 3.0f);  // a whole rock
    EXPECT_EQ(Data[0].amount, 2);
    EXPECT_FLOAT_EQ(take_weight_from_map_item(0, 1.0f), 1.0f);  // a chip of one
    EXPECT_EQ(Data[0].amount, 1);
    EXPECT_NE(Data[0].DATA, rock);
    ObjectRecord chipped;
    EXPECT_FLOAT_EQ(obj_record(Data[0].DATA, chipped).weight, 2.0f);
    ObjectRecord whole;
    EXPECT_FLOAT_EQ(obj_record(rock, whole).weight, 3.0f) << "the other rock keeps its weight";
    int rest = -1;
    for (int i = 1; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_ITEM && Data[i].DATA == rock) rest = i;
    ASSERT_GE(rest, 0);
    EXPECT_EQ(Data[rest].amount, 1);

    // Refusals change nothing.
    EXPECT_FLOAT_EQ(take_weight_from_map_item(0, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(take_weight_from_map_item(0, -1.0f), 0.0f);
    fill(1, 2, MK_FIRE);
    EXPECT_FLOAT_EQ(take_weight_from_map_item(1, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(take_weight_from_map_item(-1, 1.0f), 0.0f);
    // A stack whose rest finds no record: 0 and unchanged.
    fill(0, MAP_OBJECT_COUNT, MK_ITEM, PX, PY, rock);
    Data[3].amount = 4;
    const MapObject before = Data[3];
    EXPECT_FLOAT_EQ(take_weight_from_map_item(3, 1.0f), 0.0f);
    EXPECT_EQ(std::memcmp(&before, &Data[3], sizeof before), 0);
}

// ------------------------------------------------------------ packing and moving

// A creature of the fixture with its task columns, rewritten through the
// renumbering as the creature table does it.
struct FixtureCreature {
    int task[10] = {};
    int32_t target[10] = {};
};
FixtureCreature fixture_creature;
int renumberings = 0;

void renumber_fixture(const int16_t* old_to_new) {
    ++renumberings;
    for (int k = 0; k < 10; ++k)
        fixture_creature.target[k] = renumbered_task_target(fixture_creature.task[k], fixture_creature.target[k], old_to_new);
}

TEST_F(MapObjectTable, PackingKeepsOrderAndRewritesTaskTargets) {
    for (int i = 0; i < 50; ++i) fill(i, i + 1, i % 5 == 0 ? KIND_FREED : uint8_t(MK_ITEM), PX, PY, 60000 + i);
    fixture_creature = FixtureCreature{};
    fixture_creature.task[0] = 80;
    fixture_creature.target[0] = 37;
    fixture_creature.task[1] = 81;
    fixture_creature.target[1] = 49;
    fixture_creature.task[2] = 52;  // a creature's sotu, not a record
    fixture_creature.target[2] = 37;
    renumberings = 0;
    map_objects_renumbered = renumber_fixture;

    compact_map_objects();
    EXPECT_EQ(renumberings, 1);
    std::vector<int> order;
    for (int i = 0; i < MAP_OBJECT_COUNT && Data[i].TYPE != KIND_UNUSED; ++i) order.push_back(Data[i].DATA);
    std::vector<int> expected;
    for (int i = 0; i < 50; ++i)
        if (i % 5 != 0) expected.push_back(60000 + i);
    EXPECT_EQ(order, expected);
    for (int i = 40; i < MAP_OBJECT_COUNT; ++i) ASSERT_EQ(Data[i].TYPE, KIND_UNUSED);
    EXPECT_EQ(Data[fixture_creature.target[0]].DATA, 60037);
    EXPECT_EQ(Data[fixture_creature.target[1]].DATA, 60049);
    EXPECT_EQ(fixture_creature.target[2], 37);
    // A packed table moves nothing and tells nobody.
    compact_map_objects();
    EXPECT_EQ(renumberings, 1);
}

TEST_F(MapObjectTable, PackingWaitsForTheTurnWalkAndForLongTasks) {
    fill(0, 3, MK_ITEM);
    Data[1].TYPE = KIND_FREED;
    begin_map_object_walk();
    compact_map_objects();
    compact_map_objects();
    EXPECT_EQ(Data[1].TYPE, KIND_FREED) << "put off while the walk runs";
    // A move to the bottom takes the first free record meanwhile.
    EXPECT_EQ(move_map_object_to_bottom(2), 1);
    EXPECT_EQ(Data[2].TYPE, KIND_FREED);
    end_map_object_walk();
    EXPECT_EQ(Data[2].TYPE, KIND_UNUSED) << "done once the walk ends";
    EXPECT_FALSE(map_object_walk_running());

    // Inside a long task the table stays as it is, unless the task only
    // stands by; a move to the bottom takes the first free record in any
    // long task. The task runs through spend time with its own seams.
    struct TaskRun {
        static void compact() { compact_map_objects(); }
        static void to_bottom() { move_map_object_to_bottom(2); }
        // The kinds of records 0 and 1 after the task.
        static std::pair<int, int> run(const char* label, void (*during)()) {
            reset_map_object_table();
            fill(0, 3, MK_ITEM);
            Data[0].TYPE = KIND_FREED;
            SpendTimeSeams seams{};
            seams.now_ms = [] { return uint32_t(0); };
            seams.sleep_ms = [](uint32_t) {};
            seams.poll_key = [] { return 0; };
            seams.update_map_objects = during;
            seams.body_check = [](int) {};
            const SpendTimeSeams kept = spend_time_seams;
            spend_time_seams = seams;
            EXPECT_EQ(spend_time_on_task(0, 1, label, 0, 0), 1);
            spend_time_seams = kept;
            return {Data[0].TYPE, Data[1].TYPE};
        }
    };
    const ClockServices kept_clock = clock_services;
    clock_services = ClockServices{};
    auto kept_weather = std::make_unique<WeatherModel>(weather);
    Plr.travel_mode = 1;
    EXPECT_EQ(TaskRun::run("RESTING", TaskRun::compact).first, KIND_FREED);
    EXPECT_EQ(TaskRun::run("STANDING BY", TaskRun::compact).first, MK_ITEM);
    // Record 2 lands in the free record 0; record 1 stays where it was
    // (outside a task every record would move up by one).
    for (const char* label : {"RESTING", "STANDING BY"})
        EXPECT_EQ(TaskRun::run(label, TaskRun::to_bottom), std::make_pair(int(MK_ITEM), int(MK_ITEM))) << label;
    EXPECT_EQ(running_task_label(), nullptr);
    EXPECT_FALSE(long_task_running());
    EXPECT_FALSE(long_task_busy());
    compact_map_objects();
    EXPECT_EQ(Data[0].TYPE, MK_ITEM);
    weather = *kept_weather;
    clock_services = kept_clock;
}

TEST_F(MapObjectTable, MovingRecordsToTheTopAndTheBottomLosesNothing) {
    // A full table: moving a record to the bottom packs it first.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) fill(i, i + 1, MK_ITEM, PX, PY, 60000 + i);
    fixture_creature = FixtureCreature{};
    fixture_creature.task[0] = 80;
    fixture_creature.target[0] = 6000;
    map_objects_renumbered = renumber_fixture;
    EXPECT_EQ(move_map_object_to_bottom(5000), 0);
    EXPECT_EQ(Data[0].DATA, 65000);
    std::set<int> seen;
    for (const MapObject& o : Data)
        if (o.TYPE == MK_ITEM) seen.insert(o.DATA);
    EXPECT_EQ(seen.size(), size_t(MAP_OBJECT_COUNT));
    EXPECT_EQ(Data[1].DATA, 60000);
    EXPECT_EQ(Data[fixture_creature.target[0]].DATA, 66000);

    // Record 9,999 itself moves to the bottom.
    EXPECT_EQ(move_map_object_to_bottom(9999), 0);
    EXPECT_EQ(Data[0].DATA, 69999);
    EXPECT_EQ(Data[1].DATA, 65000);
    EXPECT_EQ(Data[fixture_creature.target[0]].DATA, 66000);
    seen.clear();
    for (const MapObject& o : Data)
        if (o.TYPE == MK_ITEM) seen.insert(o.DATA);
    EXPECT_EQ(seen.size(), size_t(MAP_OBJECT_COUNT));

    // To the top: the finds by square meet it first.
    reset_map_object_table();
    fill(0, 20, MK_CARCASS, PX, PY);
    Data[3].DATA = 1005;
    Data[12].TYPE = KIND_FREED;
    EXPECT_EQ(find_map_object(MK_CARCASS, PX, PY), 19);
    const int top = move_map_object_to_top(3);
    EXPECT_EQ(top, 20);
    EXPECT_EQ(find_map_object(MK_CARCASS, PX, PY), 20);
    EXPECT_EQ(Data[3].TYPE, KIND_FREED);
    EXPECT_EQ(move_map_object_to_top(20), 20) << "the top record stays";
    Data[21].TYPE = KIND_FREED;  // a freed record on top is taken
    EXPECT_EQ(move_map_object_to_top(5), 21);
    EXPECT_EQ(find_map_object(MK_CARCASS, PX, PY), 21);
    EXPECT_EQ(move_map_object_to_top(-1), MAP_NO_RECORD);
    EXPECT_EQ(move_map_object_to_bottom(10000), MAP_NO_RECORD);
}

// ------------------------------------------------------------ finds and counts

int altitude_of(int slot) { return slot == 1 || slot == 4 ? -100 : 0; }  // slots 1 and 4 have dived
int body_of(int slot) { return slot == 2 ? 3 : slot == 3 ? 4 : 0; }      // 2 shocked, 3 fainted

TEST_F(MapObjectTable, FindsByKindSquareAndCreature) {
    fill(0, 1, MK_FIRE, PX, PY);
    fill(1, 2, MK_ITEM, PX, PY);
    fill(2, 3, MK_FIRE, PX, PY);
    fill(3, 4, MK_FIRE, PX + 1, PY + 1);
    EXPECT_EQ(find_map_object(MK_FIRE, PX, PY), 2) << "of two fires the higher index";
    EXPECT_EQ(find_map_object(MK_FIRE, 0, 0), 3) << "x 0: on or next to the player";
    EXPECT_EQ(find_map_object(MK_TRAP, PX, PY), MAP_NOT_FOUND);

    map_creature_probe = MapCreatureProbe{altitude_of, body_of};
    const struct {
        const char* what;
        std::vector<int> slots;  // creatures standing on the square, in index order
        int debug;
        int expected;
    } cases[] = {
        {"nobody", {}, 0, -1},
        {"the first one", {0, 5}, 0, 0},
        {"a diver is passed over", {1, 5}, 0, 5},
        {"a diver is seen with debug on", {1, 5}, 1, 1},
        {"a shocked one gives way", {2, 5}, 0, 5},
        {"only shocked and fainted: the last", {2, 3}, 0, 3},
        {"only a diver", {4}, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset_map_object_table();
        for (size_t k = 0; k < c.slots.size(); ++k) fill(int(k), int(k) + 1, MK_CREATURE, PX, PY, 1000 + c.slots[k]);
        debug_messages_on = c.debug;
        EXPECT_EQ(creature_at(PX, PY), c.expected);
    }
    debug_messages_on = 0;

    reset_map_object_table();
    fill(0, 1, MK_CARCASS, 240, 241, 1007);
    fill(1, 2, MK_CREATURE, 240, 242, 1007);
    fill(2, 3, MK_CREATURE, 250, 251, 1007);
    EXPECT_EQ(cre_datapos(7), 1);
    EXPECT_EQ(cre_datapos(1007), 1);
    EXPECT_EQ(cre_object_index(7), 1);
    EXPECT_EQ(corpse_object_index(7), 0);
    EXPECT_EQ(cre_datapos(8), -1);
    EXPECT_EQ(cre_object_index(8), MAP_NO_RECORD);
    EXPECT_EQ(corpse_object_index(8), MAP_NO_RECORD);
    EXPECT_EQ(map_object_creature(1), 7);
    EXPECT_EQ(map_object_creature(10000), MAP_NO_RECORD);
    EXPECT_EQ(creature_x(7), 240);
    EXPECT_EQ(creature_y(7), 242);
    EXPECT_EQ(creature_x(8), 0);
    EXPECT_EQ(creature_x(-1), PX);
    set_target_to_creature(7);
    EXPECT_EQ(target_x, 240);
    EXPECT_EQ(target_y, 242);
    set_target_to_creature(8);
    EXPECT_EQ(target_x, 0);
}

TEST_F(MapObjectTable, ScansNearThePlayerAndCounts) {
    const int kept_w = view_half_w, kept_h = view_half_h;
    view_half_w = view_half_h = 10;
    uint8_t kept_view[5][5];
    for (int y = PY - 2; y <= PY + 2; ++y) {
        std::memcpy(kept_view[y - PY + 2], view_layer + map_index(PX - 2, y), 5);
        std::memset(view_layer + map_index(PX - 2, y), 'x', 5);
    }
    fill(0, 1, MK_TRAP, PX, PY);
    fill(1, 2, MK_TRAP, PX + 1, PY);
    fill(2, 3, MK_TRAP, PX + 2, PY);
    fill(3, 4, MK_NET, PX + 5, PY);
    EXPECT_EQ(is_object_kind_next_to_player(MK_TRAP), 1);
    EXPECT_EQ(is_object_kind_adjacent(MK_TRAP, PX + 3, PY), 1);
    EXPECT_EQ(is_object_kind_adjacent(MK_TRAP, PX + 4, PY), 0);
    EXPECT_EQ(find_object_kind_near_player(MK_TRAP, 0), 0);
    EXPECT_EQ(find_object_kind_near_player(MK_TRAP, 1), 1);
    EXPECT_EQ(find_object_kind_near_player(MK_TRAP, 2), MAP_NO_RECORD);
    view_layer[map_index(PX + 1, PY)] = VIEW_UNSEEN;
    EXPECT_EQ(find_object_kind_near_player(MK_TRAP, 1), MAP_NO_RECORD);
    for (int y = PY - 2; y <= PY + 2; ++y) std::memcpy(view_layer + map_index(PX - 2, y), kept_view[y - PY + 2], 5);
    view_half_w = kept_w;
    view_half_h = kept_h;
    EXPECT_EQ(count_traps_near(PX + 1, PY), 3);
    EXPECT_EQ(count_traps_near(PX - 1, PY), 1);
    // The scans near the player stop at the first never-used record.
    fill(20, 21, MK_NET, PX, PY);
    EXPECT_EQ(is_object_kind_next_to_player(MK_NET), 0);

    // Items of a kind code within a radius.
    reset_map_object_table();
    fill(0, 1, MK_ITEM, PX, PY, rock);
    Data[0].amount = 4;
    fill(1, 2, MK_ITEM, PX + 3, PY - 3, rock);
    fill(2, 3, MK_ITEM, PX + 4, PY, rock);
    fill(3, 4, MK_ITEM, PX, PY, knife);
    fill(4, 5, MK_SET_ASIDE, PX, PY, rock);
    ObjectRecord r;
    const int rock_kind = obj_record(rock, r).kind;
    EXPECT_EQ(count_items_of_type_near(rock_kind, PX, PY, 3), 5);
    EXPECT_EQ(count_items_of_type_near(rock_kind, PX, PY, 0), 4);

    // What occupies a square.
    reset_map_object_table();
    map_creature_probe = MapCreatureProbe{altitude_of, body_of};
    const struct {
        uint8_t kind;
        int data;
        int16_t day;
        int counts;
    } things[] = {
        {MK_ITEM, 1, 0, 1},         {MK_FIRE, 0, 0, 1},         {MK_TRAP, 392, 0, 1},
        {MK_NET, 1, 0, 1},          {MK_BLOOD, 1, 0, 1},        {MK_BUILDING_WORK, 40, 0, 1},
        {MK_CREATURE, 1000, 0, 1},  {MK_CREATURE, 1001, 0, 0},  // a diver does not
        {MK_PLANT_PATCH, 1, 0, 1},  {MK_PLANT_PATCH, 1, 10, 1}, {MK_PLANT_PATCH, 1, 11, 0},
        {MK_SET_ASIDE, 1, 0, 0},    {MK_TRACK, 1, 0, 0},        {MK_PLANT_MARK, 1, 0, 0},
        {KIND_FREED, 0, 0, 0},      {MK_SPIRIT, 700, 0, 0},
    };
    int expected = 0, i = 0;
    for (const auto& t : things) {
        fill(i, i + 1, t.kind, PX, PY, t.data);
        Data[i++].day_stamp = t.day;
        expected += t.counts;
    }
    EXPECT_EQ(count_objects_at(PX, PY), expected);
    debug_messages_on = 1;
    EXPECT_EQ(count_objects_at(PX, PY), expected + 1) << "the set-aside item with debug on (never the diver)";
    debug_messages_on = 0;
}

TEST_F(MapObjectTable, AYoungTreeIsATreeSquareWithAYoungTreeMark) {
    const struct {
        uint8_t terrain;
        uint8_t kind;
        uint8_t subkind;
        int young;
    } cases[] = {{10, MK_PLANT_MARK, PLANT_MARK_YOUNG_TREE, 1}, {12, MK_PLANT_MARK, 0x0C, 1},
                 {12, MK_PLANT_MARK, 0x04, 0},                  {13, MK_PLANT_MARK, PLANT_MARK_YOUNG_TREE, 0},
                 {10, MK_PLANT_PATCH, PLANT_MARK_YOUNG_TREE, 0}};
    init_terrain_types();
    const uint8_t kept = terrain_layer[map_index(PX, PY)];
    for (const auto& c : cases) {
        reset_map_object_table();
        terrain_layer[map_index(PX, PY)] = c.terrain;
        fill(0, 1, c.kind, PX, PY);
        Data[0].subkind = c.subkind;
        EXPECT_EQ(is_sapling_at(PX, PY), c.young) << int(c.terrain) << " " << int(c.kind) << " " << int(c.subkind);
    }
    // Any mark of the square tells it, not only the one found first.
    terrain_layer[map_index(PX, PY)] = 10;
    fill(0, 2, MK_PLANT_MARK, PX, PY);
    Data[0].subkind = PLANT_MARK_YOUNG_TREE;
    Data[1].subkind = 0x04;
    EXPECT_EQ(is_sapling_at(PX, PY), 1);
    // A square whose kind can no longer be a young tree has a stale mark:
    // the question answers no and leaves the mark for the purge.
    const uint32_t flags = TerrainTypes[10].flags;
    TerrainTypes[10].flags &= ~TF_YOUNG_TREE;
    EXPECT_EQ(is_sapling_at(PX, PY), 0);
    EXPECT_EQ(Data[0].TYPE, MK_PLANT_MARK);
    EXPECT_EQ(Data[0].subkind, PLANT_MARK_YOUNG_TREE);
    TerrainTypes[10].flags = flags;
    EXPECT_EQ(is_sapling_at(-1, PY), 0);
    EXPECT_EQ(is_sapling_at(PX, 2048), 0);
    terrain_layer[map_index(PX, PY)] = kept;
}

// ------------------------------------------------------------ lights

ObjectRecord torch(uint8_t rating = 3, int16_t lit = 1, uint8_t fuel = 10) {
    ObjectRecord r = thing("Torch", ITEM_TOOL, 1.0f);
    r.subclass = 14;
    r.link = lit;
    r.rating = rating;
    r.spoilage_days = fuel;
    copy_text(r.tile, "it-torch");
    return r;
}

TEST_F(MapObjectTable, WhatTheMapViewAsksOfAnItem) {
    ObjectRecord other_class = torch(3);
    other_class.item_class = ITEM_WEAPON;
    ObjectRecord other_subclass = torch(3);
    other_subclass.subclass = 9;
    const struct {
        const char* what;
        ObjectRecord record;
        int radius;
    } lights[] = {{"a lit torch", torch(3), 3},        {"a bright one is held to 5", torch(7), 5},
                  {"an unlit torch", torch(3, 0), 0},  {"lit word 2", torch(3, 2), 0},
                  {"not a tool", other_class, 0},      {"not a light", other_subclass, 0}};
    for (const auto& l : lights) EXPECT_EQ(lit_light_radius(obj_store_new(l.record)), l.radius) << l.what;
    EXPECT_EQ(lit_light_radius(0), 0);
    EXPECT_EQ(lit_light_radius(123456), 0);

    const int id = obj_store_new(torch(3, 1, 42));
    EXPECT_EQ(light_item_fuel(id), 42);
    EXPECT_STREQ(object_tile_name(id), "it-torch");
    EXPECT_STREQ(object_tile_name(rock), "");
    EXPECT_STREQ(object_tile_name(0), "");
    EXPECT_EQ(object_item_class(knife), ITEM_WEAPON);
}

TEST_F(MapObjectTable, FuelGoesToTheOneItemThatBurns) {
    const int lone = obj_store_new(torch());
    fill(0, 1, MK_ITEM, PX, PY, lone);
    EXPECT_EQ(set_light_item_fuel(lone, 9), lone) << "held once: in place";
    EXPECT_EQ(light_item_fuel(lone), 9);

    // Shared by two records, by a stack, by the player's pack, or an item
    // type: the burning one gets an instance of its own.
    fill(1, 2, MK_ITEM, PX + 1, PY, lone);
    const int own = set_light_item_fuel(lone, 8);
    EXPECT_NE(own, lone);
    EXPECT_EQ(light_item_fuel(own), 8);
    EXPECT_EQ(light_item_fuel(lone), 9);
    Data[1] = MapObject{};
    Data[0].amount = 2;
    EXPECT_NE(set_light_item_fuel(lone, 7), lone);
    Data[0].amount = 1;
    Plr.plr_inv_id[4] = lone;
    Plr.plr_inv_count[4] = 1;
    EXPECT_NE(set_light_item_fuel(lone, 7), lone);
    Plr.plr_inv_id[4] = 0;
    ItemTypes[20] = torch();
    const int from_type = set_light_item_fuel(20, 5);
    EXPECT_TRUE(obj_id_is_instance(from_type));
    EXPECT_EQ(ItemTypes[20].spoilage_days, 10);
    EXPECT_EQ(light_item_fuel(lone), 9);

    // Three lit torches lying in one stack burn each by itself.
    reset_map_object_table();
    const int three = obj_store_new(torch(3, 1, 30));
    fill(0, 1, MK_ITEM, PX, PY, three);
    Data[0].amount = 3;
    // Two in one slot of the pack come apart too.
    Plr.plr_inv_id[0] = three;
    Plr.plr_inv_count[0] = 2;
    seed_random(11);
    for (int turn = 0; turn < 12; ++turn) update_light_sources(1);
    std::set<int> ids;
    int units = 0;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_ITEM) continue;
        EXPECT_EQ(o.amount, 1);
        ++units;
        ids.insert(o.DATA);
        EXPECT_LT(light_item_fuel(o.DATA), 30);
        EXPECT_GE(light_item_fuel(o.DATA), 30 - 12);
    }
    EXPECT_EQ(units, 3);
    EXPECT_EQ(ids.size(), size_t(3));
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
    int pack = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] != 0) pack += Plr.plr_inv_count[s];
    EXPECT_EQ(pack, 2);

    // A torch on its last fuel burns out and is gone.
    reset_map_object_table();
    std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
    fill(0, 1, MK_ITEM, PX, PY, obj_store_new(torch(3, 1, 1)));
    for (int turn = 0; turn < 40 && Data[0].TYPE == MK_ITEM; ++turn) update_light_sources(1);
    EXPECT_EQ(Data[0].TYPE, KIND_FREED);

    // A stack that finds no record to part with burns as one: burning out
    // takes one torch, not the stack.
    fill(0, MAP_OBJECT_COUNT, MK_FIRE_SITE, 100, 100);
    fill(0, 1, MK_ITEM, PX, PY, obj_store_new(torch(3, 1, 1)));
    Data[0].amount = 2;
    for (int turn = 0; turn < 40 && Data[0].amount == 2; ++turn) update_light_sources(1);
    EXPECT_EQ(Data[0].TYPE, MK_ITEM);
    EXPECT_EQ(Data[0].amount, 1);
}

// ------------------------------------------------------------ a long random run

// 100,000 seeded operations of every kind on a table that fills, purges
// and packs again and again. After each: every index answered is a record
// or "nothing"; the units of the items (kinds 1 and 127) are what the
// operations say they are (no amount wraps, a split and a merge keep the
// sum); no world cell holds more than its stored map keeps.
TEST_F(MapObjectTable, ARandomRunKeepsTheInvariants) {
    std::mt19937 rng(20240611);
    auto below = [&](int n) { return int(rng() % unsigned(n)); };
    int ids[6];
    for (int k = 0; k < 6; ++k) {
        char name[16];
        format_text(name, sizeof name, "Thing %d", k);
        ids[k] = obj_store_new(thing(name, ITEM_TOOL, 1.0f + float(k)));
    }
    // Squares all over the map, half of them in a corner of one world cell.
    auto square_x = [&] { return below(2) ? 200 + below(6) : MAP_BLOCK_FIRST + below(320); };
    auto square_y = [&] { return below(2) ? 230 + below(3) : MAP_BLOCK_FIRST + below(320); };
    int64_t units = 0;  // what the table must hold
    auto item_units = [] {
        int64_t n = 0;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_ITEM || o.TYPE == MK_SET_ASIDE) n += o.amount;
        return n;
    };
    auto counted = [](const MapObject& o) { return o.TYPE == MK_ITEM || o.TYPE == MK_SET_ASIDE; };
    auto answer_ok = [](int i) { return i == MAP_NO_RECORD || map_index_valid(i); };
    int placed = 0, refused = 0, nearly_full = 0;
    for (int step = 0; step < 100000; ++step) {
        const int op = below(100);
        const int x = square_x(), y = square_y();
        const int i = below(MAP_OBJECT_COUNT);
        if (op < 30) {
            const int q = below(4) == 0 ? below(65536) : 1 + below(5);
            const int r = below(3) ? put_object_on_map(MK_ITEM, x, y, ids[below(6)], q)
                                   : put_player_item_on_map(x, y, ids[below(6)], q);
            ASSERT_TRUE(answer_ok(r)) << step;
            if (r >= 0) units += q, ++placed;
            else ++refused;
        } else if (op < 42) {
            const uint8_t kinds[] = {MK_BLOOD, MK_TRACK, MK_FIRE_SITE, MK_FIRE, MK_REFREEZING_HOLE};
            ASSERT_TRUE(answer_ok(put_object_on_map(kinds[below(5)], x, y, 1 + below(2), 1 + below(9)))) << step;
        } else if (op < 48) {
            clear_staging_object();
            map_object_staging.TYPE = MK_SET_ASIDE;
            map_object_staging.x = uint16_t(x);
            map_object_staging.y = uint16_t(y);
            map_object_staging.DATA = ids[below(2)];
            map_object_staging.expire_minute = uint32_t(below(2));
            map_object_staging.amount = uint16_t(below(3) ? 1 + below(9) : below(65536));
            const int amount = map_object_staging.amount;
            const int r = insert_map_object(-1);
            ASSERT_TRUE(answer_ok(r)) << step;
            if (r >= 0) units += amount;
        } else if (op < 58) {
            const int before = Data[i].amount;
            const bool was = counted(Data[i]);
            const int r = split_map_object(i, below(3) ? 1 : below(70000) - 100);
            ASSERT_TRUE(answer_ok(r)) << step;
            if (r >= 0) {
                ASSERT_NE(r, i) << step;
                ASSERT_EQ(counted(Data[r]), was) << step;
                ASSERT_EQ(Data[i].amount + Data[r].amount, before) << step;
            }
        } else if (op < 66) {
            const bool was = counted(Data[i]);
            const int before = Data[i].amount;
            const int left = reduce_map_object(i, below(8) - 2);
            if (was) units -= before - left;
        } else if (op < 70) {
            if (counted(Data[i])) units -= Data[i].amount > 0 ? 1 : 0;
            decrement_map_object(i);
        } else if (op < 76) {
            if (counted(Data[i])) units -= Data[i].amount;
            free_map_object(i);
        } else if (op < 80) {
            const bool item = Data[i].TYPE == MK_ITEM;
            ObjectRecord r;
            const float unit = item && obj_id_is_valid(Data[i].DATA) ? obj_record(Data[i].DATA, r).weight : 0.0f;
            const float w = 0.5f * float(below(14));
            const int had = Data[i].amount;
            const float taken = take_weight_from_map_item(i, w);
            if (item && taken > 0.0f && w >= unit && had > 0) units -= 1;  // a whole unit went
        } else if (op < 83) {
            purge_map_objects();
        } else if (op < 85) {
            purge_map_objects_in_block(x, y);
        } else if (op < 90) {
            if (below(4) == 0) {
                begin_map_object_walk();
                compact_map_objects();
                ASSERT_TRUE(answer_ok(move_map_object_to_bottom(i))) << step;
                end_map_object_walk();
            } else {
                compact_map_objects();
            }
        } else if (op < 95) {
            ASSERT_TRUE(answer_ok(move_map_object_to_top(i))) << step;
        } else {
            ASSERT_TRUE(answer_ok(move_map_object_to_bottom(i))) << step;
        }
        if (step % 20 == 0) {
            // One pass: the units, the used records and each world cell's.
            int64_t held = 0;
            int used = 0, cells[5][5] = {};
            for (const MapObject& o : Data) {
                if (counted(o)) held += o.amount;
                if (!map_record_used(o)) continue;
                ++used;
                const int bx = map_block_of(o.x), by = map_block_of(o.y);
                if (bx != MAP_NO_BLOCK && by != MAP_NO_BLOCK) ++cells[by + 2][bx + 2];
            }
            ASSERT_EQ(held, units) << "step " << step << " op " << op;
            if (used > MAP_PURGE_INDEX) ++nearly_full;
            for (auto& row : cells)
                for (int n : row) ASSERT_LE(n, MAP_BLOCK_CAPACITY) << step;
        }
    }
    EXPECT_EQ(item_units(), units);
    // The run filled the table and the world cells again and again.
    EXPECT_GT(placed, 10000);
    EXPECT_GT(refused, 1000);
    EXPECT_GT(nearly_full, 1000);
}

}  // namespace
