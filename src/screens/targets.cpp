// Choosing targets and locations on the map view.
#include "screens/targets.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "creatures/creature_services.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "game/turn_state.h"
#include "base/config.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/tag_text.h"

TargetEntry target_list[TARGET_LIST_MAX];
int32_t target_count = 0;

namespace {

constexpr uint8_t KIND_CREATURE = 4;
constexpr const char* INFO_SLOT = "infoview";

// The remembered targeting: where the player stood, the offset chosen then
// and the creature targeted (-1000 none).
struct RememberedTarget {
    int player_x, player_y;
    int dx, dy;
    int creature;
    bool valid;
};
RememberedTarget remembered{0, 0, 0, 0, -1000, false};

int half_w() { return view_half_w > 0 ? view_half_w : map_view.half_w; }
int half_h() { return view_half_h > 0 ? view_half_h : map_view.half_h; }

bool acceptable_cell(int x, int y) {
    if (x < 1 || y < 1) return false;
    if (std::abs(x - player_x) > half_w() || std::abs(y - player_y) > half_h()) return false;
    if (!in_world_grid(x, y)) return false;
    return view_layer_at(x, y) != VIEW_UNSEEN;
}

int code_of(int x, int y) { return in_world_grid(x, y) ? terrain_at(x, y) : CODE_OUTSIDE; }

// The creature standing on a cell, -1000 when none.
int creature_on(int x, int y) {
    const int i = find_map_object(KIND_CREATURE, x, y);
    return i < 0 ? -1000 : Data[i].DATA - 1000;
}

int list_index_of(int creature) {
    for (int i = 0; i < target_count; ++i)
        if (target_list[i].creature == creature) return i;
    return -1;
}

// The direction of a key: 0..7, or -1.
int key_direction(int key) {
    switch (key) {
    case KEY_RIGHT: case '6': return 0;
    case KEY_PGUP: case '9': return 1;
    case KEY_UP: case '8': return 2;
    case KEY_HOME: case '7': return 3;
    case KEY_LEFT: case '4': return 4;
    case KEY_END: case '1': return 5;
    case KEY_DOWN: case '2': return 6;
    case KEY_PGDN: case '3': return 7;
    default: return -1;
    }
}

void caption(int x, int y, const char* text) { draw_key_caption(x, y, text); }

void draw_chooser_window(int mode, const char* prompt) {
    const bool free_cursor = mode & TARGET_FREE;
    const char* title = free_cursor ? "CHOOSE TARGET" : upper_case_copy(prompt ? prompt : "");
    draw_window(503, 190, 286, free_cursor ? 150 : 140, title, 40);
    caption(513, 220, "7");
    caption(533, 220, "\x18");
    caption(553, 220, "9");
    caption(513, 240, "\x1B");
    if (mode & TARGET_OWN_CELL) caption(533, 240, "5");
    caption(553, 240, "\x1A");
    caption(513, 260, "1");
    caption(533, 260, "\x19");
    caption(553, 260, "3");
    const Uint32 old_label = key_label_colour;
    key_label_colour = map_rgb(176, 196, 222);
    caption(513, 295, "ESC.Exit");
    if (free_cursor) {
        caption(593, 295, "ENTER.Select");
        if (target_count > 0) draw_cycle_hint();
    }
    key_label_colour = old_label;
    char text[300];
    if (mode & TARGET_DIRECTION) {
        format_text(text, sizeof text, "Select %s", prompt ? prompt : "");
        add_text_to_word_buffer(true, text);
        add_text_to_word_buffer(false,
                                "with these cursor/numpad keys representing the cardinal "
                                "directions, or by clicking the location with the mouse.");
        draw_tagged_text(583, 220, 195, 0, map_rgb(255, 255, 255), 0);
    } else {
        add_text_to_word_buffer(true,
                                "Choose target by pointing and clicking the location by mouse, or");
        add_text_to_word_buffer(false, "by moving the cursor using these cursor/numpad keys.");
        draw_tagged_text(583, 220, 180, 0, map_rgb(255, 255, 255), 0);
    }
}

// The cell under the mouse as an offset from the player.
void mouse_offset(int* dx, int* dy) {
    const float cw = map_view.cell_w > 0 ? map_view.cell_w : 18.0f;
    const float ch = map_view.cell_h > 0 ? map_view.cell_h : 20.0f;
    *dx = int(std::floor((mouse_x - map_view.centre_x) / cw + 0.5f));
    *dy = int(std::floor((mouse_y - map_view.centre_y) / ch + 0.5f));
}

// The zoom the map view shows (the command keys change it too).
void zoom_view(int key) {
    const float shown = map_view.zoom > 0 ? map_view.zoom : 1.0f;
    float zoom = shown;
    if (key == KEY_WHEEL_UP) zoom = zoom < 0.63f && zoom >= 0.5f ? 0.63f : std::min(1.0f, zoom + 0.185f);
    else if (key == KEY_WHEEL_DOWN) zoom = std::max(0.5f, zoom - 0.185f);
    else zoom = zoom < 1.0f ? 1.0f : 0.5f;
    if (zoom == shown) {
        drain_events();  // at a limit: the pending wheel turns are dropped
        return;
    }
    Plr.map_zoom = zoom;
    set_map_view_geometry(zoom);
    rebuild_view();
    build_target_list();
}

}  // namespace

void direction_offset(int direction, int* dx, int* dy) {
    static const int ox[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static const int oy[8] = {0, -1, -1, -1, 0, 1, 1, 1};
    const int d = ((direction % 8) + 8) % 8;
    *dx = ox[d];
    *dy = oy[d];
}

void forget_targeting() { remembered = RememberedTarget{0, 0, 0, 0, -1000, false}; }

void build_target_list() {
    target_count = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && target_count < TARGET_LIST_MAX; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != KIND_CREATURE) continue;
        const int dx = std::abs(int(o.x) - player_x), dy = std::abs(int(o.y) - player_y);
        if (dx > half_w() || dy > half_h()) continue;
        if (o.x > WORLD_W - 1 || o.y > WORLD_H - 1) continue;
        if (view_layer_at(o.x, o.y) == VIEW_UNSEEN) continue;
        const int creature = o.DATA - 1000;
        if (!cre_is_present(creature)) continue;
        target_list[target_count++] = TargetEntry{creature, std::max(dx, dy)};
    }
    // Nearest first; equal distances keep their table order.
    std::stable_sort(target_list, target_list + target_count,
                     [](const TargetEntry& a, const TargetEntry& b) { return a.distance < b.distance; });
}

void draw_target_cursor(int x, int y) {
    target_cursor_x = x;
    target_cursor_y = y;
    if (!canvas) return;
    const float cw = map_view.cell_w > 0 ? map_view.cell_w : 18.0f;
    const float ch = map_view.cell_h > 0 ? map_view.cell_h : 20.0f;
    const int cx = int(map_view.centre_x + (x - player_x) * cw);
    const int cy = int(map_view.centre_y + (y - player_y) * ch);
    if (std::strcmp(ini_get_string("FAST_TARGET_CURSOR", ""), "YES") == 0 || !game_renderer) {
        // A translucent red cell under the cursor, drawn straight on the canvas.
        draw_translucent_rect(cx - int(cw / 2), cy - int(ch / 2), int(cw), int(ch),
                              map_rgb(255, 0, 0), 64);
        present_screen_with_map();
        return;
    }
    rebuild_view();  // the map drawing draws the cursor at the published cell
    present_screen_with_map();
}

int choose_target_location(int mode, const char* prompt) {
    const bool free_cursor = mode & TARGET_FREE;
    const bool direction_mode = mode & TARGET_DIRECTION;
    targeting_active = true;
    build_target_list();

    SDL_Rect under{503, 190, 286, free_cursor ? 150 : 140};
    if (canvas) save_screen_under(INFO_SLOT, &under);
    if (canvas) draw_chooser_window(mode, prompt);

    int dx = 0, dy = 0;
    int list_pos = -1;
    if (free_cursor) {
        if (remembered.valid && remembered.player_x == player_x && remembered.player_y == player_y) {
            dx = remembered.dx;
            dy = remembered.dy;
            list_pos = list_index_of(remembered.creature);
        } else {
            forget_targeting();
        }
    }
    if ((mode & TARGET_START_ON_CREATURE) && creature_on(player_x + dx, player_y + dy) == -1000 &&
        target_count > 0) {
        list_pos = 0;
        dx = creature_x(target_list[0].creature) - player_x;
        dy = creature_y(target_list[0].creature) - player_y;
    }

    bool chosen = false, cancelled = false;
    while (!chosen && !cancelled) {
        if (canvas) present_screen_with_map();
        if (free_cursor) {
            const int cdx = std::clamp(dx, -half_w(), half_w());
            const int cdy = std::clamp(dy, -half_h(), half_h());
            if (cdx != dx || cdy != dy) list_pos = -1;
            dx = cdx;
            dy = cdy;
        }
        if (free_cursor || dx != 0 || dy != 0) draw_target_cursor(player_x + dx, player_y + dy);
        throttle_key_repeat();
        const int key = menu_read_key();
        if (key == KEY_WINDOW_CLOSED && window_close_requested()) {
            cancelled = true;  // the window is going: nothing more will come
            break;
        }
        const int prev_dx = dx, prev_dy = dy;
        bool choose = false;
        const int dir = key_direction(key);
        if (key == KEY_ENTER && mouse_flag) {
            // A left click picks the cell under the pointer.
            mouse_offset(&dx, &dy);
            if (direction_mode) {
                dx = std::clamp(dx, -1, 1);
                dy = std::clamp(dy, -1, 1);
            }
            choose = true;
        } else if (dir >= 0) {
            int ox, oy;
            direction_offset(dir, &ox, &oy);
            if (direction_mode) {
                dx = ox;
                dy = oy;
                choose = true;
            } else {
                dx += ox;
                dy += oy;
                list_pos = -1;
            }
        } else if ((key == '5' || key == KEY_CENTRE) && direction_mode && (mode & TARGET_OWN_CELL)) {
            dx = dy = 0;
            choose = true;
        } else if (key == KEY_ENTER) {
            if (dx != 0 || dy != 0 || (mode & TARGET_OWN_CELL)) choose = true;
        } else if (key == KEY_ESC) {
            cancelled = true;
            forget_targeting();
            break;
        } else if ((key == '+' || key == '=' || key == '-') && target_count > 0) {
            if (key == '-') list_pos = list_pos <= 0 ? target_count - 1 : list_pos - 1;
            else list_pos = (list_pos < 0 || list_pos >= target_count - 1) ? 0 : list_pos + 1;
            dx = creature_x(target_list[list_pos].creature) - player_x;
            dy = creature_y(target_list[list_pos].creature) - player_y;
        } else if (key == KEY_WHEEL_UP || key == KEY_WHEEL_DOWN || key == KEY_CTRL_0) {
            zoom_view(key);
            if (canvas) draw_chooser_window(mode, prompt);
        }
        if (!choose) continue;
        const int x = player_x + dx, y = player_y + dy;
        if (acceptable_cell(x, y) || (mode & TARGET_UNSEEN_OK)) {
            chosen = true;
            break;
        }
        allow_repeated_message = true;
        skip_message_pauses = true;
        show_message("!Please pick a direction where you can see!");
        allow_repeated_message = false;
        if (direction_mode) {
            dx = prev_dx;
            dy = prev_dy;
        }
    }

    const bool cursor_drawn = target_cursor_x != 0;
    targeting_active = false;
    target_cursor_x = target_cursor_y = 0;
    if (canvas) {
        restore_screen_under(INFO_SLOT);
        free_screen_under(INFO_SLOT);
        present_screen();
    }
    // The cursor leaves the map with the chooser: the view is drawn anew
    // before the next command.
    if (cursor_drawn) view_rebuild_request = 1;
    if (!chosen) return 0;
    target_x = player_x + dx;
    target_y = player_y + dy;
    remembered.valid = true;
    remembered.player_x = player_x;
    remembered.player_y = player_y;
    remembered.dx = dx;
    remembered.dy = dy;
    if (free_cursor) remembered.creature = creature_on(target_x, target_y);
    return code_of(target_x, target_y);
}

int choose_adjacent_square(const char* prompt, const char* codes) {
    int found = 0, fx = 0, fy = 0;
    for (int d = 0; d < 8; ++d) {
        int ox, oy;
        direction_offset(d, &ox, &oy);
        const int x = player_x + ox, y = player_y + oy;
        const int code = code_of(x, y);
        if (code != 0 && codes && std::strchr(codes, code)) {
            ++found;
            fx = x;
            fy = y;
        }
    }
    if (found == 1) {
        target_x = fx;
        target_y = fy;
        return code_of(fx, fy);
    }
    return choose_target_location(TARGET_DIRECTION | TARGET_UNSEEN_OK, prompt);
}

int choose_work_location(int kind, const char* prompt, int* out_x, int* out_y, int flags) {
    auto suitable = [&](int x, int y) {
        const int i = find_map_object(kind, x, y);
        if (i < 0) return false;
        if (kind == 52 && (flags & 8) && is_carcass_skinned(Data[i].DATA - 1000)) return false;
        return true;
    };
    int cx = 0, cy = 0;
    bool decided = false;
    if ((flags & 4) && suitable(player_x, player_y)) {
        cx = player_x;
        cy = player_y;
        decided = true;
    }
    if (!decided) {
        int ox, oy;
        direction_offset(facing, &ox, &oy);
        if (suitable(player_x + ox, player_y + oy)) {
            cx = player_x + ox;
            cy = player_y + oy;
            decided = true;
        }
    }
    if (!decided && (flags & 1)) {
        int count = 0, fx = 0, fy = 0;
        for (int oy = -1; oy <= 1; ++oy)
            for (int ox = -1; ox <= 1; ++ox) {
                const int x = player_x + ox, y = player_y + oy;
                if ((flags & 2) && !acceptable_cell(x, y)) continue;
                if (suitable(x, y)) {
                    ++count;
                    fx = x;
                    fy = y;
                }
            }
        if (count == 1) {
            cx = fx;
            cy = fy;
            decided = true;
        }
    }
    if (!decided) {
        if (choose_target_location(TARGET_DIRECTION, prompt) == 0) return 0;
        cx = target_x;
        cy = target_y;
    }
    if (out_x) *out_x = cx;
    if (out_y) *out_y = cy;
    return code_of(cx, cy);
}

int choose_open_location(const char* prompt) {
    const int code = choose_target_location(TARGET_DIRECTION, prompt);
    if (code == 0) return 0;
    if (!terrain_is_open(code)) {
        show_message("!That won't do! You need to pick an open space location.");
        return 0;
    }
    return code;
}

int choose_creature_at(int x, int y, int filter) {
    constexpr int MAX_HERE = 24;
    int found[MAX_HERE];
    int count = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && count < MAX_HERE; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != KIND_CREATURE || o.x != x || o.y != y) continue;
        const int c = o.DATA - 1000;
        if (filter == 1 && !cre_is_companion(c) && !cre_is_own_animal(c)) continue;
        if (filter == 2 && (cre_is_human(c) || !(cre_status(c) == 9 || cre_is_own_animal(c))))
            continue;
        found[count++] = c;
    }
    if (count == 0) return -1;
    if (count == 1) return found[0];
    show_message("+There are multiple creatures.");
    menu_clear();
    for (int i = 0; i < count; ++i) menu_add(MENU_HOTKEY_ORDER[i], creature_name(found[i], 4));
    const int key = menu_run("Select target");
    for (int i = 0; i < count; ++i)
        if (key != 0 && key == MENU_HOTKEY_ORDER[i]) return found[i];
    show_message("!Canceled.");
    return -1000;
}

namespace {
int cell_marker(int x, int y, const char* tile, int frame, bool seen_only) {
    if (!canvas) return 0;
    if (std::abs(x - player_x) > half_w() || std::abs(y - player_y) > half_h()) return 0;
    const bool seen = is_in_view(x, y) != 0;
    if (seen && tile[0]) {
        const int t = tile_index(tile);
        if (t >= 0)
            draw_tile_sprite(t, frame, 0, view_column(x), view_row(y), 2);
    }
    return seen_only ? (seen ? 1 : 0) : 1;
}
}  // namespace

char cell_marker_tile[32] = "";
char cell_marker_seen_tile[32] = "";

int draw_cell_marker(int x, int y) { return cell_marker(x, y, cell_marker_tile, 0, false); }

int draw_cell_marker_seen(int x, int y) { return cell_marker(x, y, cell_marker_seen_tile, 8, true); }
