// A skill picked on the skills screen, through the real program: the new
// character loads, zooms in to a local map, opens the skills screen with
// "s" and picks CLIMBING by its key letter; the game says it is using the
// skill and hands it to the skill's task.
#include <gtest/gtest.h>

#include <string>

#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in;
// "s" opens the skills screen and "l" is CLIMBING's key; then Q and two
// yes answers save and quit.
constexpr const char* kKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n"
    "[ENTER]\n[s]\n[l]\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

TEST(SkillsGame, TheSkillsScreenPicksClimbingAndTheGameUsesIt) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("keys.txt", kKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    const std::string log = folder.read("ARI/msglog.txt");
    const size_t zoomed = log.find("Zooming in");
    ASSERT_NE(zoomed, std::string::npos) << log;
    const size_t using_it = log.find("Using: CLIMBING", zoomed);
    ASSERT_NE(using_it, std::string::npos) << log;
    // Its task is not there yet: the dispatcher says so.
    EXPECT_NE(log.find("Not available yet.", using_it), std::string::npos) << log;
}

}  // namespace
