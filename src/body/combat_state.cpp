// The one record of the attack in progress.
#include "body/combat_state.h"

#include "body/combat_commands.h"
#include "body/creature_attacks.h"
#include "body/missile_flight.h"

#include <cstring>

CombatState combat;
ExchangeOutcome exchange_outcome;
int32_t missile_dodge_kind = 0;

void clear_attack_option(AttackOption& option) {
    std::memset(&option, 0, sizeof option);
    option.impact_cap = 99;
    option.max_dice = 3;
    option.aim_zone = 2;
    option.dice_class = 3;
}

void reset_combat_state() {
    std::memset(&combat, 0, sizeof combat);
    reset_missile_state();
    clear_attack_option(combat.work_option);
    clear_attack_option(combat.attack_option);
    clear_attack_option(combat.defence_option);
    combat.attacker = COMBAT_NOBODY;
    combat.defender = COMBAT_NOBODY;
    combat.aimed_target = COMBAT_NOBODY;
    combat.struck_creature = COMBAT_NOBODY;
    combat.last_zone = 2;
    std::memset(&exchange_outcome, 0, sizeof exchange_outcome);
    missile_dodge_kind = 0;
    last_attack_key = 0;
    combat_reference = -1;
    reset_fighter_rows();
}
