// The encyclopedia on a small page file of its own: the topic table and
// its list, short texts, the hint bar and "GFX.NFO", links, page layout,
// the browser's navigation and what it leaves behind.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "support/key_script.h"
#include "support/screen_session.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/encyclopedia.h"
#include "ui/menus.h"
#include "ui/sound.h"

namespace {

// Lower-case names in the headers, CR line ends on one page, a page whose
// text mentions ".FIRE." before the real FIRE page.
const char* const kPages =
    "// a comment line\r\n"
    ".smoke.\r\n"
    "Smoke rises from every FIRE, and .FIRE. in text is no header. It blows away.\r\n"
    "It stings the eyes.\r\n"
    "***\r\n"
    ".Fire.firemaking.\n"
    "Fire keeps you warm. It cooks\n"
    "your food.\n"
    "Back to the START page.\n"
    "***\n"
    ".START.\n"
    "The start page of this small book.\n"
    "Read about FIRE, or about SMOKE.\n"
    "***\n"
    ".POST SPRUCE.\n"
    "A lone spruce by the path.\n"
    "Back to the START page.\n"
    "***\n";

std::vector<std::string> split(const std::string& text, const std::string& sep) {
    std::vector<std::string> out;
    size_t at = 0;
    for (size_t next; (next = text.find(sep, at)) != std::string::npos; at = next + sep.size())
        out.push_back(text.substr(at, next - at));
    if (at < text.size()) out.push_back(text.substr(at));
    return out;
}

class Encyclopedia : public ::testing::Test {
protected:
    PlayFolder play{true};
    void SetUp() override {
        play.write("GAME.NFO", kPages);
        load_encyclopedia_topics();
        page_link_count = PAGE_LINK_FIRST;
    }
};

TEST_F(Encyclopedia, TopicsComeFromHeadersInFileOrderAndAreListed) {
    std::vector<std::string> listed = split(play.read("debug_topics.txt"), "\n\r");
    ASSERT_EQ(listed.size(), 1000u);
    const char* expected[] = {"SMOKE", "FIRE", "FIREMAKING", "START", "POST SPRUCE"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(listed[i], expected[i]) << i;
    for (size_t i = 5; i < listed.size(); ++i) ASSERT_EQ(listed[i], "") << i;

    EXPECT_EQ(is_encyclopedia_topic("fire"), 1);
    EXPECT_EQ(is_encyclopedia_topic("FIREMAKING"), 1);
    EXPECT_EQ(is_encyclopedia_topic("FIREPLACE"), 0);
    EXPECT_EQ(is_encyclopedia_topic(""), 0);
    // Short texts: the two first lines joined, cut after the first ".".
    EXPECT_STREQ(topic_short_text("FIRE"), "Fire keeps you warm.");
    EXPECT_STREQ(topic_short_text("firemaking"), "Fire keeps you warm.");
    EXPECT_STREQ(topic_short_text("SMOKE"), "Smoke rises from every FIRE, and .");
    EXPECT_STREQ(topic_short_text("NOTHING"), "Info missing. Report!");
}

TEST_F(Encyclopedia, BadPageFilesGiveABoundedTable) {
    // Missing: an empty table and a line in the start-up log.
    remove_file("GAME.NFO");
    load_encyclopedia_topics();
    EXPECT_EQ(is_encyclopedia_topic("FIRE"), 0);
    EXPECT_EQ(split(play.read("debug_topics.txt"), "\n\r").size(), 1000u);
    EXPECT_NE(play.read("init_log.txt").find("GAME.NFO"), std::string::npos);

    // More than 1,000 names: the first 1,000 are kept, the rest ignored.
    std::string many;
    for (int i = 0; i < 1005; ++i) many += ".T" + std::to_string(i) + ".\nPage " + std::to_string(i) + ".\n\n***\n";
    // A header line longer than the line limit is dropped, never split.
    many += "." + std::string(300, 'L') + ".\ntext.\n\n***\n";
    play.write("GAME.NFO", many);
    load_encyclopedia_topics();
    EXPECT_EQ(is_encyclopedia_topic("T999"), 1);
    EXPECT_EQ(is_encyclopedia_topic("T1000"), 0);
    EXPECT_STREQ(topic_short_text("T999"), "Page 999.");
    // A page without text right before the next header keeps that header.
    play.write("GAME.NFO", ".EMPTY.\n***\n.NEXT.\nNext page.\n\n***\n");
    load_encyclopedia_topics();
    EXPECT_EQ(is_encyclopedia_topic("NEXT"), 1);
    EXPECT_STREQ(topic_short_text("NEXT"), "Next page.");
}

TEST_F(Encyclopedia, HintWritesItsTopicOnlyWhenItChanges) {
    ScreenSession screen;
    show_topic_hint("FIRE", "");
    EXPECT_EQ(play.read("GFX.NFO").rfind("FIRE", 0), 0u);
    // The same topic again, as at every cursor move: no disk write.
    arm_file_fault(1000000);
    show_topic_hint("FIRE", "");
    show_topic_hint("fire", "");
    EXPECT_EQ(counted_file_operations(), 0);
    show_topic_hint("SMOKE", "");
    EXPECT_GT(counted_file_operations(), 0);
    disarm_file_fault();
    EXPECT_EQ(play.read("GFX.NFO").rfind("SMOKE", 0), 0u);
}

TEST_F(Encyclopedia, SpellsHintIsDrawnOnTheRenderer) {
    play.write("GAME.NFO", std::string(kPages) + ".SPELLS.\nWords of power.\n\n***\n");
    load_encyclopedia_topics();
    ScreenSession screen;
    show_spells_hint();
    EXPECT_EQ(play.read("GFX.NFO").rfind("SPELLS", 0), 0u);
}

TEST_F(Encyclopedia, HintBarShowsTheTopicAndItsF1RowOnlyForTopics) {
    ScreenSession screen;
    list_init(0, "", 0, 0, 800, 600, LIST_TYPE_PLACED);
    show_topic_hint("fire", "");
    // The name upper-cased in pale khaki at (15, 552), the F1 row choosable.
    bool khaki = false;
    for (int x = 15; x < 23; ++x)
        for (int y = 552; y < 562; ++y) khaki |= same_rgb(canvas_colour(x, y), 240, 230, 140);
    EXPECT_TRUE(khaki);
    int f1 = -1;
    for (int i = 0; i < list_header.count; ++i)
        if (list_items[i].code == 1059) f1 = i;
    ASSERT_GE(f1, 0);
    EXPECT_EQ(list_items[f1].disabled, 0);
    // No topic: the same row is there but can't be chosen.
    show_topic_hint("NOTHING", "");
    EXPECT_EQ(list_items[f1].disabled, 1);
    show_topic_hint("SMOKE", "Text of the caller, which ends without a dot");
    EXPECT_EQ(list_items[f1].disabled, 0);
}

TEST_F(Encyclopedia, LinksNeedWordBoundariesAndNeverNameTheirOwnPage) {
    ScreenSession screen;
    struct Case {
        const char* line;
        const char* header;
        const char* links;  // the names linked, joined by "|"
    } cases[] = {
        {"A FIREPLACE is warm ", ".SMOKE.", ""},
        {"Sit by the FIRE, then ", ".SMOKE.", "FIRE"},
        {"see [FIRE] here ", ".SMOKE.", "FIRE"},
        {"fire. and firemaking. ", ".SMOKE.", "FIRE|FIREMAKING"},
        {"the FIRE, burns ", ".FIRE.FIREMAKING.", ""},
        {"the [FIRE burns ", ".FIRE.FIREMAKING.", ""},
        {"FIRE, FIRE, FIRE. ", ".SMOKE.", "FIRE"},
        {"a lone POST SPRUCE by the path ", ".SMOKE.", "POST SPRUCE"},
        {"FIREWOOD ", ".SMOKE.", ""},
    };
    for (const Case& c : cases) {
        page_link_count = PAGE_LINK_FIRST;
        list_init(0, "", 0, 0, 800, 600, LIST_TYPE_PLACED);
        link_topics_in_line(60, 60, c.line, c.header, false);
        std::string got;
        for (int i = PAGE_LINK_FIRST; i < page_link_count; ++i) got += (got.empty() ? "" : "|") + std::string(page_links[i]);
        EXPECT_EQ(got, c.links) << c.line;
        EXPECT_EQ(list_header.count, page_link_count - PAGE_LINK_FIRST) << c.line;
    }
    // A link row covers the name, which is underlined and drawn in blue.
    page_link_count = PAGE_LINK_FIRST;
    list_init(0, "", 0, 0, 800, 600, LIST_TYPE_PLACED);
    fill_canvas_rect(0, 0, 800, 600, map_rgb(200, 200, 200));
    link_topics_in_line(60, 100, "Sit by the FIRE, then ", ".SMOKE.", false);
    ASSERT_EQ(list_header.count, 1);
    const int x0 = 60 + 8 * 11;
    EXPECT_EQ(list_items[0].x, x0 - 2);
    EXPECT_EQ(list_items[0].y, 97);
    EXPECT_EQ(list_items[0].width, 35);
    EXPECT_EQ(list_items[0].height, 15);
    EXPECT_EQ(page_link_of_row(0), PAGE_LINK_FIRST);
    bool blue = false;
    for (int x = x0; x < x0 + 32; ++x)
        for (int y = 100; y < 108; ++y) blue |= same_rgb(canvas_colour(x, y), 60, 90, 152);
    EXPECT_TRUE(blue);
    EXPECT_FALSE(same_rgb(canvas_colour(x0 + 3, 108), 200, 200, 200));  // the underline
    // Measuring changes nothing and tells where the rightmost link ends.
    EXPECT_EQ(link_topics_in_line(60, 120, "by the SMOKE and the POST SPRUCE ", ".START.", true),
              60 + 8 * int(std::strlen("by the SMOKE and the POST SPRUCE")) + 20);
    EXPECT_EQ(list_header.count, 1);
}

TEST_F(Encyclopedia, LayoutWrapsLongLinesAndCutsAWordWiderThanALine) {
    ScreenSession screen;
    list_init(0, "", 0, 0, 800, 600, LIST_TYPE_PLACED);
    fill_canvas_rect(0, 0, 800, 600, map_rgb(200, 200, 200));
    page_text_x = PAGE_LEFT;
    page_text_y = PAGE_TOP;
    std::string words;
    for (int i = 0; i < 20; ++i) words += "word" + std::to_string(i) + " ";
    layout_page_text(words.c_str(), ".SMOKE.");
    EXPECT_EQ(page_text_y, PAGE_TOP + PAGE_LINE_STEP);  // 130 characters: two lines
    for (int y = PAGE_TOP; y < PAGE_TOP + 30; ++y)
        for (int x = PAGE_RIGHT + 1; x < 800; ++x)
            ASSERT_TRUE(same_rgb(canvas_colour(x, y), 200, 200, 200)) << x << "," << y;

    // One word of 120 letters: drawn cut at the edge, and the layout goes on.
    page_text_x = PAGE_LEFT;
    page_text_y = 200;
    layout_page_text((std::string(120, 'W') + " after").c_str(), ".SMOKE.");
    EXPECT_EQ(page_text_y, 200 + PAGE_LINE_STEP);
    EXPECT_EQ(page_text_x, PAGE_LEFT + 8 * 6);
    for (int y = 200; y < 212; ++y)
        for (int x = PAGE_RIGHT + 1; x < 800; ++x) ASSERT_TRUE(same_rgb(canvas_colour(x, y), 200, 200, 200));

    // A two-word link that would straddle the edge moves to the next line.
    page_text_x = PAGE_LEFT;
    page_text_y = 300;
    page_link_count = PAGE_LINK_FIRST;
    layout_page_text((std::string(78, 'x') + " POST SPRUCE stands.").c_str(), ".SMOKE.");
    ASSERT_EQ(page_link_count, PAGE_LINK_FIRST + 1);
    EXPECT_STREQ(page_links[PAGE_LINK_FIRST], "POST SPRUCE");
    EXPECT_EQ(list_items[list_header.count - 1].y, 300 + PAGE_LINE_STEP - 3);
}

TEST_F(Encyclopedia, APageIsFoundOnlyByItsHeader) {
    ScreenSession screen;
    ASSERT_EQ(show_encyclopedia_page("fire"), 1);
    EXPECT_STREQ(last_page, "FIRE");
    // The FIRE page's own text was laid out: it links START (the SMOKE
    // text that mentions ".FIRE." does not).
    std::string links;
    for (int i = PAGE_LINK_FIRST; i < page_link_count; ++i) links += page_links[i] + std::string(" ");
    EXPECT_EQ(links, "START ");
    EXPECT_EQ(show_encyclopedia_page("NOWHERE"), 0);
    EXPECT_EQ(show_encyclopedia_page("FI"), 0);  // shorter than three characters
}

TEST_F(Encyclopedia, HistoryKeepsThirtyPagesWithoutRepeats) {
    for (auto& h : topic_history) h[0] = '\0';
    push_topic_history("A0");
    push_topic_history("A0");
    EXPECT_STREQ(topic_history[0], "A0");
    EXPECT_STREQ(topic_history[1], "");
    for (int i = 1; i < 35; ++i) push_topic_history(("A" + std::to_string(i)).c_str());
    EXPECT_STREQ(topic_history[0], "A5");
    EXPECT_STREQ(topic_history[TOPIC_HISTORY_SLOTS - 1], "A34");
}

TEST_F(Encyclopedia, BrowserFollowsLinksGoesBackAndRestoresTheScreen) {
    ScreenSession screen;
    // Something to cover: a pattern the browser must put back exactly.
    for (int y = 0; y < 600; y += 3) fill_canvas_rect(0, y, 800, 2, map_rgb(y % 256, 40, 200 - y % 200));
    SDL_Surface* before = SDL_ConvertSurface(canvas, canvas->format, 0);

    // START: its first link row (the links of a line come in the order of
    // the topic table: SMOKE before FIRE) is highlighted; ENTER opens it.
    {
        QueuedKeys keys{KEY_ENTER, KEY_ESC};
        infobrowser("START");
        EXPECT_EQ(keys.left(), 0u);
    }
    EXPECT_STREQ(last_page, "SMOKE");
    EXPECT_STREQ(topic_history[1], "SMOKE");
    EXPECT_EQ(std::memcmp(before->pixels, canvas->pixels, size_t(canvas->pitch) * 600), 0);

    // A link, back (backspace) to START, the next link, HOME, then leave.
    {
        QueuedKeys keys{KEY_ENTER, KEY_BACKSPACE, KEY_DOWN, KEY_ENTER, KEY_HOME, KEY_ESC};
        infobrowser("start");
        EXPECT_EQ(keys.left(), 0u);
    }
    // SMOKE, back to START, its second link FIRE, then the start page.
    EXPECT_STREQ(last_page, "START");
    EXPECT_STREQ(topic_history[0], "START");
    EXPECT_STREQ(topic_history[1], "FIRE");
    EXPECT_STREQ(topic_history[2], "START");
    EXPECT_EQ(std::memcmp(before->pixels, canvas->pixels, size_t(canvas->pitch) * 600), 0);
    SDL_FreeSurface(before);

    // "FILE" opens the topic of the last hint bar; without "GFX.NFO" nothing.
    show_topic_hint("SMOKE", "");
    {
        QueuedKeys keys{KEY_ESC};
        infobrowser("FILE");
    }
    EXPECT_STREQ(last_page, "SMOKE");
    remove_file("GFX.NFO");
    {
        QueuedKeys keys{KEY_ESC};
        infobrowser("FILE");
        EXPECT_EQ(keys.left(), 1u);
    }
}

TEST_F(Encyclopedia, AnUnknownTopicOrKeywordSaysSoInRed) {
    ScreenSession screen;
    ScreenshotSeam shots(play);
    auto red_sentence_shown = [] {
        SDL_Surface* frame = nullptr;
        bool red = false;
        for (int n = test_screenshot_count(); n > 0 && !red; --n) {
            char name[64];
            std::snprintf(name, sizeof name, "/frame_%06d.bmp", n);
            frame = SDL_LoadBMP((std::string(getenv("KSM_TEST_SCREENSHOT")) + name).c_str());
            if (!frame) continue;
            for (int x = 60; x < 120 && !red; ++x)
                for (int y = 60; y < 70; ++y) red |= same_rgb(pixel_of(frame, x, y), 168, 0, 0);
            SDL_FreeSurface(frame);
        }
        return red;
    };
    {
        // An unknown first topic: the sentence, a key, and the browser is gone.
        QueuedKeys keys{'x'};
        infobrowser("NO SUCH TOPIC");
        EXPECT_EQ(keys.left(), 0u);
    }
    EXPECT_TRUE(red_sentence_shown());
    // A typed keyword that is no topic: the sentence, then the last page.
    KeyScriptSeam typed(play, "[N]\n[O]\n[P]\n[E]\n[ENTER]\n");
    {
        QueuedKeys keys{KEY_SPACE, 'x', KEY_ESC};
        int before = test_screenshot_count();
        infobrowser("SMOKE");
        EXPECT_EQ(keys.left(), 0u);
        EXPECT_GT(test_screenshot_count(), before);
    }
    EXPECT_TRUE(red_sentence_shown());
    EXPECT_STREQ(last_page, "SMOKE");
}

TEST_F(Encyclopedia, OnlyItsOwnMusicStopsWhenItCloses) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    play.write("ksm_ini.txt", "[AUDIO:YES]\n[BACKGROUND_MUSIC:YES]\n");
    read_sound_settings();
    ASSERT_TRUE(open_audio());
    ASSERT_TRUE(sound_on);
    ScreenSession screen;

    play_music("music_chant.ogg");
    ASSERT_TRUE(Mix_PlayingMusic());
    {
        QueuedKeys keys{KEY_ESC};
        infobrowser("START");
    }
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_STREQ(music_file_name, "music_chant.ogg");

    // Without other music the encyclopedia plays its own and stops it.
    stop_all_sound();
    Mix_HaltMusic();
    static std::string heard;
    menu_key_reader = [] {
        heard = music_file_name;
        return int(KEY_ESC);
    };
    infobrowser("START");
    menu_key_reader = nullptr;
    EXPECT_EQ(heard, "music_munni.ogg");
    EXPECT_STREQ(music_file_name, "");
    close_audio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
