// The outer loop, the game loop and their shared state.
#include "shell/game_loop.h"

#include <SDL.h>

#include <cstring>

#include "body/body_upkeep.h"
#include "body/combat_state.h"
#include "body/wounds.h"
#include "console/console.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_turns.h"
#include "creatures/movement_commands.h"
#include "maps/happenings.h"
#include "maps/map_change.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/weather_messages.h"
#include "objects/item_commands.h"
#include "objects/map_objects.h"
#include "game/clock.h"
#include "shell/commands.h"
#include "game/ancestors.h"
#include "game/daily_update.h"
#include "game/death.h"
#include "game/spend_time.h"
#include "shell/ending.h"
#include "shell/game_start.h"
#include "game/player.h"
#include "shell/start_menu.h"
#include "game/save_load.h"
#include "society/spirits.h"
#include "society/villages.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "screens/side_panel.h"
#include "shell/test_scene.h"
#include "ui/sound.h"

std::atomic<uint8_t> idle_wake{0};

namespace {

void clear_message_pause_count() { message_pause_count = 0; }
void clear_message_pause_skip() { skip_message_pauses = false; }
void exit_after_quit() { exit_with_message(""); }
void flush_all_events() {
    drain_events();
    SDL_StartTextInput();
    SDL_FlushEvents(0, 0xFFFF);
}
void unconscious_turn() { plr_unconscious_sequence(); }
void ambience_turn() {
    play_weather_ambience();
    update_ambient_sound();
}
int world_map_kind() { return map_kind == 1 ? 1 : 0; }

}  // namespace

GameLoopServices default_game_loop_services() {
    GameLoopServices s{};
    s.recentre_local_map = recentre_local_map;
    s.maploader = maploader;
    s.advance_seconds = advance_seconds;
    s.redraw_status = refresh_status_panel;
    s.start_new_day = start_new_day;
    s.is_world_map = is_world_map;
    s.world_map_flag = world_map_kind;
    s.update_map_objects = update_map_objects;
    s.clear_pause_count = clear_message_pause_count;
    s.plr_body_check = plr_body_check;
    s.plr_body_upkeep = plr_body_upkeep;
    s.spirit_mood_message = spirit_mood_message;
    s.flush_events = flush_all_events;
    s.unconscious = unconscious_turn;
    s.ambience = ambience_turn;
    s.player_command = player_command;
    s.quit_now_exit = exit_after_quit;
    s.clear_pause_skip = clear_message_pause_skip;
    s.rebuild_view = rebuild_view;
    s.world_encounter_check = [](int) { check_world_encounter(); };
    s.world_encounter = world_map_encounter;
    s.world_ambient_event = roll_world_ambient_event;
    s.presence_hints = check_presence_hints_here;
    s.enter_place = enter_place;
    s.clear_task_sound = clear_task_sound;
    return s;
}

GameLoopServices game_services = default_game_loop_services();

uint32_t idle_timer_callback(uint32_t interval, void*) {
    // Runs on SDL's timer thread: reads only the flag and the event queue.
    if (idle_wake.load(std::memory_order_acquire) != 0 && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        SDL_PushEvent(&event);
    }
    return interval;
}

int game_loop_pass() {
    const GameLoopServices& s = game_services;
    // The first message of this pass fades what the last ones said.
    fade_old_messages = true;
    message_end_position = {0, 0};
    if (recentre_request == 1 && s.recentre_local_map) s.recentre_local_map();

    // Let the world catch up with the last command.
    bool world_moves = true;
    bool creature_advantage = false;
    if (tactical_advantage == ADVANTAGE_NOBODY) {
        if (turn_time_state == TURN_NO_TIME)
            world_moves = false;
        else if (turn_time_state == TURN_ONE_TURN && s.advance_seconds)
            s.advance_seconds(6);
    } else if (tactical_advantage == ADVANTAGE_PLAYER) {
        // The player acts again before the world.
        turn_time_state = TURN_NO_TIME;
        tactical_advantage = ADVANTAGE_NOBODY;
        world_moves = false;
    } else {
        creature_advantage = true;
        turn_time_state = TURN_ONE_TURN;
        if (s.advance_seconds) s.advance_seconds(6);
    }

    if (world_moves) {
        if (s.redraw_status) s.redraw_status();
        if (turn_time_state != TURN_LONG_TASK && s.update_map_objects) s.update_map_objects();
        if (creature_advantage && s.update_map_objects) s.update_map_objects();
        tactical_advantage = ADVANTAGE_NOBODY;
        last_tactical_advantage = ADVANTAGE_NOBODY;
        if (quit_state == -1) return 0;

        view_rebuild_request = 1;
        if (s.clear_pause_count) s.clear_pause_count();
        move_turn_count = 0;

        // The daily update, at the first pass from 8 o'clock on a new day.
        if (Plr.hour >= 8 && Plr.day != Plr.day_change_mark) {
            if (Plr.day_change_mark == 0)
                Plr.day_change_mark = Plr.day;  // a new character's first day
            else if (s.start_new_day)
                s.start_new_day();
        }

        if (s.plr_body_check) s.plr_body_check(0);
        if (quit_state == -1) return 0;
        int upkeep = s.plr_body_upkeep ? s.plr_body_upkeep(0) : 0;
        if (s.world_encounter_check) s.world_encounter_check(upkeep);

        if (encounter_state != 0) {
            if (encounter_state == 1 && s.world_encounter) s.world_encounter();
            else if (encounter_state == 2 && s.world_ambient_event) s.world_ambient_event();
            else if (encounter_state == 3 && s.spirit_mood_message) s.spirit_mood_message();
            encounter_state = 0;
            encounter_hour = Plr.hour;
        }
    }

    if (quit_state == -1) return 0;
    if (view_rebuild_request) {
        if (s.rebuild_view) s.rebuild_view();
        view_rebuild_request = 0;
    }
    bool world_map = s.is_world_map ? s.is_world_map() != 0 : false;
    if (world_map && s.presence_hints) s.presence_hints();
    if (!map_change_request && enter_place_request) {
        if (s.enter_place) s.enter_place();
        enter_place_request = 0;
    }
    if (map_change_request) {
        if (s.maploader) s.maploader(0);
        recentre_request = 0;
        if (s.rebuild_view) s.rebuild_view();
        if (s.flush_events) s.flush_events();
    }
    if (Plr.body_state == 4 && s.unconscious) s.unconscious();
    if (s.ambience) s.ambience();
    if (quit_state == 1 || quit_state == -1)
        map_change_request = 0;
    else if (s.clear_task_sound)
        s.clear_task_sound();

    // A test's scene is set up around the player once the first local map
    // is there.
    if (apply_test_scene_once() && s.rebuild_view) s.rebuild_view();

    int result = s.player_command ? s.player_command() : 0;

    if (quit_now && s.quit_now_exit) s.quit_now_exit();
    if (s.clear_pause_skip) s.clear_pause_skip();
    // Four turning key presses in a row cost a turn, except on the world map.
    world_map = s.world_map_flag ? s.world_map_flag() != 0 : false;
    if (!world_map && move_turn_count > 3) turn_time_state = TURN_ONE_TURN;
    if (quit_state == -1) return 0;
    if (map_change_request == 1) turn_time_state = TURN_NO_TIME;
    return result;
}

void game_loop() {
    while (game_loop_pass() != 0) {
    }
}

void reset_game_state() {
    clear_load_notices();
    view_rebuild_request = 1;
    map_change_request = 0;
    enter_place_request = 0;
    recentre_request = 0;
    encounter_state = 0;
    encounter_hour = 0;
    turn_time_state = 0;
    move_turn_count = 0;
    quit_now = 0;
    fire_burned_player = 0;
    tactical_advantage = ADVANTAGE_NOBODY;
    last_tactical_advantage = ADVANTAGE_NOBODY;
    clear_current_village();
    reset_view_state();
    reset_map_change_state();
    reset_movement_state();
    reset_robbery_state();
    reset_message_line_state();
    reset_clock_state();
    cre_update_counter = CRE_UPDATE_COUNTER_START;
    reset_body_state();
    reset_combat_state();
    reset_console_switches();
    reset_world_happenings();
    harm_cause_text[0] = 0;
    reset_ancestor_state();
}

void recentre_local_map() { recentre_local_map_now(); }

void outer_loop() {
    while (quit_state != 1) {
        character_name[0] = 0;
        start_menu();
        if (quit_state != 1) quit_state = start_or_continue_game();
        if (sound_on) {
            fade_out_audio(500);
            fade_out_ambient_channel();
            reset_ambient_sound();
        }
        reset_game_state();
        drain_events();
        SDL_StartTextInput();
        SDL_FlushEvents(0, 0xFFFF);
        if (quit_state != 1 && quit_state != -1) game_loop();
        if (sound_on) fade_out_audio(500);
        character_name[0] = 0;
        // Nothing of this game reaches the start of the next one.
        reset_game_state();
    }
}
