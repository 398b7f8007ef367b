// What the creatures of a local map see and hear of the player and of each
// other, and how they react: waking, barking, raising the alarm,
// threatening, attacking, fleeing, keeping their distance and hiding.
// Creatures are slots of the creature table; -1 stands for the player where
// a line says so.
#pragma once

#include <cstdint>

// Every creature's perception (the developer's switch), and its reactions
// to the player: 1 on, 0 off.
extern uint8_t perception_on;
extern uint8_t player_reactions_on;

// 0 with perception off, for a fighting creature and for an escaping one.
int cre_can_hear(int creature);
// The listener hears a noise of strength `noise` at (x, y): 1 when heard; a
// creature that hears a noise of 2 or more wakes, and it turns toward it.
int cre_hears(int listener, int x, int y, int noise);
// The creature sees through the hiding player's cover: 1 when noticed (the
// player then stops hiding, when it can see the creature).
int cre_notices_hideout(int creature, int map_index);
// The perception step of a creature's turn.
void cre_perceive(int creature, int map_index);
// The alarm between creatures: a tries every other creature of the map
// until one is seen; 1 when a saw b.
int cre_alarm_check(int creature);
int cre_alarm_pair(int a, int b);
// The reaction of a creature to another (or -1, the player): 1 when it
// attacks, flees, keeps its distance or hides.
int cre_react(int creature, int other);
// How a perceives b: 0 nothing, 1 hatred or a wild animal's wariness of
// people, 2 b is dangerous to a, 3 a hunts b, 4 a dog and a stranger.
int cre_relation_human(int a, int b);
int cre_relation_animal(int a, int b);
// 1 when the hunter hunts the prey by its prey masks.
int cre_preys_on(int hunter, int prey);
// 1 when b is an animal the people of a's culture count as a foe.
int cre_is_culture_foe(int a, int b);
// 0 while shocked or unconscious.
int cre_is_conscious(int creature);
// A non-zero value becomes the alarm cooldown and is the answer; 0 asks
// whether the cooldown has run out (one above 60 counts as run out). 1 for
// the player.
int cre_set_alarm_cooldown(int creature, int value);
// Conscious and awake.
// (cre_can_notice, cre_notices_player, cre_sense_step, cre_would_attack,
// cre_threat_test, cre_is_kept_animal: creatures/creature_queries.h.)

// The creature's queued tasks are all dropped.
void cre_drop_tasks(int creature);
// The creature goes for `turns` turns toward (x, y) (task 60).
void cre_go_towards(int creature, int x, int y, int turns);
// Tells the catalogue message of `key` as the creature's doing; the
// heard text's "%s" is `sound` when given. 1 when shown.
int cre_tell(int creature, const char* key, const char* sound = nullptr);

// The per-game reset: both switches on.
void reset_creature_senses();
