#include "body/body_services.h"

#include "base/stubs.h"

#include "game/player.h"

// Not built yet: the heat model of fires comes with body heat.
int fire_heat_at(int x, int y) { KSM_STUB("fire_heat_at"); return 0; }

#include "body/needs.h"
#include "game/screen_hooks.h"
#include "maps/map_services.h"
#include "maps/weather_messages.h"
#include "objects/map_objects.h"
#include "society/spirits.h"
#include "ui/canvas.h"
#include "work/herb_effects.h"

void hourly_player_maintenance() {
    update_weather();
    if (screen_hooks.draw_sky_indicator) screen_hooks.draw_sky_indicator();
    present_screen_with_map();
    refresh_scale_box();
    // Daylight, moonlight and the sight distance follow the clock in every
    // minute step already; stepping them here again would only move the
    // sight range between a map's visits.
    PLR_Lampotila();
    hourly_spirit_presence();
    apply_herb_effects();
    hourly_map_object_pass();
    starvation_check();
}

// Not built yet: the body temperature stays where it is and wounds do not
// change by days.
void PLR_Lampotila() { KSM_STUB("PLR_Lampotila"); }
void plr_raise_felt_warmth(int) { KSM_STUB("plr_raise_felt_warmth"); }
void plr_daily_healing() { KSM_STUB("plr_daily_healing"); }
// Not built yet: no human groups are rolled.
void roll_daily_human_presence(int) { KSM_STUB("roll_daily_human_presence"); }
// Not built yet: the screens show their legend's words without the boxes.
void draw_colour_legend(int, int) { KSM_STUB("draw_colour_legend"); }
