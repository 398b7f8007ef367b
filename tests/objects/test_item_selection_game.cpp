// The item list through the real program: the shared new character is
// loaded and presses "i". The window lists the carried items by class, each
// row with its hot key; ESC closes it and the map view under it comes back pixel for
// pixel.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "objects/object_store.h"
#include "objects/item_selection.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

// Intro pages, LOAD SAVED CHARACTER, the only character; the map view is
// kept, "i" opens the list, ESC closes it. Then the keys run out and the
// game ends.
constexpr const char* kListKeys =
    "[SPACE]\n[SPACE]\n[ENTER]\n[ENTER]\n{shot map}\n[i]\n{shot list}\n[ESC]\n{shot back}\n";

Uint32 pixel(SDL_Surface* s, int x, int y) {
    return reinterpret_cast<Uint32*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
}

// The pixels of the rectangle that differ between the two frames.
int differing(SDL_Surface* a, SDL_Surface* b, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += pixel(a, x, y) != pixel(b, x, y);
    return n;
}

// Bright pixels (letters) in a rectangle.
int bright_pixels(SDL_Surface* s, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            Uint8 pr, pg, pb;
            SDL_GetRGB(pixel(s, x, y), s->format, &pr, &pg, &pb);
            n += pr + pg + pb > 450;
        }
    return n;
}

TEST(ItemSelectionGame, TheCarriedItemsAreListedAndEscRestoresTheMap) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;
    PlayerRecord ari;
    ASSERT_TRUE(read_player_record(folder.file("ARI/ARI.KMS"), ari));
    std::vector<uint8_t> store;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/ARI.OBJ"), store));
    ASSERT_EQ(store.size(), size_t(OBJECT_STORE_FILE_SIZE));
    // The weapons come first, in a section of their own.
    int weapons = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = ari.plr_inv_id[s];
        if (ari.plr_inv_count[s] <= 0 || !obj_id_is_instance(id)) continue;
        weapons += store[size_t(id - FIRST_INSTANCE_ID) * sizeof(ObjectRecord)] == ITEM_WEAPON;
    }
    ASSERT_GT(weapons, 0) << "the new character carries a knife and a weapon";

    folder.write("keys.txt", kListKeys);
    std::filesystem::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");
    SDL_Surface* map = SDL_LoadBMP(folder.file("shots/map.bmp").c_str());
    SDL_Surface* list = SDL_LoadBMP(folder.file("shots/list.bmp").c_str());
    SDL_Surface* back = SDL_LoadBMP(folder.file("shots/back.bmp").c_str());
    ASSERT_TRUE(map && list && back);

    // The window covers the map where it stands; each carried weapon has its
    // row, 12 pixels apart from y 82 under the class title, its hot key's
    // letter drawn bright; the next class starts after a gap.
    EXPECT_GT(differing(map, list, SEL_LEFT, SEL_TOP, SEL_WIDTH, SEL_HEIGHT), SEL_WIDTH * SEL_HEIGHT / 4);
    for (int row = 0; row < weapons; ++row)
        EXPECT_GT(bright_pixels(list, SEL_LEFT + 8, 82 + 12 * row, 8, 12), 8) << "row " << row;
    EXPECT_EQ(bright_pixels(list, SEL_LEFT + 8, 82 + 12 * weapons, 8, 12), 0) << "no row more";
    // ESC: the map view, the window's place and the message line are as
    // they were, pixel for pixel (the command field beside them shows the
    // command reader's own state).
    EXPECT_EQ(differing(map, back, 0, 0, 490, 600), 0);
    SDL_FreeSurface(map);
    SDL_FreeSurface(list);
    SDL_FreeSurface(back);
}

}  // namespace
