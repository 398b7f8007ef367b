// Making creatures: every creature of the game comes out of
// creature_template (kind) in the working record CreScratch: the defaults,
// the maker of its kind (a species maker for the animals, the people and
// spirit makers of people_makers.h), its kind code, its culture masks and
// its own weight and food reserve.
//
// Kind codes: 500-590 people, 600-660 animals, 700-702 spirits. A kind with
// no maker gets the defaults and its kind code alone (class 0, weight 0).
#pragma once

#include <cstdint>

#include "creatures/creature_record.h"

constexpr int CULTURE_WANDERING = 10;      // off the map, and any code outside 0..13
constexpr int CULTURE_TEXT_BYTES = 1024;
constexpr int CREATION_OPTIONS_BYTES = 1024;

// Bare flags the makers read: "[young]", "[male]", "[female]". Cleared by
// creature_template unless keep_creation_options is set.
extern char creation_options[CREATION_OPTIONS_BYTES];
extern uint8_t keep_creation_options;
// The culture of the place where the creature is made: its word, first
// letter upper-cased ("Kaumolais"), or "wandering" off the map, and its code.
extern char creation_culture_word[64];
extern int32_t creation_culture;
// Set by creature_template_for_culture for one call: the culture to use
// instead of the player's place.
extern uint8_t forced_culture_on;
extern int32_t forced_culture;
// Words naming cultures, written by the makers and turned into the three
// culture masks after the maker.
extern char culture_tags[3][CULTURE_TEXT_BYTES];

// The making switches, options and culture back to their start (the
// per-game reset).
void reset_creature_making();

// Makes the kind in CreScratch; the food reserve it rolled.
int creature_template(int kind);
// The weight and food-reserve step (the last of creature_template).
int creature_roll_weight();
// creature_template in the culture given; the group id goes into lauma
// when above 0; the record is copied to out. The food reserve.
int creature_template_for_culture(int kind, int culture, CreatureRecord& out, int group);
// A young creature of the kind (only the species that have young read the
// option) copied to out; 1.
int make_young_creature(int kind, CreatureRecord& out);
// A wolf that eats thrown bread, copied to out; CreScratch keeps the wolf
// made, awake at every hour. 1.
int make_wolf_creature(CreatureRecord& out);

// 1 when the text names the culture: its three-letter code, its region word
// ("eastern", "western", "northern") or "all", each a whole word.
int text_mentions_culture(const char* text, int culture);
// The culture word of a code (first letter upper-cased); "wandering" for
// any code outside 0..13.
const char* culture_word(int culture);

// Clears the personal values of a domestic animal; aggressiveness below 30.
void domestic_temperament();
// The personal values of a person placed by an encounter or the console.
void cre_roll_personal_values(CreatureRecord& record);
// 2 to the power i for i 0..15; 0 otherwise.
int bit_value(int i);
// Sets the bit in the last byte of the attitude block when the opponent is
// the player (-1). The value is not read.
void cre_mark_attitude_bit(int value, int opponent, CreatureRecord& record, int bit);
// Notes the death of a creature of a hunted kind as an animal area event at
// the player's world position.
void cre_record_death_event(int slot);

// The animal kinds that have a species maker, in table order; their count.
int species_kind_count();
int species_kind_at(int index);
