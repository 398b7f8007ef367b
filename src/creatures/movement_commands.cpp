// The player's step: whether it may be taken, what it costs, what it says,
// sounds like and carries along, and the modes that follow from where the
// player ends up.
#include "creatures/movement_commands.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "body/body_services.h"
#include "body/exertion.h"
#include "body/skills.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/player_step.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/hauling.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "society/game_course.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "ui/sound.h"
#include "work/work_services.h"

int32_t previous_x = 0;
int32_t previous_y = 0;
uint8_t last_step_result = 0;
uint8_t last_step_direction = 0;
int32_t step_facing = 0;
uint32_t step_flags = 0;
float walk_distance = 0.0f;
uint8_t on_watercraft = 0;
uint8_t paddle_state = 0;
int32_t watercraft_record = -1;
uint8_t swim_steps = 0;
uint8_t plr_noise = 0;
int32_t noise_x = 0;
int32_t noise_y = 0;
uint8_t hiding_just_started = 0;

void reset_movement_state() {
    previous_x = 0;
    previous_y = 0;
    last_step_result = 0;
    last_step_direction = 0;
    step_facing = 0;
    step_flags = 0;
    walk_distance = 0.0f;
    on_watercraft = 0;
    paddle_state = 0;
    watercraft_record = -1;
    swim_steps = 0;
    plr_noise = 0;
    noise_x = 0;
    noise_y = 0;
    hiding_just_started = 0;
    reset_water_state();
    reset_exertion_state();
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
// The middle 3 x 3 blocks of a local map; a step beyond them re-centres it.
constexpr int LOCAL_MIDDLE_FIRST = 136;
constexpr int LOCAL_MIDDLE_LAST = 327;
constexpr int DEEP_SNOW = 100;
constexpr int TERRAIN_FENCE = 42;
constexpr int TERRAIN_CLOSED_DOOR = 254;
constexpr int TERRAIN_OPEN_DOOR = 22;
constexpr int TERRAIN_CLOSED_GATE = 44;
constexpr int TERRAIN_GROUND = 250;
constexpr int TERRAIN_CAVE_FLOOR = 96;
constexpr int KIND_PUSHED_ASIDE = 418;
constexpr int KIND_SKI_STICK = 700;
constexpr int CRAFT_POLED = 820;
constexpr int CRAFT_RAFT = 821;
constexpr uint8_t SUBCLASS_SKIS = 40;
constexpr uint8_t SUBCLASS_SKI_STICK = 41;
constexpr uint8_t IN_HAND = OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;
constexpr uint32_t TF_SWIMMABLE = 0x10;

const char* const kDareNot = "!For some reason you dare not to go further.";

bool is_step_direction(int direction) {
    return direction == -1 || direction == 0 || direction == 1 || (direction >= 100 && direction <= 107);
}

bool near_world_edge(int x, int y, int m) {
    return x <= m || y <= m || x >= WORLD_W - m || y >= WORLD_H - m;
}

// A step near the world's edge stands only when it moves away from it.
bool moves_away_from_edge(int ox, int oy, int nx, int ny, int m) {
    return (nx > ox && ox <= m) || (ny > oy && oy <= m) || (nx < ox && ox >= WORLD_W - m) ||
           (ny < oy && oy >= WORLD_H - m);
}

bool outside_local_middle(int x, int y) {
    return x < LOCAL_MIDDLE_FIRST || x > LOCAL_MIDDLE_LAST || y < LOCAL_MIDDLE_FIRST || y > LOCAL_MIDDLE_LAST;
}

// The object kind code of the craft the player uses; 0 none.
int craft_kind() {
    if (!map_index_valid(watercraft_record)) return 0;
    ObjectRecord r;
    obj_record(Data[watercraft_record].DATA, r);
    return r.kind;
}

// Adds the seconds of a step to the clock without losing any at a minute's
// turn (the clock drops the seconds beyond a full minute).
void advance_step_seconds(int seconds) {
    while (seconds > 0) {
        const int room = std::max(1, 60 - clock_seconds);
        const int part = std::min(seconds, room);
        advance_seconds(part);
        seconds -= part;
    }
}

// Every item ahead of a watercraft must be one it pushes aside.
bool only_pushable_items_at(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM || o.x != x || o.y != y) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (r.kind != KIND_PUSHED_ASIDE) return false;
    }
    return true;
}
void push_aside_items_at(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE == MK_ITEM && o.x == x && o.y == y) free_map_object(i);
    }
}

// The effort of the step and the sound it makes.
struct StepEffort {
    int exertion;
    const char* sound;
};

StepEffort step_effort(int x, int y, bool level_step) {
    StepEffort e{Plr.exertion, nullptr};
    const int mode = Plr.travel_mode;
    if (mode == TRAVEL_WADING) e.exertion = 6;
    if (mode == TRAVEL_ROWING) {
        e.exertion = 4;
        const int kind = craft_kind();
        if (kind == CRAFT_POLED) e.exertion = paddle_state == 2 ? 4 : 5;
        if (kind == CRAFT_RAFT) e.exertion = paddle_state == 2 ? 6 : 7;
    }
    const int snow = snow_depth_at(x, y);
    if (Plr.running && Plr.body_state == 0) {
        e.exertion = 10;
        show_message("&You run.");
    } else if (snow >= DEEP_SNOW && mode != TRAVEL_SWIMMING) {
        const bool crust = check_crust_breaks(-1, x, 0, y) == 1;
        if (mode == TRAVEL_SKIING) {
            show_message(crust ? ":You ski with ease on snow crust." : ":You ski.");
            int grade = plr_use_skill(1, 0, "SKIING", -3);
            if (random_below(2) == 0) grade = plr_use_skill(1, 0, "SKIING", 0);
            static const int loose[4] = {5, 4, 3, 2};
            static const int firm[4] = {4, 3, 2, 2};
            const int g = std::clamp(grade, 0, 3);
            e.exertion = crust ? firm[g] : loose[g];
            e.sound = crust ? "ski_crust" : "ski";
        } else if (mode != TRAVEL_ROWING) {
            if (!crust) {
                e.exertion = cre_exertion_in_snow(-1, snow);
                e.sound = "walk_deepsnow";
            } else {
                e.sound = "walk_snowcrust";
            }
        }
    } else if (Plr.plr_sleepiness < 1500 && level_step && mode == TRAVEL_WALKING) {
        e.exertion = 2;
    }
    if (Plr.body_state == 1) e.exertion = 7;
    return e;
}

const char* step_sound(int x, int y, const char* chosen) {
    const int mode = Plr.travel_mode;
    if (mode == TRAVEL_ROWING || mode == TRAVEL_SWIMMING) return "water";
    if (mode == TRAVEL_WADING) return "wade";
    if (chosen) return chosen;
    if (Plr.running) return "run";
    if (Plr.body_state == 1) return "crawl";
    if (terrain_flags_of(terrain_at(x, y)) & TF_ROOF) return "walkinside";
    if (ground_type_at(x, y) == GROUND_MARSH) return "walk_soggy";
    return "walk";
}

// The clock moves on by the step's time.
void charge_step_time(int base, int terrain) {
    const int seconds = step_seconds(base, terrain, Plr.travel_mode, craft_kind(), paddle_state);
    if (seconds < 60) {
        advance_step_seconds(seconds);
        plr_wear_footwear(seconds, 0);
        return;
    }
    const int minutes = (seconds + 59) / 60;
    advance_minutes(minutes, 0);
    plr_wear_footwear(seconds, minutes);
}

// A craft that reaches land: the player goes ashore.
void land_watercraft() {
    show_message(":You go on shore.");
    Plr.travel_mode = TRAVEL_WALKING;
    on_watercraft = 0;
    paddle_state = 0;
    watercraft_record = -1;
    int land = 0, water = 0;
    const int wx = plr_world_x(), wy = plr_world_y();
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            if (terrain_flags_of(stored_world_terrain_at(wx + dx, wy + dy)) & TF_WATER) ++water;
            else ++land;
        }
    report_game_course_event(14);
    if (land < 15 && land < water) report_game_course_event(47);
}

// The mode the player's new cell calls for.
void mode_after_step(int x, int y) {
    switch (Plr.travel_mode) {
    case TRAVEL_ROWING:
        if (!(terrain_flags_of(terrain_at(x, y)) & TF_WATER)) land_watercraft();
        break;
    case TRAVEL_WADING:
        PLR_Lampotila();
        if (!is_open_water_at(x, y)) {
            show_message(message_by_key("OUT_OF_THE_WATER"));
            plr_set_movement_mode(TRAVEL_WALKING);
        }
        break;
    case TRAVEL_SWIMMING:
        if (!is_open_water_at(x, y) || !(terrain_flags_of(terrain_at(x, y)) & TF_SWIMMABLE)) {
            show_message(message_by_key("OUT_OF_THE_WATER"));
            plr_set_movement_mode(TRAVEL_WALKING);
        } else if (water_depth_at(x, y) <= 1) {
            show_message(message_by_key("CAN_WADE"));
            plr_set_movement_mode(TRAVEL_WADING);
        }
        break;
    default: break;
    }
}

// The ice under the player after a step on a local map.
void test_ice_underfoot(int x, int y, bool world) {
    const int verdict = check_ice_breaks(x, y, 0, 0);
    if (world) return;
    if (verdict == 2) {
        show_message("!The ice makes a cracking sound.");
    } else if (verdict == 1) {
        msg_npc = -1;
        show_message(message_by_key("ICE_BREAKS"));
        Plr.travel_mode = TRAVEL_SWIMMING;
        do_break_ice(x, y);
        rebuild_view();
        pause_prompt();
        plr_enter_water(x, y);
    }
}

void world_ambience(int x, int y) {
    next_sound_distance = uint8_t(50 + random_below(200));
    next_sound_angle = random_below(360);
    bool forest = (terrain_flags_of(terrain_at(x, y)) & TF_YOUNG_TREE) != 0;
    if (Plr.month >= 11 || Plr.month <= 2) forest = false;
    if (random_below(4) == 0) forest = false;
    bool play = random_below(30) == 0;
    if (play && (Plr.month >= 9 || Plr.month <= 4)) play = random_below(3) == 0;
    if (play) {
        if (Plr.hour >= 22 || Plr.hour <= 5) {
            if (random_below(2) == 0) play_message_sound("NIGHT LIVING");
        } else {
            play_message_sound(forest ? "FOREST LIVING" : "NATURE LIVING");
        }
    }
    next_sound_distance = 0;
    next_sound_angle = 0;
}

// What the step after a successful climb still goes through: the map's
// edge, the traps and what lies on the cell.
int after_the_move(bool world, bool near_edge) {
    if (!world && outside_local_middle(player_x, player_y)) {
        if (near_edge) {
            player_x = previous_x;
            player_y = previous_y;
            show_message(kDareNot);
        } else if (!map_change_request) {
            recentre_request = 1;
        }
    }
    if (!step_into_trap(-1, player_x, player_y) && is_in_view(player_x, player_y))
        screen_hooks.describe_location_contents(player_x, player_y, 0);
    turn_time_state = TURN_CLOCK_ADVANCED;
    view_rebuild_request = 1;
    return 1;
}

}  // namespace

int step_time_factor(int code) {
    switch (code) {
    case 249: return 720;
    case 15: return 1200;
    case 91:
    case 94:
    case 236: return 3600;
    default: return 900;
    }
}

int step_seconds(int base, int terrain_code, int travel_mode, int kind, int paddle) {
    int64_t thousandths = int64_t(base) * step_time_factor(terrain_code);
    if (travel_mode == TRAVEL_SWIMMING) thousandths *= 10;
    if (travel_mode == TRAVEL_WADING) thousandths *= 5;
    if (travel_mode == TRAVEL_ROWING) {
        if (kind == CRAFT_POLED && paddle != 2) thousandths *= 3;
        if (kind == CRAFT_RAFT) thousandths *= paddle == 2 ? 4 : 10;
    }
    return int((thousandths + 999) / 1000);
}

int step_target(int direction, int x, int y, int heading, int* tx, int* ty) {
    if (direction >= 100 && direction <= 107) {
        *tx = x + kCompassDx[direction - 100];
        *ty = y + kCompassDy[direction - 100];
        return 1;
    }
    const int f = ((heading % 8) + 8) % 8;
    *tx = x + kFacingDx[f] * direction;
    *ty = y + kFacingDy[f] * direction;
    return direction != 0;
}

int MovePlayer(int direction) {
    if (!is_step_direction(direction)) return 0;
    if (direction == 0 && plr_asleep) return 1;
    const bool world = is_world_map() != 0;
    const int ox = player_x, oy = player_y;

    // 1-3. Where the step goes.
    previous_x = ox;
    previous_y = oy;
    if (direction != 0) {
        plr_update_ski_mode();
        step_flags &= ~STEP_FLAG_UNSEEN;
    }
    const int heading = ((facing % 8) + 8) % 8;
    step_facing = heading;
    if (direction == -1) {
        step_facing = heading < 4 ? heading + 4 : heading - 4;
        step_flags |= STEP_FLAG_UNSEEN;
    }
    int nx = ox, ny = oy;
    step_target(direction, ox, oy, heading, &nx, &ny);
    if (direction >= 100 && !is_in_view(nx, ny)) step_flags |= STEP_FLAG_UNSEEN;
    {
        char line[96];
        format_text(line, sizeof line, "MovePlayer(%d) %d,%d -> %d,%d", direction, ox, oy, nx, ny);
        debug_log("movement", line);
    }

    // 4. Can the body move at all?
    const int speed = cre_movement_speed(-1);
    char line[MESSAGE_BYTES];
    if (speed < 0) {
        format_text(line, sizeof line, "!You are not able move ahead %s!", plr_penalty_wording(22));
        show_message(line);
        return -1;
    }
    if (speed < 10 && Plr.running) {
        Plr.running = 0;
        screen_hooks.refresh_status_panel();
        format_text(line, sizeof line, "!You can't run any longer %s!", plr_penalty_wording(22));
        show_message(line);
        pause_prompt();
        return -1;
    }

    // 5. The step test.
    int result = plr_check_step(ox, oy, nx, ny, direction);
    format_text(line, sizeof line, "movement result: %d", result);
    debug_log("movement", line);

    // 6. Water, and a watercraft's land ahead.
    if (result < STEP_BLOCKED && is_open_water_at(nx, ny)) {
        const int r = plr_enter_water(nx, ny);
        if (direction == 0) swim_steps = 0;
        if (r != 1) return r;
        if (direction != 0 && Plr.travel_mode == TRAVEL_SWIMMING && swim_steps < 255) ++swim_steps;
        result = STEP_FREE;
    } else if (Plr.travel_mode == TRAVEL_ROWING && !is_open_water_at(nx, ny)) {
        if (world) {
            show_message(ice_holding_at(nx, ny) > 0
                             ? "_To land your watercraft on the ice first press [ENTER] to zoom in."
                             : "_There's land ahead of you. To go on shore first press [ENTER] to zoom in.");
            return 0;
        }
        if (ice_holding_at(nx, ny) > 0 && ice_holding_at(ox, oy) > 0) {
            show_message("!The ice prevents you from rowing there.");
            return 0;
        }
    }

    // 7.
    if (debug_messages_on) {
        format_text(line, sizeof line, "ACTUAL_MOBILITY: %d", speed);
        debug_message(line);
    }

    // 8. A watercraft and what lies ahead of it.
    bool push_aside = false;
    if (Plr.travel_mode == TRAVEL_ROWING) {
        on_watercraft = 1;
        Plr.running = 0;
        Plr.hiding = 0;
        if (direction != 0) {
            if (watercraft_overloaded(ox, oy) == -1) return -1;
            if (!only_pushable_items_at(nx, ny)) {
                show_message("!There are some items on your way.");
                return -1;
            }
            push_aside = true;
        }
    } else {
        on_watercraft = 0;
    }

    // 9. Height.
    const int target = terrain_at(nx, ny);
    const int climb = cre_climb_check(-1, ox, oy, nx, ny);
    format_text(line, sizeof line, "kiipeilytarkistus: %d", climb);
    debug_log("movement", line);
    bool climbed = false;
    if (climb == CLIMB_TOO_STEEP) {
        show_message("!That's too steep to be climbed!");
        return -1;
    }
    if (climb == 2) {
        show_message("!That's quite steep. Use your CLIMBING skill to move on.");
        if (!automatic_answer("AUTO_CLIMB_ELEVATION", "Climb it?") || !do_climbing(nx, ny)) return -1;
        climbed = true;
        result = STEP_FREE;
    }

    // 10. Blocked, refused or in the way.
    if (!climbed && result >= STEP_BLOCKED) {
        format_text(line, sizeof line, "movement result 2: %d", result);
        debug_log("movement", line);
        last_step_result = 0;
        if (result == STEP_BLOCKED) {
            last_step_result = 1;
            return 0;
        }
        if (result == STEP_HELD) return -1;
        if (result != STEP_OBSTACLE) return 0;
        if (direction == 0) return target == TERRAIN_FENCE ? 1 : 0;
        if ((target == TERRAIN_CLOSED_DOOR || target == TERRAIN_CLOSED_GATE) && ini_flag_default_yes("AUTO_OPEN_DOOR")) {
            open_door(nx, ny);
            return 0;
        }
        copy_text(msg_var_text, with_indefinite_article(lower_case_copy(terrain_name(target))));
        show_message(message_by_key("MOVEMENT_OBSTACLE_AHEAD"));
        if (target != TERRAIN_FENCE) return 0;
        if (!automatic_answer("AUTO_CLIMB_FENCE", "Climb it?") || !do_climbing(nx, ny)) return 0;
        climbed = true;
    }

    // 10-12. The edges, decided before anything is spent.
    const bool near_edge = !world && near_world_edge(Plr.zoom_origin_x, Plr.zoom_origin_y, LOCAL_EDGE_MARGIN);
    if (climbed) return after_the_move(world, near_edge);

    // A look at the player's own cell moves nothing and spends nothing; only
    // the mode may change with what the cell has become.
    if (direction == 0) {
        mode_after_step(player_x, player_y);
        return 1;
    }

    if (world && near_world_edge(nx, ny, WORLD_EDGE_MARGIN)) {
        show_message(kDareNot);
        if (!moves_away_from_edge(ox, oy, nx, ny, WORLD_EDGE_MARGIN)) return 0;
    }
    if (!world && near_edge && outside_local_middle(nx, ny)) {
        show_message(kDareNot);
        return 0;
    }
    // Never off the map, whatever the margins.
    if (!in_world_grid(nx, ny) || (!world && (nx < ZOOM_FIRST || nx > ZOOM_LAST || ny < ZOOM_FIRST || ny > ZOOM_LAST))) {
        show_message(kDareNot);
        return 0;
    }

    // 11. The step itself.
    if (Plr.travel_mode == TRAVEL_HAULING) {
        // The load's drag is minutes per step; its heaviest piece sets the effort.
        const float drag = plr_hauled_weight();
        Plr.exertion = uint8_t(std::clamp(int(hauled_drag_class), 0, 255));
        if (drag < 2.0f) {
            advance_minutes(1, 0);
        } else if (!spend_time_on_task(0, int(drag), "Moving items", 0, TASK_FINE_TICKS | TASK_COMPANIONS)) {
            return -1;
        }
    }
    if (push_aside) push_aside_items_at(nx, ny);
    if (Plr.body_state == 1 && Plr.travel_mode != TRAVEL_ROWING) show_message(":You crawl.");
    last_step_result = 2;
    for (int d = 0; d < 8; ++d)
        if (kFacingDx[d] == nx - ox && kFacingDy[d] == ny - oy) last_step_direction = uint8_t(d);
    player_x = nx;
    player_y = ny;
    if (world) {
        Plr.zoom_origin_x = nx;
        Plr.zoom_origin_y = ny;
    }
    if (target == TERRAIN_GROUND) Plr.doorway_mark = 0;
    if (target == TERRAIN_OPEN_DOOR) {
        const int west = terrain_at(nx - 1, ny);
        if (west >= 97 && west <= 108) Plr.doorway_mark = 1;
    }
    const int base = world ? 100 : 2;
    walk_distance += world ? 0.1f : 0.002f;
    if (target == TERRAIN_CAVE_FLOOR) report_game_course_event(28);
    const StepEffort effort = step_effort(nx, ny, climb == 0);
    Plr.exertion = uint8_t(effort.exertion);
    Plr.LastActionBit |= LAST_ACTION_STEP;
    if (step_flags & STEP_FLAG_UNSEEN) Plr.LastActionBit |= LAST_ACTION_UNSEEN_STEP;
    charge_step_time(base, target);

    // 12. Beyond the middle of a local map the map moves with the player.
    if (!world && outside_local_middle(nx, ny) && !map_change_request) recentre_request = 1;

    // 13. Traps, and what lies on the cell.
    if (!step_into_trap(-1, nx, ny) && is_in_view(nx, ny)) screen_hooks.describe_location_contents(nx, ny, 0);

    // 14. A watercraft carries its load.
    if (on_watercraft) {
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            MapObject& o = Data[i];
            if (o.TYPE == MK_UNUSED) break;
            if ((o.TYPE != MK_ITEM && o.TYPE != MK_CARCASS) || o.x != ox || o.y != oy) continue;
            o.x = uint16_t(nx);
            o.y = uint16_t(ny);
        }
        format_text(line, sizeof line, "MoveTransport %d -> %d,%d", watercraft_record, nx, ny);
        debug_log("movement", line);
    }

    // 15. Hauled goods follow.
    if (Plr.travel_mode == TRAVEL_HAULING) {
        if (plr_move_hauled_items()) show_message(":You haul items along.");
        else plr_set_movement_mode(TRAVEL_WALKING);
    }

    // 16. The map's border, and the ice underfoot.
    rebuild_map_border();
    test_ice_underfoot(nx, ny, world);

    // 17. The modes the new cell calls for.
    mode_after_step(player_x, player_y);

    // 18. The sound of the step.
    if (!Plr.hiding) play_movement_sound(step_sound(player_x, player_y, effort.sound));

    // 19. The noise the creatures may hear.
    const int mode = Plr.travel_mode;
    uint8_t noise = Plr.running || mode == TRAVEL_SWIMMING || mode == TRAVEL_ROWING || mode == TRAVEL_WADING ? 2 : 1;
    if (Plr.hiding) noise = plr_sneak_noise();
    if (noise >= noise_level) {
        noise_level = noise;
        noise_x = player_x;
        noise_y = player_y;
    }
    plr_noise = noise;

    // 20. The world around.
    if (world) world_ambience(player_x, player_y);

    Plr.facing = uint8_t(heading);
    turn_time_state = TURN_CLOCK_ADVANCED;
    view_rebuild_request = 1;
    return 1;
}

// ------------------------------------------------------------ skis, stealth, bits

bool automatic_answer(const char* key, const char* question) {
    const char* value = ini_get_string(key, "ASK");
    if (std::strcmp(value, "YES") == 0) return true;
    if (std::strcmp(value, "ASK") == 0) return ask_yes_no(question) != 0;
    return false;
}

bool automatic_refusal(const char* key) {
    const char* value = ini_get_string(key, "ASK");
    return std::strcmp(value, "YES") != 0 && std::strcmp(value, "ASK") != 0;
}

void plr_update_ski_mode() {
    if (Plr.travel_mode == 0 || Plr.travel_mode == TRAVEL_SKIING) Plr.travel_mode = TRAVEL_WALKING;
    if (Plr.travel_mode != TRAVEL_WALKING) return;
    if (Plr.hiding && is_world_map()) Plr.hiding = 0;
    on_watercraft = 0;
    paddle_state = 0;
    bool skis = false, stick = false;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int id = Plr.plr_inv_id[slot];
        if (Plr.plr_inv_count[slot] <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (r.item_class == ITEM_TOOL && r.subclass == SUBCLASS_SKIS && r.link != 0) skis = true;
        if ((r.state_bits & IN_HAND) &&
            ((r.item_class == ITEM_TOOL && r.subclass == SUBCLASS_SKI_STICK) || r.kind == KIND_SKI_STICK))
            stick = true;
    }
    if (!skis) return;
    if (!stick) {
        show_message("_You are wearing skis, but in order to ski you need to wield a ski stick too.");
        return;
    }
    const int snow = snow_depth_at(player_x, player_y);
    if (snow >= DEEP_SNOW) Plr.travel_mode = TRAVEL_SKIING;
    else if (snow > 0) show_message(":You are wearing skis, but there's not enough snow for proper skiing.");
    else show_message(":You are wearing skis, but there's no snow to ski on.");
}

uint8_t plr_cover_count() {
    int cover = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = player_x + dx, y = player_y + dy;
            const uint32_t flags = terrain_flags_of(terrain_at(x, y));
            if (is_tree_at(x, y) || (flags & TF_OBSTACLE) || ((flags & TF_YOUNG_TREE) && !is_sapling_at(x, y))) ++cover;
        }
    char line[32];
    format_text(line, sizeof line, "nakosuoja: %d", cover);
    debug_message(line);
    return uint8_t(cover);
}

uint8_t plr_sneak_noise() {
    const int grade = plr_use_skill(1, 10 * plr_cover_count(), "STEALTH", hiding_just_started ? -1 : -2);
    hiding_just_started = 0;
    switch (grade) {
    case GRADE_FUMBLE: show_message("{crack}&You fail to sneak unnoticeably."); return 2;
    case GRADE_FAILURE: show_message("{walk}&You sneak ahead."); return 2;
    case GRADE_SUCCESS: show_message("&You sneak ahead."); return 1;
    default: show_message("&You move like a ghost."); return 0;
    }
}

void cre_set_combat_flag(int creature, int bit) {
    if (bit < 0 || bit > 7) return;
    const uint8_t mask = uint8_t(1u << bit);
    if (creature == -1) Plr.LastActionBit |= mask;
    else if (cre_slot_valid(creature)) Cre[creature].LastActionBit |= mask;
}

const char* movement_mode_text() {
    const char* word = "Not walking";
    switch (Plr.travel_mode) {
    case 0:
    case TRAVEL_WALKING: word = "Walking"; break;
    case TRAVEL_SWIMMING: word = "Swimming"; break;
    case TRAVEL_ROWING: word = "Rowing"; break;
    case TRAVEL_WADING: word = "Wading"; break;
    case TRAVEL_SKIING: word = "Skiing"; break;
    case TRAVEL_HAULING: word = "Hauling"; break;
    default: break;
    }
    if (Plr.body_state == 1 && Plr.travel_mode != TRAVEL_WADING && Plr.travel_mode != TRAVEL_SWIMMING)
        word = "laying down";
    return ring_copy(word);
}
