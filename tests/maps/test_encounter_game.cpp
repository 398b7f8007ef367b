// A meeting on the world map through the real program: the shared new
// character stands in a forest where a hare of the world map's wanderers
// is; a turn of rest brings the meeting, the player agrees to look for it
// on the local map, and the new local map holds the hare.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_record.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "support/created_character.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"

namespace {

constexpr int KIND_HARE = 600;

// Intro pages, LOAD SAVED CHARACTER, the only character; a turn of rest,
// yes to the zoom, then save and quit.
constexpr const char* kMeetKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[.]\n[y]\n[Q]\n[y]\n[y]\n[SPACE]\n";

bool is_site(int code) { return code == 30 || code == 60 || code == 86 || code == 210 || code == 211 || code == 239; }

// A forest cell (code 3 or 233) with land all around and no settlement
// within two cells; (0, 0) when there is none.
FixturePoint quiet_forest(const std::vector<uint8_t>& world) {
    auto code = [&](int x, int y) { return int(world[map_index(x, y)]); };
    for (int y = 100; y < 1900; ++y)
        for (int x = 100; x < 2900; ++x) {
            if (code(x, y) != 3 && code(x, y) != 233) continue;
            bool quiet = true;
            for (int dy = -2; dy <= 2 && quiet; ++dy)
                for (int dx = -2; dx <= 2 && quiet; ++dx) {
                    const int c = code(x + dx, y + dy);
                    if (is_site(c) || c == 247 || c == 180 || c == 181 || c == 182 || c == 183 || c == 178) quiet = false;
                }
            if (quiet) return FixturePoint{x, y};
        }
    return FixturePoint{0, 0};
}

TEST(EncounterGame, AHareOfTheWorldMapIsMetAndFoundOnTheLocalMap) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    const std::vector<uint8_t> world = read_fixture_file(folder.file("ARI/WORLD.DAT"));
    ASSERT_EQ(world.size(), size_t(MAP_CELLS));
    const FixturePoint at = quiet_forest(world);
    ASSERT_NE(at.x, 0);

    PlayerRecord record;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), record));
    ASSERT_STREQ(record.map_name, "BIGMAP");
    record.x = at.x;
    record.y = at.y;
    std::vector<uint8_t> data = read_fixture_file(folder.file("ARI/DATA.DAT"));
    ASSERT_EQ(data.size(), sizeof(MapObject) * MAP_OBJECT_COUNT);
    std::vector<MapObject> objects(MAP_OBJECT_COUNT);
    std::memcpy(objects.data(), data.data(), data.size());
    int slot = 0;
    while (slot < MAP_OBJECT_COUNT && objects[size_t(slot)].TYPE != 0) ++slot;
    ASSERT_LT(slot, MAP_OBJECT_COUNT);
    MapObject& hare = objects[size_t(slot)];
    hare = MapObject{};
    hare.TYPE = MK_WORLD_CREATURE;
    hare.x = uint16_t(at.x);
    hare.y = uint16_t(at.y);
    hare.DATA = KIND_HARE;
    std::memcpy(data.data(), objects.data(), data.size());
    plant_character_files({{"ARI.KMS", &record, sizeof record}, {"DATA.DAT", data.data(), data.size()}});

    folder.write("keys.txt", kMeetKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") + "'"), 0)
        << folder.read("game_stderr.txt");

    const std::string log = folder.read("ARI/msglog.txt");
    const size_t met = log.find("You encounter an animal. You think it's a hare...");
    ASSERT_NE(met, std::string::npos) << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
    EXPECT_NE(log.find("You can zoom to the local terrain map and look for it.", met), std::string::npos);

    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    EXPECT_EQ(saved.zoom_origin_x, at.x);
    EXPECT_EQ(saved.zoom_origin_y, at.y);

    // The hare stands on the local map, and the world map's entry is gone.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.CRS"), bytes));
    std::vector<CreatureRecord> file(bytes.size() / sizeof(CreatureRecord));
    std::memcpy(file.data(), bytes.data(), file.size() * sizeof(CreatureRecord));
    const std::vector<uint8_t> local = read_fixture_file(folder.file("ARI/ZOOMMAP.DAT"));
    ASSERT_EQ(local.size(), sizeof(MapObject) * MAP_OBJECT_COUNT);
    int hares = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject o;
        std::memcpy(&o, &local[size_t(i) * sizeof o], sizeof o);
        if (o.TYPE != MK_CREATURE || o.DATA < 1000 || size_t(o.DATA - 1000) >= file.size()) continue;
        if (o.x < 200 || o.x >= 264 || o.y < 200 || o.y >= 264) continue;
        hares += file[size_t(o.DATA - 1000)].kind == KIND_HARE;
    }
    EXPECT_GE(hares, 1);
    const std::vector<uint8_t> after = read_fixture_file(folder.file("ARI/DATA.DAT"));
    ASSERT_EQ(after.size(), data.size());
    MapObject left;
    std::memcpy(&left, &after[size_t(slot) * sizeof left], sizeof left);
    EXPECT_FALSE(left.TYPE == MK_WORLD_CREATURE && left.x == at.x && left.y == at.y);
}

}  // namespace
