// A village through the real program: the shared new character is put on
// the world map at a village of its world and zooms in at the village's
// western edge. The village's people are where the save after the zoom
// stored them; the player then walks towards the nearest of them, a few
// steps a run, until some stand in view, and rests there a turn at a time
// under a clear sky. Each frame of the map view is taken right before the
// save that tells where everybody stands: a person who has come to a square
// where nobody stood a turn before is drawn there, so the square looks
// different from the frame before. People wander, so the walk follows them
// rather than a route fixed in advance.
//
// The frame is what docs/screen-village.png shows: with KSM_DOCS_OUT naming
// a folder the test leaves it there as "screen-village.bmp", and
// tools/update_docs_pictures.py makes the picture of it (a deliberate
// step, never done by the test itself).
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
#include "creatures/creature_record.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/created_character.h"
#include "support/fixture_world.h"
#include "support/map_pictures.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character.
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n";
// The shot, then Q and two yes answers save and quit (no turn passes
// between them), and SPACE leaves the farewell page.
constexpr const char* kShotSaveAndQuit = "{shot village}\n[Q]\n[y]\n[y]\n[SPACE]\n";
// The village's own cell of the local map.
constexpr int CELL_FIRST = 200, CELL_SIDE = 64;
// Facings, counter-clockwise from east as the game counts them.
constexpr int kFacingDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kFacingDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};

// A village cell of the world with open land west of it; (0, 0) when there
// is none.
FixturePoint village_of(const std::vector<uint8_t>& world) {
    auto code = [&](int x, int y) { return int(world[map_index(x, y)]); };
    for (int y = 40; y < 2000; ++y)
        for (int x = 40; x < 3000; ++x) {
            if (code(x, y) != 239) continue;
            const int west = code(x - 1, y);
            if (west == 239 || west == 210 || west == 211 || west == 86 || west == 30) continue;
            if (west == 180 || west == 181 || west == 182 || west == 183 || west == 247) continue;
            return FixturePoint{x, y};
        }
    return FixturePoint{0, 0};
}

struct Seen {
    int x, y;
};

// The people standing in the village's cell as the last save stored them,
// each one whose record in the creature file is a person's.
std::vector<Seen> people_of_village(const PlayFolder& folder, const PlayerRecord& p) {
    std::vector<Seen> people;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(read_whole_file(folder.file("ARI/ARI.CRS"), bytes));
    std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
    std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    zoom_index_invalidate();
    const bool stored = zoom_load_stored(p.zoom_origin_x, p.zoom_origin_y) == 1;
    EXPECT_TRUE(stored) << "the village's map is not in the store";
    for (int i = 0; stored && i < ZOOM_OBJECTS; ++i) {
        const MapObject& o = zoom_work.objects[i];
        if (o.TYPE != MK_CREATURE || o.DATA < 1000 || size_t(o.DATA - 1000) >= file.size()) continue;
        if (file[size_t(o.DATA - 1000)].cre_class != CRE_CLASS_HUMAN) continue;
        people.push_back({CELL_FIRST + o.x, CELL_FIRST + o.y});
    }
    zoom_index_invalidate();
    character_name[0] = 0;
    return people;
}

// Whether the square (x, y) lies well inside the map view of a player at
// p; then (x0, y0) is the corner, in the map area, of its picture: the
// square centred on its point of the view, with a tile's height above it.
constexpr int FIGURE_H = 30;
bool in_view(const PlayerRecord& p, int x, int y, int* x0, int* y0) {
    *x0 = PLAYER_X - MAP_X + (x - p.x) * CELL_W - CELL_W / 2;
    *y0 = PLAYER_Y - MAP_Y + (y - p.y) * CELL_H - 16;
    return *x0 >= CELL_W && *y0 >= CELL_H && *x0 + 2 * CELL_W <= MAP_W && *y0 + FIGURE_H + CELL_H <= MAP_H;
}

int count_in_view(const PlayerRecord& p, const std::vector<Seen>& people) {
    int n = 0, x0 = 0, y0 = 0;
    for (const Seen& s : people) n += in_view(p, s.x, s.y, &x0, &y0);
    return n;
}

// The people in view who stand on a square where nobody stood in the frame
// before (taken from the same place and facing), and how many of them are
// drawn: their square looks different from the same square then.
struct InView {
    int arrived = 0, shown = 0;
};
InView arrivals_in_shot(const std::string& before, const std::string& after, const PlayerRecord& p,
                        const std::vector<Seen>& were, const std::vector<Seen>& are) {
    InView seen;
    SDL_Surface* then = map_area_of(before);
    SDL_Surface* now = map_area_of(after);
    EXPECT_NE(then, nullptr) << "no shot of the village";
    EXPECT_NE(now, nullptr) << "no shot of the village";
    for (const Seen& s : are) {
        int x0 = 0, y0 = 0;
        if (!then || !now || !in_view(p, s.x, s.y, &x0, &y0)) continue;
        if (std::any_of(were.begin(), were.end(), [&](const Seen& w) { return w.x == s.x && w.y == s.y; })) continue;
        ++seen.arrived;
        int differing = 0;
        for (int y = y0; y < y0 + FIGURE_H; ++y)
            for (int x = x0; x < x0 + CELL_W; ++x) differing += channel_gap(pixel(now, x, y), pixel(then, x, y)) > 40;
        // A figure changes some 140 of the 540 pixels; the one on the
        // square below reaches a few dozen of them.
        seen.shown += differing > 80;
    }
    if (then) SDL_FreeSurface(then);
    if (now) SDL_FreeSurface(now);
    return seen;
}

// Keys that turn the player from its facing towards (dx, dy) (the nearest
// of the eight directions, `skew` of them further left) and walk `steps`.
std::string walk_towards(int facing, int dx, int dy, int skew, int steps) {
    int want = 0;
    for (int f = 0; f < 8; ++f)
        if (kFacingDx[f] == (dx > 0) - (dx < 0) && kFacingDy[f] == (dy > 0) - (dy < 0)) want = f;
    want = (want + skew + 8) % 8;
    const int turn = (want - facing + 8) % 8;
    std::string keys;
    for (int i = 0; i < (turn <= 4 ? turn : 8 - turn); ++i) keys += turn <= 4 ? "[LEFT]\n" : "[RIGHT]\n";
    for (int i = 0; i < steps; ++i) keys += "[UP]\n";
    return keys;
}

std::string where_they_stand(const std::vector<Seen>& people) {
    std::string where;
    for (const Seen& p : people) where += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    return where;
}

TEST(VillageGame, ZoomingIntoAVillageMeetsItsPeople) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    const std::vector<uint8_t> world = read_fixture_file(folder.file("ARI/WORLD.DAT"));
    ASSERT_EQ(world.size(), size_t(MAP_CELLS));
    const FixturePoint village = village_of(world);
    ASSERT_NE(village.x, 0) << "the world has no village to visit";

    PlayerRecord record;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), record));
    ASSERT_STREQ(record.map_name, "BIGMAP");
    record.x = village.x;
    record.y = village.y;
    plant_character_files({{"ARI.KMS", &record, sizeof record}});

    // ENTER zooms in at the village's western edge; every run has a clear
    // sky, so that no rain is drawn over the ground.
    std::filesystem::create_directories(folder.file("shots"));
    folder.write("scene.txt", "weather clear\n");
    const std::string env = "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") + "' KSM_TEST_SCREENSHOT='" +
                            folder.file("shots") + "' KSM_TEST_SCENE='" + folder.file("scene.txt") + "'";
    folder.write("keys.txt", std::string(kLoad) + "[ENTER]\n" + kShotSaveAndQuit);
    ASSERT_EQ(run_game(folder.path(), env), 0) << folder.read("game_stderr.txt");

    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    EXPECT_EQ(saved.zoom_origin_x, village.x);
    EXPECT_EQ(saved.zoom_origin_y, village.y);
    std::vector<Seen> people = people_of_village(folder, saved);
    ASSERT_GE(people.size(), 3u) << "the village has nobody in it";

    // A few steps a run towards the nearest person, until some stand in view.
    int skew = 0;
    for (int run = 0; run < 12 && count_in_view(saved, people) == 0; ++run) {
        const Seen* nearest = nullptr;
        int distance = 0;
        for (const Seen& p : people) {
            const int d = std::max(std::abs(p.x - saved.x), std::abs(p.y - saved.y));
            if (!nearest || d < distance) nearest = &p, distance = d;
        }
        const int steps = std::clamp(distance - 3, 1, 5);
        folder.write("keys.txt", std::string(kLoad) +
                                     walk_towards(saved.facing, nearest->x - saved.x, nearest->y - saved.y, skew, steps) +
                                     kShotSaveAndQuit);
        ASSERT_EQ(run_game(folder.path(), env), 0) << folder.read("game_stderr.txt");
        PlayerRecord now;
        ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), now));
        ASSERT_STREQ(now.map_name, "ZOOMMAP");
        // Blocked where it stood: go round by a side way next time.
        skew = now.x == saved.x && now.y == saved.y ? (skew == 1 ? -1 : 1) : 0;
        saved = now;
        people = people_of_village(folder, saved);
    }
    ASSERT_GT(count_in_view(saved, people), 0)
        << "no villager in view from " << saved.x << "," << saved.y << "; people at" << where_they_stand(people);

    // A turn of rest at a time, until somebody comes to a square in view.
    const std::string shot = folder.file("shots/village.bmp"), before = folder.file("shots/before.bmp");
    InView seen;
    for (int run = 0; run < 8 && seen.shown == 0; ++run) {
        std::filesystem::copy_file(shot, before, std::filesystem::copy_options::overwrite_existing);
        folder.write("keys.txt", std::string(kLoad) + "[.]\n" + kShotSaveAndQuit);
        ASSERT_EQ(run_game(folder.path(), env), 0) << folder.read("game_stderr.txt");
        PlayerRecord now;
        ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), now));
        ASSERT_EQ(now.x, saved.x);
        ASSERT_EQ(now.y, saved.y);
        ASSERT_EQ(now.facing, saved.facing);
        const std::vector<Seen> were = people;
        people = people_of_village(folder, now);
        seen = arrivals_in_shot(before, shot, now, were, people);
    }
    EXPECT_GT(seen.arrived, 0) << "nobody came into view at " << saved.x << "," << saved.y << "; people at"
                               << where_they_stand(people);
    EXPECT_GT(seen.shown, 0) << "no villager drawn from " << saved.x << "," << saved.y << "; people at"
                             << where_they_stand(people);
    // A stranger who has done the village no wrong is left in peace.
    const std::string log = folder.read("ARI/msglog.txt");
    EXPECT_EQ(log.find("threatens you"), std::string::npos) << log;
    EXPECT_EQ(log.find("attacks"), std::string::npos) << log;
    if (const char* out = std::getenv("KSM_DOCS_OUT"))
        std::filesystem::copy_file(shot, std::string(out) + "/screen-village.bmp",
                                   std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
