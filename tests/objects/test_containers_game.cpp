// Filling and milking through the real program: the shared new character,
// its starting gear put away, is loaded and zooms in with a scene (a wooden cup given, lake water on
// every square around, or the player's own cow beside it); "a" opens the
// apply list, the cup's row and "F" fill it. "r" afterwards repeats
// nothing, since neither applying nor filling is remembered. Saved and
// quit, the inventory holds the filled record and the object file keeps
// it with the cup as its container.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in
// (the scene is laid), "a" applies, "a" the cup's row, "F" fills; "r"
// repeats; Q and two yes answers save and quit, SPACE leaves the farewell.
constexpr const char* kFillKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[a]\n[a]\n[F]\n[r]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// The same with the cow chosen as the square to fill from: the target
// chooser moves east and takes the square.
constexpr const char* kMilkKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[a]\n[a]\n[F]\n[RIGHT]\n[Q]\n[y]\n[y]\n[SPACE]\n";

constexpr int KIND_WATER = 55, KIND_MILK = 69;

class ContainersGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
        // The starting gear is put away, so the cup the scene gives is the
        // apply list's first row whatever the gear holds.
        PlayerRecord record;
        ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), record));
        for (int s = 0; s < PLR_INV_SLOTS; ++s) record.plr_inv_id[s] = record.plr_inv_count[s] = 0;
        plant_character_files({{"ARI.KMS", &record, sizeof record}});
    }
    int run(const std::string& keys, const std::string& scene) {
        folder_.write("keys.txt", keys);
        folder_.write("scene.txt", scene);
        return run_game(folder_.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") +
                                            "' KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'");
    }
    std::vector<ObjectRecord> objects() const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.OBJ"), bytes));
        std::vector<ObjectRecord> all(bytes.size() / sizeof(ObjectRecord));
        if (!all.empty()) std::memcpy(all.data(), bytes.data(), all.size() * sizeof(ObjectRecord));
        return all;
    }
    PlayFolder folder_;
};

TEST_F(ContainersGame, ACupIsFilledAtTheLakeAndRepeatDoesNotFillAgain) {
    std::string scene = "open 3\nitem Wooden_cup 1\n";
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) scene += "terrain 247 " + std::to_string(dx) + " " + std::to_string(dy) + "\n";
    ASSERT_EQ(run(kFillKeys, scene), 0) << folder_.read("game_stderr.txt");

    const std::string log = folder_.read("ARI/msglog.txt");
    const size_t filled_at = log.find("You fill the wooden cup with water.");
    EXPECT_NE(filled_at, std::string::npos) << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
    EXPECT_EQ(log.find("You fill", filled_at + 1), std::string::npos) << "filled twice";

    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), saved));
    const std::vector<ObjectRecord> all = objects();
    int water_slot = -1;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = saved.plr_inv_id[s];
        if (id >= FIRST_INSTANCE_ID && all[id - FIRST_INSTANCE_ID].kind == KIND_WATER) water_slot = s;
    }
    std::string carried;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (saved.plr_inv_id[s] >= FIRST_INSTANCE_ID)
            carried += std::to_string(saved.plr_inv_id[s]) + " " + all[saved.plr_inv_id[s] - FIRST_INSTANCE_ID].name + " " +
                       std::to_string(all[saved.plr_inv_id[s] - FIRST_INSTANCE_ID].kind) + "; ";
    ASSERT_GE(water_slot, 0) << "no water carried: " << carried << " map " << saved.map_name;
    EXPECT_EQ(saved.plr_inv_count[water_slot], 1);
    const ObjectRecord& water = all[saved.plr_inv_id[water_slot] - FIRST_INSTANCE_ID];
    EXPECT_EQ(water.item_class, ITEM_CONTAINER);
    EXPECT_FLOAT_EQ(water.weight, 3.0f);  // the cup holds three pounds
    ASSERT_GE(water.contents, FIRST_INSTANCE_ID);
    const ObjectRecord& cup = all[water.contents - FIRST_INSTANCE_ID];
    EXPECT_STREQ(cup.name, "Wooden cup");
    EXPECT_EQ(cup.contents, 0);
}

TEST_F(ContainersGame, TheOwnCowIsMilkedIntoTheCup) {
    ASSERT_EQ(run(kMilkKeys, "open 3\nitem Wooden_cup 1\ncreature 609 1 0 own female\n"), 0)
        << folder_.read("game_stderr.txt");
    // Month 6 of the created character: in season.
    const std::string log = folder_.read("ARI/msglog.txt");
    EXPECT_NE(log.find("You milk "), std::string::npos) << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), saved));
    const std::vector<ObjectRecord> all = objects();
    const ObjectRecord* milk = nullptr;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = saved.plr_inv_id[s];
        if (id >= FIRST_INSTANCE_ID && all[id - FIRST_INSTANCE_ID].kind == KIND_MILK) milk = &all[id - FIRST_INSTANCE_ID];
    }
    ASSERT_NE(milk, nullptr) << "no milk carried";
    EXPECT_GE(milk->weight, 2.0f);  // a cow gives 2 to 4, the cup holds 3
    EXPECT_LE(milk->weight, 3.0f);
    ASSERT_GE(milk->contents, FIRST_INSTANCE_ID);
    EXPECT_STREQ(all[milk->contents - FIRST_INSTANCE_ID].name, "Wooden cup");

    // The cow remembers the day: a second milking that day is refused.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(folder_.file("ARI/ARI.CRS"), bytes));
    bool stamped = false;
    for (size_t at = 0; at + sizeof(CreatureRecord) <= bytes.size(); at += sizeof(CreatureRecord)) {
        CreatureRecord c;
        std::memcpy(&c, &bytes[at], sizeof c);
        if (c.kind == 609 && c.cre_class != 0) stamped = c.milking_day > 0;
    }
    EXPECT_TRUE(stamped);
}

}  // namespace
