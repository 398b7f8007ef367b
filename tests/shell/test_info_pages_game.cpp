// The help and information pages through the real program: a new
// character opens the help menu and the key help, the encyclopedia and one
// of its links, the armour coverage and the message log, and after each
// the map view is back as it was.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/play_folder.h"
#include "support/screen_session.h"

namespace {

// Intro pages, quick creation of "Ari", the world accepted, the free game
// course, the farewell, the first-timer page (ESC) and the story. In the
// game: ESC (the help menu), "?" (the key help), ESC; F1 (the start page),
// ENTER (its first link), ESC; "A", ESC; "L" (a line for the log), "v",
// ESC; then Q saves and quits.
constexpr const char* kKeys =
    "[SPACE]\n[SPACE]\n[DOWN]\n[ENTER]\n[Q]\n[A]\n[r]\n[i]\n[ENTER]\n[E]\n[ESC]\n[SPACE]\n[ESC]\n[SPACE]\n"
    "[ESC]\n[?]\n[ESC]\n"
    "[F1]\n[ENTER]\n[ESC]\n"
    "[A]\n[ESC]\n"
    "[L]\n[v]\n[ESC]\n"
    "[Q]\n[y]\n[y]\n[SPACE]\n";

struct Frame {
    std::vector<uint32_t> map;  // the map view (15, 85) 450 x 460
    char kind = '?';            // K key help, E encyclopedia, C coverage, L log, '-' other
};

uint32_t rgb_at(SDL_Surface* s, int x, int y) {
    SDL_Color c = pixel_of(s, x, y);
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
}

bool near(uint32_t c, int r, int g, int b, int tolerance = 24) {
    return std::abs(int(c >> 16) - r) <= tolerance && std::abs(int((c >> 8) & 255) - g) <= tolerance &&
           std::abs(int(c & 255) - b) <= tolerance;
}

char kind_of(SDL_Surface* s) {
    const bool title_bar = rgb_at(s, 400, 10) == 0x3C5A98 || near(rgb_at(s, 400, 7), 60, 90, 152, 40);
    if (rgb_at(s, 400, 300) == 0xE2C599) return 'L';                                // parchment
    if (title_bar && near(rgb_at(s, 745, 480), 221, 209, 186, 60)) return 'E';     // a birch page
    // The coverage page's yellow heading over the body figure (the figure
    // itself takes the colours of what the character wears).
    if (title_bar && rgb_at(s, 560, 42) == 0xFCFC54 && rgb_at(s, 660, 41) == 0xFCFC54) return 'C';
    bool white = false;
    for (int x = 10; x < 40 && !white; ++x)
        for (int y = 12; y < 22; ++y) white |= rgb_at(s, x, y) == 0xFFFFFF;
    bool heading = false;  // the first section's bar
    for (int y = 90; y < 140 && !heading; ++y) heading = rgb_at(s, 400, y) == 0x385878;
    if (white && heading) return 'K';  // the key page's first screenful
    return '-';
}

std::vector<Frame> read_frames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".bmp") names.push_back(e.path().string());
    std::sort(names.begin(), names.end());
    std::vector<Frame> frames;
    for (const std::string& n : names) {
        SDL_Surface* s = SDL_LoadBMP(n.c_str());
        if (s == nullptr) continue;
        Frame f;
        for (int y = 85; y < 545; y += 3)
            for (int x = 15; x < 465; x += 3) f.map.push_back(rgb_at(s, x, y));
        f.kind = kind_of(s);
        SDL_FreeSurface(s);
        frames.push_back(std::move(f));
    }
    return frames;
}

TEST(InfoPagesInGame, EachPageOpensAndTheMapViewComesBack) {
    PlayFolder folder;
    folder.write("keys.txt", kKeys);
    std::filesystem::create_directories(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");
    std::vector<Frame> frames = read_frames(folder.file("shots"));
    ASSERT_GT(frames.size(), 20u);

    // The map view as the game showed it before the first page.
    size_t first_page = 0;
    while (first_page < frames.size() && frames[first_page].kind != 'K') ++first_page;
    ASSERT_LT(first_page, frames.size()) << "the key help never showed";
    ASSERT_GT(first_page, 0u);
    const std::vector<uint32_t> map_view = frames[first_page - 1].map;

    // What each frame showed from there: "=" the map view as before.
    std::string shown;
    for (size_t i = first_page; i < frames.size(); ++i) shown += frames[i].map == map_view ? '=' : frames[i].kind;
    SCOPED_TRACE(shown);

    // Each page in its turn, and the map view right after it.
    const std::string expected = "KECL";
    size_t at = first_page;
    for (char page : expected) {
        while (at < frames.size() && frames[at].kind != page) ++at;
        ASSERT_LT(at, frames.size()) << "page " << page << " never showed";
        // The page's frames up to its last one, and right after that the
        // map view as it was.
        size_t end = at, distinct = 1;
        for (size_t i = at + 1; i < frames.size() && frames[i].map != map_view; ++i)
            if (frames[i].kind == page) {
                if (frames[i].map != frames[end].map) ++distinct;
                end = i;
            }
        ASSERT_LT(end + 1, frames.size()) << "the game ended on page " << page;
        EXPECT_EQ(frames[end + 1].map, map_view) << "the map view did not come back at once after page " << page;
        // The encyclopedia showed its start page and then the linked page.
        if (page == 'E') {
            EXPECT_GE(distinct, 2u);
        }
        at = end + 1;
    }
    // The log line and the character's save.
    EXPECT_NE(folder.read("ARI/msglog.txt").find("Character log is no longer in use."), std::string::npos);
}

}  // namespace
