// The attack setup: aspect, dice, damage kind, skill and aim.
#include "body/attack_setup.h"

#include <cstdarg>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_queries.h"
#include "body/body_services.h"
#include "body/combat_state.h"
#include "body/fighters.h"
#include "body/skills.h"
#include "body/weapon_tests.h"
#include "body/wounds.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/culture_regions.h"
#include "objects/item_commands.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/menus.h"
#include "ui/message_line.h"

namespace {

constexpr int PUNCH_CODE = 4;
constexpr int KICK_DICE = 3;
constexpr int PUNCH_DICE = 1;
constexpr int NO_NATURAL_ATTACK = 1000;
constexpr uint8_t STATURE_SMALL = 3;
// The player's shield cover (shield_stance bits).
constexpr uint8_t COVER_CENTRE = 0x02, COVER_HIGH = 0x04, COVER_SIDE = 0x08;

void setup_debug(const char* format, ...) __attribute__((format(printf, 1, 2)));
void setup_debug(const char* format, ...) {
    if (!debug_messages_on) return;
    char text[256];
    va_list args;
    va_start(args, format);
    vformat_text(text, sizeof text, format, args);
    va_end(args);
    debug_message(text);
}

const char* const aspect_nouns[3] = {"BLUNT", "EDGE", "POINT"};
const int32_t aspect_codes[3] = {ASPECT_CODE_BLUNT, ASPECT_CODE_EDGE, ASPECT_CODE_POINT};

// The difficulty of an aiming zone, in melee and for missiles.
int zone_difficulty(int zone, bool missile) {
    switch (zone) {
    case ZONE_HEAD: return missile ? 2 : 1;
    case ZONE_ARMS: return missile ? 3 : 2;
    case ZONE_LEGS: return missile ? 3 : 1;
    default: return 0;
    }
}

const char* difficulty_suffix(int d) {
    switch (d) {
    case 1: return "| -- tricky";
    case 2: return "| -- difficult";
    case 3: return "| -- very difficult";
    default: return "";
    }
}

int aspect_value(const ObjectRecord& r, int index) {
    switch (index) {
    case ASPECT_INDEX_EDGE: return r.edge;
    case ASPECT_INDEX_POINT: return r.point;
    default: return r.blunt;
    }
}

void set_aspect(AttackOption& o, int index) {
    o.aspect_index = index;
    o.damage_kind = aspect_codes[index];
}

// The player picks the aspect to strike with; -1 when cancelled.
int ask_weapon_aspect(const ObjectRecord& r) {
    int offered = 0, only = ASPECT_INDEX_BLUNT;
    for (int i = 0; i < 3; ++i)
        if (aspect_value(r, i) != NO_ATTACK_VALUE) {
            ++offered;
            only = i;
        }
    if (offered <= 1) return only;  // nothing to choose
    menu_clear();
    static const char keys[3] = {'B', 'E', 'P'};
    static const char* const labels[3] = {"Blunt", "Edge", "Point"};
    for (int i = 0; i < 3; ++i)
        if (aspect_value(r, i) != NO_ATTACK_VALUE) menu_add(keys[i], labels[i]);
    switch (menu_run("Weapon Aspect")) {
    case 'B': return ASPECT_INDEX_BLUNT;
    case 'E': return ASPECT_INDEX_EDGE;
    case 'P': return ASPECT_INDEX_POINT;
    default: return -1;
    }
}

// The quality of the weapon moves its dice: a crude one loses one above
// two, a fine one gains one.
int dice_by_quality(int dice, uint8_t quality) {
    int grade = quality & OBJ_GRADE_MASK;
    if (grade == 0) grade = 3;
    if ((grade == 1 || grade == 2) && dice > 2) return dice - 1;
    if (grade >= 4) return dice + 1;
    return dice;
}

// A weapon attack; false when the player cancelled.
bool prepare_weapon(AttackOption& o, int id, int attacker, int launcher) {
    obj_record(id, o.item);
    copy_field(o.skill_name, sizeof o.skill_name, o.item.skill, sizeof o.item.skill);
    o.weapon_class = uint8_t(attack_class_of(o.item.ad_class));
    copy_text(o.weapon_text, obj_name_with_unit(id, 1, 0));
    const AspectChoice aspects = record_attack_aspects(o.item);
    const bool has_aspect = o.item.blunt < NO_ATTACK_VALUE || o.item.edge < NO_ATTACK_VALUE ||
                            o.item.point < NO_ATTACK_VALUE;

    int index = ASPECT_INDEX_BLUNT;
    if (launcher != 0) {
        o.option_kind = OPTION_MISSILE;
        o.launcher_id = launcher;
        o.helpless = 0;
        ObjectRecord launcher_record;
        obj_record(launcher, launcher_record);
        o.is_shot = obj_is_missile_weapon(launcher_record) ? 1 : 0;
        if (attacker != -1) {
            index = aspects.random_index;
        } else if (o.is_shot || obj_is_throwing_weapon(o.item)) {
            index = aspects.best_index;
            if (o.item.subclass == SUBCLASS_MISSILE) {
                if (index == ASPECT_INDEX_BLUNT) o.impact_cap = 15;
                if (index == ASPECT_INDEX_EDGE) o.impact_cap = 20;
            }
        } else if (obj_is_hand_weapon(o.item)) {
            index = aspects.random_index;
        }
    } else if (attacker == -1) {
        const bool repeat = combat.repeat_attack && combat.last_helpless == o.helpless;
        index = repeat ? combat.last_aspect_index : ask_weapon_aspect(o.item);
        if (index < 0) return false;
        combat.last_aspect_index = index;
    } else {
        index = aspects.random_index;
    }
    set_aspect(o, index);

    // An item that has no attack value strikes as a blunt thing of one die.
    o.max_dice = has_aspect ? aspect_value(o.item, index) : 1;
    if (o.max_dice >= NO_ATTACK_VALUE) o.max_dice = 1;
    copy_text(o.aspect_text, o.launcher_id ? (o.is_shot ? "SHOOT" : "THROW") : aspect_nouns[index]);
    o.max_dice = dice_by_quality(o.max_dice, o.item.quality);
    return true;
}

void prepare_player_unarmed(AttackOption& o, int attack) {
    copy_text(o.skill_name, "UNARMED");
    o.skill_level = cre_skill_level(-1, "UNARMED");
    set_aspect(o, ASPECT_INDEX_BLUNT);
    if (attack == PUNCH_CODE) {
        copy_text(o.aspect_text, "PUNCH");
        o.max_dice = PUNCH_DICE;
    } else {
        copy_text(o.aspect_text, "KICK");
        o.max_dice = KICK_DICE;
    }
    char key[64];
    format_text(key, sizeof key, "ATTACK_NOUN:%s", o.aspect_text);
    if (!messages_suppressed) copy_text(o.weapon_text, message_by_key(key));
}

int aspect_index_of_damage(int kind) {
    switch (kind) {
    case DAMAGE_CUT: case DAMAGE_TEAR: return ASPECT_INDEX_EDGE;
    case DAMAGE_PIERCE: return ASPECT_INDEX_POINT;
    default: return ASPECT_INDEX_BLUNT;
    }
}

// A creature's own attack in a slot, weaker in the young.
void prepare_natural_attack(AttackOption& o, int creature, int slot) {
    if (slot < 0 || slot > 2) slot = 0;
    const CreatureRecord& c = Cre[creature];
    char name[sizeof c.attack_name[0] + 1];
    copy_field(name, sizeof name, c.attack_name[slot], sizeof c.attack_name[slot]);
    copy_text(o.aspect_text, upper_case_copy(name));
    if (std::strcmp(o.aspect_text, "SQUEEZE") == 0) copy_text(o.aspect_text, "CRUSH");
    int dice = c.attack_impact[slot];
    int cap = c.attack_value[slot];
    int skill = c.attack_skill[slot];
    o.damage_kind = c.attack_aspect[slot];
    o.aspect_index = aspect_index_of_damage(o.damage_kind);

    const int months = cre_age_months(c);
    if (months < 16) {
        cap /= 2;
        dice /= 2;
        if (skill >= 20) skill -= 20;
    }
    if (months < 12) {
        if (cap > 3) --cap;
        if (dice > 1) --dice;
        if (skill > 19) skill -= 10;
    }
    if (months < 6) {
        if (cap > 1) --cap;
        if (dice > 1) --dice;
        if (skill > 14) skill -= 10;
    }
    o.max_dice = dice;
    o.impact_cap = cap;
    o.skill_level = skill;
}

// Whether the player holds a shield in either hand.
bool player_holds_shield() {
    for (int h = 1; h <= 2; ++h) {
        const int id = cre_wielded_item(-1, h);
        if (id == 0) continue;
        ObjectRecord r;
        if (obj_is_shield(obj_record(id, r))) return true;
    }
    return false;
}

void aim_at(AttackOption& o, int zone, bool missile) {
    o.aim_zone = zone;
    o.zone_penalty = zone_difficulty(zone, missile);
}

// A creature aims at the body, at the legs of a small target or from the
// ground; a thrower aims round the player's shield.
void creature_aims(AttackOption& o, int attacker, int defender) {
    const bool missile = o.option_kind == OPTION_MISSILE;
    aim_at(o, ZONE_BODY, missile);
    if (o.helpless) return;
    if (fighter_is_down(attacker) && !fighter_is_down(defender)) aim_at(o, ZONE_LEGS, missile);
    if (cre_slot_valid(defender) && Cre[defender].stature == STATURE_SMALL) aim_at(o, ZONE_LEGS, missile);
    if (!missile || defender != -1 || !player_holds_shield()) return;
    const int side = cre_relative_direction(-1, fighter_x(attacker), fighter_y(attacker));
    if (side >= 2 && side <= 6) {
        aim_at(o, ZONE_BODY, missile);  // from beside or behind the shield is no matter
        return;
    }
    // The side bit wins over the high one, the high over the centre.
    const uint8_t stance = Plr.shield_stance;
    const uint8_t cover = (stance & COVER_SIDE) ? COVER_SIDE : (stance & COVER_HIGH) ? COVER_HIGH : (stance & COVER_CENTRE);
    if (cover == COVER_SIDE || cover == COVER_CENTRE) {
        const int r = body_draw(5);
        if (r == 2 || r == 3) aim_at(o, ZONE_LEGS, missile);
        else if (r == 0 || r == 1) aim_at(o, ZONE_HEAD, missile);
    } else if (cover == COVER_HIGH) {
        if (body_draw(2) == 0) aim_at(o, ZONE_LEGS, missile);
    }
}

// The player chooses where to aim; false when cancelled.
bool player_aims(AttackOption& o, int defender) {
    const bool missile = o.option_kind == OPTION_MISSILE;
    if (combat.repeat_attack && combat.last_helpless == o.helpless) {
        o.aim_zone = combat.last_zone;
        o.zone_penalty = o.helpless ? 0 : zone_difficulty(o.aim_zone, missile);
        if (o.helpless == 1) o.deathblow = 1;
        return true;
    }
    menu_clear();
    int chosen = -1;
    if (o.helpless) {
        static const int parts[4] = {PART_NECK, PART_SKULL, PART_THORAX, PART_ABDOMEN};
        int keys[4];
        for (int i = 0; i < 4; ++i) {
            char label[100];
            copy_text(label, body_part_name(parts[i], defender));
            label[0] = char(latin1_upper(static_cast<unsigned char>(label[0])));
            keys[i] = label[0];
            menu_add(keys[i], label);
        }
        menu_add_help_text(message_by_key(o.helpless == 1 ? "HITOPT_DEATHBLOW" : "HITOPT_BUTCHERING"));
        const int key = menu_run("Aiming Zone");
        for (int i = 0; i < 4; ++i)
            if (key != 0 && key == keys[i]) chosen = parts[i];
        if (chosen < 0) return false;
        o.aim_zone = chosen;
        o.zone_penalty = 0;
        if (o.helpless == 1) o.deathblow = 1;
    } else {
        char label[100];
        menu_add('B', "Body");
        format_text(label, sizeof label, "Head%s", difficulty_suffix(zone_difficulty(ZONE_HEAD, missile)));
        menu_add('H', label);
        format_text(label, sizeof label, "Arms%s", difficulty_suffix(zone_difficulty(ZONE_ARMS, missile)));
        menu_add('A', label);
        format_text(label, sizeof label, "Legs%s", difficulty_suffix(zone_difficulty(ZONE_LEGS, missile)));
        menu_add('L', label);
        switch (menu_run("Aiming Zone")) {
        case 'B': chosen = ZONE_BODY; break;
        case 'H': chosen = ZONE_HEAD; break;
        case 'A': chosen = ZONE_ARMS; break;
        case 'L': chosen = ZONE_LEGS; break;
        default: return false;
        }
        aim_at(o, chosen, missile);
    }
    combat.last_zone = o.aim_zone;
    return true;
}

int dice_class_of(int max_dice) {
    if (max_dice < 0) return 3;
    if (max_dice == 0) return 1;
    return max_dice <= 4 ? 2 : 4;
}

}  // namespace

int cre_target_helpless(int attacker, int defender) {
    if (attacker == -1 && plr_count_adjacent_fighters(-1, 0) > 0) return 0;
    const int state = fighter_body_state(defender);
    if (state == 3 || state == 4) return 1;
    if (defender == -1) return Plr.sleeping ? 1 : 0;
    if (!cre_slot_valid(defender)) return 0;
    if (Cre[defender].move_mode == MOVE_MODE_ASLEEP) return 1;
    if (attacker == -1 && Cre[defender].cre_status == CRE_STATUS_TIED) return 2;
    return 0;
}

bool cre_natural_attack_usable(int creature, int slot) {
    if (!cre_slot_valid(creature) || slot < 0 || slot > 2) return false;
    char name[sizeof Cre[0].attack_name[0] + 1];
    copy_field(name, sizeof name, Cre[creature].attack_name[slot], sizeof Cre[creature].attack_name[slot]);
    const char* upper = upper_case_copy(name);
    float impaired;
    if (std::strcmp(upper, "PUNCH") == 0 || std::strcmp(upper, "SMACK") == 0) {
        const float right = cre_limb_impairment(creature, 2, 1);
        const float left = cre_limb_impairment(creature, 2, 2);
        impaired = right < left ? right : left;
    } else {
        impaired = cre_locomotion_disability(creature);
    }
    if (std::strcmp(upper, "BIG_BITE") != 0) impaired += 0.4f;
    return impaired < 1.0f;
}

int cre_choose_natural_attack(int creature) {
    if (!cre_slot_valid(creature)) return NO_NATURAL_ATTACK;
    int usable[3];
    int count = 0;
    for (int slot = 0; slot < 3; ++slot)
        if (Cre[creature].attack_name[slot][0] != 0 && cre_natural_attack_usable(creature, slot))
            usable[count++] = slot;
    return count == 0 ? NO_NATURAL_ATTACK : usable[body_draw(count)];
}

int cre_prepare_attack(int attack, int attacker, int hand, int defender, int launcher) {
    AttackOption& o = combat.work_option;
    clear_attack_option(o);
    o.option_kind = OPTION_MELEE;
    o.origin_x = fighter_x(attacker);
    o.origin_y = fighter_y(attacker);
    o.helpless = cre_target_helpless(attacker, defender);
    o.armed = hand;
    o.hand = hand;

    bool done = true;
    if (hand != 0) {
        done = prepare_weapon(o, attack, attacker, launcher);
    } else if (attacker == -1) {
        prepare_player_unarmed(o, attack);
    } else if (cre_slot_valid(attacker)) {
        prepare_natural_attack(o, attacker, attack);
    }
    if (done) {
        if (attacker == -1) done = player_aims(o, defender);
        else creature_aims(o, attacker, defender);
    }
    if (!done) {
        turn_time_state = TURN_NO_TIME;
        return 0;
    }
    combat.last_helpless = o.helpless;

    // The player's blow at a helpless target lands on the part chosen.
    if (o.helpless && attacker == -1) aimed_part_flag = 1;
    o.hit_part = roll_body_part_hit(o.aim_zone, defender, 0);
    o.hit_side = last_hit_side;
    if (!messages_suppressed) copy_text(o.part_text, body_part_name(o.hit_part, defender));

    o.dice_class = dice_class_of(o.max_dice);
    setup_debug("strikeimpact %d maxdices: %d", o.impact, o.max_dice);
    if (cre_slot_valid(attacker)) Cre[attacker].LastActionBit |= ACTION_ATTACKED;
    return 1;
}
