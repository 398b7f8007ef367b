// Sight: rays of 40 steps from a fixed table of bit patterns, walked cell by
// cell over the current map. A ray stops at sight-blocking terrain, loses
// cells hidden behind higher ground and is limited by the per-ray sight
// table that "linedist.arr" gives for the current sight distance.
#include "maps/sight.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "game/clock.h"
#include "base/fatal.h"
#include "game/player.h"
#include "base/files.h"
#include "base/platform.h"

const uint8_t sight_ray_patterns[SIGHT_RAYS][5] = {
    {0x00, 0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x08, 0x00}, {0x00, 0x02, 0x00, 0x00, 0x00},
    {0x00, 0x40, 0x00, 0x08, 0x00}, {0x01, 0x00, 0x04, 0x00, 0x10}, {0x04, 0x00, 0x40, 0x08, 0x00},
    {0x08, 0x02, 0x01, 0x00, 0x40}, {0x08, 0x08, 0x08, 0x08, 0x08}, {0x10, 0x20, 0x40, 0x80, 0x81},
    {0x10, 0x41, 0x02, 0x08, 0x20}, {0x20, 0x82, 0x10, 0x41, 0x08}, {0x21, 0x08, 0x21, 0x08, 0x42},
    {0x21, 0x10, 0x84, 0x42, 0x11}, {0x22, 0x21, 0x11, 0x08, 0x88}, {0x22, 0x22, 0x22, 0x22, 0x22},
    {0x44, 0x44, 0x88, 0x91, 0x11}, {0x44, 0x89, 0x12, 0x24, 0x48}, {0x48, 0x92, 0x44, 0x91, 0x24},
    {0x49, 0x24, 0x89, 0x24, 0x92}, {0x49, 0x25, 0x24, 0x92, 0x49}, {0x4A, 0x49, 0x49, 0x29, 0x25},
    {0x52, 0x52, 0x92, 0x94, 0x94}, {0x52, 0x94, 0xA5, 0x4A, 0x52}, {0x54, 0xA9, 0x4A, 0x95, 0x2A},
    {0x55, 0x2A, 0x95, 0x4A, 0xA5}, {0x55, 0x54, 0xAA, 0xA9, 0x55}, {0x55, 0x55, 0x55, 0x55, 0x55},
    {0xAA, 0xAA, 0xAA, 0xAA, 0xAA}, {0xAA, 0xAB, 0x55, 0x55, 0xAA}, {0xAA, 0xD5, 0x6A, 0xB5, 0x5A},
    {0xAB, 0x5A, 0xB5, 0x6A, 0xD6}, {0xAD, 0x6B, 0x5A, 0xD6, 0xB5}, {0xAD, 0xAD, 0xAD, 0xAD, 0xAD},
    {0xB6, 0xB6, 0xDB, 0x6B, 0x6D}, {0xB6, 0xDB, 0x6E, 0xDB, 0x6D}, {0xBB, 0x6E, 0xDB, 0xB6, 0xED},
    {0xBB, 0xB7, 0x76, 0xEE, 0xDD}, {0xDD, 0xDD, 0xDD, 0xDD, 0xDD}, {0xDD, 0xEF, 0x77, 0xBB, 0xDD},
    {0xDE, 0xFB, 0xDE, 0xF7, 0xDE}, {0xEF, 0xBE, 0xFB, 0xEF, 0xDF}, {0xEF, 0xEF, 0xEF, 0xDF, 0xDF},
    {0xFB, 0xFE, 0xFF, 0xBF, 0xEF}, {0xFE, 0xFF, 0xFD, 0xFF, 0xFB}, {0xFF, 0xFD, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
};

int32_t sight_table[SIGHT_RAYS];
int32_t sight_distance = 0;
uint8_t tree_top_view = 0;
uint8_t light_grid[LIGHT_GRID_CELLS];
int32_t lights_on = 0;
int32_t settlement_sighted = 0;

namespace {

constexpr uint8_t CODE_CAVE_DARK = 96;  // unlit cave floor: seen only when lit
constexpr uint8_t MARK_SEEN = '4';
constexpr int EYE_TREE_TOP = 200;

// The numbers of "linedist.arr", read once.
bool numbers_loaded = false;
double linedist_numbers[SIGHT_RAYS];

const SightOctant kOctants[8] = {
    {+1, -1, true}, {+1, -1, false}, {-1, -1, false}, {-1, -1, true},
    {-1, +1, true}, {-1, +1, false}, {+1, +1, false}, {+1, +1, true},
};

// Whether step k (1-based) of the ray also moves along the minor axis. Past
// the 40 steps of its pattern a ray goes straight on along the major axis.
inline bool ray_bends(int ray, int k) {
    const int bit = k - 1;
    if (bit >= SIGHT_RAY_BITS) return false;
    return (sight_ray_patterns[ray][bit >> 3] >> (7 - (bit & 7))) & 1;
}

inline int cell_height(int x, int y, bool world) {
    if (!in_world_grid(x, y)) return 0;
    return world ? height_at(x, y) : height_layer[map_index(x, y)];
}

// Young trees found in one sweep of the map objects, for a batch of walks.
constexpr int SAPLING_SLOTS = 2048;
struct PlantMark {
    size_t cell;
    int index;
};
PlantMark plant_marks[SAPLING_SLOTS];
int plant_mark_count = 0;
bool batch_on = false;

}  // namespace

void sight_batch_begin() {
    plant_mark_count = 0;
    batch_on = true;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_PLANT_MARK || !in_world_grid(o.x, o.y)) continue;
        const uint8_t code = terrain_layer[map_index(o.x, o.y)];
        if (code != 10 && code != 12) continue;
        if (plant_mark_count == SAPLING_SLOTS) {
            batch_on = false;  // too many: ask the table cell by cell
            return;
        }
        plant_marks[plant_mark_count++] = PlantMark{map_index(o.x, o.y), i};
    }
    std::sort(plant_marks, plant_marks + plant_mark_count, [](const PlantMark& a, const PlantMark& b) {
        return a.cell != b.cell ? a.cell < b.cell : a.index < b.index;
    });
}

void sight_batch_end() { batch_on = false; }

int young_tree_at(int x, int y) {
    if (!in_world_grid(x, y)) return 0;
    const size_t cell = map_index(x, y);
    const uint8_t code = terrain_layer[cell];
    if (code != 10 && code != 12) return 0;
    if (!batch_on) return is_sapling_at(x, y);
    // The last plant mark of the cell decides, as in the table.
    const PlantMark* end = plant_marks + plant_mark_count;
    const PlantMark* hit = std::upper_bound(static_cast<const PlantMark*>(plant_marks), end, cell,
                                            [](size_t c, const PlantMark& m) { return c < m.cell; });
    if (hit == plant_marks || (hit - 1)->cell != cell) return 0;
    return (Data[(hit - 1)->index].subkind & PLANT_MARK_YOUNG_TREE) ? 1 : 0;
}

SightOctant sight_octant(int octant) { return kOctants[((octant % 8) + 8) % 8]; }

bool read_linedist_numbers(double out[SIGHT_RAYS], char* error, size_t error_size) {
    if (numbers_loaded) {
        std::memcpy(out, linedist_numbers, sizeof linedist_numbers);
        return true;
    }
    FILE* f = open_file_ci("linedist.arr", "rb");
    if (f == nullptr) {
        copy_text(error, error_size, "Ksm couldn't open linedist.arr");
        return false;
    }
    double numbers[SIGHT_RAYS];
    char line[64];
    int count = 0;
    bool bad = false;
    while (count < SIGHT_RAYS && read_data_line(line, sizeof line, f) != nullptr) {
        line[20] = 0;  // at most 20 characters of a line count
        char* end = nullptr;
        const double v = std::strtod(line, &end);
        if (end == line || !(v > 0.0) || !std::isfinite(v)) {
            bad = true;
            break;
        }
        numbers[count++] = v;
    }
    std::fclose(f);
    if (bad) {
        format_text(error, error_size, "linedist.arr is damaged: line %d is not a positive number",
                    count + 1);
        return false;
    }
    if (count < SIGHT_RAYS) {
        format_text(error, error_size, "linedist.arr is too short: %d of %d numbers", count,
                    SIGHT_RAYS);
        return false;
    }
    std::memcpy(linedist_numbers, numbers, sizeof numbers);
    numbers_loaded = true;
    std::memcpy(out, numbers, sizeof numbers);
    return true;
}

void forget_linedist_numbers() { numbers_loaded = false; }

void fill_sight_table(const double numbers[SIGHT_RAYS], int distance) {
    sight_distance = distance;
    for (int i = 0; i < SIGHT_RAYS; ++i) {
        const double v = std::ceil(numbers[i] * double(distance - 1));
        sight_table[i] = v < 0 ? 0 : v > SIGHT_MAX_STEPS ? SIGHT_MAX_STEPS : int32_t(v);
    }
}

void load_linedist_table(int distance) {
    double numbers[SIGHT_RAYS];
    char error[160];
    if (!read_linedist_numbers(numbers, error, sizeof error)) exit_with_message(error);
    fill_sight_table(numbers, distance);
}

int sight_distance_for_visibility(float visibility) { return sight_distance_for_light(visibility); }

int sight_height_at(int x, int y) { return cell_height(x, y, is_world_map() != 0); }

int cast_sight_ray(int ray, int x_step, int y_step, bool major_x, int from_x, int from_y,
                   int target_x, int target_y, bool unlimited, int viewer) {
    if (ray < 0 || ray >= SIGHT_RAYS) return 0;
    const bool world = is_world_map() != 0;
    const bool marking = target_x == 0;
    const bool lying = viewer == -1 && Plr.body_state == 1;
    const int h0 = cell_height(from_x, from_y, world);
    const int eye = tree_top_view ? EYE_TREE_TOP : h0;
    const int limit = sight_table[ray];
    int highest = h0, lowest = h0, rises = 0, falls = 0, since_lowest = 0;
    int x = from_x, y = from_y;
    // Each step moves one cell along the major axis: a target is passed
    // once the walk has gone farther than it on that axis.
    const int target_major = marking ? SIGHT_MAX_STEPS : major_x ? std::abs(target_x - from_x)
                                                                 : std::abs(target_y - from_y);
    for (int k = 1; k < SIGHT_MAX_STEPS && k <= target_major; ++k) {
        if (major_x) {
            x += x_step;
            if (ray_bends(ray, k)) y += y_step;
        } else {
            y += y_step;
            if (ray_bends(ray, k)) x += x_step;
        }
        const bool inside = in_world_grid(x, y);
        const size_t at = inside ? map_index(x, y) : 0;
        const int c = inside ? terrain_layer[at] : CODE_OUTSIDE;
        const int h = inside ? (world ? height_at(x, y) : height_layer[at]) : 0;
        const uint32_t flags = TerrainTypes[c].flags;

        bool visible = true, ends = false;
        if (!unlimited) {
            const bool lit = lights_on && inside && light_grid[light_index(x, y)];
            if (c == CODE_CAVE_DARK && !lit) {
                visible = false;
                ends = true;
            } else if (!lit && k > limit) {
                visible = false;
            }
        }
        if ((flags & TF_TALL) && !console_see_through && (!world || h >= eye) &&
            !young_tree_at(x, y))
            ends = true;
        if (!(flags & TF_WATER)) {
            if (h < highest && eye < highest) visible = false;
            if (lying && visible) {
                if (h > eye) {
                    visible = h > highest;
                    if ((rises >= 3 && k - 1 > 10) || (rises >= 2 && k > 10)) {
                        visible = false;
                        ends = true;
                    }
                } else if (h < eye) {
                    if (since_lowest > 3) visible = false;
                    if ((falls >= 3 && k - 1 > 10) || (falls >= 2 && k - 1 > 15)) {
                        visible = false;
                        ends = true;
                    }
                }
            }
            if (h > highest) {
                ++rises;
                highest = h;
            } else if (h < lowest) {
                lowest = h;
                ++falls;
                since_lowest = 0;
            } else {
                ++since_lowest;
            }
        }
        if (visible && inside) {
            if (marking) {
                if ((c == 239 || c == 210) && drawn_layer[at] == ' ') settlement_sighted = 1;
                view_extra_layer[at] = uint8_t(c);
                drawn_layer[at] = uint8_t(c);
                remembered_layer[at] = uint8_t(c);
                view_layer[at] = MARK_SEEN;
            } else if (x == target_x && y == target_y) {
                return 1;
            }
        }
        if (ends || !inside) break;
        if (k - 1 > view_half_w) break;
    }
    return 0;
}

void cast_sight_octant(int octant) {
    const SightOctant o = sight_octant(octant);
    for (int r = 0; r < SIGHT_RAYS; ++r)
        cast_sight_ray(r, o.x_step, o.y_step, o.major_x, player_x, player_y, 0, 0, false, -1);
}

int is_visible_in_octant(int octant, int x, int y, int tx, int ty, bool unlimited) {
    const SightOctant o = sight_octant(octant);
    // A target behind the octant's steps can't be reached by any of its rays.
    if ((tx - x) * o.x_step < 0 || (ty - y) * o.y_step < 0) return 0;
    for (int r = 0; r < SIGHT_RAYS; ++r)
        if (cast_sight_ray(r, o.x_step, o.y_step, o.major_x, x, y, tx, ty, unlimited, 0)) return 1;
    return 0;
}

int is_point_visible_from(int x, int y, int tx, int ty, int facing) {
    // No ray reaches a target farther than its walk goes, nor one past
    // every ray's limit unless the target is lit: such a target needs no
    // walk at all.
    const int d = std::max(std::abs(tx - x), std::abs(ty - y));
    if (d >= SIGHT_MAX_STEPS || d > view_half_w + 2) return 0;
    if (d > *std::max_element(sight_table, sight_table + SIGHT_RAYS) &&
        !(lights_on && in_world_grid(tx, ty) && light_grid[light_index(tx, ty)]))
        return 0;
    if (facing == -1) {
        for (int o = 0; o < 8; ++o)
            if (is_visible_in_octant(o, x, y, tx, ty, false)) return 1;
        return 0;
    }
    for (int o = facing - 2; o <= facing + 1; ++o)
        if (is_visible_in_octant(o, x, y, tx, ty, false)) return 1;
    return 0;
}

int facing_toward(int x, int y, int tx, int ty) {
    double degrees = std::atan2(double(ty - y), double(tx - x)) * 180.0 / 3.14159265358979323846;
    if (degrees < 0) degrees += 360.0;
    return direction_from_angle(degrees);
}

int can_see_point(int x, int y, int tx, int ty) {
    if (x == tx && y == ty) return 1;
    const int f = facing_toward(x, y, tx, ty);
    for (int o = f - 2; o <= f + 1; ++o)
        if (is_visible_in_octant(o, x, y, tx, ty, true)) return 1;
    return 0;
}
