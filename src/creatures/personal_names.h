// Personal names of people and spirits, drawn from the name lists of the
// installation ("eastm.dat" ... "northf.dat": a header line, then one name a
// line), with a memory of the last 32 names given so that a name does not
// come back soon.
#pragma once

// The name given when a list is missing or holds nothing to draw.
constexpr const char* FALLBACK_PERSONAL_NAME = "Nameless";
constexpr int RECENT_NAME_COUNT = 32;

// The list's culture-group word: "west" for cultures 1, 4, 5, 6; "north"
// for 7, 8, 9; "east" for every other code.
const char* culture_group_word(int culture);
// A name of the culture's list for the sex ('F' women and girls, any other
// letter men), ring text. The first line of a list is never drawn. A draw
// that is empty or recent is drawn again; after the 33rd such draw the
// last recent name drawn is taken, or the fallback when there was none.
const char* draw_personal_name(int sex, int culture);
// The same, under the name the makers of another part of the game use
// (sex 'F' or 'M').
const char* random_personal_name(int sex, int culture);
// A man's name of a random culture group, drawn again (at most 10 times)
// while it equals the character's own name; ring text.
const char* random_foreign_name();
// 1 when the name was given lately; otherwise 0, and the name is noted
// (the oldest of 32 goes when the memory is full).
int name_recently_used(const char* name);
// Forgets the recent names and reads the lists anew at the next draw.
void reset_personal_names();
