// The developer console's switches and its command (not built yet).
#include "console/console.h"

#include "base/stubs.h"

int32_t time_skip_mode = 0;
uint8_t console_big_tiles = 0;
uint8_t console_view_switch = 0;
uint8_t console_object_count = 0;
uint8_t console_gupd = 1;
uint8_t console_treeless = 0;
uint8_t console_see_through = 0;
uint8_t console_plants_everywhere = 0;
int32_t roll_override = 0;
int32_t no_damage_switch = 0;
int32_t see_all_switch = 0;
int32_t plr_cloaked = 0;
int32_t plr_invisible = 0;
uint8_t console_swap_places = 0;

void reset_console_switches() {
    roll_override = 0;
    no_damage_switch = 0;
    see_all_switch = 0;
    plr_cloaked = 0;
    plr_invisible = 0;
    console_swap_places = 0;
}

// Not built yet: the console's own screen and commands come with the
// developer console.
void developer_console() { KSM_STUB("developer_console"); }
