// The key help page ("?" during play, and from the help and options menu):
// every key command by topic on one tall page, scrolled with the cursor
// keys, PgUp and PgDn or the mouse wheel; ESC leaves. The page is drawn once
// and again only when the movement style (TRADITIONAL_MOVEMENT) changes.
#pragma once

void key_help_screen();

// The page's top line.
const char* key_help_top_line();
// How often the page has been drawn since the program started.
extern int key_help_page_drawings;
// The rows the page's drawing used, and the scroll position last shown.
extern int key_help_used_height;
extern int key_help_scroll;
