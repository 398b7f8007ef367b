// What the villages ask of the creatures: a person's identity, culture,
// group and marks toward the player, and the people of a place joining a
// village. The creature records come with the creature subsystem; until
// then each answer is neutral (see each).
#pragma once

#include <cstdint>

// Marks a creature bears toward the player.
enum CreatureSocialMark {
    CRE_MARK_TRAVELLER = 1,     // sees the player as one of the travellers' kind
    CRE_MARK_ACQUAINTANCE = 2,  // knows the player personally
    CRE_MARK_NUISANCE = 3,      // finds the player a nuisance
};

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
// A member gives up every social role it held in its group.
void cre_drop_socroles(int creature);
// Creatures of the current map whose group id is `group`.
int count_group_on_map(int group);
// Takes the carried items marked for storing out of the creature's
// inventory: up to `capacity` ids and counts; the number of kinds taken.
int cre_take_stored_goods(int creature, int* ids, int* counts, int capacity);
