// What the map view asks about a creature on the map (slot numbers of the
// creature table, -1 the player). The creature table is not built yet:
// these give neutral answers (see each).
#pragma once

// The picture key of a creature ("av-dog"); "" when unknown.
const char* cre_avatar_name(int creature);
int creature_activity(int creature);     // 0: 8 asleep, 2 or 99 attacking
int creature_altitude(int creature);     // 0: -100 dived, 100 flying
int creature_body_state(int creature);   // 0: 1, 3, 4 lying
int creature_size_value(int creature);   // 25 (full size)
int creature_drawn_by_size(int creature);  // 0: the species is not scaled
int creature_coat(int creature);         // 0
int creature_is_hidden(int creature);    // 0: not hidden from the player
// The player's hiding and running flags.
int player_is_hiding();                  // 0
int player_is_running();                 // 0
