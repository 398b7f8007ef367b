// Services of the creature subsystem that the map code asks for. The
// creature table itself comes with the creature subsystem; until then these
// give neutral answers (see each).
#pragma once

#include <cstddef>
#include <cstdint>

#include "creatures/villager_routines.h"  // creature_day
#include "base/platform.h"

#include "creatures/area_events.h"
#include "creatures/creature_party.h"
#include "creatures/encounter_species.h"
#include "creatures/creature_traits.h"

// One animal population or human group in an area; 10,000 of them are
// kept in "EXTRAMARKER.DAT", an image of the whole table. The map code only
// loads and saves the table; creatures/area_events.h keeps it.
struct AreaEvent {
    int32_t type;       // 0 free, 1 animals (a kill remembered), 2 a human group
    int32_t x, y;       // world cell of the centre
    int32_t radius;     // world cells, |dx| + |dy|
    int32_t first_day;  // days_played
    int32_t last_day;   // the last days_played on which it holds
    int32_t key;        // creature kind code
    int32_t count;
    int32_t reserved[28];
};
KSM_RECORD(AreaEvent, 144);
KSM_OFFSET(AreaEvent, type, 0);
KSM_OFFSET(AreaEvent, x, 4);
KSM_OFFSET(AreaEvent, y, 8);
KSM_OFFSET(AreaEvent, radius, 12);
KSM_OFFSET(AreaEvent, first_day, 16);
KSM_OFFSET(AreaEvent, last_day, 20);
KSM_OFFSET(AreaEvent, key, 24);
KSM_OFFSET(AreaEvent, count, 28);
KSM_OFFSET(AreaEvent, reserved, 32);
constexpr int AREA_EVENT_COUNT = 10000;
extern AreaEvent AreaEvents[AREA_EVENT_COUNT];

// 1 when the square is water that is not frozen or holds an open ice hole;
// with x = -1, when any of the 3 x 3 squares around the player is.
int is_open_water_at(int x, int y);
// Heading 0..7 of a creature slot, the player's for -1.
int creature_facing(int creature);
// The kind code of the creature in a slot; -1 for an empty slot.
int creature_kind(int creature);
// The weight (kilograms, whole) of the creature named by a world-map
// entry's data (a template kind code or a creature reference); 0 when
// unknown.
int world_entry_weight(int data);

// cre_is_companion, cre_is_own_animal, cre_is_human, cre_is_female:
// creatures/creature_traits.h.
// The status byte of a creature (9 = tied); 0 for an empty slot.
int cre_status(int creature);
// 1 when a dead creature is fully skinned.
int is_carcass_skinned(int creature);
// 1 when the creature is on the current map (not held away).
int cre_is_present(int creature);
// The creature's name for messages ("human" for the player); the flags of
// creatures/creature_names.h (ring text).
char* creature_name(int creature, int flags);

// Services the map change and the local-map store ask for.
// 1 when a human creature of the cell's culture lives at the world cell.
int site_has_resident_humans(int wx, int wy);
// Clears the creature's task and writes its record to the creature file of
// the stored map of (wx, wy); its permanent identity (sotu).
int store_creature_for_map(int creature, int wx, int wy);
// 1 when the creature of a map entry (data 1000 + slot) travels with the
// player to the next map: the check made on leaving found that it follows
// and can reach the player.
int creature_travels_with_player(int data);

// The body class of a creature (1 human, 2 hare, 3 wolf ...); 0 for an
// empty slot.
int cre_class(int creature);
// The sound a creature makes when it threatens, and its ordinary sound
// ("growl", "bark"), from its record.
const char* cre_aggression_sound(int creature);
const char* cre_sound(int creature);

// Services of the daily update and of long tasks.
// The daily changes of the creature in a slot.
// drop_expired_area_events, add_animal_area_event: creatures/area_events.h.
// count_helping_companions, companion_names_text: creatures/creature_party.h.
struct TaskCreatureView;
// What a long task needs to know about the creature in a slot; false when
// the slot holds none.
bool creature_task_view(int slot, TaskCreatureView& out);

// What the body and the work ask of the creatures.
// is_fur_bearer, pelt_price: creatures/encounter_species.h.
// The command menus of the player's animals (shouted: called from afar)
// and of a companion (1: the talk ends).
void pet_command_menu(int creature, int shouted);
int companion_command_menu(int creature);

// What the body asks of the creatures' hearing: the turn's loudest noise
// becomes `level` at (x, y) when it was no louder (a blow, a shout).
void raise_turn_noise(int x, int y, int level);

// The creature's allies on the map react to its attacker: each checks its
// morale against it or turns on it.
void cre_call_group(int creature, int attacker);
