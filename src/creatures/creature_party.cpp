#include "creatures/creature_party.h"

#include <cstdlib>
#include <cstring>

#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "game/screen_hooks.h"
#include "maps/map_layers.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"

namespace {

constexpr int CARRIED_SLOTS = 20;
constexpr uint8_t INV_NOT_OWN = 0x01;
constexpr uint8_t OWNFLAG_COMPANIONS_OWN = 0x04;
constexpr uint32_t LIFE_ESCORTED = 0x100, LIFE_AWAITS_PAY = 0x40000;
constexpr int32_t PARTY_HIRING = 0x400;
constexpr int32_t ESCORT_ASKED = 0x2;
constexpr uint32_t CRE_HIRE_CLEARS = 0x200;
constexpr float CHEAP_GEAR = 8.0f;
constexpr int UNPACK_MODE_ANIMAL = 1, UNPACK_MODE_COMPANION = 16385;

float value_of(int id) {
    if (!obj_id_is_valid(id)) return 0.0f;
    ObjectRecord r;
    return obj_value(obj_record(id, r));
}

// The object with the companion's mark set or cleared, stored back; the id
// it is kept under (the old one when the store is full).
int marked(int id, bool on) {
    if (!obj_id_is_valid(id)) return id;
    ObjectRecord r;
    obj_record(id, r);
    const uint8_t before = r.ownflag;
    if (on) r.ownflag |= OWNFLAG_COMPANIONS_OWN;
    else r.ownflag &= uint8_t(~OWNFLAG_COMPANIONS_OWN);
    if (r.ownflag == before) return id;
    const int stored = obj_store_record(r);
    return stored != 0 ? stored : id;
}

void take_from_slot(CreatureRecord& c, int slot, int count) {
    if (count >= c.inv_count[slot] || c.inv_count[slot] == 0) {
        c.inv_id[slot] = 0;
        c.inv_count[slot] = 0;
        c.inv_state[slot] = 0;
    } else {
        c.inv_count[slot] = uint8_t(c.inv_count[slot] - count);
    }
}

char helping_names[TEXT_RING_BYTES];

}  // namespace

void cre_make_escortee(int creature, int wage) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    c.party_flags &= ~PARTY_HIRING;
    c.escort_value &= ~ESCORT_ASKED;
    c.party_flags |= PARTY_MEMBER;
    c.served = 1;
    c.service_days = uint8_t(wage);
    c.life_bits = (c.life_bits & ~LIFE_AWAITS_PAY) | LIFE_ESCORTED;
    if (c.cre_class == CRE_CLASS_HUMAN) {
        c.energy = 5000;
    } else {
        double e = double(c.weight) * 35.0;
        if (cre_is_predator(creature)) e *= 2.0;
        c.energy = int16_t(e > 32767.0 ? 32767 : e);
    }
    c.cre_flags &= ~CRE_HIRE_CLEARS;
    // The pay kept for an earlier service starts anew.
    c.pay_value = 0.0f;
    c.wage_shortfall = 0.0f;
    pop_task(creature, 0);
    cre_mark_companion_gear(creature, 1);
}

void cre_mark_companion_gear(int creature, int on) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    for (int s = 0; s < CARRIED_SLOTS; ++s) {
        const int id = c.inv_id[s];
        if (id == 0 || (c.inv_state[s] & INV_NOT_OWN)) continue;
        bool mark = on != 0;
        if (mark && !(c.life_bits & LIFE_ESCORTED) && value_of(id) < CHEAP_GEAR) mark = false;
        // Unmarked cheap gear keeps whatever mark it had only when it is
        // being marked; unmarking clears it everywhere.
        if (on && !mark) continue;
        c.inv_id[s] = marked(id, mark);
    }
    for (int32_t& id : c.worn)
        if (id != 0) id = marked(id, on != 0);
    if (c.wielded != 0) c.wielded = marked(c.wielded, on != 0);
}

float cre_carried_value(int creature) {
    if (!cre_slot_valid(creature)) return 0.0f;
    const CreatureRecord& c = Cre[creature];
    float v = value_of(c.wielded);
    for (int s = 0; s < CARRIED_SLOTS; ++s)
        if (c.inv_id[s] != 0 && !(c.inv_state[s] & INV_NOT_OWN)) v += value_of(c.inv_id[s]) * float(c.inv_count[s]);
    for (int32_t id : c.worn) v += value_of(id);
    return v;
}

int list_idle_companions_beside(char* out, size_t cap) {
    if (out && cap) out[0] = 0;
    if (creature_catch_up) return 0;
    clear_name_tally();
    int n = 0;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE) continue;
        const int slot = o.DATA - CRE_REF_BASE;
        if (!cre_slot_valid(slot) || !cre_is_companion(slot)) continue;
        if (std::abs(int(o.x) - player_x) > 1 || std::abs(int(o.y) - player_y) > 1) continue;
        const CreatureRecord& c = Cre[slot];
        if (c.body_state != 0 || c.Puuha[0] != 0) continue;
        const int m = c.move_mode;
        if (m == 99 || m == 2 || m == 4 || m == MOVE_MODE_ASLEEP) continue;
        tally_name(creature_name(slot, 0));
        ++n;
    }
    if (n > 0 && out && cap) copy_text(out, cap, tally_text());
    return n;
}

int unpack_from_creature(int creature) {
    if (!cre_slot_valid(creature)) return -1;
    const char* question;
    const char* verb;
    int mode;
    if (cre_is_own_animal(creature)) {
        question = "What do you want to unpack?";
        verb = "unpack";
        mode = UNPACK_MODE_ANIMAL;
    } else if (cre_is_companion(creature)) {
        question = "What do you want to pick?";
        verb = "pick";
        mode = UNPACK_MODE_COMPANION;
    } else {
        return -1;
    }
    msg_npc = creature;
    show_message(message_by_key("UNPACK_SELECTED"));
    CreatureRecord& c = Cre[creature];
    bool carries = false;
    for (int s = 0; s < CARRIED_SLOTS && !carries; ++s) carries = c.inv_id[s] != 0;
    if (!carries) {
        show_message(message_by_key("CARRY_NOTHING"));
        return 0;
    }
    int slots[CARRIED_SLOTS], counts[CARRIED_SLOTS];
    const int chosen = select_creature_items(creature, question, verb, mode, slots, counts, CARRIED_SLOTS);
    if (chosen < 0) {
        show_message("!Canceled.");
        return 0;
    }
    // The first item the player can't carry asks what to do with all such.
    int troubled = -1;  // -1 not asked, 0 they stay, 1 onto the ground
    for (int i = 0; i < chosen && i < CARRIED_SLOTS; ++i) {
        const int s = slots[i];
        if (s < 0 || s >= CARRIED_SLOTS || c.inv_id[s] == 0) continue;
        const int id = c.inv_id[s];
        int count = counts[i] > 0 ? counts[i] : c.inv_count[s];
        if (count > c.inv_count[s] && c.inv_count[s] > 0) count = c.inv_count[s];
        msg_item = id;
        msg_num = count;
        if (can_take_item(-1, count, id)) {
            plr_insert_into_inventory(id, count, 1, -1);
            show_message(message_by_key("PICK_UP"));
            take_from_slot(c, s, count);
            continue;
        }
        if (troubled < 0) troubled = ask_yes_no("Unpack troubled items onto ground?") ? 1 : 0;
        if (troubled == 0) continue;
        if (put_object_on_map(MK_ITEM, player_x, player_y, id, count) < 0) continue;  // kept when no room
        take_from_slot(c, s, count);
        msg_npc = creature;
        show_message(message_by_key("DROP_ITEM"));
    }
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
    return 1;
}

int unpack_or_pick_from_creature(int, int creature) {
    return unpack_from_creature(creature) < 0 ? 0 : 1;
}

int count_helping_companions() { return list_idle_companions_beside(helping_names, sizeof helping_names); }

const char* companion_names_text() {
    list_idle_companions_beside(helping_names, sizeof helping_names);
    return helping_names[0] ? helping_names : "your companions";
}
