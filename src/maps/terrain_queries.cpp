// Questions about places on the current map and in the stored world.
#include "mapgen/heights.h"
#include "maps/terrain_queries.h"

#include "game/save_set.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "body/body_services.h"
#include "console/console.h"
#include "creatures/creature_services.h"
#include "creatures/movement_commands.h"
#include "maps/local_store.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "base/debug_log.h"
#include "game/player.h"
#include "society/game_course.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "base/files.h"
#include "ui/message_line.h"
#include "base/platform.h"

int32_t spot_list[SPOT_LIST_SIZE][2];
int32_t spot_count = 0;
NearestCode nearest_code = {-1, -1, 0, 1000};

void clear_spot_list() {
    std::memset(spot_list, 0, sizeof spot_list);
    spot_count = 0;
}

namespace {

const int kDirX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
const int kDirY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

bool flag_at(int x, int y, uint32_t flag) { return (terrain_flags_of(terrain_at(x, y)) & flag) != 0; }
bool stored_flag_at(int x, int y, uint32_t flag) {
    return (terrain_flags_of(stored_world_terrain_at(x, y)) & flag) != 0;
}

bool is_world_water_code(int code) { return (code >= 180 && code <= 183) || code == 247; }

// The position of a creature slot on the map (its first creature record),
// the player's for -1; (0, 0) when it has none.
MapPoint creature_position(int creature) {
    if (creature == -1) return {player_x, player_y};
    const int ref = creature >= 1000 ? creature : 1000 + creature;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE == MK_CREATURE && Data[i].DATA == ref) return {Data[i].x, Data[i].y};
    }
    return {0, 0};
}

// The player's weight as ice and crust feel it (the total weight is
// already halved while skiing or lying down).
int player_load_lb() { return cre_total_weight_lb(-1); }

// Ice height classes: the frost goes less deep in shallow water.
double ice_scale(int h) {
    switch (h) {
    case 1: return 0.2;
    case 2: return 0.45;
    case 3: return 0.6;
    case 4: return 0.75;
    case 5: return 0.9;
    default: return 0.1;
    }
}

int draw_if_needed(int mm, int grams) {
    const int holds = mm > 9 ? mm * 800 : mm * 100;
    if (grams < holds || grams / 2 >= holds) return 0;
    return random_below(10);
}

}  // namespace

int height_at(int x, int y) {
    if (!in_world_grid(x, y)) return 0;
    if (is_world_map()) return terrain_code_height(terrain_layer[map_index(x, y)]);
    return height_layer[map_index(x, y)];
}

int cover_byte_at(int x, int y) {
    if (unsigned(x) > unsigned(WORLD_W) || unsigned(y) > unsigned(WORLD_H)) return 0;
    return cover_layer[map_index(x, y)];
}

int ground_type_at(int x, int y) {
    const int ground = (cover_byte_at(x, y) >> 3) & 7;
    if (ground != 0 || is_world_map()) return ground;
    return stored_flag_at(world_x_of(x), world_y_of(y), TF_MIRE_ROCK) ? GROUND_MARSH : 0;
}

int is_indoors_at(int x, int y) {
    const int code = terrain_at(x, y);
    return (code != 31 && (terrain_flags_of(code) & TF_ROOF)) ? 1 : 0;
}

int cre_cell_ahead(int creature, int* out_x, int* out_y) {
    const MapPoint p = creature_position(creature);
    const int facing = creature_facing(creature) & 7;
    const int x = p.x + kDirX[facing], y = p.y + kDirY[facing];
    if (out_x) *out_x = x;
    if (out_y) *out_y = y;
    return terrain_at(x, y);
}

int is_world_site_code(int code) { return (code == 30 || code == 210 || code == 211 || code == 239) ? 1 : 0; }

int site_within_radius(int x, int y, int r) {
    for (int yy = y - r; yy <= y + r; ++yy)
        for (int xx = x - r; xx <= x + r; ++xx)
            if (is_world_site_code(stored_world_terrain_at(xx, yy))) return 1;
    return 0;
}

int is_world_site_at(int x, int y, int sites_only) {
    const int code = stored_world_terrain_at(x, y);
    if (is_world_site_code(code)) return 1;
    return (code == 251 && sites_only == 0) ? 1 : 0;
}

int is_world_row_run(int x, int y, int code) {
    return (stored_world_terrain_at(x - 1, y) == code && stored_world_terrain_at(x, y) == code &&
            stored_world_terrain_at(x + 1, y) == code)
               ? 1
               : 0;
}

int is_world_column_run(int x, int y, int code) {
    return (stored_world_terrain_at(x, y - 1) == code && stored_world_terrain_at(x, y) == code &&
            stored_world_terrain_at(x, y + 1) == code)
               ? 1
               : 0;
}

int is_open_coast_at(int x, int y) {
    static const int dx[4] = {0, 0, -1, 1};
    static const int dy[4] = {-1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const int cx = x + dx[i], cy = y + dy[i];
        const int code = stored_world_terrain_at(cx, cy);
        if (code != 180 && code != 181 && is_open_water_at(cx, cy)) return 1;
    }
    return 0;
}

int world_land_reach_at(int x, int y) {
    bool all_water = true;
    for (int d = 0; d < 8 && all_water; ++d) {
        if (!stored_flag_at(x + kDirX[d], y + kDirY[d], TF_WATER)) all_water = false;
    }
    if (all_water) return 1;
    static const int dx[4] = {-1, 1, 0, 0};
    static const int dy[4] = {0, 0, -1, 1};
    int sum = 0;
    for (int d = 0; d < 4; ++d) {
        for (int step = 0; step < 25; ++step) {
            const int cx = x + dx[d] * step, cy = y + dy[d] * step;
            if (!in_world_grid(cx, cy) || is_world_water_code(stored_world_terrain_at(cx, cy))) break;
            ++sum;
        }
    }
    return sum;
}

int find_nearest_world_code(int code, int x, int y, int size, int inner) {
    nearest_code = {-1, -1, 0, 1000};
    const int half = size / 2;
    // Rows and columns are clamped to the map on both ends.
    const int y0 = std::max(0, y - half), y1 = std::min(y + half, WORLD_H);
    const int x0 = std::max(0, x - half), x1 = std::min(x + half, WORLD_W);
    int found = 0;
    for (int cy = y0; cy < y1; ++cy) {
        const int ady = std::abs(cy - y);
        if (ady < inner) continue;
        const uint8_t* row = stored_world_terrain + map_index(0, cy);
        for (int cx = x0; cx < x1; ++cx) {
            if (row[cx] != code) continue;
            const int adx = std::abs(cx - x);
            if (adx < inner) continue;
            ++found;
            double deg = std::atan2(double(cy - y), double(cx - x)) * 180.0 / M_PI;
            if (deg < 0) deg += 360.0;
            const int dir = direction_from_angle(std::ceil(deg));
            int dist;
            if (dir == 0 || dir == 4) dist = adx + ady / 2;
            else if (dir == 2 || dir == 6) dist = adx / 2 + ady;
            else dist = (adx + ady) / 2;
            if (dist < nearest_code.distance) nearest_code = {cx, cy, dir, dist};
        }
    }
    return found;
}

namespace {
// Walks the square of the radius around (x, y) clipped to the map,
// skipping cells near the centre on both axes; `take` answers whether a
// cell is a candidate. After each candidate the walk jumps 5 cells on in x
// and y.
template <class Take>
int gather_cells(int x, int y, int min_distance, int radius, int max_count, MapPoint* out, Take take) {
    int n = 0;
    const int y0 = std::max(0, y - radius), y1 = std::min(WORLD_H - 1, y + radius);
    const int x0 = std::max(0, x - radius), x1 = std::min(WORLD_W - 1, x + radius);
    for (int cy = y0; cy <= y1 && n < max_count; ++cy) {
        for (int cx = x0; cx <= x1 && n < max_count; ++cx) {
            if (std::abs(cx - x) < min_distance && std::abs(cy - y) < min_distance) continue;
            if (!take(cx, cy)) continue;
            out[n++] = {cx, cy};
            cx += 5;
            cy += 5;
            if (cy > y1) break;
        }
    }
    return n;
}
}  // namespace

MapPoint pick_village_cell(int x, int y, int min_distance, int radius, int culture) {
    MapPoint cells[10];
    const int n = gather_cells(x, y, min_distance, radius, 10, cells, [culture](int cx, int cy) {
        const int code = stored_world_terrain_at(cx, cy);
        if (code != 239 && code != 210) return false;
        const int c = world_culture_at(cx, cy);
        if (c != culture || c == 11) return false;
        if (zoom_index_find(cx, cy) != 0) {
            const int slot = marker_slot(cx, cy);
            if (slot == MARKER_NONE || village_population(Markers[slot].village_id) < 6) return false;
        }
        return true;
    });
    if (n == 0) return {0, 0};
    return cells[random_below(n)];
}

namespace {
// The run of three equal codes around the cell keeps its shape: a run
// across needs the cells above and below the run to hold the same code or
// land of one kind, likewise down; and spruce mire (235) never stands
// beside coniferous forest (15).
bool broad_even_ground(int x, int y) {
    const int code = stored_world_terrain_at(x, y);
    bool ok = false;
    if (is_world_row_run(x, y, code)) {
        ok = stored_world_terrain_at(x, y - 1) == code || stored_world_terrain_at(x, y + 1) == code;
    }
    if (!ok && is_world_column_run(x, y, code)) {
        ok = stored_world_terrain_at(x - 1, y) == code || stored_world_terrain_at(x + 1, y) == code;
    }
    if (!ok) return false;
    if (code == 235 || code == 15) {
        const int other = code == 235 ? 15 : 235;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (stored_world_terrain_at(x + dx, y + dy) == other) return false;
    }
    return true;
}
}  // namespace

MapPoint pick_world_site_cell(int x, int y, int min_distance, int radius, int flags, int culture, int code) {
    static MapPoint cells[100];
    const int n = gather_cells(x, y, min_distance, radius, 100, cells, [=](int cx, int cy) {
        const int here = stored_world_terrain_at(cx, cy);
        const uint32_t f = terrain_flags_of(here);
        if (f & TF_WATER) return false;
        if ((flags & 1) && world_culture_at(cx, cy) != culture) return false;
        const bool islet = (flags & 4) != 0;
        if (islet && (world_land_reach_at(cx, cy) != 1 || (f & TF_MIRE_ROCK))) return false;
        if (code != 0) {
            if (here != code) return false;
        } else if ((f & 0x1800) || ((flags & 2) && here != 235)) {
            return false;
        }
        if (!islet) {
            if (!broad_even_ground(cx, cy)) return false;
            if (world_land_reach_at(cx, cy) < 15) return false;
        }
        if (site_within_radius(cx, cy, 10)) return false;
        if (zoom_index_find(cx, cy) != 0) return false;
        return true;
    });
    if (n == 0) return {0, 0};
    return cells[random_below(n)];
}

MapPoint pick_floor_cell_in_world_cell(int wx, int wy) {
    if (is_world_map()) return {0, 0};
    const MapRect r = world_cell_local_rect(wx, wy);
    if (r.w == 0) return {0, 0};
    MapPoint cells[100];
    int n = 0;
    for (int y = r.y; y < r.y + r.h && n < 100; ++y) {
        for (int x = r.x; x < r.x + r.w && n < 100; ++x) {
            const int code = terrain_at(x, y);
            if (code == '_' || code == '(') cells[n++] = {x, y};
        }
    }
    if (n == 0) return {0, 0};
    return cells[random_below(n)];
}

MapPoint find_penned_creature(int creature_type) {
    MapPoint last{0, 0};
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE || o.DATA < 1000) continue;
        if (creature_kind(o.DATA - 1000) != creature_type) continue;
        last = {o.x, o.y};
        int fences = 0;
        for (int k = -10; k < 10; ++k) {
            if (terrain_at(o.x + k, o.y) == 42) ++fences;
            if (terrain_at(o.x, o.y + k) == 42) ++fences;
        }
        if (fences > 3) return last;
    }
    return last;
}

int find_nearest_water(int x, int y, int* out_x, int* out_y) {
    int best = 1000, bx = 0, by = 0;
    for (int d = 0; d < 8; ++d) {
        for (int step = 1; step < best; ++step) {
            const int cx = x + kDirX[d] * step, cy = y + kDirY[d] * step;
            if (cx < 73 || cx > ZOOM_LAST || cy < 73 || cy > ZOOM_LAST) break;
            if (flag_at(cx, cy, TF_WATER) && is_open_water_at(cx, cy)) {
                best = step;
                bx = cx;
                by = cy;
                break;
            }
        }
    }
    if (out_x) *out_x = bx;
    if (out_y) *out_y = by;
    return best;
}

int find_nearest_land(int x, int y, int* out_x, int* out_y) {
    int best = 1000, bx = 0, by = 0;
    for (int d = 0; d < 8; ++d) {
        for (int step = 1; step <= 127; step += 2) {
            const int cx = x + kDirX[d] * step, cy = y + kDirY[d] * step;
            if (cx <= ZOOM_FIRST || cx >= 392 || cy <= ZOOM_FIRST || cy >= 392) break;
            if (flag_at(cx, cy, TF_WATER)) continue;
            const int dist = std::max(std::abs(cx - x), std::abs(cy - y));
            if (dist < best) {
                best = dist;
                bx = cx;
                by = cy;
            }
            break;
        }
    }
    if (out_x) *out_x = bx;
    if (out_y) *out_y = by;
    return best;
}

int find_islet_spot(int x, int y, int* out_x, int* out_y) {
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int cx = x + dx, cy = y + dy;
            if (terrain_at(cx, cy) != 250 || ((cover_byte_at(cx, cy) >> 3) & 7) != 1) continue;
            bool ringed = true;
            for (int k = -3; k <= 3 && ringed; ++k) {
                ringed = is_open_water_at(cx + k, cy - 3) && is_open_water_at(cx + k, cy + 3) &&
                         is_open_water_at(cx - 3, cy + k) && is_open_water_at(cx + 3, cy + k);
            }
            if (!ringed) continue;
            if (out_x) *out_x = cx;
            if (out_y) *out_y = cy;
            return 1;
        }
    }
    return 0;
}

void paste_terrain_block(int x, int y, int width, int height) {
    if (width == 0) return;
    const bool world = is_world_map();
    bool world_changed = false;
    for (int j = 0; j < 64; ++j) {
        for (int i = 0; i < 64; ++i) {
            const int cx = x + i, cy = y + j;
            if (!in_world_grid(cx, cy)) continue;
            const uint8_t code = zoom_work.terrain[j * 64 + i];
            if (world) {
                stored_world_terrain[map_index(cx, cy)] = code;
                terrain_layer[map_index(cx, cy)] = code;
                world_changed = true;
            } else {
                terrain_layer[map_index(cx, cy)] = code;
            }
        }
    }
    // The stored world goes to its file with the next save.
    if (world_changed) mark_stored_world_changed();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_PLANT_PATCH && o.TYPE != MK_DORMANT_PLANT && o.TYPE != MK_OCCUPIER_66) continue;
        if (o.x >= x && o.x < x + width && o.y >= y && o.y < y + height) free_map_object(i);
    }
    for (const MapObject& o : zoom_work.objects) {
        if (o.TYPE != MK_PLANT_PATCH && o.TYPE != MK_DORMANT_PLANT && o.TYPE != MK_OCCUPIER_66) continue;
        map_object_staging = o;
        map_object_staging.x = uint16_t(o.x + x);
        map_object_staging.y = uint16_t(o.y + y);
        insert_map_object(-1);
    }
}

int world_ice_thickness_at(int x, int y) {
    int f = weather.current.ice;
    if (f >= 0) return 0;
    const int code = stored_world_terrain_at(x, y);
    if (!(terrain_flags_of(code) & TF_WATER) || TerrainTypes[code].freezes == 0) return 0;
    const int cls = code == 176 ? 2 : 1;
    double v = f;
    if (f > -500) v *= ice_scale(cls);
    const int mm = int(std::fabs(v));
    return mm < 6 ? 0 : mm;
}

int ice_thickness_at(int x, int y) {
    const int f = weather.current.ice;
    if (f >= 0) return 0;
    const int code = terrain_at(x, y);
    if (!(terrain_flags_of(code) & TF_WATER)) return 0;
    if (is_world_map()) return world_ice_thickness_at(x, y);
    if (TerrainTypes[code].freezes == 0) {
        if (TerrainTypes[stored_world_terrain_at(world_x_of(x), world_y_of(y))].freezes == 0) return 0;
    }
    const int h = height_at(x, y);
    double v = f;
    if (f > -500 && h < 6) v *= ice_scale(h);
    const int mm = int(std::fabs(v));
    return mm < 3 ? 0 : mm;
}

int ice_holding_at(int x, int y) {
    if (!is_world_map()) {
        if (find_map_object(MK_ICE_HOLE, x, y) >= 0) return 0;
        const int hole = find_map_object(MK_REFREEZING_HOLE, x, y);
        if (hole >= 0) return Data[hole].amount;
    }
    return ice_thickness_at(x, y);
}

int ice_load_verdict(int mm, int grams, int draw) {
    const int holds = mm > 9 ? mm * 800 : mm * 100;
    if (grams < holds) return 0;
    if (grams / 2 >= holds) return 1;
    if (holds > 0.7 * grams) return draw >= 8 ? 1 : 2;
    return draw >= 7 ? 1 : 2;
}

int check_ice_breaks(int x, int y, int extra_weight, int use_world_ice) {
    const int mm = use_world_ice ? world_ice_thickness_at(x, y) : ice_holding_at(x, y);
    if (mm == 0) return 0;
    int pounds = extra_weight;
    if (pounds == 0) {
        pounds = items_weight_at(x, y);
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == MK_CREATURE && o.x == x && o.y == y && o.DATA >= 1000) pounds += cre_total_weight_lb(o.DATA - 1000);
        }
        if (x == player_x && y == player_y) pounds += player_load_lb();
    }
    const int grams = pounds * 453;
    const int holds = mm > 9 ? mm * 800 : mm * 100;
    if (debug_messages_on) {
        char text[200];
        format_text(text, sizeof text, "icebreak check %d,%d icemm: %d wt:%d holds:%d", x, y, mm, grams, holds);
        debug_message(text);
    }
    const int verdict = ice_load_verdict(mm, grams, draw_if_needed(mm, grams));
    if (verdict == 1 && debug_messages_on) debug_message("ice check - breaks");
    return verdict;
}

int check_crust_breaks(int creature, int x, int added_weight, int y) {
    const int crust = weather.current.snowtopice;
    if (crust == 0) return -1;
    if (!is_world_map() && snow_depth_at(x, y) <= 50) return -1;
    const int pounds = creature == -1 ? player_load_lb() : added_weight + cre_total_weight_lb(creature);
    const int grams = pounds * 453;
    const int holds = crust > 9 ? crust * 800 : crust * 100;
    if (debug_messages_on) {
        char text[200];
        format_text(text, sizeof text, "crust break check %d,%d icemm: %d wt:%d holds:%d", x, y, crust, grams, holds);
        debug_message(text);
    }
    // The same weighing as the ice: holding ice is a bearing crust.
    const int verdict = ice_load_verdict(crust, grams, draw_if_needed(crust, grams));
    if (verdict == 1 && debug_messages_on) debug_message("crust check - breaks");
    return verdict == 0 ? 1 : verdict == 1 ? 0 : 2;
}

int snow_depth_at(int x, int y) {
    const int snow = weather.current.snow;
    if (snow <= 0 || is_indoors_at(x, y)) return 0;
    if (flag_at(x, y, TF_WATER) && ice_thickness_at(x, y) == 0) return 0;
    if (!is_world_map() && is_world_site_at(world_x_of(x), world_y_of(y), 1)) return std::min(snow, 50);
    return snow;
}

void do_break_ice(int x, int y) {
    if (is_world_map()) return;
    char text[100];
    format_text(text, sizeof text, "do_break_ice(%d,%d)", x, y);
    debug_log("movement", text);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if ((o.TYPE == MK_REFREEZING_HOLE || o.TYPE == MK_ICE_HOLE) && o.x == x && o.y == y) free_map_object(i);
    }
    clear_staging_object();
    map_object_staging.x = uint16_t(x);
    map_object_staging.y = uint16_t(y);
    map_object_staging.TYPE = MK_ICE_HOLE;
    map_object_staging.time_stamp = Plr.total_minutes;
    insert_map_object(-1);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if ((o.TYPE == MK_FIRE || o.TYPE == MK_TRACK || o.TYPE == MK_FIRE_SITE) && o.x == x && o.y == y) free_map_object(i);
    }
    if (x == player_x && y == player_y && Plr.travel_mode != 2) {
        show_message(message_by_key("ICE_BREAKS"));
        if (!messages_suppressed) message_pause_count = 100;
        Plr.travel_mode = 2;
        plr_enter_water(x, y);
    }
    settle_items_at(x, y);
    debug_log("movement", "do_break_ice() esineet_paikkatarkistus");
    debug_log("movement", "do_break_ice() completed");
}

void mark_zoom_creatures_on_world() {
    if (!is_world_map()) return;
    for (int wy = player_y - 4; wy <= player_y + 4; ++wy) {
        for (int wx = player_x - 4; wx <= player_x + 3; ++wx) {
            if (!in_world_grid(wx, wy)) continue;
            if (wx == player_x && wy == player_y) continue;
            if (zoom_index_find(wx, wy) == 0) continue;
            if (is_world_site_at(wx, wy, 1)) continue;
            if (find_map_object(MK_WORLD_CREATURE, wx, wy) >= 0) continue;
            if (!zoom_load_stored(wx, wy)) continue;
            for (const MapObject& o : zoom_work.objects) {
                if (o.TYPE != MK_CREATURE || o.x >= 64 || o.y >= 64) continue;
                if (zoom_work.remembered[o.y * 64 + o.x] == ' ') continue;
                clear_staging_object();
                map_object_staging.x = uint16_t(wx);
                map_object_staging.y = uint16_t(wy);
                map_object_staging.TYPE = MK_WORLD_CREATURE;
                map_object_staging.DATA = o.DATA;
                map_object_staging.subkind = MAP_SUBKIND_SPENT_ENTRY;
                map_object_staging.time_stamp = Plr.total_minutes;
                insert_map_object(-1);
            }
        }
    }
}

int can_spot_world_creature(int x, int y, int index) {
    if (console_see_through) return 1;
    if (index < 0 || index >= MAP_OBJECT_COUNT) return 0;
    const int d = std::max(std::abs(x - player_x), std::abs(y - player_y));
    const int s = Plr.eye;
    if (d > s / 2 + 3) return 0;
    const int code = terrain_at(x, y);
    if ((terrain_flags_of(code) & TF_TALL) &&
        (height_at(x, y) >= height_at(player_x, player_y) || code == 15 || code == 16 || code == 228))
        return 0;
    const MapObject& o = Data[index];
    if (o.subkind == 2 && Plr.total_minutes - o.time_stamp > 30) return 0;
    if (o.DATA == 0) return 0;
    const int w = world_entry_weight(o.DATA);
    return (w >= 3 && s + w > 10 * d) ? 1 : 0;
}
