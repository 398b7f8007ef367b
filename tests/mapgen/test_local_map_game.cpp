// Generated local maps through the real program: the shared new character
// steps six cells back (west) on the world map, into a lichenous pine
// forest, and zooms in. The local maps of the area are made there and then, stored
// with their wild plants, and the map view shows them.
//
// The frame of the zoomed-in map is what docs/screen-local-map.png shows:
// with KSM_DOCS_OUT naming a folder the test leaves it there as
// "screen-local-map.bmp", and tools/update_docs_pictures.py makes the
// picture of it (a deliberate step, never done by the test itself).
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; six steps back on
// the world map, ENTER zooms in; the shot; then save and quit.
constexpr const char* kWalkAndZoomKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n"
    "[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[ENTER]\n{shot local_map}\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

TEST(LocalMapGame, ZoomingInMakesTheAreaWithItsPlantsAndShowsIt) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("zoom.txt", kWalkAndZoomKeys);
    std::filesystem::create_directories(folder.file("shots"));
    // Seed 3 grows a group of chanterelles in sight of the player.
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=3 KSM_TEST_KEYS='" + folder.file("zoom.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");

    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    const std::vector<uint8_t> world = read_fixture_file(folder.file("ARI/WORLD.DAT"));
    ASSERT_EQ(world.size(), size_t(MAP_CELLS));
    EXPECT_EQ(world[map_index(saved.zoom_origin_x, saved.zoom_origin_y)], 3) << "a lichenous pine forest";

    // The stored maps of the area: all 25 cells, and wild plants on them
    // whose objects are plants of the character's store.
    const std::vector<uint8_t> maps = read_fixture_file(folder.file("ARI/ZOOMMAPS.DAT"));
    ASSERT_EQ(maps.size() % sizeof(ZoomMap), 0u);
    ASSERT_GE(maps.size() / sizeof(ZoomMap), 26u);
    ASSERT_GE(load_object_store(folder.file("ARI/ARI.OBJ")), 0);
    static ZoomMap record;
    int plants = 0, maps_with_plants = 0, cover = 0, trees = 0;
    for (size_t n = 1; n < maps.size() / sizeof(ZoomMap); ++n) {
        std::memcpy(&record, &maps[n * sizeof record], sizeof record);
        int here = 0;
        for (const MapObject& o : record.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            ++here;
            ASSERT_TRUE(obj_id_is_instance(o.DATA)) << o.DATA;
            EXPECT_EQ(Objects[o.DATA - FIRST_INSTANCE_ID].item_class, ITEM_PLANT);
        }
        plants += here;
        maps_with_plants += here > 0;
        for (int i = 0; i < 64 * 64; ++i) {
            cover += (record.cover[i] & 7) != 0;
            trees += record.terrain[i] == 13 || record.terrain[i] == 18;
        }
    }
    EXPECT_GE(maps_with_plants, 10);
    EXPECT_GE(plants, 100);
    EXPECT_GT(cover, 1000) << "the lichen of the pine forest";
    EXPECT_GT(trees, 1000);

    const std::string shot = folder.file("shots/local_map.bmp");
    SDL_Surface* frame = SDL_LoadBMP(shot.c_str());
    ASSERT_NE(frame, nullptr) << "no shot of the local map";
    EXPECT_EQ(frame->w, 800);
    EXPECT_EQ(frame->h, 600);
    SDL_FreeSurface(frame);
    if (const char* out = std::getenv("KSM_DOCS_OUT"))
        std::filesystem::copy_file(shot, std::string(out) + "/screen-local-map.bmp",
                                   std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
