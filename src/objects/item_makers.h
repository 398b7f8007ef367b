// Items that the crafts, quests and villages make from nothing but a name
// or a measure, and the small changes to item records that they ask for.
// Each fills the out record; until the item definitions for them exist the
// out record is left as it was (see each).
#pragma once

#include <cstddef>

#include "creatures/creature_files.h"
#include "objects/object_store.h"

// Applies an armour-coverage tag ("[ARMOUR_COVERAGE:calf knee foot]").
void apply_armour_coverage(const char* tag_text, ObjectRecord& record);
void make_antler_item(ObjectRecord& out, const CreatureRecord& creature);
void make_bark_strip_item(int length, ObjectRecord& out);
void make_fibre_item(const char* plant, ObjectRecord& out);
void make_garment_strip_item(const char* name, ObjectRecord& out);
void make_hare_paw_item(const char* name, ObjectRecord& out);
void make_herb_item(const char* name, ObjectRecord& out);
// The "Wedge of Ukko" weapon.
void make_wedge_item(ObjectRecord& out);
void make_yarn_item(int length, ObjectRecord& out, const char* plant);
// The record of a new bag of that capacity.
void obj_put_in_new_bag(int capacity, ObjectRecord& out);
