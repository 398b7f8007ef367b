// The side panel beside the map: status, needs, hands, movement box,
// calendar box, command line and repeat line. Not built yet.
#pragma once

// "INIT" draws the command line's window; any other text fills the field.
void show_command_line(const char* text);
// The text last written into the command line's field.
extern char command_line_text[100];
void show_repeat_line(int flag);
void draw_movement_box();
void refresh_status_panel();
void draw_season_box();

// The bearing of map cell (x, y) from the player relative to the player's
// facing, in degrees 0 to 359: 0 straight ahead, 90 to the right (the
// sound position uses it).
int sound_bearing(int x, int y);
