// What the map view asks about a creature on the map (slot numbers of the
// creature table), read from its record; an empty or unknown slot gives the
// answer noted.
#pragma once

// The picture key of a creature: its own, else the picture of its type
// code ("av-dog"); "" when unknown.
const char* cre_avatar_name(int creature);
// The picture of a world-map creature entry, by its data (a template kind
// code or a reference of the creature file); "" when unknown.
const char* world_entry_picture(int data);
int creature_activity(int creature);     // move mode: 8 asleep, 2 or 99 attacking, 4 fleeing; 0
int creature_altitude(int creature);     // -100 dived, 100 flying, 200 in a tree; 0
int creature_body_state(int creature);   // 1, 3, 4 lying; 0
int creature_size_value(int creature);   // 25 full grown, less for the young; 25
int creature_drawn_by_size(int creature);  // 1 for the young; 0
int creature_coat(int creature);         // colouring in bits 0-2, strength 3-5; 0
int creature_is_hidden(int creature);    // 0: no creature is hidden from the player
// The player's hiding and running flags (not built yet: 0).
int player_is_hiding();                  // 0
int player_is_running();                 // 0
