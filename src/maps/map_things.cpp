// Objects and cursors on the map: what stands on the cells of the view
// window, drawn over the terrain row by row so that lower rows overlap
// upper ones, with the player's figure at the end of the player's row.
#include "maps/map_things.h"

#include <cstring>

#include "body/body_services.h"
#include "console/console.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_services.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "objects/object_looks.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "base/files.h"
#include "ui/gfx.h"

namespace {

constexpr int VIEW_CENTRE = 30;
constexpr uint8_t K_ITEM = 1, K_CREATURE = 4, K_PREPARED = 6, K_PREPARED2 = 7, K_FIRE = 8,
                  K_PLANT = 9, K_TRACK = 10, K_DISTANT = 11, K_MARKER = 13, K_TRAP = 27,
                  K_PLACED = 28, K_CARCASS = 52, K_PLACED66 = 66, K_REFREEZING = 93,
                  K_ICE_HOLE = 94, K_FIRE_SITE = 98, K_BLOOD = 99, K_CONSTRUCTION = 126;
constexpr int MAX_GATHERED_MARKERS = 450;
constexpr int MARKERS_CHECKED = 250;

const int kStackX[10] = {0, 3, -3, 2, -2, 4, -4, 1, -1, 0};
const int kStackY[10] = {0, -2, 1, 2, -1, 0, -3, 3, -2, 2};

// Objects of the window bucketed by row: one sweep of the table per pass.
int bucket_first[2 * 64 + 1];
int bucket_next[MAP_OBJECT_COUNT];

int cached(const char* name, int& slot) {
    if (slot == -2) slot = tile_index(name);
    return slot;
}

void draw_tile(int tile, int frame, int column, int row) {
    if (tile < 0 || column == 0 || row == 0) {
        reset_sprite_draw_state();
        return;
    }
    draw_tile_sprite(tile, frame, 0, column, row, 0);
}

void draw_copies(int tile, int frame, int copies, int column, int row, int alpha) {
    for (int c = 0; c < copies; ++c) {
        sprite_x_offset = kStackX[c];
        sprite_y_offset2 = kStackY[c];
        if (alpha < 255) sprite_state.texture_alpha = alpha;
        draw_tile(tile, frame, column, row);
    }
    sprite_x_offset = sprite_y_offset2 = 0;
}

void set_coat_tint(int type, int coat) {
    if (type != 616 && type != 618 && type != 619) return;
    const int colouring = coat & 7, d = (coat >> 3) & 7;
    static const int tints[8][3] = {{0, 0, 0},     {160, 64, 0}, {128, 0, 0},  {86, 101, 115},
                                    {255, 255, 0}, {0, 47, 76},  {110, 44, 0}, {0, 0, 0}};
    if (colouring == 0 || colouring == 7) {
        const int v = colouring == 0 ? 12 + 12 * d : 2 * d;
        sprite_state.mod_r = sprite_state.mod_g = sprite_state.mod_b = 255;
        sprite_state.shade_alpha = 255 - (v > 255 ? 255 : v);
        return;
    }
    sprite_state.mod_r = tints[colouring][0];
    sprite_state.mod_g = tints[colouring][1];
    sprite_state.mod_b = tints[colouring][2];
    sprite_state.tint_alpha = uint8_t(colouring == 4 ? 5 + 5 * d : 12 + 12 * d);
}

void draw_creature(const MapObject& o, int column, int row, bool distant) {
    // A world-map entry names a template or a record of the creature file,
    // no slot of the creature table.
    const int slot = distant ? -1000 : o.DATA - 1000;
    if (creature_altitude(slot) == -100 && !draw_debug_on) return;
    const char* key = distant ? world_entry_picture(o.DATA) : cre_avatar_name(slot);
    if (key == nullptr || key[0] == 0) return;
    const int tile = tile_index(key);
    if (tile < 0) return;
    int frame = 0;
    const int facing = distant ? 0 : creature_facing(slot) & 7;
    if (creature_altitude(slot) == 100 || (!distant && is_open_water_at(o.x, o.y))) frame = facing + 11;
    if (creature_drawn_by_size(slot)) sprite_state.scale = creature_size_scale(creature_size_value(slot));
    set_coat_tint(creature_kind(slot), creature_coat(slot));
    draw_tile(tile, frame, column, row);
    if (distant) return;
    const int body = creature_body_state(slot);
    if (body == 1 || body == 3 || body == 4) return;
    const int activity = creature_activity(slot);
    static int zzz = -2, agg = -2;
    if (activity == 8) draw_tile(cached("cur-zzz", zzz), 0, column, row);
    else if (activity == 99 || activity == 2) draw_tile(cached("cur-agg", agg), 0, column, row);
    else if (activity == 4) draw_tile(tile_flee, 0, column, row);
}

bool fireplace_cell(int x, int y) {
    const int code = terrain_at(x, y);
    return code == 4 || code == 5 || code == 41;
}

// Draws one object; false when it drew nothing that occupies the cell.
void draw_object(int i, int flag, int column, int row) {
    MapObject& o = Data[i];
    static int t_fire = -2, t_remo = -2, t_embers = -2, t_prep = -2, t_marker = -2,
               t_icehole = -2, t_blood = -2, t_traps = -2;
    switch (o.TYPE) {
    case K_ITEM: case K_PREPARED: case K_PREPARED2: {
        const char* name = object_tile_name(o.DATA);
        const int tile = name[0] ? tile_index(name) : -1;
        int alpha = 255;
        if (object_item_class(o.DATA) == 11) alpha = 60;
        draw_copies(tile, 0, o.TYPE == K_PREPARED2 ? 1 : stack_copies(o.TYPE, o.amount), column, row,
                    alpha);
        break;
    }
    case K_FIRE: {
        const float factor = fire_size_factor(i);
        const int left = o.expire_minute ? int(int64_t(o.expire_minute) - int64_t(Plr.total_minutes)) : -1;
        float scale = fire_scale_for_minutes(left);
        const bool hearth = fireplace_cell(o.x, o.y);
        if (hearth && scale > 0.5f) scale = 0.5f;
        sprite_state.scale = factor;
        draw_tile(cached("remofire", t_remo), 0, column, row);
        sprite_state.scale = scale;
        draw_tile(cached("fire", t_fire), 0, column, row);
        if (!hearth) object_mark_layer[map_index(o.x, o.y)] |= 2;
        break;
    }
    case K_PLANT: {
        if (o.day_stamp > 0 && Plr.days_played < o.day_stamp) {
            if (o.DATA == 513) break;
            sprite_state.texture_alpha = 64;
            draw_tile(cached("ter-prepsoil", t_prep), 1, column, row);
            break;
        }
        const char* name = object_tile_name(o.DATA);
        draw_copies(name[0] ? tile_index(name) : -1, 0, stack_copies(o.TYPE, o.amount), column, row, 255);
        break;
    }
    case K_TRACK: {
        const char* name = object_tile_name(o.DATA);
        draw_copies(name[0] ? tile_index(name) : -1, 0, stack_copies(o.TYPE, o.amount), column, row, 255);
        break;
    }
    case K_MARKER: {
        static const int colours[4][3] = {{200, 60, 60}, {60, 90, 152}, {60, 160, 60}, {200, 200, 60}};
        const int c = o.DATA;
        sprite_state.blend_mode = 1;
        if (c >= 2 && c <= 5) {
            sprite_state.mod_r = colours[c - 2][0];
            sprite_state.mod_g = colours[c - 2][1];
            sprite_state.mod_b = colours[c - 2][2];
        } else {
            sprite_state.mod_r = sprite_state.mod_g = sprite_state.mod_b = 255;
        }
        draw_tile(cached("cur-marker", t_marker), 0, column, row);
        break;
    }
    case K_TRAP: {
        static int lever = -2, deadf = -2, heavy = -2, pit = -2, stpit = -2, sdeadf = -2;
        int tile;
        if (o.subkind & 2) {
            const char* name = object_tile_name(o.DATA);
            tile = name[0] ? tile_index(name) : -1;
        } else {
            switch (o.DATA) {
            case 392: tile = cached("tr-lever", lever); break;
            case 394: tile = cached("tr-deadf", deadf); break;
            case 395: tile = cached("tr-heavydf", heavy); break;
            case 396: tile = cached("tr-pitcover", pit); break;
            case 397: tile = cached("tr-stpitcov", stpit); break;
            default: tile = cached("tr-sdeadf", sdeadf);
            }
        }
        draw_tile(tile, 0, column, row);
        if (o.state == 100) draw_tile(cached("cur-traps", t_traps), 0, column, row);
        break;
    }
    case K_PLACED: case K_PLACED66: {
        const char* name = object_tile_name(o.DATA);
        const int alpha = o.TYPE == K_PLACED66 ? (o.subkind == 100 ? 100 : 60) : 255;
        draw_copies(name[0] ? tile_index(name) : -1, 0, stack_copies(o.TYPE, o.amount), column, row, alpha);
        break;
    }
    case K_CARCASS: case K_CREATURE: case K_DISTANT:
        draw_creature(o, column, row, o.TYPE == K_DISTANT);
        break;
    case K_REFREEZING:
        if (flag != 128 || o.subkind >= 51) break;
        sprite_state.shade_alpha = 255 - (o.subkind >= 33 ? 230 : 4 * o.subkind + 100);
        draw_tile(cached("ter-icehole", t_icehole), 0, column, row);
        break;
    case K_ICE_HOLE:
        if (flag == 128) draw_tile(cached("ter-icehole", t_icehole), 0, column, row);
        break;
    case K_FIRE_SITE: {
        const int heat = fire_heat_at(o.x, o.y);
        if (heat >= 11) {
            float s = heat / 100.0f;
            s = s < 0.4f ? 0.4f : s > 1.0f ? 1.0f : s;
            sprite_state.scale = s;
            int a = 64 + heat + random_below(90);
            sprite_state.texture_alpha = a > 255 ? 255 : a;
            draw_tile(cached("embers", t_embers), 0, column, row);
        } else {
            sprite_state.scale = fire_size_factor(i);
            draw_tile(cached("remofire", t_remo), 0, column, row);
        }
        break;
    }
    case K_BLOOD:
        draw_tile(cached("blood", t_blood), 0, column, row);
        break;
    case K_CONSTRUCTION: {
        const char* name = TerrainTypes[o.DATA & 255].tile;
        draw_tile(name[0] ? tile_index(name) : -1, 0, column, row);
        break;
    }
    default:
        break;
    }
    reset_sprite_draw_state();
}

void draw_world_markers() {
    static int t_net = -2, t_traps = -2, t_kota = -2, t_shelter = -2, t_house = -2;
    int gathered[MAX_GATHERED_MARKERS];
    int count = 0;
    for (int i = 0; i < MARKER_COUNT && count < MAX_GATHERED_MARKERS; ++i) {
        const Marker& m = Markers[i];
        if (m.world_x == 0) continue;
        if (m.object_flags == 0 && m.structure_flags == 0) continue;
        if (view_column(m.world_x) == 0 || view_row(m.world_y) == 0) continue;
        gathered[count++] = i;
    }
    const int checked = count < MARKERS_CHECKED ? count : MARKERS_CHECKED;
    for (int n = 0; n < checked; ++n) {
        const Marker& m = Markers[gathered[n]];
        if (!in_world_grid(m.world_x, m.world_y)) continue;
        const uint8_t mark = view_layer[map_index(m.world_x, m.world_y)];
        if (mark == VIEW_UNSEEN || mark == '&') continue;
        if (terrain_at(m.world_x, m.world_y) == 81) continue;
        const int column = view_column(m.world_x), row = view_row(m.world_y);
        if (m.object_flags & MARK_NETS) draw_tile(cached("it-net", t_net), 0, column, row);
        if (m.object_flags & MARK_TRAPS) draw_tile(cached("cur-traps", t_traps), 0, column, row);
        if (m.structure_flags & MARK_KOTA) draw_tile(cached("ter-kotacamp", t_kota), 0, column, row);
        if (m.structure_flags & MARK_SHELTER) draw_tile(cached("ter-shelter", t_shelter), 0, column, row);
        if (m.structure_flags & MARK_OWN_SETTLEMENT) draw_tile(cached("ter-snghouse", t_house), 0, column, row);
    }
}

// Sorts the objects of the window into rows (kept in table order).
int bucket_rows(int first_y, int rows) {
    if (rows > int(sizeof bucket_first / sizeof bucket_first[0])) rows = sizeof bucket_first / sizeof bucket_first[0];
    int tail[2 * 64 + 1];
    for (int r = 0; r < rows; ++r) bucket_first[r] = tail[r] = -1;
    const int x0 = player_x - view_half_w, x1 = player_x + view_half_w;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED || o.TYPE == KIND_FREED) continue;
        if (o.TYPE == K_ITEM && !in_world_grid(o.x, o.y)) {
            free_map_object(i);
            continue;
        }
        const int r = int(o.y) - first_y;
        if (r < 0 || r >= rows || o.x < x0 || o.x > x1) continue;
        bucket_next[i] = -1;
        if (tail[r] < 0) bucket_first[r] = i;
        else bucket_next[tail[r]] = i;
        tail[r] = i;
    }
    return rows;
}

}  // namespace

bool keep_object_buckets = false;
bool map_objects_bucketed = false;

int stack_copies(int kind, int amount) {
    switch (kind) {
    case K_ITEM: case K_PREPARED:
        if (amount > 10) return 9;
        return amount < 1 ? 1 : amount;
    case K_PLANT: case K_PLACED66:
        if (amount > 10) return 8;
        return amount < 1 ? 1 : amount > 8 ? 8 : amount;
    case K_TRACK: {
        const int n = amount / 3;
        if (n >= 11) return 5;
        return n < 1 ? 1 : n;
    }
    default:
        return 1;
    }
}

float creature_size_scale(int size) {
    if (size < 4) return 0.4f;
    if (size <= 6) return 0.5f;
    if (size <= 12) return 0.75f;
    if (size <= 18) return 0.85f;
    if (size <= 24) return 0.9f;
    return 1.0f;
}

float fire_scale_for_minutes(int m) {
    if (m < 0) return 0.55f;
    if (m <= 15) return 0.3f;
    if (m <= 30) return 0.4f;
    if (m <= 45) return 0.45f;
    if (m < 60) return 0.5f;
    const int hours = m / 60;
    if (hours <= 8) return 0.5f + 0.05f * hours;
    if (hours == 9) return 1.0f;
    return 1.1f;
}

int fire_light_radius(int minutes_left, bool in_fireplace) {
    if (in_fireplace) return 1;
    if (minutes_left > 120) return 3;
    if (minutes_left < 30) return 1;
    return 2;
}

float fire_size_factor(int index) {
    if (index < 0 || index >= MAP_OBJECT_COUNT) return 0.4f;
    const MapObject& o = Data[index];
    long long v = 0;
    if (o.TYPE == K_FIRE) {
        const long long fuel = (long long)o.DATA - o.amount;
        v = (fuel > 0 ? fuel : 0) + ((long long)Plr.total_minutes - o.time_stamp);
    } else {
        v = o.DATA;
    }
    if (v < o.amount) v = o.amount;
    if (v >= 420) return 1.0f;
    if (v >= 360) return 0.95f;
    if (v >= 300) return 0.9f;
    if (v >= 240) return 0.8f;
    if (v >= 180) return 0.7f;
    if (v >= 120) return 0.6f;
    if (v >= 60) return 0.5f;
    return 0.4f;
}

void draw_player_figure(int mode) {
    const int facing = Plr.facing & 7;
    if (mode == 1) {
        draw_tile(tile_facedirs, facing, VIEW_CENTRE, VIEW_CENTRE);
        return;
    }
    const int tile = Plr.sex == 2 ? tile_pc_female : tile_pc_male;
    int frame = facing;
    if (Plr.body_state == 1) frame = (facing < 2 || facing > 5) ? 8 : 9;
    else if (Plr.travel_mode == 2) frame = facing + 11;
    else if (Plr.travel_mode == 4) frame = facing + 19;
    if (Plr.travel_mode == 7) draw_tile(tile_skis, facing + 1, VIEW_CENTRE, VIEW_CENTRE);
    if (player_is_hiding()) {
        sprite_state.tint_alpha = 96;
        sprite_state.mod_r = sprite_state.mod_g = sprite_state.mod_b = 20;
    }
    draw_tile(tile, frame, VIEW_CENTRE, VIEW_CENTRE);
    if (player_is_running()) draw_tile(tile_flee, 0, VIEW_CENTRE, VIEW_CENTRE);
}

void draw_map_objects(int flag) {
    const bool world = is_world_map() != 0;
    if (flag == 128 && world) return;
    for (int y = player_y - view_half_h; y <= player_y + view_half_h; ++y) {
        if (y < 0 || y >= WORLD_H) continue;
        const int x0 = player_x - view_half_w < 0 ? 0 : player_x - view_half_w;
        const int x1 = player_x + view_half_w > WORLD_W - 1 ? WORLD_W - 1 : player_x + view_half_w;
        std::memset(occupied_layer + map_index(x0, y), 0, size_t(x1 - x0 + 1));
    }
    if (world && flag == 0) draw_world_markers();
    const int first_y = player_y - view_half_h;
    // The rebuild's two passes share one sorting of the table.
    static int kept_rows = 0, kept_first_y = 0, kept_x = 0;
    int rows;
    if (keep_object_buckets && map_objects_bucketed && kept_first_y == first_y && kept_x == player_x) {
        rows = kept_rows;
    } else {
        rows = bucket_rows(first_y, 2 * view_half_h + 1);
        kept_rows = rows;
        kept_first_y = first_y;
        kept_x = player_x;
        map_objects_bucketed = keep_object_buckets;
    }
    for (int r = 0; r < rows; ++r) {
        const int y = first_y + r;
        for (int sweep = 0; sweep < 2; ++sweep) {
            for (int i = bucket_first[r]; i >= 0; i = bucket_next[i]) {
                MapObject& o = Data[i];
                const bool creature = o.TYPE == K_CREATURE;
                if (creature != (sweep == 1)) continue;
                if (flag == 128 && o.TYPE != K_REFREEZING && o.TYPE != K_ICE_HOLE) continue;
                if (!in_world_grid(o.x, o.y)) continue;
                const size_t at = map_index(o.x, o.y);
                const uint8_t mark = view_layer[at];
                if (mark == VIEW_UNSEEN) continue;
                if (terrain_layer[at] == 81 && !creature) continue;
                if (mark == '&' && !creature && o.TYPE != K_CARCASS) continue;
                if (o.TYPE == K_DISTANT && !can_spot_world_creature(o.x, o.y, i)) continue;
                object_mark_layer[at] = 0;
                if (o.TYPE != K_TRACK && o.TYPE != K_DISTANT && o.TYPE != 30 && o.TYPE != 88)
                    view_layer[at] = '!';
                if (creature && creature_is_hidden(o.DATA - 1000)) view_layer[at] = '&';
                draw_object(i, flag, view_column(o.x), view_row(o.y));
                if (o.TYPE != K_TRACK) occupied_layer[at] = 1;
                if ((o.TYPE == K_ITEM || o.TYPE == K_PREPARED) && fireplace_cell(o.x, o.y)) {
                    // The hearth's own tile hides what lies in it.
                    const int code = drawn_layer[at];
                    const char* name = TerrainTypes[code].tile;
                    if (name[0]) draw_tile(tile_index(name), 0, view_column(o.x), view_row(o.y));
                }
            }
            if (sweep == 1 && flag == 0 && y == player_y) draw_player_figure(0);
        }
    }
}
