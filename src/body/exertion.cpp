// Exertion classes and their words, fatigue, the needs over time, snow and
// the movement speed.
#include "body/exertion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "creatures/creature_files.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

uint8_t plr_running_hampered = 0;
uint8_t plr_slowed = 0;

void reset_exertion_state() {
    plr_running_hampered = 0;
    plr_slowed = 0;
}

namespace {

constexpr uint8_t CLASS_HUMAN = 1;
constexpr int DEEP_SNOW = 100;
constexpr int16_t CREATURE_ENERGY_FLOOR = -2000;
constexpr float BODYTEMP_MAX = 42.0f;
constexpr int TASK_ROBBERY_RUN = 150;
constexpr uint8_t STATUS_ROBBER = 20;

// Per time unit at a class: energy loss, sleep-need change and thirst.
struct ExertionRow {
    int energy;
    int sleep_need;
    int thirst;
};
ExertionRow exertion_row(int exertion_class) {
    switch (exertion_class) {
    case 0: return {1, -3, 2};
    case 1: return {1, 2, 2};
    case 5: return {3, 2, 2};
    case 6: return {3, 3, 2};
    case 7:
    case 10: return {4, 4, 2};
    default: return {2, 2, 2};
    }
}

int exertion_of(int creature) {
    if (creature == -1) return Plr.exertion;
    return cre_slot_valid(creature) ? Cre[creature].exertion : 0;
}

bool is_person(int creature) { return creature == -1 || (cre_slot_valid(creature) && Cre[creature].cre_class == CLASS_HUMAN); }

// Rounds a share of a speed up, in whole numbers: ceil(speed * num / den).
int ceil_share(int speed, int num, int den) {
    if (den <= 0) return 0;
    return int((int64_t(speed) * num + den - 1) / den);
}

// The player's snow shares in tenths.
int plr_snow_tenths(int depth) {
    if (depth >= 900) return 1;
    if (depth >= 800) return 2;
    if (depth >= 700) return 3;
    if (depth >= 600) return 4;
    if (depth >= 500) return 5;
    if (depth >= 450) return 6;
    if (depth >= 400) return 7;
    if (depth >= 300) return 8;
    return 9;
}

int position_x(int creature) { return creature == -1 ? player_x : creature_x(creature); }
int position_y(int creature) { return creature == -1 ? player_y : creature_y(creature); }

bool crust_holds(int creature, int x, int y) { return check_crust_breaks(creature, x, 0, y) >= 1; }

}  // namespace

// ------------------------------------------------------------ classes

void cre_set_exertion(int creature, int exertion_class) {
    const uint8_t c = uint8_t(std::clamp(exertion_class, 0, 255));
    if (creature == -1) Plr.exertion = c;
    else if (cre_slot_valid(creature)) Cre[creature].exertion = c;
}

const char* exertion_word(int exertion_class) {
    static const char* const words[11] = {"sleep", "restful", "easy", "light", "moderate", "hard",
                                          "heavy", "very heavy", "", "", "extreme"};
    return ring_copy(exertion_class >= 0 && exertion_class <= 10 ? words[exertion_class] : "");
}

int cre_load_factor(int creature) {
    if (creature == -1) {
        const int end = Plr.end > 0 ? Plr.end : 1;
        return int(std::ceil(double(Plr.carried_load) / end));
    }
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    const int end = c.attr_end > 0 ? c.attr_end : 1;
    return int(std::ceil(double(c.load) / end)) + c.fatigue_rate;
}

// ------------------------------------------------------------ fatigue and needs

void cre_update_fatigue(int creature, int divisor) {
    if (creature != -1 && !cre_slot_valid(creature)) return;
    float& fatigue = creature == -1 ? Plr.fatigue : Cre[creature].fatigue;
    const int end = creature == -1 ? Plr.end : Cre[creature].attr_end;
    const double d = divisor > 0 ? divisor : 1;
    const double load = std::max(1, cre_load_factor(creature));
    const int c = exertion_of(creature);
    double f = fatigue;
    if (c <= 2) {
        double rest = end / 6.0 / d;
        if (c == 2) rest /= 2;
        f = std::max(0.0, f - rest);
    } else {
        static const double per_class[5] = {1.0 / 32, 1.0 / 24, 1.0 / 18, 1.0 / 12, 1.0 / 8};
        f += c <= 7 ? load / d * per_class[c - 3] : load / d;
    }
    fatigue = float(std::min(100.0, f));
}

void cre_spend_energy(int creature, int units) {
    if (units <= 0) return;
    const ExertionRow row = exertion_row(exertion_of(creature));
    if (creature != -1) {
        if (!cre_slot_valid(creature)) return;
        const int64_t energy = int64_t(Cre[creature].energy) - int64_t(units) * row.energy;
        Cre[creature].energy = int16_t(std::max<int64_t>(CREATURE_ENERGY_FLOOR, energy));
        return;
    }
    Plr.Energiavaranto = int32_t(std::max<int64_t>(0, int64_t(Plr.Energiavaranto) - int64_t(units) * row.energy));
    Plr.plr_sleepiness = int32_t(std::max<int64_t>(0, int64_t(Plr.plr_sleepiness) + int64_t(units) * row.sleep_need));
    const bool sleeping = exertion_of(-1) == EXERTION_SLEEP;
    int64_t thirst = 0, stomach = 0;
    if (sleeping) {
        // Asleep, thirst grows on half the units and the stomach empties on
        // a quarter of them.
        for (int u = 0; u < units; ++u) {
            if (random_below(2) != 0) thirst += row.thirst;
            if (random_below(4) == 0) ++stomach;
        }
    } else {
        thirst = int64_t(units) * row.thirst;
        stomach = units;
    }
    Plr.thirst = int32_t(std::min<int64_t>(INT32_MAX, Plr.thirst + thirst));
    Plr.stomach = uint8_t(std::max<int64_t>(0, Plr.stomach - stomach));
    Plr.bodytemp = std::min(BODYTEMP_MAX, Plr.bodytemp + units * Plr.bodytemp_change);
}

// ------------------------------------------------------------ snow

float plr_snow_speed_share(int snow_depth) { return plr_snow_tenths(snow_depth) / 10.0f; }

float cre_snow_speed_share(int creature, int snow_depth) {
    if (creature != -1) {
        if (!cre_slot_valid(creature)) return 1.0f;
        const int altitude = Cre[creature].air_state;
        if (altitude == 100 || altitude == -100) return 1.0f;
    }
    const double h = cre_body_height(creature) * 10.0;
    // A body of no height stands on nothing snow could hinder.
    if (h <= 0.0 || snow_depth < 0.2 * h) return 1.0f;
    return float(std::clamp(1.0 - snow_depth / h, 0.1, 1.0));
}

int cre_exertion_in_snow(int creature, int snow_depth) {
    double percent;
    if (is_person(creature)) {
        percent = plr_snow_tenths(snow_depth) * 10.0;
    } else {
        const double share = std::ceil(cre_snow_speed_share(creature, snow_depth) * 100.0 - 1e-9);
        percent = 100.0 - (100.0 - share) * cre_crust_load_factor(creature);
    }
    constexpr double e = 1e-9;
    if (percent >= 100.0 - e) return 2;
    if (percent >= 90.0 - e) return 3;
    if (percent >= 70.0 - e) return 4;
    if (percent >= 50.0 - e) return 5;
    if (percent >= 40.0 - e) return 6;
    if (percent >= 25.0 - e) return 7;
    return 10;
}

// ------------------------------------------------------------ speed

int cre_movement_speed(int creature) {
    if (creature != -1 && !cre_slot_valid(creature)) return 0;
    const int base = cre_walk_speed(creature);
    const float legs = cre_locomotion_disability(creature);
    const int penalty = cre_penalty(creature, 1) + cre_fatigue_rounded(creature) + cre_penalty(creature, 4);
    if (penalty > 99) return -1;
    if (base <= 0) return 0;

    int s = base - ceil_share(base, penalty, 100);
    s -= int(std::ceil(s * double(legs) - 1e-9));

    const int x = position_x(creature), y = position_y(creature);
    const int snow = snow_depth_at(x, y);
    const bool player = creature == -1;
    if (snow >= DEEP_SNOW && !crust_holds(creature, x, y)) {
        if (player) {
            if (Plr.travel_mode != 7 && Plr.travel_mode != 3) s = s * plr_snow_tenths(snow) / 10;
        } else if (is_person(creature)) {
            s = s * plr_snow_tenths(snow) / 10;
        } else {
            const float factor = cre_crust_load_factor(creature);
            const float share = cre_snow_speed_share(creature, snow);
            if (factor >= 1.0f) s = int(share * s);
            else if (factor > 0.0f) s -= int(std::ceil((s - std::ceil(share * s)) * factor));
            if (debug_messages_on) {
                char line[96];
                char name[sizeof Cre[0].name + 1];
                copy_field(name, sizeof name, Cre[creature].name, sizeof Cre[creature].name);
                format_text(line, sizeof line, "NPC #%d (%s) crust_status %d", creature, name,
                            check_crust_breaks(creature, x, 0, y));
                debug_message(line);
            }
        }
    }
    if (s < 0) s = 0;

    if (player) {
        int result = s;
        if (Plr.running) {
            result = ceil_share(cre_run_speed(-1), s, base);
            if (plr_running_hampered) result /= 2;
        }
        if (Plr.body_state == 1) result = ceil_share(s, 1, 3);
        if (Plr.hiding) result = ceil_share(s, 1, 2);
        switch (Plr.travel_mode) {
        case 9: result = ceil_share(s, 1, 2); break;
        case 4: result = ceil_share(s, 1, 3); break;
        case 2: result = ceil_share(s, 1, 4); break;
        default: break;
        }
        if (Plr.travel_mode == 7 && snow >= DEEP_SNOW && !Plr.hiding && crust_holds(-1, x, y)) result = s * 13 / 10;
        if (plr_slowed) result = ceil_share(result, plr_slowed >= 2 ? 65 : 85, 100);
        return result;
    }

    const CreatureRecord& c = Cre[creature];
    const int mode = c.move_mode;
    bool runs = mode == 99 || mode == 2 || mode == 4 || c.air_state == 100;
    if (c.cre_status == STATUS_ROBBER && c.Puuha[0] == TASK_ROBBERY_RUN &&
        std::max(std::abs(x - c.task_x[0]), std::abs(y - c.task_y[0])) <= 8)
        runs = true;
    int result = s;
    if (runs) result = ceil_share(cre_run_speed(creature), s, base);
    if (c.body_state == 1) result = ceil_share(s, 1, 3);
    return result;
}
