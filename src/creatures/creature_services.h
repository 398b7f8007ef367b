// Services of the creature subsystem that the map code asks for. The
// creature table itself comes with the creature subsystem; until then these
// give neutral answers (see each).
#pragma once

#include <cstdint>

#include "creatures/creature_party.h"
#include "creatures/creature_traits.h"

// One animal population or human group in an area (type, place, radius,
// days, species, count); 10,000 of them are kept in "EXTRAMARKER.DAT".
// The fields are the creature subsystem's; the map code only loads and
// saves the table whole.
struct AreaEvent {
    uint8_t raw[144];
};
static_assert(sizeof(AreaEvent) == 144, "AreaEvent is 144 bytes");
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
// The creature's name for messages ("human" for the player); flag 2 the
// definite form, 4 the form of the "Select target" menu (ring text). Until
// creatures are described, the record's name for every form.
char* creature_name(int creature, int flags);

// Services the map change and the local-map store ask for.
// 1 when a human creature of the cell's culture lives at the world cell.
int site_has_resident_humans(int wx, int wy);
// Clears the creature's task and writes its record to the creature file of
// the stored map of (wx, wy); its permanent identity (sotu).
int store_creature_for_map(int creature, int wx, int wy);
// 1 when the creature of a map entry (data 1000 + slot or a sotu) travels
// with the player to the next map (it follows and can reach the player and
// does not stay behind).
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
void creature_day(int slot);
// Drops the area records whose last day has passed.
void drop_expired_area_events();
// Notes a population of the kind at the player's world position (a kill
// of it, remembered for 30 days).
void add_animal_area_event(int kind);
// count_helping_companions, companion_names_text: creatures/creature_party.h.
struct TaskCreatureView;
// What a long task needs to know about the creature in a slot; false when
// the slot holds none.
bool creature_task_view(int slot, TaskCreatureView& out);

// What the body and the work ask of the creatures.
// 1 when the hide of the named animal makes fur rather than leather; the
// price value of a pelt of that name.
int is_fur_bearer(const char* name);
float pelt_price(const char* name);
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
