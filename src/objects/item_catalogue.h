// The game's own item types: the catalogue made in code when a character is
// created (jewellery and combs, containers, foods, ropes and cords, tools,
// clothing and armour, shields, fish, fishing and trapping gear, boats,
// timber and the weapons), before the plant types of the flora files join.
#pragma once

// Fills ItemTypes: every slot blank, then the records of the character's
// existing "CONSTANT.OBJ" (its first 400), then every definition of the
// catalogue in its slot; slots no definition touches keep what the file
// held. Writes the armour dump before and after. Writes no item-type file:
// the caller writes them once the plant types have joined.
void build_item_catalogue();
