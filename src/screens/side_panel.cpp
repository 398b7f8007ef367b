// The side panel beside the map, the status line, the calendar box and the
// titles of the information screens.
#include "screens/side_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "body/body_services.h"
#include "creatures/movement_commands.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "screens/map_panel.h"
#include "maps/terrain_types.h"
#include "objects/item_commands.h"
#include "objects/object_store.h"
#include "game/clock.h"
#include "game/turn_state.h"
#include "base/config.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "game/player_words.h"

bool side_panel_new_layout = true;
int stat_slot_x[STAT_SLOTS];
int stat_slot_y[STAT_SLOTS];
int32_t sound_clue_time[8];
SDL_Surface* portrait_picture = nullptr;
int32_t game_view_mode = 0;
bool loading_bar_off = false;
char command_line_text[100] = "";

namespace {

struct Rgb {
    int r, g, b;
};
constexpr Rgb GREY{171, 171, 171}, KHAKI{252, 252, 84}, PALE_KHAKI{240, 230, 140},
    STEEL{176, 196, 222}, PARCHMENT{226, 197, 153}, DARK_GREY{87, 87, 87}, WHITE{255, 255, 255},
    PENALTY_RED{255, 87, 87};

Uint32 px(Rgb c) { return map_rgb(c.r, c.g, c.b); }
Uint32 px(SDL_Color c) { return map_rgb(c.r, c.g, c.b); }
// Colour words of the renderers: red in the low byte.
Uint32 word(SDL_Color c) { return Uint32(c.r) | (Uint32(c.g) << 8) | (Uint32(c.b) << 16); }
SDL_Color sdl(Rgb c) { return SDL_Color{Uint8(c.r), Uint8(c.g), Uint8(c.b), 255}; }

void text_at(int x, int y, const char* text, Rgb colour, int outline) {
    draw_text_at(x, y, text, px(colour), outline);
}

int text_len(const char* text) { return int(std::strlen(text)); }

// Cuts a text to `keep` characters plus ".." when it is `limit` or longer.
void cut_text(char* text, int cap, int limit, int keep) {
    if (text_len(text) >= limit && keep + 3 <= cap) {
        text[keep] = 0;
        append_text(text, size_t(cap), "..");
    }
}

void capitalise_first(char* text) {
    if (text[0]) text[0] = char(latin1_upper(static_cast<unsigned char>(text[0])));
}

bool metric_units() { return std::strcmp(ini_get_string("UNITS", ""), "METRIC") == 0; }

// ----------------------------------------------------- the movement box

// Draws one text field of the movement box: a black field 15 high with
// dark edges, the text 3 px in.
void box_field(int x, int y, int w, const char* text, SDL_Color colour) {
    SDL_Renderer* r = compass_renderer;
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_Rect field{x, y, w, 15};
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderFillRect(r, &field);
    SDL_SetRenderDrawColor(r, 32, 32, 32, 255);
    SDL_RenderDrawLine(r, x, y, x + w - 1, y);
    SDL_RenderDrawLine(r, x, y, x, y + 14);
    SDL_SetRenderDrawColor(r, 48, 64, 80, 255);
    SDL_RenderDrawLine(r, x, y + 14, x + w - 1, y + 14);
    SDL_RenderDrawLine(r, x + w - 1, y, x + w - 1, y + 14);
    render_text_at(r, x + 3, y + 3, text, word(colour), 0);
}

// Where an arrow of a direction goes in the box and its angle.
struct ArrowPlace {
    int x, y;
    double angle;
};
ArrowPlace arrow_place(int direction) {
    static const int dx[8] = {40, 40, 0, -40, -40, -40, 0, 40};
    static const int dy[8] = {0, -40, -40, -40, 0, 40, 40, 40};
    static const double angle[8] = {90, 45, 0, -45, -90, -135, 180, 135};
    int d = ((direction % 8) + 8) % 8;
    return ArrowPlace{62 - 16 + dx[d], 80 - 24 + dy[d], angle[d]};
}

// The arrow pictures, kept as surfaces; a texture for the box's renderer
// is made from them at each drawing.
SDL_Surface* arrow_picture(int which) {
    static bool tried[2] = {false, false};
    static SDL_Surface* pictures[2] = {nullptr, nullptr};
    static const char* const paths[2] = {"truetile/gui-arrow.png", "truetile/gui-sndclue.png"};
    if (!tried[which]) {
        tried[which] = true;
        SDL_Surface* s = load_picture(paths[which]);
        if (s) {
            SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(s);
            if (c) SDL_SetColorKey(c, SDL_TRUE, static_cast<Uint32*>(c->pixels)[0]);
            s = c;
        }
        pictures[which] = s;
    }
    return pictures[which];
}

// A failed copy is left out; its error text stays with the renderer.
void draw_arrow(int which, int direction, int alpha, bool blended) {
    SDL_Surface* s = arrow_picture(which);
    if (!s) return;
    SDL_Texture* t = SDL_CreateTextureFromSurface(compass_renderer, s);
    if (!t) return;
    // Always blended: the key colour of the picture is transparent only so.
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(t, Uint8(std::clamp(blended ? alpha : 255, 0, 255)));
    ArrowPlace p = arrow_place(direction);
    SDL_Rect dst{p.x, p.y, 32, 32};
    SDL_Rect src{0, 0, std::min(32, s->w), std::min(32, s->h)};
    SDL_RenderCopyEx(compass_renderer, t, &src, &dst, p.angle, nullptr, SDL_FLIP_NONE);
    SDL_DestroyTexture(t);
}

const char* const facing_words[8] = {"     EAST", "  NORTH-EAST", "     NORTH", "  NORTH-WEST",
                                     "     WEST", "  SOUTH-WEST", "     SOUTH", "  SOUTH-EAST"};

}  // namespace

// ------------------------------------------------------ words and numbers

int64_t game_seconds() { return int64_t(Plr.total_minutes) * 60 + clock_seconds; }

const char* penalty_text(int value, char* out, int cap, bool* is_none) {
    if (value != 0) format_text(out, size_t(cap), "-%d%%", value);
    else copy_text(out, size_t(cap), "None");
    if (is_none) *is_none = value == 0;
    return out;
}

int carrying_penalty() { return cre_carry_penalty(-1); }

int stat_bar_width(int value, int maximum) {
    if (value <= 0 || maximum <= 0) return 0;
    if (maximum > 1000 && value < maximum / 20) return 0;
    int w = int(std::ceil(48.0 / maximum * value));
    return std::min(w + 1, 47);
}

const char* vigour_word(int x) {
    if (x < 500) return "Vigorous";
    if (x >= 2000) return "Ready to drop";
    if (x >= 1800) return "Extremely tired";
    if (x >= 1600) return "Weary";
    if (x >= 1300) return "Tired";
    if (x >= 1000) return "A bit tired";
    return "Lively";
}

int hunger_percent(uint32_t energy_reserve, int stomach) {
    double e = std::max<double>(500.0, double(energy_reserve));
    double g = std::min(1.5, 1600.0 / e);
    int t = std::min(255, int(std::ceil(g * (255 - std::clamp(stomach, 0, 255)))));
    int over = t > 30 ? t - 30 : 0;
    return std::min(100, int(std::ceil(over / 225.0 * 100.0)));
}

int thirst_percent(int thirst) {
    int over = std::max(0, thirst - 150);
    return std::min(100, int(std::ceil(over / 2850.0 * 100.0)));
}

SDL_Color hunger_colour(uint32_t energy_reserve) {
    int r = std::clamp(255 - int(std::min<uint32_t>(energy_reserve / 10, 255)), 0, 255);
    return SDL_Color{Uint8(r), Uint8(255 - r), 0, 255};
}

SDL_Color thirst_colour(int thirst) {
    int d = std::clamp(thirst / 18, 0, 254);
    return SDL_Color{Uint8(d), Uint8(255 - d), 0, 255};
}

const char* movement_mode_word(SDL_Color* colour) {
    const char* w = "   Walking";
    SDL_Color c = sdl(GREY);
    switch (Plr.body_state) {
    case 0:
        if (Plr.running) {
            w = "   Running";
            c = SDL_Color{100, 255, 255, 255};
        }
        break;
    case 1:
        w = Plr.sleeping ? "   Sleeping" : "   Fallen";
        c = sdl(PENALTY_RED);
        break;
    case 3:
    case 4:
        w = "   Fainted";
        c = sdl(DARK_GREY);
        break;
    default: break;
    }
    switch (Plr.travel_mode) {
    case 2: w = "   Swimming"; break;
    case 3: w = "  Watercraft"; c = SDL_Color{100, 149, 237, 255}; break;
    case 4: w = movement_mode_text(); c = SDL_Color{100, 149, 237, 255}; break;
    case 7: w = "   Skiing"; c = sdl(WHITE); break;
    case 9: w = "   Hauling"; c = sdl(WHITE); break;
    default: break;
    }
    if (Plr.hiding && Plr.travel_mode != 2 && Plr.travel_mode != 3) {
        w = "   Hiding";
        c = SDL_Color{84, 252, 84, 255};
        Plr.running = 0;
    }
    if (colour) *colour = c;
    return w;
}

const char* status_word(SDL_Color* colour) {
    const char* w = "Walking";
    SDL_Color c = sdl(GREY);
    switch (Plr.body_state) {
    case 0:
        if (Plr.running) {
            w = "Running";
            c = SDL_Color{100, 255, 255, 255};
        }
        break;
    case 1:
        w = Plr.sleeping == 1 ? "Sleeping" : "Fallen";
        c = sdl(PENALTY_RED);
        break;
    case 3: w = "Shocked"; c = SDL_Color{168, 0, 0, 255}; break;
    case 4: w = "Fainted"; c = sdl(DARK_GREY); break;
    default: break;
    }
    if (Plr.travel_mode == 9) {
        w = "Hauling";
        c = sdl(WHITE);
    } else if (Plr.travel_mode == 4) {
        w = movement_mode_text();
        c = SDL_Color{100, 149, 237, 255};
    } else if (Plr.travel_mode == 7) {
        w = "Skiing";
        c = sdl(WHITE);
    }
    if (Plr.hiding) {
        w = "Hiding";
        c = SDL_Color{84, 252, 84, 255};
        Plr.running = 0;
    }
    if (Plr.travel_mode == 3) {
        w = "Watercraft";
        c = SDL_Color{100, 149, 237, 255};
    }
    if (Plr.travel_mode == 2) w = "Swimming";
    if (colour) *colour = c;
    return w;
}

int shown_speed(int speed_tenths, bool metric) {
    int s = speed_tenths / 10;
    return metric ? s : int(std::ceil(s * 0.62137));
}

int speed_colour_percent(int speed_tenths, int speed_attribute) {
    int top = 2 * int(std::ceil(5.0 * speed_attribute));
    if (top <= 0) return 0;  // no speed attribute: shown as slowest
    int q = int(std::ceil(double(speed_tenths) / top * 100.0));
    return std::clamp(100 - q, 0, 100);
}

void hand_row_text(const char* name, bool shield, int hand, uint8_t* stance, char* out, int cap) {
    copy_text(out, size_t(cap), name ? name : "");
    if (!shield) {
        cut_text(out, cap, 30, 28);
        return;
    }
    cut_text(out, cap, 25, 23);
    if (!stance) return;
    if (*stance & 2) {
        append_text(out, size_t(cap), " -- CENTER");
        *stance |= 1;
    }
    if (*stance & 4) {
        append_text(out, size_t(cap), " -- HIGH");
        *stance |= 1;
    }
    if (*stance & 8) {
        append_text(out, size_t(cap), hand == 1 ? " -- RIGHT" : " -- LEFT");
        *stance |= 1;
    }
}

int sound_clue_alpha(int64_t age) {
    if (age >= 21) return -1;
    if (age < 5) return 255;
    return int(255 - 10 * age);
}

void season_box_lines(char* season, char* date, char* time_name, int cap) {
    SeasonRecord rec{};
    season_of_date(Plr.day, Plr.month, rec);
    copy_text(season, size_t(cap), rec.name);
    capitalise_first(season);
    copy_text(date, size_t(cap), date_phrase(Plr.day, Plr.month));
    capitalise_first(date);
    time_of_day_name(Plr.hour, time_name, size_t(cap));
    capitalise_first(time_name);
}

// ------------------------------------------------------------ the panel

void draw_stat_label(int column, int row, const char* label, const char* value, Uint32 colour,
                     int slot) {
    const int x = 9 * (column - 1);
    const int y = int(11.75 * (row - 1));
    if (label && label[0]) draw_text_at(x, y, label, colour, 1);
    const int grid_y = int(std::ceil(std::ceil((y + 12) / 11.75) * 11.75));
    draw_sunken_box(x, grid_y - 3, 50, 14);
    if (value && value[0]) text_at(x + 52, y + 12, value, KHAKI, 1);
    if (slot >= 0 && slot < STAT_SLOTS) {
        stat_slot_x[slot] = x;
        stat_slot_y[slot] = y + 12;
    }
}

void draw_stat_text(int x, int y, const char* text, Uint32 colour) {
    fill_canvas_rect(x + 1, y, 48, 9, map_rgb(0, 0, 0));
    if (!text || !text[0]) return;
    draw_text_at(x + (50 - 8 * text_len(text)) / 2, y, text, colour, 0);
}

void draw_stat_bar(int x, int y, int value, int maximum) {
    fill_canvas_rect(x + 1, y, 48, 9, map_rgb(0, 0, 0));
    int w = stat_bar_width(value, maximum);
    if (w > 0) fill_canvas_rect(x + 1, y, w, 9, map_rgb(168, 0, 0));
}

namespace {
void draw_penalty_text(int slot, int value) {
    char text[32];
    bool none = false;
    penalty_text(value, text, sizeof text, &none);
    draw_stat_text(stat_slot_x[slot], stat_slot_y[slot], text, none ? px(KHAKI) : px(PENALTY_RED));
}
}  // namespace

void draw_penalty_bars() {
    draw_stat_text(stat_slot_x[0], stat_slot_y[0], weight_text(18, Plr.carried_load), px(KHAKI));
    fill_canvas_rect(565, 45, 26, 11, px(DARK_GREY));
    text_at(568, 47, weight_text(4, 0), KHAKI, 1);

    draw_penalty_text(1, carrying_penalty());
    const int f = int(std::ceil(Plr.fatigue));
    draw_stat_bar(stat_slot_x[2], stat_slot_y[2], f, 100);
    draw_penalty_text(3, f);
    draw_stat_bar(stat_slot_x[4], stat_slot_y[4], Plr.wound_total, 100);
    draw_penalty_text(5, Plr.wound_total);
    draw_stat_bar(stat_slot_x[6], stat_slot_y[6], Plr.blood_loss, 4 * Plr.str);
    int total = 0;
    for (int kind = 1; kind <= 4; ++kind) total += cre_penalty(-1, kind);
    draw_penalty_text(7, total);
}

void draw_starvation_stat() {
    draw_stat_bar(stat_slot_x[11], stat_slot_y[11], Plr.starvation, 100);
    draw_penalty_text(12, Plr.starvation);
}

void draw_needs_panel(int flag) {
    const bool nl = side_panel_new_layout;
    if (flag == 0) {
        if (nl) {
            draw_highlight_window(503, 190, 286, 68, "", 4096 + int(map_rgb(64, 64, 64) & 0xFFFFFF));
            text_at(510, 198, "Hunger:", GREY, 1);
            text_at(510, 211, "Thirst:", GREY, 1);
            text_at(679, 198, "Nutrition:", GREY, 1);
            text_at(510, 228, "Warmth:", GREY, 1);
            text_at(510, 243, "Vigour:", GREY, 1);
        } else {
            draw_window(595, 190, 195, 110, "", WIN_PLAIN_FILL, map_rgb(64, 64, 64));
            draw_translucent_rect(597, 192, 191, 12, map_rgb(255, 255, 255), 64);
            text_at(600, 194, "Nutrition/Warmth/Vigour", KHAKI, 1);
            draw_key_caption(598, 207, "e");
            text_at(623, 213, "Hunger:", GREY, 1);
            draw_key_caption(598, 220, "q");
            text_at(623, 226, "Thirst:", GREY, 1);
            text_at(600, 242, "Nutrition:", GREY, 1);
        }
    }
    const int bar_x = nl ? 568 : 678;
    SDL_Color hunger = hunger_colour(Plr.Energiavaranto);
    bar_colour_mode = 1;
    bar_colour_value = px(hunger);
    draw_percent_bar(bar_x, nl ? 197 : 211, 75, hunger_percent(Plr.Energiavaranto, Plr.stomach));
    // The thirst colour belongs to the thirst bar alone.
    bar_colour_mode = 1;
    bar_colour_value = px(thirst_colour(Plr.thirst));
    draw_percent_bar(bar_x, nl ? 210 : 224, 75, thirst_percent(Plr.thirst));

    struct BoxPlace {
        int x, y, w;
    };
    const BoxPlace nutrition = nl ? BoxPlace{679, 209, 105} : BoxPlace{679, 240, 105};
    const BoxPlace warmth = nl ? BoxPlace{568, 226, 160} : BoxPlace{625, 268, 160};
    const BoxPlace vigour = nl ? BoxPlace{568, 240, 160} : BoxPlace{625, 283, 160};
    draw_sunken_box(nutrition.x, nutrition.y, nutrition.w, 13);
    draw_text_at(nutrition.x + 3, nutrition.y + 3, nutrition_word(Plr.Energiavaranto), px(hunger), 0);
    uint8_t rgb[3] = {171, 171, 171};
    char* warm = body_temperature_words(false, rgb);
    draw_sunken_box(warmth.x, warmth.y, warmth.w, 13);
    draw_text_at(warmth.x + 3, warmth.y + 3, warm, map_rgb(rgb[0], rgb[1], rgb[2]), 0);
    draw_sunken_box(vigour.x, vigour.y, vigour.w, 13);
    text_at(vigour.x + 3, vigour.y + 3, vigour_word(Plr.exhaustion), GREY, 0);
}

void draw_wielded_panel(int flag) {
    const int x = side_panel_new_layout ? 503 : 507;
    const int y = side_panel_new_layout ? 263 : 320;
    const int w = side_panel_new_layout ? 286 : 283;
    if (flag == 0) {
        draw_highlight_window(x, y, w, 65, "", 4096 + int(map_rgb(64, 64, 64) & 0xFFFFFF));
        draw_title_bar(x, y, w, "Wielded weapons/tools", 3);
    }
    Plr.shield_stance &= uint8_t(~1u);
    for (int hand = 1; hand <= 2; ++hand) {
        const int row_y = y + 18 * hand + 2;
        const int id = cre_wielded_item(-1, hand);
        char caption[8];
        char text[120];
        if (id != 0) {
            ObjectRecord rec;
            const bool shield = obj_id_is_valid(id) && obj_is_shield(obj_record(id, rec));
            hand_row_text(obj_name_with_unit(id, 1, 0), shield, hand, &Plr.shield_stance,
                          text, sizeof text);
            format_text(caption, sizeof caption, "%d", hand);
        } else {
            copy_text(caption, "w");
            copy_text(text, "-");
        }
        draw_key_caption(x + 5, row_y, caption);
        draw_sunken_box(x + 25, row_y + 2, side_panel_new_layout ? 253 : 250, 15);
        text_at(x + 30, row_y + 6, text, STEEL, 1);
    }
}

void show_command_line(const char* text) {
    if (!text || std::strcmp(text, "INIT") == 0) {
        command_line_text[0] = '\0';
        if (!text) return;
        draw_window(500, 530, 295, 15, "", WIN_SMOKE);
        text_at(505, 534, "Command: ", PALE_KHAKI, 1);
        return;
    }
    // The text is shown as it stands: a '%' in it is just a character.
    copy_text(command_line_text, text);
    cut_text(command_line_text, sizeof command_line_text, 27, 24);
    fill_canvas_rect(570, 532, 221, 11, map_rgb(0, 0, 0));
    text_at(575, 534, command_line_text, STEEL, 0);
}

void show_repeat_line(int flag) {
    if (flag == 0) {
        Uint32 old_colour = key_label_colour;
        key_label_colour = px(STEEL);
        draw_key_caption(500, 553, "r.Repeat:");
        key_label_colour = old_colour;
        draw_sunken_box(580, 555, 215, 15);
    }
    if (last_activity_code == 0) return;
    char name[100];
    if (last_activity_code == 240) copy_text(name, terrain_name(last_activity_argument));
    else copy_text(name, activity_name(last_activity_code));
    cut_text(name, sizeof name, 25, 24);
    fill_canvas_rect(582, 557, 211, 11, map_rgb(0, 0, 0));
    text_at(585, 559, name, KHAKI, 1);
}

bool load_portrait(const char* folder) {
    if (portrait_picture) {
        SDL_FreeSurface(portrait_picture);
        portrait_picture = nullptr;
    }
    std::string path = std::string(folder ? folder : "") + "/portrait.png";
    if (!path_exists(resolve_path_ci(path))) return false;
    portrait_picture = load_picture(path.c_str());
    return portrait_picture != nullptr;
}

void draw_movement_box() {
    if (!compass_surface || !compass_renderer || !canvas) return;
    SDL_Renderer* r = compass_renderer;
    const int w = compass_surface->w, h = compass_surface->h;
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(r, 128, 128, 128, 255);
    SDL_RenderClear(r);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_Rect border{0, 0, w, h};
    SDL_RenderDrawRect(r, &border);
    if (portrait_picture) {
        SDL_Texture* t = SDL_CreateTextureFromSurface(r, portrait_picture);
        if (t) {
            SDL_Rect dst{13, 23, 100, 100};
            SDL_RenderCopy(r, t, nullptr, &dst);
            SDL_DestroyTexture(t);
        }
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_Rect frame{12, 22, 102, 102};
        SDL_RenderDrawRect(r, &frame);
    }

    SDL_Color mode_colour;
    const char* mode = movement_mode_word(&mode_colour);
    box_field(5, 5, 114, mode, mode_colour);
    const int f = ((facing % 8) + 8) % 8;
    box_field(5, 127, 114, facing_words[f], sdl(KHAKI));

    const bool metric = metric_units();
    const int speed = cre_movement_speed(-1);
    box_field(5, 140, 114, metric ? "Speed:   km/h" : "Speed:   mi/h", sdl(GREY));
    char number[16];
    const int shown = shown_speed(speed, metric);
    format_text(number, sizeof number, shown >= 10 ? "%d" : " %d", shown);
    render_text_at(r, 58, 143, number, word(bar_colour(speed_colour_percent(speed, Plr.spd))), 0);

    draw_arrow(0, f, 255, false);
    const int64_t now = game_seconds();
    for (int d = 0; d < 8; ++d) {
        if (sound_clue_time[d] == 0) continue;
        int alpha = sound_clue_alpha(std::llabs(now - sound_clue_time[d]));
        if (alpha < 0) {
            sound_clue_time[d] = 0;
            continue;
        }
        draw_arrow(1, d, alpha, true);
    }
    SDL_RenderFlush(r);
    SDL_SetSurfaceBlendMode(compass_surface, SDL_BLENDMODE_NONE);
    SDL_Rect dst{665, 25, w, h};
    SDL_BlitSurface(compass_surface, nullptr, canvas, &dst);
}

void mark_sound_clue(int x, int y) {
    if (messages_suppressed) return;
    double deg = std::atan2(double(y - player_y), double(x - player_x)) * 180.0 / 3.14159265358979;
    if (deg < 0) deg += 360.0;
    const int d = direction_from_angle(deg);
    int64_t now = game_seconds();
    sound_clue_time[d] = int32_t(now == 0 ? 1 : now);  // 0 would mean "none"
    draw_movement_box();
}

void draw_side_panel() {
    if (!canvas) return;
    const bool nl = side_panel_new_layout;
    draw_picture("bg-rpanel.png", 472, 0);
    set_message_box_layout(nl);
    if (nl) draw_window(498, 355, 296, 170, "", WIN_PLAIN_FILL, px(PARCHMENT));
    else draw_window(493, 398, 305, 130, "", WIN_PLAIN_FILL, px(PARCHMENT));
    show_command_line("INIT");
    show_repeat_line(0);
    {
        Uint32 old_colour = key_label_colour;
        key_label_colour = px(STEEL);
        draw_key_caption(500, 580, "ESC.Help and game options");
        key_label_colour = old_colour;
    }
    draw_name_bar();
    if (nl) draw_window(503, 25, 160, 160, "", WIN_PLAIN_FILL, px(DARK_GREY));
    else fill_canvas_rect(503, 25, 160, 161, px(DARK_GREY));
    struct StatRow {
        int slot, column, row;
        const char* label;
        const char* value;
        Rgb colour;
    };
    const char* unit = weight_text(4, 0);
    const StatRow rows[] = {
        {0, 58, 4, "Carrying", unit, GREY},    {1, 67, 4, "Penalty:", "", WHITE},
        {2, 58, 6, "Fatigue", " ", GREY},      {3, 67, 6, "   +", "", WHITE},
        {4, 58, 8, "Injury", " ", GREY},       {5, 67, 8, "   +", "", WHITE},
        {11, 58, 10, "Starvation", " ", GREY}, {12, 67, 10, "   +", "", WHITE},
        {7, 67, 12, "Total:", "", WHITE},      {6, 58, 14, "Bloodloss", "", GREY},
    };
    for (const StatRow& row : rows)
        draw_stat_label(row.column, row.row, row.label, row.value, px(row.colour), row.slot);
    draw_wielded_panel(0);
    draw_needs_panel(0);
    present_screen();
}

void refresh_status_panel() {
    normalize_game_clock();
    if (!canvas) return;
    draw_penalty_bars();
    SDL_Color colour;
    const char* w = status_word(&colour);
    draw_movement_box();
    char text[64];
    format_text(text, sizeof text, "   %s", w);
    draw_sunken_box(670, 155, 115, 13);
    draw_text_at(673, 158, text, px(colour), 0);
    draw_starvation_stat();
    draw_movement_box();
    draw_wielded_panel(1);
    draw_needs_panel(1);
    present_screen_with_map();
}

void redraw_game_screen() {
    if (game_view_mode != 33) clear_screen();
    refresh_map_panel();  // the map frame and the information panel
    if (game_view_mode == 33) return;
    draw_side_panel();
    refresh_status_panel();
    draw_movement_box();
    if (game_view_mode == 22) {
        fill_canvas_rect(map_view.view.x - 1, map_view.view.y - 1, map_view.view.w + 2,
                         map_view.view.h + 3, map_rgb(0, 0, 0));
        return;
    }
    rebuild_view();
    present_screen_with_map();
}

void draw_name_bar() {
    if (!canvas) return;
    char name[64];
    format_text(name, sizeof name, "%.*s %.*s", int(sizeof Plr.name), Plr.name, int(sizeof Plr.second_name),
                Plr.second_name);
    if (side_panel_new_layout) {
        draw_window(503, 7, 286, 16, "", WIN_PLAIN_FILL, map_rgb(56, 88, 120));
        text_at(646 - 4 * text_len(name), 11, name, KHAKI, 1);
    } else {
        draw_framed_box(503, 7, 790, 22, map_rgb(48, 64, 80), map_rgb(80, 96, 128), map_rgb(56, 88, 120));
        text_at(652 - 4 * text_len(name), 11, name, KHAKI, 1);
    }
}

void draw_season_box() {
    if (!canvas) return;
    const int x = map_view.view.x + map_view.view.w - 137, y = 6, w = 138, h = 74;
    draw_window(x, y, w, h, "", WIN_PLAIN_FILL, px(DARK_GREY));
    char season[64], date[128], time_name[64];
    season_box_lines(season, date, time_name, 64);
    text_at(x + 5, y + 5, season, STEEL, 1);
    add_text_to_word_buffer(true, date);
    draw_tagged_text(x + 5, y + 25, w - 10, 0, px(STEEL), 1);
    text_at(x + 5, y + 55, time_name, PALE_KHAKI, 1);
    present_screen_with_map();
}

void show_loading_map_bar(int percent) {
    if (loading_bar_off || !canvas) return;
    draw_framed_box(160, 485, 318, 520, map_rgb(48, 64, 80), map_rgb(80, 96, 128), map_rgb(56, 88, 120));
    text_at(168, 492, "LOADING MAP ... ", GREY, 1);
    draw_percent_bar(166, 505, 146, std::clamp(percent, 0, 100));
    present_rect(160, 485, 159, 36, 1);
}


// ---------------------------------------------------------- sound bearing
