// The gear pickers of the cultures: grades and variants by their draws, the
// name list and its last step, and the weapon picker's flag.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/culture_gear.h"
#include "objects/item_catalogue.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

TEST(CultureGear, QualityAndVariantStayInTheirRanges) {
    const struct {
        int grade;
        int low, high;
    } cases[] = {{0, 3, 3}, {1, 2, 2}, {2, 2, 3}, {3, 2, 4}, {4, 3, 5}, {5, 3, 5}};
    for (const auto& c : cases) {
        std::set<int> seen;
        seed_random(uint32_t(c.grade) + 1);
        for (int i = 0; i < 2000; ++i) seen.insert(random_item_quality(c.grade));
        EXPECT_EQ(*seen.begin(), c.low) << c.grade;
        EXPECT_EQ(*seen.rbegin(), c.high) << c.grade;
    }
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(random_clothing_variant(2), 2);
        const int v = random_clothing_variant(3);
        EXPECT_TRUE(v == 1 || v == 2) << v;
        const int any = random_clothing_variant(0);
        EXPECT_TRUE(any >= 0 && any <= 2) << any;
    }
    EXPECT_EQ(culture_gear_level(1), 5);
    EXPECT_EQ(culture_gear_level(13), 2);
    EXPECT_EQ(culture_gear_level(40), 3);
    EXPECT_EQ(culture_region(8), 3);
    EXPECT_EQ(culture_region(12), 0);
}

class NamePicks : public ::testing::Test {
protected:
    void SetUp() override { build_item_catalogue(); }
    void TearDown() override {
        clear_item_name_list();
        reset_object_store();
    }
    PlayFolder folder{false};
};

TEST_F(NamePicks, TheListsLastStep) {
    // An empty list gives a branch; a name the catalogue lacks gives nothing
    // and is noted, with no screen to wait at.
    clear_item_name_list();
    const int branch = Arvo_Esine_Listasta();
    ASSERT_NE(branch, 0);
    EXPECT_STREQ(ItemTypes[branch].name, "Branch");
    add_item_name("GOLDEN CROWN");
    EXPECT_EQ(Arvo_Esine_Listasta(), 0);
    EXPECT_NE(folder.read("debug_gear!.txt").find("GOLDEN CROWN"), std::string::npos);
    // A full list takes nothing more.
    clear_item_name_list();
    for (int i = 0; i < ITEM_NAME_LIST_SIZE + 5; ++i) add_item_name("KNIFE");
    EXPECT_EQ(item_name_list[ITEM_NAME_LIST_SIZE - 1][0], 'K');
    EXPECT_EQ(std::string(ItemTypes[Arvo_Esine_Listasta()].name), "Knife");
}

TEST_F(NamePicks, EveryCulturesPicksAreInTheCatalogueAndTheFlagLeavesOutStaves) {
    std::set<std::string> flagged_names;
    for (int culture = 0; culture < 14; ++culture) {
        for (int draw = 0; draw < 60; ++draw) {
            for (const int type : {random_knife_name(culture), random_weapon_name(culture, 0),
                                   random_culture_weapon_name(culture), random_sundry_item_name(culture),
                                   random_bow_name(culture)})
                EXPECT_NE(type, 0) << culture;
            const int flagged = random_weapon_name(culture, 1);
            ASSERT_NE(flagged, 0);
            // The Rororad's club is theirs whatever the flag.
            if (culture != 11) flagged_names.insert(ItemTypes[flagged].name);
        }
    }
    for (const char* left_out : {"Staff", "Hard staff", "Club", "Javelin"})
        EXPECT_EQ(flagged_names.count(left_out), 0u) << left_out;
    EXPECT_FALSE(folder.exists("debug_gear!.txt"));
}

}  // namespace
