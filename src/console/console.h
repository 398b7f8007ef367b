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

// The "*" key.
void developer_console();
