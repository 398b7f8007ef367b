// A creature's level above or below the ground: birds take off and land,
// divers go under, squirrels climb a tree; where a creature may stand at
// all, and the feathers a bird leaves.
#pragma once

#include <cstdint>

// air_state
constexpr int32_t AIR_GROUND = 0;
constexpr int32_t AIR_ALOFT = 100;
constexpr int32_t AIR_UNDER_WATER = -100;
constexpr int32_t AIR_IN_TREE = 200;

// 1 when the bird rose ("DO_FLY" when the player can see it).
int cre_take_off(int creature);
// 1 when the flyer or swimmer came down from its level ("DO_LAND").
int cre_land(int creature);
// 1 when the creature went under water ("DO_DIVE").
int cre_dive(int creature);
// 1 when the squirrel went up a tree beside it ("DO_TREECLIMB").
int cre_climb_tree(int creature);
// 1 for flyers and swimmers, unless a set trap holds them down here.
int cre_can_fly_here(int creature);
// 1 when the creature may stand on (x, y) by what it is (birds, swimmers,
// beavers); never on a square with x or y 0.
int cre_can_be_at(int creature, int x, int y);
// A bird leaves one or two feathers on (x, y); with limit none when more
// than 5 lie within 32 squares.
void cre_drop_feather(int creature, int x, int y, int limit);
// 1 when the creature eats that food (its diet).
struct ObjectRecord;
// The diet test in both diet modes (creatures/food_seeking.h).
int cre_will_eat(int creature, const ObjectRecord& food);
