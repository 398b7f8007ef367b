// The gear of the cultures: the pickers that choose item types for the
// starting gear and for the people the game makes. Every picker fills the
// one item-name list and ends in Arvo_Esine_Listasta. Not built yet: the
// quality, the clothing variant and the outfit pickers of men's clothes
// answer their plainest choice (see each).
#pragma once

// The item-name list: up to 100 names (a name may stand several times,
// which raises its odds), cleared at the start of every picker.
constexpr int ITEM_NAME_LIST_SIZE = 100;
constexpr int ITEM_NAME_BYTES = 100;
void clear_item_name_list();
// Adds the name; a full list takes nothing more.
void add_item_name(const char* name);
int item_name_list_count();
const char* item_name_list_at(int index);

// The quality grade 2..5 of an item made at an outfit grade. Not built yet:
// 3, the grade of an ordinary item.
int random_item_quality(int grade);
// The clothing variant of an outfit grade (0..2). Not built yet: 1.
int random_clothing_variant(int grade);
// The common last step of every picker: the item type of a name drawn from
// the list ("BRANCH" for an empty list); 0, noted on the "culture!"
// channel, when the catalogue holds no item of that name.
int Arvo_Esine_Listasta();

// The outfit pickers of men's clothes at an outfit level 0-2: an item type,
// 0 for none. Not built yet: 0, nothing worn.
int pick_footwear(int level);
int pick_legwear(int level);
int pick_undershirt(int level);
int pick_shirt(int level);
int pick_headwear(int level);
int pick_belt(int level);
// Pickers of the culture lists kept with the starting gear: an item type.
// Not built yet: 0, no item.
int random_culture_weapon_name(int culture);
int random_sundry_item_name(int culture);
int random_bow_name(int culture);
