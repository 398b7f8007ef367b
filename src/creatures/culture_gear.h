// The gear of the cultures: the pickers that choose item types for the
// starting gear and for the people the game makes. Every name picker fills
// the one item-name list and draws from it; a name can stand in the list
// several times, which raises its odds.
#pragma once

// The gear level and the region group of a culture: creatures/culture_goods.h.
#include "creatures/culture_goods.h"

// The quality grade 2..5 of an item made at an outfit grade.
int random_item_quality(int grade);
// The clothing variant of an outfit grade (0..2).
int random_clothing_variant(int grade);

// The item-name list the pickers fill (100 names of up to 99 characters).
constexpr int ITEM_NAME_LIST_SIZE = 100;
constexpr int ITEM_NAME_BYTES = 100;
extern char item_name_list[ITEM_NAME_LIST_SIZE][ITEM_NAME_BYTES];
void clear_item_name_list();
// Adds a name to the list; a full list takes nothing more.
void add_item_name(const char* name);
int item_name_list_count();
const char* item_name_list_at(int index);
// The common last step of every picker: the item type of a name drawn from
// the list (exact name), the "BRANCH" type when the list is empty, 0 (noted
// on the "gear" debug channel) when the catalogue has no such name.
int Arvo_Esine_Listasta();

// Item-name pickers: an item type, 0 when none. The weapon picker's flag
// leaves out the staves, clubs and javelins.
int random_knife_name(int culture);
int random_weapon_name(int culture, int flag);
int random_culture_weapon_name(int culture);
int random_sundry_item_name(int culture);
int random_bow_name(int culture);

// The outfit pickers of the clothes people wear, at outfit level 0..2: an
// item type, 0 when the chance gives nothing.
enum OutfitPicker {
    OUTFIT_FOOTWEAR,
    OUTFIT_LEGWEAR,
    OUTFIT_UNDERSHIRT,
    OUTFIT_SHIRT,
    OUTFIT_HEADWEAR,
    OUTFIT_BELT,  // a belt, mittens or socks
    OUTFIT_PICKERS
};
int outfit_item_type(int picker, int level);
// The same, by picker (the people makers' names for them).
int pick_footwear(int level);
int pick_legwear(int level);
int pick_undershirt(int level);
int pick_shirt(int level);
int pick_headwear(int level);
int pick_belt(int level);
