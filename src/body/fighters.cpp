// The player and the creatures as the two sides of a fight.
#include "body/fighters.h"

#include <cmath>

#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_record.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/item_commands.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

bool is_fighter(int f) { return f == -1 || cre_slot_valid(f); }
bool fighter_is_person(int f) { return f == -1 || (cre_slot_valid(f) && Cre[f].cre_class == CRE_CLASS_HUMAN); }

int fighter_x(int f) { return is_fighter(f) ? creature_x(f) : 0; }
int fighter_y(int f) { return is_fighter(f) ? creature_y(f) : 0; }

bool fighter_square(int f, int& x, int& y) {
    x = y = 0;
    if (f == -1) {
        x = player_x;
        y = player_y;
        return true;
    }
    if (!cre_slot_valid(f)) return false;
    const int i = cre_datapos(f);
    if (i < 0) return false;
    x = Data[i].x;
    y = Data[i].y;
    return true;
}

int fighter_body_state(int f) {
    if (f == -1) return Plr.body_state;
    return cre_slot_valid(f) ? Cre[f].body_state : BODY_UPRIGHT;
}

void set_fighter_body_state(int f, int state) {
    if (f == -1) Plr.body_state = uint8_t(state);
    else if (cre_slot_valid(f)) Cre[f].body_state = uint8_t(state);
}

bool fighter_is_down(int f) { return fighter_body_state(f) != BODY_UPRIGHT; }

int fighter_agility(int f) {
    if (f == -1) return Plr.agi;
    return cre_slot_valid(f) ? Cre[f].attr_agi : 0;
}

int fighter_endurance(int f) {
    if (f == -1) return Plr.end;
    return cre_slot_valid(f) ? Cre[f].attr_end : 0;
}

int fighter_dexterity(int f) {
    if (f == -1) return Plr.dex;
    return cre_slot_valid(f) ? Cre[f].attr_dex : 0;
}

float fighter_weight_kg(int f) {
    if (f == -1) return pounds_in_kilograms(float(Plr.body_weight));
    return cre_slot_valid(f) ? Cre[f].weight : 0.0f;
}

int fighter_condition_penalty(int f) {
    if (f == -1) return (Plr.wound_total + int(std::ceil(Plr.fatigue))) / 10;
    if (!cre_slot_valid(f)) return 0;
    return (Cre[f].injury + int(std::ceil(Cre[f].fatigue))) / 10;
}

// ------------------------------------------------------------ hands

int fighter_held_item(int f, int hand) {
    if (f == -1) return cre_wielded_item(-1, hand);
    if (!cre_slot_valid(f)) return 0;
    return hand == 1 ? Cre[f].wielded : (hand == 2 ? Cre[f].shield : 0);
}

int player_hand_slot(int hand) {
    const int id = cre_wielded_item(-1, hand);
    if (id == 0) return -1;
    const uint8_t bit = hand == 1 ? OBJ_IN_FIRST_HAND : OBJ_IN_SECOND_HAND;
    int first_of_id = -1;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (Plr.plr_inv_id[s] != id || Plr.plr_inv_count[s] <= 0) continue;
        if (first_of_id < 0) first_of_id = s;
        if (obj_id_is_instance(id) && (Objects[id - FIRST_INSTANCE_ID].state_bits & bit)) return s;
    }
    return first_of_id;
}

namespace {

constexpr uint8_t HELD_BITS = OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;

int first_empty_player_slot() {
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] == 0 || Plr.plr_inv_count[s] <= 0) return s;
    return -1;
}

// The rest of a stack whose one unit leaves the hand: the same thing, no
// longer held, in a slot of its own. False when no slot or record is free
// (the whole stack then goes with the held unit).
bool split_off_rest(int slot) {
    const int rest = Plr.plr_inv_count[slot] - 1;
    if (rest <= 0) return true;
    const int free = first_empty_player_slot();
    if (free < 0) return false;
    ObjectRecord loose;
    obj_record(Plr.plr_inv_id[slot], loose);
    loose.state_bits = uint8_t(loose.state_bits & ~HELD_BITS);
    const int id = obj_store_record(loose);
    if (id == 0) return false;
    Plr.plr_inv_id[free] = id;
    Plr.plr_inv_count[free] = rest;
    Plr.plr_inv_count[slot] = 1;
    return true;
}

}  // namespace

void empty_hand(int f, int hand) {
    if (f == -1) {
        const int slot = player_hand_slot(hand);
        if (slot < 0) return;
        if (split_off_rest(slot) || Plr.plr_inv_count[slot] <= 1) {
            Plr.plr_inv_id[slot] = 0;
            Plr.plr_inv_count[slot] = 0;
        } else {
            --Plr.plr_inv_count[slot];
        }
        return;
    }
    if (!cre_slot_valid(f)) return;
    if (hand == 1) Cre[f].wielded = 0;
    else if (hand == 2) Cre[f].shield = 0;
}

void keep_worn_record(int f, int hand, const ObjectRecord& worn) {
    if (f == -1) {
        const int slot = player_hand_slot(hand);
        if (slot < 0) return;
        split_off_rest(slot);
        const int id = obj_store_record(worn);
        if (id != 0) Plr.plr_inv_id[slot] = id;
        return;
    }
    if (!cre_slot_valid(f)) return;
    const int id = obj_store_record(worn);
    if (id == 0) return;
    if (hand == 1) Cre[f].wielded = id;
    else if (hand == 2) Cre[f].shield = id;
}

// ------------------------------------------------------------ telling

int tell_text_about(int f, const char* text) {
    if (messages_suppressed || text == nullptr || text[0] == 0) return 0;
    msg_npc = f;
    return cre_action_message(f, text, "");
}

int tell_about(int f, const char* key) {
    // Nothing is looked up for a message nobody will read.
    if (messages_suppressed) return 0;
    msg_npc = f;
    return cre_action_message(f, message_by_key(key), "");
}

bool player_perceives_fight(int a, int b) {
    if (a == -1 || b == -1) return true;
    int x, y;
    if (fighter_square(a, x, y) && is_in_view(x, y)) return true;
    return fighter_square(b, x, y) && is_in_view(x, y);
}
