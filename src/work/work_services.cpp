// Wilderness work services reached by the command keys. Not built yet:
// neutral answers; each command notes its call for the developer's trace.
#include "work/work_services.h"

#include "base/stubs.h"
#include "console/console.h"

uint8_t raised_view_on = 0;
char raised_view_text[100] = "";

// No crafting data is kept open yet.
int close_tekodata() { KSM_STUB("close_tekodata"); return 0; }

void handcraft_options_menu() { KSM_STUB("handcraft_options_menu"); }
void drink_command() { KSM_STUB("drink_command"); }
void eat_command() { KSM_STUB("eat_command"); }
void treat_wounds_command() { KSM_STUB("treat_wounds_command"); }

// Not built yet: no food rots, no patch grows, no track fades.
void rot_pack_food() { KSM_STUB("rot_pack_food"); }
void update_plant_patches(int) { KSM_STUB("update_plant_patches"); }
void purge_old_tracks() { KSM_STUB("purge_old_tracks"); }
// Not built yet: missile flight measures no cell; every cell is level.
float obstacle_height_at(int, int) { KSM_STUB("obstacle_height_at"); return 0.0f; }
