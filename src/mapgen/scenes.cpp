#include "mapgen/scenes.h"

#include "base/stubs.h"

// Not built yet: the scenes come with the quests' map generation; nothing
// is laid.
int place_treasure_scene(const char*, int) {
    KSM_STUB("place_treasure_scene");
    return 0;
}
void zoom_make_cultivated_field(int) { KSM_STUB("zoom_make_cultivated_field"); }
int zoom_place_bird_theft_scene(int, int) {
    KSM_STUB("zoom_place_bird_theft_scene");
    return 0;
}
void zoom_place_camp_scene(int, int, const char*) { KSM_STUB("zoom_place_camp_scene"); }
