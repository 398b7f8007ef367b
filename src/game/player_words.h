// Descriptive words about the character and the places around it (the
// words that need no game state are in base/text_ring.h).
#pragma once

#include <cstdint>

// The character's first and second name (ring).
char* plr_full_name();
// The character's body temperature as a short word, or with sentence set a
// sentence; rgb (3 bytes, may be null) receives its colour. Ring.
char* body_temperature_words(bool sentence, uint8_t* rgb);
// How hungry the character is at a hunger level 0..255 (how much the
// player wants to eat; "" up to 80), told by the energy reserve once it
// runs low (static, shared with nutrition_word).
const char* hunger_words(int level);
inline const char* hunger_word(int level) { return hunger_words(level); }
// "here at <region>" or "at the region called <region>" (ring).
char* place_phrase(int world_x, int world_y);
// A distance in the player's units, with walking time for long ones (ring).
char* distance_words(int distance);
