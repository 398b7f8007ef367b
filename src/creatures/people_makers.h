// The makers of people (kinds 500-590) and spirits (700-702), called by
// creature_template after the defaults: a personal name from the lists of
// the culture, rolled attributes, a weapon skill, temperament by home
// culture, clothes, weapons, tools and sundries of the culture, and a
// picture by the culture group of the place. They work on CreScratch.
#pragma once

#include <cstdint>

struct CreatureRecord;

constexpr int CULTURE_RORORAD = 11;
constexpr int CULTURE_FOREIGN = 12;

// Set while the templates file is made: a template is no one, so its
// garments and goods are item types, and no instance goes into the object
// store for it.
extern uint8_t making_templates;

// Makes the person or spirit of the kind in CreScratch; false for a kind
// that is neither.
bool make_person_kind(int kind);

// The common part of every person (home culture, or -1 for the culture of
// the place).
void make_person_base(int home_culture);
// Morale values by home culture (the Rororad and the foreigners are bold).
void npc_temperament();
// Puts the skill into the slot that has its name, else the first empty one
// of four; with four other skills nothing changes.
void npc_set_skill(const char* skill, int level);

// Carried items of CreScratch. npc_add_item: amount 1 into the first empty
// slot unless a slot holds the id. npc_add_items: the amount onto a slot of
// the same id or item name, else a new slot; a slot holds at most 255 and
// the rest goes into further slots. The amount placed.
int npc_add_item(int id);
int npc_add_items(int id, int amount);
// Wears the item (type or instance): the first free worn slot of seven, or
// in place of a worn item of the same class, sub-kind and kind that covers
// the same body parts; nothing when already worn.
void npc_wear_type(int id);
// A new instance of the type, graded by the culture's gear level (no grade
// at level 3), worn by the record, or given into its carried slots with the
// slot state.
void npc_wear_new(CreatureRecord& c, int type, int culture);
void npc_give_new(CreatureRecord& c, int type, int amount, int culture, uint8_t slot_state);

// The four pickers of women's clothes: an item type, 0 for none.
int pick_dress(int level);
int pick_undergarment();
int pick_apron();
int pick_womens_headwear();
