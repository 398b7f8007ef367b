// What a creature is made of, as the body and the movement code ask it: its
// height and the share of its weight that bears on snow crust and ice. Not
// built yet: each gives the neutral answer noted.
#pragma once

float cre_crust_load_factor(int creature);  // 1.0: the whole weight bears down
int cre_body_height(int creature);          // centimetres; 0: snow never hinders
