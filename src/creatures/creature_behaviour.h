// The creatures' own doings that the body asks for. Not built yet: each
// gives the neutral answer noted.
#pragma once

// Wakes a sleeping creature; 0 when it was not asleep.
int cre_wake_up(int creature);  // 0
