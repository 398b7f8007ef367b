// The screen gallery: the real program, driven by key scripts, shows every
// screen a player meets, and each shot is compared with its reference
// picture in tests/shell/reference/gallery/. A changed picture fails with the
// shot, the reference and a picture of the difference written to a
// temporary folder; the references change only by tools/update_gallery.py.
// The gallery also checks that a screen opened over another one covers it
// where its own frame stands, and that the README's key table tells what
// each key does.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/platform.h"
#include "support/play_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kReferences = std::string(KSM_SOURCE_DIR) + "/tests/shell/reference/gallery";

// A pixel differs when one of its channels differs by more than this; a
// shot matches when at most kAllowedPixels pixels differ.
constexpr int kChannelTolerance = 16;
constexpr int kAllowedPixels = 480;  // 0.1 % of the screen

// ------------------------------------------------------------ pictures

struct Picture {
    SDL_Surface* s = nullptr;
    Picture() = default;
    explicit Picture(const std::string& path) {
        SDL_Surface* raw = IMG_Load(path.c_str());
        if (raw) {
            s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(raw);
        }
    }
    ~Picture() {
        if (s) SDL_FreeSurface(s);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    explicit operator bool() const { return s != nullptr; }
    Uint32 at(int x, int y) const {
        return static_cast<const Uint32*>(static_cast<const void*>(static_cast<const uint8_t*>(s->pixels) +
                                                                   y * s->pitch))[x];
    }
};

bool close_enough(Uint32 a, Uint32 b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((a >> shift) & 255) - int((b >> shift) & 255);
        if (d > kChannelTolerance || d < -kChannelTolerance) return false;
    }
    return true;
}

// Writes the reference greyed, with the differing pixels in red.
void write_difference(const Picture& shot, const Picture& reference, const std::string& path) {
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, shot.s->w, shot.s->h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!out) return;
    for (int y = 0; y < out->h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(out->pixels) + y * out->pitch);
        for (int x = 0; x < out->w; ++x) {
            const Uint32 a = shot.at(x, y), b = reference.at(x, y);
            if (!close_enough(a, b)) {
                row[x] = 0xFFFF0000u;
            } else {
                const Uint32 grey = (((b >> 16) & 255) + ((b >> 8) & 255) + (b & 255)) / 6;
                row[x] = 0xFF000000u | (grey << 16) | (grey << 8) | grey;
            }
        }
    }
    IMG_SavePNG(out, path.c_str());
    SDL_FreeSurface(out);
}

// The folder that receives the pictures of a failed comparison: in the
// system's temporary folder, never in the repository.
std::string difference_folder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path p = fs::temp_directory_path() / ("ksm-gallery-diff-" + std::to_string(getpid())) / info->name();
    fs::create_directories(p);
    return p.string();
}

// ------------------------------------------------------------ runs

// One program start: its key script, with "{shot NAME}" where a screen is
// to be kept.
struct ScriptRun {
    std::string name;
    std::string keys;
};

std::vector<std::string> shot_names(const std::string& keys) {
    std::vector<std::string> names;
    std::istringstream in(keys);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("{shot ", 0) == 0 && line.back() == '}') names.push_back(line.substr(6, line.size() - 7));
    return names;
}

// Shots that must show exactly the screen of another shot are compared with
// that one's reference picture (and have none of their own): a page that
// closes leaves no trace, a screen reached twice is the same screen.
const std::map<std::string, std::string> kSameAs = {
    {"quick_name", "create_name"},            // every mode asks the name alike
    {"start_menu_after_ctrl_s", "start_menu"},
    {"zoom_half", "zoom_05"},                 // Ctrl+0 from full size: half size
    {"zoom_in_063", "zoom_063"},              // in and out by the same steps
    {"after_profile", "own_square"},          // the profile leaves no trace
    {"start_menu_after_save", "start_menu"},  // no map over the start menu
    {"quit_start_menu", "start_menu"},
    {"loaded_again", "loaded_game"},          // a save and load changes nothing
    {"after_help_menu", "before_pages"},      // the information pages leave no trace
    {"after_culture_page", "create_culture"},  // the encyclopedia leaves the chooser as it was
    {"after_skill_page", "create_skills"},
};

// Parts of a shot that differ from run to run by nature (the play folder's
// path on the about page) are blotted out before the comparison and in the
// pictures kept.
const std::multimap<std::string, SDL_Rect> kBlotted = {
    {"about", {20, 340, 760, 10}},
    {"bonus_material", {20, 318, 760, 12}},
};

void blot(Picture& shot, const std::string& name) {
    const auto range = kBlotted.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
        SDL_Rect r = it->second;
        SDL_FillRect(shot.s, &r, 0xFF808080u);
    }
}

// A screen opened over another must not show that one's pixels where its own
// frame stands: at most `max_same` of the frame's pixels may be left as
// they were on the screen it was opened over.
struct Cover {
    const char* shot;
    const char* over;
    SDL_Rect frame;
    double max_same;
};

double share_unchanged(const Picture& a, const Picture& b, const SDL_Rect& r) {
    long same = 0, all = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            ++all;
            if (a.at(x, y) == b.at(x, y)) ++same;
        }
    return all ? double(same) / double(all) : 0.0;
}

class Gallery : public ::testing::Test {
protected:
    PlayFolder folder;

    void SetUp() override {
        // A fixed set-up: no sound (it plays no part in a picture and the
        // start is quicker) and no idle animation, whose timer would wake
        // the game between keys.
        std::string ini = folder.read("defaults/ksm_ini.def");
        for (auto [from, to] : {std::pair<std::string, std::string>{"[IDLE_ANIMATION:YES]", "[IDLE_ANIMATION:NO]"},
                                {"[AUDIO:YES]", "[AUDIO:NO]"}}) {
            const size_t at = ini.find(from);
            ASSERT_NE(at, std::string::npos) << from;
            ini.replace(at, from.size(), to);
        }
        folder.write("ksm_ini.txt", ini);
    }

    std::string shots(const ScriptRun& run) const { return folder.file("shots_" + run.name); }

    // Rain and snow are drawn at random anew with every frame: the local
    // maps are shown under a clear sky, so that a screen reached twice is
    // the same picture whatever the weather. Open ground round the player
    // keeps the squares the look cursor visits in sight, whatever the world.
    std::string environment(const ScriptRun& run) {
        folder.write("keys_" + run.name + ".txt", run.keys);
        folder.write("scene.txt", "weather clear\nopen 3\n");
        fs::create_directories(shots(run));
        return "KSM_TEST_SEED=5 SDL_RENDER_DRIVER=software KSM_TEST_KEYS='" + folder.file("keys_" + run.name + ".txt") +
               "' KSM_TEST_SCREENSHOT='" + shots(run) + "' KSM_TEST_SCENE='" + folder.file("scene.txt") + "'";
    }

    // Runs the program to its end; its exit code.
    int play(const ScriptRun& run) { return run_game(folder.path(), environment(run)); }

    // Every shot of the run against its reference; the pictures of the run
    // are kept by name for the cover checks.
    void compare_shots(const ScriptRun& run) {
        const char* out = std::getenv("KSM_GALLERY_OUT");  // tools/update_gallery.py collects here
        for (const std::string& name : shot_names(run.keys)) {
            const std::string path = shots(run) + "/" + name + ".bmp";
            auto shot = std::make_unique<Picture>(path);
            if (!*shot) {
                ADD_FAILURE() << "no shot " << name << " in run " << run.name << ": the key script went astray";
                continue;
            }
            blot(*shot, name);
            const auto same = kSameAs.find(name);
            const std::string expected = same == kSameAs.end() ? name : same->second;
            if (out) {
                // Each shot with the reference it is compared with, for the
                // update script; the pictures of the references themselves.
                std::ofstream(std::string(out) + "/shots.txt", std::ios::app) << name << " " << expected << "\n";
                if (same == kSameAs.end()) IMG_SavePNG(shot->s, (std::string(out) + "/" + name + ".png").c_str());
            }
            Picture reference(kReferences + "/" + expected + ".png");
            if (!reference) {
                ADD_FAILURE() << "no reference picture " << expected << " for " << name
                              << ": make it with tools/update_gallery.py";
            } else if (reference.s->w != shot->s->w || reference.s->h != shot->s->h) {
                ADD_FAILURE() << name << ": the shot is " << shot->s->w << " x " << shot->s->h << ", the reference "
                              << reference.s->w << " x " << reference.s->h;
            } else {
                int differing = 0;
                for (int y = 0; y < shot->s->h; ++y)
                    for (int x = 0; x < shot->s->w; ++x)
                        if (!close_enough(shot->at(x, y), reference.at(x, y))) ++differing;
                if (differing > kAllowedPixels) {
                    const std::string diff = difference_folder();
                    if (expected != name)
                        ADD_FAILURE() << name << " must show the same screen as " << expected;
                    IMG_SavePNG(shot->s, (diff + "/" + name + ".shot.png").c_str());
                    IMG_SavePNG(reference.s, (diff + "/" + name + ".reference.png").c_str());
                    write_difference(*shot, reference, diff + "/" + name + ".difference.png");
                    ADD_FAILURE() << name << ": " << differing << " pixels differ from the reference (at most "
                                  << kAllowedPixels << " may); the shot, the reference and the difference are in "
                                  << diff;
                }
            }
            pictures[name] = std::move(shot);
        }
    }

    void check_covers(const std::vector<Cover>& covers) {
        for (const Cover& c : covers) {
            auto a = pictures.find(c.shot), b = pictures.find(c.over);
            if (a == pictures.end() || b == pictures.end()) {
                ADD_FAILURE() << "no shots for the cover check " << c.shot << " over " << c.over;
                continue;
            }
            const double same = share_unchanged(*a->second, *b->second, c.frame);
            EXPECT_LE(same, c.max_same) << c.shot << " shows " << int(same * 100) << " % of " << c.over
                                        << " where its own frame stands";
        }
    }

    std::map<std::string, std::unique_ptr<Picture>> pictures;
};

// ------------------------------------------------------------ the runs

// The front pages, a custom character made step by step, its world, the
// game on the world map and a local map with every zoom step, look and
// describe, the skills page and the profile, saving, and the way out.
const ScriptRun kCustomGame = {"custom", R"({shot loading}
[SPACE]
{shot start_menu}
[ENTER]
{shot load_none}
[SPACE]
[DOWN]
[ENTER]
{shot creation_modes}
[C]
{shot create_name}
{text S)"
                                   "\xC3\xA4"
                                   "mp"
                                   "\xC3\xB6"
                                   R"(}
{shot create_name_typed}
[ENTER]
{shot create_culture}
[?]
{shot culture_page}
[ESC]
{shot after_culture_page}
[DOWN]
[DOWN]
[ENTER]
{shot create_sex}
[F]
{shot create_portrait}
[RIGHT]
{shot create_portrait_next}
[ENTER]
{shot create_season}
[1]
{shot create_body}
[N]
{shot create_body_rerolled}
[Y]
{shot create_skills}
[F1]
{shot skill_page}
[ESC]
{shot after_skill_page}
[+]
[DOWN]
[+]
[DOWN]
[+]
[DOWN]
[+]
[DOWN]
[+]
{shot create_options_used}
[Y]
{shot worldgen}
[E]
{shot scenarios}
[1]
{shot scenario_story}
[Y]
{shot course}
[ESC]
{shot creation_done}
[SPACE]
{shot first_timer}
[ESC]
{shot start_story}
[SPACE]
{shot world_map}
[UP]
[UP]
[UP]
[UP]
{shot world_map_walked}
[ENTER]
{shot local_map}
{CTRL+-}
{shot zoom_0815}
{CTRL+-}
{shot zoom_063}
{CTRL+-}
{shot zoom_05}
{CTRL+=}
{shot zoom_in_063}
{CTRL+0}
{shot zoom_back_1}
{CTRL+0}
{shot zoom_half}
{CTRL+0}
[l]
{shot look}
[RIGHT]
[RIGHT]
{shot look_moved}
[ENTER]
{shot look_told}
[x]
{shot describe}
[UP]
{shot described}
[:]
{shot own_square}
[s]
{shot skills}
[ESC]
{shot after_skills}
[P]
{shot profile}
[SPACE]
{shot after_profile}
[RIGHT]
{shot facing_south_east}
{CTRL+s}
{shot saved}
[SPACE]
{shot start_menu_after_save}
[DOWN]
[DOWN]
[ENTER]
{shot setup_row}
[DOWN]
[ENTER]
{shot ancestors_row}
[ESC]
[DOWN]
[ENTER]
{shot about}
[SPACE]
[DOWN]
[ENTER]
{shot credits}
[SPACE]
[DOWN]
[ENTER]
{shot farewell}
[SPACE]
)"};

const std::vector<Cover> kCustomCovers = {
    {"load_none", "start_menu", {610, 80, 180, 60}, 0.25},
    {"creation_modes", "start_menu", {610, 80, 180, 125}, 0.25},
    // Each creation step over the step before it: its lists and boxes, and
    // the hint bar where it tells something new.
    {"create_name", "creation_modes", {0, 0, 800, 600}, 0.10},
    {"create_culture", "create_name_typed", {15, 90, 170, 230}, 0.10},
    {"create_culture", "create_name_typed", {5, 545, 790, 53}, 0.25},
    {"culture_page", "create_culture", {0, 0, 800, 600}, 0.10},
    {"create_sex", "create_culture", {15, 325, 170, 85}, 0.10},
    {"create_sex", "create_culture", {5, 545, 790, 53}, 0.25},
    {"create_portrait", "create_sex", {190, 30, 220, 260}, 0.10},
    {"create_season", "create_portrait_next", {415, 30, 170, 105}, 0.10},
    {"create_body", "create_season", {265, 50, 210, 230}, 0.10},
    {"create_body", "create_season", {540, 30, 245, 170}, 0.10},
    {"create_skills", "create_body_rerolled", {0, 0, 800, 600}, 0.10},
    {"skill_page", "create_skills", {0, 0, 800, 600}, 0.10},
    {"worldgen", "create_options_used", {0, 0, 800, 600}, 0.10},
    {"scenarios", "worldgen", {0, 0, 800, 600}, 0.10},
    {"scenario_story", "scenarios", {0, 0, 800, 600}, 0.10},
    {"course", "scenario_story", {0, 0, 800, 600}, 0.10},
    {"creation_done", "course", {0, 0, 800, 600}, 0.10},
    {"look", "local_map", {503, 190, 286, 150}, 0.25},
    {"describe", "local_map", {503, 190, 286, 140}, 0.25},
    {"skills", "own_square", {0, 0, 800, 600}, 0.10},
    {"profile", "after_skills", {0, 0, 800, 600}, 0.10},
    {"start_menu_after_save", "facing_south_east", {15, 85, 450, 460}, 0.10},
    {"about", "start_menu_after_save", {10, 220, 780, 170}, 0.25},
    {"credits", "start_menu_after_save", {50, 220, 700, 320}, 0.25},
    {"farewell", "start_menu_after_save", {0, 0, 800, 600}, 0.10},
};

TEST_F(Gallery, CustomCharacterFromTheStartMenuToTheFarewell) {
    ASSERT_EQ(play(kCustomGame), 0) << folder.read("game_stderr.txt");
    compare_shots(kCustomGame);
    check_covers(kCustomCovers);
    // The name's letters are kept in the record; the folder is in ASCII.
    EXPECT_TRUE(folder.exists("SAMPO/SAMPO.KMS"));
}

// A quick character; then every key of the README's table in its order
// (Ctrl+S, loading from the list, the quit questions), and a second load
// that is left waiting for the keyboard and ended by SIGTERM.
const ScriptRun kQuickGame = {"quick", R"([SPACE]
[DOWN]
[ENTER]
[Q]
{shot quick_name}
{text Ari}
[ENTER]
[E]
[ESC]
[SPACE]
[ESC]
[SPACE]
{shot quick_game}
[&]
[y]
[UP]
{Keypad 8}
[DOWN]
{Keypad 2}
[LEFT]
[RIGHT]
{Keypad 4}
{Keypad 6}
{Home}
{PageUp}
{Keypad 7}
{Keypad 9}
{End}
{PageDown}
{Keypad 1}
{Keypad 3}
{CTRL+Up}
[ENTER]
{shot quick_local}
[.]
{Keypad 5}
[R]
[R]
[h]
[h]
[/]
{shot movement_menu}
[ESC]
{Delete}
[ESC]
[l]
[ESC]
{F3}
[ESC]
[x]
[ESC]
[:]
{CTRL+-}
{CTRL+=}
{CTRL+0}
{CTRL+0}
[s]
[ESC]
[P]
[SPACE]
{shot before_pages}
[v]
{shot message_log}
[ESC]
[?]
{shot key_help}
[ESC]
[F1]
{shot encyclopedia}
[ESC]
[A]
{shot armour_coverage}
[ESC]
[ESC]
{shot help_menu}
[ESC]
{shot after_help_menu}
{CTRL+s}
[SPACE]
{shot start_menu_after_ctrl_s}
[ENTER]
{shot load_list}
[ENTER]
{shot loaded_game}
[Q]
{shot quit_sure}
[y]
{shot quit_save}
[n]
{shot quit_die}
[n]
{shot quit_saved}
[SPACE]
{shot quit_start_menu}
[ENTER]
[ENTER]
{shot loaded_again}
{wait}
)"};

const std::vector<Cover> kQuickCovers = {
    {"load_list", "start_menu_after_ctrl_s", {610, 80, 180, 300}, 0.25},
    {"message_log", "before_pages", {0, 0, 800, 600}, 0.25},
    {"key_help", "before_pages", {0, 0, 800, 600}, 0.25},
    {"encyclopedia", "before_pages", {0, 0, 800, 600}, 0.25},
    {"armour_coverage", "before_pages", {0, 0, 800, 600}, 0.25},
    {"help_menu", "before_pages", {500, 192, 292, 136}, 0.10},
    // Each quit question in its box over the command line of the game.
    {"quit_sure", "loaded_game", {503, 545, 290, 50}, 0.10},
    {"quit_save", "loaded_game", {503, 545, 290, 50}, 0.10},
    {"quit_die", "loaded_game", {503, 545, 290, 50}, 0.10},
};

// What each key of the README's table reaches in the game, as the game's
// key trace tells it ("command -> ..." lines of the debug channel that "&"
// switches on). The keys are those of the table, in its order.
struct ReadmeKey {
    const char* key;                      // the table's first column
    std::vector<const char*> reached;     // trace lines the run must hold
};
const std::vector<ReadmeKey> kReadmeKeys = {
    {"Up arrow, keypad 8", {"command -> MovePlayer 1", "command -> MovePlayer 1"}},
    {"Down arrow, keypad 2", {"command -> MovePlayer -1", "command -> MovePlayer -1"}},
    {"Left, Right arrow, keypad 4, 6",
     {"command -> turn 1", "command -> turn 0", "command -> turn 1", "command -> turn 0"}},
    {"Home, PgUp, keypad 7, 9",
     {"command -> turn 2", "command -> turn 0", "command -> turn 2", "command -> turn 0"}},
    {"End, PgDn, keypad 1, 3",
     {"command -> turn 4", "command -> turn 0", "command -> turn 4", "command -> turn 0"}},
    {"Ctrl + a direction key", {"command -> MovePlayer 100"}},
    {"ENTER", {"command -> zoom_command"}},
    {". or keypad 5", {"command -> advance_seconds 10", "command -> advance_seconds 10"}},
    {"R", {"command -> toggle_walk_run", "command -> toggle_walk_run"}},
    {"h", {"command -> toggle_hiding", "command -> toggle_hiding"}},
    {"/ or Delete", {"command -> movement_menu", "command -> movement_menu"}},
    {"l or F3", {"command -> far_look_command", "command -> far_look_command"}},
    {"x", {"command -> choose_target_location 18"}},
    {":", {"command -> describe_location 1"}},
    {"Ctrl+minus, Ctrl+plus, Ctrl+0",
     {"command -> set_map_view_geometry 815", "command -> set_map_view_geometry 1000",
      "command -> set_map_view_geometry 500", "command -> set_map_view_geometry 1000"}},
    {"s", {"command -> skills_screen"}},
    {"P", {"command -> physical_profile"}},
    {"v", {"command -> message_log_viewer"}},
    {"?", {"command -> key_help_screen"}},
    {"F1", {"command -> infobrowser"}},
    {"A", {"command -> armour_coverage_screen"}},
    {"ESC", {"command -> help_and_options_menu"}},
    {"Ctrl+S", {"command -> confirm_quit 1"}},
    {"Q", {"command -> confirm_quit 0"}},
};

// The first column of the README's key table.
std::vector<std::string> readme_keys() {
    std::ifstream in(std::string(KSM_SOURCE_DIR) + "/README.md");
    std::string line;
    std::vector<std::string> keys;
    bool in_table = false;
    while (std::getline(in, line)) {
        if (line == "| key | what it does |") {
            in_table = true;
            continue;
        }
        if (!in_table) continue;
        if (line.rfind("|", 0) != 0) break;
        if (line.rfind("|---", 0) == 0) continue;
        const size_t end = line.find(" | ", 2);
        keys.push_back(line.substr(2, end == std::string::npos ? std::string::npos : end - 2));
    }
    return keys;
}

TEST_F(Gallery, QuickCharacterEveryKeyQuittingLoadingAndTermination) {
    // The test knows every key the README lists, and no other.
    std::vector<std::string> listed = readme_keys();
    std::vector<std::string> known;
    for (const ReadmeKey& k : kReadmeKeys) known.push_back(k.key);
    EXPECT_EQ(listed, known) << "the README's key table and this test must list the same keys";

    const int pid = start_game(folder.path(), environment(kQuickGame));
    ASSERT_GT(pid, 0);
    // The last shot is taken as the game waits at "{wait}".
    const std::string last = shots(kQuickGame) + "/loaded_again.bmp";
    for (int waited = 0; waited < 240000 && !path_exists(last); waited += 50) usleep(50 * 1000);
    ASSERT_TRUE(path_exists(last)) << folder.read("game_stderr.txt");
    // SIGTERM on the game screen: the orderly exit, code 0.
    kill(pid, SIGTERM);
    EXPECT_EQ(wait_game(pid, 60000), 0) << folder.read("game_stderr.txt");
    EXPECT_TRUE(folder.exists("ARI/ARI.KMS"));

    // The script presses the keys in the table's order, each of a row's
    // keys once: the trace holds the row's lines in that order.
    const std::string trace = folder.read("debug_keydebug.txt");
    size_t at = 0;
    for (const ReadmeKey& k : kReadmeKeys)
        for (const char* line : k.reached) {
            const size_t found = trace.find(line, at);
            EXPECT_NE(found, std::string::npos) << k.key << " did not reach \"" << line << "\" in its turn";
            if (found != std::string::npos) at = found + 1;
        }

    compare_shots(kQuickGame);
    check_covers(kQuickCovers);
}

// With a bonus-material folder in the game's folder the start menu has a
// row for it, whose page tells where the folder is; the way out is QUIT,
// the row above it.
const ScriptRun kBonusMaterial = {"bonus", R"([SPACE]
{shot start_menu_bonus}
[DOWN]
[DOWN]
[DOWN]
[DOWN]
[DOWN]
[DOWN]
[DOWN]
[ENTER]
{shot bonus_material}
[SPACE]
{shot after_bonus_material}
[UP]
[ENTER]
[SPACE]
)"};

TEST_F(Gallery, BonusMaterialRowAndItsPage) {
    fs::create_directories(folder.file("BonusMaterial"));
    ASSERT_EQ(play(kBonusMaterial), 0) << folder.read("game_stderr.txt");
    compare_shots(kBonusMaterial);
    check_covers({{"bonus_material", "start_menu_bonus", {10, 220, 780, 140}, 0.25}});
}

// The two easier custom modes differ in the option points: their skill
// pages. Each run ends there: a closed window during creation ends the
// program at once.
const ScriptRun kEasyModes[] = {
    {"easy", R"([SPACE]
[DOWN]
[ENTER]
[E]
{text Eila}
[ENTER]
[1]
[M]
[ENTER]
[2]
[Y]
{shot easy_skills}
)"},
    {"too_easy", R"([SPACE]
[DOWN]
[ENTER]
[T]
{text Tuomas}
[ENTER]
[8]
[M]
[ENTER]
[4]
[Y]
{shot too_easy_skills}
)"},
};

TEST_F(Gallery, EasierCustomModesOfferMoreOptionSteps) {
    for (const ScriptRun& run : kEasyModes) {
        ASSERT_EQ(play(run), 0) << run.name << ": " << folder.read("game_stderr.txt");
        compare_shots(run);
    }
}

}  // namespace
