// Fires as work: what burns on a square and how much fuel it gives, food
// smoked or cooked over a fire, and the making of a fire on the map. Not
// built yet: nothing burns and no fire is made (see each).
#pragma once

// The fuel value of what lies on the square (with burn 1 the plants and
// small records there burn away), or with the mode text "[light]" a
// kindling verdict. Not built yet: 0, nothing to burn.
int burn_items_at(int x, int y, int burn, const char* mode);
// Adds the minutes to the smoke count of smoking batches by a fire in an
// enclosed room. Not built yet: nothing.
void add_smoke_to_food(int x, int y, int minutes);
// A food preparation whose time is up is finished (the player told when
// near). Not built yet: nothing.
void report_food_ready(int index);
// Food over a fire spoils when its time is up. Not built yet: nothing.
void check_food_burning(int index);
// Makes a fire of the value's fuel minutes at the square and answers what
// the smoke update answers. Not built yet: 0, no fire.
int place_fire_object(int x, int y, int value);
