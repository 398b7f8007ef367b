// The gear of the cultures: the pickers that choose item types for the
// starting gear and for the people the game makes. Not built yet: each
// picker answers its plainest choice (see each).
#pragma once

// The quality grade 2..5 of an item made at an outfit grade. Not built yet:
// 3, the grade of an ordinary item.
int random_item_quality(int grade);
// The clothing variant of an outfit grade (0..2). Not built yet: 1.
int random_clothing_variant(int grade);
// The common last step of every picker: the item type of a name drawn from
// the list the picker built. Not built yet: 0, no item type.
int Arvo_Esine_Listasta();
