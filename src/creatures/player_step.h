// Whether the player may enter a cell: terrain obstacles, ice and its
// strength under the player's load, climbing out of water onto ice,
// creatures in the way, fire, set traps, partly frozen holes and a trap
// holding the player; and how steep a step is, for the player and the
// creatures. The test never moves the player; it may ask, break ice, lay a
// swimmer who got onto the ice prone and make a creature withdraw.
#pragma once

// Results of a step test.
constexpr int STEP_FREE = 1;
constexpr int STEP_BLOCKED = 100;   // blocked in place (ice, a creature ahead)
constexpr int STEP_REFUSED = 101;   // refused by the player or by a rule
constexpr int STEP_OBSTACLE = 103;  // the terrain stands in the way
constexpr int STEP_HELD = 104;      // a trap holds the player
// The height step a mover can't climb.
constexpr int CLIMB_TOO_STEEP = 1000;

// The player's step from (old) to (new); direction 0 tests the player's own
// cell and never asks.
int plr_check_step(int old_x, int old_y, int new_x, int new_y, int direction);
// The height the mover (-1 the player) must climb from one cell to the
// next: 0 none, 1 or 2, CLIMB_TOO_STEEP beyond the mover's reach.
int cre_climb_check(int creature, int x0, int y0, int x1, int y1);
