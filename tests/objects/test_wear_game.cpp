// Wearing and wielding through the real program. The shared new character
// was made by the real creation: its save holds bread, a knife, a weapon
// and clothes already put on. Loaded again, "w" takes the first weapon in
// hand, "T" takes off the first garment, "W" puts it on again, and the
// save keeps the weapon in the first hand and every garment worn. On its
// local map a cloak lies at its feet: "g" picks it up, "W" puts it on, and
// it stays worn through a save and a load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
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

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in to
// the local map, Q and two yes answers save and quit, SPACE leaves the
// farewell page.
constexpr const char* kZoomInKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// Loaded on the local map: "g" takes the one thing lying here, "i" lists
// it, "W", "+" (everything that can be put on) and SPACE put it on; saved.
constexpr const char* kCloakKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[g]\n[i]\n[ESC]\n[W]\n[+]\n[SPACE]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// Loaded and saved again.
constexpr const char* kLoadAndSaveKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";

// The player's square in the stored map of its world cell.
struct PlayerCell {
    int slot = 0;
    int lx = 0, ly = 0;
};
PlayerCell player_cell(const PlayerRecord& saved, const std::vector<uint8_t>& index) {
    PlayerCell c;
    const int bx = map_block_of(saved.x), by = map_block_of(saved.y);
    const int wx = saved.zoom_origin_x + bx, wy = saved.zoom_origin_y + by;
    for (size_t n = 1; n * sizeof(ZoomIndexEntry) < index.size(); ++n) {
        ZoomIndexEntry e;
        std::memcpy(&e, &index[n * sizeof e], sizeof e);
        if (e.world_x == wx && e.world_y == wy) c.slot = int(n);
    }
    c.lx = saved.x - (MAP_BLOCK_FIRST + (bx + 2) * MAP_BLOCK_SIDE);
    c.ly = saved.y - (MAP_BLOCK_FIRST + (by + 2) * MAP_BLOCK_SIDE);
    return c;
}

int cloaks_on_square(const ZoomMap& map, const PlayerCell& cell, int cloak) {
    int n = 0;
    for (const MapObject& o : map.objects)
        n += o.TYPE == MK_ITEM && o.DATA == cloak && o.x == cell.lx && o.y == cell.ly;
    return n;
}

bool wears_a_cloak(const PlayFolder& folder) {
    for (const Carried& c : carried(folder))
        if (std::strcmp(c.record.name, "Woollen cloak") == 0) return c.record.state_bits == OBJ_WORN && c.count == 1;
    return false;
}

TEST(WearGame, ACloakPickedUpAndPutOnStaysWornThroughSaveAndLoad) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("zoom.txt", kZoomInKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("zoom.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");

    // A cloak in the store and on the player's square of the stored map.
    std::vector<uint8_t> store, index, maps;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), store));
    ASSERT_EQ(store.size(), size_t(OBJECT_STORE_FILE_SIZE));
    ObjectRecord cloak;
    obj_clear_record(cloak);
    cloak.item_class = ITEM_ARMOUR;
    cloak.kind = 80;
    copy_text(cloak.name, "Woollen cloak");
    copy_text(cloak.tile, "ar-wocloak");
    cloak.weight = cloak.full_weight = 5.5f;
    cloak.coverage[0] = 16;
    cloak.coverage[1] = 126;
    cloak.material = MATERIAL_WOOL;
    int cloak_id = 0;
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT && cloak_id == 0; ++slot) {
        if (store[size_t(slot) * sizeof(ObjectRecord)] != 0) continue;
        std::memcpy(&store[size_t(slot) * sizeof(ObjectRecord)], &cloak, sizeof cloak);
        cloak_id = FIRST_INSTANCE_ID + slot;
    }
    ASSERT_NE(cloak_id, 0);
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMINDEX.DAT"), index));
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMMAPS.DAT"), maps));
    const PlayerCell cell = player_cell(saved, index);
    ASSERT_GT(cell.slot, 0) << "the player's world cell has a stored map";
    ASSERT_LE((size_t(cell.slot) + 1) * sizeof(ZoomMap), maps.size());
    static ZoomMap stored;
    std::memcpy(&stored, &maps[size_t(cell.slot) * sizeof stored], sizeof stored);
    bool put = false;
    for (MapObject& o : stored.objects) {
        if (o.TYPE != KIND_UNUSED) continue;
        o = MapObject{};
        o.TYPE = MK_ITEM;
        o.x = uint16_t(cell.lx);
        o.y = uint16_t(cell.ly);
        o.DATA = cloak_id;
        o.amount = 1;
        put = true;
        break;
    }
    ASSERT_TRUE(put);
    std::memcpy(&maps[size_t(cell.slot) * sizeof stored], &stored, sizeof stored);
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    begin_save_commit();
    ASSERT_TRUE(write_character_file("ARI.OBJ", store.data(), store.size()));
    ASSERT_TRUE(write_character_file("ZOOMMAPS.DAT", maps.data(), maps.size()));
    ASSERT_TRUE(end_save_commit());
    character_name[0] = 0;

    folder.write("cloak.txt", kCloakKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("cloak.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    const std::string log = folder.read("ARI/msglog.txt");
    EXPECT_NE(log.find("| You put on the woollen cloak."), std::string::npos) << log;
    EXPECT_TRUE(wears_a_cloak(folder));
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMMAPS.DAT"), maps));
    std::memcpy(&stored, &maps[size_t(cell.slot) * sizeof stored], sizeof stored);
    EXPECT_EQ(cloaks_on_square(stored, cell, cloak_id), 0) << "taken from the map";

    folder.write("again.txt", kLoadAndSaveKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("again.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    EXPECT_TRUE(wears_a_cloak(folder)) << "still worn after a load";
}

}  // namespace
