// Picking up, hauling and dropping through the real program, with the
// shared new character zoomed in to its local map:
//  - a scene lays a woollen cloak and five spears at the player's feet;
//    "g" picks the cloak up, and the saved game carries it;
//  - loaded again, "m" hauls the five spears, a step brings them along,
//    "m" lets them go, "d" drops the cloak (the armour filter, then its
//    row), "p" pushes the spears on to the next square and "G" picks two
//    of them from there; the saved map holds the cloak on the player's
//    square and three spears beyond it, and the rest of the inventory is as
//    it was, with the two spears.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace fs = std::filesystem;

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character.
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n";
// Q and two yes answers save and quit, SPACE leaves the farewell page.
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

int block_of(int local) { return map_block_of(local); }
int inside(int local) { return (local - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

class PickUpGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
    }

    int run(const std::string& keys, const std::string& extra = "") {
        folder_.write("keys.txt", keys);
        fs::create_directories(folder_.file("shots"));
        return run_game(folder_.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") +
                                            "' KSM_TEST_SCREENSHOT='" + folder_.file("shots") + "' " + extra);
    }

    PlayerRecord player() {
        PlayerRecord p{};
        EXPECT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), p));
        return p;
    }

    // An object's record from the saved files: an item type from the
    // character's catalogue, an instance from its object store.
    ObjectRecord object(int id) {
        ObjectRecord r{};
        std::vector<uint8_t> bytes;
        const bool instance = id >= FIRST_INSTANCE_ID;
        EXPECT_TRUE(read_whole_file(folder_.file(instance ? "ARI/ARI.OBJ" : "ARI/CONSTANT.OBJ"), bytes));
        const size_t at = size_t(instance ? id - FIRST_INSTANCE_ID : id) * sizeof r;
        if (at + sizeof r <= bytes.size()) std::memcpy(&r, bytes.data() + at, sizeof r);
        return r;
    }

    std::string name(int id) {
        const ObjectRecord r = object(id);
        char text[sizeof r.name + 1];
        copy_field(text, sizeof text, r.name, sizeof r.name);
        return text;
    }

    // The carried slot of the object named so, -1 none.
    int slot_of(const PlayerRecord& p, const std::string& wanted) {
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (p.plr_inv_id[s] > 0 && p.plr_inv_count[s] > 0 && name(p.plr_inv_id[s]) == wanted) return s;
        return -1;
    }

    PlayFolder folder_;
};

TEST_F(PickUpGame, GPicksUpMHaulsDDropsPPushesOnAndGPicksFromThere) {
    // Zoomed in, the scene lays both at the player's feet; "g" lists the
    // two, the armour filter leaves the cloak alone and its row takes it.
    folder_.write("scene.txt", "open 3\nweather clear\nground Woollen_cloak\nground Spear 5\n");
    ASSERT_EQ(run(std::string(kLoad) + "[ENTER]\n[g]\n[TAB]\n[a]\n[a]\n{shot picked}\n" + kSaveAndQuit,
                  "KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'"),
              0)
        << folder_.read("game_stderr.txt");
    EXPECT_EQ(folder_.read("debug_scene!.txt"), "");
    const PlayerRecord picked = player();
    ASSERT_STREQ(picked.map_name, "ZOOMMAP");
    const int cloak_slot = slot_of(picked, "Woollen cloak");
    ASSERT_GE(cloak_slot, 0) << "the cloak is carried after the save";
    EXPECT_EQ(picked.plr_inv_count[cloak_slot], 1);
    EXPECT_EQ(slot_of(picked, "Spear"), -1) << "only the cloak was chosen";
    const int px = inside(picked.x);
    // Towards the middle of the world cell: the step stays in its stored map.
    const int dir = px < 32 ? 1 : -1;
    const std::string step = dir > 0 ? "{CTRL+Right}\n" : "{CTRL+Left}\n";
    const std::string on = dir > 0 ? "[RIGHT]\n" : "[LEFT]\n";

    // The cloak's row among the armour the filter lists (slot order).
    int row = 0;
    for (int s = 0; s < cloak_slot; ++s)
        if (picked.plr_inv_id[s] > 0 && picked.plr_inv_count[s] > 0 && object(picked.plr_inv_id[s]).item_class == ITEM_ARMOUR)
            ++row;
    ASSERT_LT(row, 26);
    const std::string cloak_key = std::string("[") + char('a' + row) + "]\n";

    ASSERT_EQ(run(std::string(kLoad) + "[m]\n[a]\n[ENTER]\n" + step + "{shot hauled}\n[m]\n[d]\n[TAB]\n[a]\n" +
                  cloak_key + "{shot dropped}\n[p]\n" + on + "[a]\n[ENTER]\n[SPACE]\n{shot pushed}\n[G]\n" + on +
                  "[2]\n{shot picked_from}\n" + kSaveAndQuit),
              0)
        << folder_.read("game_stderr.txt");
    const PlayerRecord after = player();
    EXPECT_EQ(inside(after.x), px + dir) << "a step on";
    EXPECT_EQ(after.travel_mode, 1) << "hauling ended";
    EXPECT_EQ(slot_of(after, "Woollen cloak"), -1) << "the cloak was dropped";
    // Everything else is carried as before, in the same order.
    std::vector<std::pair<std::string, int>> before_rest, after_rest;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (s != cloak_slot && picked.plr_inv_id[s] > 0)
            before_rest.emplace_back(name(picked.plr_inv_id[s]), picked.plr_inv_count[s]);
        if (after.plr_inv_id[s] > 0) after_rest.emplace_back(name(after.plr_inv_id[s]), after.plr_inv_count[s]);
    }
    before_rest.emplace_back("Spear", 2);  // picked from the next square
    EXPECT_EQ(after_rest, before_rest);

    // The stored map: the cloak on the player's square, three of the five
    // spears pushed on to the next one.
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    zoom_index_invalidate();
    const int wx = after.zoom_origin_x + block_of(after.x), wy = after.zoom_origin_y + block_of(after.y);
    ASSERT_EQ(zoom_load_stored(wx, wy), 1);
    int cloaks = 0, spears = 0, spears_elsewhere = 0;
    for (const MapObject& o : zoom_work.objects) {
        if (o.TYPE != MK_ITEM) continue;
        const std::string n = name(o.DATA);
        const bool here = o.x == inside(after.x) && o.y == inside(after.y);
        const bool pushed_to = o.x == px + 2 * dir && o.y == inside(after.y);
        if (n == "Woollen cloak" && here) cloaks += o.amount;
        if (n == "Spear") {
            EXPECT_EQ(o.state, 0) << "no longer hauled";
            (pushed_to ? spears : spears_elsewhere) += o.amount;
        }
    }
    zoom_index_invalidate();
    character_name[0] = 0;
    EXPECT_EQ(cloaks, 1);
    EXPECT_EQ(spears, 3);
    EXPECT_EQ(spears_elsewhere, 0);
}

}  // namespace
