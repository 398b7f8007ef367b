// Perishables ageing by days (the weather history answers 0 degrees until
// it is kept), and the maintenance that frees the instances nothing refers
// to while keeping every one that something holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_ageing.h"
#include "objects/object_store.h"
#include "society/villages.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

ObjectRecord perishable(uint8_t item_class, uint8_t days, uint8_t quality = 0x84) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = item_class == ITEM_FOOD ? 490 : 410;
    copy_text(r.name, item_class == ITEM_FOOD ? "Pike" : "Elk-skin");
    r.spoilage_days = days;
    r.quality = quality;
    r.price = 40.0f;
    r.unit_price = 0.8f;
    r.blunt = 7;
    r.edge = 6;
    r.point = 5;
    r.protection4 = 4;
    r.length = 3;
    r.full_length = 2;
    r.weight = r.full_weight = 2.0f;
    return r;
}

class Ageing : public ::testing::Test {
protected:
    void SetUp() override {
        reset_object_store();
        seed_random(5);
    }
    void TearDown() override { reset_object_store(); }
};

TEST_F(Ageing, FoodLosesItsDaysTurnsBlandAndSpoils) {
    const int pike = obj_store_new(perishable(ITEM_FOOD, 3));
    ObjectRecord out;
    ASSERT_EQ(obj_decay_record(pike, DECAY_AGE, 0, out, 2), DECAY_AGED);
    EXPECT_EQ(out.spoilage_days, 1);
    EXPECT_EQ(out.quality, 0x82) << "one day left: grade 2";
    EXPECT_EQ(Objects[pike - FIRST_INSTANCE_ID].spoilage_days, 3) << "only the copy ages";

    ASSERT_EQ(obj_decay_record(pike, DECAY_AGE, 0, out, 3), DECAY_SPOILED);
    EXPECT_EQ(out.spoilage_days, 255);
    EXPECT_EQ(out.price, 0.0f);
    EXPECT_EQ(out.unit_price, 0.0f);
    EXPECT_EQ(out.quality, 0x81);
    EXPECT_EQ(out.effect_raw & 0x2, 0x2u);
    EXPECT_EQ(out.blunt, 7) << "food keeps its nutrition bytes";

    // Grades 1 and 2 stay as they are with one day left.
    ASSERT_EQ(obj_decay_record(obj_store_new(perishable(ITEM_FOOD, 4, 0x81)), DECAY_AGE, 0, out, 3), DECAY_AGED);
    EXPECT_EQ(out.quality, 0x81);
    // Spoiling at once, whatever the days.
    ASSERT_EQ(obj_decay_record(obj_store_new(perishable(ITEM_FOOD, 90)), DECAY_SPOIL, 0, out, 0), DECAY_SPOILED);
    EXPECT_EQ(out.spoilage_days, 255);
}

TEST_F(Ageing, ASpoiledSkinLosesItsProtection) {
    ObjectRecord out;
    ASSERT_EQ(obj_decay_record(obj_store_new(perishable(ITEM_SKIN, 2)), DECAY_AGE, 0, out, 5), DECAY_SPOILED);
    for (uint8_t v : {out.blunt, out.edge, out.point, out.protection4, out.length, out.full_length}) EXPECT_EQ(v, 1);
    EXPECT_EQ(out.effect_raw, 0u);
}

TEST_F(Ageing, WhatNeverAgesLeavesTheOutRecordAlone) {
    ObjectRecord tanned = perishable(ITEM_SKIN, 2);
    tanned.coverage[0] = 1;
    ObjectRecord salt = perishable(ITEM_FOOD, 3);
    salt.kind = 411;
    ObjectRecord rotten = perishable(ITEM_FOOD, 255);
    ObjectRecord tool = perishable(ITEM_TOOL, 3);
    ObjectRecord cellar = perishable(ITEM_FOOD, 3);
    cellar.subclass = 28;
    const struct {
        const char* what;
        ObjectRecord record;
        int place, days;
    } cases[] = {{"a tanned skin", tanned, 0, 9},  {"kind 411", salt, 0, 9},       {"spoiled already", rotten, 0, 9},
                 {"a tool", tool, 0, 9},          {"no days", perishable(ITEM_FOOD, 3), 0, 0},
                 {"days below 0", perishable(ITEM_FOOD, 3), 0, -4}, {"kept in a cellar", cellar, 81, 9}};
    for (const auto& c : cases) {
        ObjectRecord out;
        std::memset(&out, 0x5A, sizeof out);
        const ObjectRecord before = out;
        EXPECT_EQ(obj_decay_record(obj_store_new(c.record), DECAY_AGE, c.place, out, c.days), DECAY_UNCHANGED)
            << c.what;
        EXPECT_EQ(std::memcmp(&out, &before, sizeof out), 0) << c.what;
    }
    ObjectRecord out;
    EXPECT_EQ(obj_decay_record(0, DECAY_SPOIL, 0, out, 0), DECAY_UNCHANGED);
    // Other food in a cellar ages on about one call in three.
    const int pike = obj_store_new(perishable(ITEM_FOOD, 200));
    int aged = 0;
    for (int i = 0; i < 300; ++i) aged += obj_decay_record(pike, DECAY_AGE, DECAY_PLACE_CELLAR, out, 1) == DECAY_AGED;
    EXPECT_NEAR(aged, 100, 30);
}

// ------------------------------------------------------------ maintenance

MapObject item_at(int x, int y, int32_t data) {
    MapObject o{};
    o.TYPE = MK_ITEM;
    o.x = uint16_t(x);
    o.y = uint16_t(y);
    o.DATA = data;
    o.amount = 1;
    return o;
}

void stamp_ari(MessageLogStamp& out) {
    out = MessageLogStamp{};
    copy_text(out.folder, sizeof out.folder, "ARI");
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

class Maintenance : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        reset_creature_tables();
        reset_villages();
        std::memset(&Plr, 0, sizeof Plr);
        std::memset(world_data_copy, 0, sizeof(MapObject) * MAP_OBJECT_COUNT);
        party_stack_count = 0;
        install_folder[0] = 0;
        copy_text(character_name, "ARI");
        make_folder("ARI");
        zoom_index_invalidate();
        messages_suppressed = false;
        skip_message_pauses = true;
        message_log_stamp = stamp_ari;
    }
    void TearDown() override {
        message_log_stamp = nullptr;
        skip_message_pauses = false;
        character_name[0] = 0;
        reset_object_store();
        reset_map_object_table();
        reset_creature_tables();
        reset_villages();
        zoom_index_invalidate();
        party_stack_count = 0;
        Plr = saved_;
    }
    int thing(const char* name, uint8_t item_class = ITEM_TOOL) {
        ObjectRecord r;
        obj_clear_record(r);
        r.item_class = item_class;
        r.kind = 300;
        copy_text(r.name, name);
        return obj_store_new(r);
    }
    PlayFolder folder{true};
    PlayerRecord saved_;
};

TEST_F(Maintenance, KeepsWhatAnythingHoldsAndFreesTheRest) {
    // What only one holder keeps, each its own instance.
    const int stored_map = thing("on a stored map");
    const int crs = thing("carried by a creature in the file");
    const int table = thing("worn by a creature on the map");
    const int second_hand = thing("in a creature's second hand");
    const int contents = thing("in a freed box");
    const int part = thing("hook of a freed rod");
    const int debt = thing("owed to a village");
    const int pool = thing("in a village's pool");
    const int carried = thing("carried by the player");
    const int on_map = thing("on the current map");
    const int world = thing("on the world map");
    const int travelling = thing("on the party stack");
    const int owned = thing("owned");
    const int magic = thing("special");
    const int taken = thing("taken unseen");
    const int orphan = thing("nothing holds it");
    const int box = thing("box", ITEM_CONTAINER);
    const int rod = thing("rod", ITEM_TOOL);
    Objects[box - FIRST_INSTANCE_ID].contents = contents;
    Objects[rod - FIRST_INSTANCE_ID].effect_raw = uint32_t(part);
    Objects[owned - FIRST_INSTANCE_ID].ownerID = 3;
    Objects[magic - FIRST_INSTANCE_ID].MAGIC = 10;
    Objects[taken - FIRST_INSTANCE_ID].ownflag = 0x2;
    obj_store_changed();

    // The store of local maps: its dummy and one map.
    static ZoomMap maps[2];
    std::memset(maps, 0, sizeof maps);
    maps[0].world_x = maps[0].world_y = -1;
    maps[1].objects[1999] = item_at(5, 5, stored_map);
    write_fixture_file(folder.file("ARI/ZOOMMAPS.DAT"), maps, sizeof maps);
    // The creature file: a used record carries one thing; a free one holds an
    // id that counts for nothing.
    std::vector<CreatureRecord> file(10);
    file[4].cre_class = 2;
    file[4].inv_id[19] = crs;
    file[6].inv_id[0] = orphan;
    write_fixture_file(folder.file("ARI/ARI.CRS"), file.data(), file.size() * sizeof(CreatureRecord));
    Cre[7].cre_class = 2;
    Cre[7].worn[6] = table;
    Cre[8].cre_class = 2;
    Cre[8].shield = second_hand;

    VillageRecord village{};
    village.item_debts[0].in_use = 1;
    village.item_debts[0].object_id = debt;
    village.pool_ids[3] = pool;
    village.pool_counts[3] = 2;
    ASSERT_TRUE(save_village(5, village));

    Plr.plr_inv_id[99] = carried;
    Data[9999] = item_at(230, 230, on_map);
    world_data_copy[17] = item_at(40, 40, world);
    party_stack[0] = PartyEntry{MK_ITEM, 1, travelling};
    party_stack_count = 1;
    obj_table_nearly_full = 1;

    obj_maintenance();

    for (int id : {stored_map, crs, table, second_hand, contents, part, debt, pool, carried, on_map, world, travelling,
                   owned, magic, taken})
        EXPECT_NE(Objects[id - FIRST_INSTANCE_ID].item_class, 0) << Objects[id - FIRST_INSTANCE_ID].name;
    for (int id : {orphan, box, rod}) EXPECT_EQ(Objects[id - FIRST_INSTANCE_ID].item_class, 0) << id;
    EXPECT_STREQ(Objects[orphan - FIRST_INSTANCE_ID].skill, NO_SKILL) << "freed as a cleared record";
    EXPECT_EQ(obj_table_nearly_full, 0);
    EXPECT_EQ(obj_new_since_maintenance, 0);
    EXPECT_EQ(count_object_instances(), 15);
    // The store takes a freed slot again.
    EXPECT_EQ(obj_store_new(Objects[carried - FIRST_INSTANCE_ID]), orphan);

    const std::string log = lower(folder.read("ARI/msglog.txt"));
    const char* in_order[] = {"needs to perform object maintenance now", "maintenancing - please wait",
                              "reading npc objs - please wait", "15 objects kept.",
                              "maintenance done - continue playing now.", "the world is nearly full of things"};
    size_t at = 0;
    for (const char* m : in_order) {
        const size_t found = log.find(m, at);
        ASSERT_NE(found, std::string::npos) << m << " after " << at << " in\n" << log;
        at = found;
    }
    // The warning that little could be freed comes once a game.
    obj_maintenance();
    const std::string again = lower(folder.read("ARI/msglog.txt"));
    EXPECT_EQ(again.find("the world is nearly full", at + 1), std::string::npos);
    EXPECT_EQ(obj_maintenance_runs, 2);
}

TEST_F(Maintenance, MissingFilesLeaveTheRestOfTheMarking) {
    const int carried = thing("carried");
    const int orphan = thing("alone");
    Plr.plr_inv_id[0] = carried;
    obj_maintenance();
    EXPECT_NE(Objects[carried - FIRST_INSTANCE_ID].item_class, 0);
    EXPECT_EQ(Objects[orphan - FIRST_INSTANCE_ID].item_class, 0);
}

}  // namespace
