// Villages through the real program: a settlement the player has entered
// gets its village id when the game is next started, and its record, made
// when the local map is loaded, reaches the village file with the save.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "game/save_load.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "society/villages.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in to
// the settlement; Q and two yes answers save and quit, SPACE leaves the
// farewell page for the start menu; the character is loaded again and
// saved and quit once more.
constexpr const char* kZoomSaveLoadSave =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n"
    "[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";

TEST(VillagesGame, ASettlementEnteredIsRecordedOnceWithItsCentreAndCulture) {
    PlayFolder folder;
    const FixtureWorld world = make_fixture_world("TESTER");
    load_world_files();
    player_x = world.village.x;
    player_y = world.village.y;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    const int culture = world.cultures[size_t(world.village.y / 32) * CULTURE_COLS + size_t(world.village.x / 32)];

    folder.write("keys.txt", kZoomSaveLoadSave);
    std::filesystem::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");

    // The marker of the settlement's cell holds the village's id.
    const std::vector<uint8_t> marker_bytes = read_fixture_file(folder.file("TESTER/MARKER.DAT"));
    ASSERT_EQ(marker_bytes.size(), size_t(MARKER_FILE_SIZE));
    int32_t id = 0;
    for (int i = 0; i < MARKER_COUNT; ++i) {
        Marker m;
        std::memcpy(&m, &marker_bytes[size_t(i) * sizeof m], sizeof m);
        if (m.world_x == world.village.x && m.world_y == world.village.y) id = m.village_id;
    }
    ASSERT_GT(id, 0) << "the settlement's marker names a village";

    const std::vector<uint8_t> bytes = read_fixture_file(folder.file("TESTER/TESTER.VIL"));
    ASSERT_EQ(bytes.size(), sizeof(VillageRecord)) << "one record";
    VillageRecord v;
    std::memcpy(&v, bytes.data(), sizeof v);
    EXPECT_EQ(v.soc, id);
    EXPECT_EQ(v.isox, world.village.x);
    EXPECT_EQ(v.isoy, world.village.y);
    EXPECT_EQ(v.culture, culture);
    EXPECT_EQ(v.cell_x[0], world.village.x);
    EXPECT_EQ(v.cell_y[0], world.village.y);
}

}  // namespace
