#include "mapgen/scenes.h"

#include "base/stubs.h"

// Not built yet: the scenes come with the quests' map generation; nothing
// is laid.
int place_treasure_scene(const char*, int) {
    KSM_STUB("place_treasure_scene");
    return 0;
}
int zoom_place_bird_theft_scene(int, int) {
    KSM_STUB("zoom_place_bird_theft_scene");
    return 0;
}
void zoom_place_camp_scene(int, int, const char*) { KSM_STUB("zoom_place_camp_scene"); }

// Not built yet: the scenes, encounters and world events of a request come
// with the scene passes; each adds nothing.
void scene_hunter() { KSM_STUB("scene_hunter"); }
void scene_fence_line() { KSM_STUB("scene_fence_line"); }
void scene_abandoned_camp() { KSM_STUB("scene_abandoned_camp"); }
void scene_woodwork_site() { KSM_STUB("scene_woodwork_site"); }
void scene_tethered_animal() { KSM_STUB("scene_tethered_animal"); }
void Encounter(int) { KSM_STUB("Encounter"); }
void Siirra_Maailma_Tapahtumat() { KSM_STUB("Siirra_Maailma_Tapahtumat"); }
