// The flora files: the plant item type of a header and its tags, the index
// (file order, the short line that ends an entry, what is cut), the lookup
// by name, the effect words, the plant types and flour of a catalogue, and
// the unknown-mushroom names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "objects/flora.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "work/herblore.h"

namespace {

class Flora : public ::testing::Test {
protected:
    void SetUp() override {
        reset_object_store();
        clear_flora_index();
        std::memset(HerbEffects, 0, sizeof HerbEffects);
    }
    void TearDown() override {
        reset_object_store();
        clear_flora_index();
        std::memset(HerbEffects, 0, sizeof HerbEffects);
    }
    ObjectRecord plant(const char* header, const char* data = "") {
        ObjectRecord r;
        std::memset(&r, 0, sizeof r);
        EXPECT_TRUE(make_plant_type(header, data, r)) << header;
        return r;
    }
    PlayFolder folder{false};
};

// ------------------------------------------------------------ one entry

TEST_F(Flora, HeaderGivesKindSymbolSpoilageWeightAndCount) {
    struct Case {
        const char* header;
        const char* data;
        int kind, symbol, spoilage, count;
        float weight;
    };
    const Case cases[] = {
        {".Cowberry. :98: (12) [berry]", "", 431, 98, 30, 12, 0.1f},
        {".Plain.", "", 430, 116, 18, 1, 1.0f},
        // The later flag in the fixed order wins, whatever the line's order.
        {".Both. [berry] [root]", "", 433, 116, 120, 1, 0.25f},
        {".Both. [root] [berry]", "", 433, 116, 120, 1, 0.25f},
        {".Cap. :0: (0) [mushroom]", "[SIZE:L]", 513, 116, 7, 1, 0.4f},
        {".Small pod. (80) [pod]", "[SIZE:S]", 432, 116, 120, 50, 35.0f / 453.0f / 2},
        {".Corn. [grass] [grain]", "", 438, 116, 50, 1, 0.2f},
        {".Bloom. :300: [flower]", "", 437, 255, 50, 1, 0.15f},
        // A root weighs by its size word alone (0.25 lb until sizes are weighed).
        {".Tuber. [root]", "[SIZE:L]", 433, 116, 120, 1, 0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const ObjectRecord r = plant(c.header, c.data);
        EXPECT_EQ(r.item_class, ITEM_PLANT);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.symbol, c.symbol);
        EXPECT_EQ(r.spoilage_days, c.spoilage);
        EXPECT_EQ(r.coverage[0], c.count);
        EXPECT_NEAR(r.weight, c.weight, 1e-6);
    }
    EXPECT_STREQ(plant(".Cowberry. :98: (12) [berry]").name, "Cowberry");
}

TEST_F(Flora, TagsFillTheirFieldsAndAbsentTagsTheirDefaults) {
    const ObjectRecord r = plant(
        ".Bilberry. [berry]",
        "[NAME:bilberry/bilberries][TILEGFX:flo-berry][SPROUT:4][WITHER:9][MATURE:80][QUANTITY:8][FREQUENCY:40]"
        "[CARB:12][FAT:1][PROTEIN:2][WATER:84][FLOWERING_PERIOD:3]");
    EXPECT_STREQ(r.skill, "bilberry/bilberries");
    EXPECT_STREQ(r.tile, "flo-berry");
    EXPECT_EQ(r.length, 4);
    EXPECT_EQ(r.full_length, 9);
    EXPECT_EQ(r.protection4, 80);  // the byte before the length holds the days to ripen
    EXPECT_EQ(r.coverage[1], 8);
    EXPECT_EQ(r.coverage[2], 40);
    EXPECT_EQ(r.blunt, 12);
    EXPECT_EQ(r.edge, 1);
    EXPECT_EQ(r.point, 2);
    EXPECT_EQ(r.water, 84);
    EXPECT_EQ(r.link, 3);

    const ObjectRecord d = plant(".Bare.");
    EXPECT_STREQ(d.skill, "unknown fruit");
    EXPECT_STREQ(d.tile, "");
    EXPECT_EQ(d.length, 5);
    EXPECT_EQ(d.full_length, 10);
    EXPECT_EQ(d.protection4, 60);
    EXPECT_EQ(d.coverage[1], 1);
    EXPECT_EQ(d.coverage[2], 20);
    EXPECT_EQ(d.blunt, 1);
    EXPECT_EQ(d.edge, 0);
    EXPECT_EQ(d.point, 1);
    EXPECT_EQ(d.link, 0);
    EXPECT_EQ(plant(".Empty.", "[FLOWERING_PERIOD:]").link, 0);

    // A mushroom left at the default nutrients gets a mushroom's own.
    const ObjectRecord m = plant(".Cap. [mushroom]");
    EXPECT_EQ(m.blunt, 3);
    EXPECT_EQ(m.edge, 1);
    EXPECT_EQ(m.point, 2);
    EXPECT_EQ(plant(".Cap. [mushroom]", "[CARB:2]").blunt, 2);
}

TEST_F(Flora, NumbersBeyondAByteAreHeldToItAndAQuantityBeyondIsRefused) {
    const ObjectRecord r = plant(".Big.", "[SPROUT:300][WITHER:-4][FREQUENCY:999][QUANTITY:255]");
    EXPECT_EQ(r.length, 255);
    EXPECT_EQ(r.full_length, 0);
    EXPECT_EQ(r.coverage[2], 255);
    EXPECT_EQ(r.coverage[1], 255);
    ObjectRecord untouched;
    std::memset(&untouched, 0x5A, sizeof untouched);
    for (const char* data : {"[QUANTITY:256]", "[QUANTITY:-1]"}) {
        ObjectRecord out = untouched;
        EXPECT_FALSE(make_plant_type(".Many.", data, out)) << data;
        EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0) << data;
    }
}

TEST_F(Flora, EffectWordsSetTheBitsOfTheirEffects) {
    copy_text(HerbEffects[0].name, "psychoactive");
    copy_text(HerbEffects[5].name, "poisonous");
    copy_text(HerbEffects[21].name, "antiseptic");
    EXPECT_EQ(effect_words_to_bits(0, "poisonous  antiseptic"), (1u << 5) | (1u << 21));
    EXPECT_EQ(effect_words_to_bits(0x2, "psychoactive"), 0x3u);
    // Words match whole and exactly; empty entries match nothing.
    EXPECT_EQ(effect_words_to_bits(0, "poison Poisonous deadly_poisonous"), 0u);
    EXPECT_EQ(effect_words_to_bits(0, ""), 0u);
    const ObjectRecord r = plant(".Agaric. [mushroom]", "[EFFECT_RAW:psychoactive poisonous][EFFECT_BOILED:antiseptic]");
    EXPECT_EQ(r.effect_raw, (1u << 0) | (1u << 5));
    EXPECT_EQ(r.effect_boiled, 1u << 21);
}

// ------------------------------------------------------------ the index

TEST_F(Flora, IndexReadsTheFilesInNameOrderAndAShortLineEndsAnEntry) {
    folder.write("flora_b.txt",
                 "// a comment line is no data\n"
                 ".Twin. :1:\n[NAME:second file]\n\n"
                 ".Reed.\n[NAME:reed]\n[TERRAIN:lake]\n12345\n[QUANTITY:9]\n");
    folder.write("FLORA_a.txt", ".Twin. :2:\n[NAME:first file][SIZE:L]\n123456\n[QUANTITY:4]\n");
    EXPECT_EQ(load_flora_index(), 3);
    // The first file in name order holds the entry a lookup finds.
    hae_asciidata("Twin");
    EXPECT_STREQ(asciidata_header, ".Twin. :2:");
    // A line of six characters is data; of five it ends the entry.
    EXPECT_STREQ(asciidata, "[NAME:first file][SIZE:L]123456[QUANTITY:4]");
    hae_asciidata("Reed");
    EXPECT_STREQ(asciidata, "[NAME:reed][TERRAIN:lake]");
    // Names match exactly, case included; an unknown name gives nothing.
    for (const char* name : {"reed", "Reeds", "", "Nothing"}) {
        hae_asciidata(name);
        EXPECT_STREQ(asciidata, "") << name;
        EXPECT_STREQ(asciidata_header, "") << name;
    }
}

TEST_F(Flora, LongNamesAndDataAreCutAndLongLinesLeftOut) {
    const std::string long_name(40, 'n');
    std::string tags;
    while (tags.size() < 3000) tags += "[NAME:cloudberry][SIZE:M]\n";
    folder.write("flora_long.txt", "." + long_name + ".\n" + tags + "\n.Wide.\n[NAME:" + std::string(420, 'w') +
                                       "]\n[SIZE:S]\n");
    EXPECT_EQ(load_flora_index(), 2);
    EXPECT_EQ(std::string(flora_entry_name(0)), std::string(29, 'n'));
    hae_asciidata(std::string(29, 'n').c_str());
    EXPECT_EQ(std::strlen(asciidata), size_t(FLORA_DATA_BYTES));
    // A line over 400 characters is left out whole, never split.
    hae_asciidata("Wide");
    EXPECT_STREQ(asciidata, "[SIZE:S]");
    EXPECT_NE(folder.read("debug_!flora.txt").find("cut to 29 characters"), std::string::npos);
    EXPECT_NE(folder.read("debug_!flora.txt").find("cut to 2048 bytes"), std::string::npos);
}

TEST_F(Flora, AtMostFiftyFilesAreRead) {
    for (int i = 0; i < 52; ++i) {
        char name[40], text[60];
        format_text(name, sizeof name, "flora_%02d.txt", i);
        format_text(text, sizeof text, ".Plant %02d.\n[NAME:plant]\n\n", i);
        folder.write(name, text);
    }
    EXPECT_EQ(load_flora_index(), FLORA_FILES_MOST);
    EXPECT_STREQ(flora_entry_name(49), "Plant 49");
}

// ------------------------------------------------------------ item types

TEST_F(Flora, CatalogueGetsEveryPlantAfterItsOwnTypes) {
    // A type of the built-in catalogue stays where it is.
    obj_clear_staging();
    copy_text(current_object.name, "AXE");
    current_object.item_class = ITEM_TOOL;
    ASSERT_EQ(obj_store_template(-1), 1);
    folder.write("flora_test.txt",
                 ".Cowberry. :98: (12) [berry]\n[NAME:cowberry][QUANTITY:6][TILEGFX:flo-berry]\n\n"
                 ".Barley. [grain]\n[NAME:barley]\n\n"
                 ".Too many.\n[QUANTITY:300]\n\n");
    load_flora_item_types();
    EXPECT_STREQ(ItemTypes[1].name, "AXE");
    EXPECT_STREQ(ItemTypes[2].name, "Cowberry");
    EXPECT_EQ(ItemTypes[2].item_class, ITEM_PLANT);
    EXPECT_EQ(ItemTypes[2].kind, 431);
    EXPECT_EQ(ItemTypes[2].coverage[1], 6);
    EXPECT_STREQ(ItemTypes[3].name, "Barley");
    EXPECT_EQ(ItemTypes[3].kind, 438);
    // The refused plant takes no slot; no parts are yielded yet, so no flour.
    EXPECT_EQ(ItemTypes[4].name[0], 0);
    // Made again (a second catalogue), each plant keeps its one slot.
    load_flora_item_types();
    EXPECT_STREQ(ItemTypes[2].name, "Cowberry");
    EXPECT_EQ(ItemTypes[4].name[0], 0);
}

TEST_F(Flora, GrainFlourIsMadeFromItsPart) {
    ObjectRecord grain;
    obj_clear_record(grain);
    copy_text(grain.name, "barley grains");
    grain.item_class = ITEM_FOOD;
    grain.kind = 435;
    grain.blunt = 70;
    grain.edge = 2;
    grain.point = 10;
    grain.weight = 50.0f / 453.0f;
    const int slot = store_flour_type(grain);
    ASSERT_GE(slot, 1);
    const ObjectRecord& flour = ItemTypes[slot];
    // Named as the player knows the grain: a new character knows no plant.
    EXPECT_STREQ(flour.name, "unknown-flour");
    EXPECT_EQ(flour.kind, 61);
    EXPECT_EQ(flour.item_class, ITEM_FOOD);
    EXPECT_FLOAT_EQ(flour.weight, 1.0f);
    EXPECT_FLOAT_EQ(flour.full_weight, 1.0f);
    EXPECT_EQ(flour.quality & OBJ_GRADE_MASK, 3);
    EXPECT_NEAR(flour.unit_price, 82 * 0.04 * 1.5, 1e-4);
    EXPECT_NEAR(flour.price, 82 * 0.04 * 1.5, 1e-4);
    EXPECT_EQ(flour.blunt, 70);
}

// ------------------------------------------------------------ unknown names

TEST_F(Flora, UnknownNamesRepeatTheFileUntilEverySlotIsFilled) {
    make_folder(folder.file("messages"));
    std::string names = "// names\n";
    for (int i = 0; i < 30; ++i) names += "cap " + std::to_string(i) + "\n";
    names += "x\n";  // one character is no name
    folder.write("messages/ksm_uname_flora.txt", names);
    load_unknown_plant_names();
    EXPECT_STREQ(unknown_plant_names[0], "cap 0");
    EXPECT_STREQ(unknown_plant_names[29], "cap 29");
    EXPECT_STREQ(unknown_plant_names[30], "cap 0");
    EXPECT_STREQ(unknown_plant_names[99], "cap 9");
    const std::string dump = folder.read("debug_uflora.txt");
    EXPECT_EQ(dump.substr(0, 14), "cap 0\n\rcap 1\n\r");
}

TEST_F(Flora, UnknownNamesFileMissingOrEmptyEndsTheProgram) {
    EXPECT_EXIT(load_unknown_plant_names(), ::testing::ExitedWithCode(1), "messages/ksm_uname_flora.txt missing!");
    make_folder(folder.file("messages"));
    folder.write("messages/ksm_uname_flora.txt", "// only a comment\nx\n");
    EXPECT_EXIT(load_unknown_plant_names(), ::testing::ExitedWithCode(1), "holds no names");
}

}  // namespace
