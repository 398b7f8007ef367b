// A fight at the keys, through the real program: the saved character is
// loaded and zoomed in to its local map, where a scene puts a wolf on the
// attack beside it (east). "0" kicks, the right arrow gives the direction
// and "B" aims at the body; the message log tells the declaration, the
// exchange and what the blow did, in that order. ESC at the target prompt
// takes no time and leaves nothing to repeat. Left alone, the wolf bites
// on its turns and the player is asked how to defend.
#include <gtest/gtest.h>

#include <string>

#include "game/player.h"
#include "game/save_load.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

constexpr const char* kScene =
    "open 3\n"
    "creature 611 1 0 attack\n"
    "weather clear\n";
// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in
// (the scene is applied).
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
// Q and two yes answers save and quit.
constexpr const char* kQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

class FightGame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(copy_created_character(folder_, &why)) << why;
        folder_.write("scene.txt", kScene);
    }
    int run(const std::string& keys) {
        folder_.write("keys.txt", keys);
        return run_game(folder_.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder_.file("keys.txt") +
                                            "' KSM_TEST_SCENE='" + folder_.file("scene.txt") + "'");
    }
    PlayFolder folder_;
};

TEST_F(FightGame, AKickAtTheWolfGoesThroughTheExchangeInOrder) {
    ASSERT_EQ(run(std::string(kLoad) + "[0]\n[RIGHT]\n[B]\n" + kQuit), 0) << folder_.read("game_stderr.txt");
    const std::string log = folder_.read("ARI/msglog.txt");
    const size_t attacks = log.find("Wolf attacks!");  // the scene turns the wolf on the player
    ASSERT_NE(attacks, std::string::npos) << log;
    const size_t aimed = log.find("Aiming Zone: Body", attacks);
    ASSERT_NE(aimed, std::string::npos) << log;
    const size_t declared = log.find("You attack the wolf bare-handed.", aimed);
    ASSERT_NE(declared, std::string::npos) << log;
    // The exchange is one sentence about the blow and the wolf's defence,
    // then what the blow did: it missed, struck, or the wolf got away.
    // (A masterly blow has its own words.)
    size_t exchange = log.find("Your attack", declared);
    if (exchange == std::string::npos) exchange = log.find("You attack with", declared);
    ASSERT_NE(exchange, std::string::npos) << log;
    const size_t missed = log.find("You miss the wolf", exchange), hit = log.find("You hit the wolf", exchange);
    const size_t dodged = log.find("wolf dodges", exchange), parried = log.find("Wolf keeps its balance", exchange);
    EXPECT_TRUE(missed != std::string::npos || hit != std::string::npos || dodged != std::string::npos ||
                parried != std::string::npos)
        << log;
}

TEST_F(FightGame, EscapeAtTheTargetPromptTakesNoTime) {
    ASSERT_EQ(run(std::string(kLoad) + kQuit), 0) << folder_.read("game_stderr.txt");
    folder_.write("scene.txt", "");
    PlayerRecord before;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), before));
    // The repeat key after a cancelled kick has nothing to repeat: were the
    // kick remembered, "3" would ask for a target again and eat the Q.
    // Loaded on the local map this time.
    ASSERT_EQ(run("[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[0]\n[ESC]\n[3]\n" + std::string(kQuit)), 0)
        << folder_.read("game_stderr.txt");
    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder_.file("ARI/ARI.KMS"), after));
    EXPECT_EQ(after.total_minutes, before.total_minutes);
    EXPECT_EQ(after.x, before.x);
}

TEST_F(FightGame, TheWolfBitesOnItsTurnAndThePlayerDefends) {
    // Two rests: on each the wolf takes its attack turn, and its bite asks
    // the player how to defend ("D" dodges).
    ASSERT_EQ(run(std::string(kLoad) + "[.]\n[D]\n[.]\n[D]\n" + kQuit), 0) << folder_.read("game_stderr.txt");
    const std::string log = folder_.read("ARI/msglog.txt");
    size_t at = log.find("Wolf attacks!");
    ASSERT_NE(at, std::string::npos) << log;
    for (int bite = 1; bite <= 2; ++bite) {
        at = log.find("Wolf attacks you", at + 1);
        ASSERT_NE(at, std::string::npos) << "bite " << bite << "\n" << log;
        at = log.find("Defense Maneuver: Dodge", at);
        ASSERT_NE(at, std::string::npos) << "bite " << bite << "\n" << log;
        at = log.find("It attacks with", at);
        ASSERT_NE(at, std::string::npos) << "bite " << bite << "\n" << log;
    }
    EXPECT_EQ(log.find("Wolf attacks you", at), std::string::npos) << "a third bite in two turns\n" << log;
}

TEST_F(FightGame, AKnifeTheSceneWieldsStrikesWithKeyOne) {
    folder_.write("scene.txt", std::string(kScene) + "item Knife 1 wield 1\n");
    ASSERT_EQ(run(std::string(kLoad) + "[1]\n[RIGHT]\n[E]\n[B]\n[D]\n" + kQuit), 0) << folder_.read("game_stderr.txt");
    // The scene put the knife into the first hand; "1" asks the square, the
    // edge and the zone, and strikes with it; the wolf bites back.
    const std::string log = folder_.read("ARI/msglog.txt");
    const size_t taken = log.find("You take the knife in hand.");
    ASSERT_NE(taken, std::string::npos) << log;
    const size_t struck = log.find("You attack the wolf with knife.", taken);
    ASSERT_NE(struck, std::string::npos) << log;
    EXPECT_NE(log.find("Wolf attacks you", struck), std::string::npos) << log;
    EXPECT_EQ(folder_.read("debug_scene!.txt").find("Knife"), std::string::npos);
}

}  // namespace
