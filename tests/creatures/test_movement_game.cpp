// Wading, deep water, doors and running through the real program: the shared
// new character is saved on its local map, the stored map gets a small pond
// east of the player (shallow at its edge, deep in its middle) and a closed
// door west of it, the configuration wades without asking and never swims,
// and a key script walks: into the pond, toward the deep water, back out,
// into the door, through it, two running steps and back to walking, then
// saves. The message log tells it in order, and the saved record and map
// show where the player ended and the door left open.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "objects/map_object_table.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in;
// Q and two yes answers save and quit, and SPACE leaves the farewell page.
constexpr const char* kZoomInKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// The player faces east: a step into the shallow edge, one toward the deep
// middle, back out (a step backward), backward into the closed door (it
// opens), through it, R, two running steps, R, save and quit.
constexpr const char* kWalkKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n"
    "[UP]\n[UP]\n[DOWN]\n[DOWN]\n[DOWN]\n"
    "[R]\n[DOWN]\n[DOWN]\n[R]\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

constexpr uint8_t GROUND = 250;
constexpr uint8_t WATER = 247;
constexpr uint8_t DOOR = 254;
constexpr uint8_t OPEN_DOOR = 22;

struct Stored {
    int slot = 0;
    std::vector<uint8_t> maps;
    ZoomMap cell{};
};

// The stored map of the world cell that holds the player.
bool read_stored_cell(const PlayFolder& folder, const PlayerRecord& saved, Stored& out) {
    const int wx = saved.zoom_origin_x + map_block_of(saved.x), wy = saved.zoom_origin_y + map_block_of(saved.y);
    std::vector<uint8_t> index;
    if (!read_whole_file(folder.file("ARI/ZOOMINDEX.DAT"), index)) return false;
    if (!read_whole_file(folder.file("ARI/ZOOMMAPS.DAT"), out.maps)) return false;
    out.slot = 0;
    for (size_t n = 1; (n + 1) * sizeof(ZoomIndexEntry) <= index.size(); ++n) {
        ZoomIndexEntry e;
        std::memcpy(&e, &index[n * sizeof e], sizeof e);
        if (e.world_x == wx && e.world_y == wy) out.slot = int(n);
    }
    if (out.slot == 0 || (size_t(out.slot) + 1) * sizeof(ZoomMap) > out.maps.size()) return false;
    std::memcpy(&out.cell, &out.maps[size_t(out.slot) * sizeof(ZoomMap)], sizeof(ZoomMap));
    return true;
}

int inside(int c) { return (c - MAP_BLOCK_FIRST) % MAP_BLOCK_SIDE; }

TEST(MovementGame, WadingDeepWaterADoorAndRunningThroughTheRealProgram) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("zoom.txt", kZoomInKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("zoom.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    Stored stored;
    ASSERT_TRUE(read_stored_cell(folder, saved, stored));

    // The walk starts in the middle of the player's world cell, with the
    // pond and the door on level ground around it.
    const int lx = 32, ly = 32;
    PlayerRecord start = saved;
    start.x = saved.x - inside(saved.x) + lx;
    start.y = saved.y - inside(saved.y) + ly;
    start.facing = 0;  // east
    start.travel_mode = 1;
    start.running = 0;
    ZoomMap& cell = stored.cell;
    const int level = std::max<int>(cell.height[ly * 64 + lx], 5);
    for (int y = ly - 2; y <= ly + 2; ++y)
        for (int x = lx - 5; x <= lx + 5; ++x) {
            cell.terrain[y * 64 + x] = GROUND;
            cell.height[y * 64 + x] = uint8_t(level);
        }
    for (int y = ly - 1; y <= ly + 1; ++y)
        for (int x = lx + 1; x <= lx + 3; ++x) cell.terrain[y * 64 + x] = WATER;
    cell.height[ly * 64 + lx + 2] = uint8_t(level - 4);  // the deep middle
    cell.terrain[ly * 64 + lx - 1] = DOOR;
    for (MapObject& o : cell.objects)
        if (o.TYPE != KIND_UNUSED && o.TYPE != KIND_FREED && o.y + 2 >= ly && o.y <= ly + 2 && o.x + 5 >= lx &&
            o.x <= lx + 5)
            o.TYPE = KIND_FREED;
    std::memcpy(&stored.maps[size_t(stored.slot) * sizeof(ZoomMap)], &cell, sizeof cell);
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    begin_save_commit();
    EXPECT_TRUE(write_character_file("ZOOMMAPS.DAT", stored.maps.data(), stored.maps.size()));
    EXPECT_TRUE(write_character_file("ARI.KMS", &start, sizeof start));
    EXPECT_TRUE(end_save_commit());
    character_name[0] = 0;

    std::string ini = folder.read("ksm_ini.txt");
    for (const char* key : {"[AUTO_WADE:ASK]", "[AUTO_SWIM:ASK]", "[IDLE_ANIMATION:YES]"}) {
        const size_t at = ini.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        const std::string now = std::string(key) == "[AUTO_WADE:ASK]"   ? "[AUTO_WADE:YES]"
                                : std::string(key) == "[AUTO_SWIM:ASK]" ? "[AUTO_SWIM:NO]"
                                                                        : "[IDLE_ANIMATION:NO]";
        ini.replace(at, std::strlen(key), now);
    }
    folder.write("ksm_ini.txt", ini);
    const size_t logged_before = folder.read("ARI/msglog.txt").size();

    folder.write("walk.txt", kWalkKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("walk.txt") + "'"), 0)
        << folder.read("game_stderr.txt");

    // The log tells the walk in order.
    const std::string log = folder.read("ARI/msglog.txt").substr(logged_before);
    size_t at = 0;
    for (const char* text : {"The water is shallow here. You could wade through it.", "The water is deep here.",
                             "You step out of the water.", "You open the door.", "You run.", "You walk."}) {
        const size_t found = log.find(text, at);
        ASSERT_NE(found, std::string::npos) << "\"" << text << "\" after " << at << " in:\n" << log;
        at = found;
    }
    // Saved: three cells west of where the walk began, on foot; the door
    // stays open in the stored map.
    PlayerRecord end;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), end));
    EXPECT_EQ(end.x, start.x - 3);
    EXPECT_EQ(end.y, start.y);
    EXPECT_EQ(end.travel_mode, 1);
    EXPECT_EQ(end.running, 0);
    Stored after;
    ASSERT_TRUE(read_stored_cell(folder, end, after));
    EXPECT_EQ(after.cell.terrain[ly * 64 + lx - 1], OPEN_DOOR);
    EXPECT_EQ(after.cell.terrain[ly * 64 + lx + 1], WATER);
}

}  // namespace
