// Items lying on a local map, through the real program: the shared new
// character is loaded, zooms in to a local map and saves; the saved store of local maps then gets
// a rock, a knife and a lit torch beside the player, the clock and the sky
// are set to a moonless night, and the game is loaded again. The map view
// must show the three item tiles and the torch's glow, as in the reference
// picture.
//
// After a deliberate change of the drawing, run the test with
// KSM_WRITE_MAP_REFERENCE set to a folder: the new picture lands there and
// is copied into tests/objects/reference by hand. A picture that differs
// leaves the picture and its difference in a temporary folder named in the
// failure.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/map_pictures.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; in the game ENTER
// zooms in to the local map, Q and two yes answers save and quit, and SPACE
// leaves the farewell page.
constexpr const char* kZoomInKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n[Q]\n[y]\n[y]\n[SPACE]\n";
// Intro pages, LOAD SAVED CHARACTER, the only character; the map view
// waiting for the first command is kept as "map.bmp". Then the keys run
// out: the window counts as closed and the game ends.
constexpr const char* kLoadKeys = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n{shot map}\n";

ObjectRecord item(uint8_t item_class, const char* name, const char* tile, float weight) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 330;
    copy_text(r.name, name);
    copy_text(r.tile, tile);
    r.weight = r.full_weight = weight;
    return r;
}

ObjectRecord lit_torch() {
    ObjectRecord r = item(ITEM_TOOL, "Torch", "it-torch", 1.0f);
    r.subclass = 14;
    r.link = 1;             // lit
    r.rating = 3;           // its light's radius
    r.spoilage_days = 200;  // fuel
    return r;
}

// Mean brightness (r + g + b) of a cell of the view, `dx` cells east of the
// player.
double cell_brightness(SDL_Surface* s, int dx) {
    const int x0 = PLAYER_X - MAP_X + dx * CELL_W - CELL_W / 2, y0 = PLAYER_Y - MAP_Y - CELL_H / 2;
    double sum = 0;
    for (int y = y0; y < y0 + CELL_H; ++y)
        for (int x = x0; x < x0 + CELL_W; ++x) {
            const SDL_Color c = pixel(s, x, y);
            sum += c.r + c.g + c.b;
        }
    return sum / (CELL_W * CELL_H);
}

// Pixels of the cell `dx` east of the player (with the tile's height above
// it) that differ from the reference by more than the glow's flicker.
int changed_pixels(SDL_Surface* a, SDL_Surface* b, int dx) {
    const int x0 = PLAYER_X - MAP_X + dx * CELL_W - CELL_W / 2, y0 = PLAYER_Y - MAP_Y - 16;
    int n = 0;
    for (int y = y0; y < y0 + 30; ++y)
        for (int x = x0; x < x0 + CELL_W; ++x) n += channel_gap(pixel(a, x, y), pixel(b, x, y)) > 10;
    return n;
}

// Keeps a differing picture and its difference (eight times as strong) in a
// temporary folder of its own; the folder.
std::string keep_difference(SDL_Surface* now, SDL_Surface* ref) {
    std::string dir = (std::filesystem::temp_directory_path() / "ksm-picture-XXXXXX").string();
    if (!mkdtemp(dir.data())) return "(no folder)";
    SDL_Surface* diff = SDL_CreateRGBSurfaceWithFormat(0, MAP_W, MAP_H, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < MAP_H; ++y)
        for (int x = 0; x < MAP_W; ++x) {
            const SDL_Color a = pixel(now, x, y), b = pixel(ref, x, y);
            auto gap = [](int u, int v) { return Uint8(std::min(255, 8 * std::abs(u - v))); };
            reinterpret_cast<Uint32*>(static_cast<uint8_t*>(diff->pixels) + y * diff->pitch)[x] =
                SDL_MapRGB(diff->format, gap(a.r, b.r), gap(a.g, b.g), gap(a.b, b.b));
        }
    SDL_SaveBMP(now, (dir + "/items_at_night.bmp").c_str());
    SDL_SaveBMP(diff, (dir + "/items_at_night_diff.bmp").c_str());
    SDL_FreeSurface(diff);
    return dir;
}

// Writes the changed files of the character "ARI" as one save would, so
// that the save's manifest vouches for them.
// The saved game on its local map, with the three items beside the player
// at night.
void lay_out_items_at_night(const PlayFolder& folder, const PlayerRecord& saved) {
    // The items: three new instances of the object store.
    std::vector<uint8_t> store;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), store));
    ASSERT_EQ(store.size(), size_t(OBJECT_STORE_FILE_SIZE));
    const ObjectRecord items[3] = {item(ITEM_WEAPON, "Rock", "rock", 1.0f),
                                   item(ITEM_WEAPON, "Knife", "wp-knife", 0.5f), lit_torch()};
    int ids[3];
    int placed = 0;
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT && placed < 3; ++slot) {
        if (store[size_t(slot) * sizeof(ObjectRecord)] != 0) continue;  // item_class: a used slot
        std::memcpy(&store[size_t(slot) * sizeof(ObjectRecord)], &items[placed], sizeof(ObjectRecord));
        ids[placed++] = FIRST_INSTANCE_ID + slot;
    }
    ASSERT_EQ(placed, 3);

    // On the ground of the player's world cell: 1, 2 and 3 cells east.
    const int bx = map_block_of(saved.x), by = map_block_of(saved.y);
    ASSERT_NE(bx, MAP_NO_BLOCK);
    ASSERT_NE(by, MAP_NO_BLOCK);
    const int wx = saved.zoom_origin_x + bx, wy = saved.zoom_origin_y + by;
    std::vector<uint8_t> index, maps;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMINDEX.DAT"), index));
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ZOOMMAPS.DAT"), maps));
    int slot = 0;
    for (size_t n = 1; n * sizeof(ZoomIndexEntry) < index.size(); ++n) {
        ZoomIndexEntry e;
        std::memcpy(&e, &index[n * sizeof e], sizeof e);
        if (e.world_x == wx && e.world_y == wy) slot = int(n);
    }
    ASSERT_GT(slot, 0) << "the player's world cell has a stored map";
    ASSERT_LE((size_t(slot) + 1) * sizeof(ZoomMap), maps.size());
    static ZoomMap cell;
    std::memcpy(&cell, &maps[size_t(slot) * sizeof cell], sizeof cell);
    const int lx = saved.x - (MAP_BLOCK_FIRST + (bx + 2) * MAP_BLOCK_SIDE);
    const int ly = saved.y - (MAP_BLOCK_FIRST + (by + 2) * MAP_BLOCK_SIDE);
    ASSERT_LE(lx, 60);
    // Open ground from the player eastwards, so that the generated forest
    // hides neither the items nor the glow.
    for (int y = std::max(ly - 3, 0); y <= std::min(ly + 3, 63); ++y)
        for (int x = std::max(lx, 0); x <= std::min(lx + 12, 63); ++x) {
            cell.terrain[y * 64 + x] = 250;
            cell.cover[y * 64 + x] = 0;
        }
    placed = 0;
    for (MapObject& o : cell.objects) {
        if (o.TYPE != KIND_UNUSED || placed == 3) continue;
        o = MapObject{};
        o.TYPE = MK_ITEM;
        o.x = uint16_t(lx + 1 + placed);
        o.y = uint16_t(ly);
        o.DATA = ids[placed];
        o.amount = 1;
        ++placed;
    }
    ASSERT_EQ(placed, 3);
    std::memcpy(&maps[size_t(slot) * sizeof cell], &cell, sizeof cell);

    // Eleven at night on the first of December (in June the sun of the north
    // hardly sets), the sun and the moon below the horizon, a clear sky and
    // no snow.
    PlayerRecord late = saved;
    late.month = 12;
    late.day = 1;
    late.hour = 23;
    late.minute = 0;
    std::vector<uint8_t> sky;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/GLOBWEATHER.DAT"), sky));
    ASSERT_GE(sky.size(), size_t(12 + sizeof(WeatherRecord)));
    WeatherRecord now;
    std::memcpy(&now, &sky[12], sizeof now);
    now.sun_angle = now.sun_angle_next = -20;
    now.moon_angle = now.moon_angle_next = -30;
    now.moon_phase = 0;
    now.moonlight = 0;
    now.pilvisyys = 0;
    now.rain = 0;
    now.snow = 0;
    std::memcpy(&sky[12], &now, sizeof now);
    put_le32(&sky[4], 330);  // the weather's own day of the year (from 0) and hour
    put_le32(&sky[8], 23);

    plant_character_files({{"ARI.OBJ", store.data(), store.size()},
                     {"ZOOMMAPS.DAT", maps.data(), maps.size()},
                     {"ARI.KMS", &late, sizeof late},
                     {"GLOBWEATHER.DAT", sky.data(), sky.size()}});

    // The idle animation would redraw the view between the frames.
    std::string ini = folder.read("ksm_ini.txt");
    const size_t at = ini.find("[IDLE_ANIMATION:YES]");
    ASSERT_NE(at, std::string::npos);
    ini.replace(at, std::strlen("[IDLE_ANIMATION:YES]"), "[IDLE_ANIMATION:NO]");
    folder.write("ksm_ini.txt", ini);
}

TEST(MapItemsGame, ALoadedMapShowsItsItemsAndATorchGlowsAtNight) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    folder.write("zoom.txt", kZoomInKeys);
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("zoom.txt") + "'"), 0)
        << folder.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), saved));
    ASSERT_STREQ(saved.map_name, "ZOOMMAP");
    lay_out_items_at_night(folder, saved);
    if (HasFatalFailure()) return;

    folder.write("load.txt", kLoadKeys);
    std::filesystem::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("load.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");
    // The map view the first command waits on.
    SDL_Surface* now = map_area_of(folder.file("shots/map.bmp"));
    ASSERT_NE(now, nullptr);

    // The torch lights its neighbourhood; far from it the night is dark.
    const double torch = cell_brightness(now, 3), far = cell_brightness(now, 9);
    EXPECT_GT(torch, far + 50) << "torch " << torch << ", eight cells on " << far;
    EXPECT_LT(far, 90);

    if (const char* dir = std::getenv("KSM_WRITE_MAP_REFERENCE"))
        SDL_SaveBMP(now, (std::string(dir) + "/items_at_night.bmp").c_str());
    const std::string path = std::string(KSM_SOURCE_DIR) + "/tests/objects/reference/items_at_night.bmp";
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    ASSERT_NE(loaded, nullptr) << "no reference picture " << path;
    SDL_Surface* ref = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_EQ(ref->w, MAP_W);
    ASSERT_EQ(ref->h, MAP_H);

    // Small differences all over (the glow flickers), and in each item's
    // cell hardly a pixel more than the flicker: the tiles are there.
    double sum = 0;
    for (int y = 0; y < MAP_H; ++y)
        for (int x = 0; x < MAP_W; ++x) {
            const SDL_Color a = pixel(now, x, y), b = pixel(ref, x, y);
            sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    const double mean = sum / (3.0 * MAP_W * MAP_H);
    bool same = mean < 2.0;
    EXPECT_LT(mean, 2.0);
    for (int dx = 1; dx <= 3; ++dx) {
        const int changed = changed_pixels(now, ref, dx);
        EXPECT_LE(changed, 8) << "the item " << dx << " cells east of the player";
        same = same && changed <= 8;
    }
    if (!same) ADD_FAILURE() << "the picture and its difference are kept in " << keep_difference(now, ref);
    SDL_FreeSurface(now);
    SDL_FreeSurface(ref);
}

}  // namespace
