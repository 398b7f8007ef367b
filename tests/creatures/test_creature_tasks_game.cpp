// Creatures carry out their tasks, follow and speak through the real
// program, with the shared new character loaded and zoomed in to its local
// map, a scene (KSM_TEST_SCENE) around the player on open ground:
//  - a sheep holding a walk to a square 12 south of it walks there while the
//    player rests, and the saved map holds it on that square;
//  - the player's own dog keeps up with the player walking away, and goes
//    along when the player leaves the local map;
//  - a companion calling the player over shouts, and the player reads it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/created_character.h"
#include "support/map_pictures.h"
#include "support/play_folder.h"

namespace fs = std::filesystem;

namespace {

// A sheep minds the player no more than its walk (a hare would run off).
constexpr int KIND_SHEEP = 616, KIND_DOG = 618;
// Intro pages, LOAD SAVED CHARACTER, the only character, ENTER zooms in.
constexpr const char* kLoadAndZoomIn = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
// Q and two yes answers save and quit, SPACE leaves the farewell page.
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

int block_of(int local) { return map_block_of(local); }
int inside(int local) { return (local - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

class CreatureTasksGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
        std::string ini = folder_.read("ksm_ini.txt");
        const size_t at = ini.find("[IDLE_ANIMATION:YES]");
        if (at != std::string::npos) ini.replace(at, std::strlen("[IDLE_ANIMATION:YES]"), "[IDLE_ANIMATION:NO]");
        folder_.write("ksm_ini.txt", ini);
    }

    // A run of the game with the keys, and the scene when there is one.
    int run(const std::string& keys, const std::string& scene) {
        folder_.write("keys.txt", keys);
        fs::create_directories(folder_.file("shots"));
        std::string env = "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") + "' KSM_TEST_SCREENSHOT='" +
                          folder_.file("shots") + "'";
        if (!scene.empty()) {
            folder_.write("scene.txt", scene);
            env += " KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'";
        }
        return run_game(folder_.path(), env);
    }

    std::vector<CreatureRecord> creature_file() const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.CRS"), bytes));
        std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
        if (!file.empty()) std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
        return file;
    }

    // The one record of the kind in the creature file, or null.
    const CreatureRecord* only_of_kind(const std::vector<CreatureRecord>& file, int kind) const {
        const CreatureRecord* found = nullptr;
        for (const CreatureRecord& r : file)
            if (r.cre_class != 0 && r.kind == kind) {
                if (found) return nullptr;
                found = &r;
            }
        return found;
    }

    // Where the stored map of the world cell of the square (dx, dy) from
    // the player holds the creature, from the player; false when that map
    // does not hold it.
    bool stored_place(const PlayerRecord& p, uint32_t sotu, int dx, int dy, int& x, int& y) {
        const int wx = p.zoom_origin_x + block_of(p.x + dx), wy = p.zoom_origin_y + block_of(p.y + dy);
        const int base_x = p.x + dx - inside(p.x + dx), base_y = p.y + dy - inside(p.y + dy);
        install_folder[0] = 0;
        copy_text(character_name, "ARI");
        zoom_index_invalidate();
        bool found = false;
        if (zoom_load_stored(wx, wy) == 1)
            for (const MapObject& o : zoom_work.objects)
                if (o.TYPE == MK_CREATURE && o.DATA == int(sotu)) {
                    x = base_x + o.x - p.x;
                    y = base_y + o.y - p.y;
                    found = true;
                }
        zoom_index_invalidate();
        character_name[0] = 0;
        return found;
    }

    PlayFolder folder_;
};

// How many pixels of the cell (dx, dy) from the player, with a tile's
// height above it, differ between two frames: a figure came or went.
int changed_pixels(SDL_Surface* a, SDL_Surface* b, int dx, int dy) {
    const int cx = PLAYER_X - MAP_X + dx * CELL_W, cy = PLAYER_Y - MAP_Y + dy * CELL_H;
    int n = 0;
    for (int y = cy - 16; y < cy + CELL_H / 2; ++y)
        for (int x = cx - CELL_W / 2; x < cx + CELL_W / 2; ++x) n += channel_gap(pixel(a, x, y), pixel(b, x, y)) > 30;
    return n;
}

// The hare's column and ends, from the player: on the open side the player
// sees (facing the hare, the player does not see what moves behind it).
constexpr int HARE_COLUMN = -9, HARE_START = -2, HARE_TARGET = 10;

TEST_F(CreatureTasksGame, AHareWalksToItsTargetWhileThePlayerRests) {
    // The hare 9 west and 2 north of the player, its target 12 south of
    // it; the frames
    // before the rests, after three, and after thirty (a hare, walking at its
    // ease, keeps about the pace of a man).
    std::string keys = kLoadAndZoomIn;
    keys += "{shot start}\n[.]\n[.]\n[.]\n{shot walking}\n";
    for (int i = 0; i < 27; ++i) keys += "[.]\n";
    keys += "{shot arrived}\n";
    keys += kSaveAndQuit;
    // After the walk it waits there (a sheep without a task goes its own way).
    ASSERT_EQ(run(keys, "open 15\nweather clear\ncreature 616 -9 -2\nenergy 30000\ntask 60 40 -9 10\ntask 2 200\n"), 0)
        << folder_.read("game_stderr.txt");
    EXPECT_EQ(folder_.read("debug_scene!.txt").find("refused"), std::string::npos) << folder_.read("debug_scene!.txt");

    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), after));
    ASSERT_STREQ(after.map_name, "ZOOMMAP");
    const std::vector<CreatureRecord> file = creature_file();
    const CreatureRecord* hare = only_of_kind(file, KIND_SHEEP);
    ASSERT_NE(hare, nullptr);
    // The walk is over: the task left the queue, the wait is under way.
    EXPECT_EQ(hare->Puuha[0], 2);
    int x = 0, y = 0;
    ASSERT_TRUE(stored_place(after, hare->sotu, HARE_COLUMN, HARE_TARGET, x, y));
    EXPECT_EQ(x, HARE_COLUMN);
    EXPECT_EQ(y, HARE_TARGET);

    // The frames show it on its way: gone from its first square, not yet
    // at the target after three turns, then standing there.
    SDL_Surface* start = map_area_of(folder_.file("shots/start.bmp"));
    SDL_Surface* walking = map_area_of(folder_.file("shots/walking.bmp"));
    SDL_Surface* arrived = map_area_of(folder_.file("shots/arrived.bmp"));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(walking, nullptr);
    ASSERT_NE(arrived, nullptr);
    // Three turns on it has left its square and stands somewhere between,
    // perhaps a column or two aside; at the end it stands on the target.
    EXPECT_GT(changed_pixels(start, walking, HARE_COLUMN, HARE_START), 30);
    EXPECT_LT(changed_pixels(start, walking, HARE_COLUMN, HARE_TARGET), 10);
    int between = 0;
    for (int dx = HARE_COLUMN - 2; dx <= HARE_COLUMN + 2; ++dx)
        for (int dy = HARE_START + 1; dy < HARE_TARGET; ++dy) between += changed_pixels(start, walking, dx, dy) > 30;
    EXPECT_GE(between, 1);
    EXPECT_GT(changed_pixels(start, arrived, HARE_COLUMN, HARE_START), 30);
    EXPECT_GT(changed_pixels(start, arrived, HARE_COLUMN, HARE_TARGET), 30);
    if (const char* keep = std::getenv("KSM_KEEP_SHOTS")) fs::copy(folder_.file("shots"), keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    SDL_FreeSurface(start);
    SDL_FreeSurface(walking);
    SDL_FreeSurface(arrived);
}

TEST_F(CreatureTasksGame, TheOwnDogKeepsUpAndGoesAlongOffTheMap) {
    // The dog 2 west of the player; the player walks 8 squares east, saves
    // and quits.
    std::string keys = kLoadAndZoomIn;
    for (int i = 0; i < 8; ++i) keys += "[RIGHT]\n";
    keys += kSaveAndQuit;
    ASSERT_EQ(run(keys, "open 15\nweather clear\ncreature 618 -2 0\nfollow\n"), 0) << folder_.read("game_stderr.txt");
    EXPECT_EQ(folder_.read("debug_scene!.txt").find("618"), std::string::npos) << folder_.read("debug_scene!.txt");
    PlayerRecord walked;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), walked));
    ASSERT_STREQ(walked.map_name, "ZOOMMAP");
    const std::vector<CreatureRecord> file = creature_file();
    const CreatureRecord* dog = only_of_kind(file, KIND_DOG);
    ASSERT_NE(dog, nullptr);
    const uint32_t sotu = dog->sotu;
    // It kept up: within its gap (at most 5) of the player, 10 squares from
    // where it started.
    int x = 0, y = 0;
    ASSERT_TRUE(stored_place(walked, sotu, 0, 0, x, y));
    EXPECT_LE(std::abs(x), 5) << x << "," << y;
    EXPECT_LE(std::abs(y), 5) << x << "," << y;

    // Loaded again, the player leaves the local map: the dog goes along and
    // the map no longer holds it.
    keys = std::string("[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n") + kSaveAndQuit;
    ASSERT_EQ(run(keys, ""), 0) << folder_.read("game_stderr.txt");
    PlayerRecord left;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), left));
    EXPECT_STRNE(left.map_name, "ZOOMMAP");
    const std::string log = folder_.read("ARI/msglog.txt");
    EXPECT_NE(log.find("Zooming out"), std::string::npos) << log;
    EXPECT_FALSE(stored_place(walked, sotu, 0, 0, x, y));
    EXPECT_NE(folder_.read("debug_party!.txt").find("added to party"), std::string::npos)
        << folder_.read("debug_party!.txt");
}

TEST_F(CreatureTasksGame, ACompanionCallingThePlayerOverShouts) {
    // The call waits two turns after the task was given.
    std::string keys = kLoadAndZoomIn;
    keys += "[.]\n[.]\n[.]\n{shot called}\n";
    keys += kSaveAndQuit;
    ASSERT_EQ(run(keys, "open 10\nweather clear\ncreature 550 6 0\nfollow\ntask 50 20 6 0\n"), 0)
        << folder_.read("game_stderr.txt");
    if (const char* keep = std::getenv("KSM_KEEP_SHOTS"))
        fs::copy(folder_.file("shots"), keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    const std::string log = folder_.read("ARI/msglog.txt");
    EXPECT_NE(log.find("shouts: \"Come here!\""), std::string::npos) << log << folder_.read("debug_scene!.txt");
}

}  // namespace
