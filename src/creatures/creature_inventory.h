// What a creature carries: its 20 carried slots filled plainly or under a
// slot tag, items picked up from the map, goods an ally of the trading
// partner takes over, a weapon lying on a square, and the developer view of
// the templates' culture masks.
#pragma once

// Slot tag bit 0: goods that are not the creature's own (trade goods,
// goods taken from the player).
constexpr int CRE_GOODS_NOT_OWN = 1;
constexpr int CRE_SLOT_MAX = 255;

// Adds count of the object to the creature's slots: 1 added (a count or id
// of 0 counts as added), 0 refused (too light a creature, too heavy a load,
// too few empty slots, a negative count). Stacks without regard to tags.
int cre_add_item(int creature, int object_id, int count);
// The same, stacking only onto slots of the same tag; new slots get it.
int cre_add_item_tagged(int creature, int object_id, int count, int tag);
// The creature picks up count (0: the whole amount; never more than the
// amount) of the item map object: true when it did. The tagged form marks
// the goods as not its own.
bool cre_pick_up_item(int creature, int map_index, int count);
bool cre_pick_up_item_tagged(int creature, int map_index, int count);
// An ally (human, within 49 squares) of the current trading partner takes
// the goods: 1 when one did.
int ally_takes_goods(int object_id, int count, int tag);
// The first item map object at (x, y) whose object is a weapon; -1000 none.
int find_weapon_at(int x, int y);
// The developer view of the templates' pelt and meat culture masks; waits
// for a key.
void debug_template_masks();
