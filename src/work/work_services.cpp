// Wilderness work services reached by the command keys. Not built yet:
// neutral answers; each command notes its call for the developer's trace.
#include "work/work_services.h"

#include "base/stubs.h"
#include "base/text_ring.h"
#include "console/console.h"
#include "game/player.h"
#include "ui/message_line.h"

uint8_t raised_view_on = 0;
char raised_view_text[100] = "";

// No crafting data is kept open yet.
int close_tekodata() { KSM_STUB("close_tekodata"); return 0; }

void handcraft_options_menu() { KSM_STUB("handcraft_options_menu"); }
void treat_wounds_command() { KSM_STUB("treat_wounds_command"); }

// Not built yet: the task only says so.
void peel_bark() {
    KSM_STUB("peel_bark");
    show_message("!Not available yet.");
}
void cut_branches() {
    KSM_STUB("cut_branches");
    show_message("!Not available yet.");
}
void build_fire() {
    KSM_STUB("build_fire");
    show_message("!Not available yet.");
}
void make_ice_hole() {
    KSM_STUB("make_ice_hole");
    show_message("!Not available yet.");
}
void skin_carcass_command() {
    KSM_STUB("skin_carcass_command");
    show_message("!Not available yet.");
}
void cure_skin() {
    KSM_STUB("cure_skin");
    show_message("!Not available yet.");
}
void tan_skin() {
    KSM_STUB("tan_skin");
    show_message("!Not available yet.");
}
void dehair_skin() {
    KSM_STUB("dehair_skin");
    show_message("!Not available yet.");
}
void clean_skin() {
    KSM_STUB("clean_skin");
    show_message("!Not available yet.");
}
void spin_yarn() {
    KSM_STUB("spin_yarn");
    show_message("!Not available yet.");
}
void ret_plants() {
    KSM_STUB("ret_plants");
    show_message("!Not available yet.");
}
void dry_retted_plants() {
    KSM_STUB("dry_retted_plants");
    show_message("!Not available yet.");
}
void extract_fibre() {
    KSM_STUB("extract_fibre");
    show_message("!Not available yet.");
}
void butcher_carcass_command() {
    KSM_STUB("butcher_carcass_command");
    show_message("!Not available yet.");
}

// Not built yet: no food rots, no patch grows, no track fades.
void rot_pack_food() { KSM_STUB("rot_pack_food"); }
void update_plant_patches(int) { KSM_STUB("update_plant_patches"); }
void purge_old_tracks() { KSM_STUB("purge_old_tracks"); }

// Not built yet: nothing is crafted, built, trapped or butchered; the
// player neither swims nor climbs; no requirement is met.
int Tee(int, int, const char*) { KSM_STUB("Tee"); return 0; }
void skill_dispatcher(const char*) {
    KSM_STUB("skill_dispatcher");
    show_message("!Not available yet.");
}
int plr_swim_roll(int) { KSM_STUB("plr_swim_roll"); return 2; }
void plr_start_swimming(int, int) {
    KSM_STUB("plr_start_swimming");
    Plr.travel_mode = 2;
}
int do_climbing(int, int) { KSM_STUB("do_climbing"); return 0; }
int do_timbercraft(int, int, int, int, int) { KSM_STUB("do_timbercraft"); return 0; }
void stop_dreaming() { Plr.dreaming = 0; }
void set_trap(int, int) { KSM_STUB("set_trap"); }
void bait_trap() { KSM_STUB("bait_trap"); }
void disassemble_trap() { KSM_STUB("disassemble_trap"); }
void trap_menu() { KSM_STUB("trap_menu"); }
int step_into_trap(int, int, int) { KSM_STUB("step_into_trap"); return 0; }
int struggle_in_trap(int, int) { KSM_STUB("struggle_in_trap"); return 0; }
int Kay_Tarvikelista(const char*) { KSM_STUB("Kay_Tarvikelista"); return 0; }
int restore_collect_snapshot() { KSM_STUB("restore_collect_snapshot"); return 0; }
void consume_reserved_ground_items() { KSM_STUB("consume_reserved_ground_items"); }
void use_up_reserved_materials(int, int) { KSM_STUB("use_up_reserved_materials"); }
void place_used_items_on_map() { KSM_STUB("place_used_items_on_map"); }
void parse_requirement_line(const char*) { KSM_STUB("parse_requirement_line"); }
void requirement_selection_context(int, const char*) { KSM_STUB("requirement_selection_context"); }
const char* product_name_from_requirements(const char*) {
    KSM_STUB("product_name_from_requirements");
    return next_ring_text();
}
void work_options_menu(const char*) { KSM_STUB("work_options_menu"); }
int build_structure(int, int) { KSM_STUB("build_structure"); return 0; }
int butcher_carcass(int, int, int) { KSM_STUB("butcher_carcass"); return 0; }
void cre_leave_track(int, int, int, int, int) { KSM_STUB("cre_leave_track"); }
void herblore_register_plant(int, int, const ObjectRecord&) { KSM_STUB("herblore_register_plant"); }
void make_skin_record(int, float, const CreatureRecord&, ObjectRecord&) { KSM_STUB("make_skin_record"); }
void make_tanned_hide_record(int, ObjectRecord&, const ObjectRecord&) { KSM_STUB("make_tanned_hide_record"); }
// Not built yet: everything floats (nothing thrown in is lost) and nothing
// meets a requirement.
int obj_floats(int) { KSM_STUB("obj_floats"); return 1; }
int obj_meets_requirement(int, const ObjectRecord&) { KSM_STUB("obj_meets_requirement"); return 0; }

// Not built yet: a struck trap stays set.
int spring_trap(int) { KSM_STUB("spring_trap"); return 0; }

void show_world_creature_tracks(int) { KSM_STUB("show_world_creature_tracks"); }
