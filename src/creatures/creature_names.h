// How the game names and describes a creature: its name in a chosen form,
// the one-line look of a creature with its state, injuries and ties to the
// player, the description of a carcass, and the information sheet.
// creature_name itself is declared in creatures/creature_services.h,
// carcass_text in creatures/creature_queries.h.
#pragma once

#include <cstddef>

#include "creatures/creature_record.h"

// creature_name flags.
constexpr int NAME_KIND_ONLY = 1;    // the plain kind word
constexpr int NAME_DEFINITE = 2;     // "the" where no personal name is shown
constexpr int NAME_LONG = 4;         // "Aino the hunter", "dog called Rex"
constexpr int NAME_ALWAYS_OWN = 8;   // "<personal name> the <kind>"

// name_known bits.
constexpr uint8_t NAME_KNOWN = 0x1;
constexpr uint8_t NAME_GIVEN_BY_PLAYER = 0x2;

// An old-style name "<Personal>' the <kind>" is cut to its kind and the
// personal name counts as known.
void cre_upgrade_old_name(int creature);
// creature_name of a record that is in no slot of the table (a template, a
// record of the creature file); no table slot changes. Ring text.
const char* creature_record_name(int flags, const CreatureRecord& c);
// "small ", "big " or "" for an animal against its kind's weight.
const char* cre_size_word(const CreatureRecord& c);
// The one-line look of the creature: for a dead one the size word and its
// long name; for a living one its state, action, injuries, size and long
// name, then where it is and its ties to the player (ring text).
const char* describe_creature_look(int creature);
// The used share of a carcass (0-100) with its word ("partly eaten", ...).
int carcass_used_percent(int carcass, char* out, size_t cap);
// Days since death by season: 0 fresh, 25 "rotten", 100 "decaying".
int carcass_decay_text(int carcass, char* out, size_t cap);
// The composed text of the information sheet of a creature (tagged text).
const char* creature_info_text(int creature);
// The information sheet of a creature: its look, notes, weapons, wounds,
// what it wears and carries; any key closes it.
void creature_info_sheet(int creature);
