// The wound effect checks, dropping a weapon, falling and fainting.
#include "body/wound_checks.h"

#include <cmath>

#include "base/text_ring.h"
#include "body/body_services.h"
#include "body/combat_commands.h"
#include "body/fighters.h"
#include "body/skills.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "game/death.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_looks.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

void (*player_dies_of_wound)() = plr_die;

namespace {

constexpr int CAUSE_FATAL_WOUND = -106;
constexpr uint8_t CLASS_SNAKE = 11;
constexpr int TRAVEL_SKIING = 7;
constexpr int BEHEADING_DICE = 99;

int condition_and_dice(int victim, int dice) {
    const int t = fighter_condition_penalty(victim);
    return t + roll_dice(dice);
}

bool holds_weapon(int victim) {
    if (victim == -1) return cre_wielded_item(-1, 1) != 0 || cre_wielded_item(-1, 2) != 0;
    if (!cre_slot_valid(victim) || !fighter_is_person(victim)) return false;
    return Cre[victim].wielded != 0 || Cre[victim].shield != 0;
}

// The player's hand lets go of its item: it lies on the ground at the
// player, no longer held.
void player_drops(int hand) {
    const int id = cre_wielded_item(-1, hand);
    if (id == 0) return;
    copy_text(msg_var_text, lower_case_copy(obj_name(id, 1, 0)));
    msg_npc = -1;
    if (!messages_suppressed) show_message(message_by_key("FUMBLE_DO"));
    plr_drop_wielded_item(1, id);
    empty_hand(-1, hand);
}

void creature_drops(int victim, int hand) {
    CreatureRecord& c = Cre[victim];
    const int id = hand == 1 ? c.wielded : c.shield;
    if (id == 0) return;
    copy_text(msg_var_text, lower_case_copy(obj_name(id, 1, 0)));
    tell_about(victim, "FUMBLE_DO");
    create_item_at_creature(victim, id, 1);
    if (hand == 1) {
        c.wielded = 0;
    } else {
        c.shield = 0;
        c.shield_cover = 0;
    }
}

}  // namespace

int cre_stumble_check(int victim, int dice, int show) {
    if (!is_fighter(victim) || fighter_is_down(victim)) return 0;
    if (dice <= 0) return 1;
    int agility = fighter_agility(victim);
    if (victim == -1 && Plr.travel_mode == TRAVEL_SKIING) agility /= 2;
    const int against = condition_and_dice(victim, dice);
    if (agility < against) {
        cre_fall_down(victim, 1);
        return 1;
    }
    if (show) tell_about(victim, "STUMBLE_CHECK");
    return 0;
}

int cre_shock_check(int victim, int dice, int show) {
    if (!is_fighter(victim)) return 0;
    const int against = condition_and_dice(victim, dice);
    if (fighter_endurance(victim) < against) {
        if (fighter_body_state(victim) != BODY_FAINTED) cre_faint(victim);
        return 1;
    }
    if (show && victim != -1 && fighter_body_state(victim) != BODY_FAINTED) {
        const int heard = tell_about(victim, "SOUND_PAIN");
        // The cry of one of the player's own stops what the player is doing.
        if (heard && (cre_is_companion(victim) || cre_is_own_animal(victim)) && running_task_label() != nullptr)
            task_interrupt_request = 2;
    }
    return 0;
}

int cre_fatal_wound_check(int victim, int dice) {
    if (!is_fighter(victim) || dice <= 0) return 0;
    const int endurance = dice == BEHEADING_DICE ? 0 : fighter_endurance(victim);
    if (endurance >= roll_dice(dice)) return 0;
    tell_about(victim, "FATAL_WOUND");
    if (victim == -1) {
        Plr.cause_of_death = CAUSE_FATAL_WOUND;
        player_dies_of_wound();
    } else {
        cre_die(victim, 1);
    }
    return 1;
}

int cre_amputation_check(int victim, int dice) {
    if (!is_fighter(victim) || dice <= 0) return 0;
    const float kg = fighter_weight_kg(victim);
    const int s = victim == -1 ? int(kg) / 10 : int(std::ceil(kg / 10.0f));
    if (s >= roll_dice(dice)) return 0;
    tell_about(victim, "AMPUTATION_WOUND");
    return 1;
}

int cre_fumble_check(int victim, int dice, int hand) {
    if (!is_fighter(victim) || dice <= 0 || !holds_weapon(victim)) return 0;
    if (fighter_dexterity(victim) < condition_and_dice(victim, dice)) {
        cre_fumble_drop(victim, hand);
        return 1;
    }
    tell_about(victim, "FUMBLE_CHECK");
    return 0;
}

void cre_fumble_drop(int victim, int hand) {
    if (hand < 0 || hand > 2) return;  // an unpaired part names no hand
    if (victim == -1) {
        for (int h = 1; h <= 2; ++h)
            if (hand == 0 || hand == h) player_drops(h);
        plr_compact_inventory();  // and the load recomputed
        screen_hooks.refresh_status_panel();
        return;
    }
    if (!cre_slot_valid(victim)) return;
    for (int h = 1; h <= 2; ++h)
        if (hand == 0 || hand == h) creature_drops(victim, h);
}

// ------------------------------------------------------------ falls

void cre_fall_down(int f, int kind) {
    const char* key = kind == 1 ? "STUMBLE_DO" : "DO_FALL_PRONE";
    msg_npc = f;
    if (f == -1) {
        if (Plr.body_state != BODY_UPRIGHT) return;
        Plr.body_state = BODY_FALLEN;
        if (!messages_suppressed) show_message(message_by_key(key));
        screen_hooks.refresh_status_panel();
    } else {
        if (!cre_slot_valid(f)) return;
        CreatureRecord& c = Cre[f];
        if (c.cre_class == CLASS_SNAKE) return;
        if (c.air_state < 1) {
            if (c.body_state != BODY_UPRIGHT) return;
            c.body_state = BODY_FALLEN;
            if (c.move_mode != MOVE_MODE_ASLEEP) tell_about(f, key);
        } else {
            tell_about(f, "DO_DROP_DOWN");
            c.air_state = 0;
        }
    }
    view_rebuild_request = 1;
}

int cre_faint(int f) {
    msg_npc = f;
    if (fighter_body_state(f) == BODY_FAINTED) return 1;
    if (f == -1) {
        Plr.body_state = BODY_FAINTED;
    } else if (cre_slot_valid(f)) {
        cre_fall_down(f, 0);
        Cre[f].body_state = BODY_FAINTED;
        if (cre_is_society_member(f)) cre_drop_socroles(f);
    } else {
        return 1;
    }
    tell_about(f, "FALL_UNCONSCIOUS");
    // The player must see this before the world goes dark.
    if (f == -1) skip_message_pauses = false;
    cre_fumble_drop(f, 0);
    return 1;
}
