// The scene seam KSM_TEST_SCENE: a text file that sets up the ground,
// creatures and items around the player once in a run, right after the
// first local map of the run has loaded, so that tests meet them through
// the real program. Inert when the variable is unset.
//
// One line each (blank lines and lines starting with "//" or "#" are
// skipped):
//   open r                       the squares within r of the player become
//                                open ground at the player's height
//   water <dx> <dy>              the square at (dx, dy) from the player
//                                becomes open water (terrain 247)
//   creature <kind> <dx> <dy> [attack]
//                                a creature of the kind from its template at
//                                (dx, dy) from the player; "attack" turns it
//                                on the player
//   item <name> [count] [wield 1|2]
//                                gives the player the item (in the hand)
//   weather clear                nothing falls from the sky until the
//                                weather's next hourly step
// The player faces the first creature placed.
#pragma once

#include <string>

// Applies the scene when the seam is set, a local map is current, no map
// change is pending and the scene was not applied before in this run; true
// when it was applied now.
bool apply_test_scene_once();
// Applies the lines of a scene text (the seam's own step, for tests); the
// lines that were not understood are logged to "debug_scene!.txt".
void apply_test_scene_text(const std::string& text);
