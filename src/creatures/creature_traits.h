// What a creature of the current map is, the small questions the game asks
// before it acts on one: its body, whether it is a person or an animal,
// whether it belongs to the player or to somebody, whether it is down,
// asleep, aloft or under water, whether it is up at this hour, what it sees,
// and its sizes and heights. Each takes a slot of the creature table; -1
// stands for the player where a line says so, and every other index below
// 0 or past the table answers 0.
#pragma once

#include <cstdint>

// Persons and bodies.
int cre_is_human(int creature);           // 1 for the player (-1) and class 1
int cre_is_not_human(int creature);       // not the player and not class 1
int cre_is_spirit(int creature);          // class 50
int cre_has_bird_body(int creature);      // class 21
int cre_is_bird(int creature);            // class 21, mobility 64 or 128; -1 asks CreScratch
int cre_has_hooves(int creature);
int cre_is_robber(int creature);          // status 20
int cre_is_leashed(int creature);         // status 9
int cre_is_female(int creature);          // status 14, or a child (15) named "girl"
int cre_is_old_man(int creature);         // a man named "* old *", not a shaman
int cre_is_young(int creature);           // an animal with the young bit
int cre_is_aggressive(int creature);      // move mode 2 or 99
int cre_is_flying_high(int creature);     // air_state 100
int cre_is_diving(int creature);          // air_state -100
int cre_body_state(int creature);         // body_state; the player's for -1
// 1 for the player; 0 for people; 1 when either diet word has a hunting
// bit; else the record's predator byte.
int cre_is_predator(int creature);
// 0 for the player and people; which 1 asks diet1, 2 diet2, else both: 1
// when a forage bit is set.
int cre_is_forager(int creature, int which);
int cre_is_marked_wolf(int creature);     // a wolf (611) that eats thrown bread

// Whose it is.
int cre_is_own_animal(int creature);      // an animal leashed (9) or owned by the player
// owner -1: as cre_is_own_animal; else an animal marked as owned whose
// owner is that creature's sotu.
int cre_belongs_to(int creature, int owner);
int cre_is_free_animal(int creature);
int cre_is_leashable(int unused, int creature);
// 1 for a party member; a human in move mode 6 joins the party here.
int cre_is_companion(int creature);
// 1 for a creature the day catch-up keeps when it is away from every
// settlement.
int cre_is_kept(int creature);
// 1 when the creature is up at this hour; move mode 3 is put back to 0.
int cre_is_active_hour(int creature);
// 0 asleep or down; else whether the point lies in its view in its facing.
int cre_can_see_point(int creature, int x, int y);
// The same with the creature's own square given (a search that walks the
// map's records has it at hand).
int cre_can_see_point_from(int creature, int from_x, int from_y, int x, int y);

// Leaders and followers, and what it carries.
int cre_leader_present(int creature);
int cre_has_follower(int creature);
int cre_has_two_weapons(int creature);
// The first creature on the map that belongs to the owner; -1000 none.
int cre_find_owned_animal(int owner);
// Where the leash a tied creature is tied with lies (x, y); 1 when found.
// Not found, 0 and (0, 0), and the creature is no longer tied (unless the
// player is between maps).
int cre_find_leash_holder(int creature, int* x, int* y);

// Sizes and heights.
float cre_crust_load_factor(int creature);  // share of its weight on snow crust and ice
int cre_body_height(int creature);          // centimetres
float cre_target_size(int creature);        // for missiles
float cre_elevation(int creature);          // for aiming

// The same questions under the names other parts of the game use.
inline int cre_is_tame_kind611(int creature) { return cre_is_marked_wolf(creature); }
inline int cre_eats_plants(int creature, int diet_mode) { return cre_is_forager(creature, diet_mode); }
inline int cre_is_active_time(int creature) { return cre_is_active_hour(creature); }
inline int is_old_man(int creature) { return cre_is_old_man(creature); }
inline int cre_first_pet(int owner) { return cre_find_owned_animal(owner); }
