// Filling the tables through which the lower floors ask the higher ones.
#include "shell/connect.h"

#include "base/debug_log.h"
#include "base/fatal.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/party_stack.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/shell_hooks.h"
#include "game/turn_state.h"
#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "objects/item_commands.h"
#include "objects/map_object_table.h"
#include "objects/object_looks.h"
#include "screens/far_look.h"
#include "screens/map_panel.h"
#include "screens/side_panel.h"
#include "screens/sky.h"
#include "screens/targets.h"
#include "society/standing.h"
#include "society/villages.h"
#include "shell/game_start.h"
#include "shell/scenarios.h"
#include "ui/catalogue.h"
#include "ui/input.h"
#include "ui/encyclopedia.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "ui/sound.h"
#include "ui/notices.h"

static_assert(CATALOGUE_STANDING_TRADE == STANDING_TRADE && CATALOGUE_STANDING_THEFT == STANDING_THEFT &&
                  CATALOGUE_STANDING_MISCHIEF == STANDING_MISCHIEF && CATALOGUE_STANDING_HELP == STANDING_HELP,
              "the catalogue numbers the standing categories as the villages do");

namespace {

// ------------------------------------------------------------ the exit

void close_sound_on_exit() {
    if (sound_on) close_audio();
}

// ------------------------------------------------------------ the logs

void game_time_now(int* day, int* hour, int* minute) {
    *day = Plr.day;
    *hour = Plr.hour;
    *minute = Plr.minute;
}

void message_log_stamp_now(MessageLogStamp& out) {
    copy_field(out.folder, sizeof out.folder, Plr.name, sizeof Plr.name);
    out.day = Plr.day;
    out.month = Plr.month;
    out.winters = Plr.winters;
    out.hour = Plr.hour;
    out.world_x = plr_world_x();
    out.world_y = plr_world_y();
}

// ------------------------------------------------------- the catalogue

int player_sex() { return Plr.sex; }

const char* player_first_name() {
    char* name = next_ring_text();
    copy_field(name, TEXT_RING_BYTES, Plr.name, sizeof Plr.name);
    return name;
}

const char* standing_title(int category) {
    if (category < 0 || category >= 6) return "";
    return talk_standing.category[category].phrase;
}

int standing_level(int category) {
    if (category == CATALOGUE_STANDING_OVERALL) return talk_standing.overall_level;
    if (category == CATALOGUE_STANDING_FAMILIARITY) return talk_standing.familiarity_level;
    if (category < 0 || category >= 6) return 3;
    return talk_standing.category[category].level;
}

const char* direction_to_creature(int creature) { return direction_word(cre_direction_from_player(creature)); }
const char* item_name(int item, int count, int flags) { return obj_name(item, count, flags); }
const char* item_name_with_unit(int item, int count, int flags) { return obj_name_with_unit(item, count, flags); }
int creature_is_female(int creature) { return cre_is_female(creature); }
const char* name_of_creature(int creature, int flags) { return creature_name(creature, flags); }

// ---------------------------------------------------- the command menu

const char* terrain_tile(int code) {
    if (code < 0 || code > 255) return "";
    char* tile = next_ring_text();
    copy_field(tile, TEXT_RING_BYTES, TerrainTypes[code].tile, sizeof TerrainTypes[code].tile);
    return tile;
}

// ---------------------------------------------------------- the sound

SoundListener player_listening() { return SoundListener{player_x, player_y, facing}; }

}  // namespace

void connect_floors() {
    exit_services.show_fatal_text = show_fatal_text;
    exit_services.close_sound = close_sound_on_exit;
    input_notice = show_message;
    debug_game_time = game_time_now;
    message_log_stamp = message_log_stamp_now;

    CatalogueQuestions& q = catalogue_questions;
    q.player_sex = player_sex;
    q.player_first_name = player_first_name;
    q.address_term = plr_address_term;
    q.standing_title = standing_title;
    q.standing_level = standing_level;
    q.direction_to_creature = direction_to_creature;
    q.item_name = item_name;
    q.item_name_with_unit = item_name_with_unit;
    q.creature_class = cre_class;
    q.creature_is_female = creature_is_female;
    q.creature_kind = creature_kind;
    q.creature_name = name_of_creature;
    q.creature_aggression_sound = cre_aggression_sound;
    q.creature_sound = cre_sound;

    command_menu_services.terrain_name = terrain_name;
    command_menu_services.terrain_tile = terrain_tile;
    command_menu_services.perform_activity = [](int code, int argument, const char* data) {
        perform_activity(code, argument, data);
    };
    command_menu_services.is_topic = is_encyclopedia_topic;
    command_menu_services.show_topic_hint = show_topic_hint;
    command_menu_services.open_encyclopedia = infobrowser;

    sound_listener = player_listening;

    screen_hooks.refresh_status_panel = refresh_status_panel;
    screen_hooks.draw_movement_box = draw_movement_box;
    screen_hooks.draw_sky_indicator = draw_sky_indicator;
    screen_hooks.show_arrival_picture = show_arrival_picture;
    screen_hooks.show_command_line = show_command_line;
    screen_hooks.describe_location_contents = describe_location_contents;
    screen_hooks.choose_adjacent_square = choose_adjacent_square;
    screen_hooks.choose_target_location = choose_target_location;
    screen_hooks.choose_creature_at = choose_creature_at;
    screen_hooks.choose_open_location = choose_open_location;
    screen_hooks.mark_sound_clue = mark_sound_clue;
    shell_hooks.apply_startup_scenario = run_start_scenario;

    map_objects_renumbered = creature_tasks_renumbered;
    portrait_services.list = list_portrait_files;
    portrait_services.random_name = random_portrait_name;
}
