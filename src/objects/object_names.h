// The words for items: display names with their quality and state words,
// plurals, leash, hook and string notes, plant names as the player knows
// them, measure words, the category names of the item lists, the condition
// of a bowstring, the tile picture of an item, and weights and lengths in
// the units the player chose. Texts are ring texts unless noted; names are
// lower case (the message line capitalises them where a sentence begins).
#pragma once

#include "objects/object_store.h"

// The record that obj_name and obj_name_with_unit name for the id -1.
extern ObjectRecord naming_scratch;

// Flags of obj_name and obj_name_with_unit.
constexpr int NAME_WITH_COUNT = 0x1;     // "%d %s" for a count above 1 (obj_name_with_unit)
constexpr int NAME_NO_QUALITY = 0x2;     // no quality word
constexpr int NAME_NO_QUALITY_2 = 0x4;   // the same, as other callers pass it
constexpr int NAME_PLANT_ENTRY_1 = 0x8;  // a plant by entry 1 of the plant names
constexpr int NAME_PLANT_SPECIES = 0x10; // a plant by its species
constexpr int NAME_CONTENTS = 0x20;      // the contents instead of the container

// The quality word of the record's row for a grade (clamped to 1..5).
const char* obj_quality_word(const ObjectRecord& record, int grade);
// The display name of an object (-1: naming_scratch) for a count; "" for an
// id that is no object.
const char* obj_name(int object_id, int count, int flags);
// The name with its measure ("2 bundles of ...", "rope (15 ft)") or, for a
// container, its contents ("bag of flour"); the naming most callers use.
char* obj_name_with_unit(int object_id, int count, int flags);
// A plant as the player knows it ("unknown" without plant knowledge); the
// skill text of anything that is not a plant.
const char* obj_name_by_plant_knowledge(const ObjectRecord& record);
// The heading of an item class in the item lists ("" for a class without
// one); a buffer of its own, valid until the next call.
const char* obj_category_name(int item_class);
// "This bowstring is in good condition." and the like; "" for anything that
// is neither a bow nor a bowstring.
const char* bowstring_condition_text(const ObjectRecord& record);

// The tile picture of an object: its own tile, else a picture by its
// symbol code and the words of its name ("" when neither gives one).
const char* object_tile_name(const ObjectRecord& record);
// Every picture the symbol fallback can name, for the installation check:
// up to `capacity` names into `out`; the count of all.
int symbol_fallback_tiles(const char** out, int capacity);

// A weight given in pounds, in the UNITS setting's units ("METRIC":
// kilograms, 454 g a pound) with UNITS_PRECISION decimals. Flags: 1 no
// decimals, 2 no unit word, 4 the unit word alone, 0x10 never the small
// unit (ounces or grams).
char* weight_text(int flags, double pounds);
// A length given in feet (metres are a third of the feet). Flags: 1 no
// decimals, 2 no unit word, 4 the unit word alone, 8 the whole length in
// the small unit; below a tenth the small unit (inches or centimetres).
char* length_text(int flags, double feet);
// The weight of `count` of an object, a container's own weight included.
char* item_weight_text(int object_id, int count);

// The name of entry `index` of the plant names that the flora data load
// (unknown plants are shown under them); "" when there is none.
const char* plant_name_entry(int index);
