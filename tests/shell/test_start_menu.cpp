// The start menu, its pages and the intro, driven by key scripts in a play
// folder; the version text; the list of saved characters.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/config.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "shell/start_menu.h"
#include "support/play_folder.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "support/saved_game.h"
#include "support/screen_session.h"

namespace {

struct KeyScript {
    KeyScript(const PlayFolder& play, const std::string& tokens) {
        play.write("keys.txt", tokens);
        setenv("KSM_TEST_KEYS", play.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
    ~KeyScript() {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
    }
};

std::string record_named(const char* name) {
    PlayerRecord rec{};
    copy_text(rec.name, name);
    return std::string(reinterpret_cast<const char*>(&rec), sizeof rec);
}

void make_character(const PlayFolder& play, const std::string& folder, const char* name) {
    make_folder(play.file(folder));
    play.write(folder + "/" + folder + ".KMS", record_named(name));
}

std::string repeat(const std::string& token, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += token + "\n";
    return out;
}

TEST(StartMenuRows, ByModeAndBonusFolder) {
    using Rows = std::vector<std::string>;
    EXPECT_EQ(start_menu_rows(false, false),
              (Rows{"LOAD SAVED CHARACTER", "CREATE A CHARACTER", "SETUP", "ANCESTORS", "ABOUT", "CREDITS", "QUIT"}));
    EXPECT_EQ(start_menu_rows(false, true),
              (Rows{"LOAD SAVED CHARACTER", "CREATE A CHARACTER", "SETUP", "ANCESTORS", "ABOUT", "CREDITS", "QUIT",
                    "BONUS MATERIAL"}));
    EXPECT_EQ(start_menu_rows(true, true), (Rows{"", "CREATE A CHARACTER", "", "ANCESTORS", "ABOUT", "CREDITS"}));
    for (int row = 0; row <= 7; ++row) EXPECT_EQ(start_menu_action(row), row);
    EXPECT_EQ(start_menu_action(-1), -1);
    EXPECT_EQ(start_menu_action(8), -1);
}

TEST(StartMenuFiles, VersionTextAndBonusFolder) {
    PlayFolder play{false};
    EXPECT_STREQ(version_text(), "1.0 (stable)");
    play.write("verno.ksm", "// our version\n## note\n2.3 (test)\r\nignored\n");
    EXPECT_STREQ(version_text(), "2.3 (test)");

    EXPECT_EQ(bonus_material_folder(), "");
    play.write("bonusmaterial", "a file, not a folder");
    EXPECT_EQ(bonus_material_folder(), "");
    remove_file("bonusmaterial");
    make_folder(play.file("BonusMaterial"));
    EXPECT_EQ(bonus_material_folder(), "BonusMaterial");
}

TEST(StartMenuFiles, SavedCharacterListIsBoundedAndLeavesTheLiveRecord) {
    PlayFolder play{false};
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.name, "LIVE");
    for (int i = 0; i < 34; ++i) {
        char folder[16];
        format_text(folder, sizeof folder, "HERO%02d", i);
        make_character(play, folder, folder);
    }
    make_folder(play.file("EMPTYDIR"));
    // A name that fills its whole field is cut at 12 characters.
    make_folder(play.file("AAALONG"));
    std::string overlong(5716, '\0');
    std::memset(&overlong[0], 'L', 40);
    play.write("AAALONG/AAALONG.KMS", overlong);

    const std::vector<SavedCharacter> list = list_saved_characters();
    ASSERT_EQ(list.size(), 32u);
    EXPECT_EQ(list[0].folder, "AAALONG");
    EXPECT_STREQ(list[0].name, "LLLLLLLLLLLL");
    EXPECT_EQ(list[1].folder, "HERO00");
    EXPECT_STREQ(list[1].name, "HERO00");
    EXPECT_EQ(list[31].folder, "HERO30");
    EXPECT_STREQ(Plr.name, "LIVE");
}

class StartMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        quit_state = 0;
        quit_request = 0;
        museum_mode = 0;
        character_name[0] = 0;
    }
    void TearDown() override {
        in_start_menu = 0;
        quit_request = 0;
        museum_mode = 0;
        character_name[0] = 0;
    }
    PlayFolder play{true};
    ScreenSession screen;
};

TEST_F(StartMenuTest, QuitRowEndsTheMenu) {
    KeyScript keys(play, repeat("[DOWN]", 6) + "[ENTER]\n");
    start_menu();
    EXPECT_EQ(quit_state, 1);
    EXPECT_EQ(in_start_menu, 1);
    EXPECT_TRUE(test_keys_used_up());
}

TEST_F(StartMenuTest, PagesReturnToTheMenu) {
    // About, credits, then quit: after each page the highlight stays on the
    // row that opened it, so one step down reaches the next row.
    KeyScript keys(play, repeat("[DOWN]", 4) + "[ENTER]\n[x]\n[DOWN]\n[ENTER]\n[x]\n[DOWN]\n[ENTER]\n");
    start_menu();
    EXPECT_EQ(quit_state, 1);
    EXPECT_TRUE(test_keys_used_up());
}

// A character the game can load: saved by the game itself. A folder with
// only a record in it is listed by its name but refused when chosen.
void make_loadable_character(const std::string& folder) {
    make_saved_game(folder);
    character_name[0] = 0;
}

TEST_F(StartMenuTest, LoadingPicksTheChosenFolderAndRefusesOneThatCannotLoad) {
    make_character(play, "ANNA", "Anna");
    make_loadable_character("BERTIL");
    const std::string anna_record = play.read("ANNA/ANNA.KMS");
    // Anna first: refused with its reasons, a key back to the menu, whose
    // highlight stays on the load row; then Bertil.
    KeyScript keys(play, "[ENTER]\n[ENTER]\n[x]\n[ENTER]\n[DOWN]\n[ENTER]\n");
    start_menu();
    EXPECT_TRUE(test_keys_used_up());
    EXPECT_EQ(quit_state, 0);
    EXPECT_STREQ(character_name, "BERTIL");
    EXPECT_EQ(play.read("ANNA/ANNA.KMS"), anna_record) << "nothing of a refused character changes";
}

TEST_F(StartMenuTest, ThirtyFourCharactersShowThirtyTwo) {
    make_loadable_character("HERO00");
    for (int i = 1; i < 34; ++i) {
        char folder[16];
        format_text(folder, sizeof folder, "HERO%02d", i);
        make_character(play, folder, folder);
    }
    KeyScript keys(play, "[ENTER]\n[ENTER]\n");
    start_menu();
    EXPECT_TRUE(test_keys_used_up());
    EXPECT_STREQ(character_name, "HERO00");
    EXPECT_EQ(list_header.count, 32 + 2);  // the characters, a blank row and Exit
}

TEST_F(StartMenuTest, NoSavedCharactersAndEscapeChangeNothing) {
    KeyScript keys(play, "[ENTER]\n[x]\n" + repeat("[DOWN]", 6) + "[ENTER]\n");
    start_menu();
    EXPECT_STREQ(character_name, "");
    EXPECT_EQ(quit_state, 1);

    make_character(play, "ANNA", "Anna");
    KeyScript again(play, "[ENTER]\n[ESC]\n" + repeat("[DOWN]", 6) + "[ENTER]\n");
    start_menu();
    EXPECT_STREQ(character_name, "");
    EXPECT_EQ(quit_state, 1);
}

TEST_F(StartMenuTest, CreationMenuEscapeGoesBackWithoutCreating) {
    KeyScript keys(play, "[DOWN]\n[ENTER]\n[ESC]\n" + repeat("[DOWN]", 6) + "[ENTER]\n");
    start_menu();
    EXPECT_STREQ(character_name, "");
    EXPECT_EQ(quit_state, 1);
}

TEST_F(StartMenuTest, MuseumModeBlanksLoadAndSetupAndStartsOnCreate) {
    museum_mode = 1;
    make_folder(play.file("BONUSMATERIAL"));
    ASSERT_EQ(build_start_menu(), 6);
    EXPECT_EQ(list_header.count, 6);
    EXPECT_EQ(list_header.current, 1);
    EXPECT_TRUE(list_items[0].disabled);
    EXPECT_TRUE(list_items[2].disabled);
    EXPECT_STREQ(list_items[1].text, "CREATE A CHARACTER");
    EXPECT_STREQ(list_items[5].text, "CREDITS");

    museum_mode = 0;
    ASSERT_EQ(build_start_menu(), 8);
    EXPECT_STREQ(list_items[7].text, "BONUS MATERIAL");
    EXPECT_EQ(list_header.current, 0);
}

TEST_F(StartMenuTest, TheFirstKeyCutsTheIntro) {
    KeyScript keys(play, "[x]\n[y]\n");
    const Uint32 start = SDL_GetTicks();
    intro_scren();
    EXPECT_LT(SDL_GetTicks() - start, 5000u);
    EXPECT_TRUE(test_keys_active());  // "y" is still waiting
    EXPECT_EQ(quit_request, 0);
}

// ------------------------------------------------------------ whole program

TEST(StartMenuBlackBox, ClosingTheWindowAtTheStartMenuExitsWithZero) {
    PlayFolder play;
    play.write("keys.txt", "[x]\n");  // cuts the intro; then the script is used up
    EXPECT_EQ(run_game(play.path(), "KSM_TEST_KEYS=" + play.file("keys.txt")), 0) << play.read("game_stderr.txt");
}

TEST(StartMenuBlackBox, QuitRowLeavesThroughTheFarewellWithZero) {
    PlayFolder play;
    play.write("keys.txt", "[x]\n" + repeat("[DOWN]", 6) + "[ENTER]\n");
    EXPECT_EQ(run_game(play.path(), "KSM_TEST_KEYS=" + play.file("keys.txt")), 0) << play.read("game_stderr.txt");
}

}  // namespace
