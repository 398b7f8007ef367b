// People and the animals met, through the real program: the shared new
// character is loaded and zoomed in with a scene that opens the ground and
// places a Rororad warrior, a woman of the place and six creatures of the
// kinds an encounter here brings; the game is saved. The creature file
// holds the warrior and the woman with personal names from the name lists,
// second names and the gear of their cultures, and the six met ones are of
// the encounter table's kinds, never one kind twice in a row while another
// could come.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/encounter_species.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace fs = std::filesystem;

namespace {

// Load the character, zoom in (the scene is set up there), keep the view,
// save and quit.
constexpr const char* kZoomSceneKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n{shot people}\n[Q]\n[y]\n[y]\n[SPACE]\n";
constexpr const char* kScene =
    "open 12\n"
    "creature 500 2 0\n"
    "creature 520 0 2\n"
    "encounter 6\n";

std::string field(const char* f, size_t n) { return std::string(f, strnlen(f, n)); }

// The names of an installed list (its first line is a header).
std::set<std::string> names_of(const std::string& file) {
    std::set<std::string> names;
    std::string text;
    EXPECT_TRUE(read_text_file(std::string(KSM_DATA_DIR) + "/" + file, text)) << file;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) names.insert(line.substr(0, 15));
    return names;
}

bool in_table(int kind) {
    for (int r = 0; r < encounter_row_count(); ++r)
        if (encounter_row_kind(r) == kind) return true;
    return false;
}

TEST(PeoplesGame, AWarriorAWomanAndTheAnimalsMetAreSavedWithNamesAndGear) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("keys.txt", kZoomSceneKeys);
    folder.write("scene.txt", kScene);
    fs::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "' KSM_TEST_SCENE='" +
                                          folder.file("scene.txt") + "'"),
              0)
        << folder.read("game_stderr.txt");
    EXPECT_FALSE(folder.exists("debug_scene!.txt")) << folder.read("debug_scene!.txt");

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.CRS"), bytes));
    std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
    std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
    // Records in the order the scene placed them.
    std::vector<CreatureRecord> placed;
    for (const CreatureRecord& c : file)
        if (c.cre_class != 0) placed.push_back(c);
    ASSERT_EQ(placed.size(), 8u);

    const CreatureRecord& warrior = placed[0];
    EXPECT_EQ(warrior.kind, 500);
    EXPECT_EQ(field(warrior.name, sizeof warrior.name), "Rororad warrior");
    EXPECT_EQ(warrior.home_culture, 11);
    EXPECT_EQ(warrior.enmity, -100);
    // The Rororad's names come from the eastern men's list.
    const std::set<std::string> east_men = names_of("eastm.dat");
    EXPECT_TRUE(east_men.count(field(warrior.personal_name, sizeof warrior.personal_name)))
        << field(warrior.personal_name, sizeof warrior.personal_name);
    EXPECT_FALSE(field(warrior.second_name, sizeof warrior.second_name).empty());
    int carried = 0;
    for (int32_t id : warrior.inv_id) carried += id != 0;
    EXPECT_GE(carried, 1);  // the weapon every warrior has

    const CreatureRecord& woman = placed[1];
    EXPECT_EQ(woman.kind, 520);
    EXPECT_EQ(woman.cre_status, 14);
    std::set<std::string> women;
    for (const char* list : {"eastf.dat", "westf.dat", "northf.dat"})
        for (const std::string& n : names_of(list)) women.insert(n);
    EXPECT_TRUE(women.count(field(woman.personal_name, sizeof woman.personal_name)))
        << field(woman.personal_name, sizeof woman.personal_name);
    int worn = 0;
    for (int32_t id : woman.worn) worn += id != 0;
    EXPECT_GE(worn, 1);  // the undergarment every woman wears

    int last = 0;
    for (size_t i = 2; i < placed.size(); ++i) {
        const int k = placed[i].kind;
        EXPECT_TRUE(in_table(k)) << k;
        if (k != 604) {
            EXPECT_NE(k, last) << "met twice in a row: " << k;
        }
        last = k;
    }
}

}  // namespace
