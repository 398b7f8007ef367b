#include "body/missile_flight.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "body/body_queries.h"
#include "body/combat_state.h"
#include "body/fighters.h"
#include "body/skills.h"
#include "body/attack_resolver.h"
#include "body/weapon_tests.h"
#include "creatures/creature_files.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_marks.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/sound.h"
#include "work/missile_tracer.h"

int missile_accuracy = 0;
char missile_report[256] = "";

namespace {

constexpr int CLASS_NEVER_HIT = 50;
constexpr int NO_TARGET = COMBAT_NOBODY;
// The cell of the last obstacle met, for its report.
int obstacle_x = 0, obstacle_y = 0;
// The square a missile without a declared target is thrown at.
int square_x = 0, square_y = 0;
// The launch speed of the flight under way.
float flight_speed = 1.0f;

bool cell_stops_missiles(int x, int y) {
    const uint32_t f = terrain_flags_of(in_world_grid(x, y) ? terrain_at(x, y) : 32);
    return (f & TF_OBSTACLE) && !(f & TF_WATER);
}

int grade_of(const ObjectRecord& r) {
    const int g = r.quality & 7;
    return g == 0 ? 3 : g;
}

// A draw of lo..hi.
int draw_between(int lo, int hi) { return lo + body_draw(hi - lo + 1); }

bool is_crossbow(const ObjectRecord& launcher) {
    char skill[sizeof launcher.skill + 1];
    copy_field(skill, sizeof skill, launcher.skill, sizeof launcher.skill);
    return std::strstr(skill, "CROSSBOW") != nullptr;
}

int fighter_elevation(int f) { return int(cre_elevation(f)); }

}  // namespace

void reset_missile_state() {
    missile_accuracy = 0;
    missile_report[0] = 0;
    obstacle_x = obstacle_y = 0;
}

float GetMissileVelocity(const ObjectRecord& item) {
    const float minus = item.weight * 0.5f;
    const float v = std::max(1.0f, 20.0f - minus);
    debug_message_format("GetMissileVelocity %s - WT: %.2f vminus: %.2f - VELOCITY: %.2f", item.name,
                         double(item.weight), double(minus), double(v));
    return v;
}

float missile_aero(const ObjectRecord& item) {
    if (item.subclass == SUBCLASS_MISSILE) return 1.0f;
    if (item.item_class == 2) return 600.0f - item.weight * 10.0f;
    if (item.item_class == 1) {
        const int balance = item.coverage[1];
        return balance != 0 ? float(balance * balance) : item.weight * 5.0f + 50.0f;
    }
    if (item.item_class == 11) return 800.0f;
    return item.weight < 0.25f ? 950.0f : 50.0f;
}

int cre_missile_target_size(int creature) {
    if (creature == -1) return fighter_is_down(-1) ? 50 : 100;
    if (!cre_slot_valid(creature)) return 100;
    if (cre_is_human(creature)) return 100;
    const float w = fighter_weight_kg(creature);
    if (w < 5) return 15;
    if (w < 15) return 30;
    if (w < 30) return 45;
    if (w < 45) return 60;
    if (w < 60) return 75;
    return 100;
}

int missile_hit_check(int x, int y, int quality) {
    const int target = combat.aimed_target;
    if (target == NO_TARGET) return 0;
    int met;
    if (x == player_x && y == player_y) met = -1;
    else met = creature_at(x, y);
    if (met == combat.attacker) return 0;  // the thrower's own square
    if (met != -1 && !cre_slot_valid(met)) return 0;
    // A creature of the thrower's band lets its fellows' missiles pass.
    if (combat.attacker >= 0 && met >= 0 && met != target && Cre[met].lauma != 0 &&
        Cre[met].lauma == Cre[combat.attacker].lauma)
        return 0;
    // A missile aimed higher passes over.
    if (met != target && fighter_elevation(met) + 2 < fighter_elevation(target)) return 0;

    debug_message_format("Missile osumatarkistus. NPC: %d (%d,%d) laatu: %d", met, x, y, quality);
    int q = std::min(quality, missile_accuracy);
    int s = cre_missile_target_size(met);
    static const float aim_share[4] = {1.0f, 0.5f, 0.4f, 0.3f};
    if (combat.aim_modifier >= 1 && combat.aim_modifier <= 3) s = int(std::ceil(float(s) * aim_share[combat.aim_modifier]));
    int dodge = 0;
    bool hit = true;
    if (s < 100 && q < 100 - s) {
        dodge = 3;
        hit = false;
    } else {
        const bool can_dodge = met == -1 ? (Plr.LastActionBit & 0x02) != 0
                                         : (Cre[met].move_mode == 99 || Cre[met].move_mode == 2 || Cre[met].move_mode == 4);
        if (can_dodge) {
            const int m = cre_movedodge_level(met);
            debug_message_format("MOVEDODGE ML: %d", m);
            const int u = body_draw(std::max(1, int(std::ceil(flight_speed))));
            const int d = body_draw(std::max(1, m));
            if (u < d) {
                dodge = met == -1 ? 1 : 2;
                hit = false;
            } else if (body_draw(std::max(1, q)) < body_draw(std::max(1, m))) {
                dodge = 1;
                hit = false;
            }
        }
    }
    if (hit) {
        combat.struck_creature = met;
        combat.reached_creature = 1;
        combat.hit_quality = q;
        combat.missile_dodge = 0;
        combat.missile_defence_grade = 0;
        return 1;
    }
    if (met == target && !combat.passed_target) {
        combat.passed_target = 1;
        combat.passed_hit_quality = q;
        combat.passed_missile_dodge = dodge;
        combat.passed_defence_grade = 3;
    }
    return -1;
}

int missile_obstacle_check(int x, int y, int q, int tx, int ty) {
    const int code = in_world_grid(x, y) ? terrain_at(x, y) : 32;
    const uint32_t f = terrain_flags_of(code);
    if (f & TF_ROOF) return 1;
    if (!(f & TF_OBSTACLE) || (f & TF_WATER)) return 0;
    int h;
    if (f & TF_YOUNG_TREE) h = (f & TF_TALL) ? 66 : 33;
    else if (f & TF_FENCE) h = 10;
    else if (f & TF_TALL) h = 90;
    else h = 50;
    bool stops;
    if (q >= 1000) stops = true;
    else if (h >= 90 || h >= q || (x == tx && y == ty)) stops = !(q < 100 - h);
    else stops = body_draw(std::max(1, q)) < body_draw(h);
    if (stops) {
        obstacle_x = x;
        obstacle_y = y;
    }
    return stops ? 1 : 0;
}

void missile_hits_obstacle() {
    const int id = combat.missile_id;
    if (is_in_view(obstacle_x, obstacle_y)) {
        char text[200];
        format_text(text, sizeof text, "&The missile hits %s.",
                    with_indefinite_article(lower_case_copy(terrain_name_at(obstacle_x, obstacle_y))));
        show_message(text);
    }
    if (!obj_id_is_valid(id)) return;
    ObjectRecord item;
    obj_record(id, item);
    if (item.subclass == SUBCLASS_MISSILE && body_draw(15) == 0) {
        show_message(message_by_key("MISSILE_BREAKS"));
        drop_broken_arrow(obstacle_x, obstacle_y, id);
        return;
    }
    aseta_heitetty_esine(obstacle_x, obstacle_y, id);
}

void missile_blocked_by_contour() {
    obj_record(combat.missile_id, current_object);
    msg_item = -1;
    show_message(message_by_key("CANT_THROW_PAST_CONTOUR"));
}

void report_missile_obstacle() { missile_hits_obstacle(); }
void report_missile_contour() { missile_blocked_by_contour(); }

void fly_missile(int attacker, int defender, const ObjectRecord& missile, int launcher) {
    // 1. The missile as an object of its own; the thrower attacks.
    combat.attacker = attacker;
    combat.aimed_target = defender;
    combat.struck_creature = NO_TARGET;
    combat.reached_creature = 0;
    combat.passed_target = 0;
    combat.hit_obstacle = combat.stopped_at_contour = combat.too_far = 0;
    combat.missile_dodge = 0;
    combat.narration[0] = 0;
    combat.missile_id = obj_store_record(missile);

    // 2. The skill.
    ObjectRecord bow{};
    const bool shot = launcher > 0 && obj_id_is_valid(launcher);
    if (shot) obj_record(launcher, bow);
    char skill[32];
    copy_field(skill, sizeof skill, shot ? bow.skill : missile.skill, shot ? sizeof bow.skill : sizeof missile.skill);
    const bool crossbow = shot && is_crossbow(bow);
    int ml = cre_skill_level(attacker, skill);
    if (!shot && (ml == 0 || ml >= 1000 || (attacker == -1 && plr_skill_slot(skill) < 0))) {
        copy_text(skill, "THROWING");
        ml = cre_skill_level(attacker, skill);
    }
    if (ml >= 1000) ml = 0;
    debug_message_format("Missiletaito: %s ML: %d", skill, ml);

    // 3. The launch roll.
    int penalty = cre_penalty(attacker, 1) + cre_penalty(attacker, 2);
    if (fighter_is_down(attacker)) penalty += 30;
    int bonus = 0;
    if (crossbow) {
        penalty /= 2;
        bonus = 10;
    }
    int grade = attacker == -1 ? plr_use_skill(penalty, bonus, skill, 0) : roll_check(penalty, ml + bonus);
    if (grade_of(missile) == 1 && grade > 2) grade = 2;
    if (crossbow && grade == 0) grade = 2;
    if (cre_slot_valid(defender) && Cre[defender].cre_class == CLASS_NEVER_HIT) grade = 0;
    combat.launch_grade = grade;

    // 4. Accuracy by the grade.
    int a;
    switch (grade) {
        case 0: a = draw_between(1, 25); break;
        case 1:
            a = crossbow ? draw_between(45, 60) : draw_between(35, 50);
            if (a < ml) a += body_draw(std::max(1, (ml - a) / 3));
            break;
        case 2: {
            a = crossbow ? draw_between(75, 85) : draw_between(65, 75);
            if (a < ml) {
                const int d = (ml - a) / 3;
                a += d + body_draw(std::max(1, d)) + body_draw(std::max(1, d));
            }
            break;
        }
        default:
            a = draw_between(91, 100);
            if (a < ml) a += body_draw(std::max(1, ml - a));
            break;
    }
    static const char* const grade_keys[4] = {"MISSILE_INFERIOR", "MISSILE_MARGINAL", "MISSILE_GOOD",
                                              "MISSILE_SUPERIOR"};
    copy_text(combat.narration, message_by_key(grade_keys[std::clamp(grade, 0, 3)]));
    debug_message_format("Missile_success:%d accuracy:%d", grade, a);

    // 5. The missile's own quality.
    switch (grade_of(missile)) {
        case 1: a /= 2; break;
        case 2: a -= 15; break;
        case 4: a += 5; break;
        case 5: a += 10; break;
        default: break;
    }
    a = std::clamp(a, 0, 100);
    const int fx = fighter_x(attacker), fy = fighter_y(attacker);
    int tx = square_x, ty = square_y;
    if (defender != NO_TARGET) {
        tx = fighter_x(defender);
        ty = fighter_y(defender);
    }
    if (defender == NO_TARGET && std::max(std::abs(tx - fx), std::abs(ty - fy)) <= 1) a = 100;
    missile_accuracy = a;

    // 6. Speed and drag.
    const float V0 = GetMissileVelocity(missile) + (shot ? float(std::clamp(bow.coverage[1] + 10, 40, 150)) : 0.0f);
    const float aero = missile_aero(missile);
    debug_message_format("Velocity: %.2f Aero: %.2f", double(V0), double(aero));
    if (!combat.quiet) play_sample(shot ? "arrow" : "throw", 0);

    // 7. Heights and the cone.
    const float launch = obstacle_height_at(fx, fy) + 1.75f;
    float aim;
    if (defender != NO_TARGET) aim = cre_elevation(defender) + (defender == -1 ? 0.0f : 0.0f) + 1.0f;
    else {
        aim = obstacle_height_at(tx, ty);
        if (cell_stops_missiles(tx, ty)) aim += 1.75f;
    }
    const float cone = float(101 - a) / 100.0f * 0.35f;
    debug_message_format("laukaisukorkeus: %.2f m / maali: %.2f m cone: %.2f", double(launch), double(aim),
                         double(cone));

    // 8. The flight.
    flight_speed = V0;
    trace_missile_flight(fx, fy, tx, ty, cone, launch, aim, V0, aero);
    const MissileTrace& t = missile_trace;
    combat.flown_length = t.flown_length;
    combat.planned_length = t.planned_length;
    combat.hit_obstacle = t.blocked;
    combat.too_far = t.fell_short;
    combat.landing_x = t.end_x;
    combat.landing_y = t.end_y;

    // 9. The force of the hit.
    const float v = t.impact_speed;
    const float energy = std::min(v * v * missile.weight, 1000.0f);
    combat.kinetic = std::min(10, int(std::ceil(energy * (v / V0) / 100.0f)));
    debug_message_format("MslHit VC:%.2f m/2 KE:%d", double(v), combat.kinetic);

    // 10. A missile that met nothing lands where it came down.
    if (!combat.reached_creature && !t.blocked && !combat.passed_target)
        aseta_heitetty_esine(t.end_x, t.end_y, combat.missile_id);
    view_rebuild_request = 1;
}

// ------------------------------------------------------------ the player's missiles

void missile_at_square(const ObjectRecord& item, int x, int y, int bow) {
    square_x = x;
    square_y = y;
    fly_missile(-1, NO_TARGET, item, bow);
    copy_text(missile_report, combat.narration);
    combat.narration[0] = 0;
}

int missile_attack(int, int item, int attacker, int, int creature, int bow_or_item) {
    if (!obj_id_is_valid(item)) return 0;
    square_x = fighter_x(creature);
    square_y = fighter_y(creature);
    return cre_resolve_attack(attacker, item, 1, creature, bow_or_item);
}

int plr_arrow_hand() {
    int held[3] = {0, 0, 0};
    for (int hand = 1; hand <= 2; ++hand) {
        const int slot = plr_wielded_slot(hand);
        if (slot == PLR_NO_SLOT) return 0;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[slot], r);
        held[hand] = obj_is_missile_weapon(r) ? 5 : r.subclass == SUBCLASS_MISSILE ? 6 : 0;
    }
    if (held[1] == 5 && held[2] == 6) return 2;
    if (held[1] == 6 && held[2] == 5) return 1;
    return 0;
}

void plr_break_bowstring(int slot, int strain) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return;
    ObjectRecord bow;
    obj_record(Plr.plr_inv_id[slot], bow);
    const int string_id = int(bow.effect_raw);
    if (string_id == 0 || !obj_id_is_valid(string_id)) return;
    ObjectRecord string;
    obj_record(string_id, string);
    int w;
    switch (string.quality & 7) {
        case 1: w = 1 + body_draw(2); break;
        case 2: w = 1; break;
        case 4: w = 0; break;
        case 5: w = (strain >= 1 && body_draw(2) == 0) ? -1 : 0; break;
        default: w = body_draw(2); break;
    }
    const int wear = string.coverage[1];
    if (wear < 100 && strain < 100) {
        string.coverage[1] = uint8_t(std::clamp(wear + strain + w, 0, 255));
        obj_write_record(string_id, string);
        return;
    }
    // The string breaks: the bow, changed, goes back into its slot.
    bow.effect_raw = 0;
    char text[160];
    format_text(text, sizeof text, "!The string of your %s breaks!", bow.name);
    show_message(text);
    const int count = Plr.plr_inv_count[slot];
    const uint8_t bits = bow.state_bits;
    const int changed = obj_store_record(bow);
    if (changed == 0) return;
    plr_take_from_slot_in_place(slot, 1);
    const int at = plr_insert_into_inventory(changed, 1, 0, slot);
    if (at >= 0 && at < PLR_INV_SLOTS) {
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[at], r);
        r.state_bits = bits;
        obj_write_record(Plr.plr_inv_id[at], r);
    }
    (void)count;
    plr_recompute_carried_weight();
}

// ------------------------------------------------------------ creatures

int cre_can_shoot(int creature, int) {
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    bool launcher = false, missile = false;
    ObjectRecord r;
    if (c.wielded && obj_id_is_valid(c.wielded) && obj_is_missile_weapon(obj_record(c.wielded, r))) launcher = true;
    for (int i = 0; i < CRE_INV_SLOTS; ++i) {
        if (c.inv_id[i] == 0 || c.inv_count[i] == 0 || !obj_id_is_valid(c.inv_id[i])) continue;
        obj_record(c.inv_id[i], r);
        if (obj_is_missile_weapon(r)) launcher = true;
        if (r.subclass == SUBCLASS_MISSILE) missile = true;
    }
    return launcher && missile ? 1 : 0;
}

void cre_ready_weapon(int creature) {
    if (!cre_slot_valid(creature) || !cre_is_human(creature)) return;
    CreatureRecord& c = Cre[creature];
    if (c.wielded != 0) return;
    for (int i = 0; i < CRE_INV_SLOTS; ++i) {
        if (c.inv_id[i] == 0 || c.inv_count[i] == 0 || !obj_id_is_valid(c.inv_id[i])) continue;
        ObjectRecord r;
        obj_record(c.inv_id[i], r);
        if (!obj_is_hand_weapon(r) || obj_is_shield(r)) continue;
        const int id = c.inv_id[i];
        if (cre_take_from_slot(creature, i, 1) <= 0) return;
        c.wielded = id;
        tell_about(creature, "WIELD_WEAPON");
        return;
    }
}
