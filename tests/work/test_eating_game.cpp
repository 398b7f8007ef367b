// Eating and drinking through the real program. The shared new character
// is given an empty stomach and a thirst of 3000 in its save, then loaded:
// on its local map it eats a flat rye bread it started with ("e", the
// bread's key; the meal ends with the last bread), drinks from the lake beside it ("q",
// yes) or from a cup of water it carries, and the side panel's hunger and
// thirst bars change with each. A thirst past 6000 kills; a reserve that
// stays empty for hours becomes starvation.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; ENTER zooms in
// to the local map (the scene is laid out there).
constexpr const char* kLoadAndZoom = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n[ENTER]\n";
// Q and two yes answers save and quit, SPACE leaves the farewell page.
constexpr const char* kSaveAndQuit = "[Q]\n[y]\n[y]\n[SPACE]\n";

// Plants the changed record (and object store) as the save of "ARI".
void plant_as_a_save(const PlayerRecord& record, const std::vector<uint8_t>* objects = nullptr) {
    if (objects)
        plant_character_files({{"ARI.OBJ", objects->data(), objects->size()}, {"ARI.KMS", &record, sizeof record}});
    else
        plant_character_files({{"ARI.KMS", &record, sizeof record}});
}

struct Character {
    PlayFolder folder;
    PlayerRecord record{};
};

// The shared character with an empty stomach and the thirst given.
void thirsty_character(Character& c, int thirst) {
    std::string why;
    ASSERT_TRUE(copy_created_character(c.folder, &why)) << why;
    ASSERT_TRUE(read_player_record(c.folder.file("ARI/ARI.KMS"), c.record));
    c.record.stomach = 0;
    c.record.thirst = thirst;
}

int play(const Character& c, const std::string& keys, const std::string& scene = "") {
    c.folder.write("keys.txt", keys);
    std::string env = "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + c.folder.file("keys.txt") + "' KSM_TEST_SCREENSHOT='" +
                      c.folder.path() + "'";
    if (!scene.empty()) {
        c.folder.write("scene.txt", scene);
        env += " KSM_TEST_SCENE='" + c.folder.file("scene.txt") + "'";
    }
    return run_game(c.folder.path(), env);
}

// The filled length in pixels of a side-panel bar (75 wide) whose row
// starts at (x, y) in a shot; -1 when the shot can't be read.
int bar_length(const std::string& bmp, int x, int y) {
    SDL_Surface* frame = SDL_LoadBMP(bmp.c_str());
    if (frame == nullptr) return -1;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(frame, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(frame);
    int filled = 0;
    for (int i = 1; i <= 75; ++i) {
        const Uint32 v = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(s->pixels) + (y + 4) * s->pitch)[x + i];
        Uint8 r, g, b;
        SDL_GetRGB(v, s->format, &r, &g, &b);
        if (r + g + b > 60) ++filled;
    }
    SDL_FreeSurface(s);
    return filled;
}
// The hunger and thirst bars of the side panel.
int hunger_bar(const std::string& bmp) { return bar_length(bmp, 568, 197); }
int thirst_bar(const std::string& bmp) { return bar_length(bmp, 568, 210); }

bool logged(const std::string& log, const std::string& text) { return log.find(text) != std::string::npos; }

TEST(EatingGame, TheBreadFillsTheStomachAndTheLakeQuenchesTheThirst) {
    Character c;
    ASSERT_NO_FATAL_FAILURE(thirsty_character(c, 3000));
    const int32_t reserve = c.record.Energiavaranto;
    plant_as_a_save(c.record);
    const std::string keys = std::string(kLoadAndZoom) + "{shot before}\n[e]\n[a]\n{shot eaten}\n[q]\n[y]\n" +
                             "{shot drunk}\n" + kSaveAndQuit;
    ASSERT_EQ(play(c, keys, "water 1 0\nweather clear\n"), 0) << c.folder.read("game_stderr.txt");

    const std::string log = c.folder.read("ARI/msglog.txt");
    EXPECT_TRUE(logged(log, "It tastes all right")) << log;
    EXPECT_TRUE(logged(log, "You finish eating the flat rye bread.")) << log;
    EXPECT_TRUE(logged(log, "Your thirst is extinguished.")) << log;

    // Each step moved its bar on the side panel.
    const int hunger_before = hunger_bar(c.folder.file("before.bmp"));
    const int hunger_after = hunger_bar(c.folder.file("eaten.bmp"));
    const int thirst_before = thirst_bar(c.folder.file("eaten.bmp"));
    const int thirst_after = thirst_bar(c.folder.file("drunk.bmp"));
    ASSERT_GE(hunger_before, 0);
    EXPECT_LT(hunger_after, hunger_before);
    EXPECT_LT(thirst_after, thirst_before);

    // A flat rye bread (0.4 lb, 41/1/7: 201 kcal per 100 g) is eaten whole:
    // 100 into the stomach and 402 kcal into the reserve. The lake took the
    // thirst; what the few minutes since used up is small.
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(c.folder.file("ARI/ARI.KMS"), saved));
    EXPECT_LE(saved.stomach, 100);
    EXPECT_GE(saved.stomach, 90);
    EXPECT_LE(saved.Energiavaranto, std::min(5000, reserve + 402));
    EXPECT_GE(saved.Energiavaranto, std::min(5000, reserve + 402) - 30);
    EXPECT_LT(saved.thirst, 60);
}

// A cup holding a pound of water, the only thing carried: the water and the cup become
// instances of the save's object store.
void carry_a_cup_of_water(Character& c, std::vector<uint8_t>& store, int& cup_id) {
    ASSERT_TRUE(read_whole_file(c.folder.file("ARI/ARI.OBJ"), store));
    ASSERT_EQ(store.size(), size_t(OBJECT_STORE_FILE_SIZE));
    ObjectRecord water, cup;
    obj_clear_record(water);
    water.item_class = ITEM_FOOD;
    water.kind = 55;
    copy_text(water.name, "Water");
    water.weight = water.full_weight = 1.0f;
    water.water = 100;
    water.spoilage_days = 30;
    obj_clear_record(cup);
    cup.item_class = ITEM_CONTAINER;
    cup.kind = 351;
    copy_text(cup.name, "Wooden cup");
    copy_text(cup.tile, "it-wdcup");
    cup.weight = 1.0f;
    cup.full_weight = 3.0f;
    int ids[2] = {0, 0};
    int placed = 0;
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT && placed < 2; ++slot) {
        if (store[size_t(slot) * sizeof(ObjectRecord)] != 0) continue;
        ids[placed++] = FIRST_INSTANCE_ID + slot;
    }
    ASSERT_EQ(placed, 2);
    cup.contents = ids[0];
    std::memcpy(&store[size_t(ids[0] - FIRST_INSTANCE_ID) * sizeof(ObjectRecord)], &water, sizeof water);
    std::memcpy(&store[size_t(ids[1] - FIRST_INSTANCE_ID) * sizeof(ObjectRecord)], &cup, sizeof cup);
    // Nothing else is carried, so the cup is the drink list's first row
    // whatever the starting gear holds.
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) c.record.plr_inv_id[slot] = c.record.plr_inv_count[slot] = 0;
    c.record.plr_inv_id[0] = ids[1];
    c.record.plr_inv_count[0] = 1;
    cup_id = ids[1];
}

TEST(EatingGame, ACupOfWaterIsDrunkAndLeftEmpty) {
    Character c;
    ASSERT_NO_FATAL_FAILURE(thirsty_character(c, 3000));
    std::vector<uint8_t> store;
    int cup_id = 0;
    ASSERT_NO_FATAL_FAILURE(carry_a_cup_of_water(c, store, cup_id));
    plant_as_a_save(c.record, &store);
    const std::string keys = std::string(kLoadAndZoom) + "{shot before}\n[q]\n{shot list}\n[a]\n{shot drunk}\n" + kSaveAndQuit;
    ASSERT_EQ(play(c, keys, "open 2\nweather clear\n"), 0) << c.folder.read("game_stderr.txt");
    const std::string log = c.folder.read("ARI/msglog.txt");
    EXPECT_TRUE(logged(log, "The wooden cup is empty now.")) << log;
    EXPECT_LT(thirst_bar(c.folder.file("drunk.bmp")), thirst_bar(c.folder.file("before.bmp")));
    // A pound of water quenches 1000.
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(c.folder.file("ARI/ARI.KMS"), saved));
    EXPECT_GE(saved.thirst, 2000);
    EXPECT_LT(saved.thirst, 2060);
}

// Intro pages, LOAD SAVED CHARACTER, the only character: the game goes on
// on the world map, where every step takes a couple of minutes.
constexpr const char* kLoad = "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n";

std::string world_walk(int pairs) {
    std::string keys;
    for (int i = 0; i < pairs; ++i) keys += "[UP]\n[DOWN]\n";
    return keys;
}

TEST(EatingGame, LongThirstFellsThePlayerAndPastSixThousandKills) {
    {
        Character c;
        ASSERT_NO_FATAL_FAILURE(thirsty_character(c, 4500));
        plant_as_a_save(c.record);
        ASSERT_EQ(play(c, std::string(kLoad) + world_walk(2) + kSaveAndQuit), 0) << c.folder.read("game_stderr.txt");
        const std::string log = c.folder.read("ARI/msglog.txt");
        EXPECT_TRUE(logged(log, "Being very weak from prolonged lack of water you find it impossible to stand")) << log;
        PlayerRecord saved;
        ASSERT_TRUE(read_player_record(c.folder.file("ARI/ARI.KMS"), saved));
        EXPECT_EQ(saved.body_state, 1);
    }
    {
        Character c;
        ASSERT_NO_FATAL_FAILURE(thirsty_character(c, 6001));
        plant_as_a_save(c.record);
        ASSERT_EQ(play(c, std::string(kLoad) + "[UP]\n{shot died}\n[SPACE]\n"), 0) << c.folder.read("game_stderr.txt");
        // The first report of the game kills: the dead character's folder is
        // gone.
        EXPECT_TRUE(c.folder.exists("died.bmp"));
        EXPECT_FALSE(c.folder.exists("ARI/ARI.KMS"));
    }
}

TEST(EatingGame, TenHoursOnAnEmptyReserveAreHoursOfStarvingEachGrowthWarned) {
    Character c;
    ASSERT_NO_FATAL_FAILURE(thirsty_character(c, 100));
    c.record.Energiavaranto = 0;
    c.record.energy_reset_done = 1;  // the load's one-time reset of old records is done
    c.record.starvation = 0;
    plant_as_a_save(c.record);
    // 300 steps on the world map: about ten hours.
    ASSERT_EQ(play(c, std::string(kLoad) + world_walk(150) + kSaveAndQuit), 0) << c.folder.read("game_stderr.txt");
    PlayerRecord saved;
    ASSERT_TRUE(read_player_record(c.folder.file("ARI/ARI.KMS"), saved));
    EXPECT_GE(saved.total_minutes - c.record.total_minutes, 9 * 60);
    EXPECT_EQ(saved.Energiavaranto, 0);
    const std::string log = c.folder.read("ARI/msglog.txt");
    EXPECT_TRUE(logged(log, "You are starving!")) << log;
    // Starvation grows on about one hour in ten, a point at a time, each
    // time with its warning; how many of these ten hours it strikes is the
    // draws' business (the rate is shown over ten thousand hours elsewhere).
    int grown = 0;
    for (size_t at = log.find("Your starvation grows"); at != std::string::npos;
         at = log.find("Your starvation grows", at + 1))
        ++grown;
    EXPECT_EQ(saved.starvation, grown) << log;
    EXPECT_LE(saved.starvation, 10);  // never more than a point an hour
}

}  // namespace
