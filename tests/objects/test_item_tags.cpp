// Item definition tags: one row per tag rule, the coverage words and
// garments, the armour materials and the armour dump.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "base/stubs.h"
#include "objects/item_tags.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

ObjectRecord record_of_class(uint8_t item_class) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    return r;
}

struct TagCase {
    const char* tag;
    uint8_t item_class;  // the class the record has before the tag
    bool (*holds)(const ObjectRecord& r);
};

TEST(ItemTags, EachKeyItsValueDefaultsAndClamps) {
    const TagCase cases[] = {
        {"[BLUNT_ATTACK:-]", 1, [](const ObjectRecord& r) { return r.blunt == 200; }},
        {"[BLUNT_ATTACK:12]", 1, [](const ObjectRecord& r) { return r.blunt == 9; }},
        {"[BLUNT_ATTACK:4]", 1, [](const ObjectRecord& r) { return r.blunt == 4; }},
        {"[BLUNT_ATTACK]", 1, [](const ObjectRecord& r) { return r.blunt == 0; }},
        {"[EDGE_ATTACK:7]", 1, [](const ObjectRecord& r) { return r.edge == 7 && r.blunt == 0; }},
        {"[POINT_ATTACK:-1]", 1, [](const ObjectRecord& r) { return r.point == 200; }},
        {"[AD_CLASS:3/9]", 1, [](const ObjectRecord& r) { return r.ad_class == 0x63; }},
        {"[AD_CLASS:8/2]", 1, [](const ObjectRecord& r) { return r.ad_class == 0x26; }},
        {"[AD_CLASS:4]", 1, [](const ObjectRecord& r) { return r.ad_class == 0x04; }},
        {"[SPOILAGE_DAYS:0]", 7, [](const ObjectRecord& r) { return r.spoilage_days == 254; }},
        {"[SPOILAGE_DAYS:300]", 7, [](const ObjectRecord& r) { return r.spoilage_days == 254; }},
        {"[SPOILAGE_DAYS:253]", 7, [](const ObjectRecord& r) { return r.spoilage_days == 253; }},
        {"[SPOILAGE_DAYS:1]", 7, [](const ObjectRecord& r) { return r.spoilage_days == 1; }},
        {"[WEIGHT:3 g]", 10, [](const ObjectRecord& r) { return r.weight == float(3.0 / 453) && r.full_weight == r.weight; }},
        {"[WEIGHT:2.5 g]", 10, [](const ObjectRecord& r) { return r.weight == float(2.0 / 453); }},
        {"[WEIGHT:2.5]", 6, [](const ObjectRecord& r) { return r.weight == 2.5f && r.full_weight == 2.5f; }},
        {"[WEIGHT:2]", 3, [](const ObjectRecord& r) { return r.container_weight10 == 20 && r.weight == 0 && r.full_weight == 0; }},
        {"[WEIGHT:0.3]", 3, [](const ObjectRecord& r) { return r.container_weight10 == 3; }},
        {"[WEIGHT:0.31]", 3, [](const ObjectRecord& r) { return r.container_weight10 == 4; }},
        {"[WEIGHT:40]", 3, [](const ObjectRecord& r) { return r.container_weight10 == 255; }},
        {"[PRICE:per 2]", 7, [](const ObjectRecord& r) { return r.unit_price == 16.0f && r.price == 0; }},
        {"[PRICE:2.5]", 7, [](const ObjectRecord& r) { return r.price == 20.0f && r.unit_price == 0; }},
        {"[CONT_CAPACITY:12]", 3, [](const ObjectRecord& r) { return r.full_weight == 12.0f && r.weight == 0; }},
        {"[CONT_CAPACITY:12]", 6, [](const ObjectRecord& r) { return r.full_weight == 0 && r.item_class == 6; }},
        {"[1H_PENALTY:4]", 1, [](const ObjectRecord& r) { return r.coverage[0] == 4; }},
        {"[1H_PENALTY:4]", 6, [](const ObjectRecord& r) { return r.coverage[0] == 0; }},
        {"[SKILL:spear]", 1, [](const ObjectRecord& r) { return std::strcmp(r.skill, "SPEAR") == 0; }},
        {"[SKILL:\xE4yr\xE4s]", 1, [](const ObjectRecord& r) { return std::strcmp(r.skill, "\xC4YR\xC4S") == 0; }},
        {"[NAME:silver ring]", 10, [](const ObjectRecord& r) { return std::strcmp(r.name, "silver ring") == 0; }},
        {"[TILEGFX:vl-sring]", 10, [](const ObjectRecord& r) { return std::strcmp(r.tile, "vl-sring") == 0; }},
        {"[TYPE:gizmo]", 0, [](const ObjectRecord& r) { return r.item_class == 6; }},
        {"[TYPE:valuable]", 0, [](const ObjectRecord& r) { return r.item_class == 10; }},
        {"[TYPE:weapon tool armour]", 0, [](const ObjectRecord& r) { return r.item_class == 6; }},
        {"[MATERIAL:silver]", 10, [](const ObjectRecord& r) { return r.material == 0x800; }},
        {"[MATERIAL:wood, iron and yarn]", 6, [](const ObjectRecord& r) { return r.material == 0x2003; }},
        {"[LENGTH:15]", 9, [](const ObjectRecord& r) { return r.length == 15 && r.full_length == 15 && r.unit == 5; }},
        {"[LENGTH:300]", 9, [](const ObjectRecord& r) { return r.length == 255; }},
        {"[WATER:80]", 7, [](const ObjectRecord& r) { return r.water == 80; }},
        {"[CARB:5][FAT:7][NAME:x][PRICE:3]", 7, [](const ObjectRecord& r) {
             return r.blunt == 5 && r.edge == 7 && std::strcmp(r.name, "x") == 0 && r.price == 0;
         }},
        {"[NAME:Bread][WEIGHT:2]", 7, [](const ObjectRecord& r) { return std::strcmp(r.name, "Bread") == 0 && r.weight == 0; }},
        {"[PROTEIN:21][LENGTH:3][TILEGFX:fd-meat]", 7, [](const ObjectRecord& r) {
             return r.point == 21 && r.length == 3 && std::strcmp(r.tile, "fd-meat") == 0;
         }},
        {"[TYPE:food][TILEGFX:fd-meat]", 0, [](const ObjectRecord& r) { return r.item_class == 7 && r.tile[0] == 0; }},
    };
    for (const TagCase& c : cases) {
        ObjectRecord r = record_of_class(c.item_class);
        apply_item_tag(c.tag, r);
        EXPECT_TRUE(c.holds(r)) << c.tag << " on class " << int(c.item_class);
    }
}

TEST(ItemTags, LongTextsStayInsideTheirFields) {
    ObjectRecord r = record_of_class(6);
    r.weight = 7.0f;
    const std::string long_text(80, 'w');
    apply_item_tag(("[NAME:" + long_text + "]").c_str(), r);
    apply_item_tag(("[SKILL:" + long_text + "]").c_str(), r);
    apply_item_tag(("[TILEGFX:" + long_text + "]").c_str(), r);
    EXPECT_EQ(std::strlen(r.name), 39u);
    EXPECT_EQ(std::strlen(r.skill), 26u);
    EXPECT_EQ(std::strlen(r.tile), 12u);
    EXPECT_EQ(r.spoilage_days, 0) << "the byte after the tile is untouched";
    EXPECT_EQ(r.weight, 7.0f);
}

TEST(ItemTags, CookWeightDivisionGoesToTheFoodScaling) {
    ObjectRecord r = record_of_class(7);
    r.weight = r.full_weight = 5.0f;
    r.blunt = 10;
    apply_item_tag("[COOK_WEIGHT_DIV:2.5]", r);
    EXPECT_FLOAT_EQ(r.weight, 2.0f);
    EXPECT_EQ(r.blunt, 25);
}

struct CoverageCase {
    const char* tag;
    uint8_t first, second, third;
};

TEST(ItemTags, CoverageByBodyPartsAndGarments) {
    const CoverageCase cases[] = {
        {"[ARMOUR_COVERAGE:shirt]", 240, 30, 0},
        {"[ARMOUR_COVERAGE:short_shirt]", 48, 30, 0},
        {"[ARMOUR_COVERAGE:skull neck]", 9, 0, 0},
        {"[ARMOUR_COVERAGE:hand foot calf]", 0, 0x81, 1},
        {"[ARMOUR_COVERAGE:long_hauberk]", 48, 126, 0},
        {"[ARMOUR_COVERAGE:hauberk]", 16, 62, 0},
        {"[ARMOUR_COVERAGE:habergeon shirt]", 48, 30, 0},
        {"[ARMOUR_COVERAGE:cuirass]", 0, 6, 0},
        {"[ARMOUR_COVERAGE:neck trousers]", 0, 248, 0},
        {"[ARMOUR_COVERAGE:vambraces]", 128, 0, 0},
        {"[ARMOUR_COVERAGE:undergarment]", 240, 254, 0},
        {"[ARMOUR_COVERAGE:nothing known]", 0, 0, 0},
    };
    for (const CoverageCase& c : cases) {
        ObjectRecord r = record_of_class(2);
        r.coverage[2] = 7;
        apply_item_tag(c.tag, r);
        EXPECT_EQ(r.coverage[0], c.first) << c.tag;
        EXPECT_EQ(r.coverage[1], c.second) << c.tag;
        EXPECT_EQ(r.coverage[2], c.third) << c.tag;
    }
    const GarmentCoverage boots = garment_coverage(9);
    EXPECT_EQ(boots.first, 0);
    EXPECT_EQ(boots.second, 128);
    EXPECT_EQ(boots.third, 1);
    EXPECT_EQ(garment_coverage(11).third, 0);
    const GarmentCoverage none = garment_coverage(32);
    EXPECT_EQ(none.first + none.second + none.third, 0);
    EXPECT_EQ(garment_coverage(-1).first, 0);
}

TEST(ItemTags, ArmourMaterialRowsOnlyOnArmour) {
    ObjectRecord r = record_of_class(2);
    r.material = 0x40;
    apply_item_tag("[ARMOUR_MATERIAL:iron lamellar]", r);
    EXPECT_EQ(r.blunt, 7);
    EXPECT_EQ(r.edge, 10);
    EXPECT_EQ(r.point, 8);
    EXPECT_EQ(r.protection4, 9);
    EXPECT_EQ(r.length, 6);
    EXPECT_EQ(r.full_length, 2);
    EXPECT_EQ(r.material, 0x2u);

    r = record_of_class(2);
    r.material = 0x40;
    apply_item_tag("[ARMOUR_MATERIAL:lamellar]", r);
    EXPECT_EQ(r.blunt, 5);
    EXPECT_EQ(r.edge, 9);
    EXPECT_EQ(r.material, 0x40u) << "lamellar names no material";

    r = record_of_class(2);
    apply_item_tag("[ARMOUR_MATERIAL:bark]", r);
    EXPECT_EQ(r.material, 0x10u);
    EXPECT_EQ(r.full_length, 1);

    r = record_of_class(2);
    apply_item_tag("[ARMOUR_MATERIAL:plain]", r);
    EXPECT_EQ(r.edge, 2);
    EXPECT_EQ(r.full_length, 3);

    r = record_of_class(6);
    apply_item_tag("[ARMOUR_MATERIAL:iron]", r);
    EXPECT_EQ(r.blunt, 0);
    EXPECT_EQ(r.material, 0u);
}

TEST(ItemTags, ArmourDumpListsTheGarmentsAndEveryArmourType) {
    PlayFolder folder(false);
    std::memset(ItemTypes, 0, sizeof ItemTypes);
    ItemTypes[119] = record_of_class(2);
    copy_text(ItemTypes[119].name, "Fur cloak");
    ItemTypes[119].coverage[0] = 16;
    ItemTypes[119].coverage[1] = 126;
    ItemTypes[120] = record_of_class(6);
    ASSERT_TRUE(armourdump("test"));
    const std::string dump = folder.read("debug_armour.txt");
    const std::string expected_head = "armourdump (test)\nu=0 e=0\nu=1 e=1\n";
    EXPECT_EQ(dump.substr(0, expected_head.size()), expected_head);
    EXPECT_NE(dump.find("u=253 e=253\nac #0 - 9 | 0 | 0\n"), std::string::npos);
    EXPECT_EQ(dump.find("u=254"), std::string::npos);
    EXPECT_NE(dump.find("ac #8 - 0 | 0 | 1\n"), std::string::npos);
    EXPECT_NE(dump.find("ac #27 - 0 | 24 | 0\nac #27 - 0 | 24 | 0\n"
                        "pow_a: 240 pow_b:240 pow_c:240pow#1:240\npow#2:-16\npow#3:240\npow#4:240\n"
                        "prot2pow#1:254\nprot2pow#2:-2\nprot2pow#3:254\nprot2pow#4:254\n"),
              std::string::npos)
        << dump.substr(dump.find("ac #26"));
    EXPECT_EQ(dump.find("ac #28"), std::string::npos);
    EXPECT_NE(dump.find("#119 Fur cloak\nprot1:16 bits:00001000\nprot2:126 bits:01111110\nprot3:0 bits:00000000\n\n"
                        "--- [end] ---\n"),
              std::string::npos);
    EXPECT_EQ(dump.find("#120"), std::string::npos);
    std::memset(ItemTypes, 0, sizeof ItemTypes);
}

}  // namespace
