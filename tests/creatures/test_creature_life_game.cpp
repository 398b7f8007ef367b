// The creatures of a local map live their own turns through the real
// program: the shared new character zoomed in to its local map with three
// hares about the player, a wolf 30 squares off and two people; the player
// rests thirty turns and saves. Every hare has gone its own way, the wolf
// has hunted its way to within 9 squares of a hare, and the frames show the
// hares leaving their squares. An animal looks for food (and a wolf for
// prey) only now and then between its wanders and waits, and the hares run
// from the player: the fixed seed is one under which the wolf looks on its
// first free turn.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
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

constexpr int KIND_HARE = 600, KIND_WOLF = 611;
constexpr const char* kLoadAndZoomIn = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

struct Spot {
    int dx, dy;
};
// The hares on the side the player faces, the wolf 30 squares east, two
// people.
constexpr Spot kHares[3] = {{-6, -4}, {-8, 2}, {-3, -7}};
constexpr Spot kWolf = {30, 0};
constexpr const char* kScene =
    "open 36\n"
    "weather clear\n"
    "creature 600 -6 -4\n"
    "creature 600 -8 2\n"
    "creature 600 -3 -7\n"
    "creature 611 30 0\n"
    "creature 520 0 -8\n"
    "creature 530 2 -8\n";

int block_of(int local) { return map_block_of(local); }
int inside(int local) { return (local - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

class CreatureLifeGame : public ::testing::Test {
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
        folder_.write("scene.txt", scene);
        fs::create_directories(folder_.file("shots"));
        return run_game(folder_.path(), "KSM_TEST_SEED=9 KSM_TEST_KEYS='" + folder_.file("keys.txt") +
                                            "' KSM_TEST_SCREENSHOT='" + folder_.file("shots") +
                                            "' KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'");
    }

    std::vector<CreatureRecord> creature_file() const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.CRS"), bytes));
        std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
        if (!file.empty()) std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
        return file;
    }

    // Where the stored maps of the 5 x 5 world cells about the player hold
    // each creature, from the player (sotu -> place).
    std::map<uint32_t, Spot> stored_places(const PlayerRecord& p) {
        std::map<uint32_t, Spot> out;
        install_folder[0] = 0;
        copy_text(character_name, "ARI");
        zoom_index_invalidate();
        const int pbx = block_of(p.x), pby = block_of(p.y);
        for (int by = -2; by <= 2; ++by)
            for (int bx = -2; bx <= 2; ++bx) {
                if (zoom_load_stored(p.zoom_origin_x + bx, p.zoom_origin_y + by) != 1) continue;
                for (const MapObject& o : zoom_work.objects) {
                    if (o.TYPE != MK_CREATURE) continue;
                    const int x = (bx - pbx) * MAP_BLOCK_SIDE + o.x - inside(p.x);
                    const int y = (by - pby) * MAP_BLOCK_SIDE + o.y - inside(p.y);
                    out[uint32_t(o.DATA)] = {x, y};
                }
            }
        zoom_index_invalidate();
        character_name[0] = 0;
        return out;
    }

    PlayFolder folder_;
};

// How many pixels of the cell (dx, dy) from the player, with a tile's
// height above it, differ between two frames.
int changed_pixels(SDL_Surface* a, SDL_Surface* b, int dx, int dy) {
    const int cx = PLAYER_X - MAP_X + dx * CELL_W, cy = PLAYER_Y - MAP_Y + dy * CELL_H;
    int n = 0;
    for (int y = cy - 16; y < cy + CELL_H / 2; ++y)
        for (int x = cx - CELL_W / 2; x < cx + CELL_W / 2; ++x) n += channel_gap(pixel(a, x, y), pixel(b, x, y)) > 30;
    return n;
}

TEST_F(CreatureLifeGame, HaresGoTheirWayAndTheWolfHuntsThemWhileThePlayerRests) {
    std::string keys = kLoadAndZoomIn;
    keys += "{shot start}\n";
    for (int i = 0; i < 30; ++i) keys += "[.]\n";
    keys += "{shot after}\n";
    keys += kSaveAndQuit;
    ASSERT_EQ(run(keys, kScene), 0) << folder_.read("game_stderr.txt");
    EXPECT_TRUE(folder_.read("debug_scene!.txt").empty()) << folder_.read("debug_scene!.txt");

    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), after));
    ASSERT_STREQ(after.map_name, "ZOOMMAP");
    const std::vector<CreatureRecord> file = creature_file();
    const std::map<uint32_t, Spot> places = stored_places(after);
    std::vector<Spot> hares;
    Spot wolf{1000, 1000};
    int people = 0;
    for (const CreatureRecord& r : file) {
        if (r.cre_class == 0) continue;
        const auto at = places.find(r.sotu);
        if (at == places.end()) continue;
        if (r.kind == KIND_HARE) hares.push_back(at->second);
        else if (r.kind == KIND_WOLF) wolf = at->second;
        else if (r.cre_class == CRE_CLASS_HUMAN) ++people;
    }
    ASSERT_EQ(hares.size(), 3u);
    ASSERT_NE(wolf.dx, 1000);
    EXPECT_EQ(people, 2);
    // No hare is where it was put.
    for (const Spot& h : hares) {
        bool at_start = false;
        for (const Spot& s : kHares) at_start = at_start || (s.dx == h.dx && s.dy == h.dy);
        EXPECT_FALSE(at_start) << h.dx << "," << h.dy;
    }
    // The wolf came from 30 squares off to within 9 of a hare.
    int nearest = 1000;
    for (const Spot& h : hares) nearest = std::min(nearest, std::max(std::abs(h.dx - wolf.dx), std::abs(h.dy - wolf.dy)));
    EXPECT_LE(nearest, 9) << "wolf at " << wolf.dx << "," << wolf.dy;
    EXPECT_LT(std::max(std::abs(wolf.dx - kWolf.dx), std::abs(wolf.dy - kWolf.dy)) + nearest, 40);

    // The frames: each hare's first square changed (its figure went).
    SDL_Surface* start = map_area_of(folder_.file("shots/start.bmp"));
    SDL_Surface* end = map_area_of(folder_.file("shots/after.bmp"));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(end, nullptr);
    for (const Spot& s : kHares) EXPECT_GT(changed_pixels(start, end, s.dx, s.dy), 30) << s.dx << "," << s.dy;
    // Where the wolf stands in view at the end, its figure is drawn anew.
    if (std::abs(wolf.dx) <= 11 && std::abs(wolf.dy) <= 10)
        EXPECT_GT(changed_pixels(start, end, wolf.dx, wolf.dy), 30) << wolf.dx << "," << wolf.dy;
    if (const char* keep = std::getenv("KSM_KEEP_SHOTS"))
        fs::copy(folder_.file("shots"), keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    SDL_FreeSurface(start);
    SDL_FreeSurface(end);
}

}  // namespace
