// The inventory commands through the real program: the shared new character
// zooms in to its local map and saves; the save then gets a knife in the
// first hand and a free birch-bark box on the player's square. Loaded again,
// "X" moves the knife to the second hand and "D", "y" discards the box,
// each told by its real name; saved and quit, the knife stays in the
// second hand and the stored map no longer holds the box.
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

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in to
// the local map, Q and two yes answers save and quit, SPACE leaves the
// farewell page.
constexpr const char* kZoomInKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// Loaded again: exchange the weapons, discard what lies here (yes), then
// save and quit.
constexpr const char* kCommandKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[X]\n[D]\n[y]\n[Q]\n[y]\n[y]\n[SPACE]\n";

ObjectRecord item(uint8_t item_class, const char* name, const char* tile, uint8_t quality, uint8_t state) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 152;
    copy_text(r.name, name);
    copy_text(r.tile, tile);
    r.weight = r.full_weight = 0.5f;
    r.quality = quality;
    r.state_bits = state;
    return r;
}

// The stored map of the player's world cell, its slot in the store, and the
// player's square in it.
struct PlayerCell {
    int slot = 0;
    int lx = 0, ly = 0;
};
PlayerCell player_cell(const PlayFolder& folder, const PlayerRecord& saved, const std::vector<uint8_t>& index) {
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
    (void)folder;
    return c;
}

// The message log's lines of the class mark that hold the text.
bool logged(const std::string& log, char mark, const std::string& text) {
    const std::string tag = std::string("[") + mark + "]";
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
        const size_t line = log.rfind('\n', at);
        const size_t start = line == std::string::npos ? 0 : line + 1;
        if (log.compare(at - 2, 2, "| ") == 0 && log.find(tag, start) < at) return true;
    }
    return false;
}

TEST(InventoryGame, ExchangingWeaponsAndDiscardingWhatLiesHereByItsName) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("zoom.txt", kZoomInKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("zoom.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");

    // Two instances: the knife in hand and the box on the ground.
    std::vector<uint8_t> store;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), store));
    ASSERT_EQ(store.size(), size_t(OBJECT_STORE_FILE_SIZE));
    const ObjectRecord knife = item(ITEM_WEAPON, "Knife", "wp-knife", 0, OBJ_IN_FIRST_HAND);
    const ObjectRecord box = item(ITEM_CONTAINER, "Birch-bark box", "it-bbbox", 0x85, 0);
    int ids[2] = {0, 0};
    int placed = 0;
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT && placed < 2; ++slot) {
        if (store[size_t(slot) * sizeof(ObjectRecord)] != 0) continue;
        std::memcpy(&store[size_t(slot) * sizeof(ObjectRecord)], placed == 0 ? &knife : &box, sizeof(ObjectRecord));
        ids[placed++] = FIRST_INSTANCE_ID + slot;
    }
    ASSERT_EQ(placed, 2);
    PlayerRecord armed = saved;
    int hand_slot = 0;
    while (hand_slot < PLR_INV_SLOTS && armed.plr_inv_id[hand_slot] != 0) ++hand_slot;
    ASSERT_LT(hand_slot, PLR_INV_SLOTS);
    armed.plr_inv_id[hand_slot] = ids[0];
    armed.plr_inv_count[hand_slot] = 1;

    std::vector<uint8_t> index, maps;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMINDEX.DAT"), index));
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMMAPS.DAT"), maps));
    const PlayerCell cell = player_cell(folder, saved, index);
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
        o.DATA = ids[1];
        o.amount = 1;
        put = true;
        break;
    }
    ASSERT_TRUE(put);
    std::memcpy(&maps[size_t(cell.slot) * sizeof stored], &stored, sizeof stored);
    plant_character_files({{"ARI.OBJ", store.data(), store.size()},
                     {"ZOOMMAPS.DAT", maps.data(), maps.size()},
                     {"ARI.KMS", &armed, sizeof armed}});

    folder.write("keys.txt", kCommandKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") + "'"), 0)
        << folder.read("game_stderr.txt");

    const std::string log = folder.read("ARI/msglog.txt");
    EXPECT_TRUE(logged(log, '#', "Weapons exchanged:")) << log;
    EXPECT_TRUE(logged(log, '!', "No primary weapon.")) << log;
    EXPECT_TRUE(logged(log, '#', "2nd weapon: knife")) << log;
    EXPECT_TRUE(logged(log, '_', "You are about to discard beautiful birch-bark box.")) << log;
    EXPECT_TRUE(logged(log, '#', "As you couldn't recycle these items they are now discarded forever.")) << log;

    // Saved: the box is gone from the stored map, the knife is in the
    // second hand.
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMMAPS.DAT"), maps));
    ASSERT_LE((size_t(cell.slot) + 1) * sizeof(ZoomMap), maps.size());
    std::memcpy(&stored, &maps[size_t(cell.slot) * sizeof stored], sizeof stored);
    for (const MapObject& o : stored.objects) EXPECT_FALSE(o.TYPE == MK_ITEM && o.DATA == ids[1]);
    PlayerRecord after;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), after));
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), store));
    const int held = after.plr_inv_id[hand_slot];
    ASSERT_TRUE(obj_id_is_instance(held));
    ObjectRecord now;
    std::memcpy(&now, &store[size_t(held - FIRST_INSTANCE_ID) * sizeof now], sizeof now);
    EXPECT_STREQ(now.name, "Knife");
    EXPECT_EQ(now.state_bits, OBJ_IN_SECOND_HAND);
}

}  // namespace
