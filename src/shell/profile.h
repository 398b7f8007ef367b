// Age and the physical profile screen.
#pragma once

// "%d winters old, ..." with the days lived; ring text.
const char* age_text();
const char* age_text_for(int winters, int days_played);

// 0 view during play, 1 creation with accept or reroll, 2 confirmation.
int physical_profile(int mode);
// A labelled attribute bar; 18 fills it, 0 draws no bar.
void draw_attribute_bar(int y, const char* label, int value);
// The width in pixels of an attribute's bar.
int attribute_bar_width(int value);
