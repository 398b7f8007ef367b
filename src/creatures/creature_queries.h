// Services of the creatures that the objects, the map generation and the
// creatures' own turns ask for: a creature's turn, making creatures, what a
// creature is, sees and wants, its items, and the player's movement mode
// and hauling. Each takes a creature slot of the current map (-1 the player
// where it says so). Making creatures (creature_species.h), what a creature
// is (creature_traits.h), the societies (creature_society.h) and the party
// (creature_party.h) are built; the rest gives neutral answers (see each).
#pragma once

#include "creatures/creature_inventory.h"

#include <cstdint>

#include "creatures/creature_party.h"
#include "creatures/encounter_species.h"
#include "creatures/creature_society.h"
#include "creatures/creature_species.h"
#include "creatures/creature_traits.h"

struct CreatureRecord;

// One creature's turn on the local map (the Data index of its kind-4 record).
void CreatureAct(int map_index);
// Its activity by its movement mode (fighting, fleeing, about its
// business); a mode of no activity becomes 0.
int ActIt(int creature);
// The behaviour turn of its kind: people, spirits, the other animals.
void cre_behaviour_turn(int map_index);
// 1 when the ice under the creature at (x, y) broke this turn.
int cre_check_ice_under(int x, int y, int creature);
// The behaviour turns the creature-turn dispatch gives a creature by its
// class (the Data index of its record): people, other animals and birds
// (non-zero when a step ended the turn early), and spirits.
int Ela_Ihminen(int map_index);
int Ela_Elain(int map_index);
void spirit_creature_turn(int map_index);
// A step of a creature onto the neighbouring cell (x, y): 1 possible (and
// made with commit), 100 it stayed (a door opened, a failed climb), 101
// refused, 103 blocked by the terrain or the ice, 104 held by a trap
// (creatures/creature_walk.cpp).
int Liikkuminen(int creature, int x, int y, int commit);
// Whether an animal crosses the fence cell (x, y): 1 or 103.
int cre_fence_pass(int x, int creature, int y);
// Whether a person may close the door at (x, y) behind it: 0 it stays open.
int cre_doorway_clear(int creature, int x, int y);

// The map record at the square holding a watercraft (an item of class 9,
// sub-kind 13); -1 when none.
int find_watercraft_at(int x, int y);
// A dead creature's description ("elk carcass", "dead elk" ...), ring text.
const char* carcass_text(int creature);
// The same for a dead creature's record that is in no slot of the table.
const char* carcass_text_of_record(const CreatureRecord& dead);
// choose_encounter_species: creatures/encounter_species.h.

// What a creature is, beyond creature_traits.h.
int cre_are_allies(int creature_a, int creature_b);
int cre_is_aquatic(int creature);
int cre_is_kept_animal(int creature);
// Which diet mask of the predator the other creature matches (0, 1, 2).
int cre_prey_match(int predator, int other);
// 1 when the other creature is game for a human hunter.
int cre_is_game_for(int hunter, int other);

// What a creature sees and does.
int cre_notices_player(int creature);
int cre_can_notice(int creature);
void cre_sense_step(int creature, int strength);
int cre_threat_test(int creature);
int cre_would_attack(int creature, int mode);

// A creature's items (creatures/creature_inventory.h); taking an item from
// the map is picking it up.
inline void cre_take_map_item(int creature, int map_index, int count) { cre_pick_up_item(creature, map_index, count); }
inline int cre_pick_up_map_item(int creature, int map_index, int count) {
    return cre_pick_up_item(creature, map_index, count) ? 1 : 0;
}

// Tells the player that the creature followed along a trail is just ahead,
// out of sight (at the square where the trail ends).
void trail_end_notice(int x, int y, int flag);

// The player's movement mode (leaving hauling lets go of the hauled things
// first). Facings and the end of hauling: creatures/movement_modes.h.
void plr_set_movement_mode(int mode);
