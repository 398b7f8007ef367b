// The register of stubs and the count of their calls.
#include "base/stubs.h"

#include <cstring>

// One line per stub: its name, the folder that will build it and the answer
// it gives until then. Sorted by folder, then by name.
const StubEntry stub_register[] = {
    // body
    {"PLR_Lampotila", "body", "the body temperature stays as it is"},
    {"afternoon_weather_test", "body", "0"},
    {"age_open_ice_hole", "body", "nothing"},
    {"cre_choose_weapon", "body", "0: it keeps what it holds"},
    {"cre_take_missile", "body", "0: no missile"},
    {"cre_upkeep", "body", "nothing"},
    {"draw_colour_legend", "body", "nothing: no colour key is drawn"},
    {"fire_heat_at", "body", "0"},
    {"injuries_screen", "body", "nothing"},
    {"plr_daily_healing", "body", "nothing: wounds do not change by days"},
    {"plr_raise_felt_warmth", "body", "nothing: the felt warmth is not kept yet"},
    {"plr_sleep", "body", "\"!Not available yet.\""},
    {"refreeze_ice_hole", "body", "nothing"},
    {"roll_daily_human_presence", "body", "nothing"},
    // console
    {"developer_console", "console", "nothing"},
    // creatures
    {"animal_value", "creatures", "0"},
    {"assign_group_to_ungrouped_people", "creatures", "0: nobody joins"},
    {"companion_command_menu", "creatures", "1: the talk ends"},
    {"count_group_on_map", "creatures", "0"},
    {"cre_culture", "creatures", "-1: no culture"},
    {"cre_group_id", "creatures", "0: no group"},
    {"cre_has_social_mark", "creatures", "0: no mark"},
    {"cre_is_villager", "creatures", "0: no"},
    {"cre_meeting_count", "creatures", "0"},
    {"cre_set_social_mark", "creatures", "nothing"},
    {"cre_sotu", "creatures", "0: no identity"},
    {"cre_take_stored_goods", "creatures", "0: nothing carried for storing"},
    {"cre_update_target", "creatures", "0"},
    {"creature_day", "creatures", "an animal's day: nothing"},
    {"creature_task_view", "creatures", "false: no creature"},
    {"find_requisite_near", "creatures", "0: none"},
    {"list_creature_yields", "creatures", "nothing"},
    {"pet_command_menu", "creatures", "nothing"},
    {"random_culture_meat_food", "creatures", "0: no object"},
    {"trail_end_notice", "creatures", "nothing: the player is not told"},
    // game
    // mapgen
    // maps
    {"known_areas_map_screen", "maps", "nothing"},
    {"rebuild_map_border", "maps", "nothing"},
    {"refresh_scale_box", "maps", "nothing"},
    {"weather_history_average", "maps", "0 degrees, no precipitation"},
    {"weather_temperature_word", "maps", "\"\""},
    {"world_cell_rejects_trap_catch", "maps", "0: the cell is not rejected"},
    {"zoom_count_important", "maps", "0"},
    {"zoom_extras_used", "maps", "0"},
    // objects
    {"apply_armour_coverage", "objects", "nothing: the record is unchanged"},
    {"clear_daily_object_flags", "objects", "nothing"},
    {"current_object_coverage", "objects", "0: no body part covered"},
    {"drop_broken_arrow", "objects", "nothing"},
    {"effect_words_to_bits", "objects", "the bits unchanged"},
    {"hourly_map_object_pass", "objects", "nothing"},
    {"items_weight_at", "objects", "0"},
    {"select_creature_items", "objects", "-1: cancelled"},
    // screens
    {"setup_options_screen", "screens", "nothing"},
    // shell
    {"scenario_cleared_area", "shell", "nothing"},
    {"scenario_move_to_suitable_cell", "shell", "nothing"},
    // society
    {"bear_skull_in_pine", "society", "0"},
    {"capercaillie_ritual_check", "society", "nothing"},
    {"catch_up_map_aging", "society", "nothing"},
    {"clear_trade_piles", "society", "nothing"},
    {"cre_catch_up_days", "society", "nothing"},
    {"cre_order_stay", "society", "0: it does not stay"},
    {"create_npc_camp", "society", "nothing"},
    {"dream_hook", "society", "nothing"},
    {"drop_quest_link", "society", "nothing"},
    {"forest_spirit_advice", "society", "nothing: the spirit stays silent"},
    {"game_course_event_check", "society", "nothing"},
    {"game_course_screen", "society", "nothing"},
    {"greeting_line", "society", "\"GREET\""},
    {"hourly_ritual_update", "society", "nothing"},
    {"hourly_spirit_presence", "society", "nothing"},
    {"long_absence_greeting", "society", "\"\": no greeting"},
    {"name_creature", "society", "nothing"},
    {"perform_spell_command", "society", "nothing"},
    {"plr_has_ritual_garment", "society", "0: not worn"},
    {"plr_knowledge_bit", "society", "0"},
    {"plr_ritual_flag", "society", "0"},
    {"plr_spirit_flag", "society", "0"},
    {"quest_expiry", "society", "nothing"},
    {"quest_held_object_ids", "society", "0: no ids"},
    {"quest_journal", "society", "nothing"},
    {"read_quest_record", "society", "0"},
    {"remove_expired_quests", "society", "nothing"},
    {"retire_stale_creature_records", "society", "nothing"},
    {"set_plr_spirit_flag", "society", "nothing"},
    {"spirit_line", "society", "\"\""},
    {"spirit_mood_add", "society", "0"},
    {"spirit_mood_message", "society", "nothing"},
    {"start_game_course", "society", "no task is set"},
    {"start_water_offering", "society", "nothing"},
    {"talk_command", "society", "nothing"},
    {"talk_debt", "society", "nothing"},
    {"talk_with_creature", "society", "nothing"},
    {"update_village_field", "society", "nothing"},
    // ui
    {"announce_controller_link", "ui", "nothing"},
    {"armour_screen", "ui", "nothing"},
    {"ask_list_amount", "ui", "0: nothing taken"},
    {"controller_link_open", "ui", "false"},
    {"key_name", "ui", "\"\""},
    {"menu_picture_at", "ui", "nothing: no picture placed"},
    {"openPort", "ui", "nothing: the link stays closed"},
    {"poll_controller", "ui", "\"\""},
    // work
    {"Kay_Tarvikelista", "work", "0: the task may not go on"},
    {"Kokkaa", "work", "-1: nothing cooked"},
    {"Tee", "work", "0: nothing made"},
    {"add_requirement", "work", "nothing"},
    {"add_smoke_to_food", "work", "nothing"},
    {"bait_trap", "work", "nothing"},
    {"build_fire", "work", "\"!Not available yet.\""},
    {"build_structure", "work", "0: not finished"},
    {"burn_items_at", "work", "0: nothing to burn"},
    {"butcher_carcass", "work", "0: refused"},
    {"butcher_carcass_command", "work", "\"!Not available yet.\""},
    {"camp_site_percent_at", "work", "0"},
    {"check_food_burning", "work", "nothing"},
    {"clean_skin", "work", "\"!Not available yet.\""},
    {"clear_requirement_scratch", "work", "nothing"},
    {"clear_requirement_tables", "work", "nothing"},
    {"close_tekodata", "work", "0"},
    {"consume_reserved_ground_items", "work", "nothing"},
    {"cook_by_recipe", "work", "-1: nothing cooked"},
    {"cre_leave_track", "work", "nothing: no track"},
    {"cure_skin", "work", "\"!Not available yet.\""},
    {"cut_branches", "work", "\"!Not available yet.\""},
    {"deconstruct_structure", "work", "0"},
    {"dehair_skin", "work", "\"!Not available yet.\""},
    {"disassemble_trap", "work", "nothing"},
    {"do_climbing", "work", "0: not up"},
    {"do_timbercraft", "work", "0: refused"},
    {"dry_retted_plants", "work", "\"!Not available yet.\""},
    {"extract_fibre", "work", "\"!Not available yet.\""},
    {"fell_tree", "work", "0: no tree falls"},
    {"go_fishing", "work", "nothing"},
    {"grind_flour", "work", "nothing"},
    {"handcraft_options_menu", "work", "nothing"},
    {"harvest_command", "work", "nothing"},
    {"harvest_plant", "work", "0: not possible"},
    {"herblore_index_of", "work", "-1: the plant is unknown"},
    {"herblore_known_object", "work", "false"},
    {"herblore_register_plant", "work", "nothing"},
    {"init_herb_effects", "work", "nothing"},
    {"join_tying_equipment", "work", "nothing"},
    {"make_bowstring", "work", "nothing"},
    {"make_clothes", "work", "nothing"},
    {"make_ice_hole", "work", "\"!Not available yet.\""},
    {"make_leaning_spruce_shelter", "work", "nothing"},
    {"make_plant_object", "work", "nothing: out is unchanged"},
    {"make_skin_record", "work", "nothing: the record is unchanged"},
    {"make_tanned_hide_record", "work", "nothing: the record is unchanged"},
    {"make_turnip_object", "work", "nothing: out is unchanged"},
    {"mark_herb_effect_known", "work", "nothing: no effect is marked known"},
    {"obj_floats", "work", "1: everything floats"},
    {"obj_meets_requirement", "work", "0: no"},
    {"parse_requirement_line", "work", "nothing"},
    {"peel_bark", "work", "\"!Not available yet.\""},
    {"place_fire_object", "work", "0: no fire"},
    {"place_used_items_on_map", "work", "nothing"},
    {"plant_yields", "work", "no parts; the plant unchanged"},
    {"plr_start_swimming", "work", "travel mode 2"},
    {"plr_swim_roll", "work", "2: a success"},
    {"prepare_soil", "work", "nothing"},
    {"product_name_from_requirements", "work", "\"\""},
    {"purge_old_tracks", "work", "nothing"},
    {"read_herblore", "work", "nothing: the table stays as it is"},
    {"record_felt_effects", "work", "nothing: the plant knowledge learns nothing"},
    {"register_herbs", "work", "nothing"},
    {"remove_carcass_remains", "work", "nothing"},
    {"repair_clothing", "work", "nothing"},
    {"report_food_ready", "work", "nothing"},
    {"requirement_selection_context", "work", "nothing"},
    {"requirement_type_name", "work", "the four axe titles (100, 101, 102, 104), else \"A specific item\""},
    {"restore_collect_snapshot", "work", "0: nothing read back"},
    {"ret_plants", "work", "\"!Not available yet.\""},
    {"retrieve_fishing_net", "work", "nothing"},
    {"roll_initial_herb_knowledge", "work", "not known, difficulty 0"},
    {"rot_pack_food", "work", "nothing"},
    {"set_trap", "work", "nothing"},
    {"shorten_tying_equipment", "work", "nothing"},
    {"show_world_creature_tracks", "work", "nothing: no tracks are shown"},
    {"size_class_weight", "work", "0.25 lb"},
    {"skill_dispatcher", "work", "\"!Not available yet.\""},
    {"skin_carcass", "work", "0: refused"},
    {"skin_carcass_command", "work", "\"!Not available yet.\""},
    {"sow_or_plant", "work", "nothing"},
    {"spin_yarn", "work", "\"!Not available yet.\""},
    {"spring_trap", "work", "0: the trap does not spring"},
    {"step_into_trap", "work", "0: no trap fired"},
    {"struggle_in_trap", "work", "0: the creature is free"},
    {"tan_skin", "work", "\"!Not available yet.\""},
    {"thresh_harvest", "work", "nothing"},
    {"trap_catches", "work", "0: not caught"},
    {"trap_menu", "work", "nothing"},
    {"treat_wounds_command", "work", "nothing"},
    {"update_fire_record", "work", "nothing: the world entry stays"},
    {"update_plant_patches", "work", "nothing"},
    {"use_up_reserved_materials", "work", "nothing"},
    {"work_options_menu", "work", "nothing"},
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
