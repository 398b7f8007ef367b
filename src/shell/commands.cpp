// The player's key commands: the turn's preparation, the key and the
// fixed chain of tests that hands it to the service that owns the action.
#include "shell/commands.h"
#include "maps/local_store.h"
#include "shell/game_start.h"
#include "shell/ending.h"

#include <cmath>
#include <cstring>

#include "body/combat_commands.h"
#include "body/skills.h"
#include "console/console.h"
#include "creatures/movement_commands.h"
#include "screens/far_look.h"
#include "creatures/creature_names.h"
#include "maps/known_map.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "screens/map_panel.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/item_commands.h"
#include "game/clock.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "shell/profile.h"
#include "screens/skills_screen.h"
#include "game/spend_time.h"
#include "society/quest_commands.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/controller.h"
#include "ui/encyclopedia.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "ui/gfx.h"
#include "screens/help_menu.h"
#include "screens/info_screens.h"
#include "ui/input.h"
#include "screens/key_help.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "ui/prompts.h"
#include "screens/side_panel.h"
#include "base/tag_text.h"
#include "screens/targets.h"
#include "work/work_services.h"

SDL_TimerID idle_timer_id = 0;
uint8_t idle_timer_running = 0;

CommandTraceEntry command_trace[COMMAND_TRACE_SLOTS];
int command_trace_count = 0;

// ------------------------------------------------------------ trace

void clear_command_trace() {
    std::memset(command_trace, 0, sizeof command_trace);
    command_trace_count = 0;
}

bool command_trace_has(const char* service, int32_t value) {
    int n = command_trace_count < COMMAND_TRACE_SLOTS ? command_trace_count : COMMAND_TRACE_SLOTS;
    for (int i = 0; i < n; ++i)
        if (std::strcmp(command_trace[i].service, service) == 0 &&
            (value == INT32_MIN || command_trace[i].value == value))
            return true;
    return false;
}

namespace {

// Notes the service a command hands over to.
void reach(const char* service, int32_t value = 0) {
    if (command_trace_count < COMMAND_TRACE_SLOTS) {
        CommandTraceEntry& e = command_trace[command_trace_count];
        copy_text(e.service, service);
        e.value = value;
    }
    ++command_trace_count;
    char line[96];
    format_text(line, sizeof line, "command -> %s %d", service, int(value));
    debug_log("keydebug", line);
}

void label(const char* text) { show_command_line(text); }

void activity(int code) {
    reach("perform_activity", code);
    perform_activity(code, 0, "");
}

void rebuild_view_now() {
    if (game_services.rebuild_view)
        game_services.rebuild_view();
    else
        view_rebuild_request = 1;
}

// A page drawn over the game screen hides the map view while it is up; the
// map comes back with the snapshot.
int map_state_under_page = 0;
void take_snapshot() {
    take_screen_snapshot();
    map_state_under_page = map_view_state;
    map_view_state = 0;
}
void back_from_snapshot() {
    map_view_state = map_state_under_page;
    restore_screen_snapshot();
}

bool ctrl_held() { return (last_modifiers & KMOD_CTRL) != 0; }

}  // namespace

// ------------------------------------------------------------ streams

namespace {
constexpr int TRACKED_STREAMS = 64;
FILE* tracked_streams[TRACKED_STREAMS];
}  // namespace

void register_game_stream(FILE* stream) {
    if (!stream || stream == stdin || stream == stdout || stream == stderr) return;
    for (FILE*& s : tracked_streams)
        if (!s) {
            s = stream;
            return;
        }
}

void release_game_stream(FILE* stream) {
    for (FILE*& s : tracked_streams)
        if (s == stream) s = nullptr;
}

int close_stray_streams() {
    int closed = 0;
    for (FILE*& s : tracked_streams)
        if (s) {
            std::fclose(s);
            s = nullptr;
            ++closed;
        }
    return closed;
}

// ------------------------------------------------------------ preparation

namespace {
int course_command_count = 0;
}

int prepare_command_turn() {
    turn_time_state = TURN_NO_TIME;
    if (quit_state != -1) map_view_state = 1;
    no_flush = false;
    present_hold = false;

    // The view from a tree top ends once the player is off the tree.
    if (raised_view_on) {
        if (is_world_map() || !(terrain_flags_of(terrain_at(player_x, player_y)) & TF_YOUNG_TREE))
            raised_view_on = 0;
    }

    combat_reference = -1;
    plr.exertion = 2;
    if (plr.travel_mode == 2) plr_enter_water(player_x, player_y);

    plr.turn_mark = 0;
    compact_map_objects();
    if (purge_requested) {
        purge_map_objects();
        compact_map_objects();
        purge_requested = 0;
    }

    if (quit_state == -1) return 0;

    if (console_view_switch) raised_view_on = 1;

    draw_season_box();
    plr.noise_mark = 0;
    game_course_event_check();

    if (plr.course_task >= 0 && (course_task_state == -1 || course_task_state == 1)) {
        if (++course_command_count >= 4) {
            game_course_screen();
            if (course_task_state == -1) course_task_state = 0;
            course_command_count = 0;
        }
    }

    message_end_position = {0, 0};

    if (plr.scenario > 0) {
        // The start-up scenario kit runs once, before the first key.
        reach("run_start_scenario", plr.scenario);
        run_start_scenario();
        plr.scenario = 0;
        cre_compute_load(-1);
        refresh_status_panel();
        return 1;
    }

    message_pause_count = 0;
    close_tekodata();
    int closed = close_stray_streams();
    if (closed > 0) {
        char line[64];
        format_text(line, sizeof line, "!Warning! %d streams closed!", closed);
        show_message(line);
    }

    if (console_object_count) {
        char line[40];
        format_text(line, sizeof line, "%d / %d", count_object_instances(), 49900);
        draw_key_caption(0, 0, line);
        present_screen();
    }

    if (obj_table_nearly_full) object_maintenance();

    show_repeat_line(0);
    show_command_line("");
    fire_burn_mark = 0;

    if (idle_animation) {
        if (!idle_timer_running && SDL_WasInit(SDL_INIT_TIMER)) {
            if (idle_timer_id) SDL_RemoveTimer(idle_timer_id);
            idle_timer_id = SDL_AddTimer(333, idle_timer_callback, nullptr);
            idle_timer_running = idle_timer_id != 0;
        }
        idle_wake = 1;
    } else if (idle_timer_running) {
        SDL_RemoveTimer(idle_timer_id);
        idle_timer_id = 0;
        idle_timer_running = 0;
    }
    return -1;
}

// ------------------------------------------------------------ one command

int player_command() { return run_player_command(); }

int run_player_command() {
    int r = prepare_command_turn();
    if (r >= 0) return r;

    bool repeat = throttle_key_repeat() > 0;
    int key = menu_read_key();
    // A closed window (or a used-up key script) asks to quit.
    if (key == KEY_WINDOW_CLOSED && window_close_requested()) key = 'Q';
    if (key == KEY_IDLE_WAKE) {
        rebuild_view_now();
        key = 0;
    }
    if (idle_animation) idle_wake = 0;

    if (mouse_flag && key == KEY_ENTER) {
        show_message("The game is controlled mainly by keyboard commands.");
        show_message("=Press [ESC] or [?] to see list of commands.");
        key = 0;
    }

    remove_file("itemuse.deb");
    object_turn_flag = 0;
    return run_command_key(key, repeat);
}

// ------------------------------------------------------------ zoom

float next_map_zoom(float zoom, int key) {
    constexpr float eps = 0.001f;
    switch (key) {
    case KEY_CTRL_0:
        return std::fabs(zoom - 1.0f) < eps ? 0.5f : 1.0f;
    case KEY_CTRL_PLUS:
        if (std::fabs(zoom - 0.5f) < eps) return 0.63f;
        zoom += 0.185f;
        if (zoom >= 1.0f - eps) zoom = 1.0f;
        return zoom;
    case KEY_CTRL_MINUS:
        zoom -= 0.185f;
        if (zoom <= 0.5f + eps) zoom = 0.5f;
        return zoom;
    default:
        return zoom;
    }
}

static void map_zoom_key(int key) {
    float z = next_map_zoom(map_view.zoom, key);
    if ((key == KEY_CTRL_PLUS && z == 1.0f) || (key == KEY_CTRL_MINUS && z == 0.5f)) {
        if (SDL_WasInit(SDL_INIT_EVENTS)) SDL_FlushEvent(SDL_MOUSEWHEEL);
    }
    reach("set_map_view_geometry", int32_t(std::lround(z * 1000)));
    last_place_text[0] = '\0';
    set_map_view_geometry(z);
    map_view.zoom = z;
    // The whole game screen: the map frame with its panel, the side panel
    // over it and the view at the new size.
    reach("refresh_map_panel");
    redraw_game_screen();
}

void zoom_command() {
    if (plr.travel_mode == 2 || plr.travel_mode == 4 ||
        (plr.travel_mode == 9 && hauled_items_on_map() > 0)) {
        show_message(cant_while_text("zoom out", lower_case_copy(movement_mode_text())));
        return;
    }
    if (plr.travel_mode == 9) stop_hauling(-1);

    const bool world = is_world_map() != 0;
    int wx = world ? player_x : plr_world_x();
    int wy = world ? player_y : plr_world_y();
    if ((terrain_flags_of(stored_world_terrain_at(wx, wy)) & TF_WATER) &&
        world_ice_thickness_at(wx, wy) == 0 && plr.travel_mode != 3) {
        show_message("!It's not possible to zoom out this close to the shore.");
        show_message("_Move further away from the water region and try again.");
        return;
    }
    if (!world && world_ice_thickness_at(wx, wy) > 0) {
        float pounds = float(plr.body_weight) + plr.carried_load;
        if (plr.travel_mode == 7 || plr.body_state == 1) pounds /= 2;
        if (check_ice_breaks(player_x, player_y, int(pounds), 1) == 1) {
            show_message("!It's not possible to zoom out by this ice covered water region.");
            show_message("_Move further away from the water region and try again.");
            return;
        }
    }
    if (!confirm_companions_left_behind(1)) return;
    plr.zoom_arrival_x = 0;
    plr.zoom_arrival_y = 0;
    reach("terrain_map", 0);
    terrain_map(0, 0);
}

// ------------------------------------------------------------ movement

namespace {

// Keypad key -> index in "8 9 6 3 2 1 4 7" (clockwise from north).
int clockwise_from_north(int key) {
    switch (key) {
    case KEY_UP: return 0;
    case KEY_PGUP: return 1;
    case KEY_RIGHT: return 2;
    case KEY_PGDN: return 3;
    case KEY_DOWN: return 4;
    case KEY_END: return 5;
    case KEY_LEFT: return 6;
    case KEY_HOME: return 7;
    default: return -1;
    }
}

// Keypad key -> heading (0 east, counter-clockwise).
int heading_of(int key) {
    switch (key) {
    case KEY_RIGHT: return 0;
    case KEY_PGUP: return 1;
    case KEY_UP: return 2;
    case KEY_HOME: return 3;
    case KEY_LEFT: return 4;
    case KEY_END: return 5;
    case KEY_DOWN: return 6;
    case KEY_PGDN: return 7;
    default: return -1;
    }
}

bool is_direction_key(int key) { return clockwise_from_north(key) >= 0; }

void step(int code) {
    reach("MovePlayer", code);
    MovePlayer(code);
}

void turn_without_step(int counts) {
    if (plr.travel_mode == 7 || plr.travel_mode == 3 || plr.travel_mode == 2)
        turn_time_state = TURN_ONE_TURN;
    move_turn_count = uint8_t(move_turn_count + counts);
    rebuild_view_now();
    if (is_world_map()) {
        move_turn_count = 0;
        turn_time_state = TURN_NO_TIME;
    }
    draw_movement_box();
}

}  // namespace

void movement_key(int key, bool ctrl) {
    if (!is_direction_key(key)) return;
    if (ctrl) {
        step(100 + clockwise_from_north(key));
        return;
    }
    if (traditional_movement) {
        int heading = heading_of(key);
        int diff = ((heading - facing) % 8 + 8) % 8;
        if (diff > 4) diff = 8 - diff;
        facing = heading;
        Plr.facing = uint8_t(facing);  // the view and the save read the record's copy
        if (diff <= 2) {
            draw_movement_box();
            step(1);
            draw_movement_box();
        } else {
            reach("turn", heading);
            turn_without_step(1);
        }
        return;
    }
    int turn = 0, counts = 1;
    switch (key) {
    case KEY_UP: step(1); return;
    case KEY_DOWN: step(-1); return;
    case KEY_LEFT: turn = 1; break;
    case KEY_RIGHT: turn = -1; break;
    case KEY_HOME: turn = 2; break;
    case KEY_PGUP: turn = -2; break;
    case KEY_END:
    case KEY_PGDN: turn = 4; counts = 2; break;
    default: return;
    }
    facing = ((facing + turn) % 8 + 8) % 8;
    Plr.facing = uint8_t(facing);  // the view and the save read the record's copy
    reach("turn", facing);
    turn_without_step(counts);
}

// ------------------------------------------------------------ dispatch

namespace {

// Standing still and resting, as the movement menu has them.
void stand_or_rest(const char* command_text, const char* task_label, int flags) {
    if (plr.travel_mode != 2) reach("spend_time_on_task", 240);
    stand_still(command_text, task_label, flags);
}

void rest_until_rested() {
    // Resting lets go of what is hauled.
    if (plr.travel_mode == 9) stop_hauling(-1);
    stand_or_rest("Rest until not fatigued", "STANDING BY UNTIL NOT FATIGUED", 0x6C);
}

void skill_hotkey(int key) {
    reach("sort_skills_by_group");
    sort_skills_by_group();
    char letter = char('a' + (key - KEY_ALT_A));
    int id = -1;
    bool found = false;
    for (int i = 0; i < 50 && !found; ++i)
        for (int t = 0; t < 3 && !found; ++t) {
            char c = skill_hotkey_letter[t][i];
            if (c && (c == letter || c == letter - 'a' + 'A')) {
                id = skill_hotkey_id[t][i];
                found = true;
            }
        }
    if (found && id != -1) {
        reach("plr_use_skill_command", id);
        plr_use_skill_command(id);
    }
}

void time_skip() {
    if (time_skip_mode != 1 && time_skip_mode != 2) return;
    int minutes = time_skip_mode == 1 ? 1 : 60;
    reach("advance_minutes", minutes);
    advance_minutes(minutes, 1);
    normalize_game_clock();
    char line[80];
    format_text(line, sizeof line, "P\xE4iv\xE4ys: %d.%d.   %d:%d", plr.day, plr.month, plr.hour,
                plr.minute);
    show_message(line);
    turn_time_state = TURN_ONE_TURN;
    plr.plr_sleepiness = 0;
    plr.fatigue = 0;
    plr.need_counter_a = 0;
    plr.need_counter_b = 0;
}

void toggle_debug_logs() {
    if (debug_logs_on) {
        debug_logs_on = 0;
        show_message("#DEBUG LOGS DISABLED");
        return;
    }
    show_message("#Debug logs toggle.");
    if (ask_yes_no("Enable debug logs?")) {
        debug_logs_on = 1;
        show_message("DEBUG LOGS ENABLED");
        show_message(
            "#Your game may appear slower than normally. Press [&] again to disable debug logs.");
    }
}

void big_tiles_key() {
    if (!console_big_tiles) return;
    if (!big_tiles_on) {
        big_tiles_on = true;
        scale_big_tiles = false;
        show_message("load bigs");
        show_message("no-scale bigs");
    } else if (!scale_big_tiles) {
        scale_big_tiles = true;
        show_message("load bigs");
        show_message("scale bigs");
    } else {
        big_tiles_on = false;
        scale_big_tiles = false;
        show_message("no bigs");
        show_message("no-scale bigs");
    }
    reach("NewGfx_loadtiledata");
    NewGfx_loadtiledata();
}

// Printable keys 1 to 254.
int printable_key(int key, bool repeat) {
    if (!repeat && std::strchr("oc12309", key) && world_map_refusal()) {
        reach("world_map_refusal", key);
        return 1;
    }
    switch (key) {
    case 'b': activity(454); break;
    case 'u':
        if (plr.body_state == 0) {
            if (plr.travel_mode == 9) stop_hauling(-1);
            combat_reference = -1;
            plr.body_state = 1;
            reach("fall_prone");
            msg_npc = -1;  // the player is the one who lies down
            show_message(message_by_key("DO_FALL_PRONE"));
            refresh_status_panel();
            rebuild_view_now();
        } else {
            activity(452);
        }
        turn_time_state = TURN_ONE_TURN;
        break;
    case 'Z':
        if (ini_flag_default_no("SLEEP_CONFIRMATION") && !ask_yes_no("Sleep now?")) break;
        label("Sleep");
        activity(455);
        break;
    case 'M':
    case '+':
    case '=':
        label("Make");
        reach("handcraft_options_menu");
        handcraft_options_menu();
        break;
    case '.':
        if (plr.travel_mode == 2) {
            reach("plr_enter_water");
            plr_enter_water(player_x, player_y);
        } else {
            plr.exertion = 1;
        }
        reach("advance_seconds", 10);
        advance_seconds(10);
        label("Rest/Pass a turn");
        turn_time_state = TURN_ONE_TURN;
        break;
    case '*': reach("developer_console"); developer_console(); break;
    case '!': activity(449); break;
    case 'C': activity(450); break;
    case 'f': activity(33); break;
    case 'h':
        if (!world_map_refusal()) {
            reach("toggle_hiding");
            toggle_hiding();
        }
        break;
    case 'Q':
        // The quit confirmation; 0 ends the game loop when it confirms.
        reach("confirm_quit", 0);
        if (confirm_quit(0)) return 0;
        break;
    case '8':
        if (controller_link_open()) {
            reach("announce_controller_link");
            announce_controller_link();
        }
        break;
    case '7':
        if (!repeat) {
            reach("zoom_prune_store");
            zoom_prune_store();
        }
        break;
    case 'q': reach("drink_command"); drink_command(); break;
    case 'A':
        label("Armour coverage");
        take_snapshot();
        reach("armour_coverage_screen");
        armour_coverage_screen(0, "");
        back_from_snapshot();
        break;
    case 'a': activity(900); break;
    case '-': stand_or_rest("Stand still", "STANDING BY", 0x24); break;
    case 'r': {
        label("Repeat last action");
        char data[sizeof last_activity_data];
        copy_text(data, last_activity_data);
        reach("perform_activity", last_activity_code);
        perform_activity(last_activity_code, last_activity_argument, data);
        break;
    }
    case 'p': activity(701); break;
    case 'P':
        take_snapshot();
        reach("physical_profile");
        physical_profile(0);
        for (;;) {
            int k = menu_read_key();
            if (k > 0 || window_close_requested()) break;
        }
        back_from_snapshot();
        break;
    case 'L': show_message("!Character log is no longer in use."); break;
    case 'E':
    case 'e': reach("eat_command"); eat_command(); break;
    case '?': reach("key_help_screen"); key_help_screen(); break;
    case 'D':
        label("Discard items");
        reach("discard_items_command");
        discard_items_command();
        break;
    case 's': {
        label("Use skills");
        take_snapshot();
        reach("skills_screen");
        int skill = skills_screen(0);
        back_from_snapshot();
        if (skill != 1000) {
            reach("plr_use_skill_command", skill);
            plr_use_skill_command(skill);
        }
        break;
    }
    case ' ': time_skip(); break;
    case 'v': reach("message_log_viewer"); message_log_viewer(); break;
    case 'w': activity(423); break;
    case 'W': activity(420); break;
    case 'T': activity(426); break;
    case 'm': activity(700); break;
    case 'X':
        label("Exchange weapons");
        reach("exchange_weapons");
        exchange_weapons();
        break;
    case 'i': reach("examine_carried_equipment"); examine_carried_equipment(); break;
    case '&': reach("toggle_debug_logs"); toggle_debug_logs(); break;
    case 'd': activity(424); break;
    case 'x': {
        reach("choose_target_location", 18);
        if (choose_target_location(18, "direction where to look")) {
            int dx = target_x - player_x, dy = target_y - player_y;
            int mode = (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) ? 1 : 2;
            reach("describe_location", mode);
            describe_location(target_x, target_y, mode);
            // A creature close by is looked at closely: its sheet.
            const int creature = mode == 1 ? creature_at(target_x, target_y) : -1;
            if (creature >= 0) {
                reach("creature_info_sheet");
                creature_info_sheet(creature);
            }
        }
        break;
    }
    case ':':
        reach("describe_location", 1);
        describe_location(player_x, player_y, 1);
        break;
    case 'o':
        reach("open_door");
        turn_time_state = uint8_t(open_door(0, 0));
        break;
    case 'c':
        reach("close_door");
        turn_time_state = uint8_t(close_door());
        break;
    case '0':
    case '1':
    case '2':
    case '3':
    case '9':
        if (!repeat) {
            reach("plr_attack_command", key);
            plr_attack_command(key);
        }
        break;
    case 't': activity(800); break;
    case 'R': reach("toggle_walk_run"); toggle_walk_run(); break;
    default: break;
    }
    return 1;
}

void function_key(int key) {
    switch (key) {
    case KEY_F1:
        reach("infobrowser");
        load_encyclopedia_topics();
        infobrowser("START");
        break;
    case KEY_F2:
        if (quests_active) {
            reach("quest_journal");
            quest_journal();
        }
        break;
    case KEY_F4:
        take_snapshot();
        reach("perform_spell_command");
        perform_spell_command();
        back_from_snapshot();
        break;
    case KEY_F5: reach("game_course_screen"); game_course_screen(); break;
    case KEY_F6:
        take_snapshot();
        reach("known_areas_map_screen");
        known_areas_map_screen(0);
        back_from_snapshot();
        break;
    case KEY_F7: reach("treat_wounds_command"); treat_wounds_command(); break;
    case KEY_F8: big_tiles_key(); break;
    case KEY_F9:
        show_message("Re-loading tiles...");
        reach("NewGfx_loadtiledata");
        NewGfx_loadtiledata();
        init_terrain_types();
        rebuild_view_now();
        show_message("Tiles re-loaded...");
        break;
    case KEY_CTRL_0:
    case KEY_CTRL_PLUS:
    case KEY_CTRL_MINUS: map_zoom_key(key); break;
    default: break;
    }
}

}  // namespace

int run_command_key(int key, bool repeat) {
    clear_command_trace();
    if (key == KEY_ENTER) {
        label("Zoom (in/out)");
        reach("zoom_command");
        zoom_command();
        return 1;
    }
    if (key >= KEY_ALT_A && key <= KEY_ALT_Z) {
        skill_hotkey(key);
        return 1;
    }
    if (key == KEY_ALT_MINUS) {
        rest_until_rested();
        return 1;
    }
    if (is_direction_key(key)) {
        movement_key(key, ctrl_held());
        return 1;
    }
    if (key == '/' || key == KEY_DELETE) {
        reach("movement_menu");
        movement_menu();
    }
    if (key == KEY_ESC) {
        reach("help_and_options_menu");
        key = help_and_options_menu();
    }
    if (key == KEY_CENTRE) key = '.';
    if (key == KEY_CTRL_S) {
        if (museum_mode) return 1;
        label("Save the game");
        reach("confirm_quit", 1);
        // A save that failed keeps the game going, as the quit does.
        return confirm_quit(1) ? 0 : 1;
    }
    if (key == 'l' || key == KEY_F3) {
        label("Look around");
        reach("far_look_command");
        far_look_command();
        return 1;
    }
    if (key == 'g' || key == ',') {
        bool wield = ctrl_held();
        label(wield ? "Pick up and wield" : "Pick up something");
        reach("pick_up_command", wield);
        pick_up_command(player_x, player_y, wield);
        return 1;
    }
    if (key == 'G' || key == ';') {
        bool wield = ctrl_held();
        if (wield) label("Pick up and wield");
        reach("pick_from_command", wield);
        pick_from_command(wield);
        return 1;
    }
    if (key >= 1 && key <= 254) return printable_key(key, repeat);
    if (key >= 1000) function_key(key);
    return 1;
}
