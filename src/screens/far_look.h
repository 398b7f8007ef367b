// Far look and location descriptions: what lies, stands or burns on a cell,
// the player's marks there, and the terrain.
#pragma once

constexpr int LISTED_OBJECTS = 500;

void far_look_command();
// Mode 1 a cell next to the player, 2 far away.
void describe_location(int x, int y, int mode);
// Tells what is on the cell; the number of map objects there. With flag
// != 0 every object is listed under the short heading.
int describe_location_contents(int x, int y, int flag);
// The name of an object being prepared with the amounts of the like objects
// being prepared on its cell (ring text); marks them all as listed.
char* preparing_stack_text(int index);
// Puts a map-object index among the objects already told.
void mark_object_listed(int index);
bool object_listed(int index);
void clear_listed_objects();
