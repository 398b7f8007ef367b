// The peoples of the land and their goods: the culture table and its
// queries, the robbers and neighbours of a culture, the animals of its
// villages and of its lands, the pickers of its item lists, and the furs,
// garments, yarn and caches of goods made from them. Every picker answers
// an item type (0 for none) through the item-name list of culture_gear.h.
#pragma once

#include "creatures/culture_gear.h"

struct ObjectList;

constexpr int CULTURE_COUNT = 14;
// Region groups of the cultures.
constexpr int REGION_NONE = 0;
constexpr int REGION_EAST = 1;
constexpr int REGION_WEST = 2;
constexpr int REGION_NORTH = 3;

// The culture's name ("Kaumolainen"), its lower-case word ("kaumolais")
// and its three-letter code ("kau"); "" outside 0..13.
const char* culture_name(int culture);
const char* culture_lower_word(int culture);
const char* culture_code(int culture);
// The gear level 2..5 (3 outside 0..13) and the region group (0 outside).
int culture_gear_level(int culture);
int culture_region(int culture);

// The culture of the robbers that trouble the culture, and one of its
// neighbours, drawn evenly; 10 for any culture without a row.
int random_robber_culture(int culture);
int random_neighbour_culture(int culture);
// A kind kept in the culture's settlements; the dog (618) one time in five.
int random_village_animal_template(int culture);
// A template kind whose culture mask has the culture, of neither class 0
// nor class 1: mode 1 the first mask, 2 the second, 3 the first for kinds
// of at most 12 kg, 4 the second for birds (class 21) only. 0 when none.
int random_culture_template(int culture, int mode);
// The lower-case name of a mode-1 kind of the culture, "animal" when none
// (ring text).
const char* random_culture_animal_name(int culture);

// The pickers of the culture lists.
int random_everyday_knife_name(int culture);
int random_jewellery_name(int culture);
int random_arrow_name(int culture);
int random_fishing_gear_name();
// The warrior peoples' armour (t 11 or 12; any other t gives the "BRANCH"
// of an empty list), with or without the heavy pieces.
int random_headgear_name(int t, int armour);
int random_body_armour_name(int t, int armour);
int random_limb_armour_name(int t, int armour);
int random_tool_name(int culture);

// Object ids of new instances, 0 when nothing could be made.
// A finished fur or leather item of an animal of the culture's lands.
int make_culture_fur_item(int culture, int quality);
// The same of a small animal of the culture (quality 3).
int make_small_fur_item(int culture);
// The same of a reindeer (quality 1).
int make_template_fur_item();
// Garments of a random word, graded 5.
int make_random_footwear();
int make_random_trousers();
int make_random_upper_garment();
// A yarn, 150 feet long, of a fibre plant of the culture.
int make_fibre_plant_item(int culture);
// A cache of goods of the culture: 5-7 picks by its region group, then 0-2
// jewellery, at most 63 entries (DATA the object id, amount set). The
// entries filled.
int random_culture_item_set(int culture, ObjectList& list);
