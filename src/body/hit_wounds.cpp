// Wounds from a hit: the wound table, impact and armour, writing the wound
// and rolling what it sets off.
#include "body/hit_wounds.h"

#include <cstdarg>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "body/body_services.h"
#include "body/combat_state.h"
#include "body/fighters.h"
#include "body/melee_exchange.h"
#include "body/skills.h"
#include "body/wound_checks.h"
#include "body/wounds.h"
#include "console/console.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "objects/armour_protection.h"
#include "objects/inventory_services.h"
#include "objects/object_store.h"
#include "society/society_services.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

// clang-format off
const char* const wound_table[DAMAGE_GROUPS][19][FORCE_STEPS] = {
    {   // blunt
        {"yE2", "yE3", "oK3", "rB1K5"},      // skull
        {"yE2", "oE3", "rE4", "rB2K4"},      // eye
        {"yE1", "yE2", "oE2", "rB1K4"},      // face
        {"yE2", "yE3", "oK3", "rB2K4"},      // neck
        {"yF2", "yF3", "oF5", "rB1E4"},      // shoulder
        {"yF3", "yF4", "oF6", "rB1E3"},      // upper arm
        {"yF4", "oF5", "rE3", "rB1E4"},      // elbow
        {"yF3", "yF4", "oF6", "rB1E3"},      // forearm
        {"yF4", "oF5", "rE3", "rB1E3"},      // hand
        {"yE1", "yE2", "oE3", "rB1K4"},      // thorax
        {"yE2", "oE3", "rB1E4", "rB2K3"},    // abdomen
        {"yS3", "yS4E1", "oS5E2", "rB1E3"},  // hip
        {"yS4E3", "oS5E4", "rE5", "rB1E6"},  // groin
        {"yS3", "yS4", "oS6", "rB2E3"},      // thigh
        {"yS4", "oS6", "rE3", "rB2E4"},      // knee
        {"yS3", "yS4", "oS6", "rB1E3"},      // calf
        {"yS4", "oS5", "rE3", "rB1E4"},      // foot
        {"yS1", "yS2", "oS4", "rS5E3"},      // tail
        {"yS2", "yS3E2", "oS4E3", "rS5E4"},  // wing
    },
    {   // cutting and tearing
        {"yE1", "oE3", "rK3", "rB1K4"},
        {"yE2", "oB1E3", "rB1E4", "rB2K5"},
        {"yE1", "oE2", "oB1E3", "rB2K4"},
        {"yE2", "oB1E3", "rB2K4", "rB4A4"},
        {"yF1", "oF3", "rB1E3", "rB2K3"},
        {"yF2", "oF4", "oB1E4", "rB1A5"},
        {"yF3", "oF5", "rB1E2", "rB1A5"},
        {"yF2", "yF4", "oF6", "rB1A5"},
        {"yF3", "yF5", "oF7", "rB1A6"},
        {"yE1", "oE2", "rE4", "rB1K3"},
        {"yE2", "oB1E3", "rB2E4", "rB3E5"},
        {"yS2", "oS3E1", "rS4E2", "rB1E5"},
        {"yS4E3", "yS5E4", "oS6E5", "rB2A5"},
        {"yS2", "oS3", "rB1E2", "rB2A4"},
        {"yS3", "oS4E1", "rB1E2", "rB2A5"},
        {"yS2", "yS3", "oS5E2", "rB1A5"},
        {"yS2", "yS4", "oS5E3", "rB1A5"},
        {"yS2", "oS3", "rS4A3", "rB1A5"},
        {"yS3", "yS4", "oS5B1", "rB2A5"},
    },
    {   // piercing
        {"yE1", "oE3", "rB1K3", "rB1K4"},
        {"oE3", "oB1E4", "rB1K4", "rB2K5"},
        {"yE1", "oE3", "oB1E5", "rB1K4"},
        {"yE2", "oE4", "rB1K3", "rB3K4"},
        {"yF2", "yF3", "oF5", "rB1E3"},
        {"yF2", "yF3", "oF4", "oB1E3"},
        {"yF3", "oF5", "oF6E2", "oB1E3"},
        {"yF2", "yF4", "oF5E1", "oB1E2"},
        {"yF3", "yF5", "oF6E1", "oB1E2"},
        {"yE2", "oE3", "rB1K3", "rB1K4"},
        {"yE2", "oB1E3", "rB2E5", "rB3K3"},
        {"yS2", "yS3", "oS3E2", "rB1E3"},
        {"yS4E3", "oS5E4", "oE5", "oB1E6"},
        {"yS2", "yS3", "oS4E2", "rB1E4"},
        {"yS3", "oS4", "oE2", "rB1E4"},
        {"yS3", "yS4", "oS5E1", "oB1E4"},
        {"yS2", "yS3", "oE2", "oB1E3"},
        {"yS2", "yS3", "oS4E2", "oB1E3"},
        {"yS2", "yS3", "oS4E2", "oE3"},
    },
    {   // burning and freezing
        {"yE1", "oE3", "rK3", ""},
        {"yE2", "oE4", "rE6", ""},
        {"yE2", "oE4", "rE5", ""},
        {"yE1", "oE3", "rK3", ""},
        {"yE1", "oE2", "rE3", ""},
        {"yF2E2", "oF3E3", "rE4", ""},
        {"yF3E1", "oF4E2", "rE3", ""},
        {"yF2E2", "oF3E3", "rE4", ""},
        {"yF3E1", "oF4E2", "rE3", ""},
        {"yE3", "oE3", "rK4", ""},
        {"yE3", "oE4", "rE6", ""},
        {"yE2", "oE3", "rE4", ""},
        {"yE3", "oE4", "rE5", ""},
        {"yE2", "oE3", "rE4", ""},
        {"yE1", "oE2", "rE3", ""},
        {"yE2", "oE3", "rE4", ""},
        {"yE1", "oE2", "rE3", ""},
        {"yE1", "oE2", "rE3", ""},
        {"yE1", "oE2", "rE3", ""},
    },
};
// clang-format on

namespace {

void wound_debug(const char* format, ...) __attribute__((format(printf, 1, 2)));
void wound_debug(const char* format, ...) {
    if (!debug_messages_on) return;
    char text[256];
    va_list args;
    va_start(args, format);
    vformat_text(text, sizeof text, format, args);
    va_end(args);
    debug_message(text);
}

uint8_t saturate(long long v) { return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// The force steps' upper bounds, by group (the last step is open).
constexpr int step_tops[DAMAGE_GROUPS][3] = {{6, 12, 18}, {8, 12, 16}, {10, 15, 20}, {10, 20, 1 << 30}};

}  // namespace

int damage_group(int kind) {
    switch (kind) {
    case DAMAGE_CUT: case DAMAGE_TEAR: return 1;
    case DAMAGE_PIERCE: return 2;
    case DAMAGE_BURN: case DAMAGE_FREEZE: return 3;
    default: return 0;
    }
}

int force_step(int group, int e) {
    if (e < 1) return -1;
    if (group < 0 || group >= DAMAGE_GROUPS) group = 0;
    for (int s = 0; s < 3; ++s)
        if (e <= step_tops[group][s]) return s;
    return 3;
}

WoundResult parse_wound_cell(const char* cell) {
    WoundResult w{};
    if (cell == nullptr || cell[0] == 0) return w;
    switch (cell[0]) {
    case 'y': w.grade = 1; break;
    case 'o': w.grade = 2; break;
    case 'r': w.grade = 3; break;
    default: return w;
    }
    for (const char* p = cell + 1; p[0] != 0 && p[1] != 0; p += 2) {
        if (p[1] < '0' || p[1] > '9') break;
        const uint8_t n = uint8_t(p[1] - '0');
        switch (p[0]) {
        case 'F': w.fumble_dice = n; break;
        case 'S': w.stumble_dice = n; break;
        case 'E': w.shock_dice = n; break;
        case 'B': w.bleeding = n; break;
        case 'A': w.amputation_dice = n; break;
        case 'K':
            w.fatal_dice = n;
            w.shock_dice = uint8_t(n + 1);
            break;
        default: break;
        }
    }
    return w;
}

WoundResult grade_wound(int kind, int e, int part) {
    const int group = damage_group(kind);
    int step = force_step(group, e);
    if (step < 0) return WoundResult{};
    if (group == 3 && step > 2) step = 2;
    if (part < 0 || part >= BODY_PART_COUNT) part = PART_THORAX;
    const char* cell = wound_table[group][part][step];
    wound_debug("Haavatulos: %s", cell);
    WoundResult w = parse_wound_cell(cell);
    switch (w.grade) {
    case 1: w.injury_points = 1 + body_draw(10); break;
    case 2: w.injury_points = 11 + body_draw(10); break;
    case 3: w.injury_points = 21 + body_draw(10); break;
    default: break;
    }
    return w;
}

int RealImpact(int dice, int bonus, int deathblow) {
    wound_debug("RealImpact calc - d6*%d + %d Deathblow: %d", dice, bonus, deathblow);
    const int sum = deathblow ? 6 * (dice > 0 ? dice : 0) : roll_dice(dice);
    wound_debug("RealImpact %d (noppasumma %d + %d)", sum + bonus, sum, bonus);
    return sum + bonus;
}

int cre_armour_at(int creature, int part, int kind) {
    if (creature == -1) return plr_protection_at(part, kind);
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    int p = 0;
    for (int slot = 0; slot < 7; ++slot) {
        const int id = c.worn[slot];
        if (!obj_id_is_valid(id)) continue;
        obj_load_current(id);
        if (part >= 0 && part < 32 && (current_object_coverage() & (1u << part))) p += object_protection(kind);
    }
    if (part == PART_EYE) return p;
    int natural = 0;
    if (kind >= 0 && kind <= 4) natural = c.natural_armour[kind];
    else if (kind == DAMAGE_BURN || kind == DAMAGE_FREEZE) natural = c.natural_armour[5];
    else if (kind == DAMAGE_BLUNT_ARROW) natural = c.natural_armour[0];
    return p + natural;
}

namespace {

// A creature's slot for a wound when all 20 are taken: the same wound,
// else one of the same kind on the same part and side, else any.
int crowded_creature_slot(const CreatureRecord& c, int kind, int grade, int part, int side, int bleeding) {
    for (int s = 0; s < WOUND_SLOTS; ++s)
        if (c.wounds[CW_KIND][s] == kind && c.wounds[CW_SEVERITY][s] == grade && c.wounds[CW_PART][s] == part &&
            c.wounds[CW_SIDE][s] == side && c.wounds[CW_BLEEDING][s] == bleeding)
            return s;
    for (int s = 0; s < WOUND_SLOTS; ++s)
        if (c.wounds[CW_KIND][s] == kind && c.wounds[CW_PART][s] == part && c.wounds[CW_SIDE][s] == side) return s;
    return body_draw(WOUND_SLOTS);
}

}  // namespace

int cre_record_wound(int victim, int damage_kind, int grade, int part, int side, int points, int bleeding) {
    if (no_damage_switch) return -1;
    const int kind = wound_kind_of_damage(damage_kind);
    if (kind < 0 || !is_fighter(victim)) return -1;
    if (part < 0 || part >= BODY_PART_COUNT) part = PART_THORAX;
    if (points < 0) points = 0;
    if (victim == -1) {
        last_hit_side = uint8_t(side);
        const int slot = plr_add_wound(points, part, grade, 0, damage_kind);
        if (slot >= 0 && !is_ailment_kind(kind)) {
            Plr.wounds[PW_SIDE][slot] = uint8_t(side);
            Plr.wounds[PW_BLEEDING][slot] = saturate(bleeding);
        }
        return slot;
    }
    CreatureRecord& c = Cre[victim];
    int slot = -1;
    for (int s = 0; s < WOUND_SLOTS; ++s)
        if (c.wounds[CW_KIND][s] == 0) {
            slot = s;
            break;
        }
    if (slot < 0) {
        // Every slot is taken: the points go to a wound like it.
        slot = crowded_creature_slot(c, kind, grade, part, side, bleeding);
        c.wounds[CW_DAMAGE][slot] = saturate((long long)c.wounds[CW_DAMAGE][slot] + points);
    } else {
        c.wounds[CW_KIND][slot] = uint8_t(kind);
        c.wounds[CW_SEVERITY][slot] = saturate(grade);
        c.wounds[CW_PART][slot] = uint8_t(part);
        c.wounds[CW_SIDE][slot] = uint8_t(side);
        c.wounds[CW_BLEEDING][slot] = saturate(bleeding);
        c.wounds[CW_DAMAGE][slot] = saturate(points);
    }
    c.injury = saturate((long long)c.injury + points);
    return slot;
}

namespace {

constexpr int KIND_VENOMOUS = 622;
constexpr int KIND_BEAR = 605;
constexpr uint8_t VENOM_USED = 0x01;          // in combat_value
constexpr int32_t DEED_BEAR_RITE = 0x20;      // plr_deed_flags: the bear's rite was kept
constexpr uint8_t STATUS_ROBBER = 20;
constexpr uint8_t BFAGG_HOSTILE = 0x07;
constexpr uint8_t BFAGG_GRUDGE = 0x04;
constexpr int AILMENT_POISONING = 23;

bool creature_inflicter(int inflicter) { return cre_slot_valid(inflicter); }

// What the player remembers of the one who hurt it: a creature by its
// identity, anything else by its cause.
int32_t knockout_reference_of(int inflicter) {
    return creature_inflicter(inflicter) ? int32_t(Cre[inflicter].sotu) : int32_t(inflicter);
}

void note_village_assault(int inflicter) {
    if (!creature_inflicter(inflicter) || !cre_is_society_member(inflicter)) return;
    village_member_hurt_player(inflicter);
}

}  // namespace

void village_member_hurt_player(int inflicter) {
    if (!creature_inflicter(inflicter)) return;
    set_current_village(Cre[inflicter].lauma);
    if (!(Cre[inflicter].bfagg & BFAGG_GRUDGE) || cur_village_id == NO_VILLAGE) return;
    if (CurVillage.assaults < 255) ++CurVillage.assaults;
    CurVillage.incident_flag = 1;
    CurVillage.incident_day = int16_t(Plr.days_played);
    CurVillage.incident_minute = Plr.total_minutes;
}

namespace {

void set_bleeding(int victim, int slot, int bleeding) {
    if (slot < 0 || slot >= WOUND_SLOTS) return;
    if (victim == -1) Plr.wounds[PW_BLEEDING][slot] = saturate(bleeding);
    else if (cre_slot_valid(victim)) Cre[victim].wounds[CW_BLEEDING][slot] = saturate(bleeding);
}

void limit_blunt_arrow(WoundResult& w, float kg) {
    if (kg > 10) w.fatal_dice = 0;
    if (kg > 50) {
        if (w.stumble_dice < 5) w.stumble_dice = 0;
        if (w.fumble_dice < 4) w.fumble_dice = 0;
        if (w.shock_dice < 4) w.shock_dice = 0;
        if (w.injury_points > 13) w.injury_points = 13;
        if (w.grade > 2) w.grade = 2;
    }
    if (kg > 100) {
        w.stumble_dice = 0;
        if (w.shock_dice < 5) w.shock_dice = 0;
        if (w.grade > 1) w.grade = 1;
        if (w.injury_points > 5) w.injury_points = 5;
    }
    w.bleeding = 0;
}

bool never_kills(int inflicter) {
    if (inflicter == INFLICTER_HARMLESS) return true;
    if (!creature_inflicter(inflicter)) return false;
    return Cre[inflicter].cre_status == STATUS_ROBBER || (Cre[inflicter].bfagg & BFAGG_HOSTILE) != 0;
}

}  // namespace

void cre_inflict_wound(int victim, int kind, int impact, int part, int side, int inflicter) {
    if (!is_fighter(victim)) return;
    if (part < 0 || part >= BODY_PART_COUNT) part = PART_THORAX;
    if (!messages_suppressed) copy_text(msg_wounded_bodypart, body_part_name(part, victim));
    const int protection = cre_armour_at(victim, part, kind);
    const float kg = fighter_weight_kg(victim);

    bool venom = false;
    if (creature_inflicter(inflicter)) {
        CreatureRecord& by = Cre[inflicter];
        int x, y;
        if (fighter_square(inflicter, x, y)) raise_turn_noise(x, y, 3);
        if (by.kind == KIND_VENOMOUS && !(by.combat_value & VENOM_USED)) {
            by.combat_value |= VENOM_USED;
            venom = true;
        }
    }

    int e = impact - protection;
    if (inflicter == -1 && cre_slot_valid(victim) && Cre[victim].kind == KIND_BEAR &&
        (Plr.plr_deed_flags & DEED_BEAR_RITE) && plr_has_ritual_garment(-1, ITEM_ARMOUR, "[dog fur mittens]"))
        e += 2;
    wound_debug("HAAVOITA %d: impact: %d Haarniskointi: %d -> eff_impact: %d", victim, impact, protection, e);

    if (e < 1) {
        const bool bare = protection == 0 && fighter_is_person(victim);
        tell_about(victim, bare ? "IMPACT_UNHURT" : "IMPACT_ABSORBED");
        return;
    }
    if (victim != -1) Cre[victim].LastActionBit |= ACTION_WAS_HIT;
    WoundResult w = grade_wound(kind, e, part);
    if (kind == DAMAGE_BLUNT_ARROW) limit_blunt_arrow(w, kg);
    else if (inflicter == INFLICTER_HARMLESS && victim != -1) w.bleeding = 0;

    const int slot = cre_record_wound(victim, kind, w.grade, part, side, w.injury_points, w.bleeding);
    if (victim != -1) {
        Cre[victim].killer = inflicter;
    } else {
        Plr.knockout_ref = knockout_reference_of(inflicter);
        note_village_assault(inflicter);
    }
    wound_debug("Aste: %d F:%d S:%d E:%d B:%d IP:%d", w.grade, w.fumble_dice, w.stumble_dice, w.shock_dice,
                w.bleeding, w.injury_points);
    if (venom && victim == -1 && !no_damage_switch) {
        const int strength = 3 + body_draw(3);
        const int damage = 3 + body_draw(3);
        plr_add_wound(damage, part, strength, 0, AILMENT_POISONING);
    }

    // A limb or a head taken off.
    if (w.amputation_dice > 0) {
        if (cre_amputation_check(victim, w.amputation_dice)) {
            w.shock_dice = 5;
            if (w.bleeding < 4) ++w.bleeding;
            set_bleeding(victim, slot, w.bleeding);
            if (part == PART_NECK) w.fatal_dice = 99;
        } else {
            w.shock_dice = 4;
        }
    }

    if (w.fatal_dice > 0 && !never_kills(inflicter)) {
        const int32_t kept = Plr.cause_of_fatal_wound;
        if (victim == -1) Plr.cause_of_fatal_wound = inflicter;
        if (cre_fatal_wound_check(victim, w.fatal_dice)) return;
        if (victim == -1) Plr.cause_of_fatal_wound = kept;
    }

    if (w.bleeding > 0) {
        if (victim == -1) Plr.cause_of_bleeding = inflicter;
        tell_about(victim, w.bleeding == 1 ? "BLEEDING_LIGHT" : (w.bleeding == 2 ? "BLEEDING" : "BLEEDING_HARD"));
    }

    if (w.shock_dice > 0 && fighter_body_state(victim) != BODY_FAINTED) {
        if (cre_shock_check(victim, w.shock_dice, 1) && victim == -1) {
            Plr.cause_of_fainting = inflicter;
            Plr.knockout_ref = knockout_reference_of(inflicter);
        }
    }
    if (victim != -1) cre_wake_up(victim);

    const bool inflicter_fights = is_fighter(inflicter);
    if (w.stumble_dice > 0) {
        const bool was_up = !fighter_is_down(victim);
        cre_stumble_check(victim, w.stumble_dice, 1);
        if (was_up && fighter_is_down(victim) && inflicter_fights) give_tactical_advantage(inflicter);
    }
    if (w.fumble_dice > 0 && cre_fumble_check(victim, w.fumble_dice, side) && inflicter_fights)
        give_tactical_advantage(inflicter);

    if (victim == -1) plr_wear_armour_on_hit(part, e);
}
