// The map view drawing: sight and light for the window around the player,
// the remembered map, and the passes that draw the window into the map
// base texture (terrain, ice holes, cover, edges, tall terrain, target,
// objects and creatures, half-transparent tall terrain, weather, facing).
#include "maps/map_draw.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "body/combat_commands.h"
#include "body/fighters.h"
#include "objects/object_store.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_services.h"
#include "maps/map_things.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "objects/object_looks.h"
#include "game/clock.h"
#include "base/config.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/gfx.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "maps/map_view.h"
#include "base/text_ring.h"

uint8_t object_mark_layer[MAP_CELLS];
uint8_t occupied_layer[MAP_CELLS];
bool map_view_switched_off = false;
bool map_being_loaded = false;
uint8_t player_herb_effect = 0;
uint8_t player_sight_loss = 0;

void reset_view_state() {
    tree_top_view = 0;
    settlement_sighted = 0;
    lights_on = 0;
    std::memset(light_grid, 0, LIGHT_GRID_CELLS);
    clear_map_lights();
    target_x = 0;
    target_y = 0;
    player_herb_effect = 0;
    player_sight_loss = 0;
}

namespace {
// The hand that holds the shield (the first when none does): a shield held
// high hides that side of the view.
int player_shield_hand() {
    for (int hand = 1; hand <= 2; ++hand) {
        const int id = fighter_held_item(-1, hand);
        if (id == 0) continue;
        ObjectRecord item;
        obj_record(id, item);
        if (obj_id_is_valid(id) && obj_is_shield(item)) return hand;
    }
    return 1;
}

constexpr int VIEW_CENTRE = 30;
constexpr uint8_t CODE_FLOOR = '_', CODE_KOTA_FLOOR = '(';
constexpr int LIGHT_RADIUS_CAP = 5;

// The part of the map a rebuild touches: the window, the reach of the
// rays beyond it and the radius of the lights that shine into it.
struct Region {
    int x0, y0, x1, y1;  // inclusive, inside the grid; x0 > x1 when empty
};
Region last_region = {1, 1, 0, 0};

Region region_around(int cx, int cy, int margin) {
    Region r{cx - margin, cy - margin, cx + margin, cy + margin};
    if (r.x0 < 0) r.x0 = 0;
    if (r.y0 < 0) r.y0 = 0;
    if (r.x1 > WORLD_W - 1) r.x1 = WORLD_W - 1;
    if (r.y1 > WORLD_H - 1) r.y1 = WORLD_H - 1;
    return r;
}
bool in_region(const Region& r, int x, int y) {
    return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
}
Region current_region = {1, 1, 0, 0};
// Every cell lit since the last rebuild lies in here.
Region lit_region = {1, 1, 0, 0};
// The first rebuild clears the layers whole; later ones only what changed.
bool layers_cleared = false;

void grow(Region& r, int x, int y) {
    if (r.x0 > r.x1) {
        r = Region{x, y, x, y};
        return;
    }
    if (x < r.x0) r.x0 = x;
    if (x > r.x1) r.x1 = x;
    if (y < r.y0) r.y0 = y;
    if (y > r.y1) r.y1 = y;
}
int view_margin() { return (view_half_w > view_half_h ? view_half_w : view_half_h) + 3; }

void clear_region(const Region& r) {
    if (r.x0 > r.x1 || r.y0 > r.y1) return;
    const size_t w = size_t(r.x1 - r.x0 + 1);
    for (int y = r.y0; y <= r.y1; ++y) {
        const size_t at = map_index(r.x0, y);
        std::memset(view_layer + at, VIEW_UNSEEN, w);
        std::memset(object_mark_layer + at, 0, w);
        std::memset(light_grid + light_index(r.x0, y), 0, w);
    }
}
void copy_remembered(const Region& r) {
    if (r.x0 > r.x1 || r.y0 > r.y1) return;
    const size_t w = size_t(r.x1 - r.x0 + 1);
    for (int y = r.y0; y <= r.y1; ++y) {
        const size_t at = map_index(r.x0, y);
        std::memcpy(drawn_layer + at, remembered_layer + at, w);
    }
}

// Tiles by terrain code, looked up once and again when the name changes.
struct TileCache {
    char name[14];
    int tile;
    bool known;
};
TileCache terrain_tiles[256];
int terrain_tile(int code) {
    TileCache& c = terrain_tiles[code & 255];
    const char* name = TerrainTypes[code & 255].tile;
    if (!c.known || std::strncmp(c.name, name, sizeof c.name) != 0) {
        std::memcpy(c.name, name, sizeof c.name);
        c.tile = name[0] ? tile_index(name) : -1;
        c.known = true;
    }
    return c.tile;
}
int named_tile(const char* name, int& cache) {
    if (cache == -2) cache = tile_index(name);
    return cache;
}

bool is_floor(int code) { return code == CODE_FLOOR || code == CODE_KOTA_FLOOR; }

enum SnowLook { SNOW_NONE, SNOW_LIGHT, SNOW_THIN, SNOW_DEEP };
SnowLook snow_look(int mm) {
    if (mm < 10) return SNOW_NONE;
    if (mm <= 40) return SNOW_LIGHT;
    if (mm <= 70) return SNOW_THIN;
    return SNOW_DEEP;
}

void draw_at(int tile, int frame, int column, int row, int alpha) {
    if (tile < 0) return;
    if (alpha < 255 && alpha > 0 && alpha != 64) sprite_state.texture_alpha = alpha;
    draw_tile_sprite(tile, frame, 0, column, row, 0);
}

struct DrawContext {
    bool world;
    int snow_mm;
    int foliage_alpha;
};
DrawContext ctx;

// The cell drawer: modes 0 tall, 1 terrain, 2 cover and ice, 3 edges.
void draw_cell(int x, int y, int code_override, int alpha, int mode) {
    const int column = view_column(x), row = view_row(y);
    if (column == 0 || row == 0) return;
    if (!in_world_grid(x, y)) return;
    const size_t at = map_index(x, y);
    const int code = code_override >= 0 ? code_override : drawn_layer[at];
    const TerrainType& t = TerrainTypes[code & 255];
    const uint8_t cover = cover_layer[at];
    const int ground = (cover >> 3) & 7;
    const bool in_sight = view_layer[at] != VIEW_UNSEEN;
    const int ice = (t.flags & TF_WATER) && t.freezes ? ice_thickness_at(x, y) : 0;

    // The surface kind of the cover byte: 1 lichen, 2 moss (its low bits).
    const int surface = cover & 7;
    const bool grown_over = surface == 1 || surface == 2;
    if (mode == 1 && (grown_over || ground == 1 || ground == 2)) return;
    // A cell never seen shows nothing: not its cover, ice or slopes either.
    if ((mode == 2 || mode == 3) && code == ' ') return;
    if (mode == 2) {
        if (code == 74) return;
        if (cover == 0 && ice == 0) return;
    }
    if (mode == 3) {
        const int h = height_layer[at];
        if (h == 0 || ctx.world || (t.flags & 0x80000000u)) return;
        static int edge[3] = {-2, -2, -2};
        const int tiles3[3] = {named_tile("ter-elev1", edge[0]), named_tile("ter-elev2", edge[1]),
                               named_tile("ter-elev3", edge[2])};
        const int dx[4] = {0, -1, 1, 0}, dy[4] = {-1, 0, 0, 1}, side[4] = {3, 1, 2, 4};
        for (int n = 0; n < 4; ++n) {
            const int nx = x + dx[n], ny = y + dy[n];
            if (!in_world_grid(nx, ny)) continue;
            const int d = h - height_layer[map_index(nx, ny)];
            if (d <= 0) continue;
            const int tile = tiles3[d >= 3 ? 2 : d - 1];
            const int use = tile >= 0 ? tile : (d >= 3 ? tile_elev3 : d == 2 ? tile_elev2 : tile_elev1);
            draw_at(use, side[n], column, row, 255);
        }
        return;
    }
    if (mode == 2) {
        if (ice > 0) {
            draw_at(ctx.snow_mm > 70 ? tile_snowgnd : tile_ice, 0, column, row, 255);
            return;
        }
        if (grown_over) draw_at(tile_gcmoss, surface == 2 ? 1 : 0, column, row, 255);
        return;
    }

    SnowLook snow = ctx.world ? SNOW_NONE : snow_look(ctx.snow_mm);
    if (is_floor(code) || is_floor(t.underlay)) snow = SNOW_NONE;

    int tile = terrain_tile(code);
    int frame = 0;
    int beneath = -1;
    int leafy = -1;
    int leafy_alpha = 0;

    if (t.flags & TF_YOUNG_TREE) {
        static int spruces = -2, nd[4] = {-2, -2, -2, -2}, lf[4] = {-2, -2, -2, -2}, ndbs = -2,
                   lbs = -2;
        const bool young = (code == 10 || code == 12) && young_tree_at(x, y);
        if ((code == 12 || code == 13) && young) tile = named_tile("ter-spruces", spruces);
        int k = code == 24 ? 0 : code == 8 ? 1 : code == 10 ? 2 : -1;
        if (k >= 0) {
            const char* bare[3] = {"ter-ndalder", "ter-ndrowan", "ter-ndbirch"};
            const char* leaf[3] = {"ter-alder", "ter-rowan", "ter-birch"};
            if (k == 2 && young) {
                tile = named_tile("ter-ndbirchs", ndbs);
                leafy = named_tile("ter-birchs", lbs);
            } else {
                tile = named_tile(bare[k], nd[k]);
                leafy = named_tile(leaf[k], lf[k]);
            }
            leafy_alpha = ctx.foliage_alpha;
        }
    }

    // Neighbour rules: south, north, east, west.
    const int nx[4] = {x, x, x + 1, x - 1}, ny[4] = {y + 1, y - 1, y, y};
    for (int n = 0; n < 4; ++n) {
        const int nc = in_world_grid(nx[n], ny[n]) ? drawn_layer[map_index(nx[n], ny[n])]
                                                   : CODE_OUTSIDE;
        for (int r = 0; r < 3; ++r) {
            const NeighbourRule& rule = t.rules[n][r];
            if (rule.mode == 0) continue;
            bool hit = false;
            for (int c = 0; c < 10 && rule.codes[c]; ++c)
                if (rule.codes[c] == nc) hit = true;
            if (!hit) continue;
            frame = rule.mode;
            if (rule.result) {
                beneath = terrain_tile(rule.result);
                if (is_floor(rule.result)) snow = SNOW_NONE;
                else if (snow == SNOW_DEEP) beneath = tile_snowgnd;
            }
        }
    }

    if (mode <= 1 && frame == 0) {
        if (t.draw_kind == 1 && in_sight) frame = random_below(2);
        else if (t.draw_kind == 2 && (x + y) % 3 == 0) frame = 1;
    }

    // Tint: hallucination, water depth and open water.
    int shade = 0;
    if ((player_herb_effect & 1) && random_below(20) == 0) shade = random_below(255);
    if (t.flags & TF_WATER) {
        shade = water_cell_tint(ctx.world, in_sight, ice == 0, height_layer[at]);
        if (ice > 0) tile = snow == SNOW_DEEP ? tile_snowgnd : tile_ice;
    }

    draw_at(beneath, 0, column, row, 255);
    if (shade > 0) sprite_state.shade_alpha = 255 - shade;
    draw_at(tile, frame, column, row, alpha);
    if (!ctx.world && mode != 0 && (snow == SNOW_LIGHT || snow == SNOW_THIN)) {
        static int bits = -2, thin = -2;
        const int s = snow == SNOW_LIGHT ? named_tile("ter-snowbits", bits) : named_tile("ter-snowthin", thin);
        draw_at(s, (x + y) % 3 == 0 ? 1 : 0, column, row, 255);
    }
    if (leafy >= 0 && leafy_alpha > 0) draw_at(leafy, frame, column, row, leafy_alpha);
    reset_sprite_draw_state();
}

template <typename F>
void for_window(bool to_edge, F f) {
    for (int row = VIEW_CENTRE - view_half_h; row <= VIEW_CENTRE + view_half_h; ++row) {
        const int y = player_y + row - VIEW_CENTRE;
        if (y <= 0 || y >= WORLD_H) continue;
        for (int col = VIEW_CENTRE - view_half_w; col <= VIEW_CENTRE + view_half_w; ++col) {
            const int x = player_x + col - VIEW_CENTRE;
            if (x <= 0 || x > WORLD_W - 1 || (!to_edge && x >= WORLD_W - 1)) continue;
            f(x, y);
        }
    }
}

void terrain_pass() {
    for_window(false, [](int x, int y) {
        const int code = drawn_layer[map_index(x, y)];
        const TerrainType& t = TerrainTypes[code];
        if (t.underlay) draw_cell(x, y, t.underlay, 64, 1);
        else draw_cell(x, y, -1, int(t.draw_flags), 1);
    });
}

void tall_pass_first() {
    for_window(false, [](int x, int y) {
        const size_t at = map_index(x, y);
        if (object_mark_layer[at] & 2) return;
        int code = drawn_layer[at];
        if ((player_herb_effect & 1) && view_layer[at] != VIEW_UNSEEN && random_below(10) == 0)
            code = terrain_at(x + random_below(3) - 1, y + random_below(3) - 1);
        if (TerrainTypes[code].underlay == 0) return;
        if (TerrainTypes[code].flags & 0x80000000u) return;  // marked not to be drawn tall
        draw_cell(x, y, code, int(TerrainTypes[code].draw_flags), 0);
    });
}

void tall_pass_second() {
    for_window(false, [](int x, int y) {
        const size_t at = map_index(x, y);
        const int code = drawn_layer[at];
        const TerrainType& t = TerrainTypes[code];
        if (t.underlay == 0 || t.draw_class < 1 || t.draw_class > 3) return;
        const bool player_here = x == player_x && y == player_y;
        const bool held = occupied_layer[at] != 0;
        if (t.draw_class == 1) {
            // Drawn again over what stands just above it, half transparent
            // there so that it shows through; never over the cell's own
            // object or the player.
            if (player_here || held) return;
            const bool above = (y > 0 && occupied_layer[map_index(x, y - 1)]) ||
                               (x == player_x && y - 1 == player_y);
            draw_cell(x, y, code, above ? 128 : 255, 0);
        } else if (t.draw_class == 2) {
            draw_cell(x, y, code, 128, 0);
        } else {
            draw_cell(x, y, code, 255, 0);
        }
    });
    sprite_state.texture_alpha = 255;
}

void weather_pass() {
    const WeatherRecord& w = weather.current;
    if (w.rain == 0 || w.raintype == 0) return;
    const int kind = w.raintype == 1 ? 1 : 2;
    for_window(true, [&](int x, int y) {
        const size_t at = map_index(x, y);
        if (drawn_layer[at] == ' ' || view_layer[at] == VIEW_UNSEEN) return;
        if (TerrainTypes[view_extra_layer[at]].flags & TF_ROOF) return;
        draw_precipitation(view_column(x), view_row(y), kind, w.rain);
    });
}

void register_light(int x, int y, int r) {
    if (x == 0) return;  // x = 0 ends the list
    for (MapLight& l : map_lights) {
        // The clock lights the sources again each minute: once is enough.
        if (l.x == x && l.y == y && l.radius == r) return;
        if (l.x != 0) continue;
        l = MapLight{x, y, r, is_in_view(x, y) != 0};
        return;
    }
}

// One burning step of one light item; true when it burnt out. The fuel
// goes to an instance of that one item (object_id follows it).
bool burn_light_item(int& object_id) {
    if (random_below(4) == 0) return false;
    const int fuel = light_item_fuel(object_id);
    if (fuel <= 1) {
        char text[160];
        format_text(text, sizeof text, "+%s has burnt out.", obj_name(object_id, 1, 0));
        show_message(text);
        object_id = set_light_item_fuel(object_id, 0);
        return true;
    }
    object_id = set_light_item_fuel(object_id, fuel - 1);
    if (fuel - 1 < 20 && random_below(3) == 0) {
        char text[160];
        format_text(text, sizeof text, "+Light of the %s is fading.", obj_name(object_id, 1, 0));
        show_message(text);
    }
    return false;
}

}  // namespace

int view_column(int x) {
    const int d = x - player_x;
    return (d < -view_half_w || d > view_half_w) ? 0 : d + VIEW_CENTRE;
}
int view_row(int y) {
    const int d = y - player_y;
    return (d < -view_half_h || d > view_half_h) ? 0 : d + VIEW_CENTRE;
}

int water_height_tint(int h) {
    if (h >= 36) return 3 * h > 255 ? 255 : 3 * h;
    if (h >= 26) return int(2.5 * h);
    if (h >= 16) return 2 * h;
    return 0;
}

int water_cell_tint(bool world_map, bool in_sight, bool open_water, int h) {
    // Open water in sight on a local map shows its depth; everywhere else
    // (the world map, and local water out of sight) the height tint.
    if (!world_map && in_sight && open_water) return open_water_tint(h);
    return water_height_tint(h);
}

int open_water_tint(int h) {
    if (h < 3) return 0;
    if (h >= 8) return 70;
    static const int tints[5] = {10, 25, 40, 55, 70};
    return tints[h - 3];
}

int light_shape_contains(int r, int dx, int dy) {
    if (r > LIGHT_RADIUS_CAP) r = LIGHT_RADIUS_CAP;
    const int ax = std::abs(dx), ay = std::abs(dy);
    if (ax > r || ay > r) return 0;
    if (r <= 1) return 1;
    static const int cut[6] = {0, 0, 2, 2, 3, 4};
    const int d = cut[r];
    if (ay >= d && ax >= r - std::abs(d - ay)) return 0;
    return 1;
}

void light_circle(int x, int y, int r, bool register_it) {
    if (r > LIGHT_RADIUS_CAP) r = LIGHT_RADIUS_CAP;
    if (r < 0) r = 0;
    if (register_it) register_light(x, y, r);
    // Only cells that the view's rays can reach matter.
    const Region reg = region_around(player_x, player_y, view_margin());
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            const int cx = x + dx, cy = y + dy;
            if (!in_region(reg, cx, cy)) continue;
            if (!light_shape_contains(r, dx, dy)) continue;
            if (can_see_point(x, y, cx, cy)) {
                light_grid[light_index(cx, cy)] = 1;
                grow(lit_region, cx, cy);
            }
        }
    }
    lights_on = 1;
}

void update_light_sources(int burn) {
    const bool world = is_world_map() != 0;
    const Region reg = region_around(player_x, player_y, view_margin());
    auto near = [&](int x, int y) {
        return x >= reg.x0 - LIGHT_RADIUS_CAP && x <= reg.x1 + LIGHT_RADIUS_CAP &&
               y >= reg.y0 - LIGHT_RADIUS_CAP && y <= reg.y1 + LIGHT_RADIUS_CAP;
    };
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (id == 0) continue;
        const int radius = lit_light_radius(id);
        if (radius <= 0) continue;
        if (burn == 0) {
            light_circle(player_x, player_y, world ? 1 : radius, true);
            continue;
        }
        // Each lit item burns by itself: one of a stack moves to a slot
        // of its own when there is one (else the stack burns as one).
        if (Plr.plr_inv_count[s] > 1) {
            for (int t = 0; t < PLR_INV_SLOTS; ++t) {
                if (Plr.plr_inv_id[t] != 0) continue;
                Plr.plr_inv_id[t] = id;
                Plr.plr_inv_count[t] = Plr.plr_inv_count[s] - 1;
                Plr.plr_inv_count[s] = 1;
                break;
            }
        }
        int burning = id;
        const bool spent = burn_light_item(burning);
        Plr.plr_inv_id[s] = burning;
        if (spent) {
            if (Plr.plr_inv_count[s] > 1) {
                --Plr.plr_inv_count[s];
            } else {
                Plr.plr_inv_id[s] = 0;
                Plr.plr_inv_count[s] = 0;
            }
            cre_compute_load(-1);
        }
    }
    if (world) return;
    if (burn == 0) {
        const int x0 = std::max(ZOOM_FIRST, reg.x0 - 4), x1 = std::min(ZOOM_LAST, reg.x1 + 4);
        const int y0 = std::max(ZOOM_FIRST, reg.y0 - 4), y1 = std::min(ZOOM_LAST, reg.y1 + 4);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (terrain_layer[map_index(x, y)] == 58) light_circle(x, y, 4, false);
    }
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED || o.TYPE == KIND_FREED) continue;
        if (o.TYPE == 1) {
            const int radius = lit_light_radius(o.DATA);
            if (radius <= 0) continue;
            if (burn != 0) {
                // One item of a stack burns in a record of its own (with no
                // free record the stack burns as one, and loses one item when
                // it burns out).
                if (o.amount > 1) split_map_object(i, o.amount - 1);
                int burning = o.DATA;
                if (burn_light_item(burning)) decrement_map_object(i);
                else o.DATA = burning;
            } else if (near(o.x, o.y)) {
                light_circle(o.x, o.y, radius, true);
            }
        } else if (burn == 0 && o.TYPE == 4) {
            if (!near(o.x, o.y) || !in_world_grid(o.x, o.y)) continue;
            if (light_grid[light_index(o.x, o.y)]) continue;
            if (cre_is_human(o.DATA - 1000)) light_circle(o.x, o.y, 1, false);
        } else if (burn == 0 && o.TYPE == 8) {
            if (!near(o.x, o.y)) continue;
            const int code = terrain_at(o.x, o.y);
            const bool fireplace = code == 4 || code == 5;
            const int left = int(int64_t(o.expire_minute) - int64_t(Plr.total_minutes));
            light_circle(o.x, o.y, fire_light_radius(left, fireplace), true);
        }
    }
}

int view_octants(int facing, int sight_loss, int shield_stance, int shield_hand, int out[4]) {
    bool keep[4] = {true, true, true, true};  // f - 2, f - 1, f, f + 1
    if (sight_loss & 1) keep[0] = false;
    if (sight_loss & 2) keep[3] = false;
    if ((shield_stance & 5) == 5) {
        if (shield_hand == 1) keep[0] = keep[1] = false;
        if (shield_hand == 2) keep[2] = keep[3] = false;
    }
    int n = 0;
    for (int i = 0; i < 4; ++i)
        if (keep[i]) out[n++] = (((facing - 2 + i) % 8) + 8) % 8;
    return n;
}

void rebuild_view() {
    const bool world = is_world_map() != 0;
    settlement_sighted = 0;
    if (!layers_cleared) {
        std::memset(view_layer, VIEW_UNSEEN, MAP_CELLS);
        std::memset(object_mark_layer, 0, MAP_CELLS);
        std::memset(light_grid, 0, LIGHT_GRID_CELLS);
        layers_cleared = true;
    }
    clear_region(last_region);
    clear_region(lit_region);
    lit_region = Region{1, 1, 0, 0};
    current_region = region_around(player_x, player_y, view_margin());
    clear_region(current_region);
    copy_remembered(current_region);
    last_region = current_region;
    lights_on = 0;
    clear_map_lights();

    sight_batch_begin();
    update_light_sources(0);

    int octants[4];
    // A hurt right eye (bit 1) loses the far right octant, a left eye (bit 2)
    // the left one: the same bits.
    player_sight_loss = Plr.eye_injury & 3;
    const int n = view_octants(Plr.facing, player_sight_loss, Plr.shield_stance, player_shield_hand(), octants);
    for (int i = 0; i < n; ++i) cast_sight_octant(octants[i]);

    if (in_world_grid(player_x, player_y)) {
        const size_t at = map_index(player_x, player_y);
        const uint8_t code = terrain_layer[at];
        drawn_layer[at] = remembered_layer[at] = view_extra_layer[at] = code;
        view_layer[at] = 'C';
    }
    // The glows are laid around the player, brighter where the light is seen.
    map_view_centre_x = player_x;
    map_view_centre_y = player_y;
    for (MapLight& l : map_lights)
        if (l.x != 0) l.in_view = is_in_view(l.x, l.y) != 0;
    if (map_view_switched_off || map_being_loaded) {
        sight_batch_end();
        return;
    }

    map_lighting_on = map_lighting != 0;
    night_tint_r = tint_r;
    night_tint_g = tint_g;
    night_tint_b = tint_b;

    if (game_renderer != nullptr && map_base_texture != nullptr) {
        ctx.world = world;
        ctx.snow_mm = world ? 0 : weather.current.snow;
        const int f = foliage_percent();
        ctx.foliage_alpha = int(std::ceil(f / 100.0 * 255.0));
        if (ctx.foliage_alpha > 255) ctx.foliage_alpha = 255;

        // The present at the end composes the view anew.
        begin_map_base_redraw(map_view_composed_at_present());
        clear_shown_map_texture();
        // All passes draw into the base texture: keep it the target meanwhile.
        SDL_Texture* old_target = SDL_GetRenderTarget(game_renderer);
        SDL_SetRenderTarget(game_renderer, map_base_texture);
        terrain_pass();
        keep_object_buckets = true;
        map_objects_bucketed = false;
        draw_map_objects(128);
        for_window(true, [](int x, int y) { draw_cell(x, y, -1, 255, 2); });
        for_window(true, [](int x, int y) { draw_cell(x, y, -1, 255, 3); });
        tall_pass_first();
        draw_target_mark();
        draw_map_objects(0);
        keep_object_buckets = false;
        map_objects_bucketed = false;
        if (!world) tall_pass_second();
        weather_pass();
        draw_player_figure(1);
        SDL_SetRenderTarget(game_renderer, old_target);
        map_texture_current = false;
        end_map_base_redraw();
        present_screen();
    }
    sight_batch_end();

    if (settlement_sighted) {
        show_message(":As you explore the wilderness a settlement comes into view up ahead!");
        if (!messages_suppressed) {
            message_pause_count = 100;
            pause_prompt();
            message_pause_count = 0;
        }
    }
}

// The cursor of a place being chosen; once the choice is made the map
// shows no mark of it.
void draw_target_mark() {
    if (!targeting_active || target_cursor_x == 0) return;
    const int column = view_column(target_cursor_x), row = view_row(target_cursor_y);
    if (column == 0 || row == 0) return;
    draw_tile_sprite(tile_locsel, 0, 0, column, row, 0);
}

int terrain_within_radius(int x, int y, int code, int r) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (terrain_at(x + dx, y + dy) == code) return 1;
    return 0;
}

int foliage_percent_for(int month, int day) {
    int p = 0;
    switch (month) {
    case 4: p = day / 2; break;
    case 5: p = day + 15; break;
    case 6: p = day + 45; break;
    case 7: p = day + 75; break;
    case 8: p = 100 - day; break;
    case 9: p = 70 - 3 * day; break;
    default: p = 0;
    }
    return p < 0 ? 0 : p > 100 ? 100 : p;
}

int foliage_percent() { return foliage_percent_for(Plr.month, Plr.day); }

int ground_diggable_at(int x, int y) {
    const int g = ground_type_at(x, y);
    if (g == 1 || g == GROUND_MARSH) return -1;
    if (g == 2) return 0;
    return 1;
}

void cell_description_text(int x, int y, char* out, size_t out_size) {
    if (out == nullptr || out_size == 0) return;
    const int code = terrain_at(x, y);
    const bool world = is_world_map() != 0;
    int ice = ice_thickness_at(x, y);
    if (!world && ice > 0 && find_map_object(94, x, y) >= 0) ice = 0;  // an open hole
    char name[160];
    copy_text(name, sizeof name, ice > 0 ? "Ice" : terrain_name(code));
    const int cover = cover_byte_at(x, y);
    const int ground = ground_type_at(x, y);
    // The parts after the name: the ground, then the snow.
    const char* parts[3] = {nullptr, nullptr, nullptr};
    int count = 0;
    char grown[200];
    if (code == 250) {
        const int surface = cover & 7;
        const char* prefix = surface == 1 ? "Lichen covered " : surface == 2 ? "Moss covered " : "";
        format_text(grown, sizeof grown, "%s%s", prefix, name);
        copy_text(name, sizeof name, grown);
        const char* g = ground == 1 ? "Base rock" : ground == 2 ? "Crag" : ground == GROUND_MARSH ? "Marshland" : "";
        if (g[0]) parts[count++] = g;
    }
    char snow_words[120] = "";
    const int snow = snow_depth_at(x, y);
    if (code == 250 && ice == 0 && snow >= 10 && std::strstr(name, "[skip snow]") == nullptr) {
        copy_text(snow_words, sizeof snow_words, snow_depth_words(snow));
        const int crust = weather.current.snowtopice;
        if (crust >= 10 && (world || snow > 50)) {
            const char* c = snow_crust_words(crust);
            if (c[0]) {
                append_text(snow_words, sizeof snow_words, " ");
                append_text(snow_words, sizeof snow_words, c);
            }
        }
        if (snow_words[0]) parts[count++] = snow_words;
    }
    char text[400];
    copy_text(text, sizeof text, name);
    for (int i = 0; i < count; ++i) {
        append_text(text, sizeof text, i == 0 ? " with " : ", and ");
        append_text(text, sizeof text, parts[i]);
    }
    copy_text(out, out_size, text);
}
