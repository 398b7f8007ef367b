// The encyclopedia of "GAME.NFO". Not built yet: it knows no topics.
#pragma once

void load_encyclopedia_topics();
int is_encyclopedia_topic(const char* name);
void show_topic_hint(const char* name, const char* text);
// Opens the encyclopedia on the topic ("FILE": the topic in "GFX.NFO").
void infobrowser(const char* topic);
// Set by the command menu while the encyclopedia is opened from a menu.
extern int encyclopedia_from_menu;
