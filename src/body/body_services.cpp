#include "body/body_services.h"

#include "base/stubs.h"

#include "game/player.h"

// Not built yet: the heat model of fires comes with body heat.
int fire_heat_at(int x, int y) { KSM_STUB("fire_heat_at"); return 0; }

#include "maps/weather_messages.h"

// Not built yet apart from the weather, which this hourly step brings up to
// the clock.
void hourly_player_maintenance() { KSM_STUB("hourly_player_maintenance"); update_weather(); }

// Not built yet: the body temperature stays where it is and wounds do not
// change by days.
void PLR_Lampotila() { KSM_STUB("PLR_Lampotila"); }
void plr_daily_healing() { KSM_STUB("plr_daily_healing"); }
// Not built yet: no human groups are rolled.
void roll_daily_human_presence(int) { KSM_STUB("roll_daily_human_presence"); }
// Not built yet: the screens show their legend's words without the boxes.
void draw_colour_legend(int, int) { KSM_STUB("draw_colour_legend"); }
