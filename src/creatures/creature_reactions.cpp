// How a creature reacts to the player or to another creature it perceived:
// it threatens, attacks, flees, keeps its distance or hides; and how its
// group rallies when it is attacked.
#include <algorithm>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "body/creature_fights.h"
#include "body/body_condition.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_senses.h"
#include "creatures/creature_services.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/catalogue.h"

namespace {

constexpr int KIND_BEAR = 605, KIND_DOG = 618, KIND_TRADER = 510;
constexpr uint8_t MODE_FIGHTS = 2, MODE_FIGHTS_HARD = 99, MODE_ESCAPES = 4;
constexpr int REACTION_REACH = 15;

CreatureRecord* rec(int c) { return cre_slot_valid(c) && CreSlotRefs[c] ? &Cre[c] : nullptr; }
int pos_x(int c) { return c == -1 ? player_x : creature_x(c); }
int pos_y(int c) { return c == -1 ? player_y : creature_y(c); }

int radius_of(int inclination) { return inclination > 0 ? inclination / 10 + 1 : 0; }
bool roll_under(int value) { return 1 + random_below(100) <= value; }

// A family member of the creature (its group) lies shocked or unconscious
// on the map; with young, a young one of its group is on the map.
bool family_member(int c, bool downed, bool young) {
    const CreatureRecord& r = Cre[c];
    if (r.lauma == 0) return false;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CREATURE) continue;
        const int k = map_object_creature(i);
        if (k == c || !rec(k) || Cre[k].lauma != r.lauma) continue;
        if (downed && !cre_is_conscious(k)) return true;
        if (young && (Cre[k].sex_age & SEX_YOUNG)) return true;
    }
    return false;
}

void set_defender(int c, int other) {
    msg_npc = c;
    msg_defender = other;
}

}  // namespace

int cre_react(int c, int other) {
    CreatureRecord* r = rec(c);
    if (!r || (other != -1 && !rec(other))) return 0;
    if (other == -1 && !player_reactions_on) return 0;
    if (!cre_is_conscious(c)) return 0;
    const bool human_rule = cre_is_human(c) && cre_is_human(other);
    const int relation = human_rule ? cre_relation_human(c, other) : cre_relation_animal(c, other);
    if (human_rule && relation == 0) return 0;
    const bool seen = other == -1 ? r->alert != 0 : cre_can_see_point(c, pos_x(other), pos_y(other)) != 0;
    const bool heard = other == -1 && r->alarm_value != 0;
    if (r->move_mode == MOVE_MODE_ASLEEP && heard) {
        cre_wake_up(c);
        return 0;
    }

    // Lasting hatred of the player in sight: a person attacks unless its
    // morale sends it running.
    if (relation == 1 && human_rule && other == -1 && seen) {
        if (debug_logs_on) debug_log("cre", "Pysyv\xE4 viha tarkistus");
        cre_morale_check(c, other, 0);
        if (r->move_mode != MODE_ESCAPES) {
            set_defender(c, other);
            cre_begin_attack(c, other, r->caution);
        }
        return 1;
    }
    if (heard && !seen) cre_tell(c, "NPC_GETS_ALERT");
    // The target's square is brought up to date when the other is the one
    // it is set on; the distance counts from where the other stands now.
    if (r->fight_target == other && r->fight_target != FIGHT_TARGET_NONE) cre_update_target_distance(c);
    const int w = std::max(std::abs(pos_x(c) - pos_x(other)), std::abs(pos_y(c) - pos_y(other)));
    if (w > REACTION_REACH) return 0;

    int hyokkaa = r->attack_threshold, pakene = r->flee_threshold;
    const int karta = r->avoid_threshold;
    if ((r->sex_age & SEX_YOUNG) && !cre_is_human(c) && pakene <= 30) pakene = 20 + random_below(30);
    int attack_r = radius_of(hyokkaa), flee_r = radius_of(pakene), avoid_r = radius_of(karta);
    if (relation == 2) attack_r = 8, avoid_r = 15, flee_r = 0;
    if (relation == 4) attack_r = 10, avoid_r = 15, flee_r = 0;
    const int widen = std::min(2 * int(r->caution), 20);
    if (attack_r) attack_r += widen;
    if (flee_r) flee_r += widen;
    if (avoid_r) avoid_r += widen;

    bool threaten = false, attack = false;
    if (attack_r > 0 && w <= attack_r) threaten = attack = true;
    else if (roll_under(hyokkaa)) threaten = true;
    bool flee = flee_r > 0 && w <= flee_r;
    const bool avoid = roll_under(karta);
    const bool hide = !seen && roll_under(r->random_a);
    if ((r->sex_age & SEX_YOUNG) && family_member(c, true, false)) threaten = attack = false;
    if (r->kind == KIND_BEAR && !(r->sex_age & SEX_YOUNG) && family_member(c, false, true)) flee = false;

    if (threaten && !avoid && !attack) {
        set_defender(c, other);
        cre_tell(c, "SOUND_THREATEN", cre_aggression_sound(c));
    }
    if (attack && flee) {
        const int p = random_below(std::max(1, pakene));
        const int h = random_below(std::max(1, hyokkaa));
        if (p >= h) attack = false;
        else flee = false;
    }
    if (attack) {
        set_defender(c, other);
        if (other == -1) cre_tell(c, "SOUND_THREATEN", cre_aggression_sound(c));
        if (relation == 2) cre_morale_check(c, other, 0);
        else cre_begin_attack(c, other, r->caution);
        return 1;
    }
    if (flee) {
        cre_begin_escape(c, other, 0);
        return 1;
    }
    if (avoid && avoid_r > 0) {
        if (other == -1 && random_below(5) == 0) cre_tell(c, "NPC_AVOIDS");
        cre_drop_tasks(c);
        const int x = pos_x(c), y = pos_y(c), ox = pos_x(other), oy = pos_y(other);
        const int tx = x + (x > ox ? avoid_r : x < ox ? -avoid_r : 0);
        const int ty = y + (y > oy ? avoid_r : y < oy ? -avoid_r : 0);
        if (debug_logs_on) {
            char line[160];
            format_text(line, sizeof line, "pako kohtaan: %d,%d (npc: %d,%d pelaaja: %d,%d)", tx, ty, x, y, player_x,
                        player_y);
            debug_log("cre", line);
        }
        cre_go_towards(c, tx, ty, avoid_r);
        return 1;
    }
    if (hide) {
        cre_drop_tasks(c);
        push_task(c, TASK_WAIT, 5 + random_below(10));
        return 1;
    }
    return 0;
}

void cre_call_group(int c, int opponent) {
    if (!rec(c)) return;
    for (int k = 0; k < CRE_SLOTS; ++k) {
        if (k == c || !rec(k) || Cre[k].move_mode == MOVE_MODE_DEAD || cre_datapos(k) < 0) continue;
        if (!cre_are_allies(c, k)) continue;
        CreatureRecord& m = Cre[k];
        if (debug_logs_on) {
            char line[200];
            format_text(line, sizeof line, "%d:n (%s) ryhm\xE4\xE4n kuuluu: %d (%s)", c, Cre[c].name, k, m.name);
            debug_log("cre", line);
        }
        if (!cre_is_human(k)) cre_wake_up(k);
        const bool bear_mother = m.kind == KIND_BEAR && (Cre[c].sex_age & SEX_YOUNG) && Cre[c].kind == KIND_BEAR;
        if (m.kind == KIND_DOG || bear_mother) {
            cre_begin_attack(k, opponent, 0);
        } else if (m.move_mode != MOVE_MODE_ASLEEP) {
            cre_morale_check(k, opponent, 0);
            if (m.kind == KIND_TRADER) {
                cre_wake_up(k);
                cre_begin_attack(k, opponent, 0);
            }
        }
    }
}
