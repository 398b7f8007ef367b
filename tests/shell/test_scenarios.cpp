// Start-up scenarios, the files of a new game, starting items and portraits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/save_set.h"
#include "game/turn_state.h"
#include "objects/object_store.h"
#include "shell/creation.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "shell/scenarios.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

struct ScenarioFiles : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        folder.write("RNDCAMP.0", "// the free game\nTHE KESMORRA\nNo plot at all.\npic-0.jpg\nYou are free.\n");
        folder.write("RNDCAMP.1",
                     "## heading comment\nLAKE CAMP\nA camp by the lake.\n// inside\nscene-fishing.jpg\n"
                     "First story line.\n  Second, indented.\n");
        ASSERT_TRUE(make_folder("HERO"));
        new_character_record();
        copy_text(Plr.name, "Hero");
        copy_text(creation_folder, "HERO");
    }
    void TearDown() override {
        creation_folder[0] = 0;
        creation_mode = 0;
    }
};

TEST_F(ScenarioFiles, HeadingsAndCount) {
    char title[20], description[40];
    ASSERT_TRUE(read_scenario_heading(1, title, sizeof title, description, sizeof description));
    EXPECT_STREQ(title, "LAKE CAMP");
    EXPECT_STREQ(description, "A camp by the lake.");
    EXPECT_FALSE(read_scenario_heading(2, title, sizeof title, description, sizeof description));
    EXPECT_EQ(count_scenarios(), 2);
    remove_file("RNDCAMP.0");
    EXPECT_EQ(count_scenarios(), 0);  // the list stops at the first missing number
}

TEST_F(ScenarioFiles, StoryLeavesOutTheDescriptionAndComments) {
    ASSERT_TRUE(write_story_file("HERO", 1));
    EXPECT_EQ(folder.read("HERO/story.txt"),
              "Scenario: LAKE CAMP\nscene-fishing.jpg\nFirst story line.\n  Second, indented.\n");
    EXPECT_FALSE(write_story_file("HERO", 7));
}

TEST_F(ScenarioFiles, QuickModeTakesScenarioOneAndStoresItPlusHundred) {
    creation_mode = 1;
    EXPECT_STREQ(select_startup_scenario(), "LAKE CAMP");
    EXPECT_EQ(Plr.scenario, 101);
    EXPECT_TRUE(folder.exists("HERO/story.txt"));
}

TEST_F(ScenarioFiles, MissingScenarioEndsTheProgramWithItsName) {
    EXPECT_EXIT(apply_scenario(5), ::testing::ExitedWithCode(1), "RNDCAMP.5");
}

TEST(OldMapFiles, GoInAnyLetterCase) {
    PlayFolder folder(false);
    ASSERT_TRUE(make_folder("OLD"));
    for (const char* name : {"X.MAP", "y.dat", "Z.PLM", "w.Dat", "OLD.KMS", "story.txt", "MAP.txt"})
        folder.write(std::string("OLD/") + name, "x");
    EXPECT_EQ(delete_old_map_files("OLD"), 4);
    for (const char* gone : {"X.MAP", "y.dat", "Z.PLM", "w.Dat"}) EXPECT_FALSE(folder.exists(std::string("OLD/") + gone));
    for (const char* kept : {"OLD.KMS", "story.txt", "MAP.txt"}) EXPECT_TRUE(folder.exists(std::string("OLD/") + kept));
}

// The folder of a new character "HERO", current, empty.
struct NewGameFiles : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        ASSERT_TRUE(make_folder("HERO"));
        install_folder[0] = 0;
        copy_text(character_name, "HERO");
        reset_object_store();
    }
    void TearDown() override {
        disarm_file_fault();
        character_name[0] = 0;
        reset_object_store();
    }
};

TEST_F(NewGameFiles, ObjectStoreAndTheSameItemTypesInBothFiles) {
    ASSERT_TRUE(write_object_store("HERO"));
    EXPECT_EQ(file_size("HERO/HERO.OBJ"), 8582800);
    write_constant_objects();
    EXPECT_EQ(file_size("HERO/CONSTANT.OBJ"), 68800);
    EXPECT_EQ(folder.read("HERO/CONSTANT.OBJ"), folder.read("CONSTANT.OBJ"));
    // The save vouches for the character's copy, which holds the catalogue.
    ObjectRecord types[ITEM_TYPE_COUNT];
    EXPECT_EQ(read_character_file("CONSTANT.OBJ", types, sizeof types), FileVerdict::Good);
    EXPECT_STREQ(types[212].name, "Pike");
    EXPECT_EQ(std::memcmp(types, ItemTypes, sizeof types), 0);
}

TEST_F(NewGameFiles, ACharacterFolderThatTakesNoItemTypesEndsTheCreation) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            arm_file_fault(1, true);
            write_constant_objects();
        },
        ::testing::ExitedWithCode(1), "ERROR! Couldn't write CONSTANT.OBJ");
    EXPECT_FALSE(folder.exists("HERO/HERO.KMS"));
}

TEST_F(NewGameFiles, TheWorkingFoldersCopyMayFail) {
    // Count the operations of the whole run and of the working folder's
    // copy, which comes last; then fail that copy's first one.
    arm_file_fault(1 << 30);
    write_constant_objects();
    const int whole_run = counted_file_operations();
    disarm_file_fault();
    arm_file_fault(1 << 30);
    ASSERT_TRUE(save_item_types("CONSTANT.OBJ"));
    const int working_copy = counted_file_operations();
    disarm_file_fault();
    ASSERT_TRUE(remove_folder_tree("HERO") && make_folder("HERO") && remove_file("CONSTANT.OBJ"));

    arm_file_fault(whole_run - working_copy + 1, true);
    write_constant_objects();
    disarm_file_fault();
    EXPECT_EQ(file_size("HERO/CONSTANT.OBJ"), 68800);
    EXPECT_FALSE(folder.exists("CONSTANT.OBJ"));
}

// Over many draws and every culture: bread, a knife and a weapon each time,
// clothes graded 2 to 5 that the first entry puts on, and no name the
// catalogue lacks.
TEST_F(NewGameFiles, StartingGearHoldsBreadAKnifeAWeaponAndClothesToWear) {
    write_constant_objects();
    int clothes = 0;
    for (int seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        new_character_record();
        Plr.culture = uint8_t(seed % 14);
        clear_object_store();
        seed_random(uint32_t(seed));
        give_starting_gear();
        wear_starting_clothes();
        int bread = 0, knives = 0, weapons = 0;
        for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
            if (Plr.plr_inv_count[slot] <= 0) continue;
            ObjectRecord r;
            obj_record(Plr.plr_inv_id[slot], r);
            const std::string name = r.name;
            if (name.find("bread") != std::string::npos) ++bread;
            if (r.item_class == ITEM_WEAPON && name.find("nife") != std::string::npos) ++knives;
            else if (r.item_class == ITEM_WEAPON && r.subclass != 5 && r.subclass != 6) ++weapons;
            if (r.item_class != ITEM_ARMOUR) continue;
            ++clothes;
            EXPECT_GE(r.quality & OBJ_GRADE_MASK, 2) << name;
            EXPECT_LE(r.quality & OBJ_GRADE_MASK, 5) << name;
            EXPECT_TRUE(r.quality & OBJ_GRADE_KNOWN) << name;
            EXPECT_EQ(r.state_bits, OBJ_WORN) << name;
            EXPECT_EQ(Plr.plr_inv_count[slot], 1) << name;
        }
        EXPECT_GE(bread, 1);
        EXPECT_GE(knives, 1);
        EXPECT_GE(weapons, 1);
    }
    EXPECT_GT(clothes, 400) << "two or more garments a character";
    EXPECT_FALSE(folder.exists("debug_gear!.txt")) << folder.read("debug_gear!.txt");
}

struct Inventory : ::testing::Test {
    void SetUp() override {
        new_character_record();
        std::memset(ItemTypes, 0, sizeof ItemTypes);
        std::memset(Objects, 0, sizeof Objects);
        ItemTypes[5].item_class = 3;
        ItemTypes[5].kind = 5;
        copy_text(ItemTypes[5].name, "BREAD");
        ItemTypes[6].item_class = 3;
        ItemTypes[6].kind = 6;
        copy_text(ItemTypes[6].name, "ARROW");
    }
    void TearDown() override {
        std::memset(ItemTypes, 0, sizeof ItemTypes);
        std::memset(Objects, 0, sizeof Objects);
    }
};

TEST_F(Inventory, SameItemsShareASlotAndAFullInventoryTakesNoMore) {
    EXPECT_EQ(item_type_named("bread"), 5);
    EXPECT_EQ(item_type_named("CHEESE"), -1);
    ASSERT_TRUE(give_item(5, 1));
    ASSERT_TRUE(give_item(5, 2));
    EXPECT_EQ(Plr.plr_inv_count[0], 3);
    ASSERT_TRUE(give_item(6, 7));
    EXPECT_EQ(Plr.plr_inv_count[1], 7);
    EXPECT_NE(Plr.plr_inv_id[0], Plr.plr_inv_id[1]);
    EXPECT_FALSE(give_item(7, 1));   // a blank item type
    EXPECT_FALSE(give_item(400, 1)); // past the table
    for (int slot = 2; slot < PLR_INV_SLOTS; ++slot) {
        Plr.plr_inv_id[slot] = 40000 + slot;
        Plr.plr_inv_count[slot] = 1;
    }
    Plr.plr_inv_count[1] = 1;
    Plr.plr_inv_id[1] = 40001;
    EXPECT_FALSE(give_item(6, 1));   // no slot left: nothing is written past the 100
    EXPECT_TRUE(give_item(5, 1));    // bread still stacks
}

TEST(Portraits, ListsByPrefixAndSkipsOverlongNames) {
    PlayFolder folder(false);
    ASSERT_TRUE(make_folder("truegfx"));
    for (const char* name : {"fem01.png", "FEM02.png", "east01.png", "fem_with_a_very_long_name.png"})
        folder.write(std::string("truegfx/") + name, "x");
    list_portrait_files("fem");
    ASSERT_EQ(portrait_count, 2);
    EXPECT_STREQ(portrait_list[0], "fem01.png");
    EXPECT_STREQ(portrait_list[1], "FEM02.png");
    list_portrait_files("north");
    EXPECT_EQ(portrait_count, 0);
    EXPECT_STREQ(random_portrait_name(), "");
}

TEST(Portraits, OnePictureListThatMatchesTheOwnPortraitEnds) {
    PlayFolder folder(false);
    ASSERT_TRUE(make_folder("truegfx"));
    ASSERT_TRUE(make_folder("HERO"));
    std::string picture(200, 'p');
    folder.write("truegfx/solo01.png", picture);
    folder.write("HERO/portrait.png", picture);
    copy_text(character_name, sizeof character_name, "HERO");
    list_portrait_files("solo");
    ASSERT_EQ(portrait_count, 1);
    EXPECT_STREQ(random_portrait_name(), "solo01.png");
    character_name[0] = 0;
}

}  // namespace
