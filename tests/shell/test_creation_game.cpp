// A new character made through the real program, then loaded again.
#include <gtest/gtest.h>

#include <string>

#include "game/player.h"
#include "support/created_character.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

// The creation run (made once per build and shared with the first-game
// test, see created_character.h): start menu, CREATE A CHARACTER, quick
// mode, the name, the world generation screen accepted, the farewell key,
// the encyclopedia's first-timer page left with ESC, the story page.
TEST(NewGameEndToEnd, QuickCharacterIsCreatedWithItsFilesAndLoadsAgain) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    EXPECT_EQ(file_size(folder.file("ARI/ARI.KMS")), 5716);
    EXPECT_EQ(file_size(folder.file("ARI/ARI.OBJ")), 8582800);
    for (const char* name : {"WORLD.DAT", "kulttuuri.dat", "names.dat", "MARKER.DAT", "ZOOMINDEX.DAT",
                             "ZOOMMAPS.DAT", "story.txt", "portrait.png", "CONSTANT.OBJ", "ARI.CRS"})
        EXPECT_TRUE(folder.exists(std::string("ARI/") + name)) << name;
    PlayerRecord created;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), created));
    EXPECT_STREQ(created.name, "Ari");
    // Scenario 1 was chosen (100 + 1); the first entry's story has been
    // shown, which takes the 100 off; the kit itself waits for the first command.
    EXPECT_EQ(created.scenario, 1);
    EXPECT_EQ(created.plr_version, 371);
    EXPECT_EQ(created.month, 6);
    EXPECT_EQ(folder.read("ARI/story.txt").rfind("Scenario: ", 0), 0u);

    // Start again and load the saved character.
    folder.write("load_keys.txt", "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n");
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_KEYS='" + folder.file("load_keys.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord loaded;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), loaded));
    EXPECT_STREQ(loaded.name, "Ari");
    EXPECT_EQ(loaded.culture, created.culture);
    EXPECT_EQ(loaded.str, created.str);
    EXPECT_EQ(loaded.height_in, created.height_in);
}

}  // namespace
