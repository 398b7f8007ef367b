// Things moved along the ground: hauling items while walking, dropping
// carried items, pushing items to the next square or packing them on a pack
// animal, and what a dragged load costs in minutes and in effort.
// stop_hauling, hauled_items_on_map and push_or_pack_items are declared in
// objects/item_commands.h, plr_hauled_weight and plr_move_hauled_items in
// objects/inventory_services.h.
#pragma once

#include <cstdint>

// What dragging a load costs: minutes per step (or per push) and the effort
// class it puts on the player.
struct DragCost {
    float drag;
    int drag_class;
};
// n of an item of w pounds a unit: heavier units drag at a higher factor
// (each threshold counts from the weight that reaches it).
DragCost item_drag_weight(int amount, float unit_weight);
// A dead creature of that many pounds (each threshold counts from the
// weight above it), whatever the record's amount.
DragCost carcass_drag_weight(float pounds);
// The largest drag class of the hauled load, left by plr_hauled_weight.
extern int32_t hauled_drag_class;

// Marks n of the map record hauled by the player; the rest of a larger
// stack stays on the square as a record of its own. Owned goods are taken
// as the village's (seen or unseen). 0 when nothing could be marked (not
// an item or carcass, or the split found no room).
int mark_map_item_hauled(int index, int amount);
// Counts the records the hauler (-1 the player) hauls; with mode 1 also
// lets them go where they lie (an item back to the map as an ordinary
// stack, with what the player owes for it returned).
int release_hauled_items(int hauler, int mode);
// The haul command: starts hauling what the player chooses at the feet, or
// stops when anything is hauled or the player is in hauling mode.
void haul_command();
// The drop command: the chosen carried items go on the ground at the player.
void drop_command();
// Puts count from the carried slot down at the player's feet, held in no
// hand and worn by nobody, in stacks the map can hold: the number put down
// (and taken from the slot, which stays where it is); 0 and the item kept
// when the map has no room.
int drop_carried(int slot, int count);
// The per-game reset of the hauling state.
void reset_hauling();
