#include "creatures/creature_steps.h"

#include "creatures/player_step.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/files.h"
#include "body/exertion.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/player_step.h"
#include "creatures/task_queue.h"
#include "creatures/task_runner.h"
#include "game/clock.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/sight.h"
#include "maps/terrain_queries.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

int32_t creatures_frozen = 0;
int32_t alternative_pathing = 0;
int32_t movement_trial = 0;

namespace {

constexpr int STEP_DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int STEP_DY[8] = {0, -1, -1, -1, 0, 1, 1, 1};
constexpr uint8_t TERRAIN_ROAD = 46;
constexpr uint8_t MOBILITY_SWIMMER = 96;
constexpr uint8_t MOBILITY_DIVER = 128;
constexpr uint8_t MOVE_MODE_LEASHED = 2;
constexpr uint8_t MOVE_MODE_CHASE = 4;
constexpr uint8_t MOVE_MODE_HURRIED = 99;
constexpr int DEEP_SNOW = 100;
constexpr int REACH_TRIAL_STEPS = 100;

CreatureRecord* record_of(int creature) { return cre_slot_valid(creature) ? &Cre[creature] : nullptr; }

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// The five directions a heading allows a step in (all eight for a spirit).
bool direction_ahead(int heading, int d, bool spirit) {
    if (spirit) return true;
    const int diff = ((d - heading) % 8 + 8) % 8;
    return diff <= 2 || diff >= 6;
}

bool on_trail(const CreatureRecord& c, int x, int y) {
    for (int i = 0; i < TRAIL_LENGTH; ++i)
        if (c.trail_x[i] == x && c.trail_y[i] == y) return true;
    return false;
}

int path_score(int x, int y) {
    if (terrain_at(x, y) == TERRAIN_ROAD) return 3;
    // The used part of the table ends at the first record never used.
    for (const MapObject& o : Data) {
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE == MK_TRACK && o.x == x && o.y == y) return 1;
    }
    return 0;
}

struct StepChoice {
    bool open = false, ahead = false, both_nearer = false, nearer = false, visited = false;
    bool only_nearer = false;  // nearer on one axis but not on both
    int score = 0;
};

// A draw among the candidates of a tier, or with the alternative pathing the
// best-scored one (the first of equal ones).
int pick_direction(const StepChoice (&s)[8], const bool (&in_tier)[8], bool by_score) {
    int count = 0, best = -1;
    for (int d = 0; d < 8; ++d) {
        if (!in_tier[d]) continue;
        ++count;
        if (best < 0 || s[d].score > s[best].score) best = d;
    }
    if (count == 0) return -1;
    if (by_score) return best;
    int n = random_below(count);
    for (int d = 0; d < 8; ++d)
        if (in_tier[d] && n-- == 0) return d;
    return -1;
}

// The exertion of the step: wading deep snow, running, or swimming.
void set_step_exertion(int creature, CreatureRecord& c, int cx, int cy, int nx, int ny, int tx, int ty) {
    const int snow = snow_depth_at(cx, cy);
    if (snow >= DEEP_SNOW && check_crust_breaks(creature, cx, 0, cy) <= 0)
        c.exertion = uint8_t(cre_exertion_in_snow(creature, snow));
    if (c.move_mode == MOVE_MODE_CHASE || c.move_mode == MOVE_MODE_HURRIED) c.exertion = c.air_state == 100 ? 2 : 10;
    const bool water_mover = c.kind == 701 || c.mobility == MOBILITY_SWIMMER || c.mobility == MOBILITY_DIVER;
    if (water_mover && is_open_water_at(tx, ty)) c.exertion = 1;
    (void)nx;
    (void)ny;
}

// The speed the walk compares: the player's own, the creature's, a spirit
// half as fast again as the player.
void walk_speeds(int creature, const CreatureRecord& c, double& s, double& p) {
    p = std::max(0, cre_movement_speed(-1));
    s = std::max(0, cre_movement_speed(creature));
    if (c.cre_class == CRE_CLASS_SPIRIT) s = 1.5 * p;
    const bool kept = c.cre_status == CRE_STATUS_TIED || c.owner == OWNER_PLAYER;
    const bool own_pace =
        c.move_mode == MOVE_MODE_LEASHED || c.move_mode == MOVE_MODE_CHASE || c.move_mode == MOVE_MODE_HURRIED;
    if (c.cre_class != CRE_CLASS_HUMAN && kept && !own_pace) s = std::min(s, p);
}

}  // namespace

void cre_clear_trail(int creature) {
    CreatureRecord* c = record_of(creature);
    if (!c) return;
    std::memset(c->trail_x, 0, sizeof c->trail_x);
    std::memset(c->trail_y, 0, sizeof c->trail_y);
}

void cre_push_trail(int creature, int x, int y) {
    CreatureRecord* c = record_of(creature);
    if (!c) return;
    std::memmove(c->trail_x + 1, c->trail_x, sizeof c->trail_x[0] * (TRAIL_LENGTH - 1));
    std::memmove(c->trail_y + 1, c->trail_y, sizeof c->trail_y[0] * (TRAIL_LENGTH - 1));
    c->trail_x[0] = x;
    c->trail_y[0] = y;
}

void cre_thin_trail(int creature) {
    CreatureRecord* c = record_of(creature);
    if (!c) return;
    const int x = creature_x(creature);
    if (x == c->trail_x[3]) {
        // Going to and fro over a few squares: forget all but where it
        // stands, so that it may go back the way it came.
        for (int i = 1; i < TRAIL_LENGTH; ++i) {
            c->trail_x[i] = c->trail_x[0];
            c->trail_y[i] = c->trail_y[0];
        }
    } else {
        std::memmove(c->trail_x + 1, c->trail_x, sizeof c->trail_x[0] * (TRAIL_LENGTH - 1));
        std::memmove(c->trail_y + 1, c->trail_y, sizeof c->trail_y[0] * (TRAIL_LENGTH - 1));
    }
    c->trail_x[0] = 0;
    c->trail_y[0] = 0;
}

int askel_kohti_paikkaa(int tx, int creature, int ty) {
    if (creatures_frozen) return 0;
    CreatureRecord* cp = record_of(creature);
    if (!cp || cre_datapos(creature) < 0) return 0;
    CreatureRecord& c = *cp;
    const int cx = creature_x(creature), cy = creature_y(creature);
    // Standing on the target already: reached, and nothing moves.
    if (cx == tx && cy == ty) return 1;
    const int dx0 = std::abs(cx - tx), dy0 = std::abs(cy - ty);
    if (dx0 <= 1 && dy0 <= 1 && Liikkuminen(creature, tx, ty, 0) != STEP_FREE) return 1;

    const bool spirit = c.cre_class == CRE_CLASS_SPIRIT;
    const int heading = ((c.Suunta % 8) + 8) % 8;
    StepChoice s[8];
    for (int d = 0; d < 8; ++d) {
        const int nx = cx + STEP_DX[d], ny = cy + STEP_DY[d];
        s[d].open = Liikkuminen(creature, nx, ny, 0) == STEP_FREE;
        if (!s[d].open) continue;
        const int ndx = std::abs(nx - tx), ndy = std::abs(ny - ty);
        s[d].ahead = direction_ahead(heading, d, spirit);
        s[d].both_nearer = ndx < dx0 && ndy < dy0;
        s[d].nearer = alternative_pathing ? (ndx < dx0 && ndy <= dy0) || (ndy < dy0 && ndx <= dx0)
                                          : ndx < dx0 || ndy < dy0;
        s[d].only_nearer = s[d].nearer && !s[d].both_nearer;
        s[d].visited = on_trail(c, nx, ny);
        s[d].score = path_score(nx, ny);
    }

    int chosen = -1;
    for (int tier = 1; tier <= 4 && chosen < 0; ++tier) {
        bool in_tier[8];
        for (int d = 0; d < 8; ++d) {
            const StepChoice& e = s[d];
            bool ok = e.open && !e.visited;
            if (tier <= 3) ok = ok && e.ahead;
            if (tier == 1) ok = ok && e.both_nearer;
            if (tier == 2) ok = ok && e.nearer;
            in_tier[d] = ok;
        }
        const bool by_score = alternative_pathing && tier <= 3;
        chosen = pick_direction(s, in_tier, by_score);
        if (chosen >= 0 && by_score && tier == 1 && s[chosen].score == 0) {
            // A road or track a little aside beats a plain square straight on.
            for (int d = 0; d < 8; ++d)
                if (s[d].open && s[d].ahead && !s[d].visited && s[d].only_nearer && s[d].score > 0) chosen = -1;
        }
    }
    if (chosen < 0) {
        cre_thin_trail(creature);
        return 0;
    }

    const int nx = cx + STEP_DX[chosen], ny = cy + STEP_DY[chosen];
    c.Suunta = chosen;
    if (spirit) c.Suunta = facing_toward(cx, cy, player_x, player_y);
    set_step_exertion(creature, c, cx, cy, nx, ny, tx, ty);
    Liikkuminen(creature, nx, ny, 1);
    cre_push_trail(creature, nx, ny);
    return creature_x(creature) == tx && creature_y(creature) == ty ? 1 : 0;
}

int Kulje_Paikkaan(int creature, int x, int y) {
    CreatureRecord* cp = record_of(creature);
    if (!cp || cre_datapos(creature) < 0) return 0;
    if (creature_x(creature) == x && creature_y(creature) == y) return 1;
    const CreatureRecord& c = *cp;
    double s = 0, p = 0;
    walk_speeds(creature, c, s, p);

    int steps = 1;
    if (s > p) {
        if (s >= 3 * p) steps = 3;
        else if (s >= 2 * p) steps = 2;
        else if (p < random_below(int(s))) steps = 2;
    }
    if (c.move_mode == MOVE_MODE_CHASE && cre_slot_valid(c.fight_target)) {
        const double q = std::max(0, cre_movement_speed(c.fight_target));
        if (q < s) {
            if (s >= 1.5 * q) ++steps;
            else if (s >= 1.2 * q && random_below(3) == 0) ++steps;
        }
    }
    if (s < p && s < random_below(int(p))) {
        // A slow walker keeps up only now and then.
        if (random_below(3) < 2) return 0;
    }
    for (int i = 0; i < steps; ++i)
        if (askel_kohti_paikkaa(x, creature, y)) return 1;  // the walk ends where it arrived
    return 0;
}

int Elain_Eteenpain(int map_index) {
    const int creature = map_index_valid(map_index) ? map_object_creature(map_index) : -1000;
    CreatureRecord* c = record_of(creature);
    if (!c) return 0;
    const int d = ((c->Suunta % 8) + 8) % 8;
    const int x = Data[map_index].x + STEP_DX[d], y = Data[map_index].y + STEP_DY[d];
    if (Liikkuminen(creature, x, y, 0) != STEP_FREE) return 0;
    Kulje_Paikkaan(creature, x, y);
    return 1;
}

int cre_follow_leader(int creature, int mode) {
    CreatureRecord* cp = record_of(creature);
    if (!cp) return 0;
    CreatureRecord& c = *cp;
    int gap = 1;
    int leader = -1;  // the player
    bool follows = false;
    if (c.cre_class == CRE_CLASS_HUMAN) {
        if (!cre_is_companion(creature)) return 0;
        follows = true;
    } else {
        if (c.kind == 618 && cre_is_own_animal(creature)) c.bfdom |= BFDOM_RANDOM_GAP;
        if (c.owner != 0 && c.owner != OWNER_PLAYER && c.owner != -1000 && (c.cre_bits & CRE_BITS_OWNED)) {
            leader = cre_by_sotu(uint32_t(c.owner));
            // A leader that is not on this map leads nobody.
            if (leader < 0 || cre_datapos(leader) < 0) return 0;
        } else if (c.cre_status != CRE_STATUS_TIED && c.owner != OWNER_PLAYER && !(c.cre_flags & CRE_BROUGHT_BACK)) {
            return 0;
        }
        gap = 5;
    }
    if (c.life_bits & LIFE_BOUND_TO_CELL) {
        if (world_x_of(player_x) != c.stay_world_x || world_y_of(player_y) != c.stay_world_y) return 0;
    }
    if (c.bfdom & BFDOM_RANDOM_GAP) {
        gap = 1 + random_below(5);
        follows = true;
    }
    if (c.party_flags & PARTY_WAITS) {
        if (Plr.total_minutes < c.leader_ref) return 0;
        c.leader_ref = 0;
        c.party_flags &= ~PARTY_WAITS;
    }
    if (c.bfdom & BFDOM_CATCH_UP) gap = 1;
    bool tight = false;
    if (leader == -1) {
        if (c.cre_class != CRE_CLASS_HUMAN && c.cre_status == CRE_STATUS_TIED) {
            gap = 1;
            follows = tight = true;
        }
        if (Plr.travel_mode == 2 || Plr.travel_mode == 3) {
            gap = 0;
            tight = true;
        }
    }
    if (!follows) return 0;

    const int lx = creature_x(leader), ly = creature_y(leader);
    const int cx = creature_x(creature), cy = creature_y(creature);
    const int distance = chebyshev(cx, cy, lx, ly);
    const bool on_water = is_open_water_at(cx, cy) != 0;
    const bool too_far = (on_water || is_world_map()) ? distance > 0 : distance > gap;
    if ((c.bfdom & BFDOM_CATCH_UP) && !too_far) c.bfdom &= ~BFDOM_CATCH_UP;
    if (mode == 1) {
        if (!too_far) return 0;
        askel_kohti_paikkaa(lx, creature, ly);
        return 1;
    }
    if (mode == 2) return too_far && (on_water || tight) ? 1 : 0;
    return 1;
}

int cre_can_reach_place(int creature, int x, int y) {
    if (is_world_map() || creature == -1) return 1;
    CreatureRecord* c = record_of(creature);
    if (!c || cre_datapos(creature) < 0) return 0;
    // The trial walks on copies: every map record and the creature's own
    // record go back as they were (its trail too), and nothing is told.
    static MapObject saved_data[MAP_OBJECT_COUNT];
    std::memcpy(saved_data, Data, sizeof Data);
    const CreatureRecord saved = *c;
    cre_clear_trail(creature);
    const bool was_quiet = messages_suppressed;
    const int32_t was_trial = movement_trial;
    messages_suppressed = true;
    movement_trial = 1;
    for (int i = 0; i < REACH_TRIAL_STEPS; ++i)
        if (askel_kohti_paikkaa(x, creature, y)) break;
    const int ex = creature_x(creature), ey = creature_y(creature);
    movement_trial = was_trial;
    messages_suppressed = was_quiet;
    std::memcpy(Data, saved_data, sizeof Data);
    *c = saved;
    return chebyshev(ex, ey, x, y) < 2 ? 1 : 0;
}

int cre_go_to_favourite_place(int creature) {
    if (!cre_slot_valid(creature) || cre_datapos(creature) < 0) return 0;
    constexpr int KIND_FAVOURITE_PLACE = 85, FAVOURITE_RANGE = 200, FAVOURITE_TURNS = 100;
    const int cx = creature_x(creature), cy = creature_y(creature);
    for (const MapObject& o : Data) {
        if (o.TYPE != KIND_FAVOURITE_PLACE || chebyshev(o.x, o.y, cx, cy) > FAVOURITE_RANGE) continue;
        task_target_point = {o.x, o.y};
        return push_task(creature, TASK_GO_TO_POINT, FAVOURITE_TURNS) >= 0 ? 1 : 0;
    }
    return 0;
}

void cre_clear_main_task(int creature) {
    CreatureRecord* c = record_of(creature);
    if (!c) return;
    c->main_task = 0;
    c->main_task_object = 0;
    c->main_task_value = 0;
    c->main_task_flags = 0;
    c->main_task_until = 0;
}

void reset_creature_steps() {
    creatures_frozen = 0;
    alternative_pathing = 0;
    movement_trial = 0;
    talk_held_switch = 0;
}
