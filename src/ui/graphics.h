// Starting and stopping the graphics: the canvas with its renderer, the
// panel layout, the interface pictures, the font, the backgrounds, the
// palette, the tiles and the map view's textures.
#pragma once

// The graphics start-up, in its fixed order, each step logged.
void InitGr();
// Releases everything InitGr made (tests run InitGr more than once).
void shutdown_graphics();
