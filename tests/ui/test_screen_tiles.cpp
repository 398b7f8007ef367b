// The tile table and pictures.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>

#include "support/screen_session.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/gfx.h"
#include "base/platform.h"

namespace {

// A tile strip: a magenta key pixel at (0, 0), the rest of the picture in
// the given colour. Written as a PNG into the play folder.
void write_strip(const std::string& path, int w, int h, Uint8 r = 30, Uint8 g = 160, Uint8 b = 60) {
    make_folder(folder_of(path));
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
    SDL_Rect key = {0, 0, 1, 1};
    SDL_FillRect(s, &key, SDL_MapRGBA(s->format, 255, 0, 255, 255));
    ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
}

}  // namespace

TEST(ScreenTiles, FrameGeometryFollowsThePictureHeight) {
    struct Case {
        int w, h;
        int fw, fh, ax, ay, count;
    } cases[] = {
        {196, 66, 64, 64, 32, 32, 3},
        {196, 74, 64, 72, 32, 66, 3},  // non-square frames keep all three
        {34, 34, 32, 32, 16, 16, 1},
        {100, 34, 32, 32, 16, 16, 3},
        {50, 50, 48, 48, 24, 24, 1},
        {163, 82, 80, 80, 40, 40, 2},
        {131, 98, 64, 96, 32, 82, 2},
        {80, 130, 80, 128, 40, 64, 1},
    };
    for (const Case& c : cases) {
        TileGeometry g = tile_geometry(c.w, c.h);
        EXPECT_EQ(g.frame_w, c.fw) << c.w << "x" << c.h;
        EXPECT_EQ(g.frame_h, c.fh) << c.w << "x" << c.h;
        EXPECT_EQ(g.anchor_x, c.ax) << c.w << "x" << c.h;
        EXPECT_EQ(g.anchor_y, c.ay) << c.w << "x" << c.h;
        EXPECT_EQ(g.frame_count, c.count) << c.w << "x" << c.h;
    }
}

TEST(ScreenTiles, LoaderFillsTheTableFromTheTileFolder) {
    PlayFolder play(false);
    write_strip("truetile/ter-strip.png", 196, 66);
    write_strip("truetile/cr-tall.png", 196, 74);
    write_strip("truetile/ter-ice.png", 34, 34);
    write_strip("truetile/ter-iceblue.png", 34, 34);
    write_strip("truetile/gui-sun.png", 34, 34);
    write_strip("truetile/abc.png", 34, 34);
    ScreenSession screen;
    int strip = tile_index("ter-strip");
    ASSERT_GE(strip, 0);
    EXPECT_EQ(tiles[strip].frame_count, 3);
    EXPECT_EQ(tiles[strip].frame_w, 64);
    EXPECT_EQ(tiles[strip].anchor_x, 32);
    EXPECT_STREQ(tiles[strip].path, "truetile/ter-strip.png");
    EXPECT_NE(tiles[strip].grey, nullptr);  // "ter-" tiles have a grey variant
    EXPECT_NE(tiles[strip].silhouette, nullptr);
    int tall = tile_index("cr-tall");
    ASSERT_GE(tall, 0);
    EXPECT_EQ(tiles[tall].frame_count, 3);
    EXPECT_EQ(tiles[tall].frame_h, 72);
    EXPECT_EQ(tiles[tall].grey, nullptr);
    // Interface pictures take no slot; look-ups don't confuse prefixes.
    EXPECT_EQ(tile_index("gui-sun"), -1);
    EXPECT_NE(tile_index("ter-ice"), tile_index("ter-iceblue"));
    EXPECT_STREQ(tiles[tile_index("ter-ice")].name, "ter-ice");
    EXPECT_GE(tile_index("abc"), 0);
    EXPECT_EQ(tile_index("ab"), -1);
    EXPECT_EQ(tile_snowgnd, -1);  // nothing to whiten
    EXPECT_EQ(tile_ice, tile_index("ter-ice"));
    // The loader's report: a name line and an anchor line for each slot.
    std::string report = play.read("debug_tileloader.txt");
    size_t lines = 0;
    for (char ch : report) lines += ch == '\n';
    EXPECT_EQ(lines, 2u * MAX_TILES);
    EXPECT_NE(report.find("ter-strip\n tpx,tpy: 32,32\n"), std::string::npos);
}

TEST(ScreenTiles, ReloadingATileFreesItsOldTextures) {
    PlayFolder play(false);
    write_strip("truetile/ter-snowgnd.png", 67, 34);
    write_strip("truetile/ter-ground.png", 34, 34);
    ScreenSession screen;
    ASSERT_GE(tile_snowgnd, 0);
    int live = live_tile_textures();
    EXPECT_EQ(live, 6);  // three each
    for (int i = 0; i < 1000; ++i)
        reload_tile_tinted("ter-ground", {171, 171, 171, 64}, {255, 255, 255, 218});
    EXPECT_EQ(live_tile_textures(), live);
    NewGfx_loadtiledata();  // a new day loads everything again
    EXPECT_EQ(live_tile_textures(), live);
    reload_tile_tinted("no-such-tile", {0, 0, 0, 255}, {0, 0, 0, 255});
    EXPECT_EQ(live_tile_textures(), live);
    destroy_tiles();
    EXPECT_EQ(live_tile_textures(), 0);
}

TEST(ScreenTiles, ALongTileNameIsBoundedAndAMissingPictureDrawsNothing) {
    PlayFolder play(false);
    std::string long_name = "ter-" + std::string(200, 'x') + ".png";
    write_strip("truetile/" + long_name, 34, 34);
    ScreenSession screen;
    int t = tile_index(("ter-" + std::string(20, 'x')).c_str());
    ASSERT_GE(t, 0);
    EXPECT_EQ(std::string(tiles[t].name).size(), 24u);
    TileRecord r;
    load_tile(std::string(400, 'y').c_str(), false, &r, false);  // path longer than the record holds
    EXPECT_EQ(r.name[0], 0);

    SDL_FillRect(canvas, nullptr, map_rgb(7, 7, 7));
    testing::internal::CaptureStdout();
    draw_picture("not-there.png", 10, 10);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("IMG_Load: ", 0), 0u) << out;
    EXPECT_TRUE(same_rgb(canvas_colour(15, 15), 7, 7, 7));

    // A picture that is there is drawn, scaled when asked.
    write_strip("truegfx/pic.png", 20, 20, 200, 10, 10);
    draw_picture("pic.png", 100, 100, 40, 40);
    EXPECT_TRUE(same_rgb(canvas_colour(135, 135), 200, 10, 10));
    draw_picture_spec("pic.png 10x10", 300, 300);
    EXPECT_TRUE(same_rgb(canvas_colour(308, 308), 200, 10, 10));
    EXPECT_TRUE(same_rgb(canvas_colour(312, 312), 7, 7, 7));
}

TEST(ScreenTiles, SpriteStraightFromTheFileKeepsOnlyTheUpperPartWithFlagEight) {
    PlayFolder play(false);
    write_strip("truetile/cr-one.png", 34, 34, 10, 200, 10);
    ScreenSession screen;
    int t = tile_index("cr-one");
    ASSERT_GE(t, 0);
    SDL_FillRect(canvas, nullptr, map_rgb(0, 0, 0));
    // Anchor 16: placed at (x - 16, y - 16); flag 8 keeps rows 1..8 of the frame.
    draw_tile_sprite(t, 0, 0, 116, 116, 1 | 8);
    EXPECT_TRUE(same_rgb(canvas_colour(105, 100), 10, 200, 10));
    EXPECT_TRUE(same_rgb(canvas_colour(105, 107), 10, 200, 10));
    EXPECT_TRUE(same_rgb(canvas_colour(105, 108), 0, 0, 0));
}
