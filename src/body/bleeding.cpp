#include "body/bleeding.h"

#include <algorithm>

#include "base/files.h"
#include "body/creature_fights.h"
#include "body/skills.h"
#include "body/fighters.h"
#include "body/hit_wounds.h"
#include "body/wound_checks.h"
#include "body/wounds.h"
#include "body/combat_state.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

namespace {

constexpr int32_t CAUSE_BLEEDING = -99;

int bleeding_total(int fighter) {
    int sum = 0;
    for (int s = 0; s < WOUND_SLOTS; ++s)
        sum += fighter == -1 ? Plr.wounds[PW_BLEEDING][s] : Cre[fighter].wounds[CW_BLEEDING][s];
    return sum;
}

// The creature that last hurt the player is on the map and still fights
// the player.
bool hurter_hostile_on_map() {
    const int slot = Plr.knockout_ref - CRE_REF_BASE;
    if (Plr.knockout_ref < CRE_REF_BASE) return false;
    for (int i = 0; i < CRE_SLOTS; ++i)
        if (CreSlotRefs[i] != 0 && int(Cre[i].sotu) == Plr.knockout_ref) return cre_hostile_to_player(i);
    return cre_slot_valid(slot) && CreSlotRefs[slot] != 0 && cre_hostile_to_player(slot);
}

// A creature's body eases a bleeding wound by itself: the first that
// still bleeds bleeds one less.
void ease_bleeding(CreatureRecord& c) {
    for (int s = 0; s < WOUND_SLOTS; ++s)
        if (c.wounds[CW_BLEEDING][s] > 0) {
            --c.wounds[CW_BLEEDING][s];
            return;
        }
}

int roll_die(int sides) { return 1 + body_draw(sides); }

}  // namespace

int cre_shock_recovery(int fighter) {
    if (fighter != -1 && !cre_slot_valid(fighter)) return 0;
    // The shock counter is the creature's per-turn byte, not its fleeing
    // bookkeeping (which its speed reads).
    if (fighter != -1 && Cre[fighter].turn_value < 255) ++Cre[fighter].turn_value;
    if (cre_shock_check(fighter, 3, 0)) return 1;
    set_fighter_body_state(fighter, BODY_FALLEN);
    if (fighter == -1) Plr.cause_of_fainting = 0;
    else Cre[fighter].turn_value = 0;
    return 0;
}

int cre_bleed(int fighter, int x, int y, int no_faint) {
    if (fighter != -1 && !cre_slot_valid(fighter)) return 0;
    // 1. How much the wounds bleed this turn.
    if (fighter != -1) Cre[fighter].body_calc = 0;
    const int bleed = bleeding_total(fighter);
    if (bleed == 0) return 0;
    // 2. Blood on the ground.
    if (body_draw(5) < bleed && !(fighter != -1 && Cre[fighter].air_state == -100))
        put_object_on_map(MK_BLOOD_MARK, x, y, 1, Plr.days_played);
    // 3. The loss the body stands.
    const int endurance = fighter_endurance(fighter);
    const int limit = 4 * endurance;
    int lost;
    if (fighter != -1) {
        // 4. A creature: the loss saturates, and a body that lost much
        // may stop a wound's bleeding.
        CreatureRecord& c = Cre[fighter];
        c.blood_lost = uint8_t(std::min(255, c.blood_lost + bleed));
        c.body_calc = uint8_t(std::min(255, bleed));
        lost = c.blood_lost;
        if (lost > endurance / 2) {
            bool eases = bleed <= 2 && roll_die(6) < endurance;
            if (!eases && cre_is_human(fighter) && c.body_state != BODY_FAINTED && c.body_state != BODY_SHOCKED &&
                cre_update_target_distance(fighter) > 2 * bleed && roll_die(4) < endurance)
                eases = true;
            if (eases) ease_bleeding(c);
        }
    } else {
        // 5. The player is told.
        Plr.blood_loss = std::min(255, Plr.blood_loss + bleed);
        lost = Plr.blood_loss;
        if (lost * 4 > limit * 3) show_message("!You are about to bleed to death unless physician skills are applied!");
        else show_message(":You are bleeding...");
    }
    // 6. Too much lost: the body faints, and far past it dies.
    if (no_faint || lost <= limit) return 0;
    if (fighter == -1) {
        if (body_draw(3) != 0) return 0;
        Plr.cause_of_fainting = CAUSE_BLEEDING;
    }
    cre_faint(fighter);
    // The loss saturates at 255: a body whose death lies beyond that dies
    // when the loss reaches it.
    const bool dies = lost > 2 * limit || (2 * limit >= 255 && lost >= 255);
    if (!dies) return 0;
    if (fighter != -1) {
        cre_die(fighter, 1);
        return 1;
    }
    if (hurter_hostile_on_map()) {
        Plr.blood_loss = limit + 1;
        cre_faint(-1);
        return 0;
    }
    Plr.cause_of_death = CAUSE_BLEEDING;
    player_dies_of_wound();
    return 1;
}

int cre_injury_percent(int fighter) {
    if (fighter != -1 && !cre_slot_valid(fighter)) return 0;
    const int total = fighter == -1 ? Plr.wound_total : Cre[fighter].injury;
    const int endurance = fighter_endurance(fighter);
    if (endurance <= 0) return total > 0 ? 100 : 0;
    return (total / 10) * 100 / endurance;
}

void plr_take_random_wounds() {
    static const int kinds[3] = {DAMAGE_PIERCE, DAMAGE_TEAR, DAMAGE_CUT};
    for (int i = 0; i < 3; ++i) {
        const int part = roll_body_part_hit(2, -1, 0);
        const int side = last_hit_side;
        const int kind = kinds[body_draw(3)];
        int impact = 0;
        for (int d = 0; d < 3; ++d) impact += roll_die(6);
        cre_inflict_wound(-1, kind, impact, part, side, INFLICTER_HARMLESS);
    }
    plr_limit_wound_total(1);
}
