// Trees and timber: felling, the timber crafts of a felled tree, and the
// leaning-spruce shelter. Not built yet: no tree falls and no timber is
// worked (see each).
#pragma once

// Fells the tree at (x, y) (worker -1 the player, x = y = 0 to choose);
// with prepare_only whether the task may start. 1 when it fell (or may
// start), else 0. Not built yet: 0.
int fell_tree(int worker, int x, int y, int prepare_only, int shelter);
// The timber craft of an activity code (2 log, 3 blocks, 4 firewood, 6
// boards) at (x, y). 1 done or possible, 0 refused or cancelled for the
// player, -1 refused for a creature. Not built yet: 0.
int do_timbercraft(int worker, int x, int y, int activity, int prepare_only);
// The player's leaning-spruce shelter task. Not built yet: nothing.
void make_leaning_spruce_shelter();
