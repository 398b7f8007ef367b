// Leading animals on a leash, tying them to a tree and freeing them again.
// The handlers take the leash's inventory slot.
#pragma once

// Applying a leash: the animal on the square the player picks is led.
void lead_on_leash(int slot);
// Takes the leash off the animal it leads; the leash's object id.
int take_off_leash(int slot);
// Another name of take_off_leash, as the console and the body call it.
void release_leash(int slot);
// Ties the led animal to the tree ahead (the last step's direction), else
// to a tree the player picks; the leash stays lying there.
void tie_leashed_animal(int slot);
// The leash (object id) picked up from the tie square: its animal is led
// on it again.
void untie_from_leash(int leash_id);
// True when a carried leash leads the creature.
bool cre_led_by_player_leash(int creature);
