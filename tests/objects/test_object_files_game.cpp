// The object files through the real program: a new character is saved with
// a whole object store and item-type file; a saved game holding items loads
// them (one "readguy" line each with debug logs on) and saves them back
// unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

// Intro pages, CREATE A CHARACTER, quick mode, the name "Ari", the world
// accepted with E, the free game course (ESC), the farewell page, the
// encyclopedia's first-timer page (ESC) and the start story; in the game Q and two yes answers save and quit, SPACE
// leaves the farewell page for the start menu, where the script ends.
constexpr const char* kNewGameKeys =
    "[SPACE]\n[SPACE]\n[DOWN]\n[ENTER]\n[Q]\n[A]\n[r]\n[i]\n[ENTER]\n[E]\n[ESC]\n[SPACE]\n[ESC]\n[SPACE]\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

// Intro pages, LOAD SAVED CHARACTER, the only character; in the game "&"
// and yes turn the debug logs on; save and quit to the start menu, load
// the character again (now logged), save and quit.
constexpr const char* kLoadTwiceKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[&]\n[y]\n[Q]\n[y]\n[y]\n[SPACE]\n"
    "[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";

ObjectRecord item(uint8_t item_class, int kind, const char* name, float weight) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = kind;
    copy_text(r.name, name);
    r.weight = r.full_weight = weight;
    r.price = 24.0f;
    r.quality = 0x83;
    return r;
}

int count_of(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(ObjectFilesGame, NewGameSaveQuitAndLoadKeepBothFilesAndEveryItem) {
    PlayFolder folder;
    folder.write("new.txt", kNewGameKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("new.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    EXPECT_EQ(file_size(folder.file("ARI/ARI.OBJ")), 8582800);
    EXPECT_EQ(file_size(folder.file("ARI/CONSTANT.OBJ")), 68800);
    EXPECT_EQ(file_size(folder.file("CONSTANT.OBJ")), 68800);

    // The saved game holds three items: the first slot, one in the middle
    // and the very last. The starting gear's records make way for them.
    std::vector<uint8_t> store;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), store));
    std::fill(store.begin(), store.end(), uint8_t(0));
    const struct {
        int slot;
        ObjectRecord record;
    } planted[] = {{0, item(ITEM_WEAPON, 153, "Northern knife", 0.5f)},
                   {17, item(ITEM_FOOD, 500, "Rye bread", 1.25f)},
                   {49899, item(ITEM_CONTAINER, 351, "Birch-bark box", 0.0f)}};
    for (const auto& p : planted) std::memcpy(&store[size_t(p.slot) * 172], &p.record, 172);
    // Planted as a save would write it, so the save's manifest vouches for it.
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    ASSERT_TRUE(write_character_file("ARI.OBJ", store.data(), store.size()));
    character_name[0] = 0;

    folder.write("load.txt", kLoadTwiceKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("load.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    EXPECT_EQ(count_of(folder.read("ARI/msglog.txt"), "Your character has been saved."), 3);

    // Logged on the second load only, one line per used record.
    const std::string log = folder.read("debug_readguy.txt");
    EXPECT_EQ(count_of(log, "/49900 "), 3) << log;
    EXPECT_EQ(count_of(log, "#0/49900 Northern knife\n"), 1) << log;
    EXPECT_EQ(count_of(log, "#17/49900 Rye bread\n"), 1) << log;
    EXPECT_EQ(count_of(log, "#49899/49900 Birch-bark box\n"), 1) << log;

    // Both files keep their sizes, and the items came back byte for byte.
    EXPECT_EQ(file_size(folder.file("ARI/CONSTANT.OBJ")), 68800);
    std::vector<uint8_t> saved;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), saved));
    ASSERT_EQ(saved.size(), size_t(8582800));
    EXPECT_TRUE(saved == store);
}

}  // namespace
