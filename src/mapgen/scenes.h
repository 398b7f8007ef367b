// Scenes that quests and requests lay out on the working local map, the
// encounters with creatures and the world events of a cell.
#pragma once

#include "maps/map_layers.h"

// Raised by a test or the console: every party of people brings a dog.
extern int encounter_force_dog;

// A free spot of open ground whose eight neighbours are ground too:
// "[mid]" in the middle, "[borders]" near the edges; (0, 0) after 100 tries.
MapPoint scene_place(const char* tags);

// The site scene under the name the quests know it by.
int place_treasure_scene(const char* scene_tags, int culture);
// A random set of the culture's goods on a cave or middle square ("[cave]",
// "[triboulder]", "[chasm]", "[pit]" in the scene tags): non-zero when laid.
int zoom_place_site_scene(const char* scene_tags, int culture);
// The bird thief's scene with its snares: non-zero when placed.
int zoom_place_bird_theft_scene(int culture, int data_value);
// "[camping]" or "[blood]" at a random middle square, with the given things.
void zoom_place_camp_scene(int object_id, int reference, const char* scene_text);

// The numbered scenes of a request: a hunter with his kill, a fence line,
// an abandoned camp, a woodworking site, a tethered animal.
void scene_hunter();
void scene_fence_line();
void scene_abandoned_camp();
void scene_woodwork_site();
void scene_tethered_animal();
// Creatures of template n (0: of the region) on the working local map.
void Encounter(int n);
// The world map's creature entries that stand on the cell being made
// come down onto its local map.
void Siirra_Maailma_Tapahtumat();
