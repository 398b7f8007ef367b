// Leashes and shovels through the real program: the shared new character,
// its starting gear put away, is loaded and zooms in with a scene. A rope
// leads the player's dog, ties it to the forest beside the player, is
// picked up there (the dog is led again) and taken off; after each step the
// game is saved and quit, and the creature file, the carried rope and the
// stored map tell the dog's state. A shovel digs a pit on the square east.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character.
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n";
// Q and two yes answers save and quit, SPACE leaves the farewell page.
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

constexpr int KIND_DOG = 618;
constexpr uint8_t LED = 9, TIED_IN_PLACE = 0x10;
constexpr int TERRAIN_PIT = 21;

int block_of(int local) { return map_block_of(local); }
int inside(int local) { return (local - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

class LeashDigGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
        // The starting gear is put away: the scene's item is the apply
        // list's first row.
        PlayerRecord record;
        ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), record));
        for (int s = 0; s < PLR_INV_SLOTS; ++s) record.plr_inv_id[s] = record.plr_inv_count[s] = 0;
        plant_character_files({{"ARI.KMS", &record, sizeof record}});
    }
    int run(const std::string& keys, const std::string& scene = "") {
        folder_.write("keys.txt", keys);
        std::string env = "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") + "'";
        if (!scene.empty()) {
            folder_.write("scene.txt", scene);
            env += " KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'";
        }
        return run_game(folder_.path(), env);
    }
    PlayerRecord player() {
        PlayerRecord p{};
        EXPECT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), p));
        return p;
    }
    ObjectRecord object(int id) {
        ObjectRecord r{};
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.OBJ"), bytes));
        const size_t at = size_t(id - FIRST_INSTANCE_ID) * sizeof r;
        if (id >= FIRST_INSTANCE_ID && at + sizeof r <= bytes.size()) std::memcpy(&r, bytes.data() + at, sizeof r);
        return r;
    }
    // The saved dog: the one creature of its kind in the creature file.
    CreatureRecord dog() {
        CreatureRecord found{};
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.CRS"), bytes));
        int dogs = 0;
        for (size_t at = 0; at + sizeof(CreatureRecord) <= bytes.size(); at += sizeof(CreatureRecord)) {
            CreatureRecord c;
            std::memcpy(&c, &bytes[at], sizeof c);
            if (c.kind == KIND_DOG && c.cre_class != 0) {
                found = c;
                ++dogs;
            }
        }
        EXPECT_EQ(dogs, 1);
        return found;
    }
    // The link of the carried rope; -1 when no rope is carried.
    int carried_rope_link() {
        const PlayerRecord p = player();
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (p.plr_inv_id[s] >= FIRST_INSTANCE_ID && p.plr_inv_count[s] > 0 &&
                std::strcmp(object(p.plr_inv_id[s]).name, "Rope") == 0)
                return object(p.plr_inv_id[s]).link & 0xFFFF;
        return -1;
    }
    // Loads the stored local map the player stands in into zoom_work.
    bool load_stored_map(const PlayerRecord& p) {
        install_folder[0] = 0;
        copy_text(character_name, "ARI");
        zoom_index_invalidate();
        const bool ok = zoom_load_stored(p.zoom_origin_x + block_of(p.x), p.zoom_origin_y + block_of(p.y)) == 1;
        zoom_index_invalidate();
        character_name[0] = 0;
        return ok;
    }
    std::string log_tail() {
        const std::string log = folder_.read("ARI/msglog.txt");
        return log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
    }
    PlayFolder folder_;
};

TEST_F(LeashDigGame, ARopeLeadsTheDogTiesItToTheForestAndFreesItAgain) {
    // Forest (open, with trees) north and south of the player: whichever
    // side stays inside the stored map is used.
    const std::string scene = "open 3\nweather clear\nitem Rope 1\ncreature 618 1 0 own\nterrain 3 0 -1\nterrain 3 0 1\n";
    // Free: "a", the rope, the dog east.
    ASSERT_EQ(run(std::string(kLoad) + "[ENTER]\n[a]\n[a]\n[RIGHT]\n" + kSaveAndQuit, scene), 0)
        << folder_.read("game_stderr.txt");
    EXPECT_EQ(folder_.read("debug_scene!.txt"), "");
    CreatureRecord d = dog();
    EXPECT_EQ(d.cre_status, LED) << log_tail();
    EXPECT_EQ(d.bfdom & TIED_IN_PLACE, 0);
    EXPECT_EQ(carried_rope_link(), int(d.sotu & 0xFFFF)) << "the rope names the dog";
    EXPECT_NE(folder_.read("ARI/msglog.txt").find("on a leash"), std::string::npos) << log_tail();

    // Led -> tied: the leash menu's T; ahead (east, the dog) is no tree, so
    // the player points at the forest.
    const PlayerRecord at = player();
    const bool north = inside(at.y) > 0;
    const std::string towards = north ? "[UP]\n" : "[DOWN]\n";
    ASSERT_EQ(run(std::string(kLoad) + "[a]\n[a]\n[T]\n" + towards + kSaveAndQuit), 0)
        << folder_.read("game_stderr.txt");
    d = dog();
    EXPECT_EQ(d.cre_status, 0) << log_tail();
    EXPECT_EQ(d.bfdom & TIED_IN_PLACE, TIED_IN_PLACE);
    EXPECT_EQ(carried_rope_link(), -1) << "the rope stays at the tree";
    EXPECT_NE(folder_.read("ARI/msglog.txt").find("to the lichenous pine forest."), std::string::npos)
        << log_tail();
    ASSERT_TRUE(load_stored_map(at));
    const int tree_y = inside(at.y) + (north ? -1 : 1);
    int ropes_there = 0;
    for (const MapObject& o : zoom_work.objects)
        if (o.TYPE == MK_ITEM && o.x == inside(at.x) && o.y == tree_y && (object(o.DATA).link & 0xFFFF) == int(d.sotu & 0xFFFF))
            ropes_there += o.amount;
    EXPECT_EQ(ropes_there, 1);

    // Tied -> led: a step onto the forest and "g" picks the rope up (the
    // only thing there, taken at once).
    const std::string step = north ? "{CTRL+Up}\n" : "{CTRL+Down}\n";
    ASSERT_EQ(run(std::string(kLoad) + step + "[g]\n" + kSaveAndQuit), 0) << folder_.read("game_stderr.txt");
    d = dog();
    EXPECT_EQ(d.cre_status, LED) << log_tail();
    EXPECT_EQ(d.bfdom & TIED_IN_PLACE, 0);
    EXPECT_EQ(carried_rope_link(), int(d.sotu & 0xFFFF));
    EXPECT_NE(folder_.read("ARI/msglog.txt").find("You untie"), std::string::npos) << log_tail();

    // Led -> free: the leash menu's U.
    ASSERT_EQ(run(std::string(kLoad) + "[a]\n[a]\n[U]\n" + kSaveAndQuit), 0) << folder_.read("game_stderr.txt");
    d = dog();
    EXPECT_EQ(d.cre_status, 0) << log_tail();
    EXPECT_EQ(d.bfdom & TIED_IN_PLACE, 0);
    EXPECT_EQ(carried_rope_link(), 0);
}

TEST_F(LeashDigGame, AShovelDigsAPitEast) {
    ASSERT_EQ(run(std::string(kLoad) + "[ENTER]\n[a]\n[a]\n[RIGHT]\n" + kSaveAndQuit,
                  "open 3\nweather clear\nitem Shovel 1\n"),
              0)
        << folder_.read("game_stderr.txt");
    const std::string log = folder_.read("ARI/msglog.txt");
    EXPECT_NE(log.find("You managed to dig a pit."), std::string::npos) << log_tail();
    const PlayerRecord p = player();
    ASSERT_TRUE(load_stored_map(p));
    const int x = inside(p.x) + 1, y = inside(p.y);
    ASSERT_LT(x, 64);
    EXPECT_EQ(zoom_work.terrain[y * 64 + x], TERRAIN_PIT);
}

}  // namespace
