// What the village, quest and console code asks of the creatures: the
// task queue, deaths, pets and escorts, carcasses, and the culture tables of
// people, names and goods. The subsystems that own them are still to come;
// until then each is a named stub with a neutral answer (see each).
#pragma once

#include <cstddef>

#include "creatures/creature_record.h"
#include "creatures/culture_gear.h"  // the item-name pickers
#include "creatures/culture_goods.h"
#include "creatures/task_queue.h"
#include "creatures/creature_species.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_traits.h"
#include "creatures/creature_names.h"  // record names, carcass words
#include "creatures/food_seeking.h"    // food seeking, pack eating
#include "creatures/village_reactions.h"  // trade terms, mischief

// A creature's doing told to the player: as seen when the player sees its
// square, as heard within hearing range; creature -1 is always shown.
// Answers 1 when a message was shown.
int cre_action_message(int creature, const char* seen, const char* heard);  // seen when in view

// The task queue (creatures/task_queue.h) and the movement steps and area
// searches it asks.
struct AreaFind;
struct TaskPoint;
// Each answers x, y (and the record of the object searches), all 0 when
// nothing was found (creatures/creature_searches.cpp): a terrain code a or
// b within the rings, a record of kind a or b within twice the radius, an
// item within 20 squares meeting the requirement.
AreaFind find_object_kind_near(int x, int y, int radius, int kind_a, int kind_b);
AreaFind find_terrain_near(int x, int y, int rings, int code_a, int code_b);
AreaFind find_item_meeting_requirement_near(int x, int y, int requirement);
TaskPoint cre_find_exit_point(int creature);  // creatures/human_turn.h

// A robber snatches the player's valuables, the most valuable first (at
// most 10; a thing worth under a third of the last one taken and under 96
// is left, and armour once more than two things went); each name with its
// measure joins robbery_taken_text, followed by ", ". With check set
// nothing is taken, only listed, and nothing at all unless the player
// carries less than when the robbery began (robbery_noted_load, noted by
// the robbery talk). The number taken or listed.
int cre_snatch_player_items(int creature, int check);
constexpr int ROBBERY_TEXT_SIZE = 512;
extern float robbery_noted_load;
extern char robbery_taken_text[ROBBERY_TEXT_SIZE];
void reset_robbery_state();


// A creature's life and company.
void cre_die(int creature, int value);                  // nothing
void cre_make_foe(int creature);                        // nothing
void cre_make_sound(int creature);                      // creatures/animal_turn.h

// Records that are not in the table.
float animal_value(const CreatureRecord& creature);                    // 0
void list_creature_yields();                                           // nothing


// The cultures' people, names and goods (the rest: creatures/culture_goods.h).
int random_culture_meat_food(int culture);                   // 0: no object
