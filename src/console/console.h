// The developer console and the switches it sets, which the rest of the
// game reads. The console itself is not built yet: its command does
// nothing but note that it was called.
#pragma once

#include <cstdint>

// The space key skips time: 0 off, 1 one minute, 2 one hour.
extern int32_t time_skip_mode;
// F8 cycles big tiles only while this is on.
extern uint8_t console_big_tiles;
// Forces the raised view (as from a climbed tree) on every command.
extern uint8_t console_view_switch;
// Draws the count of object instances in use at the top left every command.
extern uint8_t console_object_count;
// "gupd": on at start; read by the terrain table's winter rule and the map view.
extern uint8_t console_gupd;
// While on, is_tree_at answers 0.
extern uint8_t console_treeless;
// While set, nothing blocks sight and every distant creature is spotted.
extern uint8_t console_see_through;
// While on, every wild plant that suits a new local map grows there.
extern uint8_t console_plants_everywhere;

// The check override, stepped 0..4 by the console: 0 none, 1 every check
// a random grade, 2 that and every level asked of a body 80, 3 every check
// a fumble, 4 every check critical (3 and 4 draw nothing).
extern int32_t roll_override;
// While on, no wound is written.
extern int32_t no_damage_switch;
// "ALL_SEE": young growth that blocks sight is a weak obstacle to missiles.
extern int32_t see_all_switch;
// Creatures give up attacking a cloaked player and ignore an invisible one.
extern int32_t plr_cloaked;
extern int32_t plr_invisible;
// While on, a creature the player walks into is moved onto the player's
// square.
extern uint8_t console_swap_places;
// The switches above back to 0 (the per-game reset).
void reset_console_switches();

// The "*" key.
void developer_console();
