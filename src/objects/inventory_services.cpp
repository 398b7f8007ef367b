#include "objects/inventory_services.h"

#include <cctype>

#include <cmath>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "game/player.h"
#include "ui/message_line.h"

int select_item_count = 0;

// Not built yet: nothing is worn or dug, no item can be picked and no
// leash is taken off.
void plr_wear_footwear(int, int) { KSM_STUB("plr_wear_footwear"); }
int take_off_leash(int slot) {
    KSM_STUB("take_off_leash");
    return slot >= 0 && slot < PLR_INV_SLOTS ? Plr.plr_inv_id[slot] : 0;
}
void applyShovel(const ObjectRecord*) { KSM_STUB("applyShovel"); }

int obj_weapon_hands(const ObjectRecord& record) {
    constexpr uint8_t WEAPON_CLASS = 1;  // a weapon keeps its one-hand penalty in coverage[0]
    return record.item_class == WEAPON_CLASS ? record.coverage[0] : 0;
}

// Not built yet: everything can be carried and wielded, nothing is dropped,
// emptied, hauled or thrown.
int cre_can_carry(int, float) { KSM_STUB("cre_can_carry"); return 1; }
int cre_check_wield_injuries(int, const ObjectRecord&, int) { KSM_STUB("cre_check_wield_injuries"); return 0; }
void drop_broken_arrow(int, int, int) { KSM_STUB("drop_broken_arrow"); }
float plr_hauled_weight() { KSM_STUB("plr_hauled_weight"); return 0.0f; }
int plr_move_hauled_items() { KSM_STUB("plr_move_hauled_items"); return 0; }
void plr_wear_armour_on_hit(int, int) { KSM_STUB("plr_wear_armour_on_hit"); }
int wear_conflict(int, int, int) { KSM_STUB("wear_conflict"); return 0; }
int take_off_or_unwield(int, int) { KSM_STUB("take_off_or_unwield"); return 0; }
void release_leash(int) { KSM_STUB("release_leash"); }
void throw_command() { KSM_STUB("throw_command"); }

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

// Not built yet: nothing more can be carried and no item is chosen from a
// creature.
int can_take_item(int, int, int) { KSM_STUB("can_take_item"); return 0; }

// The catalogue name in any case; "_" stands for a space (a scene's words).
// Putting the item into a hand is the wield command's, not done here.
int plr_give_item(const char* name, int count, int hand) {
    (void)hand;
    if (name == nullptr || name[0] == 0 || count < 1) return 0;
    char pattern[64];
    copy_text(pattern, name);
    for (char* c = pattern; *c; ++c) *c = *c == '_' ? ' ' : char(std::toupper(uint8_t(*c)));
    const int type = obj_template_by_name(pattern, 1);
    if (type <= 0) return 0;
    plr_give_item(type, count);
    plr_recompute_carried_weight();
    return 1;
}
int select_creature_items(int, const char*, const char*, int, int*, int*, int) {
    KSM_STUB("select_creature_items");
    return -1;
}
