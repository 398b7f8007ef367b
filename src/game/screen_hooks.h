// What the game asks of the screens while it runs: redraw the side panel's
// status part, its movement box, the sky indicator. The screens connect
// these at start-up; unconnected, nothing is drawn.
#pragma once

struct ScreenHooks {
    void (*refresh_status_panel)();
    void (*draw_movement_box)();
    void (*draw_sky_indicator)();
};
extern ScreenHooks screen_hooks;
