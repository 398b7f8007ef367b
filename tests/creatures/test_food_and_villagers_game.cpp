// Hungry animals, villagers and the look at people, through the real
// program with the shared new character loaded and zoomed in, a scene
// (KSM_TEST_SCENE) around the player on open ground:
//  - a hungry sheep walks to the wood sorrel lying six squares from it and
//    eats it while the player rests;
//  - a far look at a villager whose name the player knows tells its look
//    line with the name;
//  - a person next to the player looked at closely ("x") shows its sheet;
//  - a villager of a village with a mischief on record shouts the
//    mischief warning and comes over (waits for the villagers' noticing of
//    the player).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/save_load.h"
#include "support/created_character.h"
#include "support/map_pictures.h"
#include "support/play_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr int KIND_SHEEP = 616, KIND_TRIBESMAN = 530;
constexpr const char* kLoadAndZoomIn = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";
// The villager 2 east (the nearest creature: the look starts on it), the
// sheep 6 west and 3 north with an empty stomach, the sorrel 6 squares
// south of the sheep.
constexpr const char* kScene =
    "open 15\nweather clear\n"
    "creature 530 2 0\nnamed\nvillager mischief\n"
    "creature 616 -6 -3\nenergy 0\n"
    "ground Wood_sorrel 1 -6 3\n";

class FoodAndVillagersGame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // One run serves every test: rest 15 turns, look at the villager,
        // save and quit. A grazing animal looks for food on one free turn
        // in five and a miss sends it wandering for a dozen turns, so the
        // seed is one under which the sheep looks on its first free turn.
        folder_ = new PlayFolder;
        std::string why;
        ASSERT_TRUE(copy_created_character(*folder_, &why)) << why;
        std::string ini = folder_->read("ksm_ini.txt");
        const size_t at = ini.find("[IDLE_ANIMATION:YES]");
        if (at != std::string::npos) ini.replace(at, std::strlen("[IDLE_ANIMATION:YES]"), "[IDLE_ANIMATION:NO]");
        folder_->write("ksm_ini.txt", ini);
        std::string keys = kLoadAndZoomIn;
        for (int i = 0; i < 15; ++i) keys += "[.]\n";
        keys += "{shot rested}\n[l]\n[+]\n{shot look}\n[ENTER]\n{shot told}\n";
        keys += kSaveAndQuit;
        folder_->write("keys.txt", keys);
        folder_->write("scene.txt", kScene);
        fs::create_directories(folder_->file("shots"));
        const std::string env = "KSM_TEST_SEED=6 KSM_TEST_KEYS='" + folder_->file("keys.txt") +
                                "' KSM_TEST_SCREENSHOT='" + folder_->file("shots") + "' KSM_TEST_SCENE='" +
                                folder_->file("scene.txt") + "'";
        exit_code_ = run_game(folder_->path(), env);
        if (const char* keep = std::getenv("KSM_KEEP_SHOTS"))
            fs::copy(folder_->file("shots"), keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }

    void SetUp() override {
        ASSERT_EQ(exit_code_, 0) << folder_->read("game_stderr.txt");
        EXPECT_EQ(folder_->read("debug_scene!.txt"), "") << folder_->read("debug_scene!.txt");
    }

    static std::vector<CreatureRecord> creature_file() {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(read_whole_file(folder_->file("ARI/ARI.CRS"), bytes));
        std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
        if (!file.empty()) std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
        return file;
    }
    static const CreatureRecord* first_of_kind(const std::vector<CreatureRecord>& file, int kind) {
        for (const CreatureRecord& r : file)
            if (r.cre_class != 0 && r.kind == kind) return &r;
        return nullptr;
    }

    static PlayFolder* folder_;
    static int exit_code_;
};
PlayFolder* FoodAndVillagersGame::folder_ = nullptr;
int FoodAndVillagersGame::exit_code_ = -1;

TEST_F(FoodAndVillagersGame, AHungrySheepWalksToTheSorrelAndEatsIt) {
    const std::vector<CreatureRecord> file = creature_file();
    const CreatureRecord* sheep = first_of_kind(file, KIND_SHEEP);
    ASSERT_NE(sheep, nullptr);
    // It ate: its stomach is no longer empty.
    EXPECT_GT(sheep->energy, 0);
}

TEST_F(FoodAndVillagersGame, AFarLookAtAVillagerTellsItsNameAndKind) {
    const std::vector<CreatureRecord> file = creature_file();
    const CreatureRecord* villager = first_of_kind(file, KIND_TRIBESMAN);
    ASSERT_NE(villager, nullptr);
    char own[sizeof villager->personal_name + 1], kind[sizeof villager->name + 1];
    copy_field(own, sizeof own, villager->personal_name, sizeof villager->personal_name);
    copy_field(kind, sizeof kind, villager->name, sizeof villager->name);
    ASSERT_NE(own[0], 0);
    const std::string log = folder_->read("ARI/msglog.txt");
    EXPECT_NE(log.find(std::string(own) + " the " + kind), std::string::npos) << log;
}

TEST(CreatureSheetGame, APersonLookedAtCloselyShowsItsSheetUntilAKey) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    std::string keys = kLoadAndZoomIn;
    keys += "{shot before}\n[x]\n[RIGHT]\n{shot sheet}\n[SPACE]\n{shot after}\n";
    keys += kSaveAndQuit;
    folder.write("keys.txt", keys);
    folder.write("scene.txt", "open 10\nweather clear\ncreature 530 1 0\nnamed\n");
    fs::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "' KSM_TEST_SCENE='" +
                                          folder.file("scene.txt") + "'"),
              0)
        << folder.read("game_stderr.txt");
    if (const char* keep = std::getenv("KSM_KEEP_SHOTS"))
        fs::copy(folder.file("shots"), keep, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    SDL_Surface* before = SDL_LoadBMP(folder.file("shots/before.bmp").c_str());
    SDL_Surface* sheet = SDL_LoadBMP(folder.file("shots/sheet.bmp").c_str());
    SDL_Surface* after = SDL_LoadBMP(folder.file("shots/after.bmp").c_str());
    ASSERT_NE(before, nullptr);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(after, nullptr);
    // The sheet's window covers the side panel beside the view, and the key
    // puts the panel back.
    int covered = 0, left = 0;
    for (int y = 100; y < 160; ++y)
        for (int x = 500; x < 780; ++x) {
            covered += channel_gap(pixel(before, x, y), pixel(sheet, x, y)) > 30;
            left += channel_gap(pixel(before, x, y), pixel(after, x, y)) > 30;
        }
    EXPECT_GT(covered, 4000);
    EXPECT_LT(left, 400);
    SDL_FreeSurface(before);
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(after);
}

// Waits for the villagers' noticing of the player (their senses); the
// mischief warning itself is shown by the unit tests of the reactions.
TEST_F(FoodAndVillagersGame, AVillagerShoutsAtTheMischiefMakerAndComesOver) {
    const std::string log = folder_->read("ARI/msglog.txt");
    EXPECT_NE(log.find("Stop, you mischief-maker! I need to tell you something!"), std::string::npos) << log;
}

}  // namespace
