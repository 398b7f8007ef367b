// Shooting at the keys, through the real program: the saved character is
// loaded and zoomed in to its local map, where a scene puts a wolf three
// squares east and a bow and arrows in the player's hands. "t" shoots the
// arrow in hand without the item list; the cursor goes three squares east
// and ENTER lets the arrow fly. An unstrung bow refuses every throw, and
// ESC at the target puts the arrow back.
#include <gtest/gtest.h>

#include <string>

#include "game/player.h"
#include "game/save_load.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in
// (the scene is applied).
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
// Q and two yes answers save and quit.
constexpr const char* kQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

class MissileGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
    }
    std::string run(const std::string& scene, const std::string& keys) { return run_in(folder_, scene, keys); }
    static std::string run_in(PlayFolder& f, const std::string& scene, const std::string& keys) {
        f.write("scene.txt", scene);
        f.write("keys.txt", keys);
        const int code = run_game(f.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + f.file("keys.txt") +
                                                "' KSM_TEST_SCENE='" + f.file("scene.txt") + "'");
        EXPECT_EQ(code, 0) << f.read("game_stderr.txt");
        return f.read("ARI/msglog.txt");
    }
    static int carried(const PlayFolder& f) {
        PlayerRecord rec;
        if (!read_player_record(f.file("ARI/ARI.KMS"), rec)) return -1;
        int n = 0;
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (rec.plr_inv_id[s] != 0) n += rec.plr_inv_count[s];
        return n;
    }
    PlayFolder folder_;
};

constexpr const char* kArmed =
    "open 5\n"
    "weather clear\n"
    "creature 611 3 0\n"
    "item Shortbow 1 wield 1 strung\n"
    "item Arrow 3 wield 2\n";

TEST_F(MissileGame, AStrungBowShootsTheArrowInHandAtTheWolf) {
    const std::string log = run(kArmed, std::string(kLoad) + "[t]\n[RIGHT]\n[RIGHT]\n[RIGHT]\n[ENTER]\n[B]\n" + kQuit);
    EXPECT_EQ(log.find("What do you want to throw"), std::string::npos) << log;
    const size_t aim = log.find("You nock an arrow and draw.");
    ASSERT_NE(aim, std::string::npos) << log;
    // The launch is graded, and the flight ends somewhere: on the wolf, past
    // it or on the ground.
    bool graded = false;
    for (const char* grade : {"A poor shot", "A weak shot", "A good shot!", "An excellent shot!"})
        graded = graded || log.find(grade, aim) != std::string::npos;
    EXPECT_TRUE(graded) << log;
    // The missile meets the wolf, or the ground past it.
    const bool ended = log.find("Wolf", aim) != std::string::npos || log.find("missile", aim) != std::string::npos;
    EXPECT_TRUE(ended) << log;
}

TEST_F(MissileGame, AnUnstrungBowRefusesEveryThrowAndEscapeKeepsTheArrow) {
    std::string log = run(
        "open 5\nweather clear\ncreature 611 3 0\nitem Shortbow 1 wield 1\nitem Arrow 3 wield 2\n",
        std::string(kLoad) + "[t]\n" + kQuit);
    EXPECT_NE(log.find("The bow has no string! You can't shoot with it."), std::string::npos) << log;
    EXPECT_EQ(log.find("You nock an arrow"), std::string::npos) << log;

    // Strung this time, but ESC at the target: nothing flies, nothing is
    // lost (the same as a game where "t" was never pressed).
    PlayFolder escaped, untouched;
    std::string why;
    ASSERT_TRUE(copy_created_character(escaped, &why)) << why;
    ASSERT_TRUE(copy_created_character(untouched, &why)) << why;
    log = run_in(escaped, kArmed, std::string(kLoad) + "[t]\n[ESC]\n" + kQuit);
    EXPECT_NE(log.find("You nock an arrow and draw."), std::string::npos) << log;
    EXPECT_EQ(log.find(" shot"), std::string::npos) << log;
    run_in(untouched, kArmed, std::string(kLoad) + kQuit);
    EXPECT_EQ(carried(escaped), carried(untouched)) << "the cancelled shot took something away";
}

}  // namespace
