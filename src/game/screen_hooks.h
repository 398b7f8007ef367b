// What the game asks of the screens while it runs: redraw the side panel's
// status part, its movement box, the sky indicator, show the picture of a
// world cell the player arrives in, and put a text on the command line. The screens connect these at
// start-up; unconnected, nothing is drawn.
#pragma once

struct ScreenHooks {
    void (*refresh_status_panel)();
    void (*draw_movement_box)();
    void (*draw_sky_indicator)();
    // The arrival picture of a world cell; false when the cell has none
    // (plain ground) or it could not be shown.
    bool (*show_arrival_picture)(int world_x, int world_y);
    // The side panel's command line shows the text.
    void (*show_command_line)(const char* text);
    // What lies on a cell is told (a step's arrival); the number of things.
    int (*describe_location_contents)(int x, int y, int flag);
    // One of the eight cells around the player whose terrain code is among
    // `codes` (a zero-ended list of codes), asked for when there are several;
    // its terrain code with the cell in target_x, target_y, 0 when cancelled.
    int (*choose_adjacent_square)(const char* prompt, const char* codes);
    // A cell chosen with the target cursor (mode bits of the target
    // choice): its terrain code with the cell in target_x, target_y, 0 when
    // cancelled.
    int (*choose_target_location)(int mode, const char* prompt);
    // The creature on a cell, asked for when there are several (filter 1
    // companions and own animals, 2 tied or owned animals): -1 none, -1000
    // cancelled.
    int (*choose_creature_at)(int x, int y, int filter);
    // A neighbouring square of open ground: its terrain code with the square
    // in target_x, target_y, 0 when cancelled.
    int (*choose_open_location)(const char* prompt);
    // The movement box's sound-clue arrow points toward a heard cell.
    void (*mark_sound_clue)(int x, int y);
};
extern ScreenHooks screen_hooks;

// The weather box of the side panel: the sky indicator, with its clouds,
// sun, moon and temperature bar.
inline void draw_weather_panel() { screen_hooks.draw_sky_indicator(); }
