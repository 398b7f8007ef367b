// Wilderness work: crafting, food and drink, wound care and tree climbing,
// as the command keys reach them. Not built yet: each command notes its
// call and does nothing.
#pragma once

#include <cstdint>

#include "work/eating.h"  // drink_command ("q"), eat_command ("E", "e")

// The raised view of a climbed tree: the flag and its short text.
extern uint8_t raised_view_on;
extern char raised_view_text[100];

// 1 when a crafting-data file was open (it is closed); called every command.
int close_tekodata();
void handcraft_options_menu();  // "M", "+", "="
void treat_wounds_command();    // F7
// The player's tasks of the wild that the activity codes start. Not built
// yet: "!Not available yet.".
void peel_bark();                // 5
void cut_branches();             // 32
void build_fire();               // 33, "f"
void make_ice_hole();            // 35
void skin_carcass_command();     // 36
void cure_skin();                // 37
void tan_skin();                 // 38
void dehair_skin();              // 39
void clean_skin();               // 43
void spin_yarn();                // 280
void ret_plants();               // 281
void dry_retted_plants();        // 282
void extract_fibre();            // 283
void butcher_carcass_command();  // 454, "b"
// The daily work of the land: food in the pack rots, plant patches follow
// the season, old tracks fade.
void rot_pack_food();
void update_plant_patches(int value);
void purge_old_tracks();

// ------------------------------------------------------------ what the body,
// the creatures and the objects ask of the work. Not built yet: neutral
// answers, each noted as a stub call.

struct ObjectRecord;
struct CreatureRecord;

// The crafting task of an activity (its code, a requirement type code or 0,
// its data text); 1 when something was made.
int Tee(int activity, int argument, const char* text);
// Starts the task that belongs to a skill name chosen on the skills screen.
void skill_dispatcher(const char* skill);
// The swimming roll (grade 0..3, -1 when the player sinks) and the start of
// a swim into a water cell.
int plr_swim_roll(int mode);
void plr_start_swimming(int x, int y);
// Climbing to (x, y), or to a cell the player picks for 0, 0: 1 when the
// player got up (or came back down from a tree).
int do_climbing(int x, int y);
// Timber work of a worker (-1 the player) at x, y with an activity code
// 2, 3, 4 or 6: 1 done or possible, 0 refused or cancelled, -1 refused for
// a creature. The prepare-only call only tells whether it could be done.
int do_timbercraft(int worker, int x, int y, int activity, int prepare_only);
// The dreams of an altered consciousness end.
void stop_dreaming();
// The trap commands.
void set_trap(int kind, int slot);
void bait_trap();
void disassemble_trap();
void trap_menu();
// A creature (-1 the player) steps onto (x, y): 1 when a trap fired. A
// creature caught in the trap of Data record `trap` struggles: 1 while it
// stays caught, 0 when it is free.
int step_into_trap(int creature, int x, int y);
int struggle_in_trap(int trap, int creature);
// Tasks' requirements: the requirement screen (non-zero when the task may
// go on), undoing a cancelled task's item collection (non-zero when both
// snapshot files were read back), and the reserved materials.
int Kay_Tarvikelista(const char* title);
int restore_collect_snapshot();
void consume_reserved_ground_items();
void use_up_reserved_materials(int x, int y);
void place_used_items_on_map();
void parse_requirement_line(const char* line);
void requirement_selection_context(int type, const char* name);
// A product name built from the chosen items ("" when none; ring text).
const char* product_name_from_requirements(const char* product);
// The ring of requirement files a task's tables are saved in.
constexpr const char* REQUIREMENT_RING_FILE = "KAYTTO%d.DAT";
// The options menu of a work ("BUILDING", "TRAPPING", "TEXTILECRAFT",
// "FISHING").
void work_options_menu(const char* name);
// Building: a paused construction kept at x, y; a structure built (or
// continued with code 0): 1 when the work finished.
void build_pause(int x, int y, int structure, int minutes_done, int minutes_needed);
int build_structure(int structure, int deconstruct);
// Butchering a carcass object by a worker: mode 0 only checks, mode 1
// works; 1 when work was done or goes on.
int butcher_carcass(int carcass_object, int worker, int mode);
// A creature's step may leave a track.
void cre_leave_track(int creature, int from_x, int from_y, int to_x, int to_y);
// Plant knowledge: a plant known (flag) or to be learned at difficulty ML.
void herblore_register_plant(int known, int ml, const ObjectRecord& plant);
// The skin of a creature as an item record, and a tanned hide of a skin.
void make_skin_record(int grade, float share, const CreatureRecord& creature, ObjectRecord& out);
void make_tanned_hide_record(int quality, ObjectRecord& out, const ObjectRecord& skin);
// The missile tracer (obstacle_height_at, trace_missile_flight) is in
// work/missile_tracer.h.
struct ObjectRecord;
// 1 when the object stays afloat on water.
int obj_floats(int object_id);
// 1 when the object satisfies the requirement (a code of the requirement
// tables).
int obj_meets_requirement(int requirement, const ObjectRecord& record);

// A kick or blow springs the set trap of the map record: 1 when it sprang.
int spring_trap(int map_index);

// The tracks of a world creature entry (the map record) shown to the
// player who found them. Not built yet: nothing is shown.
void show_world_creature_tracks(int map_index);
