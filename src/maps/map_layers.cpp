// The layers of the current map and the local/world conversions.
#include "maps/map_layers.h"

#include <cstring>

#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "game/player.h"
#include "base/files.h"
#include "body/body_services.h"
#include "console/console.h"
#include "creatures/creature_services.h"
#include "objects/map_object_table.h"
#include "society/game_course.h"

uint8_t terrain_layer[MAP_CELLS];
uint8_t remembered_layer[MAP_CELLS];
uint8_t cover_layer[MAP_CELLS];
uint8_t height_layer[MAP_CELLS];
uint8_t view_layer[MAP_CELLS];
uint8_t drawn_layer[MAP_CELLS];
uint8_t view_extra_layer[MAP_CELLS];
uint8_t stored_world_terrain[MAP_CELLS];
uint8_t stored_world_remembered[MAP_CELLS];
uint8_t culture_grid[CULTURE_CELLS];
uint8_t map_kind = 1;
int32_t player_x = -1;
int32_t player_y = -1;

int is_world_map() {
    const bool world = std::strncmp(Plr.map_name, "BIGMAP", sizeof Plr.map_name) == 0;
    map_kind = world ? 1 : 2;
    return world ? 1 : 0;
}

void count_local_map_turn() {
    if (!is_world_map()) report_game_course_event(2);
}

uint8_t terrain_at(int x, int y) {
    return in_world_grid(x, y) ? terrain_layer[map_index(x, y)] : CODE_OUTSIDE;
}

uint8_t stored_world_terrain_at(int x, int y) {
    return in_world_grid(x, y) ? stored_world_terrain[map_index(x, y)] : CODE_OUTSIDE;
}

uint8_t view_layer_at(int x, int y) {
    return in_world_grid(x, y) ? view_layer[map_index(x, y)] : VIEW_UNSEEN;
}

uint8_t remembered_at(int x, int y) {
    return in_world_grid(x, y) ? remembered_layer[map_index(x, y)] : CODE_OUTSIDE;
}

void set_terrain_at(int x, int y, uint8_t code) {
    if (!in_world_grid(x, y)) return;
    if (is_world_map()) {
        set_stored_world_terrain(x, y, code);
    } else {
        terrain_layer[map_index(x, y)] = code;
    }
}

void clear_water_depth_codes() {
    if (is_world_map()) return;
    for (size_t i = 0; i < MAP_CELLS; ++i) {
        if (terrain_layer[i] == 182 || terrain_layer[i] == 183) terrain_layer[i] = 247;
    }
}

ZoomBlock zoom_block_of(int coordinate) {
    for (int k = 0; k < 5; ++k) {
        const int first = ZOOM_FIRST + ZOOM_BLOCK * k;
        if (coordinate >= first && coordinate < first + ZOOM_BLOCK) return {k - 2, first};
    }
    return {2, ZOOM_FIRST + ZOOM_BLOCK * 4};
}

int world_x_of(int x) { return is_world_map() ? x : Plr.zoom_origin_x + zoom_block_of(x).d; }
int world_y_of(int y) { return is_world_map() ? y : Plr.zoom_origin_y + zoom_block_of(y).d; }
int plr_world_x() { return world_x_of(player_x); }
int plr_world_y() { return world_y_of(player_y); }

MapRect world_cell_local_rect(int wx, int wy) {
    if (is_world_map()) return {0, 0, 0, 0};
    const int dx = wx - Plr.zoom_origin_x;
    const int dy = wy - Plr.zoom_origin_y;
    if (dx < -2 || dx > 2 || dy < -2 || dy > 2) return {0, 0, 0, 0};
    return {ZOOM_MIDDLE + ZOOM_BLOCK * dx, ZOOM_MIDDLE + ZOOM_BLOCK * dy, ZOOM_BLOCK, ZOOM_BLOCK};
}

int world_culture_at(int wx, int wy) {
    if (!in_world_grid(wx, wy)) return 0;
    return culture_grid[(wy / 32) * CULTURE_COLS + wx / 32];
}

int culture_at(int x, int y) {
    if (is_world_map()) return world_culture_at(x, y);
    return world_culture_at(world_x_of(x), world_y_of(y));
}

void set_culture_at(int x, int y, int code) {
    const int wx = is_world_map() ? x : world_x_of(x);
    const int wy = is_world_map() ? y : world_y_of(y);
    if (!in_world_grid(wx, wy)) return;
    culture_grid[(wy / 32) * CULTURE_COLS + wx / 32] = uint8_t(code);
}

void clear_cell_records(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.x != x || o.y != y) continue;
        if (o.TYPE == 4 || o.TYPE == 52 || o.TYPE == 119) continue;
        if (o.TYPE == 0 || o.TYPE == 33) continue;
        free_map_object(i);
    }
}

MapPoint random_spot_out_of_view() {
    const bool local = !is_world_map();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        int x = player_x, y = player_y;
        x += (random_below(2) == 0 ? 1 : -1) * (20 + random_below(20));
        y += (random_below(2) == 0 ? 1 : -1) * (20 + random_below(20));
        // A spot outside the map, or outside the play area of a local map,
        // is no spot at all.
        if (!in_world_grid(x, y)) continue;
        if (local && (x < ZOOM_FIRST || x > ZOOM_LAST || y < ZOOM_FIRST || y > ZOOM_LAST)) continue;
        if (terrain_flags_of(terrain_at(x, y)) & TF_OBSTACLE) continue;
        if (is_in_view(x, y)) continue;
        return {x, y};
    }
    MapPoint p{player_x + 1, player_y + 1};
    const int lo = local ? ZOOM_FIRST : 0;
    const int hi_x = local ? ZOOM_LAST : WORLD_W - 1;
    const int hi_y = local ? ZOOM_LAST : WORLD_H - 1;
    if (p.x < lo) p.x = lo;
    if (p.x > hi_x) p.x = hi_x;
    if (p.y < lo) p.y = lo;
    if (p.y > hi_y) p.y = hi_y;
    return p;
}

int is_tree_at(int x, int y) {
    if (console_treeless) return 0;
    const int code = terrain_at(x, y);
    const uint32_t flags = terrain_flags_of(code);
    if (!(flags & TF_TALL)) return 0;
    if ((flags & TF_YOUNG_TREE) && is_sapling_at(x, y)) return 0;
    return 1;
}
