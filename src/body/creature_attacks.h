// A creature in attack mode takes one attack step a turn: it keeps the
// village's law when it is a villager on an errand against the player,
// counts down its attack, calls the player's people to arms, aims and
// shoots or closes in and strikes. Targets are creature slots or -1 the
// player.
#pragma once

#include <cstdint>

// The turn of a creature in attack mode (move mode 99 or 2); 1 when it
// attacked this turn.
int cre_attack_turn(int creature);
// Its melee attack when it stands next to its target (map_row: its record
// in the map's table): 1 it attacked, 0 it did not, -1 it gave up.
int cre_melee_step(int creature, int map_row);
// The approach to the target: 1 when the creature may strike this turn.
int cre_close_in(int creature);
// The player's companions and dogs turn on a creature that attacks the
// player; the number of them now fighting it.
int rally_player_party(int attacker);
// A villager punishing the player's violence has done enough.
bool cre_villager_stops_punishing(int creature);

// Turns a creature has spent aiming a bow or crossbow.
uint8_t& cre_aim_count(int creature);
// The distance a creature driving the player away last closed in from.
uint8_t& cre_close_in_distance(int creature);

// The creature slot's record row in the map's table (a kind-4 record), -1
// when it stands on no square. The rows are kept in an index checked
// against the table on every use and built anew when a record moved.
int cre_map_row(int creature);
// The index forgets every row (the per-game reset, a new map).
void reset_fighter_rows();
