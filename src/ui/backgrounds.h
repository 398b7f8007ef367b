// The two screen backgrounds drawn once at start-up and kept as pictures.
#pragma once

// Draws the skills and rituals backgrounds and saves them as "SKILLSBG.BMP"
// and "RITUALSBG.BMP" in the game folder.
void render_cached_backgrounds();
// Draws the rituals background into the canvas (used when the cached
// picture can't be loaded).
void draw_rituals_background();

// A page's title bar across the top of the screen, and the same over the
// right panel's picture.
void draw_screen_title_bar(const char* title);
void draw_screen_title(const char* title);
// The rituals background from its cached picture, drawn anew when that is
// missing or broken; presented.
void show_rituals_background();
