// The canvas, the renderer and presenting frames.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/screen_session.h"
#include "ui/backgrounds.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"

namespace {

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void fill(int x, int y, int w, int h, int r, int g, int b) { fill_canvas_rect(x, y, w, h, map_rgb(r, g, b)); }

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
struct LeakCheckPause {
    LeakCheckPause() { __lsan_disable(); }
    ~LeakCheckPause() { __lsan_enable(); }
};
#else
struct LeakCheckPause {};
#endif

TEST(ScreenCanvas, StartUpReportsTheSoftwareRendererAndLogsItsStepsInOrder) {
    PlayFolder play;
    ScreenSession screen;
    std::string report = read_all("debug_renderer.txt");
    EXPECT_NE(report.find("RenderDriverInfo #0\n\r"), std::string::npos);
    EXPECT_NE(report.find("NAME: software\n\r"), std::string::npos);
    EXPECT_NE(report.find("Used renderer: software\n\r"), std::string::npos);
    EXPECT_NE(report.find("renderer is software fallback\n\r"), std::string::npos);
    // Every driver lists all 16 texture-format slots.
    size_t drivers = 0, formats = 0;
    for (size_t p = 0; (p = report.find("RenderDriverInfo #", p)) != std::string::npos; ++p) ++drivers;
    for (size_t p = 0; (p = report.find(" pixelformat: ", p)) != std::string::npos; ++p) ++formats;
    EXPECT_GT(drivers, 0u);
    EXPECT_EQ(formats, drivers * 16);

    std::string log = read_all("init_log.txt");
    const char* steps[] = {"create screen\n", "guiInit\n", "create_surfaces\n", "lataa_gui\n",
                           "load_sprites\n", "getbackgrounds\n", "NewGfx_loadtiledata\n"};
    size_t at = 0;
    for (const char* step : steps) {
        size_t found = log.find(step, at);
        ASSERT_NE(found, std::string::npos) << step << " missing or out of order in:\n" << log;
        at = found + std::strlen(step);
    }
}

TEST(ScreenCanvas, OldHardwareModeSelectsTheSoftwareRenderer) {
    // The system's GL driver behind the offscreen video driver keeps a few
    // allocations to the end of the process; they are not ours to report.
    [[maybe_unused]] LeakCheckPause pause_leak_check;
    PlayFolder play;
    play.write("ksm_ini.txt", "[OLD_HARDWARE_MODE:YES]\n");
    // The offscreen driver gives an accelerated renderer where there is one.
    while (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
    {
        ScreenSession screen;
        std::string report = read_all("debug_renderer.txt");
        EXPECT_NE(report.find("TARGETTEXTURE FAIL !!\n\r"), std::string::npos) << report;
        EXPECT_NE(report.find(" SELECTING SOFTWARE RENDERER\n\r"), std::string::npos);
        EXPECT_NE(report.find("Used renderer: software\n\r"), std::string::npos);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_InitSubSystem(SDL_INIT_VIDEO);
}

TEST(ScreenCanvas, ACanvasRectangleIsStretchedOverTheWindow) {
    struct Case {
        int w, h;
        bool logical;
        int px, py;
    } cases[] = {
        {800, 600, true, 600, 400},
        {1600, 1200, true, 1200, 800},
        {1600, 1200, false, 1200, 800},
    };
    for (const Case& c : cases) {
        PlayFolder play;
        ScreenSession screen(c.w, c.h, c.logical);
        ScreenshotSeam seam(play);
        SDL_FillRect(canvas, nullptr, map_rgb(0, 0, 0));
        fill(550, 350, 100, 100, 168, 0, 0);
        present_screen();
        SDL_Surface* frame = seam.last_frame();
        ASSERT_NE(frame, nullptr) << c.w;
        EXPECT_EQ(frame->w, c.w);
        EXPECT_TRUE(same_rgb(pixel_of(frame, c.px, c.py), 168, 0, 0)) << c.w << " logical " << c.logical;
        EXPECT_TRUE(same_rgb(pixel_of(frame, c.px / 4, c.py / 4), 0, 0, 0));
        SDL_FreeSurface(frame);
    }
}

TEST(ScreenCanvas, SwitchesHoldBackPresentsAndMapViewStateTwoLastsOneFrame) {
    PlayFolder play;
    ScreenSession screen;
    ScreenshotSeam seam(play);
    int before = test_screenshot_count();
    no_flush = true;
    present_screen();
    no_flush = false;
    present_hold = true;
    present_screen();
    present_hold = false;
    EXPECT_EQ(test_screenshot_count(), before);  // nothing was shown
    map_view_state = 2;
    EXPECT_EQ(present_screen(7), 7);
    EXPECT_EQ(map_view_state, 0);
    EXPECT_EQ(test_screenshot_count(), before + 1);
}

TEST(ScreenCanvas, ScalingFollowsTheOutputWithoutALogicalSize) {
    PlayFolder play;
    {
        ScreenSession screen(1600, 1200, false);
        SDL_Rect r = {10, 20, 30, 40};
        scale_rect_to_output(&r);
        EXPECT_EQ(r.x, 20);
        EXPECT_EQ(r.y, 40);
        EXPECT_EQ(r.w, 60);
        EXPECT_EQ(r.h, 80);
        EXPECT_EQ(mouse_x_to_canvas(1200), 600);
        EXPECT_EQ(mouse_y_to_canvas(800), 400);
    }
    {
        ScreenSession screen(1600, 1200, true);
        SDL_Rect r = {10, 20, 30, 40};
        scale_rect_to_output(&r);
        EXPECT_EQ(r.x, 10);
        EXPECT_EQ(r.w, 30);
        // SDL hands mouse positions over in canvas space already.
        EXPECT_EQ(mouse_x_to_canvas(600), 600);
    }
}

TEST(ScreenCanvas, SaveUnderRestoresTheExactPixels) {
    PlayFolder play;
    ScreenSession screen;
    ScreenshotSeam seam(play);
    for (int y = 0; y < CANVAS_H; y += 7)
        for (int x = 0; x < CANVAS_W; x += 5) put_pixel(x, y, map_rgb(x & 255, y & 255, (x ^ y) & 255));
    SDL_Surface* before = SDL_ConvertSurface(canvas, canvas->format, 0);
    save_screen_under("askcount");
    draw_window(100, 100, 300, 200, "Covering", WIN_PLAIN_FILL, map_rgb(10, 200, 30));
    restore_screen_under("askcount");
    EXPECT_EQ(std::memcmp(before->pixels, canvas->pixels, size_t(canvas->pitch) * CANVAS_H), 0);
    SDL_Surface* frame = seam.last_frame();
    ASSERT_NE(frame, nullptr);
    SDL_Color c = pixel_of(frame, 250, 203);
    SDL_Color want = pixel_of(before, 250, 203);
    EXPECT_TRUE(same_rgb(c, want.r, want.g, want.b));
    SDL_FreeSurface(frame);
    free_screen_under("askcount");
    EXPECT_EQ(find_screen_under("askcount"), -1);

    // A rectangle restores only that part.
    SDL_Rect part = {10, 10, 20, 20};
    save_screen_under("resource", &part);
    fill(0, 0, 100, 100, 1, 2, 3);
    restore_screen_under("resource");
    EXPECT_TRUE(same_rgb(canvas_colour(5, 5), 1, 2, 3));
    SDL_Color inside = pixel_of(before, 15, 14);
    EXPECT_TRUE(same_rgb(canvas_colour(15, 14), inside.r, inside.g, inside.b));
    free_screen_under("resource");
    SDL_FreeSurface(before);
}

TEST(ScreenCanvas, SaveUnderSlotsReuseNamesAndTheFifthNameTakesSlotZero) {
    PlayFolder play;
    ScreenSession screen;
    const char* names[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        fill(0, 0, 1, 1, 10 * (i + 1), 0, 0);
        save_screen_under(names[i]);
        EXPECT_EQ(find_screen_under(names[i]), i);
    }
    fill(0, 0, 1, 1, 99, 0, 0);
    save_screen_under("b");  // same name: replaces that slot's copy
    EXPECT_EQ(find_screen_under("b"), 1);
    fill(0, 0, 1, 1, 0, 0, 0);
    restore_screen_under("b");
    EXPECT_TRUE(same_rgb(canvas_colour(0, 0), 99, 0, 0));
    save_screen_under("e");
    EXPECT_EQ(find_screen_under("e"), 0);
    EXPECT_EQ(find_screen_under("a"), -1);
    for (const char* n : {"b", "c", "d", "e"}) free_screen_under(n);
}

TEST(ScreenCanvas, SnapshotIsTakenOnceUntilRestored) {
    PlayFolder play;
    ScreenSession screen;
    fill(0, 0, 10, 10, 50, 60, 70);
    take_screen_snapshot();
    fill(0, 0, 10, 10, 1, 1, 1);
    take_screen_snapshot();  // pending: the first picture stays
    restore_screen_snapshot();
    EXPECT_TRUE(same_rgb(canvas_colour(3, 3), 50, 60, 70));
    fill(0, 0, 10, 10, 1, 1, 1);
    take_screen_snapshot();
    fill(0, 0, 10, 10, 9, 9, 9);
    restore_screen_snapshot();
    EXPECT_TRUE(same_rgb(canvas_colour(3, 3), 1, 1, 1));
}

TEST(ScreenCanvas, FadesEndWithoutTimeAndDarkenTheCanvas) {
    PlayFolder play;
    ScreenSession screen;
    fill(0, 0, CANVAS_W, CANVAS_H, 200, 200, 200);
    fade(canvas, 0.0f, 1);  // no time: straight to black, no division by zero
    EXPECT_TRUE(same_rgb(canvas_colour(400, 300), 0, 0, 0));
    SDL_Surface* picture = SDL_ConvertSurface(canvas, canvas->format, 0);
    SDL_FillRect(picture, nullptr, map_rgb(200, 100, 50));
    fade(picture, 0.05f, 0);  // from black to the picture
    EXPECT_TRUE(same_rgb(canvas_colour(400, 300), 200, 100, 50));
    SDL_FreeSurface(picture);
    fade_to_black_and_clear(0.0f);
    EXPECT_TRUE(same_rgb(canvas_colour(10, 10), 0, 0, 0));
}

TEST(ScreenCanvas, MissingPaletteFallsBackToTheBuiltInOne) {
    PlayFolder play(false);
    EXPECT_FALSE(load_palette("palette.nfo"));
    EXPECT_EQ(palette[15][0], 255);  // white
    EXPECT_EQ(palette[4][0], 170);   // dark red
    EXPECT_NE(read_all("init_log.txt").find("built-in palette"), std::string::npos);
    play.write("palette.nfo", std::string(100, '\x01'));  // short: not trusted
    EXPECT_FALSE(load_palette("palette.nfo"));
    EXPECT_EQ(palette[15][0], 255);
    // The installed palette is the same table.
    std::string real = read_all(std::string(KSM_DATA_DIR) + "/palette.nfo");
    ASSERT_EQ(real.size(), 3072u);
    play.write("palette.nfo", real);
    uint8_t builtin[256][3];
    std::memcpy(builtin, palette, sizeof builtin);
    EXPECT_TRUE(load_palette("palette.nfo"));
    EXPECT_EQ(std::memcmp(builtin, palette, sizeof builtin), 0);
}

TEST(ScreenCanvas, CachedBackgroundsAreWrittenAndAMissingOneIsDrawnAgain) {
    PlayFolder play;
    ScreenSession screen;
    render_cached_backgrounds();
    EXPECT_FALSE(no_flush);
    EXPECT_TRUE(play.exists("SKILLSBG.BMP"));
    ASSERT_TRUE(play.exists("RITUALSBG.BMP"));
    SDL_Surface* cached = SDL_LoadBMP("RITUALSBG.BMP");
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(cached->w, 800);
    SDL_FreeSurface(cached);
    // The title bar of the rituals page is in the cached picture.
    show_rituals_background();
    SDL_Color with_cache = canvas_colour(20, 12);
    remove_file("RITUALSBG.BMP");
    SDL_FillRect(canvas, nullptr, 0);
    show_rituals_background();
    SDL_Color drawn = canvas_colour(20, 12);
    EXPECT_TRUE(same_rgb(drawn, with_cache.r, with_cache.g, with_cache.b));
    EXPECT_FALSE(same_rgb(drawn, 0, 0, 0));
}

TEST(ScreenCanvas, ScreenshotWritesTheRendererOutput) {
    PlayFolder play;
    ScreenSession screen;
    fill(0, 0, 800, 600, 0, 168, 0);
    present_screen();
    save_screenshot();
    SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
    ASSERT_NE(shot, nullptr);
    EXPECT_TRUE(same_rgb(pixel_of(shot, 400, 300), 0, 168, 0));
    SDL_FreeSurface(shot);
}
