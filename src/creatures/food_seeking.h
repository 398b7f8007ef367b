// A creature that needs food looks for it: items and plants it will eat on
// the current map, then carcasses and prey; the diet test; a companion
// eating from its own pack; the companions' daily hunger; the player's
// order to a pet to eat.
#pragma once

#include "objects/object_store.h"

// Diet bits of diet1 / diet2.
constexpr unsigned DIET_PODS_AND_ROOTS = 0x80;
constexpr unsigned DIET_PLANTS = 0x100;
constexpr unsigned DIET_ROOTS = 0x200;
constexpr unsigned DIET_BERRIES = 0x400;
constexpr unsigned DIET_GRAIN = 0x800;
constexpr unsigned DIET_MUSHROOMS = 0x1000;
constexpr unsigned DIET_KIND_419 = 0x8000000;
constexpr unsigned DIET_REQUIREMENT_490 = 0x100000;
constexpr unsigned DIET_PLAIN_FOOD = 0x200000;
constexpr unsigned DIET_BREAD = 0x400000;

// Need bits of the record's status word (life_bits).
constexpr unsigned NEED_HUNGRY = 0x1;
constexpr unsigned NEED_STARVING = 0x2;
constexpr unsigned NEED_LOW_LEVEL = 0x4;
constexpr unsigned NEED_SOME = 0x80000000u;

constexpr int TASK_EAT_AT_SPOT = 53;

// Looks for food for the creature (a slot of the current map): 0 when it
// has no diet or no need, 1 when a task was queued, -1 when nothing was
// found. Mode 0 an ordinary look; 1 after eating and for the pet order.
int ravinnonhankinta(int creature, int mode);
// 1 when the creature eats the object in the diet mode (1 diet1, 2 diet2,
// else both).
int cre_will_eat(int creature, int diet_mode, const ObjectRecord& food);
// A companion eats from its pack: 1 when fed enough. Mode 1 stops once it
// has eaten a quarter of its capacity.
int cre_eat_carried_food(int creature, int mode);
// The daily hunger of a companion: 1 when some need is set (others 0).
int cre_update_hunger(int creature);
// The player's "eat" to a pet.
void order_pet_to_eat(int creature);
// "I won't do that!" from a human, an unhappy sound from an animal.
void cre_refuse_order(int creature);

// The carcass and prey searches of the hunting creatures.
// Haaskasta: act 0 the distance to the first suitable carcass (0 none);
// else 1 when eating one was queued.
int Haaskasta(int creature, int diet_mode, int act);
// 1 when a hunt for prey (task 55) was queued.
int Saalista(int creature, int diet_mode);
// 1 when the hunter queued a hunt for game (task 69).
int cre_seek_game(int hunter);
// 1 when the creature will not go to eat at (x, y).
int cre_avoids_food_spot(int creature, int x, int y);
