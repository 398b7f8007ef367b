// Storing goods in the storage places of a settlement.
#pragma once

// On a local map, puts `quantity` of the object into the storage places of
// the world cell at (dx, dy) from the local map's origin; nothing on the
// world map. The count stored.
int store_goods_in_area(int quantity, int object_id, int dx, int dy);
