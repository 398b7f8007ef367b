// Trees and timber: felling, the timber crafts of a felled tree, and the
// leaning-spruce shelter. Not built yet: no tree falls and no timber is
// worked (see each).
#pragma once

// Fells the tree at (x, y) (worker -1 the player, x = y = 0 to choose);
// with prepare_only whether the task may start. 1 when it fell (or may
// start), else 0. Not built yet: 0.
int fell_tree(int worker, int x, int y, int prepare_only, int shelter);
// The timber crafts of a felled tree: work/work_services.h.
// The player's leaning-spruce shelter task. Not built yet: nothing.
void make_leaning_spruce_shelter();
