// The sky indicator at the top left of the screen: sun and moon by the
// clock, the light, clouds, falling rain or snow and a thermometer.
#pragma once

#include <SDL.h>

// Draws the sky onto its own surface and blits it onto the canvas at
// (15, 6). Does nothing before the graphics are up.
void draw_sky_indicator();

// Where the sun or moon picture's centre goes: x by the time, y by the
// height interpolated toward the next hour. Pure, for the drawing and tests.
struct SkyBodyPlace {
    int x, y;
};
SkyBodyPlace sky_body_place(int hour, int minute, int height_now, int height_next,
                            int surface_height);
// How many cloud pictures a cloud cover draws (0..4).
int sky_cloud_count(int cover);
// The thermometer's bars for a temperature: the top of the blue bar and the
// top of the red bar (red_top 0: no red bar).
struct ThermometerBars {
    int blue_top, red_top;
};
ThermometerBars thermometer_bars(int temperature);
