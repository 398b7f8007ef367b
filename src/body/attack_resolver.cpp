#include "body/attack_resolver.h"

#include <cstdlib>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "body/attack_setup.h"
#include "body/body_condition.h"
#include "body/combat_state.h"
#include "body/creature_fights.h"
#include "body/defence_choice.h"
#include "body/fighters.h"
#include "body/hit_wounds.h"
#include "body/melee_exchange.h"
#include "body/body_queries.h"
#include "body/missile_flight.h"
#include "body/skills.h"
#include "body/strike_physics.h"
#include "body/weapon_tests.h"
#include "body/wound_checks.h"
#include "body/wounds.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/movement_commands.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/culture_regions.h"
#include "maps/map_view.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_marks.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "console/console.h"
#include "maps/map_layers.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

// Body part codes the shield table speaks of.
enum : int {
    P_SKULL = 0, P_EYE, P_FACE, P_NECK, P_SHOULDER, P_UPPER_ARM, P_ELBOW, P_FOREARM, P_HAND, P_THORAX,
    P_ABDOMEN, P_HIP, P_GROIN, P_THIGH, P_KNEE, P_CALF, P_FOOT
};

bool part_in(int part, std::initializer_list<int> parts) {
    for (int p : parts)
        if (p == part) return true;
    return false;
}

// The shield bits of the holder: 1 held, 2 centre, 4 high, 8 side.
int shield_bits(int holder) {
    if (holder == -1) return Plr.shield_stance;
    return cre_slot_valid(holder) ? Cre[holder].shield_cover : 0;
}

int zone_penalty_of(int zone) {
    static const int penalty[4] = {0, 10, 15, 20};
    return (zone >= 1 && zone <= 3) ? penalty[zone] : 0;
}

// A missile that reached a creature strikes with the flight's force; what
// is no weapon only bruises, and soft things never wound.
void missile_impact(AttackOption& a) {
    debug_message_format("MISSILE olento_osuma - OGImpact: %d", a.impact);
    const int before = a.impact;
    a.impact = (a.impact + combat.kinetic) / 2;
    debug_message_format("MISSILE olento_osuma - NewImpact: %d (OGI %d+KE %d / 2)", a.impact, before, combat.kinetic);
    if (combat.kinetic <= 5) a.max_dice = 1;
    else if (combat.kinetic <= 7) a.max_dice = 2;
    else if (combat.kinetic <= 9) a.max_dice = 3;
    if (a.item.item_class != 1) {
        a.impact = 0;
        a.max_dice = 1;
        const int c = a.item.item_class;
        a.impact_cap = (c == 2 || c == 5 || c == 7 || c == 11) ? 0 : 6;
    }
}

void show_narration() {
    if (!combat.narration[0]) return;
    append_text(combat.narration, sizeof combat.narration, ".");
    show_message(combat.narration);
    combat.narration[0] = 0;
}

// The missile's flight and what it reached. 1 the exchange follows, 0 the
// attack ended with the flight; accidental set when it struck someone it
// was not aimed at.
int fly(int attacker, bool& accidental) {
    AttackOption& a = combat.attack_option;
    combat.aimed_target = combat.defender;
    combat.blunt_missile = a.aspect_index == ASPECT_INDEX_BLUNT;
    if (cre_slot_valid(combat.defender) && Cre[combat.defender].caution < 10) ++Cre[combat.defender].caution;
    fly_missile(attacker, combat.defender, a.item, a.is_shot ? a.launcher_id : -1);

    if (combat.reached_creature) {
        missile_impact(a);
        const int reached = combat.struck_creature;
        if (reached != combat.defender) {
            combat.defender = reached;
            a.hit_part = roll_body_part_hit(ZONE_BODY, reached, 0);
            a.hit_side = last_hit_side;
            copy_text(msg_bodypart, body_part_name(a.hit_part, reached));
            show_narration();
            tell_about(reached, combat.passed_target ? "MISSILE_ACCIDENTAL_TARGET_BEHIND" : "MISSILE_ACCIDENTAL_TARGET");
            accidental = !cre_are_allies(reached, combat.aimed_target);
        }
    } else if (!combat.passed_target) {
        if (attacker == -1) show_narration();
        if (combat.flown_length > combat.planned_length) tell_about(attacker, "MISSILE_WILD");
        if (combat.hit_obstacle) report_missile_obstacle();
        if (combat.stopped_at_contour) report_missile_contour();
        if (!combat.hit_obstacle && !combat.stopped_at_contour && attacker == -1 && combat.too_far) {
            current_object = a.item;
            msg_item = -1;
            show_message(message_by_key("CANT_THROW_THAT_FAR"));
        }
        return 0;
    } else {
        combat.missile_defence_grade = combat.passed_defence_grade;
        combat.hit_quality = combat.passed_hit_quality;
        combat.missile_dodge = combat.passed_missile_dodge;
    }
    const int q = combat.hit_quality;
    combat.missile_grade = q > 75 ? 3 : q > 50 ? 2 : q > 25 ? 1 : 0;
    return 1;
}

// The defence, and for a counterstrike the defender's own blow at the
// attacker set up beside it.
void choose_defence(int attacker, int defender) {
    NPCdefend();
    combat.defence_option = combat.work_option;
    AttackOption& d = combat.defence_option;
    if (d.option_kind == DEFENCE_BLOCK) copy_text(msg_defend_weapon, d.weapon_text);
    if (d.option_kind != DEFENCE_COUNTERSTRIKE) return;
    const int hand = d.armed ? d.hand : 0;
    int attack = 0;
    if (hand != 0) attack = fighter_held_item(defender, hand);
    if (attack == 0) attack = defender == -1 ? PLAYER_PUNCH : cre_choose_natural_attack(defender);
    combat.counterstrike_setup = 1;
    const int done = cre_prepare_attack(attack, defender, attack == fighter_held_item(defender, hand) && hand ? hand : 0,
                                        attacker, 0);
    combat.counterstrike_setup = 0;
    if (!done) {
        // The counterstrike came to nothing: the defender only dodges.
        d.option_kind = DEFENCE_DODGE;
        return;
    }
    copy_text(msg_bodypart_counterstrike, combat.work_option.part_text);
    copy_text(msg_defend_weapon, combat.work_option.weapon_text);
    copy_text(msg_defend_aspect, combat.work_option.aspect_text);
    combat.defence_option = combat.work_option;
    combat.defence_option.option_kind = DEFENCE_COUNTERSTRIKE;
}

int fighter_level(int fighter, const AttackOption& o) {
    int level = o.skill_name[0] ? cre_skill_level(fighter, o.skill_name) : o.skill_level;
    if (fighter != -1 && level == 0) level = 35;
    return level;
}

int fighter_roll(int fighter, int penalty, int bonus, int level, const char* skill) {
    if (fighter == -1) return plr_use_skill(penalty, bonus, skill, 0);
    return roll_check(penalty, level + bonus);
}

bool is_spirit(int fighter) { return cre_slot_valid(fighter) && Cre[fighter].cre_class == CRE_CLASS_SPIRIT; }

// The shield the struck body holds against the missile: defence 14, grade 3.
void shield_check(int struck, int& kind, int& grade) {
    const AttackOption& a = combat.attack_option;
    const int hands = struck == -1 ? 2 : 1;
    for (int hand = 1; hand <= hands; ++hand) {
        const int id = struck == -1 ? fighter_held_item(-1, hand) : Cre[struck].shield;
        if (id == 0) continue;
        ObjectRecord shield;
        obj_record(id, shield);
        if (!obj_id_is_valid(id) || !obj_is_shield(shield)) continue;
        if (shield_covers(struck, a.hit_part, shield, fighter_x(combat.attacker), fighter_y(combat.attacker))) {
            kind = DEFENCE_SHIELD_COVER;
            grade = 3;
            return;
        }
    }
}

// Where a missile that reached a creature ends up: in the body it pierced,
// broken, or on the ground where it fell.
void place_missile(const ExchangeOutcome& out) {
    const AttackOption& a = combat.attack_option;
    const int id = combat.missile_id;
    if (!obj_id_is_valid(id)) return;
    ObjectRecord item;
    obj_record(id, item);
    const int struck = combat.struck_creature;
    if (out.attacker_strike >= 2 && cre_slot_valid(struck) && obj_is_throwing_weapon(item)) {
        if (item.subclass == 6 && body_draw(10) == 0) {
            char text[128];
            format_text(text, sizeof text, "+The %s breaks!", item.name);
            show_message(text);
            drop_broken_arrow(combat.landing_x, combat.landing_y, id);
            return;
        }
        if (a.aspect_index != ASPECT_INDEX_BLUNT) {
            int keep = id;
            if (obj_owner_status(item).free) {
                ObjectRecord marked = item;
                marked.ownflag |= OWN_MAKE_OWNERLESS;
                keep = obj_store_record(marked);
            }
            if (keep && cre_add_item(struck, keep, 1)) return;
        }
    }
    aseta_heitetty_esine(combat.landing_x, combat.landing_y, id);
}

void wounds_both_ways(const ExchangeOutcome& out) {
    AttackOption& a = combat.attack_option;
    const AttackOption& d = combat.defence_option;
    if (out.attacker_strike) {
        int impact = RealImpact(out.attacker_strike, a.impact, a.deathblow);
        if (impact > a.impact_cap) impact = a.impact_cap;
        if (a.option_kind == OPTION_MISSILE && a.damage_kind == 0 && a.item.subclass == 6)
            a.damage_kind = DAMAGE_BLUNT_ARROW;
        cre_inflict_wound(combat.defender, a.damage_kind, impact, a.hit_part, a.hit_side, combat.attacker);
    }
    if (out.defender_strike) {
        int impact = RealImpact(out.defender_strike, d.impact, 0);
        if (impact > d.impact_cap) impact = d.impact_cap;
        cre_inflict_wound(combat.attacker, d.damage_kind, impact, d.hit_part, d.hit_side, combat.defender);
    }
}

}  // namespace

void balance_levels(int attacker_level, int& attacker_penalty, int defender_level, int& defender_penalty) {
    debug_message_format(">EML_sync A_PEN:%d D_PEN:%d", attacker_penalty, defender_penalty);
    const int a = attacker_level - attacker_penalty, b = defender_level - defender_penalty;
    if (a >= 0 && b >= 0) return;
    int shift;
    if (a >= 0) shift = -b;
    else if (b >= 0) shift = -a;
    else shift = std::abs(a - b);
    attacker_penalty = attacker_penalty > shift ? attacker_penalty - shift : 0;
    defender_penalty = defender_penalty > shift ? defender_penalty - shift : 0;
}

int undefended_grade(int attack_grade) { return attack_grade < 3 ? attack_grade + 1 : attack_grade; }

int cre_resolve_attack(int attacker, int weapon, int hand, int target, int launcher) {
    // 1. The view, the two sides and the attack's setup.
    view_rebuild_request = 1;
    if (target == 1000) target = -1;
    combat.attacker = attacker;
    combat.defender = target;
    if (!cre_prepare_attack(weapon, attacker, hand, target, launcher)) return 0;

    // 2. Effort and noise.
    if (attacker == -1) {
        Plr.exertion = 10;
        plr_noise = 3;
    } else if (cre_slot_valid(attacker)) {
        Cre[attacker].exertion = 10;
    }
    if (noise_level <= 3) raise_turn_noise(fighter_x(attacker), fighter_y(attacker), 3);

    // 3. The attack option and its words.
    combat.attack_option = combat.work_option;
    AttackOption& a = combat.attack_option;
    if (a.is_shot && obj_id_is_valid(a.launcher_id)) {
        ObjectRecord bow;
        obj_record(a.launcher_id, bow);
        copy_text(a.skill_name, bow.skill);
        current_object = bow;
        naming_scratch = bow;
        copy_text(msg_attack_bow, obj_name_with_unit(-1, 1, 0));
    } else {
        msg_attack_bow[0] = 0;
    }
    copy_text(msg_attack_weapon, a.weapon_text);
    copy_text(msg_attack_aspect, a.aspect_text);
    copy_text(msg_bodypart, a.part_text);
    msg_attacker = attacker;
    msg_defender = combat.defender;

    // 4. The declaration; a player who cannot see the attacker only feels it.
    const bool missile = a.option_kind == OPTION_MISSILE;
    const char* key = hand == 0          ? "UNARMED_ATTACK_DECLARATION"
                      : !missile         ? "WEAPON_ATTACK_DECLARATION"
                      : a.is_shot        ? "BOW_ATTACK_DECLARATION"
                                         : "THROW_ATTACK_DECLARATION";
    if (combat.defender == -1 && attacker != -1 && !is_in_view(fighter_x(attacker), fighter_y(attacker)))
        show_message(message_by_key("CANT_SEE_ATTACKER"));
    else
        tell_about(attacker, key);

    // 5. The missile's flight.
    bool accidental = false;
    if (missile && !fly(attacker, accidental)) return 1;
    const int defender = combat.defender;
    msg_defender = defender;

    // 6. The defence.
    combat.work_option.option_kind = 0;
    choose_defence(attacker, defender);
    AttackOption& d = combat.defence_option;
    if (d.option_kind == DEFENCE_MISSILE_DODGE) copy_text(d.skill_name, "MOVEDODGE");

    // 7. Skill levels.
    const int attacker_level = fighter_level(attacker, a);
    int defender_level = d.skill_level;
    if (defender_level == 0) {
        defender_level = d.skill_name[0] ? cre_skill_level(defender, d.skill_name) : 0;
        if (defender != -1 && defender_level == 0) defender_level = 35;
    }
    debug_message_format("A-SKILL:%s(%d) D-SKILL:%s(%d)", a.skill_name, attacker_level, d.skill_name, defender_level);

    // 8. The weapons' classes: the longer or better weapon gets a bonus.
    const int attack_class = missile ? 0 : a.weapon_class, defence_class = missile ? 0 : d.weapon_class;
    const int wc = (attack_class - defence_class) * 5;
    msg_attack_class = uint8_t(attack_class);
    msg_defense_class = uint8_t(defence_class);
    msg_wc_bonus = uint8_t(std::abs(wc));
    debug_message_format(">WPMOD: A:%d D:%d = %d", attack_class, defence_class, wc);
    int attacker_bonus = 0, defender_bonus = 0;
    if (wc < 0) defender_bonus = -wc;
    if (wc > 0) attacker_bonus = wc;
    const bool parried = d.option_kind == DEFENCE_BLOCK || d.option_kind == DEFENCE_COUNTERSTRIKE;
    if ((attacker == -1 || defender == -1) && hand != 0 && wc != 0) {
        if (wc < 0 && parried) show_message(message_by_key("WC_BONUS_DEFENDER_WINS"));
        else if (wc < 0 && d.option_kind == DEFENCE_DODGE) show_message(message_by_key("WC_BONUS_DODGE"));
        else if (wc > 0) show_message(message_by_key(parried ? "WC_BONUS_ATTACKER_WINS" : "WC_BONUS_ATTACKER"));
    }

    // 9. Wounds, fatigue, hunger and load, and the player's foes around.
    int attacker_penalty = 0, defender_penalty = 0;
    for (int kind = 1; kind <= 4; ++kind) {
        attacker_penalty += cre_penalty(attacker, kind);
        defender_penalty += cre_penalty(defender, kind);
    }
    if (defender == -1) {
        const int n = plr_count_adjacent_fighters(-1, 0);
        if (n > 1) {
            defender_penalty += 10 * n - 10;
            debug_message_format(">OUTNUMBERED BY %d NPCs", n);
        }
    }

    // 10. Melee: who is down, the aimed zone, one hand on a heavy weapon.
    if (a.option_kind == OPTION_MELEE) {
        if (fighter_is_down(defender)) {
            attacker_bonus += 20;
            debug_message("prone modifier: Attacker +20");
        }
        if (fighter_is_down(attacker)) defender_bonus += 20;
        const int zone = zone_penalty_of(a.zone_penalty);
        attacker_penalty += zone;
        if (zone) debug_message_format("ZonePenalty: %d", zone);
        if (hand != 0) {
            const int penalty = cre_check_wield_injuries(attacker, a.item, 0);
            attacker_penalty += penalty;
            debug_message_format(">HANDPENALTY:%d", penalty);
        }
    }

    // 11. The defence's own penalties.
    if (d.option_kind == DEFENCE_COUNTERSTRIKE && d.zone_penalty) {
        defender_penalty += zone_penalty_of(d.zone_penalty);
        debug_message_format("DEFENDER ZonePenalty: %d", zone_penalty_of(d.zone_penalty));
    }
    if (parried && hand != 0 && d.item.item_class != 0) {
        const int penalty = cre_check_wield_injuries(defender, d.item, 1);
        if (penalty) {
            current_object = d.item;
            msg_item = -1;
            format_text(msg_var_text, sizeof msg_var_text, "%d", penalty);
            if (defender == -1) show_message(message_by_key("TWO-HANDED_PENALTY"));
            defender_penalty += penalty;
            debug_message_format(">DEFENDER HANDPENALTY:%d", penalty);
        }
    }

    // 12. Neither side fights below nothing.
    balance_levels(attacker_level, attacker_penalty, defender_level, defender_penalty);

    // 13. The rolls.
    int attack_grade = (attacker == -1 && missile)
                           ? combat.missile_grade
                           : fighter_roll(attacker, attacker_penalty, attacker_bonus, attacker_level, a.skill_name);
    int defence_kind = d.option_kind;
    int defence_grade = 0;
    if (defence_kind != DEFENCE_NONE)
        defence_grade = fighter_roll(defender, defender_penalty, defender_bonus, defender_level, d.skill_name);
    if (attacker == -1 && is_spirit(defender)) {
        attack_grade = 0;
        defence_grade = 3;
    }
    if (defence_kind == DEFENCE_NONE) {
        debug_message_format("Puolustus Ignore: SUCCESS (%d) BOOST", attack_grade);
        attack_grade = undefended_grade(attack_grade);
        debug_message_format("Puolustus Ignore: SUCCESS NOW %d", attack_grade);
    }

    // 14. A missile's grades come from its flight, and a shield may catch it.
    if (missile) {
        attack_grade = (attacker == -1 && is_spirit(defender)) ? 0 : combat.missile_grade;
        if (combat.missile_dodge) defence_kind = DEFENCE_MISSILE_DODGE;
        defence_grade = combat.missile_defence_grade;
        if (combat.reached_creature) shield_check(defender, defence_kind, defence_grade);
        d.option_kind = defence_kind;
    }

    // 15. The exchange.
    const ExchangeOutcome out = resolve_exchange(a.option_kind, attack_grade, defence_kind, defence_grade);

    // 16. Where the missile ends up.
    if (missile) {
        if (combat.hit_obstacle) report_missile_obstacle();
        if (combat.stopped_at_contour) {
            obj_record(combat.missile_id, current_object);
            msg_item = -1;
            show_message(message_by_key("CANT_THROW_PAST_CONTOUR"));
        }
        if (combat.reached_creature) place_missile(out);
    }

    // 17. Stumbles, fumbles and the weapons' clash.
    const int flag = (out.attacker_stumble & out.defender_stumble) ? 0 : 1;
    if (out.defender_stumble && cre_stumble_check(defender, out.defender_stumble, flag))
        give_tactical_advantage(attacker);
    if (out.attacker_stumble && cre_stumble_check(attacker, out.attacker_stumble, flag))
        give_tactical_advantage(defender);
    if (out.defender_fumble && cre_fumble_check(defender, out.defender_fumble, d.hand) != 3)
        give_tactical_advantage(attacker);
    if (out.attacker_fumble && cre_fumble_check(attacker, out.attacker_fumble, a.hand) != 3)
        give_tactical_advantage(defender);
    if (out.clash && a.armed) cre_weapon_break_check(attacker, a.hand, a.damage_kind, out.clash, defender, d.hand);

    // 18. Wounds both ways.
    wounds_both_ways(out);

    // 19. Who has the upper hand now.
    announce_tactical_advantage();

    // 20. The defender's answer and its allies'.
    if (cre_slot_valid(defender) && !accidental) {
        cre_morale_check(defender, attacker, 1);
        cre_call_group(defender, attacker);
        cre_update_body_state(defender);
    }
    return 1;
}

bool shield_covers(int holder, int part, const ObjectRecord& shield, int from_x, int from_y) {
    const int bits = shield_bits(holder);
    const int mode = (bits & 8) ? 3 : (bits & 4) ? 2 : (bits & 2) ? 1 : 0;
    const int r = holder == -1 ? cre_relative_direction(-1, from_x, from_y) : cre_relative_direction(holder, from_x, from_y);
    const bool round = std::strstr(shield.name, "oundshield") != nullptr;
    const bool front = r == 0 || r == 1 || r == 7;
    const bool flank = r == 2 || r == 6;
    // The side that holds the shield: the player's left, a creature's right.
    const bool shield_side = holder == -1 ? (r >= 5 && r <= 7) : (r >= 1 && r <= 3);
    switch (mode) {
    case 0:
        return shield_side && part_in(part, {P_FOREARM, P_HAND});
    case 1:
        if (front)
            return part_in(part, {P_FOREARM, P_HAND, P_THORAX}) ||
                   (round && part_in(part, {P_NECK, P_SHOULDER, P_UPPER_ARM, P_ELBOW, P_ABDOMEN, P_HIP, P_GROIN,
                                            P_THIGH, P_KNEE}));
        if (flank)
            return part_in(part, {P_FOREARM, P_HAND}) ||
                   (round && part_in(part, {P_UPPER_ARM, P_ELBOW, P_THORAX, P_GROIN}));
        return false;
    case 2:
        if (front)
            return part_in(part, {P_SKULL, P_EYE, P_FACE, P_NECK, P_FOREARM, P_HAND}) ||
                   (round && part_in(part, {P_SHOULDER, P_UPPER_ARM, P_ELBOW, P_THORAX, P_ABDOMEN, P_GROIN}));
        if (flank)
            return part_in(part, {P_EYE, P_FACE, P_FOREARM, P_HAND}) ||
                   (round && part_in(part, {P_UPPER_ARM, P_ELBOW, P_THORAX}));
        return false;
    default:
        if (!shield_side) return false;
        return part_in(part, {P_FOREARM, P_HAND, P_THORAX}) ||
               (round && part_in(part, {P_NECK, P_SHOULDER, P_ABDOMEN, P_HIP, P_GROIN, P_THIGH, P_KNEE}));
    }
}
