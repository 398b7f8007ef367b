// What the villages ask of the creatures: who belongs to a society (a
// village or a camp group, its lauma) and which of them sees the player or
// is nearest, the social roles handed out inside a group, a person's
// identity, culture, group and marks toward the player, and the people of a
// place joining a village. The answers not built yet are neutral (see each).
#pragma once

#include <cstdint>

// Marks a creature bears toward the player.
enum CreatureSocialMark {
    CRE_MARK_TRAVELLER = 1,     // sees the player as one of the travellers' kind
    CRE_MARK_ACQUAINTANCE = 2,  // knows the player personally
    CRE_MARK_NUISANCE = 3,      // finds the player a nuisance
};

// ------------------------------------------------------------ societies
// A society member: a human of a group (lauma), no foreign trader, no
// companion and not kept out of societies (map_flags 0x04).
int cre_is_society_member(int creature);
// A member of the society who is up, awake and sees the player's square:
// the first whose own square the player sees, else the nearest; -1000 none.
int find_society_witness(int society);
// The nearest member that is up and awake; -1000 none.
int find_nearest_society_member(int society);
// 1 for a member, not a child, that is its society's nearest.
int cre_is_nearest_of_society(int creature);
// Chebyshev distance from the player to the nearest member, awake or not;
// 1000 none.
int society_member_distance(int society);
// The first creature of the group that served the player and awaits pay;
// -1000 none.
int find_unpaid_server(int group);
// Social roles 0..7 inside a group: whether the member holds the role
// (when nobody of its group on the map does, the role is handed out first
// and the answer is 0), the handing out, and dropping every role a member
// held from its whole group.
int cre_has_socrole(int creature, int role);
void assign_socrole(int group, int role);
void cre_drop_socroles(int creature);
// The same under the names the villages use.
inline int nearest_awake_villager(int village) { return find_nearest_society_member(village); }
inline int village_member_distance(int village) { return society_member_distance(village); }

// The creature's permanent identity (sotu); 0 for none.
uint32_t cre_sotu(int creature);
// The creature's culture code; -1 when it has none.
int cre_culture(int creature);
// The group id (lauma) the creature shares with its group; 0 for none.
int cre_group_id(int creature);
// How many times the creature has met the player.
int cre_meeting_count(int creature);
// 1 for a villager: a human with a group id, no companion, no foreign
// trader, neither fleeing nor bound.
int cre_is_villager(int creature);
int cre_has_social_mark(int creature, int mark);
void cre_set_social_mark(int creature, int mark);
// The people in the local rectangle who belong to no group join the group;
// the count that joined.
int assign_group_to_ungrouped_people(int x, int y, int w, int h, int group);
// Creatures of the current map whose group id is `group`.
int count_group_on_map(int group);
// Takes the carried items marked for storing out of the creature's
// inventory: up to `capacity` ids and counts; the number of kinds taken.
int cre_take_stored_goods(int creature, int* ids, int* counts, int capacity);
