// Creatures notice the player and react, through the real program: the
// shared new character loaded and zoomed in to its local map, a scene
// (KSM_TEST_SCENE) of open ground with a hare 8 squares east in the
// player's view and a dog kept by the village of the player's world cell.
// The player walks three steps toward the hare and rests ten turns: the
// hare runs off and the dog barks.
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

constexpr int KIND_HARE = 600;
constexpr const char* kLoadAndZoomIn = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";
// The dog stands behind a wall, out of sight of the player but not out of
// hearing.
constexpr const char* kScene =
    "open 18\nweather clear\ncreature 600 8 0\ncreature 618 -5 0 village\n"
    "terrain 20 -3 -2\nterrain 20 -3 -1\nterrain 20 -3 0\nterrain 20 -3 1\nterrain 20 -3 2\n";
constexpr int HARE_START = 8;

int block_of(int local) { return map_block_of(local); }
int inside(int local) { return (local - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

class CreatureSensesGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
        std::string ini = folder_.read("ksm_ini.txt");
        const size_t at = ini.find("[IDLE_ANIMATION:YES]");
        if (at != std::string::npos) ini.replace(at, std::strlen("[IDLE_ANIMATION:YES]"), "[IDLE_ANIMATION:NO]");
        folder_.write("ksm_ini.txt", ini);
    }

    int run(const std::string& keys, const std::string& scene) {
        folder_.write("keys.txt", keys);
        fs::create_directories(folder_.file("shots"));
        folder_.write("scene.txt", scene);
        const std::string env = "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") +
                                "' KSM_TEST_SCREENSHOT='" + folder_.file("shots") + "' KSM_TEST_SCENE='" +
                                folder_.file("scene.txt") + "'";
        return run_game(folder_.path(), env);
    }

    std::vector<CreatureRecord> creature_file() const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.CRS"), bytes));
        std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
        if (!file.empty()) std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
        return file;
    }

    // Where the stored maps around the player hold the creature, from the
    // player; false when none of the nine holds it.
    bool stored_place(const PlayerRecord& p, uint32_t sotu, int& x, int& y) {
        install_folder[0] = 0;
        copy_text(character_name, "ARI");
        bool found = false;
        for (int dy = -MAP_BLOCK_SIDE; dy <= MAP_BLOCK_SIDE && !found; dy += MAP_BLOCK_SIDE)
            for (int dx = -MAP_BLOCK_SIDE; dx <= MAP_BLOCK_SIDE && !found; dx += MAP_BLOCK_SIDE) {
                const int wx = p.zoom_origin_x + block_of(p.x + dx), wy = p.zoom_origin_y + block_of(p.y + dy);
                const int base_x = p.x + dx - inside(p.x + dx), base_y = p.y + dy - inside(p.y + dy);
                zoom_index_invalidate();
                if (zoom_load_stored(wx, wy) != 1) continue;
                for (const MapObject& o : zoom_work.objects)
                    if (o.TYPE == MK_CREATURE && o.DATA == int(sotu)) {
                        x = base_x + o.x - p.x;
                        y = base_y + o.y - p.y;
                        found = true;
                    }
            }
        zoom_index_invalidate();
        character_name[0] = 0;
        return found;
    }

    PlayFolder folder_;
};

// Brown pixels (a hare's fur, not the green of the ground) of the cell
// (dx, dy) from the player.
int brown_pixels(SDL_Surface* frame, int dx, int dy) {
    const int cx = PLAYER_X - MAP_X + dx * CELL_W, cy = PLAYER_Y - MAP_Y + dy * CELL_H;
    int n = 0;
    for (int y = cy - 16; y < cy + CELL_H / 2; ++y)
        for (int x = cx - CELL_W / 2; x < cx + CELL_W / 2; ++x) {
            const SDL_Color c = pixel(frame, x, y);
            n += c.r > c.g;
        }
    return n;
}

TEST_F(CreatureSensesGame, TheHareRunsFromThePlayerAndTheVillageDogBarks) {
    std::string keys = kLoadAndZoomIn;
    keys += "{shot start}\n[UP]\n[UP]\n[UP]\n{shot stepped}\n";
    for (int i = 0; i < 10; ++i) keys += "[.]\n";
    keys += "{shot rested}\n";
    keys += kSaveAndQuit;
    ASSERT_EQ(run(keys, kScene), 0) << folder_.read("game_stderr.txt");
    EXPECT_EQ(folder_.read("debug_scene!.txt"), "") << folder_.read("debug_scene!.txt");

    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), after));
    ASSERT_STREQ(after.map_name, "ZOOMMAP");
    const std::vector<CreatureRecord> file = creature_file();
    const CreatureRecord* hare = nullptr;
    for (const CreatureRecord& r : file)
        if (r.cre_class != 0 && r.kind == KIND_HARE) hare = &r;
    ASSERT_NE(hare, nullptr);
    // The hare is farther from the player than it stood at the start.
    int x = 0, y = 0;
    if (stored_place(after, hare->sotu, x, y)) {
        EXPECT_GT(std::max(std::abs(x), std::abs(y)), HARE_START) << x << "," << y;
    }
    // The village dog barked at the stranger.
    const std::string log = folder_.read("ARI/msglog.txt");
    EXPECT_NE(log.find("bark"), std::string::npos) << log;

    // The frames show the hare gone from its square once the player came
    // three squares nearer (the view moved with the player): the
    // ground shows nothing brown there.
    SDL_Surface* start = map_area_of(folder_.file("shots/start.bmp"));
    SDL_Surface* stepped = map_area_of(folder_.file("shots/stepped.bmp"));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(stepped, nullptr);
    EXPECT_GT(brown_pixels(start, HARE_START, 0), 30);
    EXPECT_LT(brown_pixels(stepped, HARE_START - 3, 0), 5);
    // Nor does it stand anywhere nearer the player than where it started.
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = 1; dx <= HARE_START - 3; ++dx) EXPECT_LT(brown_pixels(stepped, dx, dy), 5) << dx << "," << dy;
    SDL_FreeSurface(start);
    SDL_FreeSurface(stepped);
    if (const char* keep = std::getenv("KSM_KEEP_SHOTS"))
        fs::copy(folder_.file("shots"), keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
}

}  // namespace
