#include "objects/inventory_services.h"
#include "objects/throwing.h"
#include "objects/wear_commands.h"

#include <cctype>

#include <cmath>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "body/body_condition.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "game/player.h"
#include "objects/hauling.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

int select_item_count = 0;


int obj_weapon_hands(const ObjectRecord& record) {
    constexpr uint8_t WEAPON_CLASS = 1;  // a weapon keeps its one-hand penalty in coverage[0]
    return record.item_class == WEAPON_CLASS ? record.coverage[0] : 0;
}

// Not built yet: nothing is dropped, emptied, hauled or thrown.
void drop_broken_arrow(int, int, int) { KSM_STUB("drop_broken_arrow"); }
void throw_command() { throw_or_shoot_command(); }

// ------------------------------------------------------------ wear

namespace {

// Wear falls harder on a crude piece and lighter on a fine one.
double wear_by_grade(int grade) {
    switch (grade) {
    case 1: return 1.5;
    case 2: return 1.2;
    case 4: return 1.0 / 1.5;
    case 5: return 0.5;
    default: return 1.0;
    }
}

}  // namespace

int wear_object(ObjectRecord& record, int step_percent, double wear_percent, int used_up_percent) {
    const double full = record.full_weight;
    int grade = record.quality & OBJ_GRADE_MASK;
    if (grade == 0) grade = 3;
    double loss = wear_percent / 100.0 * full * wear_by_grade(grade);
    loss = std::round(loss * 100000.0) / 100000.0;
    const double before = record.weight;
    record.weight = float(before - loss);
    if (record.weight <= used_up_percent / 100.0 * full) return 1;
    if (step_percent <= 0 || full <= 0.0) return 0;
    // Every step of the full weight that the wear passes costs a grade.
    const double step = step_percent / 100.0 * full;
    if (std::floor(before / step) != std::floor(record.weight / step)) {
        const int lowered = grade > 1 ? grade - 1 : 1;
        record.quality = uint8_t((record.quality & ~OBJ_GRADE_MASK) | OBJ_GRADE_KNOWN | (lowered > 5 ? 5 : lowered));
        if (debug_messages_on) {
            char text[80];
            format_text(text, sizeof text, "#QT dec at WT %.2f = %.2f%%", double(record.weight),
                        double(record.weight) / full * 100.0);
            debug_message(text);
        }
    }
    return 0;
}

// ------------------------------------------------------------ carry limits

int32_t current_taker = -1;
int32_t trade_partner = -1;

void reset_carry_state() {
    reset_hauling();
    current_taker = -1;
    trade_partner = -1;
}

// The player's limit is on what one take weighs, not on the whole load; a
// creature's is on its whole load.
int cre_can_carry(int creature, float weight) {
    if (creature == -1) return double(weight) <= 1.5 * Plr.body_weight;
    if (!cre_slot_valid(creature)) return 0;
    const double load = cre_compute_load(creature);
    return std::ceil(load) + std::ceil(double(weight)) <= std::ceil(2.0 * cre_body_weight_lb(creature));
}

int ally_can_carry(float weight) {
    const int partner = trade_partner;
    if (partner == -1) return cre_can_carry(-1, weight);
    if (!cre_slot_valid(partner)) return 0;
    const int px = creature_x(partner), py = creature_y(partner);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE) continue;
        if (std::abs(int(o.x) - px) >= 50 || std::abs(int(o.y) - py) >= 50) continue;
        const int slot = o.DATA > 999 ? o.DATA - 1000 : o.DATA;
        if (slot == partner || !cre_slot_valid(slot)) continue;
        if (cre_are_allies(partner, slot) && cre_can_carry(slot, weight)) return 1;
    }
    return 0;
}

int player_refuses_take(int count, int object_id) {
    if (Plr.plr_inv_id[PLR_TAKE_LAST_SLOT] != 0) {
        show_message(message_by_key("CARRY_TOO_MANY"));
        return 1;
    }
    ObjectRecord record;
    obj_record(object_id, record);
    if (double(count) * record.weight > 1.5 * Plr.body_weight) {
        msg_item = object_id;
        msg_num = count;
        show_message(message_by_key("CARRY_TOO_HEAVY"));
        return 1;
    }
    return 0;
}

int can_take_item(int taker, int count, int object_id) {
    ObjectRecord record;
    obj_record(object_id, record);
    current_taker = taker;
    if (taker != -1) return cre_can_carry(taker, float(count) * record.weight);
    return !player_refuses_take(count, object_id);
}

// Giving the player an item by its name (the scenes of the tests).
// The catalogue name in any case; "_" stands for a space (a scene's words).
// Putting the item into a hand is the wield command's, not done here.
int plr_give_item(const char* name, int count, int hand) {
    if (name == nullptr || name[0] == 0 || count < 1) return 0;
    char pattern[64];
    copy_text(pattern, name);
    for (char* c = pattern; *c; ++c) *c = *c == '_' ? ' ' : char(std::toupper(uint8_t(*c)));
    const int type = obj_template_by_name(pattern, 1);
    if (type <= 0) return 0;
    plr_give_item(type, count);
    plr_recompute_carried_weight();
    if (hand == 1 || hand == 2) {
        ObjectRecord wanted;
        obj_record(type, wanted);
        for (int slot = PLR_INV_SLOTS - 1; slot >= 0; --slot) {
            ObjectRecord r;
            if (Plr.plr_inv_id[slot] == 0 || Plr.plr_inv_count[slot] <= 0) continue;
            obj_record(Plr.plr_inv_id[slot], r);
            if (std::strncmp(r.name, wanted.name, sizeof r.name) != 0 || (r.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND)))
                continue;
            plr_wield_item(hand, slot, 1);
            break;
        }
    }
    return 1;
}
int select_creature_items(int, const char*, const char*, int, int*, int*, int) {
    KSM_STUB("select_creature_items");
    return -1;
}
