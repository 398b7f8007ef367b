// The creature table on a map: the passes that run when a map is entered
// (creature_mess, cre_maintenance) and when it is stored, taking creatures
// off the map and bringing held ones back, and the small queries that read
// or stamp a creature record.
#pragma once

#include <cstdint>

#include "creatures/creature_record.h"

// Raised by cre_maintenance while the creatures catch up with the time the
// player was away: nearness to the player reads as far.
extern uint8_t creature_catch_up;
inline uint8_t& catch_up_flag = creature_catch_up;
// The same flag as the map entry knows it: set while a map is entered and
// its contents aged; every creature counts as up while it is set.
inline uint8_t& map_entry_flag = creature_catch_up;
// Raised while the map is not redrawn (the catch-up).
extern uint8_t creature_no_redraw;
// Turns of the per-turn map-object update that the next map entry runs
// first (set before a map change).
extern int32_t pending_catch_up_turns;
// The creature class whose trail the player followed into the map (0 none);
// the map entry hands the creature at the trail's end to the notice.
extern int32_t followed_trail_class;

// Takes creature slot cr off the current map (its object is freed; the
// slot keeps its record until the next map entry). Nothing on the world map.
void Poista_Olento(int cr);
// Brings the held creature with sotu s back onto the map; 1 when one was
// held.
int release_held_creature(uint32_t s);

// The map's creature objects become loaded slots: generated creatures get
// records, every creature is loaded into the table and its object names
// its slot.
void creature_mess();
// The creatures catch up with the time that passed while the player was
// away.
void cre_maintenance();

// While the current map is stored: each creature object's DATA (1000 +
// slot) stands for the creature's reference; the end puts the slots back.
// Nests: only the outermost pair converts.
void creature_references_begin();
void creature_references_end();

// After the map-object table renumbered its records: the targets of the
// loaded creatures' tasks 80 and 81 follow their records.
void creature_tasks_renumbered(const int16_t* old_to_new);

// ------------------------------------------------------------ queries

// Months of age; 33 for a creature whose birth is unset.
int cre_age_months(const CreatureRecord& record);
// Counts of the file's creatures of group g: [0] dead, [1] the others,
// [2] with an acquaintance value, [3] injured, [4] fleeing; each at most 255.
void count_group_in_crs(int32_t g, uint8_t out[5]);
// A dead body's burnt share in per cent (0..100) and its words in out
// (out_size bytes); 0 and "" when it is not burnt.
int burnt_degree_text(char* out, int out_size, const CreatureRecord& record);
void mark_carcass_skinned(CreatureRecord& record);
int is_carcass_skinned(const CreatureRecord& record);
int carcass_skin_left(const CreatureRecord& record);
// Nearness to the player; far (0, 50) during the catch-up.
int is_adjacent_to_player(int x, int y);
int distance_to_player(int x, int y);
// The people of the map with no group whose home is the culture of world
// cell (x, y) join group g; 0 on the world map or when the cell is not on
// the local map.
int group_region_residents(int x, int y, int32_t g);
struct GamePlace {
    int x, y;
};
// The heaviest game known to the player's culture near the player: its
// record in out and its place (0, 0 when none).
GamePlace find_largest_game_nearby(CreatureRecord& out);

// An adult female elk, bear or forest reindeer brings forth a young one
// beside her (by chance, or always with force); elk and bear mothers share
// a new group with it. 1 when one was made.
int cre_spawn_kin(int mother, int force);
