// The first playable game, end to end, through the real program: a new
// character (made once per build, see created_character.h) is loaded, steps
// out on the world map, zooms in to a local map, walks there, saves and
// quits; a second start loads it back at the same place and time.
#include <gtest/gtest.h>

#include <string>

#include "game/player.h"
#include "game/turn_state.h"
#include "support/created_character.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character. In the game: four
// steps forward on the world map (east), ENTER zooms in, three steps east
// on the local map, then Q and two yes answers save and quit.
constexpr const char* kNewGameKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n"
    "[UP]\n[UP]\n[UP]\n[UP]\n[ENTER]\n[UP]\n[UP]\n[UP]\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

// Intro pages, LOAD SAVED CHARACTER, the only character; then at once save
// and quit again, so that the record on disk shows where the loaded game
// stood.
constexpr const char* kLoadKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";

// How often the character's message log says the game was saved.
int count_saves(const std::string& log) {
    const std::string said = "Your character has been saved.";
    int n = 0;
    for (size_t at = log.find(said); at != std::string::npos; at = log.find(said, at + said.size())) ++n;
    return n;
}

class FirstGame : public ::testing::Test {
protected:
    PlayFolder folder;

    // Runs the game with a key script and a fixed seed; returns the exit code.
    int run_with_keys(const std::string& name, const char* keys) {
        folder.write(name + ".txt", keys);
        return run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file(name + ".txt") + "'");
    }
};

TEST_F(FirstGame, NewCharacterWalksSavesAndLoadsAtTheSamePlaceAndTime) {
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    ASSERT_EQ(run_with_keys("new_game", kNewGameKeys), 0) << folder.read("game_stderr.txt");
    EXPECT_EQ(count_saves(folder.read("ARI/msglog.txt")), 1);

    // Every file of a new game is in the character folder.
    EXPECT_EQ(file_size(folder.file("ARI/ARI.KMS")), 5716);
    for (const char* name : {"ARI.OBJ", "WORLD.DAT", "WORLD.PLM", "kulttuuri.dat", "names.dat", "MARKER.DAT",
                             "ZOOMINDEX.DAT", "ZOOMMAPS.DAT", "GLOBWEATHER.DAT", "story.txt", "portrait.png"})
        EXPECT_TRUE(folder.exists(std::string("ARI/") + name)) << name;

    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    EXPECT_STREQ(saved.name, "Ari");
    // Saved on the local map the zoom led to, inside its play area, after
    // the steps: the world-map steps took minutes of game time.
    EXPECT_STREQ(saved.map_name, "ZOOMMAP");
    EXPECT_GE(saved.x, 72);
    EXPECT_LE(saved.x, 391);
    EXPECT_GE(saved.y, 72);
    EXPECT_LE(saved.y, 391);
    EXPECT_GT(saved.total_minutes, 0);
    EXPECT_EQ(saved.facing, 0);  // east, never turned

    // Start again and load the character.
    ASSERT_EQ(run_with_keys("load_game", kLoadKeys), 0) << folder.read("game_stderr.txt");
    // The loaded game was saved again (so the record below is what it held).
    ASSERT_EQ(count_saves(folder.read("ARI/msglog.txt")), 2);
    EXPECT_EQ(file_size(folder.file("ARI/ARI.KMS")), 5716);
    PlayerRecord loaded;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), loaded));
    EXPECT_STREQ(loaded.name, "Ari");
    EXPECT_STREQ(loaded.map_name, saved.map_name);
    EXPECT_EQ(loaded.x, saved.x);
    EXPECT_EQ(loaded.y, saved.y);
    EXPECT_EQ(loaded.zoom_origin_x, saved.zoom_origin_x);
    EXPECT_EQ(loaded.zoom_origin_y, saved.zoom_origin_y);
    EXPECT_EQ(loaded.facing, saved.facing);
    EXPECT_EQ(loaded.month, saved.month);
    EXPECT_EQ(loaded.day, saved.day);
    EXPECT_EQ(loaded.hour, saved.hour);
    EXPECT_EQ(loaded.minute, saved.minute);
    EXPECT_EQ(loaded.total_minutes, saved.total_minutes);
    EXPECT_EQ(loaded.days_played, saved.days_played);
}

}  // namespace
