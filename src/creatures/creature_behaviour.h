// The creatures' own doings that the body and the player's moves ask for.
// Not built yet: each gives the neutral answer noted.
#pragma once

void Pakene(int creature);     // the creature flees: nothing
// Wakes a sleeping creature; 0 when it was not asleep.
int cre_wake_up(int creature);  // 0
