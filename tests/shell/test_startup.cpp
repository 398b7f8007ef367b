// Start-up: window geometry, window flags, the exit codes, and the whole
// program run in a play folder.
#include <gtest/gtest.h>

#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "shell/ending.h"
#include "shell/startup.h"
#include "ui/graphics.h"
#include "ui/window.h"
#include "ui/keyed_words.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

constexpr int32_t C = int32_t(SDL_WINDOWPOS_CENTERED);
const std::vector<SDL_Rect> one_display(int w, int h) { return {SDL_Rect{0, 0, w, h}}; }

TEST(WindowGeometry, SizeByDisplayHeightWithoutASavedFile) {
    struct Case {
        int display_h, w, h;
    } cases[] = {{1080, 1200, 900}, {1001, 1200, 900}, {1000, 1000, 750}, {801, 1000, 750},
                 {800, 800, 600},   {768, 800, 600},   {600, 800, 600}};
    for (const Case& c : cases) {
        WindowRecord r = choose_window_geometry(nullptr, 1920, c.display_h, one_display(1920, c.display_h));
        EXPECT_EQ(r.w, c.w) << c.display_h;
        EXPECT_EQ(r.h, c.h) << c.display_h;
        EXPECT_EQ(r.x, C);
        EXPECT_EQ(r.y, C);
    }
}

TEST(WindowGeometry, SavedPositionNearTheEdgeIsReplaced) {
    struct Case {
        WindowRecord saved;
        WindowRecord expected;
    } cases[] = {
        {{1860, 100, 1000, 750}, {1860, 100, 1000, 750}},  // display width - 60 stays
        {{1861, 100, 1000, 750}, {C, C, 800, 600}},        // one more: centred 800 x 600
        {{100, 1020, 1000, 750}, {100, 1020, 1000, 750}},
        {{100, 1021, 1000, 750}, {C, C, 800, 600}},
        {{-300, -20, 1000, 750}, {-300, -20, 1000, 750}},  // left of and above the screen stay
        {{C, 5000, 1000, 750}, {C, 5000, 1000, 750}},      // a centred x keeps the rule off
    };
    for (const Case& c : cases) {
        WindowRecord r = choose_window_geometry(&c.saved, 1920, 1080, one_display(1920, 1080));
        EXPECT_EQ(r.x, c.expected.x) << c.saved.x << "," << c.saved.y;
        EXPECT_EQ(r.y, c.expected.y) << c.saved.x << "," << c.saved.y;
        EXPECT_EQ(r.w, c.expected.w);
        EXPECT_EQ(r.h, c.expected.h);
    }
}

TEST(WindowGeometry, AbsurdSavedGeometryFallsBackToTheCentredDefault) {
    const WindowRecord absurd[] = {
        {100, 100, 0, 0},          {100, 100, 1000, -5},   {100, 100, 100000, 750},
        {100, 100, 1000, 100000},  {-9000, 100, 1000, 750},  // off every display
        {100, -9000, 1000, 750},
    };
    for (const WindowRecord& saved : absurd) {
        WindowRecord r = choose_window_geometry(&saved, 1920, 1080, one_display(1920, 1080));
        EXPECT_EQ(r.x, C) << saved.x << "," << saved.y << " " << saved.w << "x" << saved.h;
        EXPECT_EQ(r.y, C);
        EXPECT_EQ(r.w, 1200);
        EXPECT_EQ(r.h, 900);
    }
    // A window on a second display is not off every display.
    std::vector<SDL_Rect> two = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    WindowRecord left{-1000, 100, 800, 600};
    WindowRecord r = choose_window_geometry(&left, 1280, 1024, two);
    EXPECT_EQ(r.x, -1000);
}

TEST(WindowFlags, ByFullscreenAndMuseum) {
    const uint32_t R = SDL_WINDOW_RESIZABLE, F = SDL_WINDOW_FULLSCREEN_DESKTOP, M = SDL_WINDOW_MAXIMIZED;
    WindowRecord centred{C, C, 800, 600};
    WindowRecord top_left_wide{0, 0, 1920, 1080};
    struct Case {
        const char* fullscreen;
        const char* museum;
        const WindowRecord* geometry;
        uint32_t flags;
    } cases[] = {
        {"YES", "YES", &centred, F},
        {"YES", "NO", &centred, F | R},
        {"yes", "NO", &centred, R},  // lower case is not YES
        {"MAXIMIZED", "NO", &centred, M | R},
        {"MAXIMIZED", "YES", &centred, M},
        {"NO", "NO", &centred, R},
        {"NO", "yes", &centred, R},
        {"NO", "NO", &top_left_wide, M | R},
        {"NO", "YES", &top_left_wide, M},
    };
    for (const Case& c : cases)
        EXPECT_EQ(window_flags_for(c.fullscreen, c.museum, *c.geometry, 1920), c.flags)
            << c.fullscreen << "/" << c.museum;
}

TEST(ExitRoutine, FatalMessagesExitNonZeroOrderlyExitsZero) {
    EXPECT_EQ(exit_code_for_message(""), 0);
    EXPECT_EQ(exit_code_for_message(nullptr), 0);
    EXPECT_NE(exit_code_for_message("Couldn't open object data!"), 0);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit_with_message(""), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(exit_with_message("Couldn't open object data!"), ::testing::ExitedWithCode(1),
                "Couldn't open object data!");
}

// ------------------------------------------------------------ black box

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) nl = text.size();
        out.push_back(text.substr(pos, nl - pos));
        pos = nl + 1;
    }
    return out;
}

// The offscreen video driver loads graphics libraries that leak at exit on
// their own; the game's own leaks are checked by the dummy-driver runs.
const char* const offscreen =
    "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0";

TEST(BlackBox, StartsQuitsAndLeavesItsFiles) {
    PlayFolder folder;
    folder.write("debug_old.txt", "left over\n");
    folder.write("debug_.txt", "left over\n");
    ASSERT_FALSE(folder.exists("ksm_ini.txt"));

    ASSERT_EQ(run_game(folder.path(), offscreen), 0) << folder.read("game_stderr.txt");

    EXPECT_EQ(folder.read("ksm_ini.txt"), folder.read("defaults/ksm_ini.def"));
    EXPECT_FALSE(folder.exists("debug_old.txt"));
    EXPECT_FALSE(folder.exists("debug_.txt"));
    EXPECT_EQ(folder.read("audio.txt"), "start\n");

    std::string winpos = folder.read("winpos.dat");
    ASSERT_EQ(winpos.size(), 16u);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(winpos.data());
    int32_t x = get_le32s(p), y = get_le32s(p + 4);
    EXPECT_EQ(get_le32s(p + 8), 800);
    EXPECT_EQ(get_le32s(p + 12), 600);
    EXPECT_GE(x, 0);
    EXPECT_GE(y, 0);
    EXPECT_LE(x, 1024 - 800);
    EXPECT_LE(y, 768 - 600);

    std::vector<std::string> log = lines_of(folder.read("init_log.txt"));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].rfind("main() version ", 0), 0u) << log[0];
    const std::vector<std::string> steps = {
        "copy ksm_ini.txt from defaults/", "SDL_Init", "GetVideoDisplays()", "Secure Window Position",
        "Read FullScreen config", "Create Window", "SetWindowIcon", "Get Topics", "GetConfig",
        "InitGr", "intro_scren ...", "ksm_textinit ...",
    };
    size_t at = 1;
    for (const std::string& step : steps) {
        while (at < log.size() && log[at] != step) ++at;
        EXPECT_LT(at, log.size()) << "missing or out of order: " << step;
    }

    // A second run (on the dummy driver, leak checks on): the configuration
    // is there already, nothing is copied, and the window comes back where
    // the first run left it.
    ASSERT_EQ(run_game(folder.path()), 0) << folder.read("game_stderr.txt");
    std::string second = folder.read("init_log.txt");
    EXPECT_EQ(second.find("copy ksm_ini.txt"), std::string::npos);
    EXPECT_EQ(second.rfind("main() version ", 0), 0u);
    EXPECT_EQ(folder.read("winpos.dat"), winpos);
}

TEST(BlackBox, BadWindowFileAndMissingDefaultsDontStopTheStart) {
    PlayFolder folder;
    remove_file("defaults/ksm_ini.def");
    folder.write("winpos.dat", std::string("\x10\x00\x00", 3));  // short
    ASSERT_EQ(run_game(folder.path(), offscreen), 0) << folder.read("game_stderr.txt");
    EXPECT_FALSE(folder.exists("ksm_ini.txt"));
    EXPECT_EQ(folder.read("winpos.dat").size(), 16u);
}

TEST(Essentials, EachMissingOrDamagedOneIsNamed) {
    PlayFolder folder;
    EXPECT_EQ(installation_essentials_problem(), "");
    struct Case {
        const char* file;
        bool folder;
        std::string damaged;  // "" removes it
        const char* expected;
    } cases[] = {
        {"KSM.FNT", false, "", "KSM.FNT (the font) is missing"},
        {"KSM.FNT", false, std::string(100, 'x'), "KSM.FNT (the font) is damaged"},
        {"palette.nfo", false, "", "palette.nfo (the palette) is missing"},
        {"palette.nfo", false, std::string(3071, '\0'), "palette.nfo (the palette) is damaged"},
        {"truetile", true, "", "truetile (the tiles) is missing"},
        {"linedist.arr", false, "", "linedist.arr"},
        {"linedist.arr", false, "0.5\nnot a number\n", "linedist.arr is damaged: line 2"},
        {"ini_skills.txt", false, "", "ini_skills.txt (the skill table) is missing"},
        {"ini_skills.txt", false, ".DODGE. [def:2]\n[ATTRIBS:str dex]\n\ngarbage\n", "ini_skills.txt (the skill table) is damaged: line 4"},
    };
    for (const Case& c : cases) {
        const std::string saved = c.folder ? "" : folder.read(c.file);
        if (c.folder) {
            rename_file(c.file, "moved_away");
        } else if (c.damaged.empty()) {
            remove_file(c.file);
        } else {
            folder.write(c.file, c.damaged);
        }
        const std::string problem = installation_essentials_problem();
        EXPECT_NE(problem.find(c.expected), std::string::npos) << c.file << ": " << problem;
        if (c.folder)
            rename_file("moved_away", c.file);
        else
            folder.write(c.file, saved);
        EXPECT_EQ(installation_essentials_problem(), "") << c.file;
    }
}

TEST(BlackBox, AMissingEssentialEndsTheStartWithItsName) {
    PlayFolder folder;
    remove_file("KSM.FNT");
    EXPECT_EQ(run_game(folder.path()), 1);
    EXPECT_NE(folder.read("game_stderr.txt").find("Kesmorra can't start: KSM.FNT (the font) is missing."),
              std::string::npos)
        << folder.read("game_stderr.txt");
    EXPECT_NE(folder.read("init_log.txt").find("KSM.FNT"), std::string::npos);
}

TEST(BlackBox, WithoutASoundDeviceTheGameStartsSilently) {
    PlayFolder folder;
    // The game reaches its start menu without waiting for a key on the way:
    // the first key the script gives is read there.
    folder.write("keys.txt", "{shot first_wait}\n");
    make_folder(folder.file("shots"));
    ASSERT_EQ(run_game(folder.path(), "SDL_AUDIODRIVER=no_such_driver KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                          "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'"),
              0)
        << folder.read("game_stderr.txt");
    const std::string log = folder.read("init_log.txt");
    EXPECT_NE(log.find("Could not open audio - the game goes on without sound"), std::string::npos) << log;
    EXPECT_EQ(log.find("Press a key"), std::string::npos) << log;
    EXPECT_NE(log.find("intro_scren ..."), std::string::npos) << log;
    EXPECT_TRUE(folder.exists("shots/first_wait.bmp"));
}

// True once the file is there, false when it did not come in time.
bool appears(const std::string& path, int timeout_ms) {
    for (int waited = 0; waited < timeout_ms; waited += 20) {
        if (path_exists(path)) return true;
        usleep(20 * 1000);
    }
    return false;
}

TEST(BlackBox, TerminationEndsAnyScreenTheOrderlyWay) {
    // The script leads to a screen and leaves the game waiting there for
    // the real keyboard; SIGTERM ends the run with the orderly exit (code 0)
    // on a page of the start menu and in character creation (the gallery
    // ends a game the same way).
    struct Case {
        const char* screen;
        const char* keys;
    } cases[] = {
        {"about page", "[SPACE]\n[SPACE]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[ENTER]\n"},
        {"character name", "[SPACE]\n[SPACE]\n[DOWN]\n[ENTER]\n[C]\n"},
    };
    for (const Case& c : cases) {
        PlayFolder folder;
        folder.write("keys.txt", std::string(c.keys) + "{shot waiting}\n{wait}\n");
        make_folder(folder.file("shots"));
        const int pid = start_game(folder.path(), "KSM_TEST_KEYS='" + folder.file("keys.txt") +
                                                      "' KSM_TEST_SCREENSHOT='" + folder.file("shots") + "'");
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(appears(folder.file("shots/waiting.bmp"), 120000)) << c.screen;
        kill(pid, SIGTERM);
        EXPECT_EQ(wait_game(pid, 30000), 0) << c.screen << ": " << folder.read("game_stderr.txt");
    }
}

TEST(BlackBox, NoVideoEndsWithAClearMessageAndNonZeroCode) {
    PlayFolder folder;
    int code = run_game(folder.path(), "SDL_VIDEODRIVER=no_such_driver");
    EXPECT_NE(code, 0);
    EXPECT_NE(folder.read("game_stderr.txt").find("Could not"), std::string::npos)
        << folder.read("game_stderr.txt");
}

}  // namespace
