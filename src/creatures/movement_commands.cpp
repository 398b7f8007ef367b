// Movement commands. The player's plain step on foot is built; the rest
// (doors, hiding, running, water, climbing, watercraft, hauling) is not yet:
// those note their call and give a neutral answer.
#include "creatures/movement_commands.h"

#include <cmath>

#include "base/stubs.h"
#include "console/console.h"
#include "creatures/creature_services.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "game/clock.h"
#include "game/turn_state.h"
#include "base/debug_log.h"
#include "game/player.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "base/text_ring.h"
#include "base/platform.h"

int32_t previous_x = 0;
int32_t previous_y = 0;
uint8_t last_step_result = 0;
uint8_t last_step_direction = 0;
float walk_distance = 0.0f;

void reset_movement_state() {
    previous_x = 0;
    previous_y = 0;
    last_step_result = 0;
    last_step_direction = 0;
    walk_distance = 0.0f;
}

namespace {

// Offsets of the facing codes 0..7 (0 east, counter-clockwise).
constexpr int kFacingDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kFacingDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};
// Offsets of the absolute directions 100..107 (north, clockwise).
constexpr int kCompassDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kCompassDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

constexpr int WORLD_EDGE_MARGIN = 30;
constexpr int LOCAL_EDGE_MARGIN = 35;
// A local-map step that leaves the middle 3 x 3 blocks re-centres the map.
constexpr int LOCAL_CENTRE_FIRST = 136;
constexpr int LOCAL_CENTRE_LAST = 328;

const char* const kDareNot = "!For some reason you dare not to go further.";

bool near_world_edge(int x, int y, int m) {
    return x <= m || y <= m || x >= WORLD_W - m || y >= WORLD_H - m;
}

// A step near the world's edge stands only when it moves away from it.
bool moves_away_from_edge(int ox, int oy, int nx, int ny, int m) {
    return (nx > ox && ox <= m) || (ny > oy && oy <= m) || (nx < ox && ox >= WORLD_W - m) ||
           (ny < oy && oy >= WORLD_H - m);
}

// Where the player may stand on the current map.
bool inside_current_map(bool world, int x, int y) {
    if (world) return in_world_grid(x, y);
    return x >= ZOOM_FIRST && x <= ZOOM_LAST && y >= ZOOM_FIRST && y <= ZOOM_LAST;
}

}  // namespace

double step_time_factor(int code) {
    switch (code) {
    case 249: return 0.72;
    case 15: return 1.2;
    case 91:
    case 94:
    case 236: return 3.6;
    default: return 0.9;
    }
}

int step_target(int code, int x, int y, int heading, int* tx, int* ty) {
    if (code >= 100 && code <= 107) {
        *tx = x + kCompassDx[code - 100];
        *ty = y + kCompassDy[code - 100];
        return 1;
    }
    const int f = ((heading % 8) + 8) % 8;
    *tx = x + kFacingDx[f] * code;
    *ty = y + kFacingDy[f] * code;
    return code != 0;
}

void MovePlayer(int code) {
    if (code == 0) return;  // the step test in place: nothing moves
    const bool world = is_world_map() != 0;
    const int ox = player_x, oy = player_y;
    previous_x = ox;
    previous_y = oy;
    if (plr.travel_mode == 0 || plr.travel_mode == 7) plr.travel_mode = 1;

    int nx = 0, ny = 0;
    step_target(code, ox, oy, facing, &nx, &ny);
    {
        char line[96];
        format_text(line, sizeof line, "MovePlayer(%d) %d,%d -> %d,%d", code, ox, oy, nx, ny);
        debug_log("movement", line);
    }

    // Refusals spend nothing: the turn stays free.
    last_step_result = 0;
    if (!inside_current_map(world, nx, ny)) {
        show_message(kDareNot);
        return;
    }
    const int target = terrain_at(nx, ny);
    const uint32_t flags = terrain_flags_of(target);
    if (is_open_water_at(nx, ny)) {
        // Wading and swimming belong to the water step.
        plr_enter_water(nx, ny);
        return;
    }
    if (flags & TF_OBSTACLE) {
        show_message(message_by_key("MOVEMENT_OBSTACLE_AHEAD"));
        return;
    }

    // The step itself.
    if (plr.body_state == 1) show_message(":You crawl.");
    last_step_result = 2;
    for (int d = 0; d < 8; ++d)
        if (kFacingDx[d] == nx - ox && kFacingDy[d] == ny - oy) last_step_direction = uint8_t(d);
    player_x = nx;
    player_y = ny;
    if (world) {
        plr.zoom_origin_x = nx;
        plr.zoom_origin_y = ny;
    }
    const double base = world ? 100.0 : 2.0;
    walk_distance += world ? 0.1f : 0.002f;
    if (plr.body_state == 1) plr.exertion = 7;

    // Time: the step advances the clock itself.
    const double minutes = base * step_time_factor(target) / 60.0;
    if (minutes < 1.0)
        advance_seconds(int(std::ceil(minutes * 60.0)));
    else
        advance_minutes(int(std::ceil(minutes)), 0);

    // The edges of the world.
    if (world) {
        if (near_world_edge(nx, ny, WORLD_EDGE_MARGIN)) {
            if (!moves_away_from_edge(ox, oy, nx, ny, WORLD_EDGE_MARGIN)) {
                player_x = ox;
                player_y = oy;
                plr.zoom_origin_x = ox;
                plr.zoom_origin_y = oy;
            }
            show_message(kDareNot);
        }
    } else if (player_x < LOCAL_CENTRE_FIRST || player_x > LOCAL_CENTRE_LAST ||
               player_y < LOCAL_CENTRE_FIRST || player_y > LOCAL_CENTRE_LAST) {
        if (near_world_edge(plr.zoom_origin_x, plr.zoom_origin_y, LOCAL_EDGE_MARGIN)) {
            player_x = ox;
            player_y = oy;
            show_message(kDareNot);
        } else if (!map_change_request) {
            recentre_request = 1;
        }
    }

    plr.facing = uint8_t(((facing % 8) + 8) % 8);
    turn_time_state = TURN_CLOCK_ADVANCED;
    view_rebuild_request = 1;
}
void movement_menu() { KSM_STUB("movement_menu"); }
void toggle_hiding() { KSM_STUB("toggle_hiding"); }
void toggle_walk_run() { KSM_STUB("toggle_walk_run"); }
int open_door(int, int) {
    KSM_STUB("open_door");
    return 0;
}
int close_door() {
    KSM_STUB("close_door");
    return 0;
}
void plr_enter_water(int, int) { KSM_STUB("plr_enter_water"); }

const char* movement_mode_text() {
    char* out = next_ring_text();
    const char* word = "Not walking";
    switch (plr.travel_mode) {
    case 1: word = "Walking"; break;
    case 2: word = "Swimming"; break;
    case 3: word = "Rowing"; break;
    case 4: word = "Wading"; break;
    case 7: word = "Skiing"; break;
    case 9: word = "Hauling"; break;
    default: break;
    }
    copy_text(out, TEXT_RING_BYTES, word);
    return out;
}
