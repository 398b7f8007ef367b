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
    {"body_part_name", "body", "\"body\""},
    {"check_physical_requirements", "body", "0: the body allows it"},
    {"choose_shield_mode", "body", "0"},
    {"cre_begin_attack", "body", "nothing"},
    {"cre_begin_escape", "body", "nothing"},
    {"cre_can_shoot", "body", "0: no"},
    {"cre_compute_load", "body", "nothing: the load is not recomputed"},
    {"cre_exertion_in_snow", "body", "2"},
    {"cre_inflict_wound", "body", "nothing"},
    {"cre_is_incapacitated", "body", "0: no"},
    {"cre_limb_impairment", "body", "0: the limb is whole"},
    {"cre_locomotion_disability", "body", "0: the legs are whole"},
    {"cre_morale_check", "body", "nothing"},
    {"cre_movement_speed", "body", "50 (5 km/h)"},
    {"cre_ready_weapon", "body", "nothing"},
    {"cre_set_exertion", "body", "nothing"},
    {"cre_skill_level", "body", "0"},
    {"cre_spend_energy", "body", "nothing: no energy is spent"},
    {"cre_try_rise", "body", "nothing"},
    {"cre_update_fatigue", "body", "nothing: nobody tires"},
    {"cre_update_target_distance", "body", "0"},
    {"cre_upkeep", "body", "nothing"},
    {"daily_wound_change", "body", "nothing: wounds do not change by days"},
    {"draw_colour_legend", "body", "nothing: no colour key is drawn"},
    {"effort_word", "body", "\"\""},
    {"fire_heat_at", "body", "0"},
    {"hourly_player_maintenance", "body", "steps the weather only"},
    {"injuries_screen", "body", "nothing"},
    {"missile_at_square", "body", "nothing: an empty report"},
    {"missile_attack", "body", "0"},
    {"obj_is_missile_weapon", "body", "false"},
    {"plr_arrow_hand", "body", "0"},
    {"plr_attack_command", "body", "nothing"},
    {"plr_body_check", "body", "nothing: the body never fails"},
    {"plr_body_upkeep", "body", "0: no needs"},
    {"plr_break_bowstring", "body", "nothing"},
    {"plr_count_adjacent_fighters", "body", "0: not in combat"},
    {"plr_unconscious_sequence", "body", "nothing"},
    {"plr_use_skill", "body", "0"},
    {"refreeze_ice_hole", "body", "nothing"},
    {"report_missile_contour", "body", "nothing"},
    {"report_missile_obstacle", "body", "nothing"},
    {"roll_body_part_hit", "body", "0"},
    {"roll_daily_human_presence", "body", "nothing"},
    {"use_skill", "body", "nothing"},
    // console
    {"developer_console", "console", "nothing"},
    // creatures
    {"CreatureAct", "creatures", "nothing"},
    {"Liikkuminen", "creatures", "0"},
    {"carcass_text", "creatures", "\"carcass\""},
    {"choose_encounter_species", "creatures", "606: no entry"},
    {"close_door", "creatures", "0"},
    {"companion_names_text", "creatures", "\"your companions\""},
    {"count_helping_companions", "creatures", "0"},
    {"cre_add_item", "creatures", "0"},
    {"cre_add_item_tagged", "creatures", "0"},
    {"cre_aggression_sound", "creatures", "\"growl\""},
    {"cre_are_allies", "creatures", "0: no"},
    {"cre_avatar_name", "creatures", "\"\""},
    {"cre_can_notice", "creatures", "0: no"},
    {"cre_can_see_point", "creatures", "0: no"},
    {"cre_carried_value", "creatures", "0"},
    {"cre_class", "creatures", "0"},
    {"cre_eats_plants", "creatures", "0"},
    {"cre_face_towards", "creatures", "nothing"},
    {"cre_is_active_time", "creatures", "0: no"},
    {"cre_is_aggressive", "creatures", "0: no"},
    {"cre_is_aquatic", "creatures", "0: no"},
    {"cre_is_bird", "creatures", "0: no"},
    {"cre_is_companion", "creatures", "0"},
    {"cre_is_female", "creatures", "0"},
    {"cre_is_game_for", "creatures", "0: no"},
    {"cre_is_human", "creatures", "0"},
    {"cre_is_kept_animal", "creatures", "0: no"},
    {"cre_is_leashable", "creatures", "0: no"},
    {"cre_is_not_human", "creatures", "0: no"},
    {"cre_is_own_animal", "creatures", "0"},
    {"cre_is_predator", "creatures", "0: no"},
    {"cre_is_present", "creatures", "1"},
    {"cre_is_society_member", "creatures", "0: no"},
    {"cre_is_tame_kind611", "creatures", "0: no"},
    {"cre_mark_companion_gear", "creatures", "nothing"},
    {"cre_notices_player", "creatures", "0"},
    {"cre_pick_up_map_item", "creatures", "0"},
    {"cre_prey_match", "creatures", "0"},
    {"cre_roll_personal_values", "creatures", "nothing"},
    {"cre_sense_step", "creatures", "nothing"},
    {"cre_sound", "creatures", "\"sound\""},
    {"cre_spawn_kin", "creatures", "nothing: no kin"},
    {"cre_status", "creatures", "0"},
    {"cre_take_map_item", "creatures", "nothing"},
    {"cre_threat_test", "creatures", "0"},
    {"cre_would_attack", "creatures", "0"},
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
    {"creature_template", "creatures", "the defaults, the kind code and a class by its range (people 1, spirits 50, animals 2)"},
    {"creature_travels_with_player", "creatures", "0"},
    {"drop_expired_area_events", "creatures", "nothing"},
    {"find_society_witness", "creatures", "-1000: no witness"},
    {"make_young_creature", "creatures", "0"},
    {"movement_menu", "creatures", "nothing"},
    {"nearest_awake_villager", "creatures", "-1000: nobody awake"},
    {"open_door", "creatures", "0"},
    {"player_is_hiding", "creatures", "0"},
    {"player_is_running", "creatures", "0"},
    {"plr_enter_water", "creatures", "nothing"},
    {"plr_facing_toward", "creatures", "nothing"},
    {"plr_stop_hauling_if_empty", "creatures", "nothing"},
    {"site_has_resident_humans", "creatures", "1: settlements are never given up"},
    {"store_creature_for_map", "creatures", "0"},
    {"text_mentions_culture", "creatures", "0"},
    {"toggle_hiding", "creatures", "nothing"},
    {"toggle_walk_run", "creatures", "nothing"},
    {"trail_end_notice", "creatures", "nothing"},
    {"unpack_or_pick_from_creature", "creatures", "0: the square is picked from"},
    {"village_member_distance", "creatures", "1000: no member"},
    {"world_entry_weight", "creatures", "0"},
    // game
    {"show_ancestors", "game", "nothing"},
    {"write_ancestor", "game", "0"},
    // maps
    {"check_presence_hints_here", "maps", "nothing"},
    {"check_world_encounter", "maps", "0: no encounter"},
    {"drop_far_world_entries", "maps", "nothing: the world map's entries stay"},
    {"drop_stale_marks", "maps", "nothing: the marks stay"},
    {"known_areas_map_screen", "maps", "nothing"},
    {"random_world_cell_near_player", "maps", "0: no cell"},
    {"roll_world_ambient_event", "maps", "nothing"},
    {"send_creature_off_map", "maps", "0: the creature stays"},
    {"stock_world_entries", "maps", "nothing"},
    {"weather_history_average", "maps", "0 degrees, no precipitation"},
    {"world_map_encounter", "maps", "nothing"},
    // objects
    {"age_map_items", "objects", "nothing"},
    {"areal_itemizer", "objects", "0"},
    {"clear_daily_object_flags", "objects", "nothing"},
    {"cre_wielded_item", "objects", "0: empty hands"},
    {"current_object_coverage", "objects", "0: no body part covered"},
    {"discard_items_command", "objects", "nothing"},
    {"examine_carried_equipment", "objects", "nothing"},
    {"exchange_weapons", "objects", "nothing"},
    {"hauled_items_on_map", "objects", "0"},
    {"items_weight_at", "objects", "0"},
    {"obj_name", "objects", "\"item\" or \"items\""},
    {"obj_name_with_unit", "objects", "the record's own name"},
    {"object_maintenance", "objects", "nothing"},
    {"object_protection", "objects", "0: no protection"},
    {"perform_activity", "objects", "remembers the activity for the repeat key only"},
    {"pick_from_command", "objects", "nothing"},
    {"pick_up_command", "objects", "nothing"},
    {"plr_protection_at", "objects", "0: no worn armour"},
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
    {"CurVillage", "society", "nothing"},
    {"add_item_debt", "society", "nothing"},
    {"add_village_item_debt", "society", "nothing"},
    {"assign_village_id", "society", "nothing"},
    {"bear_skull_in_pine", "society", "0"},
    {"capercaillie_ritual_check", "society", "nothing"},
    {"clear_debt_collection", "society", "nothing"},
    {"clear_trade_piles", "society", "nothing"},
    {"count_villagers_on_map", "society", "0"},
    {"cre_weapon_count_at_least", "society", "0"},
    {"create_npc_camp", "society", "nothing"},
    {"distance_to_village", "society", "1000: far away"},
    {"forgive_village_debt", "society", "nothing"},
    {"game_course_event_check", "society", "nothing"},
    {"game_course_screen", "society", "nothing"},
    {"greeting_line", "society", "\"GREET\""},
    {"is_displaced_village_item", "society", "0: no"},
    {"long_absence_greeting", "society", "\"\": no greeting"},
    {"perform_spell_command", "society", "nothing"},
    {"plr_address_term", "society", "\"stranger\" (\"Stranger\" with flag 1)"},
    {"plr_familiarity", "society", "0"},
    {"plr_knowledge_bit", "society", "0"},
    {"quest_journal", "society", "nothing"},
    {"read_quest_record", "society", "0"},
    {"record_village_visit", "society", "nothing"},
    {"refresh_village_debts", "society", "nothing"},
    {"remitemdebt", "society", "0"},
    {"remove_expired_quests", "society", "nothing"},
    {"retire_stale_creature_records", "society", "nothing"},
    {"save_village", "society", "true: nothing to write"},
    {"set_current_village", "society", "nothing"},
    {"set_debt_collection_deadline", "society", "nothing"},
    {"set_debt_collection_state", "society", "nothing"},
    {"spirit_mood_add", "society", "0"},
    {"spirit_mood_message", "society", "nothing"},
    {"start_game_course", "society", "no task is set"},
    {"talk_command", "society", "nothing"},
    {"talk_debt", "society", "nothing"},
    {"talk_with_creature", "society", "nothing"},
    {"village_has_displaced_items", "society", "nothing"},
    {"village_owns_cell", "society", "0: no"},
    {"village_population", "society", "0"},
    {"village_reputation", "society", "0"},
    {"village_turn_hostile", "society", "nothing"},
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
