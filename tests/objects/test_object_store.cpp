// The object store: the record's byte layout, lookups by id, new instances
// and merging, the full table, the stacking rule, item types by kind and by
// name, and the object files.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "objects/item_commands.h"
#include "objects/object_ageing.h"
#include "objects/object_looks.h"
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

ObjectRecord named(uint8_t item_class, int kind, const char* name) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = kind;
    copy_text(r.name, name);
    return r;
}

bool same_bytes(const ObjectRecord& a, const ObjectRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Fills slots [from, to) with used records that stack with nothing else.
void fill_slots(int from, int to) {
    for (int i = from; i < to; ++i) {
        ObjectRecord& r = Objects[i];
        std::memset(&r, 0, sizeof r);
        r.item_class = ITEM_TOOL;
        r.kind = 1000 + i;
        copy_text(r.name, "peg");
    }
    obj_store_changed();
}

class ObjectStore : public ::testing::Test {
protected:
    void SetUp() override {
        reset_object_store();
        clear_stub_calls();
    }
    void TearDown() override { reset_object_store(); }
};

// ------------------------------------------------------------ layout

// One record with a distinct value in every field, laid out by hand from
// the file format (little-endian, IEEE floats); reserved bytes are zero.
std::array<uint8_t, 172> golden_record() {
    std::array<uint8_t, 172> g{};
    auto put = [&g](size_t at, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) g[at++] = b;
    };
    auto text = [&g](size_t at, const char* s) { std::memcpy(&g[at], s, std::strlen(s)); };
    put(0, {0x02});                    // item_class
    put(4, {0x78, 0x56, 0x34, 0x12});  // kind 0x12345678
    put(8, {0x1D});                    // subclass
    text(9, "Golden test record");     // name
    text(49, "SPEAR");                 // skill
    text(76, "ar-golden");             // tile
    put(89, {0x59, 0x5A});             // spoilage_days, symbol
    put(92, {0x00, 0x50, 0x9A, 0x44}); // price 1234.5
    put(96, {0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66});  // blunt .. state_bits
    put(104, {0xC7, 0xCF});            // link -12345
    put(106, {0x6A, 0x6B, 0x6C, 0x6D});  // coverage, rating
    put(112, {0x00, 0x00, 0x30, 0x40});  // weight 2.75
    put(116, {0x00, 0x00, 0x60, 0x40});  // full_weight 3.5
    put(120, {0xCD, 0x81, 0x01, 0x00});  // contents 98765
    put(124, {0x7C, 0x7D, 0x7E, 0x7F});  // extra_a, MAGIC, extra_b, container_weight10
    put(128, {0x60, 0x79, 0xFE, 0xFF});  // extra_value -100000
    put(132, {0x81, 0x82, 0x83, 0x84});  // effect_boiled
    put(136, {0x85, 0x86, 0x87, 0x88});  // effect_raw
    put(140, {0x89, 0x8A, 0x8B, 0x8C});  // material
    put(144, {0x90, 0x91});              // Laatumuuttuja, Laatu
    put(147, {0x93, 0x94, 0x95});        // un_id, water, special_kind
    put(152, {0x00, 0x00, 0xC0, 0x3E});  // unit_price 0.375
    put(156, {0xD2, 0x04, 0xC9, 0xFD});  // x 1234, y -567
    put(160, {0x0D, 0x0C, 0x0B, 0x0A});  // ownerID
    put(164, {0xA4, 0xA5, 0xA6, 0xA7});  // ownflag, quality, unit, ad_class
    return g;
}

TEST_F(ObjectStore, GoldenRecordLoadsIntoItsFieldsAndSavesByteIdentical) {
    PlayFolder folder(false);
    const std::array<uint8_t, 172> golden = golden_record();
    std::vector<uint8_t> file(size_t(OBJECT_STORE_FILE_SIZE), 0);
    std::memcpy(&file[172 * 5], golden.data(), golden.size());
    ASSERT_TRUE(write_file_atomic("G.OBJ", file.data(), file.size()));

    ASSERT_EQ(load_object_store("G.OBJ"), OBJECT_INSTANCE_COUNT);
    const ObjectRecord& r = Objects[5];
    EXPECT_EQ(r.item_class, 0x02);
    EXPECT_EQ(r.kind, 0x12345678);
    EXPECT_EQ(r.subclass, 0x1D);
    EXPECT_STREQ(r.name, "Golden test record");
    EXPECT_STREQ(r.skill, "SPEAR");
    EXPECT_STREQ(r.tile, "ar-golden");
    EXPECT_EQ(r.spoilage_days, 0x59);
    EXPECT_EQ(r.symbol, 0x5A);
    EXPECT_EQ(r.price, 1234.5f);
    EXPECT_EQ(r.blunt, 0x60);
    EXPECT_EQ(r.edge, 0x61);
    EXPECT_EQ(r.point, 0x62);
    EXPECT_EQ(r.protection4, 0x63);
    EXPECT_EQ(r.length, 0x64);
    EXPECT_EQ(r.full_length, 0x65);
    EXPECT_EQ(r.state_bits, 0x66);
    EXPECT_EQ(r.link, -12345);
    EXPECT_EQ(r.coverage[0], 0x6A);
    EXPECT_EQ(r.coverage[1], 0x6B);
    EXPECT_EQ(r.coverage[2], 0x6C);
    EXPECT_EQ(r.rating, 0x6D);
    EXPECT_EQ(r.weight, 2.75f);
    EXPECT_EQ(r.full_weight, 3.5f);
    EXPECT_EQ(r.contents, 98765);
    EXPECT_EQ(r.extra_a, 0x7C);
    EXPECT_EQ(r.MAGIC, 0x7D);
    EXPECT_EQ(r.extra_b, 0x7E);
    EXPECT_EQ(r.container_weight10, 0x7F);
    EXPECT_EQ(r.extra_value, -100000);
    EXPECT_EQ(r.effect_boiled, 0x84838281u);
    EXPECT_EQ(r.effect_raw, 0x88878685u);
    EXPECT_EQ(r.material, 0x8C8B8A89u);
    EXPECT_EQ(r.Laatumuuttuja, 0x90);
    EXPECT_EQ(r.Laatu, 0x91);
    EXPECT_EQ(r.un_id, 0x93);
    EXPECT_EQ(r.water, 0x94);
    EXPECT_EQ(r.special_kind, 0x95);
    EXPECT_EQ(r.unit_price, 0.375f);
    EXPECT_EQ(r.x, 1234);
    EXPECT_EQ(r.y, -567);
    EXPECT_EQ(r.ownerID, 0x0A0B0C0D);
    EXPECT_EQ(r.ownflag, 0xA4);
    EXPECT_EQ(r.quality, 0xA5);
    EXPECT_EQ(r.unit, 0xA6);
    EXPECT_EQ(r.ad_class, 0xA7);

    ASSERT_TRUE(save_object_store("H.OBJ"));
    std::vector<uint8_t> saved;
    ASSERT_TRUE(read_whole_file("H.OBJ", saved));
    EXPECT_TRUE(saved == file);

    // As an item type it goes out the same way.
    std::memcpy(&ItemTypes[7], golden.data(), golden.size());
    ASSERT_TRUE(save_item_types("CONSTANT.OBJ"));
    ASSERT_TRUE(read_whole_file("CONSTANT.OBJ", saved));
    ASSERT_EQ(saved.size(), size_t(ITEM_TYPE_FILE_SIZE));
    EXPECT_EQ(std::memcmp(&saved[172 * 7], golden.data(), 172), 0);
}

TEST_F(ObjectStore, ReservedBytesGoOutAsZero) {
    PlayFolder folder(false);
    const std::array<uint8_t, 172> golden = golden_record();
    std::memcpy(&Objects[0], golden.data(), golden.size());
    auto* raw = reinterpret_cast<uint8_t*>(&Objects[0]);
    for (size_t at : {1, 2, 3, 91, 103, 110, 111, 146, 150, 151, 168, 169, 170, 171}) raw[at] = 0xEE;
    ASSERT_TRUE(save_object_store("R.OBJ"));
    std::vector<uint8_t> saved;
    ASSERT_TRUE(read_whole_file("R.OBJ", saved));
    EXPECT_EQ(std::memcmp(saved.data(), golden.data(), 172), 0);
}

// ------------------------------------------------------------ lookups

TEST_F(ObjectStore, AnInvalidIdHandsBackTheLastTypeCopied) {
    ItemTypes[12] = named(ITEM_WEAPON, 105, "Handaxe");
    Objects[3] = named(ITEM_FOOD, 500, "Bread");
    obj_store_changed();
    ObjectRecord out;
    obj_record(12, out);
    EXPECT_STREQ(type_scratch.name, "Handaxe");
    const ObjectRecord scratch = type_scratch;
    for (int id : {0, -5, 120000, 99900, 400, 49999}) {
        std::memset(&out, 0x5A, sizeof out);
        obj_record(id, out);
        EXPECT_TRUE(same_bytes(out, scratch)) << id;
        EXPECT_TRUE(same_bytes(type_scratch, scratch)) << id;
    }
    // An instance is copied without touching the scratch record.
    obj_record(50003, out);
    EXPECT_STREQ(out.name, "Bread");
    EXPECT_TRUE(same_bytes(type_scratch, scratch));

    // The current object: the same, except that ids above 99899 clear it.
    obj_load_current(-5);
    EXPECT_TRUE(same_bytes(current_object, scratch));
    obj_load_current(400);
    EXPECT_TRUE(same_bytes(current_object, scratch));
    obj_load_current(99900);
    EXPECT_EQ(current_object.item_class, 0);
    EXPECT_EQ(current_object.name[0], 0);
    EXPECT_EQ(current_object.skill[0], 0);

    // Writing back needs an instance id.
    for (int id : {49999, 99900, 12, 0}) EXPECT_FALSE(obj_write_record(id, named(ITEM_TOOL, 1, "x"))) << id;
    EXPECT_TRUE(obj_write_record(50003, named(ITEM_TOOL, 1, "Awl")));
    EXPECT_STREQ(Objects[3].name, "Awl");
}

TEST_F(ObjectStore, MapAndMessagesNeverTakeTheScratchRecordForAnObject) {
    ItemTypes[12] = named(ITEM_PLANT, 436, "Nettle");
    Objects[3] = named(ITEM_FOOD, 500, "Bread");
    Objects[3].spoilage_days = 14;
    obj_store_changed();
    ObjectRecord out;
    obj_record(12, out);  // the scratch record now holds a plant
    EXPECT_EQ(object_item_class(12), ITEM_PLANT);
    EXPECT_EQ(object_item_class(50003), ITEM_FOOD);
    EXPECT_STREQ(obj_name_with_unit(50003, 1, 0), "bread");
    for (int id : {0, -5, 400, 120000}) {
        EXPECT_EQ(object_item_class(id), 0) << id;
        EXPECT_STREQ(obj_name_with_unit(id, 1, 0), "") << id;
    }
}

TEST_F(ObjectStore, BlankRecordsAndTheStagingRecord) {
    ObjectRecord r;
    std::memset(&r, 0x77, sizeof r);
    obj_clear_record(r);
    EXPECT_STREQ(r.skill, "tuntematon");
    EXPECT_EQ(r.item_class, 0);
    EXPECT_EQ(r.name[0], 0);
    EXPECT_EQ(r.weight, 0.0f);
    obj_clear_staging();
    EXPECT_STREQ(current_object.name, "*unmatchablestring*");
    EXPECT_STREQ(current_object.skill, "tuntematon");
    EXPECT_EQ(current_object.kind, 0);
}

TEST_F(ObjectStore, PlantsShieldsQualityAndSorts) {
    struct PlantCase {
        uint8_t item_class;
        int kind;
        bool plant;
    } plants[] = {{11, 0, true}, {7, 61, true}, {7, 430, true}, {7, 438, true}, {7, 513, true},
                  {7, 429, false}, {7, 439, false}, {6, 60, false}};
    for (const PlantCase& c : plants)
        EXPECT_EQ(obj_is_plant(named(c.item_class, c.kind, "x")), c.plant) << int(c.item_class) << " " << c.kind;

    ObjectRecord shield = named(ITEM_WEAPON, 120, "Round shield");
    copy_text(shield.skill, "SHIELD");
    EXPECT_TRUE(obj_is_shield(shield));
    copy_text(shield.skill, "SHIELDS");
    EXPECT_FALSE(obj_is_shield(shield));

    ObjectRecord q = named(ITEM_TOOL, 1, "x");
    q.quality = 0x80 | 0x40 | 2;
    obj_set_quality(4, q);
    EXPECT_EQ(q.quality, 0x80 | 0x40 | 4);
    obj_set_quality(9, q);
    EXPECT_EQ(q.quality & 7, 5);
    obj_set_quality(-3, q);
    EXPECT_EQ(q.quality, 0x80 | 0x40);

    ObjectRecord a = named(ITEM_FOOD, 500, "Meat");
    ObjectRecord b = named(ITEM_FOOD, 500, "Other meat");
    EXPECT_TRUE(obj_same_sort(a, b));
    EXPECT_FALSE(obj_same_item(a, b));
    b.kind = 501;
    EXPECT_FALSE(obj_same_sort(a, b));
    ObjectRecord w1 = named(ITEM_WEAPON, 1, "Spear"), w2 = named(ITEM_WEAPON, 2, "Pike");
    copy_text(w1.skill, "SPEAR");
    copy_text(w2.skill, "SPEAR");
    EXPECT_TRUE(obj_same_sort(w1, w2));
    copy_text(w2.skill, "spear");
    EXPECT_FALSE(obj_same_sort(w1, w2));
    ObjectRecord t1 = named(ITEM_TIMBER, 9, "Log"), t2 = named(ITEM_TIMBER, 9, "Log");
    t2.subclass = 1;
    EXPECT_FALSE(obj_same_sort(t1, t2));
    EXPECT_FALSE(obj_same_item(t1, t2));
    EXPECT_TRUE(obj_same_sort(named(ITEM_TOOL, 1, "Awl"), named(ITEM_TOOL, 2, "Rope")));
    EXPECT_TRUE(obj_same_item(t1, t1));
    EXPECT_FALSE(obj_same_item(named(ITEM_TOOL, 1, "Awl"), named(ITEM_TOOL, 1, "awl")));
}

// ------------------------------------------------------------ stacking

struct StackCase {
    const char* what;
    void (*change)(ObjectRecord& stored, ObjectRecord& incoming);
    bool stacks;
};

TEST(ObjectStacking, EachRuleAndTheFieldsLeftOut) {
    const StackCase cases[] = {
        {"identical", [](ObjectRecord&, ObjectRecord&) {}, true},
        {"food 60/80", [](ObjectRecord& a, ObjectRecord& b) { a.item_class = b.item_class = 7; a.spoilage_days = 60; b.spoilage_days = 80; }, true},
        {"food 20/80", [](ObjectRecord& a, ObjectRecord& b) { a.item_class = b.item_class = 7; a.spoilage_days = 20; b.spoilage_days = 80; }, false},
        {"tool 60/80", [](ObjectRecord& a, ObjectRecord& b) { a.spoilage_days = 60; b.spoilage_days = 80; }, false},
        {"quality 0/0x83", [](ObjectRecord& a, ObjectRecord& b) { a.quality = 0; b.quality = 0x83; }, true},
        {"quality 0x80/0", [](ObjectRecord& a, ObjectRecord& b) { a.quality = 0x80; b.quality = 0; }, true},
        {"quality 0/0x03", [](ObjectRecord& a, ObjectRecord& b) { a.quality = 0; b.quality = 0x03; }, false},
        {"quality 0/0x84", [](ObjectRecord& a, ObjectRecord& b) { a.quality = 0; b.quality = 0x84; }, false},
        {"quality 0x83/0x80", [](ObjectRecord& a, ObjectRecord& b) { a.quality = 0x83; b.quality = 0x80; }, false},
        {"weight 1.000/1.002", [](ObjectRecord& a, ObjectRecord& b) { a.weight = 1.000f; b.weight = 1.002f; }, true},
        {"silver 1.000/1.002", [](ObjectRecord& a, ObjectRecord& b) { a.material = b.material = 0x800; a.weight = 1.000f; b.weight = 1.002f; }, false},
        {"silver 1.000/1.0015", [](ObjectRecord& a, ObjectRecord& b) { a.material = b.material = 0x800; a.weight = 1.000f; b.weight = 1.0015f; }, true},
        {"weight 1.000/1.003", [](ObjectRecord& a, ObjectRecord& b) { a.weight = 1.000f; b.weight = 1.003f; }, false},
        {"full weight 2.000/2.004", [](ObjectRecord& a, ObjectRecord& b) { a.full_weight = 2.0f; b.full_weight = 2.004f; }, false},
        {"price", [](ObjectRecord& a, ObjectRecord& b) { a.price = 8; b.price = 8.001f; }, false},
        {"Knife/knife", [](ObjectRecord& a, ObjectRecord& b) { copy_text(a.name, "Knife"); copy_text(b.name, "knife"); }, true},
        {"umlaut capital", [](ObjectRecord& a, ObjectRecord& b) { copy_text(a.name, "\xC4yr\xE4s"); copy_text(b.name, "\xE4yr\xE4s"); }, true},
        {"skill case", [](ObjectRecord& a, ObjectRecord& b) { copy_text(a.skill, "KNIFE"); copy_text(b.skill, "knife"); }, true},
        {"class", [](ObjectRecord&, ObjectRecord& b) { b.item_class = 1; }, false},
        {"coverage", [](ObjectRecord&, ObjectRecord& b) { b.coverage[2] = 1; }, false},
        {"extra_a", [](ObjectRecord&, ObjectRecord& b) { b.extra_a = 1; }, false},
        {"un_id of a plant", [](ObjectRecord& a, ObjectRecord& b) { a.kind = b.kind = 436; b.un_id = 4; }, false},
        {"un_id of a tool", [](ObjectRecord&, ObjectRecord& b) { b.un_id = 4; }, true},
        {"tile", [](ObjectRecord&, ObjectRecord& b) { copy_text(b.tile, "it-peg"); }, false},
        {"MAGIC", [](ObjectRecord&, ObjectRecord& b) { b.MAGIC = 3; }, false},
        {"symbol", [](ObjectRecord&, ObjectRecord& b) { b.symbol = 3; }, false},
        {"extra_value", [](ObjectRecord&, ObjectRecord& b) { b.extra_value = 3; }, false},
        {"subclass", [](ObjectRecord&, ObjectRecord& b) { b.subclass = 3; }, false},
        {"rating of a weapon", [](ObjectRecord& a, ObjectRecord& b) { a.item_class = b.item_class = 1; a.rating = 10; b.rating = 140; }, true},
        {"rating 141 of a weapon", [](ObjectRecord& a, ObjectRecord& b) { a.item_class = b.item_class = 1; a.rating = 10; b.rating = 141; }, false},
        {"rating of a tool", [](ObjectRecord& a, ObjectRecord& b) { a.rating = 3; b.rating = 4; }, false},
        {"kind", [](ObjectRecord&, ObjectRecord& b) { b.kind = 2; }, false},
        {"contents", [](ObjectRecord&, ObjectRecord& b) { b.contents = 50001; }, false},
        {"unit_price", [](ObjectRecord&, ObjectRecord& b) { b.unit_price = 1; }, false},
        {"owner", [](ObjectRecord&, ObjectRecord& b) { b.ownerID = 7; }, false},
        {"stamp", [](ObjectRecord&, ObjectRecord& b) { b.y = 7; }, false},
        {"state bits", [](ObjectRecord&, ObjectRecord& b) { b.state_bits = 0x20; }, false},
        {"ownflag 0/0x40", [](ObjectRecord& a, ObjectRecord& b) { a.ownflag = 0; b.ownflag = 0x41; }, true},
        {"ownflag 0/0x01", [](ObjectRecord& a, ObjectRecord& b) { a.ownflag = 0; b.ownflag = 0x01; }, false},
        {"fields left out", [](ObjectRecord&, ObjectRecord& b) { b.container_weight10 = 9; b.effect_boiled = 9; b.Laatumuuttuja = 9; b.Laatu = 9; b.water = 9; b.reserved_168[0] = 9; }, true},
    };
    for (const StackCase& c : cases) {
        ObjectRecord a = named(ITEM_TOOL, 1, "Peg");
        a.weight = a.full_weight = 1.0f;
        ObjectRecord b = a;
        c.change(a, b);
        EXPECT_EQ(obj_can_stack(a, b), c.stacks) << c.what;
    }
}

// ------------------------------------------------------------ storing

TEST_F(ObjectStore, StoringFindsTheFirstStackableBeforeTheFirstHole) {
    for (int i = 0; i < 8; ++i) ASSERT_EQ(obj_store_new(named(ITEM_TOOL, 10 + i, "Peg")), 50000 + i);
    const ObjectRecord copy_of_7 = Objects[7];
    std::vector<ObjectRecord> before(Objects, Objects + 10);
    EXPECT_EQ(obj_store_record(copy_of_7), 50007);
    EXPECT_EQ(std::memcmp(before.data(), Objects, sizeof(ObjectRecord) * 10), 0) << "nothing written";

    obj_clear_record(Objects[3]);
    EXPECT_EQ(obj_store_record(named(ITEM_TOOL, 99, "Rope")), 50003);
    obj_clear_record(Objects[3]);
    // The walk ends at the hole: slot 7 lies beyond it, so its copy is new.
    EXPECT_EQ(obj_store_record(copy_of_7), 50003);
    EXPECT_EQ(obj_store_record(copy_of_7), 50003) << "now found in slot 3";

    // A free slot 0 takes the record at once.
    obj_clear_record(Objects[0]);
    EXPECT_EQ(obj_store_record(copy_of_7), 50000);
}

TEST_F(ObjectStore, NewInstancesCopyTheirTypeAndKeepTheSlotZeroRule) {
    ItemTypes[5] = named(ITEM_FOOD, 500, "Bread");
    EXPECT_EQ(obj_new_instance(5), 50000);
    EXPECT_STREQ(Objects[0].name, "Bread");
    EXPECT_STREQ(type_scratch.name, "Bread");
    EXPECT_EQ(obj_new_instance(5), 50001) << "instances never merge";
    // With t = 0 the scratch record as the caller left it.
    copy_text(type_scratch.name, "Stale bread");
    EXPECT_EQ(obj_new_instance(0), 50002);
    EXPECT_STREQ(Objects[2].name, "Stale bread");
    // Instance ids come back unchanged; anything else is no type.
    EXPECT_EQ(obj_new_instance(50002), 50002);
    for (int t : {-1, 400, 49999, 99900}) EXPECT_EQ(obj_new_instance(t), 0) << t;
    EXPECT_EQ(count_object_instances(), 3);
    // Slot 0 is taken first whenever it is free.
    obj_clear_record(Objects[0]);
    EXPECT_EQ(obj_new_instance(5), 50000);
    obj_clear_record(Objects[1]);
    EXPECT_EQ(obj_new_instance(5), 50001);
    EXPECT_EQ(obj_new_instance(5), 50003);
}

TEST_F(ObjectStore, TheNearlyFullFlagFromSlot49851AtMostOncePer500NewInstances) {
    ItemTypes[5] = named(ITEM_FOOD, 500, "Bread");
    fill_slots(0, 49850);
    EXPECT_EQ(obj_new_instance(5), 99850);
    EXPECT_EQ(obj_table_nearly_full, 0);
    EXPECT_EQ(obj_store_new(named(ITEM_TOOL, 1, "Rope")), 99851);
    EXPECT_EQ(obj_table_nearly_full, 0) << "storing new records never raises it";
    obj_clear_record(Objects[49851]);
    EXPECT_EQ(obj_new_instance(5), 99851);
    EXPECT_EQ(obj_table_nearly_full, 1);

    // The maintenance clears it; it is asked for again only 500 new
    // instances later.
    obj_table_nearly_full = 0;
    for (int i = 0; i < 499; ++i) {
        obj_clear_record(Objects[49851]);
        ASSERT_EQ(obj_new_instance(5), 99851);
        ASSERT_EQ(obj_table_nearly_full, 0) << i;
    }
    obj_clear_record(Objects[49851]);
    EXPECT_EQ(obj_store_record(named(ITEM_TOOL, 2, "Awl")), 99851);
    EXPECT_EQ(obj_table_nearly_full, 1);
}

TEST_F(ObjectStore, AFullTableAnswersZeroChangesNothingAndWarnsOnce) {
    PlayFolder folder(true);
    ItemTypes[5] = named(ITEM_FOOD, 500, "Bread");
    fill_slots(0, OBJECT_INSTANCE_COUNT);
    // Every record has an owner: the maintenance can free none.
    for (ObjectRecord& r : Objects) r.ownerID = 7;
    Objects[100].state_bits = OBJ_WORN;  // held things above all must stay
    obj_store_changed();
    const std::vector<ObjectRecord> before(Objects, Objects + OBJECT_INSTANCE_COUNT);
    messages_suppressed = false;
    skip_message_pauses = true;
    reset_last_message();

    EXPECT_EQ(obj_new_instance(5), 0);
    EXPECT_EQ(obj_maintenance_runs, 1) << "one maintenance run before giving up";
    EXPECT_NE(std::strstr(last_message, "Nothing you have was lost"), nullptr) << last_message;
    reset_last_message();
    EXPECT_EQ(obj_store_record(named(ITEM_TOOL, 1, "Rope")), 0);
    EXPECT_EQ(obj_store_new(named(ITEM_TOOL, 1, "Rope")), 0);
    EXPECT_EQ(obj_maintenance_runs, 3);
    EXPECT_EQ(std::strstr(last_message, "Nothing you have was lost"), nullptr) << "the warning comes once a game";
    EXPECT_EQ(std::memcmp(before.data(), Objects, sizeof Objects), 0);
    EXPECT_NE(folder.read("debug_objtable!.txt").find("nothing was stored"), std::string::npos);

    // A record that stacks with one already there is still found.
    EXPECT_EQ(obj_store_record(Objects[77]), 50077);
    skip_message_pauses = false;
}

// The store's answer against the plain walk of the rule, over a long run of
// stores, writes and frees of records drawn from a small pool (so that many
// merge): the index of used slots must never change the answer.
TEST_F(ObjectStore, MergingAgreesWithThePlainWalkThroughStoresWritesAndFrees) {
    seed_random(7);
    std::vector<ObjectRecord> pool;
    const char* names[] = {"Arrow", "arrow", "Bread", "Peg", "ARROW"};
    for (int n = 0; n < 5; ++n)
        for (int days : {3, 60, 90}) {
            ObjectRecord r = named(n == 2 ? ITEM_FOOD : ITEM_WEAPON, n == 3 ? 7 : 5, names[n]);
            r.spoilage_days = uint8_t(days);
            r.weight = r.full_weight = 0.5f;
            pool.push_back(r);
        }
    auto plain_walk = [](const ObjectRecord& r) {
        if (Objects[0].item_class == 0) return 50000;
        for (int s = 0; s < OBJECT_INSTANCE_COUNT; ++s) {
            if (Objects[s].item_class == 0) return 50000 + s;
            if (obj_can_stack(Objects[s], r)) return 50000 + s;
        }
        return 0;
    };
    for (int step = 0; step < 4000; ++step) {
        const int action = random_below(10);
        const ObjectRecord& r = pool[size_t(random_below(int(pool.size())))];
        if (action < 6) {
            const int expected = plain_walk(r);
            ASSERT_EQ(obj_store_record(r), expected) << "step " << step;
            ASSERT_EQ(obj_can_stack(Objects[expected - 50000], r), true);
        } else if (action < 8) {
            obj_clear_record(Objects[random_below(300)]);
        } else {
            const int slot = random_below(300);
            if (Objects[slot].item_class != 0) obj_write_record(50000 + slot, pool[size_t(random_below(int(pool.size())))]);
        }
    }
}

// ------------------------------------------------------------ item types

TEST_F(ObjectStore, DefiningItemTypesBySlotNameOrNameKindAndClass) {
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) copy_text(ItemTypes[i].name, UNMATCHABLE_NAME);
    ItemTypes[3] = named(ITEM_TOOL, 40, "\xC4yr\xE4s");
    ItemTypes[4] = named(ITEM_WEAPON, 41, "Club");

    obj_clear_staging();
    current_object = named(ITEM_TOOL, 40, "\xE4YR\xC4S");
    current_object.weight = 4.0f;
    current_object.full_weight = 1.0f;
    EXPECT_EQ(obj_store_template(-1), 3) << "same name with the umlaut capitals folded";
    EXPECT_EQ(ItemTypes[3].full_weight, 4.0f);

    current_object = named(ITEM_TOOL, 99, "club");
    EXPECT_EQ(obj_store_template(-2), 1) << "a club of another kind and class takes the first blank";
    EXPECT_NE(std::string(ItemTypes[0].name), "club") << "slot 0 is never taken as a blank";
    current_object = named(ITEM_WEAPON, 41, "CLUB");
    EXPECT_EQ(obj_store_template(-2), 4);
    current_object = named(ITEM_TOOL, 1, "Rake");
    EXPECT_EQ(obj_store_template(250), 250);
    EXPECT_STREQ(ItemTypes[250].name, "Rake");
    EXPECT_EQ(obj_store_template(400), -1);

    // No blank left: nothing is stored.
    for (int i = 1; i < ITEM_TYPE_COUNT; ++i) copy_text(ItemTypes[i].name, "Full");
    current_object = named(ITEM_TOOL, 1, "Newcomer");
    EXPECT_EQ(obj_store_template(-1), -1);
}

TEST_F(ObjectStore, TypesByKind) {
    ItemTypes[2] = named(ITEM_PLANT, 436, "Nettle");
    ItemTypes[5] = named(ITEM_FOOD, 436, "Dried nettle");
    ItemTypes[9] = named(ITEM_FOOD, 436, "Nettle soup");
    ObjectRecord out = named(ITEM_TOOL, 1, "Before");
    out.weight = 9.0f;
    obj_template_by_kind(436, out);
    EXPECT_STREQ(out.name, "Nettle");

    template_excluded_class = ITEM_PLANT;
    obj_template_by_kind(436, out);
    EXPECT_STREQ(out.name, "Dried nettle");
    EXPECT_EQ(template_excluded_class, 0) << "the settings last one call";

    std::set<std::string> seen;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        seed_random(seed);
        template_random_choice = 1;
        template_excluded_class = ITEM_PLANT;
        seen.insert(obj_template_by_kind(436, out).name);
        EXPECT_EQ(template_random_choice, 0);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Dried nettle", "Nettle soup"}));

    // No match: name, class and kind cleared, the rest left as it was.
    out = named(ITEM_TOOL, 1, "Before");
    out.weight = 9.0f;
    template_excluded_class = ITEM_TOOL;  // blank types never match, whatever is excluded
    obj_template_by_kind(0, out);
    EXPECT_EQ(out.name[0], 0);
    EXPECT_EQ(out.item_class, 0);
    EXPECT_EQ(out.weight, 9.0f);

    EXPECT_EQ(obj_template_index_by_kind(436), 2);
    EXPECT_EQ(obj_template_index_by_kind(437), -1);
    EXPECT_EQ(obj_kind_by_template_name("Nettle soup"), 436);
    EXPECT_EQ(obj_kind_by_template_name("nettle soup"), 0) << "case counts";
}

TEST_F(ObjectStore, TypesByNameEndAtAWordEnd) {
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) copy_text(ItemTypes[i].name, UNMATCHABLE_NAME);
    const struct {
        int id;
        const char* name;
    } types[] = {{10, "Axe"}, {11, "Battleaxe"}, {12, "Axe head"}, {13, "Axes"}, {14, "Axeman's knife"},
                 {15, "Pickaxe handle"}, {16, "Taxed goods"}, {17, "Knife"}};
    for (const auto& t : types) ItemTypes[t.id] = named(ITEM_TOOL, t.id, t.name);

    std::set<int> found;
    for (uint32_t seed = 1; seed <= 1000; ++seed) {
        seed_random(seed);
        const int id = obj_template_by_name("axe", 0);
        found.insert(id);
        ASSERT_EQ(current_object.kind, id) << "the current object holds the answer";
    }
    EXPECT_EQ(found, (std::set<int>{10, 11, 12, 15}));

    found.clear();
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        seed_random(seed);
        found.insert(obj_template_by_name("aXe", 1));
    }
    EXPECT_EQ(found, (std::set<int>{10}));
    EXPECT_EQ(obj_template_by_name("sword", 0), 0);
    EXPECT_EQ(obj_template_by_name("", 0), 0);
}

TEST_F(ObjectStore, RandomTypesAreOrdinaryOnesAndABlankCatalogueGivesNone) {
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) copy_text(ItemTypes[i].name, UNMATCHABLE_NAME);
    ItemTypes[0] = named(ITEM_TOOL, 1, "Zeroth");  // slot 0 is no type
    ItemTypes[20] = named(ITEM_PLANT, 1, "Nettle");
    ItemTypes[21] = named(ITEM_FOOD, 55, "Kind 55");
    ItemTypes[22] = named(ITEM_FOOD, 61, "Kind 61");
    ItemTypes[23] = named(ITEM_FOOD, 69, "Kind 69");
    ItemTypes[24] = named(ITEM_FOOD, 434, "Kind 434");
    ItemTypes[25] = named(ITEM_TOOL, 2, "");
    ItemTypes[30] = named(ITEM_TOOL, 3, "Awl");
    ItemTypes[399] = named(ITEM_WEAPON, 4, "Club");
    std::set<int> found;
    for (uint32_t seed = 1; seed <= 1000; ++seed) {
        seed_random(seed);
        const int id = obj_template_by_name("*random*", 0);
        found.insert(id);
        ASSERT_EQ(current_object.kind, ItemTypes[id].kind);
    }
    EXPECT_EQ(found, (std::set<int>{30, 399}));

    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) copy_text(ItemTypes[i].name, UNMATCHABLE_NAME);
    EXPECT_EQ(obj_template_by_name("*RANDOM*", 0), 0);
    std::memset(ItemTypes, 0, sizeof ItemTypes);
    EXPECT_EQ(obj_template_by_name("*RANDOM*", 0), 0);
}

// ------------------------------------------------------------ files

TEST_F(ObjectStore, LoadingLogsEachUsedRecordAndFreesThePastAShortFile) {
    PlayFolder folder(false);
    std::vector<ObjectRecord> file(11);  // ten whole records and part of one more
    for (ObjectRecord& r : file) std::memset(&r, 0, sizeof r);
    file[0] = named(ITEM_TOOL, 1, "Awl");
    file[4] = named(ITEM_FOOD, 500, "Bread");
    file[9] = named(ITEM_WEAPON, 9, "Club");
    file[10] = named(ITEM_TOOL, 3, "Half");
    ASSERT_TRUE(write_file_atomic("S.OBJ", file.data(), sizeof(ObjectRecord) * 10 + 100));
    fill_slots(0, 50);  // what the last game left must go
    debug_logs_on = 1;
    const int read = load_object_store("S.OBJ");
    debug_logs_on = 0;
    EXPECT_EQ(read, 10);
    EXPECT_STREQ(Objects[4].name, "Bread");
    EXPECT_EQ(Objects[10].item_class, 0);
    EXPECT_EQ(Objects[10].name[0], 0);
    EXPECT_EQ(Objects[49].item_class, 0);
    EXPECT_EQ(count_object_instances(), 3);
    EXPECT_STREQ(current_object.name, "Club") << "read through the current object";

    const std::string log = folder.read("debug_readguy.txt");
    int lines = 0;
    for (size_t at = log.find("/49900 "); at != std::string::npos; at = log.find("/49900 ", at + 1)) ++lines;
    EXPECT_EQ(lines, 3);
    EXPECT_NE(log.find("#0/49900 Awl"), std::string::npos) << log;
    EXPECT_NE(log.find("#4/49900 Bread"), std::string::npos);
    EXPECT_NE(log.find("#9/49900 Club"), std::string::npos);

    // The store goes on from what was loaded.
    EXPECT_EQ(obj_store_record(file[0]), 50000);
    EXPECT_EQ(obj_store_record(named(ITEM_TOOL, 2, "Rope")), 50001);

    EXPECT_EQ(load_object_store("MISSING.OBJ"), -1);
}

TEST_F(ObjectStore, TheResetLeavesNothingOfTheLastGame) {
    fill_slots(0, 20);
    ItemTypes[3] = named(ITEM_TOOL, 1, "Awl");
    obj_record(3, current_object);
    obj_table_nearly_full = 1;
    template_excluded_class = 4;
    naming_scratch = named(ITEM_TOOL, 1, "Awl");
    obj_maintenance_runs = 3;
    obj_maintenance_warned = 1;
    reset_object_store();
    EXPECT_EQ(naming_scratch.name[0], 0);
    EXPECT_EQ(obj_maintenance_runs, 0);
    EXPECT_EQ(obj_maintenance_warned, 0) << "a new game warns anew";
    EXPECT_EQ(count_object_instances(), 0);
    EXPECT_EQ(ItemTypes[3].item_class, 0);
    EXPECT_EQ(type_scratch.name[0], 0);
    EXPECT_EQ(current_object.name[0], 0);
    EXPECT_EQ(obj_table_nearly_full, 0);
    EXPECT_EQ(template_excluded_class, 0);
    EXPECT_EQ(obj_store_new(named(ITEM_TOOL, 1, "Rope")), 50000);
}

}  // namespace
