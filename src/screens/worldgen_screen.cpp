// The "RANDOM WORLD GENERATION" screen: the world picture with zoom, pan and
// the cultural regions, the start location, and accepting the world.
#include "screens/worldgen_screen.h"

#include <algorithm>

#include "mapgen/world_gen.h"
#include "maps/map_layers.h"
#include "screens/map_panel.h"
#include "maps/world_files.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/debug_log.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"

int start_x = 0;
int start_y = 0;

namespace {

constexpr int PICTURE_X = WORLD_PICTURE_X;
constexpr int PICTURE_Y = WORLD_PICTURE_Y;
constexpr int PICTURE_W = WORLD_PICTURE_W;
constexpr int PICTURE_H = WORLD_PICTURE_H;

bool start_cell_fit(int code) {
    switch (code) {
    case 3: case 15: case 16: case 228: case 235: case 236: case 238: case 250:
        return true;
    default:
        return false;
    }
}

void draw_background() {
    if (!canvas) return;
    draw_picture("bg-heritage.jpg", 0, 0, CANVAS_W, CANVAS_H);
    draw_window(8, 4, 784, 590, "RANDOM WORLD GENERATION", 0);
}

void draw_overlays() {
    if (!canvas) return;
    const int zoom = world_view.zoom;
    // The start marker, clipped to the picture.
    const int size = 50 / zoom;
    int mx = PICTURE_X + (start_x - world_view.origin_x) / zoom - size / 2;
    int my = PICTURE_Y + (start_y - world_view.origin_y) / zoom - size / 2;
    int mw = size, mh = size;
    const int left = std::max(mx, PICTURE_X), top = std::max(my, PICTURE_Y);
    const int right = std::min(mx + mw, PICTURE_X + PICTURE_W);
    const int bottom = std::min(my + mh, PICTURE_Y + PICTURE_H);
    if (right > left && bottom > top) {
        draw_translucent_rect(left, top, right - left, bottom - top, map_rgb(168, 0, 0), 128);
    }
    // The scale.
    fill_canvas_rect(0, 516, CANVAS_W, 20, map_rgb(0, 0, 0));
    char text[64];
    format_text(text, sizeof text, "Zoom: %d%%", 100 / zoom);
    draw_text_at(30, 522, text, colour_white(), 0);
    draw_text_at(322, 522, "Scale: ", colour_white(), 0);
    draw_line(376, 526, 476, 526, colour_white());
    format_text(text, sizeof text, " = %d kilometers", zoom * 10);
    draw_text_at(480, 522, text, colour_white(), 0);
    if (world_view.culture_mode == 4 && world_view.legend) {
        draw_culture_legend(PICTURE_X, PICTURE_Y);
    }
}

void build_menu() {
    list_init(-1, "", 0, 0, 0, 0, LIST_TYPE_PLACED);
    fill_canvas_rect(12, 540, 776, 52, map_rgb(0, 0, 0));
    list_add_item_at(20, '+', 545, "+.Zoom in");
    list_add_item_at(20, '-', 560, "-.Zoom out");
    list_add_item_at(20, KEY_LEFT, 575, "Left.");
    list_add_item_at(76, KEY_RIGHT, 575, "Right.");
    list_add_item_at(140, KEY_UP, 575, "Up.");
    list_add_item_at(180, KEY_DOWN, 575, "Down.");
    list_add_item_at(220, 'C', 545, "C.Cultural regions toggle");
    list_add_item_at(220, 'I', 560, "I.Culture color indicators toggle");
    list_add_item_at(220, 'H', 575, "H.Start within your home culture");
    list_add_item_at(540, 'R', 545, "R.Re-randomize start location");
    list_add_item_at(540, 'W', 560, "W.Re-randomize the world");
    list_add_item_at(540, 'E', 575, "E.Enter and play this world");
}

void redraw() {
    draw_world_picture(world_view.origin_y, world_view.origin_x, world_view.zoom,
                       world_view.culture_mode);
    draw_overlays();
}

bool make_world() {
    if (generate_world()) {
        show_message("!There is not enough memory to generate a world.");
        return false;
    }
    pick_start_location(false);
    return true;
}

}  // namespace

namespace {

constexpr int START_DRAWS = 200000;

// A start spot: the 6 x 6 cells from (x - 3, y - 3) to (x + 2, y + 2) all of
// the open kinds of land.
bool start_spot_fit(int x, int y) {
    for (int dy = -3; dy <= 2; ++dy)
        for (int dx = -3; dx <= 2; ++dx)
            if (!start_cell_fit(terrain_at(x + dx, y + dy))) return false;
    return true;
}

bool in_home_culture(int x, int y) {
    const int bx = x + 3, by = y + 3;
    const int culture = in_world_grid(bx, by) ? culture_grid[(by / 32) * CULTURE_COLS + bx / 32] : 10;
    return culture == Plr.culture;
}

bool is_water_cell(int code) {
    switch (code) {
    case 176: case 177: case 178: case 180: case 181: case 182: case 183: case 247: return true;
    default: return false;
    }
}

// The nearest cell to (x, y), ring by ring, that passes the test; false
// when no cell of the world does.
template <typename Test>
bool nearest_cell(int x, int y, Test test, int& out_x, int& out_y) {
    const int reach = std::max({x, y, WORLD_W - 1 - x, WORLD_H - 1 - y});
    for (int r = 0; r <= reach; ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            const int step = (dy == -r || dy == r) ? 1 : 2 * r;
            for (int dx = -r; dx <= r; dx += step ? step : 1) {
                const int cx = x + dx, cy = y + dy;
                if (!in_world_grid(cx, cy) || !test(cx, cy)) continue;
                out_x = cx;
                out_y = cy;
                return true;
            }
        }
    }
    return false;
}

void log_start_fallback(const char* how, int x, int y) {
    char line[200];
    format_text(line, sizeof line, "start location: no fit spot in %d draws; %s (%d,%d)", START_DRAWS, how, x, y);
    debug_log("worldgen!", line);
}

}  // namespace

void pick_start_location(bool home_culture_only) {
    int x = WORLD_W / 2, y = WORLD_H / 2;
    for (int tries = 0; tries < START_DRAWS; ++tries) {
        x = 256 + random_below(1792);
        y = 128 + random_below(1792);
        if (!start_spot_fit(x, y)) continue;
        if (home_culture_only && !in_home_culture(x, y)) continue;
        start_x = x;
        start_y = y;
        return;
    }
    // The draws found nothing: the fit spot nearest to the last draw, in the
    // home culture when asked, else anywhere; without one the nearest open
    // land, and at least the nearest cell that is not water. Never the sea.
    int fx = x, fy = y;
    if (home_culture_only &&
        nearest_cell(x, y, [](int cx, int cy) { return start_spot_fit(cx, cy) && in_home_culture(cx, cy); }, fx,
                     fy)) {
        log_start_fallback("the nearest fit spot of the home culture", fx, fy);
    } else if (nearest_cell(x, y, start_spot_fit, fx, fy)) {
        log_start_fallback(home_culture_only ? "the nearest fit spot, not in the home culture"
                                             : "the nearest fit spot",
                           fx, fy);
    } else if (nearest_cell(x, y, [](int cx, int cy) { return start_cell_fit(terrain_at(cx, cy)); }, fx, fy)) {
        log_start_fallback("the nearest cell of open land", fx, fy);
    } else if (nearest_cell(x, y, [](int cx, int cy) { return !is_water_cell(terrain_at(cx, cy)); }, fx, fy)) {
        log_start_fallback("the nearest cell that is not water", fx, fy);
    } else {
        log_start_fallback("a world of water only; kept the last draw", fx, fy);
    }
    start_x = fx;
    start_y = fy;
}

void clamp_world_view(WorldView& v) {
    if (v.origin_x < 0) v.origin_x = 0;
    if (v.origin_y < 0) v.origin_y = 0;
    if (v.origin_x + v.zoom * PICTURE_W > WORLD_W) v.origin_x = (4 - v.zoom) * PICTURE_W;
    if (v.origin_y + v.zoom * PICTURE_H > WORLD_H) v.origin_y = (4 - v.zoom) * PICTURE_H;
}

int apply_world_view_key(WorldView& v, int key) {
    switch (key) {
    case '+':
        if (v.zoom > 1) {
            v.zoom /= 2;
            v.origin_x += v.zoom * PICTURE_W / 2;
            v.origin_y += v.zoom * PICTURE_H / 2;
        }
        break;
    case '-':
        if (v.zoom < 4) {
            v.origin_x -= v.zoom * PICTURE_W / 2;
            v.origin_y -= v.zoom * PICTURE_H / 2;
            v.zoom *= 2;
        }
        break;
    case KEY_LEFT: v.origin_x -= 48; break;
    case KEY_RIGHT: v.origin_x += 48; break;
    case KEY_UP: v.origin_y -= 32; break;
    case KEY_DOWN: v.origin_y += 32; break;
    case 'C': v.culture_mode = v.culture_mode ? 0 : 4; break;
    case 'I':
        if (v.culture_mode == 0) {
            v.culture_mode = 4;
            v.legend = true;
        } else {
            v.legend = !v.legend;
        }
        break;
    default:
        clamp_world_view(v);
        return 1;
    }
    clamp_world_view(v);
    return 0;
}

bool world_generation_screen(bool accept_at_once) {
    if (canvas) {
        present_screen();
        if (!test_keys_active()) fade(canvas, 0.3f, 1);
        clear_screen();
        draw_background();
        if (!test_keys_active()) fade(canvas, 0.3f, 0);
        present_screen();
    }
    seed_random_from_clock();
    world_view = WorldView{};
    if (!make_world()) return false;
    for (;;) {
        redraw();
        int key = 'E';
        if (!accept_at_once) {
            build_menu();
            present_screen();
            const int row = LIST_Go();
            if (row < 0 || row >= list_header.count) {
                if (window_close_requested()) {
                    free_height_grid();
                    return false;
                }
                continue;
            }
            key = list_items[row].code;
        }
        if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
        switch (key) {
        case 'E': {
            const bool saved = save_generated_world();
            free_height_grid();
            if (!saved) show_message("!The new world could not be written.");
            return saved;
        }
        case 'W':
            free_height_grid();
            if (!make_world()) return false;
            break;
        case 'H':
        case 'R':
            pick_start_location(key == 'H');
            world_view.zoom = 4;
            break;
        default:
            apply_world_view_key(world_view, key);
            break;
        }
        clamp_world_view(world_view);
    }
}
