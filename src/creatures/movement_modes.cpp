// Walking and running, hiding, lying down, standing still and resting, the
// movement-and-rest menu, doors and gates, facings, the entry cell of a
// local map, a led animal, the end of hauling and the arrival beside a
// creature.
#include "creatures/movement_modes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/movement_commands.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_change.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "ui/catalogue.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "work/work_services.h"

namespace {

constexpr int kFacingDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kFacingDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};
constexpr int ACTIVITY_GET_UP = 452;
constexpr int ACTIVITY_SLEEP = 455;
constexpr int ARRIVAL_TRIES = 150;

void refresh_status() { screen_hooks.refresh_status_panel(); }

void stop_running_quietly_if_prone() {
    if (Plr.body_state != 1) show_message("&You walk.");
    Plr.running = 0;
    Plr.hiding = 0;
}

// The terrain code of a door or gate at a cell, changed and told.
int change_door(int x, int y, bool open) {
    const int code = terrain_at(x, y);
    int now = code;
    const char* key = "DOOR_NOT";
    if (open) {
        switch (code) {
        case TERRAIN_DOOR_OPEN: key = "DOOR_ALR_OPEN"; break;
        case TERRAIN_GATE_OPEN: key = "GATE_ALR_OPEN"; break;
        case TERRAIN_DOOR_CLOSED: now = TERRAIN_DOOR_OPEN; key = "DO_OPEN_DOOR"; break;
        case TERRAIN_GATE_CLOSED: now = TERRAIN_GATE_OPEN; key = "DO_OPEN_GATE"; break;
        default: break;
        }
    } else {
        switch (code) {
        case TERRAIN_DOOR_OPEN: now = TERRAIN_DOOR_CLOSED; key = "DO_CLOSE_DOOR"; break;
        case TERRAIN_GATE_OPEN: now = TERRAIN_GATE_CLOSED; key = "DO_CLOSE_GATE"; break;
        case TERRAIN_DOOR_CLOSED: key = "DOOR_ALR_CLOSED"; break;
        case TERRAIN_GATE_CLOSED: key = "GATE_ALR_CLOSED"; break;
        default: break;
        }
    }
    if (now != code) set_terrain_at(x, y, uint8_t(now));
    msg_npc = -1;
    show_message(message_by_key(key));
    view_rebuild_request = 1;
    return now != code ? 1 : 0;
}

// A cell where the player may be put down on arrival.
bool can_stand_at(int x, int y) {
    if (x < ZOOM_FIRST || x > ZOOM_LAST || y < ZOOM_FIRST || y > ZOOM_LAST) return false;
    const uint32_t flags = terrain_flags_of(terrain_at(x, y));
    if (flags & (TF_OBSTACLE | TF_WATER)) return false;
    return creature_at(x, y) < 0;
}

int random_offset() {
    const int sign = random_below(2);
    const int amount = random_below(10);
    return sign == 0 ? -amount : amount;
}

}  // namespace

// ------------------------------------------------------------ walking, running, hiding

void toggle_running() {
    if (Plr.running) {
        stop_running_quietly_if_prone();
    } else {
        if (Plr.body_state == 1) cre_try_rise(-1);
        const bool walking = Plr.travel_mode == 0 || Plr.travel_mode == TRAVEL_WALKING;
        if (!walking || Plr.body_state == 1) {
            show_message(cant_while_text("run", lower_case_copy(movement_mode_text())));
        } else {
            show_message("&You run.");
            Plr.running = 1;
            Plr.hiding = 0;
        }
    }
    refresh_status();
}

void toggle_hiding() {
    if (Plr.hiding) {
        show_message(message_by_key("HIDING_STOP"));
        Plr.hiding = 0;
        refresh_status();
        return;
    }
    const int mode = Plr.travel_mode;
    if (mode == TRAVEL_SWIMMING || mode == TRAVEL_ROWING || mode == TRAVEL_HAULING) {
        show_message(cant_while_text("sneak", lower_case_copy(movement_mode_text())));
        refresh_status();
        return;
    }
    for (int slot = 0; slot < CRE_SLOTS; ++slot) {
        if (CreSlotRefs[slot] == 0 || Cre[slot].cre_class == 0) continue;
        if (cre_is_companion(slot) || cre_is_own_animal(slot)) continue;
        if (cre_can_see_point(slot, player_x, player_y)) {
            show_message(message_by_key("HIDING_CANT"));
            refresh_status();
            return;
        }
    }
    Plr.hiding = 1;
    hiding_just_started = 1;
    const char* impaired = plr_skill_impairment_wording("STEALTH");
    if (impaired[0]) show_message(impaired);
    show_message(message_by_key("HIDING_START"));
    refresh_status();
}

// ------------------------------------------------------------ doors

int open_door(int x, int y) {
    msg_npc = -1;
    if (x == 0) {
        static const char codes[] = {char(TERRAIN_DOOR_CLOSED), char(TERRAIN_GATE_CLOSED), 0};
        if (screen_hooks.choose_adjacent_square("door you wish to open", codes) == 0) return 0;
        x = target_x;
        y = target_y;
    }
    return change_door(x, y, true);
}

int close_door() {
    msg_npc = -1;
    static const char codes[] = {char(TERRAIN_DOOR_OPEN), char(TERRAIN_GATE_OPEN), 0};
    if (screen_hooks.choose_adjacent_square("door you wish to close", codes) == 0) return 0;
    return change_door(target_x, target_y, false);
}

// ------------------------------------------------------------ standing still and the menu

void stand_still(const char* command_text, const char* task_label, int flags) {
    screen_hooks.show_command_line(command_text);
    if (Plr.travel_mode == TRAVEL_SWIMMING) {
        show_message("!That's something you can not do while swimming!");
        last_step_result = 0;
        return;
    }
    Plr.exertion = 1;
    spend_time_on_task(240, 0, task_label, 0, flags);
}

void menusel_Movemode() {
    debug_log("!keydebug", "menusel_Movemode()");
    const bool prone = Plr.body_state == 1;
    menu_clear();
    if (prone) menu_add('G', "Get up (stand)");
    if (Plr.running) menu_add('W', "Walk (stop running)");
    if (Plr.hiding) menu_add('H', "Stop sneaking");
    if (!Plr.running) menu_add('R', "Run");
    if (!Plr.hiding) {
        menu_add('H', "Hide and sneak");
        menu_set_topic("STEALTH");
    }
    if (!prone) menu_add('G', "Go prone (lay down)");
    // The empty row answers the climbing key, which has no row of its own.
    menu_add('C', "");
    menu_add('-', "Stand still - wait and rest");
    if (Plr.fatigue != 0.0f) menu_add('F', "Rest until not fatigued");
    menu_add('S', "Sleep");
    const int choice = menu_run("MOVEMENT AND REST ACTIONS");
    char line[32];
    format_text(line, sizeof line, "val %d", choice);
    debug_log("!keydebug", line);
    switch (choice) {
    case 'G':
        if (prone) {
            perform_activity(ACTIVITY_GET_UP, 0, "");
        } else {
            if (Plr.travel_mode == TRAVEL_HAULING) stop_hauling(-1);
            msg_npc = -1;
            Plr.body_state = 1;
            Plr.running = 0;
            show_message(message_by_key("DO_FALL_PRONE"));
            refresh_status();
            view_rebuild_request = 1;
            last_step_result = 1;
        }
        break;
    case 'W': stop_running_quietly_if_prone(); break;
    case 'H': toggle_hiding(); break;
    case 'R': toggle_running(); break;
    case '-': stand_still("Stand still", "STANDING BY", 0x24); break;
    case 'F': stand_still("Rest until not fatigued", "STANDING BY UNTIL NOT FATIGUED", 0x6C); break;
    case 'S': perform_activity(ACTIVITY_SLEEP, 0, ""); break;
    case 'C':
        if (is_world_map()) {
            show_message(
                "!That's not allowed on the wilderness map! Press [ENTER] to zoom on the local terrain map.");
        } else {
            do_climbing(0, 0);
        }
        break;
    default: break;
    }
    debug_log("!keydebug", "menusel_Movemode() end");
}

// ------------------------------------------------------------ facings

int direction_code_between(int x1, int y1, int x2, int y2) {
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    for (int d = 0; d < 8; ++d)
        if (kFacingDx[d] == dx && kFacingDy[d] == dy) return d;
    return 0;
}

void plr_facing_toward(int x, int y) {
    facing = direction_code_between(player_x, player_y, x, y);
    Plr.facing = uint8_t(facing);
    screen_hooks.draw_movement_box();
}

void cre_face_towards(int creature, int x, int y) {
    if (!cre_slot_valid(creature) || Cre[creature].move_mode == MOVE_MODE_ASLEEP) return;
    Cre[creature].Suunta = direction_code_between(creature_x(creature), creature_y(creature), x, y);
}

int zoom_entry_x() { return zoom_entry_x_for(step_facing); }
int zoom_entry_y() { return zoom_entry_y_for(step_facing); }

int zoom_entry_x_for(int direction) {
    switch (direction) {
    case 0: case 1: case 7: return 2;
    case 2: case 6: return 31;
    case 3: case 4: case 5: return 62;
    default: return 32;
    }
}

int zoom_entry_y_for(int direction) {
    switch (direction) {
    case 0: case 4: return 31;
    case 1: case 2: case 3: return 63;
    case 5: case 6: case 7: return 1;
    default: return 32;
    }
}

// ------------------------------------------------------------ a led animal, hauling

void cre_pull_led_animal(int, int creature) {
    const int index = cre_datapos(creature);
    if (index < 0) return;
    MapObject& o = Data[index];
    if (std::max(std::abs(o.x - player_x), std::abs(o.y - player_y)) < 2) return;
    const int f = ((facing % 8) + 8) % 8;
    o.x = uint16_t(player_x - kFacingDx[f]);
    o.y = uint16_t(player_y - kFacingDy[f]);
    cre_face_towards(creature, player_x, player_y);
}

void plr_stop_hauling_if_empty() {
    if (Plr.travel_mode != TRAVEL_HAULING) return;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if ((o.TYPE == MK_ITEM || o.TYPE == MK_CARCASS) && o.state == MAP_STATE_HAULED && o.ref == MAP_REF_HAULED_BY_PLAYER)
            return;
    }
    plr_set_movement_mode(TRAVEL_WALKING);
    cre_compute_load(-1);
    refresh_status();
}

// ------------------------------------------------------------ arrival

void plr_place_near_arrival(int x, int y) {
    if (zoom_arrival_mode == 2) return;
    int best_x = player_x, best_y = player_y, best = 3;
    for (int t = 0; t < ARRIVAL_TRIES; ++t) {
        const int px = x + random_offset();
        const int py = y + random_offset();
        const int d = std::max(std::abs(px - x), std::abs(py - y));
        if (d <= best || d > 8 || !can_stand_at(px, py)) continue;
        if (!is_point_visible_from(px, py, x, y, -1)) continue;
        best = d;
        best_x = px;
        best_y = py;
    }
    player_x = best_x;
    player_y = best_y;
    plr_facing_toward(x, y);
    rebuild_view();
    const int met = creature_at(x, y);
    const int kind = met >= 0 ? creature_kind(met) : -1;
    const char* name = "creature";
    bool seen = false;
    for (int slot = 0; slot < CRE_SLOTS && kind >= 0; ++slot) {
        if (CreSlotRefs[slot] == 0 || Cre[slot].cre_class == 0 || Cre[slot].kind != kind) continue;
        name = creature_name(slot, 0);
        if (is_in_view(creature_x(slot), creature_y(slot))) seen = true;
    }
    if (seen) return;
    char line[MESSAGE_BYTES];
    format_text(line, sizeof line,
                "!You reckon the %s is somewhere up ahead, just out of sight. Move forward carefully to catch up "
                "with it.",
                lower_case_copy(name));
    show_message(line);
}
