// Death at the keys, through the real program: the saved character is
// loaded and zoomed in, a scene cools the body to 30 degrees, and one rest
// turn later the body check kills it. The death screen shows the memorial,
// the character folder is gone, the ancestors' slot holds the record, and
// the start menu's ANCESTORS page lists it. The ring starts at slot 1 (the slot
// after the last, 0 when none is written).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/ancestors.h"
#include "game/player.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in
// (the scene is applied).
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
// From the start menu: ANCESTORS, a shot, ESC, and QUIT.
constexpr const char* kAncestorsThenQuit =
    "[DOWN]\n[DOWN]\n[DOWN]\n[ENTER]\n{shot ancestors}\n[ESC]\n[DOWN]\n[DOWN]\n[DOWN]\n[ENTER]\n";

std::vector<uint8_t> bmp(const PlayFolder& f, const std::string& name) {
    std::vector<uint8_t> bytes;
    read_whole_file(f.file("shots/" + name + ".bmp"), bytes);
    return bytes;
}

TEST(DeathGame, ColdKillsAndTheAncestorsPageListsTheDead) {
    // The empty page of a fresh install first, for comparison.
    PlayFolder fresh;
    fresh.write("keys.txt", "[SPACE]\n[SPACE]\n" + std::string(kAncestorsThenQuit));
    make_folder(fresh.file("shots"));
    ASSERT_EQ(run_game(fresh.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + fresh.file("keys.txt") +
                                         "' KSM_TEST_SCREENSHOT='" + fresh.file("shots") + "'"),
              0);
    const std::vector<uint8_t> empty_page = bmp(fresh, "ancestors");
    ASSERT_FALSE(empty_page.empty());

    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("scene.txt", "open 3\nweather clear\nbodytemp 30\n");
    make_folder(folder.file("shots"));
    // "." rests a turn; the death message and the death screen each take a
    // key.
    folder.write("keys.txt", std::string(kLoad) + "[.]\n[SPACE]\n{shot death}\n[SPACE]\n" + kAncestorsThenQuit);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCENE='" + folder.file("scene.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");

    EXPECT_FALSE(folder.exists("ARI")) << "the character folder stays";
    EXPECT_EQ(folder.read("ANCESTORS/lastentry.txt"), "1\n");
    EXPECT_EQ(folder.read("ANCESTORS/1/charfile.txt"), "ARI\n");
    std::vector<uint8_t> anc;
    ASSERT_TRUE(read_whole_file(folder.file("ANCESTORS/1/ARI.ANC"), anc));
    ASSERT_EQ(anc.size(), size_t(ANC_FILE_SIZE));
    EXPECT_STREQ(reinterpret_cast<const char*>(anc.data()), "froze to death");
    EXPECT_EQ(anc[ANC_FORMAT_OFFSET], 0x73);
    PlayerRecord rec;
    std::memcpy(&rec, anc.data() + ANC_RECORD_OFFSET, sizeof rec);
    EXPECT_EQ(rec.cause_of_death, -107);
    EXPECT_STREQ(rec.name, "Ari");
    EXPECT_TRUE(folder.exists("ANCESTORS/1/deathmsg.txt"));
    EXPECT_TRUE(folder.exists("ANCESTORS/1/ARI.OBJ"));
    EXPECT_FALSE(bmp(folder, "death").empty());

    const std::vector<uint8_t> listed = bmp(folder, "ancestors");
    ASSERT_EQ(listed.size(), empty_page.size());
    EXPECT_NE(listed, empty_page) << "the list shows no ancestor";
}

}  // namespace
