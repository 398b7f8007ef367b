// The defence choice of a creature (weighted draws) and of the player (a
// menu).
#include "body/defence_choice.h"

#include <cstdarg>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "body/combat_state.h"
#include "body/fighters.h"
#include "body/skills.h"
#include "body/weapon_tests.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "maps/map_view.h"
#include "objects/item_commands.h"
#include "objects/object_store.h"
#include "ui/menus.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t MOVE_MODE_WARY = 2;
constexpr uint8_t MOVE_MODE_FLEEING = 4;
constexpr uint8_t MOVE_MODE_ATTACKING = 99;
constexpr int DODGE_CLASS = 2;

void defence_debug(const char* format, ...) __attribute__((format(printf, 1, 2)));
void defence_debug(const char* format, ...) {
    if (!debug_messages_on) return;
    char text[256];
    va_list args;
    va_start(args, format);
    vformat_text(text, sizeof text, format, args);
    va_end(args);
    debug_message(text);
}

// One weapon a defender holds.
struct Held {
    int id = 0;
    ObjectRecord record{};
    bool shield = false;
    int defence_class = 0;
    int attack_class = 0;
};

bool held_weapon(int id, Held& out) {
    if (id == 0) return false;
    obj_record(id, out.record);
    if (!obj_is_hand_weapon(out.record)) return false;
    out.id = id;
    out.shield = obj_is_shield(out.record);
    out.defence_class = defence_class_of(out.record.ad_class);
    out.attack_class = attack_class_of(out.record.ad_class);
    return true;
}

void skill_of(const ObjectRecord& r, char* out, size_t cap) { copy_field(out, cap, r.skill, sizeof r.skill); }

void choose_dodge(AttackOption& o) {
    o.option_kind = DEFENCE_DODGE;
    copy_text(o.skill_name, "DODGE");
    o.weapon_class = DODGE_CLASS;
}

void choose_block(AttackOption& o, const Held& w, int hand) {
    o.option_kind = DEFENCE_BLOCK;
    skill_of(w.record, o.skill_name, sizeof o.skill_name);
    o.hand = hand;
    o.weapon_class = uint8_t(w.defence_class);
    o.item = w.record;
    copy_text(o.weapon_text, obj_name_with_unit(w.id, 1, 0));
}

void choose_counterstrike(AttackOption& o, const Held& w, int hand) {
    o.option_kind = DEFENCE_COUNTERSTRIKE;
    skill_of(w.record, o.skill_name, sizeof o.skill_name);
    o.armed = hand;
    o.hand = hand;
    o.weapon_class = uint8_t(w.attack_class);
    o.item = w.record;
    copy_text(o.weapon_text, obj_name_with_unit(w.id, 1, 0));
}

// A creature's choice by its skills: a dodge, perhaps a block, perhaps a
// counterstrike; animals only dodge, and only when roused.
void creature_defends(int d, AttackOption& o, int dodge_level, bool aggressive) {
    const CreatureRecord& c = Cre[d];
    Held first, second, block_weapon, counter_weapon;
    bool can_block = false, can_counter = false;
    int block_hand = 1;
    // The skill and the classes weighed are those of the last hand looked
    // at: the second hand's when it holds a weapon.
    int f = 0, defence_class = 0, attack_class = 0;
    char skill[40];
    if (held_weapon(c.wielded, first)) {
        can_block = true;
        block_weapon = first;
        if (!first.shield) {
            can_counter = true;
            counter_weapon = first;
        }
        skill_of(first.record, skill, sizeof skill);
        f = cre_skill_level(d, skill);
        defence_class = first.defence_class;
        attack_class = first.attack_class;
    }
    if (held_weapon(c.shield, second)) {
        can_block = true;
        block_weapon = second;
        block_hand = 2;
        skill_of(second.record, skill, sizeof skill);
        f = cre_skill_level(d, skill);
        defence_class = second.defence_class;
        attack_class = second.attack_class;
    }

    int chose = DEFENCE_NONE;
    if (dodge_level != 0) {
        chose = DEFENCE_DODGE;
        int v = dodge_level;
        if (f != 0 && can_block && defence_class > 1) {
            const int x = f + defence_class * 5;
            const int dodge_draw = body_draw(dodge_level);
            const int block_draw = body_draw(x);
            if (dodge_draw < block_draw) {
                chose = DEFENCE_BLOCK;
                v = x;
            }
        }
        if (f != 0 && can_counter) {
            const int kept_draw = body_draw(v);
            const int counter_draw = body_draw(f + attack_class * 5);
            if (kept_draw < counter_draw) chose = DEFENCE_COUNTERSTRIKE;
        }
    }
    if (dodge_level != 0 && !fighter_is_person(d))
        chose = (aggressive || c.move_mode == MOVE_MODE_FLEEING) ? DEFENCE_DODGE : DEFENCE_NONE;
    defence_debug("NPCdefend: %s Dge:%d Blk:%d chose:%d", c.name, dodge_level, f, chose);

    switch (chose) {
    case DEFENCE_DODGE: choose_dodge(o); break;
    case DEFENCE_BLOCK: choose_block(o, block_weapon, block_hand); break;
    case DEFENCE_COUNTERSTRIKE: choose_counterstrike(o, counter_weapon, 1); break;
    default: return;
    }
    Cre[d].LastActionBit |= ACTION_DEFENDED;
}

// The player's choice from the menu.
void player_defends(AttackOption& o) {
    Held hands[3];
    bool weapon[3] = {false, false, false};
    for (int h = 1; h <= 2; ++h) weapon[h] = held_weapon(cre_wielded_item(-1, h), hands[h]);

    int block_hand = 0;
    if (weapon[1] || weapon[2]) {
        if (weapon[1] && weapon[2]) block_hand = hands[1].defence_class > hands[2].defence_class ? 1 : 2;
        else block_hand = weapon[1] ? 1 : 2;
        // Bare hands are met only by a shield.
        if (combat.attack_option.hand == 0 && !hands[block_hand].shield) {
            const int other = 3 - block_hand;
            block_hand = (weapon[other] && hands[other].shield) ? other : 0;
        }
    }

    for (;;) {
        menu_clear();
        menu_add('D', "Dodge");
        menu_set_topic("DODGE");
        char label[200];
        if (block_hand) {
            format_text(label, sizeof label, "Block with %s", obj_name_with_unit(hands[block_hand].id, 1, 0));
            menu_add('B', label);
            menu_set_topic("BLOCK");
        }
        for (int h = 1; h <= 2; ++h) {
            if (!weapon[h] || hands[h].shield) continue;
            format_text(label, sizeof label, "Counterstrike with %s", obj_name_with_unit(hands[h].id, 1, 0));
            menu_add('0' + h, label);
            menu_set_topic("COUNTERSTRIKE");
        }
        menu_add('I', "Ignore");
        menu_add(-1, "");
        menu_add('?', "Defense maneuvers");
        menu_set_topic("DEFENSE MANEUVER");
        const int key = menu_run("Defense Maneuver");
        switch (key) {
        case 'D': choose_dodge(o); return;
        case 'B':
            if (block_hand) choose_block(o, hands[block_hand], block_hand);
            return;
        case '1':
        case '2':
            if (weapon[key - '0']) choose_counterstrike(o, hands[key - '0'], key - '0');
            return;
        case '?':
            // Help, then the same question again.
            command_menu_services.open_encyclopedia("DEFENSE MANEUVER");
            continue;
        default: return;
        }
    }
}

}  // namespace

namespace {

void start_defence(int d) {
    AttackOption& o = combat.work_option;
    clear_attack_option(o);
    o.option_kind = DEFENCE_NONE;
    o.skill_level = 0;
    missile_dodge_kind = 0;
    if (!is_fighter(d)) return;
    o.origin_x = fighter_x(d);
    o.origin_y = fighter_y(d);
}

}  // namespace

void creature_meets_attack(int d, bool aggressive) {
    start_defence(d);
    if (d == -1 || !cre_slot_valid(d)) return;
    AttackOption& o = combat.work_option;
    const CreatureRecord& c = Cre[d];
    if (c.move_mode != MOVE_MODE_ATTACKING && c.move_mode != MOVE_MODE_WARY && c.move_mode != MOVE_MODE_FLEEING)
        return;
    if (c.LastActionBit & ACTION_MOVED) missile_dodge_kind = 2;
    else if (c.LastActionBit & ACTION_ATTACKED) missile_dodge_kind = 1;
    defence_debug("MOVEDODGE: %d", missile_dodge_kind);

    if (combat.attack_option.option_kind == OPTION_MISSILE) {
        if (missile_dodge_kind == 0) return;
        o.option_kind = DEFENCE_MISSILE_DODGE;
        copy_text(o.skill_name, "MOVEDODGE");
        o.weapon_class = DODGE_CLASS;
        Cre[d].LastActionBit |= ACTION_DEFENDED;
        return;
    }
    creature_defends(d, o, cre_skill_level(d, "DODGE"), aggressive);
}

void NPCdefend() {
    const int d = combat.defender, a = combat.attacker;
    start_defence(d);
    if (!is_fighter(d)) return;
    const int state = fighter_body_state(d);
    if (state == BODY_SHOCKED || state == BODY_FAINTED) return;

    if (d == -1) {
        if (Plr.sleeping || !is_in_view(fighter_x(a), fighter_y(a))) return;
        if (combat.attack_option.option_kind == OPTION_MISSILE) return;  // the player never dodges a missile so
        player_defends(combat.work_option);
        return;
    }

    if (Cre[d].move_mode == MOVE_MODE_ASLEEP) return;
    if (!cre_can_see_point(d, fighter_x(a), fighter_y(a))) return;
    creature_meets_attack(d, !fighter_is_person(d) && cre_is_aggressive(d) != 0);
}
