// The two sides of a fight read alike, whether the player (-1) or a
// creature of the table: their place, body state, attributes, weight and
// condition, what they hold in either hand, and how a fighter's doing is
// told to the player. The combat routines ask here instead of testing
// which side they have each time.
#pragma once

#include <cstdint>

struct ObjectRecord;

// Body states.
constexpr int BODY_UPRIGHT = 0;
constexpr int BODY_FALLEN = 1;
constexpr int BODY_SHOCKED = 3;
constexpr int BODY_FAINTED = 4;

// Last-action bits of a creature (its combat flags).
constexpr uint8_t ACTION_ATTACKED = 0x01;
constexpr uint8_t ACTION_MOVED = 0x02;
constexpr uint8_t ACTION_DEFENDED = 0x04;
constexpr uint8_t ACTION_WAS_HIT = 0x08;

// The player (-1) or a slot of the creature table.
bool is_fighter(int fighter);
// The player or a person of the table (no animal, no spirit).
bool fighter_is_person(int fighter);

int fighter_x(int fighter);
int fighter_y(int fighter);
// Both at once (one look into the map's records); false when the
// fighter has no square on the map.
bool fighter_square(int fighter, int& x, int& y);
int fighter_body_state(int fighter);
void set_fighter_body_state(int fighter, int state);
// Anything but upright: fallen, shocked or fainted.
bool fighter_is_down(int fighter);

int fighter_agility(int fighter);
int fighter_endurance(int fighter);
int fighter_dexterity(int fighter);
// Kilograms: a creature's own weight, the player's body weight converted.
float fighter_weight_kg(int fighter);
// (wound total + fatigue rounded up) / 10, the condition that makes every
// wound effect check harder.
int fighter_condition_penalty(int fighter);

// What a fighter holds in hand 1 or 2 (a creature's first hand is its
// wielded weapon, its second its shield or second weapon); 0 nothing.
int fighter_held_item(int fighter, int hand);
// The player's inventory slot held in hand 1 or 2, -1 when that hand is
// empty.
int player_hand_slot(int hand);
// The fighter's hand gives up what it holds: a creature's wield field is
// cleared, the player's slot loses one (the rest of a stack stays, no
// longer held).
void empty_hand(int fighter, int hand);
// The worn record of what a hand holds becomes the held thing. It is
// stored as an object of its own, so that identical items elsewhere (in
// the pack, on the map, the rest of a stack) keep their condition.
void keep_worn_record(int fighter, int hand, const ObjectRecord& worn);

// Shows the text of a catalogue key about a fighter (the subject of the
// message): for the player on the message line, for a creature when the
// player sees or hears it. 1 when it was shown.
int tell_about(int fighter, const char* key);
// The same for a finished text.
int tell_text_about(int fighter, const char* text);
// Whether the player takes part in a fight between a and b, or sees
// either of them: sounds and pauses are for such fights only.
bool player_perceives_fight(int a, int b);
