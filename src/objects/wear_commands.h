// Putting things on the body and into the hands, and taking them off: the
// player's wear ("W"), wield ("w") and take-off ("T") commands around the
// single steps (dress one item, wield one item into a hand, take off or
// put down one item), the wear that fights and walking cause, and the
// check that stops a second helm or pair of shoes. wear_conflict,
// take_off_or_unwield, plr_wear_footwear, plr_wear_armour_on_hit and
// cre_check_wield_injuries are declared with the inventory services.
#pragma once

#include "objects/object_store.h"

// The share of its full weight at which worn armour struck in a fight, and
// footwear worn on the road, give out.
constexpr int ARMOUR_USED_UP_PERCENT = 30;
constexpr int FOOTWEAR_USED_UP_PERCENT = 50;

// Footwear is armour that covers a foot.
bool obj_is_footwear(const ObjectRecord& record);
// The walking days a piece of footwear lasts, by its material.
int footwear_life_days(const ObjectRecord& record);

// Puts on the item of the inventory slot: 1 done, 0 refused, -1 when the
// dressing was interrupted.
int dress_command(int slot);
// Puts an item of the slot into a hand (preference 2: the second hand, when
// it is free): the hand used, 0 when refused (quiet: no refusal shown).
int plr_wield_item(int preference, int slot, int quiet);

// "W": the player chooses what to put on, item by item until one can't.
void wear_command();
// "w": wields the slot, or asks for one with -1000; injured hands choose
// the other hand, full hands put down the second hand's item.
void wield_command(int slot, int quiet);
// "T": takes off what is worn or puts down what is held.
void take_off_command();

// The walking clocks of the footwear start again (per-game reset).
void reset_wear_state();
// The walking time counted towards the next hour of footwear wear, in
// seconds.
int footwear_clock_seconds();
