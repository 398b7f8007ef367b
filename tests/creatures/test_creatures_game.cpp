// Creatures keep their identities through the real program: a saved game
// whose stored local map holds two creatures placed by generation is
// loaded (the map is entered), left for the world map and entered again,
// then saved; the creature file holds exactly the two records, and the
// stored map names them by those records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/play_folder.h"

namespace {

// A quick new character (see the object files' game test for the keys),
// zoomed in to its first local map and saved there.
constexpr const char* kNewGameKeys =
    "[SPACE]\n[SPACE]\n[DOWN]\n[ENTER]\n[Q]\n[A]\n[r]\n[i]\n[ENTER]\n[E]\n[ESC]\n[SPACE]\n[ESC]\n[SPACE]\n"
    "[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// Load the character (its local map is entered), zoom out, zoom in again,
// save and quit.
constexpr const char* kLeaveAndComeBackKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";

constexpr int KIND_WOLF = 611;
constexpr int KIND_OTHER = 612;

// The world cell of a local coordinate, and its offset inside the cell.
int cell_of(int origin, int c) { return origin + map_block_of(c); }
int inside(int c) { return (c - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }
// A spot of the cell at least 20 squares from the player's.
int far_from(int local) { return local < 32 ? 60 : 3; }

TEST(CreaturesGame, TwoGeneratedCreaturesKeepTheirRecordsAcrossLeavingAndComingBack) {
    PlayFolder folder;
    folder.write("new.txt", kNewGameKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("new.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    ASSERT_EQ(file_size(folder.file("ARI/ARI.CRS")), 1384LL * CRS_NEW_FILE_RECORDS);
    ASSERT_EQ(file_size(folder.file("ARI/CONSTANT.CRE")), CRE_TEMPLATE_FILE_SIZE);

    // Two creatures placed by generation in the player's own world cell,
    // stored as a save would store them.
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    zoom_index_invalidate();
    const int wx = cell_of(saved.zoom_origin_x, saved.x), wy = cell_of(saved.zoom_origin_y, saved.y);
    ASSERT_EQ(zoom_load_stored(wx, wy), 1);
    const int cx = far_from(inside(saved.x)), cy = far_from(inside(saved.y));
    ASSERT_GE(zoom_add_data(cx, cy, MK_CREATURE, KIND_WOLF, 1), 0);
    ASSERT_GE(zoom_add_data(cx, 63 - cy, MK_CREATURE, KIND_OTHER, 1), 0);
    begin_save_commit();
    ASSERT_TRUE(save_zoommap(wx, wy, 1));
    ASSERT_TRUE(end_save_commit());
    zoom_index_invalidate();
    character_name[0] = 0;

    folder.write("again.txt", kLeaveAndComeBackKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("again.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), after));
    EXPECT_STREQ(after.map_name, "ZOOMMAP");
    // The map was really left and entered again.
    const std::string log = folder.read("ARI/msglog.txt");
    const size_t out = log.rfind("Zooming out");
    ASSERT_NE(out, std::string::npos) << log;
    EXPECT_NE(log.find("Zooming in", out), std::string::npos) << log;

    // Exactly two used records: made once, when the map was first entered.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.CRS"), bytes));
    ASSERT_EQ(bytes.size() % sizeof(CreatureRecord), 0u);
    std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
    std::memcpy(file.data(), bytes.data(), bytes.size());
    std::vector<int> used;
    for (size_t i = 0; i < file.size(); ++i)
        if (file[i].cre_class != 0) used.push_back(int(i));
    ASSERT_EQ(used, (std::vector<int>{0, 1}));
    EXPECT_EQ(file[0].sotu, 1000u);
    EXPECT_EQ(file[1].sotu, 1001u);
    std::vector<int> kinds{file[0].kind, file[1].kind};
    std::sort(kinds.begin(), kinds.end());
    EXPECT_EQ(kinds, (std::vector<int>{KIND_WOLF, KIND_OTHER}));
    EXPECT_NE(file[0].day_mark, -1);  // written back when the map was stored

    // The stored map names both by their records.
    copy_text(character_name, "ARI");
    zoom_index_invalidate();
    ASSERT_EQ(zoom_load_stored(wx, wy), 1);
    std::vector<int> named;
    for (const MapObject& o : zoom_work.objects)
        if (o.TYPE == MK_CREATURE) named.push_back(o.DATA);
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named, (std::vector<int>{1000, 1001}));
    zoom_index_invalidate();
    character_name[0] = 0;
}

}  // namespace
