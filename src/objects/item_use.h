// Using carried things: the apply command and its handlers, leading and
// tying animals on a leash, and digging pits with a shovel.
#pragma once

#include <cstdint>

#include "objects/leashes.h"
#include "objects/object_store.h"

// "a": the player applies a carried item; what the handler answers.
int apply_command();
// Applies one carried item: 1 when handled (also when refused with a
// message), 0 when it can't be applied (the command then asks again).
int apply_item(int slot);
// The handlers, each on an inventory slot. The light's mode: 1 light, 0
// put out.
void throw_water_on_stove(int slot);
// Its steps once the stoves around are known: the number of stoves within
// one square and the highest heat among them.
void throw_water_at_heat(int slot, int stoves, int heat);
int use_vasta(int slot);
void remove_teeth_from_skull(int slot);
int remove_hook_or_string(int slot);
int attach_hook(int slot);
int string_bow(int slot);
// Their work once the rod or the bow is chosen.
int attach_hook_onto(int hook_slot, int rod_slot);
int string_bow_onto(int string_slot, int bow_slot);
void toggle_skis(int slot);
void toggle_light(int slot, int mode);
