// Ending a game: the quit confirmation by scripted answers, the character's
// death, and the removal of a dead character's folder.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <string>

#include "console/console.h"
#include "objects/map_object_table.h"
#include "base/config.h"
#include "shell/commands.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/save_load.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "ui/canvas.h"

namespace {

std::deque<int> script;

int scripted_key() {
    if (script.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    int k = script.front();
    script.pop_front();
    mouse_flag = false;
    return k;
}

// The ancestors' slots written.
int ancestor_slots() {
    int n = 0;
    for (int slot = 0; slot < 50; ++slot)
        if (path_exists("ANCESTORS/" + std::to_string(slot))) ++n;
    return n;
}

class QuitTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_Init(SDL_INIT_EVENTS);
        world = make_fixture_world("TESTER");
        Plr.bodytemp = 37.0f;
        script.clear();
        quit_request = 0;
        quit_state = 0;
        quit_now = 0;
        museum_mode = 0;
        menu_key_reader = scripted_key;
        skip_message_pauses = true;
        messages_suppressed = false;
        clear_stub_calls();
        // The death message's pause reads the keyboard: an empty key script
        // answers it (as a closed window, then ESC).
        folder.write("keys.txt", "");
        setenv("KSM_TEST_KEYS", folder.file("keys.txt").c_str(), 1);
        reset_test_keys();
        ASSERT_TRUE(save_character(SAVE_QUIET));
        folder.write("TESTER/LOG", "no dot\n");
        folder.write("TESTER/notes", "no dot either\n");
        last_message[0] = 0;
    }
    void TearDown() override {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
        menu_key_reader = nullptr;
        quit_request = 0;
        quit_state = 0;
        museum_mode = 0;
        skip_message_pauses = false;
        SDL_Quit();
    }
    std::string log() const { return folder.exists("TESTER/msglog.txt") ? folder.read("TESTER/msglog.txt") : ""; }

    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(QuitTest, NoOrEscAtAreYouSureKeepsPlaying) {
    for (int answer : {int('N'), KEY_ESC}) {
        script = {answer};
        Plr.days_played = 5;
        const std::string before = folder.read("TESTER/TESTER.KMS");
        EXPECT_EQ(confirm_quit(0), 0) << answer;
        EXPECT_NE(log().find("Quit cancelled, the gameplay continues."), std::string::npos) << log();
        EXPECT_EQ(folder.read("TESTER/TESTER.KMS"), before);
        EXPECT_EQ(quit_state, 0);
    }
}

TEST_F(QuitTest, YesAndSaveSavesAndEnds) {
    script = {'Y', 'Y'};
    Plr.days_played = 12;
    EXPECT_EQ(confirm_quit(0), 1);
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), saved));
    EXPECT_EQ(saved.days_played, 12);
    EXPECT_NE(log().find("Your character has been saved."), std::string::npos);
    EXPECT_EQ(quit_state, 0);
    EXPECT_TRUE(folder.exists("TESTER"));
}

TEST_F(QuitTest, AFailedSaveKeepsTheGameGoing) {
    remove_file(folder.file("TESTER/TESTER.KMS"));
    std::filesystem::create_directory(folder.file("TESTER/TESTER.KMS"));  // can't be replaced
    script = {'Y', 'Y'};
    EXPECT_EQ(confirm_quit(0), 0);
    EXPECT_NE(log().find("could not be saved"), std::string::npos) << log();
    EXPECT_EQ(log().find("Your character has been saved."), std::string::npos);
    EXPECT_EQ(quit_state, 0);
}

// Ctrl+S saves and ends the game; a save that failed keeps the game going
// and the record on disk as it was.
TEST_F(QuitTest, CtrlSWhoseSaveFailedKeepsTheGameGoing) {
    Plr.days_played = 31;
    arm_file_fault(1, true);
    EXPECT_EQ(run_command_key(KEY_CTRL_S, false), 1);
    disarm_file_fault();
    EXPECT_NE(std::strstr(last_message, "could not be saved"), nullptr) << last_message;
    EXPECT_EQ(quit_state, 0);
    PlayerRecord on_disk;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), on_disk));
    EXPECT_NE(on_disk.days_played, 31);

    EXPECT_EQ(run_command_key(KEY_CTRL_S, false), 0);
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), on_disk));
    EXPECT_EQ(on_disk.days_played, 31);
}

TEST_F(QuitTest, RefusingToSaveAndNotWishingToDieStillSaves) {
    script = {'Y', 'N', 'N'};
    Plr.days_played = 13;
    EXPECT_EQ(confirm_quit(0), 1);
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), saved));
    EXPECT_EQ(saved.days_played, 13);
    EXPECT_NE(log().find("Your character will die if you don't save now!"), std::string::npos);
}

TEST_F(QuitTest, WishingToDieRemovesTheFolderAndMakesOneAncestor) {
    script = {'Y', 'N', 'Y'};
    Data[7].TYPE = 1;
    Data[7].x = 3;
    EXPECT_EQ(confirm_quit(0), 1);
    EXPECT_FALSE(folder.exists("TESTER"));
    EXPECT_EQ(ancestor_slots(), 1);
    EXPECT_EQ(quit_state, -1);
    EXPECT_EQ(Plr.cause_of_death, -103);
    EXPECT_EQ(Data[7].TYPE, 0);
    EXPECT_EQ(Data[7].x, 0);
    // Dying again in the same turn does nothing more.
    plr_die();
    EXPECT_EQ(ancestor_slots(), 1);
}

TEST_F(QuitTest, MuseumModeCanOnlyQuitByDying) {
    museum_mode = 1;
    script = {'Y', 'N'};
    EXPECT_EQ(confirm_quit(0), 0);
    EXPECT_TRUE(folder.exists("TESTER"));
    script = {'Y', 'Y'};
    EXPECT_EQ(confirm_quit(0), 1);
    EXPECT_FALSE(folder.exists("TESTER"));
    EXPECT_EQ(quit_state, -1);
}

TEST_F(QuitTest, AClosedWindowBehindTheQuitEndsTheProgramAfterwards) {
    quit_request = 1;
    script = {'Y', 'Y'};
    EXPECT_EQ(confirm_quit(0), 1);
    EXPECT_EQ(quit_now, 1);
    EXPECT_EQ(quit_request, 0);
}

TEST_F(QuitTest, TheSaveCommandSavesWithoutAsking) {
    Plr.days_played = 21;
    EXPECT_EQ(confirm_quit(1), 1);
    EXPECT_TRUE(script.empty());
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), saved));
    EXPECT_EQ(saved.days_played, 21);
}

TEST_F(QuitTest, ASaveCommandThatFailsKeepsTheGameGoing) {
    Plr.days_played = 21;
    arm_file_fault(1, true);  // nothing reaches the disk
    EXPECT_EQ(confirm_quit(1), 0);
    disarm_file_fault();
    EXPECT_STREQ(last_message, "!The game goes on, as your character could not be saved.");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), saved));
    EXPECT_NE(saved.days_played, 21);  // the good save of before stays
    // A save that works ends the game with the map view off, so that the
    // start menu is not painted over.
    map_view_state = 1;
    EXPECT_EQ(confirm_quit(1), 1);
    EXPECT_EQ(map_view_state, 0);
}

TEST_F(QuitTest, PlrDieTwiceMakesOneAncestor) {
    plr_die();
    plr_die();
    EXPECT_EQ(ancestor_slots(), 1);
    EXPECT_EQ(quit_state, -1);
    EXPECT_FALSE(folder.exists("TESTER"));
}

// ------------------------------------------------------------ folder removal

TEST(FolderRemoval, RefusesWhatIsNotACharacterFolder) {
    PlayFolder folder{false};
    const std::string cwd = current_folder();
    folder.write("game.txt", "the game's own file\n");
    make_folder(folder.file("HERO"));
    folder.write("HERO/HERO.KMS", std::string(5716, 'h'));
    make_folder(folder.file("NOKMS"));
    folder.write("NOKMS/other.txt", "x");
    make_folder(folder.file("PROGRAM"));
    folder.write("PROGRAM/PROGRAM.KMS", "x");
    folder.write("PROGRAM/kesmorra.exe", "x");
    make_folder(folder.file("PROGRAM2"));
    folder.write("PROGRAM2/PROGRAM2.KMS", "x");
    make_folder(folder.file("PROGRAM2/kesmorra"));

    const char* refused[] = {"", ".", "..", "HERO/..", "../HERO", "HE\\RO", "/tmp", "NOKMS", "MISSING",
                             "PROGRAM", "PROGRAM2"};
    for (const char* name : refused) {
        EXPECT_EQ(remove_character_folder_at("", name), FolderRemoval::Refused) << name;
        EXPECT_EQ(current_folder(), cwd) << name;
    }
    EXPECT_EQ(remove_character_folder_at("", nullptr), FolderRemoval::Refused);
    EXPECT_TRUE(folder.exists("game.txt"));
    EXPECT_TRUE(folder.exists("HERO/HERO.KMS"));
    EXPECT_TRUE(folder.exists("NOKMS/other.txt"));
    EXPECT_TRUE(folder.exists("PROGRAM/kesmorra.exe"));
    EXPECT_TRUE(folder.exists("PROGRAM2/PROGRAM2.KMS"));
}

TEST(FolderRemoval, DeletesEveryFileAndTheFolderButNothingOutside) {
    PlayFolder folder{false};
    const std::string cwd = current_folder();
    folder.write("outside.txt", "stays\n");
    make_folder(folder.file("HERO"));
    for (const char* f : {"HERO/HERO.KMS", "HERO/HERO.OBJ", "HERO/LOG", "HERO/LOG2", "HERO/nodot", "HERO/.hidden"})
        folder.write(f, "x");
    std::filesystem::create_symlink(folder.file("outside.txt"), folder.file("HERO/link"));
    EXPECT_EQ(remove_character_folder_at(folder.path(), "hero"), FolderRemoval::Removed);
    EXPECT_FALSE(folder.exists("HERO"));
    EXPECT_EQ(folder.read("outside.txt"), "stays\n");
    EXPECT_EQ(current_folder(), cwd);
}

TEST(FolderRemoval, AFolderThatStaysLosesItsCharacterFile) {
    PlayFolder folder{false};
    make_folder(folder.file("HERO"));
    folder.write("HERO/HERO.KMS", "x");
    make_folder(folder.file("HERO/sub"));
    folder.write("HERO/sub/keep", "x");
    EXPECT_EQ(remove_character_folder_at("", "HERO"), FolderRemoval::Failed);
    EXPECT_FALSE(folder.exists("HERO/HERO.KMS"));
    EXPECT_TRUE(folder.exists("HERO/sub/keep"));
}

}  // namespace
