// Information screens: the story of the start-up scenario, armour coverage
// and the message log viewer.
#pragma once

#include <cstddef>

void armour_coverage_screen(int mode, const char* item_name);
void message_log_viewer();

// The picture of the story page for a scenario title: the words of the
// title choose it (a later word in the list wins), else the default.
const char* story_picture_for(const char* title, const char* default_picture);
// The story page of "<character folder>/story.txt"; nothing when it is missing.
void show_story_screen();
// The first entry of a new character (start marker, the record's scenario
// field, 100 or more): the starting clothes are put on in the first days,
// the marker drops by 100, then the encyclopedia's first-timer page and
// the story page are shown (only with a screen). Nothing for a continued game.
void show_start_story();
