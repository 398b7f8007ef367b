// Places in words: cultural areas, directions, distances and terrain areas.
#include "maps/culture_regions.h"

#include "ui/canvas.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "creatures/creature_services.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_object_table.h"
#include "game/turn_state.h"
#include "base/config.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "game/player_words.h"

const char* const culture_area_names[CULTURE_NAME_CODES] = {
    "Kaumo",   "Driik",     "Kiesse",  "Reemi",
    "Sartola", "archipelago", "Koivula", "Kuikka-tribe lands",
    "Owl-tribe lands", "Seal-tribe lands", "", "Rororad territory",
    "",        ""};

int32_t last_direction = 0;

namespace {

const char* const direction_words[8] = {"east",  "north-east", "north", "north-west",
                                        "west",  "south-west", "south", "south-east"};

bool metric_units() { return std::strcmp(ini_get_string("UNITS", ""), "METRIC") == 0; }

// The culture of a world cell; 0 outside the world.
int culture_of_world_cell(int x, int y) {
    if (!in_world_grid(x, y)) return 0;
    return world_culture_at(x, y);
}

}  // namespace

bool culture_has_area(int code) {
    return code >= 0 && code < CULTURE_NAME_CODES && code != 10 && code != 12 && code != 13;
}

namespace {
// An area with no cells in the world has an empty rectangle at the origin;
// it is neither found at a cell nor the nearest to one.
bool area_in_world(int code) {
    const int32_t* b = CultureBounds[code];
    return b[CB_MAX_X] != 0 || b[CB_MAX_Y] != 0;
}
}  // namespace

const char* culture_area_name(int code) {
    // Codes from a damaged grid never index the table.
    if (code < 0 || code >= CULTURE_NAME_CODES) return "";
    return culture_area_names[code];
}

int culture_area_by_bounds(int x, int y) {
    for (int c = 0; c < CULTURE_NAME_CODES; ++c) {
        if (!culture_has_area(c) || !area_in_world(c)) continue;
        const int32_t* b = CultureBounds[c];
        if (b[CB_MIN_X] <= x && x <= b[CB_MAX_X] && b[CB_MIN_Y] <= y && y <= b[CB_MAX_Y]) return c;
    }
    return -1000;
}

char* culture_area_phrase(int x, int y, int code) {
    char* out = next_ring_text();
    if (code == -1000) code = culture_of_world_cell(x, y);
    if (code < 0 || code >= CULTURE_NAME_CODES) return out;  // no table entry to read
    const int32_t* b = CultureBounds[code];
    bool north = false, south = false, west = false, east = false;
    if (y < b[CB_MIN_Y] + b[CB_THIRD_H]) north = true;
    else if (y > b[CB_MAX_Y] - b[CB_THIRD_H]) south = true;
    if (x < b[CB_MIN_X] + b[CB_THIRD_W]) west = true;
    else if (x > b[CB_MAX_X] - b[CB_THIRD_W]) east = true;
    const char* word = "";
    if (north) word = east ? "north-eastern " : west ? "north-western " : "northern ";
    else if (south) word = east ? "south-eastern " : west ? "south-western " : "southern ";
    else if (west) word = "western ";
    else if (east) word = "eastern ";
    format_text(out, TEXT_RING_BYTES, "%s%s", word, culture_area_name(code));
    return out;
}

char* culture_area_text(int x, int y, int flags) {
    int c = culture_of_world_cell(x, y);
    // A code beyond the table (a damaged grid) has no area: no man's land.
    if (culture_has_area(c)) {
        if (flags & 4) return next_ring_text();
        char* phrase = culture_area_phrase(x, y, c);
        char* out = next_ring_text();
        format_text(out, TEXT_RING_BYTES, "%s%s", (flags & 1) ? "in " : "", phrase);
        return out;
    }
    char* relation = next_ring_text();
    int a = culture_area_by_bounds(x, y);
    if (a != -1000) {
        format_text(relation, TEXT_RING_BYTES, "near %s", culture_area_phrase(x, y, a));
    } else {
        int best = -1;
        int best_measure = (3072 + 2048) / 2;
        for (int k = 0; k < CULTURE_NAME_CODES; ++k) {
            if (!culture_has_area(k) || !area_in_world(k)) continue;
            const int32_t* b = CultureBounds[k];
            int gx = (b[CB_MIN_X] <= x && x <= b[CB_MAX_X])
                         ? 0
                         : std::min(std::abs(b[CB_MAX_X] - x), std::abs(b[CB_MIN_X] - x));
            int gy = (b[CB_MIN_Y] <= y && y <= b[CB_MAX_Y])
                         ? 0
                         : std::min(std::abs(b[CB_MAX_Y] - y), std::abs(b[CB_MIN_Y] - y));
            int measure = (gx + gy) / 2;
            if (best < 0 || measure < best_measure) {
                best = k;
                best_measure = measure;
            }
        }
        if (best < 0) best = 0;  // a world without areas
        const int32_t* b = CultureBounds[best];
        const char* side = x < b[CB_MIN_X]   ? "west of "
                           : x > b[CB_MAX_X] ? "east of "
                           : y < b[CB_MIN_Y] ? "north of "
                                             : "south of ";
        format_text(relation, TEXT_RING_BYTES, "%s%s", side, culture_area_name(best));
    }
    if (flags & 4) return relation;
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "%sno man's land%s%s", (flags & 1) ? "on " : "",
                (flags & 2) ? "" : " ", (flags & 2) ? "" : relation);
    return out;
}

int direction_between(int x1, int y1, int x2, int y2) {
    double deg = std::atan2(double(y2 - y1), double(x2 - x1)) * 180.0 / 3.14159265358979;
    if (deg < 0) deg += 360.0;
    return direction_from_angle(deg);
}

const char* direction_word(int code) { return (code >= 0 && code < 8) ? direction_words[code] : direction_words[0]; }

int cre_direction_from_player(int creature) {
    if (creature < 0) return 0;
    return direction_between(player_x, player_y, creature_x(creature), creature_y(creature));
}

int cre_relative_direction(int creature, int x, int y) {
    int cx = creature < 0 ? player_x : creature_x(creature);
    int cy = creature < 0 ? player_y : creature_y(creature);
    int f = creature < 0 ? facing : creature_facing(creature);
    if (f < 0 || f > 7) return 0;
    int d = direction_between(cx, cy, x, y);
    return ((d - f) % 8 + 8) % 8;
}

char* direction_text(int x1, int y1, int x2, int y2, int flags) {
    char* out = next_ring_text();
    int d = direction_between(x1, y1, x2, y2);
    last_direction = d;
    if (!(flags & 6) && (x1 == x2 || y1 == y2 || std::abs(x1 - x2) == std::abs(y1 - y2)))
        append_text(out, TEXT_RING_BYTES, "directly ");
    if (!(flags & 4)) append_text(out, TEXT_RING_BYTES, "in the ");
    append_text(out, TEXT_RING_BYTES, direction_words[d & 7]);
    if (flags & 1) append_text(out, TEXT_RING_BYTES, " from here");
    return out;
}

char* distance_text(int x1, int y1, int x2, int y2, int flags) {
    char* out = next_ring_text();
    int d = (flags & 8) ? x1 : std::max(std::abs(x1 - x2), std::abs(y1 - y2));
    float km = float(d) * 0.1f;
    float miles = km / 1.6f;
    bool about = false;
    if (metric_units()) {
        if (km < 0.5f) copy_text(out, TEXT_RING_BYTES, "half a kilometer");
        else if (km < 1.0f) copy_text(out, TEXT_RING_BYTES, "less than a kilometer");
        else if (km < 3.0f) copy_text(out, TEXT_RING_BYTES, "just a couple of kilometers");
        else {
            format_text(out, TEXT_RING_BYTES, "about %d kilometers", int(std::ceil(km)));
            about = true;
        }
    } else {
        if (miles < 0.5f) copy_text(out, TEXT_RING_BYTES, "half a mile");
        else if (miles < 1.0f) copy_text(out, TEXT_RING_BYTES, "less than a mile");
        else if (miles < 3.0f) copy_text(out, TEXT_RING_BYTES, "just a couple of miles");
        else {
            format_text(out, TEXT_RING_BYTES, "about %d miles", int(std::ceil(miles)));
            about = true;
        }
    }
    if (about && (flags & 2)) {
        static const struct { float upto; const char* words; } bands[] = {
            {6, "few hours walk"},          {10, "half a day's walk"},
            {20, "a day's walk"},           {30, "around two day's walk"},
            {40, "two day's walk"},         {50, "around three day's walk"},
            {60, "three day's walk"},       {80, "four day's walk"},
            {100, "five day's walk"},       {120, "six day's walk"},
            {140, "a week's walk"}};
        const char* words = "over a week's walk";
        for (const auto& b : bands)
            if (km <= b.upto) {
                words = b.words;
                break;
            }
        if (metric_units())
            format_text(out, TEXT_RING_BYTES, "%s or at least %d kilometers", words,
                        10 * int(std::ceil(km / 10.0f)));
        else
            format_text(out, TEXT_RING_BYTES, "%s or at least %d miles", words,
                        10 * int(std::ceil(miles / 10.0f)));
    }
    if (flags & 1) append_text(out, TEXT_RING_BYTES, " away");
    return out;
}

char* near_distance_text(int x, int y) {
    int d = std::max(std::abs(player_x - x), std::abs(player_y - y));
    int m = 2 * d;  // one local cell is two metres
    char* dir = direction_text(player_x, player_y, x, y, 0);
    char* out = next_ring_text();
    if (m > 32) {
        // The real distance, rounded to the nearest ten metres (or yards).
        if (metric_units()) {
            format_text(out, TEXT_RING_BYTES, "about %d meters away %s", (m + 5) / 10 * 10, dir);
        } else {
            int yards = int(std::lround(m / 0.9144));
            format_text(out, TEXT_RING_BYTES, "about %d yards away %s", (yards + 5) / 10 * 10, dir);
        }
        return out;
    }
    if (is_in_view(x, y)) {
        format_text(out, TEXT_RING_BYTES, "right over there %s, you see", dir);
        return out;
    }
    format_text(out, TEXT_RING_BYTES, "%s%s%s", is_indoors_at(x, y) ? "inside " : "",
                m <= 8 ? "just around the corner " : m <= 15 ? "just nearby " : "", dir);
    return out;
}

char* terrain_area_text(int wx, int wy) {
    int t = stored_world_terrain_at(wx, wy);
    int n = 0;
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -5; dx <= 5; ++dx)
            if (stored_world_terrain_at(wx + dx, wy + dy) == t) ++n;
    const char* size = n < 5 ? "tiny " : n < 15 ? "small " : n >= 60 ? "large " : "";
    struct Side { int dx, dy; bool row; const char* word; };
    static const Side sides[4] = {{0, -1, true, "north"}, {0, 1, true, "south"},
                                  {1, 0, false, "east"},  {-1, 0, false, "west"}};
    const char* side_word = nullptr;
    int side_code = 0;
    for (const Side& s : sides) {
        int nx = wx + s.dx, ny = wy + s.dy;
        int code = stored_world_terrain_at(nx, ny);
        if (code == t) continue;
        if (s.row ? is_world_row_run(nx, ny, code) : is_world_column_run(nx, ny, code)) {
            side_word = s.word;
            side_code = code;
        }
    }
    char* name_t = lower_case_copy(terrain_name(t));
    char* out = next_ring_text();
    if (side_word) {
        char* name_n = lower_case_copy(terrain_name(side_code));
        format_text(out, TEXT_RING_BYTES, "border location of %s%s area right next to %s in the %s",
                    size, name_t, name_n, side_word);
    } else {
        format_text(out, TEXT_RING_BYTES, "%s%s area", size, name_t);
    }
    return out;
}

char* area_and_region_text(int wx, int wy) {
    char* area = culture_area_text(wx, wy, 1);
    char* place = place_phrase(wx, wy);
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "%s %s", area, place);
    return out;
}

char* direction_distance_text(int x1, int y1, int x2, int y2, int flags) {
    char* dir = direction_text(x1, y1, x2, y2, flags);
    char* dist = distance_text(x1, y1, x2, y2, flags);
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "%s, %s", dir, dist);
    return out;
}

// ------------------------------------------------------------ colours

RegionColour area_colour_rgb(int code) {
    switch (code) {
    case 0: return {0, 192, 0};
    case 1: return {0, 168, 168};
    case 2: return {128, 252, 0};
    case 3: return {92, 120, 0};
    case 4: return {252, 120, 0};
    case 5: return {0, 96, 200};
    case 6: return {252, 252, 84};
    case 7: return {171, 171, 171};
    case 8: return {255, 255, 255};
    case 9: return {87, 87, 87};
    case 11: return {200, 0, 252};
    default: return {0, 0, 0};
    }
}

uint32_t area_colour(int code) {
    const RegionColour c = area_colour_rgb(code);
    if (!c.r && !c.g && !c.b) return 0;
    return canvas_format ? map_rgb(c.r, c.g, c.b) : (uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b);
}

uint32_t area_colour_rgba(int code) {
    RegionColour c = area_colour_rgb(code);
    if (code == 2) c.g = 251;
    return (uint32_t(c.r) << 24) | (uint32_t(c.g) << 16) | (uint32_t(c.b) << 8) | 0xFFu;
}
