// Creatures on the map through the real program, with the shared new
// character:
//  - zoomed in to its local map and saved there, its stored map gets a
//    wolf and a hare (kind codes, as generation puts them) on open ground
//    beside the player, the game is loaded and the map
//    view shows the two animals' tiles at their squares, as in the
//    reference picture;
//  - loaded and zoomed in with a scene (KSM_TEST_SCENE), the ground
//    around the player opens, a wolf turns on the player and a hare stands
//    beside it, and the saved game holds them.
//
// After a deliberate change of the drawing, run the test with
// KSM_WRITE_MAP_REFERENCE set to a folder: the new picture lands there and
// is copied into tests/creatures/reference by hand. A picture that differs
// leaves the picture and its difference in a temporary folder named in the
// failure.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/created_character.h"
#include "support/map_pictures.h"
#include "support/play_folder.h"

namespace fs = std::filesystem;

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in, Q
// and two yes answers save and quit, SPACE leaves the farewell page.
constexpr const char* kZoomInKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// Load: the map view waiting for the first command is kept as "map.bmp";
// then the keys run out and the game ends.
constexpr const char* kLoadKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n{shot map}\n";
// Load, zoom in (the scene is set up on the local map), keep the view, save
// and quit.
constexpr const char* kZoomSceneKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n{shot map}\n[Q]\n[y]\n[y]\n[SPACE]\n";

constexpr int KIND_HARE = 600, KIND_WOLF = 611;
constexpr uint8_t OPEN_GROUND = 250;

// Where the two animals stand, from the player: two and four squares on
// towards the middle of the player's world cell.
constexpr int WOLF_STEP = 2, WOLF_DY = 0, HARE_STEP = 4, HARE_DY = 1;

int block_of(int local) { return map_block_of(local); }
int inside(int local) { return (local - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

// The shared new character in a play folder of its own, the idle
// animation off (it would redraw the view between the frames).
class CreaturesSeen : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
        std::string ini = folder_.read("ksm_ini.txt");
        const size_t at = ini.find("[IDLE_ANIMATION:YES]");
        if (at != std::string::npos) ini.replace(at, std::strlen("[IDLE_ANIMATION:YES]"), "[IDLE_ANIMATION:NO]");
        folder_.write("ksm_ini.txt", ini);
    }

    int run(const std::string& keys, const std::string& extra = "") {
        folder_.write("keys.txt", keys);
        fs::create_directories(folder_.file("shots"));
        return run_game(folder_.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") +
                                            "' KSM_TEST_SCREENSHOT='" + folder_.file("shots") + "' " + extra);
    }

    // The character's creature file, record by record.
    std::vector<CreatureRecord> creature_file() const {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_.file("ARI/ARI.CRS"), bytes));
        std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
        if (!file.empty()) std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
        return file;
    }

    PlayFolder folder_;
};

// The pixels of the cell (dx, dy) from the player, with a tile's height
// above it, that differ between two pictures.
int changed_pixels(SDL_Surface* a, SDL_Surface* b, int dx, int dy) {
    const int x0 = PLAYER_X - MAP_X + dx * CELL_W - CELL_W / 2, y0 = PLAYER_Y - MAP_Y + dy * CELL_H - 16;
    int n = 0;
    for (int y = y0; y < y0 + 30; ++y)
        for (int x = x0; x < x0 + CELL_W; ++x) n += channel_gap(pixel(a, x, y), pixel(b, x, y)) > 10;
    return n;
}

// How many pixels of the cell (dx, dy) have colours other than the ground
// around them (a picture on it).
int figure_pixels(SDL_Surface* s, int dx, int dy) {
    const int cx = PLAYER_X - MAP_X + dx * CELL_W, cy = PLAYER_Y - MAP_Y + dy * CELL_H;
    // The ground: a pixel of the open cell next to it on the player's side.
    const SDL_Color ground = pixel(s, cx - (dx > 0 ? 1 : -1) * CELL_W, cy + CELL_H / 2 - 2);
    int n = 0;
    for (int y = cy - 16; y < cy + CELL_H / 2; ++y)
        for (int x = cx - CELL_W / 2; x < cx + CELL_W / 2; ++x) n += channel_gap(pixel(s, x, y), ground) > 30;
    return n;
}

std::string keep_difference(SDL_Surface* now, SDL_Surface* ref) {
    std::string dir = (fs::temp_directory_path() / "ksm-picture-XXXXXX").string();
    if (!mkdtemp(dir.data())) return "(no folder)";
    SDL_Surface* diff = SDL_CreateRGBSurfaceWithFormat(0, MAP_W, MAP_H, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < MAP_H; ++y)
        for (int x = 0; x < MAP_W; ++x) {
            const SDL_Color a = pixel(now, x, y), b = pixel(ref, x, y);
            auto gap = [](int u, int v) { return Uint8(std::min(255, 8 * std::abs(u - v))); };
            reinterpret_cast<Uint32*>(static_cast<uint8_t*>(diff->pixels) + y * diff->pitch)[x] =
                SDL_MapRGB(diff->format, gap(a.r, b.r), gap(a.g, b.g), gap(a.b, b.b));
        }
    SDL_SaveBMP(now, (dir + "/wolf_and_hare.bmp").c_str());
    SDL_SaveBMP(diff, (dir + "/wolf_and_hare_diff.bmp").c_str());
    SDL_FreeSurface(diff);
    return dir;
}

TEST_F(CreaturesSeen, AStoredWolfAndHareAreDrawnAtTheirSquares) {
    ASSERT_EQ(run(kZoomInKeys), 0) << folder_.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    // The wolf and the hare as generation stores them, each on a strip of
    // open ground between it and the player.
    const int wx = saved.zoom_origin_x + block_of(saved.x), wy = saved.zoom_origin_y + block_of(saved.y);
    const int px = inside(saved.x), py = inside(saved.y);
    const int dir = px < 32 ? 1 : -1;
    const int WOLF_DX = WOLF_STEP * dir, HARE_DX = HARE_STEP * dir;
    ASSERT_GE(py, 1);
    ASSERT_LT(py + HARE_DY, 64);
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    zoom_index_invalidate();
    ASSERT_EQ(zoom_load_stored(wx, wy), 1);
    for (int y = py - 1; y <= py + 1; ++y)
        for (int step = 0; step <= HARE_STEP + 1; ++step) {
            const int x = px + step * dir;
            zoom_work.terrain[y * 64 + x] = OPEN_GROUND;
            zoom_work.height[y * 64 + x] = zoom_work.height[py * 64 + px];
        }
    ASSERT_GE(zoom_add_data(px + WOLF_DX, py + WOLF_DY, MK_CREATURE, KIND_WOLF, 1), 0);
    ASSERT_GE(zoom_add_data(px + HARE_DX, py + HARE_DY, MK_CREATURE, KIND_HARE, 1), 0);
    begin_save_commit();
    ASSERT_TRUE(save_zoommap(wx, wy, 1));
    ASSERT_TRUE(end_save_commit());
    zoom_index_invalidate();
    character_name[0] = 0;

    // No rain: it is drawn anew with every frame.
    folder_.write("scene.txt", "weather clear\n");
    ASSERT_EQ(run(kLoadKeys, "KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'"), 0)
        << folder_.read("game_stderr.txt");
    SDL_Surface* now = map_area_of(folder_.file("shots/map.bmp"));
    ASSERT_NE(now, nullptr);
    // Each animal's picture stands on its square.
    EXPECT_GT(figure_pixels(now, WOLF_DX, WOLF_DY), 40);
    EXPECT_GT(figure_pixels(now, HARE_DX, HARE_DY), 15);

    if (const char* dir = std::getenv("KSM_WRITE_MAP_REFERENCE"))
        SDL_SaveBMP(now, (std::string(dir) + "/wolf_and_hare.bmp").c_str());
    const std::string path = std::string(KSM_SOURCE_DIR) + "/tests/creatures/reference/wolf_and_hare.bmp";
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    ASSERT_NE(loaded, nullptr) << "no reference picture " << path;
    SDL_Surface* ref = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_EQ(ref->w, MAP_W);
    ASSERT_EQ(ref->h, MAP_H);
    double sum = 0;
    for (int y = 0; y < MAP_H; ++y)
        for (int x = 0; x < MAP_W; ++x) {
            const SDL_Color a = pixel(now, x, y), b = pixel(ref, x, y);
            sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    const double mean = sum / (3.0 * MAP_W * MAP_H);
    EXPECT_LT(mean, 2.0);
    const int wolf = changed_pixels(now, ref, WOLF_DX, WOLF_DY), hare = changed_pixels(now, ref, HARE_DX, HARE_DY);
    EXPECT_LE(wolf, 8) << "the wolf's square";
    EXPECT_LE(hare, 8) << "the hare's square";
    if (mean >= 2.0 || wolf > 8 || hare > 8)
        ADD_FAILURE() << "the picture and its difference are kept in " << keep_difference(now, ref);
    SDL_FreeSurface(now);
    SDL_FreeSurface(ref);

    // The map entry gave both records of their kinds.
    int wolves = 0, hares = 0;
    for (const CreatureRecord& r : creature_file()) {
        wolves += r.cre_class == 3 && r.kind == KIND_WOLF;
        hares += r.cre_class == 2 && r.kind == KIND_HARE;
    }
    EXPECT_EQ(wolves, 1);
    EXPECT_EQ(hares, 1);
}

TEST_F(CreaturesSeen, AScenePutsItsCreaturesAroundThePlayer) {
    folder_.write("scene.txt",
                  "// a wolf turned on the player and a hare\n"
                  "open 4\n"
                  "creature 611 2 0 attack\n"
                  "creature 600 -2 1\n"
                  "creature 606 0 2\n"
                  "item Knife 1 wield 1\n"
                  "weather clear\n"
                  "nonsense here\n");
    ASSERT_EQ(run(kZoomSceneKeys, "KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'"), 0)
        << folder_.read("game_stderr.txt");
    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), after));
    ASSERT_STREQ(after.map_name, "ZOOMMAP");
    EXPECT_EQ(after.facing, 0);  // towards the wolf in the east

    // Two new records: the wolf on the attack and the hare; kind 606 has no
    // maker and makes none.
    std::vector<const CreatureRecord*> made;
    const std::vector<CreatureRecord> file = creature_file();
    for (const CreatureRecord& r : file)
        if (r.cre_class != 0) made.push_back(&r);
    ASSERT_EQ(made.size(), 2u);
    const CreatureRecord* wolf = made[0]->kind == KIND_WOLF ? made[0] : made[1];
    const CreatureRecord* hare = made[0]->kind == KIND_HARE ? made[0] : made[1];
    EXPECT_EQ(wolf->kind, KIND_WOLF);
    EXPECT_EQ(hare->kind, KIND_HARE);
    EXPECT_EQ(wolf->move_mode, 99);
    EXPECT_EQ(wolf->fight_target, -1);
    EXPECT_EQ(hare->move_mode, 0);
    EXPECT_STREQ(wolf->picture_key, "av-wolf");

    // The stored map holds them at their squares, on open ground.
    const int wx = after.zoom_origin_x + block_of(after.x), wy = after.zoom_origin_y + block_of(after.y);
    const int px = inside(after.x), py = inside(after.y);
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    zoom_index_invalidate();
    ASSERT_EQ(zoom_load_stored(wx, wy), 1);
    int found = 0;
    for (const MapObject& o : zoom_work.objects) {
        if (o.TYPE != MK_CREATURE) continue;
        if (o.DATA == int(wolf->sotu)) {
            EXPECT_EQ(o.x, px + 2);
            EXPECT_EQ(o.y, py);
            ++found;
        }
        if (o.DATA == int(hare->sotu)) {
            EXPECT_EQ(o.x, px - 2);
            EXPECT_EQ(o.y, py + 1);
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
    if (px >= 4 && px <= 59 && py >= 4 && py <= 59) {
        for (int y = py - 4; y <= py + 4; ++y)
            for (int x = px - 4; x <= px + 4; ++x) EXPECT_EQ(zoom_work.terrain[y * 64 + x], OPEN_GROUND) << x << "," << y;
    }
    zoom_index_invalidate();
    character_name[0] = 0;

    // The lines it could not follow are noted.
    const std::string notes = folder_.read("debug_scene!.txt");
    EXPECT_NE(notes.find("606"), std::string::npos) << notes;
    EXPECT_NE(notes.find("nonsense"), std::string::npos) << notes;
    EXPECT_EQ(notes.find("Knife"), std::string::npos) << notes;  // given and wielded
    EXPECT_EQ(notes.find("weather"), std::string::npos) << notes;
}

}  // namespace
