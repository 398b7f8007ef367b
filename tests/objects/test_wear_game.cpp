// Wearing and wielding through the real program. The shared new character
// was made by the real creation: its save holds bread, a knife, a weapon
// and clothes already put on. Loaded again, "w" takes the first weapon in
// hand, "T" takes off the first garment, "W" puts it on again, and the
// save keeps the weapon in the first hand and every garment worn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; the inventory
// looked at and left; "w" and the first row wields; "T", the first
// garment's row and SPACE take it off; "W", its row and SPACE put it on;
// Q and two yes answers save and quit, SPACE leaves the farewell page.
constexpr const char* kKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n"
    "[i]\n[ESC]\n"
    "[w]\n[a]\n"
    "[T]\n[f]\n[SPACE]\n"
    "[W]\n[a]\n[SPACE]\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

struct Carried {
    ObjectRecord record;
    int count;
};

std::vector<Carried> carried(const PlayFolder& folder) {
    std::vector<Carried> out;
    PlayerRecord p;
    if (!read_player_record(folder.file("ARI/ARI.KMS"), p)) return out;
    std::vector<uint8_t> store;
    if (!read_whole_file(folder.file("ARI/ARI.OBJ"), store) || store.size() != size_t(OBJECT_STORE_FILE_SIZE))
        return out;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int id = p.plr_inv_id[slot];
        if (p.plr_inv_count[slot] <= 0 || !obj_id_is_instance(id)) continue;
        Carried c;
        std::memcpy(&c.record, &store[size_t(id - FIRST_INSTANCE_ID) * sizeof(ObjectRecord)], sizeof c.record);
        c.count = p.plr_inv_count[slot];
        out.push_back(c);
    }
    return out;
}

TEST(WearGame, ANewCharacterStartsDressedAndWieldsTakesOffAndWears) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    const std::vector<Carried> start = carried(folder);
    int worn = 0, weapons = 0, held = 0;
    for (const Carried& c : start) {
        worn += c.record.item_class == ITEM_ARMOUR && c.record.state_bits == OBJ_WORN;
        weapons += c.record.item_class == ITEM_WEAPON;
        held += (c.record.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND)) != 0;
    }
    EXPECT_GE(worn, 2) << "dressed";
    EXPECT_GE(weapons, 2) << "a knife and a weapon";
    EXPECT_EQ(held, 0);

    folder.write("keys.txt", kKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") + "'"), 0)
        << folder.read("game_stderr.txt");

    // The first weapon in hand; the garment taken off and put on again.
    const std::string log = folder.read("ARI/msglog.txt");
    const size_t wield = log.find("| You take the ");
    ASSERT_NE(wield, std::string::npos) << log;
    EXPECT_NE(log.find(" in hand.", wield), std::string::npos) << log;
    const size_t off = log.find("| You take off the ", wield);
    ASSERT_NE(off, std::string::npos) << log;
    const std::string garment = log.substr(off + 19, log.find('.', off) - off - 19);
    EXPECT_NE(log.find("| You put on the " + garment + ".", off), std::string::npos) << log;

    const std::vector<Carried> after = carried(folder);
    int worn_after = 0, weapons_after = 0, first_hand = 0, second_hand = 0;
    for (const Carried& c : after) {
        worn_after += c.record.item_class == ITEM_ARMOUR && c.record.state_bits == OBJ_WORN;
        weapons_after += c.record.item_class == ITEM_WEAPON;
        first_hand += (c.record.state_bits & OBJ_IN_FIRST_HAND) ? c.count : 0;
        second_hand += (c.record.state_bits & OBJ_IN_SECOND_HAND) ? c.count : 0;
        if (c.record.state_bits & OBJ_IN_FIRST_HAND) {
            EXPECT_EQ(c.record.item_class, ITEM_WEAPON);
        }
    }
    EXPECT_EQ(worn_after, worn);
    EXPECT_EQ(weapons_after, weapons);
    EXPECT_EQ(first_hand, 1);
    EXPECT_EQ(second_hand, 0);
}

}  // namespace
