// A village through the real program: the shared new character is put on
// the world map at a village of its world, zooms in,
// rests twenty turns among the villagers and saves. The saved local map
// holds the village's people, their records in the creature file are
// people, and the frame of the map view shows them.
//
// The frame is what docs/screen-village.png shows: with KSM_DOCS_OUT naming
// a folder the test leaves it there as "screen-village.bmp", and
// tools/update_village_picture.py makes the picture of it (a deliberate
// step, never done by the test itself).
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_record.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/created_character.h"
#include "support/fixture_world.h"
#include "support/map_pictures.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms into
// the village at its western edge, ten steps north-east and five east
// into it, two turns of
// rest, the shot; then save and quit.
std::string village_keys() {
    std::string keys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
    keys += "[LEFT]\n";
    for (int i = 0; i < 10; ++i) keys += "[UP]\n";
    keys += "[RIGHT]\n";
    for (int i = 0; i < 5; ++i) keys += "[UP]\n";
    for (int i = 0; i < 2; ++i) keys += "[.]\n";
    keys += "{shot village}\n[Q]\n[y]\n[y]\n[SPACE]\n";
    return keys;
}

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

    folder.write("keys.txt", village_keys());
    std::filesystem::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");

    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    EXPECT_EQ(saved.zoom_origin_x, village.x);
    EXPECT_EQ(saved.zoom_origin_y, village.y);

    // The people of the village on the saved map, with records of people.
    const std::vector<uint8_t> objects = read_fixture_file(folder.file("ARI/ZOOMMAP.DAT"));
    ASSERT_EQ(objects.size(), sizeof(MapObject) * MAP_OBJECT_COUNT);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.CRS"), bytes));
    std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
    std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
    struct Seen {
        int x, y;
    };
    std::vector<Seen> people;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject o;
        std::memcpy(&o, &objects[size_t(i) * sizeof o], sizeof o);
        if (o.TYPE != MK_CREATURE || o.DATA < 1000 || size_t(o.DATA - 1000) >= file.size()) continue;
        const CreatureRecord& c = file[size_t(o.DATA - 1000)];
        if (c.cre_class != CRE_CLASS_HUMAN) continue;
        // Inside the village's own cell of the local map.
        if (o.x < 200 || o.x >= 264 || o.y < 200 || o.y >= 264) continue;
        people.push_back({o.x, o.y});
    }
    EXPECT_GE(people.size(), 3u) << "the village has nobody in it";

    // The frame shows them: a villager's square in view looks different
    // from the same ground beside it without anyone on it.
    const std::string shot = folder.file("shots/village.bmp");
    SDL_Surface* view = map_area_of(shot);
    ASSERT_NE(view, nullptr) << "no shot of the village";
    int shown = 0, in_view = 0;
    for (const Seen& p : people) {
        const int dx = p.x - saved.x, dy = p.y - saved.y;
        const int cx = PLAYER_X - MAP_X + dx * CELL_W, cy = PLAYER_Y - MAP_Y + dy * CELL_H;
        if (cx < CELL_W || cy < CELL_H || cx + 2 * CELL_W >= MAP_W || cy + 2 * CELL_H >= MAP_H) continue;
        ++in_view;
        int differing = 0;
        for (int y = 2; y < CELL_H - 2; ++y)
            for (int x = 2; x < CELL_W - 2; ++x) {
                const SDL_Color here = pixel(view, cx + x, cy + y);
                const SDL_Color left = pixel(view, cx - CELL_W + x, cy + y);
                const SDL_Color right = pixel(view, cx + CELL_W + x, cy + y);
                differing += channel_gap(here, left) > 40 && channel_gap(here, right) > 40;
            }
        shown += differing > 20;
    }
    SDL_FreeSurface(view);
    std::string where;
    for (const Seen& p : people) where += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    EXPECT_GT(in_view, 0) << "no villager in view from " << saved.x << "," << saved.y << "; people at" << where;
    EXPECT_GT(shown, 0) << "no villager drawn";
    if (const char* out = std::getenv("KSM_DOCS_OUT"))
        std::filesystem::copy_file(shot, std::string(out) + "/screen-village.bmp",
                                   std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
