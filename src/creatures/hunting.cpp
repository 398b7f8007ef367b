// Predators and hunters choose their prey, carrion eaters a carcass: the
// searches queue the task and the task runner walks, attacks and eats.
#include "creatures/hunting.h"

#include <algorithm>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_levels.h"
#include "game/player.h"
#include "creatures/creature_table.h"
#include "creatures/task_queue.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/society_services.h"
#include "ui/message_line.h"
#include "work/traps.h"

namespace {

constexpr int HUNT_REACH = 125;
constexpr int CARCASS_REACH = 255;
constexpr int SCARY_FOOD_DISTANCE = 5;
constexpr int TASK_PREDATION = 55;
constexpr int TASK_HUNT = 69;
constexpr int HUNT_TURNS = 100;
constexpr int KIND_HARE = 600;
constexpr int KIND_DOG = 618;
constexpr uint32_t CRE_HELD = 0x80;
constexpr uint32_t EATS_ANY_CARCASS = 0x4000000;
constexpr uint32_t EATS_CARRION = 0x10000;
constexpr uint8_t TERRAIN_CELLAR = 81;
// Non-predators up to this weight (kilograms) are small game.
constexpr float SMALL_GAME_KG = 5.0f;

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// The settlement test: a site within one world cell of the square's cell.
bool near_settlement(int x, int y) { return site_within_radius(world_x_of(x), world_y_of(y), 1) != 0; }

// One prey mask of a hunter against a prey.
bool mask_matches(uint32_t mask, const CreatureRecord& hunter, const CreatureRecord& prey, bool prey_is_predator) {
    const float hw = hunter.weight, pw = prey.weight;
    if ((mask & 0x10) && prey.kind == KIND_HARE) return true;
    if ((mask & 0x2000) && !prey_is_predator && pw <= SMALL_GAME_KG) return true;
    if ((mask & 0x20) && prey_is_predator && pw < hw / 2) return true;
    if ((mask & 0x02) && !prey_is_predator && pw <= hw * 1.5f) return true;
    if ((mask & 0x04) && !prey_is_predator && pw > hw && pw < hw * 10) return true;
    if ((mask & 0x08) && !prey_is_predator && pw > hw) return true;
    return false;
}

// A creature that is wild: not the player, not a person, not leashed and
// not the player's.
bool is_wild(int c) {
    return c >= 0 && cre_is_not_human(c) && Cre[c].cre_status != CRE_STATUS_TIED && Cre[c].owner != OWNER_PLAYER;
}

const char* name_of(int c) { return creature_name(c, 0); }

void found_prey_debug(int hunter, int prey) {
    if (!debug_messages_on) return;
    char line[200];
    format_text(line, sizeof line, "Saalista(%d) -> %s (#%d) l\xF6ysi saaliin %s (#%d)", hunter, name_of(hunter), hunter,
                name_of(prey), prey);
    debug_message(line);
}

// The first free task slot, -1 when all ten are taken.
int free_task_slot(const CreatureRecord& c) {
    for (int s = 0; s < TASK_SLOTS; ++s)
        if (c.Puuha[s] == 0) return s;
    return -1;
}

bool queue_hunt(int hunter, int prey, int code) {
    CreatureRecord& c = Cre[hunter];
    const int s = free_task_slot(c);
    if (s < 0) return false;
    c.Puuha[s] = code;
    c.task_turns[s] = HUNT_TURNS;
    c.task_state[s] = 0;
    c.task_x[s] = Cre[prey].Viimeisin_X;
    c.task_y[s] = Cre[prey].Viimeisin_Y;
    c.task_target[s] = int32_t(Cre[prey].sotu);
    return true;
}

// The nearest living creature that `accept` takes, ties to the later
// record; the searcher and its own group are passed over.
template <typename Accept>
int nearest_living(int searcher, Accept accept) {
    const CreatureRecord& me = Cre[searcher];
    if (near_settlement(me.Viimeisin_X, me.Viimeisin_Y)) return -1;
    int best = HUNT_REACH, found = -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CREATURE) continue;
        const int other = map_object_creature(i);
        if (!cre_slot_valid(other) || other == searcher) continue;
        if (me.lauma != 0 && Cre[other].lauma == me.lauma) continue;
        const int d = chebyshev(me.Viimeisin_X, me.Viimeisin_Y, o.x, o.y);
        if (d > best) continue;
        if (!accept(other)) continue;
        best = d;
        found = other;
    }
    return found;
}

}  // namespace

int cre_prey_match(int predator, int other) {
    if (!cre_slot_valid(predator) || !cre_slot_valid(other)) return 0;
    const CreatureRecord& h = Cre[predator];
    const CreatureRecord& p = Cre[other];
    if (p.cre_class == CRE_CLASS_HUMAN || p.cre_class == CRE_CLASS_FREE || (p.cre_flags & CRE_HELD)) return 0;
    const bool prey_is_predator = cre_is_predator(other) != 0;
    if (mask_matches(h.diet1, h, p, prey_is_predator)) return 1;
    if (mask_matches(h.diet2, h, p, prey_is_predator)) return 2;
    return 0;
}

int cre_is_game_for(int hunter, int other) {
    if (hunter != -1 && !(cre_slot_valid(hunter) && Cre[hunter].cre_class == CRE_CLASS_HUMAN)) return 0;
    if (!cre_slot_valid(other)) return 0;
    const CreatureRecord& p = Cre[other];
    if (p.cre_class == CRE_CLASS_HUMAN || p.cre_class == CRE_CLASS_FREE || cre_is_own_animal(other)) return 0;
    if (p.cre_flags & CRE_HELD) return 0;
    const int culture = hunter == -1 ? Plr.culture : Cre[hunter].home_culture;
    if (culture < 0 || culture > 15) return 0;
    const uint16_t bit = uint16_t(1u << culture);
    return (p.culture_mask1 & bit) || (p.culture_mask2 & bit) ? 1 : 0;
}

int cre_target_out_of_reach(int pursuer, int target) {
    if (!cre_slot_valid(target)) return 0;
    const CreatureRecord& t = Cre[target];
    if (t.air_state == AIR_ALOFT) return 1;
    if (is_open_water_at(t.Viimeisin_X, t.Viimeisin_Y) && !cre_is_own_animal(pursuer)) return 1;
    return 0;
}

int Saalista(int predator, int mode) {
    if (!cre_slot_valid(predator) || !cre_is_predator(predator) || cre_is_leashable(0, predator)) return 0;
    if (mode <= 0 || mode > 2) mode = 1;
    const bool bird = cre_is_bird(predator) != 0;
    const int prey = nearest_living(predator, [&](int other) {
        if (cre_prey_match(predator, other) != mode) return false;
        return bird || !cre_target_out_of_reach(predator, other);
    });
    if (prey < 0) return 0;
    found_prey_debug(predator, prey);
    if (!queue_hunt(predator, prey, TASK_PREDATION)) return 0;
    if (cre_find_group_leader(predator) != -1) cre_group_copy_tasks(predator);
    return 1;
}

int cre_seek_game(int hunter) {
    if (!cre_slot_valid(hunter) || !cre_weapon_count_at_least(hunter, 2)) return 0;
    const int prey = nearest_living(hunter, [&](int other) {
        char line[120];
        format_text(line, sizeof line, "Riistaelain check %s ", name_of(other));
        debug_message(line);
        const bool game = cre_is_game_for(hunter, other) != 0;
        debug_message(game ? "Riista accepted" : "Riista not accepted");
        return game;
    });
    if (prey < 0) return 0;
    found_prey_debug(hunter, prey);
    return queue_hunt(hunter, prey, TASK_HUNT) ? 1 : 0;
}

int Haaskasta(int creature, int mode, int act) {
    if (!cre_slot_valid(creature)) return 0;
    if (mode <= 0 || mode > 2) mode = 1;
    const CreatureRecord& c = Cre[creature];
    const uint32_t mask = mode == 1 ? c.diet1 : c.diet2;
    const bool any = (c.kind == KIND_DOG && mode == 2 && c.energy < -500) || (mask & EATS_ANY_CARCASS);
    if (!any && !(mask & EATS_CARRION)) return 0;
    const bool wild = is_wild(creature);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CARCASS) continue;
        const int dead = map_object_creature(i);
        if (!cre_slot_valid(dead)) continue;
        if (wild && !creature_catch_up && chebyshev(o.x, o.y, player_x, player_y) <= SCARY_FOOD_DISTANCE) {
            char line[200];
            format_text(line, sizeof line, "Haaskasta(%d) -> %s - scary food %s - reject", creature, name_of(creature),
                        name_of(dead));
            debug_message(line);
            continue;
        }
        const int d = chebyshev(c.Viimeisin_X, c.Viimeisin_Y, o.x, o.y);
        if (d >= CARCASS_REACH || near_settlement(o.x, o.y)) continue;
        if (!any && cre_prey_match(creature, dead) == 0) continue;
        char line[200];
        format_text(line, sizeof line, "Haaskasta(%d) -> %s l\xF6ysi saaliin %s", creature, name_of(creature),
                    name_of(dead));
        debug_message(line);
        if (act == 0) return d == 0 ? 1 : d;
        // With every task slot taken nothing is queued: no success to tell.
        if (free_task_slot(c) < 0) return 0;
        task_target_point = {o.x, o.y};
        cre_queue_eat_carcass(0, i, creature);
        return 1;
    }
    return 0;
}

int cre_avoids_food_spot(int creature, int x, int y) {
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    if (is_wild(creature) && !creature_catch_up && chebyshev(x, y, player_x, player_y) < SCARY_FOOD_DISTANCE + 1)
        return 1;
    const bool own = cre_is_own_animal(creature) != 0;
    const int trap = find_map_object(MK_TRAP, x, y);
    if (trap >= 0) {
        if (own || cre_is_companion(creature)) return 1;
        if (!trap_catches(trap, creature)) return 1;
    }
    const int code = terrain_at(x, y);
    if (code == TERRAIN_CELLAR) {
        // A kilogram weight against the five-pound limit.
        if (cre_is_bird(creature) || own || c.weight > pounds_in_kilograms(5.0f)) return 1;
        if (!((c.diet1 | c.diet2) & (0x2 | 0x10000 | 0x200000))) return 1;
        if (random_below(50) != 0) return 1;
    }
    if ((terrain_flags_of(code) & TF_ROOF) && !own) return 1;
    return 0;
}
