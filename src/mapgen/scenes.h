// Scenes that quests lay out on the working local map.
#pragma once

// A random set of the culture's goods on a cave or middle square ("[cave]",
// "[triboulder]", "[chasm]", "[pit]" in the scene tags): non-zero when laid.
int place_treasure_scene(const char* scene_tags, int culture);
// Turns the working local map into a cultivated field.
void zoom_make_cultivated_field(int flag);
// The bird thief's scene with its snares: non-zero when placed.
int zoom_place_bird_theft_scene(int culture, int data_value);
// "[camping]" or "[blood]" at a random middle square, with the given things.
void zoom_place_camp_scene(int object_id, int reference, const char* scene_text);
