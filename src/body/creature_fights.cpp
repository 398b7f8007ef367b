#include "body/creature_fights.h"

#include <algorithm>
#include <cstdlib>

#include "base/files.h"
#include "base/stubs.h"
#include "body/attack_setup.h"
#include "body/combat_state.h"
#include "body/fighters.h"
#include "body/skills.h"
#include "console/console.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "society/society_services.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t MODE_ATTACKING = 99;
constexpr uint8_t MODE_FIGHTING = 2;
constexpr uint8_t MODE_ESCAPING = 4;
constexpr uint16_t TARGET_REF_PLAYER = 0xFFFF;
constexpr int KIND_DOG = 618;

constexpr int SOCROLE_ENFORCER = 2;

// Whether the village (a society's lauma) is up in arms against the player.
bool village_alarm_set(int32_t village) {
    if (village < 1) return false;
    if (village == cur_village_id) return CurVillage.alarm != 0;
    return find_village_index(village) != NO_VILLAGE && load_village(village).alarm != 0;
}

bool attacking(const CreatureRecord& c) { return c.move_mode == MODE_ATTACKING || c.move_mode == MODE_FIGHTING; }

bool unconscious(int fighter) {
    const int s = fighter_body_state(fighter);
    return s == BODY_SHOCKED || s == BODY_FAINTED;
}

void lose_target(CreatureRecord& c) {
    c.fight_target = FIGHT_TARGET_NONE;
    c.target_ref = 0;
}

// A creature that leaves unseen, or slips into water out of sight, is not
// told of.
bool escape_unseen(int creature) {
    const CreatureRecord& c = Cre[creature];
    int x, y;
    if (!fighter_square(creature, x, y)) return true;
    if (is_in_view(x, y)) return false;
    if (c.air_state == -100 || cre_is_bird(creature) || c.cre_class == 24 || c.weight < pounds_in_kilograms(3.0f))
        return true;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (TerrainTypes[terrain_at(x + dx, y + dy)].draw_kind == 1) return true;
    return false;
}

}  // namespace

void cre_drop_task_for_fight(int creature) {
    const int task = Cre[creature].Puuha[0];
    if (task == 52 || task == 55 || task == 68 || task == 69) return;
    pop_task(creature, -1);
}

bool cre_target_valid(int creature) {
    if (!cre_slot_valid(creature)) return false;
    const CreatureRecord& c = Cre[creature];
    if (c.fight_target == -1) return c.target_ref == int16_t(TARGET_REF_PLAYER);
    if (!cre_slot_valid(c.fight_target) || c.target_ref == 0) return false;
    const CreatureRecord& t = Cre[c.fight_target];
    return t.cre_class != CRE_CLASS_FREE && CreSlotRefs[c.fight_target] != 0 && t.move_mode != MOVE_MODE_DEAD &&
           uint16_t(t.sotu & 0xFFFF) == uint16_t(c.target_ref);
}

void cre_set_target(int creature, int target) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    c.fight_target = target;
    if (target == -1) {
        c.target_dx = int16_t(player_x);
        c.target_dy = int16_t(player_y);
        c.target_ref = int16_t(TARGET_REF_PLAYER);
        return;
    }
    int x = 0, y = 0;
    fighter_square(target, x, y);
    c.target_dx = int16_t(x);
    c.target_dy = int16_t(y);
    c.target_ref = cre_slot_valid(target) ? int16_t(Cre[target].sotu & 0xFFFF) : 0;
}

int cre_update_target_distance(int creature) {
    if (!cre_target_valid(creature)) return -1;
    CreatureRecord& c = Cre[creature];
    int tx, ty, x, y;
    if (!fighter_square(c.fight_target, tx, ty) || !fighter_square(creature, x, y)) return -1;
    c.target_dx = int16_t(tx);
    c.target_dy = int16_t(ty);
    return std::max(std::abs(tx - x), std::abs(ty - y));
}

bool cre_hostile_to_player(int creature) {
    if (creature == -1) return true;
    if (!cre_slot_valid(creature)) return false;
    const CreatureRecord& c = Cre[creature];
    return c.cre_status == CRE_STATUS_ROBBER || (c.bfagg & (BFAGG_THIEF | BFAGG_DRIVE_AWAY | BFAGG_VIOLENCE)) != 0;
}

void cre_calm_down(int creature) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    c.move_mode = c.prev_move_mode;
    lose_target(c);
    c.bfagg = 0;
    cre_call_off_dogs(creature);
}

// Its master's calm is the dogs' calm, whomever they were set on (the
// master's own target is already gone when it calms down).
void cre_call_off_dogs(int creature) {
    for (int i = 0; i < CRE_SLOTS; ++i) {
        if (i == creature || CreSlotRefs[i] == 0) continue;
        CreatureRecord& d = Cre[i];
        if (d.kind != KIND_DOG || !attacking(d) || d.move_mode == MOVE_MODE_DEAD) continue;
        if (!cre_are_allies(i, creature)) continue;
        d.move_mode = d.prev_move_mode;
        lose_target(d);
        d.bfagg = 0;
    }
}

void cre_begin_attack(int creature, int target, int count) {
    if (!cre_slot_valid(creature) || creature == target) return;
    CreatureRecord& c = Cre[creature];
    if (c.move_mode == MOVE_MODE_ASLEEP || unconscious(creature)) return;
    if (c.kind == 605 && c.haavat < 3 && target == -1 && plr_has_ritual_garment(-1, 16, "")) {
        cre_begin_escape(creature, -1, 0);
        return;
    }
    if (c.cre_class != CRE_CLASS_HUMAN && cre_choose_natural_attack(creature) == 1000) {
        cre_begin_escape(creature, target, 0);
        return;
    }
    cre_drop_task_for_fight(creature);
    if (c.move_mode == MODE_ATTACKING && c.fight_target == target && cre_target_valid(creature)) return;
    cre_set_target(creature, target);
    if (c.move_mode != MODE_ATTACKING && c.move_mode != MODE_FIGHTING) c.prev_move_mode = c.move_mode;
    c.move_mode = MODE_ATTACKING;
    c.attack_state = 255;
    combat.attacker = creature;
    combat.defender = target;
    tell_about(creature, "NPC_ATTACKS");
    if (count != 0) c.attack_state = uint8_t(count);
}

int cre_begin_escape(int creature, int from_whom, int force) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.move_mode == MODE_ESCAPING) return 1;
    if (!force && cre_is_companion(creature)) return 0;
    cre_drop_task_for_fight(creature);
    cre_set_target(creature, from_whom);
    if (!attacking(c)) c.prev_move_mode = c.move_mode;
    c.move_mode = MODE_ESCAPING;
    c.flee_x = c.flee_y = 0;
    c.flee_state = 0;
    if (c.caution < 10) ++c.caution;
    if (!escape_unseen(creature)) {
        msg_direction = cre_direction_from_player(creature);
        tell_about(creature, "DO_ESCAPE");
    }
    return 1;
}

void cre_morale_check(int victim, int attacker, int wounds) {
    if (!cre_slot_valid(victim)) return;
    CreatureRecord& v = Cre[victim];
    // 1. Nothing to decide.
    if (attacker == -1 && plr_cloaked) return;
    if (unconscious(victim)) return;
    if (cre_slot_valid(attacker) && cre_is_society_member(victim) && cre_is_society_member(attacker) &&
        Cre[victim].lauma == Cre[attacker].lauma)
        return;
    // 2. A fighter turns on a new attacker; a creature's blow ends it there.
    if (attacking(v) && attacker != -1) {
        if (v.fight_target != attacker) cre_begin_attack(victim, attacker, 0);
        return;
    }
    // 3. The villages hear of the player's violence.
    if (attacker == -1 && !cre_is_own_animal(victim) && !cre_is_companion(victim)) village_note_incident(victim, wounds);
    // 4. The new target and the wound count.
    const bool was_attacking = attacking(v);
    cre_set_target(victim, attacker);
    if (wounds) v.haavat = uint8_t(std::min(255, v.haavat + wounds));
    debug_message_format("haavat: %d hyokkaavyys: %d", v.haavat, v.hyokkaavyys);
    // 5. A fighter weighs its chances only now and then.
    if (was_attacking && v.haavat != 5 && v.haavat != 10 && v.haavat != 15) {
        debug_message("Ei moraalitarkistus vuoro");
        return;
    }
    // 6. A village up in arms: its enforcer strikes back at once; the
    // others fight or flee as they would, but remember why.
    bool violence = false;
    if (attacker == -1 && cre_is_society_member(victim) && village_alarm_set(v.lauma)) {
        if (cre_has_socrole(victim, SOCROLE_ENFORCER)) {
            cre_begin_attack(victim, -1, 0);
            v.bfagg |= BFAGG_VIOLENCE;
            return;
        }
        if (wounds == 0) return;
        violence = true;
    }
    // 7. Fight or flee.
    const int d = body_draw(100);
    if (d + 1 < v.hyokkaavyys) {
        if (attacker == -1 || !was_attacking) {
            // The heard version names the sound itself.
            copy_text(message_argument, sizeof message_argument, cre_aggression_sound(victim));
            tell_about(victim, "SOUND_THREATEN");
        }
        cre_begin_attack(victim, attacker, 0);
        if (violence) v.bfagg |= BFAGG_VIOLENCE;
    } else {
        cre_begin_escape(victim, attacker, 0);
        debug_message("pakeksi!");
    }
}
