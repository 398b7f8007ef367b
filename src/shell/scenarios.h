// The last steps of character creation: the new world and its files, the
// start-up scenarios "RNDCAMP.%d", the game course, the starting gear and
// the portrait lists.
#pragma once

#include <string>

constexpr int MAX_SCENARIOS = 30;  // rows the scenario list can show
constexpr int MAX_PORTRAITS = 50;

// Deletes every "*.MAP", "*.DAT" and "*.PLM" file (any letter case) in the
// folder; returns how many went.
int delete_old_map_files(const std::string& folder);
// Old map files go, the world is generated, a scenario chosen and the
// constant objects and creature files written.
void prepare_new_world();

// Reads "RNDCAMP.n": title and description; false when it can't be opened.
bool read_scenario_heading(int n, char* title, int title_cap, char* description, int description_cap);
// How many scenario files there are, in order from 0 (at most MAX_SCENARIOS).
int count_scenarios();
// Writes "<folder>/story.txt" from "RNDCAMP.n"; false when the scenario
// can't be read or the story can't be written.
bool write_story_file(const std::string& folder, int n);
const char* select_startup_scenario();
int apply_scenario(int n);
void show_screen_title(const char* title);
// The item types of a new character: the catalogue, then the plant types;
// written to the character folder's "CONSTANT.OBJ" (the program ends with
// "ERROR! Couldn't write CONSTANT.OBJ" when it can't be) and copied to the
// working folder.
void write_constant_objects();
void select_game_course();

void give_starting_gear();
// Puts items into the player's inventory; false when there is no room.
bool give_item(int item_type, int amount);
bool give_made_item(int item_type, int amount, int quality);

// The portrait list: up to 50 names of "truegfx/<prefix>*.png".
extern char portrait_list[MAX_PORTRAITS][100];
extern int portrait_count;
void list_portrait_files(const char* prefix);
// A portrait unlike the player's own; gives up after a bounded number of
// tries. "" when the list is empty.
const char* random_portrait_name();

// Writes "<folder>/<folder>.OBJ": the whole object store; false on failure.
bool write_object_store(const char* folder);
// Finds an item type by name (any letter case); -1 when none.
int item_type_named(const char* name);
