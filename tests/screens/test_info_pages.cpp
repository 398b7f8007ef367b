// The information pages: armour coverage on the body figure, wound marks,
// the message log viewer, the attribute reward, the key help page and the
// help and options menu.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "objects/object_store.h"
#include "screens/help_menu.h"
#include "screens/info_screens.h"
#include "screens/key_help.h"
#include "support/key_script.h"
#include "support/screen_session.h"
#include "ui/canvas.h"
#include "ui/encyclopedia.h"
#include "ui/font.h"
#include "ui/menus.h"
#include "ui/message_line.h"

namespace {

// Keys for every list and key wait, and the page the encyclopedia showed
// each time one is read.
std::vector<int> keys_left;
std::vector<std::string> pages_seen;
int next_key() {
    pages_seen.push_back(last_page);
    if (keys_left.empty()) {
        quit_request = 1;
        return KEY_WINDOW_CLOSED;
    }
    int k = keys_left.front();
    keys_left.erase(keys_left.begin());
    return k;
}

struct InfoPages : ::testing::Test {
    PlayFolder folder;
    ScreenSession session;
    void SetUp() override {
        load_encyclopedia_topics();
        last_page[0] = '\0';
        pages_seen.clear();
        keys_left.clear();
        menu_key_reader = next_key;
        quit_request = 0;
        clear_stub_calls();
    }
    void TearDown() override {
        menu_key_reader = nullptr;
        quit_request = 0;
    }
    bool seen(const std::string& page) const {
        for (const std::string& p : pages_seen)
            if (p == page) return true;
        return false;
    }
};

SDL_Color palette_colour(int entry) { return {palette[entry][0], palette[entry][1], palette[entry][2], 255}; }

uint32_t packed(SDL_Color c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

// The canvas's colours, without its unused fourth byte.
std::vector<uint32_t> canvas_rgb() {
    std::vector<uint32_t> out;
    out.reserve(800 * 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) out.push_back(packed(canvas_colour(x, y)));
    return out;
}

// ------------------------------------------------------------ coverage

TEST_F(InfoPages, ProtectionGradesTakeTheirColours) {
    struct Case {
        int p;
        int entry;  // -1: (20, 0, 0)
    } cases[] = {{0, -1}, {1, 45}, {2, 59}, {3, 56}, {4, 32}, {5, 32}, {6, 196}, {7, 10}, {8, 2}, {30, 2}};
    for (const Case& c : cases) {
        uint32_t want = c.entry < 0 ? 0x140000u : packed(palette_colour(c.entry));
        EXPECT_EQ(protection_colour(c.p), want) << c.p;
    }
}

TEST_F(InfoPages, ARegionFillPaintsTheRegionAndItsMirrorOnly) {
    draw_body_figure_page("ARMOUR COVERAGE STATISTICS", "bg-coverage.jpg");
    body_inside_colour = get_pixel(668, 180);
    const uint32_t grade7 = protection_colour(7);
    body_fill_colour = map_rgb(int(grade7 >> 16), int(grade7 >> 8) & 255, int(grade7) & 255);
    fill_body_region(9);  // the thorax
    const SDL_Color want = palette_colour(10);
    EXPECT_TRUE(same_rgb(canvas_colour(668, 180), want.r, want.g, want.b));
    EXPECT_TRUE(same_rgb(canvas_colour(mirror_x(640), 160), want.r, want.g, want.b));
    EXPECT_EQ(packed(canvas_colour(668, 235)), 0xC8C4BAu);  // the abdomen is its own region
    fill_body_region(5);  // an upper arm: both sides
    EXPECT_TRUE(same_rgb(canvas_colour(596, 190), want.r, want.g, want.b));
    EXPECT_TRUE(same_rgb(canvas_colour(mirror_x(596), 190), want.r, want.g, want.b));
    // Every region has a seed of its own on the figure's inside colour.
    draw_body_figure_page("ARMOUR COVERAGE STATISTICS", "bg-coverage.jpg");
    for (int r = 0; r < BODY_REGIONS; ++r) {
        EXPECT_EQ(packed(canvas_colour(body_regions[r].x, body_regions[r].y)), 0xC8C4BAu) << r;
        body_fill_colour = map_rgb(r, 1, 2);
        fill_body_region(r);
        EXPECT_EQ(packed(canvas_colour(body_regions[r].x, body_regions[r].y)), uint32_t(r << 16 | 1 << 8 | 2)) << r;
        EXPECT_EQ(packed(canvas_colour(mirror_x(body_regions[r].x), body_regions[r].y)), uint32_t(r << 16 | 1 << 8 | 2))
            << r;
    }
}

TEST_F(InfoPages, CoverageScreenAsksForEveryRegionAndOpensArmourMaterials) {
    const int map_state = map_view_state = 1;
    // The player wears one piece, over the thorax only: strong against
    // blows, weak against points.
    const PlayerRecord kept = Plr;
    reset_object_store();
    ObjectRecord vest;
    obj_clear_record(vest);
    vest.item_class = ITEM_ARMOUR;
    copy_text(vest.name, "Vest");
    vest.weight = vest.full_weight = 4.0f;
    vest.blunt = 7;
    vest.point = 1;
    vest.state_bits = OBJ_WORN;
    vest.coverage[1] = 0x02;  // body part 9
    std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
    Plr.plr_inv_id[0] = obj_store_new(vest);
    Plr.plr_inv_count[0] = 1;
    auto region = [](int r) { return packed(canvas_colour(body_regions[r].x, body_regions[r].y)); };

    // Blunt, then F1 (the encyclopedia, left with ESC), then leave.
    keys_left = {'B', KEY_F1, KEY_ESC, KEY_ESC};
    armour_coverage_screen(0, "");
    EXPECT_TRUE(keys_left.empty());
    EXPECT_TRUE(seen("ARMOUR MATERIALS"));
    // The figure as last coloured (blunt, after F1): only the covered region.
    const uint32_t against_blows = region(9);
    EXPECT_NE(against_blows, 0xC8C4BAu);
    for (int r = 0; r < BODY_REGIONS; ++r) {
        if (r == 9) continue;
        EXPECT_EQ(region(r), 0xC8C4BAu) << r;
    }
    EXPECT_EQ(map_view_state, map_state);
    EXPECT_EQ(file_size(folder.file(MENU_LIST_FILE)), MENU_LIST_FILE_SIZE);
    EXPECT_EQ(folder.read("GFX.NFO").rfind("ARMOUR MATERIALS", 0), 0u);

    // "MENULIST.SAV" can't be written: the list comes back from its copy in
    // memory after the encyclopedia, and its keys still work.
    remove_file(MENU_LIST_FILE);
    clear_stub_calls();
    arm_file_fault(1, true);
    keys_left = {KEY_F1, KEY_ESC, 'P', KEY_ESC};
    armour_coverage_screen(0, "");
    disarm_file_fault();
    EXPECT_TRUE(keys_left.empty());
    EXPECT_FALSE(folder.exists(MENU_LIST_FILE));
    EXPECT_NE(region(9), 0xC8C4BAu);
    EXPECT_NE(region(9), against_blows) << "against points the vest's own colour";
    reset_object_store();
    Plr = kept;

    // One item: its coverage bits decide which regions its protection colours.
    clear_stub_calls();
    keys_left = {KEY_ESC};
    armour_coverage_screen(1, "a very long name of a fur coat lined with wool");
    EXPECT_EQ(stub_calls_of("current_object_coverage"), 1);
    EXPECT_EQ(stub_calls_of("object_protection"), 0);
    map_view_state = 0;
}

// ------------------------------------------------------------ wound marks

TEST_F(InfoPages, WoundKindsChooseTheirMarks) {
    struct Case {
        int kind, severity;
        WoundMarkShape shape;
    } cases[] = {
        {2, 0, {2, 10, 1, 1}},  {2, 3, {2, 28, 4, 1}},  {1, 2, {1, 12, 3, 4}}, {3, 1, {1, 5, 7, 6}},
        {4, 1, {1, 8, 2, 4}},   {5, 2, {1, 10, 3, 4}},  {6, 3, {2, 30, 3, 4}}, {6, 1, {2, 16, 2, 3}},
        {10, 5, {0, 0, 0, 0}},  {100, 1, {0, 0, 0, 0}}, {7, 1, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        WoundMarkShape s = wound_mark_shape(c.kind, c.severity);
        EXPECT_EQ(s.kind, c.shape.kind) << c.kind << "/" << c.severity;
        EXPECT_EQ(s.size, c.shape.size) << c.kind << "/" << c.severity;
        EXPECT_EQ(s.thickness, c.shape.thickness) << c.kind << "/" << c.severity;
        EXPECT_EQ(s.count, c.shape.count) << c.kind << "/" << c.severity;
    }
}

TEST_F(InfoPages, WoundMarksStayOnTheFigureAndRepeatForTheSameSeed) {
    auto mark = [](int seed) {
        draw_wounds_page();
        body_inside_colour = get_pixel(668, 180);
        draw_wound_mark(9, 0, 1, 4, seed);
        draw_wound_mark(13, 1, 2, 3, seed);
        return canvas_rgb();
    };
    draw_wounds_page();
    const std::vector<uint32_t> plain = canvas_rgb();
    const uint32_t inside = packed(canvas_colour(668, 180));
    std::vector<uint32_t> a = mark(7), b = mark(7), c = mark(8);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    // Only pixels of the figure's inside colour changed.
    int changed = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == plain[i]) continue;
        ++changed;
        ASSERT_EQ(plain[i], inside) << i % 800 << "," << i / 800;
    }
    EXPECT_GT(changed, 50);

    // Seed -666 takes its seed from the game's generator, one draw a mark:
    // a fixed game seed fixes the marks, and the game's numbers go on as usual.
    seed_random(5);
    std::vector<uint32_t> d = mark(-666);
    const int after_mark = ksm_rand();
    seed_random(5);
    std::vector<uint32_t> e = mark(-666);
    EXPECT_EQ(d, e);
    EXPECT_NE(d, a);
    seed_random(5);
    ksm_rand();
    ksm_rand();
    EXPECT_EQ(ksm_rand(), after_mark);
}

// A mark's centre lies up to the region's extents left of and above its
// seed point, never right of or below it: small cuts on the chest (seed
// 668, 180; extents 30, 15) reach at most the cut's length (10 steps, and
// its speck 5 more) past the seed to the right and downwards.
TEST_F(InfoPages, WoundMarksLieUpAndLeftOfTheirSeedPoint) {
    draw_wounds_page();
    body_inside_colour = get_pixel(668, 180);
    const std::vector<uint32_t> plain = canvas_rgb();
    for (int seed = 1; seed <= 80; ++seed) draw_wound_mark(9, 0, 2, 0, seed);
    const std::vector<uint32_t> marked = canvas_rgb();
    int left = 800, right = -1, top = 600, bottom = -1;
    for (size_t i = 0; i < marked.size(); ++i) {
        if (marked[i] == plain[i]) continue;
        const int x = int(i % 800), y = int(i / 800);
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    ASSERT_GE(right, 0) << "no mark was drawn";
    EXPECT_LE(right, 668 + 15);
    EXPECT_LE(bottom, 180 + 15);
    EXPECT_LT(left, 668 - 20) << "the marks spread to the left";
    EXPECT_LT(top, 180 - 10) << "the marks spread upwards";
}

// ------------------------------------------------------------ message log

TEST_F(InfoPages, LogLinesKeepTheirColourAndPlace) {
    EXPECT_EQ(message_log_colour("(A8000F):16g8:[!]{07410713}"), 0xA8000Fu);
    EXPECT_EQ(message_log_colour("(3c5a98)"), 0x3C5A98u);
    EXPECT_EQ(message_log_colour("no colour"), 0u);
    EXPECT_EQ(message_log_colour("(ZZ0000)"), 0u);
    EXPECT_EQ(message_log_colour("(12)"), 0u);
    int x = 0, y = 0;
    ASSERT_TRUE(message_log_position("(000000):16g8:[#]{0741071C}", &x, &y));
    EXPECT_EQ(x, 0x741);
    EXPECT_EQ(y, 0x71C);
    EXPECT_FALSE(message_log_position("(000000):16g8:[#]", &x, &y));
    EXPECT_FALSE(message_log_position("{07G10713}", &x, &y));
}

struct MessageLog : InfoPages {
    void SetUp() override {
        InfoPages::SetUp();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Tester");
        copy_text(character_name, "TESTER");
        install_folder[0] = '\0';
        make_folder("TESTER");
        messages_suppressed = false;
    }
    void write_log(int lines) {
        std::string log;
        for (int i = 1; i <= lines; ++i)
            log += "(A80000):16g8:[!]{07410713}      | Message number " + std::to_string(i) + ".\n";
        folder.write("TESTER/msglog.txt", log);
    }
    int notes() const {
        std::string log = folder.read("TESTER/msglog.txt");
        int n = 0;
        for (size_t at = log.find("| -- "); at != std::string::npos; at = log.find("| -- ", at + 1)) ++n;
        return n;
    }
};

TEST_F(MessageLog, AMissingLogIsSaidOnTheMessageLine) {
    reset_last_message();
    message_log_viewer();
    EXPECT_NE(std::strstr(last_message, "There are no previous messages."), nullptr) << last_message;
    EXPECT_TRUE(pages_seen.empty());  // no page, no key read
}

TEST_F(MessageLog, NotesOfThreeCharactersOrMoreAreLogged) {
    write_log(5);
    // ENTER and "ab": dropped. ENTER and "abc": logged as "-- abc".
    KeyScriptSeam typed(folder, "[a]\n[b]\n[ENTER]\n[a]\n[b]\n[c]\n[ENTER]\n");
    keys_left = {KEY_ENTER, KEY_ENTER, KEY_ESC};
    message_log_viewer();
    EXPECT_TRUE(keys_left.empty());
    EXPECT_EQ(notes(), 1);
    std::string log = folder.read("TESTER/msglog.txt");
    EXPECT_NE(log.find("| -- abc\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("-- ab\n"), std::string::npos);
}

TEST_F(MessageLog, PagingStopsAtTheFirstAndTheNewestMessage) {
    // More lines than the ring keeps: the newest seventy can be seen.
    write_log(100);
    static std::vector<std::pair<int, int>> pages;
    pages.clear();
    keys_left = {KEY_DOWN, KEY_UP, KEY_PGUP, KEY_PGUP, KEY_UP, KEY_DOWN, KEY_PGDN, KEY_PGDN, KEY_ESC};
    menu_key_reader = [] {
        pages.push_back({message_log_page_first, message_log_page_last});
        return next_key();
    };
    message_log_viewer();
    EXPECT_TRUE(keys_left.empty());
    ASSERT_EQ(pages.size(), 9u);
    EXPECT_EQ(message_log_page_total, 100);
    const int shown = pages[0].second - pages[0].first + 1;
    EXPECT_EQ(pages[0].second, 100);  // the newest at first
    EXPECT_GT(shown, 30);
    EXPECT_LE(shown, 50);
    EXPECT_EQ(pages[1].second, 100);  // down: already the newest
    EXPECT_EQ(pages[2].second, 99);   // up one message
    EXPECT_EQ(pages[4].first, 31);    // page up twice: the oldest line kept
    EXPECT_EQ(pages[5].first, 31);    // up: no further
    EXPECT_EQ(pages[6].first, 32);    // down one
    EXPECT_EQ(pages[8].second, 100);  // page down twice: the newest again
}

TEST(AttributeReward, EveryAttributeBelowEighteenGrowsByOne) {
    std::memset(&Plr, 0, sizeof Plr);
    Plr.str = 18;
    Plr.agi = 17;
    Plr.spd = 3;
    Plr.intel = 20;
    Plr.hrg = 0;
    raise_all_attributes();
    EXPECT_EQ(Plr.str, 18);
    EXPECT_EQ(Plr.agi, 18);
    EXPECT_EQ(Plr.spd, 4);
    EXPECT_EQ(Plr.intel, 20);
    EXPECT_EQ(Plr.hrg, 1);
    for (uint8_t v : {Plr.dex, Plr.end, Plr.smt, Plr.tch, Plr.wil, Plr.eye}) EXPECT_EQ(v, 1);
}

// ------------------------------------------------------------ key help

TEST_F(InfoPages, KeyHelpPageIsDrawnOncePerMovementStyleAndScrolls) {
    EXPECT_EQ(std::string(key_help_top_line()).rfind("Scroll this help screen", 0), 0u);
    ScreenshotSeam shots(folder);
    traditional_movement = 0;
    const int drawings = key_help_page_drawings;
    keys_left = {KEY_ESC};
    key_help_screen();
    const int after_first = key_help_page_drawings;
    EXPECT_LE(after_first, drawings + 1);
    // The first screenful (the frame before the screen came back): the top
    // line's white words on the page.
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%06d.bmp", test_screenshot_count() - 1);
    SDL_Surface* frame = SDL_LoadBMP((shots.folder + name).c_str());
    ASSERT_NE(frame, nullptr);
    bool white = false;
    for (int x = 10; x < 40; ++x)
        for (int y = 12; y < 22; ++y) white |= same_rgb(pixel_of(frame, x, y), 255, 255, 255);
    SDL_FreeSurface(frame);
    EXPECT_TRUE(white);

    // The same style again: not drawn anew. Down to the end and back.
    keys_left = {KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_DOWN, KEY_ESC};
    key_help_screen();
    EXPECT_EQ(key_help_page_drawings, after_first);
    EXPECT_GT(key_help_used_height, 600);
    EXPECT_LE(key_help_used_height, 1300);
    EXPECT_EQ(key_help_scroll, key_help_used_height - 600);
    keys_left = {KEY_PGDN, KEY_UP, KEY_PGUP, KEY_PGUP, KEY_ESC};
    key_help_screen();
    EXPECT_EQ(key_help_scroll, 0);

    // Another movement style: drawn again.
    traditional_movement = 1;
    keys_left = {KEY_ESC};
    key_help_screen();
    EXPECT_EQ(key_help_page_drawings, after_first + 1);
    traditional_movement = 0;
}

// ------------------------------------------------------------ help menu

TEST_F(InfoPages, HelpMenuAnswersTheDispatcher) {
    struct Case {
        const char* config;
        int key;
        int answer;
        int entries;
    } cases[] = {
        {"[KSM_CONTROLLER:YES]\n", '?', 63, 3},   {"[KSM_CONTROLLER:YES]\n", KEY_ESC, 0, 3},
        {"[KSM_CONTROLLER:YES]\n", 'O', 0, 3},    {"[KSM_CONTROLLER:YES]\n", 'Q', 81, 3},
        {"[KSM_CONTROLLER:NO]\n", 'Q', 81, 5},    {"[KSM_CONTROLLER:NO]\n", KEY_F1, 1059, 5},
        {"[KSM_CONTROLLER:NO]\n", KEY_CTRL_S, 1100, 5}, {"", '?', 63, 5},
    };
    for (const Case& c : cases) {
        folder.write("ksm_ini.txt", c.config);
        keys_left = {c.key};
        EXPECT_EQ(help_and_options_menu(), c.answer) << c.config << c.key;
        EXPECT_EQ(menu_count, c.entries) << c.config << c.key;
    }
    // With the link on: keyboard commands, "Quit the game", the encyclopedia.
    folder.write("ksm_ini.txt", "[KSM_CONTROLLER:YES]\n");
    keys_left = {KEY_ESC};
    help_and_options_menu();
    EXPECT_STREQ(menu_entries[0].label, "?.Keyboard commands");
    EXPECT_STREQ(menu_entries[1].label, "Q.Quit the game");
    EXPECT_STREQ(menu_entries[2].label, "F1.Game encyclopedia");
    // Without it: the set-up options, run from the menu itself.
    folder.write("ksm_ini.txt", "[KSM_CONTROLLER:NO]\n");
    clear_stub_calls();
    keys_left = {'O'};
    EXPECT_EQ(help_and_options_menu(), 0);
    EXPECT_EQ(stub_calls_of("setup_options_screen"), 1);
    EXPECT_STREQ(menu_entries[1].label, "Q.Quit and optionally save");
    EXPECT_STREQ(menu_entries[4].label, "CTRL + s.Save the game");
}

}  // namespace
