// The bitmap font, text drawing and the boxes drawn with it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "support/screen_session.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/prompts.h"
#include "ui/input.h"
#include "base/tag_text.h"

namespace {

void clear_canvas() { SDL_FillRect(canvas, nullptr, map_rgb(0, 0, 0)); }

bool is_rgb(int x, int y, int r, int g, int b) { return same_rgb(canvas_colour(x, y), r, g, b); }

// A font whose glyph `solid` is all ink and every other glyph blank.
void fixture_font(int solid) {
    std::memset(font_glyphs, 0, sizeof font_glyphs);
    std::memset(font_glyphs[solid], 1, sizeof font_glyphs[solid]);
}

void set_words(std::vector<const char*> words) {
    std::memset(word_buffer, 0, sizeof word_buffer);
    for (size_t i = 0; i < words.size(); ++i) copy_text(word_buffer[i], WORD_BYTES, words[i]);
}

// A key script for the reader while alive.
struct KeyScriptFile {
    explicit KeyScriptFile(const PlayFolder& play, const std::string& tokens) {
        play.write("keys.txt", tokens);
        setenv("KSM_TEST_KEYS", play.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
    ~KeyScriptFile() {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
    }
};

}  // namespace

TEST(ScreenFont, InstalledFontHasEveryGlyphWhereItBelongs) {
    std::ifstream in(std::string(KSM_DATA_DIR) + "/KSM.FNT", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 20480u);
    auto ink = [&](int c) {
        int n = 0;
        for (int i = 0; i < 80; ++i) n += bytes[size_t(c) * 80 + i] == 1;
        return n;
    };
    for (int c : {132, 142, 148, 153, int('A'), int('z'), int('0'), 24, 25, 196, 219}) EXPECT_GT(ink(c), 0) << c;
    EXPECT_EQ(ink(' '), 0);
    EXPECT_EQ(ink(219), 80);  // the full block
    for (char b : bytes) ASSERT_TRUE(b == 0 || b == 1);
}

TEST(ScreenFont, LatinOneLettersUseTheFontsOwnGlyphs) {
    struct Case {
        unsigned char latin1, glyph;
    } cases[] = {
        {0xC4, 142}, {0xE4, 132}, {0xF6, 148}, {0xD6, 153}, {0xDC, 154}, {0xFC, 129},
        {0xE9, 130}, {0xC5, 143}, {0xE5, 134}, {0xDF, 225}, {'A', 'A'},  {'~', '~'},
        {132, 132},  {24, 24},    {0xD5, 'O'}, {0xB0, 248},
    };
    for (const Case& c : cases) EXPECT_EQ(font_glyph_for(c.latin1), c.glyph) << int(c.latin1);
}

TEST(ScreenFont, UmlautIsDrawnWithItsGlyphAtItsPlace) {
    PlayFolder play;
    ScreenSession screen;
    ScreenshotSeam seam(play);
    fixture_font(142);
    clear_canvas();
    draw_text_at(100, 100, "\xC4", map_rgb(255, 0, 0), 0);
    present_screen();
    SDL_Surface* frame = seam.last_frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(same_rgb(pixel_of(frame, 103, 105), 255, 0, 0));
    EXPECT_TRUE(same_rgb(pixel_of(frame, 99, 105), 0, 0, 0));
    EXPECT_TRUE(same_rgb(pixel_of(frame, 108, 105), 0, 0, 0));
    SDL_FreeSurface(frame);
    // "A" itself is blank in this font.
    clear_canvas();
    draw_text_at(100, 100, "A", map_rgb(255, 0, 0), 0);
    EXPECT_TRUE(is_rgb(103, 105, 0, 0, 0));
}

TEST(ScreenFont, CursorContinuesAndLongTextIsCut) {
    PlayFolder play;
    ScreenSession screen;
    fixture_font('x');
    clear_canvas();
    EXPECT_EQ(draw_text_at(10, 20, "abc", map_rgb(255, 255, 255), 0), 34);
    EXPECT_EQ(draw_text_at(-1, -1, "xx", map_rgb(0, 255, 0), 0), 50);
    EXPECT_TRUE(is_rgb(35, 25, 0, 255, 0));
    EXPECT_EQ(text_cursor_y, 20);
    // x = -5 draws there, clipped, and the cursor advances from where it was.
    EXPECT_EQ(draw_text_at(-5, 40, "x", map_rgb(0, 0, 255), 0), 58);
    EXPECT_TRUE(is_rgb(2, 45, 0, 0, 255));
    // More than 299 characters: cut, never written past the work buffer.
    std::string long_text(1000, 'x');
    EXPECT_EQ(draw_text_at(0, 100, long_text.c_str(), map_rgb(0, 0, 255), 0), 299 * 8);
    // Text stops at a newline; the outline is drawn around in black.
    clear_canvas();
    draw_text_at(0, 0, "x\nx", map_rgb(9, 9, 9), 0);
    EXPECT_EQ(text_cursor_x, 8);
    fill_canvas_rect(0, 200, 100, 30, map_rgb(50, 50, 50));
    draw_text_at(20, 210, "x", map_rgb(200, 0, 0), 1);
    EXPECT_TRUE(is_rgb(19, 212, 0, 0, 0));
    EXPECT_TRUE(is_rgb(20, 212, 200, 0, 0));
}

TEST(ScreenFont, TaggedTextWrapsColoursAndMeasures) {
    PlayFolder play;
    ScreenSession screen;
    fixture_font('w');
    clear_canvas();
    // Each "w" word is 8 pixels; width 40 holds four with their blanks.
    set_words({"ww", "<red>", "ww", "</green>", "ww", "w", ".", "<br>", "ww"});
    int h = draw_tagged_text(100, 100, 40, 0, map_rgb(255, 255, 255), 0);
    EXPECT_TRUE(is_rgb(100, 100, 255, 255, 255));   // "ww "
    EXPECT_TRUE(is_rgb(124, 100, 168, 0, 0));       // "ww " in red
    EXPECT_TRUE(is_rgb(100, 110, 255, 255, 255));   // wrapped, colour restored
    EXPECT_TRUE(is_rgb(124, 110, 255, 255, 255));   // "w" with no blank before "."
    EXPECT_TRUE(is_rgb(100, 120, 255, 255, 255));   // after <br>
    EXPECT_EQ(h, 20);
    EXPECT_STREQ(drawn_text_copy, "ww ww ww w. ww");

    // A one-character word past the edge stays on its line.
    clear_canvas();
    set_words({"wwww", "w"});
    draw_tagged_text(0, 0, 40, 0, map_rgb(255, 255, 255), 0);
    EXPECT_TRUE(is_rgb(40, 0, 255, 255, 255));
    // Measuring draws nothing and gives the height from y to the last line.
    clear_canvas();
    set_words({"wwww", "wwww", "wwww"});
    EXPECT_EQ(draw_tagged_text(0, 0, 40, -1, map_rgb(255, 255, 255), 0), 20);
    EXPECT_TRUE(is_rgb(0, 0, 0, 0, 0));
    std::memset(word_buffer, 0, sizeof word_buffer);
}

TEST(ScreenFont, CentredWrappedTextAndKeyCapText) {
    PlayFolder play;
    ScreenSession screen;
    fixture_font('w');
    clear_canvas();
    // Width 48: "ww ww" (40 px) fits, the third word goes below.
    int next = draw_text_centered_wrapped(100, 50, 48, "ww ww www", map_rgb(255, 255, 255), 0);
    EXPECT_TRUE(is_rgb(104, 50, 255, 255, 255));  // 100 + 24 - 20
    EXPECT_TRUE(is_rgb(112, 60, 255, 255, 255));  // 100 + 24 - 12
    EXPECT_EQ(next, 136);
    EXPECT_EQ(draw_text_centered_wrapped(0, 0, 100, "   ", map_rgb(255, 255, 255), 0), 0);
    // A word wider than the box is drawn on its own line, without an empty one above.
    clear_canvas();
    draw_text_centered_wrapped(0, 0, 16, "wwww", map_rgb(255, 255, 255), 0);
    EXPECT_TRUE(is_rgb(0, 0, 255, 255, 255));
}

TEST(ScreenBoxes, KeyCapsCountTheirCaptionAndHighlightTheMarkedLetter) {
    PlayFolder play;
    ScreenSession screen;
    fixture_font('Y');
    // Paint the key-cap art of the panel sheet in one colour.
    SDL_FillRect(panel_sheet, nullptr, SDL_MapRGB(panel_sheet->format, 255, 255, 255));
    SDL_Rect art = {0, 0, 29, 32};
    SDL_FillRect(panel_sheet, &art, SDL_MapRGB(panel_sheet->format, 90, 90, 90));
    struct Case {
        const char* text;
        int columns;  // middle columns of the cap
        int next_x;
    } cases[] = {{"ESC.Exit", 3, 100 + 8 + 24 + 4}, {"<Y>es", 3, 100 + 8 + 24 + 4}, {"A", 1, 100 + 8 + 8 + 4}};
    for (const Case& c : cases) {
        clear_canvas();
        EXPECT_EQ(draw_key_caption(100, 200, c.text), c.next_x) << c.text;
        int right_edge = 100 + 7 + 8 * c.columns;
        EXPECT_TRUE(is_rgb(right_edge + 6, 220, 90, 90, 90)) << c.text;
        EXPECT_TRUE(is_rgb(right_edge + 7, 220, 0, 0, 0)) << c.text;
    }
    // "<Y>es": the marked Y in khaki at the first caption place.
    clear_canvas();
    draw_key_caption(100, 200, "<Y>es");
    EXPECT_TRUE(is_rgb(110, 210, 240, 230, 140));
}

TEST(ScreenBoxes, PercentBarsLinesAndFills) {
    PlayFolder play;
    ScreenSession screen;
    fill_canvas_rect(0, 0, 800, 600, map_rgb(40, 40, 40));
    draw_percent_bar(100, 100, 100, 50);
    EXPECT_TRUE(is_rgb(111, 105, 0, 168, 0));
    EXPECT_TRUE(is_rgb(171, 105, 0, 0, 0));
    EXPECT_TRUE(is_rgb(202, 105, 40, 40, 40));
    draw_percent_bar(100, 200, 100, 150);  // from 100 on the whole width
    EXPECT_TRUE(is_rgb(200, 205, 0, 168, 0));
    EXPECT_TRUE(is_rgb(201, 205, 0, 0, 0));
    draw_percent_bar(100, 300, 100, -20);
    EXPECT_TRUE(is_rgb(101, 305, 0, 0, 0));
    bar_colour_mode = -1;
    draw_percent_bar(100, 400, 100, 10);
    SDL_Color c = bar_colour(10);
    EXPECT_TRUE(is_rgb(101, 405, c.r, c.g, c.b));
    EXPECT_EQ(bar_colour_mode, 0);

    struct BarCase {
        int v, r, g;
    } bars[] = {{0, 80, 200}, {32, 176, 152}, {50, 230, 195}, {100, 255, 0}, {150, 255, 0}};
    for (const BarCase& b : bars) {
        SDL_Color got = bar_colour(b.v);
        EXPECT_EQ(got.r, b.r) << b.v;
        EXPECT_EQ(got.g, b.g) << b.v;
    }

    fill_canvas_rect(0, 0, 800, 600, map_rgb(0, 0, 0));
    draw_line(10, 10, 10, 10, map_rgb(255, 255, 255));
    EXPECT_TRUE(is_rgb(10, 10, 255, 255, 255));
    EXPECT_TRUE(is_rgb(11, 10, 0, 0, 0));
    draw_line(700, 50, 800, 50, map_rgb(255, 255, 255));
    EXPECT_TRUE(is_rgb(700, 50, 0, 0, 0));
    draw_line(20, 20, 30, 25, map_rgb(255, 0, 0));
    EXPECT_TRUE(is_rgb(20, 20, 255, 0, 0));
    EXPECT_TRUE(is_rgb(30, 25, 255, 0, 0));

    // A flood fill stays inside its border.
    draw_framed_box(300, 300, 340, 340, map_rgb(255, 255, 255), map_rgb(255, 255, 255), 0);
    flood_fill(320, 320, map_rgb(0, 0, 200), map_rgb(255, 255, 255));
    EXPECT_TRUE(is_rgb(320, 320, 0, 0, 200));
    EXPECT_TRUE(is_rgb(350, 320, 0, 0, 0));
}

TEST(ScreenBoxes, WindowsTileThePanelTextureInPatches) {
    PlayFolder play;
    ScreenSession screen;
    // The light texture: 160 wide, a marker column at its x 139.
    SDL_Rect light = {40, 0, 160, 160};
    SDL_FillRect(panel_sheet, &light, SDL_MapRGB(panel_sheet->format, 20, 120, 20));
    SDL_Rect mark = {40 + 139, 0, 1, 160};
    SDL_FillRect(panel_sheet, &mark, SDL_MapRGB(panel_sheet->format, 200, 0, 200));
    clear_canvas();
    draw_window(100, 100, 300, 200, "", 0);
    EXPECT_TRUE(is_rgb(100 + 139, 150, 200, 0, 200));   // first patch
    EXPECT_TRUE(is_rgb(260 + 139, 150, 0, 0, 0));       // the window's black border
    EXPECT_TRUE(is_rgb(260 + 130, 150, 20, 120, 20));   // second patch, cut to 140
    EXPECT_TRUE(is_rgb(400, 150, 0, 0, 0));             // nothing outside
    // A plain window is filled with its colour.
    draw_window(500, 100, 50, 50, "", WIN_PLAIN_FILL, map_rgb(1, 2, 3));
    EXPECT_TRUE(is_rgb(520, 120, 1, 2, 3));
}

TEST(ScreenFont, TextInputKeepsToItsLengthAndTypesOnlyCharacters) {
    PlayFolder play;
    ScreenSession screen;
    struct Case {
        const char* script;
        int max;
        const char* typed;
    } cases[] = {
        {"[a]\n[b]\n[c]\n[d]\n[e]\n[f]\n[g]\n[ENTER]\n", 5, "abcde"},
        {"[a]\n[F1]\n[F2]\n[b]\n[ENTER]\n", 20, "ab"},
        {"[x]\n[ESC]\n", 20, "\x1b"},
        {"[a]\n[b]\n", 20, "\x1b"},  // the script runs out: the window closes, then ESC
    };
    for (const Case& c : cases) {
        KeyScriptFile keys(play, c.script);
        text_cursor_x = 10;
        text_cursor_y = 10;
        EXPECT_STREQ(input_text_line(map_rgb(255, 255, 255), c.max), c.typed) << c.script;
    }
    {
        // Far more than the buffer holds: cut at 99 characters.
        std::string many;
        for (int i = 0; i < 150; ++i) many += "[q]\n";
        many += "[ENTER]\n";
        KeyScriptFile keys(play, many);
        EXPECT_EQ(std::strlen(input_text_line(map_rgb(255, 255, 255), 5000)), 99u);
    }
    {
        // Umlaut keys are kept as Latin-1 letters.
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_Event ev{};
        ev.type = SDL_TEXTINPUT;
        std::strcpy(ev.text.text, "\xC3\xA4");
        SDL_PushEvent(&ev);
        KeyScriptFile keys(play, "[ENTER]\n");
        EXPECT_STREQ(input_text_line(map_rgb(255, 255, 255), 10), "\xE4");
    }
}
