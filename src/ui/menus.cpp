// The list menu and the command menu.
#include "ui/menus.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/debug_log.h"
#include "base/stubs.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "ui/sound.h"
#include "base/tag_text.h"
#include "ui/gfx.h"

ListHeader list_header;
ListItem list_items[LIST_ROWS];
bool list_duplicate_keys = false;
bool list_running = false;
SDL_Texture* list_texture = nullptr;

namespace {

SDL_Surface* list_backup = nullptr;

bool has_text(const ListItem& it) { return it.text[0] != '\0'; }

int key_part_length(const char* text) {
    const char* dot = std::strchr(text, '.');
    return dot ? int(dot - text) : int(std::strlen(text));
}

int caption_width_of(const char* text) {
    int w = 8 * key_part_length(text) + 10;
    if (std::strchr(text, '<')) w -= 16;
    return w;
}

bool key_in_list(int key) {
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i)
        if (list_items[i].code == key) return true;
    return false;
}

int esc_row() {
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i)
        if (list_items[i].code == KEY_ESC || list_items[i].second_code == KEY_ESC) return i;
    return -1;
}

// The place of a row: its own, or the default place under the title.
void row_position(int row, int& x, int& y) {
    const ListItem& it = list_items[row];
    if (it.x == 0 && it.y == 0) {
        x = list_header.x + 8;
        y = list_header.y + 29 + 12 * row;
    } else {
        x = it.x;
        y = it.y;
    }
}

void backup_canvas() {
    if (!canvas) return;
    if (!list_backup) {
        list_backup = SDL_CreateRGBSurfaceWithFormat(0, canvas->w, canvas->h, 32,
                                                     canvas->format->format);
        if (!list_backup) return;
    }
    SDL_BlitSurface(canvas, nullptr, list_backup, nullptr);
}

void restore_canvas() {
    if (canvas && list_backup) SDL_BlitSurface(list_backup, nullptr, canvas, nullptr);
}

void present_list() {
    if (map_view_state == 2)
        present_screen_with_map();
    else
        present_screen();
}

Uint32 rgb(int r, int g, int b) { return map_rgb(r, g, b); }

bool window_closed_pending() { return window_close_requested(); }

int upper_key(int key) {
    if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
    if (key == KEY_A_UMLAUT) return KEY_CAP_A_UMLAUT;
    if (key == KEY_O_UMLAUT) return KEY_CAP_O_UMLAUT;
    return key;
}

}  // namespace

int (*menu_key_reader)() = nullptr;
int menu_read_key() { return menu_key_reader ? menu_key_reader() : read_key(); }

bool window_close_requested() { return quit_request != 0 || test_keys_used_up(); }

// ------------------------------------------------------------ building

void list_init(int32_t text_colour, const char* title, int x, int y, int width, int height,
               int type) {
    std::memset(&list_header, 0, sizeof list_header);
    std::memset(list_items, 0, sizeof list_items);
    list_duplicate_keys = false;
    list_texture = nullptr;
    copy_text(list_header.title, title ? title : "");
    list_header.x = x;
    list_header.y = y;
    list_header.width = width;
    list_header.height = height;
    list_header.type = type;
    list_header.row_limit = LIST_ROWS;
    if (type == 6 || type == 8) {
        list_header.text_colour = int32_t(type == 6 ? rgb(240, 230, 140) : rgb(238, 232, 170));
        list_header.highlight_colour = int32_t(rgb(255, 255, 255));
        list_header.caption_colours = 1;
    } else {
        list_header.text_colour = text_colour == -1 ? 0 : text_colour;
        list_header.highlight_colour = 0;
    }
}

void list_set_options(int32_t highlight_colour, const char* choose_sound, int no_dim,
                      int preview) {
    if (highlight_colour >= 0) {
        list_header.highlight_colour = highlight_colour;
    } else if (highlight_colour == -2) {
        list_header.caption_colours = 1;
    }
    list_header.move_sound[0] = '\0';
    copy_text(list_header.choose_sound, choose_sound ? choose_sound : "");
    list_header.no_dim = no_dim;
    list_header.preview = preview;
}

void list_add_entry(int key, const char* text) {
    if (list_header.count < 0) list_header.count = 0;
    if (list_header.count >= LIST_ROWS) return;  // rows past the 100th are ignored
    ListItem& it = list_items[list_header.count];
    std::memset(&it, 0, sizeof it);
    const char* src = text ? text : "";
    const char* bar = std::strchr(src, '|');
    if (bar) {
        size_t n = size_t(bar - src);
        if (n >= sizeof it.text) n = sizeof it.text - 1;
        std::memcpy(it.text, src, n);
        it.text[n] = '\0';
        copy_text(it.extra, bar + 1);
    } else {
        copy_text(it.text, src);
    }
    if (key == -1) {
        it.disabled = 1;
        it.code = 0;
    } else {
        it.code = key;
    }
    it.caption_width = caption_width_of(it.text);
    ++list_header.count;
}

static void set_caption_colours() {
    if (list_header.caption_colours) key_label_colour = Uint32(list_header.text_colour);
}

void list_add_item_at(int x, int key, int y, const char* text) {
    const char* src = text ? text : "";
    set_caption_colours();
    draw_key_caption(x, y, src);
    if (key_in_list(key) && !(list_duplicate_keys && key != KEY_F1)) return;
    if (list_header.count < 0) list_header.count = 0;
    if (list_header.count >= LIST_ROWS) return;
    ListItem& it = list_items[list_header.count];
    std::memset(&it, 0, sizeof it);
    it.code = key;
    it.x = x + 2;
    it.y = y + 1;
    it.height = 18;
    int len = int(std::strlen(src));
    it.width = 8 * len + 10 - (std::strchr(src, '<') ? 16 : 0);
    it.caption_width = caption_width_of(src);
    copy_text(it.text, std::strchr(src, '.') ? "TEXTSPOT" : "NOTEXTSPOT");
    ++list_header.count;
}

void list_add_item_on_texture(int key, SDL_Texture* texture, int x, int y, const char* text) {
    const char* src = text ? text : "";
    list_texture = texture;
    list_header.texture = 0;  // the handle lives only in list_texture
    list_header.texture_mode = 1;
    if (texture && game_renderer) {
        SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
        SDL_SetRenderTarget(game_renderer, texture);
        render_text_at(game_renderer, x, y, src, Uint32(list_header.text_colour),
                       list_header.text_flags | 2);
        SDL_SetRenderTarget(game_renderer, old);
    }
    if (key_in_list(key) && !(list_duplicate_keys && key != KEY_F1)) return;
    if (list_header.count < 0) list_header.count = 0;
    if (list_header.count >= LIST_ROWS) return;
    ListItem& it = list_items[list_header.count];
    std::memset(&it, 0, sizeof it);
    bool narrow = std::strchr(src, '<') || std::strchr(src, '[');
    it.code = key;
    it.x = x + 2 + list_header.texture_x_offset;
    it.y = y + 1 + list_header.texture_y_offset;
    it.height = 18;
    it.width = 8 * int(std::strlen(src)) + 10 - (narrow ? 16 : 0);
    it.caption_width = 8 * key_part_length(src) + 10 - (narrow ? 16 : 0);
    copy_text(it.text, std::strchr(src, '.') ? "TEXTSPOT" : "NOTEXTSPOT");
    ++list_header.count;
}

// ------------------------------------------------------------ drawing

void list_draw() {
    const ListHeader& h = list_header;
    if (h.type == LIST_TYPE_PLACED) {
        if (std::strstr(h.title, "BORDERS")) {
            text_colour = rgb(252, 252, 84);
            for (int i = 0; i < h.count && i < LIST_ROWS; ++i) {
                const ListItem& it = list_items[i];
                draw_rect_outline(it.x, it.y, it.x + it.width, it.y + it.height);
            }
        }
        return;
    }
    // Types 0 and below have no window, only their rows.
    if (h.type > 0) {
        switch (h.type) {
        case 2:
        case 5:
            draw_panel_frame(h.x, h.y, h.width, h.height, "");
            break;
        case 3:
            break;
        case 4:
            draw_window(h.x, h.y, h.width, h.height, h.title, WIN_STONE);
            break;
        case 6: draw_window(h.x, h.y, h.width, h.height, h.title, 16); break;
        case 7: draw_window(h.x, h.y, h.width, h.height, h.title, 2); break;
        case 8: draw_window(h.x, h.y, h.width, h.height, h.title, 4); break;
        case 9: draw_window(h.x, h.y, h.width, h.height, h.title, 8); break;
        default:
            fill_canvas_rect(h.x, h.y, h.width, h.height, rgb(168, 0, 0));
            break;
        }
        if (h.type != 4 && (h.type < 6 || h.type > 9)) {
            draw_sunken_box(h.x + 3, h.y + 3, h.width - 6, 14);
            Uint32 title_colour = h.type == 2 ? rgb(0, 0, 255) : rgb(252, 252, 84);
            draw_text_at(h.x + 5, h.y + 3, h.title, title_colour, 0);
        }
    }
    set_caption_colours();
    for (int i = 0; i < h.count && i < LIST_ROWS; ++i) {
        const ListItem& it = list_items[i];
        if (it.code == KEY_F1) continue;
        int x, y;
        row_position(i, x, y);
        if (it.code == 0) {
            draw_text_at(x, y - 1, it.text, Uint32(h.text_colour), 0);
        } else if (std::strstr(it.text, "NO DISPLAY")) {
            continue;
        } else {
            draw_key_caption(x, y - 6, it.text);
        }
        if (it.extra[0])
            draw_text_at(x + 8 * int(std::strlen(it.text)) + 15, y - 1, it.extra,
                         rgb(176, 196, 222), 0);
    }
}

// The highlight rectangle of a row (false for a disabled or missing row).
static bool row_highlight_rect(int row, SDL_Rect& r) {
    if (row < 0 || row >= LIST_ROWS || row >= list_header.count) return false;
    const ListItem& it = list_items[row];
    if (it.disabled) return false;
    if ((list_header.type == LIST_TYPE_PLACED && (it.x || it.y)) || it.code == KEY_F1) {
        r = {it.x, it.y, it.width, it.height};
        if (list_header.placed_highlight && std::strcmp(it.text, "NOTEXTSPOT") == 0) {
            r.x = it.x + it.caption_width + 1;
            r.w = it.width - it.caption_width - 1;
            r.y = it.y + 1;
            r.h = 13;
        }
        return true;
    }
    int x, y;
    row_position(row, x, y);
    int left;
    if (it.code == 0) {
        left = x - 3;
    } else {
        left = x + 8 * key_part_length(it.text) - (std::strchr(it.text, '<') ? 16 : 0);
    }
    int right = list_header.x + list_header.width - 10;
    if (list_header.short_highlight) right = x + 8 * int(std::strlen(it.text));
    r = {left, y - 4, right - left, 14};
    return true;
}

void list_draw_row(int mode, int row) {
    SDL_Rect r;
    if (!row_highlight_rect(row, r)) return;
    Uint32 colour = Uint32(list_header.highlight_colour);
    int alpha = 64;
    if (mode == 1) alpha = 72;
    if (mode >= 2) colour = Uint32(mode);
    if (r.w > 0 && r.h > 0) draw_translucent_rect(r.x, r.y, r.w, r.h, colour, alpha);
    present_rect(r.x, r.y, r.w, r.h, 1);
}

void list_draw_row_on_texture(int row) {
    SDL_Rect r;
    if (!row_highlight_rect(row, r) || !list_texture || !game_renderer) return;
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, list_texture);
    Uint8 cr = 255, cg = 255, cb = 255;
    if (canvas_format) SDL_GetRGB(Uint32(list_header.highlight_colour), canvas_format, &cr, &cg, &cb);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, cr, cg, cb, 64);
    SDL_Rect tr = {r.x - list_header.texture_x_offset, r.y - list_header.texture_y_offset, r.w, r.h};
    SDL_RenderFillRect(game_renderer, &tr);
    SDL_SetRenderTarget(game_renderer, old);
}

// ------------------------------------------------------------ the mouse

SDL_Point list_mouse_position() {
    // The one mapping from window to canvas coordinates is the canvas's own.
    SDL_Point p = {mouse_x_to_canvas(mouse_raw_x), mouse_y_to_canvas(mouse_raw_y)};
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    return p;
}

int list_row_at_mouse() {
    SDL_Point m = list_mouse_position();
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i) {
        const ListItem& it = list_items[i];
        if (list_header.type == LIST_TYPE_PLACED) {
            if (it.width != 0 && it.x <= m.x && m.x < it.x + it.width && it.y < m.y &&
                m.y < it.y + it.height)
                return i;
        } else {
            int x, y;
            row_position(i, x, y);
            if (x < m.x && m.x < list_header.x + list_header.width - 10 && y - 3 < m.y &&
                m.y < y + 9)
                return i;
        }
    }
    return -1;
}

// ------------------------------------------------------------ free layout

static int iabs(int v) { return v < 0 ? -v : v; }

void list_move_down() {
    int c = list_header.current;
    if (c < 0 || c >= LIST_ROWS) return;
    int cx, cy;
    row_position(c, cx, cy);
    int best_dx = 1024, best_dy = 1024, best = -1;
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i) {
        if (i == c) continue;
        int x, y;
        row_position(i, x, y);
        if (y <= cy) continue;
        int dx = iabs(x - cx), dy = iabs(y - cy);
        if (dx <= best_dx && dy <= best_dy) {
            best_dx = dx;
            best_dy = dy;
            best = i;
        }
    }
    if (best >= 0) list_header.current = best;
}

void list_move_up() {
    int c = list_header.current;
    if (c < 0 || c >= LIST_ROWS) return;
    int cx, cy;
    row_position(c, cx, cy);
    int best_dx = 1024, best_dy = 1024, best = -1;
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i) {
        if (i == c) continue;
        int x, y;
        row_position(i, x, y);
        if (y >= cy) continue;
        int dx = iabs(x - cx), dy = iabs(y - cy);
        if (dy < best_dy && dx <= best_dx) {
            best_dx = dx;
            best_dy = dy;
            best = i;
        }
    }
    if (best >= 0) list_header.current = best;
}

static void move_sideways(bool right) {
    int c = list_header.current;
    if (c < 0 || c >= LIST_ROWS) return;
    int cx, cy;
    row_position(c, cx, cy);
    int best_dx = 1024, best = -1;
    for (int i = 0; i < list_header.count && i < LIST_ROWS; ++i) {
        if (i == c) continue;
        int x, y;
        row_position(i, x, y);
        if (y != cy) continue;
        if (right ? x < cx : x >= cx) continue;
        int dx = iabs(x - cx);
        if (dx <= best_dx) {
            best_dx = dx;
            best = i;
        }
    }
    if (best >= 0) list_header.current = best;
}

void list_move_right() { move_sideways(true); }
void list_move_left() { move_sideways(false); }

// ------------------------------------------------------------ events

int throttle_key_repeat() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return 0;
    SDL_PumpEvents();
    SDL_Event ev[10];
    int n = SDL_PeepEvents(ev, 10, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYUP);
    if (n <= 0) return 0;
    int repeats = 0, downs = 0, ups = 0;
    for (int i = 0; i < n; ++i) {
        if (ev[i].type == SDL_KEYDOWN) {
            ++downs;
            if (ev[i].key.repeat) ++repeats;
        } else {
            ++ups;
        }
    }
    if (repeats > 0) {
        SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);
        for (int i = 0; i < n; ++i)
            if (!(ev[i].type == SDL_KEYDOWN && ev[i].key.repeat)) SDL_PushEvent(&ev[i]);
        return repeats;
    }
    if (ups > 1 && downs > 3) {
        SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);
        for (int i = 0; i < n && i < 3; ++i) SDL_PushEvent(&ev[i]);
    } else if (ups <= 1 && downs > 2) {
        SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);
    }
    return 0;
}

void restart_text_input() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    SDL_PumpEvents();
    // Input events only: a pending window close is kept.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    SDL_StopTextInput();
    SDL_StartTextInput();
}

// ------------------------------------------------------------ running

static int finish_choice(int row, int entry_row) {
    if (list_header.choose_sound[0]) play_sample(list_header.choose_sound, 0);
    restore_canvas();
    present_list();
    if (list_header.type != LIST_TYPE_PLACED) {
        if (list_header.no_dim != 1)
            draw_translucent_rect(list_header.x, list_header.y, list_header.width - 1,
                                  list_header.height - 1, rgb(87, 87, 87), 128);
        list_header.current = row;
        list_draw_row(1, row);
    } else {
        list_header.current = row;
        if (list_items[row].width == 0) list_header.current = entry_row;
    }
    list_running = false;
    return row;
}

static bool selectable(int row) {
    return row >= 0 && row < list_header.count && row < LIST_ROWS && has_text(list_items[row]) &&
           !list_items[row].disabled;
}

int LIST_Go() {
    if (list_header.count > LIST_ROWS) list_header.count = LIST_ROWS;
    if (list_header.count < 0) list_header.count = 0;
    const int entry_row = list_header.current;
    if (list_header.preview != 2) backup_canvas();
    list_running = true;
    bool redraw = true;
    char line[80];
    for (;;) {
        if (redraw) {
            if (list_header.move_sound[0]) play_sample(list_header.move_sound, 0);
            restore_canvas();
            present_list();
            if (list_header.texture_mode) {
                render_texture_layers();
                list_draw_row_on_texture(list_header.current);
                present_renderer();
            } else {
                list_draw_row(0, list_header.current);
            }
            redraw = false;
        }
        throttle_key_repeat();
        list_mouse_position();
        int key = menu_read_key();
        format_text(line, sizeof line, "LIST_Go getkey %d", key);
        debug_log("!keydebug", line);
        if (key == KEY_WINDOW_CHANGED) {
            list_running = false;
            return KEY_WINDOW_CHANGED;
        }
        // A closed window: the ESC row answers, or -1 when there is none.
        if (key == KEY_WINDOW_CLOSED && window_closed_pending()) {
            int esc = esc_row();
            if (esc < 0) {
                list_running = false;
                return -1;
            }
            return finish_choice(esc, entry_row);
        }
        if (!list_header.keep_case && key >= 0 && key < 256) {
            int first = list_header.count > 0 ? list_items[0].code : 0;
            if (!(first >= 'a' && first <= 'z')) key = upper_key(key);
        }
        format_text(line, sizeof line, "ch_apu = %d", key);
        debug_log("!keydebug", line);

        const int before = list_header.current;
        int chosen = -1;
        bool handled = false;
        if (list_header.type == LIST_TYPE_PLACED && key != -1 && !mouse_flag) {
            for (int i = 0; i < list_header.count; ++i) {
                if (list_items[i].code == key || (list_items[i].second_code == key && key)) {
                    chosen = i;
                    handled = true;
                    break;
                }
            }
        }
        if (!handled) {
            switch (key) {
            case KEY_ENTER:
                if (!mouse_flag) {
                    if (list_header.confirm) {
                        list_running = false;
                        return LIST_CONFIRMED;
                    }
                    if (selectable(list_header.current)) chosen = list_header.current;
                } else {
                    int r = list_row_at_mouse();
                    if (r >= 0 && !list_items[r].disabled) {
                        chosen = r;
                    } else if (list_header.confirm) {
                        list_running = false;
                        return LIST_CONFIRMED;
                    }
                }
                break;
            case KEY_UP:
            case KEY_LEFT:
                if (list_header.free_layout) {
                    key == KEY_UP ? list_move_up() : list_move_left();
                } else {
                    for (int i = list_header.current - 1; i >= 0; --i)
                        if (selectable(i)) {
                            list_header.current = i;
                            break;
                        }
                }
                break;
            case KEY_DOWN:
            case KEY_RIGHT:
                if (list_header.free_layout) {
                    key == KEY_DOWN ? list_move_down() : list_move_right();
                } else {
                    int last = list_header.count - 1;
                    if (last > list_header.row_limit - 1) last = list_header.row_limit - 1;
                    for (int i = list_header.current + 1; i <= last; ++i)
                        if (selectable(i)) {
                            list_header.current = i;
                            break;
                        }
                }
                break;
            case KEY_PGUP:
                if (!key_in_list(KEY_PGUP)) list_header.current = 0;
                break;
            case KEY_PGDN:
                if (!key_in_list(KEY_PGDN)) {
                    for (int i = list_header.count - 1; i >= 0; --i) {
                        const ListItem& it = list_items[i];
                        if (has_text(it) && std::strcmp(it.text, "TEXTSPOT") != 0 &&
                            !it.disabled && it.code != KEY_ESC) {
                            list_header.current = i;
                            break;
                        }
                    }
                }
                break;
            case KEY_MOUSE_MOVED: {
                int r = list_row_at_mouse();
                if (r >= 0 && has_text(list_items[r]) && !list_items[r].disabled) {
                    list_header.current = r;
                    if (list_header.mouse_pick) {
                        list_running = false;
                        return -1;
                    }
                }
                break;
            }
            default:
                if (key == 0) break;
                for (int i = 0; i < list_header.count; ++i) {
                    const ListItem& it = list_items[i];
                    if (it.disabled) continue;
                    if (it.code == key || it.second_code == key ||
                        (key == KEY_F1 && it.code == 1030)) {
                        chosen = i;
                        break;
                    }
                }
                break;
            }
        }
        if (list_header.type == LIST_TYPE_PLACED && chosen < 0 &&
            list_header.current != before && list_header.current >= 0 &&
            list_items[list_header.current].width == 0)
            list_header.current = before;
        if (chosen < 0) {
            if (list_header.current != before) {
                if (list_header.preview) {
                    list_header.preview = 2;
                    list_running = false;
                    return -1;
                }
                redraw = true;
            }
            continue;
        }
        return finish_choice(chosen, entry_row);
    }
}

// ------------------------------------------------------------ command menu

CommandMenuEntry menu_entries[MENU_ENTRIES];
int32_t menu_count = 0;
char menu_help_text[MENU_HELP_BYTES] = "";
bool menu_no_cancel = false;
char last_resource_choice[100] = "";

namespace {

// The list state as last saved for the running menu; used when the file
// can't be written or read back.
ListHeader saved_header;
ListItem saved_items[LIST_ROWS];
int last_added = -1;

int first_free_entry() {
    for (int i = 0; i < MENU_ENTRIES; ++i)
        if (menu_entries[i].label[0] == '\0') return i;
    return -1;
}

// An entry added with a key but no text ("C."): its row stays empty.
bool hidden_key_entry(const CommandMenuEntry& e) {
    const char* dot = std::strchr(e.label, '.');
    return e.hot_key > 0 && dot != nullptr && dot[1] == 0;
}

// Fills the entry's label from its key and text; returns the hot key.
int make_label(CommandMenuEntry& e, int key, const char* text) {
    const char* src = text ? text : "";
    if (key == 0) {
        key = upper_key((unsigned char)src[0]);
        if (key == 0) key = ' ';
    }
    // Long texts are cut to 32 characters and "..".
    char shown[40];
    if (std::strlen(src) > 34) {
        std::memcpy(shown, src, 32);
        shown[32] = '\0';
        append_text(shown, sizeof shown, "..");
    } else {
        copy_text(shown, src);
    }
    switch (key) {
    case KEY_TAB: format_text(e.label, sizeof e.label, "TAB.%s", shown); break;
    case 1030: format_text(e.label, sizeof e.label, "F1.%s", shown); break;
    case KEY_CTRL_S: format_text(e.label, sizeof e.label, "CTRL + s.%s", shown); break;
    default: format_text(e.label, sizeof e.label, "%c.%s", char(key), shown); break;
    }
    e.hot_key = key;
    return key;
}

int add_entry(int key, const char* text, int action, int argument, const char* data) {
    int i = first_free_entry();
    if (i < 0) return menu_count;
    CommandMenuEntry& e = menu_entries[i];
    std::memset(&e, 0, sizeof e);
    make_label(e, key, text);
    e.action = action;
    e.argument = argument;
    copy_text(e.data, data ? data : "");
    last_added = i;
    if (i + 1 > menu_count) menu_count = i + 1;
    return menu_count;
}

// The topic of an item text: up to the blank before its first '('.
void set_item_topic(CommandMenuEntry& e, const char* text) {
    char topic[100];
    copy_text(topic, text ? text : "");
    char* paren = std::strchr(topic, '(');
    if (paren) {
        *paren = '\0';
        size_t n = std::strlen(topic);
        while (n > 0 && topic[n - 1] == ' ') topic[--n] = '\0';
    }
    if (topic[0] && command_menu_services.is_topic(topic)) copy_text(e.topic, topic);
}

const char* item_text(const char* text, int action, int argument) {
    if ((!text || !text[0]) && action == 240 && argument >= 0 && argument < 256)
        return command_menu_services.terrain_name(argument);
    return text ? text : "";
}

void remember_list_state() {
    saved_header = list_header;
    saved_header.texture = 0;
    std::memcpy(saved_items, list_items, sizeof saved_items);
}

}  // namespace

namespace {
const char* no_terrain_text(int) { return ""; }
void no_activity(int, int, const char*) {}
int no_topic(const char*) { return 0; }
void no_hint(const char*, const char*) {}
void no_encyclopedia(const char*) {}
}  // namespace

CommandMenuServices command_menu_services = {no_terrain_text, no_terrain_text, no_activity,
                                             no_topic,        no_hint,         no_encyclopedia};
int encyclopedia_from_menu = 0;

void menu_clear() {
    std::memset(menu_entries, 0, sizeof menu_entries);
    menu_count = 0;
    menu_help_text[0] = '\0';
    last_added = -1;
}

int menu_free_hotkey() {
    for (const char* k = MENU_HOTKEY_ORDER; *k; ++k) {
        bool used = false;
        for (const CommandMenuEntry& e : menu_entries)
            if (e.label[0] && e.hot_key == *k) used = true;
        if (!used) return *k;
    }
    return 0;
}

int menu_add(int key, const char* text) { return add_entry(key, text, 0, 0, ""); }

int menu_add_action(const char* text, int key, int action) {
    return add_entry(key, text, action, 0, "");
}

int menu_add_item(const char* text, int key, int action, int argument) {
    const char* t = item_text(text, action, argument);
    int before = last_added;
    int n = add_entry(key, t, action, argument, "");
    if (last_added != before || n > 0) {
        if (last_added >= 0) set_item_topic(menu_entries[last_added], t);
    }
    return n;
}

int menu_add_with_data(const char* text, int key, int action, const char* data) {
    const char* t = text ? text : "";
    int n = add_entry(key, t, action, 0, data);
    if (last_added >= 0) set_item_topic(menu_entries[last_added], t);
    return n;
}

void menu_set_topic(const char* topic) {
    if (last_added >= 0) copy_text(menu_entries[last_added].topic, topic ? topic : "");
}

void menu_set_default_topic(const char* topic) {
    for (CommandMenuEntry& e : menu_entries)
        if (e.hot_key > 0 && e.topic[0] == '\0') copy_text(e.topic, topic ? topic : "");
}

void menu_set_icon(int x, int y) {
    if (last_added < 0) return;
    CommandMenuEntry& e = menu_entries[last_added];
    e.icon_x = x;
    e.icon_y = y;
    if (e.action == 240 && e.argument >= 0 && e.argument < 256) {
        copy_text(e.icon_tile, command_menu_services.terrain_tile(e.argument));
        e.icon_terrain = uint8_t(e.argument);
    } else {
        e.icon_tile[0] = '\0';
        e.icon_terrain = 0;
    }
}

void menu_add_help_text(const char* text) {
    if (!text) return;
    if (std::strlen(menu_help_text) + std::strlen(text) > MENU_HELP_BYTES - 1) return;
    append_text(menu_help_text, sizeof menu_help_text, text);
}

bool save_menu_list() {
    remember_list_state();
    uint8_t buffer[MENU_LIST_FILE_SIZE];
    std::memcpy(buffer, &saved_header, sizeof saved_header);
    std::memcpy(buffer + sizeof saved_header, saved_items, sizeof saved_items);
    return write_file_atomic(MENU_LIST_FILE, buffer, sizeof buffer);
}

bool load_menu_list() {
    static uint8_t buffer[MENU_LIST_FILE_SIZE];
    bool ok = read_file_exact(MENU_LIST_FILE, buffer, sizeof buffer);
    if (ok) {
        ListHeader h;
        std::memcpy(&h, buffer, sizeof h);
        // A file that is not ours (a wrong count) is not trusted.
        if (h.count < 0 || h.count > LIST_ROWS) ok = false;
    }
    if (ok) {
        std::memcpy(&list_header, buffer, sizeof list_header);
        std::memcpy(list_items, buffer + sizeof list_header, sizeof list_items);
    } else {
        list_header = saved_header;
        std::memcpy(list_items, saved_items, sizeof list_items);
    }
    list_header.texture = 0;
    // Texture rows keep their live handle in memory.
    return ok;
}

void menu_draw_icons(int highlighted) {
    for (int i = 0; i < menu_count && i < MENU_ENTRIES; ++i) {
        const CommandMenuEntry& e = menu_entries[i];
        if (!e.icon_terrain && !e.icon_tile[0]) continue;
        int tile = e.icon_tile[0] ? tile_index(e.icon_tile) : -1;
        if (tile >= 0) draw_tile_sprite(tile, 0, 0, e.icon_x + 10, e.icon_y + 16, 1);
        if (i == highlighted)
            draw_translucent_rect(e.icon_x - 5, e.icon_y - 5, 28, 30, rgb(255, 255, 255), 64);
    }
}

namespace {

// The rows of the menu's list; the entry of each row (or -1).
int row_entry[LIST_ROWS];

int build_menu_list(const char* title, int x, int y, int type, bool upper_title, int help_x, int min_height = 0) {
    message_pause_count = 0;
    if (menu_count > MENU_SHOWN) menu_count = MENU_SHOWN;
    int height = std::max(12 * (menu_count + 5), min_height);
    int help_height = 0;
    if (menu_help_text[0]) {
        add_text_to_word_buffer(true, menu_help_text);
        help_height = draw_tagged_text(help_x, y, 276, -1, rgb(255, 215, 0), 0);
        height += help_height + 20;
    }
    char shown_title[100];
    copy_text(shown_title, upper_title ? upper_case_copy(title ? title : "") : (title ? title : ""));
    list_init(0, shown_title, x, y, 296, height, type);
    list_set_options(int32_t(rgb(255, 255, 255)), "", 0, 1);
    char line[300];
    int rows = 0;
    for (int i = 0; i < menu_count; ++i) {
        const CommandMenuEntry& e = menu_entries[i];
        format_text(line, sizeof line, "listhotkey %d - %s", e.hot_key, e.label);
        debug_log("!keydebug", line);
        row_entry[rows++] = i;
        if (e.hot_key == -1) {
            list_add_entry(0, "");
        } else if (hidden_key_entry(e)) {
            // An entry without text is an empty row that still answers its
            // key.
            list_add_entry(0, "");
            if (list_header.count > 0) list_items[list_header.count - 1].second_code = e.hot_key;
        } else {
            list_add_entry(e.hot_key, e.label);
        }
    }
    if (!menu_no_cancel) {
        row_entry[rows++] = -1;
        list_add_entry(0, "");
        row_entry[rows++] = -1;
        list_add_entry(KEY_ESC, "ESC.Cancel");
    }
    menu_no_cancel = false;
    return help_height;
}

// Runs the built list: the chosen row's entry index, -2 for ESC, -3 for
// an ending without a choice.
int run_menu_list(int help_x, int help_y, bool icons) {
    int remembered = list_header.current;
    char line[80];
    for (;;) {
        list_draw();
        if (menu_help_text[0]) {
            add_text_to_word_buffer(true, menu_help_text);
            draw_tagged_text(help_x, help_y, 276, 0, rgb(255, 215, 0), 0);
        }
        int cur = list_header.current;
        int entry = (cur >= 0 && cur < LIST_ROWS) ? row_entry[cur] : -1;
        bool any_topic = false;
        for (int i = 0; i < menu_count; ++i)
            if (menu_entries[i].topic[0]) any_topic = true;
        if (entry >= 0 && menu_entries[entry].topic[0])
            command_menu_services.show_topic_hint(menu_entries[entry].topic, "");
        else if (any_topic)
            command_menu_services.show_topic_hint("-", "");
        if (cur >= 0 && cur < list_header.count && list_items[cur].code != KEY_F1)
            remembered = cur;
        debug_log("!keydebug", "LIST_Go() ->");
        int pos = LIST_Go();
        format_text(line, sizeof line, "got pos %d", pos);
        debug_log("!keydebug", line);
        if (icons) menu_draw_icons(entry);
        if (pos == -1) {
            // A closed window ends the menu as ESC would.
            if (window_closed_pending()) return -2;
            continue;
        }
        if (pos < 0 || pos >= LIST_ROWS) return -3;
        int code = list_items[pos].code;
        if (code == KEY_F1 || code == '?') {
            int topic_row = code == KEY_F1 ? remembered : list_header.current;
            if (code == '?') topic_row = cur;
            int te = (topic_row >= 0 && topic_row < LIST_ROWS) ? row_entry[topic_row] : -1;
            const char* topic = te >= 0 ? menu_entries[te].topic : "";
            if (topic[0]) {
                encyclopedia_from_menu = 1;
                command_menu_services.open_encyclopedia(topic);
                encyclopedia_from_menu = 0;
                load_menu_list();
                list_header.current = remembered;
                continue;
            }
        }
        if (code == KEY_ESC) return -2;
        return row_entry[pos];
    }
}

// The echo of a chosen label: "title: label" without the key part, cut
// at '|'; "" for a label that says "NO DISPLAY".
void menu_echo(char* out, size_t cap, const char* title, const char* label) {
    const char* dot = std::strchr(label, '.');
    const char* rest = dot ? dot + 1 : label;
    format_text(out, cap, "%s: %s", title ? title : "", rest);
    char* bar = std::strchr(out, '|');
    if (bar) *bar = '\0';
}

}  // namespace

int menu_run(const char* title) {
    save_screen_backup();
    // A short menu still covers the side panel's boxes down to the
    // wielded tools, so no half row of them peeks out under it.
    build_menu_list(title, 498, 190, 6, true, 508, 140);
    bool icons = false;
    for (int i = 0; i < menu_count; ++i)
        if (menu_entries[i].icon_terrain) icons = true;
    if (icons) {
        draw_window(491, 452, 296, 100, "GRAPHICAL PRESENTATION", 40);
        menu_draw_icons(-1);
    }
    save_menu_list();
    // Below the last row (the ESC row), not on it.
    int help_y = 190 + 12 * (menu_count + 5);
    int entry = run_menu_list(508, help_y, icons);
    restore_screen_backup();
    present_screen();
    if (entry < 0) return 0;
    const CommandMenuEntry& e = menu_entries[entry];
    char echo[400];
    echo[0] = '#';
    menu_echo(echo + 1, sizeof echo - 1, title, e.label);
    if (!std::strstr(echo, "NO DISPLAY") && !hidden_key_entry(e)) show_message(echo);
    if (e.action) command_menu_services.perform_activity(e.action, e.argument, e.data);
    return e.hot_key;
}

int menu_run_resource(const char* title, int x, int y) {
    save_screen_under("resource");
    build_menu_list(title, x, y, 9, false, x + 10);
    save_menu_list();
    int help_y = y + 12 * (menu_count + 5);
    int entry = run_menu_list(x + 10, help_y, false);
    restore_screen_under("resource");
    free_screen_under("resource");
    present_screen();
    if (entry < 0) return 0;
    const CommandMenuEntry& e = menu_entries[entry];
    char echo[400];
    menu_echo(echo, sizeof echo, title, e.label);
    if (std::strstr(echo, "NO DISPLAY")) echo[0] = '\0';
    const char* stored = echo;
    if (stored[0] && std::strchr("!:?+=>", stored[0])) ++stored;
    copy_text(last_resource_choice, stored);
    return e.action ? e.action : e.hot_key;
}

int ask_list_amount(int available, int row, int current) {
    (void)available;
    (void)row;
    (void)current;
    KSM_STUB("ask_list_amount");
    return 0;
}
// Not built yet: the command menu has no picture of its own to place.
void menu_picture_at(int, int, int) { KSM_STUB("menu_picture_at"); }
