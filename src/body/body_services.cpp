#include "body/body_services.h"

#include "base/stubs.h"

#include "game/player.h"

// Not built yet: the heat model of fires comes with body heat.
int fire_heat_at(int x, int y) { KSM_STUB("fire_heat_at"); return 0; }

// The player's weight is known from the record; creatures' weights come
// with the creature table (0 until then).
int cre_total_weight_lb(int creature) {
    if (creature != -1) return 0;
    return Plr.body_weight + int(Plr.carried_load);
}

#include <algorithm>
#include <cmath>

#include "maps/weather_messages.h"

// The player's penalties come from the record; creatures' come with the
// creature table (0 until then).
int cre_penalty(int creature, int kind) {
    if (creature != -1) return 0;
    switch (kind) {
    case 1: return Plr.wound_total;
    case 2: return int(std::ceil(Plr.fatigue));
    case 3: return Plr.starvation;
    case 4: {
        if (std::ceil(1.5 * Plr.body_weight) < Plr.carried_load) return 100;
        if (Plr.str == 0) return 0;
        double over = std::max(0.0, double(Plr.carried_load) - double(Plr.carry_allowance));
        return int(std::ceil(over * 2.0 / Plr.str));
    }
    default: return 0;
    }
}

// Not built yet: a steady walking pace of 5 km/h until injury, load, fatigue
// and snow effects come with the body subsystem.
int cre_movement_speed(int creature) { KSM_STUB("cre_movement_speed"); return 50; }

// Not built yet apart from the weather, which this hourly step brings up to
// the clock.
void hourly_player_maintenance() { KSM_STUB("hourly_player_maintenance"); update_weather(); }

// Not built yet: nobody spends energy or tires, the body temperature stays
// where it is and wounds do not change by days.
void cre_spend_energy(int, int) { KSM_STUB("cre_spend_energy"); }
void cre_update_fatigue(int, int) { KSM_STUB("cre_update_fatigue"); }
void PLR_Lampotila() { KSM_STUB("PLR_Lampotila"); }
void plr_daily_healing() { KSM_STUB("plr_daily_healing"); }
// Not built yet: no human groups are rolled.
void roll_daily_human_presence(int) { KSM_STUB("roll_daily_human_presence"); }
// Not built yet: nobody fights, and efforts have no words.
int plr_count_adjacent_fighters(int, int) {
    KSM_STUB("plr_count_adjacent_fighters");
    return 0;
}
const char* exertion_word(int) {
    KSM_STUB("exertion_word");
    return "";
}
// Not built yet: the screens show their legend's words without the boxes.
void draw_colour_legend(int, int) { KSM_STUB("draw_colour_legend"); }
