// What a fighting creature takes in hand: the weapon it chooses for the
// turn, and the arrow or bolt it takes from its pack for a shot.
#pragma once

// 1 when the creature changed what it holds this turn (the turn is spent).
int cre_choose_weapon(int creature);
// The object id of a missile taken off the creature's carried stack; 0
// when it carries none.
int cre_take_missile(int creature);
