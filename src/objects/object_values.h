// What things are worth in trade, and what a creature leaves behind.
#pragma once

#include "objects/object_store.h"

// The trade value of the item, in the units of its price (x 8): its price
// (or its weight times the per-pound price), by its grade, a quarter for
// most skins, and a container's contents added (one level deep).
float obj_value(const ObjectRecord& record);
// Whether a creature thinks the item worth taking: weapons, armour, skins,
// valuables and tools worth 12 or more; never a leash whose animal is here.
int obj_is_valuable(const ObjectRecord& record);
// The factor of a grade (0 counts as 3): 0.25, 0.5, 1, 1.25, 1.5.
float obj_grade_factor(const ObjectRecord& record);
// A dying creature's carried slot: its whole count comes to lie on its
// square as a copy lighter and cheaper by 10 to 89 percent.
void cre_drop_item_on_death(int creature, int slot);
