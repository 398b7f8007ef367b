// What the map view asks of the object store about one object id: its
// tile, its item class, and for light items whether and how far they
// shine and how much fuel is left. The tile and the light answers are not
// built yet: they give neutral answers (see each).
#pragma once

// The tile name of an object; "" when unknown (nothing is drawn).
const char* object_tile_name(int object_id);
// The item class byte (11 plants); 0 for an id that is no object.
int object_item_class(int object_id);
// The light radius of a lit light item; 0 for anything else.
int lit_light_radius(int object_id);
// The fuel byte of a light item and its update.
int light_item_fuel(int object_id);
void set_light_item_fuel(int object_id, int fuel);
// The object's display name for messages (ring text).
const char* obj_name(int object_id, int count, int flags);
