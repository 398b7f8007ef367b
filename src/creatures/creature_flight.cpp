// Fleeing: the refuge a creature runs for, the run itself, and when the
// threat is left behind.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "body/attack_resolver.h"
#include "body/attack_setup.h"
#include "body/creature_fights.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_traits.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"

namespace {

constexpr int REFUGE_SPAN = 25;
constexpr int REFUGE_KEPT_TRAIL = 3;
constexpr uint8_t MOVE_MODE_CHASE = 4;
constexpr uint8_t MOBILITY_FLYER = 64;
constexpr uint8_t MOBILITY_SWIMMER = 96;
constexpr uint8_t MOBILITY_DIVER = 128;
constexpr int KIND_SQUIRREL = 604;
constexpr int CORNERED_MIN_FATIGUE = 15;
constexpr float CORNERED_MIN_WEIGHT = 5.0f;
constexpr float CORNERED_LIGHT_WEIGHT = 30.0f;
constexpr int NO_ATTACK_SLOT = 1000;  // cre_choose_natural_attack: none usable

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// The stored refuge is worth running for no longer.
bool refuge_spent(const CreatureRecord& c, int cx, int cy, int tx, int ty) {
    if (c.flee_x == 0 && c.flee_y == 0) return true;
    // Reached: near on both axes.
    if (std::abs(cx - c.flee_x) < 3 && std::abs(cy - c.flee_y) < 3) return true;
    if (c.flee_state == 0 || c.flee_state > 50) return true;
    const int refuge_to_threat = chebyshev(c.flee_x, c.flee_y, tx, ty);
    return refuge_to_threat < 5 || refuge_to_threat <= chebyshev(cx, cy, tx, ty);
}

// The sense of a step away along one axis: -1 or +1; a coin decides when
// the threat lies more along the other axis.
int away_sense(int c, int t, bool both, int coin) {
    if (both) return coin == 0 ? -1 : 1;
    return c <= t ? -1 : 1;
}

}  // namespace

TaskPoint Hae_Pakopaikka(int creature, int tx, int ty) {
    if (!cre_slot_valid(creature)) return {0, 0};
    CreatureRecord& c = Cre[creature];
    const int cx = creature_x(creature), cy = creature_y(creature);
    if (refuge_spent(c, cx, cy, tx, ty)) {
        c.flee_x = c.flee_y = 0;
        c.flee_state = 0;
    } else {
        return {c.flee_x, c.flee_y};
    }
    const int dx = std::abs(cx - tx), dy = std::abs(cy - ty);
    const int coin_x = random_below(2);
    const int sx = away_sense(cx, tx, dx < dy, coin_x);
    const int coin_y = random_below(2);
    const int sy = away_sense(cy, ty, dy < dx, coin_y);
    const int g = random_below(REFUGE_SPAN);
    c.flee_x = cx + sx * (REFUGE_SPAN - g);
    c.flee_y = cy + sy * g;
    c.flee_state = uint8_t(3 + random_below(20));
    if (debug_logs_on) {
        char line[80];
        format_text(line, sizeof line, "NPC #%d uusi pakopaikka=%d,%d", creature, c.flee_x, c.flee_y);
        debug_log("cre", line);
    }
    return {c.flee_x, c.flee_y};
}

int cre_threat_left_behind(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    int tx = player_x, ty = player_y;
    if (cre_slot_valid(c.fight_target) && cre_datapos(c.fight_target) >= 0) {
        tx = creature_x(c.fight_target);
        ty = creature_y(c.fight_target);
    }
    int safe = 30;
    if (c.cre_class == CRE_CLASS_HUMAN) safe = 25;
    else if (c.air_state == AIR_IN_TREE) safe = 2;
    else if (c.air_state == AIR_ALOFT) safe = 8;
    safe += 2 * c.caution;
    if (chebyshev(creature_x(creature), creature_y(creature), tx, ty) <= safe) return 0;
    if (c.caution > 5) --c.caution;
    return 1;
}

int cre_consider_cornered_attack(int creature) {
    if (!cre_slot_valid(creature) || cre_datapos(creature) < 0) return 0;
    CreatureRecord& c = Cre[creature];
    const int fatigue = int(std::ceil(c.fatigue));
    // Byte 576: above 0 a cornered creature may turn on its pursuer.
    if (c.haavat == 0 || fatigue < CORNERED_MIN_FATIGUE || c.weight < CORNERED_MIN_WEIGHT) return 0;
    const bool predator = cre_is_predator(creature) != 0;
    const bool fights = predator || random_below(100) < c.hyokkaavyys;
    int target = -1;
    if (cre_slot_valid(c.fight_target) && cre_datapos(c.fight_target) >= 0) target = c.fight_target;
    const int tx = target == -1 ? player_x : creature_x(target);
    const int ty = target == -1 ? player_y : creature_y(target);
    if (chebyshev(tx, ty, c.Viimeisin_X, c.Viimeisin_Y) > (predator ? 6 : 2)) return 0;
    int chance = std::min(95, fatigue / 2 + c.hyokkaavyys + c.attack_threshold + 5 * c.haavat);
    if (!fights) chance -= c.weight <= CORNERED_LIGHT_WEIGHT ? 20 : 10;
    if (random_below(100) > chance) return 0;
    if (chebyshev(tx, ty, creature_x(creature), creature_y(creature)) == 1) {
        if (!cre_can_see_point(creature, tx, ty)) {
            cre_face_towards(creature, tx, ty);
        } else {
            const int attack = cre_choose_natural_attack(creature);
            if (attack != NO_ATTACK_SLOT && cre_resolve_attack(creature, attack, 0, target, 0)) return 1;
        }
    }
    if (!fights) return 0;
    cre_begin_attack(creature, target, 0);
    return 1;
}

int Pakene(int creature) {
    if (!cre_slot_valid(creature) || cre_datapos(creature) < 0) return 0;
    CreatureRecord& c = Cre[creature];
    // Only the newest steps keep it from doubling back.
    for (int i = REFUGE_KEPT_TRAIL; i < TRAIL_LENGTH; ++i) c.trail_x[i] = c.trail_y[i] = 0;
    const int cx = creature_x(creature), cy = creature_y(creature);
    if (find_map_object(MK_TRAP, cx, cy) < 0) {
        if (c.mobility == MOBILITY_FLYER || c.mobility == MOBILITY_DIVER) cre_take_off(creature);
        else if (c.kind == KIND_SQUIRREL) cre_climb_tree(creature);
        else if (c.mobility == MOBILITY_SWIMMER) cre_dive(creature);
    } else if (c.body_state == 5 || c.body_state == 6) {
        c.body_state = 0;
        c.air_state = AIR_GROUND;
    }
    const TaskPoint refuge = Hae_Pakopaikka(creature, c.threat_x, c.threat_y);
    Kulje_Paikkaan(creature, refuge.x, refuge.y);
    if (creature_x(creature) == cx && creature_y(creature) == cy) {
        const int r = cre_consider_cornered_attack(creature);
        if (r != 0) return r;
    }
    if (c.flee_state > 0) --c.flee_state;
    if (!cre_threat_left_behind(creature)) return 0;
    if (c.move_mode == MOVE_MODE_CHASE) c.move_mode = c.prev_move_mode;
    c.flee_x = c.flee_y = 0;
    c.flee_state = 0;
    return 1;
}
