// The map of known areas. Not built yet.
#pragma once

// Quest 0: all quests; else that quest only.
void known_areas_map_screen(int quest);
