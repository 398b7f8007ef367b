// The player meets a damaged character file where it happens: in the start
// menu's list of saved characters. The real program offers the newest good
// backup, loads the game from it when the player says yes, and tells what
// it did; when the player says no, nothing of the character changes.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "support/play_folder.h"
#include "support/saved_game.h"
#include "base/platform.h"

namespace {

// The intro pages, then LOAD SAVED CHARACTER and the only character.
constexpr const char* kChooseTheCharacter = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n";

// True when a frame of the run shows the offer's warning line in its light
// red at the top of the page.
bool a_frame_shows_the_warning(const std::string& shots) {
    for (const auto& entry : std::filesystem::directory_iterator(shots)) {
        SDL_Surface* frame = SDL_LoadBMP(entry.path().string().c_str());
        if (!frame) continue;
        bool found = false;
        for (int x = 20; x < 400 && !found; ++x)
            for (int y = 248; y < 258 && !found; ++y) {
                const Uint32 v = *reinterpret_cast<Uint32*>(static_cast<uint8_t*>(frame->pixels) + y * frame->pitch +
                                                            x * frame->format->BytesPerPixel);
                SDL_Color c{};
                SDL_GetRGB(v, frame->format, &c.r, &c.g, &c.b);
                found = c.r == 255 && c.g == 128 && c.b == 96;
            }
        SDL_FreeSurface(frame);
        if (found) return true;
    }
    return false;
}

class DamagedCharacter : public ::testing::Test {
protected:
    void SetUp() override {
        make_saved_game("TESTER");
        // The character file is damaged behind the game's back.
        std::vector<uint8_t> bytes = read_fixture_file(folder.file("TESTER/TESTER.KMS"));
        ASSERT_EQ(bytes.size(), 5716u);
        for (size_t i = 20; i < bytes.size(); i += 3) bytes[i] = uint8_t(i * 7);
        write_fixture_file(folder.file("TESTER/TESTER.KMS"), bytes.data(), bytes.size());
        damaged = bytes;
        install_folder[0] = 0;
        character_name[0] = 0;
    }

    int run_with_keys(const std::string& name, const std::string& keys) {
        folder.write(name + ".txt", keys);
        std::filesystem::create_directories(folder.file(name + "_shots"));
        return run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file(name + ".txt") +
                                           "' KSM_TEST_SCREENSHOT='" + folder.file(name + "_shots") + "'");
    }

    PlayFolder folder{true};
    std::vector<uint8_t> damaged;
};

TEST_F(DamagedCharacter, LoadingItOffersTheNewestGoodBackupAndTellsWhatWasUsed) {
    // Yes to the backup; in the game, a key for the notice's pause, then Q
    // and two yes answers save and quit.
    ASSERT_EQ(run_with_keys("yes", std::string(kChooseTheCharacter) + "[y]\n[SPACE]\n[Q]\n[y]\n[y]\n[SPACE]\n"),
              0)
        << folder.read("game_stderr.txt");
    // The offer was on the screen: a frame shows its warning line.
    EXPECT_TRUE(a_frame_shows_the_warning(folder.file("yes_shots")));
    const std::string log = folder.read("TESTER/msglog.txt");
    const size_t told = log.find("TESTER.KMS was damaged");
    ASSERT_NE(told, std::string::npos) << log;
    EXPECT_NE(log.find("the character was loaded from its backup TESTER.B", told), std::string::npos) << log;
    // The game went on from the backup and was saved again, whole.
    EXPECT_NE(log.find("Your character has been saved.", told), std::string::npos) << log;
    const std::vector<uint8_t> record = read_fixture_file(folder.file("TESTER/TESTER.KMS"));
    std::string why;
    EXPECT_EQ(judge_character_record("TESTER", "TESTER.KMS", record.data(), record.size(), &why),
              RecordVerdict::Good)
        << why;
}

TEST_F(DamagedCharacter, SayingNoChangesNothingOfTheCharacter) {
    const FolderSnapshot before = snapshot_folder("TESTER");
    // No to the backup, then QUIT from the start menu.
    folder.write("no.txt", std::string(kChooseTheCharacter) +
                               "[n]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[ENTER]\n");
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_KEYS='" + folder.file("no.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    std::string difference;
    EXPECT_TRUE(snapshot_folder("TESTER").same_as(before, &difference)) << difference;
    EXPECT_EQ(read_fixture_file(folder.file("TESTER/TESTER.KMS")), damaged);
}

}  // namespace
