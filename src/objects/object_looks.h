// What the map view asks of the object store about one object id: its
// tile, its item class, and for light items whether and how far they
// shine and how much fuel is left.
#pragma once

#include "objects/object_names.h"

// The tile name of an object (its record's tile, else the picture of its
// symbol; ring text); "" when it has none (nothing is drawn).
const char* object_tile_name(int object_id);
// The item class byte (11 plants); 0 for an id that is no object.
int object_item_class(int object_id);
// The light radius of a lit light item (a tool of sub-kind 14 whose link
// is 1: its rating, at most 5); 0 for anything else.
int lit_light_radius(int object_id);
// The fuel byte of a light item.
int light_item_fuel(int object_id);
// Stores a light item's new fuel for ONE unit: in place when the id is an
// instance that only that unit holds, else in a new instance of its own.
// The id that now holds the fuel; the caller puts it where its unit is (a
// caller holding several units splits one off first).
int set_light_item_fuel(int object_id, int fuel);
