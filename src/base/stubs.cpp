// The register of stubs and the count of their calls.
#include "base/stubs.h"

#include <cstring>

// One line per stub: its name, the folder that will build it and the answer
// it gives until then. Sorted by folder, then by name.
const StubEntry stub_register[] = {
    // body
    {"PLR_Lampotila", "body", "the body temperature stays as it is"},
    {"cre_compute_load", "body", "nothing: the load is not recomputed"},
    {"cre_movement_speed", "body", "50 (5 km/h)"},
    {"cre_spend_energy", "body", "nothing: no energy is spent"},
    {"cre_update_fatigue", "body", "nothing: nobody tires"},
    {"daily_wound_change", "body", "nothing: wounds do not change by days"},
    {"draw_colour_legend", "body", "nothing: no colour key is drawn"},
    {"effort_word", "body", "\"\""},
    {"fire_heat_at", "body", "0"},
    {"hourly_player_maintenance", "body", "steps the weather only"},
    {"plr_attack_command", "body", "nothing"},
    {"plr_body_check", "body", "nothing: the body never fails"},
    {"plr_body_upkeep", "body", "0: no needs"},
    {"plr_count_adjacent_fighters", "body", "0: not in combat"},
    {"plr_unconscious_sequence", "body", "nothing"},
    {"roll_daily_human_presence", "body", "nothing"},
    {"use_skill", "body", "nothing"},
    // console
    {"developer_console", "console", "nothing"},
    // creatures
    {"close_door", "creatures", "0"},
    {"companion_names_text", "creatures", "\"your companions\""},
    {"count_helping_companions", "creatures", "0"},
    {"cre_aggression_sound", "creatures", "\"growl\""},
    {"cre_avatar_name", "creatures", "\"\""},
    {"cre_class", "creatures", "0"},
    {"cre_is_companion", "creatures", "0"},
    {"cre_is_female", "creatures", "0"},
    {"cre_is_human", "creatures", "0"},
    {"cre_is_own_animal", "creatures", "0"},
    {"cre_is_present", "creatures", "1"},
    {"cre_save_to_crs", "creatures", "nothing"},
    {"cre_sound", "creatures", "\"sound\""},
    {"cre_status", "creatures", "0"},
    {"creature_activity", "creatures", "0"},
    {"creature_altitude", "creatures", "0"},
    {"creature_body_state", "creatures", "0"},
    {"creature_coat", "creatures", "0"},
    {"creature_day", "creatures", "nothing"},
    {"creature_drawn_by_size", "creatures", "0"},
    {"creature_is_hidden", "creatures", "0"},
    {"creature_kind", "creatures", "-1: no creature in the slot"},
    {"creature_name", "creatures", "\"human\" for the player, else \"creature\""},
    {"creature_size_value", "creatures", "25"},
    {"creature_task_view", "creatures", "false: no creature"},
    {"creature_travels_with_player", "creatures", "0"},
    {"drop_expired_area_events", "creatures", "nothing"},
    {"fill_upper_templates", "creatures", "nothing"},
    {"is_carcass_skinned", "creatures", "0"},
    {"movement_menu", "creatures", "nothing"},
    {"open_door", "creatures", "0"},
    {"player_is_hiding", "creatures", "0"},
    {"player_is_running", "creatures", "0"},
    {"plr_enter_water", "creatures", "nothing"},
    {"site_has_resident_humans", "creatures", "1: settlements are never given up"},
    {"store_creature_for_map", "creatures", "0"},
    {"toggle_hiding", "creatures", "nothing"},
    {"toggle_walk_run", "creatures", "nothing"},
    {"world_entry_weight", "creatures", "0"},
    // game
    {"show_ancestors", "game", "nothing"},
    {"write_ancestor", "game", "0"},
    // maps
    {"check_presence_hints_here", "maps", "nothing"},
    {"check_world_encounter", "maps", "0: no encounter"},
    {"known_areas_map_screen", "maps", "nothing"},
    {"roll_world_ambient_event", "maps", "nothing"},
    {"world_map_encounter", "maps", "nothing"},
    // objects
    {"age_map_items", "objects", "nothing"},
    {"areal_itemizer", "objects", "0"},
    {"clear_daily_object_flags", "objects", "nothing"},
    {"compact_map_objects", "objects", "nothing"},
    {"current_object_coverage", "objects", "0: no body part covered"},
    {"cre_wielded_item", "objects", "0: empty hands"},
    {"discard_items_command", "objects", "nothing"},
    {"examine_carried_equipment", "objects", "nothing"},
    {"exchange_weapons", "objects", "nothing"},
    {"hauled_items_on_map", "objects", "0"},
    {"items_weight_at", "objects", "0"},
    {"light_item_fuel", "objects", "0"},
    {"lit_light_radius", "objects", "0"},
    {"obj_name", "objects", "\"item\" or \"items\""},
    {"obj_name_with_unit", "objects", "the record's own name"},
    {"object_maintenance", "objects", "nothing"},
    {"object_protection", "objects", "0: no protection"},
    {"object_tile_name", "objects", "\"\""},
    {"perform_activity", "objects", "remembers the activity for the repeat key only"},
    {"pick_from_command", "objects", "nothing"},
    {"pick_up_command", "objects", "nothing"},
    {"plr_protection_at", "objects", "0: no worn armour"},
    {"purge_map_objects", "objects", "0"},
    {"set_light_item_fuel", "objects", "nothing"},
    {"settle_items_at", "objects", "nothing"},
    {"stop_hauling", "objects", "nothing"},
    {"update_map_objects", "objects", "nothing"},
    {"wear_starting_clothes", "objects", "nothing"},
    // screens
    {"setup_options_screen", "screens", "nothing"},
    // shell
    {"scenario_cleared_area", "shell", "nothing"},
    {"scenario_move_to_suitable_cell", "shell", "nothing"},
    {"scenario_robbery", "shell", "nothing"},
    {"scenario_trapper_kit", "shell", "nothing"},
    // society
    {"create_npc_camp", "society", "nothing"},
    {"game_course_event_check", "society", "nothing"},
    {"game_course_screen", "society", "nothing"},
    {"perform_spell_command", "society", "nothing"},
    {"plr_address_term", "society", "\"stranger\" (\"Stranger\" with flag 1)"},
    {"quest_journal", "society", "nothing"},
    {"remove_expired_quests", "society", "nothing"},
    {"retire_stale_creature_records", "society", "nothing"},
    {"save_village", "society", "true: nothing to write"},
    {"spirit_mood_message", "society", "nothing"},
    {"start_game_course", "society", "no task is set"},
    {"village_population", "society", "0"},
    // ui
    {"announce_controller_link", "ui", "nothing"},
    {"controller_link_open", "ui", "false"},
    {"openPort", "ui", "nothing: the link stays closed"},
    {"poll_controller", "ui", "\"\""},
    // work
    {"close_tekodata", "work", "0"},
    {"drink_command", "work", "nothing"},
    {"eat_command", "work", "nothing"},
    {"handcraft_options_menu", "work", "nothing"},
    {"init_herb_effects", "work", "nothing"},
    {"purge_old_tracks", "work", "nothing"},
    {"register_herbs", "work", "nothing"},
    {"rot_pack_food", "work", "nothing"},
    {"scale_food_object", "work", "nothing: the record is unchanged"},
    {"treat_wounds_command", "work", "nothing"},
    {"update_plant_patches", "work", "nothing"},
};
const int stub_register_count = int(sizeof stub_register / sizeof stub_register[0]);

namespace {
int calls[sizeof stub_register / sizeof stub_register[0]];
}  // namespace

int stub_call_count = 0;
int unlisted_stub_calls = 0;

int stub_slot(const char* name) {
    if (name == nullptr) return -1;
    for (int i = 0; i < stub_register_count; ++i)
        if (std::strcmp(stub_register[i].name, name) == 0) return i;
    return -1;
}

void note_stub_slot(int slot) {
    ++stub_call_count;
    if (slot < 0 || slot >= stub_register_count) ++unlisted_stub_calls;
    else ++calls[slot];
}

void note_stub_call(const char* name) { note_stub_slot(stub_slot(name)); }

void clear_stub_calls() {
    for (int& c : calls) c = 0;
    stub_call_count = 0;
    unlisted_stub_calls = 0;
}

int stub_calls_of(const char* name) {
    const int slot = stub_slot(name);
    return slot < 0 ? 0 : calls[slot];
}

bool stub_was_called(const char* name) { return stub_calls_of(name) > 0; }
