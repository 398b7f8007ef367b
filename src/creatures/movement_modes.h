// The player's ways of moving and the small operations around them:
// walking and running, hiding and sneaking, lying down and getting up,
// standing still and resting, the movement-and-rest menu, doors and gates,
// facings shared with the creatures, where the player enters a local map, a
// led animal kept close, the end of hauling, and where the player arrives
// beside a creature met on the world map.
#pragma once

// Door and gate terrain codes.
constexpr int TERRAIN_DOOR_OPEN = 22;
constexpr int TERRAIN_DOOR_CLOSED = 254;
constexpr int TERRAIN_GATE_CLOSED = 44;
constexpr int TERRAIN_GATE_OPEN = 45;

// The movement-and-rest menu ("/").
void menusel_Movemode();
inline void movement_menu() { menusel_Movemode(); }
// Run or walk ("R"); hide and sneak, or stop ("h").
void toggle_running();
inline void toggle_walk_run() { toggle_running(); }
void toggle_hiding();
// Opens the door or gate at (x, y), or with x = 0 the one the player
// picks: 1 opened, 0 not. Closes the one the player picks: 1 closed, 0 not.
int open_door(int x, int y);
int close_door();
// Standing still ("Stand still", "STANDING BY", flags 0x24) or resting
// until rested ("Rest until not fatigued", "STANDING BY UNTIL NOT
// FATIGUED", 0x6C) for 240 seconds; refused while swimming.
void stand_still(const char* command_text, const char* task_label, int flags);

// Facing codes 0-7 (0 east, counter-clockwise, y growing southward) from
// the first point to the second; 0 for the same point.
int direction_code_between(int x1, int y1, int x2, int y2);
// The player turns toward a cell; a creature toward a point (one asleep
// keeps its facing).
void plr_facing_toward(int x, int y);
void cre_face_towards(int creature, int x, int y);
// The cell within its 64-cell block where the player enters a local map,
// by the facing of the last step (32 when it is unset); and the same for a
// direction 0-7.
int zoom_entry_x();
int zoom_entry_y();
int zoom_entry_x_for(int direction);
int zoom_entry_y_for(int direction);
// A led animal two or more cells away is pulled behind the player, facing
// the player.
void cre_pull_led_animal(int unused, int creature);
// Hauling ends when nothing is hauled any more.
void plr_stop_hauling_if_empty();
// Puts the player within sight of (x, y), 3 to 8 cells away when such a
// cell is found, facing it.
void plr_place_near_arrival(int x, int y);
