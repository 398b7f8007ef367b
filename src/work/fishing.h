// Fishing: with a rod or line, and with a net set and pulled up. Not built
// yet: nothing is caught (see each).
#pragma once

// The fishing command (an inventory slot, or -1 to choose; net 1 sets a
// net). Not built yet: nothing.
void go_fishing(int slot, int net);
// Pulls up the net set at (x, y) (x 0: next to the player). Not built yet:
// nothing.
void retrieve_fishing_net(int x, int y);
