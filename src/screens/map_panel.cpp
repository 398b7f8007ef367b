// The map information panel: where the player is, the date, the kind of
// map and its scale; the place texts; the terrain picture of a world cell;
// and the colours of the cultural regions on the world pictures.
#include "screens/map_panel.h"
#include "screens/side_panel.h"

#include <cmath>
#include <cstring>
#include <string>

#include "base/stubs.h"
#include "console/console.h"
#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "maps/regions.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "game/clock.h"
#include "base/config.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "base/platform.h"
#include "base/text_ring.h"

const char* const LAST_PLACE_PLACEHOLDER = "-- Viimeisin kartan nimi --";
char last_place_text[100] = "-- Viimeisin kartan nimi --";

namespace {

char place_text_buffer[1024];
char terrain_picture[1024];

// Culture adjectives for the place texts of villages.
const char* culture_adjective(int code) {
    static const char* const words[CULTURE_CODES] = {
        "Kaumolainen", "Driikil\xE4inen", "Kiessel\xE4inen", "Reemil\xE4inen", "Sartolainen",
        "Islander",    "Koivulainen",     "Kuikka-tribe",    "Owl-tribe",      "Seal-tribe",
        "",            "Rororad",         "",                ""};
    return (code >= 0 && code < CULTURE_CODES) ? words[code] : "";
}

std::string capitalised(const char* text) {
    std::string s = text ? text : "";
    if (!s.empty()) s[0] = char(latin1_upper(static_cast<unsigned char>(s[0])));
    return s;
}

uint8_t stored_code(int x, int y) { return stored_world_terrain_at(x, y); }

const PanelRect& place_panel() { return panel_rects[3]; }
const PanelRect& date_panel() { return panel_rects[4]; }

bool is_metric() { return std::strcmp(ini_get_string("UNITS", ""), "METRIC") == 0; }

}  // namespace

// ------------------------------------------------------------ colours

void draw_culture_legend(int x, int y) {
    struct Entry {
        const char* name;
        int code;
    };
    static constexpr Entry entries[] = {
        {"Kaumo", 0},     {"Kiesse", 2},     {"Reemi", 3},     {"Koivula", 6},
        {"Sartola", 4},   {"Driik", 1},      {"Islanders", 5}, {"Kuikka-tribe", 7},
        {"Owl-tribe", 8}, {"Seal-tribe", 9}, {nullptr, -1},    {"Rororadit", 11}};
    if (!canvas) return;
    draw_translucent_rect(x + 4, y + 4, 140, 14 * 12 + 8, map_rgb(0, 0, 0), 160);
    int row = 0;
    for (const Entry& e : entries) {
        const int ly = y + 8 + 14 * row++;
        if (!e.name) continue;
        fill_canvas_rect(x + 10, ly + 1, 10, 8, area_colour(e.code));
        draw_text_at(x + 26, ly, e.name, colour_white(), 1);
    }
}

// ------------------------------------------------------------ place texts

const char* world_place_text(int x, int y, int given) {
    if (is_world_map() && given == 0) {
        copy_text(place_text_buffer, region_names_text(player_x, player_y));
        return place_text_buffer;
    }
    int wx = x, wy = y, culture;
    if (given == 0) {
        wx = plr_world_x();
        wy = plr_world_y();
        culture = world_culture_at(wx, wy);
    } else {
        culture = world_culture_at(wx, wy);
    }
    std::string text;
    const int code = stored_code(wx, wy);
    if (code == 239) {
        const char* adjective = culture_adjective(culture);
        if (adjective[0]) text = capitalised(adjective) + " ";
    }
    text += terrain_name(code);
    if (!text.empty()) text += " at ";
    text += region_names_text(wx, wy);
    copy_text(place_text_buffer, text.c_str());
    return place_text_buffer;
}

int count_fell_cells(int x, int y) {
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (stored_code(x + dx, y + dy) == 94) ++n;
        }
    }
    return n;
}

int is_mixed_habitat_block(int x, int y) {
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int c = stored_code(x + dx, y + dy);
            if ((TerrainTypes[c].habitat & HAB_LAKE) && c != 180 && c != 181) ++n;
        }
    }
    return n >= 4 && n <= 8;
}

int is_sea_bay_block(int x, int y) {
    int sea = 0, other = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int c = stored_code(x + dx, y + dy);
            if (c == 180 || c == 181) ++sea;
            else if (TerrainTypes[c].habitat & HAB_LAKE) ++other;
        }
    }
    return sea >= 15 && sea <= 23 && other < sea;
}

int is_terrain_around_player(const char* codes) {
    if (!codes) return 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int c = terrain_at(player_x + dx, player_y + dy);
            for (const char* p = codes; *p; ++p) {
                if (static_cast<unsigned char>(*p) == c) return 1;
            }
        }
    }
    return 0;
}

const char* terrain_picture_name(int x, int y) {
    const int c = stored_code(x, y);
    const char* name = nullptr;
    const char* winter = nullptr;
    const int slot = in_world_grid(x, y) ? marker_slot(x, y) : MARKER_NONE;
    if (slot != MARKER_NONE && Markers[slot].world_x == x && Markers[slot].world_y == y &&
        (Markers[slot].structure_flags & MARK_OWN_SETTLEMENT)) {
        name = "terrain-house";
    } else {
        switch (c) {
        case 3: name = "terrain-lichen_heath"; winter = "terrain-pine_heath-winter"; break;
        case 15: name = "terrain-conifer"; break;
        case 16: name = "terrain-grove"; break;
        case 60: name = "terrain-cave"; break;
        case 91: name = "terrain-hill"; break;
        case 93: name = "terrain-cliff"; break;
        case 94: name = count_fell_cells(x, y) >= 6 ? "terrain-fell" : "terrain-mountain"; break;
        case 176: name = "terrain-river"; break;
        case 210:
        case 239: {
            const int own = world_culture_at(plr_world_x(), plr_world_y());
            name = own >= 7 && own <= 10 ? "terrain-kota_village" : "terrain-village";
            break;
        }
        case 233: name = "terrain-open_mire"; break;
        case 235: name = "terrain-spruce_mire"; break;
        case 236: name = "terrain-pine_mire"; break;
        case 238: name = "terrain-pine_heath"; break;
        case 246: name = "jarvi"; break;
        case 251: name = "terrain-field"; break;
        default: break;
        }
        const uint32_t flags = TerrainTypes[c].flags;
        if (!name && (flags & TF_FLOWING)) name = c == 177 ? "terrain-rapids" : "terrain-river";
        if (!name && (flags & TF_WATER)) name = is_small_lake(x, y) ? "terrain-small_lake" : "terrain-lake";
    }
    std::string picture = name ? name : "";
    if (name && (Plr.month < 4 || Plr.month > 11)) {
        char path[1100];
        format_text(path, sizeof path, "truegfx/%s-winter.jpg", name);
        if (path_exists(resolve_path_ci(path))) {
            picture = std::string(name) + "-winter.jpg";
        } else {
            picture = winter ? winter : "terrain-ground-winter.jpg";
        }
    }
    if (picture.empty()) picture = "terrain-ground";
    // The pictures of the installation are JPEG files.
    if (picture.find("terrain-") != std::string::npos && picture.find('.') == std::string::npos) {
        picture += ".jpg";
    }
    copy_text(terrain_picture, picture.c_str());
    return terrain_picture;
}

bool show_arrival_picture(int world_x, int world_y) {
    std::string base = terrain_picture_name(world_x, world_y);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);
    // Plain ground, in any season, has no picture of its own.
    if (base.rfind("terrain-ground", 0) == 0) return false;
    std::string picture = base + "_400x300.jpg";
    if (!path_exists(resolve_path_ci("truegfx/" + picture))) picture = terrain_picture_name(world_x, world_y);
    if (!path_exists(resolve_path_ci("truegfx/" + picture)) || !canvas) return false;
    // A frame beside the map's middle, the picture growing out of its centre.
    draw_framed_box(35, 100, 445, 410, map_rgb(48, 64, 80), map_rgb(80, 96, 128), map_rgb(0, 0, 0));
    show_picture_zooming(picture.c_str(), 40, 105, 400, 300);
    return true;
}

// ------------------------------------------------------------ drawing

void draw_scale_bar(int x, int y, int length, const char* legend) {
    if (!canvas) return;
    const uint32_t grey = map_rgb(171, 171, 171);
    const int tick = line_height > 2 ? line_height / 2 : 2;
    draw_line(x, y, x + length, y, grey);
    draw_line(x, y - tick, x, y + tick, grey);
    draw_line(x + length, y - tick, x + length, y + tick, grey);
    if (legend) draw_text_at(x + length / 2 - int(std::strlen(legend)) * 4, y + tick + 2, legend, grey, 0);
}

void draw_map_info_panel() {
    char quoted[100];
    format_text(quoted, sizeof quoted, "\"%s\"", world_place_text(0, 0, 0));
    if (std::strcmp(quoted, last_place_text) == 0) return;
    copy_text(last_place_text, quoted);
    if (!canvas) return;

    const SDL_Rect p = place_panel().r;
    const uint32_t khaki = map_rgb(252, 252, 84), grey = map_rgb(171, 171, 171);
    fill_canvas_rect(p.x, p.y, p.w, p.h, map_rgb(56, 88, 120));
    const int wx = is_world_map() ? player_x : plr_world_x();
    const int wy = is_world_map() ? player_y : plr_world_y();
    const std::string area = capitalised(culture_area_text(wx, wy, 2));
    const std::string relation = capitalised(culture_area_text(wx, wy, 4));
    const int lh = line_height > 0 ? line_height : 10;
    if (is_world_map()) {
        int ly = p.y + 10;
        draw_text_at(p.x + 10, ly, region_name_text(wx, wy, 0), khaki, 1);
        ly += lh * 3 / 2;
        const char* english = region_name_text(wx, wy, 1);
        if (english[0]) {
            char text[80];
            format_text(text, sizeof text, "\"%s\"", english);
            draw_text_at(p.x + 10, ly, text, grey, 1);
            ly += lh * 2;
        }
        draw_text_at(p.x + 10, ly, area.c_str(), colour_white(), 1);
        ly += lh * 3 / 2;
        draw_text_at(p.x + 10, ly, relation.c_str(), grey, 1);
    } else {
        std::string picture = terrain_picture_name(wx, wy);
        if (picture.find("terrain-") == std::string::npos) picture += "_small.jpg";
        draw_picture_fitted(picture.c_str(), nullptr, p.x + 2, p.y + 2, p.w - 4, p.h - 4);
        draw_text_at(p.x + 10, p.y + p.h - lh - 6, terrain_name(stored_code(wx, wy)), grey, 1);
    }

    const SDL_Rect d = date_panel().r;
    fill_canvas_rect(d.x, d.y, d.w, d.h, map_rgb(56, 88, 120));
    int ly = d.y + 6;
    draw_text_at(d.x + 6, ly, place_text_buffer, khaki, 1);
    ly += lh * 2;
    SeasonRecord season{};
    season_of_date(Plr.day, Plr.month, season);
    draw_text_at(d.x + 6, ly, capitalised(date_text(2, season)).c_str(), map_rgb(176, 196, 222), 1);
    ly += lh * 2;
    const bool world = is_world_map();
    draw_text_at(d.x + 6, ly, world ? "Wilderness map" : "Zoom map", colour_white(), 1);
    const char* legend = world ? (is_metric() ? "=100 meters" : "=100 yards")
                               : (is_metric() ? "=2 meters" : "=6 feet");
    const int cell = map_view.cell_w > 1 ? int(map_view.cell_w) : 18;
    draw_scale_bar(d.x + d.w / 4 - cell / 2, ly + lh * 2, cell, legend);
}

void refresh_map_panel() {
    if (canvas && game_view_mode != 33) {
        draw_picture_fitted("bg-heritage.jpg", nullptr, 0, 0, CANVAS_W, CANVAS_H);
        const SDL_Rect v = map_view.view;
        fill_canvas_rect(v.x, v.y, v.w, v.h, map_rgb(0, 0, 0));
        const uint32_t frame = map_rgb(171, 171, 171);
        draw_line(v.x - 1, v.y - 1, v.x + v.w, v.y - 1, frame);
        draw_line(v.x - 1, v.y + v.h, v.x + v.w, v.y + v.h, frame);
        draw_line(v.x - 1, v.y - 1, v.x - 1, v.y + v.h, frame);
        draw_line(v.x + v.w, v.y - 1, v.x + v.w, v.y + v.h, frame);
    }
    last_place_text[0] = '\0';  // the whole panel is drawn anew
    draw_map_info_panel();
    const int base = is_world_map() ? SIGHT_BASE_WORLD : SIGHT_BASE_LOCAL;
    // A missing ray file is reported where the view is built; the panel
    // only sets the distance when it can.
    double numbers[SIGHT_RAYS];
    char error[200];
    if (read_linedist_numbers(numbers, error, sizeof error)) {
        fill_sight_table(numbers, base);
        fill_sight_table(numbers, sight_distance_for_visibility(weather.current.daylight));
    }
}
